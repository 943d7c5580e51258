// Cvicat, the page "7 Vincoli cattedre": the constraints that bind the
// single teaching posts of one teacher. The user picks a teacher and one of
// his posts, and edits the post's constraints in two parallel panels: panel
// A for the main-subject hours, panel B for the lab, conversation or
// co-teacher hours. Edits go into the working teacher record at once; the
// school files are written on save, on a change of teacher, or when the
// frame leaves the page.
//
// Behaviour is split by unit: the page frame, the current teacher and the
// post list (post_constraints_page.cpp), the two panels and their editors
// (post_constraints_panels.cpp) and the checks run before a teacher is
// saved, tested or left (post_constraint_validation.cpp).
//
// Invariants: while a teacher is current his list holds the partner copies;
// they are taken out before the record is compared with m_snapshot, left or
// written. m_post is null or points into the current teacher's posts.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "pickers/band_table_double.h"
#include "pickers/band_table_picker.h"
#include "pickers/week_grid_picker.h"
#include "schooldata/ui_school_model.h"
#include "shell/color_button.h"
#include "shell/help_pane.h"
#include "shell/list_utilities.h"
#include "shell/resizable_dialog.h"

class Cvicat : public CResizableDialog {
 public:
  static constexpr int kTemplate = 151;
  static constexpr int kButtonCount = 12;  // owner-drawn buttons of the page
  static constexpr int kTeacherListId = 1017, kPreviousId = 1031, kNextId = 1049, kPostListId = 1112,
                       kSaveId = 1003, kAbandonId = 1066, kTryTeacherId = 1004, kTryClassesId = 1204,
                       kAutoSaveId = 1092, kHowToId = 1245, kTestHelpId = 1046, kListCaptionId = 1300,
                       kStandbyId = 1301, kReceptionId = 1302, kSupportId = 1303, kDummyFreeId = 1304,
                       kDummyCheckedId = 1305, kHelpId = 1306;
  // The controls of one panel; panel 0 is A (main subject), 1 is B.
  struct PanelIds {
    int joined, classwork, first, last, no_break, daily, grouping, forbidden, excluded, subgroup, building,
        placement, class_text, hours_text, subject_text;
  };
  static constexpr PanelIds kPanels[2] = {
      {1029, 1024, 1022, 1023, 1929, 1025, 1108, 1110, 1030, 1035, 434, 436, 1310, 1311, 1312},
      {1033, 1041, 1042, 1043, 1930, 1573, 1109, 1113, 1034, 1036, 435, 437, 1313, 1314, 1315}};

  // The "?" beside each panel's subgroup list: its help and the subgroup guide.
  static constexpr int kSubgroupHelpIds[2] = {1061, 1683};

  Cvicat();
  int DestroyWindow() override;

  // The checks of the current teacher before a save, a test or a change of
  // teacher; may correct fields. False after a shown refusal or a No.
  bool ValidateTeacher();
  // Service mode: hands the current post, joined with the teacher's own
  // post `other` of the same subject, to a fictitious teacher.
  bool SplitGroupedClass(int post, int other);
  // Fills both panels and the list again from the model (after a paste).
  void Refresh();
  // The post being edited, or null.
  UiTeachingPost* CurrentPost() const { return m_post; }
  // Makes post `number` of the current teacher current, as a click would.
  void MakePostCurrent(int number);

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  void OnOK() override {}
  void OnCancel() override;

 private:
  // ---- page frame (post_constraints_page.cpp) ----
  void FillTeacherList();
  void SelectCurrentInList();
  bool LeaveTeacher();
  void LoadTeacher(int teacher);
  void ShowTeacherFields();
  void RemovePartnerCopies();
  void RebuildPartnerCopies();
  bool TeacherChanged() const;
  void OnTeacherChosen();
  void OnStep(int direction);
  void OnSave();
  void OnAbandon();
  void OnTrial(bool classes);
  void SetupList();
  void FillList();
  void OnPostSelected(int row);
  // ---- panels (post_constraints_panels.cpp) ----
  UiPostPart* Part(int side);
  void FillFixedLists();
  void FillPanels();
  void FillPanel(int side);
  void EnablePanels();
  void OnJoined(int side);
  void OnClasswork(int side, int which);
  void OnNoBreak(int side);
  void OnDaily(int side);
  void OnGrouping(int side);
  void OnForbidden(int side);
  void OnSubjectChoice(int side, bool subgroup);
  void OnBuilding(int side);
  void OnPlacement(int side);
  void PostChanged();
  bool PanelCommand(int id, int code);
  // ---- validation (post_constraint_validation.cpp) ----
  bool FailPost(int post, const char* message, int focus_id);

  int m_teacher = -1;
  UiTeachingPost* m_post = nullptr;
  UiTeacher m_snapshot{};
  bool m_filling = false;
  ListColumnWidths m_widths{};  // of the post list, kept between visits
  bool m_asked_auto_save = false;
  std::int64_t m_last_copy_notice = -1000000;
  // Rows of the panels' drop-downs: the index each row stands for.
  std::vector<int> m_joined_rows[2], m_excluded_rows[2], m_subgroup_rows[2];
  std::vector<std::array<int, 2>> m_building_rows;

  CSpiegaML m_help;
  // The owner-drawn buttons; the grouping and forbidden-hours buttons of
  // panel A and B are the last four and turn orange while in use.
  CColorButton m_buttons[kButtonCount];
  Cdwh m_grid;
  Chq2alt m_grouping;
};

extern Cvicat g_vicat_page;
// Installs the teaching-post constraints page in the frame's page holder
// and the frame's refresh hook that the copy panel calls after a paste.
void post_constraints_install_pages();
void ui_register_post_constraints_template();
