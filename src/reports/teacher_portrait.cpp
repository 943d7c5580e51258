// The teacher timetables in portrait form: one block per teacher, one row
// per day, the hours across ("Professori Verticale"), and the same with, under
// each day, rows naming the teachers who share the teacher's class at the
// same hour ("Professori Verticale Compresenze").
//
// Invariants: every row of a block is as wide as the header (a break column
// stands at the same place in the header and in every row); four teacher
// blocks to a page; a laboratory pseudo-teacher (kind bit 4) never appears
// in the co-teacher report nor counts as a co-teacher; without any shared
// cell the co-teacher report is not written at all. Shaped for 500 teachers:
// the co-teacher search compares each cell with the other teachers' cells
// (500 x 500 x 84 comparisons at most, once per run).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/text_lines.h"
#include "reports/conversions.h"
#include "reports/report_lines.h"
#include "reports/report_run.h"
#include "reports/report_text_format.h"

namespace {

// Width of the time stamp: shown only when the school asks for lesson times.
int stamp_width() { return or_report_times_option() ? 7 : 0; }

const char* break_sign(const ReportTeacherGrid& r, int d, int h) {
  int s = d * kHoursPerDay + h;
  auto busy = [](const char* cell) { return static_cast<unsigned char>(cell[0]) > ' '; };
  return busy(r.cell[s - 1]) || busy(r.cell[s]) ? report_pick("I", "P", "P") : "";
}

// Header; `column` is the width of a break column and of an hour's time text.
std::string header(int column) {
  std::string h;
  report_appendf(h, "%c0%-18.18s|%-6.6s|", '@', report_pick("DOCENTE", "LEHRER ", "Teacher"),
                 report_pick("Giorno", "TAG   ", "DAY   "));
  int w = stamp_width();
  for (int hour = 0; hour < g_report.hours_shown; ++hour) {
    if (break_before(hour)) report_appendf(h, "%-*.*s|", column, column, or_format_minutes(g_report.end[0][hour - 1]));
    report_appendf(h, "%-*.*s%-*.*s|", column, column, or_format_minutes(g_report.start[0][hour]), w, w, "");
  }
  return h;
}

struct Block {
  std::FILE* f;
  const ReportTeacherGrid& r;
  std::string rule;
  int label_row = 0;
  void label() {
    or_write_teacher_label_column(f, label_row++, r.display_name, r.main_subject, r.kind, or_language());
  }
};

// The hour cells of a block's row for day d, `width` wide: a break sign
// before each break, then each hour's text(h) and time stamp; ends the row.
template <class Text>
void hour_cells(const Block& b, int d, int width, Text text) {
  int w = stamp_width();
  for (int h = 0; h < g_report.hours_shown; ++h) {
    int s = d * kHoursPerDay + h;
    if (break_before(h)) std::fprintf(b.f, "%*.*s|", width, width, break_sign(b.r, d, h));
    std::fprintf(b.f, "%-*.*s%-*.*s|", width, width, text(h), w, w, stamp(b.r, s));
  }
  std::fputc('\n', b.f);
}

void end_block(std::FILE* f, const std::string& rule, int index) {
  std::fputs(rule.c_str(), f);
  std::fputc((index + 1) % 4 == 0 ? '\f' : '\n', f);
}

void convert(const char* path) {
  or_convert_report_to_rtf(path, 16, 0, 0);
  or_convert_report_to_html(path, 0);
}

bool shares_cell(int r, int k, int s) {
  const char* a = g_teacher_grid[r].cell[s];
  const char* b = g_teacher_grid[k].cell[s];
  return k != r && !lab_pseudo(g_teacher_grid[k]) && b[0] != ' ' && b[0] && std::strcmp(a, b) == 0;
}

// Widest co-teacher name, 0 when no teacher shares a cell with another.
int co_teacher_width() {
  int width = 0;
  bool any = false;
  for (int r = 0; r < g_report.teacher_records; ++r) {
    if (lab_pseudo(g_teacher_grid[r])) continue;
    for (int d = 0; d < or_week_days(); ++d)
      for (int h = 0; h < g_report.hours_shown; ++h)
        for (int k = 0; k < g_report.teacher_records; ++k)
          if (shares_cell(r, k, d * kHoursPerDay + h)) {
            any = true;
            width = std::max(width, static_cast<int>(std::strlen(g_teacher_grid[k].name)));
            break;
          }
  }
  return any ? std::max(width, 1) : 0;
}

void twin_rows(Block& b, int r, int d, int width) {
  const int hours = g_report.hours_shown;
  std::string t[kHoursPerDay], s1[kHoursPerDay], s2[kHoursPerDay];
  bool co = false, first = false, second = false;
  for (int h = 0; h < hours; ++h) {
    int s = d * kHoursPerDay + h;
    for (int k = 0; k < g_report.teacher_records && !(co && first && second); ++k) {
      if (!shares_cell(r, k, s)) continue;
      const ReportTeacherGrid& other = g_teacher_grid[k];
      if (other.lesson_subject[s] != -1) {
        t[h] = other.name, co = true;
      } else if (s1[h].empty()) {
        s1[h] = other.name, first = true;
      } else {
        s2[h] = other.name, second = true;
      }
    }
  }
  auto row = [&](const char* label, const std::string* names) {
    b.label();
    std::fprintf(b.f, "|%6.3s|", label);
    hour_cells(b, d, width, [&](int h) { return names[h].c_str(); });
  };
  const char* support = report_pick("Sostegno", "Behindertenhilfe", "Handicap Help");
  if (co) row(report_pick("Compresenza", "Mitanwesenheit", "Twin Teacher"), t);
  if (first) row(support, s1);
  if (second) row(support, s2);
}

// Both reports: a block per teacher (laboratory pseudo-teachers left out of
// the co-teacher report), a row per day, co-teacher rows under each day.
void write_blocks(int width, bool twins, int open_code) {
  std::string head = header(width);
  std::string rule(head.size(), '-');
  rule += '\n';
  head += '\n';
  std::FILE* f = or_open_report(open_code);
  for (int i = 0; i < g_report.teacher_records; ++i) {
    const ReportTeacherGrid& r = g_teacher_grid[i];
    if (twins && lab_pseudo(r)) continue;
    Block b{f, r, rule};
    std::fputs((rule + head).c_str(), f);
    for (int d = 0; d < or_week_days(); ++d) {
      std::fputs(rule.c_str(), f);
      b.label();
      std::fprintf(f, "|%-6.3s|", g_eng_school.day_abbrevs[d]);
      hour_cells(b, d, width, [&](int h) { return r.cell[d * kHoursPerDay + h]; });
      if (twins) twin_rows(b, i, d, width);
    }
    end_block(f, rule, i);
  }
  or_close_report(f, __LINE__);
  convert(g_report.path);
}

}  // namespace

void or_write_teacher_portrait() {
  const char* const kTitle[3] = {"Professori Verticale", "Lehrer Senkrecht", "Teachers Portrait"};
  or_name_report(kTitle, g_report.kind);
  write_blocks(5, false, 3563);
}

void or_write_teacher_portrait_twins() {
  int width = co_teacher_width();
  if (width == 0) return;
  const char* const kTitle[3] = {"Professori Verticale Compresenze", "Lehrer Senkrecht Mitanwesenheit",
                                 "Teachers Portrait with Twin Teachers"};
  or_name_report(kTitle, g_report.kind);
  write_blocks(width, true, 3651);
}
