// Files of the report conversions: reading a finished text report whole,
// naming the files derived from it, and writing an output through a
// temporary file that replaces the old output only when it is complete.
//
// Every conversion starts the same way: no work in a test run, a name check,
// the report read line by line, nothing for an empty report. Lines are read
// whole, however long (wall charts reach several thousand characters), with
// "\r\n" taken as "\n". Reports are small (a few hundred kilobytes at most),
// so a conversion holds the whole report in memory.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

// Reads one line with its newline; false at the end of the file.
bool read_report_line(std::FILE* f, std::string& line);

// True in the test runs (run modes 13 and 14), which convert nothing.
bool report_conversions_disabled();

bool ends_with_nocase(std::string_view text, std::string_view suffix);
// The folder part of a path with its final '\\' or '/', or empty.
std::string report_folder(std::string_view path);
// The file name without folder and without its extension.
std::string report_stem(std::string_view path);
// The path with the extension after the file name's last '.' replaced.
std::string replace_report_extension(std::string_view path, std::string_view extension);

// A text report read whole. The constructor checks the name against the
// accepted extensions ("Nome file [%s] di testo errato") and raises
// "File [%s] non trovato" when the report cannot be opened.
struct ReportText {
  ReportText(const std::string& path, std::initializer_list<std::string_view> extensions, const char* source);
  std::vector<std::string> lines;  // each with its newline when it had one
  bool empty() const { return lines.empty(); }
};

// An output file written as "<path>.tmp" and renamed over `path` by commit();
// dropped (temporary file deleted) when destroyed before commit().
class ReportOutput {
 public:
  ReportOutput() = default;
  ReportOutput(const ReportOutput&) = delete;
  ReportOutput& operator=(const ReportOutput&) = delete;
  ~ReportOutput();

  // Opens the temporary file; on failure raises "File [%s] errore output"
  // when `raise` is set, else returns false.
  bool open(const std::string& path, const char* source, bool raise = true);
  void put(std::string_view text);
  [[gnu::format(printf, 2, 3)]] void printf(const char* format, ...);
  // Closes the file and puts it in place; a write or rename failure raises
  // "File [%s] errore output".
  void commit();

 private:
  std::FILE* file_ = nullptr;
  std::string path_, temp_;
  const char* source_ = "";
  // The errno of the first write that failed: by the time the file is
  // flushed and closed the stream only remembers that one did.
  int write_error_ = 0;
};

}  // namespace kt
