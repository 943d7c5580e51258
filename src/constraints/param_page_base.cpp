// Save, abandon, Esc and close of the parameter pages (see
// param_page_base.h). Frame commands are posted, not sent, so the page's
// own handler has returned before the frame re-creates or closes it.
#include "constraints/param_page_base.h"

#include "schooldata/description_reader.h"
#include "schooldata/school_files.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/dialog_title.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"
#include "platform/cp1252.h"

using namespace kt::ui;

namespace {

// The parameter pages' own wording of the question (the other pages ask
// with the shared g_abandon_question).
const MlText kAbandonQuestion = {"Sicuro di abbandonare le modifiche ?", "Änderungen verlassen - sicher?"_cp,
                                 "Sure to drop changes?"};

void read_school_files() {
  og_read_school_files(0);
}

// True when there are no changes, or the user agrees to drop them.
bool may_drop_changes() {
  return og_save_if_changed(1) != 1 || ui_message_box_type(kAbandonQuestion.Get(), 36) == 6;
}

}  // namespace

void CParamPageBase::InitPage(const char* current_title) {
  FitIntoPageArea();
  ShowGrip(false);
  ui_set_current_dialog_title(current_title);
}

bool CParamPageBase::SaveSchool() {
  if (!CheckBeforeLeaving()) return false;
  BeforeLeaving();
  return og_save_school_files();
}

void CParamPageBase::PostFrameCommand(int command) {
  Window* frame = GetParent();
  if (frame && IsPage()) frame->PostMessage(kMsgCommand, make_command_param(command, 0), 0);
}

bool CParamPageBase::AbandonEdits() {
  BeforeLeaving();
  if (!may_drop_changes()) return false;
  read_school_files();
  ShowReadValues();
  PostFrameCommand(kPageReopen);
  return true;
}

void CParamPageBase::OnCancel() {
  BeforeLeaving();
  // Kept edits: the close path meets the unsaved-changes prompt. Dropped
  // ones: the files are read again and the page re-opened from them before
  // the frame closes it (both commands are posted, in that order).
  if (may_drop_changes()) {
    read_school_files();
    ShowReadValues();
    PostFrameCommand(kPageReopen);
  }
  CResizableDialog::OnCancel();
}

int CParamPageBase::DestroyWindow() {
  if (IsWindow()) {
    if (!CheckBeforeLeaving()) return 0;
    BeforeLeaving();
    // A failed save (-1) keeps the page too: staying loses nothing.
    if (og_save_if_changed(0) != 0) return 0;
  }
  return CResizableDialog::DestroyWindow();
}
