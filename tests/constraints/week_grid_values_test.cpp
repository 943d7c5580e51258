// The week grid with a number per hour, driven headless: the maximum in
// every list stores the always state and one limited hour prevents it,
// 0 in a list clears the hour, unchecking a box shows 0 but keeps the
// value for the next check, cancel writes nothing; the summary shows
// numbers once any hour is limited.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "constraints/week_grid_values.h"
#include "picker_support.h"
#include "week_grid_support.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::run_picker;
using kt_constraints_test::set_week;

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

}  // namespace
