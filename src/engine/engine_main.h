// The engine's single entry: runs one command word on one school description
// and returns the result code; the message for the user is left in
// g_status.message.
#pragma once

#include <cstdint>

// Result codes of or_main.
inline constexpr int kResultOk = 0;
inline constexpr int kResultError = -1;
inline constexpr int kResultConfig = -2;
inline constexpr int kResultImpossible = -3;
inline constexpr int kResultTestFirstError = -998;
inline constexpr int kResultRecovered = -999;

int or_main(int from_gui, int argc, const char* const* argv);

// The engine's usage text, which a call with a wrong command word or too few
// arguments leaves in the message.
const char* or_usage_text();
// False for an option word (argv[2]) that the command word does not know:
// "calc:" and "repo:" take only their own words, which the engine would
// refuse as a critical error. Other commands take anything there.
bool or_command_option_known(const char* word, const char* option);
// The cycle limit of "bila:" and "misv:" when the call gives none (argv[3]).
inline constexpr int kDefaultPhaseCycles = 100000;

// Copies the day names of the user's language into the school settings.
void or_set_day_names();

extern std::uint8_t g_error_exit_count;  // error exits since the last normal end
extern std::uint8_t g_recovery_allowed;  // 157: the combination test switched recovery off
// Set once a command's description was loaded whole; a failure before that
// point (a missing description, a syntax error) never starts the recovery.
extern std::uint8_t g_description_loaded;
