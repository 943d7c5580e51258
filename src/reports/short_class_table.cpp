// The short class table ("Tabella Classi Breve"): many classes side by side
// on one landscape page, one narrow column per class with the short code of
// the subject of each hour, and a legend that spells out every code. Classes
// of one course stay on one page and a '#' rule closes each course.
//
// Invariants: a page holds at most 40 classes and at least 5 (or the classes
// left); a page never ends inside a course unless one course alone fills it;
// each subject code is listed once in the legend. Written from the class
// grid filled for kind 9 and the subject codes built just before.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/text_lines.h"
#include "reports/conversions.h"
#include "reports/report_lines.h"
#include "reports/report_run.h"
#include "reports/report_text_format.h"

namespace {

bool same_course(int a, int b) {
  const char* x = g_class_grid[a].code;
  const char* y = g_class_grid[b].code;
  return x[1] == y[1] && (x[1] == 0 || x[2] == y[2]);
}

int group_size(int s, int n, int total) {
  if (s + n > total) return total - s;
  if (s + n < total)
    while (n > 0 && same_course(s + n - 1, s + n)) --n;
  if (n < 5) n = 5;
  return std::min(n, total - s);
}

std::string legend(int width, int m) {
  int k = 6;
  while (k * (m + 22) > width && k > 1) --k;
  int r = k * (m + 22);
  std::string out(static_cast<size_t>(r), '-');
  out += '\n';
  int entries = 0;
  int n = std::min(g_eng_school.subject_count, kMaxSubjects);
  int steps = 0;
  for (int s = or_next_subject_short_name(1, n); s >= 0 && steps < n; s = or_next_subject_short_name(0, n), ++steps) {
    if (!g_subject_code_used[s] || g_subject_code_link[s] != 0xFFFF) continue;
    report_appendf(out, "%*.*s=%-*.*s%s", m, m, g_subject_short_names[s], 20, 20, or_report_subject_name(s), "|");
    if (++entries % k == 0) out += '\n';
  }
  if (entries % k != 0) {
    while (entries++ % k != 0) report_appendf(out, "%*.*s %-*.*s%s", m, m, "", 20, 20, "", "|");
    out += '\n';
  }
  out.append(static_cast<size_t>(r), '-');
  out += '\n';
  return out;
}

}  // namespace

void or_write_short_class_table(int building) {
  const char* format = report_pick("Tabella Classi Breve%s%s", "Tafel Klassen Kurz%s%s", "Table Classes Short%s%s");
  bool one = building >= 0 && building < kMaxBuildings;
  char title[200];
  std::snprintf(title, sizeof title, format, one ? " " : "", one ? g_eng_buildings[building].name : "");
  if (!or_report_path(g_report.path, title, nullptr, '0')) g_report.path[0] = 0;
  std::FILE* f = or_open_report(4781);
  int total = g_report.class_records;
  int m = g_subject_code_longest;
  int l = m;
  for (int i = 0; i < total; ++i) l = std::max(l, static_cast<int>(std::strlen(g_class_grid[i].display_name)));
  std::string out;
  int width = 0;
  std::vector<char> separator(kReportClasses, '|');
  for (int s = 0; s < total;) {
    int n = group_size(s, std::min(40, total), total);
    for (int i = s; i < s + n; ++i)
      separator[i] = i + 1 == s + n || !same_course(i, i + 1) ? '#' : '|';
    std::string header;
    report_appendf(header, " |%s#", report_pick("Ora", "St.", "Hr."));
    for (int i = s; i < s + n; ++i) report_appendf(header, "%-*.*s%c", l, l, g_class_grid[i].display_name, separator[i]);
    header += " |";
    width = static_cast<int>(header.size());
    if (s > 0) out += '\f';
    out += std::string(header.size(), '-') + "\n" + header + "\n" + std::string(header.size(), '=') + "\n";
    for (int d = 0; d < or_week_days(); ++d) {
      ReportNameColumn name(g_eng_school.day_names[d]);
      int rows = std::min(or_day_hours(d), g_report.hours_shown);
      for (int h = 0; h < rows; ++h) {
        char letter = name.next();
        report_appendf(out, "%c|%2d #", letter, h + 1);
        for (int i = s; i < s + n; ++i) report_appendf(out, "%-*.*s%c", l, l, g_class_grid[i].planes[2][d][h], separator[i]);
        report_appendf(out, "%c|\n", letter);
      }
      char letter = name.next();
      report_appendf(out, "%c|%3.3s#", letter, "");
      for (int i = s; i < s + n; ++i) report_appendf(out, "%-*.*s%c", l, l, "", separator[i]);
      report_appendf(out, "%c|\n", letter);
      out += std::string(header.size(), '=') + "\n";
    }
    out += header + "\n" + std::string(header.size(), '-') + "\n";
    s += n;
  }
  out += legend(width, m);
  std::fputs(out.c_str(), f);
  or_close_report(f, __LINE__);
  or_convert_report_to_rtf(g_report.path, 8, 1, 1);
  or_convert_report_to_html(g_report.path, 1);
}
