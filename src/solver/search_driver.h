// The search driver that the initial assignment hands a complete placement
// to. It sits between the seeded initial assignment and the local search:
// it prepares the search tables, runs the search in the way the run mode
// asks, switches every constraint back on and evaluates the final timetable.
// Until the local search exists the driver only reports that it is missing,
// so a computation ends with the initial placement, priced and saved.
#pragma once

// Prepares the search and runs the local search in the run mode's way.
void or_search_driver();
