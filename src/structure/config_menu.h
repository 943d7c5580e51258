// Cmenu_confora, the page "Generale Configurazione": the overview of the
// configuration steps. One large captioned button and one small icon button
// per step open the same page of the structure and constraint editors, four
// buttons run the imports (Italian interface only), "?" buttons fill the
// help pane or open the advice guide, and a list sums up the school's
// teaching load. The page edits nothing; on entry it re-reads both school
// files so that every step starts from what is on disk.
//
// The import windows belong to the school-data imports; the program hands
// them over through config_menu_imports(), and a missing one answers that
// the function is not available yet. The summary is recomputed on every
// entry: at most 500 teachers x 40 posts.
#pragma once

#include <string>
#include <vector>

#include "remote/guide_windows.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/help_pane.h"
#include "shell/plain_buttons.h"
#include "shell/resizable_dialog.h"

struct ConfigMenuImports {
  // Each runs its import window modally; null: not available.
  void (*sissi)(int mode) = nullptr;  // mode 0: import
  void (*orario_facile)() = nullptr;
  void (*spreadsheet)() = nullptr;
  void (*sissi_codes)() = nullptr;
  // The three-week split tool of the service mode.
  void (*week_split)() = nullptr;
};
ConfigMenuImports& config_menu_imports();

class Cmenu_confora : public CResizableDialog {
 public:
  static constexpr int kTemplate = 137;
  static constexpr int kSteps = 22;  // 21 steps and the processing menu
  static constexpr int kIcons = 21;  // the processing menu has none
  static constexpr int kFirstStepId = 2001, kFirstIconId = 2101;
  static constexpr int kProcessingTextId = 2023;  // the second caption of the processing step
  enum Help {
    kHowToFirst = 2201, kHowToCriteria, kHowToCheck, kHowToSecond, kReadHere, kReadIcon, kImportQuestion,
    kImportIcon, kAdvice, kAdviceIcon
  };
  enum Import { kSissi = 2301, kOrarioFacile, kSpreadsheet, kSissiCodes };
  static constexpr int kServiceId = 2310;
  static constexpr int kFirstGroupId = 2401, kGroups = 5;
  static constexpr int kHelpId = 2500, kSummaryId = 2501;

  Cmenu_confora() : CResizableDialog(kTemplate, nullptr, kt::ui::rgb(244, 244, 244)) {}

  // The summary lines for the working model (service lines included when
  // service is set).
  static std::vector<std::string> SummaryLines(bool service);

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnCancel() override;
  void OnDestroy() override;

 private:
  void OnStep(int index);
  void OnIcon(int index);
  void OnProcessingText();
  void OnHelpButton(int index);
  void OnImport(int index);
  void OnService();
  void RunStep(int index);
  void FillSummary();
  // False (after the message) when the school's files did not read.
  bool ReadSchoolFiles(int create);

  MLButton m_steps[kSteps];
  CColorBitmap m_icons[kIcons];
  CColorBitmap m_help_icons[7];
  CColorButton m_imports[4];
  CColorButton m_service;
  CColorButton m_import_question;
  CCheckML m_groups[kGroups];
  CSpiegaML m_help;
  kt::ui::ListBox m_summary;
  Clegsimco m_notice;

  KT_DECLARE_MESSAGE_MAP()
};

extern Cmenu_confora g_config_menu;
void ui_register_config_menu_template();
