// Small routines over the user interface's school model that pages of every
// editor, the board, the substitution pages and the school-file code share:
// name cleaning, class labels and codes, resetting teaching posts and
// teachers, counting and copying partner posts, the weekly mask text, the
// day names, and the two guards that check whether the timetable has been
// computed before a page works on it.
//
// Invariants: every count read from the model is clamped to its table, so a
// damaged count never reads or writes past a table; texts are 1252 bytes.
// og_class_label and og_limit_text return static buffers (one 23-byte slot
// per class; one buffer for limits) that the next call may overwrite.
// Workload: called per list row and per key press on the user-interface
// thread; schools hold at most 300 classes and 500 teachers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "schooldata/ui_school_model.h"
#include "shell/ml_text.h"

// The fourth and fifth status bytes of the school ('1'..'5'): state of the
// final and of the provisional timetable. '1','2' not computed, '3' days
// with two gap hours remain, '4' gap goal not fully met, '5' done.
extern char& g_timetable_state;
extern char& g_provisional_timetable_state;
// Set by the frame to let the next timetable page open without the question.
extern std::uint8_t g_timetable_pass_once;

// Names and texts. Control characters (tab, line ends) become blanks, which
// then collapse and are trimmed like typed ones.
int og_clean_name(char* name, int max_length, int flags);
// What the page tells the user when og_clean_name (with these flags) will
// replace characters he typed ('-', '|' by '_', ':' by ';'); null when it
// replaces none. Cleaning never changes a name silently.
const MlText* og_name_cleaning_note(const char* typed, int flags);
// The same on a copy: out (21 bytes) gets the cleaned name cut to 20 characters.
void og_clean_name(char* out, const char* in);
// A name that does not begin with a letter A-Z or a-z gets "ZZ " in front,
// cut at max_length characters (name holds max_length + 1 bytes); returns
// the length before the change.
int og_prefix_non_letter_name(char* name, int max_length);
int og_compare_name_field(const char* a, const char* b, int n);
const char* og_limit_text(int value);

// Classes.
int og_class_code_from_label(char* label);
const char* og_class_label(int index);
// The label of the class with that code (2 or 3 characters), "???" when none.
const char* og_class_label_by_code(const char* code);
int og_find_class_by_label(const char* label);
// The working class, track, teacher and subject counts, clamped to their
// tables.
int og_class_count();
int og_track_count();
int og_teacher_count();
int og_subject_count();

// Teachers and teaching posts.
void og_reset_teaching_post(UiTeachingPost& post, int keep_assignment = 0);
void og_set_teacher_defaults(int index);
void og_init_teacher(int index, const char* name);
int og_count_lab_posts(int teacher);
int og_count_conversation_posts(int teacher);
int og_count_lab_posts_with_partner(int teacher);
int og_count_conversation_posts_with_partner(int teacher);
void og_add_partner_post_copies(int teacher);
void og_remove_partner_post_copies(int teacher);
int og_teacher_constraint_groups(int teacher);
void og_clamp_hour_digits(UiPostPart& part);

// Calendar and state.
inline constexpr std::size_t kWeekMaskTextSize = 400;  // 7 days x 6 runs of "xx:nn-nn" and a blank
int og_max_day_hours();
void og_format_week_mask(const std::uint8_t* mask, char* out, int blank);
// Fills the day codes and names of the days the school header leaves blank
// with those of the user's language; a day the school names keeps its own.
void og_set_default_day_names();
// Writes both school files when the status bytes differ from the ones last
// read or saved (the computation window closing after a run).
void og_save_if_state_changed();
// 1 to stop, 0 to go on: asks (or, at level '1' with refuse, tells) text
// when the timetable's state is not above level.
int og_check_timetable_state(char level, const char* text, int refuse);
int og_confirm_timetable_use();
// Records the state '1'..'5' of the timetable just computed, balanced or
// edited (the provisional one in provisional mode) and writes it into the
// school files; 0 (nothing known) changes nothing.
void og_record_timetable_state(char state);
// Lets the frame ask og_confirm_timetable_use before a timetable page.
void og_install_model_utility_hooks();
