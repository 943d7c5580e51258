// The one way a step that is not built yet ends a command: "processing
// impossible" (-3) with a message that names the missing step plainly in the
// run's language, and the step's name kept in g_step_not_built so the
// command line can tell it from a failure of the school's data.
#include <cstdio>

#include "engine/engine_main.h"
#include "engine/errors.h"
#include "platform/cp1252.h"

namespace {

const char* const kNotBuilt[3] = {"Funzione non ancora realizzata in questa versione: %s"_cp,
                                  "In dieser Version noch nicht verfügbar: %s"_cp,
                                  "Not built yet in this version: %s"};

}  // namespace

void or_raise_not_built(const char* step) {
  g_step_not_built = step;
  char text[200];
  std::snprintf(text, sizeof(text), or_pick_text(kNotBuilt), step);
  or_raise_impossible(text);
}
