// The two whole-timetable copies of the placement and the score of the last
// full evaluation (see placement_services.h). They live in the core because
// the save files and the week grids read and write them; the solver keeps
// them up to date.
#include "engine/placement_services.h"

std::uint16_t g_current_placement[kMaxLessons];
std::uint16_t g_placement_copy[kMaxLessons];
std::uint32_t g_total_score;
