// Covers against the covering teacher's reception hour, through or_main on
// the liceo with its reference week: the report run gives every teacher his
// weekly hour for parents ("ricevi.txt", listed in the reception list), and
// a teacher who receives parents at an hour is not free to cover a lesson
// then. Every day, absences in turn (every third teacher away all day, from
// three starting points) ask for many covers.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>
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

class ReceptionCovers : public ::testing::Test {
 protected:
  void SetUp() override { copy_sample_school("liceo", dir_.path()); }

  FreshSubstitutionDay fresh_;
  kt_test::TempDir dir_{"kt-reception-covers-"};
  kt_test::InDriveRoot in_{dir_.path(), dir_.path()};
};

TEST_F(ReceptionCovers, NoTeacherCoversInHisReceptionHour) {
  // The reports give the reception hours; each teacher's, as they printed it.
  ASSERT_EQ(run("REPO:scuola2.txt"), 0) << g_status.message;
  ASSERT_TRUE(fs::exists(dir_.path() / "ricevi.txt"));
  std::map<std::string, std::pair<int, int>> reception;
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (g_eng_teachers[t].reset_marker < kDays)
      reception[g_eng_teachers[t].name] = {g_eng_teachers[t].reset_marker, g_eng_teachers[t].reception_hour};
  ASSERT_GT(reception.size(), 20u);

  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  std::vector<std::string> names = substitution_teachers();
  int days = or_week_days(), covers = 0, beside = 0;
  for (int day = 0; day < days; ++day)
    for (int start = 0; start < 3; ++start) {
      write_file(dir_.path() / "assenze.txt", every_third_away(day + 1, start, names));
      ASSERT_EQ(run("SOST:scuola2.txt"), 0) << g_status.message;
      const SubstitutionState& s = g_substitution_state;
      for (int r = 0; r < s.row_count; ++r) {
        if (s.rows[r].kind == kUncovered) continue;
        ++covers;
        auto it = reception.find(s.rows[r].substitute);
        if (it == reception.end() || it->second.first != day) continue;
        ++beside;  // a cover on the day he receives parents
        EXPECT_NE(it->second.second, s.rows[r].hour)
            << s.rows[r].substitute << " covers " << s.rows[r].class_name << " in his reception hour, day " << day + 1;
      }
    }
  EXPECT_GT(covers, 0);
  EXPECT_GT(beside, 0);
}

}  // namespace
