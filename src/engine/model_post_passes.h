// Passes that derive, after the description is loaded, what the rest of the
// engine expects: hour counts and lesson lists, class calendars, hour
// timings, car-share partners, free-day lists and class display names.
//
// The loader runs them once at its end (or_finish_loaded_model, in their
// order); the stand-by and calendar set-ups recount hours after appending
// pseudo-lessons. Each is a pass or two over the tables.
#pragma once

// Hour counts and lesson lists; first 0 recounts everything, otherwise the
// lessons from `first` on are added to the counts. Lists are rebuilt whole.
void or_count_hours(int first);
void or_fit_class_calendars();
void or_prepare_hour_timings();
void or_link_car_share_partners();
void or_merge_teacher_day_lists();
void or_build_class_display_name(int class_index);
void or_init_teacher_links(int teacher);
int or_teacher_has_class(int teacher, int class_index);
int or_teacher_has_subject(int teacher, int subject);

// A pseudo-lesson of the stand-by, support or calendar set-up: every link
// -1 but the given ones, unplaced.
void or_init_pseudo_lesson(int lesson, int teacher, int class_index, int subject, int room);

// The loader's closing steps in their order: free-day lists, car-share
// partners, hour timings, calendar lessons, calendars fitted, hour counts,
// stand-by and support lessons, calendar lessons of the pseudo-classes,
// largest lesson hours, display names, timetable view.
void or_finish_loaded_model();
