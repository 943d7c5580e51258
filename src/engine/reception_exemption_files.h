// Two small files of the school folder beside the description: the
// teachers' reception hours (".\\ricevi.txt", scrambled lines) and the
// exemptions the user granted (".\\scuola3.txt", ".\\scuola3P.txt" for the
// provisional timetable; plain lines of a length and the record in hex).
//
// Records read back are range-checked before they reach a table; writes go
// through a temporary file. Both files hold at most a few hundred lines.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/status_block.h"

inline constexpr int kExemptionRecordSize = 219;  // bytes of a stored record
inline constexpr int kReceptionCandidates = 14;

// Offsets of the stored exemption record: request byte, a spare byte, six
// 32-bit words (id, teacher, class, detail, count, record number), the
// 41-byte text, the 129-byte detail map, two request bytes, the 21-byte
// name of the teacher or class.
inline constexpr int kExemptionIdOffset = 2;
inline constexpr int kExemptionTeacherOffset = 6;
inline constexpr int kExemptionClassOffset = 10;
inline constexpr int kExemptionTextOffset = 26;
inline constexpr int kExemptionMapOffset = 67;
inline constexpr int kExemptionNameOffset = 198;

struct StoredExemption {
  std::uint8_t bytes[kExemptionRecordSize];
};

// The engine's current exemption record in its stored form; the exemption
// step fills it from the violation the user picked.
extern StoredExemption g_exemption_current;
// Applies one stored record (the exemption switch in its applying mode);
// set by the solver's exemption step, null while there is none.
extern int (*g_exemption_applier)(const StoredExemption& record);

StoredExemption or_exemption_from_violation(const ViolationRecord& v, std::uint8_t request);
// "%04u", the record in lower-case hex, "\r\n".
void or_format_exemption_line(const StoredExemption& record, char* out, int size);
// A line of at least 10 characters: its length (at most 219) and the hex
// bytes that follow; a short record is zero-filled. False for other lines.
bool or_parse_exemption_line(const char* line, StoredExemption& out);

void or_write_reception_slots();
// Reads "ricevi.txt" into the teachers' reception hours and candidates: 0,
// -1 when the file is missing, -2 at a line of too few fields. A read error
// is a file error naming the file, on any thread.
int or_read_reception_slots();
void or_allocate_reception_hours();
void or_pick_reception_hour(int teacher);
// Whether lesson i takes teacher t into a classroom: as its
// teacher or second teacher, or through his stand-in for an articulated group.
bool or_lesson_is_teachers(int i, int t);
// The teacher whom a lesson under teacher t takes into the classroom: the
// teacher behind t when t is his stand-in for an articulated group, else t;
// -1 for no teacher.
int or_teacher_behind(int t);
// Whether teacher t is given a reception hour at all: not a calendar's
// pseudo-teacher, a lab's "_LAB" stand-in or an articulated group's stand-in.
bool or_teacher_receives_parents(int t);
// Whether a placed lesson takes teacher t into a classroom at that hour (see
// or_lesson_is_teachers): no hour for parents to come.
bool or_teacher_in_class_at(int t, int day, int hour);
// The placed lesson that takes teacher t into a classroom at that hour, -1
// when none does; its teacher may be his stand-in for an articulated group.
int or_teacher_lesson_at(int t, int day, int hour);
void or_append_exemption(int init);
// Reads and applies every stored exemption; returns how many were read.
int or_reload_exemptions();
// Reads the exemption file through once: a computation calls it before it
// writes anything, so a file that cannot be read ends the command while
// every file is still as it was.
void or_check_exemptions_readable();
// The records the last reload read, in file order.
const std::vector<StoredExemption>& or_reloaded_exemptions();
// The classes named by the stored exemptions of one constraint (read from
// the file of the mode, without applying anything), in file order.
std::vector<int> or_stored_exemption_classes(int constraint_id);
// The teachers named by the stored exemptions of one constraint, the same
// way; a teacher granted it twice is named twice. With a map entry (a day,
// for the rules kept per day) only the records that flag that entry count.
std::vector<int> or_stored_exemption_teachers(int constraint_id, int map_entry = -1);
