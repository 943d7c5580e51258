// The commands of the engine's interpreter, one function per command word,
// run by or_main inside its error handling. Internal to the interpreter.
#pragma once

enum class CommandEnd {
  kNormal,  // the normal end: history entry, run-state 255, workers stopped
  kQuiet,   // no saved timetable while g_quiet_no_timetable is set: result 0, nothing else
};

// Runs the command of argv[1] (its first five characters, any case); a word
// that is not a command raises the usage error.
CommandEnd or_run_command(int argc, const char* const* argv);

// Raises the usage error of a call with a wrong command word or too few
// arguments (a critical error whose text is or_usage_text()).
[[noreturn]] void or_raise_usage();
