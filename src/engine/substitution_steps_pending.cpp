// Substitution steps that are not built yet: the absences file, the daily
// substitution run and the substitution reports. Each ends the command naming
// what is missing; the substitution work replaces this file.
#include "engine/errors.h"
#include "engine/substitution_services.h"

void or_write_absences_file() { or_raise_not_built("or_write_absences_file (substitutions)"); }

void or_run_substitutions(int mode) { or_raise_not_built("or_run_substitutions (substitutions)"); }

void or_write_substitution_reports() {
  or_raise_not_built("or_write_substitution_reports (substitutions)");
}
