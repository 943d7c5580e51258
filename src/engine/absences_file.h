// Reading "assenze.txt" against the loaded model (see absences_file.cpp for
// the layout); the writer is or_write_absences_file.
#pragma once

#include "engine/substitution_services.h"

struct AbsencesFileContent {
  std::int32_t day;  // 1-based
  std::int32_t reason_count;
  char reasons[kMaxAbsenceReasons][21];
  std::int32_t absent_count;
  AbsentTeacher absent[kMaxAbsentTeachers];
};

// False when the file does not exist. A file that exists but breaks the
// layout, names a teacher or reason that is not there or a day the week does
// not have ends the command ("processing impossible") naming the line.
bool or_read_absences_file(AbsencesFileContent& out);
