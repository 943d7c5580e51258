// A teacher given only the most days, in a school whose weekly-days table
// is empty (the sample schools as read: it asks for at least 7), shows his
// maximum as his least too, and can be left without a word and without a
// change to the stored record. A teacher with both limits, or with neither,
// keeps what he had.
#include <gtest/gtest.h>

#include <string>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::TeacherPage;
using kt_constraints_test::selection;
using V = Cvipro;

TEST_F(TeacherPage, AMaximumOfDaysAloneIsAlsoTheLeastShown) {
  struct Case {
    int gmin, gmax, shown_min, shown_max;
  } cases[] = {{-1, 4, 4, 4}, {-1, 2, 2, 2}, {2, 4, 2, 4}, {3, 3, 3, 3}};
  ASSERT_EQ(g_ui_settings.iggiorni.count, 0) << "the sample school has no weekly-days table";
  for (const Case& c : cases) {
    int k = int(&c - cases);
    // The first of the list, so that "next" has somewhere to go.
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    ASSERT_TRUE(ui.Select(page, V::kTeacherId, 0));
    int first = page.CurrentTeacher();
    page.DestroyWindow();
    UiTeacher& t = g_ui_teachers[first];
    t.personal.gmin = std::int8_t(c.gmin);
    t.personal.gmax = std::int8_t(c.gmax);
    og_snapshot_all();
    std::size_t boxes = ui.boxes().size();
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    ASSERT_TRUE(ui.Select(page, V::kTeacherId, 0));
    ASSERT_EQ(page.CurrentTeacher(), first);
    EXPECT_EQ(selection(page, 3018), c.shown_min) << k;
    EXPECT_EQ(selection(page, 3019), c.shown_max) << k;
    ui.Click(page, V::kNextId);
    EXPECT_EQ(ui.boxes().size(), boxes) << k << ": " << (ui.boxes().empty() ? "" : ui.boxes().back().texts.at(0));
    EXPECT_NE(page.CurrentTeacher(), first) << k << ": the page stayed on him";
    EXPECT_EQ(+t.personal.gmin, c.gmin) << k << ": stored unchanged";
    EXPECT_EQ(+t.personal.gmax, c.gmax) << k;
    page.DestroyWindow();
  }
}

}  // namespace
