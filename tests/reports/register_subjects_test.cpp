// The register export's subject and class for a lesson whose subject was
// changed from the one its line gave (a paired subject): a class of its own
// books the lesson's subject, a class merged into another books the line's
// first subject under the name of the class it is merged into.
#include <gtest/gtest.h>

#include <string>

#include "reports/model_school_fixture.h"

using save_test::add_class;
using save_test::add_lesson;
using save_test::add_subject;
using save_test::place;

namespace {

class RegisterSubjects : public report_test::ModelSchool {};

TEST_F(RegisterSubjects, OwnClassesBookTheSubjectMergedOnesTheFirstSubject) {
  StartSchool(2, 4);
  NameDays();
  g_eng_school.standby_grouping = -1;
  g_room_report_flag = 0;
  int a = add_class("1A"), b = add_class("1B");
  g_eng_classes[b].parent = a;
  g_eng_school.real_class_count = 2;
  int rossi = report_test::add_teacher("ROSSI"), verdi = report_test::add_teacher("VERDI");
  g_eng_teachers[rossi].reception_handled = g_eng_teachers[verdi].reception_handled = 1;
  int ita = add_subject("ITALIANO"), mat = add_subject("MATEMATICA");
  int own = add_lesson(rossi, a, ita), merged = add_lesson(verdi, b, ita);
  g_eng_lessons[own].subject = mat;
  g_eng_lessons[merged].subject = mat;
  place(own, 0, 0);
  place(merged, 1, 2);
  g_eng_run.run_mode = 0;  // a computed timetable's run: the test runs write no export
  or_count_hours(0);
  or_write_all_reports(110, 0);
  std::string text = folder.read("Orario/Registro_Mastercom.csv");
  EXPECT_EQ(text,
            "classe;materia;professore;giorno;ora_inizio;durata\n"
            "1A;MATEMATICA;ROSSI;0;0;1\n"
            "1A;ITALIANO;VERDI;1;2;1\n");
}

}  // namespace
