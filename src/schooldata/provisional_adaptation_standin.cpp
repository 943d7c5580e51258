// Stand-in for the provisional-timetable page's adaptation of the teaching
// posts, which the description writer runs before the teaching lines of
// "cattPROV.txt". It is weak so that the page's own routine, once linked,
// takes its place; until then the provisional file carries the posts as
// they are.
#include "schooldata/description_writer_parts.h"

__attribute__((weak)) void ui_adapt_posts_for_provisional() {}
