// The export files the report run writes first: the publishing export
// ("Export_<school code>"), the global grid of every teacher's week
// ("Global_Export"), the pipe-separated lesson list for the SISSI register
// ("Esportazione Sissi Axios") and the semicolon list for the Mastercom
// register ("Registro_Mastercom.csv").
//
// Invariants: other programs read these files, so their headers, separators
// and field orders never change; a teacher kind 4 (laboratory pseudo-teacher)
// has no line in the grid exports; only real classes and real teachers reach
// the register exports. Each file is opened through or_open_report, so a file
// that cannot be created ends the command with the file error and the hint.
// Shaped for one pass over the teacher records or the lessons per file.
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/text_lines.h"
#include "engine/week_grid_access.h"
#include "reports/report_lines.h"
#include "reports/report_run.h"
#include "reports/report_services.h"
#include "reports/report_text_format.h"

namespace {

bool all_blank(const char* text) {
  for (; *text; ++text)
    if (*text != ' ') return false;
  return true;
}

std::string publish_cell(const ReportTeacherGrid& r, int s) {
  const char* cell = r.cell[s];
  if (is_digit(r.class_code[s][0])) {
    std::string text = or_split_class_code(cell);
    int cr = r.common_room[s];
    if (cr >= 0 && cr < kMaxCommonRooms)
      text += std::string("/") + g_eng_common_rooms[cr].name;
    else if (or_is_alnum(static_cast<unsigned char>(r.lab_short[s][0])))
      text += std::string("/") + r.lab_name[s];
    return text;
  }
  if (cell[0] == ' ' && (cell[1] == 't' || cell[1] == '-')) return "";
  if (all_blank(cell)) return "";
  return or_split_class_code(cell);
}

std::string global_cell(const char* cell) {
  if (is_digit(cell[0])) return cell;
  if (cell[0] == ' ' && cell[1] == 't') return "";
  while (*cell == ' ') ++cell;
  std::string word;
  while (*cell && *cell != ' ') word += *cell++;
  return word;
}

// One line per teacher record (kind 4 left out): "name:" and the week's cells.
template <typename Cell>
void write_week_lines(std::FILE* f, Cell cell) {
  for (int i = 0; i < g_report.teacher_records; ++i) {
    const ReportTeacherGrid& r = g_teacher_grid[i];
    if (r.kind & kTeacherLabPseudo) continue;
    std::fprintf(f, "%s:", r.display_name);
    for (int d = 0; d < or_week_days(); ++d)
      for (int h = 0; h < g_report.hours_shown; ++h)
        std::fprintf(f, "%s%s", cell(r, d * kHoursPerDay + h).c_str(), h == g_report.hours_shown - 1 ? ",-" : ",");
    std::fputc('\n', f);
  }
}

int week_day_hours(int d) { return or_day_hours(d); }

// The lesson of each slot of a class, first in lesson order; -1 free.
std::vector<int> class_slots(int c) {
  std::vector<int> at(kWeekSlots, -1);
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (x.class_index != c || !or_lesson_placed(l) || x.day >= kDays || x.hour >= kHoursPerDay) continue;
    int& cell = at[x.day * kHoursPerDay + x.hour];
    if (cell < 0) cell = l;
  }
  return at;
}

int mastercom_teacher(int l, bool second) {
  if (second) {
    int t = or_report_second_teacher(l);
    if (t < 0 || !(g_eng_teachers[t].type_flags & kTeacherLabPseudo)) return t;
    int owner = g_eng_teachers[t].main_teacher;
    return owner >= 0 && owner < g_eng_school.teacher_count ? owner : t;
  }
  int t = g_eng_lessons[l].teacher;
  if (t >= 0 && (g_eng_teachers[t].type_flags & kTeacherFca) && g_report.proxy[t] >= 0) t = g_report.proxy[t];
  return t;
}

// The subject a register line books for a lesson of class c (that of the
// class it is merged into when it is merged).
int mastercom_subject(int l, int c) {
  int merged = g_eng_classes[c].parent;
  bool is_merged = merged >= 0 && merged < kMaxClasses;
  return is_merged ? g_eng_lessons[l].first_subject : g_eng_lessons[l].subject;
}

// The teacher a lesson books in this pass, -1 when the lesson books nobody:
// a lesson of a calendar pseudo-teacher, a lesson without second teacher in
// the second pass, and a second teacher who stands for the lesson teacher
// itself (a laboratory pseudo-teacher of the same person), whose hour the
// first pass has already booked.
int booked_teacher(int l, bool second) {
  if (or_report_pseudo_teacher(g_eng_lessons[l].teacher)) return -1;
  int t = mastercom_teacher(l, second);
  if (!second) return t;
  if (or_report_second_teacher(l) < 0 || t == mastercom_teacher(l, false)) return -1;
  return t;
}

// Writes the register lines of one class: one line per run of consecutive
// hours of one day with the same teacher and the same subject, so that a
// line never books an hour under another subject's name and no hour is
// booked twice for one teacher.
void write_mastercom_class(std::FILE* f, int c, bool second) {
  std::vector<int> at = class_slots(c);
  int merged = g_eng_classes[c].parent;
  const char* name = or_report_class_name(merged >= 0 && merged < kMaxClasses ? merged : c);
  for (int d = 0; d < or_week_days(); ++d) {
    int hours = week_day_hours(d);
    for (int h = 0; h < hours;) {
      int l = at[d * kHoursPerDay + h];
      int t = l < 0 ? -1 : booked_teacher(l, second);
      if (t < 0) {
        ++h;
        continue;
      }
      int subject = mastercom_subject(l, c);
      int length = 1;
      while (h + length < hours) {
        int next = at[d * kHoursPerDay + h + length];
        if (next < 0 || booked_teacher(next, second) != t || mastercom_subject(next, c) != subject) break;
        ++length;
      }
      std::fprintf(f, "%s;%s;%s;%d;%d;%d\n", name, or_report_subject_name(subject), g_eng_teachers[t].name, d, h,
                   length);
      h += length;
    }
  }
}

}  // namespace

void or_write_publish_export() {
  static const char* const kUnassigned[3] = {"(non assegnato)", "(nicht belegt)", "(not assigned)"};
  g_publish_export_path[0] = 0;
  if (!g_publish_school_code[0]) return;
  std::string name = std::string("Export_") + g_publish_school_code;
  if (!or_report_path(g_report.path, name.c_str(), nullptr, '0')) return;
  std::FILE* f = or_open_report(2051);
  std::string heading = kt::report_services().institution_heading();
  std::fprintf(f, "#SCHOOL:%s:%s\n", g_publish_school_code, heading.empty() ? or_pick_text(kUnassigned) : heading.c_str());
  std::fprintf(f, "#CALE:%d:%d\n", or_week_days(), g_report.hours_shown);
  std::fprintf(f, "#MEMO:%s\n", g_publish_memo[0] ? g_publish_memo : " ");
  if (g_publish_delete)
    std::fputs("#DELETE:\n", f);
  else
    write_week_lines(f, publish_cell);
  std::fputc('\n', f);
  or_close_report(f, __LINE__);
  std::snprintf(g_publish_export_path, sizeof g_publish_export_path, "%s", g_report.path);
}

void or_write_global_export() {
  static const char* const kTeacher[3] = {"Docente", "Lehrer ", "Teacher"};
  int hours = g_report.hours_shown;
  int w = hours * 4 - 1;
  if (!or_report_path(g_report.path, "Global_Export", nullptr, g_report.kind)) return;
  std::FILE* f = or_open_report(2120);
  std::fprintf(f, "%c%d%-12.12s%s", '*', hours - 1, or_pick_text(kTeacher), ",-");
  for (int d = 0; d < or_week_days(); ++d) {
    std::string label = report_day_label(g_eng_school.day_names[d], w);
    int pad = w - static_cast<int>(label.size());
    if (pad < 0) pad = 0;
    std::fprintf(f, "%*s%s%*s%s", pad / 2, "", label.c_str(), pad - pad / 2, "", ",-");
  }
  std::fputc('\n', f);
  write_week_lines(f, [](const ReportTeacherGrid& r, int s) { return global_cell(r.cell[s]); });
  or_close_report(f, __LINE__);
}

void or_write_register_pipe_export() {
  const char* school = g_eng_school.school_code;  // "SISSI:IDS:" of the description
  if (!school[0]) return;
  if (!or_report_path(g_report.path, "Esportazione Sissi Axios", nullptr, 0)) return;
  std::FILE* f = or_open_report(2160);
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    int c = g_report.report_class[l];
    if (x.teacher < 0 || or_report_pseudo_teacher(x.teacher) || c < 0 || c >= g_eng_school.real_class_count) continue;
    const char* klass = g_eng_classes[c].sissi_id[0] ? g_eng_classes[c].sissi_id : or_class_code(c);
    int s = x.first_subject;
    const char* subject = s >= 0 && s < kMaxSubjects && g_eng_subjects[s].sissi_id[0] ? g_eng_subjects[s].sissi_id
                                                                                         : or_report_subject_name(s);
    int day = or_lesson_placed(l) ? x.day + 1 : 0, hour = or_lesson_placed(l) ? x.hour + 1 : 0;
    auto line = [&](int t) {
      const char* who = g_eng_teachers[t].sissi_id[0] ? g_eng_teachers[t].sissi_id : g_eng_teachers[t].name;
      std::fprintf(f, "%s|%s|%s|%s|%1d|%1d|\n", school, who, klass, subject, day, hour);
    };
    line(x.teacher);
    int second = or_report_second_teacher(l);
    if (second >= 0 && !(g_eng_teachers[second].type_flags & kTeacherLabPseudo)) line(second);
  }
  or_close_report(f, __LINE__);
}

void or_write_mastercom_export() {
  int mode = g_eng_run.run_mode;
  if (mode == 13 || mode == 14) return;
  if (!or_report_path(g_report.path, "Registro_Mastercom.csv", nullptr, 0)) return;
  std::FILE* f = or_open_report(2210);
  std::fputs("classe;materia;professore;giorno;ora_inizio;durata\n", f);
  for (int pass = 0; pass < 2; ++pass)
    for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c) write_mastercom_class(f, c, pass == 1);
  or_close_report(f, __LINE__);
}
