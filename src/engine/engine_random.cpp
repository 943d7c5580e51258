// The solver's generator instance. Seeded per run by the initial assignment;
// the default seed only matters to code that draws before any run.
#include "engine/engine_random.h"

EngineRandom g_engine_random(1);
