// The teacher timetables in landscape form: one block per teacher, one row
// per hour, the days across ("Professori Orizzontale"). When the school has
// laboratory teachers, or the rooms were just allocated, a detailed table
// with a room name in every cell takes that title (the gym or lab of each
// lesson, or its allocated room) and the plain one becomes "Professori
// Orizzontale Semplice".
//
// Invariants: every row of a block is as wide as the header; four teacher
// blocks to a page; a class's own room is never named as an allocated room.
// Shaped for 500 teachers, one pass over the teacher grid per table.
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "reports/conversions.h"
#include "reports/report_lines.h"
#include "reports/report_run.h"
#include "reports/report_text_format.h"

namespace {

enum class Detail { kPlain, kCommonRooms, kRooms };

const char* room_text(Detail detail, const ReportTeacherGrid& r, int s) {
  if (detail == Detail::kCommonRooms) {
    int c = r.common_room[s];
    return c >= 0 && c < kMaxCommonRooms ? g_eng_common_rooms[c].name : r.lab_name[s];
  }
  int room = r.allocated_room[s];
  return room >= g_eng_school.class_count && room < g_eng_school.room_count && room < kMaxRooms ? g_eng_rooms[room].name
                                                                                                  : "";
}

void write_table(Detail detail, const char* const title[3], int line) {
  or_name_report(title, g_report.kind);
  int w = or_report_times_option() ? 8 : 0;
  int day_width = w + (detail == Detail::kPlain ? 10 : 30);
  int pad = w + (detail == Detail::kPlain ? 0 : 20);
  std::FILE* f = or_open_report(line);
  std::string header;
  report_appendf(header, "%c0%-18.18s|%-5.5s|", '@', report_pick("DOCENTE", "LEHRER ", "Teacher"),
                 report_pick("Ora", "St.", "Hr."));
  for (int d = 0; d < or_week_days(); ++d) report_append_centred(header, g_eng_school.day_names[d], day_width);
  std::string rule(header.size(), '-');
  rule += '\n';
  header += '\n';
  for (int i = 0; i < g_report.teacher_records; ++i) {
    const ReportTeacherGrid& r = g_teacher_grid[i];
    std::string out = rule + header;
    for (int h = 0; h < g_report.hours_shown; ++h) {
      if (break_before(h)) {
        out += rule;
        report_appendf(out, "%-20.20s|%-5.5s|", "", or_format_minutes(g_report.end[0][h - 1]));
        for (int d = 0; d < or_week_days(); ++d) {
          int s = d * kHoursPerDay + h;
          bool busy = static_cast<unsigned char>(r.cell[s - 1][0]) > ' ' || static_cast<unsigned char>(r.cell[s][0]) > ' ';
          report_appendf(out, "  %-8.8s%-*.*s|", busy ? report_pick("I", "P", "P") : "", pad, pad, "");
        }
        out += '\n';
      }
      out += rule;
      const char* first = "";
      if (h == 0) first = r.display_name;
      if (h == 1)
        first = (r.kind & (kTeacherLaboratory | kTeacherLabPseudo)) ? report_pick("Laboratorio", "Labor", "Laboratory")
                                                                    : r.main_subject;
      report_appendf(out, "%-20.20s|%-5.5s|", first, or_format_minutes(g_report.start[0][h]));
      for (int d = 0; d < or_week_days(); ++d) {
        int s = d * kHoursPerDay + h;
        report_appendf(out, " %-5.5s %1c %1c%*.*s", r.cell[s], r.sign1[s] ? r.sign1[s] : ' ', r.sign2[s] ? r.sign2[s] : ' ',
                       w, w, stamp(r, s));
        if (detail != Detail::kPlain) report_appendf(out, "%*.*s", 20, 20, room_text(detail, r, s));
        out += '|';
      }
      out += '\n';
    }
    out += rule;
    out += (i + 1) % 4 == 0 ? '\f' : '\n';
    std::fputs(out.c_str(), f);
  }
  or_close_report(f, __LINE__);
  or_convert_report_to_rtf(g_report.path, 8, detail == Detail::kPlain ? 0 : 1, 0);
  or_convert_report_to_html(g_report.path, 0);
}

const char* const kLandscape[3] = {"Professori Orizzontale", "Lehrer Waagerecht", "Teachers Landscape"};
const char* const kSimple[3] = {"Professori Orizzontale Semplice", "Lehrer Waagerecht Einfach",
                                "Teachers Landscape Simple"};

}  // namespace

void or_write_teacher_landscape_common_rooms() { write_table(Detail::kCommonRooms, kLandscape, 3792); }

void or_write_teacher_landscape_rooms() { write_table(Detail::kRooms, kLandscape, 3885); }

void or_write_teacher_landscape() {
  bool detailed = true;
  if (g_room_report_flag) {
    or_write_teacher_landscape_rooms();
  } else {
    bool labs = false;
    for (int i = 0; i < g_report.teacher_records && !labs; ++i)
      labs = (g_teacher_grid[i].kind & (kTeacherLaboratory | kTeacherLabPseudo)) != 0;
    if (labs)
      or_write_teacher_landscape_common_rooms();
    else
      detailed = false;
  }
  write_table(Detail::kPlain, detailed ? kSimple : kLandscape, 3993);
}
