// Covers against the covering teacher's daily limits, through or_main on the
// liceo with its reference week: a teacher of the class who covers in one of
// his free hours gives one lesson more that day and may stay longer at
// school, so such a cover is never offered when it would take him beyond the
// most lesson hours a day ("INSEGNA:") or the most hours of presence a day
// ("PRESENZA:", from his first hour at school to his last) his constraint
// line allows (a day the week already makes longer is not made longer
// still). A cover in his own stand-by hour changes neither and is not held
// to them. Every day, absences in turn (every third teacher away all
// day, from three starting points) ask for many covers; the limits are read
// here from the description itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "computed_school.h"
#include "engine_runs.h"
#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "engine/substitution_services.h"

namespace {

using namespace substitution_test;

struct Limits {
  int teaching = 99;
  int presence = 99;
};

// "INSEGNA:n" and "PRESENZA:n" of every "V:" line.
std::map<std::string, Limits> daily_limits(const std::string& description) {
  std::map<std::string, Limits> out;
  std::size_t at = 0;
  while ((at = description.find("\nV:\t", at)) != std::string::npos) {
    std::size_t end = description.find('\n', at + 1);
    std::string line = description.substr(at + 4, end - at - 4);
    std::string name = line.substr(0, line.find('\t'));
    for (const char* key : {"\tINSEGNA:", "\tPRESENZA:"}) {
      std::size_t k = line.find(key);
      if (k == std::string::npos) continue;
      int value = std::atoi(line.c_str() + k + std::strlen(key));
      (key[1] == 'I' ? out[name].teaching : out[name].presence) = value;
    }
    at = end;
  }
  return out;
}

// The teacher's day as the saved week has it: 2 a lesson hour, 1 a
// stand-by hour, 0 free.
std::vector<int> day_of(int t, int day) {
  std::vector<int> use(kHoursPerDay, 0);
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (!or_lesson_placed(l) || x.day != day || x.hour >= kHoursPerDay) continue;
    if (x.teacher != t && !(or_lesson_has_second(l) && x.second_teacher == t)) continue;
    bool standby = x.standby_marker == 1 || or_is_standby_class(x.class_index);
    use[x.hour] = std::max(use[x.hour], standby ? 1 : 2);
  }
  return use;
}

// The hours from the first to the last one the day uses (0: none).
int span(const std::vector<int>& use) {
  int first = -1, last = -1;
  for (int h = 0; h < int(use.size()); ++h)
    if (use[std::size_t(h)] != 0) {
      if (first < 0) first = h;
      last = h;
    }
  return first < 0 ? 0 : last - first + 1;
}

class DailyLimits : public ::testing::Test {
 protected:
  void SetUp() override {
    copy_sample_school("liceo", dir_.path());
    limits_ = daily_limits(read_file(dir_.path() / "scuola2.txt"));
  }

  FreshSubstitutionDay fresh_;
  kt_test::TempDir dir_{"kt-daily-limits-"};
  kt_test::InDriveRoot in_{dir_.path(), dir_.path()};
  std::map<std::string, Limits> limits_;
};

TEST_F(DailyLimits, ACoverInAFreeHourKeepsTheTeacherWithinHisDailyLessonsAndPresence) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  std::vector<std::string> names = substitution_teachers();
  ASSERT_GT(names.size(), 6u);
  int days = or_week_days(), limited_covers = 0;
  for (int day = 0; day < days; ++day)
    for (int start = 0; start < 3; ++start) {
      write_file(dir_.path() / "assenze.txt", every_third_away(day + 1, start, names));
      ASSERT_EQ(run("SOST:scuola2.txt"), 0) << g_status.message;
      // The covers in each teacher's free hours, by teacher.
      std::map<std::string, std::vector<int>> free_covers;
      const SubstitutionState& s = g_substitution_state;
      for (int r = 0; r < s.row_count; ++r)
        if (s.rows[r].kind == kCoveredByClassTeacher) free_covers[s.rows[r].substitute].push_back(s.rows[r].hour);
      for (const auto& [name, hours] : free_covers) {
        auto it = limits_.find(name);
        if (it == limits_.end()) continue;
        int t = teacher_index(name);
        ASSERT_GE(t, 0) << name;
        std::vector<int> use = day_of(t, day);
        int lessons = int(std::count(use.begin(), use.end(), 2)), was = span(use);
        for (int h : hours) {
          EXPECT_EQ(use[std::size_t(h)], 0) << name << " covers hour " << h + 1 << " that is not free";
          use[std::size_t(h)] = 2;
        }
        ++limited_covers;
        EXPECT_LE(lessons + int(hours.size()), it->second.teaching)
            << name << " on day " << day + 1 << ": " << lessons << " lessons and " << hours.size() << " covers";
        // A week that already keeps him longer is not made longer still.
        EXPECT_LE(span(use), std::max(was, it->second.presence))
            << name << " on day " << day + 1 << ": at school " << span(use) << " hours, " << was << " before";
      }
    }
  // The rotation does reach the teachers with limits.
  EXPECT_GT(limited_covers, 0);
}

}  // namespace
