// CParamPageBase: what the general-parameter pages and the special options
// page share as pages of the frame: saving both school files, abandoning
// the edits (re-reading the files and re-opening the page), Esc, and the
// refusal to close while the unsaved-changes prompt says "stay". The pages
// edit the working settings in place; the model is their state.
#pragma once

#include "shell/help_pane.h"
#include "shell/resizable_dialog.h"

class CParamPageBase : public CResizableDialog {
 public:
  explicit CParamPageBase(int template_id) : CResizableDialog(template_id, nullptr, kt::ui::rgb(244, 244, 244)) {}

  // Refused (returns 0) while the unsaved-changes check keeps the user here.
  int DestroyWindow() override;

 protected:
  // Page set-up shared by both pages: fit into the frame, no grip, the
  // current dialog title.
  void InitPage(const char* current_title);
  // Writes "scuola1.txt" and "scuola2.txt" as one step; false, after telling
  // the user which file failed and why, when they were not written.
  bool SaveSchool();
  // Asks "Sicuro di abbandonare le modifiche ?" (in the user's language)
  // when there are changes; on Yes (or without changes) reads both files
  // again and asks the frame to re-open the page. Returns true when the
  // files were read again.
  bool AbandonEdits();
  void OnCancel() override;
  // Called before the page is closed or left (the special options page
  // copies its text field into the model there).
  virtual void BeforeLeaving() {}
  // A page's own check of what the user typed, before it is saved or the
  // page closed: false, after telling the user and putting the focus on the
  // faulty control, keeps the user on the page and the files as they were.
  virtual bool CheckBeforeLeaving() { return true; }
  // After an abandon has read the files again: a control whose text reaches
  // the model only on leaving shows the model's value again.
  virtual void ShowReadValues() {}
  void PostFrameCommand(int command);
};
