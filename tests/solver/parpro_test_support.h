// The main process's side of one worker's command byte, as the tests play it,
// and a small placed school with a shared area of three processes.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/engine_random.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/cost_evaluation.h"
#include "solver/parpro_area.h"
#include "solver/placement_state.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"

namespace parpro_test {

// A single byte: written even past a stuck lock holder.
inline void set_worker_command(int i, std::uint8_t value) {
  if (!g_parpro_area || i < 1 || i > kMaxWorkerProcesses) return;
  bool locked = parpro_lock();
  parpro_area()->command[i] = value;
  if (locked) parpro_unlock();
}

// A school of the given seed with every lesson placed, a run mode that
// publishes, nobody under test and an area of three processes under a tag
// of this test program's own.
class SchoolWithArea : public ::testing::Test {
 protected:
  void set_up_school(const char* tag, int seed, int run_mode) {
    std::string name = tag + std::to_string(::getpid());
    ::setenv("KESTRINTEMPUS_PARPRO_TAG", name.c_str(), 1);
    parpro_remove_names();
    SchoolSpec spec;
    build_school(spec, seed);
    g_engine_random.seed_with(seed);
    place_all_lessons();
    or_rebuild_grids_and_evaluate();
    g_eng_run.run_mode = run_mode;
    or_reset_search_state();
    or_setup_test_set(-2);  // no teacher or class under test, as every run starts
    ASSERT_TRUE(parpro_create(3, "/tmp", "scuola2.txt"));
    n = g_eng_school.lesson_count;
    for (int l = 0; l < n; ++l) start.push_back(lesson_place(l));
  }
  void close_area() {
    g_process_number = 0;
    parpro_close();
    parpro_remove_names();
    ::unsetenv("KESTRINTEMPUS_PARPRO_TAG");
  }
  std::vector<std::uint16_t> live() const {
    std::vector<std::uint16_t> v;
    for (int l = 0; l < n; ++l) v.push_back(lesson_place(l));
    return v;
  }
  // Exchanges the slots of the first two lessons whose swap is allowed.
  void move_something() {
    for (int a = 0; a < n; ++a)
      for (int b = a + 1; b < n; ++b)
        if (lesson_place(a) != lesson_place(b) && or_swap_lessons(a, b) == kNoConflict) {
          or_rebuild_grids_and_evaluate();
          return;
        }
  }
  int n = 0;
  std::vector<std::uint16_t> start;
};

}  // namespace parpro_test
