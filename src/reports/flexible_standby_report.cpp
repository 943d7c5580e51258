// The flexible stand-by hours report ("Ore a Disposizione Flessibili"): one
// week table, days across and hours down, each cell naming the teachers who
// are available for substitutions in that slot. Without any such slot no
// file is written.
//
// Invariants: a teacher contributes at most its 14 slots, in order, up to
// the first day value of 255; each slot entry is printed once; further rows
// of one hour carry no time. Shaped for 500 teachers x 14 slots.
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

struct StandbySlot {
  int day, hour, teacher;
  bool used;
};

std::vector<StandbySlot> collect() {
  std::vector<StandbySlot> slots;
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t)
    for (int i = 0; i < 14; ++i) {
      int day = g_eng_teachers[t].reset_pairs[i][0];
      if (day == 255) break;
      slots.push_back({day, g_eng_teachers[t].reset_pairs[i][1], t, false});
    }
  return slots;
}

// The hour's time as the first class shows it; the school's time when that
// class has no lesson at that hour on any day.
int hour_start(int h) {
  int start = g_report.class_records > 0 ? g_class_grid[0].start[0][h] : -1;
  return start >= 0 ? start : g_report.start[0][h];
}

}  // namespace

void or_write_flexible_standby_report() {
  std::vector<StandbySlot> slots = collect();
  if (slots.empty()) return;
  const char* const kTitle[3] = {"Ore a Disposizione Flessibili", "Zeit zur Verf\xfcgung (Flexible)",
                                 "Time for Substitutions (Flexible)"};
  or_name_report(kTitle, g_report.kind);
  std::FILE* f = or_open_report(1434);
  std::string header;
  report_appendf(header, "%c0%6.6s|", '*', "");
  std::vector<size_t> column(kDays, 0);
  for (int d = 0; d < or_week_days(); ++d) {
    column[d] = header.size();
    report_append_centred(header, g_eng_school.day_names[d], 20);
  }
  size_t width = header.size();
  std::string out(width, '-');
  std::string title;
  report_appendf(title, "%c%d%6s|%s", '*', or_week_days() + 1, "", or_pick_text(kTitle));
  if (title.size() < width) title.append(width - title.size(), ' ');
  title.back() = '|';
  out += "\n" + title + "\n" + header + "\n" + std::string(width, '=') + "\n";
  for (int h = 0; h < g_report.hours_shown; ++h) {
    std::string row = header;
    char time[8];
    std::snprintf(time, sizeof time, "%-5.5s", or_format_minutes(hour_start(h)));
    row.replace(0, 5, time);
    for (;;) {
      bool any = false;
      for (int d = 0; d < or_week_days(); ++d) {
        row.replace(column[d], 20, std::string(20, ' '));
        for (StandbySlot& s : slots) {
          if (s.used || s.day != d || s.hour != h) continue;
          s.used = true;
          any = true;
          char name[kNameSize];
          std::snprintf(name, sizeof name, "%-20.20s", g_eng_teachers[s.teacher].name);
          row.replace(column[d], 20, name);
          break;
        }
      }
      if (!any) break;
      out += row + "\n";
      row.replace(0, 5, "     ");
    }
    out += std::string(width, '=') + "\n";
  }
  std::fputs(out.c_str(), f);
  or_close_report(f, __LINE__);
  or_convert_report_to_rtf(g_report.path, 10, 1, 0);
  or_convert_report_to_html(g_report.path, 1);
}
