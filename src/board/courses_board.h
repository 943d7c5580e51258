// Cqcorsi, the courses board "Vedi Orario per Corsi (Sezioni) e Modifica
// Orario Manualmente": the whole week of every class on one grid (a row per
// class in section order, a column per hour of each day), where a lesson is
// moved by hand within its class's row (a click on it, a click on the hour
// it goes to; a right click drops the choice). The frame is maximised with
// it. Its two small windows: the colour legend g_legend (Cqclegenda) and
// g_quadrino (Cquadrino), the week of the teacher of the highlighted cell.
//
// The grid (CXQcLix) only reads the cell states and colours that the page
// computes from the engine tables on every refill; the page hears of each
// highlight change through quadro_course_cell_selected. UI thread only.
#pragma once

#include <string>
#include <vector>

#include "engine/week_grid_access.h"
#include "platform/ui.h"
#include "shell/cell_grid.h"
#include "shell/dialog_ml.h"
#include "shell/resizable_dialog.h"

class Cqcorsi : public CResizableDialog {
 public:
  static constexpr int kTemplate = 167;
  static constexpr int kTitleId = 1001, kGridId = 1002, kSaveId = 1003, kLegendId = 1004, kStatusId = 1005;

  Cqcorsi() : CResizableDialog(kTemplate) {}
  int DestroyWindow() override;
  // Saves as the button does; false when the week was not saved.
  bool Save();

  // The grid's column of a day and hour (-1 outside the week), and the row of a class.
  int Column(int day, int hour) const;
  int Row(int class_index) const;
  const WeekGridCell& Cell(int row, int column) const;
  CXQcLix& Grid() { return m_grid; }
  bool Changed() const { return m_changed; }

  // The grid's questions and its one notice (see the free functions below).
  int CellState(int row, int column) const;
  int CellColor(int row, int column) const;
  void HighlightChanged(int flag);

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnOK() override {}

 private:
  void Refill();
  void PlaceTeacherWeek(bool first);
  bool HasLesson(int row, int column) const;
  int TeacherClashes(int row, int column) const;

  CXQcLix m_grid;
  std::vector<int> m_classes;                      // the class of each row
  std::vector<std::pair<int, int>> m_slots;        // (day, hour) of each column from 2 on
  std::vector<std::vector<WeekGridCell>> m_weeks;  // each row's class week
  int m_chosen_row = -1, m_chosen_column = -1;
  bool m_loaded = false;
  bool m_changed = false;
  std::vector<std::string> m_problems;  // what the week breaks, as last evaluated
  bool m_leaving = false;
};

// The colour legend of the courses board: one line per cell colour.
class Cqclegenda : public CDialogML {
 public:
  static constexpr int kTemplate = 168;
  static constexpr int kFirstLineId = 1101, kLines = 6;
  Cqclegenda() : CDialogML(kTemplate) {}
  // Creates the window unless it exists; shows it.
  void Open(kt::ui::Window* owner);

 protected:
  kt::ui::Color OnCtlColor(kt::ui::DeviceContext& dc, kt::ui::Window* control, kt::ui::CtlType type) override;
  void OnOK() override {}
  void OnCancel() override { ShowWindow(kt::ui::kSwHide); }
};

// The week of one teacher beside the courses board.
class Cquadrino : public CDialogML {
 public:
  static constexpr int kTemplate = 169;
  static constexpr int kGridId = 1201;
  Cquadrino() : CDialogML(kTemplate) {}
  // Creates the window unless it exists and shows the teacher's week.
  void ShowTeacher(kt::ui::Window* owner, int teacher);
  int Teacher() const { return m_teacher; }
  kt::ui::ListView& Grid() { return m_grid; }

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  void OnOK() override {}
  void OnCancel() override { ShowWindow(kt::ui::kSwHide); }

 private:
  kt::ui::ListView m_grid;
  int m_teacher = -1;
};

extern Cqcorsi g_courses_board;
extern Cqclegenda g_legend;
extern Cquadrino g_quadrino;
void ui_register_courses_board_templates();

// What CXQcLix asks of its page (the courses board).
int quadro_course_cell_state(int row, int column);
int quadro_course_cell_color(int row, int column);
void quadro_course_cell_selected(CXQcLix* grid, int flag);
