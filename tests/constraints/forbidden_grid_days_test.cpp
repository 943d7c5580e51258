// The day limits after the forbidden-hours grid of the teacher constraints
// page, on the small sample school cut to five days of six hours: a day
// with any hour left open counts; the most days come down to the days
// open, the least days with them when they were above (with a notice), and
// one day short of the week when the teacher has a free day (the whole
// week as least days with a free day would be refused on saving). The
// school's default, above the week when the weekly-days table is empty,
// comes down only when a day is closed. A grid
// closing every day, or no most days, leaves the limits alone. Every day's
// first hour forbidden ticks the last-hours release.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::TeacherPage;
using V = Cvipro;

struct GridCase {
  const char* what;
  std::vector<int> closed;       // days with every hour forbidden
  int last_open_day;             // a day with only its last hour open (-1: none)
  std::vector<int> free, second; // first and second choices of free day
  int gmin, gmax;
  int want_gmin, want_gmax;
  bool notice;
};

TEST_F(TeacherPage, TheForbiddenHoursGridBringsTheDayLimitsToTheOpenDays) {
  const GridCase cases[] = {
      {"two days closed", {3, 4}, -1, {}, {}, 5, 5, 3, 3, true},
      {"two days closed, fewer least days", {3, 4}, -1, {}, {}, 2, 5, 2, 3, false},
      {"two days closed, as many least days", {3, 4}, -1, {}, {}, 3, 5, 3, 3, false},
      {"a day with one hour open", {4}, 3, {}, {}, 5, 5, 4, 4, true},
      {"a week of six on five days", {}, -1, {}, {}, 6, 6, 5, 5, true},
      {"a week of six, a free Monday", {}, -1, {0}, {}, 6, 6, 4, 5, true},
      {"a week of six, a free Wednesday", {}, -1, {2}, {}, 6, 6, 4, 5, true},
      {"a week of six, a free Friday", {}, -1, {4}, {}, 6, 6, 4, 5, true},
      {"a week of six, only a second choice", {}, -1, {}, {1}, 6, 6, 5, 5, true},
      {"fewer days than open", {4}, -1, {}, {}, 2, 3, 2, 3, false},
      {"as many days as open", {4}, -1, {}, {}, 4, 4, 4, 4, false},
      {"every day closed", {0, 1, 2, 3, 4}, -1, {}, {}, 4, 5, 4, 5, false},
      {"no most days", {3, 4}, -1, {}, {}, 2, -1, 2, -1, false},
      // The sample school has no weekly-days table: the page shows its
      // default of 7 days, which only a closed day brings down.
      {"the school's default, no day closed", {}, 0, {}, {}, 7, 7, 7, 7, false},
      {"the school's default, a free Friday", {}, -1, {4}, {}, 7, 7, 7, 7, false},
      {"the school's default, a day closed", {4}, -1, {}, {}, 7, 7, 4, 4, true},
  };
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacher& t = g_ui_teachers[page.CurrentTeacher()];
  UiTeacherConstraints& c = t.personal;
  const UiTeacher shown = t;
  for (const GridCase& k : cases) {
    t = shown;
    std::memset(c.li, 255, sizeof c.li);
    std::memset(c.lialt, 255, sizeof c.lialt);
    for (int d : k.free) c.li[d] = 1;
    for (int d : k.second) c.lialt[d] = 1;
    std::memset(c.op, 0, sizeof c.op);
    for (int d : k.closed)
      for (int h = 0; h < 6; ++h) c.op[d * 12 + h] = 1;
    if (k.last_open_day >= 0)
      for (int h = 0; h < 5; ++h) c.op[k.last_open_day * 12 + h] = 1;
    c.gmin = std::int8_t(k.gmin);
    c.gmax = std::int8_t(k.gmax);
    std::size_t boxes = ui.boxes().size();
    ui.OnNextModal([&](Dialog& d) {
      d.GetDlgItem(kIdOk)->SetFocus();
      ui.Click(d, kIdOk);
    });
    if (k.notice) ui.PressInNextModal(CMessageBox::kButtonIds[0]);
    ui.Click(page, V::kForbiddenId);
    if (k.notice) {
      ASSERT_EQ(ui.boxes().size(), boxes + 2) << k.what;  // the grid, then the notice
      EXPECT_EQ(ui.boxes().back().texts.at(0),
                "Giorni di servizio rettificati in accordo con la tabella delle ore vietate.")
          << k.what;
    } else {
      EXPECT_EQ(ui.boxes().size(), boxes + 1) << k.what << ": " << ui.boxes().back().texts.at(0);
    }
    EXPECT_EQ(+c.gmin, k.want_gmin) << k.what;
    EXPECT_EQ(+c.gmax, k.want_gmax) << k.what;
    for (const auto& p : ui.Problems()) ADD_FAILURE() << k.what << ": " << p;
  }
  t = shown;
  og_snapshot_all();
}

// The last-hours release follows from the grid only when every school
// day's first hour is forbidden.
TEST_F(TeacherPage, EveryFirstHourForbiddenReleasesTheLastHours) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacher& t = g_ui_teachers[page.CurrentTeacher()];
  UiTeacherConstraints& c = t.personal;
  const UiTeacher shown = t;
  for (int first_hours : {3, 4, 5}) {
    t = shown;
    c.ultimeoremax = {};
    c.gmin = c.gmax = -1;
    std::memset(c.op, 0, sizeof c.op);
    for (int d = 0; d < first_hours; ++d) c.op[d * 12] = 1;
    ui.OnNextModal([&](Dialog& d) {
      d.GetDlgItem(kIdOk)->SetFocus();
      ui.Click(d, kIdOk);
    });
    ui.Click(page, V::kForbiddenId);
    EXPECT_EQ(ui.IsChecked(page, V::kReleaseId), first_hours == 5) << first_hours;
    for (const auto& p : ui.Problems()) ADD_FAILURE() << first_hours << ": " << p;
  }
  t = shown;
  og_snapshot_all();
}

}  // namespace
