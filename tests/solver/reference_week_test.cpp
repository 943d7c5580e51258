// The clash-free reference weeks of the sample schools
// (tests/data/examples-notes/NAME-week.txt) placed into the loaded school:
// every lesson hour finds its lesson, no clash, no class gap, and with every
// constraint on the evaluation counts only class returns (32) and weekly gap
// hours (48), the two rules the weeks were not made for.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/presolve.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/constraint_catalogue.h"
#include "solver/constraint_parameter_fill.h"
#include "solver/cost_evaluation.h"
#include "solver/placement_state.h"
#include "solver/result_history.h"

namespace {

constexpr std::uint32_t kClassReturns = 32;
constexpr std::uint32_t kGapHours = 48;

std::vector<std::string> split(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  for (std::string f; std::getline(in, f, '|');) fields.push_back(f);
  return fields;
}

std::string teacher_name(int t) { return t >= 0 ? g_eng_teachers[t].name : "-"; }

// A laboratory assistant made from the lesson's own teacher stands for no
// second teacher in the week.
std::string second_teacher_name(const EngineLesson& x) {
  if (x.second_teacher >= 0 && (g_eng_teachers[x.second_teacher].type_flags & kTeacherLabPseudo)) return "-";
  return teacher_name(x.second_teacher);
}

bool is_lab(int room) { return room >= 0 && room < g_eng_school.room_count && (g_eng_rooms[room].lab_flag & 1); }

int lab_named(const std::string& name) {
  for (int r = 0; r < g_eng_school.room_count; ++r)
    if (is_lab(r) && name == g_eng_rooms[r].name) return r;
  return -1;
}

int day_index(const std::string& code) {
  for (int d = 0; d < g_eng_run.days_per_week; ++d)
    if (code == g_eng_school.day_codes[d]) return d;
  return -1;
}

// The first unplaced lesson of the class, subject, teacher, second teacher
// and laboratory of a week line (an hour in a lab is one with a lab part);
// -1 when none is left.
int find_lesson(const std::vector<std::string>& f) {
  int lab = lab_named(f[6]);
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (lesson_placed(l) || x.class_index < 0) continue;
    if (f[0] != g_eng_classes[x.class_index].code || f[3] != g_eng_subjects[x.subject].specific_name) continue;
    if (f[4] != teacher_name(x.teacher) || f[5] != second_teacher_name(x)) continue;
    if (lab >= 0 ? x.room != lab : is_lab(x.room)) continue;
    return l;
  }
  return -1;
}

class ReferenceWeek : public LoadedSampleSchool {
 protected:
  void TearDown() override {
    LoadedSampleSchool::TearDown();
    reset_run_state();
  }
};

TEST_P(ReferenceWeek, KeepsEveryConstraint) {
  for (int l = 0; l < g_eng_school.lesson_count; ++l) set_lesson_place(l, 0xFF00 | kDayNotPlaced);
  std::ifstream week(std::string(KT_TEST_DATA) + "/examples-notes/" + GetParam() + "-week.txt");
  ASSERT_TRUE(week.good());
  int placed = 0;
  for (std::string line; std::getline(week, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f = split(line);
    ASSERT_EQ(f.size(), 7u) << line;
    int l = find_lesson(f);
    int d = day_index(f[1]);
    ASSERT_GE(l, 0) << "no lesson left for " << line;
    ASSERT_GE(d, 0) << line;
    set_lesson_place(l, static_cast<std::uint16_t>(d | ((std::stoi(f[2]) - 1) << 8)));
    ++placed;
  }
  // The class calendars' pseudo-lessons take the hours the week leaves free.
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (lesson_placed(l)) continue;
    ASSERT_GE(g_eng_teachers[x.teacher].calendar_class, 0) << "not in the week: lesson " << l;
    for (int d = 0; d < g_eng_run.days_per_week && !lesson_placed(l); ++d)
      for (int h = 0; h < g_eng_school.hours_per_day[d] && !lesson_placed(l); ++h) {
        bool taken = false;
        for (int k = 0; k < g_eng_school.lesson_count && !taken; ++k)
          taken = k != l && lesson_placed(k) && g_eng_lessons[k].class_index == x.class_index &&
                  g_eng_lessons[k].day == d && g_eng_lessons[k].hour == h;
        if (!taken) set_lesson_place(l, static_cast<std::uint16_t>(d | (h << 8)));
      }
    ASSERT_TRUE(lesson_placed(l)) << l;
  }
  or_rebuild_slot_index();
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
  for (int l = 0; l < placed; ++l) ASSERT_EQ(or_find_lesson_conflict(l), kNoConflict) << l;
  ASSERT_EQ(or_any_class_has_gap(), 0);

  or_prepare_model_for_solving();
  or_prepare_constraint_parameters();
  or_prepare_search_tables();
  for (ConstraintSwitch& s : ConstraintSwitchTable) s.off = 0;
  g_eng_run.report_mode = 1;
  or_evaluate_all_constraints64(1);
  g_eng_run.report_mode = 0;
  for (int i = 0; i < g_status.violation_count.load(); ++i) {
    const ViolationRecord& v = g_status.violations[i];
    if (v.constraint_id == kClassReturns || v.constraint_id == kGapHours) continue;
    ADD_FAILURE() << "constraint " << v.constraint_id << " teacher " << teacher_name(static_cast<int>(v.teacher))
                  << " count " << v.count << ": " << v.text;
  }
  std::int64_t left = static_cast<std::int64_t>(ConstraintStats[kClassReturns].count) + ConstraintStats[kGapHours].count;
  EXPECT_EQ(g_status.error_count.load(), left);
}

INSTANTIATE_TEST_SUITE_P(Examples, ReferenceWeek, ::testing::Values("piccola", "liceo", "istituto"));

}  // namespace
