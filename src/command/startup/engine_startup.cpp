// The program's start-up wiring of the engine: fills the command
// interpreter's step table and the core's services table with the real
// steps of the engine, the solver and the report writers before main runs.
// It is an object of its own that every program and test program links
// directly (kt_link_engine), so the tables are filled wherever the engine
// is linked, and a missing definition fails the link.
#include "engine/command_steps.h"
#include "engine/engine_services.h"

namespace {

[[maybe_unused]] const bool g_engine_tables_filled = [] {
  g_command_steps = or_default_command_steps();
  g_engine_services = or_default_engine_services();
  return true;
}();

}  // namespace
