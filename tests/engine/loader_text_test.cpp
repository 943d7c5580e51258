// What a load starts from: the model reset, and the loader's number and day
// name readers (fields and day ranges are walked by every load and row).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/loader_internal.h"
#include "engine/status_block.h"

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

TEST(ModelReset, StartsFromAnEmptySchool) {
  g_eng_school.lesson_count = 77;
  g_eng_lessons[5].teacher = 9;
  g_eng_teachers[3].weekly_hours = 18;
  std::strcpy(g_eng_school.day_names[0], "Monday");
  or_reset_model();
  EXPECT_EQ((std::vector<int>{g_eng_school.lesson_count, g_eng_lessons[5].teacher, g_eng_teachers[3].weekly_hours,
                              g_eng_school.class_code_length, g_eng_school.option_flags & 2,
                              g_eng_teachers[499].reset_marker, g_eng_teachers[0].reset_pairs[13][0],
                              g_eng_teachers[0].reset_pairs[13][1], g_eng_classes[299].reset_marker, g_status.stage_id}),
            (std::vector<int>{0, 0, 0, 2, 2, 255, 255, 0, 255, -1}));
  EXPECT_STREQ(g_eng_school.day_names[0], "Monday");  // set per language before the load
  // Bands filled with 255 by the reset answer 255 without a pair, those left
  // at zero answer 0.
  EXPECT_EQ(or_band_lookup(g_eng_school.ihpresenza, 18), 255);
  EXPECT_EQ(or_band_lookup(g_eng_school.ihminimo, 18), 0);
  or_add_teacher_count();
  or_add_teacher_count();
  EXPECT_EQ(g_eng_school.teacher_count, 2);
}
