// Helpers of the description loader tests: "SYNT:" through or_main on a
// description in a temporary school folder, the steps that are not the
// loader's replaced by quiet stand-ins.
#pragma once

#include <string>

#include "engine/command_steps.h"
#include "engine/engine_main.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "engine_test_support.h"

namespace loader_test {

struct Outcome { int code; std::string message; };

// Runs "SYNT:scuola2.txt" on the given bytes; the model stays loaded for
// inspection until the next run.
inline Outcome run_synt(const std::string& bytes, int language = 0, int provisional = 0) {
  engine_test::TempDir dir;
  engine_test::InFolder in(dir.path());
  engine_test::write_file(dir.file("scuola2.txt"), bytes);
  g_command_steps = or_default_command_steps();
  g_command_steps.load_timetable = [](int) { return 1; };
  g_command_steps.check_standby_hours = [](int) { return -1; };
  g_command_steps.build_timetable_view = [] {};
  g_command_steps.reset_weights = [](int) {};
  g_status.language = language;
  g_provisional_mode = static_cast<std::uint8_t>(provisional);
  const char* argv[] = {"Questo non serve", "SYNT:scuola2.txt", nullptr};
  int code = or_main(1, 2, argv);
  g_provisional_mode = 0;
  g_status.language = 0;
  g_command_steps = or_default_command_steps();
  return {code, g_status.message};
}

// n copies of a piece of text.
inline std::string repeat(const std::string& piece, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += piece;
  return out;
}

// The lines line(0) ... line(n - 1), joined.
template <typename F>
std::string numbered(int n, F line) {
  std::string out;
  for (int i = 0; i < n; ++i) out += line(std::to_string(i));
  return out;
}

// The week of the small descriptions: five days of six hours.
inline const char* kWeek =
    "REM:Scuola di prova\n"
    "DAYS:\tLU6-LUNEDI\tMA6-MARTEDI\tME6-MERCOLEDI\tGI6-GIOVEDI\tVE6-VENERDI\tSA0-SABATO\tDO0-DOMENICA\t\n";

}  // namespace loader_test
