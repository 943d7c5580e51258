// The shared area of the parallel solver processes: a worker opens what the
// main created, and a timetable from the area passes its checks before use.
// Each test uses its own object names (a tag in the environment).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <string>

#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "platform/shared_memory.h"
#include "school_fixture.h"
#include "parpro_test_support.h"
#include "solver/parpro_area.h"
#include "solver/placement_state.h"

namespace {

class ParproAreaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tag = "area" + std::to_string(::getpid());
    ::setenv("KESTRINTEMPUS_PARPRO_TAG", tag.c_str(), 1);
    parpro_remove_names();
  }
  void TearDown() override {
    parpro_close();
    parpro_remove_names();
    g_process_number = 0;
    ::unsetenv("KESTRINTEMPUS_PARPRO_TAG");
  }
};

TEST_F(ParproAreaTest, WorkerOpensWhatTheMainCreated) {
  EXPECT_FALSE(parpro_open(1)) << "nothing created yet";
  // The worker is another process, started before the area exists: it
  // opens the area once it is there, answers through its exit code what it
  // saw, and writes into its command byte.
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    bool ok = false;
    while (!ok && std::chrono::steady_clock::now() < deadline)
      ok = parpro_open(1) && parpro_command(1) == kParproStop;
    ok = ok && g_process_number == 1 && g_process_count == 1 && parpro_active() &&
         parpro_command(8) == 0;
    if (ok) parpro_test::set_worker_command(1, kParproGo);
    ::_exit(ok ? 0 : 1);
  }
  ASSERT_TRUE(parpro_create(2, "/tmp", "scuola2.txt"));
  parpro_set_all_commands(kParproStop);
  int status = -1;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(parpro_command(1), kParproGo) << "the worker's write is seen";
}

// A timetable from the area is used only when it belongs to this model and
// fits the week without a clash.
class ParproTimetableTest : public ParproAreaTest {
 protected:
  void SetUp() override {
    ParproAreaTest::SetUp();
    SchoolSpec spec;
    build_school(spec, 7);
    place_all_lessons();
    ASSERT_TRUE(parpro_create(2, "/tmp", "scuola2.txt"));
    parpro_area()->lesson_count = static_cast<std::uint32_t>(g_eng_school.lesson_count);
    parpro_area()->model_checksum = parpro_model_checksum();
    for (int i = 0; i < g_eng_school.lesson_count; ++i) placement[i] = lesson_place(i);
  }
  std::uint16_t placement[kMaxLessons];
};

TEST_F(ParproTimetableTest, ChecksCountChecksumRangesAndClashes) {
  std::uint8_t* field = parpro_area()->slot_a_timetable;
  int n = g_eng_school.lesson_count;
  auto check_with = [&](auto change) {
    std::uint16_t copy[kMaxLessons];
    for (int i = 0; i < n; ++i) copy[i] = placement[i];
    change(copy);
    parpro_store_timetable(field, copy);
    return parpro_check_timetable(field);
  };
  EXPECT_EQ(check_with([](std::uint16_t*) {}), -1) << "T1 the placement itself";
  EXPECT_EQ(check_with([](std::uint16_t* p) { p[3] = 0x00FF; }), 3) << "T2 unplaced";
  EXPECT_EQ(check_with([](std::uint16_t* p) { p[4] = 6; }), 4) << "T3 day beyond the week";
  EXPECT_EQ(check_with([](std::uint16_t* p) { p[5] = static_cast<std::uint16_t>(1 | (9 << 8)); }), 5)
      << "T4 hour beyond the day";
  // Lessons 0 and 1 belong to the same class: one slot for both clashes.
  EXPECT_GE(check_with([](std::uint16_t* p) { p[1] = p[0]; }), 0) << "T5 clash";
  parpro_area()->model_checksum ^= 1;
  EXPECT_EQ(check_with([](std::uint16_t*) {}), 0) << "T6 another model";
  parpro_area()->model_checksum ^= 1;
  parpro_area()->lesson_count += 1;
  EXPECT_EQ(check_with([](std::uint16_t*) {}), 0) << "T7 another lesson count";
  for (int i = 0; i < n; ++i) EXPECT_EQ(lesson_place(i), placement[i]) << "placement untouched";
}

}  // namespace
