// Shared state and small text helpers of the description loader's passes
// (keyword pass, section parsers, teaching-line items, teacher constraint
// lines). Not for use outside the loader.
//
// A normalised description line is a key, then fields separated by '|', and
// ends with '|' followed by '\r', '\n' or the terminator. Every helper here
// stops at the line end, so a truncated line never reads past its buffer;
// numbers saturate instead of overflowing. Errors leave through the engine's
// reporters and never return.
//
// Workload: a few thousand lines per load, each scanned a handful of times
// by the passes; nothing here needs to be fast beyond linear scans.
#pragma once

#include <cstdint>
#include <cstdio>

#include "engine/model.h"
#include "engine/section_parsers.h"

inline constexpr int kLoaderLineSize = 12168;  // the engine's line reader limit

// State of one load, reset by or_load_description.
struct LoaderState {
  char line[kLoaderLineSize + 8];  // the current normalised line
  int line_number;                 // lines read by the first pass, from 1
  int rem_state;                   // "REM:" header lines seen, 0 to 4
  int current_subject;             // subject of the last "GM:" line, -1 none
  int block_subject;               // subject of the current teacher block
  char teacher_name[kNameSize];    // teacher of the current block
  int block_open;                  // a teacher line started the current block
  int mode;                        // handed on by the command interpreter
  int first_line_pending;          // the next line read is the file's first
};
extern LoaderState g_loader;

// Articulated groups of the teaching lines ("ARTYW:" items).
struct ArticulatedGroup {
  char code[kClassCodeSize];
  int position;  // position of the item among the "ARTYW:" items of its line
  int first_number;
  int end_number;
};
inline constexpr int kMaxArticulatedGroups = 4000;  // more is refused ("Troppe articolazioni")
extern ArticulatedGroup g_articulated_groups[kMaxArticulatedGroups];
extern int g_articulated_group_count;
extern int g_articulated_running_number;  // process-wide, starts at 100000

// ---- Text helpers -------------------------------------------------------------

inline bool line_end(const char* p) {
  return p == nullptr || *p == '\0' || *p == '\r' || *p == '\n' ||
         (*p == '|' && (p[1] == '\0' || p[1] == '\r' || p[1] == '\n'));
}
inline bool field_end(char c) { return c == '|' || c == '\0' || c == '\r' || c == '\n'; }
inline bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_upper_letter(unsigned char c);
bool starts_with(const char* p, const char* key);
// The start of the next field (behind a run of '|'), or null at the line end.
const char* next_field(const char* p);
// Decimal number at p (leading digits, an optional '-' sign where allowed);
// text that does not start with a digit reads as 0. Saturates at 1000000.
int read_number(const char* p);
// The same, moving p past the digits.
int take_number(const char*& p);
// Copies up to n characters of p up to its stop character (the first of
// `stops`, which holds one at most), '|' or the end of the normalised line;
// the result is terminated. Returns the length copied.
int copy_until(char* out, const char* p, int n, const char* stops);

// The "INSE:" and "XPRESE:" items, found both in teacher blocks and on
// teacher constraint lines: hour pairs a-b split by ':' into the teacher's
// table; a missing '-' or more pairs than the table holds raise an error.
// False when the item is neither.
bool read_hour_pairs_item(EngineTeacher& t, const char* item);

// ---- Errors ---------------------------------------------------------------------

[[noreturn]] void loader_config_error(const char* message);  // with the current line
[[noreturn]] void loader_config_error_text(const char* message, const char* text);
[[noreturn]] void loader_critical(const char* text, int source_line);
// A number of the current line that must fit its field (low..high, what the
// field holds and what the user interface keeps): one outside is refused as
// a bad line instead of being wrapped into another value or into "not set".
int loader_fitting(int value, int low, int high);

// ---- Find-or-add and section parsers ----------------------------------------------

void or_read_days_line(const char* line);
void or_read_short_days_line(const char* line);
void or_read_lab_lines(std::FILE* file);
void or_read_lab_group_line(const char* line);
void or_read_common_room_lines(std::FILE* file);
void or_check_common_room_buildings();
void or_read_sissi_ids(const char* line);
void or_read_class_hour_durations(const char* line);
void or_read_class_special_days(const char* line, int which);
void or_read_class_special_calendar(const char* line, int which);
void or_reset_teacher_constraint_fields();
// Reads day ranges "DD:a-b" of an item into an 84-slot grid (1 = set); the
// hours must lie in 1..12 with b not before a, else the message is raised.
const char* read_day_ranges(const char* p, std::uint8_t* grid, const char* message);

// ---- Teaching lines and derivations ---------------------------------------------------

void or_read_class_item_options(const char* item, int first_lesson, int end_lesson,
                                int line_number);
void or_build_subject_table();
void or_create_articulated_classes();
bool or_link_lab_subject(std::FILE* file, const char* field, int subject, int kind, int room);
void or_create_articulated_lessons();
void or_link_joint_classes();
void or_apply_consecutive_maps();
void or_link_lab_group_names();
void or_merge_part_lessons();
void or_resolve_paired_subjects();
void or_read_school_keywords(std::FILE* file);
void or_read_teacher_constraints(std::FILE* file);

// Reads the next line of the file into g_loader.line, normalised; false at the end.
bool loader_next_line(std::FILE* file);
