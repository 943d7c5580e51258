// The search counters shared by the local search loop, the driver, the
// result history and the exchange with parallel processes (search_state.h).
#include "solver/search_state.h"

SearchRunState g_search;

void or_reset_search_state() { g_search = SearchRunState{}; }
