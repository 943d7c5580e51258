// Shared pieces of the week-grid pickers (see week_grid_common.h): header
// fills, the always toggle, inverting, day captions,
// cell clicks, the counter text and the help text. Each picker passes its own
// run-long header state; nothing here holds state of its own.
#include "pickers/week_grid_common.h"

#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "schooldata/ui_school_model.h"

namespace {

const MlText kPickerHelp = {
    "Potete abilitare determinate ore, oppure tutte le ore della settimana.\r\nMediante i pulsanti delle "
    "giornata, potete abilitare / disabilitare tutte le ore di una giornata.",
    "Sie können bestimmte Stunden oder alle Stunden der Woche freigeben.\r\nMit den Tasten der Tage können Sie "
    "alle Stunden eines Tages freigeben / sperren."_cp,
    "You can enable certain Hours, or all Hours of the week.\r\nWith the buttons of the days, you can enable / "
    "disable all Hours of one day.",
};

}  // namespace

bool week_grid_fill_day(WeekGridHeaderState& state, WeekGridMask& work, const WeekGridHours& hours, int day) {
  if (day < 0 || day >= kWeekDays) return false;
  if (day == state.last_day) state.day_fill = std::uint8_t(1 - state.day_fill);
  for (int h = 0; h < hours[std::size_t(day)]; ++h) work[std::size_t(day * kDayHours + h)] = state.day_fill;
  state.last_day = day;
  return true;
}

bool week_grid_fill_hour(WeekGridHeaderState& state, WeekGridMask& work, const WeekGridHours& hours, int hour) {
  if (hour < 0 || hour >= kDayHours) return false;
  if (hour == state.last_hour) state.hour_fill = std::uint8_t(1 - state.hour_fill);
  for (int d = 0; d < kWeekDays; ++d)
    if (hour < hours[std::size_t(d)]) work[std::size_t(d * kDayHours + hour)] = state.hour_fill;
  state.last_hour = hour;
  return true;
}

void week_grid_toggle_always(WeekGridHeaderState& state, WeekGridMask& work, bool checked) {
  if (checked) {
    state.saved_first = work[0];
    work[0] = kWeekAlways;
  } else {
    work[0] = state.saved_first;
  }
}

void week_grid_invert(WeekGridMask& work, const WeekGridHours& hours) {
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < hours[std::size_t(d)]; ++h) {
      std::uint8_t& cell = work[std::size_t(d * kDayHours + h)];
      cell = cell == 1 ? 0 : 1;
    }
}

void week_grid_set_day_captions(std::array<CColorButton, kWeekDays>& headers) {
  for (int d = 0; d < kWeekDays; ++d) {
    char code[3] = {};
    std::memcpy(code, g_ui_header.day_codes[d], 2);
    char caption[8];
    std::snprintf(caption, sizeof caption, "%2.2s", code);
    headers[std::size_t(d)].SetCaption(caption);
  }
}

bool week_grid_cell_editable(const WeekGridMask& work, const WeekGridHours& hours, int slot) {
  if (slot < 0 || slot >= kWeekDays * kDayHours) return false;
  int day = slot / kDayHours, hour = slot % kDayHours;
  return hour < hours[std::size_t(day)] && work[0] != kWeekAlways;
}

void week_grid_mark_cell(WeekGridMask& work, int& marked, int slot, bool on) {
  std::uint8_t& cell = work[std::size_t(slot)];
  if (on != (cell == 1)) marked += on ? 1 : -1;
  cell = on ? 1 : 0;
}

std::string week_grid_counter_text(bool count_free, int existing, int marked) {
  return std::to_string(count_free ? existing - marked : marked);
}

const MlText& week_grid_help_text() { return kPickerHelp; }
