// What the command interpreter uses of the substitutions: the absences file,
// the daily substitution run and the substitution reports, and the absence
// reasons the substitution page and the engine share.
#pragma once

#include <cstdint>

inline constexpr int kMaxAbsenceReasons = 40;

struct SubstitutionState {
  char reasons[kMaxAbsenceReasons][21];
  std::int32_t reason_count;  // 0 = none set yet
};
extern SubstitutionState g_substitution_state;

void or_write_absences_file();
void or_run_substitutions(int mode);
void or_write_substitution_reports();
