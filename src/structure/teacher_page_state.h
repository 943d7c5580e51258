// State shared by the teacher pages (teachers and posts, personal
// constraints, post constraints, special constraints): which teacher is
// current, which post is being edited, the quick-entry state and the
// auto-save choice. Every teacher page opens on the teacher shown last,
// found again by name after the school files were re-read.
//
// Invariants: g_procat_teacher is -1 or below the teacher count once a page
// has made a teacher current; g_procat_post is null or points into the
// current teacher's posts, below its post count. User-interface thread only.
#pragma once

#include <cstdint>

struct UiTeacher;
struct UiTeachingPost;

extern std::int32_t g_procat_teacher;
extern UiTeachingPost* g_procat_post;
// 0 none, 1 a new post pending, 2 the next post appended from the TAB order.
extern std::uint8_t g_procat_new_post;
// Changed teachers are saved without a question.
extern std::uint8_t g_auto_save;

// The working teacher count, clamped to the table.
int procat_teacher_count();
// The current teacher's record, or null when none is current.
UiTeacher* procat_current_teacher();
// The number of the current post inside the current teacher, or -1.
int procat_current_post_number();

// Remembers the teacher shown, by index and name.
void procat_remember_teacher(int index);
// The remembered teacher's index: the remembered index when the name still
// matches there, else the teacher of that name, else 0 (-1 with no teacher).
int procat_find_current_teacher();
