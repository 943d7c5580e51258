// The engine's side of the report services (see engine_report_services.h).
// The conversions only see kt::ReportServices; here each member is bound to
// the engine's own call, so a file the conversions cannot write ends the
// engine command exactly like a report writer's own file error does.
//
// Streams the conversions open are taken off the engine's list of open
// streams, because the conversions close them themselves (a stream closed
// twice would be undefined). Also holds the engine's three-argument form of
// the HTML conversion.
#include "reports/engine_report_services.h"

#include <cstdio>
#include <string>

#include "engine/errors.h"
#include "engine/model.h"
#include "engine/run_files.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "reports/conversions.h"
#include "engine/report_services.h"
#include "platform/paths.h"
#include "reports/report_services.h"

void or_plug_engine_report_services() {
  kt::ReportServices s = kt::default_report_services();
  // The conversions close their own streams, so the engine must not list
  // them among the streams its error paths close.
  s.or_fopen = [](const char* path, const char* mode) {
    std::FILE* f = or_fopen(path, mode);
    if (f) or_forget_stream(f);
    return f;
  };
  s.or_raise_file_error = [](const char* file, const char* text, const char* source, int line) {
    or_raise_file_error(file, text, source, line);
  };
  s.or_raise_critical_error = [](const char* text, int value, const char* source, int line) {
    or_raise_critical_error(text, value, source, line);
  };
  s.delete_file = [](const char* path) { og_delete_file_if_present(path); };
  // A conversion's output is renamed into place at the command's end, with
  // the command's other files.
  s.rename_file = [](const char* from, const char* to) {
    std::string native_from = kt::translate_path(from), native_to = kt::translate_path(to);
    if (or_run_files_rename(native_from, native_to)) return true;
    return std::rename(native_from.c_str(), native_to.c_str()) == 0;
  };
  s.institution_heading = [] { return std::string(g_eng_school.title); };
  s.language = [] { return or_language(); };
  s.run_mode = [] { return static_cast<int>(g_eng_run.run_mode); };
  s.provisional_mode = [] { return g_provisional_mode != 0; };
  s.rtf_text_form_option = [] { return g_rtf_text_form_option != 0; };
  s.table_blank_paragraphs = [] { return static_cast<int>(g_table_blank_paragraphs); };
  kt::set_report_services(std::move(s));
}

// The engine's form of the HTML conversion (the classroom allocation calls it
// with the options and a second argument that the conversion does not use).
void or_convert_report_to_html(const char* path, int options, int) { or_convert_report_to_html(path, options); }
