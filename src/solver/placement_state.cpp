// Slot index, pair conflict test and the two swap primitives.
//
// The slot lists hold every placed lesson of a week slot; removals leave holes
// (-1) that later entries reuse, so a list never has to be compacted inside
// the search. The swaps back up the two lists they touch into
// g_slot_lessons2 (the used entries plus the few past the end that an append
// may write), so a refused or undone swap restores both lists byte for byte.
//
// Workload: called per candidate move; every path is a handful of list scans
// over the lessons of one slot (tens of entries in a real school).
#include "solver/placement_state.h"

#include <initializer_list>
#include <chrono>
#include <cstring>
#include <thread>

#include "engine/status_block.h"

SlotLessonList g_slot_lessons[kWeekSlots];
SlotLessonList g_slot_lessons2[kWeekSlots];
std::uint64_t g_slot_list_stamp[kWeekSlots];
std::int32_t g_last_conflict_lesson = -1;

namespace {

void real_sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
SolverSleep g_sleep = real_sleep;

// A swap may append up to two entries past the old count.
constexpr std::uint32_t kBackupSlack = 2;

// With the cross-check on (tests), the clash test's shortcuts are checked
// against the plain walks.
bool g_clash_cross_check = false;
ClashCrossCheck g_clash_checks;

// Per lesson, the slot and entry of the list it was last written to: a hint
// that is checked against the list at each use, so the restores, which copy
// whole lists back, need not keep it. And how many entries of all the lists
// (within their counts) name the lesson: where that is one and the hint
// holds, the hint tells the only slot that lists it.
std::uint32_t g_listed_at[kMaxLessons];
std::uint8_t g_listed_slot[kMaxLessons];
std::uint32_t g_times_listed[kMaxLessons];
static_assert(kWeekSlots <= 256);

bool is_lesson(std::int32_t l) { return static_cast<unsigned>(l) < static_cast<unsigned>(kMaxLessons); }

// Per slot, the holes within its list's count.
std::uint32_t g_holes[kWeekSlots];

void now_listed(std::int32_t l, int slot, std::uint32_t i) {
  if (l == kHoleEntry) ++g_holes[slot];
  if (!is_lesson(l)) return;
  ++g_times_listed[l];
  g_listed_at[l] = i;
  g_listed_slot[l] = static_cast<std::uint8_t>(slot);
}

void no_longer_listed(std::int32_t l, int slot) {
  if (l == kHoleEntry) --g_holes[slot];
  if (is_lesson(l)) --g_times_listed[l];
}

// Entries of a list written since some point; past kLoggedWrites the log
// only says "any".
constexpr std::uint32_t kLoggedWrites = 8;
struct WriteLog {
  std::uint32_t n;  // above kLoggedWrites: any entry
  std::uint16_t entry[kLoggedWrites];
  bool any() const { return n > kLoggedWrites; }
  void add(std::uint32_t i) {
    if (n < kLoggedWrites && i <= 0xFFFF) entry[n++] = static_cast<std::uint16_t>(i);
    else n = kLoggedWrites + 1;
  }
};
// Per slot, the entries of its list written since the clash counts were last
// brought in step with it, and those written since the swaps last backed the
// list up (a restore writes back just those). Every write of a list goes
// through put_entry, restore_list or list_rewritten.
struct ListWrites {
  WriteLog since_counted;
  WriteLog since_backup;
  bool backed_up;
};
ListWrites g_list_writes[kWeekSlots];

std::uint64_t g_lists_written = 0;  // list writes of the whole run
void stamp_list(int slot) { g_slot_list_stamp[slot] = ++g_lists_written; }

void list_rewritten(int slot) {
  stamp_list(slot);
  g_list_writes[slot].since_counted.n = kLoggedWrites + 1;
  g_list_writes[slot].since_backup.n = kLoggedWrites + 1;
}

// Writes entry i (i == count appends).
void put_entry(SlotLessonList& list, std::uint32_t i, int lesson) {
  int slot = static_cast<int>(&list - g_slot_lessons);
  ListWrites& w = g_list_writes[slot];
  stamp_list(slot);
  w.since_counted.add(i);
  w.since_backup.add(i);
  if (i < list.count) no_longer_listed(list.lesson[i], slot);
  else list.count = i + 1;
  list.lesson[i] = lesson;
  now_listed(lesson, slot, i);
}

bool in_joint_list(int a, int b) {
  const EngineLesson& x = g_eng_lessons[a];
  int n = x.joint_count < 0 ? 0 : (x.joint_count > kMaxJointLessons ? kMaxJointLessons : x.joint_count);
  for (int i = 0; i < n; ++i)
    if (x.joint_lessons[i] == b) return true;
  return false;
}

int second_teacher_of(int l) {
  return lesson_has_second_teacher(l) ? g_eng_lessons[l].second_teacher : -1;
}

void check_slot(int lesson) {
  const EngineLesson& x = g_eng_lessons[lesson];
  if (x.day >= kDays || x.hour >= kHoursPerDay)
    or_raise_critical_error("SW", lesson, kSourceSybil, 101);
}

void backup_list(int slot) {
  const SlotLessonList& from = g_slot_lessons[slot];
  SlotLessonList& to = g_slot_lessons2[slot];
  std::uint32_t n = from.count + kBackupSlack;
  if (n > kSlotListCapacity) n = kSlotListCapacity;
  to.count = from.count;
  std::memcpy(to.lesson, from.lesson, n * sizeof(std::int32_t));
  g_list_writes[slot].since_backup.n = 0;
  g_list_writes[slot].backed_up = true;
}

// The entries written since the backup are the only ones that can differ
// from it (the count aside, which the counts compare themselves).
void restore_list(int slot) {
  const SlotLessonList& from = g_slot_lessons2[slot];
  SlotLessonList& to = g_slot_lessons[slot];
  ListWrites& w = g_list_writes[slot];
  stamp_list(slot);
  std::uint32_t n = from.count + kBackupSlack;
  if (n > kSlotListCapacity) n = kSlotListCapacity;
  // The entries that can change: those written since the backup and those
  // between the two counts; past kLoggedWrites + 2 of them, all entries.
  std::uint32_t low = to.count < from.count ? to.count : from.count;
  std::uint32_t high = to.count < from.count ? from.count : to.count;
  std::uint32_t changed[kLoggedWrites + kBackupSlack];
  std::uint32_t n_changed = 0;
  bool all = !w.backed_up || w.since_backup.any() || high - low > kBackupSlack;
  if (!all) {
    for (std::uint32_t i = low; i < high; ++i) changed[n_changed++] = i;
    for (std::uint32_t k = 0; k < w.since_backup.n; ++k) {
      std::uint32_t e = w.since_backup.entry[k];
      if (e < n) w.since_counted.add(e);
      if (e >= low && e < high) continue;
      bool seen = false;
      for (std::uint32_t j = 0; j < n_changed; ++j) seen = seen || changed[j] == e;
      if (!seen) changed[n_changed++] = e;
    }
    for (std::uint32_t j = 0; j < n_changed; ++j)
      if (changed[j] < to.count) no_longer_listed(to.lesson[changed[j]], slot);
  } else {
    w.since_counted.n = kLoggedWrites + 1;
    for (std::uint32_t i = 0; i < to.count; ++i) no_longer_listed(to.lesson[i], slot);
  }
  w.since_backup.n = 0;
  to.count = from.count;
  if (all) {
    std::memcpy(to.lesson, from.lesson, n * sizeof(std::int32_t));
  } else {
    // The other entries below n hold the backup's values already.
    for (std::uint32_t j = 0; j < n_changed; ++j)
      if (changed[j] < n) to.lesson[changed[j]] = from.lesson[changed[j]];
  }
  if (!all) {
    for (std::uint32_t j = 0; j < n_changed; ++j)
      if (changed[j] < to.count) now_listed(to.lesson[changed[j]], slot, changed[j]);
  } else {
    for (std::uint32_t i = 0; i < to.count; ++i) now_listed(to.lesson[i], slot, i);
  }
}

void append_entry(SlotLessonList& list, int lesson, int line) {
  if (list.count >= kSlotListCapacity)
    or_raise_critical_error("SW - TROPPE CLASSI ORE SULLA STESSA ORA", lesson, kSourceSybil, line);
  put_entry(list, list.count, lesson);
}

// Whether the list holds lesson y (0 <= y < kMaxLessons): the hint answers
// at once where it still holds, else the list is walked.
bool lists_lesson(const SlotLessonList& list, int y) {
  std::uint32_t at = g_listed_at[y];
  if (at < list.count && list.lesson[at] == y) return true;
  for (std::uint32_t i = 0; i < list.count; ++i)
    if (list.lesson[i] == y) {
      g_listed_at[y] = i;
      g_listed_slot[y] = static_cast<std::uint8_t>(&list - g_slot_lessons);
      return true;
    }
  return false;
}

// The entry of the slot's list that replace_entry would take for the lesson
// when the list has no holes and the lesson is listed there only, else -1:
// its only entry.
std::int64_t sole_entry(int slot, int lesson) {
  if (g_holes[slot] != 0 || !is_lesson(lesson) || g_times_listed[lesson] != 1 || g_listed_slot[lesson] != slot)
    return -1;
  const SlotLessonList& list = g_slot_lessons[slot];
  std::uint32_t at = g_listed_at[lesson];
  return at < list.count && list.lesson[at] == lesson ? at : -1;
}

// The first hole or the old entry takes the new lesson; an old entry found
// after that hole becomes a hole. The old lesson must be in the list.
// `known`: the entry taken when the caller knows it (sole_entry), else -1.
void replace_entry(SlotLessonList& list, int old_lesson, int new_lesson, std::int64_t known) {
  if (known >= 0) {
    std::uint32_t at = static_cast<std::uint32_t>(known);
    if (g_clash_cross_check) [[unlikely]] {
      std::uint32_t i = 0;
      while (list.lesson[i] != kHoleEntry && list.lesson[i] != old_lesson) ++i;
      ++g_clash_checks.walks;
      if (i != at) ++g_clash_checks.mismatches;
    }
    put_entry(list, at, new_lesson);
    return;
  }
  std::uint32_t i = 0;
  for (; i < list.count; ++i)
    if (list.lesson[i] == kHoleEntry || list.lesson[i] == old_lesson) break;
  if (i == list.count) {
    or_raise_critical_error("SW", old_lesson, kSourceSybil, 140);
  }
  bool was_old = list.lesson[i] == old_lesson;
  put_entry(list, i, new_lesson);
  if (was_old) return;
  for (std::uint32_t j = i + 1; j < list.count; ++j)
    if (list.lesson[j] == old_lesson) {
      put_entry(list, j, kHoleEntry);
      return;
    }
  or_raise_critical_error("SW", old_lesson, kSourceSybil, 150);
}

// a's entry in its old slot's list takes b and b's in its old slot's takes a
// (b's new slot is a's old one). Both entries are found before either is
// written: once the first is, b is listed twice.
void replace_pair(int a, int b, int slot_a, int slot_b) {
  std::int64_t at_a = sole_entry(slot_a, a), at_b = sole_entry(slot_b, b);
  replace_entry(g_slot_lessons[slot_a], a, b, at_a);
  replace_entry(g_slot_lessons[slot_b], b, a, at_b);
}

void insert_entry(SlotLessonList& list, int lesson) {
  for (std::uint32_t i = 0; i < list.count; ++i)
    if (list.lesson[i] == kHoleEntry) {
      put_entry(list, i, lesson);
      return;
    }
  append_entry(list, lesson, 160);
}

void remove_entry(SlotLessonList& list, int lesson) {
  for (std::uint32_t i = 0; i < list.count; ++i)
    if (list.lesson[i] == lesson) {
      put_entry(list, i, kHoleEntry);
      return;
    }
  or_raise_critical_error("SW", lesson, kSourceSybil, 170);
}

inline int pair_conflict(int a, int b) {
  const EngineLesson& x = g_eng_lessons[a];
  const EngineLesson& y = g_eng_lessons[b];
  if (x.day != y.day || x.hour != y.hour) return kNoConflict;
  if (x.class_index == y.class_index) {
    if (!in_joint_list(a, b)) return kConflictClass;
  } else if (x.room >= 0 && x.room == y.room && !in_joint_list(a, b)) {
    return kConflictRoom;
  }
  if (x.teacher >= 0 && x.teacher == y.teacher) return kConflictTeacher;
  int sa = second_teacher_of(a);
  int sb = second_teacher_of(b);
  if (sa >= 0) {
    if (sa == y.teacher) return kConflictSecondIsTeacherB;
    if (sb >= 0 && sb == x.teacher) return kConflictTeacherIsSecondB;
    if (sb >= 0 && sb == sa) return kConflictSameSecond;
  } else if (sb >= 0 && sb == x.teacher) {
    return kConflictSecondOfBIsTeacher;
  }
  return kNoConflict;
}

// The four fields the slot-list walk reads of every listed lesson, sixteen
// bytes a lesson where the records take a cache line each: most listed
// lessons share nothing with the tested one, and the walk then reads no
// record. The copy is taken again whenever a watched field of a lesson was
// written since (rooms by the allocation and the room moves, classes by the
// stand-by repacking, anything by a load), which the fields themselves count.
struct ClashKey {
  std::int32_t class_index, room, teacher, second;
};
ClashKey g_clash_keys[kMaxLessons];
int g_clash_key_count = 0;
std::uint64_t g_clash_keys_taken_at = ~std::uint64_t{0};
std::uint64_t g_clash_keys_version = 0;  // counts the copies taken

ClashKey clash_key_of(int l) {
  const EngineLesson& y = g_eng_lessons[l];
  return {y.class_index, y.room, y.teacher, second_teacher_of(l)};
}

// The copy as of now, and how many lessons it holds.
const ClashKey* current_clash_keys(int& count) {
  int n = g_eng_school.lesson_count;
  if (n < 0) n = 0;
  if (n > kMaxLessons) n = kMaxLessons;
  if (g_clash_keys_taken_at != g_lesson_field_writes || g_clash_key_count != n) {
    for (int l = 0; l < n; ++l) g_clash_keys[l] = clash_key_of(l);
    g_clash_key_count = n;
    g_clash_keys_taken_at = g_lesson_field_writes;
    ++g_clash_keys_version;
  }
  count = g_clash_key_count;
  return g_clash_keys;
}

// First conflict of lesson against the lessons listed in its slot.
// A pair that shares no class, room or teacher never clashes, wherever the
// two lessons sit: that is told from the copied fields, before the slot
// fields of the records are read.
int list_conflict_of(int lesson, const ClashKey* keys, int key_count) {
  const SlotLessonList& list = g_slot_lessons[lesson_slot(lesson)];
  const ClashKey x = lesson < key_count ? keys[lesson] : clash_key_of(lesson);
  for (std::uint32_t i = 0; i < list.count; ++i) {
    int other = list.lesson[i];
    if (other == kHoleEntry || other == lesson) continue;
    const ClashKey y = static_cast<unsigned>(other) < static_cast<unsigned>(key_count) ? keys[other] : clash_key_of(other);
    bool shared = y.class_index == x.class_index || (x.room >= 0 && y.room == x.room) ||
                  (x.teacher >= 0 && (y.teacher == x.teacher || y.second == x.teacher)) ||
                  (x.second >= 0 && (y.teacher == x.second || y.second == x.second));
    if (!shared) continue;
    int code = pair_conflict(lesson, other);
    if (code != kNoConflict) {
      g_last_conflict_lesson = other;
      return code;
    }
  }
  return kNoConflict;
}

// How many of the four fields of y a lesson with key x shares with it: the
// walk tests a listed lesson only where this is above 0.
int shared_fields(const ClashKey& x, const ClashKey& y) {
  return (y.class_index == x.class_index) + (x.room >= 0 && y.room == x.room) +
         (x.teacher >= 0 && (y.teacher == x.teacher || y.second == x.teacher)) +
         (x.second >= 0 && (y.teacher == x.second || y.second == x.second));
}

// Per slot, how many listed lessons have each class, room and teacher (a
// lesson whose second teacher is another counts for both), with a copy of
// the list's entries they were counted from: every use compares the copy
// with the list and counts again the entries that differ, so the list's
// writers need not know of this; a new per-lesson copy counts all again.
// The sum of the counts of a lesson's fields is the sum of shared_fields
// over the listed lessons; when the lesson itself and the swap's partner
// make all of it, no other listed lesson can clash and the walk is spared.
constexpr std::uint32_t kCountedEntries = 128;
constexpr std::int32_t kUnusedEntry = -2;  // never a lesson nor a hole
struct SlotCounts {
  std::uint64_t version;      // of the per-lesson copy the counts were taken from
  std::uint32_t count;        // entries of the copy
  std::uint32_t not_counted;  // listed lessons with a value outside the tables
  std::int32_t lesson[kCountedEntries];
  std::uint16_t of_class[kMaxClasses];
  std::uint16_t of_room[kMaxRooms];
  std::uint16_t of_teacher[kMaxTeachers];
};
SlotCounts g_slot_counts[kWeekSlots];

bool in_table(std::int32_t v, int size) { return v >= 0 && v < size; }

// Adds (step 1) or takes out (step -1) one listed lesson's fields.
void count_lesson(SlotCounts& c, int l, int step, const ClashKey* keys, int key_count) {
  if (l == kHoleEntry || l == kUnusedEntry) return;
  if (static_cast<unsigned>(l) >= static_cast<unsigned>(key_count)) {
    c.not_counted += step;
    return;
  }
  const ClashKey& y = keys[l];
  if (!in_table(y.class_index, kMaxClasses) || y.room >= kMaxRooms || y.teacher >= kMaxTeachers ||
      y.second >= kMaxTeachers) {
    c.not_counted += step;
    return;
  }
  c.of_class[y.class_index] += step;
  if (y.room >= 0) c.of_room[y.room] += step;
  if (y.teacher >= 0) c.of_teacher[y.teacher] += step;
  if (y.second >= 0 && y.second != y.teacher) c.of_teacher[y.second] += step;
}

// The slot's counts, brought in step with its list at the entries written
// since (or all of them); null when they cannot answer.
const SlotCounts* slot_counts(int slot, const ClashKey* keys, int key_count) {
  const SlotLessonList& list = g_slot_lessons[slot];
  SlotCounts& c = g_slot_counts[slot];
  if (list.count > kCountedEntries) return nullptr;
  WriteLog& log = g_list_writes[slot].since_counted;
  auto take_entry = [&](std::uint32_t i) {
    std::int32_t was = c.lesson[i];
    std::int32_t now = i < list.count ? list.lesson[i] : kUnusedEntry;
    if (was == now) return;
    count_lesson(c, was, -1, keys, key_count);
    count_lesson(c, now, 1, keys, key_count);
    c.lesson[i] = now;
  };
  if (c.version == g_clash_keys_version && !log.any()) [[likely]] {
    for (std::uint32_t k = 0; k < log.n; ++k)
      if (log.entry[k] < kCountedEntries) take_entry(log.entry[k]);  // those past it are past both counts
    std::uint32_t low = c.count < list.count ? c.count : list.count;
    std::uint32_t high = c.count < list.count ? list.count : c.count;
    for (std::uint32_t i = low; i < high; ++i) take_entry(i);
    c.count = list.count;
    log.n = 0;
    if (g_clash_cross_check) [[unlikely]] {
      for (std::uint32_t i = 0; i < kCountedEntries; ++i)
        if (c.lesson[i] != (i < list.count ? list.lesson[i] : kUnusedEntry)) {
          ++g_clash_checks.mismatches;  // a write the log missed
          take_entry(i);
        }
    }
    return c.not_counted == 0 ? &c : nullptr;
  }
  if (c.version != g_clash_keys_version) {
    std::memset(c.of_class, 0, sizeof c.of_class);
    std::memset(c.of_room, 0, sizeof c.of_room);
    std::memset(c.of_teacher, 0, sizeof c.of_teacher);
    c.not_counted = 0;
    c.count = 0;
    for (std::int32_t& e : c.lesson) e = kUnusedEntry;
    c.version = g_clash_keys_version;
  }
  std::uint32_t n = c.count > list.count ? c.count : list.count;
  for (std::uint32_t i = 0; i < n; ++i) take_entry(i);
  c.count = list.count;
  log.n = 0;
  return c.not_counted == 0 ? &c : nullptr;
}

// How often the copy of the slot's list, in step with the list, names
// lesson l (0 <= l < kMaxLessons): from the lists' tally where it answers,
// else by a scan. The copy's entries past its count are kUnusedEntry, so the
// scan runs over the whole fixed array, which the compiler does a vector at
// a time.
std::uint32_t times_listed(const SlotCounts& c, int slot, int l) {
  std::uint32_t listed = g_times_listed[l];
  std::uint32_t answer = 0;
  const SlotLessonList& hinted = g_slot_lessons[g_listed_slot[l]];
  std::uint32_t at = g_listed_at[l];
  if (listed == 0) {
    answer = 0;
  } else if (listed == 1 && at < hinted.count && hinted.lesson[at] == l) {
    answer = g_listed_slot[l] == slot ? 1 : 0;
  } else {
    for (std::uint32_t i = 0; i < kCountedEntries; ++i) answer += c.lesson[i] == l;
    return answer;
  }
  if (g_clash_cross_check) [[unlikely]] {
    std::uint32_t scanned = 0;
    for (std::uint32_t i = 0; i < kCountedEntries; ++i) scanned += c.lesson[i] == l;
    if (scanned != answer) ++g_clash_checks.mismatches;
  }
  return answer;
}

// The walk's answer from the counts where they give it: true with the code
// in `code`; false when only the walk can tell.
bool conflict_from_counts(int lesson, int partner, const ClashKey* keys, int key_count, int& code) {
  if (lesson >= key_count) return false;
  const ClashKey& x = keys[lesson];
  if (!in_table(x.class_index, kMaxClasses) || x.room >= kMaxRooms || x.teacher >= kMaxTeachers ||
      x.second >= kMaxTeachers)
    return false;
  int slot = lesson_slot(lesson);
  const SlotCounts* c = slot_counts(slot, keys, key_count);
  if (c == nullptr) return false;
  std::int64_t rest = c->of_class[x.class_index] + (x.room >= 0 ? c->of_room[x.room] : 0) +
                      (x.teacher >= 0 ? c->of_teacher[x.teacher] : 0) +
                      (x.second >= 0 ? c->of_teacher[x.second] : 0);
  rest -= static_cast<std::int64_t>(times_listed(*c, slot, lesson)) * shared_fields(x, x);
  std::uint32_t partner_listed = 0;
  if (partner >= 0 && partner != lesson && partner < key_count) {
    int partner_fields = shared_fields(x, keys[partner]);
    if (partner_fields != 0) partner_listed = times_listed(*c, slot, partner);
    rest -= static_cast<std::int64_t>(partner_listed) * partner_fields;
  }
  if (rest != 0) return false;
  // Only the partner can be tested, and every test of it answers alike.
  code = kNoConflict;
  if (partner_listed > 0) {
    code = pair_conflict(lesson, partner);
    if (code != kNoConflict) g_last_conflict_lesson = partner;
  }
  return true;
}

// partner: the other lesson of the swap (-1 none), which the counts may
// leave out of their sum.
int list_conflict(int lesson, int partner = -1) {
  int count = 0;
  const ClashKey* keys = current_clash_keys(count);
  int code = kNoConflict;
  if (!g_clash_cross_check) [[likely]] {
    if (conflict_from_counts(lesson, partner, keys, count, code)) return code;
    return list_conflict_of(lesson, keys, count);
  }
  // The walk over the records themselves must name the same lesson.
  std::int32_t before = g_last_conflict_lesson;
  int walked = list_conflict_of(lesson, keys, 0);
  std::int32_t walked_lesson = g_last_conflict_lesson;
  g_last_conflict_lesson = before;
  if (!conflict_from_counts(lesson, partner, keys, count, code)) code = list_conflict_of(lesson, keys, count);
  ++g_clash_checks.walks;
  if (code != walked || g_last_conflict_lesson != walked_lesson) ++g_clash_checks.mismatches;
  return code;
}

// Whether lesson y, named by a grid at slot, clashes there with lesson x
// (placed at slot): a grid may lag behind the placement, so y must sit at
// slot and be listed there, which makes it one of the lessons the slot-list
// walk would test.
bool grid_clash(int x, int y, int slot, int a, int b) {
  if (y == kGridFree || y >= g_eng_school.lesson_count || y >= kMaxLessons || y == a || y == b) return false;
  if (!lesson_placed(y) || lesson_slot(y) != slot || pair_conflict(x, y) == kNoConflict) return false;
  const SlotLessonList& list = g_slot_lessons[slot];
  bool listed = lists_lesson(list, y);
  if (g_clash_cross_check) [[unlikely]] {
    bool walked = false;
    for (std::uint32_t i = 0; i < list.count; ++i) walked = walked || list.lesson[i] == y;
    ++g_clash_checks.walks;
    if (walked != listed) ++g_clash_checks.mismatches;
  }
  if (listed) g_last_conflict_lesson = y;
  return listed;
}

// A clash of lesson x at its (new) slot with the lesson its teachers' or its
// class's grid holds there; false says nothing.
bool clash_from_grids(int x, int a, int b) {
  const EngineLesson& l = g_eng_lessons[x];
  int slot = lesson_slot(x);
  for (int t : {l.teacher.get(), second_teacher_of(x)})
    if (t >= 0 && t < g_eng_school.teacher_count && t < kMaxTeachers &&
        grid_clash(x, g_eng_teachers[t].lesson_per_slot[slot], slot, a, b))
      return true;
  return l.class_index >= 0 && l.class_index < g_eng_school.class_count && l.class_index < kMaxClasses &&
         grid_clash(x, g_eng_classes[l.class_index].week_grid[l.day][l.hour], slot, a, b);
}

void pause_if_asked() {
  if (g_status.pause.load(std::memory_order_relaxed) != 0) {
    g_status.pause = 0;
    g_sleep(5000);
  }
}

}  // namespace

void or_set_solver_sleep(SolverSleep sleep) { g_sleep = sleep ? sleep : real_sleep; }

void or_set_clash_cross_check(bool on) {
  g_clash_cross_check = on;
  g_clash_checks = {};
}

ClashCrossCheck or_clash_cross_check() { return g_clash_checks; }
bool or_clash_cross_check_on() { return g_clash_cross_check; }
void or_count_clash_cross_check(bool agreed) {
  ++g_clash_checks.walks;
  if (!agreed) ++g_clash_checks.mismatches;
}

bool or_slot_lists(int slot, int lesson) {
  if (slot < 0 || slot >= kWeekSlots || !is_lesson(lesson)) return false;
  return lists_lesson(g_slot_lessons[slot], lesson);
}

int or_lesson_pair_conflict(int a, int b) { return pair_conflict(a, b); }

int or_find_lesson_conflict(int lesson) {
  int n = g_eng_school.lesson_count;
  for (int j = 0; j < n && j < kMaxLessons; ++j) {
    if (j == lesson || !lesson_placed(j)) continue;
    int code = or_lesson_pair_conflict(lesson, j);
    if (code != kNoConflict) {
      g_last_conflict_lesson = j;
      return code;
    }
  }
  return kNoConflict;
}

int or_find_slot_conflict(int lesson) {
  check_slot(lesson);
  // Same answer as the walk over every lesson: the lowest conflicting index.
  const SlotLessonList& list = g_slot_lessons[lesson_slot(lesson)];
  int best = -1;
  int best_code = kNoConflict;
  for (std::uint32_t i = 0; i < list.count; ++i) {
    int other = list.lesson[i];
    if (other == kHoleEntry || other == lesson) continue;
    if (best >= 0 && other > best) continue;
    int code = or_lesson_pair_conflict(lesson, other);
    if (code != kNoConflict) {
      best = other;
      best_code = code;
    }
  }
  if (best >= 0) g_last_conflict_lesson = best;
  return best_code;
}

void or_slot_list_add(int lesson) {
  check_slot(lesson);
  insert_entry(g_slot_lessons[lesson_slot(lesson)], lesson);
}

void or_slot_list_remove(int lesson) {
  check_slot(lesson);
  remove_entry(g_slot_lessons[lesson_slot(lesson)], lesson);
}

int or_swap_lessons(int a, int b) {
  pause_if_asked();
  check_slot(a);
  check_slot(b);
  std::uint16_t pa = lesson_place(a), pb = lesson_place(b);
  if (pa == pb) return kNoConflict;  // same slot: nothing moves
  int slot_a = lesson_slot(a), slot_b = lesson_slot(b);
  backup_list(slot_a);
  backup_list(slot_b);
  set_lesson_place(a, pb);
  set_lesson_place(b, pa);
  int code = list_conflict(a, b);
  if (code == kNoConflict) code = list_conflict(b, a);
  if (code != kNoConflict) {
    set_lesson_place(a, pa);
    set_lesson_place(b, pb);
    return code;
  }
  replace_pair(a, b, slot_a, slot_b);
  return kNoConflict;
}

void or_swap_tested_lessons(int a, int b) {
  pause_if_asked();
  check_slot(a);
  check_slot(b);
  std::uint16_t pa = lesson_place(a), pb = lesson_place(b);
  if (pa == pb) return;
  int slot_a = lesson_slot(a), slot_b = lesson_slot(b);
  backup_list(slot_a);
  backup_list(slot_b);
  set_lesson_place(a, pb);
  set_lesson_place(b, pa);
  replace_pair(a, b, slot_a, slot_b);
}

bool or_swap_clashes(int a, int b) {
  pause_if_asked();
  check_slot(a);
  check_slot(b);
  std::uint16_t pa = lesson_place(a), pb = lesson_place(b);
  if (pa == pb) return false;
  set_lesson_place(a, pb);
  set_lesson_place(b, pa);
  // Most refused swaps put a lesson where one of its teachers already
  // teaches: the grids name that lesson at once, where the walk over the
  // slot's list reads a record per entry.
  bool clash = clash_from_grids(a, a, b) || clash_from_grids(b, a, b) || list_conflict(a, b) != kNoConflict ||
               list_conflict(b, a) != kNoConflict;
  set_lesson_place(a, pa);
  set_lesson_place(b, pb);
  return clash;
}

void or_undo_swap_lessons(int a, int b) {
  std::uint16_t pa = lesson_place(a), pb = lesson_place(b);
  if (pa == pb) return;
  set_lesson_place(a, pb);
  set_lesson_place(b, pa);
  restore_list(lesson_slot(a));
  restore_list(lesson_slot(b));
}

int or_swap_lesson_pairs(int a, int b, int a2, int b2) {
  pause_if_asked();
  for (int l : {a, b, a2, b2}) check_slot(l);
  std::uint16_t pa = lesson_place(a), pb = lesson_place(b);
  std::uint16_t pa2 = lesson_place(a2), pb2 = lesson_place(b2);
  if (pa == pb) return kNoConflict;
  int slot_a = lesson_slot(a), slot_b = lesson_slot(b);
  backup_list(slot_a);
  backup_list(slot_b);
  for (int l : {a, a2, b, b2}) remove_entry(g_slot_lessons[lesson_slot(l)], l);
  set_lesson_place(a, pb);
  set_lesson_place(a2, pb);
  set_lesson_place(b, pa);
  set_lesson_place(b2, pa);
  insert_entry(g_slot_lessons[slot_b], a);
  insert_entry(g_slot_lessons[slot_b], a2);
  insert_entry(g_slot_lessons[slot_a], b);
  insert_entry(g_slot_lessons[slot_a], b2);
  int code = kNoConflict;
  for (int l : {a, a2, b, b2}) {
    code = list_conflict(l);
    if (code != kNoConflict) break;
  }
  if (code != kNoConflict) {
    set_lesson_place(a, pa);
    set_lesson_place(a2, pa2);
    set_lesson_place(b, pb);
    set_lesson_place(b2, pb2);
    restore_list(slot_a);
    restore_list(slot_b);
  }
  return code;
}

void or_undo_swap_lesson_pairs(int a, int b, int a2, int b2) {
  std::uint16_t pa = lesson_place(a), pb = lesson_place(b);
  if (pa == pb) return;
  set_lesson_place(a, pb);
  set_lesson_place(a2, pb);
  set_lesson_place(b, pa);
  set_lesson_place(b2, pa);
  restore_list(lesson_slot(a));
  restore_list(lesson_slot(b));
}

int or_swap_lesson_chain(const int* lessons, int n, int slot_a, int slot_b) {
  pause_if_asked();
  if (n <= 0 || slot_a == slot_b) return kNoConflict;
  for (int i = 0; i < n; ++i) check_slot(lessons[i]);
  auto place_of = [](int slot) { return static_cast<std::uint16_t>((slot / kHoursPerDay) | ((slot % kHoursPerDay) << 8)); };
  const std::uint16_t pa = place_of(slot_a), pb = place_of(slot_b);
  backup_list(slot_a);
  backup_list(slot_b);
  for (int i = 0; i < n; ++i) remove_entry(g_slot_lessons[lesson_slot(lessons[i])], lessons[i]);
  for (int i = 0; i < n; ++i) set_lesson_place(lessons[i], lesson_slot(lessons[i]) == slot_a ? pb : pa);
  for (int i = 0; i < n; ++i) insert_entry(g_slot_lessons[lesson_slot(lessons[i])], lessons[i]);
  int code = kNoConflict;
  for (int i = 0; i < n && code == kNoConflict; ++i) code = list_conflict(lessons[i]);
  if (code != kNoConflict) {
    for (int i = 0; i < n; ++i) set_lesson_place(lessons[i], lesson_slot(lessons[i]) == slot_a ? pb : pa);
    restore_list(slot_a);
    restore_list(slot_b);
  }
  return code;
}

void or_undo_swap_lesson_chain(const int* lessons, int n, int slot_a, int slot_b) {
  if (n <= 0 || slot_a == slot_b) return;
  auto place_of = [](int slot) { return static_cast<std::uint16_t>((slot / kHoursPerDay) | ((slot % kHoursPerDay) << 8)); };
  const std::uint16_t pa = place_of(slot_a), pb = place_of(slot_b);
  for (int i = 0; i < n; ++i) set_lesson_place(lessons[i], lesson_slot(lessons[i]) == slot_a ? pb : pa);
  restore_list(slot_a);
  restore_list(slot_b);
}

void or_rebuild_slot_index() {
  for (int slot = 0; slot < kWeekSlots; ++slot) {
    list_rewritten(slot);
    g_slot_lessons[slot].count = 0;
  }
  std::memset(g_times_listed, 0, sizeof g_times_listed);
  std::memset(g_holes, 0, sizeof g_holes);
  int n = g_eng_school.lesson_count;
  for (int l = 0; l < n; ++l) {
    if (!lesson_placed(l)) continue;  // an unplaced lesson has no slot to index with
    check_slot(l);
    SlotLessonList& list = g_slot_lessons[lesson_slot(l)];
    if (list.count >= kSlotListCapacity)
      or_raise_critical_error("TROPPE CLASSI ORE SULLA STESSA ORA", l, kSourceSybil, 260);
    put_entry(list, list.count, l);
  }
}
