// Weeks written as text for the counting rules' tables: a day is a string
// of hours, 'X' a busy hour and anything else a free one ("X.XX" is busy at
// the first, third and fourth hour).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "solver/week_masks.h"

namespace kt_week_text {

inline DayMask day_of(const std::string& s) {
  DayMask m = 0;
  for (std::size_t h = 0; h < s.size(); ++h)
    if (s[h] == 'X') m |= static_cast<DayMask>(1u << h);
  return m;
}

inline WeekMasks week_of(const std::vector<std::string>& days) {
  WeekMasks w{};
  for (std::size_t d = 0; d < days.size() && d < static_cast<std::size_t>(kDays); ++d) w.day[d] = day_of(days[d]);
  return w;
}

// The hours of each day of the week.
struct Hours {
  std::uint8_t h[kDays];
};

inline Hours eight_hours() {
  Hours x{};
  for (auto& v : x.h) v = 8;
  return x;
}

}  // namespace kt_week_text
