// The global timetable tables: the whole week of every teacher on one sheet,
// one row per teacher and one narrow column per lesson hour of every day.
// Variants: the whole school or one building ("Tabella Globale"), the
// common rooms ("Locali Comuni (Palestre)"), one section per class section
// ("Corsi (Sezioni)") or per section and two- or three-year course, the
// reception hours, the labs ("Tabella Globale LAB") and one study track.
// Each table has a spreadsheet companion (".txu" turned into ".csv") with
// every hour column labelled by its day and no page breaks.
//
// Invariants: a laboratory pseudo-teacher (kind bit 4) never has a row; the
// header repeats after 44 teacher rows (24 in the "Word 2000" text form);
// the lab variant widens the cells for itself only. Shaped for 500 teachers
// x 84 slots per call, six to ten calls per run.
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
#include "reports/report_services.h"

namespace {

struct GlobalLayout {
  bool sheet = false;  // the spreadsheet companion: labelled hours, no pages
  int kind = 0;
  int building = -1;
  const char* track = nullptr;
  int cw = 3;
  std::string t1, t2, header;
  int rows = 0;
};

bool in_building(const ReportTeacherGrid& r, int s, int b) { return b == -1 || r.building[s] == b; }

std::string section_key(const ReportTeacherGrid& r, int s, int kind) {
  const char* code = r.class_code[s];
  std::string key(3, ' ');
  key[0] = code[0] && code[1] && code[2] ? r.cell[s][2] : ' ';
  key[1] = code[0] ? code[1] : ' ';
  if (kind == 3) key[2] = code[0] < '3' ? 'b' : 't';
  return key;
}

std::vector<std::string> section_keys(int kind) {
  std::vector<std::string> keys;
  for (int i = 0; i < g_report.teacher_records; ++i)
    for (int d = 0; d < or_week_days(); ++d)
      for (int h = 0; h < g_report.hours_shown; ++h) {
        int s = d * kHoursPerDay + h;
        if (!is_digit(g_teacher_grid[i].class_code[s][0])) continue;
        std::string key = section_key(g_teacher_grid[i], s, kind);
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
      }
  std::stable_sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) {
    return std::memcmp(a.data(), b.data(), 3) < 0;
  });
  return keys;
}

bool in_section(const ReportTeacherGrid& r, const std::string& key, int kind) {
  for (int d = 0; d < or_week_days(); ++d)
    for (int h = 0; h < g_report.hours_shown; ++h) {
      int s = d * kHoursPerDay + h;
      if (is_digit(r.class_code[s][0]) && section_key(r, s, kind) == key) return true;
    }
  return false;
}

// The track text is a class code from its third character (the run takes
// it from the codes), so it is compared with the class code of each slot,
// not with the display name the cell shows.
bool teaches_track(const ReportTeacherGrid& r, const char* track) {
  for (int s = 0; s < kWeekSlots; ++s) {
    const char* code = r.class_code[s];
    if (code[0] >= '0' && code[0] <= '9' && std::strlen(code) >= 2 && std::strcmp(code + 2, track) == 0) return true;
  }
  return false;
}

void build_titles(GlobalLayout& g, const std::string* key) {
  int hours = g_report.hours_shown;
  g.t1.clear();
  g.t2.clear();
  if (key)
    report_appendf(g.t1, "%c%d%s %c%c%c %8.8s%s", '*', hours - 1, report_pick("Corso", "Absch", "Sect."), (*key)[1],
                   (*key)[0], (*key)[2], "", "#");
  else
    report_appendf(g.t1, "%c%d%-18.18s%s", '*', hours - 1, report_pick("Docente", "Lehrer ", "Teacher"), "#");
  g.t2.assign(g.t1.size() - 1, ' ');
  g.t2 += '#';
  for (int d = 0; d < or_week_days(); ++d) {
    if (g.sheet) {
      for (int h = 0; h < hours; ++h) {
        const char* bound = h == hours - 1 ? "#" : "|";
        report_appendf(g.t1, "%*.*s %s", g.cw - 1, g.cw - 1, g_eng_school.day_abbrevs[d], bound);
        report_appendf(g.t2, "%*d %s", g.cw - 1, h + 1, bound);
      }
      continue;
    }
    report_append_day_heading(g.t1, g.t2, d, hours, g.cw);
  }
  std::string rule(g.t1.size(), '-');
  g.header = rule + "\n" + g.t1 + "\n" + rule + "\n" + g.t2 + "\n" + rule + "\n";
}

const char* cell_content(const GlobalLayout& g, const ReportTeacherGrid& r, int d, int h) {
  int s = d * kHoursPerDay + h;
  const char* cell = r.cell[s];
  if (g.kind == 4) return std::strcmp(cell, " R ") == 0 ? cell : "";
  const char* shown = or_cell_in_building(r, d, h, g.building);
  if (g.sheet && or_report_several_buildings() && r.sign2[s] != ' ' && r.sign2[s] != 0) {
    static char marked[kCellText + 8];
    std::snprintf(marked, sizeof marked, "%*.*s %c", g.cw - 2, g.cw - 2, shown, r.sign2[s]);
    return marked;
  }
  return shown;
}

int page_rows() { return kt::report_services().rtf_text_form_option() ? 24 : 44; }

void count_row(std::string& out, GlobalLayout& g) {
  if (g.sheet) return;
  if (++g.rows > page_rows()) {
    out += '\f';
    out += g.header;
    g.rows = 0;
  }
}

template <typename Text>
void teacher_row(std::string& out, const GlobalLayout& g, const ReportTeacherGrid& r, Text text) {
  report_appendf(out, "%-20.20s%s", r.name, "#");
  for (int d = 0; d < or_week_days(); ++d)
    for (int h = 0; h < g_report.hours_shown; ++h)
      report_appendf(out, "%-*.*s%s", g.cw, g.cw, text(d, h), h == g_report.hours_shown - 1 ? "#" : "|");
  out += '\n';
  out.append(g.t1.size(), '-');
  out += '\n';
}

void teacher_rows(std::string& out, GlobalLayout& g, const std::string* key) {
  for (int i = 0; i < g_report.teacher_records; ++i) {
    ReportTeacherGrid& r = g_teacher_grid[i];
    if (lab_pseudo(r)) continue;
    if (key && !in_section(r, *key, g.kind)) continue;
    if (g.kind == 6 && !(g.track && teaches_track(r, g.track))) continue;
    r.in_section = key != nullptr;
    teacher_row(out, g, r, [&](int d, int h) { return cell_content(g, r, d, h); });
    if (g.kind == 5) {
      bool labs = false;
      for (int s = 0; s < kWeekSlots && !labs; ++s) labs = in_building(r, s, g.building) && r.lab_short[s][0];
      if (labs) {
        teacher_row(out, g, r, [&](int d, int h) {
          int s = d * kHoursPerDay + h;
          return in_building(r, s, g.building) ? r.lab_name[s] : "";
        });
        count_row(out, g);
      }
    }
    count_row(out, g);
  }
}

void common_room_tables(std::string& out, GlobalLayout& g) {
  build_titles(g, nullptr);
  for (int c = 0; c < g_eng_school.common_room_count && c < kMaxCommonRooms; ++c) {
    report_appendf(out, "%s:%s|\n", report_pick("LOCALE", "ZIMMER", "ROOM"), g_eng_common_rooms[c].name);
    out += g.header;
    for (int i = 0; i < g_report.teacher_records; ++i) {
      const ReportTeacherGrid& r = g_teacher_grid[i];
      if (lab_pseudo(r) || !r.common_rooms_used[c]) continue;
      teacher_row(out, g, r, [&](int d, int h) { return r.common_room[d * kHoursPerDay + h] == c ? r.cell[d * kHoursPerDay + h] : "   "; });
      count_row(out, g);
    }
    out += '\n';
  }
}

void name_file(const GlobalLayout& g) {
  static const char* const kTitles[7][3] = {
      {"Tabella Globale", "Globale Tabelle", "Global Table"},
      {"Locali Comuni (Palestre)", "Gemeine R\xe4ume (Gymnastik)", "Common Rooms (Gyms)"},
      {"Corsi (Sezioni)", "Abschnitte", "Sections"},
      {"Corsi (Biennio e Triennio)", "Abschnitte (Zwei und Dreijahreszeitraum)", "Sections (Biennium and Triennium)"},
      {"Ricevimento del Pubblico", "Sprechstunden", "Receipt of the Public"},
      {"Tabella Globale LAB", "Globale Tabelle LAB", "Global Table LABS"},
      {"Tabella Globale", "Globale Tabelle", "Global Table"}};
  std::string title = or_pick_text(kTitles[g.kind]);
  if (g.kind == 0 || g.kind == 5 || g.kind == 6) {
    if (g.building >= 0 && g.building < kMaxBuildings) title += std::string("_") + g_eng_buildings[g.building].name;
    if (g.track) title += std::string("_") + report_pick("Indirizzo", "Fachrichtung", "Address") + "_" + g.track;
  }
  if (!or_report_path(g_report.path, title.c_str(), g.sheet ? "txu" : nullptr, g_report.kind)) g_report.path[0] = 0;
}

// Writes the table's text into the named file; kinds 2 and 3 one section
// per class section, kind 1 one block per common room.
void write_tables(GlobalLayout& g, int line) {
  std::FILE* f = or_open_report(line);
  std::string out;
  if (g.kind == 1) {
    common_room_tables(out, g);
  } else if (g.kind == 2 || g.kind == 3) {
    std::vector<std::string> keys = section_keys(g.kind);
    for (size_t k = 0; k < keys.size(); ++k) {
      if (k > 0) out += '\f';
      build_titles(g, &keys[k]);
      out += g.header;
      g.rows = 0;
      teacher_rows(out, g, &keys[k]);
    }
  } else {
    build_titles(g, nullptr);
    out += g.header;
    teacher_rows(out, g, nullptr);
  }
  std::fputs(out.c_str(), f);
  or_close_report(f, __LINE__);
}

}  // namespace

const char* or_cell_in_building(const ReportTeacherGrid& r, int d, int h, int building) {
  int s = d * kHoursPerDay + h;
  const char* cell = r.cell[s];
  if (in_building(r, s, building)) return cell;
  if (is_digit(cell[0])) return "";
  if (cell[0] == ' ' && cell[1] == 't') return cell;
  if (h == 0) return in_building(r, s + 1, building) ? cell : "";
  if (in_building(r, s - 1, building)) return cell;
  if (!is_digit(r.cell[s - 1][0]) && h < kHoursPerDay - 1 && in_building(r, s + 1, building)) return cell;
  return "";
}

void or_write_global_table(int kind, int building, const char* track) {
  if (kind < 0 || kind > 6) or_raise_critical_error("SW", kind, "OR_OUTSP", 2650);
  GlobalLayout g;
  g.kind = kind;
  g.building = building;
  g.track = track;
  g.cw = g_report.lab_text_width;
  if (kind == 5)
    for (int i = 0; i < g_report.teacher_records; ++i)
      for (int s = 0; s < kWeekSlots; ++s)
        if (in_building(g_teacher_grid[i], s, building))
          g.cw = std::max(g.cw, static_cast<int>(std::strlen(g_teacher_grid[i].lab_name[s])));
  name_file(g);
  write_tables(g, 2675);
  or_convert_report_to_rtf(g_report.path, 8, 1, 1);
  or_convert_report_to_html(g_report.path, 1);
  or_write_global_table_sheet(kind, building, track, g.cw);
}

void or_write_global_table_sheet(int kind, int building, const char* track, int cell_width) {
  if (kind < 0 || kind > 6) or_raise_critical_error("SW", kind, "OR_OUTSP", 3000);
  GlobalLayout g;
  g.sheet = true;
  g.kind = kind;
  g.building = building;
  g.track = track;
  g.cw = cell_width + (or_report_several_buildings() ? 2 : 0);
  name_file(g);
  write_tables(g, 3011);
  or_convert_report_to_csv(g_report.path);
}
