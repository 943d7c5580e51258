// The timetable view that the user interface's pages read: rebuilt whole from
// the model after a load and by the commands that change the placement.
#pragma once

void or_build_timetable_view();
