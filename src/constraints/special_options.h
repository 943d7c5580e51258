// Coraspec: the special options page (15.1 to 15.95): exceptions to the
// idle-hour rules, the treatment of assistants, the Saturday/Monday rule,
// the lunch break and afternoon returns, primary-school options and a few
// technical parameters of the solver. Every control writes its field of the
// working settings at once (15.95 is a preference of the program kept in the
// status file); the school files get them when the page saves. The two
// exceptional-day tables are those of the general-parameter pages, and 15.4
// opens the teaching-weight dialog.
//
// No state beyond the controls: the model is the state, and the page is
// made again on every visit.
#pragma once

#include <array>

#include "pickers/band_table_triple.h"
#include "constraints/param_page_base.h"
#include "pickers/summary_buttons.h"
#include "structure/afternoon_returns_question.h"
#include "schooldata/ui_school_model.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"

class Coraspec : public CParamPageBase {
 public:
  static constexpr int kTemplate = 129;
  // Options.
  static constexpr int kAnyIdleId = 1301, kTwoIdleId = 1302, kContiguousId = 1303;
  static constexpr int kAssistantId = 1304, kNoRestId = 1305, kDeductionId = 1306;
  static constexpr int kExtraIds[2] = {1307, 1308};
  static constexpr int kWeightId = 1309;
  static constexpr int kLunchHourId = 1310, kLunchMinId = 1311, kLunchMaxId = 1312, kAfterReturnId = 1313;
  static constexpr int kClassReturnsId = 1314, kNoBuildingChangeId = 1315, kCoTeachingId = 1316;
  static constexpr int kSingleUnitId = 1317, kHalfHourId = 1318;
  static constexpr int kSatMonIds[4] = {1319, 1320, 1321, 1322};
  static constexpr int kDifficultId = 1323, kPhaseId = 1324, kMpoId = 1325, kChangeAfterId = 1326, kNoicId = 1327;
  // Captions of the combos and of groups.
  static constexpr int kFirstCaptionId = 1350;  // 1350 .. 1362
  static constexpr int kCaptionCount = 13;
  // "?" buttons, in the order of the help table.
  static constexpr int kFirstHelpId = 1401;  // 1401 .. 1415
  static constexpr int kHelpCount = 15;
  static constexpr int kHelpPaneId = 1420, kSaveId = 1421, kAbandonId = 1422, kHowToId = 1423, kReminderId = 1424;

  Coraspec() : CParamPageBase(kTemplate) {}

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override;
  void BeforeLeaving() override;
  bool CheckBeforeLeaving() override;
  void ShowReadValues() override;

 private:
  void FillCombos();
  void ShowOptions();
  void RefreshLunch();
  void EnableContiguous();
  void OnIdleBox(int box);
  void OnAnyIdle() { OnIdleBox(0); }
  void OnTwoIdle() { OnIdleBox(1); }
  void OnSimpleOption(int index);
  void OnLunchHour();
  void OnLunchDuration(int which);
  void OnLunchMin() { OnLunchDuration(0); }
  void OnLunchMax() { OnLunchDuration(1); }
  void OnAfterReturn();
  void OnSatMon(int bit);
  void OnNoic();
  void OnExtra(int table);
  void OnPresence() { OnExtra(0); }
  void OnTeaching() { OnExtra(1); }
  void OnWeight();
  void OnHelp(int index);
  void OnSave() { SaveSchool(); }
  void OnAbandon() { AbandonEdits(); }
  void OnHowTo();
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;

  std::array<Chq3, 2> m_extra_pickers;
  std::array<UiHq3Table, 2> m_extra_defaults{};

  std::array<CCheckML, 3> m_idle;
  std::array<CCheckML, 5> m_checks;          // the other one-byte check boxes, in table order
  std::array<kt::ui::ComboBox, 6> m_combos;  // the one-byte combos, in table order
  std::array<CStaticML, kCaptionCount> m_captions;
  std::array<CBW_HQ3, 2> m_extras;
  CColorButton m_weight;
  kt::ui::ComboBox m_lunch_hour, m_lunch_min, m_lunch_max, m_after_return;
  LunchHourList m_lunch_hours;
  std::array<CCheckML, 4> m_sat_mon;
  CCheckML m_noic;
  kt::ui::Edit m_change_after;
  std::array<CColorButton, kHelpCount> m_helps;
  CSpiegaML m_help;
  CColorButton m_save, m_abandon, m_howto;
  CStaticML m_reminder;

  KT_DECLARE_MESSAGE_MAP()
};

// Registers template 129; idempotent.
void ui_register_special_options_templates();
