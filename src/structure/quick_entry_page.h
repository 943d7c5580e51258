// Cproqui, configuration step "6A Inserimento Iniziale": the first entry of
// a school's teaching load, one line at a time (teacher, subject, class,
// weekly hours), with new teachers and each teacher's stand-by hours. The
// page works on its own table of entries, loaded from the existing posts;
// entries added here stay in the table until committed, when they become
// teaching posts at the end of their teachers' lists and "scuola2.txt" is
// written. Rows that existed when the page opened are read-only here.
//
// Invariants: a row numbered up to m_committed is a post already (rows are
// numbered in table order at load and after each commit); a deleted new row
// keeps its place with a negated number and is never committed; the table
// never holds more than kMaxRows rows, and a row that cannot become a post
// (its teacher already has 40) stays in the table uncommitted, never lost.
#pragma once

#include <cstdint>
#include <vector>

#include "remote/guide_windows.h"
#include "schooldata/ui_school_model.h"
#include "shell/color_button.h"
#include "shell/frame.h"
#include "shell/help_pane.h"
#include "shell/resizable_dialog.h"

struct QuickEntryRow {
  std::int32_t number = 0;  // from 1; negated when deleted
  std::int32_t subject = -1;
  std::int32_t class_index = -1;
  std::int32_t teacher = -1;
  std::int8_t hours = 0;
  std::uint8_t selected = 0;
};

class Cproqui : public CResizableDialog {
 public:
  static constexpr int kTemplate = 156;
  static constexpr int kTeacherId = 1300, kSubjectId = 1301, kClassId = 1302, kHoursId = 1303,
                       kHoursMinusId = 1304, kHoursPlusId = 1305, kAddId = 1306, kListId = 1307,
                       kDeleteId = 1308, kRowMinusId = 1309, kRowPlusId = 1310, kStandbyId = 1311,
                       kNewTeacherEditId = 1312, kNewTeacherId = 1313, kNewSubjectId = 1314, kGoToPostsId = 1315,
                       kSaveId = 1316, kAbandonId = 1317, kHelpId = 1318, kHowToId = 1319, kSortHelpId = 1320,
                       kClassTotalId = 1321, kLessonHoursId = 1322, kTeacherTotalId = 1323;
  static constexpr std::size_t kMaxRows = 10000;  // the engine's lesson capacity
  static constexpr int kColumns = 10;

  Cproqui();
  int DestroyWindow() override;

  const std::vector<QuickEntryRow>& Rows() const { return m_rows; }
  int CommittedCount() const { return m_committed; }
  // Turns the new rows into posts and the stand-by hours into the model;
  // true when anything changed (a beep otherwise).
  bool CommitEntries();

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  void OnOK() override;
  void OnDestroy() override;

 private:
  // quick_entry_page.cpp
  void FillTeacherCombo();
  void FillSubjectCombo();
  void FillList();
  void ShowTotals(const QuickEntryRow& row);
  void OnRowSelected(int row_index);
  void SelectRowIndex(int row_index);
  void SelectFirstRowOf(int teacher);
  void OnTeacherChosen();
  void OnStandbyChosen();
  void OnRowHours(int delta);
  void OnDeleteRow();
  void StepHoursChoice(int delta);
  void SortBy(int column, bool reset);
  int SelectedIndex() const;
  int LessonHours(int teacher) const;
  bool HasUncommitted() const;
  bool IsCommitted(const QuickEntryRow& row) const;
  void EnableRowButtons(bool enable);
  // quick_entry_actions.cpp
  void AddEntry();
  // Whether `more` hours still fit the class's week (its calendar's lesson
  // hours) beside the hours its rows hold; says so when they do not.
  bool FitsClassWeek(int class_index, int more);
  void AddTeacher();
  void OnNewSubject();
  void OnGoToPosts();
  void OnSave();
  void OnAbandon();
  void MoveClassChoice(int class_index);

  std::vector<QuickEntryRow> m_rows;
  int m_committed = 0;
  int m_selected_number = -1;
  std::int8_t m_standby[kUiMaxTeachers] = {};
  std::int8_t m_directions[kColumns] = {};
  bool m_filling = false;
  CSpiegaML m_help;
  Clegsimco m_notice;
  CColorButton m_buttons[13];
};

extern Cproqui g_proqui_page;
void ui_register_quick_entry_template();
