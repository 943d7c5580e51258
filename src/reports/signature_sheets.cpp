// The signature sheets ("Foglio Firme"): one page per day with a line per
// teacher and an empty column for the signature. In the order-by-hour form
// each teacher is listed once a day under the first hour on duty in the
// school (or building); in the alphabetical form every teacher every day.
//
// Invariants: laboratory pseudo-teachers and proxies (kind bits 4 and 8) are
// never listed; a reception hour (" R ") or a building change (" t ") is no
// duty, a stand-by hour (" D ") is; every day ends with a form feed. Shaped
// for 500 teachers x 7 days x 12 hours.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "reports/conversions.h"
#include "reports/report_lines.h"
#include "reports/report_run.h"
#include "reports/report_text_format.h"

namespace {

bool listed_kind(const ReportTeacherGrid& r) { return !(r.kind & (kTeacherLabPseudo | kTeacherFca)); }

bool on_duty(const ReportTeacherGrid& r, int s, int building) {
  if (building != -1 && r.building[s] != building) return false;
  const char* cell = r.cell[s];
  return static_cast<unsigned char>(cell[0]) > ' ' || (cell[0] == ' ' && cell[1] == 'D');
}

}  // namespace

void or_write_signature_sheet(int form, int building) {
  bool one = building >= 0 && building < kMaxBuildings;
  std::string title;
  report_appendf(title, "%s %c", report_pick("Foglio Firme", "Unterschriften", "Signatures"), form == 0 ? 'A' : 'O');
  if (one) report_appendf(title, " %s", g_eng_buildings[building].name);
  if (!or_report_path(g_report.path, title.c_str(), nullptr, 0)) g_report.path[0] = 0;
  std::FILE* f = or_open_report(4284);
  const char* teacher_word = report_pick("Docente", "Lehrer ", "Teacher");
  std::string out;
  for (int d = 0; d < or_week_days(); ++d) {
    std::string header;
    if (form)
      report_appendf(header, "%-20.20s|%-40.40s|%-40s|", report_pick("ORA", "St.", "Hr."), teacher_word,
                     g_eng_school.day_names[d]);
    else
      report_appendf(header, "%-40.40s|%-40s|", teacher_word, g_eng_school.day_names[d]);
    std::string rule(header.size(), '-');
    rule += '\n';
    out += rule + header + "\n" + rule;
    std::vector<bool> listed(static_cast<size_t>(g_report.teacher_records), false);
    if (form == 0) {
      for (int i = 0; i < g_report.teacher_records; ++i)
        if (listed_kind(g_teacher_grid[i])) {
          report_appendf(out, "%-40.40s|%40s|\n", g_teacher_grid[i].display_name, "");
          out += rule;
        }
    } else {
      bool previous = false;
      for (int h = 0; h < g_report.hours_shown; ++h) {
        if (previous) {
          report_appendf(out, "%-20.20s|%-40.40s|%40s|\n", "", "", "");
          out += rule;
        }
        previous = false;
        std::string label;
        report_appendf(label, "%3d %s", h + 1, or_format_minutes(g_report.start[d][h]));
        for (int i = 0; i < g_report.teacher_records; ++i) {
          const ReportTeacherGrid& r = g_teacher_grid[i];
          if (listed[i] || !listed_kind(r) || !on_duty(r, d * kHoursPerDay + h, building)) continue;
          report_appendf(out, "%-20.20s|%-40.40s|%40s|\n", label.c_str(), r.display_name, "");
          out += rule;
          listed[i] = true;
          previous = true;
        }
      }
    }
    out += '\f';
  }
  std::fputs(out.c_str(), f);
  or_close_report(f, __LINE__);
  or_convert_report_to_rtf(g_report.path, 10, 0, 0);
}
