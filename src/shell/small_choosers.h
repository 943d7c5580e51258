// Two small modal choosers: CSTools, the service-tools chooser whose result
// is the code of the maintenance action picked (the home page carries it
// out), and Ctipode, the school-type chooser of a new school, whose result
// is calendar index + 10 x level index (40-43, 50-53). Both are built on
// the stack by their callers and run once; they keep only their controls
// and, for CSTools, mirror the process-wide "Forza release" flag.
#pragma once

#include "platform/ui.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/dialog_ml.h"

// Checked "Forza release" in the service tools (1 checked, 0 not).
extern int g_force_release;

// Registers the choosers' dialog templates (251 and 232); idempotent.
void ui_register_chooser_templates();

class CSTools : public kt::ui::Dialog {
 public:
  static constexpr int kTemplate = 251;
  static constexpr int kVersionId = 1839;
  static constexpr int kForceReleaseId = 1092;
  static constexpr int kJollyId = 1038;
  static constexpr int kUnusedId = 1042;
  static constexpr const char* kVersion = "6.1.M";

  CSTools(kt::ui::Window* parent = nullptr);
  kt::ui::LResult DoModal() override;
  // The result code of a button (0 when the button ends nothing).
  static int CodeOf(int control_id);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
};

class Ctipode : public CDialogML {
 public:
  static constexpr int kTemplate = 232;
  static constexpr int kChecks[6] = {1095, 1092, 1093, 1094, 1099, 1469};
  static constexpr int kPictures[2] = {1541, 1542};
  static constexpr int kPictureIds[2] = {1543, 1544};
  static constexpr int kTextId = 1545;

  Ctipode(kt::ui::Window* parent = nullptr);
  kt::ui::LResult DoModal() override;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnOK() override;

 private:
  CColorButton m_ok;
  CCheckML m_checks[6];
  kt::ui::StaticText m_pictures[2];
  CStaticML m_text;
};
