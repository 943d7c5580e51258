// The engine side of the substitution tests: an engine command run as the
// desktop program runs it, and the engine state each test starts from.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "engine/engine_main.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "engine/substitution_services.h"

namespace substitution_test {

// One engine command ("SOLO:scuola2.txt", "SOST:scuola2.txt" ...) through
// or_main, in the current folder.
inline int run(const char* command) {
  const char* argv[] = {"Questo non serve", command, nullptr};
  return or_main(1, 2, argv);
}

// The index of the teacher of that name in the loaded school, -1 for none.
inline int teacher_index(const std::string& name) {
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (name == g_eng_teachers[t].name) return t;
  return -1;
}

// The teachers the substitutions know, in the school's order (after a
// "SOLO:" run).
inline std::vector<std::string> substitution_teachers() {
  std::vector<std::string> names;
  for (int i = 0; i < g_substitution_state.teacher_count; ++i) names.push_back(g_substitution_state.teachers[i]);
  return names;
}

// The absences file of a day (1-based) on which every third teacher, from
// `first` on, is away all day.
inline std::string every_third_away(int day, std::size_t first, const std::vector<std::string>& names) {
  std::string absences = "GIORNO:" + std::to_string(day) + "\n";
  for (std::size_t i = first; i < names.size(); i += 3) absences += "ASSENTE:" + names[i] + "|Malattia|111111111111\n";
  return absences;
}

// Held by a fixture: each test starts as a fresh program does (no message,
// the normal week, no substitution day read) and leaves no day of its own
// behind for the next test of the program.
class FreshSubstitutionDay {
 public:
  FreshSubstitutionDay() {
    g_status.clear();
    g_provisional_mode = 0;
    clear_day();
  }
  ~FreshSubstitutionDay() { clear_day(); }
  FreshSubstitutionDay(const FreshSubstitutionDay&) = delete;
  FreshSubstitutionDay& operator=(const FreshSubstitutionDay&) = delete;

 private:
  static void clear_day() { std::memset(&g_substitution_state, 0, sizeof g_substitution_state); }
};

}  // namespace substitution_test
