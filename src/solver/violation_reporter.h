// The violation reporter: every full check hands each violation it finds to
// or_report_violation while the run asks for reports. The reporter appends a
// record to the status block's list (at most 199), folds the violation into
// the run's signature and peak points, and writes one line per violation to
// the residual-errors log while the run's report flag is negative.
//
// Workload: a few hundred calls per reporting evaluation at most.
#pragma once

#include <cstdint>

inline constexpr int kDetailMapSize = 129;
// Filled by the reporting evaluator just before each call, copied whole.
extern std::uint8_t g_violation_detail[kDetailMapSize];
// Running record number of this process: starts at 1, never reset.
extern std::uint32_t g_violation_record_number;

void or_report_violation(std::uint32_t teacher, std::uint32_t class_index, std::uint32_t detail,
                         const char* text, std::uint32_t count, std::uint32_t id);
// The line the reporter writes for one violation (without logging it).
void or_format_violation_line(char* out, int size, std::uint32_t teacher, std::uint32_t class_index,
                              const char* text, std::uint32_t count, std::uint32_t id);
