// Small helpers several report writers share (see report_run.h).
#include <algorithm>

#include "engine/lesson_links.h"
#include "reports/report_lines.h"
#include "reports/report_run.h"
#include "reports/report_text_format.h"

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool lab_pseudo(const ReportTeacherGrid& r) { return (r.kind & kTeacherLabPseudo) != 0; }

bool break_before(int h) { return h >= 2 && g_report.start[0][h] > g_report.end[0][h - 1]; }

const char* stamp(const ReportTeacherGrid& r, int s) {
  if (r.end_stamp[s] != -1) return or_format_tagged_minutes(r.end_stamp[s], report_pick("f", "e", "e")[0]);
  if (r.start_stamp[s] != -1) return or_format_tagged_minutes(r.start_stamp[s], report_pick("i", "b", "b")[0]);
  return "";
}

int day_rows(int d) { return std::min(or_day_hours(d), g_report.hours_shown); }
