// The model reset: what a load starts from.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/status_block.h"

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
