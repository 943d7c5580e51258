// The loader's small text readers: numbers, fields, day names and day
// ranges, each stopping at the end of its field or line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/loader_internal.h"

namespace {

void set_week() {
  or_reset_model();
  const char* codes[] = {"LU", "MA", "ME", "GI", "VE", "SA", "DO"};
  for (int d = 0; d < kDays; ++d) std::strcpy(g_eng_school.day_codes[d], codes[d]);
  g_eng_run.days_per_week = 5;
  g_loader.line[0] = '\0';
}

TEST(LoaderText, Numbers) {
  struct { const char* text; int value, consumed; } rows[] = {{"12-3", 12, 2}, {"x", 0, 0}, {"-4:", -4, 2}, {"-x", 0, 0}, {"99999999999", 1000000, 11}, {"", 0, 0}};
  for (const auto& row : rows) {
    const char* p = row.text;
    EXPECT_EQ(take_number(p), row.value) << row.text;
    EXPECT_EQ(p - row.text, row.consumed) << row.text;
  }
}

TEST(LoaderText, Fields) {
  const char* line = "KEY:|A||B|\n";
  const char* a = next_field(line);
  const char* b = next_field(a);
  EXPECT_EQ(a, line + 5);
  EXPECT_EQ(b, line + 8);
  EXPECT_EQ(next_field(b), nullptr);
  EXPECT_EQ(next_field("NOFIELD"), nullptr);
  char out[4];
  EXPECT_EQ(copy_until(out, "ABCDEF|", 3, nullptr), 3);
  EXPECT_STREQ(out, "ABC");
  EXPECT_EQ(copy_until(out, "AB-C", 3, "-"), 2);
  EXPECT_EQ(find_in_field("AB|-", '-'), nullptr);
}

TEST(LoaderText, DayNames) {
  set_week();
  struct { const char* text; int day, consumed; } rows[] = {{"MA:3", 1, 3}, {"xxVE:1", 4, 5}, {"SA:1", -1, 0}, {"|LU:1", -1, 0}, {" LU:1", -1, 0}, {"", -1, 0}};
  for (const auto& row : rows) {
    const char* p = row.text;
    EXPECT_EQ(or_next_day_name(p), row.day) << row.text;
    EXPECT_EQ(p - row.text, row.consumed) << row.text;
  }
  const char* bad = "LU1-2";
  EXPECT_THROW(or_next_day_name(bad), EngineError);
}

TEST(LoaderText, DayRanges) {
  set_week();
  std::uint8_t grid[kWeekSlots] = {};
  read_day_ranges("LU:1-2ME:12-12 rest", grid, "msg");
  EXPECT_EQ((std::vector<int>{grid[0], grid[1], grid[2], grid[2 * 12 + 11]}), (std::vector<int>{1, 1, 0, 1}));
  for (const char* bad : {"LU:0-2", "LU:2-13", "LU:3-2", "LU:2", "LU:-2", "LU:x-2"}) {
    std::uint8_t other[kWeekSlots] = {};
    EXPECT_THROW(read_day_ranges(bad, other, "msg"), EngineError) << bad;
  }
}

}  // namespace
