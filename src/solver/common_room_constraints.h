// Class constraints on shared common rooms: sharing beyond capacity or
// between incompatible years (77), shared hours beyond the sharing limit
// (78), missing attendance (79, school-wide), shortfall of co-taught lessons
// per slot (86, school-wide) and class-hours per day above the room's limit
// (89). Each id has a full check and a class delta check, listed in the
// catalogue's evaluator table.
#pragma once

#include <cstdint>

std::int64_t or_full_common_rooms();
std::int64_t or_delta_common_rooms(int class_index);
std::int64_t or_full_sharing_limits();
std::int64_t or_delta_sharing_limits(int class_index);
std::int64_t or_full_common_room_minimum();
std::int64_t or_delta_common_room_minimum(int class_index);
std::int64_t or_full_twin_distribution();
std::int64_t or_delta_twin_distribution(int class_index);
std::int64_t or_full_room_class_hours();
std::int64_t or_delta_room_class_hours(int class_index);

// The checks count a slot's common-room users from a compact copy of the
// lessons' common rooms, years and "+FCA" marks. With the cross-check on
// (tests), every count is also walked over the records, and the uses whose
// counts differ are counted.
struct CommonRoomCrossCheck {
  std::uint64_t uses;
  std::uint64_t mismatches;
};
void or_set_common_room_cross_check(bool on);
CommonRoomCrossCheck or_common_room_cross_check();
