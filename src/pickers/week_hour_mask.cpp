// Existing hours, counts and the text summary of a week-hour mask (see
// week_hour_mask.h). The summary is a tab-separated table that the summary
// buttons rule and draw; it is never written to a file. Day codes are two
// bytes of the header taken as they stand, stopping at a zero byte.
#include "pickers/week_hour_mask.h"

#include <cstdio>
#include <cstring>

#include "engine/status_block.h"
#include "shell/ml_text.h"

namespace {

const MlText kHourWord = {"Ora", "St.", "Hr."};
const MlText kYes = {"SI", "JA", "YES"};
const MlText kNo = {"NO", "Nein", "NO"};

bool marked(const std::uint8_t* mask, int day, int hour) {
  return mask[0] == kWeekAlways || mask[day * kDayHours + hour] == 1;
}

std::array<int, kWeekDays> clamp_hours(const std::uint8_t* counts) {
  std::array<int, kWeekDays> hours{};
  for (int d = 0; d < kWeekDays; ++d) hours[std::size_t(d)] = counts[d] > kDayHours ? kDayHours : counts[d];
  return hours;
}

}  // namespace

std::array<int, kWeekDays> week_existing_hours() {
  return clamp_hours(g_provisional_mode ? g_ui_header.provisional_hours_per_day : g_ui_header.hours_per_day);
}

std::array<int, kWeekDays> week_normal_hours() { return clamp_hours(g_ui_header.hours_per_day); }

int week_existing_total(const std::array<int, kWeekDays>& hours) {
  int total = 0;
  for (int h : hours) total += h;
  return total;
}

int week_marked_count(const std::uint8_t* mask, const std::array<int, kWeekDays>& hours) {
  int n = 0;
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < hours[std::size_t(d)]; ++h) n += marked(mask, d, h) ? 1 : 0;
  return n;
}

namespace {

// The summary with the sign of each marked hour given by `sign`.
template <class Sign>
std::string summary_with(const std::uint8_t* mask, const char* title, const char* subtitle,
                         const std::array<int, kWeekDays>& hours, Sign sign) {
  std::string out = title ? title : "";
  out += "\n\t";
  for (int d = 0; d < kWeekDays; ++d) {
    char code[3] = {};
    std::memcpy(code, g_ui_header.day_codes[d], 2);
    char cell[8];
    std::snprintf(cell, sizeof cell, "\t%2.2s", code);
    out += cell;
  }
  out += '\n';
  const char* word = kHourWord.Get();
  for (int h = 0; h < kDayHours; ++h) {
    out += word;
    out += ' ' + std::to_string(h + 1) + ":\t\t";
    for (int d = 0; d < kWeekDays; ++d) {
      out += h < hours[std::size_t(d)] && marked(mask, d, h) ? sign(d, h) : std::string(" ");
      out += '\t';
    }
    out += '\n';
  }
  if (!subtitle || !*subtitle) {
    out += " \n";
  } else {
    out += subtitle;
    out += ": ";
    out += mask[0] == kWeekAlways ? kYes.Get() : kNo.Get();
    out += '\n';
  }
  return out;
}

}  // namespace

std::string week_summary_text(const std::uint8_t* mask, const char* title, const char* subtitle,
                              const std::array<int, kWeekDays>& hours) {
  return summary_with(mask, title, subtitle, hours, [](int, int) { return std::string("X"); });
}

std::string week_summary_text_values(const std::uint8_t* mask, const std::int8_t* values, int maximum,
                                     const char* title, const char* subtitle, const std::array<int, kWeekDays>& hours) {
  bool limited = false;
  for (int i = 0; i < kWeekDays * kDayHours; ++i) limited = limited || (values[i] > 0 && values[i] < maximum);
  return summary_with(mask, title, subtitle, hours, [&](int d, int h) {
    if (!limited) return std::string("X");
    int v = values[d * kDayHours + h];
    return std::to_string(v > 0 ? v : maximum);
  });
}
