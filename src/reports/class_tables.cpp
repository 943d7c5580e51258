// The class tables ("Tabella Classi", "Tabella Classi Materie"): the class
// grid turned sideways, a few classes side by side as columns and the hours
// of the week running down the page, day after day, with the day's name
// spelled down the first column. Variant 0 shows the lesson text of each
// hour; variant 1 shows subject and teacher side by side.
//
// Invariants: a block holds 5 classes (variant 0) or 3 (variant 1) and every
// block after the first starts a new page; each day shows its own number of
// hours, never more than the grid's hour rows. Shaped for a few hundred
// classes: the widths are measured in one pass, then each block is written.
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

int longest(int plane) {
  int n = 0;
  for (int i = 0; i < g_report.class_records; ++i)
    for (int d = 0; d < or_week_days(); ++d)
      for (int h = 0; h < day_rows(d); ++h)
        n = std::max(n, static_cast<int>(std::strlen(g_class_grid[i].planes[plane][d][h])));
  return n;
}

}  // namespace

void or_write_class_table(int variant) {
  const char* const kNames[2][3] = {
      {"Tabella Classi", "Tabelle der Klassen", "Table of Classes"},
      {"Tabella Classi Materie", "Tabelle der Klassen-F\xe4" "cher", "Table of Classes-Subjects"}};
  or_name_report(kNames[variant ? 1 : 0], g_report.kind);
  int w1 = longest(1), w2 = longest(2);
  int width = variant ? w1 + w2 + 1 : 20;
  int block = variant ? 3 : 5;
  std::FILE* f = or_open_report(2139);
  std::string dashes(static_cast<size_t>(w1 + w2 + 1), '-');
  for (int first = 0; first < g_report.class_records; first += block) {
    int last = std::min(first + block, g_report.class_records);
    std::string header;
    report_appendf(header, " |%s|", report_pick("Ora", "St.", "Hr."));
    for (int i = first; i < last; ++i) {
      const ReportClassGrid& r = g_class_grid[i];
      const char* label = r.code[0] == 'd' ? report_pick("Dispos ", "Verf\xfcg ", "Dispos ") : r.display_name;
      header += or_center_text(width, label);
      header += '|';
    }
    std::string rule(header.size(), '-');
    rule += '\n';
    std::string out;
    if (first > 0) out += '\f';
    out += rule + header + "\n" + rule;
    for (int d = 0; d < or_week_days(); ++d) {
      ReportNameColumn name(g_eng_school.day_names[d]);
      int rows = day_rows(d);
      for (int h = 0; h < rows; ++h) {
        report_appendf(out, "%c|%2d |", name.next(), h + 1);
        for (int i = first; i < last; ++i) {
          const ReportClassGrid& r = g_class_grid[i];
          if (variant)
            report_appendf(out, "%-*.*s %-*.*s|", w1, w1, r.planes[1][d][h], w2, w2, r.planes[2][d][h]);
          else
            report_appendf(out, "%-*.*s|", 20, 20, r.planes[2][d][h]);
        }
        out += '\n';
        if (h + 1 < rows) {
          report_appendf(out, "%c|----", name.next());
          for (int i = first; i < last; ++i) report_appendf(out, "%-*.*s-", width, width, dashes.c_str());
          out += '\n';
        }
      }
      out += rule;
      if (d + 1 < or_week_days()) out += rule;
    }
    std::fputs(out.c_str(), f);
  }
  or_close_report(f, __LINE__);
  or_convert_report_to_rtf_text(g_report.path, variant ? 6 : 7, 0, 0);
  or_convert_report_to_html(g_report.path, 2);
}
