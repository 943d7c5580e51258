// The result history: what is stored and when, the frequency table, slot
// order and reuse, and the proposals.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "engine/engine_main.h"
#include "engine/reception_exemption_files.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "engine/timetable_view.h"
#include "solver/local_search.h"
#include "solver/result_history.h"
#include "solver/search_state.h"
#include "solver/solver_state.h"
#include "test_temp_folder.h"

namespace {

class HistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SchoolSpec spec;
    build_school(spec, 3);
    place_all_lessons();
    or_prepare_search_tables();
    g_eng_run.run_mode = 15;
    g_status.stage_id = -1;
    g_process_number = 0;
  }
  void TearDown() override { g_exemption_current.bytes[0] = 0; }
  // Sets the violation list to the given constraint ids, numbered from `first`.
  void violations(std::initializer_list<int> ids, std::uint32_t first = 1) {
    int n = 0;
    for (int id : ids) {
      ViolationRecord& r = g_status.violations[n];
      std::memset(&r, 0, sizeof r);
      r.constraint_id = static_cast<std::uint32_t>(id);
      r.teacher = 2;
      r.record_number = first + static_cast<std::uint32_t>(n);
      ++n;
    }
    g_status.violation_count = n;
    g_status.error_count = n;
  }
};

TEST_F(HistoryTest, StoresOnlyResultsWithErrorsInSearchModes) {
  violations({});
  or_set_history_stamp(1);
  EXPECT_EQ(or_store_history(0), 1);
  EXPECT_EQ(or_result_history().used, 0) << "H1 no error";
  violations({5});
  g_eng_run.run_mode = 14;
  EXPECT_EQ(or_store_history(0), 1);
  EXPECT_EQ(or_result_history().used, 0) << "H2 class test mode";
  g_eng_run.run_mode = 16;
  EXPECT_EQ(or_store_history(0), 1);
  EXPECT_EQ(or_result_history().used, 1) << "H3 stored";
  EXPECT_EQ(or_store_history(0), 1);
  EXPECT_EQ(or_result_history().used, 1) << "H4 same stamp once";
}

TEST_F(HistoryTest, SlotsSortedByErrorsAndViolationsCounted) {
  violations({5, 12, 12});
  or_set_history_stamp(10);
  or_store_history(0);
  violations({5});
  or_set_history_stamp(11);
  or_store_history(0);
  const ResultHistory& h = or_result_history();
  ASSERT_EQ(h.used, 2);
  EXPECT_EQ((std::vector<long>{h.slots[0].error_count, h.slots[0].cycle_stamp, h.slots[1].error_count}),
            (std::vector<long>{1, 11, 3}));
  // 12 counted twice by the first store (same teacher, class and detail),
  // 5 once by each; equal counts keep their order: id, count, last stamp.
  ASSERT_EQ(h.frequency_count, 2);
  std::vector<long> rows;
  for (int i = 0; i < 2; ++i)
    rows.insert(rows.end(), {h.frequencies[i].record.constraint_id, h.frequencies[i].count, h.frequencies[i].last_stamp});
  EXPECT_EQ(rows, (std::vector<long>{12, 2, 10, 5, 2, 11}));
}

TEST_F(HistoryTest, ANewStageEmptiesTheHistory) {
  violations({5});
  or_set_history_stamp(1);
  or_store_history(0);
  g_status.stage_id = 48;
  or_set_history_stamp(2);
  or_store_history(0);
  EXPECT_EQ(or_result_history().used, 1);
  EXPECT_EQ(or_result_history().stage_id, 48);
  or_set_history_stamp(3);
  or_store_history(1);
  EXPECT_EQ(or_result_history().used, 1) << "forced: a new stage";
  EXPECT_EQ(or_result_history().slots[0].cycle_stamp, 3);
}

// The next engine command starts without the last one's results, so the
// problems monitor never lists them while that command gets going.
TEST_F(HistoryTest, ANewEngineCommandForgetsTheLastOnesResults) {
  violations({5, 6});
  or_set_history_stamp(1);
  ASSERT_EQ(or_store_history(0), 1);
  ASSERT_EQ(or_result_history().used, 1);
  kt_test::TempDir dir("kt-history-");
  kt_test::InDriveRoot in(dir.path(), dir.path());
  const char* argv[] = {"orario", "SYNT:scuola2.txt", nullptr};
  EXPECT_EQ(or_main(0, 2, argv), -1) << "no description in the folder";
  EXPECT_EQ(or_result_history().used, 0);
  EXPECT_EQ(or_result_history().stage_id, -1);
}

TEST_F(HistoryTest, FullHistoryReusesTheOldestRecordNumbers) {
  const ResultHistory& h = or_result_history();
  ASSERT_EQ(h.allocated, kHistorySlots);
  for (int s = 0; s < kHistorySlots; ++s) {
    violations({5, 7}, 1000 - 2 * static_cast<std::uint32_t>(s));
    or_set_history_stamp(s + 1);
    or_store_history(0);
  }
  ASSERT_EQ(h.used, kHistorySlots);
  violations({9}, 5000);
  or_set_history_stamp(999);
  or_store_history(0);
  EXPECT_EQ(h.used, kHistorySlots);
  bool found = false;
  for (int s = 0; s < h.used; ++s) {
    EXPECT_NE(h.slots[s].records[0].record_number, 1000u - 2 * 199) << "oldest replaced";
    found = found || h.slots[s].cycle_stamp == 999;
  }
  EXPECT_TRUE(found);
  EXPECT_EQ(h.slots[0].error_count, 1) << "one error first";
}

// Run mode 13 proposes every 500 cycles after a restart; 15, 16 and 20
// while more than 8/10 of the teachers (real and pseudo) are held out.
TEST_F(HistoryTest, ProposalsDueByModeAndLevel) {
  struct Case {
    const char* id;
    int mode, level, real, pseudo, since_restart;
    bool due;
  } cases[] = {
      {"D1", 15, 8, 9, 1, 1, false}, {"D2", 15, 9, 9, 1, 1, true},  {"D3", 16, 9, 10, 0, 1, true},
      {"D4", 20, 1, 1, 0, 1, true},  {"D5", 20, 0, 0, 0, 1, false}, {"D6", 22, 50, 1, 0, 1, false},
      {"D7", 13, 0, 9, 0, 500, true}, {"D8", 13, 40, 9, 0, 499, false},
  };
  for (const Case& c : cases) {
    g_eng_run.run_mode = static_cast<std::uint8_t>(c.mode);
    g_status.level = c.level;
    g_timetable_view.real_teacher_count = static_cast<std::uint32_t>(c.real);
    g_timetable_view.pseudo_teacher_count = static_cast<std::uint32_t>(c.pseudo);
    g_search.since_restart = c.since_restart;
    EXPECT_EQ(or_exemption_proposal_due(), c.due) << c.id;
  }
  // A mode-15 cycle at that level proposes the violation that comes back.
  g_eng_run.run_mode = 15;
  g_status.level = 9;
  g_timetable_view.real_teacher_count = 10;
  g_timetable_view.pseudo_teacher_count = 0;
  g_status.exemption_proposal = 1;
  violations({12});
  or_set_history_stamp(7);
  or_store_history(0);
  ASSERT_TRUE(or_exemption_proposal_due());
  or_propose_exemption();
  EXPECT_EQ(g_exemption_current.bytes[0], 1);
  std::uint32_t id;
  std::memcpy(&id, g_exemption_current.bytes + kExemptionIdOffset, 4);
  EXPECT_EQ(id, 12u);
  g_status.level = 0;
}

TEST_F(HistoryTest, ProposalsFollowTheOrderAndWaitForThePendingOne) {
  violations({12, 63});
  or_set_history_stamp(1);
  or_store_history(0);
  violations({12});
  or_set_history_stamp(2);
  or_store_history(0);
  g_status.exemption_proposal = 0;
  or_propose_exemption();
  EXPECT_EQ(g_exemption_current.bytes[0], 0) << "P1 not asked for";
  g_status.exemption_proposal = 1;
  or_propose_exemption();
  EXPECT_EQ(g_exemption_current.bytes[0], 1) << "P2 pending";
  std::uint32_t id;
  std::memcpy(&id, g_exemption_current.bytes + kExemptionIdOffset, 4);
  EXPECT_EQ(id, 12u) << "P3 63 never alone in a slot; 12 is";
  EXPECT_EQ(or_propose_exemption_any(63), 1) << "P4 found among others";
  EXPECT_EQ(or_propose_exemption_by_id(63), 0);
  g_process_number = 1;
  g_exemption_current.bytes[0] = 0;
  or_propose_exemption();
  EXPECT_EQ(g_exemption_current.bytes[0], 0) << "P5 workers propose nothing";
  g_process_number = 0;
}

}  // namespace
