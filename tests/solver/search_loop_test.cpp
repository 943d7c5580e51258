// The local search loop on small synthetic schools: a stop restoring and
// saving the stage's best, the bookkeeping of kept moves, and a granted
// exemption restarting the search.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "engine/engine_random.h"
#include "fresh_process.h"
#include "engine/model_post_passes.h"
#include "engine/perturbations.h"
#include "engine/reception_exemption_files.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/exemptions.h"
#include "solver/local_search.h"
#include "solver/placement_state.h"
#include "solver/result_history.h"
#include "solver/search_loop_parts.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"
#include "solver/teacher_side_move.h"

namespace fs = std::filesystem;

namespace {

int g_stop_at = -1;
std::vector<int> g_sleeps;
std::int64_t g_now = 0;
std::int64_t g_step = 0;

void stop_at_cycle(int cycle) {
  if (cycle == g_stop_at) g_status.run_state.store(kRunStateStopRequested);
}
void record_sleep(int ms) { g_sleeps.push_back(ms); }
std::int64_t fake_clock() { return g_now += g_step; }

class SearchLoopTest : public ::testing::Test {
 public:
  void SetUp() override {
    folder_ = std::make_unique<TempCommandFolder>();
    ::setenv("KESTRINTEMPUS_ROOT", fs::current_path().c_str(), 1);
    g_stop_at = -1;
    g_sleeps.clear();
    or_set_cycle_observer(stop_at_cycle);
    or_set_search_pacing(record_sleep, fake_clock);
    or_set_teacher_side_sleep(record_sleep);
  }
  void TearDown() override {
    or_set_cycle_observer(nullptr);
    or_set_search_pacing(nullptr, nullptr);
    or_set_teacher_side_sleep(nullptr);
    folder_.reset();
  }
  // A school with errors left after its seeded placement, ready to search.
  void prepare(std::uint64_t seed) {
    SchoolSpec spec;
    spec.classes = 4;
    spec.teachers = 8;
    spec.lessons_per_class = 26;
    prepare(spec, seed);
  }
  void prepare(const SchoolSpec& spec, std::uint64_t seed) {
    build_school(spec, seed);
    g_engine_random.seed_with(seed);
    place_all_lessons();
    or_count_hours(0);  // the class lesson lists the moves walk
    g_eng_run.run_mode = 16;
    or_reset_search_state();
    or_prepare_search_tables();
    g_status.stage_value = -1;
    or_reset_weights(1);
    or_rebuild_grids_and_evaluate();
    g_search.search_state = 2;
    g_stage_placement[0] = 0xFFFF;
    g_stage_best_placement[0] = 0xFFFF;
    or_reset_teacher_side_state();
  }
  bool saved() const { return fs::exists("savego.txt"); }

  std::unique_ptr<TempCommandFolder> folder_;
};

TEST_F(SearchLoopTest, StopRestoresTheStageBestWhenOneIsStored) {
  prepare(13);
  std::vector<std::uint16_t> start(static_cast<std::size_t>(g_eng_school.lesson_count));
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    start[static_cast<std::size_t>(l)] = lesson_place(l);
    g_stage_best_placement[l] = lesson_place(l);
  }
  g_stop_at = 3;
  or_search_loop(1, -1, 0);
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    ASSERT_EQ(lesson_place(l), start[static_cast<std::size_t>(l)]) << l;
  EXPECT_TRUE(saved());
}

// The main process's CPU pacing sleeps after each cycle in proportion to
// the cycle's time (a twentieth, plus one millisecond), at most a second.
TEST_F(SearchLoopTest, CpuPacingSleepsInProportion) {
  prepare(14);
  g_status.cpu_pacing = 1;
  g_step = 400;  // every clock read advances 400 ms
  g_stop_at = 3;
  or_search_loop(1, -1, 0);
  g_status.cpu_pacing = 0;
  // First cycle: nothing elapsed yet (1 ms); then 400 ms / 20 + 1.
  ASSERT_GE(g_sleeps.size(), 3u);
  EXPECT_EQ(g_sleeps[0], 1);
  EXPECT_EQ(g_sleeps[1], 21);
  g_sleeps.clear();
  g_step = 10000;  // just 10 s: still in proportion
  g_stop_at = 2;
  g_status.run_state = 0;
  g_status.cpu_pacing = 1;
  or_search_loop(1, -1, 0);
  ASSERT_GE(g_sleeps.size(), 2u);
  EXPECT_EQ(g_sleeps[1], 501);
  g_sleeps.clear();
  g_step = 20000;
  g_status.run_state = 0;
  or_search_loop(1, -1, 0);
  g_status.cpu_pacing = 0;
  ASSERT_GE(g_sleeps.size(), 2u);
  EXPECT_EQ(g_sleeps[1], 1000) << "a cycle slower than 10 s sleeps 1000 ms";
  // Without pacing nothing sleeps.
  g_sleeps.clear();
  g_status.run_state = 0;
  or_search_loop(1, -1, 0);
  EXPECT_TRUE(g_sleeps.empty());
}

// Every kept move is booked: the exchange count, the evaluation and the
// placement's error count.
TEST_F(SearchLoopTest, ErrorsFallWithinTenCycles) {
  prepare(16);
  int start_errors = g_status.error_count;
  g_stop_at = 10;
  or_search_loop(1, -1, 0);
  int errors = g_status.error_count;
  EXPECT_LT(errors, start_errors);
  // Every kept move is counted, and the count of errors is the placement's.
  EXPECT_GT(g_search.exchanges, 0);
  or_evaluate_all_constraints(0);
  EXPECT_EQ(static_cast<int>(g_status.error_count), errors);
}

std::vector<std::pair<int, int>> g_records;  // (record, run best) at each cycle
void note_record(int cycle) {
  stop_at_cycle(cycle);
  g_records.emplace_back(g_search.record, g_search.run_best);
}

// Over a run the record and the run's best only fall, and what the loop
// keeps is a placement with the record's errors: stopped at any cycle, the
// kept placement, evaluated again, has no more errors than the record.
TEST_F(SearchLoopTest, TheKeptBestNeverGetsWorse) {
  for (std::uint64_t seed : {16u, 34u}) {
    SCOPED_TRACE(seed);
    prepare(seed);
    int start_errors = g_status.error_count;
    g_records.clear();
    g_stop_at = 30;
    or_set_cycle_observer(note_record);
    or_search_loop(1, -1, 0);
    or_set_cycle_observer(stop_at_cycle);
    ASSERT_FALSE(g_records.empty());
    EXPECT_LE(g_records.front().first, start_errors);
    for (std::size_t i = 1; i < g_records.size(); ++i) {
      EXPECT_LE(g_records[i].first, g_records[i - 1].first) << "record at cycle " << i + 1;
      EXPECT_LE(g_records[i].second, g_records[i - 1].second) << "run best at cycle " << i + 1;
      EXPECT_LE(g_records[i].second, g_records[i].first) << "cycle " << i + 1;
    }
    EXPECT_LT(g_search.record, start_errors);
    or_apply_placement(g_current_placement);
    or_rebuild_grids_and_evaluate();
    EXPECT_LE(static_cast<int>(g_status.error_count), g_search.record);
  }
}

}  // namespace

namespace {

int g_restarts_at_grant = -1;
int g_restarts_after = -1;
// Grants an exemption (teacher 0's minimum hours) at cycle 3, as the
// processing page does while the search runs; notes the restart counter.
void grant_at(int cycle) {
  stop_at_cycle(cycle);
  if (cycle == 3) {
    ViolationRecord v{};
    v.constraint_id = 10;
    v.teacher = 0;
    g_exemption_current = or_exemption_from_violation(v, kExemptionRequestGrant);
    g_restarts_at_grant = g_search.restart_counter;
  }
  g_restarts_after = g_search.restart_counter;
}

// A granted exemption is written to the exemption file and applied, and
// the loop restarts at once from its kept placement, holding a record.
TEST_F(SearchLoopTest, AGrantedExemptionRestartsTheSearch) {
  prepare(18);
  or_set_cycle_observer(grant_at);
  g_stop_at = 5;
  g_search.search_state = 0;
  g_eng_teachers[0].min_hours_per_day = 3;
  or_search_loop(1, -1, 0);
  EXPECT_TRUE(fs::exists("scuola3.txt"));
  EXPECT_GT(g_restarts_after, g_restarts_at_grant);
  EXPECT_EQ((std::vector<int>{g_exemption_current.bytes[0], g_search.search_state, g_eng_teachers[0].min_hours_per_day}),
            (std::vector<int>{kExemptionRequestNone, 2, 2}));
}

}  // namespace

namespace {

// The evaluation after a kept move records the violations only while the
// error count is at most 200 (the report limit is 0 above): with more, the
// violation list is left empty.
struct ReportLimitCase {
  const char* id;
  int classes, lessons_per_class;
  bool many;  // more than 200 errors
};
int g_records_after_move = -1;
int g_kept_before = -1;
void note_records(int cycle) {
  stop_at_cycle(cycle);
  if (cycle != 2) return;
  g_records_after_move = g_status.violation_count;
  g_kept_before = g_search.exchanges;
}

TEST_F(SearchLoopTest, KeptMovesRecordViolationsOnlyUpTo200Errors) {
  const ReportLimitCase cases[] = {{"many", 4, 26, true}, {"few", 1, 30, false}};
  for (const ReportLimitCase& c : cases) {
    SCOPED_TRACE(c.id);
    g_status.run_state = 0;
    SchoolSpec spec;
    spec.classes = c.classes;
    spec.teachers = 8;
    spec.lessons_per_class = c.lessons_per_class;
    prepare(spec, 13);
    or_search_evaluate(1);  // a full list before the search
    ASSERT_GT(g_status.violation_count.load(), 0);
    ASSERT_EQ(g_status.error_count.load() > 200, c.many) << g_status.error_count.load();
    g_records_after_move = -1;
    or_set_cycle_observer(note_records);
    g_stop_at = 3;
    or_search_loop(1, -1, 0);
    ASSERT_GT(g_kept_before, 0) << "the first cycle's move kept exchanges";
    if (c.many) {
      EXPECT_EQ(g_records_after_move, 0);
    } else {
      EXPECT_GT(g_records_after_move, 0);
    }
  }
}

// The exemption search ("DERR") makes no move: every cycle goes on to the
// accounting, and past its cycle limit the search restarts from its kept
// placement instead of ending.
int g_highest_cycle = 0;
int g_limit_seen = 0;
int g_past_limit_cycle = -1;  // the first cycle that began past the limit in force
void note_highest(int cycle) {
  stop_at_cycle(cycle);
  g_highest_cycle = cycle;
  if (g_past_limit_cycle < 0 && cycle > g_limit_seen) g_past_limit_cycle = cycle;
  g_limit_seen = g_search.cycle_limit;
}

TEST_F(SearchLoopTest, ExemptionSearchRestartsPastItsCycleLimit) {
  prepare(15);
  g_eng_run.run_mode = 29;
  g_limit_seen = 1 << 30;
  g_past_limit_cycle = -1;
  or_set_cycle_observer(note_highest);
  g_stop_at = 400;
  or_search_loop(1, -1, 0);
  ASSERT_GT(g_past_limit_cycle, 0) << "the cycle limit was passed";
  EXPECT_EQ(g_highest_cycle, 400) << "the loop went on past its limit until stopped";
  EXPECT_GT(g_search.restart_counter, 0);
  g_eng_run.run_mode = 0;
}

// Each end of a stage that releases a held-out teacher counts one teacher
// processed in the stage; the count starts again when the staging switches
// the next constraint on, which happens once no teacher is left to release.
void count_released_teachers() {
  or_staging_start(-1);  // everything off: no error left
  or_setup_test_set(-2);
  g_status.stage_id = -1;
  g_status.teachers_processed = 0;
  for (int t : {1, 4, 6}) or_hold_out_teacher(t);
  or_rebuild_grids_and_evaluate();
  ASSERT_EQ(g_status.error_count.load(), 0);
  // A partial release takes several ends of a stage for one teacher.
  int ends = 0;
  while (g_status.stage_id.load() == -1 && ends < 300) {
    ASSERT_FALSE(or_end_of_stage(1, -1));
    ++ends;
    if (g_status.stage_id.load() == -1) {
      ASSERT_EQ(g_status.teachers_processed.load(), 3 - or_count_held_out_teachers()) << ends;
    }
  }
  EXPECT_GT(ends, 3);
  EXPECT_EQ(g_status.stage_id.load(), 94) << "the free ids switched on";
  EXPECT_EQ(g_status.teachers_processed.load(), 0);
  EXPECT_EQ(or_count_held_out_teachers(), 0);
}

// The staging's constraints stay switched off after it: a process of its own.
TEST_F(SearchLoopTest, TeachersReleasedAtTheEndOfAStageAreCounted) {
  prepare(21);
  g_eng_run.run_mode = 20;
  KT_IN_FRESH_PROCESS({ count_released_teachers(); });
  g_eng_run.run_mode = 0;
}

// A staged run ("MIBU") restarts by itself after a grant: from the stage's
// start or from its kept placement, by how far the stage got; the loop then
// moves on from there without a restart of its own.
struct StagedGrantCase {
  const char* id;
  int stage;
  int processed;   // teachers processed in the stage
  int credit;      // release credit
  int full;        // full-restart byte
  bool from_stage_start;
};

constexpr int kGrantCycle = 2;
StagedGrantCase g_case;
int g_limit_at_grant = 0;
int g_restarts_before = 0;
struct SeenAtMove {
  bool seen = false;
  bool at_stage_start = false;
  bool at_kept = false;
  int limit = 0, low_point = 0, errors = 0, restart_state = -1, restarts = -1;
  int held_out = 0, held_without_penalty = 0, penalised_not_held = 0;
  int processed = -1;  // teachers processed in the stage, right after the restart
} g_seen;

bool live_equals(const std::uint16_t* placement) {
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    if (lesson_place(l) != placement[l]) return false;
  return true;
}

void staged_grant_at(int cycle) {
  stop_at_cycle(cycle);
  if (cycle != kGrantCycle) return;
  ViolationRecord v{};
  v.constraint_id = 10;
  v.teacher = 0;
  g_exemption_current = or_exemption_from_violation(v, kExemptionRequestGrant);
  g_exemption_current.bytes[kExemptionFullRestartOffset] = static_cast<std::uint8_t>(g_case.full);
  g_status.stage_id = g_case.stage;
  g_status.teachers_processed = g_case.processed;
  g_status.stage_counters[0] = 3;
  g_release.release_credit = g_case.credit;
  g_release.no_credit = 0;
  g_release.restart_state = 1;
  g_limit_at_grant = g_search.cycle_limit;
  g_restarts_before = g_search.restart_counter;
}

void note_first_move_after_grant(int) {
  if (g_search.cycles != kGrantCycle || g_seen.seen) return;
  g_seen.seen = true;
  g_seen.at_stage_start = live_equals(g_stage_placement);
  g_seen.at_kept = live_equals(g_current_placement);
  g_seen.limit = g_search.cycle_limit;
  g_seen.low_point = g_search.low_point;
  g_seen.errors = g_status.error_count;
  g_seen.restart_state = g_search.restart_state;
  g_seen.restarts = g_search.restart_counter;
  g_seen.processed = g_status.teachers_processed;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    // The penalty as if the teacher took part (a held-out teacher counts none).
    bool held = g_eng_teachers[t].held_out != 0;
    g_eng_teachers[t].held_out = 0;
    bool penalised = or_teacher_penalty_checked(t) != 0;
    g_eng_teachers[t].held_out = held;
    g_seen.held_out += held;
    g_seen.held_without_penalty += held && !penalised;
    g_seen.penalised_not_held += penalised && !held;
  }
}

// Eight teachers: half is four.
const StagedGrantCase kStagedGrants[] = {
    {"fresh", 10, 0, 0, 0, true},   {"some", 10, 3, 0, 0, true},  {"most", 10, 4, 0, 0, false},
    {"credit", 10, 5, 2, 0, false}, {"full", 10, 6, 2, 1, true},  {"gap0", 48, 0, 0, 0, false},
    {"gap1", 48, 2, 0, 0, true},
};

TEST_F(SearchLoopTest, StagedRunRestartsFromTheRightPlacementAfterAGrant) {
  for (const StagedGrantCase& k : kStagedGrants) {
    SCOPED_TRACE(k.id);
    g_case = k;
    g_seen = SeenAtMove{};
    prepare(19);
    g_eng_run.run_mode = 20;
    g_eng_teachers[0].min_hours_per_day = 3;
    // The stage started from the seeded placement; the search has moved on.
    or_copy_placement(g_stage_placement);
    ASSERT_GT(or_swap_random_slots(4), 0);
    or_rebuild_grids_and_evaluate();
    ASSERT_FALSE(live_equals(g_stage_placement));
    or_set_cycle_observer(staged_grant_at);
    or_set_move_observer(note_first_move_after_grant);
    g_stop_at = kGrantCycle + 1;
    or_search_loop(1, -1, 0);
    or_set_move_observer(nullptr);
    ASSERT_TRUE(g_seen.seen);
    EXPECT_EQ(g_eng_teachers[0].min_hours_per_day, 2);
    EXPECT_EQ(g_exemption_current.bytes[0], kExemptionRequestNone);
    EXPECT_EQ(g_seen.at_stage_start, k.from_stage_start);
    EXPECT_EQ(g_seen.at_kept, !k.from_stage_start);
    EXPECT_EQ(g_seen.limit, g_limit_at_grant + 99);
    // The low point is taken before the penalised teachers are held out;
    // the history's evaluation after the grant already leaves them out.
    EXPECT_GE(g_seen.low_point, g_seen.errors);
    EXPECT_EQ(g_seen.restart_state, 0);
    EXPECT_EQ(g_seen.restarts, g_restarts_before) << "no second restart from the loop";
    EXPECT_EQ(g_search.search_state, 2);
    if (k.stage != 48) {
      EXPECT_EQ(g_release.no_credit, 1);
      EXPECT_EQ(g_release.restart_state, 0);
    }
    // A restart within a stage that processed teachers holds out exactly
    // the teachers still penalised.
    if (k.stage != 48 && k.processed != 0 && !k.full) {
      EXPECT_GT(g_seen.held_out, 0);
      EXPECT_EQ(g_seen.held_without_penalty, 0);
      EXPECT_EQ(g_seen.penalised_not_held, 0);
    }
    // (An end of the stage after the restart counts the teachers it releases.)
    if (k.full) {
      EXPECT_EQ(g_seen.processed, 0);
      EXPECT_EQ(g_status.stage_counters[0].load(), 0);
    } else {
      EXPECT_EQ(g_seen.processed, k.processed);
    }
    fs::remove("scuola3.txt");
  }
  // The run's state goes with the test.
  g_release.release_credit = 0;
  g_release.no_credit = 0;
  g_release.restart_state = 0;
  g_status.stage_id = 0;
  g_status.teachers_processed = 0;
  g_status.stage_counters[0] = 0;
  g_eng_run.run_mode = 0;
}

}  // namespace
