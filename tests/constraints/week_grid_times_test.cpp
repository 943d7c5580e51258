// The week grid with clock times, driven headless: a first hour gets
// 8:00-9:00, filling earlier hours lays them out one after the other, an
// hour of no length is refused on confirmation and a cancel afterwards
// leaves the caller's times and mask as they were, copying a day onto the
// next (or a beep when the next day has no hours), and the class-calendar
// options hidden or written only on confirmation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "constraints/week_grid_times.h"
#include "picker_support.h"
#include "week_grid_support.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::run_picker;
using kt_constraints_test::set_week;

struct Calendar {
  std::uint8_t mask[84] = {};
  std::int16_t starts[84] = {};
  std::int16_t durations[84] = {};
  std::int8_t difference = -1, second_hour = -1;
};

LResult run(CdwhExt& picker, Calendar& c, std::uint8_t mode, const std::function<void(TestDriver&, Dialog&)>& steps,
            bool confirm, int boxes = 0) {
  TestDriver ui;
  picker.SetGridData(nullptr, "Calendario Settimanale:", "", c.mask, c.starts, c.durations, &c.difference,
                     &c.second_hour, nullptr, mode);
  LResult r = run_picker(picker, ui, [&](Dialog& d) { steps(ui, d); }, confirm, boxes);
  EXPECT_TRUE(ui.Problems().empty());
  return r;
}

TEST(WeekGridTimes, FirstHourGetsEightToNine) {
  CdwhExt::ResetSharedState();
  set_week({4, 4, 0, 0, 0, 0, 0});
  Calendar c;
  CdwhExt picker;
  std::string start, end;
  run(picker, c, 0, [&](TestDriver& ui, Dialog& d) {
    ui.Click(d, dwh_cell_id(1, 0));
    start = ui.Text(d, dwh_start_id(1, 0));
    end = ui.Text(d, dwh_end_id(1, 0));
  }, false);
  EXPECT_EQ(start, "8:00");
  EXPECT_EQ(end, "9:00");
  EXPECT_EQ(c.starts[12], 0);  // cancelled: nothing written
}

TEST(WeekGridTimes, FillingEarlierHoursLaysThemOutInOrder) {
  CdwhExt::ResetSharedState();
  set_week({5, 0, 0, 0, 0, 0, 0});
  Calendar c;
  g_clock_times_flag = 0;
  CdwhExt picker;
  std::string counter;
  // The fill bit works together with the count-free bit, as in the plain grid.
  EXPECT_EQ(run(picker, c, kDwhFillEarlier | kDwhCountFree, [&](TestDriver& ui, Dialog& d) {
    ui.Click(d, dwh_cell_id(0, 3));
    counter = ui.Text(d, CdwhExt::kCounterId);
  }, true), kIdOk);
  EXPECT_EQ(counter, "1");
  const std::int16_t starts[4] = {480, 540, 600, 660};
  for (int h = 0; h < 4; ++h) {
    EXPECT_EQ(c.mask[h], 1) << h;
    EXPECT_EQ(c.starts[h], starts[h]) << h;
    EXPECT_EQ(c.durations[h], 60) << h;
  }
  EXPECT_EQ(c.mask[4], 0);
  EXPECT_EQ(g_clock_times_flag, 1);
}

TEST(WeekGridTimes, AnHourOfNoLengthIsRefusedAndCancelKeepsTheCallersData) {
  CdwhExt::ResetSharedState();
  set_week({2, 0, 0, 0, 0, 0, 0});
  std::memcpy(g_ui_header.day_names[0], "Lunedi", 7);
  Calendar c;
  c.mask[0] = c.mask[1] = 1;
  c.starts[0] = 480, c.durations[0] = 60;
  c.starts[1] = 540, c.durations[1] = 60;
  g_clock_times_flag = 0;
  CdwhExt picker;
  std::vector<std::string> texts;
  LResult r = run(picker, c, 0, [&](TestDriver& ui, Dialog& d) {
    d.GetDlgItem(dwh_end_id(0, 1))->SetWindowText("9:00");
    d.GetDlgItem(kIdOk)->SetFocus();
    ui.Click(d, kIdOk);
    for (const auto& box : ui.boxes()) texts.insert(texts.end(), box.texts.begin(), box.texts.end());
  }, false, 1);
  EXPECT_EQ(r, kIdCancel);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Inserire valori crescenti, Giorno:Lunedi Ora:2"), texts.end());
  EXPECT_EQ(c.durations[1], 60);
  EXPECT_EQ(g_clock_times_flag, 0);
}

TEST(WeekGridTimes, CopyingADayAndBeepingOnADayWithoutHours) {
  CdwhExt::ResetSharedState();
  set_week({2, 3, 0, 0, 0, 0, 0});
  Calendar c;
  c.mask[0] = c.mask[1] = 1;
  c.starts[0] = 500, c.durations[0] = 50;
  c.starts[1] = 550, c.durations[1] = 50;
  CdwhExt picker;
  int beeps = -1;
  run(picker, c, 0, [&](TestDriver& ui, Dialog& d) {
    ui.Click(d, CdwhExt::kCopyIds[0]);  // Monday onto Tuesday
    EXPECT_EQ(ui.Text(d, dwh_start_id(1, 1)), "9:10");
    ui.Click(d, CdwhExt::kCopyIds[1]);  // Tuesday onto Wednesday, which has no hours
    beeps = ui.beeps();
  }, true);
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(c.mask[12], 1);
  EXPECT_EQ(c.mask[13], 1);
  EXPECT_EQ(c.mask[14], 0);
  EXPECT_EQ(c.starts[13], 550);
  EXPECT_EQ(c.durations[13], 50);
  EXPECT_EQ(c.mask[24], 0);
}

TEST(WeekGridTimes, OptionsHiddenOrWrittenOnConfirmation) {
  for (bool shown : {false, true}) {
    CdwhExt::ResetSharedState();
    set_week({1, 0, 0, 0, 0, 0, 0});
    Calendar c;
    c.mask[0] = 1;
    c.starts[0] = 480, c.durations[0] = 60;
    c.difference = shown ? 0 : -1;
    c.second_hour = shown ? 2 : 5;
    CdwhExt picker;
    bool visible = !shown;
    run(picker, c, 0, [&](TestDriver& ui, Dialog& d) {
      visible = ui.IsVisible(d, CdwhExt::kDifferenceListId);
      if (shown) {
        ui.Select(d, CdwhExt::kDifferenceListId, 2);
        ui.Select(d, CdwhExt::kSecondHourListId, 7);
      }
    }, true);
    EXPECT_EQ(visible, shown);
    EXPECT_EQ(c.difference, shown ? 2 : -1);
    EXPECT_EQ(c.second_hour, shown ? 7 : 5);
  }
}

}  // namespace
