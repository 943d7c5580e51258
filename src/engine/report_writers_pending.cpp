// Report writers that are not built yet: the whole report set of a run, the
// RTF and HTML conversions and the building choice of a class. Each ends the
// command naming what is missing; the report work replaces this file.
#include "engine/errors.h"
#include "engine/report_services.h"

void or_write_all_reports(int kind, int publish) {
  or_raise_not_built("or_write_all_reports (report writers)");
}

void or_convert_report_to_rtf(const char* path, int a, int b, int c) {
  or_raise_not_built("or_convert_report_to_rtf (report writers)");
}

void or_convert_report_to_html(const char* path, int a, int b) {
  or_raise_not_built("or_convert_report_to_html (report writers)");
}

void or_set_class_main_building(int class_index, int teacher) {
  or_raise_not_built("or_set_class_main_building (report writers)");
}
