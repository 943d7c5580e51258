// The week grid of values, list by list: a number chosen in an hour's list
// checks its cell and counts the hour once, another number in the same hour
// changes nothing but the number, the empty choice frees it again; the
// counter says so after every choice, and OK hands the caller the numbers
// and marks the lists showed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pickers/week_grid_values.h"
#include "picker_support.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::run_picker;
using kt_constraints_test::set_week;

int slot(int day, int hour) { return day * 12 + hour; }

TEST(WeekValuesLists, EachChoiceMarksCountsAndFreesItsHour) {
  CdwhCombo::ResetSharedState();
  set_week({4, 3, 0, 0, 0, 0, 0});
  std::uint8_t mask[84] = {};
  std::int8_t values[84] = {};
  mask[slot(0, 0)] = 1;
  values[slot(0, 0)] = 2;
  CdwhCombo picker;
  TestDriver ui;
  picker.SetGridData(nullptr, "Disponibilità limitata alle ore:", "Locale sempre disponibile", mask, values, 4,
                     nullptr, 0);
  const struct {
    int day, hour, choice;
    const char* counter;
    bool checked;
  } steps[] = {
      {0, 2, 3, "2", true},   // a free hour given 3
      {0, 2, 1, "2", true},   // the same hour given 1: still one hour
      {1, 1, 4, "3", true},   // Tuesday's second hour
      {0, 0, 0, "2", false},  // the empty choice frees the first hour
      {0, 0, 0, "2", false},  // and again changes nothing
      {1, 2, 2, "3", true},
  };
  std::vector<std::string> counters, expected;
  std::vector<bool> checks, expected_checks;
  run_picker(picker, ui, [&](Dialog& d) {
    for (const auto& s : steps) {
      ui.Select(d, CdwhCombo::kListIds[std::size_t(slot(s.day, s.hour))], s.choice);
      counters.push_back(ui.Text(d, CdwhCombo::kCounterId));
      checks.push_back(ui.IsChecked(d, CdwhCombo::kCellIds[std::size_t(slot(s.day, s.hour))]));
      expected.push_back(s.counter);
      expected_checks.push_back(s.checked);
    }
  }, true);
  EXPECT_EQ(counters, expected);
  EXPECT_EQ(checks, expected_checks);
  EXPECT_EQ(+mask[slot(0, 0)], 0);
  EXPECT_EQ(+mask[slot(0, 2)], 1);
  EXPECT_EQ(+values[slot(0, 2)], 1);
  EXPECT_EQ(+mask[slot(1, 1)], 1);
  EXPECT_EQ(+values[slot(1, 1)], 4);
  EXPECT_EQ(+values[slot(1, 2)], 2);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
