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
#include "structure/unsaved_changes_prompt.h"

using namespace kt::ui;

namespace {


void read_school_files() {
  og_read_school_files(0);
}

}  // namespace

void CParamPageBase::InitPage(const char* current_title) {
  FitIntoPageArea();
  ShowGrip(false);
  ui_set_current_dialog_title(current_title);
}

bool CParamPageBase::SaveSchool() {
  BeforeLeaving();
  return og_save_school_files();
}

void CParamPageBase::PostFrameCommand(int command) {
  Window* frame = GetParent();
  if (frame && IsPage()) frame->PostMessage(kMsgCommand, make_command_param(command, 0), 0);
}

bool CParamPageBase::AbandonEdits() {
  BeforeLeaving();
  if (og_save_if_changed(1) == 1 && ui_message_box_type(g_abandon_question.Get(), 36) != 6) return false;
  read_school_files();
  PostFrameCommand(kPageReopen);
  return true;
}

void CParamPageBase::OnCancel() {
  BeforeLeaving();
  if (og_save_if_changed(1) == 1 && ui_message_box_type(g_abandon_question.Get(), 36) != 6) {
    // Kept edits: the close path meets the unsaved-changes prompt.
    CResizableDialog::OnCancel();
    return;
  }
  read_school_files();
  CResizableDialog::OnCancel();
}

int CParamPageBase::DestroyWindow() {
  if (IsWindow()) {
    BeforeLeaving();
    // A failed save (-1) keeps the page too: staying loses nothing.
    if (og_save_if_changed(0) != 0) return 0;
  }
  return CResizableDialog::DestroyWindow();
}
