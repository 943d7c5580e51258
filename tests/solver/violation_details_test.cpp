// The detail map each violation record carries: what its own evaluator put
// there and nothing of another rule's, and an exemption granted from one
// record takes away that violation and leaves the others as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "engine/engine_main.h"
#include "engine/reception_exemption_files.h"
#include "engine/status_block.h"
#include "eval2_mini_school.h"
#include "school_fixture.h"
#include "solver/cost_evaluation.h"
#include "solver/exemptions.h"

namespace fs = std::filesystem;

namespace {

// Ids whose exemption reads nothing of the map: their records carry none.
bool reads_no_map(std::uint32_t id) {
  for (std::uint32_t plain : {2u, 3u, 5u, 9u, 48u})
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

namespace {

// Two teachers whose lessons bar a subject from their class's day (31),
// each in another class: PROF0's lesson in 1A bars subject 1, which PROF1
// teaches there the same day; PROF1's lesson in 2A bars subject 2, which
// PROF0 teaches there. Each also has a lesson in the other's class that
// bars a subject the class does not have that day. An evaluation that
// keeps no records (as the search's above 200 errors) goes first.
TEST(ViolationDetails, EachTeachersRecordListsOnlyItsOwnClasses) {
  mini_school(5, 6, 2, 2);
  auto lesson = [](int teacher, int c, int subject, int day, int hour, int barred) {
    int l = add_lesson(teacher, c, day, hour);
    g_eng_lessons[l].subject = subject;
    g_eng_lessons[l].incompatible_subject = barred;
    return l;
  };
  int own[2], other[2];
  own[0] = lesson(0, 0, 0, 0, 0, 1);
  lesson(1, 0, 1, 0, 1, -1);
  own[1] = lesson(1, 1, 0, 1, 0, 2);
  lesson(0, 1, 2, 1, 1, -1);
  other[1] = lesson(1, 0, 3, 2, 0, 4);
  other[0] = lesson(0, 1, 5, 3, 0, 6);
  rebuild_mini_school();
  for (int t = 0; t < 2; ++t) g_eng_teachers[t].incompatible_subject_lessons = 2;
  // Only this rule counts: no other record comes between.
  for (int id = 0; id < kConstraintCount; ++id) ConstraintSwitchTable[id].off = id != 31;
  or_evaluate_all_constraints(1);
  g_eng_run.report_flag = 1;
  or_evaluate_all_constraints(1);
  g_eng_run.report_flag = 0;
  for (int id = 0; id < kConstraintCount; ++id) ConstraintSwitchTable[id].off = 0;
  ViolationRecord records[2] = {};
  for (int i = 0; i < g_status.violation_count.load(); ++i)
    if (g_status.violations[i].constraint_id == 31 && g_status.violations[i].teacher < 2)
      records[g_status.violations[i].teacher] = g_status.violations[i];
  // Granted from a teacher's record, the exemption frees his lesson in the
  // class of the violation, not the one in the other class.
  for (int t = 0; t < 2; ++t) {
    ASSERT_EQ(records[t].constraint_id, 31u) << t;
    g_exemption_current = or_exemption_from_violation(records[t], 0);
    ASSERT_EQ(or_apply_exemption(g_exemption_current, 1), 0) << t;
    EXPECT_EQ(g_eng_lessons[own[t]].incompatible_subject, -1) << t;
    EXPECT_NE(g_eng_lessons[other[t]].incompatible_subject, -1) << t;
  }
  reset_run_state();
}


// The joint-lessons record (76), the first an evaluation makes, names the
// partner's line and nothing else: not the classes that the teacher rule of
// an evaluation before it, which kept no records, listed.
TEST(ViolationDetails, ARecordAfterAnEvaluationWithoutRecordsCarriesNoOldDetail) {
  mini_school(5, 6, 2, 2);
  int barred = add_lesson(0, 0, 0, 0);
  g_eng_lessons[barred].incompatible_subject = 1;
  g_eng_lessons[add_lesson(1, 0, 0, 1)].subject = 1;
  int a = add_lesson(0, 0, 1, 0, 3), b = add_lesson(1, 1, 2, 0, 5);
  g_eng_lessons[a].joint_count = 1;
  g_eng_lessons[a].joint_lessons[0] = b;
  rebuild_mini_school();
  g_eng_teachers[0].incompatible_subject_lessons = 1;
  for (int id = 0; id < kConstraintCount; ++id) ConstraintSwitchTable[id].off = id != 31;
  or_evaluate_all_constraints(1);  // PROF0's 31 counted, no record kept
  for (int id = 0; id < kConstraintCount; ++id) ConstraintSwitchTable[id].off = id != 76;
  g_eng_run.report_flag = 1;
  or_evaluate_all_constraints(1);
  g_eng_run.report_flag = 0;
  for (int id = 0; id < kConstraintCount; ++id) ConstraintSwitchTable[id].off = 0;
  ASSERT_GT(g_status.violation_count.load(), 0);
  const ViolationRecord& r = g_status.violations[0];
  EXPECT_EQ(r.constraint_id, 76u);
  for (std::size_t i = 0; i < sizeof r.detail_map; ++i) {
    if (i < 12 || i >= 16) {
      EXPECT_EQ(r.detail_map[i], 0) << i;
    }
  }
  std::int32_t line = 0;
  std::memcpy(&line, r.detail_map + 12, sizeof line);
  EXPECT_EQ(line, 5);
  reset_run_state();
}

}  // namespace
