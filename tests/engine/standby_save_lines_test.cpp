// Stand-by hours in the saved week: placed by "DISP:" on the small school's
// saved week, written as their teachers' "D" lines, read back onto the
// teachers' free stand-by lessons; a line of a teacher who is no longer in
// the school is passed over, the others still read and its hour placed again.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <sstream>
#include <string>

#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "orario_run_support.h"

namespace {

int run(const char* command) {
  g_status.clear();
  const char* argv[] = {"orario", command, nullptr};
  return or_main(1, 2, argv);
}

// Each teacher's placed stand-by lessons.
std::map<std::string, int> placed_standby() {
  std::map<std::string, int> out;
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (g_eng_lessons[i].standby_marker == 1 && or_lesson_placed(i)) ++out[g_eng_teachers[g_eng_lessons[i].teacher].name];
  return out;
}

// The save's stand-by lines by teacher.
std::map<std::string, int> standby_lines(const std::string& save) {
  std::map<std::string, int> out;
  std::istringstream in(save);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string id, day, hour, klass, index, teacher;
    fields >> id >> day >> hour >> klass >> index >> teacher;
    if (!id.empty() && id.back() == 'D') ++out[teacher];
  }
  return out;
}

TEST(StandbySaveLines, PlacedHoursAreSavedAndReadBackAndALostTeachersLineIsPassedOver) {
  engine_test::TempDir school;
  engine_test::InFolder in(school.path());
  orario_test::piccola_with_saved_week(school);
  std::string text = engine_test::read_file(school.file("scuola2.txt"));
  for (const char* name : {"\nBIANCHI\t", "\nFERRARI\t", "\nGALLO\t"}) {
    std::size_t at = text.find(name);
    ASSERT_NE(at, std::string::npos) << name;
    text.insert(at + std::strlen(name), "TED:18+3\t");
  }
  engine_test::write_file(school.file("scuola2.txt"), text);
  ASSERT_EQ(run("DISP:scuola2.txt"), 0) << g_status.message;
  const std::map<std::string, int> three = {{"BIANCHI", 3}, {"FERRARI", 3}, {"GALLO", 3}};
  EXPECT_EQ(placed_standby(), three);
  std::string save = engine_test::unscrambled("savego.txt");
  EXPECT_EQ(standby_lines(save), three) << save;
  // Read back as the board reads it.
  ASSERT_EQ(run("RIGO:scuola2.txt"), 0) << g_status.message;
  EXPECT_EQ(placed_standby(), three);
  // One of BIANCHI's lines names a teacher who left.
  std::size_t at = save.find(" BIANCHI (");
  while (at != std::string::npos && save[save.rfind('\n', at) + 5] != 'D') at = save.find(" BIANCHI (", at + 1);
  ASSERT_NE(at, std::string::npos) << save;
  save.replace(at, 9, " NESSUNO ");
  engine_test::write_file(school.file("savego.txt"), save);
  ASSERT_EQ(run("RIGO:scuola2.txt"), 0) << g_status.message;
  std::map<std::string, int> got = placed_standby();
  EXPECT_EQ(got["FERRARI"], 3);
  EXPECT_EQ(got["GALLO"], 3);
  EXPECT_EQ(got["BIANCHI"], 3);  // the hour whose line was lost is placed again
}

}  // namespace
