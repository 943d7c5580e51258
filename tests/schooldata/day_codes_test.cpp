// The day-code scanner over items of the description lines.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "schooldata/day_codes.h"
#include "schooldata/ui_school_model.h"

namespace {

struct DayCase {
  const char* id;
  const char* text;
  int day;
  int advance;  // characters the cursor moves
};

class DayCodes : public ::testing::TestWithParam<DayCase> {
 protected:
  void SetUp() override {
    og_clear_school_blocks();
    og_set_new_school_defaults(52);
  }
};

TEST_P(DayCodes, Scans) {
  const DayCase& c = GetParam();
  const char* cursor = c.text;
  EXPECT_EQ(og_next_day_code(cursor), c.day);
  EXPECT_EQ(cursor - c.text, c.advance);
}

INSTANTIATE_TEST_SUITE_P(Cases, DayCodes,
                         ::testing::Values(DayCase{"first", "LU:1-2", 0, 3},
                                           DayCase{"later", "1-2SA:3-4", 5, 6},
                                           DayCase{"bar", "1-2|SA:3", -1, 0},
                                           DayCase{"blank", "1 LU:", -1, 0},
                                           DayCase{"end", "", -1, 0},
                                           DayCase{"colonless", "GI1-2", -2, 0}),
                         [](const auto& info) { return std::string(info.param.id); });

TEST(DayCodesCleared, EmptyHeaderFindsNothing) {
  og_clear_school_blocks();
  const char* text = "LU:1";
  const char* cursor = text;
  EXPECT_EQ(og_next_day_code(cursor), -1);
  EXPECT_STREQ(og_day_code_message(), "Nome del giorno non seguito da ':'");
}

}  // namespace
