// The stop reaching the workers by the number of processes of the run: a run
// of one process has no workers to tell, the smallest parallel run (the main
// process and one worker) tells them as any larger one does.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/errors.h"
#include "engine/status_block.h"

namespace {

TEST(ParallelStopCounts, EveryRunWithWorkersTellsThemToStop) {
  struct Case { int processes; bool stopped; } cases[] = {{0, false}, {1, false}, {2, true}, {3, true}, {8, true}};
  for (const Case& c : cases) {
    std::uint8_t area[kParproAreaSize] = {};
    g_parpro_area = area;
    g_process_count = static_cast<std::uint8_t>(c.processes);
    or_stop_parallel_workers();
    for (int i = 1; i <= 7; ++i)
      EXPECT_EQ(area[kParproCommandByte + i], c.stopped ? kParproStop : 0) << c.processes << " " << i;
    EXPECT_EQ(area[kParproCommandByte], 0) << "the main process's own byte";
  }
  g_parpro_area = nullptr;
  g_process_count = 0;
  or_stop_parallel_workers();  // no area: nothing to write to
}

}  // namespace
