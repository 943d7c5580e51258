// The provisional stand-by summary ("Disposizione Provvisorio"), written in
// provisional mode in place of the stand-by grid: each teacher's weekly
// hours against those placed in the provisional timetable and the hours left
// for substitutions; each teaching post with its hours placed; and the
// classes whose provisional week is not filled.
//
// Invariants: a count of 0 prints as blanks in the first two sections (a
// lone '0' between non-digits is blanked); laboratory pseudo-teachers (kind
// bit 4) are not listed; the section header repeats after 66 rows. Shaped
// for 500 teachers: the counts come from one pass over the lessons.
#include <cstdio>
#include <string>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "reports/conversions.h"
#include "reports/report_lines.h"
#include "reports/report_run.h"

namespace {

// A count of 0 shows as a blank: every '0' standing alone between non-digits.
// The row is scanned with its newline, up to the third-last character, so
// the last column's count (just before the closing '|') is blanked too.
void blank_zeros(std::string& row) {
  row += '\n';
  for (size_t i = 0; i + 2 < row.size(); ++i)
    if (row[i] == '0' && (i == 0 || !is_digit(row[i - 1])) && !is_digit(row[i + 1])) row[i] = ' ';
  row.pop_back();
}

bool provisional_slot(int l) {
  const EngineLesson& x = g_eng_lessons[l];
  return or_lesson_placed(l) && x.day < kDays && x.hour < g_eng_school.provisional_hours_per_day[x.day];
}

struct Section {
  explicit Section(std::string& text) : out(text) {}
  std::string& out;
  std::string header, rule;
  int rows = 0;
  void start(const std::string& line) {
    header = line;
    rule = std::string(line.size(), '-') + "\n";
    out += rule + header + "\n" + rule;
    rows = 0;
  }
  void row(std::string text) {
    if (rows > 66) {
      out += "\f" + rule + header + "\n" + rule;
      rows = 0;
    }
    blank_zeros(text);
    out += text + "\n" + rule;
    ++rows;
  }
};

std::string header_line(const char* a, const char* b, const char* c, const char* d, const char* e) {
  std::string line;
  report_appendf(line, "%-20.20s|%20s|%20s|%20s|%20s|", a, b, c, d, e);
  return line;
}

}  // namespace

void or_write_provisional_standby_summary() {
  const char* const kTitle[3] = {"Disposizione Provvisorio", "Vorl\xe4ufige - Verf\xfcgung Stunden",
                                 "Provisional - Available Hours"};
  or_name_report(kTitle, g_report.kind);
  std::FILE* f = or_open_report(4362);
  std::string out;
  const char* teacher = report_pick("Docente", "Lehrer ", "Teacher");
  const char* weekly = report_pick("Ore di Cattedra", "Dienst Stunden", "Weekly Service");
  const char* placed = report_pick("Ore nel Provvisorio", "St. im vorl\xe4ufigen", "Hrs in provisional");
  const char* klass = report_pick("CLASSE", "KLASSE", "CLASS ");
  Section section(out);
  section.start(header_line(teacher, weekly, report_pick("Ore a Disposizione", "Vertretung", "Substitutions"), placed,
                            report_pick("Disponibili", "verf\xfcgbar", "available")));
  for (int i = 0; i < g_report.teacher_records; ++i) {
    const ReportTeacherGrid& r = g_teacher_grid[i];
    if (r.kind & kTeacherLabPseudo) continue;
    std::string row;
    report_appendf(row, "%-20.20s|%20d|%20d|%20d|%20d|", r.display_name, r.teaching_hours, r.standby_hours,
                   r.hours_inside_day, r.teaching_hours - r.hours_inside_day + r.standby_hours);
    section.row(row);
  }
  out += '\f';
  section.start(header_line(teacher, klass, weekly, placed, ""));
  for (int i = 0; i < g_report.teacher_records; ++i) {
    const ReportTeacherGrid& r = g_teacher_grid[i];
    if (r.kind & kTeacherLabPseudo) continue;
    const EngineTeacher& t = g_eng_teachers[r.teacher];
    for (int p = 0; p < kWeekSlots && t.class_indexes[p] >= 0; ++p) {
      int c = t.class_indexes[p];
      if (c >= g_eng_school.real_class_count) continue;
      int count = 0;
      for (int l = 0; l < g_eng_school.lesson_count; ++l)
        count += g_eng_lessons[l].teacher == r.teacher && g_eng_lessons[l].class_index == c && provisional_slot(l);
      std::string row;
      report_appendf(row, "%-20.20s|%20.20s|%20d|%20d|%20.20s|", r.display_name, or_report_class_name(c),
                     t.class_hours[p], count, "");
      section.row(row);
    }
  }
  int week = 0;
  for (int d = 0; d < or_week_days(); ++d) week += g_eng_school.provisional_hours_per_day[d];
  bool first = true;
  for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c) {
    bool filled[kWeekSlots] = {};
    int count = 0;
    for (int l = 0; l < g_eng_school.lesson_count; ++l) {
      const EngineLesson& x = g_eng_lessons[l];
      if (x.class_index != c || !provisional_slot(l) || or_report_pseudo_teacher(x.teacher)) continue;
      int s = x.day * kHoursPerDay + x.hour;
      if (!filled[s]) filled[s] = true, ++count;
    }
    if (count >= week) continue;
    if (first) {
      out += '\f';
      section.start(header_line(report_pick("Classi incomplete", "Unvollst\xe4ndige Klassen", "Not complete classes"),
                                klass, "", placed, ""));
      first = false;
    }
    report_appendf(out, "%-20.20s|%20.20s|%20.20s|%20d|%20.20s|\n", "", or_report_class_name(c), "", count, "");
    out += section.rule;
  }
  std::fputs(out.c_str(), f);
  or_close_report(f, __LINE__);
  or_convert_report_to_rtf(g_report.path, 8, 0, 0);
  or_convert_report_to_html(g_report.path, 1);
}
