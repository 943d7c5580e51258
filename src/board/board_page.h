// Cquadro, the timetable board page "Vedi Orario Elaborato": the computed
// week of one class, teacher or lab, in which the user moves a lesson by
// hand (a click on the lesson, a click on the hour it goes to; showing
// another week drops the lesson and the hour chosen), books a lab
// hour for a lesson (a click in a lab's week opens the lab booking chooser)
// and saves the week. With page argument 1 ("Sistema le ore di Sostegno,
// Disposizione e Ricevimento", after the engine prepared the stand-by and
// support hours) it also chooses the class each support hour supports and
// the teachers' reception hours (a teacher's week shows his; only a free
// hour open to him is taken), shows the stand-by summary, whose clicks
// bring up a teacher at disposal, and saves through the engine's second
// board mode and a new run of the reports.
//
// Below the grid the page lists the constraints the week breaks, in the
// words of the engine's check, evaluated again after every move; a move
// that makes the week break a constraint it did not break before says so
// on the status line.
//
// The page reads and changes the engine tables directly (the one copy of
// the week); m_changed says that they differ from the saved week. UI
// thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/week_grid_access.h"
#include "platform/ui.h"
#include "shell/cell_grid.h"
#include "shell/resizable_dialog.h"

class Cquadro : public CResizableDialog {
 public:
  static constexpr int kTemplate = 166;
  static constexpr int kTitleId = 1001, kKindId = 1002, kNameId = 1003, kSaveId = 1004, kStatusId = 1005,
                       kGridId = 1006, kSupportLabelId = 1007, kSupportId = 1008, kReceptionId = 1009,
                       kStandbyId = 1010, kProblemsLabelId = 1011, kProblemsId = 1012;
  // Kinds of the first drop-down, in its order.
  static constexpr int kViewClass = 0, kViewTeacher = 1, kViewLab = 2;
  static constexpr kt::ui::WParam kFollowTimer = 16601;
  static constexpr std::uint32_t kFollowMs = 500;

  Cquadro() : CResizableDialog(kTemplate) {}
  int DestroyWindow() override;

  // Shows the week of a name of the current kind (false: not found).
  bool ShowWeek(int kind, const char* name);
  int Mode() const { return m_mode; }
  bool Changed() const { return m_changed; }
  const WeekGridCell& Cell(int day, int hour) const { return m_cells[day * kHoursPerDay + hour]; }
  // The constraints the week breaks, as the board lists them.
  const std::vector<std::string>& Problems() const { return m_problems; }
  CXQLix& Grid() { return m_grid; }
  // The teacher the board shows in its teacher view; the stand-by summary
  // writes into it.
  std::int32_t m_selected_teacher = -1;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnTimer(kt::ui::WParam id) override;
  void OnOK() override {}
  void OnLayoutChanged() override;

 private:
  void FillNames();
  void Refill();
  int ReceptionSlot() const;
  std::vector<std::string> RepickCoveredReceptionHours();
  void FitColumns();
  void CellClicked(int hour, int day);
  void BookLab(int day, int hour);
  void ChooseSupportedClass();
  void SetReceptionHour();
  // The week saved as the button saves it; false after a failure was shown.
  bool Save();
  void SetStatus(const char* text);
  void ShowProblems(std::vector<std::string> lines);
  void OpenStandbySummary();
  void CloseWindows();

  CXQLix m_grid;
  kt::ui::ComboBox m_kind, m_name, m_support;
  WeekGridCell m_cells[kWeekSlots] = {};
  std::vector<std::string> m_problems;
  int m_mode = 0;
  int m_view = kViewClass;
  int m_entity = -1;    // the class, teacher or room shown; -1 none
  int m_from = -1;      // the slot of the lesson chosen to move; -1 none
  int m_selected = -1;  // the slot last clicked
  std::int32_t m_shown_teacher = -1;
  bool m_loaded = false;
  bool m_changed = false;
  bool m_leaving = false;
};

extern Cquadro g_board;
void ui_register_board_template();
