// Solver benchmarks on the realistic sample school (examples/liceo, or the
// school named by KT_BENCH_SCHOOL): the seeded initial assignment, one full
// evaluation, one delta evaluation of a swap through the penalty caches,
// and the swap primitive with its undo. Fixed seeds; run by hand.
//
// The evaluators of most constraint ids are not written yet and count 0, so
// the evaluation figures measure the catalogue's own walk; they grow as the
// evaluator families arrive.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/engine_random.h"
#include "engine/loader.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "solver/cost_evaluation.h"
#include "solver/initial_assignment.h"
#include "solver/placement_state.h"
#include "solver/search_weights.h"

namespace fs = std::filesystem;

namespace {

bool g_loaded = false;

// Loads the school once, from a temporary copy so that nothing is written
// into the source tree.
void load_school() {
  if (g_loaded) return;
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
  g_loaded = true;
}

void place_everything(std::uint64_t seed) {
  g_engine_random.seed_with(seed);
  or_place_lessons_randomly(1, 0);
  or_place_lessons_randomly(0, 0);
  or_rebuild_class_grids();
  if (or_any_class_has_gap()) or_repair_restored_timetable(g_eng_school.lesson_count);
  or_rebuild_slot_index();
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
}

void BM_InitialAssignment(benchmark::State& state) {
  load_school();
  std::uint64_t seed = 1;
  for (auto _ : state) place_everything(seed++);
  state.counters["lessons"] = g_eng_school.lesson_count;
}
BENCHMARK(BM_InitialAssignment)->Unit(benchmark::kMillisecond);

void BM_FullEvaluation(benchmark::State& state) {
  load_school();
  place_everything(1);
  for (auto _ : state) benchmark::DoNotOptimize(or_evaluate_all_constraints64(0));
}
BENCHMARK(BM_FullEvaluation)->Unit(benchmark::kMicrosecond);

void BM_RebuildGridsAndEvaluate(benchmark::State& state) {
  load_school();
  place_everything(1);
  for (auto _ : state) benchmark::DoNotOptimize(or_rebuild_grids_and_evaluate());
}
BENCHMARK(BM_RebuildGridsAndEvaluate)->Unit(benchmark::kMicrosecond);

// One priced move: cost before, open the caches, swap, cost after, undo both.
void BM_DeltaEvaluation(benchmark::State& state) {
  load_school();
  place_everything(1);
  or_evaluate_all_constraints64(0);
  EngineRandom random(3);
  int n = g_eng_school.lesson_count;
  std::int64_t sum = 0;
  for (auto _ : state) {
    int a = random.below(n), b = random.below(n);
    std::int64_t before = or_teacher_penalty_of_lesson(a) + or_teacher_penalty_of_lesson(b) +
                          or_class_penalty_of_lesson(a, 0) + or_class_penalty_of_lesson(b, 0);
    or_penalty_cache_open2(a, b);
    if (or_swap_lessons(a, b) == kNoConflict) {
      std::int64_t after = or_teacher_penalty_of_lesson(a) + or_teacher_penalty_of_lesson(b) +
                           or_class_penalty_of_lesson(a, 0) + or_class_penalty_of_lesson(b, 0);
      sum += after - before;
      or_undo_swap_lessons(a, b);
    }
    or_penalty_cache_undo2(a, b);
  }
  benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_DeltaEvaluation)->Unit(benchmark::kNanosecond);

void BM_SwapAndUndo(benchmark::State& state) {
  load_school();
  place_everything(1);
  EngineRandom random(5);
  int n = g_eng_school.lesson_count;
  for (auto _ : state) {
    int a = random.below(n), b = random.below(n);
    if (or_swap_lessons(a, b) == kNoConflict) or_undo_swap_lessons(a, b);
  }
}
BENCHMARK(BM_SwapAndUndo)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
