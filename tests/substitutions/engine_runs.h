// The engine side of the substitution tests: an engine command run as the
// desktop program runs it, and the engine state each test starts from.
#pragma once

#include <cstring>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "engine/substitution_services.h"

namespace substitution_test {

// One engine command ("SOLO:scuola2.txt", "SOST:scuola2.txt" ...) through
// or_main, in the current folder.
inline int run(const char* command) {
  const char* argv[] = {"Questo non serve", command, nullptr};
  return or_main(1, 2, argv);
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
