// Default services of the report conversions (see report_services.h): real
// files below the translated paths, errors as exceptions with the engine's
// message layout, the system clock. The engine replaces the table with its
// own at start-up; only the command-line converter and tests use these as
// they stand.
#include "reports/report_services.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "engine/errors.h"
#include "engine/text_lines.h"
#include "platform/paths.h"

namespace kt {
namespace {

std::string format_file_error(const char* file, const char* text, const char* source, int line) {
  char buf[1200];
  std::snprintf(buf, sizeof buf, "(%d) Errore File \n[%.400s]\n[%.400s]\n[%s, line:%d, errno=%d, GLE=%d, s=%d]\n",
                0, file ? file : "", text ? text : "", source ? source : "", line, errno, 0, 0);
  return buf;
}

std::string format_critical_error(const char* text, int value, const char* source, int line) {
  char buf[800];
  std::snprintf(buf, sizeof buf, "(%d) Errore critico [%.400s][%d]\n[%s, line:%d, errno=%d, GLE=%d, s=%d]\n", 0,
                text ? text : "", value, source ? source : "", line, errno, 0, 0);
  return buf;
}

ReportServices& current() {
  static ReportServices services = default_report_services();
  return services;
}

}  // namespace

ReportServices default_report_services() {
  ReportServices s;
  s.or_fopen = [](const char* path, const char* mode) -> std::FILE* {
    std::string native = translate_path(path);
    // "t" means nothing on this system; the streams are byte streams.
    std::string m;
    for (const char* c = mode; *c; ++c)
      if (*c != 't') m += *c;
    return std::fopen(native.c_str(), m.c_str());
  };
  s.or_raise_file_error = [](const char* file, const char* text, const char* source, int line) {
    throw ReportError(-1, format_file_error(file, text, source, line));
  };
  s.or_raise_critical_error = [](const char* text, int value, const char* source, int line) {
    throw ReportError(-1, format_critical_error(text, value, source, line));
  };
  s.make_folder = [](const char* folder) {
    std::string native = translate_path(folder);
    if (::mkdir(native.c_str(), 0777) == 0) return true;
    struct stat st;
    return errno == EEXIST && ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  };
  s.delete_file = [](const char* path) { std::remove(translate_path(path).c_str()); };
  s.rename_file = [](const char* from, const char* to) {
    return std::rename(translate_path(from).c_str(), translate_path(to).c_str()) == 0;
  };
  s.institution_heading = [] { return std::string("(non assegnato)"); };
  s.language = [] { return 0; };
  s.run_mode = [] { return 0; };
  s.provisional_mode = [] { return false; };
  s.rtf_text_form_option = [] { return false; };
  s.table_blank_paragraphs = [] { return 0; };
  s.local_time = [] {
    std::time_t now = std::time(nullptr);
    std::tm t{};
    ::localtime_r(&now, &t);
    return t;
  };
  return s;
}

ReportServices& report_services() { return current(); }

void set_report_services(ReportServices services) { current() = std::move(services); }

std::string report_institution_heading() {
  std::string heading = report_services().institution_heading();
  return heading.empty() ? "(non assegnato)" : heading;
}

const char* report_file_error_hint(int language) { return or_close_document_hint(language); }

void report_file_error(const char* text, const std::string& path, const char* source, int line,
                       const char* reason) {
  int error = errno;  // the reporter tells why the file failed
  std::string message = text;
  std::size_t at = message.find("%s");
  if (at != std::string::npos) message.replace(at, 2, or_shown_file_name(path.c_str()));
  errno = error;
  const char* hint = reason ? reason : report_file_error_hint(report_services().language());
  report_services().or_raise_file_error(message.c_str(), hint, source, line);
  throw ReportError(-1, format_file_error(message.c_str(), hint, source, line));
}

void report_critical_error(const char* text, int value, const char* source, int line) {
  report_services().or_raise_critical_error(text, value, source, line);
  throw ReportError(-1, format_critical_error(text, value, source, line));
}

}  // namespace kt
