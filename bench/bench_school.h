// The sample school the benchmarks run on (examples/liceo, or the school
// named by KT_BENCH_SCHOOL) and its seeded placement, shared by every
// benchmark program. The school is loaded once per program, from a
// temporary copy so that nothing is written into the source tree; the copy
// is removed as soon as the model holds it. Header only: each benchmark is a
// program of its own, built from one .cpp.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/engine_random.h"
#include "engine/loader.h"
#include "engine/model.h"
#include "solver/initial_assignment.h"
#include "solver/placement_state.h"
#include "solver/search_weights.h"

namespace kt_bench {

// Loads the school once per program; later calls do nothing.
inline void load_school() {
  namespace fs = std::filesystem;
  static bool loaded = false;
  if (loaded) return;
  const char* name = std::getenv("KT_BENCH_SCHOOL");
  std::string school = name ? name : "liceo";
  char pattern[] = "/tmp/kt_bench_XXXXXX";
  fs::path root = mkdtemp(pattern);
  fs::copy(fs::path(KT_SOURCE_DIR) / "examples" / school, root / school, fs::copy_options::recursive);
  fs::path old = fs::current_path();
  fs::current_path(root / school);
  or_reset_model();
  or_load_description("scuola2.txt", 1);
  or_reset_weights(1);
  fs::current_path(old);
  fs::remove_all(root);
  loaded = true;
}

// Places every lesson from the given seed, mends gaps in the class grids
// and rebuilds the slot index and the grids.
inline void place_everything(std::uint64_t seed) {
  g_engine_random.seed_with(seed);
  or_place_lessons_randomly(1, 0);
  or_place_lessons_randomly(0, 0);
  or_rebuild_class_grids();
  if (or_any_class_has_gap()) or_repair_restored_timetable(g_eng_school.lesson_count);
  or_rebuild_slot_index();
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
}

}  // namespace kt_bench
