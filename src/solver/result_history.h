// The history of distinct results of the current search stage and the
// exemption proposals made from it.
//
// The storage is allocated once per process (the first preparation) and
// reused by every later run: a run never allocates or frees history slots.
// The problems monitor reads the history while it holds g_problems_mutex;
// the search only tries that mutex for 1 ms and skips a store when busy.
#pragma once

#include <cstdint>

#include "engine/status_block.h"

inline constexpr int kHistorySlots = 200;       // results kept per stage
inline constexpr int kHistoryRecords = 200;     // violation records per result
inline constexpr int kFrequencyEntries = 200;   // distinct violations counted

struct HistorySlot {
  std::uint8_t kind;         // 1: only the stage constraint's violations; 2: others too
  std::int32_t cycle_stamp;
  std::int32_t error_count;
  std::int32_t record_count;
  std::uint16_t* timetable;  // one value per lesson
  ViolationRecord* records;
};

struct FrequencyEntry {
  ViolationRecord record;
  std::uint32_t count;
  std::uint32_t last_stamp;
};

struct ResultHistory {
  std::int32_t stage_id;     // -1 none
  std::int32_t stage_value;
  std::int32_t level;
  std::int32_t used;
  std::int32_t allocated;
  std::int32_t frequency_count;
  HistorySlot slots[kHistorySlots];
  FrequencyEntry frequencies[kFrequencyEntries];
};

// Read only under g_problems_mutex.
const ResultHistory& or_result_history();

// Per-lesson summary filled by the preparation.
struct LessonSummary {
  std::int32_t teacher, class_index, subject, room, line_number, second_teacher;
  std::uint8_t building_initial;
};

// Sets the history up before a search: the first call in the process
// allocates and clears; every call empties it, fills the summaries, re-reads
// the granted exemptions and clears the pending proposal.
void or_prepare_search_tables();
// Empties the history (waiting at most a second for the mutex): the results of the engine
// command before are not this command's (its slots hold placements of the
// model that command loaded), and the problems monitor must not show them.
void or_forget_result_history();
// Stores the current result; 0 when the problems monitor holds the mutex.
int or_store_history(int force);
int or_propose_exemption_by_id(int id);
int or_propose_exemption_any(int id);
void or_propose_exemption();
// The cycle stamp the next store uses (the search loop's cycle count).
void or_set_history_stamp(std::int32_t stamp);

// How many times the history storage was allocated in this process (1 after
// the first preparation, never more).
int or_history_allocations();
