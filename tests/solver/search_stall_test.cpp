// The long-stall rule of the search loop: which runs take it and when, its
// steps (a stage handed over, the gap stage's open search, its slot and
// block exchanges), and the record of a whole seeded staged run never growing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_main.h"
#include "engine/engine_random.h"
#include "engine/status_block.h"
#include "fresh_process.h"
#include "school_fixture.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/gap_stage.h"
#include "solver/local_search.h"
#include "solver/placement_state.h"
#include "solver/result_history.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"
#include "solver/neighbourhood_moves.h"
#include "solver/stage_stall.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint16_t> kept() {
  return std::vector<std::uint16_t>(g_current_placement, g_current_placement + g_eng_school.lesson_count);
}

class StageStallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::make_unique<TempCommandFolder>();
    ::setenv("KESTRINTEMPUS_ROOT", fs::current_path().c_str(), 1);
    SchoolSpec spec;
    spec.classes = 3;
    spec.teachers = 6;
    spec.lessons_per_class = 24;
    saved_weights_ = g_weights;
    school(spec);
  }
  // A synthetic school, placed, at the start of a staged computing run.
  void school(const SchoolSpec& spec) {
    build_school(spec, 83);
    g_engine_random.seed_with(83);
    place_all_lessons();
    reset_run_state();
    or_reset_search_state();
    or_reset_gap_stage();
    or_prepare_search_tables();
    or_clear_best_placement();
    g_staging.gap_staging = 1;
    g_eng_run.run_mode = 15;
  }
  void TearDown() override {
    g_weights = saved_weights_;
    for (ConstraintSwitch& s : ConstraintSwitchTable) s.off = 0;
    g_status.stage_id = -1;
    g_status.gap_tolerance_level = 0;
    or_reset_test_teachers(-1);
    or_reset_gap_stage();
    folder_.reset();
  }
  // Every constraint on but `off` (and 48, unless `stage` is 48), working on
  // `stage` at `tolerance` with every teacher in test; the live placement
  // kept with its count as the record.
  void stage_with(int stage, std::vector<int> off, int tolerance = 0) {
    for (ConstraintSwitch& s : ConstraintSwitchTable) s.off = 0;
    for (int id : off) ConstraintSwitchTable[id].off = 1;
    if (stage != kGapStageId) ConstraintSwitchTable[kGapStageId].off = 1;
    g_status.stage_id = stage;
    g_status.gap_tolerance_level = static_cast<std::uint8_t>(tolerance);
    g_status.gap_stage_state = static_cast<std::uint8_t>(tolerance);
    if (stage == kGapStageId) or_reset_test_teachers(g_eng_school.teacher_count);
    g_gap_stage.teacher_mode = stage == kGapStageId ? 1 : 0;
    or_rebuild_grids_and_evaluate();
    or_keep_search_placement();
    g_search.low_point = g_search.record = g_status.error_count;
  }
  // The slots holding lessons in error of the record's placement, as the
  // stall step sees them (marked when asked); answers how many.
  int slots_in_error(const std::vector<std::uint16_t>& record, std::vector<bool>* marked) {
    or_restore_search_placement(g_current_placement);
    std::vector<int> in_error(g_eng_school.lesson_count);
    in_error.resize(or_slot_chain_error_lessons(in_error.data()));
    std::vector<bool> seen(1 << 16, false);
    int n = 0;
    for (int l : in_error) n += !seen[record[l]], seen[record[l]] = true;
    if (marked) *marked = seen;
    return n;
  }
  // Only the constraint that leaves the fewest slots holding lessons in
  // error of the record's placement stays on (a plateau's few lessons, which
  // a random exchange could miss); answers it, -1 when none has any.
  int keep_fewest_error_slots(const std::vector<std::uint16_t>& record) {
    int chosen = -1, fewest = 0;
    for (int id = 0; id < kConstraintCount; ++id) {
      for (int k = 0; k < kConstraintCount; ++k) ConstraintSwitchTable[k].off = k != id;
      int n = slots_in_error(record, nullptr);
      if (n > 0 && (chosen < 0 || n < fewest)) chosen = id, fewest = n;
    }
    for (int k = 0; k < kConstraintCount; ++k) ConstraintSwitchTable[k].off = k != chosen;
    return chosen;
  }
  std::unique_ptr<TempCommandFolder> folder_;
  SearchWeightState saved_weights_;
};

TEST_F(StageStallTest, OnlyStagedComputingRunsStepAndOnlyPastTheLimit) {
  struct Case {
    const char* id;
    int release_mode, extended, stage, gap_staging, progress_at;
    int expected;  // cycles to the step, -1 none within three limits
  } cases[] = {
      {"T1 a staged run, at the first cycle past the limit", 1, 0, 35, 1, -1, kLongStallCycles + 1},
      {"T2 progress starts the count again", 1, 0, 35, 1, 40, 40 + kLongStallCycles},
      {"T3 a test run never", 0, 0, 35, 1, -1, -1},
      {"T4 a loop that ends at its limit never", 1, 1, 35, 1, -1, -1},
      {"T5 no stage (CONT) never", 1, 0, -1, 1, -1, -1},
      {"T6 a staging that keeps the gaps off never", 1, 0, 35, 0, -1, -1},
  };
  for (const Case& c : cases) {
    stage_with(35, {80});
    g_status.stage_id = c.stage;
    g_staging.gap_staging = static_cast<std::uint8_t>(c.gap_staging);
    or_note_stage_progress();
    int at = -1;
    for (int n = 1; n <= 3 * kLongStallCycles && at < 0; ++n) {
      if (n == c.progress_at) or_note_stage_progress();
      if (or_count_stage_cycle(c.release_mode, c.extended) != StallStep::kNone) at = n;
    }
    EXPECT_EQ(at, c.expected) << c.id;
    if (at > 0) {
      EXPECT_EQ(or_stalled_cycles(), 0) << c.id;
    }
  }
}

TEST_F(StageStallTest, AStalledStageHandsOverAndTheGapStageOpensThenExchangesSlots) {
  stage_with(35, {80});
  int errors = g_status.error_count;
  std::vector<std::uint16_t> before = kept();
  EXPECT_EQ(or_long_stall_step(), StallStep::kHandOver);
  EXPECT_EQ((std::vector<int>{g_status.stage_id, ConstraintSwitchTable[80].off, ConstraintSwitchTable[48].off,
                              g_search.new_stage, g_search.record}),
            (std::vector<int>{80, 0, 1, 1, static_cast<int>(g_status.error_count)}));
  EXPECT_GE(g_status.error_count.load(), errors) << "the stage's errors stay in the count";
  EXPECT_EQ(kept(), before) << "it goes on from the kept placement";
  // Only the gaps left: the gap stage opens with every teacher in test.
  EXPECT_EQ(or_long_stall_step(), StallStep::kHandOver);
  EXPECT_EQ(g_status.stage_id.load(), kGapStageId);
  EXPECT_EQ(g_status.teachers_in_test.load(), g_eng_school.teacher_count);
  // Nothing left to switch on is no step.
  stage_with(35, {});
  g_staging.gap_staging = 0;
  EXPECT_EQ(or_long_stall_step(), StallStep::kNone);

  // The gap stage's teacher-by-teacher work gives way to the open search:
  // every teacher's gaps count at tolerance 0, from the kept placement.
  stage_with(kGapStageId, {}, 0);
  or_reset_test_teachers(-1);
  or_rebuild_grids_and_evaluate();
  int open_errors = g_status.error_count;
  stage_with(kGapStageId, {}, 5);
  ASSERT_LT(g_status.error_count.load(), open_errors) << "with every teacher in test no gap counts";
  before = kept();
  EXPECT_EQ(or_long_stall_step(), StallStep::kOpenGapStage);
  EXPECT_EQ((std::vector<int>{g_status.teachers_in_test, g_status.gap_tolerance_level, g_status.gap_stage_state,
                              or_gap_teacher_mode(), or_gap_stage_open(), g_search.record}),
            (std::vector<int>{0, 0, 0, 0, 1, open_errors}));
  EXPECT_EQ(kept(), before);
  // Its stall action leaves the test set as it is.
  g_status.gap_stage_count = g_eng_school.teacher_count;
  g_status.gap_stage_target = 0;
  or_stage_action();
  EXPECT_EQ(g_status.teachers_in_test.load(), 0);
  // Stalled again: two slots exchanged whole; the record and its placement stay.
  before = kept();
  EXPECT_EQ(or_long_stall_step(), StallStep::kSlotExchange);
  EXPECT_EQ(g_search.record, open_errors);
  EXPECT_EQ(kept(), before);
  EXPECT_EQ(or_any_class_has_gap(), 0);
  // A new round (a reset) ends the open search.
  or_reset_gap_stage();
  EXPECT_FALSE(or_gap_stage_open());
}

// A long plateau of the open search is mostly about a few lessons (one
// teacher's block on his free day): after three random exchanges in a row
// that found no new record, every exchange takes one of its two slots from a
// lesson in error, however few such lessons there are.
TEST_F(StageStallTest, AfterThreeFruitlessSlotExchangesTheExchangeTakesALessonInError) {
  stage_with(kGapStageId, {}, 0);
  ASSERT_EQ(or_long_stall_step(), StallStep::kOpenGapStage);
  std::vector<std::uint16_t> record = kept();
  // The lessons in error of the record's placement, as the step sees them,
  // under the one constraint that leaves the fewest slots holding them (a
  // plateau's few lessons): a random exchange could miss them.
  int chosen = keep_fewest_error_slots(record);
  ASSERT_GE(chosen, 0);
  std::vector<bool> error_slot, used_slot(1 << 16, false);
  int error_slots = slots_in_error(record, &error_slot), used_slots = 0;
  for (std::uint16_t v : record) used_slots += !used_slot[v], used_slot[v] = true;
  ASSERT_GT(error_slots, 0);
  ASSERT_LT(2 * error_slots, used_slots) << "a random exchange must be able to miss them";

  int aimed = 0, steps = 0;
  for (int step = 1; step <= 3 + 12; ++step) {
    ASSERT_EQ(or_long_stall_step(), StallStep::kSlotExchange);
    ASSERT_EQ(kept(), record) << "the record's placement stays";
    EXPECT_EQ(or_any_class_has_gap(), 0);
    if (step <= 3) continue;
    bool touches = false;
    for (int l = 0; l < g_eng_school.lesson_count; ++l)
      if (or_lesson_place_value(l) != record[l]) touches = touches || error_slot[record[l]];
    ++steps;
    if (touches) ++aimed;
  }
  EXPECT_EQ(aimed, steps) << error_slots << " of " << used_slots << " slots hold lessons in error of constraint "
                          << chosen;
}

// Each lesson the last kick moved, with its slot in the record's placement
// and its slot now.
struct Moved {
  std::uint16_t from, to;
  int lesson;
};
std::vector<Moved> moved_since(const std::vector<std::uint16_t>& record) {
  std::vector<Moved> moved;
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    if (or_lesson_place_value(l) != record[l]) moved.push_back({record[l], or_lesson_place_value(l), l});
  return moved;
}

// A kick that moved a block of two hours in a row of one day whole to the
// same hours of another day (and that day's two hours back): every lesson
// of the four slots moved, keeping its hour, and nothing else moved.
bool moved_a_block(const std::vector<std::uint16_t>& record, const std::vector<Moved>& moved) {
  if (moved.empty()) return false;
  int day_a = moved[0].from & 0xFF, day_b = moved[0].to & 0xFF, low = kHoursPerDay, high = -1;
  for (const Moved& m : moved) {
    int from_day = m.from & 0xFF, to_day = m.to & 0xFF, hour = m.from >> 8;
    if ((m.to >> 8) != hour || from_day == to_day) return false;
    if (!((from_day == day_a && to_day == day_b) || (from_day == day_b && to_day == day_a))) return false;
    low = hour < low ? hour : low;
    high = hour > high ? hour : high;
  }
  if (high != low + 1) return false;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    int day = record[l] & 0xFF, hour = record[l] >> 8;
    bool in_block = (day == day_a || day == day_b) && (hour == low || hour == high);
    if (in_block && or_lesson_place_value(l) == record[l]) return false;
  }
  return true;
}

// A teacher's two hours in a row on his free day hold a plateau: one hour
// moved alone is put back by the search. So from the fourth fruitless kick in
// a row on, a block of two hours in a row holding a lesson in error goes whole
// to another day, both hours, and never leaves a class with a gap.
TEST_F(StageStallTest, AfterThreeFruitlessSlotExchangesABlockHoldingALessonInErrorMovesWhole) {
  stage_with(kGapStageId, {}, 0);
  ASSERT_EQ(or_long_stall_step(), StallStep::kOpenGapStage);
  std::vector<std::uint16_t> record = kept();
  int chosen = keep_fewest_error_slots(record);
  ASSERT_GE(chosen, 0);
  std::vector<bool> error_slot;
  int error_slots = slots_in_error(record, &error_slot);

  int blocks = 0, steps = 0;
  for (int step = 1; step <= 3 + 12; ++step) {
    ASSERT_EQ(or_long_stall_step(), StallStep::kSlotExchange);
    ASSERT_EQ(kept(), record) << "the record's placement stays";
    EXPECT_EQ(or_any_class_has_gap(), 0) << "kick " << step;
    std::vector<Moved> moved = moved_since(record);
    if (step <= 3) {
      EXPECT_FALSE(moved_a_block(record, moved)) << "kick " << step << " is a plain exchange of two slots";
      continue;
    }
    bool holds_error = false;
    for (const Moved& m : moved) holds_error = holds_error || error_slot[m.from];
    ++steps;
    if (moved_a_block(record, moved) && holds_error) ++blocks;
  }
  EXPECT_EQ(blocks, steps) << error_slots << " slots hold lessons in error of constraint " << chosen;
}

// Where no block can go to another day (a week of one day; days of one
// hour), the kick falls back to the exchange of a lesson in error's slot
// with another, not to a random exchange that could miss them.
TEST_F(StageStallTest, WithNoBlockToMoveTheExchangeStillTakesALessonInError) {
  struct Case {
    const char* id;
    int days, hours, lessons_per_class, teachers;
  } cases[] = {
      {"N1 a week of one day", 1, kHoursPerDay, 8, 9},
      {"N2 days of one hour", kDays, 1, 4, 12},
  };
  for (const Case& c : cases) {
    SchoolSpec spec;
    spec.classes = 3;
    spec.days = c.days;
    spec.hours = c.hours;
    spec.lessons_per_class = c.lessons_per_class;
    spec.teachers = c.teachers;
    school(spec);
    stage_with(kGapStageId, {}, 0);
    ASSERT_EQ(or_long_stall_step(), StallStep::kOpenGapStage) << c.id;
    std::vector<std::uint16_t> record = kept();
    int chosen = keep_fewest_error_slots(record);
    ASSERT_GE(chosen, 0) << c.id;
    std::vector<bool> error_slot, used_slot(1 << 16, false);
    int error_slots = slots_in_error(record, &error_slot), used_slots = 0;
    for (std::uint16_t v : record) used_slots += !used_slot[v], used_slot[v] = true;
    ASSERT_LT(2 * error_slots, used_slots) << c.id << ": a random exchange must be able to miss them";

    int aimed = 0, steps = 0;
    for (int step = 1; step <= 3 + 12; ++step) {
      ASSERT_EQ(or_long_stall_step(), StallStep::kSlotExchange) << c.id;
      ASSERT_EQ(kept(), record) << c.id << ": the record's placement stays";
      EXPECT_EQ(or_any_class_has_gap(), 0) << c.id << ", kick " << step;
      if (step <= 3) continue;
      bool touches = false;
      for (const Moved& m : moved_since(record)) touches = touches || error_slot[m.from];
      ++steps;
      if (touches) ++aimed;
    }
    EXPECT_EQ(aimed, steps) << c.id << ": " << error_slots << " of " << used_slots
                            << " slots hold lessons in error of constraint " << chosen;
  }
}

// A whole seeded staged computation (in a process of its own, as orario
// runs it): within one stage, tolerance, test set, released teacher and
// level, and between stall steps, the loop's record never grows.
struct RecordWatch {
  std::vector<int> state;
  int record = 0, cycles = 0, checked = 0, worse = 0;
};
RecordWatch g_watch;

void watch_record(int cycle) {
  if (cycle >= 900) g_status.run_state.store(kRunStateStopRequested);
  std::vector<int> state{g_status.stage_id,        g_status.gap_tolerance_level, g_status.teachers_in_test,
                         g_status.released_teacher, g_status.level,               g_search.stall_steps};
  if (state == g_watch.state) {
    ++g_watch.checked;
    if (g_search.record > g_watch.record) ++g_watch.worse;
  }
  g_watch.state = state;
  g_watch.record = g_search.record;
  g_watch.cycles = cycle;
}

void run_watched() {
  SchoolCopy school("istituto");
  fs::path old = fs::current_path();
  fs::current_path(school.folder());
  ::setenv("KESTRINTEMPUS_ROOT", school.root().c_str(), 1);
  ::setenv("KESTRINTEMPUS_PARPRO_TAG", ("stall" + std::to_string(::getpid())).c_str(), 1);
  g_status.clear();
  g_requested_seed = 2;
  or_set_cycle_observer(watch_record);
  testing::internal::CaptureStdout();
  const char* argv[] = {"Questo non serve", "CALC:scuola2.txt", nullptr};
  int result = or_main(1, 2, argv);
  std::string trace = testing::internal::GetCapturedStdout();
  or_set_cycle_observer(nullptr);
  fs::current_path(old);
  ASSERT_EQ(result, 0) << trace;
  EXPECT_GT(g_watch.checked, 50) << g_watch.cycles << " cycles";
  EXPECT_EQ(g_watch.worse, 0);
}

TEST(StageStallRun, TheRecordNeverGrowsThroughAStagedRun) { KT_IN_FRESH_PROCESS({ run_watched(); }); }

}  // namespace
