// The substitutions of one day on the saved timetable. Each lesson of a real
// class that an absent teacher gives at an hour of absence needs cover, unless
// its other teacher is there. The cover is, in this order:
//   1. a teacher on stand-by at that hour ("Dis" hour), then
//   2. a teacher of the class who is free at that hour and at school that day
//      (has some lesson or stand-by hour on it at which he is not away);
// never a teacher who teaches at that hour, receives parents then (his
// reception hour in "ricevi.txt"), is absent then, already covers another
// lesson at that hour, or whose own constraints close that hour to him (a
// forbidden hour, his free day), or whom the cover would have change
// buildings between one hour and the next where the timetable would not let
// him (the search's own rule on moves between consecutive hours: his
// movement rule, the buildings reachable in a break, the school's least
// minutes for a move; so never in the free hour he needs for a move either).
// A stand-by hour holds its teacher in the building of its stand-by class,
// as the timetable counts it: the hours beside a cover are his lessons, his
// support hours and his stand-by hours not given up for a cover, each in its
// own building. The exemptions granted to a teacher on such moves let his
// week hold that many: a counted move beside a cover is given only while the
// moves the timetable counts in his week, the cover's among them, stay
// within them (a week that earned an exemption mostly holds its moves
// already, so such a cover is rare). Nor does a cover take the teacher beyond
// his weekly limit of building changes ("NOMWEEK:", raised by the exemptions
// granted on it; "NOMOTOR:2" allows none) where it adds a change. Nor does
// it raise what the timetable charges him for changes of building within
// his days (each change of a day beyond the first, free hours between them
// or not, unless the lunch pause excuses it; each change into or out of a
// building that counts every one) beyond what his week held without it and
// beyond the exemptions granted on those changes; a cover that adds no
// charged change is never refused for them. These limits hold even where
// the school or the teacher has switched the rule off: the cover list has
// no view of the weights, and a refused cover is the safe side.
// A teacher of the class covers in a
// free hour only within his daily limits: his lessons of the day with the
// covers he gives in free hours stay within the most lesson hours a day he
// may teach, his busy hours of the day (stand-by hours included) within the
// most he may have on that day of the week ("OM:", unless an exemption
// granted on it frees the day), and the cover does not stretch his day at
// school (first to last hour, stand-by hours included) beyond the most
// hours of presence he may have; a cover in his own stand-by hour is the
// hour's purpose and changes neither. Among equals the one with fewer
// substitutions that day goes first, then, on stand-by, one whose stand-by
// hour lies in the building of the lesson, then the teacher's order in the
// school; a lesson with nobody left stays uncovered and is listed as such.
// An articulated group's lessons stand under a stand-in named after their
// teacher: they are his, so he is busy in them and his absence leaves them
// to cover; the stand-in is no one to mark away or to call for a cover.
//
// A day has a few hundred lessons and at most a few dozen to cover, so every
// question is a walk over the day's lessons.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/absences_file.h"
#include "engine/errors.h"
#include "engine/file_replace.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/model_post_passes.h"
#include "engine/presolve.h"
#include "engine/reception_exemption_files.h"
#include "engine/teacher_availability.h"
#include "engine/week_grid_access.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/system_files.h"

namespace {

const char* const kNoAbsences[3] = {
    "Nessuna assenza registrata (manca assenze.txt): indicare prima gli insegnanti assenti"_cp,
    "Keine Abwesenheiten gespeichert (assenze.txt fehlt): zuerst die abwesenden Lehrer angeben",
    "No absences recorded (assenze.txt is missing): first name the absent teachers"};

enum SlotUse : std::uint8_t { kFree = 0, kStandby = 1, kTeaching = 2 };

// A teacher named in the absences: not a calendar's pseudo-teacher nor a
// lab's "_LAB" stand-in.
bool named_teacher(int t) {
  return !or_is_calendar_teacher(t) && !(g_eng_teachers[t].type_flags & kTeacherLabPseudo) &&
         g_eng_teachers[t].name[0] != '\0';
}

// A teacher who may be marked away and may cover: a named teacher who is a
// person, so not the stand-in an articulated group's lessons stand under
// (the teacher behind it is away or covers, and is busy in its lessons).
bool candidate_teacher(int t) { return named_teacher(t) && or_teacher_behind(t) == t; }

bool standby_lesson(int l) {
  return g_eng_lessons[l].standby_marker == 1 || or_is_standby_class(g_eng_lessons[l].class_index);
}

bool valid_class(int c) { return c >= 0 && c < g_eng_school.class_count; }

int lesson_building(int l) {
  const EngineLesson& x = g_eng_lessons[l];
  if (x.building >= 0 && x.building < g_eng_school.building_count) return x.building;
  return g_eng_classes[x.class_index].building;
}

// Whether the teacher, giving `early` in the hour before `late` on the day,
// changes buildings in a way the search counts against him: by his movement
// rule, unless the building of `early` reaches that of `late` in the break
// after that hour, or the school's least minutes for a move fit between the
// two classes' hours.
bool move_counted(int t, int early, int late, int day) {
  int from = lesson_building(early), to = lesson_building(late);
  if (from == to || from < 0 || to < 0) return false;
  int rule = g_eng_teachers[t].nomotor;
  if (rule == 2) rule = 0;
  if (rule == 3 || rule == 5) return false;
  int h = g_eng_lessons[late].hour;
  if (rule >= 11) return h != rule - 12;
  if (rule != 0) return true;
  const EngineBuilding& b = g_eng_buildings[from];
  int conditions = std::min(b.condition_count, kMaxBuildingConditions);
  for (int k = 0; k < conditions; ++k)
    if (b.conditions[k].building == to && (b.conditions[k].value == h - 1 || b.conditions[k].value > 12)) return false;
  return or_move_too_short(g_eng_lessons[early].class_index, g_eng_lessons[late].class_index, day, h);
}

// The exemptions granted on a constraint, per teacher: how many times each
// teacher has it.
std::vector<int> granted(int constraint_id) {
  std::vector<int> count(static_cast<std::size_t>(g_eng_school.teacher_count), 0);
  for (int t : or_stored_exemption_teachers(constraint_id))
    if (t >= 0 && t < g_eng_school.teacher_count && count[static_cast<std::size_t>(t)] < 127)
      ++count[static_cast<std::size_t>(t)];
  return count;
}

constexpr int kDayMaximumExemption = 19;  // most busy hours on a day of the week
constexpr int kMovesExemption = 37;    // moves between consecutive hours
constexpr int kWeeklyExemption = 39;  // building changes in the week
constexpr int kDailyExemption = 38;   // building changes within a day

bool counts_every_transfer(int building) {
  return building >= 0 && building < g_eng_school.building_count && g_eng_buildings[building].no_move != 0;
}

struct Day {
  int day;  // 0-based
  int teachers;
  std::vector<std::uint8_t> use;     // teacher x hour
  std::vector<std::uint8_t> away;    // teacher x hour
  std::vector<std::uint8_t> receives;  // teacher x hour: his reception hour
  std::vector<std::uint8_t> given;   // teacher x hour: already covers a lesson
  std::vector<int> load;             // substitutions given that day
  std::vector<std::uint8_t> at_school;
  // teacher x slot of the week: the lesson he holds there (a class's, his
  // stand-by or support hour, or on the day a lesson he covers), -1 none.
  std::vector<int> week;
  std::vector<int> move_allowance;  // moves between consecutive hours his exemptions let stand
  std::vector<int> weekly_limit;    // building changes a week, when below his days of service
  std::vector<int> day_allowance;   // charged changes within days his exemptions let stand
  std::vector<int> day_maximum;     // most busy hours on this day ("OM:"), -1 none

  explicit Day(int d) : day(d), teachers(g_eng_school.teacher_count) {
    std::size_t n = static_cast<std::size_t>(teachers) * kHoursPerDay;
    use.assign(n, kFree);
    away.assign(n, 0);
    receives.assign(n, 0);
    given.assign(n, 0);
    load.assign(static_cast<std::size_t>(teachers), 0);
    at_school.assign(static_cast<std::size_t>(teachers), 0);
    week.assign(static_cast<std::size_t>(teachers) * kWeekSlots, -1);
    for (int l = 0; l < g_eng_school.lesson_count; ++l) {
      const EngineLesson& x = g_eng_lessons[l];
      if (!or_lesson_placed(l) || x.day >= kDays || x.hour >= kHoursPerDay) continue;
      // The lesson's teachers and, for an articulated group's, the teacher
      // behind its stand-in: he is in that classroom all the same.
      int first = x.teacher.get(), second = or_lesson_has_second(l) ? x.second_teacher : -1;
      for (int t : {first, second, or_teacher_behind(first), or_teacher_behind(second)}) {
        if (t < 0 || t >= teachers) continue;
        // Every hour with a class counts in the teacher's moves, as the
        // search counts them: stand-by and support classes have buildings.
        if (valid_class(x.class_index)) slot(t, x.day, x.hour) = l;
        if (x.day != day) continue;
        std::uint8_t& u = at(use, t, x.hour);
        u = std::max<std::uint8_t>(u, standby_lesson(l) ? kStandby : kTeaching);
      }
    }
    move_allowance = granted(kMovesExemption);
    // An exemption on moves between consecutive hours raises the allowance
    // on changes within a day too, as the search applies it.
    day_allowance = granted(kDailyExemption);
    for (int t = 0; t < teachers; ++t)
      day_allowance[static_cast<std::size_t>(t)] += move_allowance[static_cast<std::size_t>(t)];
    // His most busy hours on this day of the week, unless an exemption
    // granted on it frees the day, as the search applies it.
    day_maximum.assign(static_cast<std::size_t>(teachers), -1);
    for (int t = 0; t < teachers; ++t) {
      const EngineTeacher& x = g_eng_teachers[t];
      if (x.om[0] == -1 || day < 0 || day >= kDays) continue;
      int most = x.om[day] < 0 ? 0 : x.om[day];
      if (most < kHoursPerDay) day_maximum[static_cast<std::size_t>(t)] = most;
    }
    if (day >= 0 && day < kDays)
      for (int t : or_stored_exemption_teachers(kDayMaximumExemption, day))
        if (t >= 0 && t < teachers) day_maximum[static_cast<std::size_t>(t)] = -1;
    weekly_limit = granted(kWeeklyExemption);
    for (int t = 0; t < teachers; ++t) {
      int limit = g_eng_teachers[t].nomweek + weekly_limit[static_cast<std::size_t>(t)];
      weekly_limit[static_cast<std::size_t>(t)] = limit < g_eng_teachers[t].max_working_days ? limit : -1;
    }
  }
  // Once the absences are known: a teacher is at school on the day when he
  // holds some hour of it (a lesson, a stand-by or support hour) at which he
  // is not away. One away at every hour he holds (a leave that takes his
  // whole day's service) does not come in, so no cover in a free hour calls
  // him.
  void mark_presence() {
    for (int t = 0; t < teachers; ++t) {
      std::uint8_t present = 0;
      for (int h = 0; h < kHoursPerDay && !present; ++h)
        present = at(use, t, h) != kFree && !at(away, t, h);
      at_school[static_cast<std::size_t>(t)] = present;
    }
  }
  static std::uint8_t& at(std::vector<std::uint8_t>& v, int t, int h) {
    return v[static_cast<std::size_t>(t) * kHoursPerDay + static_cast<std::size_t>(h)];
  }
  int& slot(int t, int d, int h) {
    return week[static_cast<std::size_t>(t) * kWeekSlots + static_cast<std::size_t>(d * kHoursPerDay + h)];
  }
  int held_at(int t, int h) const {
    return h < 0 || h >= kHoursPerDay ? -1 : week[static_cast<std::size_t>(t) * kWeekSlots + static_cast<std::size_t>(day * kHoursPerDay + h)];
  }
  // The teacher's moves between consecutive hours that the timetable counts,
  // and his changes of building from one held hour to the next (free hours
  // between them skipped), over the week.
  void count_moves(int t, int& counted, int& changes) {
    counted = changes = 0;
    for (int d = 0; d < or_week_days() && d < kDays; ++d) {
      int previous = -1;
      for (int h = 0; h < or_day_hours(d) && h < kHoursPerDay; ++h) {
        int l = slot(t, d, h);
        if (l < 0) continue;
        if (previous >= 0 && lesson_building(previous) != lesson_building(l)) ++changes;
        if (h > 0 && slot(t, d, h - 1) >= 0 && move_counted(t, slot(t, d, h - 1), l, d)) ++counted;
        previous = l;
      }
    }
  }
  // What the timetable charges the teacher over his week for changes of
  // building within his days, before his allowance, as the search counts
  // it: each day's held hours in order, free hours skipped; every change is
  // a transfer of the day, except one into an hour after a free stretch
  // from the lunch pause on where the school lets the pause excuse it; a day
  // with t > 1 transfers is charged t - 1; each change into or out of a
  // building that counts every transfer is charged besides, unless his
  // movement rule 4 (two free hours before a lesson from the fourth hour)
  // or 6 (one free hour before a lesson from the third) excuses it. The
  // search keeps its own count on its grids and tables, which the cover
  // list neither fills nor may change, so the same walk is made here over
  // the cover list's week. (Its form by the classes' rotation values runs
  // only under a switch that loading a school never sets.)
  int day_transfers(int t) {
    int rule = g_eng_teachers[t].nomotor;
    if (rule == 5 || g_eng_school.building_count <= 0) return 0;
    int pause = g_eng_school.pausamensa[0];
    bool lunch = g_eng_school.tocomi_second != 0 && pause >= 1;
    int n = 0;
    for (int d = 0; d < or_week_days() && d < kDays; ++d) {
      int transfers = 0, previous = -1, previous_hour = -1;
      for (int h = 0; h < or_day_hours(d) && h < kHoursPerDay; ++h) {
        int l = slot(t, d, h);
        if (l < 0) continue;
        int from = previous >= 0 ? lesson_building(previous) : -1, to = lesson_building(l);
        if (previous >= 0 && from != to) {
          // Free from the lunch pause up to this hour.
          if (!(lunch && h - 1 >= pause && previous_hour < pause)) ++transfers;
          bool excused = (rule == 4 && h >= 3 && previous_hour < h - 2) ||
                         (rule == 6 && h >= 2 && previous_hour < h - 1);
          if ((counts_every_transfer(from) || counts_every_transfer(to)) && !excused) ++n;
        }
        previous = l;
        previous_hour = h;
      }
      if (transfers > 1) n += transfers - 1;
    }
    return n;
  }
  // Whether covering `lesson` at its hour keeps the teacher's moves between
  // buildings ones the timetable allows him: from the hour before and into
  // the hour after, over his week, and within his days.
  bool moves_allowed(int t, int lesson) {
    std::size_t i = static_cast<std::size_t>(t);
    int h = g_eng_lessons[lesson].hour;
    int before = held_at(t, h - 1), after = held_at(t, h + 1);
    bool beside = (before >= 0 && move_counted(t, before, lesson, day)) || (after >= 0 && move_counted(t, lesson, after, day));
    int counted = 0, changes = 0, was_counted = 0, was_changes = 0;
    count_moves(t, was_counted, was_changes);
    int was_charged = day_transfers(t);
    int& cell = slot(t, day, h);
    int was = cell;
    cell = lesson;
    count_moves(t, counted, changes);
    int charged = day_transfers(t);
    cell = was;
    if (beside && counted > move_allowance[i]) return false;
    if (charged > was_charged && charged > day_allowance[i]) return false;
    int limit = weekly_limit[i];
    return limit < 0 || changes <= limit || changes <= was_changes;
  }
  // Whether one more lesson at the free hour keeps the teacher within his
  // daily lesson and presence limits and within the most busy hours he may
  // have on this day of the week.
  bool within_limits(int t, int hour) {
    int lessons = 1, busy = 1, first = hour, last = hour, was_first = -1, was_last = -1;
    for (int h = 0; h < kHoursPerDay; ++h) {
      std::uint8_t u = at(use, t, h);
      bool covers = at(given, t, h) != 0;
      if (u == kTeaching || (u == kFree && covers)) ++lessons;
      if (u == kFree && !covers) continue;
      ++busy;
      if (was_first < 0) was_first = h;
      was_last = h;
      first = std::min(first, h);
      last = std::max(last, h);
    }
    if (lessons > or_teacher_daily_teaching_limit(t)) return false;
    int most = day_maximum[static_cast<std::size_t>(t)];
    if (most >= 0 && busy > most) return false;
    int span = last - first + 1, was = was_first < 0 ? 0 : was_last - was_first + 1;
    return span <= was || span <= or_teacher_daily_presence_limit(t);
  }
  // Whether the teacher's stand-by hour at the lesson's hour lies in
  // another building than the lesson.
  bool standby_elsewhere(int t, int lesson) const {
    int here = held_at(t, g_eng_lessons[lesson].hour);
    return here >= 0 && lesson_building(here) != lesson_building(lesson);
  }
  // The best free teacher of the wanted kind at the hour, -1 when none.
  int choose(int lesson, SubstitutionKind kind) {
    int hour = g_eng_lessons[lesson].hour, class_index = g_eng_lessons[lesson].class_index;
    int best = -1;
    for (int t = 0; t < teachers; ++t) {
      if (!candidate_teacher(t) || at(away, t, hour) || at(given, t, hour) || at(receives, t, hour)) continue;
      // Never in an hour the teacher's constraints close to him, not even
      // on a stand-by hour that was put there by hand.
      if (or_teacher_slot_closed(t, day, hour)) continue;
      std::uint8_t u = at(use, t, hour);
      if (kind == kCoveredByStandby ? u != kStandby
                                    : u != kFree || !at_school[static_cast<std::size_t>(t)] ||
                                          !or_teacher_has_class(t, class_index) || !within_limits(t, hour))
        continue;
      if (!moves_allowed(t, lesson)) continue;
      if (best >= 0 && load[static_cast<std::size_t>(t)] > load[static_cast<std::size_t>(best)]) continue;
      if (best >= 0 && load[static_cast<std::size_t>(t)] == load[static_cast<std::size_t>(best)] &&
          (kind != kCoveredByStandby || standby_elsewhere(t, lesson) || !standby_elsewhere(best, lesson)))
        continue;
      best = t;
    }
    return best;
  }
};

void write_result_file(const SubstitutionState& s) {
  int error = 0;
  if (!kt::make_folders(kt::translate_path(kSubstitutionFolder), &error))
    or_raise_substitution_write_error(kSubstitutionFolder, error, 97);
  std::string name = std::string(kSubstitutionFolder) + "dati_sostituzioni.txt";
  ReplacementFile file;
  if (!file.open(name.c_str())) or_raise_substitution_write_error(name.c_str(), file.error(), 101);
  std::FILE* f = file.stream();
  std::fprintf(f, "GIORNO:%d|%s\n", s.computed_day, s.day_names[s.computed_day - 1]);
  for (int i = 0; i < s.row_count; ++i) {
    const SubstitutionRow& r = s.rows[i];
    std::fprintf(f, "%d|%s|%s|%s|%d\n", r.hour + 1, r.class_name, r.absent, r.substitute, r.kind);
  }
  if (!file.commit()) or_raise_substitution_write_error(name.c_str(), file.error(), 108);
}

void load_school_names(SubstitutionState& s) {
  s.day_count = or_week_days();
  for (int d = 0; d < 7; ++d) {
    s.hours_per_day[d] = static_cast<std::uint8_t>(d < s.day_count ? or_day_hours(d) : 0);
    std::snprintf(s.day_names[d], sizeof s.day_names[d], "%.20s", g_eng_school.day_names[d]);
  }
  s.teacher_count = 0;
  for (int t = 0; t < g_eng_school.teacher_count && s.teacher_count < kMaxSubstitutionTeachers; ++t) {
    if (!candidate_teacher(t)) continue;
    std::snprintf(s.teachers[s.teacher_count], 21, "%.20s", g_eng_teachers[t].name);
    s.teacher_index[s.teacher_count++] = t;
  }
}

// A stand-in is not in the list to mark away, but an absences file that
// names it still takes its lessons away.
int teacher_by_name(const char* name) {
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (std::strcmp(g_eng_teachers[t].name, name) == 0 && named_teacher(t)) return t;
  return -1;
}

void compute(SubstitutionState& s) {
  Day day(s.day - 1);
  // The reception hours as last allocated; none when the file is missing.
  for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].reset_marker = 255;
  or_read_reception_slots();
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    const EngineTeacher& x = g_eng_teachers[t];
    if (candidate_teacher(t) && x.reset_marker == day.day && x.reception_hour < kHoursPerDay)
      Day::at(day.receives, t, x.reception_hour) = 1;
  }
  for (int i = 0; i < s.absent_count; ++i) {
    int t = teacher_by_name(s.absent[i].name);
    if (t < 0) continue;
    for (int h = 0; h < kHoursPerDay; ++h) Day::at(day.away, t, h) = s.absent[i].hours[h];
  }
  day.mark_presence();
  struct Need {
    int hour, class_index, absent, lesson;
  };
  std::vector<Need> needs;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (!or_lesson_placed(l) || x.day != day.day || x.hour >= or_day_hours(day.day)) continue;
    if (x.class_index < 0 || or_is_pseudo_class(x.class_index) || or_is_calendar_teacher(x.teacher)) continue;
    int second = or_lesson_has_second(l) ? x.second_teacher : -1;
    // An articulated group's lesson stands under its teacher's stand-in: the
    // teacher's absence takes it away too.
    int absent = x.teacher >= 0 && Day::at(day.away, x.teacher, x.hour) ? x.teacher.get()
                                                                        : or_teacher_behind(x.teacher);
    bool first_away = absent >= 0 && Day::at(day.away, absent, x.hour);
    bool second_present = second >= 0 && !Day::at(day.away, second, x.hour) && candidate_teacher(second);
    if (first_away && !second_present) needs.push_back({x.hour, x.class_index, absent, l});
  }
  std::sort(needs.begin(), needs.end(), [](const Need& a, const Need& b) {
    if (a.hour != b.hour) return a.hour < b.hour;
    return std::strcmp(or_class_display_name(a.class_index), or_class_display_name(b.class_index)) < 0;
  });
  s.row_count = 0;
  for (const Need& n : needs) {
    if (s.row_count >= kMaxSubstitutionRows) break;
    SubstitutionRow& r = s.rows[s.row_count++];
    std::memset(&r, 0, sizeof r);
    r.hour = n.hour;
    std::snprintf(r.class_name, sizeof r.class_name, "%.20s", or_class_display_name(n.class_index));
    std::snprintf(r.absent, sizeof r.absent, "%.20s", g_eng_teachers[n.absent].name);
    r.kind = kUncovered;
    for (SubstitutionKind kind : {kCoveredByStandby, kCoveredByClassTeacher}) {
      int t = day.choose(n.lesson, kind);
      if (t < 0) continue;
      Day::at(day.given, t, n.hour) = 1;
      day.slot(t, day.day, n.hour) = n.lesson;
      ++day.load[static_cast<std::size_t>(t)];
      std::snprintf(r.substitute, sizeof r.substitute, "%.20s", g_eng_teachers[t].name);
      r.kind = kind;
      break;
    }
  }
  s.computed_day = s.day;
}

}  // namespace

void or_clear_substitution_day() {
  SubstitutionState& s = g_substitution_state;
  s.day = 0;
  s.absent_count = 0;
  s.computed_day = 0;
  s.row_count = 0;
}

void or_run_substitutions(int mode) {
  // Everything is read and checked before the shared state changes.
  AbsencesFileContent content;
  bool found = or_read_absences_file(content);
  if (!found && mode == 0) or_raise_impossible(or_pick_text(kNoAbsences));
  SubstitutionState& s = g_substitution_state;
  load_school_names(s);
  or_clear_substitution_day();
  if (found) {
    s.day = content.day;
    s.reason_count = content.reason_count;
    std::memcpy(s.reasons, content.reasons, sizeof s.reasons);
    s.absent_count = content.absent_count;
    std::memcpy(s.absent, content.absent, sizeof s.absent);
  }
  if (mode != 0) return;
  compute(s);
  write_result_file(s);
}
