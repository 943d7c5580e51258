// The two tables through which the core reaches the layers above it (see
// engine_services.h and command_steps.h). Both start empty; the command
// interpreter's start-up unit fills them with the real steps and services.
#include "engine/engine_services.h"

#include "engine/command_steps.h"

EngineServices g_engine_services{};
CommandSteps g_command_steps{};
