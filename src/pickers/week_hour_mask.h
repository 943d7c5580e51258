// Helpers on a WeekHourMask (84 bytes, day x 12 + hour) shared by the week
// grid pickers and their summary buttons: which hours exist on each day of
// the school week, whether a cell counts as marked, and the text summary a
// picker writes into its summary button.
//
// Invariants: a per-day hour count read from the header is clamped to 0-12,
// so a damaged header never reaches past the 84 bytes; a cell counts as
// marked only when it is 1, or when the first byte is 255 (the always
// state). Pure functions on small arrays: called on every opening and every
// refresh of a picker page.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "schooldata/ui_school_model.h"

inline constexpr int kWeekDays = 7;
inline constexpr int kDayHours = 12;
inline constexpr std::uint8_t kWeekAlways = 255;

// Hours that exist on each day: the provisional per-day counts while the
// provisional timetable is in use, the normal ones otherwise; 0-12 each.
std::array<int, kWeekDays> week_existing_hours();

// Sum of the seven counts.
int week_existing_total(const std::array<int, kWeekDays>& hours);

// Marked hours among the existing ones (all of them in the always state).
int week_marked_count(const std::uint8_t* mask, const std::array<int, kWeekDays>& hours);

// The summary text: the title, a row of day codes, one row per hour with
// "X" where the hour exists and is marked, and the subtitle's yes/no line
// (a blank line when the subtitle is empty). Texts in code page 1252.
std::string week_summary_text(const std::uint8_t* mask, const char* title, const char* subtitle,
                              const std::array<int, kWeekDays>& hours);

// The same for a mask with a value per hour (0 = the maximum): when any of
// the 84 values lies strictly between 0 and the maximum, every marked hour
// shows its number (the maximum where its value is 0), else "X".
std::string week_summary_text_values(const std::uint8_t* mask, const std::int8_t* values, int maximum,
                                     const char* title, const char* subtitle, const std::array<int, kWeekDays>& hours);

// Hours that exist from the normal per-day counts only, 0-12 each.
std::array<int, kWeekDays> week_normal_hours();
