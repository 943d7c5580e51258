// A seeded computation computes one week for a school, whatever the process
// computed before it. The desktop program runs all its commands in one
// process, one computation after another; the week it gets for a seed is
// the one "orario CALC:... --seed N" gets in a fresh process.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
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

// Runs one command on the school in this process, as orario starts it:
// the given seed (-1: none) and a clear status block.
void command_here(const SchoolCopy& school, const char* command, std::int64_t seed) {
  fs::path old = fs::current_path();
  fs::current_path(school.folder());
  g_requested_seed = seed;
  g_status.clear();
  const char* argv[] = {"Questo non serve", command, nullptr};
  ::testing::internal::CaptureStdout();
  int result = or_main(1, 2, argv);
  std::string trace = ::testing::internal::GetCapturedStdout();
  g_requested_seed = -1;
  fs::current_path(old);
  EXPECT_EQ(result, 0) << command << ": " << g_status.message << "\n" << trace;
}

// Computes the school's week in this process, as orario starts a command
// given "--seed 5".
void compute_here(const SchoolCopy& school) { command_here(school, "CALC:scuola2.txt", 5); }

// Adds one line to the school's description, after its first line.
void add_school_line(const SchoolCopy& school, const std::string& line) {
  fs::path file = school.folder() / "scuola2.txt";
  std::string text;
  {
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in) << file;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::size_t end = text.find('\n');
  ASSERT_NE(end, std::string::npos);
  text.insert(end + 1, line + "\n");
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  ASSERT_TRUE(out) << file;
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

  for (int run = 0; run < 2; ++run) {
    SchoolCopy school("piccola");
    compute_here(school);
    EXPECT_EQ(saved_week(school), expected) << "run " << run;
  }
}

// The report of a saved week evaluates it with the school's own focus
// rules (here a wanted number of co-taught lessons per slot) counted, as the
// computation's final evaluation counts them. The desktop program shows
// such a report and then computes another school in the same process: that
// computation must start unfocused, as a fresh process does, and give the
// fresh process's week.
TEST(SeededWeek, IsTheFreshProcessWeekAfterAReportOfAFocusedSchool) {
  SchoolCopy fresh("piccola");
  std::string out;
  ASSERT_EQ(run_orario_in(fresh.folder(), fresh.root(), "CALC:scuola2.txt --seed 5", &out), 0) << out;
  std::vector<std::string> expected = saved_week(fresh);
  ASSERT_FALSE(expected.empty());

  SchoolCopy focused("piccola", "focused");
  add_school_line(focused, "TOCOMI:\t1-1\t");
  ASSERT_EQ(run_orario_in(focused.folder(), focused.root(), "CALC:scuola2.txt --seed 5", &out), 0) << out;
  command_here(focused, "REPO:scuola2.txt", -1);

  SchoolCopy school("piccola");
  compute_here(school);
  EXPECT_EQ(saved_week(school), expected);
}

}  // namespace
