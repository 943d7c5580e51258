// A teacher marked away at every hour he holds on the day (his lessons and
// stand-by hours, say for a morning's leave when the day has nothing else for
// him) does not come to school that day, so he is never named to cover a
// lesson, not even in a free hour of a class he teaches. Through or_main on
// the liceo with its reference week: every day, from three starting points,
// every third teacher is away all day (many lessons to cover) and the next
// one is away at exactly the hours he holds that day.
#include <gtest/gtest.h>

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

// The twelve hour digits of the hours the teacher holds on the day (a lesson
// as its teacher or second teacher, a stand-by or support hour); empty when
// he holds none.
std::string held_hours(int t, int day) {
  std::string hours(kAbsenceHours, '0');
  bool any = false;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (!or_lesson_placed(l) || x.day != day || x.hour >= kAbsenceHours) continue;
    if (x.teacher != t && !(or_lesson_has_second(l) && x.second_teacher == t)) continue;
    hours[x.hour] = '1';
    any = true;
  }
  return any ? hours : std::string();
}

class AwayAllDay : public ::testing::Test {
 protected:
  void SetUp() override { copy_sample_school("liceo", dir_.path()); }

  FreshSubstitutionDay fresh_;
  kt_test::TempDir dir_{"kt-away-all-day-"};
  kt_test::InDriveRoot in_{dir_.path(), dir_.path()};
};

TEST_F(AwayAllDay, ATeacherAwayAtEveryHourHeHoldsThatDayCoversNothing) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  std::vector<std::string> names = substitution_teachers();
  ASSERT_GT(names.size(), 6u);
  int days = or_week_days(), covers = 0, partly_away = 0;
  for (int day = 0; day < days; ++day)
    for (std::size_t start = 0; start < 3; ++start) {
      std::string absences = "GIORNO:" + std::to_string(day + 1) + "\n";
      std::set<std::string> away_at_held_hours;
      for (std::size_t i = 0; i < names.size(); ++i) {
        if (i % 3 == start) {
          absences += "ASSENTE:" + names[i] + "|Malattia|111111111111\n";
        } else if (i % 3 == (start + 1) % 3) {
          int t = teacher_index(names[i]);
          ASSERT_GE(t, 0) << names[i];
          std::string hours = held_hours(t, day);
          // Away at his hours but not all day: free hours are left to him.
          if (hours.empty() || hours == std::string(kAbsenceHours, '1')) continue;
          absences += "ASSENTE:" + names[i] + "|Permesso|" + hours + "\n";
          away_at_held_hours.insert(names[i]);
        }
      }
      partly_away += int(away_at_held_hours.size());
      write_file(dir_.path() / "assenze.txt", absences);
      ASSERT_EQ(run("SOST:scuola2.txt"), 0) << g_status.message;
      const SubstitutionState& s = g_substitution_state;
      for (int r = 0; r < s.row_count; ++r) {
        if (s.rows[r].kind == kUncovered) continue;
        ++covers;
        EXPECT_EQ(away_at_held_hours.count(s.rows[r].substitute), 0u)
            << s.rows[r].substitute << " covers " << s.rows[r].class_name << " at hour " << s.rows[r].hour + 1
            << " on day " << day + 1 << ", a day he is away at every hour he holds";
      }
    }
  EXPECT_GT(partly_away, 0);
  EXPECT_GT(covers, 0);
}

}  // namespace
