// The colleague table and its rotations (see colleague_rotations.h).
//
// A rotation moves four lessons at once without the swap primitive, so it
// keeps the slot lists itself: the four lessons leave their lists, take
// their new slots and enter the new lists before anything is priced, and
// the conflict test of each against its new slot's list refuses a room
// taken twice. The joint bonus of A and B is taken before the rotation.
#include "solver/colleague_rotations.h"

#include <cstdio>
#include <new>
#include <vector>

#include "engine/engine_random.h"
#include "engine/errors.h"
#include "engine/shell_services.h"
#include "solver/cost_evaluation.h"
#include "solver/placement_state.h"
#include "solver/priced_exchange.h"

ColleaguePair* g_colleague_table = nullptr;
std::int32_t g_colleague_pair_count = 0;

namespace {

std::vector<ColleaguePair> g_colleague_storage;

int teacher_total() {
  int n = g_eng_school.teacher_count;
  return n < 0 ? 0 : (n > kMaxTeachers ? kMaxTeachers : n);
}

int class_list_size(const EngineTeacher& t) {
  int limit = t.class_count < kWeekSlots ? t.class_count : kWeekSlots;
  int n = 0;
  while (n < limit && t.class_indexes[n] >= 0) ++n;
  return n;
}

// The teacher's lessons in class c without a second teacher.
void fill_list(int teacher, int c, std::int8_t& count, std::uint32_t* list) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  count = 0;
  int n = t.lesson_count > kWeekSlots ? kWeekSlots : t.lesson_count;
  for (int i = 0; i < n && count < kWeekSlots; ++i) {
    int l = t.lesson_indexes[i];
    if (l < 0) break;
    if (l >= g_eng_school.lesson_count || g_eng_lessons[l].teacher != teacher) continue;
    if (g_eng_lessons[l].class_index != c || lesson_has_second_teacher(l)) continue;
    list[count++] = static_cast<std::uint32_t>(l);
  }
}

// Calls f(p, q, c, c2) for every record of the table, in table order.
template <typename F>
void for_each_record(F&& f) {
  int teachers = teacher_total();
  for (int p = 0; p + 1 < teachers; ++p) {
    const EngineTeacher& tp = g_eng_teachers[p];
    for (int i = 0; i < class_list_size(tp); ++i) {
      int c = tp.class_indexes[i];
      for (int q = p + 1; q < teachers; ++q) {
        const EngineTeacher& tq = g_eng_teachers[q];
        int nq = class_list_size(tq);
        for (int k = 0; k < nq; ++k) {
          if (tq.class_indexes[k] != c) continue;
          for (int m = 0; m < nq; ++m)
            if (tq.class_indexes[m] != c) f(p, q, c, static_cast<int>(tq.class_indexes[m]));
        }
      }
    }
  }
}

void place_four(const int* lessons, const std::uint16_t* places) {
  for (int i = 0; i < 4; ++i) or_slot_list_remove(lessons[i]);
  for (int i = 0; i < 4; ++i) set_lesson_place(lessons[i], places[i]);
  for (int i = 0; i < 4; ++i) or_slot_list_add(lessons[i]);
}

struct Rotation {
  int lessons[4];  // A, B, A2, B2
  std::uint16_t before[4];
  std::uint16_t after[4];
};

// Enters the rotation; false (and nothing changed) when a lesson clashes.
bool rotate(Rotation& r) {
  for (int i = 0; i < 4; ++i) r.before[i] = lesson_place(r.lessons[i]);
  std::uint16_t x = r.before[0], y = r.before[2];
  r.after[0] = y, r.after[1] = y, r.after[2] = x, r.after[3] = x;
  place_four(r.lessons, r.after);
  for (int i = 0; i < 4; ++i)
    if (or_find_slot_conflict(r.lessons[i]) != kNoConflict) {
      g_last_conflict_lesson = r.lessons[i];
      place_four(r.lessons, r.before);
      return false;
    }
  return true;
}

// Prices and keeps or takes back one rotation; returns 1 when kept.
int try_rotation(Rotation& r, int mode, std::int64_t& score) {
  int a = r.lessons[0], b = r.lessons[1];
  LessonPrice pa = or_price_lesson(a);
  std::int64_t bonus = or_price_joint_bonus(a) + or_price_joint_bonus(b);
  std::int64_t tb = or_price_teacher(b);
  bool other = g_eng_lessons[b].class_index != g_eng_lessons[a].class_index;
  std::int64_t cb = other ? or_price_class(b, 1) : 0;
  if (!rotate(r)) return 0;
  static GridScratch scratch;
  scratch.clear();
  scratch.save_lessons(r.lessons, 4);
  or_move_lesson_grids(r.lessons, r.before, 4);
  or_penalty_cache_open2(a, b);
  std::int64_t after = or_price_teacher(a) + or_price_class(a, 0) + or_price_teacher(b) + (other ? or_price_class(b, 1) : 0);
  std::int64_t delta = after - (pa.teacher + pa.cls + tb + cb) - bonus;
  if (delta < 0 || (delta == 0 && mode == 0)) {
    or_penalty_cache_commit2(a, b);
    g_lesson_checked[a] = g_lesson_checked[b] = 1;
    ++g_move_run.kept_exchanges;
    score += delta;
    return 1;
  }
  place_four(r.lessons, r.before);
  or_penalty_cache_undo2(a, b);
  scratch.restore();
  return 0;
}

}  // namespace

void or_alloc_colleague_table() {
  g_colleague_storage.clear();
  g_colleague_storage.shrink_to_fit();
  g_colleague_table = nullptr;
  g_colleague_pair_count = 0;
  std::size_t count = 0;
  for_each_record([&](int, int, int, int) { ++count; });
  try {
    g_colleague_storage.resize(count);
  } catch (const std::bad_alloc&) {
    or_raise_critical_error("ALLOC Colleghi", 0, kSourceSybil, 1);
  }
  std::size_t n = 0;
  for_each_record([&](int p, int q, int c, int c2) {
    ColleaguePair& r = g_colleague_storage[n++];
    r.first_teacher = static_cast<std::uint32_t>(p);
    r.second_teacher = static_cast<std::uint32_t>(q);
    r.shared_class = static_cast<std::uint32_t>(c);
    r.other_class = static_cast<std::uint32_t>(c2);
    fill_list(p, c, r.first_count, r.first_list);
    fill_list(q, c2, r.second_count, r.second_list);
  });
  g_colleague_table = g_colleague_storage.empty() ? nullptr : g_colleague_storage.data();
  g_colleague_pair_count = static_cast<std::int32_t>(count);
  or_print_console_format("Coppie di colleghi allocate %d size %d \n", g_colleague_pair_count,
                          static_cast<int>(count * sizeof(ColleaguePair)));
}

int or_swap_colleague_slots(int mode) {
  if (g_colleague_table == nullptr || g_colleague_pair_count <= 0) return 0;
  std::int64_t score = g_solver.total_score;
  int kept = 0;
  int start = g_engine_random.below(g_colleague_pair_count);
  for (int k = 0; k < g_colleague_pair_count; ++k) {
    const ColleaguePair& rec = g_colleague_table[(start + k) % g_colleague_pair_count];
    for (int ia = 0; ia < rec.first_count; ++ia) {
      int a = static_cast<int>(rec.first_list[ia]);
      for (int ib = 0; ib < rec.second_count; ++ib) {
        int b = static_cast<int>(rec.second_list[ib]);
        for (int ia2 = 0; ia2 < rec.first_count; ++ia2) {
          if (ia2 == ia || !lesson_placed(a) || lesson_place(a) != lesson_place(b)) continue;
          int a2 = static_cast<int>(rec.first_list[ia2]);
          for (int ib2 = 0; ib2 < rec.second_count; ++ib2) {
            if (ib2 == ib) continue;
            int b2 = static_cast<int>(rec.second_list[ib2]);
            if (!lesson_placed(a2) || lesson_place(a2) != lesson_place(b2) || lesson_place(a2) == lesson_place(a))
              continue;
            if (mode == 0 && g_engine_random.next() % 2 == 0) continue;
            Rotation r = {{a, b, a2, b2}, {}, {}};
            if (!try_rotation(r, mode, score)) continue;
            ++kept;
            if (score < 1) return kept;
            break;  // on to the next A2
          }
        }
      }
    }
  }
  return kept;
}
