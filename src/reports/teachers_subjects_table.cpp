// The teachers and subjects table ("Tabella Docenti e Materie"): the global
// wall chart with the teachers grouped by main subject, each row led by the
// subject (on the group's first row), the teacher's name and the list of the
// teacher's classes, then the class of every hour of the week.
//
// Invariants: a laboratory pseudo-teacher (kind bit 4) is never listed;
// groups are separated by an empty row whose column bounds are blanks (none
// before the first group that has a row, even when an earlier subject
// belongs only to laboratory pseudo-teachers); the
// header repeats after 44 teacher rows (24 in the "Word 2000" text form).
// Shaped for 500 teachers: one pass over the records per subject group.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "reports/conversions.h"
#include "reports/report_lines.h"
#include "reports/report_run.h"
#include "reports/report_services.h"

void or_write_teachers_subjects_table(int building) {
  const char* format = report_pick("Tabella Docenti e Materie%s%s", "Tafel Lehrer F\xe4" "cher%s%s",
                                   "Table Teachers and Subjects%s%s");
  bool one = building >= 0 && building < kMaxBuildings;
  char title[200];
  std::snprintf(title, sizeof title, format, one ? " " : "", one ? g_eng_buildings[building].name : "");
  if (!or_report_path(g_report.path, title, nullptr, '0')) g_report.path[0] = 0;
  int hours = g_report.hours_shown;
  int cw = g_report.lab_text_width;
  const char* subject_word = report_pick("Materia", "Fach", "Subject");
  const char* classes_word = report_pick("Classi", "Klassen", "Classes");
  int ws = 0;
  int groups = or_next_grid_subject(nullptr, &ws);
  ws = std::max(ws, static_cast<int>(std::strlen(subject_word)) + 2);
  int wc = std::max(or_teacher_class_list(nullptr, -1), static_cast<int>(std::strlen(classes_word)));
  if (wc > 200) wc = 400;
  std::FILE* f = or_open_report(5062);
  std::string t1, t2;
  report_appendf(t1, "%c%d%-*.*s%s%-20.20s%s%-*.*s%s", '*', hours - 1, ws - 2, ws - 2, subject_word, "|",
                 report_pick("Docente", "Lehrer ", "Teacher"), "|", wc, wc, classes_word, "#");
  t2.assign(t1.size() - 1, ' ');
  t2 += '#';
  for (int d = 0; d < or_week_days(); ++d) report_append_day_heading(t1, t2, d, hours, cw);
  int width = static_cast<int>(t1.size());
  auto write_header = [&] {
    or_write_dash_rule(f, width);
    std::fprintf(f, "%s\n", t1.c_str());
    or_write_dash_rule(f, width);
    std::fprintf(f, "%s\n", t2.c_str());
    or_write_dash_rule(f, width);
  };
  write_header();
  int page = kt::report_services().rtf_text_form_option() ? 24 : 44;
  int rows = 0;
  char list[600];
  bool any_row = false;  // no separator before the first group that has rows
  for (int g = 0; g < groups; ++g) {
    char subject[kNameSize + 8];
    or_next_grid_subject(subject, nullptr);
    bool first = true;
    for (int i = 0; i < g_report.teacher_records; ++i) {
      const ReportTeacherGrid& r = g_teacher_grid[i];
      if ((r.kind & kTeacherLabPseudo) || std::strcmp(r.main_subject, subject) != 0) continue;
      std::string line;
      if (first && any_row) {
        report_appendf(line, "%-*.*s%s%-20.20s%s%-*.*s%s", ws, ws, "", " ", "", " ", wc, wc, "", "#");
        for (int d = 0; d < or_week_days(); ++d)
          for (int h = 0; h < hours; ++h) report_appendf(line, "%-*.*s%s", cw, cw, "", h == hours - 1 ? "#" : " ");
        std::fprintf(f, "%s\n", line.c_str());
        or_write_dash_rule(f, width);
        line.clear();
      }
      or_teacher_class_list(list, i);
      report_appendf(line, "%-*.*s%s%-20.20s%s%-*.*s%s", ws, ws, first ? subject : "", "|", r.name, "|", wc, wc, list, "#");
      for (int d = 0; d < or_week_days(); ++d)
        for (int h = 0; h < hours; ++h)
          report_appendf(line, "%-*.*s%s", cw, cw, or_cell_in_building(r, d, h, building), h == hours - 1 ? "#" : "|");
      std::fprintf(f, "%s\n", line.c_str());
      or_write_dash_rule(f, width);
      first = false;
      any_row = true;
      if (++rows > page) {
        std::fputc('\f', f);
        write_header();
        rows = 0;
      }
    }
  }
  or_close_report(f, __LINE__);
  or_convert_report_to_rtf(g_report.path, 8, 1, 1);
  or_convert_report_to_html(g_report.path, 1);
}
