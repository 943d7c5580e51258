// A subgroup class ("GRUL:" pairing two subjects of a class) takes the
// highest free section letter of its year; when every letter of the year is
// taken, class codes grow to three characters (each class gets "A" as its
// third, its own room renamed with it) and the subgroup takes the highest
// free third letter of its class.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "loader_harness.h"

namespace {

using engine_test::class_index;

std::string year_one_classes(const std::string& letters) {
  std::string line = "GM:MAT\t\nROSSI\t";
  for (char c : letters) line += std::string("1") + c + " 1\t";
  return line + "\n";
}

const char* const kPairing = "GM:REL\t\nPAPA\t1A 1 GRUL:ALT:\t\nGM:ALT\t\nLUNA\t1A 1\t\n";

// The class of PAPA's lesson.
int papas_class() {
  int papa = engine_test::teacher_index("PAPA");
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (g_eng_lessons[i].teacher == papa) return g_eng_lessons[i].class_index;
  return -2;
}

int room_named(const char* name) {
  for (int r = 0; r < g_eng_school.room_count; ++r)
    if (std::strcmp(g_eng_rooms[r].name, name) == 0) return r;
  return -1;
}

TEST(LoaderSubgroupCodes, TheHighestFreeSectionLetterOfTheYear) {
  loader_test::Outcome o =
      loader_test::run_synt(std::string(loader_test::kWeek) + year_one_classes("ABCDEFGHIJKLMNOPQRSTUVWXY") + kPairing);
  ASSERT_EQ(o.code, 0) << o.message;
  EXPECT_EQ(g_eng_school.class_code_length, 2);
  int sub = class_index("1Z");
  ASSERT_GE(sub, 0);
  EXPECT_EQ(g_eng_classes[sub].parent, class_index("1A"));
  EXPECT_EQ(papas_class(), sub);
}

TEST(LoaderSubgroupCodes, EveryLetterTakenGrowsTheCodes) {
  loader_test::Outcome o =
      loader_test::run_synt(std::string(loader_test::kWeek) + year_one_classes("ABCDEFGHIJKLMNOPQRSTUVWXYZ") + kPairing);
  ASSERT_EQ(o.code, 0) << o.message;
  EXPECT_EQ(g_eng_school.class_code_length, 3);
  int parent = class_index("1AA");
  int sub = class_index("1AZ");
  ASSERT_GE(parent, 0);
  ASSERT_GE(sub, 0);
  EXPECT_EQ(g_eng_classes[sub].parent, parent);
  EXPECT_EQ(papas_class(), sub);
  for (const char* code : {"1BA", "1MA", "1ZA"}) {
    int c = class_index(code);
    ASSERT_GE(c, 0) << code;
    EXPECT_EQ(room_named(code), c) << code;  // each class's own room, renamed
    EXPECT_EQ(g_eng_classes[c].parent, -1) << code;
  }
  EXPECT_LT(class_index("1B"), 0);
}

}  // namespace
