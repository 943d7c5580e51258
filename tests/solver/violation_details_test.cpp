// The detail map each violation record carries: what its own evaluator put
// there and nothing of another rule's, and an exemption granted from one
// record takes away that violation and leaves the others as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "engine/engine_main.h"
#include "engine/reception_exemption_files.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/cost_evaluation.h"
#include "solver/exemptions.h"

namespace fs = std::filesystem;

namespace {

// Ids whose exemption reads nothing of the map: their records carry none.
bool reads_no_map(std::uint32_t id) {
  for (std::uint32_t plain : {2u, 3u, 5u, 9u, 48u, 80u})
    if (id == plain) return true;
  return false;
}

std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> counts_by_id_and_teacher() {
  std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> out;
  for (int i = 0; i < g_status.violation_count.load(); ++i)
    out[{g_status.violations[i].constraint_id, g_status.violations[i].teacher}] += g_status.violations[i].count;
  return out;
}

TEST(ViolationDetails, EachRecordCarriesItsOwnMapAndItsExemptionRemovesOnlyIt) {
  // MANCINI may teach on Saturday only (5 hours) but has 6 lessons: at least
  // one forbidden hour (6) is forced, beside whatever else the run leaves.
  SchoolCopy school("piccola");
  {
    fs::path path = school.folder() / "scuola2.txt";
    std::string text = file_text(path);
    std::size_t at = text.find("V:\tMANCINI\tGMAX:2\t");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 18, "V:\tMANCINI\tOP:LU:1-5MA:1-5ME:1-5GI:1-5VE:1-5\tOV:LU:3MA:3\tPRESENZA:2\t");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  }
  std::string out;
  ASSERT_EQ(run_orario_in(school.folder(), school.root(), "CALC:scuola2.txt --seed 1 --time-limit 3", &out), 0) << out;
  fs::path old = fs::current_path();
  fs::current_path(school.folder());
  g_status.clear();
  const char* argv[] = {"Questo non serve", "SNOD:scuola2.txt"};
  int result = or_main(1, 2, argv);
  ASSERT_EQ(result, 0) << g_status.message;
  int forbidden = -1;
  for (int i = 0; i < g_status.violation_count.load(); ++i) {
    const ViolationRecord& r = g_status.violations[i];
    if (reads_no_map(r.constraint_id)) {
      EXPECT_TRUE(std::all_of(r.detail_map, r.detail_map + sizeof r.detail_map, [](std::uint8_t b) { return b == 0; }))
          << "id " << r.constraint_id;
    }
    if (r.constraint_id == 6 && forbidden < 0) forbidden = i;
  }
  ASSERT_GE(forbidden, 0) << "the forced forbidden hour is reported";
  auto before = counts_by_id_and_teacher();
  ViolationRecord granted = g_status.violations[forbidden];
  g_exemption_current = or_exemption_from_violation(granted, 0);
  ASSERT_EQ(or_apply_exemption(g_exemption_current, 1), 0);
  // As the interpreter asks for the records of an evaluation.
  g_eng_run.report_flag = 1;
  or_evaluate_all_constraints(1);
  g_eng_run.report_flag = 0;
  auto after = counts_by_id_and_teacher();
  fs::current_path(old);
  auto key = std::make_pair(granted.constraint_id, granted.teacher);
  EXPECT_EQ(after[key] + granted.count, before[key]);
  before.erase(key);
  after.erase(key);
  EXPECT_EQ(after, before) << "the other violations stay";
}

}  // namespace
