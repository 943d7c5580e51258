// What the timetable board's cells say, with the desktop program started as
// main() starts it on a copy of a sample school with its saved week, the
// board reached by its page command:
// - a class's week names the subject and who teaches it, a teacher's week
//   the class and the subject, a lab's week the class and the teacher; a
//   lab hour's own assistant ("_LAB") is not named twice; a swap of one
//   teacher's two lessons in a class shows;
// - the days share the grid's width, and a text too wide for its cell is
//   shortened until it fits, both teachers of a lesson still named; a wider
//   frame gives the texts whole.
// The shortening rules themselves are a table over board_fit_cell with
// texts measured at 8 pixels a character.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/board_cells.h"
#include "board/board_page.h"
#include "shell/frame_test_support.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using Q = Cquadro;

constexpr int kTextInset = 7;  // the cell's text starts 5 pixels in and stays 2 clear of the next cell

class BoardCells : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
  }
  // The program on a sample school with its saved week; `steps` run on the
  // board, then Esc on the home page ends the program.
  void Run(const std::string& example, const std::function<void()>& steps) {
    fs::path school = copy_example(example, example);
    write(school / "savego.txt", read(fs::path(KT_TEST_DATA) / ("savefiles/" + example + "-savego.txt")));
    write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\" + example + "\n");
    run_program(ui, [&] {
      ui.AnswerNextModal(kIdYes);  // a hand-made week may still break constraints: opened all the same
      alfadlg_go_to_page(kPageQuadro);
      ASSERT_EQ(g_current_page, &g_board);
      steps();
    });
  }
  void Show(int kind, const std::string& name) {
    ASSERT_TRUE(ui.Select(g_board, Q::kKindId, kind));
    ASSERT_TRUE(ui.Select(g_board, Q::kNameId, name)) << name;
  }
  std::string Shown(int day, int hour) { return g_board.Grid().GetItemText(hour, day + 1); }
  // Every cell of the week shown is drawn whole in its column.
  void EveryTextFits(const std::string& week) {
    CXQLix& grid = g_board.Grid();
    for (int h = 0; h < grid.RowCount(); ++h)
      for (int d = 1; d < grid.ColumnCount(); ++d)
        EXPECT_LE(grid.GetStringWidth(grid.GetItemText(h, d)), grid.GetColumnWidth(d) - kTextInset)
            << week << " " << d << "/" << h << ": " << grid.GetItemText(h, d);
  }
  TestDriver ui;
};

struct CellCase {
  const char* id;
  int kind;
  const char* name;
  int day, hour;
  const char* text;
};

TEST_F(BoardCells, EachWeekNamesWhatTellsItsLessonsApart) {
  // Worked out from the saved week of the small school at the frame's first
  // size (six days of 127 pixels).
  const CellCase cases[] = {
      {"class", Q::kViewClass, "1A", 0, 0, "STORIA - ROSSI"},
      {"class-2", Q::kViewClass, "1A", 0, 1, "ITALIANO - ROSSI"},
      {"lab-hour-once", Q::kViewClass, "1A", 2, 0, "SCIENZE - COLOMBO"},
      {"words-cut", Q::kViewClass, "1A", 2, 2, "SCI. MOTOR. - DE LUCA"},
      {"short-word-kept", Q::kViewClass, "1A", 1, 4, "ARTE E IMMA. - GALLO"},
      {"teacher", Q::kViewTeacher, "ROSSI", 0, 0, "1A STORIA"},
      {"teacher-2", Q::kViewTeacher, "ROSSI", 1, 0, "2A ITALIANO"},
      {"lab", Q::kViewLab, "LAB SCIENZE", 0, 4, "1B RICCI"},
      {"lab-2", Q::kViewLab, "LAB SCIENZE", 2, 0, "1A COLOMBO"},
  };
  Run("piccola", [&] {
    for (const CellCase& c : cases) {
      Show(c.kind, c.name);
      EXPECT_EQ(Shown(c.day, c.hour), c.text) << c.id;
    }
    Show(Q::kViewClass, "1A");
    EXPECT_GE(g_board.Cell(2, 0).second_teacher, 0) << "the lab hour has its assistant";
    EveryTextFits("1A");
    // The first column numbers the hours of the school's longest day from 1.
    ASSERT_EQ(g_board.Grid().RowCount(), 5);
    for (int h = 0; h < 5; ++h) EXPECT_EQ(g_board.Grid().GetItemText(h, 0), std::to_string(h + 1)) << h;

    // ROSSI's STORIA and ITALIANO trade places, and the week shows it.
    ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, 0, 1));
    EXPECT_EQ(Shown(0, 0), "> STORIA - ROSSI") << "the lesson chosen";
    ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, 1, 1));
    EXPECT_EQ(Shown(0, 0), "ITALIANO - ROSSI");
    EXPECT_EQ(Shown(0, 1), "STORIA - ROSSI");
    ui.PressInNextModal(CDaticambia::kDiscardId);  // left without saving
  });
}

TEST_F(BoardCells, TwoTeachersFitTheirCellAndAWiderFrameShowsTheTextsWhole) {
  Run("liceo", [&] {
    CXQLix& grid = g_board.Grid();
    int days = grid.ColumnCount() - 1;
    ASSERT_EQ(days, 5);
    int room = grid.ViewWidth() - grid.GetColumnWidth(0);
    for (int d = 1; d <= days; ++d) {
      EXPECT_EQ(grid.GetColumnWidth(d), room / days) << "the days share the grid's width";
      EXPECT_GE(grid.GetColumnWidth(d), 110);
    }
    const CellCase first[] = {
        {"two", Q::kViewClass, "3BS", 1, 0, "FISICA - PAGANO + CARUSO"},
        {"two-cut", Q::kViewClass, "1AL", 0, 2, "FRA. - MARCHETTI + DUBOIS"},
        {"two-cut-2", Q::kViewClass, "1AL", 1, 3, "INGLE. - SANNA + WILLIAMS"},
        {"teachers-cut-last", Q::kViewClass, "3BS", 0, 4, "SCI. NAT. - SALA + BARBIE."},
    };
    for (const CellCase& c : first) {
      Show(c.kind, c.name);
      EXPECT_EQ(Shown(c.day, c.hour), c.text) << c.id;
      EveryTextFits(c.name);
    }

    // The frame made wider: so are the days, and the texts come whole.
    g_frame.MoveWindow(Rect{0, 0, 1366, 768});
    ui.Pump();
    EXPECT_GT(grid.GetColumnWidth(1), 200);
    const CellCase wide[] = {
        {"wide", Q::kViewClass, "1AL", 0, 2, "FRANCESE - MARCHETTI + DUBOIS"},
        {"wide-2", Q::kViewClass, "3BS", 0, 4, "SCIENZE NATURALI - SALA + BARBIERI"},
        {"wide-teacher", Q::kViewTeacher, "RINALDI", 0, 0, "2CS STORIA E GEOGRAFIA"},
    };
    for (const CellCase& c : wide) {
      Show(c.kind, c.name);
      EXPECT_EQ(Shown(c.day, c.hour), c.text) << c.id;
    }
  });
}

struct FitCase {
  const char* id;
  BoardCellText parts;
  std::vector<BoardCellText> week;  // the other lessons of the week
  int chars;                        // the room, in characters
  const char* text;
};

TEST(BoardCellFit, ShortensTheSubjectThenTheTeachersKeepingThemDistinct) {
  const FitCase cases[] = {
      {"whole", {"", "ITALIANO", {"ROSSI"}}, {}, 16, "ITALIANO - ROSSI"},
      {"subject-cut", {"", "ITALIANO", {"ROSSI"}}, {}, 13, "ITAL. - ROSSI"},
      {"three-letters-least", {"", "ITALIANO", {"RE"}}, {}, 5, "ITA. - RE"},
      {"distinct-from-own-subject", {"", "ITALIANO", {"RE"}}, {{"", "ITALICO", {"RE"}}}, 5, "ITALIA. - RE"},
      {"other-teachers-subject-no-matter", {"", "ITALIANO", {"RE"}}, {{"", "ITALICO", {"BO"}}}, 5, "ITA. - RE"},
      {"then-the-teacher", {"", "ITALIANO", {"ROSSI"}}, {}, 5, "ITA. - ROS."},
      {"first-words-first", {"", "SCIENZE MOTORIE", {"RE"}}, {}, 19, "SCIEN. MOTORIE - RE"},
      {"then-the-last", {"", "SCIENZE MOTORIE", {"RE"}}, {}, 10, "SCI. MOT. - RE"},
      {"last-word-tells", {"", "SCIENZE MOTORIE", {"RE"}}, {{"", "SCIENZE MOTRICI", {"RE"}}}, 10, "SCI. MOTO. - RE"},
      {"short-words-stay", {"", "ARTE E IMMAGINE", {"GALLO"}}, {}, 19, "ARTE E IMM. - GALLO"},
      {"own-full-stop", {"", "CONVERSAZ. INGLESE", {"SMITH"}}, {}, 21, "CONV. INGLESE - SMITH"},
      {"cut-past-a-stop", {"", "ED.FISICA", {"RE"}}, {}, 10, "ED.F. - RE"},
      {"nothing-fits-shortest-shown", {"", "ED.FISICA", {"ROSSI"}}, {}, 8, "ED.F. - ROS."},
      {"teachers-together", {"", "FISICA", {"PAGANO", "CARUSO"}}, {}, 20, "FIS. - PAGA. + CARU."},
      {"teachers-distinct",
       {"", "FISICA", {"COLOMBO", "COLOMBINI"}},
       {},
       10,
       "FIS. - COLOMBO + COLOMBI."},
      {"class-never-cut", {"1AS", "STORIA E GEOGRAFIA", {}}, {}, 10, "1AS STO. E GEO."},
      {"lab-week", {"1B", "", {"RICCI"}}, {}, 8, "1B RICCI"},
  };
  BoardMeasure measure = [](std::string_view text) { return 8 * int(text.size()); };
  for (const FitCase& c : cases) {
    BoardWeekNames week;
    week.cells = c.week;
    week.cells.push_back(c.parts);
    for (const BoardCellText& cell : week.cells)
      for (const std::string& t : cell.teachers) week.teachers.push_back(t);
    EXPECT_EQ(board_fit_cell(c.parts, week, 8 * c.chars, measure), c.text) << c.id;
  }
}

// Stand-by and support hours have texts of their own on the board: they
// give no parts, so they neither show as lessons nor count among the names
// a week's lessons are told apart by.
TEST(BoardCellFit, StandbyAndSupportHoursGiveNoParts) {
  WeekGridCell week[kWeekSlots];
  for (WeekGridCell& c : week) {
    c = WeekGridCell{};
    c.class_index = -1;
  }
  for (int flag : {0, 1, 2}) {
    WeekGridCell& c = week[flag];
    c.class_index = 0;
    c.lesson = -1;
    c.teacher = c.second_teacher = c.subject = c.supported_class = -1;
    c.flag = std::uint8_t(flag);
    BoardCellText parts = board_cell_parts(c, Q::kViewTeacher);
    EXPECT_EQ(parts.lead.empty(), flag != 0) << flag;
  }
  EXPECT_EQ(board_week_names(week, Q::kViewTeacher).cells.size(), 1u);
}

}  // namespace
