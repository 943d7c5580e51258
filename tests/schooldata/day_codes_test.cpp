// The day-code scanner over items of the description lines.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "schooldata/day_codes.h"
#include "schooldata/ui_school_model.h"

namespace {

TEST(DayCodes, Scans) {
  og_clear_school_blocks();
  og_set_new_school_defaults(52);
  const struct {
    const char* text;
    int day, advance;  // advance: characters the cursor moves
  } cases[] = {{"LU:1-2", 0, 3}, {"1-2SA:3-4", 5, 6}, {"1-2|SA:3", -1, 0}, {"1 LU:", -1, 0}, {"", -1, 0}, {"GI1-2", -2, 0}};
  for (const auto& c : cases) {
    const char* cursor = c.text;
    EXPECT_EQ(og_next_day_code(cursor), c.day) << c.text;
    EXPECT_EQ(cursor - c.text, c.advance) << c.text;
  }
}

TEST(DayCodesCleared, EmptyHeaderFindsNothing) {
  og_clear_school_blocks();
  const char* text = "LU:1";
  const char* cursor = text;
  EXPECT_EQ(og_next_day_code(cursor), -1);
  EXPECT_STREQ(og_day_code_message(), "Nome del giorno non seguito da ':'");
}

}  // namespace
