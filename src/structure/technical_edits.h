// The edit table of the technical editor: one 50-byte entry per engine
// lesson with its new day and hour, its new lab and the lessons it collides
// with, and the operations on the engine's loaded timetable that the editor
// page runs: which lessons are listed, the time order of a teaching line's
// lessons, the conflict check, applying the edits to the engine tables and
// the dump of the table to "\tmp\edizio.dat".
//
// Invariants: an entry's day and hour are both 255 (unchanged) or both a
// slot; its lab is -1 (unchanged), -2 (no lab) or a room index; a conflict
// list holds at most 20 lesson numbers and ends with 65535 when shorter.
// Sized for 10000 lessons; the conflict check compares only lessons that
// share a slot, so it stays linear in practice. UI thread only, while no
// engine command runs.
#pragma once

#include <cstdint>
#include <string>

#pragma pack(push, 1)
struct TechEditEntry {
  std::uint8_t day;   // 255 unchanged
  std::uint8_t hour;  // 255 unchanged
  std::int32_t lab;   // -1 unchanged, -2 no lab, else a room
  std::uint16_t conflicts[20];  // ended by 65535
  std::uint8_t spare[2];
  std::uint8_t in_conflict;
  std::uint8_t listed;  // the row's conflict list was not empty when last shown
};
#pragma pack(pop)
static_assert(sizeof(TechEditEntry) == 50);

inline constexpr int kTechEditEntries = 10000;
inline constexpr std::int32_t kTechLabUnchanged = -1, kTechNoLab = -2;
extern TechEditEntry g_tech_edits[kTechEditEntries];

// Every entry unchanged with an empty conflict list.
void tech_reset_edits();
// The lessons listed: those before the first lesson whose teacher is not
// an ordinary teacher (at most kTechEditEntries).
int tech_listed_lessons();
// Within each run of lessons of one teaching line, the placements in day
// then hour order (only the placement pairs move).
void tech_sort_line_runs(int count);
// The effective placement and room of a lesson: the edit when set, else
// the lesson's own.
int tech_day(int lesson);
int tech_hour(int lesson);
int tech_room(int lesson);
// The lesson's class's own room, -1 when the model has none.
int tech_own_room(int lesson);
// Clears and recomputes every conflict list; the number of links made.
int tech_check_conflicts(int count);
// True when any entry changes something.
bool tech_any_edit(int count);
// Stores a new day or hour (-1 for the half not given) and folds a pair
// equal to the lesson's own placement back to unchanged.
void tech_set_slot(int lesson, int day, int hour);
// Stores a new lab: a room, or kTechNoLab; a room equal to the working or
// recorded room counts as unchanged.
void tech_set_lab(int lesson, int lab);
// Writes the edits into the lessons and both placement copies.
void tech_apply_edits(int count);
// Writes the whole table to "\tmp\edizio.dat" until a write first fails.
void tech_dump_edits();
