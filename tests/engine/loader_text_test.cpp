// The loader's small text readers: numbers and day names, each stopping at
// the end of its field or line. (Fields and day ranges are walked by every
// load and by the loader's rows.)
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

}  // namespace
