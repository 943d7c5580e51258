// The report run's shared data: the teacher grid records, the class grid
// records, the report time table and the small run globals that every
// report writer reads, plus the writers' entry points in the order the run
// calls them.
//
// Invariants: the run (or_write_all_reports) clears and fills everything here
// before the first writer runs; writers only read the teacher grid and only
// the class grid filler writes the class grid. Slot s = day x 12 + hour.
// Texts are code page 1252. The tables are large static arrays (about 11 MB
// in all) because a school holds up to 500 teachers and 300 classes and a run
// writes some forty reports from them; nothing here is reentrant (one run at
// a time, on the engine thread).
#pragma once

#include <cstdint>
#include <cstdio>

#include "engine/model.h"
#include "engine/report_services.h"  // g_room_report_flag

inline constexpr int kReportTeachers = 500;  // one record per engine teacher at most
inline constexpr int kReportClasses = 300;   // one record per class (or room, kind 5)
inline constexpr int kClassPlanes = 7;       // text planes of a class grid record
inline constexpr int kCellText = 21;         // 20 characters and a zero

struct ReportTeacherGrid {
  char name[kNameSize];
  char display_name[kNameSize];
  std::uint8_t copied_byte;
  char main_subject[kNameSize];
  char main_subject_copy[kNameSize];
  std::int16_t main_subject_index;  // -1 no fixed subject
  char class_code[kWeekSlots][6];
  std::int32_t allocated_room[kWeekSlots];
  std::int32_t lesson_subject[kWeekSlots];
  char lab_short[kWeekSlots][6];
  char lab_name[kWeekSlots][kNameSize];
  char cell[kWeekSlots][6];
  std::int16_t start_stamp[kWeekSlots];
  std::int16_t end_stamp[kWeekSlots];
  char sign1[kWeekSlots];
  char sign2[kWeekSlots];
  std::int8_t building[kWeekSlots];
  std::uint8_t kind;
  std::int32_t teacher;
  std::int32_t represented;  // record of the teacher a proxy (kind 8) stands for, -1 none
  std::int32_t common_room[kWeekSlots];
  std::uint8_t common_rooms_used[kMaxCommonRooms];
  std::uint8_t in_section;
  std::uint8_t standby_hours;
  std::uint8_t teaching_hours;
  std::uint8_t hours_inside_day;
  std::uint8_t created_byte;
};

struct ReportClassGrid {
  char code[4];
  char raw_code[kClassCodeSize];
  char display_name[kNameSize];
  char sort_key[kNameSize];
  char planes[kClassPlanes][kDays][kHoursPerDay][kCellText];
  std::int32_t building;
  std::uint8_t hour_flags[kHoursPerDay];
  std::int16_t start[kDays][kHoursPerDay];
  std::int16_t end[kDays][kHoursPerDay];
};

// Hour-flag bits of ReportClassGrid.
inline constexpr std::uint8_t kHourCoTeacher = 1;
inline constexpr std::uint8_t kHourFurtherSupport = 4;
inline constexpr std::uint8_t kRecordHasSupport = 8;  // first byte only

struct ReportRun {
  int kind = 'n';                  // handed to or_report_path for every report
  char path[400] = {};             // the report being written
  int hours_shown = 0;             // hour rows of every weekly table
  std::int16_t start[kDays][kHoursPerDay] = {};
  std::int16_t end[kDays][kHoursPerDay] = {};
  int reference_day = 0;
  bool lab_rooms_used = false;
  int lab_text_width = 3;
  std::int32_t proxy[kMaxTeachers] = {};
  std::int32_t report_class[kMaxLessons] = {};
  int teacher_records = 0;
  int class_records = 0;
};

extern ReportRun g_report;
extern ReportTeacherGrid g_teacher_grid[kReportTeachers];
extern ReportClassGrid g_class_grid[kReportClasses];

// The publishing step's inputs and the path it reads back.
extern char g_publish_school_code[64];
extern char g_publish_memo[400];
extern std::uint8_t g_publish_delete;
extern char g_publish_export_path[400];

// The subject codes of the short class table (or_build_subject_codes): the
// first earlier subject of the same name (0xFFFF none), whether the class
// grid printed the code, and the longest code.
extern std::uint16_t g_subject_code_link[kMaxSubjects];
extern std::uint8_t g_subject_code_used[kMaxSubjects];
extern int g_subject_code_longest;

// ---- The run -----------------------------------------------------------------

void or_write_all_reports(int kind, int publish);
// Steps 2 to 5 and 9 to 12 of the preparation, usable by the tests alone.
void or_prepare_report_data();
void or_fill_teacher_grid();

// ---- Shared helpers of the writers ---------------------------------------------

// Opens g_report.path "wt" through or_fopen; a file that cannot be created
// raises the file error with the language's hint and the given line.
std::FILE* or_open_report(int line);
// Closes a report opened by or_open_report. A report not written whole (a
// full disk, a failing disk) raises the file error naming the file and why,
// so the run ends with an error instead of leaving an empty report behind.
void or_close_report(std::FILE* f, int line);
// The report path of a name in the language (row of three) with the run's kind.
const char* or_name_report(const char* const names[3], int kind);
// True for a teacher that stands for a class calendar, not a person.
bool or_report_pseudo_teacher(int teacher);
// The name of a subject as the reports print it ("" for none).
const char* or_report_subject_name(int subject);
// The room of a lesson: its own setting, else its room.
int or_report_lesson_room(int lesson);
// The second teacher of a lesson, -1 when none.
int or_report_second_teacher(int lesson);
// The class's display name, or its code when it has none (merged classes
// give the class they are merged into).
const char* or_report_class_name(int class_index);
// Non-zero when the teacher reports show lesson times.
int or_report_times_option();
// 1 when the school has more than one building.
bool or_report_several_buildings();

// The cell text of a teacher's slot as a table of one building shows it
// (building -1: the whole school): another building's class is blank, the
// transfer mark and markers beside this building's hours stay.
const char* or_cell_in_building(const ReportTeacherGrid& r, int day, int hour, int building);

// The class list of a teacher record (-1: every record): returns the longest
// list length; with a buffer (at least 600 bytes) writes the codes of the
// last teacher examined, sorted by track, section and year, each followed by
// a blank.
int or_teacher_class_list(char* buffer, int record);
// Without a buffer starts the walk over the distinct main subjects and
// returns their number (the longest length into *length); with a buffer
// copies the current name and moves on (returns -1).
int or_next_grid_subject(char* buffer, int* length);
void or_write_dash_rule(std::FILE* f, int width);

// ---- The writers -------------------------------------------------------------------

void or_write_publish_export();
void or_write_register_pipe_export();
void or_write_mastercom_export();
void or_write_global_export();
void or_fill_class_grid(int kind, int sort_mode);
void or_write_grid_report(int kind, int building);
void or_write_complete_class_report(int variant);
void or_write_class_table(int variant);
void or_write_global_table(int kind, int building, const char* track);
// The spreadsheet companion of a global table; `cell_width` is the table's.
void or_write_global_table_sheet(int kind, int building, const char* track, int cell_width);
void or_write_global_subject_table(int building);
void or_write_class_wall_chart(int variant);
void or_write_class_council_report();
void or_write_signature_sheet(int form, int building);
void or_write_provisional_standby_summary();
void or_write_flexible_standby_report();
void or_build_subject_codes();
void or_write_short_class_table(int building);
void or_write_class_staff_list(int variant);
void or_write_class_staff_list_extended();
void or_write_teachers_subjects_table(int building);
void or_write_teacher_portrait();
void or_write_teacher_portrait_twins();
void or_write_teacher_landscape();
void or_write_teacher_landscape_common_rooms();
void or_write_teacher_landscape_rooms();

// Small helpers several writers share (report_helpers.cpp).
// '0' to '9' only, whatever the locale.
bool is_digit(char c);
// The teacher record stands for a lab, not a person.
bool lab_pseudo(const ReportTeacherGrid& r);
// From the third hour: the day's first row starts after the previous hour ends.
bool break_before(int h);
// The end (or else start) time stamp of a teacher's slot, tagged in the run's
// language; "" when the slot has none.
const char* stamp(const ReportTeacherGrid& r, int s);
// The rows of day d in a class table: its hours, at most the hours shown.
int day_rows(int d);
