// One line of a timetable save file, in its plain (unscrambled) form, and
// the checked reader for it.
//
// A save line names a lesson's placement together with readable names
// (class code, teacher names) so that a timetable can be matched back to a
// model whose teaching posts changed. The writer produces exactly the
// layout other programs of the system read; the reader is the only place
// that cuts such a line into fields, and it refuses anything malformed or
// out of range instead of guessing, so one bad line never shifts the
// lessons after it. Lines are short (a few dozen bytes); one save holds at
// most a few thousand of them.
#pragma once

#include <cstdint>
#include <string>


// The longest save file the layout allows: one line per lesson (at most
// 10000, the stand-by and support lines included), each at most 400
// characters before scrambling (2 x 400 + 10 after it) and its line end.
inline constexpr long long kLongestSaveFile = 10000LL * (2 * 400 + 12);

struct SaveLine {
  int lesson = 0;            // written, never trusted when reading
  char pseudo_letter = 0;    // 'D' stand-by, 'S' support, 0 real class
  int day = -1;              // 0-6, or -1 when not placed
  int hour = -1;             // 0-11, or -1 when not placed
  std::string class_code;
  int class_index = -1;
  std::string teacher;
  int teacher_index = -1;
  std::string second_teacher;  // empty when none
  int second_index = -1;
  std::uint32_t points = 0;    // "CE:"
  bool has_second_points = false;
  std::uint32_t second_points = 0;  // "CF:"
  bool has_supported_class = false;
  std::string supported_class;      // " SOCL:" code, without the '-'
  bool no_room = false;             // " STZN:|"
  bool has_room = false;
  std::string room;                 // " STZM:" name, without the '|'
};

// The plain line, line feed included, in the system's save layout, into
// out (its old text replaced, its buffer reused).
void format_save_line_into(const SaveLine& line, std::string& out);

// Cuts a plain save line into its fields. Returns false for a line that
// does not have the layout, whose numbers do not parse, whose day is not
// 0-6 or whose hour is not 0-11 (both -1 together is "not placed"), or
// whose names exceed 20 characters.
bool parse_save_line(const char* text, SaveLine& out);

// The pseudo-class letter of a stored line: the character right before
// the first blank when it is 'D' or 'S', else 0.
char save_line_pseudo_letter(const char* text);

