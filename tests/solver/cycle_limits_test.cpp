// The cycle limits of a restart: the long form by the new-stage flag and the
// release credit, the short form by the new-stage flag alone; both grow with
// the kept restarts.
#include <gtest/gtest.h>

#include "engine/status_block.h"
#include "solver/local_search.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"

namespace {

TEST(CycleLimits, LongAndShortForms) {
  const SearchRunState search_before = g_search;
  const std::int32_t credit_before = g_release.release_credit;
  const std::int32_t level_before = g_status.level.load();
  struct Case {
    const char* id;
    std::uint8_t new_stage;
    std::int32_t credit, kept, level;
    int limit, short_limit;
  } cases[] = {
      {"new-stage", 1, 0, 4, 8, 23, 27},           // 23; short: kept + 23
      {"no-credit", 0, 0, 4, 8, 89, 35},           // kept + 77 + level; short: kept + 23 + level
      {"credit", 0, 1, 4, 8, 23, 35},              // level / 4 + 17 + kept
      {"credit-odd-level", 0, 3, 0, 7, 18, 30},    // 7 / 4 = 1
      {"nothing-kept", 0, 0, 0, 0, 77, 23},
  };
  for (const Case& c : cases) {
    g_search.new_stage = c.new_stage;
    g_search.kept_restarts = c.kept;
    g_release.release_credit = c.credit;
    g_status.level.store(c.level);
    EXPECT_EQ(or_cycle_limit(), c.limit) << c.id;
    EXPECT_EQ(or_cycle_limit_short(), c.short_limit) << c.id;
  }
  g_search = search_before;
  g_release.release_credit = credit_before;
  g_status.level.store(level_before);
}

}  // namespace
