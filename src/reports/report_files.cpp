// Reading whole text reports and writing conversion outputs through a
// temporary file; see report_files.h. All file access goes through the
// plugged report services, so the engine's file-open call and error
// reporters are the ones in force.
#include "reports/report_files.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>

#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "reports/report_services.h"

namespace kt {

bool read_report_line(std::FILE* f, std::string& line) {
  line.clear();
  int c;
  // The stream is this reader's alone: the unlocked read spares a lock per
  // character of reports that run to megabytes.
  while ((c = getc_unlocked(f)) != EOF) {
    line += static_cast<char>(c);
    if (c == '\n') break;
  }
  if (line.size() >= 2 && line[line.size() - 1] == '\n' && line[line.size() - 2] == '\r') {
    line.erase(line.size() - 2, 1);
  }
  return !line.empty();
}

bool report_conversions_disabled() {
  int mode = report_services().run_mode();
  return mode == 13 || mode == 14;
}

bool ends_with_nocase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  std::string a(text.substr(text.size() - suffix.size()));
  std::string b(suffix);
  return cp1252_casecmp(a.c_str(), b.c_str()) == 0;
}

static std::size_t name_start(std::string_view path) {
  std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? 0 : slash + 1;
}

std::string report_folder(std::string_view path) { return std::string(path.substr(0, name_start(path))); }

std::string report_stem(std::string_view path) {
  std::string_view name = path.substr(name_start(path));
  std::size_t dot = name.rfind('.');
  return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string replace_report_extension(std::string_view path, std::string_view extension) {
  std::size_t start = name_start(path);
  std::size_t dot = path.rfind('.');
  std::string out(path.substr(0, (dot == std::string_view::npos || dot < start) ? path.size() : dot));
  out += extension;
  return out;
}

ReportText::ReportText(const std::string& path, std::initializer_list<std::string_view> extensions,
                       const char* source) {
  bool named_right = false;
  for (std::string_view e : extensions) named_right = named_right || ends_with_nocase(path, e);
  if (!named_right) report_file_error("Nome file [%s] di testo errato", path, source, __LINE__);
  std::FILE* f = report_services().or_fopen(path.c_str(), "rt");
  if (!f) report_file_error("File [%s] non trovato", path, source, __LINE__);
  std::string line;
  while (read_report_line(f, line)) lines.push_back(line);
  // A read error is not the end of the report: converting half of it would
  // replace a good output with a short one.
  bool failed = std::ferror(f) != 0;
  int error = errno;
  std::fclose(f);
  if (failed) {
    errno = error;
    report_file_error("File [%s] errore lettura", path, source, __LINE__);
  }
}

ReportOutput::~ReportOutput() {
  if (file_) {
    std::fclose(file_);
    report_services().delete_file(temp_.c_str());
  }
}

bool ReportOutput::open(const std::string& path, const char* source, bool raise) {
  path_ = path;
  // Unique per process and output, so two runs or two outputs of one name
  // never share a temporary file.
  static std::atomic<unsigned> counter{0};
  temp_ = path + ".~" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
  source_ = source;
  errno = 0;
  write_error_ = 0;
  file_ = report_services().or_fopen(temp_.c_str(), "wt");
  if (!file_ && raise) {
    int error = errno;
    const char* reason = or_create_failure_reason(error, report_services().language());
    errno = error;
    report_file_error("File [%s] errore output", path, source, __LINE__, reason);
  }
  return file_ != nullptr;
}

void ReportOutput::put(std::string_view text) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() && write_error_ == 0) write_error_ = errno;
}

void ReportOutput::printf(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  errno = 0;
  if (std::vfprintf(file_, format, args) < 0 && write_error_ == 0) write_error_ = errno;
  va_end(args);
}

void ReportOutput::commit() {
  errno = 0;
  int error = std::fflush(file_) != 0 || std::ferror(file_) ? (errno ? errno : write_error_ ? write_error_ : EIO) : 0;
  errno = 0;
  if (std::fclose(file_) != 0 && error == 0) error = errno ? errno : EIO;
  file_ = nullptr;
  errno = 0;
  bool renamed = error == 0 && report_services().rename_file(temp_.c_str(), path_.c_str());
  bool written = error == 0;
  if (!renamed && error == 0) error = errno;
  if (!renamed) {
    report_services().delete_file(temp_.c_str());
    errno = error;
    // A file written whole that cannot take its name says why its place
    // refused it (a folder there, no rights), as creating it would.
    const char* reason = !error     ? nullptr
                         : written ? or_create_failure_reason(error, report_services().language())
                                   : or_write_failure_reason(error, report_services().language());
    report_file_error("File [%s] errore output", path_, source_, __LINE__, reason);
  }
}

}  // namespace kt
