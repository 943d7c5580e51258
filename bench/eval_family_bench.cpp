// Per-family cost of the constraint evaluators on the realistic sample
// school (examples/liceo, or the school named by KT_BENCH_SCHOOL): one full
// check of every id of a family, and the family's delta checks for one
// teacher (or one class), averaged over all of them. Fixed seed; run by hand.
//
// The delta figure is what a move pays per teacher or class it touches; the
// ratio full / delta shows how much a move saves over a full evaluation.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/engine_random.h"
#include "engine/loader.h"
#include "engine/model.h"
#include "solver/constraint_catalogue.h"
#include "solver/initial_assignment.h"
#include "solver/placement_state.h"
#include "solver/search_weights.h"

namespace fs = std::filesystem;

namespace {

struct Family {
  const char* name;
  std::vector<int> ids;
  bool by_class;
};

const Family kFamilies[] = {
    {"gaps", {48, 2, 3, 47, 50, 56, 60}, false},
    {"presence", {8, 11, 24, 25, 4, 1}, false},
    {"hours_of_day", {12, 13, 57, 58, 16, 17, 14, 15, 46, 18, 19}, false},
    {"days", {5, 54, 6, 20, 21, 22, 49, 26, 27, 28, 66}, false},
    {"classes", {75, 76, 80, 81, 82, 83, 87, 88}, true},
    {"common_rooms", {77, 78, 79, 86, 89}, true},
};

void load_and_place() {
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
  g_engine_random.seed_with(1);
  or_place_lessons_randomly(1, 0);
  or_place_lessons_randomly(0, 0);
  or_rebuild_class_grids();
  if (or_any_class_has_gap()) or_repair_restored_timetable(g_eng_school.lesson_count);
  or_rebuild_slot_index();
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
  loaded = true;
}

void BM_FamilyFull(benchmark::State& state) {
  load_and_place();
  const Family& f = kFamilies[state.range(0)];
  for (auto _ : state)
    for (int id : f.ids) benchmark::DoNotOptimize(g_evaluators[id].full());
  state.SetLabel(f.name);
}
BENCHMARK(BM_FamilyFull)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

void BM_FamilyDelta(benchmark::State& state) {
  load_and_place();
  const Family& f = kFamilies[state.range(0)];
  int n = f.by_class ? g_eng_school.class_count : g_eng_school.teacher_count;
  int who = 0;
  for (auto _ : state) {
    for (int id : f.ids) benchmark::DoNotOptimize(g_evaluators[id].delta(who));
    who = who + 1 < n ? who + 1 : 0;
  }
  state.SetLabel(f.name);
}
BENCHMARK(BM_FamilyDelta)->DenseRange(0, 5)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
