// Constraint staging and the set of teachers in test.
//
// The staging switches every constraint off (or keeps on those already
// satisfied) and then back on one at a time in a fixed priority order, the
// gap constraint 48 last; once all are on, each further step releases one
// teacher from the test set. The search loop calls or_staging_next each time
// a stage is done.
#pragma once

#include <cstdint>

// Priority order in which the staging switches constraints back on.
extern const std::uint8_t kStagingOrder[82];
// The ids without a constraint of their own, switched on together first.
extern const std::uint8_t kStagingFreeIds[11];

// Search settings the staging reads, set by the search driver and loop.
struct StagingSettings {
  std::uint8_t gap_staging;    // 48 is switched on only when non-zero
  std::uint8_t gap_option;
  std::uint8_t gap_weighting;
  std::uint32_t gap_stage_value;
};
extern StagingSettings g_staging;

void or_staging_start(int stage);
int or_staging_next();
int or_release_test_teacher();

int or_count_test_teachers();
int or_reset_test_teachers(int n);
int or_add_test_teachers(int n);
int or_add_gap_teacher();
int or_add_gap_teacher_strict();
int or_release_lowest_teacher(int kind);
int or_release_next_teacher(int kind);
// Number of switch-off bytes that are set.
int or_count_switched_off();
