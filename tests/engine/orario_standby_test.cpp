// Stand-by hours placed by the orario program ("DISP:") on a computed
// timetable. A stand-by hour that cannot be placed without adding to its
// teacher's errors is still placed: in the first free hour right after one of
// the teacher's lessons ("ALLOCATA COMUNQUE"), never in a busy hour, and the
// save keeps it there. On a school with buildings a stand-by hour is in the
// building of its pseudo-class, so a teacher who teaches in one building does
// not change building for it.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "orario_run_support.h"
#include "test_temp_folder.h"

using engine_test::read_file;
using engine_test::TempDir;
using engine_test::write_file;
using orario_test::Outcome;
using orario_test::run_orario;

namespace {

using Slot = std::pair<int, int>;  // day, hour

// The slots that the fallback line names for a teacher, in printed order.
std::vector<Slot> fallback_slots(const std::string& out, const std::string& teacher) {
  std::vector<Slot> slots;
  std::istringstream lines(out);
  std::string line;
  std::string mark = "-" + teacher + " ORA DISPOSIZIONE ALLOCATA COMUNQUE ";
  while (std::getline(lines, line)) {
    std::size_t at = line.find(mark);
    if (at == std::string::npos) continue;
    int d = -1, h = -1;
    if (std::sscanf(line.c_str() + at + mark.size(), "%d %d", &d, &h) == 2) slots.emplace_back(d, h);
  }
  return slots;
}

// A teacher's hours in the unscrambled save: its lessons ("0001 2 3 ...") and
// its stand-by hours ("0105D 2 3 ...").
struct TeacherHours {
  std::set<Slot> lessons, standby;
};

TeacherHours hours_of(const std::string& save, const std::string& teacher) {
  TeacherHours hours;
  std::istringstream lines(save);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.find(" " + teacher + " (") == std::string::npos) continue;
    char index[16] = {};
    int d = -1, h = -1;
    if (std::sscanf(line.c_str(), "%15s %d %d", index, &d, &h) != 3) continue;
    std::string id = index;
    (id.back() == 'D' ? hours.standby : hours.lessons).insert({d, h});
  }
  return hours;
}

TEST(OrarioStandby, HoursThatCannotBePlacedWithoutErrorsFollowALessonOfTheirTeacher) {
  TempDir school;
  // ROSSI teaches on five days of the reference week; allowed four, he
  // breaks that limit whatever hour a stand-by hour takes.
  std::set<Slot> taught = hours_of(read_file(std::string(KT_TEST_DATA) + "/savefiles/piccola-savego.txt"), "ROSSI").lessons;
  ASSERT_EQ(taught.size(), 18u);
  orario_test::piccola_with_saved_week(school, "V:\tROSSI\tLI:SA:\t", "V:\tROSSI\tLI:SA:\tGMAX:4\t");
  std::string text = read_file(school.file("scuola2.txt"));
  std::size_t at = text.find("ROSSI\t1A 6\t");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 6, "ROSSI\tTED:18+2\t");  // two stand-by hours
  write_file(school.file("scuola2.txt"), text);
  Outcome o = run_orario(school, "", "DISP:scuola2.txt");
  ASSERT_EQ(o.status, 0) << o.err;

  // ROSSI's lessons leave no hour where a stand-by hour adds no error: both
  // hours go through the fallback.
  std::vector<Slot> printed = fallback_slots(o.out, "ROSSI");
  ASSERT_EQ(printed.size(), 2u) << o.out;
  EXPECT_NE(o.out.find("ROSSI ORA DISPOSIZIONE NON ALLOCABILE cerco buca"), std::string::npos);
  EXPECT_EQ(o.out.find("ROSSI ORA DISPOSIZIONE NON ALLOCABILE SENZA ERRORE"), std::string::npos);

  kt_test::InDriveRoot in_school(school.path(), school.path());
  std::string save = engine_test::unscrambled("savego.txt");
  TeacherHours rossi = hours_of(save, "ROSSI");
  ASSERT_EQ(rossi.lessons.size(), 18u) << save;
  EXPECT_EQ(rossi.standby, std::set<Slot>(printed.begin(), printed.end())) << save;

  // Each goes to the first hour (hour by hour, day by day of the six-day,
  // five-hour week) that is free and follows one of ROSSI's lessons; the
  // first stand-by hour is busy for the second.
  std::set<Slot> busy = rossi.lessons;
  for (const Slot& got : printed) {
    Slot expected{-1, -1};
    for (int h = 1; h < 5 && expected.first < 0; ++h)
      for (int d = 0; d < 6 && expected.first < 0; ++d)
        if (!busy.count({d, h}) && rossi.lessons.count({d, h - 1})) expected = {d, h};
    EXPECT_EQ(got, expected);
    busy.insert(got);
  }
}

// The liceo with its reference week, in which every teacher stays in one
// building: FONTANA and SANTORO teach in the main building only, FARINA in the
// annex only. Their stand-by hours sit in pseudo-classes of those buildings,
// so placing them next to their lessons moves no one between buildings: the
// placement takes the hours right after lessons, and the check that ends the
// command finds no building transfer.
TEST(OrarioStandby, HoursInAPseudoClassOfTheTeachersBuildingAddNoTransfer) {
  TempDir school;
  std::string text = read_file(std::string(KT_SOURCE_DIR) + "/examples/liceo/scuola2.txt");
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"FONTANA\t1AS 4\t\n", "FONTANA\t1AS 4\tTED:+2\t\n"},
           {"SANTORO\t1BS 4\t\n", "SANTORO\t1BS 4\tTED:+2\t\n"},
           {"FARINA\t3AL 2\t\n", "FARINA\t3AL 2\tTED:+2\t\n"}}) {
    std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
  }
  write_file(school.file("scuola2.txt"), text);
  write_file(school.file("savego.txt"), read_file(std::string(KT_TEST_DATA) + "/savefiles/liceo-savego.txt"));
  Outcome before = run_orario(school, "", "SNOD:scuola2.txt");
  ASSERT_EQ(before.status, 0) << before.err;
  ASSERT_EQ(before.out.find("TRASFERIMENTO PLESSO"), std::string::npos) << before.out;

  Outcome o = run_orario(school, "", "DISP:scuola2.txt");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out.find("TRASFERIMENTO PLESSO"), std::string::npos) << o.out;
  EXPECT_EQ(o.out.find("ORA DISPOSIZIONE ALLOCATA COMUNQUE"), std::string::npos)
      << "every hour finds a slot that adds no error\n" << o.out;

  kt_test::InDriveRoot in_school(school.path(), school.path());
  std::string save = engine_test::unscrambled("savego.txt");
  for (const char* teacher : {"FONTANA", "SANTORO", "FARINA"})
    EXPECT_EQ(hours_of(save, teacher).standby.size(), 2u) << teacher << "\n" << save;
}

}  // namespace
