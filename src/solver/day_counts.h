// Counting rules of the teacher constraints on days and day breaks: free
// days (first and second choice), lessons outside the available hours, the
// shape of a day (light days, days of first hours, of last hours, in a band),
// breaks of free days in the week (generic and per class), the special break
// between consecutive days, and presence in the week's first and last hour.
//
// Pure functions over day loads (busy hours per day) or week masks; the
// evaluators build those from the teacher's grid and call these, so the
// full and the delta checks share one rule.
//
// Workload: every teacher on every full evaluation, one teacher per priced
// move; each rule is a handful of loops over at most 7 days.
#pragma once

#include <cstdint>

#include "solver/hour_of_day_counts.h"

// Loads of the week: busy hours of each day among that day's hours.
struct DayLoads {
  int n[kDays];
};
DayLoads day_loads(const WeekMasks& week, int days, const std::uint8_t* hours_per_day);

// Free days: the smallest load among the listed days (indexes past the week
// are passed over); flagged gets the days named in the report text.
RuleTally count_free_days(const DayLoads& loads, int days, const std::uint8_t* listed, int listed_count,
                          unsigned* flagged);

// Lessons in hours whose available-hours entry is not 1; flagged_hours gets
// one mask per day of the hours counted.
RuleTally count_unavailable_hours(const WeekMasks& week, int days,
                                  const std::uint8_t* hours_per_day,
                                  const std::uint8_t* available, DayMask* flagged_hours);

// Day shapes: each returns whether day mask m (hours of the day: hours) is a
// day of its kind.
bool is_light_day(DayMask m, int hours, int block);
bool is_first_hours_day(DayMask m, int hours, int block);
bool is_last_hours_day(DayMask m, int hours, int leading_free);
bool is_band_day(DayMask m, int hours, int first, int last);

enum class DayShape { Light, FirstHours, LastHours, Band };
// Days wanted of a shape less the days found, when positive.
RuleTally count_day_shape(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                          DayShape shape, int a, int b, int wanted);

// Length of the last run of free days between two working days (0 none).
int last_inner_break(const int* loads, int days);

// Generic break of `wanted` days (0: any inner break is charged its length).
RuleTally count_generic_break(const DayLoads& loads, int days, int wanted);

// Break per class: the picks made to open a break of `wanted` days in the
// loads of one class (neighbours are not tested). Each non-zero pick is
// handed to pick (may be null) with its amount.
int count_class_break(const int* loads, int days, int wanted, void (*pick)(void*, int), void* ctx);

// The school's break options on a class's loads (bits 0x01 to 0x08): the
// hours added; each addition is handed to pick.
int count_break_options(const int* loads, unsigned options, void (*pick)(void*, int), void* ctx);

// Special break between day d and d+1 for one class: hours a on day d, b on
// day d+1; returns the excess counted (0 when the rule does not fire).
int special_break_excess(int a, int b, int trigger, int allowed);

// Busy in the first hour of the first day and the last hour of the last day.
bool busy_first_and_last_of_week(const WeekMasks& week, int days, const std::uint8_t* hours_per_day);
