// Teacher constraints on rooms, laboratories and single lessons: common room
// hours (36), laboratory hours (53), laboratory and gym equipment (55, 65),
// prolonged hours (34), forbidden hours per class (35), first/last hour
// wishes (43), class test blocks (33) and test blocks without a break (61);
// and the laboratory group presence (44), whose full check walks the classes
// and whose delta check prices one class, because the evaluation order and
// the class sums of the catalogue put 44 on the class side.
#pragma once

#include <cstdint>

// After a load: 36 and 43 may count until a full check finds whether they can.
void or_open_room_rule_gates();
std::int64_t or_check_common_room_hours();
std::int64_t or_delta_common_room_hours(int teacher);
std::int64_t or_check_lab_hours();
std::int64_t or_delta_lab_hours(int teacher);
std::int64_t or_check_lab_equipment();
std::int64_t or_delta_lab_equipment(int teacher);
std::int64_t or_check_gym_equipment();
std::int64_t or_delta_gym_equipment(int teacher);
std::int64_t or_check_prolonged_hours();
std::int64_t or_delta_prolonged_hours(int teacher);
std::int64_t or_check_class_forbidden_hours();
std::int64_t or_delta_class_forbidden_hours(int teacher);
std::int64_t or_check_edge_hour_position();
std::int64_t or_delta_edge_hour_position(int teacher);
std::int64_t or_check_test_hours();
std::int64_t or_delta_test_hours(int teacher);
std::int64_t or_check_test_hours_no_break();
std::int64_t or_delta_test_hours_no_break(int teacher);
std::int64_t or_check_lab_group_presence();
std::int64_t or_delta_lab_group_presence(int class_index);
