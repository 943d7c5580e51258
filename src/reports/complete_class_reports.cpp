// The complete class reports ("Classi Completo", "Classi con Compresenze"):
// one week table per class in which an hour takes several labelled rows: the
// lesson (subject, then teacher), the co-teacher, the laboratory or the room
// the room allocation gave, and the support teachers. Written from the class
// grid filled for the complete view (kind 8).
//
// Invariants: stand-by records are never written; every row is as wide as
// the column header; a room list that does not fit beside the title goes on
// further lines that repeat the title, and a room name is never cut in two.
// After a room allocation the "Classi Completo" file is also copied as the
// classroom-allocation report. Shaped like the weekly grids: a table is
// built in a string and written whole, 44 lines to a page.
#include <cstdio>
#include <set>
#include <string>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "reports/conversions.h"
#include "reports/report_lines.h"
#include "reports/report_run.h"
#include "reports/report_text_format.h"

namespace {

struct CompleteLayout {
  int variant = 0;
  bool times_differ = false;
  std::string header;
  int width = 0;
};

void upper_1252(std::string& text) {
  for (char& c : text) c = static_cast<char>(or_fold_upper_char(static_cast<unsigned char>(c)));
}

void lower_ascii(std::string& text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
}

void rule(std::string& out, const CompleteLayout& g, char stroke) {
  out.append(static_cast<size_t>(g.width), stroke);
  out += '\n';
}

void time_column(std::string& out, const CompleteLayout& g, int d, const char* text) {
  if (g.times_differ && d >= 1) report_appendf(out, "%-5.5s|", text);
}

std::string title_text(const ReportClassGrid& r) {
  std::string title;
  report_appendf(title, "%c%d   |%s %.5s ", '!', or_week_days(), report_pick("Classe", "Klasse", "Class "),
                 r.display_name);
  if (or_report_several_buildings() && r.building >= 0 && r.building < kMaxBuildings)
    report_appendf(title, " (%s: %s)", report_pick("Plesso", "Geb\xe4ude", "Building"), g_eng_buildings[r.building].name);
  upper_1252(title);
  return title;
}

// The rooms of the record, sorted and without repeats, as " a-b-c" in lower case.
std::string room_list(const ReportClassGrid& r) {
  std::set<std::string> rooms;
  for (int h = 0; h < g_report.hours_shown; ++h)
    for (int d = 0; d < or_week_days(); ++d)
      if (r.planes[6][d][h][0]) rooms.insert(r.planes[6][d][h]);
  std::string list;
  for (const std::string& room : rooms) list += (list.empty() ? " " : "-") + room;
  lower_ascii(list);
  return list;
}

void title_lines(std::string& out, const CompleteLayout& g, const ReportClassGrid& r) {
  std::string title = title_text(r);
  if (!g_room_report_flag) {
    report_appendf(out, "%-*.*s|\n", g.width - 1, g.width - 1, title.c_str());
    return;
  }
  std::string list = room_list(r);
  int room = g.width - 1 - static_cast<int>(title.size());
  if (room < 1) room = 1;
  do {
    size_t take = list.size();
    if (static_cast<int>(take) > room) {
      size_t cut = list.find_last_of(" -", static_cast<size_t>(room));
      // A single name longer than the space goes whole on its own line.
      if (cut == std::string::npos || cut == 0) cut = list.find_first_of(" -", 1);
      take = cut == std::string::npos ? list.size() : cut;
    }
    std::string piece = list.substr(0, take);
    list.erase(0, take);
    if (!list.empty()) list[0] = ' ';
    int list_width = static_cast<int>(piece.size()) > room ? static_cast<int>(piece.size()) : room;
    report_appendf(out, "%s%-*.*s|\n", title.c_str(), list_width, list_width, piece.c_str());
  } while (!list.empty());
}

void label_row(std::string& out, const CompleteLayout& g, const ReportClassGrid& r, int h, const char* label, int plane,
               bool mark_unassigned) {
  report_appendf(out, "%6.6s", label);
  for (int d = 0; d < or_week_days(); ++d) {
    time_column(out, g, d, "");
    const char* text = r.planes[plane][d][h];
    if (mark_unassigned && !text[0] && !report_blank(r.planes[2][d][h]))
      text = report_pick("(non assegnato)", "(nicht belegt)", "(not assigned)");
    report_appendf(out, "%-20.20s|", text);
  }
  out += '\n';
}

void hour_rows(std::string& out, const CompleteLayout& g, const ReportClassGrid& r, int h) {
  bool co = false, lab = false, support1 = false, support2 = false;
  for (int d = 0; d < or_week_days(); ++d) {
    co = co || r.planes[3][d][h][0];
    lab = lab || ((g.variant & 1) && r.planes[6][d][h][0]);
    support1 = support1 || r.planes[4][d][h][0];
    support2 = support2 || r.planes[5][d][h][0];
  }
  char stroke = g.variant == 3 ? '=' : '-';
  if (!g_provisional_mode && h >= 2 && r.start[0][h] > r.end[0][h - 1]) {
    rule(out, g, stroke);
    report_appendf(out, "%-5.5s|", or_format_minutes(r.end[0][h - 1]));
    for (int d = 0; d < or_week_days(); ++d) {
      time_column(out, g, d, or_format_minutes(r.end[d][h - 1]));
      bool pause = !report_blank(r.planes[2][d][h - 1]) && !report_blank(r.planes[2][d][h]);
      report_appendf(out, "%-20.20s|", pause ? report_pick("intervallo", "Pause", "pause") : "");
    }
    out += '\n';
  }
  rule(out, g, stroke);
  report_appendf(out, "%-5.5s|", or_format_minutes(r.start[0][h]));
  if (g.variant & 2) {
    for (int d = 0; d < or_week_days(); ++d) {
      time_column(out, g, d, or_format_minutes(r.start[d][h]));
      report_appendf(out, "%-20.20s|", r.planes[1][d][h]);
    }
    report_appendf(out, "\n%6.6s", "|");
    for (int d = 0; d < or_week_days(); ++d) {
      if (g.times_differ && d >= 1) report_appendf(out, "%5.5s|", "");
      report_appendf(out, "%-20.20s|", r.planes[2][d][h]);
    }
  } else {
    for (int d = 0; d < or_week_days(); ++d) {
      time_column(out, g, d, or_format_minutes(r.start[d][h]));
      report_appendf(out, "%-20.20s|", r.planes[2][d][h]);
    }
  }
  out += '\n';
  if (co) label_row(out, g, r, h, report_pick("Compr|", "Mitan|", "TwinT|"), 3, false);
  if (lab) label_row(out, g, r, h, "Labor|", 6, g_room_report_flag != 0);
  const char* support = report_pick("Sost.|", "Vert.|", "Subs.|");
  if (support1) label_row(out, g, r, h, support, 4, false);
  if (support2) label_row(out, g, r, h, support, 5, false);
}

void end_time_row(std::string& out, const CompleteLayout& g, const ReportClassGrid& r) {
  int last = g_report.hours_shown - 1;
  if (!g.times_differ || last < 0) return;
  bool any = false;
  for (int d = 0; d < or_week_days() && !any; ++d) any = !report_blank(r.planes[2][d][last]);
  if (!any) return;
  report_appendf(out, "%-5.5s|", or_format_minutes(r.end[0][last]));
  for (int d = 0; d < or_week_days(); ++d) {
    time_column(out, g, d, or_format_minutes(r.end[d][last]));
    report_appendf(out, "%20s|", "");
  }
  out += '\n';
}

std::string table(const CompleteLayout& g, const ReportClassGrid& r) {
  std::string out;
  rule(out, g, '-');
  title_lines(out, g, r);
  rule(out, g, '-');
  out += g.header;
  for (int h = 0; h < g_report.hours_shown; ++h) hour_rows(out, g, r, h);
  end_time_row(out, g, r);
  rule(out, g, '-');
  return out;
}

void convert(const char* path) {
  or_convert_report_to_rtf(path, 8, 1, 0);
  or_convert_report_to_html(path, 0);
}

}  // namespace

void or_write_complete_class_report(int variant) {
  CompleteLayout g;
  g.variant = variant;
  g.times_differ = g_eng_school.nonstandard_timing_days != 0;
  report_appendf(g.header, "%c0%s|", '*', report_pick("Ora", "St.", "Hr."));
  for (int d = 0; d < or_week_days(); ++d) {
    time_column(g.header, g, d, "");
    report_append_centred(g.header, g_eng_school.day_names[d], 20);
  }
  g.width = static_cast<int>(g.header.size());
  g.header += '\n';
  const char* const kNames[2][3] = {
      {"Classi con Compresenze", "Klassen mit Mitanwesenheit", "Classes with twin-teacher"},
      {"Classi Completo", "Klassen komplett", "Classes Full"}};
  or_name_report(kNames[variant == 0 ? 0 : 1], g_report.kind);
  std::FILE* f = or_open_report(1869);
  ReportPager pager(44);
  for (int i = 0; i < g_report.class_records; ++i) {
    if (g_class_grid[i].code[0] == 'd') continue;
    std::string text = table(g, g_class_grid[i]);
    pager.end_table(text);
    std::fputs(text.c_str(), f);
  }
  or_close_report(f, __LINE__);
  convert(g_report.path);
  if (g_room_report_flag && variant != 0) {
    char copy[400];
    const char* const kAllocation[3] = {"Allocazione Aule", "Zuweisung Klassenzimmer", "Allocation of Classrooms"};
    if (or_report_path(copy, or_pick_text(kAllocation), nullptr, g_report.kind) &&
        or_copy_file(g_report.path, copy) == 0)
      convert(copy);
  }
}
