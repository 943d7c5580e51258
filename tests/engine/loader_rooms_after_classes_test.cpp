// A class named only by a class option ("TIPOLOCL:", read after the labs and
// lab groups): its own room goes in before the labs, and the lab groups, the
// labs' hours and the lessons still name the same rooms as when every class
// has lessons; the same wherever the lab lines stand in the description.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "loader_harness.h"

namespace {

const char* const kLabs = "LABOR:\tLAB1-CENTRO\t\nLABOR:|LAB2-CENTRO|OR:LU:1-2\t\nGRULLAB:G1|LAB2|NESSUNO|LAB1|\n";
const char* const kLines = "GM:MAT\t\nROSSI\t1A 1\t2A 1\t3A 1\t\nGM:REL\t\nPAPA\t1A 1 GRUL:ALT:\t\nGM:ALT\t\nLUNA\t1A 1\t\n";

std::string room_name(int r) { return r >= 0 && r < g_eng_school.room_count ? g_eng_rooms[r].name : "-"; }

// What the model says of rooms, by name: the lab group's first three
// rooms, LAB2's first four Monday hours, each class's own room; and whether
// every lesson is held in its class's own room.
std::vector<std::string> rooms_by_name() {
  std::vector<std::string> out;
  const EngineLabGroup& g = g_eng_lab_groups[0];
  out.push_back(std::string(g.name));
  for (int k = 0; k < 3; ++k) out.push_back(g.rooms[k] == 0xFFFF ? "none" : room_name(g.rooms[k]));
  for (int r = 0; r < g_eng_school.room_count; ++r)
    if (std::string(g_eng_rooms[r].name) == "LAB2")
      for (int h = 0; h < 4; ++h) out.push_back("LAB2 Monday " + std::to_string(h + 1) + ": " + std::to_string(g_eng_rooms[r].availability[h]));
  for (int c = 0; c < g_eng_school.class_count; ++c)
    for (int r = 0; r < g_eng_school.room_count; ++r)
      if (g_eng_rooms[r].home_class == c) out.push_back(std::string(g_eng_classes[c].code) + " in " + room_name(r));
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (room_name(l.room) != g_eng_classes[l.class_index].code)
      out.push_back("lesson " + std::to_string(i) + " of " + g_eng_classes[l.class_index].code + " in " + room_name(l.room));
  }
  return out;
}

TEST(LoaderRoomsAfterClasses, LabsKeepTheirRoomsWhenAClassComesAfterThem) {
  const std::vector<std::string> want = {"G1", "LAB2", "none", "LAB1", "LAB2 Monday 1: 1", "LAB2 Monday 2: 1",
                                         "LAB2 Monday 3: 0", "LAB2 Monday 4: 0", "1A in 1A", "2A in 2A", "3A in 3A",
                                         "1Z in 1Z"};
  for (const std::string& text : {std::string(kLabs) + kLines, std::string(kLines) + kLabs}) {
    loader_test::Outcome a = loader_test::run_synt(std::string(loader_test::kWeek) + text);
    ASSERT_EQ(a.code, 0) << a.message;
    EXPECT_EQ(rooms_by_name(), want);
  }
  // 4B has no lessons: only its option names it, read after the labs.
  std::vector<std::string> with_4b = want;
  with_4b.push_back("4B in 4B");
  loader_test::Outcome b = loader_test::run_synt(std::string(loader_test::kWeek) + kLabs + kLines + "TIPOLOCL:\t4B-3\t\n");
  ASSERT_EQ(b.code, 0) << b.message;
  EXPECT_EQ(rooms_by_name(), with_4b);
  int c = engine_test::class_index("4B");
  ASSERT_GE(c, 0);
  EXPECT_EQ(+g_eng_classes[c].room_type, 3);
}

}  // namespace
