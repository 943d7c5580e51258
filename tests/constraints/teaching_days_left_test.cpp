// The teaching days a teacher is left with when the teacher constraints
// page saves him, on the small sample school cut to five days of six
// hours: a day counts when it has an hour open and is not his one free
// day. With two or three such days his most and least days come down to
// them, and when the user has just chosen the free days (or gone through
// the forbidden hours) and every day left sits beside another of at least
// two open hours, he may see his classes on consecutive days.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::TeacherPage;
using V = Cvipro;
namespace fs = std::filesystem;

struct DaysCase {
  const char* what;
  std::vector<int> closed;    // days with every hour forbidden
  int narrow_day, narrow_open;  // a day left with only its first hours open (-1: none)
  std::vector<int> free;      // free days
  bool click;                 // ticked on the page (else stored as read); none: one ticked and unticked
  int gmin, gmax;
  int want_gmin, want_gmax, want_consecutive;
};

TEST_F(TeacherPage, TheDaysLeftBoundTheTeachingDaysAndAllowConsecutiveDays) {
  const DaysCase cases[] = {
      {"two days left together", {3, 4}, -1, 0, {2}, true, 4, 5, 2, 2, 1},
      {"two days left together, the free day as stored", {3, 4}, -1, 0, {2}, false, 4, 5, 2, 2, 0},
      {"two days apart", {1, 3}, -1, 0, {4}, true, 1, 5, 1, 2, 0},
      {"three days apart", {1}, -1, 0, {3}, true, 4, 5, 3, 3, 0},
      {"three days, two of them together", {2}, -1, 0, {4}, true, 2, 4, 2, 3, 0},
      {"three days in a row", {0}, -1, 0, {1}, true, 3, 5, 3, 3, 1},
      {"three days in a row, the free day as stored", {0}, -1, 0, {1}, false, 3, 5, 3, 3, 0},
      {"three days in a row, a free day ticked and unticked", {0, 1}, -1, 0, {}, true, 3, 5, 3, 3, 1},
      {"three days in a row, nothing ticked", {0, 1}, -1, 0, {}, false, 3, 5, 3, 3, 0},
      {"three days, the first of one open hour", {4}, 0, 1, {3}, true, 3, 5, 3, 3, 0},
      {"three days, the first of two open hours", {4}, 0, 2, {3}, true, 3, 5, 3, 3, 1},
      {"most days already below", {0, 1}, -1, 0, {}, true, 1, 2, 1, 2, 1},
      {"four days left", {4}, -1, 0, {}, true, 4, 5, 4, 5, 0},
      {"four days left, one of them free", {4}, -1, 0, {0}, true, 2, 5, 2, 3, 1},
      {"five days, one free", {}, -1, 0, {2}, true, 4, 5, 4, 5, 0},
      {"four days left, two of them free", {4}, -1, 0, {0, 1}, true, 2, 5, 2, 5, 0},
  };
  g_ui_settings.lunch_break[0] = 0;
  og_snapshot_all();
  UiTeacher& t = g_ui_teachers[g_vipro_current_teacher];
  UiTeacherConstraints& c = t.personal;
  std::memset(c.li, 255, sizeof c.li);
  og_snapshot_all();
  const UiTeacher shown = t;
  const fs::path file = data_root() / "piccola" / "scuola2.txt";
  for (const DaysCase& k : cases) {
    // Each case on a freshly opened page.
    t = shown;
    og_snapshot_all();
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    ASSERT_EQ(page.CurrentTeacher(), g_vipro_current_teacher);
    std::memset(c.op, 0, sizeof c.op);
    for (int d : k.closed)
      for (int h = 0; h < 6; ++h) c.op[d * 12 + h] = 1;
    if (k.narrow_day >= 0)
      for (int h = k.narrow_open; h < 6; ++h) c.op[k.narrow_day * 12 + h] = 1;
    c.gmin = std::int8_t(k.gmin);
    c.gmax = std::int8_t(k.gmax);
    c.buk[0] = -1;
    c.ignorapausa = 0;
    for (int d : k.free) {
      if (k.click) ui.Click(page, V::kFreeDayIds + d);
      else c.li[d] = 1;
    }
    if (k.free.empty() && k.click) {  // ticked and unticked again
      ui.Click(page, V::kFreeDayIds + 4);
      ui.Click(page, V::kFreeDayIds + 4);
    }
    std::size_t boxes = ui.boxes().size();
    std::string before = read(file);
    ui.Click(page, V::kSaveId);
    for (std::size_t b = boxes; b < ui.boxes().size(); ++b) ADD_FAILURE() << k.what << ", asked: " << ui.boxes()[b].texts[0];
    EXPECT_EQ(+c.gmin, k.want_gmin) << k.what;
    EXPECT_EQ(+c.gmax, k.want_gmax) << k.what;
    EXPECT_EQ(+c.ignorapausa, k.want_consecutive) << k.what;
    EXPECT_EQ(static_cast<Button*>(page.GetDlgItem(V::kConsecutiveId))->GetCheck(),
              k.want_consecutive ? kBstChecked : kBstUnchecked)
        << k.what;
    EXPECT_TRUE(read(file) != before) << k.what << ": not saved";
    for (const auto& p : ui.Problems()) ADD_FAILURE() << k.what << ": " << p;
    EXPECT_TRUE(page.DestroyWindow()) << k.what;
  }
  t = shown;
  og_snapshot_all();
}

}  // namespace
