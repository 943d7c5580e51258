// Line storage shared by the school-file writers and readers: a writer
// gathers the lines of a whole file in memory, each scrambled (the normal
// form) or plain, and replaces the file through a temporary file in the same
// folder, so a failed write leaves the old file whole. The reader splits a
// file into its logical lines, unscrambled, without line ends.
//
// Seeds of scrambled lines come from a replaceable source so that tests can
// write the same bytes twice. Texts are code page 1252.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The seed source of scrambled school-file lines; null restores the clock-
// seeded generator of the line writers.
void og_set_school_line_seed_source(std::uint8_t (*source)());
// Non-zero: the writers store plain lines (hand-editable copies, tests).
extern std::uint8_t g_school_files_plain;

class SchoolFileText {
 public:
  // Adds one line; the text holds no line end.
  void line(const std::string& text);
  // Writes every line to path (a Windows-style or local path) through a
  // temporary file; false and the old file untouched on any failure.
  bool commit(const std::string& path) const;
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// Reads the logical lines of a file; false when it cannot be opened.
bool og_read_school_lines(const std::string& path, std::vector<std::string>& lines);

// Splits the fields after a line's keyword at '|', dropping empty ones.
std::vector<std::string> og_split_fields(const std::string& rest);
