// The three week grids (plain, of times, of values) open as one family of
// windows: the same title line and "always" box above the grid, the same
// day header row, and the same right-hand column of help button, counter,
// help pane and the OK and Cancel pair; only the grids and the widths
// differ. A user moving from one picker to another finds each part where
// he left it in the other.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pickers/week_grid_picker.h"
#include "pickers/week_grid_times.h"
#include "pickers/week_grid_values.h"
#include "platform/dialog_template.h"

namespace {

using namespace kt::ui;

const ControlTemplate& control(const DialogTemplate& t, int id) {
  for (const ControlTemplate& c : t.controls)
    if (c.id == id) return c;
  ADD_FAILURE() << "no control " << id << " in " << t.id;
  return t.controls.front();
}

int right(const ControlTemplate& c) { return c.x + c.cx; }
int bottom(const ControlTemplate& c) { return c.y + c.cy; }

// The ids of the parts every week grid has.
struct Family {
  int template_id;
  int title, always, first_day, last_day, help_button, counter_label, counter, help_pane;
};

std::vector<Family> families() {
  ui_register_week_grid_templates();
  ui_register_week_times_templates();
  ui_register_week_values_templates();
  return {
      {Cdwh::kTemplate, Cdwh::kTitleId, Cdwh::kAlwaysId, Cdwh::kDayHeaderIds[0], Cdwh::kDayHeaderIds[kWeekDays - 1],
       Cdwh::kHelpButtonId, Cdwh::kCounterLabelId, Cdwh::kCounterId, Cdwh::kHelpPaneId},
      {CdwhExt::kTemplate, CdwhExt::kTitleId, CdwhExt::kAlwaysId, CdwhExt::kDayHeaderIds[0],
       CdwhExt::kDayHeaderIds[kWeekDays - 1], CdwhExt::kHelpButtonId, CdwhExt::kCounterLabelId, CdwhExt::kCounterId,
       CdwhExt::kHelpPaneId},
      {CdwhCombo::kTemplate, CdwhCombo::kTitleId, CdwhCombo::kAlwaysId, CdwhCombo::kDayHeaderIds[0],
       CdwhCombo::kDayHeaderIds[kWeekDays - 1], CdwhCombo::kHelpButtonId, CdwhCombo::kCounterLabelId,
       CdwhCombo::kCounterId, CdwhCombo::kHelpPaneId},
  };
}

const DialogTemplate& find(int id) {
  const DialogTemplate* t = find_dialog_template(id);
  EXPECT_NE(t, nullptr) << id;
  return *t;
}

// Each window on its own: the title and the "always" box one under the
// other with the same span, two units apart, both one line of text high,
// then the day headers; the right column's counter on the label's line
// and the pane under them; OK and Cancel side by side, the same size.
TEST(WeekGridsAlike, EachWindowStacksItsHeaderAndItsRightColumn) {
  for (const Family& f : families()) {
    const DialogTemplate& t = find(f.template_id);
    const ControlTemplate &title = control(t, f.title), &always = control(t, f.always);
    EXPECT_EQ(always.x, title.x) << t.id;
    EXPECT_EQ(always.cx, title.cx) << t.id;
    EXPECT_EQ(always.cy, title.cy) << t.id << " one line of text each";
    EXPECT_EQ(always.y, bottom(title) + 2) << t.id;
    EXPECT_LT(bottom(always), control(t, f.first_day).y) << t.id << " the day headers under the box";
    EXPECT_EQ(control(t, f.last_day).y, control(t, f.first_day).y) << t.id;
    EXPECT_EQ(control(t, f.help_button).y, control(t, f.first_day).y) << t.id << " the column starts on the days' row";
    EXPECT_GT(control(t, f.help_button).x, right(control(t, f.last_day))) << t.id << " right of the grid";
    EXPECT_EQ(control(t, f.counter).y, control(t, f.counter_label).y) << t.id;
    EXPECT_EQ(control(t, f.counter).cy, control(t, f.counter_label).cy) << t.id;
    EXPECT_GT(control(t, f.counter_label).y, bottom(control(t, f.help_button))) << t.id;
    EXPECT_GT(control(t, f.help_pane).y, bottom(control(t, f.counter_label))) << t.id;
    const ControlTemplate &ok = control(t, kIdOk), &cancel = control(t, kIdCancel);
    EXPECT_EQ(ok.x, control(t, f.help_pane).x) << t.id;
    EXPECT_EQ(right(cancel), right(control(t, f.help_pane))) << t.id;
    EXPECT_EQ(cancel.y, ok.y) << t.id;
    EXPECT_EQ(cancel.cx, ok.cx) << t.id;
    EXPECT_EQ(cancel.cy, ok.cy) << t.id;
    EXPECT_GT(ok.y, bottom(control(t, f.help_pane))) << t.id;
  }
}

// Across the three windows: each part where it is in the plain grid, and
// of its size (widths that follow the grid's width aside).
TEST(WeekGridsAlike, EachPartIsWhereItIsInThePlainGrid) {
  std::vector<Family> all = families();
  const Family& plain = all[0];
  const DialogTemplate& p = find(plain.template_id);
  for (std::size_t i = 1; i < all.size(); ++i) {
    const Family& f = all[i];
    const DialogTemplate& t = find(f.template_id);
    auto same_place = [&](int mine, int theirs, bool width, const char* what) {
      const ControlTemplate &a = control(t, mine), &b = control(p, theirs);
      EXPECT_EQ(a.y, b.y) << t.id << " " << what;
      EXPECT_EQ(a.cy, b.cy) << t.id << " " << what;
      if (width) EXPECT_EQ(a.cx, b.cx) << t.id << " " << what;
    };
    same_place(f.title, plain.title, false, "title");
    same_place(f.always, plain.always, false, "always box");
    EXPECT_EQ(control(t, f.title).x, control(p, plain.title).x) << t.id << " the title at the margin";
    same_place(f.first_day, plain.first_day, false, "day headers");
    same_place(f.help_button, plain.help_button, true, "help button");
    same_place(f.counter_label, plain.counter_label, false, "counter label");
    same_place(f.counter, plain.counter, true, "counter");
    EXPECT_EQ(control(t, f.help_pane).y, control(p, plain.help_pane).y) << t.id << " help pane";
    EXPECT_EQ(control(t, f.help_pane).cx, control(p, plain.help_pane).cx) << t.id << " help pane";
    EXPECT_EQ(control(t, kIdOk).cx, control(p, kIdOk).cx) << t.id;
    EXPECT_EQ(control(t, kIdOk).cy, control(p, kIdOk).cy) << t.id;
    EXPECT_EQ(control(t, kIdCancel).x - right(control(t, kIdOk)), control(p, kIdCancel).x - right(control(p, kIdOk)))
        << t.id << " the same gap between OK and Cancel";
  }
}

}  // namespace
