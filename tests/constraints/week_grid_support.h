// Helpers of the week-grid tests: a school week with the day codes
// "Lu".."Do" and chosen per-day hour counts (the provisional counts are
// cleared and provisional mode is off), written into the shared header.
#pragma once

#include <array>
#include <cstring>

#include "engine/status_block.h"
#include "schooldata/ui_school_model.h"

namespace kt_constraints_test {

inline void set_week(std::array<int, 7> hours) {
  static const char* kCodes[7] = {"Lu", "Ma", "Me", "Gi", "Ve", "Sa", "Do"};
  for (int d = 0; d < 7; ++d) {
    std::memcpy(g_ui_header.day_codes[d], kCodes[d], 3);
    g_ui_header.hours_per_day[d] = std::uint8_t(hours[std::size_t(d)]);
    g_ui_header.provisional_hours_per_day[d] = 0;
  }
  g_provisional_mode = 0;
}

}  // namespace kt_constraints_test
