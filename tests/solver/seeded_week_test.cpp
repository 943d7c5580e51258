// A seeded computation computes one week for a school, whatever the process
// computed before it. The desktop program runs all its commands in one
// process, one computation after another; the week it gets for a seed is
// the one "orario CALC:... --seed N" gets in a fresh process.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "fresh_process.h"
#include "school_fixture.h"

namespace fs = std::filesystem;

namespace {

// The plain lines of the school's saved week, in their order.
std::vector<std::string> saved_week(const SchoolCopy& school) {
  std::vector<std::string> week;
  std::FILE* in = std::fopen((school.folder() / "savego.txt").c_str(), "rb");
  EXPECT_NE(in, nullptr);
  if (!in) return week;
  char plain[2048];
  while (or_read_line(plain, sizeof plain, in))
    if (*plain && *plain != '\n') week.emplace_back(plain);
  std::fclose(in);
  return week;
}

// Computes the school's week in this process, as orario starts a command
// given "--seed 5": the seed and a clear status block.
void compute_here(const SchoolCopy& school) {
  fs::path old = fs::current_path();
  fs::current_path(school.folder());
  g_requested_seed = 5;
  g_status.clear();
  const char* argv[] = {"Questo non serve", "CALC:scuola2.txt", nullptr};
  ::testing::internal::CaptureStdout();
  int result = or_main(1, 2, argv);
  std::string trace = ::testing::internal::GetCapturedStdout();
  g_requested_seed = -1;
  fs::current_path(old);
  EXPECT_EQ(result, 0) << g_status.message << "\n" << trace;
}

// The first run in this process follows whatever the tests before it ran;
// the second follows a computation of the same school. Both must give the
// week of a fresh process. The small school is enough: its second run
// differed while the moves kept their cursors and counters between runs.
TEST(SeededWeek, IsTheFreshProcessWeekWhateverTheProcessComputedBefore) {
  SchoolCopy fresh("piccola");
  std::string out;
  ASSERT_EQ(run_orario_in(fresh.folder(), fresh.root(), "CALC:scuola2.txt --seed 5", &out), 0) << out;
  std::vector<std::string> expected = saved_week(fresh);
  ASSERT_FALSE(expected.empty());

  // The program's own computations, one after another in one process;
  // a process of its own, so that what other tests set by hand (schools
  // built straight into the tables) is not in it.
  KT_IN_FRESH_PROCESS({
    for (int run = 0; run < 2; ++run) {
      SchoolCopy school("piccola");
      compute_here(school);
      EXPECT_EQ(saved_week(school), expected) << "run " << run;
    }
  });
}

}  // namespace
