// The solver's generator instance. Seeded per run by the initial assignment;
// the default seed only matters to code that draws before any run.
#include "engine/engine_random.h"

namespace {
constexpr std::uint64_t kProcessStartSeed = 1;
}  // namespace

EngineRandom g_engine_random(kProcessStartSeed);

void or_reset_engine_random() { g_engine_random.seed_with(kProcessStartSeed); }
