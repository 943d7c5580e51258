// The main process's side of one worker's command byte, as the tests play it.
#pragma once

#include <cstdint>

#include "solver/parpro_area.h"
#include "engine/status_block.h"

namespace parpro_test {

// A single byte: written even past a stuck lock holder.
inline void set_worker_command(int i, std::uint8_t value) {
  if (!g_parpro_area || i < 1 || i > kMaxWorkerProcesses) return;
  bool locked = parpro_lock();
  parpro_area()->command[i] = value;
  if (locked) parpro_unlock();
}

}  // namespace parpro_test
