// The short codes the short class table gives the subjects, read from its
// legend: the first letter, then the first letter after the name's last
// space or stop (a last word of one character included, a stop that ends the
// name adding nothing), and a code that two subjects would share grown by
// the next letter of the shorter name until they differ; a name given twice
// shares the first one's code.
#include <gtest/gtest.h>

#include <string>

#include "reports/model_school_fixture.h"

using save_test::add_class;
using save_test::add_lesson;
using save_test::add_subject;
using save_test::place;

namespace {

class SubjectCodes : public report_test::ModelSchool {};

TEST_F(SubjectCodes, TheShortTableLegendGivesEachSubjectItsCode) {
  StartSchool(2, 4);
  NameDays();
  g_eng_school.standby_grouping = -1;
  g_room_report_flag = 0;
  int a = add_class("1A");
  g_eng_school.real_class_count = 1;
  int t = report_test::add_teacher("ROSSI");
  g_eng_teachers[t].reception_handled = 1;
  const char* const names[] = {"INGLESE", "INGLESE 2", "SCIENZE", "SCIENZE MOTORIE", "STORIA", "LAB.", "INGLESE"};
  int slot = 0;
  for (const char* name : names) {
    int s = add_subject(name);
    place(add_lesson(t, a, s), slot / 4, slot % 4);
    ++slot;
  }
  or_count_hours(0);
  or_write_all_reports(110, 0);
  std::string brief = folder.read("Orario/Tabella Classi Breve.txt");
  for (const char* entry : {" I=INGLESE             |", "I2=INGLESE 2           |", "SC=SCIENZE             |",
                            "SM=SCIENZE MOTORIE     |", " S=STORIA              |", " L=LAB.                |"})
    EXPECT_NE(brief.find(entry), std::string::npos) << entry << "\n" << brief;
}

}  // namespace
