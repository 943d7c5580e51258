// The substitutions of the day, shared by the engine and the substitution
// page: the absence reasons, the chosen day, the absent teachers with their
// hours, and the result of the last computation. The page fills the day and
// the absences, "SOSA:" writes them to "assenze.txt", "SOST:" reads that file
// back (against the loaded model), computes who covers each absent teacher's
// lessons and keeps the rows here and in ".\\Sostituzioni\\", and "SOSX:"
// writes the reports of those rows.
//
// Everything is fixed-size and plain: the page edits it on the user-interface
// thread while no engine command runs, as it does the timetable view.
#pragma once

#include <cstdint>

inline constexpr int kMaxAbsenceReasons = 40;
inline constexpr int kMaxAbsentTeachers = 100;   // a school's whole staff is rarely away on one day
inline constexpr int kMaxSubstitutionRows = 600; // absent teachers' lessons of one day, 12 hours each
inline constexpr int kMaxSubstitutionTeachers = 500;  // the model's teacher limit
inline constexpr int kAbsenceHours = 12;

struct AbsentTeacher {
  char name[21];
  std::int32_t reason;                 // index into the reasons
  std::uint8_t hours[kAbsenceHours];   // 1 = away at that hour of the day
};

// How a lesson of an absent teacher is covered.
enum SubstitutionKind : std::int32_t { kUncovered = 0, kCoveredByStandby = 1, kCoveredByClassTeacher = 2 };

struct SubstitutionRow {
  std::int32_t hour;  // 0-based
  char class_name[21];
  char absent[21];
  char substitute[21];  // empty when uncovered
  std::int32_t kind;
};

struct SubstitutionState {
  char reasons[kMaxAbsenceReasons][21];
  std::int32_t reason_count;  // 0 = none set yet
  // The school as the last "SOLO:" or "SOST:" loaded it (names for the page).
  std::int32_t day_count;
  std::uint8_t hours_per_day[7];
  char day_names[7][21];
  std::int32_t teacher_count;
  char teachers[kMaxSubstitutionTeachers][21];
  std::int32_t teacher_index[kMaxSubstitutionTeachers];  // engine teacher of each name
  // The day worked on, 1-based; 0 while nothing was loaded or chosen.
  std::int32_t day;
  std::int32_t absent_count;
  AbsentTeacher absent[kMaxAbsentTeachers];
  // The last computation: rows ordered by hour, then class.
  std::int32_t computed_day;  // 1-based; 0: nothing computed
  std::int32_t row_count;
  SubstitutionRow rows[kMaxSubstitutionRows];
};
extern SubstitutionState g_substitution_state;

// Empties the day, the absences and the result (the reasons stay).
void or_clear_substitution_day();

// "SOSA:": writes "assenze.txt" from the state (no model needed).
void or_write_absences_file();
// Mode 0 ("SOST:"): reads "assenze.txt", computes the day's substitutions on
// the loaded timetable and writes them into ".\\Sostituzioni\\". Mode 1
// ("SOLO:"): only loads the school's names and the absences for the page.
// A damaged file ends the command with a message and changes nothing.
void or_run_substitutions(int mode);
// "SOSX:": writes the substitution reports (text and RTF) of the last
// computation into ".\\Sostituzioni\\".
void or_write_substitution_reports();

inline constexpr const char* kAbsencesFile = ".\\assenze.txt";
inline constexpr const char* kSubstitutionFolder = ".\\Sostituzioni\\";
