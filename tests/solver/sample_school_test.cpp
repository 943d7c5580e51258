// Property tests on the sample schools read by the loader: the seeded
// placement puts laboratory lessons first (its soundness is held by the
// recorded search traces); the same seed gives the same placement in a
// fresh orario process; the reporting evaluation lists only built
// constraints.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_random.h"
#include "engine/loader.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "school_fixture.h"
#include "solver/constraint_catalogue.h"
#include "solver/cost_evaluation.h"
#include "solver/initial_assignment.h"
#include "solver/placement_state.h"

namespace fs = std::filesystem;

namespace {

class SampleSchool : public LoadedSampleSchool {
 protected:
  void place(std::uint64_t seed) {
    g_engine_random.seed_with(seed);
    ASSERT_GE(or_place_lessons_randomly(1, 0), 0);
    for (int l = 0; l < g_eng_school.lesson_count; ++l)
      ASSERT_EQ(lesson_placed(l), g_eng_lessons[l].piece_kind == kHasLaboratoryPart) << l;
    ASSERT_GE(or_place_lessons_randomly(0, 0), 0);
    or_rebuild_class_grids();
    if (or_any_class_has_gap()) {
      ASSERT_GE(or_repair_restored_timetable(g_eng_school.lesson_count), 0);
    }
    or_rebuild_slot_index();
    or_rebuild_class_grids();
    or_rebuild_teacher_grids();
  }
};

// The reporting evaluation lists only violations of built constraint families.
TEST_P(SampleSchool, ReportingEvaluationListsTheFamiliesViolations) {
  place(6);
  g_eng_run.report_mode = 1;
  std::int64_t total = or_evaluate_all_constraints64(1);
  g_eng_run.report_mode = 0;
  int records = g_status.violation_count.load();
  ASSERT_GT(records, 0);
  EXPECT_GT(total, 0);
  for (int i = 0; i < records; ++i) {
    const ViolationRecord& v = g_status.violations[i];
    EXPECT_NE(g_evaluators[v.constraint_id].placeholder, 1) << v.constraint_id;
    EXPECT_GT(v.count, 0u);
    EXPECT_LE(std::strlen(v.text), 40u);
  }
}

INSTANTIATE_TEST_SUITE_P(Examples, SampleSchool, ::testing::Values("piccola", "liceo"));

std::vector<std::string> save_lines(const fs::path& folder) {
  std::vector<std::string> lines;
  std::FILE* f = std::fopen((folder / "savego.txt").c_str(), "rb");
  if (!f) return lines;
  char buffer[512];
  while (or_read_line(buffer, sizeof buffer - 1, f)) lines.emplace_back(buffer);
  std::fclose(f);
  return lines;
}

std::string run_calc(const SchoolCopy& school, int seed, int* exit_status = nullptr) {
  std::string out;
  int status = run_orario_in(school.folder(), school.root(), "CALC:scuola2.txt --seed " + std::to_string(seed), &out);
  if (exit_status) *exit_status = status;
  return out;
}

// The small school, because a computation runs until no error is left:
// there it ends within a few cycles, and the same seed must give the same
// cycles, exchanges and timetable.
std::string finish_line(const std::string& trace) {
  std::size_t at = trace.find("Finito seme=");
  if (at == std::string::npos) return "";
  std::size_t end = trace.find("  ", at);  // the timing columns follow
  return trace.substr(at, end - at);
}

TEST(FreshProcess, ThePrintedSeedReproducesThePlacement) {
  SchoolCopy first("piccola"), second("piccola");
  std::string trace = run_calc(first, 4242);
  std::string again = run_calc(second, 4242);
  EXPECT_NE(trace.find(" SEME 4242 "), std::string::npos) << trace;
  EXPECT_NE(trace.find("Finito seme=4242 "), std::string::npos) << trace;
  EXPECT_EQ(finish_line(trace), finish_line(again));
  std::vector<std::string> a = save_lines(first.folder()), b = save_lines(second.folder());
  ASSERT_FALSE(a.empty()) << trace;
  EXPECT_EQ(a, b);
}

TEST(FreshProcess, AClassWithMoreHoursThanTheWeekIsImpossibleAndNothingIsSaved) {
  SchoolCopy school("piccola");
  {
    std::ofstream out(school.folder() / "scuola2.txt", std::ios::trunc);
    out << "REM:\tLiceo\nDAYS:\tLU6\tMA6\tME6\tGI6\tVE6\tSA0\tDO0\t\nGM:MAT\t\nROSSI\t1A 16\t\nBIANCHI\t1A 15\t\n";
  }
  fs::remove(school.folder() / "savego.txt");
  int status = 0;
  std::string trace = run_calc(school, 1, &status);
  EXPECT_EQ(status, 3) << trace;
  // The load's hour totals stop it before any placement is tried.
  EXPECT_NE(trace.find("La  Classe / l'Aula 1A                   ha 31 Ore, quando il massimo settimanale prevede 30 Ore."),
            std::string::npos)
      << trace;
  EXPECT_FALSE(fs::exists(school.folder() / "savego.txt"));
}

}  // namespace
