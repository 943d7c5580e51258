// Teacher constraints on partners, companions, classes and buildings: no
// overlap with a partner (29), car share (30), incompatible subjects (31),
// returns into a class (32), hours with a class per day (23), building
// transfers between hours, per day and per week (37, 38, 39), building
// rotation (40) and the dynamic building management (68). Each id has a full
// check and a teacher delta check, listed in the catalogue's evaluator table.
#pragma once

#include <cstdint>

std::int64_t or_check_no_overlap();
std::int64_t or_delta_no_overlap(int teacher);
std::int64_t or_check_car_share();
std::int64_t or_delta_car_share(int teacher);
std::int64_t or_check_incompatible_subjects();
std::int64_t or_delta_incompatible_subjects(int teacher);
std::int64_t or_check_class_returns();
std::int64_t or_delta_class_returns(int teacher);
std::int64_t or_check_class_daily_maximum();
std::int64_t or_delta_class_daily_maximum(int teacher);
// After a load: 37 and 38 read every teacher's buildings until a full check
// finds the teachers who teach in one building only.
void or_open_building_rule_gates();
std::int64_t or_check_building_transfers();
std::int64_t or_delta_building_transfers(int teacher);
std::int64_t or_check_day_transfers();
std::int64_t or_delta_day_transfers(int teacher);
std::int64_t or_check_week_transfers();
std::int64_t or_delta_week_transfers(int teacher);
std::int64_t or_check_building_rotation();
std::int64_t or_delta_building_rotation(int teacher);
std::int64_t or_check_dynamic_buildings();
std::int64_t or_delta_dynamic_buildings(int teacher);
