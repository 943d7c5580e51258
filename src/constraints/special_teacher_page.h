// Cvidia, the page "9 Vincoli speciali": the rarely used personal
// constraints of one teacher at a time (part-time days of break, moves
// between buildings, a never-overlapping partner, car sharing, three
// personal band tables, a personal lunch break and a dozen single rules),
// written at once into the working teacher record. The page chooses the
// teacher (combo, previous, next), keeps a byte copy of the record taken
// when the teacher was shown, asks to save a changed teacher on leaving,
// saves, and starts test computations for the teacher or his classes.
//
// Invariants: the two partner links are kept mutual by CheckPartners, run
// before every leave, save and test; a personal lunch break equal to the
// school's is cleared on leaving (the teacher follows the school); while a
// teacher is current his partner-post copies stand in his list and are
// taken out before every comparison and write.
#pragma once

#include <array>
#include <cstdint>

#include "pickers/band_table_picker.h"
#include "pickers/summary_buttons.h"
#include "schooldata/ui_school_model.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/help_pane.h"
#include "shell/resizable_dialog.h"
#include "structure/afternoon_returns_question.h"

class Cvidia : public CResizableDialog {
 public:
  static constexpr int kTemplate = 155;
  enum Id {
    kTeacherId = 1000, kPreviousId, kNextId, kPostsId, kWarningId,
    kBreakDaysId = 1010, kMoveModeId, kWeekMovesId, kOverlapId, kCarShareId, kWaitId,
    kGroupingId = 1020, kEnterExitId, kLastHoursId,
    kLunchHourId = 1030, kLunchMinId, kLunchMaxId, kAfterReturnId,
    kLabBreakId = 1040, kServiceFirstId, kServiceSecondId, kNoGapTwoId, kNoGapThreeId,
    kGroupFirstId = 1050, kGroupSecondId, kEarlyId, kLateId, kRestHourId, kRestFromId, kRestToId,
    kDoubleStartId = 1060, kDoubleEndId, kFridayId, kShortDayId, kShortDayHoursId,
    kPriorityId = 1070, kLabId, kSchoolId, kPtkkId, kFictitiousFreeId, kFictitiousCheckedId, kSupportId,
    kAutoSaveId = 1080, kTestTeacherId, kTestClassesId, kSaveId, kAbandonId, kHelpPaneId, kHowToId, kTechHelpId,
  };

  static constexpr std::array<int, 19> kComboIds = {
      kBreakDaysId, kMoveModeId, kWeekMovesId, kOverlapId, kCarShareId, kWaitId, kLunchHourId,
      kLunchMinId, kLunchMaxId, kAfterReturnId, kGroupFirstId, kGroupSecondId, kEarlyId, kLateId,
      kRestHourId, kRestFromId, kRestToId, kShortDayHoursId, kPriorityId};
  static constexpr std::array<int, 16> kBoxIds = {
      kLabBreakId, kServiceFirstId, kServiceSecondId, kNoGapTwoId, kNoGapThreeId, kDoubleStartId,
      kDoubleEndId, kFridayId, kShortDayId, kLabId, kSchoolId, kPtkkId, kFictitiousFreeId,
      kFictitiousCheckedId, kSupportId, kAutoSaveId};

  Cvidia() : CResizableDialog(kTemplate, nullptr, kt::ui::rgb(244, 244, 244)) {}

  int DestroyWindow() override;
  // Set by an opener that wants previous/next to stop only at lab-assistant
  // (1) or conversation (2) teachers; 0 every teacher.
  static int s_only_kind;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;

 private:
  // special_teacher_page.cpp: teacher choice, leaving, saving, testing.
  bool Valid() const;
  UiTeacher& Teacher() { return g_ui_teachers[m_teacher]; }
  bool CheckPartners();
  void NormaliseLunch();
  void ShowTeacher(bool leaving);
  void Navigate(int step);
  void OnSave();
  void OnTest(bool classes);
  void FillPosts();

  // special_teacher_fields.cpp: the controls and their rules.
  void FillCombos();
  void Refresh();
  void OnCombo(int id);
  void OnBox(int id);
  void OnBand(int id);
  void OnLunch(int id);
  void OnPartnerChosen(int id);
  void OnPartnerTyped(int id);
  void SetPartner(bool car, int partner);

  int m_teacher = -1;
  int m_days = 0, m_longest = 0;
  UiTeacher m_copy{};
  LunchHourList m_lunch_hours;  // the hours of the current teacher's list
  bool m_asked_once = false;

  kt::ui::ComboBox& Combo(int id);
  CCheck& Box(int id);

  std::array<kt::ui::ComboBox, kComboIds.size()> m_combos;
  std::array<CCheck, kBoxIds.size()> m_boxes;
  kt::ui::ComboBox m_teachers;
  kt::ui::ListView m_posts;
  std::array<CBW_HQ2, 3> m_bands;
  Chq2 m_band_picker;
  CMuto m_warning;
  CSpiegaML m_help;
  CColorButton m_previous, m_next, m_test_teacher, m_test_classes, m_save, m_abandon, m_howto, m_tech_help;

};

// Registers template 155; idempotent.
void ui_register_special_teacher_template();
