// Solver benchmarks on the realistic sample school (examples/liceo, or the
// school named by KT_BENCH_SCHOOL): the seeded initial assignment, one full
// evaluation, one delta evaluation of a swap through the penalty caches,
// the swap primitive with its undo, and the class-pair sweep of the moves
// (exchanges priced per second). Fixed seeds; run by hand.
#include <benchmark/benchmark.h>

#include "bench_school.h"
#include "engine/engine_random.h"
#include "engine/loader.h"
#include "engine/model_post_passes.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "solver/cost_evaluation.h"
#include "solver/initial_assignment.h"
#include "solver/neighbourhood_moves.h"
#include "solver/placement_state.h"
#include "solver/priced_exchange.h"
#include "solver/search_weights.h"

namespace {

using kt_bench::load_school;
using kt_bench::place_everything;

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

// One class-pair sweep from a fresh seeded placement per iteration: the
// exchanges it prices per second (kept or taken back) says how fast the
// search can move.
void BM_ClassPairSweep(benchmark::State& state) {
  load_school();
  std::uint64_t priced = 0;
  std::uint64_t seed = 1;
  for (auto _ : state) {
    state.PauseTiming();
    place_everything(seed++);
    g_solver.search_phase = 2;
    or_evaluate_all_constraints64(0);
    std::uint64_t before = g_move_run.priced_exchanges;
    state.ResumeTiming();
    benchmark::DoNotOptimize(or_sweep_class_pairs());
    priced += g_move_run.priced_exchanges - before;
  }
  state.counters["exchanges/s"] = benchmark::Counter(static_cast<double>(priced), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ClassPairSweep)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
