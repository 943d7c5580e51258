// The week in the current folder checked as the problems list gets it, and
// each of its violations' exemptions granted alone on a fresh load: the
// violation it was granted for counts less (or no more, for a rule whose
// relaxation is a step) and no other teacher's or class's violations change.
// Shared by the tests that record what each grant leaves.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "solver/cost_evaluation.h"
#include "solver/exemptions.h"

namespace grant_walk {

// Rule, teacher (teacher rules) or class (class rules): the counted total.
using Key = std::tuple<std::uint32_t, std::uint32_t>;
inline std::uint32_t who(const ViolationRecord& r) { return r.constraint_id < 75 ? r.teacher : r.class_index; }

inline std::map<Key, std::uint32_t> counts() {
  std::map<Key, std::uint32_t> out;
  for (int i = 0; i < g_status.violation_count.load(); ++i) {
    const ViolationRecord& r = g_status.violations[i];
    out[{r.constraint_id, who(r)}] += r.count;
  }
  return out;
}

// As the interpreter asks for the records of an evaluation.
inline void evaluate_with_records() {
  g_eng_run.report_flag = 1;
  or_evaluate_all_constraints(1);
  g_eng_run.report_flag = 0;
}

// The engine's check of the saved week, as the problems list gets it, then
// an evaluation of the loaded week as the grants are priced.
inline void check_week() {
  g_status.clear();
  const char* argv[] = {"Questo non serve", "SNOD:scuola2.txt", nullptr};
  ASSERT_EQ(or_main(1, 2, argv), 0) << g_status.message;
  evaluate_with_records();
  ASSERT_GT(g_status.violation_count.load(), 0);
  // Every violation has its record: the counts are the whole week's.
  ASSERT_LT(g_status.violation_count.load(), kMaxViolationRecords);
}

// Each violation granted alone: what it relaxed and what else moved, a line
// each, for the record; the expectations above checked on the way.
inline std::string each_grant_alone(const std::string& name) {
  check_week();
  std::vector<ViolationRecord> records(g_status.violations, g_status.violations + g_status.violation_count.load());
  std::ostringstream log;
  for (std::size_t i = 0; i < records.size(); ++i) {
    check_week();
    if (::testing::Test::HasFatalFailure()) break;
    std::map<Key, std::uint32_t> before = counts();
    const ViolationRecord& r = records[i];
    g_exemption_current = or_exemption_from_violation(r, 0);
    int applied = or_apply_exemption(g_exemption_current, 1);
    evaluate_with_records();
    std::map<Key, std::uint32_t> after = counts();
    Key key{r.constraint_id, who(r)};
    log << "id " << r.constraint_id << " " << (r.constraint_id < 75 ? "P=" : "C=") << who(r) << " qt=" << r.count
        << " (" << r.text << "): " << applied << ", " << before[key] << " -> " << after[key];
    if (applied == 0) {
      EXPECT_LE(after[key], before[key]) << name << " record " << i;
    }
    for (auto& [k, n] : after) before.emplace(k, 0);
    for (auto& [k, n] : before) {
      if (k == key || after[k] == n) continue;
      log << "; id " << std::get<0>(k) << " of " << std::get<1>(k) << " " << n << " -> " << after[k];
      bool same_side = (std::get<0>(k) < 75) == (r.constraint_id < 75);
      EXPECT_TRUE(same_side && std::get<1>(k) == who(r)) << name << " record " << i << ": " << log.str();
    }
    log << "\n";
  }
  return log.str();
}

}  // namespace grant_walk
