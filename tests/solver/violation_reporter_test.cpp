// Violation reporter: records, the 199-record limit, the signature, the
// peak reported points and the record numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/solver_state.h"
#include "solver/violation_reporter.h"

namespace {

class Reporter : public ::testing::Test {
 protected:
  void SetUp() override {
    SchoolSpec spec;
    spec.lessons_per_class = 1;
    build_school(spec, 1);
    g_status.reporting = 1;
    g_status.violation_count = 0;
    g_eng_run.violation_signature = 0;
    g_eng_run.peak_reported_points = 0;
    g_eng_run.peak_reported_teacher = -1;
  }
};

TEST_F(Reporter, TeacherRecordCarriesTheTeacherValues) {
  g_eng_teachers[4].points = 70;
  g_eng_teachers[4].points2 = 71;
  g_eng_teachers[4].release_rank = 9;
  g_violation_detail[0] = 1;
  g_violation_detail[83] = 1;
  std::uint32_t before = g_violation_record_number;
  or_report_violation(4, 0, 0, "un testo molto lungo che supera i quaranta caratteri", 2, 12);
  ASSERT_EQ(g_status.violation_count.load(), 1);
  const ViolationRecord& r = g_status.violations[0];
  EXPECT_EQ(std::string(r.text), std::string("un testo molto lungo che supera i quaran"));
  // The signature: count x 256 + id, then teacher x 65536.
  EXPECT_EQ((std::vector<std::int64_t>{r.constraint_id, r.count, r.record_number - before, r.detail_map[83],
                                       r.teacher_points, r.teacher_points2, r.teacher_release_rank,
                                       g_eng_teachers[4].reported_constraint[12], g_eng_run.violation_signature,
                                       g_eng_run.peak_reported_teacher, g_eng_run.peak_reported_points}),
            (std::vector<std::int64_t>{12, 2, 1, 1, 70, 71, 9, 1, 2 * 256 + 12 + 4 * 65536, 4, 70}));
}

TEST_F(Reporter, TheRecordListStopsAt199ButTheSignatureGoesOn) {
  for (int i = 0; i < 200; ++i) or_report_violation(0, 0, 0, "", 1, 80);
  EXPECT_EQ(g_status.violation_count.load(), 199);
  EXPECT_EQ(g_eng_run.violation_signature, 200u * (256 + 80));
}

struct LineCase {
  const char* id;
  int language;
  std::uint32_t constraint;
  const char* expected;
  friend void PrintTo(const LineCase& k, std::ostream* os) { *os << k.id; }
};

class ReporterLine : public Reporter, public ::testing::WithParamInterface<LineCase> {};

TEST_P(ReporterLine, NameInTheRunsLanguage) {
  g_status.language = GetParam().language;
  g_solver.focus_teacher = 3;
  g_eng_teachers[3].penalty_flag = 1;
  char line[200];
  or_format_violation_line(line, sizeof line, 3, 0, "t", 2, GetParam().constraint);
  EXPECT_EQ(std::string(line), GetParam().expected);
  g_status.language = 0;
  g_solver.focus_teacher = -1;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReporterLine,
    ::testing::Values(
        LineCase{"italian", 0, 48,
                 "E:ORE BUCHE                                P=3   PROF03               qt=  2 (t) V B\n"},
        LineCase{"english", 2, 48,
                 "E:GAP HOURS                                P=3   PROF03               qt=  2 (t) V B\n"},
        LineCase{"class", 1, 75,
                 "E:F\xC4" "CHER pro Tag                           C=0   1A                   qt=  2 (t)\n"}),
    [](const auto& info) { return std::string(info.param.id); });

}  // namespace
