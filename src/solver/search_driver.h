// The search driver that the initial assignment hands a complete placement to.
#pragma once

// Prepares the search and runs the local search in the run mode's way.
void or_search_driver();
// True while the driver is the placeholder that only reports itself.
bool or_search_driver_built();
