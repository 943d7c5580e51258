// Golden trace of a seeded search: "CALC:" with --seed 1 on piccola, liceo
// and istituto, stopped after a fixed number of cycles, must print the same
// progress lines and save the same timetable as tests/data/golden. Only a
// change meant to alter the search rewrites them (bench/update_golden.sh,
// said in its commit). The clock columns and the closing date are cut; the
// save is compared unscrambled, as its scrambling seed comes from the clock.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>

#include "fresh_process.h"
#include "engine/engine_main.h"
#include "engine/errors.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "run_text.h"
#include "school_fixture.h"
#include "solver/common_room_constraints.h"
#include "solver/local_search.h"
#include "solver/placement_state.h"

namespace fs = std::filesystem;
using run_text::without_clock;

namespace {

int g_stop_cycle = -1;
void stop_at(int cycle) {
  if (cycle >= g_stop_cycle) g_status.run_state.store(kRunStateStopRequested);
}

struct GoldenRun {
  const char* school;
  int cycles;
  const char* name;            // of the golden files and the test
  const char* option = nullptr;  // the run's option word after the command
  // A phase run next on the computed timetable ("BILA:", "MISV:"), its
  // cycle limit, and the save it writes.
  const char* phase = nullptr;
  const char* phase_cycles = nullptr;
  const char* phase_save = nullptr;
};

// Named by its golden files in the test list, not by its bytes (which hold
// addresses and change from build to build).
void PrintTo(const GoldenRun& run, std::ostream* out) { *out << run.name; }

class GoldenTrace : public ::testing::TestWithParam<GoldenRun> {};

void check_golden_run(const GoldenRun& run) {
  SchoolCopy school(run.school);
  fs::path old = fs::current_path();
  fs::current_path(school.folder());
  ::setenv("KESTRINTEMPUS_ROOT", school.root().c_str(), 1);
  // A shared area of its own, as orario gives its runs: other runs on the
  // machine must not hand this one their timetables.
  ::setenv("KESTRINTEMPUS_PARPRO_TAG", ("golden" + std::to_string(::getpid())).c_str(), 1);
  g_status.clear();
  g_requested_seed = 1;  // as "--seed 1"
  g_stop_cycle = run.cycles;
  or_set_cycle_observer(stop_at);
  testing::internal::CaptureStdout();
  const char* argv[] = {"Questo non serve", "CALC:scuola2.txt", run.option, nullptr};
  int result = or_main(1, run.option ? 3 : 2, argv);
  if (result == 0 && run.phase) {
    or_set_cycle_observer(nullptr);
    const char* phase_argv[] = {"Questo non serve", run.phase, "", run.phase_cycles, nullptr};
    result = or_main(1, 4, phase_argv);
  }
  std::string trace = without_clock(testing::internal::GetCapturedStdout());
  or_set_cycle_observer(nullptr);
  fs::current_path(old);
  ASSERT_EQ(result, 0) << trace;
  std::string saved = run_text::plain_lines(file_text(school.folder() / (run.phase_save ? run.phase_save : "savego.txt")));
  ASSERT_FALSE(saved.empty()) << trace;

  fs::path golden = fs::path(KT_TEST_DATA) / "golden";
  fs::path trace_file = golden / (std::string(run.name) + "_calc_trace.txt");
  fs::path save_file = golden / (std::string(run.name) + "_calc_savego.txt");
  if (const char* update = std::getenv("KT_UPDATE_GOLDEN"); update && *update == '1') {
    fs::create_directories(golden);
    std::ofstream(trace_file, std::ios::binary | std::ios::trunc) << trace;
    std::ofstream(save_file, std::ios::binary | std::ios::trunc) << saved;
    GTEST_SKIP() << "golden files written";
  }
  EXPECT_EQ(file_text(trace_file), trace) << "progress lines differ from " << trace_file;
  EXPECT_EQ(file_text(save_file), saved) << "saved timetable differs from " << save_file;
}

// The engine keeps state from one computation to the next in a process: a
// seeded run repeats only in a process of its own, as orario runs it.
TEST_P(GoldenTrace, SeededRunIsTheRecordedOne) { KT_IN_FRESH_PROCESS({ check_golden_run(GetParam()); }); }

// The clash test's copy of the lessons' classes, rooms and teachers answers
// as their records at every walk of a whole seeded run, through the room
// allocation and the stand-by repacking the run does.
TEST_P(GoldenTrace, ClashCopyAnswersAsTheRecordsThroughTheRun) {
  KT_IN_FRESH_PROCESS({
    or_set_clash_cross_check(true);
    check_golden_run(GetParam());
    ClashCrossCheck seen = or_clash_cross_check();
    or_set_clash_cross_check(false);
    EXPECT_GT(seen.walks, 1000u);
    EXPECT_EQ(seen.mismatches, 0u);
  });
}

// The common-room checks' counts of a slot's users answer as the walk over
// the records at every use of a whole seeded run.
TEST_P(GoldenTrace, CommonRoomCountsAnswerAsTheRecordsThroughTheRun) {
  KT_IN_FRESH_PROCESS({
    or_set_common_room_cross_check(true);
    check_golden_run(GetParam());
    CommonRoomCrossCheck seen = or_common_room_cross_check();
    or_set_common_room_cross_check(false);
    EXPECT_GT(seen.uses, 1000u);
    EXPECT_EQ(seen.mismatches, 0u);
  });
}

std::string run_name(const ::testing::TestParamInfo<GoldenRun>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Samples, GoldenTrace,
                         ::testing::Values(GoldenRun{"piccola", 40, "piccola"}, GoldenRun{"liceo", 60, "liceo"}),
                         run_name);

// Longer runs reach what the short ones stop before: liceo searched to its
// end (no error left at cycle 124: the gap stage, the teachers released
// from test, the closing passes), istituto through its restarts, stalls
// and weight changes up to cycle 300; and liceo's other kinds of run: the
// minimum search ("MINI"), the staged one ("MIBU") and the exemption
// search ("DERR"), which makes no move and restarts over and over; and
// the balancing and overlap-reduction phases run on piccola's computed
// timetable, through their stalls and perturbations.
class LongGoldenTrace : public ::testing::TestWithParam<GoldenRun> {};

TEST_P(LongGoldenTrace, SeededRunIsTheRecordedOne) { KT_IN_FRESH_PROCESS({ check_golden_run(GetParam()); }); }

INSTANTIATE_TEST_SUITE_P(Samples, LongGoldenTrace,
                         ::testing::Values(GoldenRun{"liceo", 600, "liceo_to_end"},
                                           GoldenRun{"istituto", 300, "istituto"},
                                           GoldenRun{"liceo", 300, "liceo_mini", "MINI"},
                                           GoldenRun{"liceo", 300, "liceo_mibu", "MIBU"},
                                           GoldenRun{"liceo", 300, "liceo_derr", "DERR"},
                                           GoldenRun{"piccola", 40, "piccola_bila", nullptr, "BILA:scuola2.txt", "400",
                                                     "savebi.txt"},
                                           GoldenRun{"piccola", 40, "piccola_misv", nullptr, "MISV:scuola2.txt", "120",
                                                     "savego.txt"}),
                         run_name);

}  // namespace
