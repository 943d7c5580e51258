// Day codes inside description items ("LU:1-3MA:2-4"): the scanner that
// finds the next two-letter day code of the school header followed by ':'.
// Used by the description and teacher-constraint readers.
//
// The scanner never reads past the item's end: it stops at '|', at a blank
// and at the terminating zero. Codes are the header's (upper case, 1252).
#pragma once

inline constexpr int kNoDayCode = -1;
inline constexpr int kDayCodeWithoutColon = -2;

// Returns the day (0 Monday to 6 Sunday) and moves cursor behind the ':';
// kNoDayCode at '|', a blank or the end; kDayCodeWithoutColon (cursor on the
// code) when a code is not followed by ':'.
int og_next_day_code(const char*& cursor);
// The message of kDayCodeWithoutColon in the user's language.
const char* og_day_code_message();
