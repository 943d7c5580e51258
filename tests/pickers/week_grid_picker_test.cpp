// The week-grid picker driven headless: each cell reaches its day and hour,
// OK confirms only with the focus (Enter on a cell keeps the picker open),
// cancel writes nothing, a full grid is stored as the always state, the
// fill-earlier and count-free modes, the day and hour headers alternating
// their fill value across openings, invert, the always toggle restoring
// the first hour, and the help texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "pickers/summary_buttons.h"
#include "pickers/week_grid_picker.h"
#include "pickers/week_grid_times.h"
#include "pickers/week_grid_values.h"
#include "picker_support.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::run_picker;
using kt_constraints_test::set_week;

int slot(int day, int hour) { return day * 12 + hour; }

// Runs the picker once on mask with the steps, then confirms or cancels.
LResult run(Cdwh& picker, std::uint8_t* mask, const char* subtitle, std::uint8_t mode,
            const std::function<void(TestDriver&, Dialog&)>& steps, bool confirm) {
  TestDriver ui;
  picker.SetGridData(nullptr, "Ore Vietate per il Professore:", subtitle, mask, nullptr, mode);
  LResult r = run_picker(picker, ui, [&](Dialog& d) { steps(ui, d); }, confirm);
  EXPECT_TRUE(ui.Problems().empty());
  return r;
}

TEST(WeekGridPicker, CellsReachTheirDayAndHourAndConfirmWritesTheMask) {
  Cdwh::ResetSharedState();
  set_week({12, 12, 12, 12, 12, 12, 12});
  struct Case { int day, hour; } cases[] = {{0, 0}, {0, 9}, {1, 9}, {3, 10}, {6, 11}, {6, 8}};
  std::uint8_t mask[84] = {};
  Cdwh picker;
  std::string counter;
  LResult r = run(picker, mask, "", 0, [&](TestDriver& ui, Dialog& d) {
    for (const Case& c : cases) ui.Click(d, dwh_cell_id(c.day, c.hour));
    counter = ui.Text(d, Cdwh::kCounterId);
  }, true);
  EXPECT_EQ(r, kIdOk);
  EXPECT_EQ(counter, "6");
  for (const Case& c : cases) EXPECT_EQ(mask[slot(c.day, c.hour)], 1) << c.day << "," << c.hour;
  EXPECT_EQ(std::count(mask, mask + 84, 1), 6);
}

TEST(WeekGridPicker, EnterOnACellKeepsThePickerAndCancelWritesNothing) {
  Cdwh::ResetSharedState();
  set_week({5, 5, 5, 5, 5, 0, 0});
  std::uint8_t mask[84] = {};
  mask[slot(2, 3)] = 1;
  Cdwh picker;
  bool open_after_enter = false, ok_without_focus_kept = false;
  LResult r = run(picker, mask, "", 0, [&](TestDriver& ui, Dialog& d) {
    ui.Click(d, dwh_cell_id(0, 1));
    d.GetDlgItem(dwh_cell_id(0, 1))->SetFocus();
    ui.Key(kVkReturn);
    open_after_enter = d.IsWindow() && d.IsWindowVisible();
    ui.Click(d, dwh_cell_id(2, 3));
    d.GetDlgItem(dwh_cell_id(2, 3))->SetFocus();
    d.SendMessage(kMsgCommand, make_command_param(kIdOk, kBnClicked), 0);
    ok_without_focus_kept = d.IsWindow() && d.IsWindowVisible();
    EXPECT_FALSE(ui.IsEnabled(d, dwh_cell_id(5, 0)));
  }, false);
  EXPECT_EQ(r, kIdCancel);
  EXPECT_TRUE(open_after_enter);
  EXPECT_TRUE(ok_without_focus_kept);
  std::uint8_t expected[84] = {};
  expected[slot(2, 3)] = 1;
  EXPECT_EQ(std::memcmp(mask, expected, 84), 0);
}

// One picker reopened on a shorter week (another school, the provisional
// week): the hours the week no longer has show neither marked nor enabled.
TEST(WeekGridPicker, HoursAShorterWeekLacksShowUnmarked) {
  Cdwh::ResetSharedState();
  Cdwh picker;
  std::uint8_t full[84] = {};
  for (int d = 0; d < 5; ++d)
    for (int h = 0; h < 6; ++h) full[slot(d, h)] = 1;
  set_week({6, 6, 6, 6, 6, 0, 0});
  run(picker, full, "", 0, [](TestDriver&, Dialog&) {}, false);
  set_week({6, 6, 2, 6, 6, 0, 0});
  std::uint8_t mask[84] = {};
  std::vector<bool> wednesday;
  run(picker, mask, "", 0, [&](TestDriver& ui, Dialog& d) {
    for (int h = 0; h < 6; ++h) {
      wednesday.push_back(ui.IsChecked(d, dwh_cell_id(2, h)));
      if (h >= 2) {
        EXPECT_FALSE(ui.IsEnabled(d, dwh_cell_id(2, h))) << h;
      }
    }
  }, false);
  EXPECT_EQ(wednesday, std::vector<bool>(6, false));
}

TEST(WeekGridPicker, AFullGridIsStoredAsTheAlwaysState) {
  struct Case { const char* id; std::array<int, 7> hours; } cases[] = {
      {"five-days", {2, 2, 2, 2, 2, 0, 0}}, {"no-hours", {0, 0, 0, 0, 0, 0, 0}}};
  for (const Case& c : cases) {
    Cdwh::ResetSharedState();
    set_week(c.hours);
    std::uint8_t mask[84] = {};
    mask[slot(6, 11)] = 1;  // an hour that does not exist
    Cdwh picker;
    run(picker, mask, "", 0, [&](TestDriver& ui, Dialog& d) {
      for (int day = 0; day < 7; ++day)
        for (int h = 0; h < c.hours[std::size_t(day)]; ++h) ui.Click(d, dwh_cell_id(day, h));
    }, true);
    std::uint8_t expected[84] = {255};
    EXPECT_EQ(std::memcmp(mask, expected, 84), 0) << c.id;
  }
}

TEST(WeekGridPicker, FillEarlierAndCountFreeModes) {
  Cdwh::ResetSharedState();
  set_week({6, 6, 6, 6, 6, 0, 0});
  std::uint8_t mask[84] = {};
  Cdwh picker;
  std::string after_fifth, after_third;
  run(picker, mask, "", kDwhFillEarlier, [&](TestDriver& ui, Dialog& d) {
    ui.Click(d, dwh_cell_id(1, 4));
    after_fifth = ui.Text(d, Cdwh::kCounterId);
    ui.Click(d, dwh_cell_id(1, 2));
    after_third = ui.Text(d, Cdwh::kCounterId);
    EXPECT_TRUE(ui.IsChecked(d, dwh_cell_id(1, 0)));
    EXPECT_FALSE(ui.IsChecked(d, dwh_cell_id(1, 2)));
  }, true);
  EXPECT_EQ(after_fifth, "5");
  EXPECT_EQ(after_third, "4");
  const std::uint8_t day1[6] = {1, 1, 0, 1, 1, 0};
  EXPECT_EQ(std::memcmp(mask + 12, day1, 6), 0);

  std::string free_hours;
  run(picker, mask, "", kDwhCountFree, [&](TestDriver& ui, Dialog& d) {
    free_hours = ui.Text(d, Cdwh::kCounterId);
  }, false);
  EXPECT_EQ(free_hours, "26");  // 30 existing, 4 marked
}

TEST(WeekGridPicker, HeadersAlternateTheirFillValue) {
  Cdwh::ResetSharedState();
  set_week({3, 3, 3, 2, 0, 0, 0});
  std::uint8_t mask[84] = {};
  mask[slot(2, 0)] = 1;
  Cdwh picker;
  std::string after_first, after_second;
  run(picker, mask, "", 0, [&](TestDriver& ui, Dialog& d) {
    ui.Click(d, Cdwh::kDayHeaderIds[0]);  // first click after start on day 0 marks it
    after_first = ui.Text(d, Cdwh::kCounterId);
    ui.Click(d, Cdwh::kDayHeaderIds[0]);  // clears it
    after_second = ui.Text(d, Cdwh::kCounterId);
    ui.Click(d, Cdwh::kDayHeaderIds[1]);  // another day: applies the last value, 0
    ui.Click(d, Cdwh::kDayHeaderIds[1]);  // flips: marks day 1
    ui.Click(d, Cdwh::kHourHeaderIds[0]);  // first hour click on hour 1: marks hour 1 everywhere
    ui.Click(d, Cdwh::kHourHeaderIds[2]);  // another hour: applies 1 to hour 3 where it exists
  }, true);
  EXPECT_EQ(after_first, "4");
  EXPECT_EQ(after_second, "1");
  const std::uint8_t expected[4][3] = {{1, 0, 1}, {1, 1, 1}, {1, 0, 1}, {1, 0, 0}};
  for (int day = 0; day < 4; ++day)
    EXPECT_EQ(std::memcmp(mask + slot(day, 0), expected[day], 3), 0) << day;
}

TEST(WeekGridPicker, InvertAndAlwaysToggle) {
  Cdwh::ResetSharedState();
  set_week({2, 2, 0, 0, 0, 0, 0});
  std::uint8_t mask[84] = {};
  mask[slot(0, 0)] = 1;
  mask[slot(1, 1)] = 7;  // counts as not marked
  Cdwh picker;
  bool cells_enabled_in_always = true, first_checked_after = false;
  run(picker, mask, "Locale sempre disponibile", 0, [&](TestDriver& ui, Dialog& d) {
    EXPECT_TRUE(ui.IsVisible(d, Cdwh::kAlwaysId));
    ui.Click(d, Cdwh::kAlwaysId);
    cells_enabled_in_always = ui.IsEnabled(d, dwh_cell_id(0, 1));
    EXPECT_EQ(ui.Text(d, Cdwh::kCounterId), "4");
    ui.Click(d, Cdwh::kAlwaysId);
    first_checked_after = ui.IsChecked(d, dwh_cell_id(0, 0));
    ui.Click(d, Cdwh::kInvertId);
  }, true);
  EXPECT_FALSE(cells_enabled_in_always);
  EXPECT_TRUE(first_checked_after);
  const std::uint8_t expected[2][2] = {{0, 1}, {1, 1}};
  for (int day = 0; day < 2; ++day) EXPECT_EQ(std::memcmp(mask + slot(day, 0), expected[day], 2), 0) << day;
}

TEST(WeekGridPicker, AlwaysStateWithoutAnAlwaysBoxIsDroppedAndHelpShows) {
  Cdwh::ResetSharedState();
  set_week({1, 1, 0, 0, 0, 0, 0});
  std::uint8_t mask[84] = {255};
  mask[slot(1, 0)] = 1;
  const MlText explanation = {"Spiegazione", "Erklärung", "Explanation"};
  Cdwh picker;
  picker.SetGridData(nullptr, "Titolo", "", mask, &explanation, 0);
  TestDriver ui;
  std::string first_help, after_question, title;
  ui.OnNextModal([&](Dialog& d) {
    EXPECT_FALSE(ui.IsVisible(d, Cdwh::kAlwaysId));
    EXPECT_FALSE(ui.IsChecked(d, dwh_cell_id(0, 0)));
    EXPECT_TRUE(ui.IsChecked(d, dwh_cell_id(1, 0)));
    first_help = ui.Text(d, Cdwh::kHelpPaneId);
    ui.Click(d, Cdwh::kHelpButtonId);
    after_question = ui.Text(d, Cdwh::kHelpPaneId);
    title = ui.Text(d, Cdwh::kTitleId);
    ui.Click(d, kIdCancel);
  });
  EXPECT_EQ(picker.DoModal(), kIdCancel);
  EXPECT_EQ(first_help, "Spiegazione");
  EXPECT_EQ(after_question.rfind("Potete abilitare determinate ore", 0), 0u);
  EXPECT_EQ(title, "Titolo");
  EXPECT_EQ(mask[0], 255);
}

// The week grid with a number per hour: the maximum in every list stores
// the always state and one limited hour prevents it, 0 in a list clears the
// hour, unchecking a box shows 0 but keeps the value for the next check,
// cancel writes nothing; the summary shows numbers once any hour is limited.
LResult run(CdwhCombo& picker, std::uint8_t* mask, std::int8_t* values, int maximum,
            const std::function<void(TestDriver&, Dialog&)>& steps, bool confirm) {
  TestDriver ui;
  picker.SetGridData(nullptr, "Disponibilità limitata alle ore:", "Locale sempre disponibile", mask, values,
                     maximum, nullptr, 0);
  LResult r = run_picker(picker, ui, [&](Dialog& d) { steps(ui, d); }, confirm);
  EXPECT_TRUE(ui.Problems().empty());
  return r;
}

TEST(WeekGridValues, MaximumEverywhereIsAlwaysAndOneLimitedHourPreventsIt) {
  for (int limited : {0, 1}) {
    CdwhCombo::ResetSharedState();
    set_week({2, 2, 0, 0, 0, 0, 0});
    std::uint8_t mask[84] = {};
    std::int8_t values[84] = {};
    CdwhCombo picker;
    run(picker, mask, values, 3, [&](TestDriver& ui, Dialog& d) {
      for (int slot : {0, 1, 12, 13}) ui.Select(d, CdwhCombo::kListIds[std::size_t(slot)], 3);
      if (limited) ui.Select(d, CdwhCombo::kListIds[13], 2);
      EXPECT_TRUE(ui.IsChecked(d, dwh_cell_id(1, 1)));
      EXPECT_FALSE(ui.IsEnabled(d, CdwhCombo::kListIds[2]));  // hour 3 of day 0 does not exist
    }, true);
    EXPECT_EQ(mask[0], limited ? 1 : 255) << limited;
    EXPECT_EQ(mask[1], limited ? 1 : 0) << limited;
    EXPECT_EQ(values[13], limited ? 2 : 3) << limited;
  }
}

TEST(WeekGridValues, ZeroClearsAndUncheckingKeepsTheValue) {
  CdwhCombo::ResetSharedState();
  set_week({3, 0, 0, 0, 0, 0, 0});
  std::uint8_t mask[84] = {1, 1, 1};
  std::int8_t values[84] = {2, 1, 0};
  CdwhCombo picker;
  std::string shown_unchecked, shown_again, counter;
  run(picker, mask, values, 4, [&](TestDriver& ui, Dialog& d) {
    ui.Select(d, CdwhCombo::kListIds[1], 0);
    ui.Click(d, dwh_cell_id(0, 0));
    shown_unchecked = std::to_string(static_cast<ComboBox*>(d.GetDlgItem(CdwhCombo::kListIds[0]))->GetCurSel());
    ui.Click(d, dwh_cell_id(0, 0));
    shown_again = std::to_string(static_cast<ComboBox*>(d.GetDlgItem(CdwhCombo::kListIds[0]))->GetCurSel());
    counter = ui.Text(d, CdwhCombo::kCounterId);
  }, true);
  EXPECT_EQ(shown_unchecked, "0");
  EXPECT_EQ(shown_again, "2");
  EXPECT_EQ(counter, "2");
  const std::uint8_t expected_mask[3] = {1, 0, 1};
  const std::int8_t expected_values[3] = {2, 0, 0};
  EXPECT_EQ(std::memcmp(mask, expected_mask, 3), 0);
  EXPECT_EQ(std::memcmp(values, expected_values, 3), 0);

  std::uint8_t before[84];
  std::memcpy(before, mask, 84);
  run(picker, mask, values, 4, [&](TestDriver& ui, Dialog& d) { ui.Select(d, CdwhCombo::kListIds[0], 0); }, false);
  EXPECT_EQ(std::memcmp(mask, before, 84), 0);
}

// The counter of marked hours as the grid opens and after each change made
// to many hours at once: a day's header filling the day, then emptying it,
// the always box.
TEST(WeekGridValues, TheCounterFollowsTheGridFromTheStart) {
  CdwhCombo::ResetSharedState();
  set_week({3, 2, 0, 0, 0, 0, 0});
  std::uint8_t mask[84] = {1, 1};
  std::int8_t values[84] = {2, 1};
  CdwhCombo picker;
  std::vector<std::string> counters;
  run(picker, mask, values, 4, [&](TestDriver& ui, Dialog& d) {
    counters.push_back(ui.Text(d, CdwhCombo::kCounterId));
    ui.Click(d, CdwhCombo::kDayHeaderIds[0]);
    counters.push_back(ui.Text(d, CdwhCombo::kCounterId));
    ui.Click(d, CdwhCombo::kDayHeaderIds[0]);
    counters.push_back(ui.Text(d, CdwhCombo::kCounterId));
    ui.Click(d, CdwhCombo::kAlwaysId);
    counters.push_back(ui.Text(d, CdwhCombo::kCounterId));
  }, false);
  EXPECT_EQ(counters, (std::vector<std::string>{"2", "3", "0", "5"}));
}

TEST(WeekGridValues, SummaryShowsNumbersOnceAnHourIsLimited) {
  set_week({2, 0, 0, 0, 0, 0, 0});
  std::uint8_t mask[84] = {1, 1};
  std::int8_t values[84] = {0, 2};
  auto hours = week_normal_hours();
  std::string text = week_summary_text_values(mask, values, 12, "T", "", hours);
  EXPECT_NE(text.find("Ora 1:\t\t12\t \t"), std::string::npos) << text;
  EXPECT_NE(text.find("Ora 2:\t\t2\t \t"), std::string::npos) << text;
  values[1] = 12;
  text = week_summary_text_values(mask, values, 12, "T", "", hours);
  EXPECT_NE(text.find("Ora 1:\t\tX\t"), std::string::npos) << text;
}

// The week grid with clock times: filling earlier hours lays them out one
// after the other from 8:00, an hour of no length is refused on
// confirmation and a cancel afterwards leaves the caller's times and mask as
// they were, copying a day onto the next (or a beep when the next day has no
// hours), and the class-calendar options hidden or written only on
// confirmation.
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
  bool refused = false;
  LResult r = run(picker, c, 0, [&](TestDriver& ui, Dialog& d) {
    d.GetDlgItem(dwh_end_id(0, 1))->SetWindowText("9:00");
    d.GetDlgItem(kIdOk)->SetFocus();
    ui.Click(d, kIdOk);
    refused = kt_constraints_test::box_says(ui, "Inserire valori crescenti, Giorno:Lunedi Ora:2");
  }, false, 1);
  EXPECT_EQ(r, kIdCancel);
  EXPECT_TRUE(refused);
  EXPECT_EQ(c.durations[1], 60);
  EXPECT_EQ(g_clock_times_flag, 0);
}

// A first hour is only given the default 8:00 start when it has neither a
// start nor a length; a missing length alone becomes the default hour.
TEST(WeekGridTimes, AFirstHourKeepsTheStartItHas) {
  CdwhExt::ResetSharedState();
  set_week({1, 1, 1, 0, 0, 0, 0});
  Calendar c;
  c.mask[0] = c.mask[12] = c.mask[24] = 1;
  c.starts[0] = 500, c.durations[0] = 0;   // Monday: 8:20, no length
  c.starts[12] = 0, c.durations[12] = 45;  // Tuesday: at midnight, 45 minutes
  CdwhExt picker;
  std::string shown;
  run(picker, c, 0, [&](TestDriver& ui, Dialog& d) { shown = ui.Text(d, dwh_start_id(2, 0)); }, true);
  EXPECT_EQ(shown, "8:00") << "Wednesday had neither";
  EXPECT_EQ((std::vector<int>{c.starts[0], c.durations[0], c.starts[12], c.durations[12], c.starts[24], c.durations[24]}),
            (std::vector<int>{500, 60, 0, 45, 480, 60}));
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

// Invert in the times grid marks the free hours of the week, each with its
// times laid out after the hour before, and frees the marked ones; each
// copy button names the day it copies; the options' help explains them.
TEST(WeekGridTimes, InvertCopyCaptionsAndTheOptionsHelp) {
  CdwhExt::ResetSharedState();
  set_week({3, 1, 0, 0, 0, 0, 0});
  Calendar c;
  c.mask[0] = 1;
  c.starts[0] = 480, c.durations[0] = 50;
  c.difference = 1;
  CdwhExt picker;
  std::string caption, help, counter, second_start;
  run(picker, c, 0, [&](TestDriver& ui, Dialog& d) {
    caption = ui.Text(d, CdwhExt::kCopyIds[0]);
    ui.Click(d, CdwhExt::kInvertId);
    counter = ui.Text(d, CdwhExt::kCounterId);
    second_start = ui.Text(d, dwh_start_id(0, 1));
    ui.Click(d, CdwhExt::kOptionsHelpId);
    help = ui.Text(d, CdwhExt::kHelpPaneId);
  }, true);
  EXPECT_EQ(caption, "Copia le ore di Lu");
  EXPECT_EQ(counter, "3");
  EXPECT_EQ(second_start, "8:50");  // after the first hour's times, kept though it is freed
  EXPECT_EQ(help.rfind("Assegnate un valore maggiore di uno nel caso in cui:", 0), 0u) << help;
  EXPECT_EQ((std::vector<int>{c.mask[0], c.mask[1], c.mask[2], c.mask[12], c.mask[13]}),
            (std::vector<int>{0, 1, 1, 1, 0}));
  EXPECT_EQ(c.starts[2], c.starts[1] + c.durations[1]);
}

// The text summary of a week-hour mask and its drawing as a ruled table:
// hours that do not exist never show a mark, the always state marks every
// existing hour and answers yes on the subtitle line in the user's
// language, provisional mode takes the provisional hours, a damaged hour
// count stays inside the week; the summary button draws 14 + 11 rules and
// one text per non-empty piece, white behind the text.
// One summary row: "Ora n:" then seven cells, "X" at the days listed.
std::string row(const char* word, int hour, const char* marks) {
  std::string out = std::string(word) + " " + std::to_string(hour) + ":\t\t";
  for (int d = 0; d < 7; ++d) out += std::string(marks[d] == 'X' ? "X" : " ") + "\t";
  return out + "\n";
}

std::string blank_rows(const char* word, int from) {
  std::string out;
  for (int h = from; h <= 12; ++h) out += row(word, h, ".......");
  return out;
}

const char* kDaysLine = "\t\tLu\tMa\tMe\tGi\tVe\tSa\tDo\n";

TEST(WeekSummary, MarksOnlyExistingHours) {
  set_week({2, 1, 0, 0, 0, 0, 0});
  std::uint8_t mask[84] = {};
  mask[1] = 1;        // day 0, hour 2
  mask[12 + 1] = 1;   // day 1, hour 2: does not exist
  mask[2 * 12] = 1;   // day 2 has no hours
  std::string expected = std::string("Titolo\n") + kDaysLine + row("Ora", 1, ".......") + row("Ora", 2, "X......") +
                         blank_rows("Ora", 3) + " \n";
  EXPECT_EQ(week_summary_text(mask, "Titolo", "", week_existing_hours()), expected);
}

struct AlwaysCase {
  const char* id;
  int language;
  const char* word;
  const char* answer;
  std::uint8_t first;
};

TEST(WeekSummary, SubtitleLineAnswersInTheUsersLanguage) {
  set_week({1, 2, 0, 0, 0, 0, 0});
  const AlwaysCase cases[] = {
      {"it-always", 0, "Ora", "SI", 255}, {"de-always", 1, "St.", "JA", 255}, {"en-always", 2, "Hr.", "YES", 255},
      {"it-not", 0, "Ora", "NO", 0},      {"de-not", 1, "St.", "Nein", 0},    {"en-not", 2, "Hr.", "NO", 0},
  };
  for (const AlwaysCase& c : cases) {
    g_language = std::uint8_t(c.language);
    std::uint8_t mask[84] = {};
    mask[0] = c.first;
    bool always = c.first == 255;
    std::string expected = std::string("T\n") + kDaysLine + row(c.word, 1, always ? "XX....." : ".......") +
                           row(c.word, 2, always ? ".X....." : ".......") + blank_rows(c.word, 3) + "Sub: " +
                           c.answer + "\n";
    EXPECT_EQ(week_summary_text(mask, "T", "Sub", week_existing_hours()), expected) << c.id;
  }
  g_language = 0;
}

TEST(WeekSummary, ProvisionalModeTakesTheProvisionalHoursAndCountsStayInTheWeek) {
  set_week({1, 0, 0, 0, 0, 0, 0});
  g_ui_header.provisional_hours_per_day[0] = 0;
  g_ui_header.provisional_hours_per_day[1] = 2;
  g_provisional_mode = 1;
  auto hours = week_existing_hours();
  EXPECT_EQ(hours[0], 0);
  EXPECT_EQ(hours[1], 2);
  std::uint8_t mask[84] = {};
  mask[0] = 1;
  mask[12] = 1;
  std::string expected = std::string("P\n") + kDaysLine + row("Ora", 1, ".X.....") + blank_rows("Ora", 2) + " \n";
  EXPECT_EQ(week_summary_text(mask, "P", nullptr, hours), expected);
  g_provisional_mode = 0;

  set_week({200, 13, 12, 0, 0, 0, 0});  // damaged counts
  hours = week_existing_hours();
  EXPECT_EQ(week_existing_total(hours), 36);
  std::uint8_t always[84] = {255};
  EXPECT_EQ(week_marked_count(always, hours), 36);
}

// A page with one summary button.
constexpr int kPageTemplate = 9811;
constexpr int kSummaryId = 1301;
const ControlTemplate kPageControls[] = {
    {"Button", kSummaryId, "", kBsPushButton | kWsTabStop, 4, 4, 180, 160},
};
const DialogTemplate kPageTemplates[] = {
    {kPageTemplate, "Pagina", kWsPopup | kWsCaption, 0, 0, 200, 180, kPageControls},
};

class SummaryPage : public Dialog {
 public:
  SummaryPage() : Dialog(kPageTemplate) {}
  CBW_dwh summary;

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Control(kSummaryId, summary); }
};

TEST(WeekSummaryButton, DrawsTheSummaryAsARuledTable) {
  register_dialog_templates(kPageTemplates);
  EXPECT_TRUE(lint_dialog_template(kPageTemplates[0]).empty());
  set_week({2, 2, 0, 0, 0, 0, 0});
  TestDriver ui;
  SummaryPage page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  std::uint8_t mask[84] = {};
  mask[12 + 1] = 1;
  Cdwh picker;
  picker.SetGridData(&page.summary, "Ore Vietate:", "", mask, nullptr, 2);
  DisplayList list = ui.Render(page);
  int lines = 0;
  for (const DrawItemOp* op : list.ForControl(kSummaryId)) lines += op->op == DrawOp::kLine ? 1 : 0;
  EXPECT_GE(lines, 14 + 11);
  std::string texts = list.TextsOf(kSummaryId);
  EXPECT_EQ(texts.rfind("Ore Vietate:|Lu|Ma|Me|Gi|Ve|Sa|Do|Ora 1:| | | | | | | |Ora 2:| |X|", 0), 0u) << texts;
  // The mark of day 1, hour 2: three rows below the title, three tabs right.
  const DrawItemOp *mark = nullptr, *title = nullptr;
  for (const DrawItemOp* op : list.ForControl(kSummaryId)) {
    if (op->op == DrawOp::kText && op->text == "X") mark = op;
    if (op->op == DrawOp::kText && !title) title = op;
  }
  ASSERT_NE(mark, nullptr);
  EXPECT_EQ(mark->rect.left - title->rect.left, 3 * 20);
  // Rows 18 pixels apart, or closer where the button is too short for
  // every line: the last line of the text still shows inside the button.
  const DrawItemOp* last = nullptr;
  for (const DrawItemOp* op : list.ForControl(kSummaryId))
    if (op->op == DrawOp::kText && (!last || op->rect.top >= last->rect.top)) last = op;
  Rect button = page.summary.GetRectInParent();
  EXPECT_LE(last->rect.top + 10, title->rect.top - 4 + button.Height());
  int pitch = (mark->rect.top - title->rect.top) / 3;
  EXPECT_EQ(mark->rect.top - title->rect.top, 3 * pitch);
  EXPECT_TRUE(pitch >= 10 && pitch <= 18) << pitch;
  // Two hours a day: the rows of hours 3 to 12 could hold no mark and are left out.
  EXPECT_EQ(texts.find("Ora 3:"), std::string::npos) << texts;
  EXPECT_EQ(mark->color2, 0xFFFFFFu);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
