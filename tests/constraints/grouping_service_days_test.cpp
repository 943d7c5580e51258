// A grouping of more blocks than the teacher's working days, when the
// teaching-post page saves him: the days are his own most days when he has
// them, else the school's days table read at his weekly hours (his own
// posts' hours, the lab hours of the posts he shares as a partner, his
// stand-by hours; a row counts when its hours reach his; beyond the last
// row the last row's days; an empty table gives the whole week). The page
// asks to raise the days (Yes raises them to the blocks and saves; No keeps
// the post chosen with the focus on its grouping and saves nothing); more
// than seven blocks cannot be met and are refused outright. ROSSI teaches
// 4 + 4 + 2 hours; BIANCHI 3 of his own and 2 as ROSSI's lab partner.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::PostConstraintsPage;
using V = Cvicat;

std::string raise(int days, int blocks, const char* row) {
  return std::string("Il raggruppamento [") + row + "] presuppone " + std::to_string(blocks) +
         " giorni di servizio del docente.\n\nAumentare i giorni di servizio del docente da " + std::to_string(days) +
         " a " + std::to_string(blocks) + " ?";
}

std::string refuse(int blocks, const char* row) {
  return std::string("Il raggruppamento [") + row + "] presuppone " + std::to_string(blocks) +
         " giorni di servizio del docente.\n\nCorreggere il raggruppamento.";
}

struct DaysCase {
  const char* what;
  int teacher, post;       // the post whose groupings are set
  int gmax, standby;       // -1: none of his own
  UiHq2Table table;        // the school's days by weekly hours
  const char* row1;
  const char* row2;
  std::string asked;       // empty: nothing asked
  bool yes;                // the answer to a question
  int want_gmax;
};

TEST_F(PostConstraintsPage, TheWorkingDaysAGroupingNeeds) {
  const DaysCase cases[] = {
      {"his own days, No", 0, 1, 3, -1, {}, "1111", "", raise(3, 4, "1111"), false, 3},
      {"his own days, Yes", 0, 1, 3, -1, {}, "1111", "", raise(3, 4, "1111"), true, 4},
      {"his own days before the table", 0, 1, 5, -1, {{{10, 2}}, 1}, "1111", "", "", false, 5},
      {"just enough days of his own", 0, 1, 4, -1, {}, "1111", "", "", false, 4},
      {"a row of his very hours", 0, 1, -1, -1, {{{10, 3}, {20, 5}}, 2}, "1111", "", raise(3, 4, "1111"), false, -1},
      {"a row short of his hours", 0, 1, -1, -1, {{{9, 5}, {10, 3}}, 2}, "1111", "", raise(3, 4, "1111"), false, -1},
      {"beyond the last row", 0, 1, -1, -1, {{{6, 2}, {9, 3}}, 2}, "1111", "", raise(3, 4, "1111"), false, -1},
      {"a row above his hours", 0, 1, -1, -1, {{{9, 3}, {11, 5}}, 2}, "1111", "", "", false, -1},
      {"his stand-by hours counted", 0, 1, -1, 2, {{{10, 5}, {12, 3}}, 2}, "1111", "", raise(3, 4, "1111"), true, 4},
      {"no table: the whole week", 0, 1, -1, -1, {}, "1111111", "", "", false, -1},
      {"more than a week", 0, 1, -1, -1, {}, "11111111", "", refuse(8, "11111111"), false, -1},
      {"more than a week, days of his own", 0, 1, 3, -1, {}, "111111111", "", refuse(9, "111111111"), false, 3},
      {"the second grouping", 0, 0, 4, -1, {}, "", "22222", raise(4, 5, "22222"), false, 4},
      {"blocks of mixed lengths", 0, 0, 2, -1, {}, "123", "", raise(2, 3, "123"), false, 2},
      {"both groupings, one question", 0, 1, 3, -1, {}, "1111", "2211", raise(3, 4, "1111"), true, 4},
      {"both groupings, the second longer", 0, 1, 3, -1, {}, "1111", "11111", raise(3, 4, "1111"), false, 3},
      {"the lab hours he shares", 1, 0, -1, -1, {{{4, 2}, {5, 3}}, 2}, "1111", "", raise(3, 4, "1111"), false, -1},
  };
  for (const DaysCase& c : cases) {
    BuildSchool();
    UiTeacher& t = g_ui_teachers[c.teacher];
    g_ui_settings.iggiorni = c.table;
    t.personal.gmax = std::int8_t(c.gmax);
    t.standby_hours = std::int8_t(c.standby);
    std::strcpy(Post(c.teacher, c.post).own.grouping1, c.row1);
    std::strcpy(Post(c.teacher, c.post).own.grouping2, c.row2);
    og_snapshot_all();
    const std::string before = Description();
    Open();
    if (c.teacher != 0) ASSERT_TRUE(ui.Select(g_vicat_page, V::kTeacherListId, 1)) << c.what;
    ASSERT_EQ(g_procat_teacher, c.teacher) << c.what;
    std::size_t boxes = ui.boxes().size();
    bool question = !c.asked.empty() && c.asked.find("Aumentare") != std::string::npos;
    if (question) ui.AnswerNextModal(c.yes ? kIdYes : kIdNo);
    else if (!c.asked.empty()) ui.PressInNextModal(CMessageBox::kButtonIds[0]);
    ui.Click(g_vicat_page, V::kSaveId);
    if (c.asked.empty()) {
      EXPECT_EQ(ui.boxes().size(), boxes) << c.what << ": " << LastBox();
      EXPECT_TRUE(Description() != before) << c.what << ": not saved";
    } else {
      ASSERT_EQ(ui.boxes().size(), boxes + 1) << c.what;
      EXPECT_EQ(LastBox(), c.asked) << c.what;
      if (c.yes) {
        EXPECT_TRUE(Description() != before) << c.what << ": not saved";
      } else {
        EXPECT_TRUE(Description() == before) << c.what << ": saved";
        EXPECT_EQ(g_vicat_page.CurrentPost(), &Post(c.teacher, c.post)) << c.what;
        EXPECT_TRUE(ui.HasFocus(g_vicat_page, V::kPanels[0].grouping)) << c.what;
      }
    }
    EXPECT_EQ(+t.personal.gmax, c.want_gmax) << c.what;
    for (const auto& p : ui.Problems()) ADD_FAILURE() << c.what << ": " << p;
    // Left as saved, so that closing asks nothing.
    t.personal.gmax = std::int8_t(c.gmax);
    Post(c.teacher, c.post).own.grouping1[0] = 0;
    Post(c.teacher, c.post).own.grouping2[0] = 0;
    t.standby_hours = -1;
    og_snapshot_all();
    g_frame.DestroyWindow();
  }
}

}  // namespace
