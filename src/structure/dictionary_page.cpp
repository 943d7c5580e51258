// Behaviour shared by the dictionary pages (see dictionary_page.h): the
// save, abandon and leave paths and the Enter and Esc keys of both forms.
// A failed write of a school file is said in the user's language and keeps
// the dialog form open, so the user never believes unsaved data are saved.
#include "structure/dictionary_page.h"

#include <cstring>

#include "platform/cp1252.h"
#include "schooldata/description_writer.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/dialog_title.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "structure/subject_dictionary.h"

using namespace kt::ui;

namespace {

constexpr int kYes = 6;

}  // namespace

bool dictionary_ask(const MlText& text) { return ui_message_box_type(text, kMbYesNo | kMbIconQuestion) == kYes; }

bool dictionary_same_name(const char* a, const char* b) { return kt::cp1252_casecmp(a, b) == 0; }

void dictionary_copy_name(char* field, const char* name) {
  std::memset(field, 0, kUiNameSize);
  std::memcpy(field, name, strnlen(name, kUiNameSize - 1));
}

void CDictionaryPage::StartPage(const char* title) {
  FitIntoPageArea();
  ShowGrip(false);
  ui_set_current_dialog_title(title);
}

void CDictionaryPage::SelectFirstRow(ListView& list) {
  if (list.GetItemCount() == 0 || list.GetNextItem(-1, kLvniSelected) >= 0) return;
  m_program_selects = true;
  list.SetItemState(0, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
  m_program_selects = false;
}

bool CDictionaryPage::OnListNotify(LParam l, const std::function<void()>& on_focus, const std::function<void()>& show,
                                   const std::function<void()>& remove) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (header->code == kNmSetFocus) {
    on_focus();
    return true;
  }
  if (header->code == kLvnItemChanged) {
    if (!m_program_selects) show();
    return true;
  }
  if (header->code == kLvnKeyDown && reinterpret_cast<ListViewNotify*>(l)->key == kVkDelete) {
    remove();
    return true;
  }
  return false;
}

int CDictionaryPage::DestroyWindow() {
  if (IsWindow() && !IsDialogForm()) {
    if (!CheckBeforeLeaving()) return 0;
    if (og_save_if_changed(0) != 0) return 0;
  }
  return CResizableDialog::DestroyWindow();
}

void CDictionaryPage::SaveFiles() {
  if (!CheckBeforeLeaving()) return;
  // The first save of a school in the Italian interface gives the subjects
  // the options their names suggest; the structure records that it did.
  if (g_ui_structure.status[6] != '1') ui_set_default_subject_flags(-1);
  if (!og_save_school_files()) return;
  if (IsDialogForm()) EndDialog(kDialogFormEnd);
}

void CDictionaryPage::Abandon() {
  if (IsDialogForm()) {
    EndDialog(kDialogFormEnd);
    return;
  }
  alfadlg_go_to_page(kPageReopen);
}

void CDictionaryPage::OnOK() { OnEnter(Window::GetFocus()); }

bool CDictionaryPage::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked && command_id(w) >= 0) {
    if (command_id(w) == m_save_id) {
      SaveFiles();
      return true;
    }
    if (command_id(w) == m_abandon_id) {
      Abandon();
      return true;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

void CDictionaryPage::OnCancel() {
  if (IsDialogForm()) {
    EndDialog(kDialogFormEnd);
    return;
  }
  CResizableDialog::OnCancel();
}
