// Counting rules of the class constraints on shared common rooms: too many
// classes in a room at once, classes of years that may not share it, shared
// hours beyond the room's sharing limit, missing attendance, and class-hours
// per day above the room's limit.
//
// Pure functions over small counts; the evaluators gather the counts from
// the slot lists and call these, so the full and the delta checks and the
// tests share one rule.
#pragma once

#include <cstdint>

// Year-compatibility rule of a slot within capacity: years_present has bit y
// set for each year digit y (0..9) of the classes using the room; pairs hold
// two years, the second 255 for "no partner". Returns 0 or the number of
// years that may not share the room with the class's year.
int incompatible_years(int own_year, unsigned years_present, const std::uint8_t (*pairs)[2], int pair_count);

// Over-capacity of one slot: n lessons in the room, fca of them by "+FCA"
// teachers, capacity of the slot.
int room_over_capacity(int lessons, int fca, int capacity);

// Sharing limit of one room: k the class's hours in the room, s those shared
// with another lesson; rows {threshold, limit}, the last row whose threshold
// is at most k applies; the tolerance is subtracted once, from this room's
// own count.
int sharing_excess(int hours, int shared, const std::uint8_t (*rows)[2], int row_count, int tolerance);

// Missing attendance of one slot: wanted m (or the slot's own value between
// 1 and m - 1), u lessons using the room, only_when_used skips empty slots.
int missing_attendance(int minimum, int slot_value, int used, bool only_when_used);
