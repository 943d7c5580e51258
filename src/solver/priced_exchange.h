// The priced exchange shared by every neighbourhood move: exchange the week
// slots of two lessons, price the change through the penalty caches of the
// touched teachers and classes, and keep it or take it back at once by the
// move's rule. Also the move-wide run values (class cursor, kept-exchange
// count, sampling divisor, gap teacher) and the per-lesson check byte.
//
// Invariants: a taken-back exchange leaves the placement, the slot lists,
// the class and teacher grids and the cache entries exactly as before; a
// kept one leaves the grids rebuilt for the new placement and the caches
// committed. The price is the difference of the cached sums after and
// before, less the joint bonus of the two lessons before; a teacher shared
// by the two lessons is priced once (counting it twice would double its
// change and keep exchanges that cost more than they save).
//
// Workload: millions of candidate exchanges per run; a refused swap costs
// two list copies, a tried one the delta sums of at most four teachers and
// two classes.
#pragma once

#include <cstdint>

#include "solver/solver_state.h"

// Run values of the moves that the search loop sets and reads.
struct MoveRunState {
  std::int32_t class_cursor;        // shared by several moves
  std::uint32_t kept_exchanges;     // exchanges kept during the run
  std::uint8_t sampling_divisor;    // focused pair move: 1 in D pairs away from the focus
  std::int32_t gap_teacher;         // teacher with the largest gap penalty, -1 none
  std::uint64_t priced_exchanges;   // exchanges swapped and priced (kept or not)
  std::uint64_t candidate_exchanges;  // exchanges offered for pricing, clashing ones included
};
extern MoveRunState g_move_run;

// 1 on both lessons of every kept exchange.
extern std::uint8_t g_lesson_checked[kMaxLessons];

// Before-values of lesson A, reused while a move keeps scanning with it.
struct LessonPrice {
  std::int64_t teacher;  // tA
  std::int64_t cls;      // cA, class-side sum in its full form
  // The class-calendar teacher last priced as a lesson B's teacher in this
  // scan (-1: none) and its sum. A refused exchange leaves the placement as
  // it found it, as the reuse of tA and cA relies on, so until the scan
  // keeps one (which makes the price anew) the next B of that teacher reads
  // the sum instead of walking the class's calendar again. Not used while
  // the building mode is on: pricing B then also aligns its class's
  // buildings.
  int calendar_teacher = -1;
  std::int64_t calendar_sum = 0;
};

// What a move does with an exchange that leaves the cost unchanged.
enum class ZeroRule { kKeep, kKeepUnlessSeventh, kTakeBack };

struct ExchangeOutcome {
  bool tried = false;  // the swap was made and priced
  bool kept = false;
  std::int64_t delta = 0;
  std::int64_t teacher_b_before = 0, teacher_b_after = 0;
  std::int64_t class_a_after = 0;
};

// Two lessons whose descriptive parts are equal: exchanging them changes no cost.
bool or_lessons_interchangeable(int a, int b);

// tA and cA of a lesson for the current placement.
LessonPrice or_price_lesson(int a);
// The parts of a price: teacher-side sum of a lesson, class-side sum of its
// class (full or class-only form), and its joint bonus before a move.
std::int64_t or_price_teacher(int l);
std::int64_t or_price_class(int l, int class_only);
std::int64_t or_price_joint_bonus(int l);
// Teacher-side price of several lessons, each teacher priced once.
std::int64_t or_price_teachers_once(const int* lessons, int n);

// The priced exchange of A with B. price_b_class: B may lie in another
// class (slot moves), whose class-only sum is then priced; keep_class_days:
// refuse, before pricing, an exchange that would leave a gap in a class.
// On a kept exchange `a_price` becomes A's after-values.
ExchangeOutcome or_priced_exchange(int a, int b, LessonPrice& a_price, bool price_b_class, ZeroRule rule,
                                   bool keep_class_days = false);

// The priced exchange of two lessons of one slot (A, A2) with two of another
// slot (B, B2): A and A2 take B's slot, B and B2 take A's; priced over the
// four lessons' teachers (each once) and their classes. with_bonus adds the
// joint bonus of all four, as the double slot exchange prices it; a move of
// a whole joint group leaves it out (the group stays together). Refused:
// a clash, a class left with a gap, a price above zero, and a price of
// zero unless keep_even. Answers 1 when kept, with the price in `delta`.
int or_try_pair_exchange(int a, int b, int a2, int b2, bool with_bonus, bool keep_even, std::int64_t& delta);

// Grid copies of the teachers and classes a move touches, so that a refused
// move puts the grids back by copying instead of rebuilding.
struct GridScratch {
  static constexpr int kClasses = 4;
  static constexpr int kTeachers = 8;
  int class_index[kClasses];
  std::uint16_t class_week[kClasses][kWeekSlots];
  std::uint16_t class_teacher[kClasses][kWeekSlots];
  int class_count = 0;
  int teacher_index[kTeachers];
  std::uint16_t teacher_class[kTeachers][kWeekSlots];
  std::uint16_t teacher_lesson[kTeachers][kWeekSlots];
  int teacher_count = 0;

  void clear() { class_count = teacher_count = 0; }
  void save_class(int c);
  void save_teacher(int t);
  // Saves the classes and teachers of the lessons (teacher and second teacher).
  void save_lessons(const int* lessons, int n);
  void restore() const;
};

// What a rebuild of the grids of the lessons' classes and teacher pairs
// gives, for lessons that just moved from the slots in old_places (16-bit
// placements): only their cells change. In a class whose moved lesson has
// joint lessons, whose cells two lessons may share, the cells its moved
// lessons left and took are made again as a rebuild makes them. At most
// four lessons.
void or_move_lesson_grids(const int* lessons, const std::uint16_t* old_places, int n);

// True when class c has a free hour before a later busy hour of a day.
bool or_class_has_gap(int c);
