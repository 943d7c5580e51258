// The provisional-timetable page's adaptation of the teaching posts, which
// the description writer runs before the teaching lines of "cattPROV.txt".
// That page is not built, so the adaptation changes nothing and the
// provisional file carries the posts as they are; the page's routine is to
// replace this definition, not to sit beside it.
#include "schooldata/description_writer_parts.h"

void ui_adapt_posts_for_provisional() {}
