// The model reset and the band lookup: what a load starts from.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/model.h"
#include "engine/status_block.h"

TEST(ModelReset, StartsFromAnEmptySchool) {
  g_eng_school.lesson_count = 77;
  g_eng_lessons[5].teacher = 9;
  g_eng_teachers[3].weekly_hours = 18;
  std::strcpy(g_eng_school.day_names[0], "Monday");
  or_reset_model();
  EXPECT_EQ(g_eng_school.lesson_count, 0);
  EXPECT_EQ(g_eng_lessons[5].teacher, 0);
  EXPECT_EQ(g_eng_teachers[3].weekly_hours, 0);
  EXPECT_EQ(g_eng_school.class_code_length, 2);
  EXPECT_EQ(g_eng_school.option_flags & 2, 2);
  EXPECT_EQ(g_eng_teachers[499].reset_marker, 255);
  EXPECT_EQ(g_eng_teachers[0].reset_pairs[13][0], 255);
  EXPECT_EQ(g_eng_teachers[0].reset_pairs[13][1], 0);
  EXPECT_EQ(g_eng_classes[299].reset_marker, 255);
  EXPECT_EQ(g_status.stage_id, -1);
  EXPECT_STREQ(g_eng_school.day_names[0], "Monday");  // set per language before the load
  or_add_teacher_count();
  or_add_teacher_count();
  EXPECT_EQ(g_eng_school.teacher_count, 2);
}

TEST(ModelReset, BandLookup) {
  or_reset_model();
  // Filled with 255 by the reset: no qualifying pair gives 255.
  EXPECT_EQ(or_band_lookup(g_eng_school.ihpresenza, 18), 255);
  // Left at zero by the reset: no qualifying pair gives 0.
  EXPECT_EQ(or_band_lookup(g_eng_school.ihminimo, 18), 0);

  BandTable& band = g_eng_school.ihbuche;
  band.pairs[0][0] = 9;  band.pairs[0][1] = 1;
  band.pairs[1][0] = 18; band.pairs[1][1] = 3;
  band.count = 2;
  struct Case { int key, value; } cases[] = {{0, 1}, {9, 1}, {10, 3}, {18, 3}, {19, 255}};
  for (const Case& c : cases) EXPECT_EQ(or_band_lookup(band, c.key), c.value) << c.key;

  // A full table still has a slot after its last pair.
  for (int i = 0; i < kBandPairs; ++i) {
    band.pairs[i][0] = static_cast<std::int8_t>(i);
    band.pairs[i][1] = 7;
  }
  band.count = kBandPairs;
  EXPECT_EQ(or_band_lookup(band, 100), 255);
}

TEST(StatusBlock, ClearAndHistoryLimit) {
  g_status.clear();
  g_status.run_state = kRunStateFinished;
  std::strcpy(g_status.message, "old");
  g_status.clear();
  EXPECT_EQ(g_status.run_state, 0);
  EXPECT_STREQ(g_status.message, "");
  for (int i = 0; i < 150; ++i) or_append_history(i);
  EXPECT_EQ(g_status.history_count, kRunHistorySize);
  EXPECT_EQ(g_status.history_codes[kRunHistorySize - 1], kRunHistorySize - 1);
}
