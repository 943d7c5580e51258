// Behaviour of the destination folder choice (see
// destination_folder_choice.h): the two folder buttons take the caller's
// texts as captions when the window opens and end the choice with their
// codes; the back button and Esc end it with -1.
#include "structure/destination_folder_choice.h"

#include "structure/input_box.h"

using namespace kt::ui;

LResult Ccanuco::DoModal() {
  ui_register_structure_templates();
  return CResizableDialog::DoModal();
}

void Ccanuco::DoDataExchange(DataExchange& dx) {
  dx.Control(kCurrentId, m_current);
  dx.Control(kSavedId, m_saved);
  dx.Control(kBackId, m_back);
}

bool Ccanuco::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  m_current.SetCaption(m_current_folder.c_str());
  m_saved.SetCaption(m_saved_folder.c_str());
  return true;
}

bool Ccanuco::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kCurrentId:
        EndDialog(kCurrentResult);
        return true;
      case kSavedId:
        EndDialog(kSavedResult);
        return true;
      case kBackId:
        EndDialog(-1);
        return true;
      default:
        break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

void Ccanuco::OnCancel() { EndDialog(-1); }
