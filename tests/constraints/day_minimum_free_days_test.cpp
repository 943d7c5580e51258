// The least and most hours of a given day on the teacher constraints page,
// chosen in the day's lists, against the free days ticked and the
// forbidden hours, when the page saves, on the small sample school cut to
// five days of six hours: a least number of hours cannot fall on the free
// day (with one free day that carries a minimum, or every free day doing
// so), a day's most hours cannot be under its least, and the forbidden
// hours must leave the least open. Anything else saves without a word.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::TeacherPage;
using V = Cvipro;
namespace fs = std::filesystem;

const char kOnFreeDay[] = "Non si pu\xF2 chiedere un MINIMO di Ore nei Giorni Liberi.";
const char kMaxBelowMin[] = "Il MASSIMO di Ore in un giorno non pu\xF2 essere MINORE del MINIMO.";
const char kForbidden[] = "Vi \xE8 un MINIMO di Ore richieste, e le ore proibite del giorno non lo consentono.";

struct DayCase {
  const char* what;
  std::vector<std::pair<int, int>> least, most;  // day, hours
  std::vector<int> free;                          // free days ticked
  int forbidden_day, forbidden_hours;             // hours forbidden from a day's first (-1: none)
  const char* refused;                            // nullptr: saved
  int focus;
};

TEST_F(TeacherPage, ADaysLeastHoursAgainstItsMostTheFreeDaysAndTheForbiddenHours) {
  const DayCase cases[] = {
      {"a least on Monday", {{0, 2}}, {}, {}, -1, 0, nullptr, 0},
      {"a least on Monday, Wednesday free", {{0, 2}}, {}, {2}, -1, 0, nullptr, 0},
      {"a least on the free day", {{2, 2}}, {}, {2}, -1, 0, kOnFreeDay, V::kFreeDayIds},
      {"leasts on two days, one the free day", {{0, 2}, {2, 3}}, {}, {2}, -1, 0, kOnFreeDay, V::kFreeDayIds},
      {"two free days, one with a least", {{0, 2}}, {}, {0, 2}, -1, 0, nullptr, 0},
      {"two free days, both with a least", {{0, 2}, {2, 3}}, {}, {0, 2}, -1, 0, kOnFreeDay, V::kFreeDayIds},
      {"three free days, two with a least", {{0, 2}, {2, 3}}, {}, {0, 2, 4}, -1, 0, nullptr, 0},
      {"three free days, all with a least", {{0, 2}, {2, 3}, {4, 1}}, {}, {0, 2, 4}, -1, 0, kOnFreeDay,
       V::kFreeDayIds},
      {"a free day without any least", {}, {{1, 3}}, {1}, -1, 0, nullptr, 0},
      {"as many most as least", {{1, 3}}, {{1, 3}}, {}, -1, 0, nullptr, 0},
      {"more most than least", {{1, 3}}, {{1, 5}}, {}, -1, 0, nullptr, 0},
      {"fewer most than least", {{1, 4}}, {{1, 3}}, {}, -1, 0, kMaxBelowMin, 3041},
      {"fewer most than least on Friday", {{0, 1}, {4, 6}}, {{4, 5}}, {}, -1, 0, kMaxBelowMin, 3044},
      {"a most on another day", {{1, 4}}, {{2, 3}}, {}, -1, 0, nullptr, 0},
      {"forbidden hours leaving the least open", {{3, 4}}, {}, {}, 3, 2, nullptr, 0},
      {"forbidden hours leaving less than the least", {{3, 5}}, {}, {}, 3, 2, kForbidden, 3043},
      {"forbidden hours on another day", {{3, 6}}, {}, {}, 2, 2, nullptr, 0},
      {"the whole day as least", {{4, 6}}, {}, {}, -1, 0, nullptr, 0},
  };
  g_ui_settings.lunch_break[0] = 0;
  UiTeacher& t = g_ui_teachers[g_vipro_current_teacher];
  std::memset(t.personal.li, 255, sizeof t.personal.li);
  og_snapshot_all();
  const UiTeacher shown = t;
  const fs::path file = data_root() / "piccola" / "scuola2.txt";
  for (const DayCase& k : cases) {
    t = shown;
    if (k.forbidden_day >= 0) {
      std::memset(t.personal.op, 0, sizeof t.personal.op);
      for (int h = 0; h < k.forbidden_hours; ++h) t.personal.op[k.forbidden_day * 12 + h] = 1;
    }
    og_snapshot_all();
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    for (auto [day, hours] : k.least) ASSERT_TRUE(ui.Select(page, 3030 + day, hours)) << k.what;
    for (auto [day, hours] : k.most) ASSERT_TRUE(ui.Select(page, 3040 + day, hours)) << k.what;
    for (int d : k.free) ui.Click(page, V::kFreeDayIds + d);
    for (auto [day, hours] : k.least) EXPECT_EQ(+t.personal.ov[day], hours) << k.what;
    for (int d : k.free) EXPECT_EQ(+t.personal.li[d], 1) << k.what;
    std::size_t boxes = ui.boxes().size();
    const std::string before = read(file);
    if (k.refused) ui.PressInNextModal(CMessageBox::kButtonIds[0]);
    ui.Click(page, V::kSaveId);
    if (k.refused) {
      ASSERT_EQ(ui.boxes().size(), boxes + 1) << k.what;
      EXPECT_EQ(ui.boxes().back().texts.at(0), k.refused) << k.what;
      EXPECT_TRUE(ui.HasFocus(page, k.focus)) << k.what;
      EXPECT_TRUE(read(file) == before) << k.what << ": saved";
    } else {
      EXPECT_EQ(ui.boxes().size(), boxes) << k.what << ": " << ui.boxes().back().texts.at(0);
      EXPECT_TRUE(read(file) != before) << k.what << ": not saved";
    }
    for (const auto& p : ui.Problems()) ADD_FAILURE() << k.what << ": " << p;
    // Closed as saved, so that the next case opens afresh.
    t = shown;
    og_snapshot_all();
    page.DestroyWindow();
    ASSERT_FALSE(page.IsWindow()) << k.what;
  }
}

// Only a choice in the two-idle-hours list writes the teacher's own rule:
// moving into the list, where the school's rule shows, changes nothing, so
// leaving him asks nothing.
TEST_F(TeacherPage, FocusOnTheTwoIdleHoursListChangesNothing) {
  g_ui_settings.maxbuday[0] = 2;
  g_ui_settings.maxbuday[1] = 1;
  UiTeacher& t = g_ui_teachers[g_vipro_current_teacher];
  t.personal.maxbudayper = -1;
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ASSERT_TRUE(ui.Select(page, V::kTeacherId, 0));
  UiTeacher& first = g_ui_teachers[page.CurrentTeacher()];
  first.personal.maxbudayper = -1;
  og_snapshot_all();
  ui.Click(page, V::kAbandonId);
  ASSERT_EQ(kt_constraints_test::selection(page, V::kMaxBudayId), 2);  // the school's rule, contiguous
  const UiTeacher before = first;
  page.GetDlgItem(V::kMaxBudayId)->SetFocus();
  ui.Pump();
  page.GetDlgItem(V::kTeacherId)->SetFocus();
  ui.Pump();
  EXPECT_EQ(std::memcmp(&first, &before, sizeof before), 0) << "the teacher changed";
  EXPECT_EQ(+first.personal.maxbudayper, -1);
  std::size_t boxes = ui.boxes().size();
  ui.Click(page, V::kNextId);
  EXPECT_EQ(ui.boxes().size(), boxes) << ui.boxes().back().texts.at(0);
  EXPECT_NE(&g_ui_teachers[page.CurrentTeacher()], &first);

  // A choice does write it.
  ui.Click(page, V::kPreviousId);
  ASSERT_EQ(&g_ui_teachers[page.CurrentTeacher()], &first);
  ASSERT_TRUE(ui.Select(page, V::kMaxBudayId, 1));
  EXPECT_EQ(+first.personal.maxbudayper, 2);
  first.personal.maxbudayper = -1;
  g_ui_settings.maxbuday[0] = 1;
  g_ui_settings.maxbuday[1] = 0;
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
