// The class wall charts ("Tabellone Classi Docenti", "Tabellone Classi
// Materie"): classes across, every hour of the week down, one compact cell
// per class and hour. Written twice: in blocks of 15 classes for printing
// (its RTF form), then with all classes side by side for spreadsheets (its
// CSV form, which replaces the text file).
//
// Invariants: the columns are the grid's classes in grid order (stand-by
// records come last in the grid and are not counted); a text longer than the
// column is cut to it; each day shows its own hours, at most the grid's.
// Shaped for up to 300 columns: one line may hold several thousand bytes.
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

struct Wall {
  int variant = 0;
  int w1 = 0, w2 = 0, width = 0, columns = 0;
  std::string dashes;
};

Wall measure(int variant) {
  Wall w;
  w.variant = variant;
  for (int i = 0; i < g_report.class_records; ++i) {
    const ReportClassGrid& r = g_class_grid[i];
    if (r.code[0] == 'd') continue;
    ++w.columns;
    for (int d = 0; d < or_week_days(); ++d)
      for (int h = 0; h < day_rows(d); ++h) {
        w.w1 = std::max(w.w1, static_cast<int>(std::strlen(r.planes[1][d][h])));
        w.w2 = std::max(w.w2, static_cast<int>(std::strlen(r.planes[2][d][h])));
      }
  }
  w.width = variant ? w.w1 : w.w2;
  w.dashes.assign(static_cast<size_t>(w.w1 + w.w2 + 1), '-');
  return w;
}

void write_block(std::string& out, const Wall& w, int first, int last) {
  std::string header;
  report_appendf(header, "  |%s|", report_pick("Ora", "St.", "Hr."));
  for (int i = first; i < last; ++i) {
    const ReportClassGrid& r = g_class_grid[i];
    header += or_center_text(w.width, r.code[0] == 'd' ? report_pick("Dispos ", "Verf\xfcg ", "Dispos ") : r.display_name);
    header += '|';
  }
  std::string rule(header.size(), '-');
  if (first > 0) out += '\f';
  out += rule + "\n" + header + "\n" + rule + "\n";
  for (int d = 0; d < or_week_days(); ++d) {
    int rows = day_rows(d);
    const char* day = g_eng_school.day_names[d];
    for (int h = 0; h < rows; ++h) {
      char lead[3] = "  ";
      if (h == 0 && or_is_alnum(static_cast<unsigned char>(day[0]))) {
        lead[0] = day[0];
        lead[1] = day[1] ? day[1] : ' ';
      }
      report_appendf(out, "%2.2s|%3d|", lead, h + 1);
      int plane = w.variant ? 1 : 2;
      bool co = false;
      for (int i = first; i < last; ++i) {
        report_appendf(out, "%-*.*s|", w.width, w.width, g_class_grid[i].planes[plane][d][h]);
        co = co || g_class_grid[i].planes[3][d][h][0];
      }
      out += '\n';
      if (!w.variant && co) {
        out.append(header.size(), '.');
        report_appendf(out, "\n%2.2s|%3.3s|", "", "");
        for (int i = first; i < last; ++i) report_appendf(out, "%-*.*s|", w.width, w.width, g_class_grid[i].planes[3][d][h]);
        out += '\n';
      }
      if (h + 1 < rows) {
        out += "--|----";
        for (int i = first; i < last; ++i) report_appendf(out, "%-*.*s-", w.width, w.width, w.dashes.c_str());
        out += '\n';
      } else {
        out += rule + "\n";
      }
    }
    if (d + 1 < or_week_days()) out += rule + "\n";
  }
}

}  // namespace

void or_write_class_wall_chart(int variant) {
  const char* const kTitles[2][3] = {
      {"Tabellone Classi Docenti", "Grosse Tabelle der Klassen-Lehrer", "Big Table of Classes-Teachers"},
      {"Tabellone Classi Materie", "Grosse Tabelle der Klassen-F\xe4" "cher", "Big Table of Classes-Subjects"}};
  for (int pass = 0; pass < 2; ++pass) {
    or_name_report(kTitles[variant ? 1 : 0], g_report.kind);
    Wall w = measure(variant);
    std::FILE* f = or_open_report(2274);
    int block = pass == 0 ? std::min(15, w.columns) : w.columns;
    std::string out;
    for (int first = 0; block > 0 && first < w.columns; first += block)
      write_block(out, w, first, std::min(first + block, w.columns));
    std::fputs(out.c_str(), f);
    or_close_report(f, __LINE__);
    if (pass == 0)
      or_convert_report_to_rtf(g_report.path, 8, 1, 0);
    else
      or_convert_report_to_csv(g_report.path);
  }
}
