// Line storage shared by the school-file writers and readers: a writer
// gathers the lines of a whole file in memory, each scrambled (the normal
// form) or plain, and replaces the file through a temporary file in the same
// folder, so a failed write leaves the old file whole. The reader hands a
// file's logical lines, unscrambled and without line ends, to its caller one
// at a time, and tells a file it cannot use from one that is missing.
//
// Seeds of scrambled lines come from a replaceable source so that tests can
// write the same bytes twice. Texts are code page 1252.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
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
  // temporary file; false and the old file untouched on any failure, with
  // errno in *error.
  bool commit(const std::string& path, int* error = nullptr) const;
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// The path on this machine of a school-file name (Windows-style names are
// translated; absolute local paths stay as they are).
std::string og_local_school_path(const std::string& path);

// The stamp the two school files carry on a "REM:KTPAIR:" line: a save of
// both makes a new one, a save of one of them keeps it, so two files whose
// stamps differ were not saved together (a save that stopped halfway, or a
// file copied in from another save). Stamps last read ("" none) and being
// written; the readers set theirs, the writers write og_pair_stamp().
extern std::string g_structure_pair_stamp;
extern std::string g_description_pair_stamp;
// The stamp the next write carries: the structure's, else the description's.
std::string og_pair_stamp();
// A new stamp for a save of both files.
std::string og_new_pair_stamp();
// The line a writer adds ("" while there is no stamp).
std::string og_pair_stamp_line();
// True for a stamp line, its stamp (letters and digits, upper case) in *stamp.
bool og_read_pair_stamp(const std::string& line, std::string* stamp);

// How a read of a school file ended.
enum class SchoolLines { kRead, kMissing, kUnusable };
// Hands each logical line of a file (unscrambled, no line end) to each, one
// line in memory at a time; each returns false to stop early. kMissing: no
// such file. kUnusable, with the reason in the user's language in *why: a
// folder, an empty file, lines ended by CR alone, a last line without its
// line end in a file of more than one line (the file was cut off; each has
// had that line already), a file that cannot be opened, or a read error
// (which is never taken as the end of the file).
SchoolLines og_read_school_lines(const std::string& path, const std::function<bool(const std::string&)>& each,
                                 std::string* why);
// The same for a plain text file of another program (the imports): its
// physical lines as they stand, without "\n" or a final "\r", each cut to
// limit characters.
SchoolLines og_read_plain_lines(const std::string& path, std::size_t limit,
                                const std::function<bool(const std::string&)>& each, std::string* why);
// As og_read_plain_lines for the file of an import, whose text is 1252 as
// a Windows program saves it, or UTF-8 as other spreadsheet and text
// programs save it: a UTF-8 file (one that begins with its byte-order mark,
// or whose every line is UTF-8 with at least one accented letter) and a
// UTF-16 file with its byte-order mark (a spreadsheet's "Unicode text") are
// handed over in 1252, so a name keeps its accents and its first cell no
// mark. Such a file with a character 1252 cannot hold (or UTF-16 that is
// not whole) is kUnusable, its line named in *why, before any line is
// handed over.
SchoolLines og_read_import_lines(const std::string& path, std::size_t limit,
                                 const std::function<bool(const std::string&)>& each, std::string* why);
// Opens a file for reading through the same checks and read seam as the
// school files: null with the reason in *why (and *missing set when there is
// no such file). The caller closes the stream and checks std::ferror.
std::FILE* og_open_school_file(const std::string& path, std::string* why, bool* missing);
// The reason text of a read error on path, in the user's language.
std::string og_read_error_text(const std::string& path);
// The raw reads of every school-file and import reader go through this
// function (read(2) by default), so tests can inject read errors; null
// restores the default.
using SchoolFileRead = long (*)(int fd, void* buffer, unsigned long size);
void og_set_school_file_read(SchoolFileRead read);

// The message of a line a reader refuses: the reason, then the file (its
// full path as this system writes it), the line's number and the line (a
// scrambled line whose check failed is said to be damaged rather than shown
// as its hexadecimal text), in the user's language.
std::string og_bad_line_text(const std::string& path, const std::string& reason, const std::string& line);

// Splits the fields after a line's keyword at '|', dropping empty ones.
std::vector<std::string> og_split_fields(const std::string& rest);
// The fields of a normalised import line, stepped as the engine steps
// description fields (or_next_field, or_copy_field): a run of '|' is one
// separator, so an empty field is not counted; each field is cut to limit
// characters.
std::vector<std::string> og_step_fields(const std::string& line, int limit);
