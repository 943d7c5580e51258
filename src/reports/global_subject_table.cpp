// The global subject table ("Tabella Globale Materie"): every teacher of the
// school on one line, grouped by main subject in alphabetical order, with
// the class of each hour of the week; once for the whole school and once per
// building when there are several.
//
// Invariants: a laboratory pseudo-teacher (kind bit 4) has no line; the
// header repeats after 44 teacher lines (24 in the "Word 2000" text form);
// teachers without a main subject come last under an empty subject rather
// than being left out. Shaped for 500 teachers: one pass over the records
// per subject.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "reports/conversions.h"
#include "reports/report_lines.h"
#include "reports/report_run.h"
#include "reports/report_services.h"
#include "reports/report_text_format.h"

namespace {

std::string header_block(int c) {
  int hours = g_report.hours_shown;
  std::string line1, line2;
  report_appendf(line1, "%c%d%-18.18s%s%-20.20s%s", '^', hours - 1, report_pick("Materia", "Fach", "Subject"), "#",
                 report_pick("Docente", "Lehrer ", "Teacher"), "#");
  report_appendf(line2, "%c%d%-18.18s%s%-20.20s%s", '^', hours - 1, "", "#", "", "#");
  line2[0] = line2[1] = ' ';
  for (int d = 0; d < or_week_days(); ++d) report_append_day_heading(line1, line2, d, hours, c);
  std::string rule(line1.size(), '-');
  return rule + "\n" + line1 + "\n" + rule + "\n" + line2 + "\n" + rule + "\n";
}

}  // namespace

void or_write_global_subject_table(int building) {
  const char* const kTitle[3] = {"Tabella Globale Materie", ("Globale Tabelle-F\xe4" "cher"), "Global Table-Subjects"};
  std::string title = or_pick_text(kTitle);
  if (building >= 0 && building < kMaxBuildings) title += std::string("_") + g_eng_buildings[building].name;
  if (!or_report_path(g_report.path, title.c_str(), nullptr, g_report.kind)) g_report.path[0] = 0;
  int c = g_report.lab_text_width;
  std::string header = header_block(c);
  size_t width = header.find('\n');
  std::FILE* f = or_open_report(2467);
  std::string out = header;
  int page = kt::report_services().rtf_text_form_option() ? 24 : 44;
  int lines = 0;
  auto write_teacher = [&](const ReportTeacherGrid& r) {
    report_appendf(out, "%-20.20s%s%-20.20s%s", r.main_subject, "#", r.name, "#");
    for (int d = 0; d < or_week_days(); ++d)
      for (int h = 0; h < g_report.hours_shown; ++h)
        report_appendf(out, "%-*.*s%s", c, c, or_cell_in_building(r, d, h, building),
                       h == g_report.hours_shown - 1 ? "#" : "|");
    out += '\n';
    out.append(width, '-');
    out += '\n';
    if (++lines > page) {
      out += '\f';
      out += header;
      lines = 0;
    }
  };
  std::vector<const char*> subjects;
  for (int i = 0; i < g_report.teacher_records; ++i) subjects.push_back(g_teacher_grid[i].main_subject);
  auto listed = [](const ReportTeacherGrid& r) { return !(r.kind & kTeacherLabPseudo); };
  for (int more = or_next_teacher_grid_by_subject(1, subjects.data(), static_cast<int>(subjects.size())); more >= 0;
       more = or_next_teacher_grid_by_subject(0, subjects.data(), static_cast<int>(subjects.size()))) {
    const char* subject = or_teacher_grid_subject();
    for (int i = 0; i < g_report.teacher_records; ++i)
      if (listed(g_teacher_grid[i]) && std::strncmp(g_teacher_grid[i].main_subject, subject, 20) == 0)
        write_teacher(g_teacher_grid[i]);
  }
  for (int i = 0; i < g_report.teacher_records; ++i)
    if (listed(g_teacher_grid[i]) && !g_teacher_grid[i].main_subject[0]) write_teacher(g_teacher_grid[i]);
  std::fputs(out.c_str(), f);
  or_close_report(f, __LINE__);
  or_convert_report_to_rtf(g_report.path, 8, 1, 1);
  or_convert_report_to_html(g_report.path, 1);
}
