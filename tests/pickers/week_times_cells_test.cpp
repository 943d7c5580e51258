// The week grid with clock times, cell by cell: what each click leaves
// checked, with its time fields open or shut, and what the counter and the
// caller's mask say afterwards, with and without the fill-earlier mode;
// and the choices the class-calendar options offer.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "pickers/week_grid_times.h"
#include "platform/controls/combo_box.h"
#include "picker_support.h"

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

// Monday's five cells as "x" (checked, times open), "." (unchecked, times
// shut), or "?" for a mix that should never show.
std::string monday(TestDriver& ui, Dialog& d) {
  std::string out;
  for (int h = 0; h < 5; ++h) {
    bool checked = ui.IsChecked(d, dwh_cell_id(0, h));
    bool open = ui.IsEnabled(d, dwh_start_id(0, h)) && ui.IsEnabled(d, dwh_end_id(0, h));
    out += checked && open ? 'x' : !checked && !ui.IsEnabled(d, dwh_start_id(0, h)) ? '.' : '?';
  }
  return out;
}

TEST(WeekTimesCells, EachClickMarksWhatItsModeSays) {
  const struct {
    const char* id;
    std::uint8_t mode;
    std::vector<int> clicks;  // Monday's hours, from 0
    std::string shown;        // Monday's cells afterwards
    const char* counter;
  } cases[] = {
      {"one late hour alone", 0, {3}, "...x.", "1"},
      {"two hours apart", 0, {1, 3}, ".x.x.", "2"},
      {"an hour marked then freed", 0, {3, 3}, ".....", "0"},
      {"the first hour", 0, {0}, "x....", "1"},
      {"filling earlier", kDwhFillEarlier, {3}, "xxxx.", "4"},
      {"filling earlier then freeing the last", kDwhFillEarlier, {3, 3}, "xxx..", "3"},
      {"filling earlier then freeing an earlier one", kDwhFillEarlier, {3, 1}, "x.xx.", "3"},
      {"filling earlier twice", kDwhFillEarlier, {1, 4}, "xxxxx", "5"},
      {"count free alone", kDwhCountFree, {3}, "...x.", "4"},
  };
  for (const auto& c : cases) {
    CdwhExt::ResetSharedState();
    set_week({5, 0, 0, 0, 0, 0, 0});
    Calendar cal;
    CdwhExt picker;
    TestDriver ui;
    std::string shown, counter;
    picker.SetGridData(nullptr, "Calendario Settimanale:", "", cal.mask, cal.starts, cal.durations, &cal.difference,
                       &cal.second_hour, nullptr, c.mode);
    run_picker(picker, ui, [&](Dialog& d) {
      for (int h : c.clicks) ui.Click(d, dwh_cell_id(0, h));
      shown = monday(ui, d);
      counter = ui.Text(d, CdwhExt::kCounterId);
    }, true);
    EXPECT_EQ(shown, c.shown) << c.id;
    EXPECT_EQ(counter, c.counter) << c.id;
    std::string stored;
    // (every hour of the week marked is stored as the always state)
    for (int h = 0; h < 5; ++h) stored += cal.mask[0] == 255 || cal.mask[h] == 1 ? 'x' : '.';
    EXPECT_EQ(stored, c.shown) << c.id << ": the caller's mask";
    EXPECT_EQ(cal.mask[0] == 255, c.shown == "xxxxx") << c.id;
    for (int h = 0; h < 5; ++h)
      if (c.shown[std::size_t(h)] == 'x') {
        EXPECT_GT(cal.durations[h], 0) << c.id << " hour " << h;
      }
  }
}

// The options offer a maximum difference of 1 to 3 hours and 0 to 7 second-
// hour entries a week, each chosen number written back as it is.
TEST(WeekTimesCells, TheOptionsOfferTheirRanges) {
  CdwhExt::ResetSharedState();
  set_week({1, 0, 0, 0, 0, 0, 0});
  Calendar cal;
  cal.mask[0] = 1;
  cal.starts[0] = 480, cal.durations[0] = 60;
  cal.difference = 0;
  cal.second_hour = 0;
  CdwhExt picker;
  TestDriver ui;
  std::vector<std::string> differences, seconds;
  std::string shown_difference, shown_second;
  picker.SetGridData(nullptr, "Calendario Settimanale:", "", cal.mask, cal.starts, cal.durations, &cal.difference,
                     &cal.second_hour, nullptr, 0);
  run_picker(picker, ui, [&](Dialog& d) {
    auto* difference = dynamic_cast<ComboBox*>(d.GetDlgItem(CdwhExt::kDifferenceListId));
    auto* second = dynamic_cast<ComboBox*>(d.GetDlgItem(CdwhExt::kSecondHourListId));
    ASSERT_NE(difference, nullptr);
    ASSERT_NE(second, nullptr);
    for (int i = 0; i < difference->GetCount(); ++i) differences.push_back(difference->GetLBText(i));
    for (int i = 0; i < second->GetCount(); ++i) seconds.push_back(second->GetLBText(i));
    shown_difference = ui.Text(d, CdwhExt::kDifferenceListId);
    shown_second = ui.Text(d, CdwhExt::kSecondHourListId);
    ui.Select(d, CdwhExt::kDifferenceListId, 1);
    ui.Select(d, CdwhExt::kSecondHourListId, 7);
  }, true);
  EXPECT_EQ(differences, (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(seconds, (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7"}));
  EXPECT_EQ(shown_difference, "1") << "a difference of 0 shows the least";
  EXPECT_EQ(shown_second, "0");
  EXPECT_EQ(cal.difference, 1);
  EXPECT_EQ(cal.second_hour, 7);
}

}  // namespace
