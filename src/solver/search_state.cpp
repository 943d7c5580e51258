// The search counters shared by the local search loop, the driver, the
// result history and the exchange with parallel processes (search_state.h),
// and the few helpers the loop's parts share.
#include "solver/search_state.h"

#include "engine/status_block.h"
#include "solver/cost_evaluation.h"
#include "solver/placement_state.h"

SearchRunState g_search;

namespace {
constexpr std::int32_t kSearchReportLimit = 200;
}  // namespace

void or_reset_search_state() { g_search = SearchRunState{}; }

void or_search_evaluate(int report) { or_search_evaluate_limited(report, kSearchReportLimit); }

void or_search_evaluate_limited(int report, std::int32_t limit) {
  // A reporting evaluation of the loop fills the violation list that the
  // result history stores and the exemption proposals draw from; with the
  // limit 0 the list is emptied and nothing is recorded.
  std::int32_t before = g_eng_run.report_flag;
  if (report) g_eng_run.report_flag = limit;
  or_evaluate_all_constraints(report);
  if (report) g_eng_run.report_flag = before;
  int errors = g_status.error_count;
  if (errors < g_search.run_best) g_search.run_best = errors;
}

std::int32_t or_kept_move_report_limit(int errors) { return errors <= kSearchReportLimit ? kSearchReportLimit : 0; }

void or_keep_search_placement() {
  or_copy_placement(g_placement_copy);
  or_copy_placement(g_current_placement);
  or_take_total_score(&g_kept_score);
}

void or_restore_search_placement(const std::uint16_t* placement) {
  or_apply_placement(placement);
  or_rebuild_grids_and_evaluate();
  or_penalty_cache_invalidate_all();
  or_take_total_score(&g_kept_score);
}

bool or_search_test_mode() { return g_eng_run.run_mode == 13 || g_eng_run.run_mode == 14; }
int or_search_save_kind() { return or_search_test_mode() ? -3 : -1; }

std::int32_t or_even_reset(int factor) { return (-8 - g_solver.worker_index) * factor; }
