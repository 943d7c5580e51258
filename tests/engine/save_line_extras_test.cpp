// A save line carries only its own lesson's extras: the room set on one
// lesson, "no room" on another and a second teacher's points on a lab
// lesson appear on their own lines, and every other line of the saved week
// is the line it was without them (the writer keeps one line record from
// lesson to lesson). On the small sample's week read by "RIGO:" through
// or_main, saved in process as the search saves it.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/command_steps.h"
#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/save_files.h"
#include "engine/status_block.h"
#include "orario_run_support.h"

namespace {

using engine_test::read_file;

int run(const char* command) {
  g_command_steps = or_default_command_steps();
  g_status.clear();
  const char* argv[] = {"Questo non serve", command, nullptr};
  return or_main(1, 2, argv);
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

int room_named(const char* name) {
  for (int r = 0; r < g_eng_school.room_count; ++r)
    if (std::string(g_eng_rooms[r].name) == name) return r;
  return -1;
}

TEST(SaveLineExtras, OnlyTheLessonsOwnLineCarriesItsExtras) {
  engine_test::TempDir school;
  engine_test::InFolder in(school.path());
  orario_test::piccola_with_saved_week(school);
  ASSERT_EQ(run("RIGO:scuola2.txt"), 0) << g_status.message;
  or_save_timetable(kSaveNormal);
  std::vector<std::string> plain = lines_of(engine_test::unscrambled("savego.txt"));
  ASSERT_GT(plain.size(), 100u);

  int lab = room_named("LAB SCIENZE");
  ASSERT_GE(lab, 0);
  // Lesson 20 in the lab, 21 and 22 as they were, 23 with no room, 24 as it
  // was; the lines are in lesson order.
  or_set_lesson_room_setting(20, lab);
  or_set_lesson_room_setting(23, kRoomSettingNoRoom);
  or_save_timetable(kSaveNormal);
  std::vector<std::string> marked = lines_of(engine_test::unscrambled("savego.txt"));
  ASSERT_EQ(marked.size(), plain.size());
  std::set<std::size_t> changed;
  for (std::size_t k = 0; k < plain.size(); ++k)
    if (marked[k] != plain[k]) changed.insert(k);
  ASSERT_EQ(changed.size(), 2u) << marked[20] << "\n" << marked[21] << "\n" << marked[23] << "\n" << marked[24];
  EXPECT_TRUE(changed.count(20)) << marked[20];
  EXPECT_TRUE(changed.count(23)) << marked[23];
  EXPECT_EQ(marked[20], plain[20] + " STZM:LAB SCIENZE|");
  EXPECT_EQ(marked[23], plain[23] + " STZN:|");

  // Taken off again: the week saves as it was.
  or_set_lesson_room_setting(20, -1);
  or_set_lesson_room_setting(23, -1);
  or_save_timetable(kSaveNormal);
  EXPECT_EQ(lines_of(engine_test::unscrambled("savego.txt")), plain);
}

}  // namespace
