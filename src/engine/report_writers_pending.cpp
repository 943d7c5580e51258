// Weak stand-ins for the report writers, so that the engine core links on
// its own (its tests link kt_engine alone). Programs that link the report
// library whole replace them with the real writers (orario does).
//
// Each stand-in ends the command naming what is missing, exactly as an
// unbuilt step does, so a program linked without the report library says
// so plainly instead of writing no reports in silence.
#include "engine/errors.h"
#include "engine/report_services.h"

[[gnu::weak]] void or_write_all_reports(int kind, int publish) {
  or_raise_not_built("or_write_all_reports (report writers)");
}

[[gnu::weak]] void or_set_class_main_building(int class_index, int teacher) {
  or_raise_not_built("or_set_class_main_building (report writers)");
}
