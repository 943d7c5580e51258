// The weekly grid reports: one table per class grid record, days across and
// hours down, for the report kinds that show teachers ("Classi"), assistants,
// subjects, rooms outside the classes, a building's classes, stand-by hours,
// support hours and co-teaching. Each call writes one text report and then
// its RTF and HTML forms.
//
// Invariants: every row of a table is as wide as its column header (W); the
// class name reads downward in the first column, five characters per row;
// a page holds 66 lines and a table never starts on a page it would not fit.
// The writer only reads the class grid (kinds decide which records and which
// planes); a kind outside the table is a programming error ("SW"). Shaped
// for a few hundred records of at most 12 hours each: a table is built in a
// string and written whole.
#include <cstdio>
#include <cstring>
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

struct GridLayout {
  int kind = 0;
  int building = 0;
  int day_width = 20;
  bool times_differ = false;
  bool break_rows = false;
  std::string header;  // with its newline
  int width = 0;       // W: the header without its newline
};

void build_header(GridLayout& g) {
  std::string& h = g.header;
  const char* hour = report_pick("Ora", "St.", "Hr.");
  if (g.kind == 5)
    report_appendf(h, "%c0%5.5s|", '*', hour);
  else
    report_appendf(h, "%c0%6.6s|%5.5s|", '*', report_pick("CLASSE", "KLASSE", "CLASS "), hour);
  for (int d = 0; d < or_week_days(); ++d) {
    if (g.times_differ && d >= 1) report_appendf(h, "%-5.5s|", "");
    report_append_centred(h, g_eng_school.day_names[d], g.day_width);
  }
  g.width = static_cast<int>(h.size());
  h += '\n';
}

void rule(std::string& out, const GridLayout& g, char stroke) {
  out.append(static_cast<size_t>(g.width), stroke);
  out += '\n';
}

bool taken(const GridLayout& g, const ReportClassGrid& r) {
  bool standby = r.code[0] == 'd';
  switch (g.kind) {
    case 6: return r.building == g.building;
    case 7: return standby;
    case 64: return r.building == g.building && !standby;
    case 71: return (r.hour_flags[0] & kRecordHasSupport) != 0;
    case 72: return true;
    default: return !standby;
  }
}

const char* start_text(const GridLayout& g, const ReportClassGrid& r, int d, int h) {
  if (g.kind == 7) return or_format_minutes(g_eng_school.timing[0][d][h]);
  return or_format_minutes(r.start[d][h]);
}

const char* end_text(const GridLayout& g, const ReportClassGrid& r, int d, int h) {
  if (g.kind == 7) return or_format_minutes(g_eng_school.timing[0][d][h] + g_eng_school.timing[1][d][h]);
  return or_format_minutes(r.end[d][h]);
}

// The time column before every day after the first, when classes keep their own times.
void time_column(std::string& out, const GridLayout& g, int d, const char* text) {
  if (g.times_differ && d >= 1) report_appendf(out, "%-5.5s|", text);
}

void lead_in(std::string& out, const GridLayout& g, const ReportClassGrid& r, int piece) {
  if (g.kind == 5) {
    out += "  ";
    return;
  }
  if (r.code[0] == 'd') {
    std::string text;
    if (piece == 0) text = report_pick("Dispos ", "Verf\xfcg ", "Dispos ");
    if (piece == 5 && or_report_several_buildings() && r.building >= 0 && r.building < kMaxBuildings) {
      char title[64];
      or_title_case(title, g_eng_buildings[r.building].name);
      text = title;
    }
    report_appendf(out, " %7.7s|", text.c_str());
    return;
  }
  int length = static_cast<int>(std::strlen(r.display_name));
  report_appendf(out, " %-7.5s|", piece < length ? r.display_name + piece : "");
}

void break_row(std::string& out, const GridLayout& g, const ReportClassGrid& r, int h) {
  rule(out, g, '-');
  report_appendf(out, "%-8.8s", "");
  report_appendf(out, "|%-5.5s|", end_text(g, r, 0, h - 1));
  for (int d = 0; d < or_week_days(); ++d) {
    time_column(out, g, d, end_text(g, r, d, h - 1));
    bool pause = g.kind == 71 || (!report_blank(r.planes[2][d][h - 1]) && !report_blank(r.planes[2][d][h]));
    report_appendf(out, "%-*.*s|", g.day_width, g.day_width, pause ? report_pick("intervallo", "Pause", "pause") : "");
  }
  out += '\n';
}

// A further row of kind 71 or 72: empty lead-in, then one plane's texts.
void plane_row(std::string& out, const GridLayout& g, const ReportClassGrid& r, int h, int plane, bool start) {
  out += '\n';
  if (g.kind == 71)
    report_appendf(out, "  %6.6s|%-5.5s|", "", start ? start_text(g, r, 0, h) : "");
  else
    report_appendf(out, "%-8.8s|%-5.5s|", "", "");
  for (int d = 0; d < or_week_days(); ++d) {
    time_column(out, g, d, g.kind == 72 ? start_text(g, r, d, h) : "");
    report_appendf(out, "%-20.20s|", r.planes[plane][d][h]);
  }
}

// Kind 71: support teachers first, then what remains of the class's own.
int support_cells(std::string& out, const GridLayout& g, ReportClassGrid& r, int h) {
  bool any_support = false;
  for (int d = 0; d < or_week_days(); ++d) {
    time_column(out, g, d, start_text(g, r, d, h));
    char* main = r.planes[2][d][h];
    if (r.planes[4][d][h][0]) {
      report_appendf(out, "%-20.20s|", r.planes[4][d][h]);
      any_support = true;
    } else {
      report_appendf(out, "%-20.20s|", main);
      main[0] = 0;
    }
  }
  int extra = 0;
  if (any_support) plane_row(out, g, r, h, 2, true), ++extra;
  if (r.hour_flags[h] & kHourCoTeacher) plane_row(out, g, r, h, 3, true), ++extra;
  if (r.hour_flags[h] & kHourFurtherSupport) plane_row(out, g, r, h, 5, true), ++extra;
  return extra;
}

void standby_cells(std::string& out, const GridLayout& g, int index, int h) {
  const ReportClassGrid& r = g_class_grid[index];
  for (int d = 0; d < or_week_days(); ++d) {
    time_column(out, g, d, start_text(g, r, d, h));
    report_appendf(out, "%-20.20s|", r.planes[2][d][h]);
  }
  for (int j = index + 1; j < g_report.class_records; ++j) {
    const ReportClassGrid& o = g_class_grid[j];
    if (o.code[0] != 'd' || o.building != r.building) continue;
    bool any = false;
    for (int d = 0; d < or_week_days() && !any; ++d) any = !report_blank(o.planes[2][d][h]);
    if (!any) continue;
    report_appendf(out, "\n%8.8s|%-5.5s|", "", "");
    for (int d = 0; d < or_week_days(); ++d) {
      time_column(out, g, d, "");
      report_appendf(out, "%-20.20s|", o.planes[2][d][h]);
    }
  }
}

// The cells of hour h; returns the extra rows written (they move the name on).
int hour_cells(std::string& out, const GridLayout& g, int index, int h) {
  ReportClassGrid& r = g_class_grid[index];
  switch (g.kind) {
    case 7: standby_cells(out, g, index, h); return 0;
    case 71: return support_cells(out, g, r, h);
    case 5: {
      // Both rows of a room's hour carry each day's start, as their lead-ins
      // carry the first day's: the classes there may keep other times.
      for (int d = 0; d < or_week_days(); ++d) {
        time_column(out, g, d, start_text(g, r, d, h));
        report_appendf(out, "%-26.26s#", r.planes[3][d][h]);
      }
      report_appendf(out, "\n  %-5.5s|", start_text(g, r, 0, h));
      for (int d = 0; d < or_week_days(); ++d) {
        time_column(out, g, d, start_text(g, r, d, h));
        report_appendf(out, "%-20.20s|%-5.5s#", r.planes[2][d][h], r.planes[0][d][h]);
      }
      return 1;
    }
    case 72: {
      bool any = false;
      for (int d = 0; d < or_week_days(); ++d) {
        time_column(out, g, d, start_text(g, r, d, h));
        bool shown = r.planes[3][d][h][0] != 0;
        any = any || shown;
        report_appendf(out, "%-20.20s|", shown ? r.planes[2][d][h] : "");
      }
      if (any) plane_row(out, g, r, h, 3, false);
      return 0;
    }
    default:
      for (int d = 0; d < or_week_days(); ++d) {
        time_column(out, g, d, start_text(g, r, d, h));
        report_appendf(out, "%-20.20s|", r.planes[2][d][h]);
      }
      return 0;
  }
}

void end_time_row(std::string& out, const GridLayout& g, const ReportClassGrid& r) {
  int last = g_report.hours_shown - 1;
  if (!g.times_differ || last < 0) return;
  bool any = false;
  for (int d = 0; d < or_week_days() && !any; ++d) any = !report_blank(r.planes[2][d][last]);
  if (!any) return;
  if (g.kind == 5)
    out += "  ";
  else
    report_appendf(out, " %-7.5s|", "");
  report_appendf(out, "%-5.5s|", end_text(g, r, 0, last));
  for (int d = 0; d < or_week_days(); ++d) {
    time_column(out, g, d, end_text(g, r, d, last));
    if (g.kind == 5)
      report_appendf(out, "%26s#", "");
    else
      report_appendf(out, "%20s|", "");
  }
  out += '\n';
}

void kind5_title(std::string& out, const GridLayout& g, const ReportClassGrid& r) {
  std::string line;
  report_appendf(line, "%c%d%5s|%s:%s", '*', or_week_days() + 1, "", report_pick("LOCALE", "ZIMMER", "ROOM"), r.display_name);
  if (or_report_several_buildings() && r.building >= 0 && r.building < kMaxBuildings)
    report_appendf(line, " (%s)", g_eng_buildings[r.building].name);
  if (static_cast<int>(line.size()) < g.width) line.append(static_cast<size_t>(g.width) - line.size(), ' ');
  if (!line.empty()) line.back() = '|';
  out += line + "\n";
  rule(out, g, '-');
}

std::string table(const GridLayout& g, int index) {
  ReportClassGrid& r = g_class_grid[index];
  std::string out;
  rule(out, g, '-');
  if (g.kind == 5) kind5_title(out, g, r);
  out += g.header;
  int piece = 0;
  char hour_rule = g.kind == 5 || g.kind == 7 ? '=' : '-';
  for (int h = 0; h < g_report.hours_shown; ++h) {
    if (g.break_rows && h >= 1 && r.start[0][h] > r.end[0][h - 1]) break_row(out, g, r, h);
    rule(out, g, hour_rule);
    lead_in(out, g, r, piece);
    report_appendf(out, "%-5.5s|", start_text(g, r, 0, h));
    int extra = hour_cells(out, g, index, h);
    out += '\n';
    piece += 5 * (1 + extra);
  }
  end_time_row(out, g, r);
  rule(out, g, '-');
  return out;
}

const char* const* report_name(int kind) {
  static const char* const kNames[][3] = {
      {"Classi", "Klassen", "Classes"},
      {"ITP Laboratorio", "Labor Assistenten", "Laboratory Assistants"},
      {"Conversatori di Lingue", "Mitanwesenheit Assistenten", "Twin Teacher Lesson Assistants"},
      {"", "", ""},
      {"Classi per Materia", "Klassen F\xe4" "cher", "Classes Subjects"},
      {"Locali esterni alle Classi", "Standorte au\xdf" "erhalb der Klassen", "Locations outside the classes"},
      {"", "", ""},
      {"Ore a Disposizione", "Zeit zur Verf\xfcgung", "Time for Substitutions"},
      {"Sostegno", "Behindertenhilfe", "Handicap Help"},
      {"Ore con Compresenze", "Stunden mit Mitanwesenheit", "Lessons with twin-teacher"},
  };
  if (kind <= 7) return kNames[kind];
  return kind == 71 ? kNames[8] : kNames[9];
}

void name_file(const GridLayout& g) {
  const char* building = g.building >= 0 && g.building < kMaxBuildings ? g_eng_buildings[g.building].name : "";
  char title[200];
  if (g.kind == 6) {
    std::snprintf(title, sizeof title, "Plesso_%s", building);
  } else if (g.kind == 64) {
    const char* base = report_pick("Classi per Materia - %s", "Klassen F\xe4" "cher - %s", "Classes Subjects - %s");
    std::snprintf(title, sizeof title, base, building);
  } else {
    std::snprintf(title, sizeof title, "%s", or_pick_text(report_name(g.kind)));
  }
  if (!or_report_path(g_report.path, title, nullptr, g_report.kind)) g_report.path[0] = 0;
}

}  // namespace

void or_write_grid_report(int kind, int building) {
  bool known = (kind >= 0 && kind <= 7) || kind == 64 || kind == 71 || kind == 72;
  if (!known) or_raise_critical_error("SW", kind, "OR_OUTSP", 1530);
  if (kind == 3) return;
  GridLayout g;
  g.kind = kind;
  g.building = building;
  g.day_width = kind == 5 ? 26 : 20;
  g.times_differ = g_eng_school.nonstandard_timing_days != 0;
  g.break_rows = !g_provisional_mode && kind != 1 && kind != 2 && kind != 5 && kind != 7;
  build_header(g);
  name_file(g);
  std::FILE* f = or_open_report(1548);
  ReportPager pager(66);
  for (int i = 0; i < g_report.class_records; ++i) {
    const ReportClassGrid& r = g_class_grid[i];
    if (!taken(g, r)) continue;
    std::string text = table(g, i);
    pager.end_table(text);
    std::fputs(text.c_str(), f);
    if (kind == 7)
      while (i + 1 < g_report.class_records && g_class_grid[i + 1].code[0] == 'd' &&
             g_class_grid[i + 1].building == r.building)
        ++i;
  }
  or_close_report(f, __LINE__);
  or_convert_report_to_rtf(g_report.path, 10, 1, 0);
  or_convert_report_to_html(g_report.path, 1);
}
