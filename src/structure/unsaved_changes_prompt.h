// CDaticambia: the question asked when the user leaves a page while the
// working school model differs from what was last read or saved. It only
// answers: 1 save, 2 discard (read the files again), 3 stay on the page.
// One button also switches on saving without asking for the rest of the
// program run (g_autosave_this_run, never stored); from then on the prompt
// answers 1 at once without being shown. Enter and Esc do nothing.
#pragma once

#include <cstdint>

#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/dialog_ml.h"
#include "shell/ml_text.h"

// "Sicuro di abbandonare le modifiche ?": the question every page asks
// before it drops the user's edits.
extern const MlText g_abandon_question;

// 1 after "save always in this session"; never cleared while the program runs.
extern std::uint8_t g_autosave_this_run;

class CDaticambia : public CDialogML {
 public:
  static constexpr int kTemplate = 270;
  static constexpr int kTextId = 1300;
  static constexpr int kSaveId = 1301;
  static constexpr int kSaveAlwaysId = 1302;
  static constexpr int kDiscardId = 1303;
  static constexpr int kStayId = 1304;

  CDaticambia() : CDialogML(kTemplate) {}
  kt::ui::LResult DoModal() override;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  // Enter would press the focused button; the question wants a click.
  bool PreTranslateMessage(kt::ui::Message& m) override;
  void OnOK() override {}
  void OnCancel() override {}

 private:
  CStaticML m_text;
  CColorButton m_buttons[4];
};

// Runs the prompt; the answer as above.
int ui_ask_unsaved_changes();
// Installs the prompt as the school model's unsaved-changes question.
void ui_install_unsaved_changes_prompt();
