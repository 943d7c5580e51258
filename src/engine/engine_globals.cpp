// The command interpreter's process-wide values: what survives from one
// engine command to the next besides the model tables. Kept in one small
// file so that every part of the engine links against the same definitions.
#include "engine/engine_main.h"
#include "engine/errors.h"

std::uint8_t g_error_exit_count = 0;
std::uint8_t g_recovery_allowed = 0;
std::uint8_t g_description_loaded = 0;
const char* g_output_folder = nullptr;

#include "engine/substitution_services.h"

SubstitutionState g_substitution_state;
