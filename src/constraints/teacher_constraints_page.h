// Cvipro: the page "8 Vincoli Professori", the personal constraints of one
// teacher at a time, edited in place in the working teacher record. The
// page chooses the teacher (combo, previous, next), keeps a snapshot of the
// record taken when the teacher became current to see whether it changed,
// asks to save when the user moves to another teacher, saves, drops the
// edits or starts a test run of the teacher, and shows the teacher's posts
// for reading. The fields and their immediate rules are in
// teacher_constraint_fields.h; the defaults shown in unset fields and the
// checks run before a teacher is left are in teacher_constraint_checks.cpp.
//
// Invariants: while a teacher is current, copies of the posts in which he
// is the partner stand in his list; they are taken out before every
// comparison with the snapshot, before leaving and before writing, and put
// back afterwards. The current teacher, the "asked once" flag and the
// save-without-asking byte outlive the window.
#pragma once

#include <array>
#include <cstdint>

#include "pickers/band_table_picker.h"
#include "pickers/summary_buttons.h"
#include "constraints/teacher_constraint_defaults.h"
#include "constraints/teacher_constraint_fields.h"
#include "pickers/week_grid_picker.h"
#include "schooldata/ui_school_model.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/help_pane.h"
#include "shell/resizable_dialog.h"
#include "structure/teacher_page_state.h"

// The teacher the teacher pages show first (the last one shown). The byte
// that saves a changed teacher without asking is the frame-wide g_auto_save
// that every teacher page shares.
extern int g_vipro_current_teacher;

class Cvipro : public CResizableDialog {
 public:
  static constexpr int kTemplate = 152;
  static constexpr int kTeacherId = 3100, kPreviousId = 3101, kNextId = 3102, kPostsId = 3103;
  static constexpr int kReceptionId = 3104, kStandbyId = 3105, kSupportId = 3106;
  static constexpr int kFictitiousIds[2] = {3107, 3108};
  static constexpr int kSpecialLabelId = 3109, kRareCaptionId = 3110;
  static constexpr int kMaxBudayId = 3073;
  static constexpr int kNoGapIds = 3120, kFreeDayIds = 3130, kSecondFreeDayIds = 3140;  // + day
  static constexpr int kConsecutiveId = 3150, kReleaseId = 3151;
  static constexpr int kForbiddenId = 3160, kPresenceDerogationsId = 3161, kLessonDerogationsId = 3162;
  static constexpr int kPresetIds = 3163;  // + 0 nothing, 1 first, 2 last, 3 balanced
  static constexpr int kTestId = 3167, kHiddenTestId = 3168, kSaveId = 3169, kAbandonId = 3170, kHowToId = 3171;
  static constexpr int kAutoSaveId = 3172, kHelpPaneId = 3173, kFullDaysAndId = 3174;
  static constexpr int kDayCaptionIds = 3180;  // + day
  static constexpr int kHelpIds = 3200;        // + VhHelp

  Cvipro() : CResizableDialog(kTemplate, nullptr, kt::ui::rgb(244, 244, 244)) {}

  int DestroyWindow() override;
  int CurrentTeacher() const { return m_teacher; }

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;

 private:
  bool Valid() const { return m_teacher >= 0 && m_teacher < TeacherCount(); }
  static int TeacherCount();
  UiTeacher& Teacher() { return g_ui_teachers[m_teacher]; }
  void FillCombos();
  void ShowTeacher();
  void MakeCurrent(bool announce);
  void ChangeTeacher();
  void Navigate(int step);
  bool SaveIfChanged();
  bool Changed();
  // Checks run before the teacher is left, saved or tested; true passes.
  bool CheckTeacher();
  bool CheckIdleHours(int gmax);
  void FillDefaults();
  void StripDefaults();
  // Refuses with a message and the focus on a control; fills the defaults in again.
  bool Refuse(const char* text, int focus_id);
  bool Abandon();

  void OnCombo(int id);
  void OnMaxBuday();
  void OnBox(int id);
  void OnPreset(int preset);
  void OnForbiddenHours();
  void OnDerogations(bool lesson);
  void OnSave();
  void OnTest();
  void OnAutoSave();
  void OnHelp(int topic);

  int m_teacher = 0;
  UiTeacher m_snapshot{};
  bool m_free_days_changed = false;
  TeacherDefaults m_defaults;
  SchoolShape m_shape;
  Cdwh m_grid;
  Chq2 m_lesson_picker, m_presence_picker;

  std::array<kt::ui::ComboBox, 57> m_combos;  // bound in the order of vipro_combos()
  kt::ui::ComboBox m_teachers, m_maxbuday;
  kt::ui::ListView m_posts;
  std::array<CCheck, 7> m_no_gap, m_free_day, m_second_free_day;
  CCheck m_consecutive, m_release, m_reception, m_auto_save;
  std::array<CCheck, 2> m_fictitious;
  CMuto m_standby, m_support, m_special_label, m_rare_caption;
  CBW_dwh m_forbidden;
  CBW_HQ2 m_presence_derogations, m_lesson_derogations;
  CSpiegaML m_help;
  CColorButton m_previous, m_next, m_test, m_save, m_abandon, m_howto;
};

// Registers template 152; idempotent.
void ui_register_teacher_constraints_templates();
