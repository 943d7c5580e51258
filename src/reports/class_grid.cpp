// The class grid of the reports: rebuilt before each class-based report from
// the placed lessons, one ReportClassGrid record per report class (per room
// for kind 5), with the text the report kind shows in each slot (teacher,
// second teacher, subject, room), the slot times, and the records sorted so
// that sections of a track come together and pseudo-classes come last.
//
// Invariants: at most kReportClasses records, a lesson with no room for a new
// record is left out rather than written past the table; texts are cut to
// 20 characters; the sort is stable (equal keys keep lesson order). Shaped
// for one pass over the lessons per call, some fifteen calls per run.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "engine/week_grid_access.h"
#include "reports/report_run.h"
#include "reports/report_text_format.h"

namespace {

void set_text(char* cell, const char* text) { std::snprintf(cell, kCellText, "%.20s", text); }

const char* short_name(int subject) {
  if (subject < 0 || subject >= kt::kSubjectCapacity) return "";
  return g_subject_short_names[subject];
}

const char* teacher_name(int t) {
  if (t < 0 || t >= g_eng_school.teacher_count) return "";
  return or_report_pseudo_teacher(t) ? "   " : g_eng_teachers[t].name;
}

int compare_length(int c) {
  return c < g_eng_school.real_class_count && g_eng_school.class_code_length > 3 ? g_eng_school.class_code_length : 3;
}

int record_for_class(int c) {
  const char* raw = g_eng_classes[c].code;
  int n = compare_length(c);
  for (int i = 0; i < g_report.class_records; ++i)
    if (std::strncmp(g_class_grid[i].raw_code, raw, n) == 0) return i;
  if (g_report.class_records >= kReportClasses) return -1;
  int i = g_report.class_records++;
  ReportClassGrid& r = g_class_grid[i];
  std::snprintf(r.code, sizeof r.code, "%s", or_class_code(c));
  if (or_is_standby_class(c)) r.code[0] = 'd';
  std::snprintf(r.raw_code, sizeof r.raw_code, "%s", raw);
  std::snprintf(r.display_name, sizeof r.display_name, "%s", or_report_class_name(c));
  r.building = g_eng_classes[c].building;
  for (int d = 0; d < kDays; ++d)
    for (int h = 0; h < kHoursPerDay; ++h) r.start[d][h] = -1, r.end[d][h] = -1;
  return i;
}

// The building of a room: a lab carries its own (none in a school of one
// building); a class's room is in its class's building.
int room_building(int room) {
  const EngineRoom& x = g_eng_rooms[room];
  int home = x.home_class;
  if (!(x.lab_flag & 1) && home >= 0 && home < kMaxClasses) return g_eng_classes[home].building;
  if (!or_report_several_buildings()) return -1;
  int b = x.kind_or_building;
  return b >= 0 && b < g_eng_school.building_count ? b : -1;
}

int record_for_room(int room) {
  const char* name = g_eng_rooms[room].name;
  for (int i = 0; i < g_report.class_records; ++i)
    if (std::strcmp(g_class_grid[i].display_name, name) == 0) return i;
  if (g_report.class_records >= kReportClasses) return -1;
  int i = g_report.class_records++;
  ReportClassGrid& r = g_class_grid[i];
  std::snprintf(r.code, sizeof r.code, "%.3s", name);
  std::snprintf(r.raw_code, sizeof r.raw_code, "%.9s", name);
  std::snprintf(r.display_name, sizeof r.display_name, "%s", name);
  r.building = room_building(room);
  for (int d = 0; d < kDays; ++d)
    for (int h = 0; h < kHoursPerDay; ++h) r.start[d][h] = -1, r.end[d][h] = -1;
  return i;
}

bool second_shown(int l) {
  int t = or_report_second_teacher(l);
  return t >= 0 && !(g_eng_teachers[t].type_flags & kTeacherLabPseudo);
}

// Puts `text` into the first of planes 4 and 5 that is still empty.
void add_further(ReportClassGrid& r, int d, int h, const char* text) {
  char* p4 = r.planes[4][d][h];
  char* p5 = r.planes[5][d][h];
  if (!p4[0]) set_text(p4, text);
  else if (!p5[0]) set_text(p5, text);
}

bool takes(int kind, int l) {
  const EngineLesson& x = g_eng_lessons[l];
  bool unsupported = or_lesson_supported_class(l) < 0;
  switch (kind) {
    case 1: return (x.piece_kind & kHasLaboratoryPart) != 0;
    case 2: return (x.piece_kind & kHasConversationPart) != 0;
    case 3: return x.joint_count > 0;
    case 9: return unsupported && x.class_index < g_eng_school.real_class_count;
    case 71: return true;
    default: return unsupported;
  }
}

// A lesson is outside when its room is not one its class owns: a lab, a
// common or another class's room, or after a room allocation a room the
// allocation did not bind to the class. Whether the room is a lab does not
// matter; pseudo-classes own the rooms made with them.
bool outside_room(int l, int* room) {
  int r = or_report_lesson_room(l);
  *room = r;
  if (r < 0 || r >= g_eng_school.room_count) return false;
  return g_eng_rooms[r].home_class != g_eng_lessons[l].class_index;
}

// Other lessons of ordinary teachers in the same report class and slot.
template <typename Visit>
void same_slot_lessons(int l, Visit visit) {
  const EngineLesson& x = g_eng_lessons[l];
  for (int m = 0; m < g_eng_school.lesson_count; ++m) {
    const EngineLesson& y = g_eng_lessons[m];
    if (m == l || y.day != x.day || y.hour != x.hour || g_report.report_class[m] != g_report.report_class[l]) continue;
    if (y.teacher < 0 || or_report_pseudo_teacher(y.teacher)) continue;
    visit(m);
  }
}

void fill_complete(ReportClassGrid& r, int l, int d, int h) {
  const EngineLesson& x = g_eng_lessons[l];
  if (!or_report_pseudo_teacher(x.teacher)) {
    set_text(r.planes[2][d][h], teacher_name(x.teacher));
    set_text(r.planes[1][d][h], or_report_subject_name(x.first_subject));
  }
  if (second_shown(l)) set_text(r.planes[3][d][h], g_eng_teachers[or_report_second_teacher(l)].name);
  int room = or_report_lesson_room(l);
  if (room >= 0 && room < g_eng_school.room_count && room != x.class_index) {
    set_text(r.planes[6][d][h], g_eng_rooms[room].name);
  } else if (x.common_room >= 0 && x.common_room < kMaxCommonRooms) {
    char lower[kNameSize];
    std::snprintf(lower, sizeof lower, "%s", g_eng_common_rooms[x.common_room].name);
    for (char* p = lower; *p; ++p)
      if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p + 32);
    set_text(r.planes[6][d][h], lower);
  }
  // The support teachers of this class at the same hour ("Sost." rows).
  same_slot_lessons(l, [&](int m) {
    if (or_lesson_supported_class(m) >= 0) add_further(r, d, h, g_eng_teachers[g_eng_lessons[m].teacher].name);
  });
}

void fill_support(ReportClassGrid& r, int l, int d, int h) {
  const EngineLesson& x = g_eng_lessons[l];
  if (or_lesson_supported_class(l) < 0) {
    char title[64];
    or_title_case(title, teacher_name(x.teacher));
    set_text(r.planes[2][d][h], title);
    return;
  }
  set_text(r.planes[4][d][h], teacher_name(x.teacher));
  r.hour_flags[0] |= kRecordHasSupport;
  same_slot_lessons(l, [&](int m) {
    if (or_lesson_supported_class(m) < 0) {
      set_text(r.planes[2][d][h], g_eng_teachers[g_eng_lessons[m].teacher].name);
      if (second_shown(m)) {
        set_text(r.planes[3][d][h], g_eng_teachers[or_report_second_teacher(m)].name);
        r.hour_flags[h] |= kHourCoTeacher;
      }
    } else {
      set_text(r.planes[5][d][h], g_eng_teachers[g_eng_lessons[m].teacher].name);
      r.hour_flags[h] |= kHourFurtherSupport;
    }
  });
}

void place_text(int kind, ReportClassGrid& r, int l, int d, int h) {
  const EngineLesson& x = g_eng_lessons[l];
  // A special calendar's closed hours are lessons of its pseudo-teacher on
  // a placeholder subject: the subject views leave those hours empty.
  bool placeholder = or_report_pseudo_teacher(x.teacher);
  switch (kind) {
    case 1:
    case 2: {
      int t = or_report_second_teacher(l);
      set_text(r.planes[2][d][h], t >= 0 ? g_eng_teachers[t].name : "");
      break;
    }
    case 4:
    case 64: set_text(r.planes[2][d][h], placeholder ? "" : or_report_subject_name(x.first_subject)); break;
    case 8: fill_complete(r, l, d, h); break;
    case 9:
      if (placeholder) break;
      set_text(r.planes[2][d][h], short_name(x.subject));
      if (x.subject >= 0 && x.subject < kMaxSubjects) g_subject_code_used[x.subject] = 1;
      break;
    case 71: fill_support(r, l, d, h); break;
    case 72:
      set_text(r.planes[2][d][h], teacher_name(x.teacher));
      if (second_shown(l)) set_text(r.planes[3][d][h], g_eng_teachers[or_report_second_teacher(l)].name);
      same_slot_lessons(l, [&](int m) {
        if (or_lesson_supported_class(m) < 0) add_further(r, d, h, g_eng_teachers[g_eng_lessons[m].teacher].name);
      });
      break;
    default: set_text(r.planes[2][d][h], teacher_name(x.teacher)); break;
  }
}

void fill_room_slot(ReportClassGrid& r, int l, int d, int h) {
  const EngineLesson& x = g_eng_lessons[l];
  set_text(r.planes[2][d][h], teacher_name(x.teacher));
  if (second_shown(l)) set_text(r.planes[3][d][h], g_eng_teachers[or_report_second_teacher(l)].name);
  std::snprintf(r.planes[0][d][h], kCellText, "%.4s", or_report_class_name(g_report.report_class[l]));
}

void set_times(ReportClassGrid& r, int c, int d, int h) {
  const EngineClass& k = g_eng_classes[c];
  if (c < g_eng_school.real_class_count && (k.timing[0][d][h] != 0 || k.timing[1][d][h] != 0)) {
    r.start[d][h] = static_cast<std::int16_t>(k.timing[0][d][h]);
    r.end[d][h] = static_cast<std::int16_t>(k.timing[0][d][h] + k.timing[1][d][h]);
  } else {
    r.start[d][h] = g_report.start[d][h];
    r.end[d][h] = g_report.end[d][h];
  }
}

void settle_times() {
  for (int i = 0; i < g_report.class_records; ++i) {
    ReportClassGrid& r = g_class_grid[i];
    if (r.code[0] == 'd') {
      for (int d = 0; d < kDays; ++d)
        for (int h = 0; h < kHoursPerDay; ++h) r.start[d][h] = g_report.start[d][h], r.end[d][h] = g_report.end[d][h];
      continue;
    }
    if (or_report_times_option()) {
      // A slot never starts before the slot before it ends.
      for (int d = 0; d < kDays; ++d)
        for (int h = 1; h < kHoursPerDay; ++h)
          if (r.end[d][h - 1] > r.start[d][h]) r.start[d][h] = r.end[d][h - 1];
      continue;
    }
    for (int h = 0; h < kHoursPerDay; ++h) {
      if (r.start[0][h] >= 0) continue;
      for (int d = 1; d < kDays; ++d)
        if (r.start[d][h] >= 0) {
          r.start[0][h] = r.start[d][h];
          if (r.end[0][h] < 0) r.end[0][h] = r.end[d][h];
          break;
        }
    }
  }
}

void make_sort_keys(int kind, int sort_mode) {
  static const char kWallYear[] = {0, '1', '2', '5', '3', '4'};
  for (int i = 0; i < g_report.class_records; ++i) {
    ReportClassGrid& r = g_class_grid[i];
    char* key = r.sort_key;
    if (kind == 5) {
      std::snprintf(key, sizeof r.sort_key, "%-20.20s", r.display_name);
      continue;
    }
    int c = -1;
    for (int k = 0; k < g_eng_school.class_count && c < 0; ++k)
      if (std::strncmp(g_eng_classes[k].code, r.raw_code, kClassCodeSize) == 0) c = k;
    bool real = c >= 0 && c < g_eng_school.real_class_count;
    const char* code = r.code;
    char c2 = code[1] ? code[1] : ' ';
    char c3 = code[1] && code[2] ? code[2] : ' ';
    char raw2 = r.raw_code[0] && r.raw_code[1] ? r.raw_code[1] : ' ';
    if (!real) {
      key[0] = 127, key[1] = static_cast<char>('0' + (r.building < 0 ? 0 : r.building)), key[2] = c2, key[3] = c3;
    } else if (sort_mode == 101) {
      char year = code[0];
      if (year >= '1' && year <= '5') year = kWallYear[year - '0'];
      key[0] = year, key[1] = c2, key[2] = c3, key[3] = raw2;
    } else {
      key[0] = c3, key[1] = c2, key[2] = code[0], key[3] = raw2;
    }
    key[4] = 0;
  }
  std::stable_sort(g_class_grid, g_class_grid + g_report.class_records,
                   [](const ReportClassGrid& a, const ReportClassGrid& b) {
                     return std::memcmp(a.sort_key, b.sort_key, sizeof a.sort_key) < 0;
                   });
}

}  // namespace

void or_fill_class_grid(int kind, int sort_mode) {
  if (kind > 72 || (kind > 9 && kind != 64 && kind != 71 && kind != 72))
    or_raise_critical_error("SW", kind, "OR_OUTSP", 1420);
  std::memset(g_class_grid, 0, sizeof g_class_grid);
  g_report.class_records = 0;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    int c = g_report.report_class[l];
    if (!or_lesson_placed(l) || x.day >= kDays || x.hour >= kHoursPerDay || c < 0 || c >= g_eng_school.class_count)
      continue;
    if (!takes(kind, l)) continue;
    int d = x.day, h = x.hour;
    int room = -1;
    if (kind == 5) {
      if (!outside_room(l, &room)) continue;
      int i = record_for_room(room);
      if (i < 0) continue;
      set_times(g_class_grid[i], c, d, h);
      fill_room_slot(g_class_grid[i], l, d, h);
      continue;
    }
    int i = record_for_class(c);
    if (i < 0) continue;
    set_times(g_class_grid[i], c, d, h);
    place_text(kind, g_class_grid[i], l, d, h);
    // The provisional week shows only the hours of its shorter days.
    if (g_provisional_mode && h >= g_eng_school.provisional_hours_per_day[d])
      for (int plane : {1, 2, 3, 6}) g_class_grid[i].planes[plane][d][h][0] = 0;
  }
  settle_times();
  make_sort_keys(kind, sort_mode);
}
