// The report run: prepares the data every report reads (report time table,
// hours shown, report class of each lesson, proxy map, teacher grid) and
// then calls the export writers and the report writers in their fixed order.
// The engine calls it at the end of a computation and for "REPO:".
//
// Invariants: a parallel worker writes nothing; every writer opens its file
// through or_open_report, so a file that cannot be created ends the command
// with the file error and the hint to close the document in use. The run
// clears its globals first, so nothing of a previous run leaks into a report.
// Shaped for one run per command: the preparation walks the lesson table a
// few times (10000 lessons at most), the writers then read the grids.
#include "reports/report_run.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/report_services.h"
#include "engine/shell_services.h"
#include "engine/standby_steps.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "engine/week_grid_access.h"
#include "reports/engine_report_services.h"
#include "solver/classroom_allocation.h"
#include "reports/report_services.h"

ReportRun g_report;
ReportTeacherGrid g_teacher_grid[kReportTeachers];
ReportClassGrid g_class_grid[kReportClasses];
char g_publish_school_code[64] = {};
char g_publish_memo[400] = {};
std::uint8_t g_publish_delete = 0;
char g_publish_export_path[400] = {};

namespace {

constexpr const char* kSourceOutsp = "OR_OUTSP";

// The day whose times stand in for a day without times: the one holding the
// highest hour with a positive time (the last day that raised the maximum).
int reference_day() {
  int day = 0, top = -1;
  for (int d = 0; d < kDays; ++d)
    for (int h = 0; h < kHoursPerDay; ++h)
      if (g_eng_school.timing[0][d][h] > 0 && h > top) top = h, day = d;
  return day;
}

void build_time_table() {
  g_report.reference_day = reference_day();
  int r = g_report.reference_day;
  for (int d = 0; d < kDays; ++d)
    for (int h = 0; h < kHoursPerDay; ++h) {
      int start = g_eng_school.timing[0][d][h], length = g_eng_school.timing[1][d][h];
      if (start == 0 && length == 0) start = g_eng_school.timing[0][r][h], length = g_eng_school.timing[1][r][h];
      // A slot without any time prints none rather than midnight.
      bool timed = start != 0 || length != 0;
      g_report.start[d][h] = static_cast<std::int16_t>(timed ? start : -1);
      g_report.end[d][h] = static_cast<std::int16_t>(timed ? start + length : -1);
    }
}

void cut_display_names() {
  for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c) {
    char* name = g_eng_classes[c].display_name;
    if (std::strlen(name) >= 3 && name[2] == '_') name[2] = ' ', name[3] = 0;
  }
}

bool ordinary_lesson_in_hour(int hour) {
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (or_lesson_placed(l) && x.hour == hour && !or_report_pseudo_teacher(x.teacher)) return true;
  }
  return false;
}

void choose_hours_shown() {
  int shown = 0;
  for (int d = 0; d < kDays; ++d) {
    int h = g_provisional_mode ? g_eng_school.provisional_hours_per_day[d] : g_eng_school.hours_per_day[d];
    if (d < or_week_days() || g_provisional_mode) shown = h > shown ? h : shown;
  }
  if (shown > kHoursPerDay) shown = kHoursPerDay;
  while (shown > 2 && !ordinary_lesson_in_hour(shown - 1)) --shown;
  g_report.hours_shown = shown;
}

void build_proxy_map() {
  for (int t = 0; t < kMaxTeachers; ++t) g_report.proxy[t] = -1;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    int t = g_eng_lessons[l].teacher;
    if (t < 0 || t >= kMaxTeachers || !(g_eng_teachers[t].type_flags & kTeacherFca) || g_report.proxy[t] >= 0)
      continue;
    const EngineLesson& x = g_eng_lessons[l];
    for (int j = 0; j < x.joint_count && j < kMaxJointLessons; ++j) {
      int other = x.joint_lessons[j];
      if (other < 0 || other >= g_eng_school.lesson_count) continue;
      int u = g_eng_lessons[other].teacher;
      if (u >= 0 && u < kMaxTeachers && !(g_eng_teachers[u].type_flags & kTeacherFca)) {
        g_report.proxy[t] = u;
        break;
      }
    }
  }
}

void assign_report_classes() {
  g_report.lab_text_width = 3;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    int supported = or_lesson_supported_class(l);
    int c = supported >= 0 ? supported : g_eng_lessons[l].class_index;
    g_report.report_class[l] = c;
    if (c < 0 || c >= kMaxClasses) continue;
    if (g_eng_classes[c].kind == 1) g_report.lab_text_width = 2 + g_eng_school.class_code_length;
    if (g_eng_classes[c].kind == 2) g_report.lab_text_width = 2 + g_eng_run.longest_class_name;
  }
  if (g_report.lab_text_width > 5) g_report.lab_text_width = 5;
}

bool needs_reception_hours() {
  int real = g_eng_school.real_class_count;
  if (real >= 1 && real < g_eng_school.class_count) return true;
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (g_eng_teachers[t].reception_handled) return false;
  return true;
}

// After a room allocation: the allocation rooms' names go into the room
// records and every lesson takes the room the allocation gave it, so the
// teacher grid and the class grids name the allocated rooms.
void take_allocated_rooms() {
  if (!g_room_report_flag) return;
  const RoomAllocationState& s = g_room_allocation;
  or_room_allocation_phase(-1, s.first_allocation_room);
  if (!s.rooms_allocated) return;
  for (int l = 0; l < g_eng_school.lesson_count && l < kMaxLessons; ++l) {
    int room = s.lesson_result[l];
    if (room >= 0 && room < g_eng_school.room_count) g_eng_lessons[l].room = room;
  }
}

void reset_run_globals(int kind) {
  g_report.kind = kind;
  std::memset(g_teacher_grid, 0, sizeof g_teacher_grid);
  std::memset(g_class_grid, 0, sizeof g_class_grid);
}

// One table per study track: the text of each class from its third
// character, the first class's and then every one not seen before.
void write_track_tables() {
  std::vector<std::string> seen;
  for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c) {
    const char* code = g_eng_classes[c].code;
    if (std::strlen(code) < 3) continue;
    std::string track = code + 2;
    if (std::find(seen.begin(), seen.end(), track) != seen.end()) continue;
    seen.push_back(track);
    or_write_global_table(6, -1, track.c_str());
  }
}

void write_global_tables() {
  or_write_global_table(0, -1, nullptr);
  or_write_global_subject_table(-1);
  if (or_report_several_buildings())
    for (int b = 0; b < g_eng_school.building_count && b < kMaxBuildings; ++b) {
      or_write_global_table(0, b, nullptr);
      or_write_global_subject_table(b);
    }
  for (int kind = 1; kind <= 3; ++kind) or_write_global_table(kind, -1, nullptr);
  or_write_teachers_subjects_table(-1);
  if (g_report.lab_rooms_used) {
    or_write_global_table(5, -1, nullptr);
    if (or_report_several_buildings())
      for (int b = 0; b < g_eng_school.building_count && b < kMaxBuildings; ++b) or_write_global_table(5, b, nullptr);
  }
  if (g_eng_school.class_code_length == 3) write_track_tables();
}

bool grid_shows_co_teaching() {
  for (int i = 0; i < g_report.class_records; ++i)
    for (int p = 3; p <= 5; ++p)
      for (int d = 0; d < kDays; ++d)
        for (int h = 0; h < kHoursPerDay; ++h)
          if (g_class_grid[i].planes[p][d][h][0] != '\0') return true;
  return false;
}

void write_class_grids() {
  static const int kKinds[] = {0, 1, 2, 3, 4, 5};
  for (int kind : kKinds) {
    or_fill_class_grid(kind, 0);
    or_write_grid_report(kind, 0);
  }
  or_fill_class_grid(8, 0);
  or_write_complete_class_report(3);
  or_write_complete_class_report(0);
  or_write_class_table(0);
  or_write_class_table(1);
  or_write_class_wall_chart(0);
  or_write_class_wall_chart(1);
  or_write_flexible_standby_report();
  or_write_class_council_report();
  if (or_report_several_buildings()) {
    for (int b = 0; b < g_eng_school.building_count; ++b) {
      or_fill_class_grid(6, 0);
      or_write_grid_report(6, b);
      or_fill_class_grid(4, 0);
      or_write_grid_report(64, b);
    }
  }
  if (g_provisional_mode) {
    or_write_provisional_standby_summary();
  } else {
    or_fill_class_grid(7, 0);
    or_write_grid_report(7, 0);
  }
  or_fill_class_grid(71, 0);
  or_write_grid_report(71, 0);
  // Co-teaching is what the kind-72 grid shows: a second teacher who is no
  // laboratory assistant, or another teacher in the class's hour. A school
  // whose only second teachers are assistants gets no empty tables.
  or_fill_class_grid(72, 0);
  if (grid_shows_co_teaching()) or_write_grid_report(72, 0);
  or_build_subject_codes();
  or_fill_class_grid(9, 0);
  or_write_short_class_table(-1);
  or_fill_class_grid(0, 0);
}

}  // namespace

// ---- Helpers shared by the writers ---------------------------------------------

bool or_report_pseudo_teacher(int t) { return or_is_calendar_teacher(t); }

const char* or_report_subject_name(int s) {
  if (s < 0 || s >= g_eng_school.subject_count || s >= kMaxSubjects) return "";
  const EngineSubject& x = g_eng_subjects[s];
  return x.specific_name[0] ? x.specific_name : x.group_name;
}

int or_report_lesson_room(int l) {
  int own = or_lesson_room_setting(l);
  return own >= 0 ? own : g_eng_lessons[l].room;
}

int or_report_second_teacher(int l) {
  int t = g_eng_lessons[l].second_teacher;
  return or_lesson_has_second(l) && t >= 0 && t < g_eng_school.teacher_count ? t : -1;
}

const char* or_report_class_name(int c) {
  const char* name = or_class_display_name(c);
  return name[0] ? name : or_class_code(c);
}

// The teacher reports show the lesson times where they matter: when some
// class keeps hour times of its own (the description has no separate
// switch for it), so a teacher sees when each such lesson starts and ends.
int or_report_times_option() { return g_eng_school.nonstandard_timing_days != 0; }

bool or_report_several_buildings() { return g_eng_school.building_count > 1; }

const char* or_name_report(const char* const names[3], int kind) {
  if (!or_report_path(g_report.path, or_pick_text(names), nullptr, kind)) g_report.path[0] = 0;
  return g_report.path;
}

std::FILE* or_open_report(int line) {
  errno = 0;
  std::FILE* f = g_report.path[0] ? or_fopen(g_report.path, "wt") : nullptr;
  if (!f) {
    int error = errno;
    const char* why = or_create_failure_reason(error, or_language());
    errno = error;
    or_raise_file_error(g_report.path, why, kSourceOutsp, line);
  }
  return f;
}

void or_close_report(std::FILE* f, int line) {
  std::string name = or_stream_name(f);
  int error = or_fclose_written(f);
  if (error == 0) return;
  errno = error;
  or_raise_file_error(name.c_str(), or_write_failure_reason(error, or_language()), kSourceOutsp, line);
}

void or_prepare_report_data() {
  int kind = g_report.kind;
  g_report = ReportRun{};
  g_report.kind = kind;
  build_time_table();
  cut_display_names();
  choose_hours_shown();
  build_proxy_map();
  assign_report_classes();
  or_fill_teacher_grid();
}

void or_write_all_reports(int kind, int publish) {
  if (g_process_number > 0) return;
  or_plug_engine_report_services();
  if (g_output_folder) kt::report_services().make_folder(g_output_folder);
  reset_run_globals(kind);
  if (needs_reception_hours()) or_allocate_reception_hours();
  or_pack_standby_lessons(1);
  take_allocated_rooms();
  or_prepare_report_data();

  or_write_publish_export();
  if (publish) {
    // A publishing run names the allocated rooms too; the next run must
    // not take them over again.
    g_room_report_flag = 0;
    return;
  }
  or_write_register_pipe_export();
  or_write_mastercom_export();
  or_write_global_export();
  write_global_tables();
  or_write_teacher_portrait();
  or_write_teacher_portrait_twins();
  or_write_teacher_landscape();
  write_class_grids();
  if (!g_provisional_mode) {
    or_write_class_staff_list(2);
    or_write_class_staff_list(1);
  }
  or_write_class_staff_list(0);
  or_write_class_staff_list_extended();
  if (or_report_several_buildings())
    for (int b = 0; b < g_eng_school.building_count && b < kMaxBuildings; ++b) or_write_signature_sheet(1, b);
  else
    or_write_signature_sheet(1, -1);
  g_room_report_flag = 0;
}
