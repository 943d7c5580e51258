// What the substitutions dialog and the provisional page look like, in the
// units of their templates: the dialog's controls stand in three columns
// with equal gaps between them and equal margins around them, the title and
// the result list span the three, the twelve hour boxes form two even rows
// of six and the buttons of a row share their top and height; the page's
// texts and calendar button line up on its left margin, its two buttons
// on the right of the calendar, one below the other.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "platform/dialog_template.h"
#include "substitutions/provisional_page.h"
#include "substitutions/substitutions_dialog.h"
#include "template_alignment.h"

namespace {

using namespace kt::ui;
using S = Cmenu_sost;
using P = Cprovvi;

const DialogTemplate& find(int id) {
  ui_register_substitution_templates();
  const DialogTemplate* t = find_dialog_template(id);
  EXPECT_NE(t, nullptr);
  return *t;
}

const ControlTemplate& control(const DialogTemplate& t, int id) {
  for (const ControlTemplate& c : t.controls)
    if (c.id == id) return c;
  ADD_FAILURE() << "no control " << id;
  return t.controls.front();
}

int right(const ControlTemplate& c) { return c.x + c.cx; }
int bottom(const ControlTemplate& c) { return c.y + c.cy; }

TEST(SubstitutionLayout, TheDialogStandsInThreeEvenColumns) {
  const DialogTemplate& t = find(S::kTemplate);
  // The columns: the teachers' list, the reason with the hours and the
  // marking buttons, the absent list.
  const int columns[3][2] = {{control(t, S::kTeachersId).x, right(control(t, S::kTeachersId))},
                             {control(t, S::kMarkId).x, right(control(t, S::kMarkId))},
                             {control(t, S::kAbsentId).x, right(control(t, S::kAbsentId))}};
  EXPECT_EQ(columns[1][0] - columns[0][1], columns[2][0] - columns[1][1]) << "equal gaps";
  EXPECT_EQ(t.cx - columns[2][1], columns[0][0]) << "equal side margins";
  for (int id : {S::kTitleId, S::kResultsId}) {
    EXPECT_EQ(control(t, id).x, columns[0][0]) << id;
    EXPECT_EQ(right(control(t, id)), columns[2][1]) << id << " spans the three columns";
  }
  EXPECT_EQ(t.cy - bottom(control(t, S::kResultsId)), columns[0][0]) << "bottom margin";
  // Each button spans its column.
  const std::pair<int, int> buttons[] = {{S::kComputeId, 0}, {S::kPrintId, 1}, {kIdCancel, 2},
                                         {S::kMarkId, 1},    {S::kRemoveId, 1}};
  for (auto [id, column] : buttons) {
    EXPECT_EQ(control(t, id).x, columns[column][0]) << id;
    EXPECT_EQ(right(control(t, id)), columns[column][1]) << id;
  }
  // The bottom row of buttons, and the two lists above them, line up.
  for (int id : {S::kPrintId, kIdCancel}) {
    EXPECT_EQ(control(t, id).y, control(t, S::kComputeId).y) << id;
    EXPECT_EQ(control(t, id).cy, control(t, S::kComputeId).cy) << id;
  }
  EXPECT_EQ(control(t, S::kAbsentId).y, control(t, S::kTeachersId).y);
  EXPECT_EQ(bottom(control(t, S::kAbsentId)), bottom(control(t, S::kTeachersId)));
  EXPECT_EQ(control(t, S::kReasonId).y, control(t, S::kTeachersId).y);
  EXPECT_EQ(control(t, S::kReasonId).x, columns[1][0]);
  EXPECT_EQ(control(t, S::kMarkId).cy, control(t, S::kRemoveId).cy);
  EXPECT_GT(control(t, S::kComputeId).y, bottom(control(t, S::kTeachersId)));
  EXPECT_LT(bottom(control(t, S::kComputeId)), control(t, S::kResultsId).y);
}

TEST(SubstitutionLayout, TheHourBoxesFormTwoEvenRowsOfSix) {
  const DialogTemplate& t = find(S::kTemplate);
  const ControlTemplate& first = control(t, S::kFirstHourId);
  const ControlTemplate& second = control(t, S::kFirstHourId + 1);
  const ControlTemplate& seventh = control(t, S::kFirstHourId + 6);
  int step_x = second.x - first.x, step_y = seventh.y - first.y;
  EXPECT_GT(step_x, first.cx - 1);
  EXPECT_GT(step_y, first.cy - 1);
  EXPECT_EQ(first.x, control(t, S::kReasonId).x);
  for (int h = 0; h < 12; ++h) {
    const ControlTemplate& box = control(t, S::kFirstHourId + h);
    EXPECT_EQ(box.x, first.x + (h % 6) * step_x) << h;
    EXPECT_EQ(box.y, first.y + (h / 6) * step_y) << h;
    EXPECT_EQ(box.cx, first.cx) << h;
    EXPECT_EQ(box.cy, first.cy) << h;
  }
  EXPECT_EQ(right(control(t, S::kFirstHourId + 5)), right(control(t, S::kMarkId))) << "the boxes fill the column";
}

TEST(SubstitutionLayout, TheProvisionalPageLinesUpOnItsMargins) {
  const DialogTemplate& t = find(P::kTemplate);
  const ControlTemplate& title = control(t, P::kTitleId);
  const ControlTemplate& calendar = control(t, P::kCalendarId);
  const ControlTemplate& compute = control(t, P::kComputeId);
  const ControlTemplate& leave = control(t, P::kLeaveId);
  int margin = title.x;
  EXPECT_EQ(title.y, margin) << "the title at the corner";
  for (int id : {P::kNoticeId, P::kCalendarId}) EXPECT_EQ(control(t, id).x, margin) << id;
  EXPECT_EQ(right(control(t, P::kNoticeId)), right(title));
  EXPECT_EQ(control(t, P::kNoticeId).y - bottom(title), calendar.y - bottom(control(t, P::kNoticeId)))
      << "even steps down the left";
  EXPECT_EQ(compute.y, calendar.y) << "the buttons start beside the calendar's top";
  EXPECT_EQ(leave.x, compute.x);
  EXPECT_EQ(leave.cx, compute.cx);
  EXPECT_EQ(leave.cy, compute.cy);
  EXPECT_EQ(compute.x - right(calendar), margin) << "a margin's gap beside the calendar";
  EXPECT_GT(leave.y, bottom(compute));
  EXPECT_EQ(t.cx - right(compute), margin);
  EXPECT_EQ(t.cy - bottom(calendar), margin);
}

// No control slips by one unit from the one it lines up with.
TEST(SubstitutionLayout, NoControlSlipsByOneUnit) {
  ui_register_substitution_templates();
  EXPECT_EQ(template_alignment::problems_of({S::kTemplate, P::kTemplate}), "");
}

}  // namespace
