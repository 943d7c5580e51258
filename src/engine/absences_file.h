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

// The source the substitution files name in their file errors.
inline constexpr const char* kSourceSubstitutions = "..\\Orario\\or_sost0";
// The file error of a substitution file or folder that could not be
// written or made, naming it and why (a full disk, missing rights, a file
// where the folder should be), with the caller's line. errno is `error`.
[[noreturn]] void or_raise_substitution_write_error(const char* name, int error, int line);
