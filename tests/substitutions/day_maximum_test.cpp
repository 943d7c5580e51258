// Covers against the most busy hours a teacher may have on a day of the
// week ("OM:", the "Massimo Ore" of his constraints page), through or_main
// on the liceo with its reference week. Each teacher is given, day by day,
// a maximum of the hours his week already holds that day (every other
// teacher) or one more (the rest); then, every day, every third teacher is
// away all day. A cover in a free hour adds a busy hour, so the first never
// cover in a free hour and the others at most once a day; and an exemption
// granted on that maximum for a day frees that day again.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "computed_school.h"
#include "engine_runs.h"
#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/reception_exemption_files.h"
#include "engine/status_block.h"
#include "engine/substitution_services.h"

namespace {

using namespace substitution_test;

// Hours of the day the teacher holds in the saved week (lessons as teacher
// or second teacher, stand-by and support hours).
int busy_hours(int t, int day) {
  std::set<int> hours;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (!or_lesson_placed(l) || x.day != day || x.hour >= kHoursPerDay) continue;
    if (x.teacher == t || (or_lesson_has_second(l) && x.second_teacher == t)) hours.insert(x.hour);
  }
  return static_cast<int>(hours.size());
}

// Adds `item` to the teacher's "V:" line (a new line when he has none).
void add_constraint(std::string& description, const std::string& name, const std::string& item) {
  std::string head = "\nV:\t" + name + "\t";
  std::size_t at = description.find(head);
  if (at == std::string::npos) {
    description += "V:\t" + name + "\t" + item + "\t\n";
    return;
  }
  description.insert(at + head.size(), item + "\t");
}

// An exemption line of constraint 19 for the teacher, freeing `day`.
std::string day_maximum_exemption(int teacher, int day) {
  StoredExemption r{};
  auto put32 = [&](int offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) r.bytes[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  put32(kExemptionIdOffset, 19);
  put32(kExemptionTeacherOffset, static_cast<std::uint32_t>(teacher));
  put32(kExemptionClassOffset, 0xFFFFFFFFu);
  r.bytes[kExemptionMapOffset + day] = 1;
  std::snprintf(reinterpret_cast<char*>(r.bytes + kExemptionNameOffset), 21, "%s", g_eng_teachers[teacher].name);
  char line[600];
  or_format_exemption_line(r, line, sizeof line);
  return line;
}

class DayMaximum : public ::testing::Test {
 protected:
  void SetUp() override { copy_sample_school("liceo", dir_.path()); }

  // Every day, from three starting points, every third teacher away: the
  // covers each teacher gives in his free hours, by day and name.
  std::map<std::pair<int, std::string>, int> FreeHourCovers(const std::vector<std::string>& names) {
    std::map<std::pair<int, std::string>, int> covers;
    for (int day = 0; day < or_week_days(); ++day)
      for (std::size_t start = 0; start < 3; ++start) {
        write_file(dir_.path() / "assenze.txt", every_third_away(day + 1, start, names));
        EXPECT_EQ(run("SOST:scuola2.txt"), 0) << g_status.message;
        const SubstitutionState& s = g_substitution_state;
        std::map<std::string, int> today;
        for (int r = 0; r < s.row_count; ++r)
          if (s.rows[r].kind == kCoveredByClassTeacher) ++today[s.rows[r].substitute];
        for (const auto& [name, n] : today) covers[{day, name}] = std::max(covers[{day, name}], n);
      }
    return covers;
  }

  FreshSubstitutionDay fresh_;
  kt_test::TempDir dir_{"kt-day-maximum-"};
  kt_test::InDriveRoot in_{dir_.path(), dir_.path()};
};

TEST_F(DayMaximum, NoCoverInAFreeHourTakesTheTeacherBeyondHisMostHoursOfThatDay) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  std::vector<std::string> names = substitution_teachers();
  ASSERT_GT(names.size(), 6u);
  const char* codes[] = {"LU", "MA", "ME", "GI", "VE", "SA", "DO"};
  std::string description = read_file(dir_.path() / "scuola2.txt");
  std::map<std::string, bool> held;  // true: held to the hours he has
  std::map<std::pair<int, std::string>, int> room;  // covers a free hour may still take
  for (std::size_t i = 0; i < names.size(); ++i) {
    int t = teacher_index(names[i]);
    ASSERT_GE(t, 0) << names[i];
    held[names[i]] = i % 2 == 1;
    std::string item = "OM:";
    for (int day = 0; day < or_week_days(); ++day) {
      int most = busy_hours(t, day) + (held[names[i]] ? 0 : 1);
      item += std::string(codes[day]) + ":" + std::to_string(most);
      room[{day, names[i]}] = most >= kHoursPerDay ? kHoursPerDay : most - busy_hours(t, day);
    }
    add_constraint(description, names[i], item);
  }
  write_file(dir_.path() / "scuola2.txt", description);
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;

  int covers = 0;
  for (const auto& [key, n] : FreeHourCovers(names)) {
    covers += n;
    EXPECT_LE(n, room[key]) << key.second << " covers " << n << " free hours on day " << key.first + 1
                            << (held[key.second] ? ", a day his week already fills" : "");
  }
  // The rotation does give covers in free hours to the teachers with room.
  EXPECT_GT(covers, 0);
}

TEST_F(DayMaximum, AnExemptionGrantedOnTheMaximumFreesItsDay) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  std::vector<std::string> names = substitution_teachers();
  std::map<std::pair<int, std::string>, int> before = FreeHourCovers(names);
  ASSERT_FALSE(before.empty());
  // The teacher who covers most in free hours on one day, then held to
  // the hours he has on every day, and freed on that day by an exemption.
  auto most = before.begin();
  for (auto it = before.begin(); it != before.end(); ++it)
    if (it->second > most->second) most = it;
  int day = most->first.first, t = teacher_index(most->first.second);
  ASSERT_GE(t, 0);
  const char* codes[] = {"LU", "MA", "ME", "GI", "VE", "SA", "DO"};
  std::string item = "OM:";
  for (int d = 0; d < or_week_days(); ++d) item += std::string(codes[d]) + ":" + std::to_string(busy_hours(t, d));
  std::string description = read_file(dir_.path() / "scuola2.txt");
  add_constraint(description, most->first.second, item);
  write_file(dir_.path() / "scuola2.txt", description);
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  std::map<std::pair<int, std::string>, int> held = FreeHourCovers(names);
  for (int d = 0; d < or_week_days(); ++d)
    EXPECT_EQ(held.count(std::make_pair(d, most->first.second)), 0u) << "day " << d + 1;

  std::string exemptions = read_file(dir_.path() / "scuola3.txt");
  write_file(dir_.path() / "scuola3.txt", exemptions + day_maximum_exemption(t, day));
  std::map<std::pair<int, std::string>, int> freed = FreeHourCovers(names);
  std::pair<int, std::string> freed_day{day, most->first.second};
  EXPECT_EQ(freed[freed_day], most->second) << most->first.second << " on day " << day + 1;
  for (int d = 0; d < or_week_days(); ++d) {
    if (d == day) continue;
    EXPECT_EQ(freed.count(std::make_pair(d, most->first.second)), 0u) << "day " << d + 1;
  }
}

}  // namespace
