// Per-family cost of the constraint evaluators on the realistic sample
// school (examples/liceo, or the school named by KT_BENCH_SCHOOL): one full
// check of every id of a family, and the family's delta checks for one
// teacher (or one class), averaged over all of them. Fixed seed; run by hand.
//
// The delta figure is what a move pays per teacher or class it touches; the
// ratio full / delta shows how much a move saves over a full evaluation.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench_school.h"
#include "engine/model.h"
#include "solver/constraint_catalogue.h"

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
  static bool placed = false;
  if (placed) return;
  kt_bench::load_school();
  kt_bench::place_everything(1);
  placed = true;
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
