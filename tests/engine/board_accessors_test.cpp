// What the board and the report pages ask the engine about the liceo's
// computed week, read by "RIGO:" through or_main as the desktop program reads
// it: the classes walked by section, each class's code and name, the stand-by
// hours counted per slot and moved, each common room's lesson count, a
// lesson's room set by name and taken back, the placement kept and put back
// after moves, a support hour's class, the lessons waiting for a lab, and a
// week committed by the board read back as it was placed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/command_steps.h"
#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/placement_services.h"
#include "engine/status_block.h"
#include "engine/week_grid_access.h"
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

class BoardAccessors : public ::testing::Test {
 protected:
  void SetUp() override {
    write_file(school_.file("scuola1.txt"), read_file(std::string(KT_SOURCE_DIR) + "/examples/liceo/scuola1.txt"));
    write_file(school_.file("scuola2.txt"), read_file(std::string(KT_SOURCE_DIR) + "/examples/liceo/scuola2.txt"));
    write_file(school_.file("savego.txt"), read_file(std::string(KT_TEST_DATA) + "/golden/orario/liceo/file_savego.txt"));
    ASSERT_EQ(run("RIGO:scuola2.txt"), 0) << g_status.message;
  }
  void TearDown() override {
    or_move_standby_count(-1, 0, 0, 0);  // the board drops its count on leaving
    g_status.clear();
  }
  // Where each lesson stands: day * 100 + hour, -1 when not placed.
  static std::vector<int> places() {
    std::vector<int> out;
    for (int i = 0; i < g_eng_school.lesson_count; ++i)
      out.push_back(or_lesson_placed(i) ? g_eng_lessons[i].day * 100 + g_eng_lessons[i].hour : -1);
    return out;
  }
  engine_test::TempDir school_;
  engine_test::InFolder in_{school_.path()};
};

TEST_F(BoardAccessors, ClassesAreWalkedBySectionThenYear) {
  int n = g_eng_school.real_class_count > 0 ? g_eng_school.real_class_count : g_eng_school.class_count;
  ASSERT_GE(n, 4);
  int length = g_eng_school.class_code_length >= 3 ? 3 : 2;
  std::vector<std::string> want;
  for (int c = 0; c < n; ++c) want.push_back(g_eng_classes[c].code);
  auto reversed = [length](const std::string& code) {
    std::string key(code.substr(0, static_cast<std::size_t>(length)));
    std::reverse(key.begin(), key.end());
    return key;
  };
  std::sort(want.begin(), want.end(), [&](const std::string& a, const std::string& b) { return reversed(a) < reversed(b); });
  std::vector<std::string> got;
  int cursor = 12345;
  for (int c = or_next_class_by_section(1, &cursor); c >= 0 && got.size() < 200; c = or_next_class_by_section(0, &cursor))
    got.push_back(g_eng_classes[c].code);
  EXPECT_EQ(got, want);
  // Walking again starts over.
  EXPECT_EQ(g_eng_classes[or_next_class_by_section(1, &cursor)].code, want.front());
  // The classes are not all of one section, so the order differs from the table's.
  std::vector<std::string> table;
  for (int c = 0; c < n; ++c) table.push_back(g_eng_classes[c].code);
  EXPECT_NE(got, table);
}

TEST_F(BoardAccessors, EachClassIsNamedByItsCodeAndDisplayName) {
  for (int c = 0; c < g_eng_school.class_count; ++c) {
    int shown = g_eng_classes[c].parent >= 0 && !or_is_pseudo_class(c) ? g_eng_classes[c].parent : c;
    EXPECT_EQ(std::string(or_class_code(c)), std::string(g_eng_classes[shown].code).substr(0, 3)) << c;
    EXPECT_EQ(std::string(or_class_display_name(c)), std::string(g_eng_classes[shown].display_name).substr(0, 21)) << c;
  }
  // Eight names asked at once stay apart.
  std::vector<const char*> names;
  for (int c = 0; c < 8 && c < g_eng_school.class_count; ++c) names.push_back(or_class_display_name(c));
  for (std::size_t c = 0; c < names.size(); ++c)
    EXPECT_STREQ(names[c], g_eng_classes[c].display_name) << c;
  EXPECT_STREQ(or_class_code(-1), "?");
  EXPECT_STREQ(or_class_display_name(g_eng_school.class_count), "?");
}

TEST_F(BoardAccessors, StandbyHoursAreCountedPerSlotAndFollowTheirMoves) {
  // The small school's saved week, three teachers with stand-by hours placed
  // by the program ("TED:", "DISP:").
  std::string text = read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
  for (const char* name : {"\nBIANCHI\t", "\nFERRARI\t", "\nGALLO\t"}) {
    std::size_t at = text.find(name);
    ASSERT_NE(at, std::string::npos) << name;
    text.insert(at + std::strlen(name), "TED:18+3\t");
  }
  write_file(school_.file("scuola2.txt"), text);
  std::filesystem::remove(school_.file("scuola1.txt"));
  write_file(school_.file("savego.txt"), read_file(std::string(KT_TEST_DATA) + "/savefiles/piccola-savego.txt"));
  ASSERT_EQ(run("DISP:scuola2.txt"), 0) << g_status.message;
  ASSERT_EQ(run("RIGO:scuola2.txt"), 0) << g_status.message;
  int want[kWeekSlots] = {};
  int total = 0;
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (g_eng_lessons[i].standby_marker == 1 && or_lesson_placed(i)) {
      ++want[g_eng_lessons[i].day * kHoursPerDay + g_eng_lessons[i].hour];
      ++total;
    }
  or_move_standby_count(-1, 0, 0, 0);  // forget what an earlier school left
  int grid[kWeekSlots];
  ASSERT_GT(total, 0);
  EXPECT_EQ(or_count_standby_per_slot(grid), total);
  EXPECT_EQ(std::vector<int>(grid, grid + kWeekSlots), std::vector<int>(want, want + kWeekSlots));
  EXPECT_EQ(or_count_standby_per_slot(nullptr), total);
  // A stand-by hour dragged from Monday's first hour to Tuesday's second.
  or_move_standby_count(1, 1, 0, 0);
  ++want[1 * kHoursPerDay + 1];
  --want[0];
  EXPECT_EQ(or_count_standby_per_slot(grid), total);
  EXPECT_EQ(std::vector<int>(grid, grid + kWeekSlots), std::vector<int>(want, want + kWeekSlots));
  // Out-of-week slots change nothing; a negative day makes it count anew.
  or_move_standby_count(1, kHoursPerDay, 0, 0);
  or_move_standby_count(kDays, 0, 0, 0);
  EXPECT_EQ(or_count_standby_per_slot(grid), total);
  EXPECT_EQ(grid[1 * kHoursPerDay + 1], want[1 * kHoursPerDay + 1]);
  or_move_standby_count(0, 0, -1, 0);
  EXPECT_EQ(or_count_standby_per_slot(grid), total);
  EXPECT_EQ(grid[1 * kHoursPerDay + 1], want[1 * kHoursPerDay + 1] - 1);
  or_set_standby_grid_keys(7, 9);
  int k1 = 0, k2 = 0;
  or_get_standby_grid_keys(&k1, &k2);
  EXPECT_EQ(k1, 7);
  EXPECT_EQ(k2, 9);
}

TEST_F(BoardAccessors, EachCommonRoomCountsItsLessons) {
  ASSERT_GT(g_eng_school.common_room_count, 0);
  int some = 0;
  for (int r = 0; r < g_eng_school.common_room_count; ++r) {
    int want = 0;
    for (int i = 0; i < g_eng_school.lesson_count; ++i)
      want += g_eng_lessons[i].common_room == r || g_eng_lessons[i].second_common_room == r;
    EXPECT_EQ(or_count_common_room_lessons(g_eng_common_rooms[r].name), want) << g_eng_common_rooms[r].name;
    some += want;
  }
  EXPECT_GT(some, 0);
  EXPECT_EQ(or_count_common_room_lessons("NESSUNA"), -1);
}

TEST_F(BoardAccessors, ARoomSetByNameShowsInItsGridAndIsTakenBack) {
  int lab = -1;
  for (int r = 0; r < g_eng_school.room_count && lab < 0; ++r)
    if (g_eng_rooms[r].lab_flag & 1) lab = r;
  ASSERT_GE(lab, 0);
  // A lesson in its class's room at an hour the lab is free.
  WeekGridCell lab_week[kWeekSlots];
  ASSERT_EQ(or_fill_week_grid(kGridRoom, g_eng_rooms[lab].name, lab_week), lab);
  int lesson = -1;
  for (int i = 0; i < g_eng_school.lesson_count && lesson < 0; ++i)
    if (or_lesson_placed(i) && !or_is_pseudo_class(g_eng_lessons[i].class_index) && g_eng_lessons[i].room != lab &&
        g_eng_lessons[i].common_room < 0 && or_lesson_in_other_room(i) == 0 &&
        lab_week[g_eng_lessons[i].day * kHoursPerDay + g_eng_lessons[i].hour].class_index < 0)
      lesson = i;
  ASSERT_GE(lesson, 0);
  auto in_grid = [&](int kind, const char* name) {
    WeekGridCell grid[kWeekSlots];
    or_fill_week_grid(kind, name, grid);
    const WeekGridCell& c = grid[g_eng_lessons[lesson].day * kHoursPerDay + g_eng_lessons[lesson].hour];
    WeekGridCell none{};
    none.lesson = -1;
    return c.class_index >= 0 && c.lesson == lesson ? c : none;
  };
  EXPECT_EQ(in_grid(kGridRoom, g_eng_rooms[lab].name).lesson, -1);
  or_set_lesson_room(lesson, "NESSUNA");  // no such room: nothing changes
  EXPECT_EQ(or_lesson_room_setting(lesson), kRoomSettingNone);
  or_set_lesson_room(lesson, g_eng_rooms[lab].name);
  EXPECT_EQ(or_lesson_room_setting(lesson), lab);
  EXPECT_EQ(g_eng_lessons[lesson].room.get(), lab);
  EXPECT_EQ(or_lesson_in_other_room(lesson), 1);
  WeekGridCell shown = in_grid(kGridRoom, g_eng_rooms[lab].name);
  EXPECT_EQ(shown.lesson, lesson);
  EXPECT_EQ(+shown.room_override, 1);
  WeekGridCell in_class = in_grid(kGridClass, g_eng_classes[g_eng_lessons[lesson].class_index].code);
  EXPECT_EQ(in_class.room, lab);
  // Taken back: the class's own room, marked as having no room of its own.
  or_set_lesson_room(lesson, nullptr);
  EXPECT_EQ(or_lesson_room_setting(lesson), kRoomSettingNoRoom);
  EXPECT_EQ(or_lesson_in_other_room(lesson), 0);
  EXPECT_EQ(in_grid(kGridRoom, g_eng_rooms[lab].name).lesson, -1);
  EXPECT_EQ(in_grid(kGridClass, g_eng_classes[g_eng_lessons[lesson].class_index].code).room, -1);
  // The chooser of the lessons at an hour sets a room by number.
  or_next_lesson_text_at_slot(2, lesson, lab, nullptr);
  EXPECT_EQ(or_lesson_room_setting(lesson), lab);
  EXPECT_EQ(g_eng_lessons[lesson].room.get(), lab);
  // A room number out of range, or a lesson past the table, changes nothing.
  int last = g_eng_school.lesson_count;
  int past_room = g_eng_lessons[last].room, past_setting = or_lesson_room_setting(last);
  for (auto [l, r] : {std::pair{lesson, -1}, std::pair{lesson, g_eng_school.room_count}, std::pair{-1, lab},
                      std::pair{last, lab}}) {
    or_next_lesson_text_at_slot(2, l, r, nullptr);
    EXPECT_EQ(or_lesson_room_setting(lesson), lab) << l << " " << r;
    EXPECT_EQ(g_eng_lessons[lesson].room.get(), lab) << l << " " << r;
    EXPECT_EQ(g_eng_lessons[last].room.get(), past_room) << l << " " << r;
    EXPECT_EQ(or_lesson_room_setting(last), past_setting) << l << " " << r;
  }
  // A working room changed by a search goes back to the lesson's own setting.
  g_eng_lessons[lesson].room = lab == 0 ? 1 : 0;
  or_reset_record_rooms();
  EXPECT_EQ(g_eng_lessons[lesson].room.get(), lab);
}

TEST_F(BoardAccessors, TheKeptPlacementComesBackAfterMoves) {
  EXPECT_EQ(or_keep_placement(1), 1);
  std::vector<int> kept = places();
  // Swap two placed lessons' slots.
  int a = -1, b = -1;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    if (!or_lesson_placed(i)) continue;
    if (a < 0) a = i;
    else if (g_eng_lessons[i].day != g_eng_lessons[a].day || g_eng_lessons[i].hour != g_eng_lessons[a].hour) {
      b = i;
      break;
    }
  }
  ASSERT_TRUE(a >= 0 && b >= 0);
  int da = g_eng_lessons[a].day, ha = g_eng_lessons[a].hour;
  g_eng_lessons[a].day = g_eng_lessons[b].day;
  g_eng_lessons[a].hour = g_eng_lessons[b].hour;
  g_eng_lessons[b].day = static_cast<std::uint8_t>(da);
  g_eng_lessons[b].hour = static_cast<std::uint8_t>(ha);
  EXPECT_NE(places(), kept);
  EXPECT_EQ(or_keep_placement(0), 1);
  EXPECT_EQ(places(), kept);
}

TEST_F(BoardAccessors, ASupportHourTakesTheClassGiven) {
  int lesson = -1;
  for (int i = 0; i < g_eng_school.lesson_count && lesson < 0; ++i)
    if (or_lesson_placed(i) && g_eng_lessons[i].teacher >= 0) lesson = i;
  ASSERT_GE(lesson, 0);
  const EngineLesson& l = g_eng_lessons[lesson];
  int other = l.class_index == 0 ? 1 : 0;
  // The first lesson of the teacher at that slot gets it.
  int first = -1;
  for (int i = 0; i < g_eng_school.lesson_count && first < 0; ++i)
    if (g_eng_lessons[i].teacher.get() == l.teacher.get() && g_eng_lessons[i].day == l.day && g_eng_lessons[i].hour == l.hour &&
        or_lesson_placed(i))
      first = i;
  EXPECT_EQ(or_set_support_class(l.teacher, other, l.day, l.hour), 0);
  EXPECT_EQ(or_lesson_supported_class(first), other);
  EXPECT_EQ(or_set_support_class(l.teacher, g_eng_school.class_count + 5, l.day, l.hour), 0);
  EXPECT_EQ(or_lesson_supported_class(first), -1);
  EXPECT_EQ(or_set_support_class(l.teacher, other, kDays + 1, 0), -1);
}

TEST_F(BoardAccessors, TheLessonsWaitingForALabAreCountedAndWalked) {
  int count = or_iterate_class_room_lessons(2, nullptr, nullptr, nullptr, nullptr, nullptr);
  std::vector<int> want;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (l.lab_group >= 0 && l.lab_group < g_eng_school.lab_group_count && or_lesson_room_setting(i) == kRoomSettingNone &&
        l.common_room < 0 && l.class_index >= 0) {
      int home = -1;
      for (int r = 0; r < g_eng_school.room_count && home < 0; ++r)
        if (std::strcmp(g_eng_rooms[r].name, g_eng_classes[l.class_index].code) == 0) home = r;
      if (l.room == home) want.push_back(i);
    }
  }
  EXPECT_EQ(count, static_cast<int>(want.size()));
  std::vector<int> got;
  const char *teacher = nullptr, *klass = nullptr, *group = nullptr;
  int day = -1, hour = -1;
  for (int mode = 1; or_iterate_class_room_lessons(mode, &teacher, &klass, &group, &day, &hour) == 1 && got.size() < 10000;
       mode = 0) {
    int match = -1;
    for (int i : want)
      if (g_eng_lessons[i].day == day && g_eng_lessons[i].hour == hour &&
          std::strcmp(g_eng_classes[g_eng_lessons[i].class_index].code, klass) == 0 &&
          std::strcmp(g_eng_lab_groups[g_eng_lessons[i].lab_group].name, group) == 0 &&
          std::strcmp(g_eng_teachers[g_eng_lessons[i].teacher].name, teacher) == 0 &&
          std::find(got.begin(), got.end(), i) == got.end())
        match = i;
    EXPECT_GE(match, 0) << klass << " " << group << " " << day << "/" << hour;
    got.push_back(match);
  }
  EXPECT_EQ(got.size(), want.size());
}

TEST_F(BoardAccessors, AWeekCommittedByTheBoardIsReadBackAsPlaced) {
  // Two lessons of one class swap their slots, as the board moves them.
  int a = -1, b = -1;
  for (int i = 0; i < g_eng_school.lesson_count && b < 0; ++i) {
    if (!or_lesson_placed(i) || or_is_pseudo_class(g_eng_lessons[i].class_index)) continue;
    if (a < 0) a = i;
    else if (g_eng_lessons[i].class_index.get() == g_eng_lessons[a].class_index.get() &&
             g_eng_lessons[i].teacher.get() == g_eng_lessons[a].teacher.get() && g_eng_lessons[i].day != g_eng_lessons[a].day)
      b = i;
  }
  ASSERT_TRUE(a >= 0 && b >= 0);
  int da = g_eng_lessons[a].day, ha = g_eng_lessons[a].hour;
  or_place_lesson_everywhere(a, g_eng_lessons[b].day, g_eng_lessons[b].hour);
  or_place_lesson_everywhere(b, da, ha);
  std::vector<int> placed = places();
  std::string before = read_file(school_.file("savego.txt"));
  ASSERT_EQ(or_commit_placement(0), 0) << g_status.message;
  EXPECT_NE(read_file(school_.file("savego.txt")), before);
  ASSERT_EQ(run("RIGO:scuola2.txt"), 0) << g_status.message;
  EXPECT_EQ(places(), placed);
}

}  // namespace
