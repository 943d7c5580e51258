// The result history of a search stage and the exemption proposals drawn
// from it. A store copies the live placement and the violation list of the
// last full evaluation into a slot, counts each violation in a frequency
// table kept in descending order, and keeps the slots sorted by error
// count. A proposal copies one violation into the engine's current
// exemption record, which the search loop then applies.
//
// Workload: a store runs at most once per search cycle and costs one
// timetable copy and at most 200 record copies; the slots are allocated
// once per process (about 12 MB at full capacity) and never freed, so a
// long-lived desktop process that runs many computations does not grow.
#include "solver/result_history.h"

#include <chrono>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "engine/engine_random.h"
#include "engine/reception_exemption_files.h"
#include "engine/shell_services.h"
#include "solver/exemptions.h"
#include "solver/search_state.h"
#include "solver/solver_state.h"

namespace {

ResultHistory g_history;
LessonSummary g_summaries[kMaxLessons + 1];
int g_allocations = 0;
bool g_new_stage = false;
std::int32_t g_stamp = 0;

bool mode_keeps_history(int mode) {
  return mode == 13 || mode == 15 || mode == 16 || mode == 20 || mode == 29;
}

void allocate_slots() {
  ++g_allocations;
  g_history.allocated = 0;
  for (int s = 0; s < kHistorySlots; ++s) {
    auto* timetable = new (std::nothrow) std::uint16_t[kMaxLessons + 1];
    auto* records = new (std::nothrow) ViolationRecord[kHistoryRecords];
    if (!timetable || !records) {
      delete[] timetable;
      delete[] records;
      break;
    }
    g_history.slots[s].timetable = timetable;
    g_history.slots[s].records = records;
    g_history.allocated = s + 1;
  }
}

void fill_summaries() {
  int n = g_eng_school.lesson_count;
  for (int i = 0; i < n && i < kMaxLessons; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    LessonSummary& s = g_summaries[i];
    s.teacher = l.teacher;
    s.class_index = l.class_index;
    s.subject = l.subject;
    s.room = l.room;
    s.line_number = l.line_number;
    s.second_teacher = l.second_teacher;
    int b = l.building;
    s.building_initial = (b >= 0 && b < kMaxBuildings)
                             ? static_cast<std::uint8_t>(g_eng_buildings[b].name[0])
                             : 0;
  }
}

bool same_violation(const ViolationRecord& a, const ViolationRecord& b) {
  return a.constraint_id == b.constraint_id && a.teacher == b.teacher &&
         a.class_index == b.class_index && a.detail == b.detail;
}

void count_violation(const ViolationRecord& r) {
  FrequencyEntry* table = g_history.frequencies;
  int found = -1;
  for (int i = 0; i < g_history.frequency_count; ++i)
    if (table[i].count > 0 && same_violation(table[i].record, r)) {
      found = i;
      break;
    }
  if (found >= 0) {
    table[found].count += 1;
    table[found].last_stamp = static_cast<std::uint32_t>(g_stamp);
  } else {
    int free = -1;
    for (int i = 0; i < g_history.frequency_count; ++i)
      if (table[i].count == 0) {
        free = i;
        break;
      }
    if (free < 0) free = g_history.frequency_count < kFrequencyEntries
                             ? g_history.frequency_count++
                             : kFrequencyEntries - 1;
    table[free].record = r;
    table[free].count = 1;
    table[free].last_stamp = static_cast<std::uint32_t>(g_stamp);
  }
  // One bubble pass moves larger counts forward.
  for (int i = g_history.frequency_count - 1; i > 0; --i)
    if (table[i].count > table[i - 1].count) std::swap(table[i], table[i - 1]);
}

// All slots in use: the one whose first record has the lowest record
// number is reused, and the frequency entries of its record range cleared.
int slot_to_reuse() {
  int best = 0;
  for (int s = 1; s < g_history.used; ++s)
    if (g_history.slots[s].records[0].record_number <
        g_history.slots[best].records[0].record_number)
      best = s;
  const HistorySlot& slot = g_history.slots[best];
  std::uint32_t low = slot.records[0].record_number;
  std::uint32_t high = slot.record_count > 0 ? slot.records[slot.record_count - 1].record_number : low;
  if (high < low) std::swap(low, high);
  for (int i = 0; i < g_history.frequency_count; ++i) {
    std::uint32_t v = g_history.frequencies[i].record.record_number;
    if (v >= low && v <= high) g_history.frequencies[i].count = 0;
  }
  return best;
}

void sort_slots_by_errors() {
  bool swapped = true;
  while (swapped) {
    swapped = false;
    for (int s = 1; s < g_history.used; ++s)
      if (g_history.slots[s].error_count < g_history.slots[s - 1].error_count) {
        std::swap(g_history.slots[s], g_history.slots[s - 1]);
        swapped = true;
      }
  }
}

int stage_violations() {
  int stage = g_status.stage_id;
  return stage >= 0 && stage < kConstraintCount ? static_cast<int>(ConstraintStats[stage].count) : 0;
}

void propose(const ViolationRecord& r) {
  g_exemption_current = or_exemption_from_violation(r, 1);
}

bool exemption_pending() { return g_exemption_current.bytes[0] != 0; }

}  // namespace

int or_history_allocations() { return g_allocations; }

const ResultHistory& or_result_history() { return g_history; }
void or_set_history_stamp(std::int32_t stamp) { g_stamp = stamp; }

void or_prepare_search_tables() {
  {
    std::lock_guard<std::timed_mutex> hold(g_problems_mutex);
    if (g_allocations == 0) {
      std::memset(g_history.frequencies, 0, sizeof g_history.frequencies);
      allocate_slots();
    }
    g_history.stage_id = -1;
    g_history.stage_value = -1;
    g_history.level = 0;
    g_history.used = 0;
    g_history.frequency_count = 0;
    fill_summaries();
  }
  or_reload_exemptions();
  or_forget_search_grants();
  g_exemption_current.bytes[0] = 0;
}

void or_forget_result_history() {
  // The monitor holds the mutex only while it copies and lists a result; a
  // monitor that keeps it longer leaves the old results to the next store.
  std::unique_lock<std::timed_mutex> hold(g_problems_mutex, std::chrono::seconds(1));
  if (!hold.owns_lock()) return;
  g_history.stage_id = -1;
  g_history.used = 0;
  g_history.frequency_count = 0;
}

int or_store_history(int force) {
  if (force) g_new_stage = true;
  std::unique_lock<std::timed_mutex> hold(g_problems_mutex, std::chrono::milliseconds(1));
  if (!hold.owns_lock()) return 0;
  int errors = g_status.error_count;
  if (!mode_keeps_history(g_eng_run.run_mode) || errors < 1) return 1;
  if (g_status.stage_id != g_history.stage_id || g_new_stage) {
    g_new_stage = false;
    g_history.stage_id = g_status.stage_id;
    g_history.stage_value = g_status.stage_value;
    g_history.used = 0;
    g_history.frequency_count = 0;
    g_history.level = g_status.level;
  }
  std::uint8_t kind = errors == stage_violations() ? 1 : 2;
  int count = g_status.violation_count;
  if (count > kMaxViolationRecords) count = kMaxViolationRecords;
  if (count <= 0 || g_history.allocated == 0) return 1;
  for (int s = 0; s < g_history.used; ++s)
    if (g_history.slots[s].cycle_stamp == g_stamp) return 1;
  int target = g_history.used < g_history.allocated ? g_history.used++ : slot_to_reuse();
  HistorySlot& slot = g_history.slots[target];
  int n = g_eng_school.lesson_count;
  for (int i = 0; i < n && i < kMaxLessons; ++i) slot.timetable[i] = lesson_place(i);
  for (int r = 0; r < count; ++r) {
    slot.records[r] = g_status.violations[r];
    count_violation(slot.records[r]);
  }
  slot.record_count = count;
  slot.cycle_stamp = g_stamp;
  slot.error_count = errors;
  slot.kind = kind;
  sort_slots_by_errors();
  return 1;
}

int or_propose_exemption_by_id(int id) {
  for (int s = 0; s < g_history.used; ++s) {
    const HistorySlot& slot = g_history.slots[s];
    if (slot.record_count < 1) continue;
    bool all = true;
    for (int r = 0; r < slot.record_count && all; ++r)
      all = slot.records[r].constraint_id == static_cast<std::uint32_t>(id);
    if (all) {
      propose(slot.records[0]);
      return 1;
    }
  }
  return 0;
}

int or_propose_exemption_any(int id) {
  for (int s = 0; s < g_history.used; ++s) {
    const HistorySlot& slot = g_history.slots[s];
    for (int r = 0; r < slot.record_count; ++r)
      if (slot.records[r].constraint_id == static_cast<std::uint32_t>(id)) {
        propose(slot.records[r]);
        return 1;
      }
  }
  return 0;
}

void or_propose_exemption() {
  if (g_eng_run.run_mode == 29) {
    for (int tries = 0; tries < 96; ++tries)
      if (or_propose_exemption_any(g_engine_random.below(96))) return;
    return;
  }
  if (g_process_number != 0 || !g_status.exemption_proposal || exemption_pending()) return;
  if (g_eng_run.run_mode == 13 && or_propose_exemption_by_id(48)) return;
  static const int kOrder[] = {63, 43, 44, 45, 26, 28, 25, 12, 14, 15,
                               16, 17, 61, 62, 13, 64, 23, 11, 8,  9};
  for (int id : kOrder)
    if (or_propose_exemption_by_id(id)) return;
  if (!or_propose_exemption_by_id(5)) or_propose_exemption_by_id(54);
}
