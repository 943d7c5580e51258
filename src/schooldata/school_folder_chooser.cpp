// Behaviour of the school-folder chooser (see school_folder_chooser.h):
// filling the list from the current folder, entering a row by double click
// or OK, the OK caption that follows the selection, creating a new school,
// and Cancel going back to the folder of the opening. User-interface thread
// only.
#include "schooldata/school_folder_chooser.h"

#include <algorithm>

#include "platform/cp1252.h"
#include "platform/dialog_template.h"
#include "shell/app_startup.h"
#include "shell/caption_translation.h"
#include "shell/clipboard.h"
#include "shell/file_services.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"

using namespace kt::ui;

namespace {

const MlText kOkConfirm = {"[Invio] Conferma Cartella Scelta e Ritorna",
                           "[Enter] Gewählten Ordner bestätigen und zurück"_cp,
                           "[Enter] Confirm the chosen Folder and go back"};
const MlText kOkChoose = {"[Invio] Scegli Cartella", "[Enter] Ordner wählen"_cp, "[Enter] Choose Folder"};
const MlText kFolderColumn = {"Cartella", "Ordner", "Folder"};
const MlText kSchoolColumn = {"Scuola", "Schule", "School"};

}  // namespace

Cselscuole::Cselscuole() : CResizableDialog(kTemplate) {
  m_hooks.tell = [](const std::string& text) { ui_message_box(text.c_str()); };
}

LResult Cselscuole::DoModal() {
  ui_register_school_folder_template();
  return CResizableDialog::DoModal();
}

void Cselscuole::DoDataExchange(DataExchange& dx) {
  dx.Control(kListId, m_list);
  dx.Control(kHelpId, m_help);
}

bool Cselscuole::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  if (Window* service = GetDlgItem(kServiceId)) service->ShowWindow(m_service_mode ? kSwShow : kSwHide);
  m_opening_folder = m_create_mode && !m_current_folder.empty() ? m_current_folder : og_current_folder_path();
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | kLvsExGridLines | kLvsExFullRowSelect);
  if (const DialogTemplate* t = find_dialog_template(kTemplate))
    SetWindowText(ui_translate_caption_copy(t->caption ? t->caption : "", g_ml_dialog_titles));
  m_list.InsertColumn(0, kFolderColumn.Get(), kLvcfmtLeft, 16 * 8);
  m_list.InsertColumn(1, kSchoolColumn.Get(), kLvcfmtLeft, 72 * 6);
  Fill(false);
  m_opening_code = m_current_school_code;
  m_help.SetText(school_folder_text(SchoolFolderText::kHelp, ui_language()));
  if (m_create_mode) {
    // Nothing made: the officer is back in the school he had open.
    if (og_create_new_school(m_hooks, m_opening_code, ui_language()) == 0)
      EndDialog(kIdOk);
    else
      OnCancel();
  }
  return true;
}

void Cselscuole::Fill(bool select_self) {
  std::string here = og_current_folder_path();
  SetDlgItemText(kPathId, ui_shown_path(here));
  SchoolFolderListing listing = og_list_school_folders(here, select_self, ui_language());
  m_list.DeleteAllItems();
  int widest_title = 0;
  for (const SchoolFolderRow& row : listing.rows) {
    int at = m_list.InsertItem(m_list.GetItemCount(), row.name);
    m_list.SetItemText(at, 1, row.title);
    widest_title = std::max(widest_title, m_list.GetStringWidth(row.title));
  }
  // A long title gets room to be read whole; then both columns are fitted
  // into the list, so that it never needs a sideways scroll.
  if (widest_title * 6 / 5 > m_list.GetColumnWidth(1)) m_list.SetColumnWidth(1, widest_title * 6 / 5);
  ui_fit_list_columns(m_list, -1, -1, false);
  SetDlgItemText(kIdOk, kOkConfirm.Get());
  if (listing.selected >= 0)
    m_list.SetItemState(listing.selected, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
  ShowOkCaption();
}

void Cselscuole::ShowOkCaption() {
  int selected = m_list.GetNextItem(-1, kLvniSelected);
  SetDlgItemText(kIdOk, (selected >= 0 ? kOkChoose : kOkConfirm).Get());
}

std::string Cselscuole::OpenSelectedRow() {
  int selected = m_list.GetNextItem(-1, kLvniSelected);
  if (selected < 0) return "";
  std::string name = m_list.GetItemText(selected, 0);
  std::string here = og_current_folder_path();
  if (here.empty() || here.back() != '\\') here += '\\';
  og_set_current_folder((here + name).c_str());
  Fill(false);
  m_list.SetFocus();
  return name;
}

bool Cselscuole::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kCreateId:
        Fill(og_create_new_school(m_hooks, m_opening_code, ui_language()) == 0);
        return true;
      case kHowId:
        m_help.SetText(school_folder_text(SchoolFolderText::kHelp, ui_language()));
        return true;
      case kServiceId: {
        char pasted[41] = {};
        ui_paste_text_from_clipboard(pasted, sizeof pasted);
        og_service_extraction(pasted, m_hooks.tell, ui_language());
        EndDialog(0);
        return true;
      }
      case kTransferId:
        if (m_show_transfer_guide) m_show_transfer_guide();
        return true;
      default:
        break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

bool Cselscuole::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (header && header->id == kListId) {
    if (header->code == kNmDblClk) {
      if (OpenSelectedRow() == ".") EndDialog(kIdOk);
      return true;
    }
    if (header->code == kLvnItemChanged) {
      ShowOkCaption();
      return true;
    }
  }
  return CResizableDialog::OnNotify(w, l, result);
}

void Cselscuole::OnOK() {
  if (m_list.GetNextItem(-1, kLvniSelected) < 0) return EndDialog(kIdOk);
  if (OpenSelectedRow() != "..") EndDialog(kIdOk);
}

void Cselscuole::OnCancel() {
  og_set_current_folder(m_opening_folder.c_str());
  EndDialog(kIdCancel);
}
