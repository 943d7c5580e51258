// The violation reporter: every full check hands each violation it finds to
// or_report_violation while the run asks for reports. The reporter appends a
// record to the status block's list (at most 199), folds the violation into
// the run's signature and peak points, and writes one line per violation to
// the residual-errors log while the run's report flag is negative.
//
// Workload: a few hundred calls per reporting evaluation at most.
#pragma once

#include <cstdint>
#include <string>

#include "engine/status_block.h"

inline constexpr int kDetailMapSize = 129;
// Filled by the reporting evaluator just before each call, copied whole.
extern std::uint8_t g_violation_detail[kDetailMapSize];
// The detail buffer's helpers. Each report copies the buffer and clears it,
// so a record carries only what its own evaluator put there; a rule frame
// clears it again before each rule, since a rule may fill it and then find
// nothing to report. They do nothing while no records are being kept.
void or_clear_violation_detail();
// Appends a 32-bit value once to the list at byte 0 (its count at byte 125).
void or_detail_add_listed(std::int32_t value);
// A 32-bit value at a byte offset (12, 16, 92, 96 ...).
void or_detail_set_word(int offset, std::int32_t value);
// The count of listed values at byte 125, when it is not the list's length.
void or_detail_set_listed_count(std::int32_t count);
// A day (0-6) or slot (day x 12 + hour) flag.
void or_detail_flag(int index);
// The form code at byte 124.
void or_detail_set_form(int code);
// Running record number of this process: starts at 1, never reset.
extern std::uint32_t g_violation_record_number;

void or_report_violation(std::uint32_t teacher, std::uint32_t class_index, std::uint32_t detail,
                         const char* text, std::uint32_t count, std::uint32_t id);
// The line the reporter writes for one violation (without logging it).
void or_format_violation_line(char* out, int size, std::uint32_t teacher, std::uint32_t class_index,
                              const char* text, std::uint32_t count, std::uint32_t id);
// One violation record in the words of the engine's check lines ("SNOD:"):
// the constraint's name in the run's language, then, with `who`, the
// teacher's name (teacher constraints) or the class's, and the count; then
// the record's text in brackets when it has one: "ORE BUCHE - ROSSI: 1",
// "ORE PROIBITE/Giorno Libero - BIANCHI: 1 (LU:1)".
std::string or_violation_text(const ViolationRecord& v, bool who);
