// The whole-week perturbations the improvement phases call, on the liceo's
// computed week read by "RIGO:" through or_main: a shake exchanges two days
// (within the hours both have), turns the hours of one day round by one, or
// exchanges two hours on every day that has both, the three in turn; a slot
// exchange moves the lessons of two slots as a whole and never leaves a
// class with a gap; a day exchange moves every lesson of both days. Each
// keeps what stands together in one slot together, so no class or teacher
// gets two lessons at once that it had not before.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/command_steps.h"
#include "engine/engine_main.h"
#include "engine/engine_services.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/perturbations.h"
#include "engine/placement_services.h"
#include "engine/status_block.h"
#include "engine_test_support.h"

namespace {

using engine_test::read_file;
using engine_test::write_file;

int run(const char* command) {
  g_command_steps = or_default_command_steps();
  g_status.clear();
  const char* argv[] = {"Questo non serve", command, nullptr};
  return or_main(1, 2, argv);
}

struct Place {
  int day, hour;
  bool operator==(const Place& o) const { return day == o.day && hour == o.hour; }
  bool operator<(const Place& o) const { return day != o.day ? day < o.day : hour < o.hour; }
};

class WeekPerturbations : public ::testing::Test {
 protected:
  void SetUp() override {
    write_file(school_.file("scuola1.txt"), read_file(std::string(KT_SOURCE_DIR) + "/examples/liceo/scuola1.txt"));
    write_file(school_.file("scuola2.txt"), read_file(std::string(KT_SOURCE_DIR) + "/examples/liceo/scuola2.txt"));
    write_file(school_.file("savego.txt"), read_file(std::string(KT_TEST_DATA) + "/golden/orario/liceo/file_savego.txt"));
    ASSERT_EQ(run("RIGO:scuola2.txt"), 0) << g_status.message;
  }
  void TearDown() override { g_status.clear(); }
  // Where each lesson stands; day -1 when not placed.
  static std::vector<Place> places() {
    std::vector<Place> out;
    for (int i = 0; i < g_eng_school.lesson_count; ++i)
      out.push_back(or_lesson_placed(i) ? Place{g_eng_lessons[i].day, g_eng_lessons[i].hour} : Place{-1, -1});
    return out;
  }
  // The lessons of each slot, as sets: what stands together.
  static std::set<std::set<int>> groups(const std::vector<Place>& p) {
    std::map<Place, std::set<int>> by;
    for (int i = 0; i < static_cast<int>(p.size()); ++i)
      if (p[i].day >= 0) by[p[i]].insert(i);
    std::set<std::set<int>> out;
    for (auto& [place, lessons] : by) out.insert(lessons);
    return out;
  }
  engine_test::TempDir school_;
  engine_test::InFolder in_{school_.path()};
};

// What one shake did: 'd' two days exchanged, 'r' one day's hours turned,
// 'h' two hours exchanged, 'n' nothing; '?' anything else.
char shake_kind(const std::vector<Place>& before, const std::vector<Place>& after) {
  std::set<int> days_moved, days_turned, hours_swapped;
  bool same = true, day_swap = true, turn = true, hour_swap = true;
  int d1 = -1, d2 = -1, turned = -1, h1 = -1, h2 = -1;
  for (std::size_t i = 0; i < before.size(); ++i) {
    const Place& a = before[i];
    const Place& b = after[i];
    if (a == b) continue;
    same = false;
    if (a.day < 0 || b.day < 0) return '?';
    // Day exchange: same hour, the day becomes the other of one pair.
    if (a.hour != b.hour) day_swap = false;
    else if (d1 < 0) d1 = a.day, d2 = b.day;
    else if (!((a.day == d1 && b.day == d2) || (a.day == d2 && b.day == d1))) day_swap = false;
    // Turn of one day: same day, hour + 1 or back to 0.
    if (a.day != b.day || !(b.hour == a.hour + 1 || b.hour == 0)) turn = false;
    else if (turned < 0) turned = a.day;
    else if (turned != a.day) turn = false;
    // Hour exchange: same day, the hour becomes the other of one pair.
    if (a.day != b.day) hour_swap = false;
    else if (h1 < 0) h1 = a.hour, h2 = b.hour;
    else if (!((a.hour == h1 && b.hour == h2) || (a.hour == h2 && b.hour == h1))) hour_swap = false;
  }
  if (same) return 'n';
  if (day_swap && d1 != d2) {
    // Every lesson of both days within the hours both have moved.
    int common = std::min(or_day_hours(d1), or_day_hours(d2));
    for (std::size_t i = 0; i < before.size(); ++i)
      if ((before[i].day == d1 || before[i].day == d2) && before[i].hour < common && after[i] == before[i]) return '?';
    return 'd';
  }
  if (turn) {
    int hours = or_day_hours(turned);
    for (std::size_t i = 0; i < before.size(); ++i)
      if (before[i].day == turned && before[i].hour < hours &&
          !(after[i] == Place{turned, (before[i].hour + 1) % hours}))
        return '?';
    return 'r';
  }
  if (hour_swap && h1 != h2) {
    for (std::size_t i = 0; i < before.size(); ++i) {
      const Place& a = before[i];
      if (a.day < 0 || h1 >= or_day_hours(a.day) || h2 >= or_day_hours(a.day)) continue;
      if ((a.hour == h1 || a.hour == h2) && after[i] == a) return '?';
    }
    return 'h';
  }
  return '?';
}

TEST_F(WeekPerturbations, ThreeShakesInTurnEachMoveWholeDaysOrHours) {
  std::vector<char> kinds;
  for (int k = 0; k < 6; ++k) {
    std::vector<Place> before = places();
    or_shake_timetable();
    std::vector<Place> after = places();
    char kind = shake_kind(before, after);
    ASSERT_NE(kind, '?') << "shake " << k;
    EXPECT_EQ(groups(before), groups(after)) << "shake " << k;
    kinds.push_back(kind);
  }
  // The kinds come round in turn: a turn of the hours and an exchange of
  // hours in every three shakes (a day exchange drawn past the week is left
  // undone), each three shakes apart.
  auto turn_of = [](char kind) { return kind == 'n' ? 'd' : kind; };
  for (int k = 0; k < 3; ++k) EXPECT_EQ(turn_of(kinds[k]), turn_of(kinds[k + 3])) << std::string(kinds.begin(), kinds.end());
  std::string first(kinds.begin(), kinds.begin() + 3);
  EXPECT_NE(first.find('r'), std::string::npos) << first;
  EXPECT_NE(first.find('h'), std::string::npos) << first;
  EXPECT_EQ(first.find('?'), std::string::npos) << first;
}

TEST_F(WeekPerturbations, SlotExchangesMoveWholeSlotsAndLeaveNoClassGap) {
  ASSERT_FALSE(g_engine_services.any_class_has_gap());
  std::vector<Place> before = places();
  int made = or_swap_random_slots(3);
  std::vector<Place> after = places();
  EXPECT_GE(made, 1);
  EXPECT_LE(made, 3);
  EXPECT_NE(before, after);
  EXPECT_EQ(groups(before), groups(after));
  EXPECT_FALSE(g_engine_services.any_class_has_gap());
  // Nothing placed is lost, nothing unplaced placed.
  for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(before[i].day < 0, after[i].day < 0) << i;
  EXPECT_EQ(or_swap_random_slots(0), 0);
  EXPECT_EQ(places(), after);
}

TEST_F(WeekPerturbations, ADayExchangeMovesEveryLessonOfBothDays) {
  std::vector<Place> before = places();
  or_swap_days(0, 2);
  std::vector<Place> after = places();
  int common = std::min(or_day_hours(0), or_day_hours(2));
  for (std::size_t i = 0; i < before.size(); ++i) {
    Place want = before[i];
    if (want.day >= 0 && want.hour < common) {
      if (want.day == 0) want.day = 2;
      else if (want.day == 2) want.day = 0;
    }
    EXPECT_EQ(after[i].day, want.day) << i;
    EXPECT_EQ(after[i].hour, want.hour) << i;
  }
  // A day with itself or past the week: nothing moves.
  or_swap_days(1, 1);
  or_swap_days(1, kDays);
  or_swap_days(-1, 1);
  EXPECT_EQ(places(), after);
}

}  // namespace
