// Teacher constraints on rooms, laboratories and single lessons: common room
// and laboratory availability (36, 53), equipment changes in a laboratory or
// gym (55, 65), prolonged hours (34), forbidden hours per class (35), first
// and last hour wishes (43), class test blocks (33, 61) and the laboratory
// group presence (44), which is priced per class (see the header).
//
// Every rule here is pure: a delta check reads the teacher's (or class's)
// grids and the slot lists and writes nothing, so the price a move sees
// before and after the exchange depends on the placement only. The test
// blocks of 33 mark a post deficient only in the full check; 61 finds the
// deficient posts with its own search instead of reading that mark.
//
// Workload: the delta checks run for the touched teachers of every move;
// each walks the teacher's 84 slots and, for 44/55/65, a few slot lists.
#include "solver/room_lab_constraints.h"

#include <algorithm>
#include <bit>
#include <cstdio>

#include "engine/status_block.h"
#include "solver/constraint_parameters.h"
#include "solver/evaluator_access.h"
#include "solver/teacher_rule_frame.h"
#include "solver/violation_reporter.h"

namespace {

const std::uint8_t* normal_hours() { return rule_day_hours(false); }

// Whether 36 and 43 can count at all in the school loaded: some common room
// has an hour it cannot be used, some lesson has an hour position wish. Both
// read only the load's data, which no move changes, so each full check finds
// them again and the delta checks of the moves until the next one skip a
// rule that cannot count; after a load they stay open until a full check.
bool g_unusable_common_rooms = true;
bool g_position_wishes = true;

bool find_unusable_common_rooms() {
  for (int r = 0; r < g_eng_school.common_room_count && r < kMaxCommonRooms; ++r) {
    const EngineCommonRoom& room = g_eng_common_rooms[r];
    if (room.availability[0] == kNotConfigured) continue;
    for (int s = 0; s < kWeekSlots; ++s)
      if (room.availability[s] == 0) return true;
  }
  return false;
}

// The slots at which some laboratory cannot be used (53), found again by
// each full check as the gates above; all open after a load. A delta check
// reads the teacher's lessons only at those slots, and the closed slots of
// each laboratory from one bit each rather than from the room records
// (rooms added after the full check are read from their records). Rooms'
// laboratory flags and hours change only by a load.
DayMask g_lab_closed_days[kDays];
std::uint64_t g_lab_room_closed[kMaxRooms][2];
int g_lab_rooms_noted = 0;
bool g_lab_closed_known = false;

bool lab_closed(const EngineRoom& room, int s) { return (room.lab_flag & 1) != 0 && room.availability[s] == 0; }

void find_closed_lab_slots() {
  int rooms = std::clamp(g_eng_school.room_count, 0, kMaxRooms);
  for (int s = 0; s < kWeekSlots; ++s) {
    bool closed = false;
    for (int r = 0; r < rooms && !closed; ++r) closed = lab_closed(g_eng_rooms[r], s);
    if (s % kHoursPerDay == 0) g_lab_closed_days[s / kHoursPerDay] = 0;
    if (closed) g_lab_closed_days[s / kHoursPerDay] |= static_cast<DayMask>(1u << (s % kHoursPerDay));
  }
  for (int r = 0; r < rooms; ++r) {
    g_lab_room_closed[r][0] = g_lab_room_closed[r][1] = 0;
    for (int s = 0; s < kWeekSlots; ++s)
      if (lab_closed(g_eng_rooms[r], s)) g_lab_room_closed[r][s >> 6] |= std::uint64_t{1} << (s & 63);
  }
  g_lab_rooms_noted = rooms;
  g_lab_closed_known = true;
}

bool find_position_wishes() {
  for (int l = 0; l < g_eng_school.lesson_count && l < kMaxLessons; ++l)
    if (g_lesson_rule_params[l].position_wish == 1 || g_lesson_rule_params[l].position_wish == 2) return true;
  return false;
}

// ---- 36, 53: rooms used at a slot where they are not available -------------

// The teacher's lessons at normal hours held in a room that cannot be used
// then: unusable(lesson, slot) names the room, or gives nullptr when the
// lesson has no such room or the room is free. Each is recorded under code.
// With closed_days, only the hours set there are read.
template <class Unusable>
int unusable_room_hours(int teacher, TeacherReport* report, int code, Unusable unusable,
                        const DayMask* closed_days = nullptr) {
  const std::uint8_t* hours = normal_hours();
  int n = 0;
  for (int d = 0; d < rule_days(); ++d)
    for (unsigned left = day_hours(hours[d]) & (closed_days != nullptr ? closed_days[d] : 0xFFFFu); left != 0;
         left &= left - 1) {
      int h = std::countr_zero(left);
      int s = d * kHoursPerDay + h;
      int l = teacher_lesson_at(teacher, s);
      if (l < 0) continue;
      const char* room = unusable(g_eng_lessons[l], s);
      if (!room) continue;
      ++n;
      if (report) report->record(code, g_eng_lessons[l].class_index, 0, room, 1);
    }
  return n;
}

int common_room_hours(int teacher, TeacherReport* report) {
  return unusable_room_hours(teacher, report, 36, [](const EngineLesson& lesson, int s) -> const char* {
    int r = lesson.common_room;
    if (r < 0 || r >= kMaxCommonRooms || r >= g_eng_school.common_room_count) return nullptr;
    const EngineCommonRoom& room = g_eng_common_rooms[r];
    if (room.availability[0] == kNotConfigured || room.availability[s] != 0) return nullptr;
    return room.name;
  });
}

int lab_hours(int teacher, TeacherReport* report) {
  // The full check reads the room records.
  int noted_rooms = report == nullptr && g_lab_closed_known ? g_lab_rooms_noted : 0;
  return unusable_room_hours(teacher, report, 53, [noted_rooms](const EngineLesson& lesson, int s) -> const char* {
    int r = lesson.room;
    if (r < 0 || r >= kMaxRooms || r >= g_eng_school.room_count) return nullptr;
    bool closed = r < noted_rooms ? (g_lab_room_closed[r][s >> 6] >> (s & 63)) & 1 : lab_closed(g_eng_rooms[r], s);
    return closed ? g_eng_rooms[r].name : nullptr;
  }, g_lab_closed_known ? g_lab_closed_days : nullptr);
}

// ---- 55, 65: equipment changes ---------------------------------------------

// First lesson listed at a slot held in room r (common room when common).
int lesson_in_room(int slot, int r, bool common) {
  int found = -1;
  for_each_slot_lesson(slot, [&](int x) {
    if (found >= 0) return;
    if ((common ? g_eng_lessons[x].common_room : g_eng_lessons[x].room) == r) found = x;
  });
  return found;
}

void equipment_text(TeacherReport* report, int l, const char* room_name, long value) {
  std::snprintf(report->text, sizeof report->text, "%s %s %s %ld", class_text(g_eng_lessons[l].class_index),
                room_name, "", value);
}

int lab_equipment(int teacher, TeacherReport* report) {
  if (g_school_rule_params.lab_equipment_items == 0 || !g_teacher_rule_params[teacher].lab_equipment_flag)
    return 0;
  const std::uint8_t* hours = normal_hours();
  int n = 0;
  for (int d = 0; d < rule_days(); ++d)
    for (int h = 1; h < hours[d]; ++h) {
      int l = teacher_lesson_at(teacher, d * kHoursPerDay + h);
      if (l < 0) continue;
      const LessonRuleParams& p = g_lesson_rule_params[l];
      if (p.lab_equipment == 0 || p.lab_equipment_skip != 0) continue;
      int room = g_eng_lessons[l].room;
      for (int back = h - 1; back >= 0; --back) {
        int x = lesson_in_room(d * kHoursPerDay + back, room, false);
        if (x < 0 || g_lesson_rule_params[x].lab_equipment == 0) continue;
        if (g_lesson_rule_params[x].lab_equipment != p.lab_equipment) {
          ++n;
          if (report) {
            const char* name = room >= 0 && room < kMaxRooms ? g_eng_rooms[room].name : "";
            equipment_text(report, l, name, static_cast<long>(p.lab_equipment));
            or_detail_set_word(16, g_eng_lessons[l].room);
            report->record(55, g_eng_lessons[l].class_index, 0, report->text, 1);
          }
        }
        break;
      }
    }
  return n;
}

int gym_equipment(int teacher, TeacherReport* report) {
  if (g_school_rule_params.gym_equipment_items == 0 || !g_teacher_rule_params[teacher].gym_equipment_flag)
    return 0;
  const std::uint8_t* hours = normal_hours();
  int n = 0;
  for (int d = 0; d < rule_days(); ++d)
    for (int h = 0; h + 1 < hours[d]; ++h) {
      int l = teacher_lesson_at(teacher, d * kHoursPerDay + h);
      if (l < 0) continue;
      const LessonRuleParams& p = g_lesson_rule_params[l];
      int r = g_eng_lessons[l].common_room;
      if (p.gym_equipment == 0 || p.gym_equipment_skip != 0 || r < 0) continue;
      bool changed = false;
      for (int later = h + 1; later < hours[d]; ++later) {
        int x = lesson_in_room(d * kHoursPerDay + later, r, true);
        if (x < 0) continue;
        std::int32_t e = g_lesson_rule_params[x].gym_equipment;
        if (e == 0) continue;
        if (e != p.gym_equipment) {
          changed = true;
        } else if (changed) {
          ++n;
          if (report) {
            const char* name = r < kMaxCommonRooms ? g_eng_common_rooms[r].name : "";
            equipment_text(report, l, name, static_cast<long>(p.gym_equipment));
            or_detail_set_word(16, g_eng_lessons[l].room);
            report->record(65, g_eng_lessons[l].class_index, 0, report->text, 1);
          }
          break;
        }
      }
    }
  return n;
}

// ---- 34: prolonged hours ------------------------------------------------------

int prolonged_hours(int teacher, TeacherReport* report) {
  const TeacherRuleParams& tp = g_teacher_rule_params[teacher];
  int threshold = g_eng_school.oreprolu;
  if (threshold == 0 || tp.prolonged_count <= 0) return 0;
  int records = tp.prolonged_count > kMaxProlongedRecords ? kMaxProlongedRecords : tp.prolonged_count;
  int attributed[kMaxProlongedRecords] = {};
  const std::uint8_t* hours = normal_hours();
  for (int d = 0; d < rule_days(); ++d)
    for (int h = 0; h < hours[d]; ++h) {
      int l = teacher_lesson_at(teacher, d * kHoursPerDay + h);
      if (l < 0) continue;
      int c = g_eng_lessons[l].class_index;
      if (!valid_class(c) || g_eng_classes[c].timing[1][d][h] < threshold) continue;
      if (tp.prolonged_first_only) {
        ++attributed[0];
        continue;
      }
      for (int k = 0; k < records; ++k)
        if (tp.prolonged[k].line == g_eng_lessons[l].line_number) {
          ++attributed[k];
          break;
        }
    }
  int n = 0;
  for (int k = 0; k < records; ++k) {
    int missing = tp.prolonged[k].required - attributed[k];
    if (missing <= 0) continue;
    n += missing;
    if (report) {
      or_detail_set_word(12, tp.prolonged[k].class_index);
      or_detail_set_listed_count(missing);
      report->record(34, tp.prolonged[k].class_index, 0, class_text(tp.prolonged[k].class_index), missing);
    }
  }
  return n;
}

// ---- 35: forbidden hours of a class -------------------------------------------

bool forbidden_at(const TeacherRuleParams& tp, int l, int slot) {
  const EngineLesson& x = g_eng_lessons[l];
  int records = tp.forbidden_count > kMaxForbiddenClassHours ? kMaxForbiddenClassHours : tp.forbidden_count;
  for (int k = 0; k < records; ++k) {
    const ForbiddenClassHours& f = tp.forbidden[k];
    if (f.class_index != x.class_index) continue;
    if (f.line != x.line_number && f.line != x.part_line_number) continue;
    if (f.allowed[slot] == 0) return true;
  }
  return false;
}

int class_forbidden_hours(int teacher, TeacherReport* report) {
  const TeacherRuleParams& tp = g_teacher_rule_params[teacher];
  if (tp.forbidden_count <= 0) return 0;
  const std::uint8_t* hours = rule_day_hours(true);
  int n = 0;
  for (int d = 0; d < rule_days(); ++d)
    for (int h = 0; h < hours[d]; ++h) {
      int l = teacher_lesson_at(teacher, d * kHoursPerDay + h);
      if (l < 0 || !forbidden_at(tp, l, d * kHoursPerDay + h)) continue;
      ++n;
      if (report) {
        std::snprintf(report->text, sizeof report->text, "%s %s %d", class_text(g_eng_lessons[l].class_index),
                      day_short_name(d), h + 1);
        // The entry that forbids the hour: its class and line, and the slot.
        const EngineLesson& x = g_eng_lessons[l];
        int line = x.part_line_number;
        for (int k = 0; k < tp.forbidden_count && k < kMaxForbiddenClassHours; ++k)
          if (tp.forbidden[k].class_index == x.class_index && tp.forbidden[k].line == x.line_number &&
              tp.forbidden[k].allowed[d * kHoursPerDay + h] == 0)
            line = x.line_number;
        or_detail_set_word(92, x.class_index);
        or_detail_set_word(96, line);
        or_detail_flag(d * kHoursPerDay + h);
        report->record(35, g_eng_lessons[l].class_index, 0, report->text, 1);
      }
    }
  return n;
}

// ---- 43: first and last hour wishes ------------------------------------------

const char* const kWishTexts[2][3] = {
    {"VUOLE prime/ultime", "WILL erste/letzte", "WANTS first/last"},
    {"NON vuole prime/ultime", "NICHT erste/letzte", "REFUSES first/last"},
};

// A neighbour that is no real lesson of the class: free or a calendar hour.
bool outside_class(int neighbour) { return neighbour < 0 || lesson_of_calendar_teacher(neighbour); }

int edge_hour_position(int teacher, TeacherReport* report) {
  const std::uint8_t* hours = rule_day_hours(true);
  int n = 0;
  for (int d = 0; d < rule_days(); ++d) {
    int day_hours = hours[d];
    int short_day = g_eng_school.short_day[d];
    if (short_day > 0 && day_hours == short_day + 1) day_hours = short_day;
    int accepted_line = -1;  // line of a run accepted at its start
    for (int h = 0; h < day_hours; ++h) {
      int l = teacher_lesson_at(teacher, d * kHoursPerDay + h);
      if (l < 0) {
        accepted_line = -1;
        continue;
      }
      int wish = g_lesson_rule_params[l].position_wish;
      int line = g_eng_lessons[l].line_number;
      if (accepted_line >= 0 && line == accepted_line) continue;
      accepted_line = -1;
      if (wish != 1 && wish != 2) continue;
      int c = g_eng_lessons[l].class_index;
      if (!valid_class(c)) continue;
      int before = h > 0 ? class_lesson_at(c, d, h - 1) : -1;
      int after = h + 1 < day_hours ? class_lesson_at(c, d, h + 1) : -1;
      bool edge = h == 0 || h == day_hours - 1;
      bool counted;
      if (wish == 1) {
        if (edge || (h > 0 && outside_class(before))) {
          accepted_line = line;
          counted = false;
        } else {
          counted = !(outside_class(after) || g_eng_lessons[after].line_number == line);
        }
      } else {
        counted = edge || outside_class(before) || outside_class(after);
      }
      if (!counted) continue;
      ++n;
      if (report) {
        int language = g_status.language.load();
        if (language < 0 || language > 2) language = 0;
        std::snprintf(report->text, sizeof report->text, "%s (%s)", class_text(c), kWishTexts[wish - 1][language]);
        or_detail_set_word(12, c);
        report->record(43, c, 0, report->text, 1);
      }
    }
  }
  return n;
}

// ---- 33, 61: class test blocks --------------------------------------------------

bool post_lesson(const TeachingPost& p, int teacher, const std::uint16_t* grid, int slot) {
  if (grid[slot] == kGridFree || grid[slot] != p.class_index) return false;
  int l = teacher_lesson_at(teacher, slot);
  return l >= 0 && (g_eng_lessons[l].line_number == p.line || g_eng_lessons[l].part_line_number == p.line);
}

// Looks for a run of the post's block length (breaks end a run when asked);
// a fitting run is taken out of the grid copy. Returns the longest run, or
// the block length when one fits.
int find_test_block(const TeachingPost& p, int teacher, std::uint16_t* grid, bool respect_breaks) {
  const std::uint8_t* hours = normal_hours();
  int longest = 0;
  for (int d = 0; d < rule_days(); ++d) {
    int run = 0;
    int last = p.last_hour < hours[d] - 1 ? p.last_hour : hours[d] - 1;
    for (int h = p.first_hour < 0 ? 0 : p.first_hour; h <= last; ++h) {
      int s = d * kHoursPerDay + h;
      if (!post_lesson(p, teacher, grid, s)) {
        run = 0;
        continue;
      }
      ++run;
      if (run > longest) longest = run;
      if (run >= p.block_length) {
        for (int k = 0; k < run; ++k) grid[s - k] = kGridFree;
        return p.block_length;
      }
      if (respect_breaks && p.break_after[s] != 0) run = 0;
    }
  }
  return longest;
}

int post_count(const TeacherRuleParams& tp) {
  return tp.post_count > kMaxTeachingPosts ? kMaxTeachingPosts : tp.post_count;
}

int test_hours(int teacher, TeacherReport* report) {
  TeacherRuleParams& tp = g_teacher_rule_params[teacher];
  if (tp.post_count <= 0) return 0;
  std::uint16_t grid[kWeekSlots];
  std::memcpy(grid, g_eng_teachers[teacher].class_per_slot, sizeof grid);
  int n = 0;
  for (int k = 0; k < post_count(tp); ++k) {
    TeachingPost& p = tp.posts[k];
    if (p.class_index < 0 || p.block_length <= 0) continue;
    if (report) p.deficient = 0;
    int longest = find_test_block(p, teacher, grid, false);
    if (longest >= p.block_length) continue;
    n += p.block_length - longest;
    if (report) {
      p.deficient = 1;
      report->record(33, p.class_index, 0, class_text(p.class_index), p.block_length - longest);
    }
  }
  return n;
}

int test_hours_no_break(int teacher, TeacherReport* report) {
  const TeacherRuleParams& tp = g_teacher_rule_params[teacher];
  if (tp.post_count <= 0) return 0;
  std::uint16_t plain[kWeekSlots];
  std::uint16_t strict[kWeekSlots];
  std::memcpy(plain, g_eng_teachers[teacher].class_per_slot, sizeof plain);
  std::memcpy(strict, plain, sizeof strict);
  int n = 0;
  for (int k = 0; k < post_count(tp); ++k) {
    const TeachingPost& p = tp.posts[k];
    if (p.class_index < 0 || p.block_length <= 0) continue;
    bool deficient = find_test_block(p, teacher, plain, false) < p.block_length;
    if (!p.no_break_wish || deficient) continue;
    if (find_test_block(p, teacher, strict, true) >= p.block_length) continue;
    ++n;
    if (report) report->record(61, p.class_index, 0, class_text(p.class_index), 1);
  }
  return n;
}

// ---- 44: laboratory group presence, per class ------------------------------------

int own_room_of(int c) {
  for (int r = 0; r < g_eng_school.room_count && r < kMaxRooms; ++r)
    if (g_eng_rooms[r].home_class == c) return r;
  return -1;
}

// Violations of one slot of class c whose lesson l belongs to group g.
int lab_group_slot(int slot, int g, int own_room) {
  std::uint16_t free_rooms[kLabGroupRooms];
  int k = 0;
  for (int i = 0; i < kLabGroupRooms && g_eng_lab_groups[g].rooms[i] != 0xFFFF; ++i)
    free_rooms[k++] = g_eng_lab_groups[g].rooms[i];
  int members = 0;
  for_each_slot_lesson(slot, [&](int x) {
    const EngineLesson& e = g_eng_lessons[x];
    if (e.lab_group == g && g_lesson_rule_params[x].lab_group_skip == 0) ++members;
    if (e.common_room >= 0 || e.best_room != -1 || e.room == own_room) return;
    for (int i = 0; i < k; ++i)
      if (free_rooms[i] == e.room) {
        free_rooms[i] = free_rooms[--k];
        break;
      }
  });
  return members > k ? members - k : 0;
}

int lab_group_presence_count(int c, bool report) {
  if (g_eng_school.lab_group_count <= 0 || !valid_class(c) || c >= g_eng_school.real_class_count) return 0;
  const std::uint8_t* hours = normal_hours();
  int own_room = -2;
  int n = 0;
  for (int d = 0; d < rule_days(); ++d)
    for (int h = 0; h < hours[d]; ++h) {
      int l = class_lesson_at(c, d, h);
      if (l < 0) continue;
      int g = g_eng_lessons[l].lab_group;
      if (g < 0 || g >= kMaxLabGroups || g >= g_eng_school.lab_group_count) continue;
      if (g_lesson_rule_params[l].lab_group_skip != 0) continue;
      if (own_room == -2) own_room = own_room_of(c);
      int v = lab_group_slot(d * kHoursPerDay + h, g, own_room);
      if (v <= 0) continue;
      n += v;
      if (report) {
        char text[kReportTextSize];
        std::snprintf(text, sizeof text, "%s %s %s %d", class_text(c), g_eng_lab_groups[g].name,
                      day_short_name(d), h + 1);
        or_detail_set_word(12, g_eng_lessons[l].line_number);
        or_count_class_violation(44, c, static_cast<std::uint32_t>(v), 0, 0, text);
      }
    }
  return n;
}

}  // namespace

// A full check whose gate above is shut counts nothing for any teacher and,
// outside a reporting evaluation, leaves nothing behind (the frame clears the
// detail buffer only while records are kept), so its walk is skipped then.
namespace {
bool full_walk_needed(bool gate_open) { return gate_open || g_status.reporting.load() != 0; }
}  // namespace

std::int64_t or_check_common_room_hours() {
  g_unusable_common_rooms = find_unusable_common_rooms();
  if (!full_walk_needed(g_unusable_common_rooms)) return 0;
  return full_teacher_rule(36, common_room_hours);
}
std::int64_t or_delta_common_room_hours(int t) {
  return g_unusable_common_rooms ? delta_teacher_rule(36, common_room_hours, t) : 0;
}

void or_open_room_rule_gates() {
  g_unusable_common_rooms = true;
  g_position_wishes = true;
  g_lab_closed_known = false;
}
std::int64_t or_check_lab_hours() {
  find_closed_lab_slots();
  return full_teacher_rule(53, lab_hours);
}
std::int64_t or_delta_lab_hours(int t) { return delta_teacher_rule(53, lab_hours, t); }
std::int64_t or_check_lab_equipment() { return full_teacher_rule(55, lab_equipment); }
std::int64_t or_delta_lab_equipment(int t) { return delta_teacher_rule(55, lab_equipment, t); }
std::int64_t or_check_gym_equipment() { return full_teacher_rule(65, gym_equipment); }
std::int64_t or_delta_gym_equipment(int t) { return delta_teacher_rule(65, gym_equipment, t); }
std::int64_t or_check_prolonged_hours() { return full_teacher_rule(34, prolonged_hours); }
std::int64_t or_delta_prolonged_hours(int t) { return delta_teacher_rule(34, prolonged_hours, t); }
std::int64_t or_check_class_forbidden_hours() { return full_teacher_rule(35, class_forbidden_hours); }
std::int64_t or_delta_class_forbidden_hours(int t) { return delta_teacher_rule(35, class_forbidden_hours, t); }
std::int64_t or_check_edge_hour_position() {
  g_position_wishes = find_position_wishes();
  if (!full_walk_needed(g_position_wishes)) return 0;
  return full_teacher_rule(43, edge_hour_position);
}
std::int64_t or_delta_edge_hour_position(int t) {
  return g_position_wishes ? delta_teacher_rule(43, edge_hour_position, t) : 0;
}
std::int64_t or_check_test_hours() { return full_teacher_rule(33, test_hours); }
std::int64_t or_delta_test_hours(int t) { return delta_teacher_rule(33, test_hours, t); }
std::int64_t or_check_test_hours_no_break() { return full_teacher_rule(61, test_hours_no_break); }
std::int64_t or_delta_test_hours_no_break(int t) { return delta_teacher_rule(61, test_hours_no_break, t); }

std::int64_t or_check_lab_group_presence() {
  std::int64_t total = 0;
  for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c) {
    std::int64_t before = g_class_accumulated_penalty[c];
    lab_group_presence_count(c, true);
    total += g_class_accumulated_penalty[c] - before;
  }
  return total;
}

std::int64_t or_delta_lab_group_presence(int c) {
  int n = lab_group_presence_count(c, false);
  return n > 0 ? or_class_weighted(44, c, static_cast<std::uint32_t>(n)) : 0;
}
