// The colleague table and the four-lesson rotations between two colleagues
// who share a class: lessons A and A2 of the first teacher in the shared
// class and B and B2 of the second teacher in another class, with A and B
// at one slot and A2 and B2 at another, rotate so that A and B take the
// second slot and A2 and B2 the first. Both teachers keep their busy slots
// and each class keeps its lessons in the same slots.
//
// Invariants: a rotation is entered into the slot lists and tested against
// every lesson of the two slots (rooms included) before it is priced; one
// that would double-book a room is taken back unpriced, so no laboratory is
// ever booked twice. The table is rebuilt by every load.
//
// Workload: the table holds one record per (teacher, colleague, shared
// class, other class); a call visits every record once.
#pragma once

#include <cstdint>

struct ColleaguePair {
  std::uint32_t first_teacher;
  std::uint32_t second_teacher;  // a higher index
  std::uint32_t shared_class;
  std::uint32_t other_class;
  std::int8_t first_count;
  std::uint32_t first_list[84];  // first teacher's lessons in the shared class, no second teacher
  std::int8_t second_count;
  std::uint32_t second_list[84];  // second teacher's lessons in the other class, no second teacher
};

extern ColleaguePair* g_colleague_table;
extern std::int32_t g_colleague_pair_count;

// Frees and rebuilds the table from the teachers' lesson and class lists.
void or_alloc_colleague_table();
// Mode 0 keeps rotations that leave the cost unchanged; other modes keep
// only improvements. Returns the rotations kept.
int or_swap_colleague_slots(int mode);
