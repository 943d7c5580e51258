// Pieces the three week-grid pickers (Cdwh, CdwhCombo, CdwhExt) share: the
// header state kept for the whole run, the fill of one day's or one hour's
// cells from a header click, the always toggle, the invert button, the
// day-header captions, cell clicks, the counter text and the help text. Each
// picker keeps its own header state object, so a header click continues
// from the value last used by the same kind of picker only.
//
// Invariants: fills touch only hours that exist (below the day's count of
// hours); the working mask is the usual 84 bytes, day-major, 12 per day.
// Shaped for a click at a time: every call is a handful of byte writes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "pickers/week_hour_mask.h"
#include "shell/color_button.h"
#include "shell/ml_text.h"

// Header fill values, the last headers clicked and the first byte saved by
// the always toggle; zero at start.
struct WeekGridHeaderState {
  std::uint8_t day_fill = 0;
  int last_day = 0;
  std::uint8_t hour_fill = 0;
  int last_hour = 0;
  std::uint8_t saved_first = 0;
};

using WeekGridMask = std::array<std::uint8_t, 84>;
using WeekGridHours = std::array<int, kWeekDays>;

// Fills every existing hour of `day` (flipping the fill value when the same
// day is clicked twice running) and remembers the day. False for a day out
// of range, which changes nothing.
bool week_grid_fill_day(WeekGridHeaderState& state, WeekGridMask& work, const WeekGridHours& hours, int day);

// The same for hour `hour` of every day that has it.
bool week_grid_fill_hour(WeekGridHeaderState& state, WeekGridMask& work, const WeekGridHours& hours, int hour);

// The always box: checked saves the first byte and stores the always state,
// cleared puts the saved byte back.
void week_grid_toggle_always(WeekGridHeaderState& state, WeekGridMask& work, bool checked);

// Flips every existing hour between marked and free.
void week_grid_invert(WeekGridMask& work, const WeekGridHours& hours);

// Writes the school's two-letter day codes on the seven day headers.
void week_grid_set_day_captions(std::array<CColorButton, kWeekDays>& headers);

// Whether a cell click at `slot` (0-83) may change the mask: the slot is in
// range, its hour exists and the week is not in the always state.
bool week_grid_cell_editable(const WeekGridMask& work, const WeekGridHours& hours, int slot);

// Stores a cell's new check state and keeps the count of marked hours.
void week_grid_mark_cell(WeekGridMask& work, int& marked, int slot, bool on);

// The counter's text: the hours marked, or with `count_free` the existing
// hours not marked.
std::string week_grid_counter_text(bool count_free, int existing, int marked);

// The help text of the picker's help button.
const MlText& week_grid_help_text();
