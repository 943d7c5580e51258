// Trading timetables through the shared area, in one process that plays the
// main process and a worker in turn: publishing, the offer rules of both
// slots, taking a slot only when it is no worse and passes the checks, and
// a frozen mutex holder.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/engine_random.h"
#include "engine/reception_exemption_files.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/cost_evaluation.h"
#include "solver/gap_stage.h"
#include "solver/parallel_exchange.h"
#include "parpro_test_support.h"
#include "solver/parpro_area.h"
#include "solver/placement_state.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"

namespace {

class ExchangeTest : public parpro_test::SchoolWithArea {
 protected:
  void SetUp() override { set_up_school("xchg", 31, 16); }
  void TearDown() override {
    close_area();
  }
};

TEST_F(ExchangeTest, SlotAOfferOnlyWhenNotWorseThanThePublishedHeader) {
  g_status.level = 3;
  g_status.stage_id = -1;
  or_publish_to_workers(1, -1, 1);
  parpro_test::set_worker_command(2, 0);
  g_process_number = 1;
  g_status.level = 4;
  or_offer_to_main(1, -1);
  EXPECT_NE(parpro_area()->slot_a_state, kSlotAFull) << "a higher level is worse";
  g_status.level = 2;
  or_offer_to_main(1, -1);
  EXPECT_EQ(parpro_area()->slot_a_state, kSlotAFull);
  EXPECT_EQ(parpro_command(2), kParproStopAuto) << "a process not going stops by itself";
  EXPECT_EQ(parpro_command(3), kParproGo) << "a pending go stays";
}

// The race for a stage: the worker that finishes the stage the main works
// on hands its timetable over; the main takes it on its next exchange and
// publishes it to every worker as their new start. A worker trades nothing
// on its own cycles, and a result of another stage is dropped untaken.
TEST_F(ExchangeTest, TheMainTakesAFinishedStageAndPublishesIt) {
  g_status.level = 0;
  g_status.stage_id = 5;
  or_publish_to_workers(1, -1, 1);
  g_process_number = 1;
  move_something();
  std::vector<std::uint16_t> offered = live();
  ASSERT_NE(offered, start);
  g_status.stage_id = 6;
  or_offer_to_main(1, -1);
  EXPECT_NE(parpro_area()->slot_a_state, kSlotAFull) << "another stage than the main's";
  g_status.stage_id = 5;
  or_offer_to_main(1, -1);
  ASSERT_EQ(parpro_area()->slot_a_state, kSlotAFull);
  g_status.level = 7;
  or_exchange_with_workers();
  EXPECT_EQ(parpro_area()->slot_a_state, kSlotAFull) << "a worker does not take";
  EXPECT_EQ(+parpro_area()->progress.level, 0u) << "nor write the progress header";

  g_process_number = 0;
  g_status.level = 0;
  or_apply_placement(start.data());
  or_rebuild_grids_and_evaluate();
  for (int i = 1; i <= kMaxWorkerProcesses; ++i) parpro_test::set_worker_command(i, 0);
  int takes = g_parpro_takes;
  or_exchange_with_workers();
  EXPECT_EQ(g_parpro_takes, takes + 1);
  EXPECT_EQ(live(), offered);
  EXPECT_EQ(parpro_area()->slot_a_state, 0);
  std::vector<std::uint16_t> published(static_cast<std::size_t>(n));
  parpro_load_timetable(published.data(), parpro_area()->start_timetable);
  EXPECT_EQ(published, offered);
  EXPECT_EQ(parpro_command(1), kParproGo);

  g_process_number = 1;
  g_status.stage_id = 5;
  or_offer_to_main(1, -1);
  g_process_number = 0;
  g_status.stage_id = 6;
  EXPECT_EQ(or_take_result_slot(), 0) << "the main has moved on to the next stage";
  EXPECT_EQ(parpro_area()->slot_a_state, 0);
}

TEST_F(ExchangeTest, ASlotWithAClashIsThrownAway) {
  g_status.stage_id = -1;
  or_publish_to_workers(1, -1, 1);
  g_process_number = 1;
  or_offer_to_main(1, -1);
  // A worker died half-way through writing: two lessons of one class in one slot.
  std::memcpy(parpro_area()->slot_a_timetable + 2, parpro_area()->slot_a_timetable, 2);
  g_process_number = 0;
  EXPECT_EQ(or_take_result_slot(), 0);
  EXPECT_EQ(parpro_area()->slot_a_state, 0);
  EXPECT_EQ(live(), start);
}

TEST_F(ExchangeTest, SlotBHasItsOwnTimetableAndKeepsTheBetterQuality) {
  g_status.stage_id = -1;
  or_publish_to_workers(1, -1, 1);
  g_process_number = 1;
  or_offer_to_main(1, -1);
  std::vector<std::uint8_t> slot_a(parpro_area()->slot_a_timetable,
                                   parpro_area()->slot_a_timetable + 2 * n);
  move_something();
  std::vector<std::uint16_t> best = live();
  or_copy_placement(g_stage_best_placement);
  g_search.stage_quality_byte = 3;
  g_search.stage_quality_value = 9;
  or_offer_to_main(2, -1);
  EXPECT_EQ(parpro_area()->slot_b_state, kSlotBFull);
  EXPECT_TRUE(std::equal(slot_a.begin(), slot_a.end(), parpro_area()->slot_a_timetable))
      << "a slot-B offer leaves slot A's timetable alone";
  g_search.stage_quality_byte = 4;
  or_offer_to_main(2, -1);
  EXPECT_EQ(parpro_area()->slot_b_quality, 3) << "a worse offer is not written";
  // The main process, with a worse quality of its own, takes slot B once
  // slot A is out of the way.
  g_process_number = 0;
  parpro_area()->slot_a_state = 0;
  or_apply_placement(start.data());
  or_rebuild_grids_and_evaluate();
  g_search.stage_quality_byte = 14;
  g_search.stage_quality_value = 50;
  g_status.history_count = 0;
  EXPECT_EQ(or_take_result_slot(), 2);
  EXPECT_EQ(live(), best);
  // One history entry: code 59, the quality byte + 1, the quality value.
  EXPECT_EQ((std::vector<int>{g_search.stage_quality_byte, parpro_area()->slot_b_state, g_status.history_count,
                              g_status.history_codes[0], g_status.history_first[0], g_status.history_second[0]}),
            (std::vector<int>{3, 0, 1, 59, 4, 9}));
}

// A take starts the gap stage's teacher-by-teacher work again, from slot A
// as from slot B; a gap-stage best published by the main sets the bar a
// worker's slot-B offer must beat, through the flag beside slot B.
TEST_F(ExchangeTest, TakingASlotInTheGapStageStartsItAgain) {
  g_status.level = 0;
  g_status.stage_id = kGapStageId;
  or_publish_to_workers(1, -1, 1);
  EXPECT_EQ(parpro_area()->slot_b_flag, 0);
  g_process_number = 1;
  move_something();
  or_offer_to_main(1, -1);
  ASSERT_EQ(parpro_area()->slot_a_state, kSlotAFull);
  g_process_number = 0;
  g_gap_stage.teacher_mode = 2;
  g_status.gap_stage_teacher = 1;
  g_eng_teachers[0].second_test = 1;
  EXPECT_EQ(or_take_result_slot(), 1);
  EXPECT_EQ(g_gap_stage.teacher_mode, 0);
  EXPECT_EQ(g_status.gap_stage_teacher, -1);
  EXPECT_EQ(g_eng_teachers[0].second_test, 0);

  // The main publishes a stage best of quality (2, 6).
  or_copy_placement(g_stage_best_placement);
  g_search.stage_quality_byte = 2;
  g_search.stage_quality_value = 6;
  or_publish_to_workers(2, -1, -1);
  EXPECT_EQ(parpro_area()->slot_b_flag, 1);
  EXPECT_NE(parpro_area()->slot_b_state, kSlotBFull);
  g_process_number = 1;
  g_search.stage_quality_value = 7;
  or_offer_to_main(2, -1);
  EXPECT_NE(parpro_area()->slot_b_state, kSlotBFull) << "no better than the published best";
  g_search.stage_quality_value = 4;
  or_offer_to_main(2, -1);
  ASSERT_EQ(parpro_area()->slot_b_state, kSlotBFull);

  g_process_number = 0;
  g_search.stage_quality_value = 6;
  g_gap_stage.teacher_mode = 1;
  g_status.gap_stage_teacher = 2;
  EXPECT_EQ(or_take_result_slot(), 2);
  EXPECT_EQ(g_search.stage_quality_value, 4u);
  EXPECT_EQ(g_gap_stage.teacher_mode, 0);
  EXPECT_EQ(g_status.gap_stage_teacher, -1);
  or_publish_to_workers(1, -1, 1);
  EXPECT_EQ(parpro_area()->slot_b_flag, 0);
}

// The gap stage's open search counts every teacher's gaps: it takes a
// worker's result only when that counts fewer errors than its own record,
// and goes on searching from it; a result that only looked finished (its
// header is as good as the main's) leaves the main's timetable as it was.
TEST_F(ExchangeTest, TheOpenGapSearchTakesOnlyAResultWithFewerErrors) {
  struct Case {
    const char* id;
    int record_offset;  // the main's record, relative to the offer's count
    int taken;
  } cases[] = {
      {"O1 as many errors as the record: kept out", 0, 0},
      {"O2 fewer than the record: taken", 1, 1},
  };
  for (const Case& c : cases) {
    or_apply_placement(start.data());
    or_rebuild_grids_and_evaluate();
    g_status.level = 0;
    g_status.stage_id = kGapStageId;
    or_keep_search_placement();
    or_open_gap_stage();
    ASSERT_TRUE(or_gap_stage_open()) << c.id;
    or_publish_to_workers(1, -1, 1);
    g_process_number = 1;
    move_something();
    std::vector<std::uint16_t> offered = live();
    int offered_errors = g_status.error_count;
    or_offer_to_main(1, -1);
    ASSERT_EQ(parpro_area()->slot_a_state, kSlotAFull) << c.id;
    g_process_number = 0;
    or_apply_placement(start.data());
    or_rebuild_grids_and_evaluate();
    g_search.record = offered_errors + c.record_offset;
    EXPECT_EQ(or_take_result_slot(), c.taken) << c.id;
    EXPECT_EQ(parpro_area()->slot_a_state, 0) << c.id;
    EXPECT_EQ(live(), c.taken ? offered : start) << c.id;
    EXPECT_TRUE(or_gap_stage_open()) << c.id << ": the open search goes on";
    if (c.taken) {
      EXPECT_EQ(g_search.record, offered_errors) << c.id;
      std::vector<std::uint16_t> kept(g_current_placement, g_current_placement + n);
      EXPECT_EQ(kept, offered) << c.id << ": the taken timetable is the kept one";
    }
  }
  or_reset_gap_stage();
}

// A worker frozen while it holds a mutex (stopped, not dead: the mutex is
// not handed on) holds up neither the main's file reads nor its access to
// the area: both waits are bounded and the main goes on.
TEST_F(ExchangeTest, AFrozenHolderHoldsUpNeitherFilesNorArea) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (!or_wait_mutex_for(g_parpro_io_mutex, 60000) || !or_wait_mutex_for(g_parpro_com_mutex, 60000)) ::_exit(2);
    char c = 1;
    if (::write(ready[1], &c, 1) != 1) ::_exit(1);
    ::raise(SIGSTOP);
    ::_exit(0);
  }
  char c = 0;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  ::close(ready[0]);
  ::close(ready[1]);
  EXPECT_EQ(or_reload_exemptions(), 0);
  EXPECT_EQ(or_take_result_slot(), 0);
  ::kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
}

}  // namespace
