// Random perturbations of the whole timetable (see perturbations.h). Each
// one rewrites the day and hour bytes of the lessons concerned and then
// rebuilds the solver's slot index and grids once; a shake touches every
// lesson of one or two days, a slot exchange the lessons of two slots, a
// block exchange those of two blocks of hours in a row.
// Draws come from the engine's generator, so a seeded run repeats them.
#include "engine/perturbations.h"

#include <vector>

#include "engine/engine_random.h"
#include "engine/engine_services.h"
#include "engine/lesson_links.h"
#include "engine/placement_services.h"

namespace {

int g_shake_calls = 0;

int draw_other(int first, int range) {
  if (range < 2) return first;
  int d = first;
  for (int tries = 0; tries < 64 && d == first; ++tries) d = g_engine_random.below(range);
  return d == first ? (first + 1) % range : d;
}

void exchange_days(int d1, int d2) {
  int common = or_day_hours(d1) < or_day_hours(d2) ? or_day_hours(d1) : or_day_hours(d2);
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    EngineLesson& l = g_eng_lessons[i];
    if (!or_lesson_placed(i) || l.hour >= common) continue;
    if (l.day == d1) l.day = static_cast<std::uint8_t>(d2);
    else if (l.day == d2) l.day = static_cast<std::uint8_t>(d1);
  }
}

std::uint32_t rebuild() {
  g_engine_services.rebuild_slot_index();
  return g_engine_services.rebuild_grids_and_evaluate();
}

}  // namespace

void or_reset_shake_turn() { g_shake_calls = 0; }

std::uint32_t or_shake_timetable() {
  int kind = (++g_shake_calls) % 3;
  int days = or_week_days();
  if (kind == 1) {
    int d1 = g_engine_random.below(kDays);
    int d2 = draw_other(d1, kDays);
    if (d1 >= days || d2 >= days || or_day_hours(d1) == 0 || or_day_hours(d2) == 0) return 0;
    exchange_days(d1, d2);
  } else if (kind == 2) {
    if (days == 0) return 0;
    int d = g_engine_random.below(days);
    int hours = or_day_hours(d);
    for (int i = 0; i < g_eng_school.lesson_count && hours > 0; ++i) {
      EngineLesson& l = g_eng_lessons[i];
      if (or_lesson_placed(i) && l.day == d && l.hour < hours) l.hour = static_cast<std::uint8_t>((l.hour + 1) % hours);
    }
  } else {
    int longest = g_eng_run.longest_day;
    if (longest < 2) return 0;
    int h1 = g_engine_random.below(longest);
    int h2 = draw_other(h1, longest);
    for (int i = 0; i < g_eng_school.lesson_count; ++i) {
      EngineLesson& l = g_eng_lessons[i];
      if (!or_lesson_placed(i) || h1 >= or_day_hours(l.day) || h2 >= or_day_hours(l.day)) continue;
      if (l.hour == h1) l.hour = static_cast<std::uint8_t>(h2);
      else if (l.hour == h2) l.hour = static_cast<std::uint8_t>(h1);
    }
  }
  return rebuild();
}

namespace {

// Every lesson of each slot of a pair goes to the other slot and back the
// other way, all pairs at once (a block of hours moves whole). An exchange
// that leaves a class with a gap is undone and answers false.
bool exchange_slot_pairs_whole(const std::uint16_t* from, const std::uint16_t* to, int pairs) {
  std::vector<int> moved;
  std::vector<std::uint16_t> was, now;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    std::uint16_t v = or_lesson_place_value(i);
    for (int p = 0; p < pairs; ++p) {
      if (v != from[p] && v != to[p]) continue;
      moved.push_back(i);
      was.push_back(v);
      now.push_back(v == from[p] ? to[p] : from[p]);
      break;
    }
  }
  auto put = [&moved](const std::vector<std::uint16_t>& values) {
    for (std::size_t k = 0; k < moved.size(); ++k) {
      g_eng_lessons[moved[k]].day = static_cast<std::uint8_t>(values[k] & 0xFF);
      g_eng_lessons[moved[k]].hour = static_cast<std::uint8_t>(values[k] >> 8);
    }
  };
  put(now);
  rebuild();
  if (!g_engine_services.any_class_has_gap()) return true;
  put(was);
  rebuild();
  return false;
}

bool exchange_slots_whole(std::uint16_t slot_a, std::uint16_t slot_b) {
  return exchange_slot_pairs_whole(&slot_a, &slot_b, 1);
}

std::uint16_t slot_value(int day, int hour) { return static_cast<std::uint16_t>(day | (hour << 8)); }

}  // namespace

int or_swap_random_slots(int n) {
  int lessons = g_eng_school.lesson_count;
  if (lessons < 2 || n <= 0) return 0;
  int made = 0, refused = 0;
  while (made < n && refused < kSwapRetryLimit * n) {
    int a = g_engine_random.below(lessons / 2 > 0 ? lessons / 2 : 1);
    if (!or_lesson_placed(a)) {
      ++refused;
      continue;
    }
    std::uint16_t slot_a = or_lesson_place_value(a);
    int start = g_engine_random.below(lessons / 3 > 0 ? lessons / 3 : 1);
    int b = -1;
    for (int k = 0; k < lessons && b < 0; ++k) {
      int i = (start + k) % lessons;
      if (or_lesson_placed(i) && or_lesson_place_value(i) != slot_a) b = i;
    }
    if (b < 0) return made;
    if (!exchange_slots_whole(slot_a, or_lesson_place_value(b))) {
      ++refused;
      continue;
    }
    ++made;
  }
  return made;
}

int or_swap_slot_of_one_of(const int* chosen, int count) {
  int lessons = g_eng_school.lesson_count;
  if (lessons < 2 || count <= 0) return 0;
  for (int tries = 0; tries < kSwapRetryLimit; ++tries) {
    int a = chosen[g_engine_random.below(count)];
    if (!or_lesson_placed(a)) continue;
    std::uint16_t slot_a = or_lesson_place_value(a);
    int b = g_engine_random.below(lessons);
    if (!or_lesson_placed(b) || or_lesson_place_value(b) == slot_a) continue;
    if (exchange_slots_whole(slot_a, or_lesson_place_value(b))) return 1;
  }
  return 0;
}

int or_swap_block_of_one_of(const int* chosen, int count) {
  int days = or_week_days();
  if (g_eng_school.lesson_count < 2 || count <= 0 || days < 2) return 0;
  for (int tries = 0; tries < kSwapRetryLimit; ++tries) {
    int a = chosen[g_engine_random.below(count)];
    if (!or_lesson_placed(a)) continue;
    int day = g_eng_lessons[a].day;
    // The lesson's hour is the block's first or its last, at random.
    int first = g_eng_lessons[a].hour - static_cast<int>(g_engine_random.below(kBlockHours));
    int other = draw_other(day, days);
    if (first < 0 || other == day) continue;
    if (first + kBlockHours > or_day_hours(day) || first + kBlockHours > or_day_hours(other)) continue;
    std::uint16_t from[kBlockHours], to[kBlockHours];
    for (int k = 0; k < kBlockHours; ++k) {
      from[k] = slot_value(day, first + k);
      to[k] = slot_value(other, first + k);
    }
    if (exchange_slot_pairs_whole(from, to, kBlockHours)) return 1;
  }
  return 0;
}

void or_swap_days(int d1, int d2) {
  if (d1 < 0 || d2 < 0 || d1 >= kDays || d2 >= kDays || d1 == d2) return;
  exchange_days(d1, d2);
  g_engine_services.rebuild_slot_index();
  g_engine_services.rebuild_class_grids();
  g_engine_services.rebuild_teacher_grids();
}

int or_swap_days_for_worst_teacher() {
  int n = g_eng_school.teacher_count;
  std::vector<bool> tried(static_cast<std::size_t>(n), false);
  for (int round = 0; round < n; ++round) {
    int worst = -1;
    for (int t = 0; t < n; ++t) {
      if (tried[t] || g_engine_services.teacher_penalty(t) == 0) continue;
      if (worst < 0 || g_eng_teachers[t].points >= g_eng_teachers[worst].points) worst = t;
    }
    if (worst < 0) break;
    tried[worst] = true;
    const EngineTeacher& x = g_eng_teachers[worst];
    int count = x.free_day_count > kDays ? kDays : x.free_day_count;
    if (count == 0) continue;
    bool busy[kDays] = {};
    for (int i = 0; i < g_eng_school.lesson_count; ++i) {
      const EngineLesson& l = g_eng_lessons[i];
      if (or_lesson_placed(i) && l.day < kDays && (l.teacher == worst || (or_lesson_has_second(i) && l.second_teacher == worst)))
        busy[l.day] = true;
    }
    int empty = -1;
    for (int d = 0; d < or_week_days() && empty < 0; ++d)
      if (!busy[d]) empty = d;
    if (empty < 0) continue;
    int wanted = x.free_days[g_engine_random.below(count)];
    if (wanted >= or_week_days() || wanted == empty || !busy[wanted]) continue;
    or_swap_days(wanted, empty);
    g_engine_services.rebuild_grids_and_evaluate();
    return 0;
  }
  return 0;
}
