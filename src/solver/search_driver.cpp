// Placeholder of the search driver: the local search is not built yet, so a
// computation ends with the seeded initial placement, priced and saved. It
// says so in the trace and in the status text, so nobody mistakes the
// initial placement for a searched timetable.
#include "solver/search_driver.h"

#include <initializer_list>
#include <cstdio>

#include "engine/errors.h"
#include "engine/status_block.h"
#include "solver/solver_state.h"

void or_search_driver() {
  char line[160];
  std::snprintf(line, sizeof line,
                "Ricerca locale non ancora disponibile - orario iniziale salvato (punti=%lld)",
                static_cast<long long>(g_solver.total_score));
  or_trace(line);
  std::snprintf(g_status.progress_text, sizeof g_status.progress_text, "%s", line);
  g_status.phase = 255;
}

bool or_search_driver_built() { return false; }
