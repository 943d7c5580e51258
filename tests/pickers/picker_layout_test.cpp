// What the pickers' windows look like, in the units of their templates:
// the week grid's cells form an even lattice of seven days by twelve hours
// under their day headers and beside their hour headers, with the texts and
// buttons lined up on the margins; each band table's rows are captioned at
// the left and hold one evenly spaced column of lists per band, above a
// footer whose buttons share their row. Every window keeps the same margin
// left and right, and no control slips by one unit from its neighbours.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "pickers/band_table_double.h"
#include "pickers/band_table_picker.h"
#include "pickers/band_table_triple.h"
#include "pickers/week_grid_picker.h"
#include "pickers/constraint_copy_panels.h"
#include "pickers/exemption_list.h"
#include "pickers/week_grid_times.h"
#include "pickers/week_grid_values.h"
#include "platform/dialog_template.h"
#include "template_alignment.h"

namespace {

using namespace kt::ui;
using B = CBandTableDialog;

const DialogTemplate& find(int id) {
  ui_register_week_grid_templates();
  ui_register_band_table_templates();
  const DialogTemplate* t = find_dialog_template(id);
  EXPECT_NE(t, nullptr) << id;
  return *t;
}

const ControlTemplate& control(const DialogTemplate& t, int id) {
  for (const ControlTemplate& c : t.controls)
    if (c.id == id) return c;
  ADD_FAILURE() << "no control " << id << " in " << t.id;
  return t.controls.front();
}

int right(const ControlTemplate& c) { return c.x + c.cx; }
int bottom(const ControlTemplate& c) { return c.y + c.cy; }

int rightmost(const DialogTemplate& t) {
  int r = 0;
  for (const ControlTemplate& c : t.controls) r = std::max(r, right(c));
  return r;
}

TEST(PickerLayout, TheWeekGridIsAnEvenLattice) {
  const DialogTemplate& t = find(Cdwh::kTemplate);
  const ControlTemplate& first = control(t, dwh_cell_id(0, 0));
  int step_x = control(t, dwh_cell_id(1, 0)).x - first.x, step_y = control(t, dwh_cell_id(0, 1)).y - first.y;
  EXPECT_GE(step_x, first.cx);
  EXPECT_GE(step_y, first.cy);
  for (int d = 0; d < kWeekDays; ++d) {
    const ControlTemplate& day = control(t, Cdwh::kDayHeaderIds[std::size_t(d)]);
    for (int h = 0; h < kDayHours; ++h) {
      const ControlTemplate& cell = control(t, dwh_cell_id(d, h));
      EXPECT_EQ(cell.x, first.x + d * step_x) << d << "," << h;
      EXPECT_EQ(cell.y, first.y + h * step_y) << d << "," << h;
      EXPECT_EQ(cell.cx, first.cx);
      EXPECT_EQ(cell.cy, first.cy);
      EXPECT_TRUE(day.x <= cell.x && right(cell) <= right(day)) << "day " << d << " heads its cells";
    }
    EXPECT_LT(bottom(day), first.y) << "the headers above the cells";
    EXPECT_EQ(day.y, control(t, Cdwh::kDayHeaderIds[0]).y) << "on one row";
    EXPECT_EQ(day.cy, control(t, Cdwh::kDayHeaderIds[0]).cy);
    EXPECT_EQ(day.cx, control(t, Cdwh::kDayHeaderIds[0]).cx);
    EXPECT_EQ(day.x - control(t, Cdwh::kDayHeaderIds[0]).x, d * step_x) << "each over its column";
    EXPECT_EQ(2 * day.x + day.cx, 2 * first.x + 2 * d * step_x + first.cx) << "centred over its cells";
  }
  for (int h = 0; h < kDayHours; ++h) {
    const ControlTemplate& hour = control(t, Cdwh::kHourHeaderIds[std::size_t(h)]);
    EXPECT_EQ(hour.y, first.y + h * step_y) << h;
    EXPECT_EQ(hour.cy, first.cy) << h;
    EXPECT_LT(right(hour), control(t, Cdwh::kDayHeaderIds[0]).x);
    EXPECT_EQ(hour.x, control(t, Cdwh::kHourHeaderIds[0]).x);
  }
  // The texts above the grid, and the column on its right.
  const ControlTemplate& title = control(t, Cdwh::kTitleId);
  const ControlTemplate& always = control(t, Cdwh::kAlwaysId);
  EXPECT_EQ(title.x, always.x);
  EXPECT_EQ(right(title), right(always));
  EXPECT_EQ(bottom(title) + 2, always.y);
  int column = control(t, Cdwh::kInvertId).x;
  EXPECT_GT(column, right(control(t, Cdwh::kDayHeaderIds[kWeekDays - 1])));
  for (int id : {Cdwh::kCounterLabelId, Cdwh::kHelpPaneId, kIdOk}) EXPECT_EQ(control(t, id).x, column) << id;
  EXPECT_EQ(control(t, Cdwh::kInvertId).y, control(t, Cdwh::kDayHeaderIds[0]).y);
  EXPECT_EQ(control(t, Cdwh::kHelpButtonId).y, control(t, Cdwh::kInvertId).y);
  EXPECT_EQ(control(t, Cdwh::kHelpButtonId).cy, control(t, Cdwh::kInvertId).cy);
  EXPECT_EQ(control(t, Cdwh::kCounterId).y, control(t, Cdwh::kCounterLabelId).y);
  EXPECT_EQ(control(t, kIdCancel).y, control(t, kIdOk).y);
  EXPECT_EQ(control(t, kIdCancel).cx, control(t, kIdOk).cx);
  EXPECT_EQ(control(t, kIdCancel).cy, control(t, kIdOk).cy);
  EXPECT_EQ(right(control(t, kIdCancel)), right(control(t, Cdwh::kHelpPaneId)));
  EXPECT_EQ(t.cx - rightmost(t), title.x) << "even side margins";
  EXPECT_EQ(t.cy - bottom(control(t, kIdOk)), title.y) << "the bottom margin as the top";
}

// One band table: its captions at the left, one row each, and nine evenly
// spaced columns of lists (with the band texts where the band lists are).
void check_rows(const DialogTemplate& t, const std::vector<int>& captions, const std::vector<const int*>& rows,
                const int* texts) {
  int left = control(t, captions[0]).x;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const ControlTemplate& caption = control(t, captions[r]);
    EXPECT_EQ(caption.x, left) << t.id << " row " << r;
    EXPECT_EQ(caption.cx, control(t, captions[0]).cx) << t.id << " row " << r;
    const ControlTemplate& first = control(t, rows[r][0]);
    EXPECT_EQ(caption.y, first.y) << t.id << " row " << r << " captioned on its line";
    EXPECT_LT(right(caption), first.x);
    int step = control(t, rows[r][1]).x - first.x;
    EXPECT_GE(step, first.cx);
    for (int i = 0; i < 9; ++i) {
      const ControlTemplate& list = control(t, rows[r][i]);
      EXPECT_EQ(list.x, first.x + i * step) << t.id << " row " << r << " column " << i;
      EXPECT_EQ(list.y, first.y) << t.id << " row " << r << " column " << i;
      EXPECT_EQ(list.cx, first.cx);
      EXPECT_EQ(list.x, control(t, rows[0][i]).x) << "the columns line up";
      if (r > 0) {
        EXPECT_EQ(list.y - control(t, rows[r - 1][i]).y, control(t, rows[1][0]).y - control(t, rows[0][0]).y)
            << "evenly spaced rows";
      }
    }
  }
  for (int i = 0; texts && i < 9; ++i) {
    const ControlTemplate& text = control(t, texts[i]);
    const ControlTemplate& band = control(t, rows[0][i]);
    EXPECT_EQ(text.x, band.x) << t.id << " text " << i;
    EXPECT_TRUE(band.y <= text.y && bottom(text) <= band.y + 17) << t.id << " text " << i << " lies on its list";
  }
}

// The footer under the rows: the help pane, the restore button with its
// "?" and the reminder on one line, save and abandon on the next.
void check_footer(const DialogTemplate& t, int margin) {
  const ControlTemplate& pane = control(t, B::kHelpPaneId);
  const ControlTemplate& restore = control(t, B::kRestoreId);
  const ControlTemplate& ok = control(t, kIdOk);
  const ControlTemplate& cancel = control(t, kIdCancel);
  EXPECT_EQ(pane.x, margin) << t.id;
  EXPECT_EQ(restore.x, margin) << t.id;
  EXPECT_EQ(ok.x, margin) << t.id;
  EXPECT_EQ(ok.cx, restore.cx) << t.id;
  EXPECT_EQ(control(t, B::kRestoreHelpId).y, restore.y) << t.id;
  EXPECT_EQ(control(t, B::kRestoreHelpId).cy, restore.cy) << t.id;
  EXPECT_GT(restore.y, bottom(pane)) << t.id;
  EXPECT_GT(control(t, B::kReminderId).x, right(control(t, B::kRestoreHelpId))) << t.id;
  EXPECT_EQ(right(control(t, B::kReminderId)), right(cancel)) << t.id;
  EXPECT_EQ(cancel.y, ok.y) << t.id;
  EXPECT_EQ(cancel.cy, ok.cy) << t.id;
  EXPECT_EQ(cancel.cx, ok.cx) << t.id;
  EXPECT_GT(ok.y, bottom(restore)) << t.id;
  EXPECT_EQ(t.cx - right(cancel), margin) << t.id << " even side margins";
  EXPECT_EQ(t.cx - rightmost(t), margin) << t.id;
  EXPECT_EQ(t.cy - bottom(ok), margin) << t.id << " bottom margin";
}

TEST(PickerLayout, EachBandTableLinesUpItsRowsAndColumns) {
  {
    const DialogTemplate& t = find(Chq2::kTemplate);
    check_rows(t, {Chq2::kBandCaptionId, Chq2::kQuantityCaptionId}, {Chq2::kBandIds.data(), Chq2::kQuantityIds.data()},
               Chq2::kBandTextIds.data());
    EXPECT_EQ(control(t, Chq2::kTitleId).x, control(t, Chq2::kBandCaptionId).x);
    EXPECT_EQ(right(control(t, Chq2::kTitleId)), right(control(t, kIdCancel)));
    EXPECT_EQ(control(t, Chq2::kExplanationHelpId).y, control(t, B::kHelpPaneId).y);
    check_footer(t, control(t, Chq2::kTitleId).x);
  }
  {
    const DialogTemplate& t = find(Chq3::kTemplate);
    check_rows(t, {Chq3::kBandCaptionId, Chq3::kSecondCaptionId, Chq3::kQuantityCaptionId},
               {Chq3::kBandIds.data(), Chq3::kSecondIds.data(), Chq3::kQuantityIds.data()}, nullptr);
    EXPECT_EQ(control(t, Chq3::kTitleId).x, control(t, Chq3::kBandCaptionId).x);
    EXPECT_EQ(right(control(t, Chq3::kTitleId)), right(control(t, kIdCancel)));
    check_footer(t, control(t, Chq3::kTitleId).x);
  }
  {
    const DialogTemplate& t = find(Chq2alt::kTemplate);
    for (int table = 0; table < 2; ++table) {
      int bands[9], quantities[9], texts[9];
      for (int i = 0; i < 9; ++i) {
        bands[i] = Chq2alt::BandId(table, i);
        quantities[i] = Chq2alt::QuantityId(table, i);
        texts[i] = Chq2alt::TextId(table, i);
      }
      check_rows(t, {Chq2alt::kBandCaptionIds[table], Chq2alt::kQuantityCaptionIds[table]}, {bands, quantities}, texts);
      const ControlTemplate& title = control(t, Chq2alt::kTitleIds[table]);
      const ControlTemplate& help = control(t, Chq2alt::kExplanationHelpIds[table]);
      EXPECT_EQ(title.x, control(t, Chq2alt::kBandCaptionIds[table]).x) << table;
      EXPECT_TRUE(help.y <= title.y && bottom(title) <= bottom(help)) << table << " the title beside its \"?\"";
      EXPECT_EQ(right(help), right(control(t, kIdCancel))) << table;
      EXPECT_EQ(control(t, Chq2alt::kBandCaptionIds[table]).y - title.y,
                control(t, Chq2alt::kBandCaptionIds[0]).y - control(t, Chq2alt::kTitleIds[0]).y)
          << "both tables the same below their titles";
    }
    EXPECT_EQ(control(t, Chq2alt::kAlternativeId).x, control(t, Chq2alt::kTitleIds[1]).x);
    EXPECT_EQ(control(t, Chq2alt::kTitleIds[0]).y, control(t, Chq2alt::kTitleIds[0]).x) << "the top margin as the side";
    EXPECT_LE(bottom(control(t, Chq2alt::kAlternativeId)), control(t, Chq2alt::kTitleIds[1]).y) << "above the second title";
    check_footer(t, control(t, Chq2alt::kTitleIds[0]).x);
  }
}

// Controls laid out (day, hour) as a lattice: the position of each from the
// first by whole steps, all of one size.
void expect_lattice(const DialogTemplate& t, int (*id)(int, int), const char* what) {
  const ControlTemplate& first = control(t, id(0, 0));
  int step_x = control(t, id(1, 0)).x - first.x, step_y = control(t, id(0, 1)).y - first.y;
  EXPECT_GE(step_x, first.cx) << what;
  if (std::string(first.class_name) != "ComboBox") {  // a list's height holds its drop-down
    EXPECT_GE(step_y, first.cy) << what;
  }
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < kDayHours; ++h) {
      const ControlTemplate& c = control(t, id(d, h));
      EXPECT_EQ(c.x, first.x + d * step_x) << what << " " << d << "," << h;
      EXPECT_EQ(c.y, first.y + h * step_y) << what << " " << d << "," << h;
      EXPECT_EQ(c.cx, first.cx) << what << " " << d << "," << h;
      EXPECT_EQ(c.cy, first.cy) << what << " " << d << "," << h;
    }
}

// The right-hand column of a week grid: the counter line, the help pane and
// OK / Annulla under it, on one left edge, the two buttons alike.
void expect_right_column(const DialogTemplate& t, int top_id, int label_id, int counter_id, int pane_id) {
  int column = control(t, top_id).x;
  for (int id : {label_id, pane_id, kIdOk}) EXPECT_EQ(control(t, id).x, column) << t.id << " " << id;
  EXPECT_EQ(control(t, counter_id).y, control(t, label_id).y) << t.id;
  EXPECT_GT(control(t, counter_id).x, right(control(t, label_id))) << t.id;
  EXPECT_EQ(control(t, kIdCancel).y, control(t, kIdOk).y) << t.id;
  EXPECT_EQ(control(t, kIdCancel).cx, control(t, kIdOk).cx) << t.id;
  EXPECT_EQ(control(t, kIdCancel).cy, control(t, kIdOk).cy) << t.id;
  EXPECT_EQ(right(control(t, kIdCancel)), right(control(t, pane_id))) << t.id;
  EXPECT_GT(control(t, kIdOk).y, bottom(control(t, pane_id))) << t.id;
  EXPECT_LT(bottom(control(t, kIdOk)), t.cy) << t.id;
}

int times_cell(int d, int h) { return dwh_cell_id(d, h); }
int times_start(int d, int h) { return dwh_start_id(d, h); }
int times_end(int d, int h) { return dwh_end_id(d, h); }
int values_cell(int d, int h) { return CdwhCombo::kCellIds[std::size_t(d * kDayHours + h)]; }
int values_list(int d, int h) { return CdwhCombo::kListIds[std::size_t(d * kDayHours + h)]; }

TEST(PickerLayout, TheWeekGridsOfTimesAndOfValuesAreEvenLattices) {
  ui_register_week_times_templates();
  ui_register_week_values_templates();
  {
    const DialogTemplate& t = find(CdwhExt::kTemplate);
    expect_lattice(t, times_cell, "hour box");
    expect_lattice(t, times_start, "start");
    expect_lattice(t, times_end, "end");
    const ControlTemplate &cell = control(t, dwh_cell_id(0, 0)), &start = control(t, dwh_start_id(0, 0)),
                          &end = control(t, dwh_end_id(0, 0));
    EXPECT_EQ(start.y, cell.y);
    EXPECT_EQ(end.y, cell.y);
    EXPECT_GT(start.x, right(cell) - 1);
    EXPECT_EQ(end.x - right(start), start.x - right(cell)) << "even gaps beside the box";
    for (int d = 0; d < kWeekDays; ++d) {
      const ControlTemplate& day = control(t, CdwhExt::kDayHeaderIds[std::size_t(d)]);
      EXPECT_EQ(day.x, control(t, dwh_cell_id(d, 0)).x) << d;
      EXPECT_EQ(right(day), right(control(t, dwh_end_id(d, 0)))) << d << " the header spans its day";
      EXPECT_EQ(day.y, control(t, CdwhExt::kDayHeaderIds[0]).y);
      if (d > 0) {
        const ControlTemplate& copy = control(t, CdwhExt::kCopyIds[std::size_t(d - 1)]);
        EXPECT_EQ(copy.x, day.x) << d;
        EXPECT_EQ(copy.cx, day.cx) << d;
        EXPECT_EQ(copy.y, control(t, CdwhExt::kCopyIds[0]).y) << d;
        EXPECT_GT(copy.y, bottom(day) - 1) << d;
        EXPECT_LT(bottom(copy), cell.y) << d;
      }
    }
    for (int h = 0; h < kDayHours; ++h) {
      const ControlTemplate& hour = control(t, CdwhExt::kHourHeaderIds[std::size_t(h)]);
      EXPECT_EQ(hour.y, control(t, dwh_cell_id(0, h)).y) << h;
      EXPECT_EQ(hour.cy, start.cy) << h;
      EXPECT_EQ(hour.x, control(t, CdwhExt::kHourHeaderIds[0]).x);
    }
    // The options under the grid on one line, the "?" closing it.
    int line = control(t, CdwhExt::kDifferenceListId).y;
    for (int id : {CdwhExt::kSecondHourListId, CdwhExt::kOptionsHelpId}) EXPECT_EQ(control(t, id).y, line) << id;
    EXPECT_EQ(control(t, CdwhExt::kDifferenceLabelId).y, control(t, CdwhExt::kSecondHourLabelId).y);
    EXPECT_EQ(control(t, CdwhExt::kDifferenceListId).cx, control(t, CdwhExt::kSecondHourListId).cx);
    EXPECT_EQ(control(t, CdwhExt::kDifferenceListId).cy, control(t, CdwhExt::kSecondHourListId).cy)
        << "the two option lists drop down alike";
    EXPECT_GT(line, bottom(control(t, dwh_end_id(0, kDayHours - 1))));
    expect_right_column(t, CdwhExt::kInvertId, CdwhExt::kCounterLabelId, CdwhExt::kCounterId, CdwhExt::kHelpPaneId);
    EXPECT_EQ(control(t, CdwhExt::kHelpButtonId).y, control(t, CdwhExt::kInvertId).y);
    EXPECT_EQ(control(t, CdwhExt::kHelpButtonId).cy, control(t, CdwhExt::kInvertId).cy);
    EXPECT_EQ(control(t, CdwhExt::kPlaceholderId).y, control(t, CdwhExt::kInvertId).y);
    EXPECT_EQ(right(control(t, CdwhExt::kPlaceholderId)), right(control(t, kIdCancel)));
    EXPECT_EQ(control(t, CdwhExt::kTitleId).x, control(t, CdwhExt::kAlwaysId).x);
    EXPECT_EQ(t.cx - rightmost(t), control(t, CdwhExt::kHourHeaderIds[0]).x) << "even side margins";
  }
  {
    const DialogTemplate& t = find(CdwhCombo::kTemplate);
    expect_lattice(t, values_cell, "hour box");
    expect_lattice(t, values_list, "number list");
    EXPECT_EQ(control(t, values_list(0, 0)).y, control(t, values_cell(0, 0)).y);
    for (int d = 0; d < kWeekDays; ++d) {
      const ControlTemplate& day = control(t, CdwhCombo::kDayHeaderIds[std::size_t(d)]);
      EXPECT_EQ(day.x, control(t, values_cell(d, 0)).x) << d;
      EXPECT_EQ(right(day), right(control(t, values_list(d, 0)))) << d << " the header spans its day";
      EXPECT_EQ(day.y, control(t, CdwhCombo::kDayHeaderIds[0]).y);
    }
    for (int h = 0; h < kDayHours; ++h) {
      const ControlTemplate& hour = control(t, CdwhCombo::kHourHeaderIds[std::size_t(h)]);
      EXPECT_EQ(hour.y, control(t, values_cell(0, h)).y) << h;
      EXPECT_EQ(hour.x, control(t, CdwhCombo::kHourHeaderIds[0]).x);
      EXPECT_EQ(hour.cy, control(t, CdwhCombo::kHourHeaderIds[0]).cy);
      // Rows of the same pitch as the grid of times: its hour headers, alike.
      const ControlTemplate& times = control(find(CdwhExt::kTemplate), CdwhExt::kHourHeaderIds[std::size_t(h)]);
      EXPECT_EQ(hour.x, times.x) << h;
      EXPECT_EQ(hour.cx, times.cx) << h;
      EXPECT_EQ(hour.cy, times.cy) << h;
    }
    expect_right_column(t, CdwhCombo::kHelpButtonId, CdwhCombo::kCounterLabelId, CdwhCombo::kCounterId,
                        CdwhCombo::kHelpPaneId);
    EXPECT_EQ(control(t, CdwhCombo::kTitleId).x, control(t, CdwhCombo::kAlwaysId).x);
    EXPECT_EQ(right(control(t, CdwhCombo::kTitleId)), right(control(t, CdwhCombo::kAlwaysId)));
    EXPECT_EQ(t.cx - rightmost(t), t.cx - right(control(t, kIdCancel)));
    EXPECT_EQ(t.cx - rightmost(t), control(t, CdwhCombo::kTitleId).x) << "even side margins";
  }
}

// The copy panels: their buttons stacked at even steps on the margin, the
// close box in the top right corner, the same margin all round; the
// derogation list: the list, its help and the row of buttons one under
// another at the margin's distance, the buttons evenly apart.
TEST(PickerLayout, ThePanelsAndTheDerogationListKeepEvenMargins) {
  ui_register_copy_panel_templates();
  ui_register_exemption_list_template();
  struct Panel {
    int id;
    std::vector<int> stack;
    int close;
  } panels[] = {
      {Ccopypas::kTemplate,
       {Ccopypas::kCopyId, Ccopypas::kPasteId, Ccopypas::kResetId, Ccopypas::kPasteTeacherId, Ccopypas::kPasteEveryoneId},
       Ccopypas::kCloseId},
      {Ccopysma::kTemplate, {Ccopysma::kCopyId, Ccopysma::kPasteId}, Ccopysma::kCloseId},
  };
  for (const Panel& p : panels) {
    const DialogTemplate& t = find(p.id);
    int margin = control(t, p.stack[0]).x;
    EXPECT_EQ(control(t, p.stack[0]).y, margin) << p.id;
    int gap = control(t, p.stack[1]).y - bottom(control(t, p.stack[0]));
    for (std::size_t i = 1; i < p.stack.size(); ++i) {
      EXPECT_EQ(control(t, p.stack[i]).x, margin) << p.id << " " << i;
      EXPECT_EQ(control(t, p.stack[i]).y - bottom(control(t, p.stack[i - 1])), gap) << p.id << " " << i;
    }
    EXPECT_EQ(t.cy - bottom(control(t, p.stack.back())), margin) << p.id << " bottom margin";
    const ControlTemplate& close = control(t, p.close);
    EXPECT_EQ(t.cx - right(close), margin) << p.id << " the close box in the corner";
    EXPECT_LT(close.y, margin) << p.id;
  }
  const DialogTemplate& t = find(Cvedide::kTemplate);
  const ControlTemplate &list = control(t, Cvedide::kListId), &help = control(t, Cvedide::kHelpId);
  int margin = list.x;
  EXPECT_EQ(list.y, margin);
  EXPECT_EQ(help.x, margin);
  EXPECT_EQ(help.cx, list.cx);
  EXPECT_EQ(help.y - bottom(list), margin);
  const int row[] = {Cvedide::kDeleteSelectedId, Cvedide::kDeleteAllId, Cvedide::kDeleteUnusedId,
                     Cvedide::kFakeAutomaticId,  Cvedide::kHelpButtonId, Cvedide::kEndId};
  EXPECT_EQ(control(t, row[0]).x, margin);
  EXPECT_EQ(control(t, row[0]).y - bottom(help), margin);
  for (std::size_t i = 1; i < std::size(row); ++i) {
    EXPECT_EQ(control(t, row[i]).y, control(t, row[0]).y) << i;
    EXPECT_EQ(control(t, row[i]).cy, control(t, row[0]).cy) << i;
    EXPECT_EQ(control(t, row[i]).x - right(control(t, row[i - 1])), margin) << i << " evenly apart";
  }
  EXPECT_EQ(right(control(t, Cvedide::kEndId)), right(list));
  EXPECT_EQ(t.cx - right(list), margin);
  EXPECT_EQ(t.cy - bottom(control(t, Cvedide::kEndId)), margin);
}

// No control of a picker's window slips by one unit from the one it lines up
// with. (The week grids of times and of values mix controls of two heights
// row by row, which the check cannot tell from a slip: their lattice is
// checked below.)
TEST(PickerLayout, NoControlSlipsByOneUnit) {
  ui_register_week_grid_templates();
  ui_register_band_table_templates();
  ui_register_copy_panel_templates();
  ui_register_exemption_list_template();
  ui_register_week_times_templates();
  ui_register_week_values_templates();
  EXPECT_EQ(template_alignment::problems_of({Cdwh::kTemplate, Chq2::kTemplate, Chq3::kTemplate, Ccopypas::kTemplate,
                                             Cvedide::kTemplate, Chq2alt::kTemplate, Ccopysma::kTemplate}),
            "");
}

}  // namespace
