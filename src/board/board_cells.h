// What a cell of the timetable board says about its lesson, fitted to the
// cell: a class's week names the subject and who teaches it
// ("ITALIANO - ROSSI", "FISICA - COSTA + FERRI"), a teacher's week the class
// and the subject ("1A STORIA"), a lab's week the class and who teaches
// ("1A COLOMBO"). The subject is the one the class reports print; a lab
// hour's assistant that stands for the teacher himself ("_LAB") is not
// named twice.
//
// A text wider than its cell is shortened the way a timetable on paper is:
// first the subject, then the teachers' names, each cut after a letter and
// ended by a full stop ("SCIE. - DE LUCA"), never to fewer than three
// letters nor to a form another name could share: a subject stays distinct
// from the other subjects of the same teachers in the week (a teacher's two
// subjects in one class must tell the two lessons apart; the teacher's name
// tells the rest), a teacher's name from the other teachers of the week. The
// class code is never cut. A week holds at most 84 cells of a few names
// each: every fit measures a few dozen texts.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/week_grid_access.h"

// The parts of a cell's text before fitting; empty parts are left out.
struct BoardCellText {
  std::string lead;  // the class code, never cut
  std::string subject;
  std::vector<std::string> teachers;
};

// What one week shows, against which a short form must stay distinct.
struct BoardWeekNames {
  std::vector<BoardCellText> cells;
  std::vector<std::string> teachers;
};

// The parts of a lesson's cell in a view (0 class, 1 teacher, 2 lab, the
// board's kinds); a stand-by or support hour and a free slot have none.
BoardCellText board_cell_parts(const WeekGridCell& cell, int view);
BoardWeekNames board_week_names(const WeekGridCell* week, int view);

// The text of the parts, shortened as far as needed (and allowed) to be at
// most `width` pixels as `measure` finds; the shortest allowed form when
// none fits.
using BoardMeasure = std::function<int(std::string_view)>;
std::string board_fit_cell(const BoardCellText& parts, const BoardWeekNames& week, int width,
                           const BoardMeasure& measure);
