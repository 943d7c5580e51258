// The class staff and reception lists: "Tabella Consigli di Classe" (the
// teachers of each class with subject, weekly hours in the class and working
// days), its extended form with one row per teacher and subject, the parents'
// reception hours per class ("Ricevimento per Classi") and every teacher's
// reception hour ("Ricevimento del Pubblico").
//
// Invariants: laboratory pseudo-teachers (kind bit 4) are never listed; a
// proxy teacher shows the working days and reception hour of the teacher it
// stands for; a class block is never split across pages unless it alone is
// longer than a page (32 rows). Shaped for 300 classes x 500 teachers: one
// scan of a teacher's 84 slots per class.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "reports/conversions.h"
#include "reports/report_lines.h"
#include "reports/report_run.h"
#include "reports/report_text_format.h"

namespace {

const ReportTeacherGrid& days_record(const ReportTeacherGrid& r) {
  if ((r.kind & kTeacherFca) && r.represented >= 0 && r.represented < g_report.teacher_records)
    return g_teacher_grid[r.represented];
  return r;
}

std::string working_days(const ReportTeacherGrid& r) {
  const ReportTeacherGrid& k = days_record(r);
  std::string text;
  for (int d = 0; d < kDays; ++d) {
    bool busy = false;
    for (int h = 0; h < kHoursPerDay && !busy; ++h) busy = k.cell[d * kHoursPerDay + h][0] && !report_blank(k.cell[d * kHoursPerDay + h]);
    report_appendf(text, "%2.2s%c", busy ? g_eng_school.day_names[d] : "", d < kDays - 1 ? '|' : ' ');
  }
  return text;
}

int reception_slot(const ReportTeacherGrid& r) {
  const ReportTeacherGrid& k = days_record(r);
  int found = -1;
  for (int s = 0; s < kWeekSlots; ++s)
    if (std::strcmp(k.cell[s], " R ") == 0) found = s;
  return found;
}

const char* second_name(int subject) {
  if (subject < 0 || subject >= g_eng_school.subject_count || subject >= kMaxSubjects) return "";
  const EngineSubject& s = g_eng_subjects[subject];
  return s.group_name[0] ? s.group_name : s.specific_name;
}

bool in_class(const ReportTeacherGrid& r, int s, const std::string& name) { return name == r.cell[s]; }

struct ClassHours {
  int hours = 0;
  int last_subject = -1;
};

ClassHours hours_in(const ReportTeacherGrid& r, const std::string& name) {
  ClassHours c;
  for (int s = 0; s < kWeekSlots; ++s)
    if (in_class(r, s, name)) ++c.hours, c.last_subject = r.lesson_subject[s];
  return c;
}

const char* subject_text(const ReportTeacherGrid& r, int subject) {
  if (r.main_subject_index != -1) subject = r.main_subject_index;
  return subject >= 0 ? second_name(subject) : r.main_subject;
}

void reception_row(std::vector<std::string>& rows, const char* klass, const ReportTeacherGrid& r, const char* subject) {
  int s = reception_slot(r);
  const char* day = s >= 0 ? g_eng_school.day_names[s / kHoursPerDay] : "";
  std::string start = s >= 0 ? or_format_minutes(g_report.start[s / kHoursPerDay][s % kHoursPerDay]) : "";
  std::string end = s >= 0 ? or_format_minutes(g_report.end[s / kHoursPerDay][s % kHoursPerDay]) : "";
  std::string row;
  report_appendf(row, " %-5.5s|%-20.20s|%-20.20s|%-20.20s|%-5.5s|%-5.5s|", klass, r.display_name, subject, day,
                 start.c_str(), end.c_str());
  rows.push_back(row);
}

// The rows of one class (or of the whole school for variant 2).
std::vector<std::string> block_rows(int variant, bool extended, const std::string& name) {
  std::vector<std::string> rows;
  for (int i = 0; i < g_report.teacher_records; ++i) {
    const ReportTeacherGrid& r = g_teacher_grid[i];
    if (r.kind & kTeacherLabPseudo) continue;
    if (variant == 2) {
      if (r.kind & kTeacherFca) continue;
      reception_row(rows, "", r, subject_text(r, -1));
      continue;
    }
    ClassHours c = hours_in(r, name);
    if (c.hours == 0) continue;
    if (extended) {
      for (int subject = 0; subject < g_eng_school.subject_count && subject < kMaxSubjects; ++subject) {
        int count = 0;
        for (int s = 0; s < kWeekSlots; ++s) count += in_class(r, s, name) && r.lesson_subject[s] == subject;
        if (count == 0) continue;
        std::string row;
        report_appendf(row, " %-5.5s|%-20.20s|%-20.20s|%9d%7s|%s|", name.c_str(), r.display_name, second_name(subject),
                       count, "", working_days(r).c_str());
        rows.push_back(row);
      }
    } else if (variant == 0) {
      std::string row;
      report_appendf(row, " %-5.5s|%-20.20s|%-20.20s|%9d%7s|%s|", name.c_str(), r.display_name,
                     subject_text(r, c.last_subject), c.hours, "", working_days(r).c_str());
      rows.push_back(row);
    } else if (reception_slot(r) >= 0) {
      reception_row(rows, name.c_str(), r, subject_text(r, c.last_subject));
    }
  }
  return rows;
}

void write_list(int variant, bool extended, int line) {
  static const char* const kTitles[4][3] = {
      {"Tabella Consigli di Classe", "Tabelle der Klassen Lehrpersonal", "Table of Classes Staff"},
      {"Ricevimento per Classi", "Sprechstunden - Klassen", "Receipt of the Public - Classes"},
      {"Ricevimento del Pubblico", "Sprechstunden", "Receipt of the Public"},
      {"Tabella Consigli di Classe Esteso", "Tabelle der Klassen Lehrpersonal Erweitert ", "Table of Classes Staff Enhanced"}};
  const char* const* title = kTitles[extended ? 3 : variant];
  or_name_report(title, variant == 0 ? 0 : g_report.kind);
  std::FILE* f = or_open_report(line);
  std::string header;
  if (variant == 0)
    report_appendf(header, "%6.6s|%-20.20s|%-20.20s|%-16.16s|%-21.21s|", report_pick("Classe", "Klasse", "Class "),
                   report_pick("Docente", "Lehrer ", "Teacher"), report_pick("Materia", "Fach", "Subject"),
                   report_pick("Ore nella classe", "Stunden in der Klasse", "Hours in the Class"),
                   report_pick("Giorni di Servizio", "Dienst Tage", "Busy days"));
  else
    report_appendf(header, "%6.6s|%-20.20s|%-20.20s|%-20.20s|%-5.5s|%-5.5s|",
                   variant == 2 ? "" : report_pick("Classe", "Klasse", "Class "), report_pick("Docente", "Lehrer ", "Teacher"),
                   report_pick("Materia", "Fach", "Subject"),
                   report_pick("Giorno Ricevimento", "Sprechstunde", "Receipt of Public"), report_pick("Dalle", "Von", "From"),
                   report_pick("alle", "bis", "until"));
  std::string rule(header.size(), '-');
  std::string out;
  int page_rows = 0;
  auto write_block = [&](const std::vector<std::string>& rows) {
    if (rows.empty()) return;
    if (page_rows > 0 && page_rows + static_cast<int>(rows.size()) > 32) {
      out += '\f';
      page_rows = 0;
    }
    out += rule + "\n" + header + "\n" + rule + "\n";
    for (const std::string& row : rows) out += row + "\n" + rule + "\n";
    page_rows += static_cast<int>(rows.size());
  };
  if (variant == 2) {
    write_block(block_rows(2, false, ""));
  } else {
    for (int i = 0; i < g_report.class_records; ++i) {
      const ReportClassGrid& r = g_class_grid[i];
      if (std::strncmp(r.code, r.raw_code, 3) != 0) continue;
      std::string name = std::string(r.display_name).substr(0, 5);
      write_block(block_rows(variant, extended, name));
    }
  }
  std::fputs(out.c_str(), f);
  or_close_report(f, __LINE__);
  or_convert_report_to_rtf(g_report.path, 10, 0, 0);
  or_convert_report_to_html(g_report.path, 1);
}

}  // namespace

void or_write_class_staff_list(int variant) { write_list(variant, false, 4079); }

void or_write_class_staff_list_extended() {
  write_list(0, true, 4186);
}
