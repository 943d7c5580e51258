// Behaviour of the unsaved-changes question (see unsaved_changes_prompt.h).
// Only the four buttons end it; once "save always" was chosen the question
// is answered 1 without opening its window, so a caller that leaves many
// pages in a row saves each time without interrupting the user.
#include "structure/unsaved_changes_prompt.h"

#include "platform/cp1252.h"
#include "schooldata/ui_school_model.h"
#include "structure/input_box.h"

using namespace kt::ui;

std::uint8_t g_autosave_this_run = 0;

const MlText g_abandon_question = {"Sicuro di abbandonare le modifiche ?", "Änderungen wirklich verwerfen ?"_cp,
                                   "Really discard the changes ?"};

LResult CDaticambia::DoModal() {
  ui_register_structure_templates();
  if (g_autosave_this_run) return 1;
  return CDialogML::DoModal();
}

void CDaticambia::DoDataExchange(DataExchange& dx) {
  dx.Control(kTextId, m_text);
  dx.Control(kSaveId, m_buttons[0]);
  dx.Control(kSaveAlwaysId, m_buttons[1]);
  dx.Control(kDiscardId, m_buttons[2]);
  dx.Control(kStayId, m_buttons[3]);
}

bool CDaticambia::OnInitDialog() {
  CDialogML::OnInitDialog();
  if (g_autosave_this_run) EndDialog(1);
  return true;
}

bool CDaticambia::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kSaveId:
        EndDialog(1);
        return true;
      case kSaveAlwaysId:
        g_autosave_this_run = 1;
        EndDialog(1);
        return true;
      case kDiscardId:
        EndDialog(2);
        return true;
      case kStayId:
        EndDialog(3);
        return true;
      default:
        break;
    }
  }
  return CDialogML::OnCommand(w, l);
}

bool CDaticambia::PreTranslateMessage(Message& m) {
  bool enter = (m.message == kMsgKeyDown && m.wparam == WParam(kVkReturn)) ||
               (m.message == kMsgChar && m.wparam == WParam('\r'));
  if (enter) return true;
  return CDialogML::PreTranslateMessage(m);
}

int ui_ask_unsaved_changes() {
  CDaticambia prompt;
  return int(prompt.DoModal());
}

void ui_install_unsaved_changes_prompt() { og_set_unsaved_changes_prompt(&ui_ask_unsaved_changes); }
