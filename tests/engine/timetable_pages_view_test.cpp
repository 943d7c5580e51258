// What the timetable pages show of a computed week: the liceo sample with
// the week its seeded computation saved (tests/data/golden/orario), read by
// "RIGO:" through or_main as the desktop program reads it before it opens
// the board, then every class's, teacher's, lab's and gym's week grid cell by
// cell, each teacher's cell codes, the lessons of every hour in text order
// and the room hint, written as text and compared with
// tests/data/golden/pages/liceo.txt. KT_UPDATE_GOLDEN=1 rewrites it after a
// deliberate change.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "engine/command_steps.h"
#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "engine/timetable_view.h"
#include "engine/week_grid_access.h"
#include "engine_test_support.h"
#include "platform/cp1252.h"

namespace {

using engine_test::read_file;
using engine_test::write_file;

// A school file's lines in their plain form.
std::string plain_lines(const std::string& path) {
  std::istringstream in(read_file(path));
  std::string line, plain;
  while (std::getline(in, line)) {
    line += "\n";  // the scrambled layout counts its line feed
    std::string out(2 * line.size() + 16, '\0');
    or_scramble_line(1, line.c_str(), out.data());
    std::string text = out.c_str();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    plain += text + "\n";
  }
  return plain;
}

std::string cell_text(const WeekGridCell& c) {
  char out[200];
  std::snprintf(out, sizeof out, "l%d c%d r%d o%d t%d s%d k%d p%d 2nd%d f%d sc%d u%d g%d b%c", c.lesson, c.class_index,
                c.room, c.room_override, c.teacher, c.subject, c.common_room, c.part_subject, c.second_teacher, c.flag,
                c.supported_class, c.unavailable, c.transfer_gap, c.building_code ? c.building_code : '-');
  return out;
}

std::string grid_text(int kind, const char* name) {
  WeekGridCell grid[kWeekSlots];
  int found = or_fill_week_grid(kind, name, grid);
  std::string out = "grid " + std::to_string(kind) + " [" + name + "] -> " + std::to_string(found) + "\n";
  for (int s = 0; s < kWeekSlots; ++s) {
    const WeekGridCell& c = grid[s];
    if (c.class_index < 0 && !c.unavailable && !c.transfer_gap) continue;
    out += "  " + std::to_string(s / kHoursPerDay) + "/" + std::to_string(s % kHoursPerDay) + " " + cell_text(c) + "\n";
  }
  return out;
}

std::string pages() {
  const EngineSchool& s = g_eng_school;
  std::string out;
  for (int c = 0; c < s.class_count; ++c) out += grid_text(kGridClass, g_eng_classes[c].code);
  for (int t = 0; t < s.teacher_count; ++t) {
    out += grid_text(kGridTeacher, g_eng_teachers[t].name);
    // The grid of the lessons the teacher leads: its cells, by lesson.
    WeekGridCell leads[kWeekSlots];
    or_fill_week_grid(kGridTeacherLeads, g_eng_teachers[t].name, leads);
    out += "  leads";
    for (const WeekGridCell& c : leads)
      if (c.class_index >= 0) out += " " + std::to_string(c.lesson);
    out += "\n";
    std::string codes;
    for (int d = 0; d < kDays; ++d)
      for (int h = 0; h < kHoursPerDay; ++h) {
        char code[8] = "?";
        or_lesson_cell_code(code, t, d, h);
        if (code[0]) codes += " " + std::to_string(d) + "/" + std::to_string(h) + "=" + code;
      }
    out += "  codes" + codes + "\n";
  }
  for (int r = 0; r < s.room_count; ++r)
    if (g_eng_rooms[r].lab_flag & 1) out += grid_text(kGridRoom, g_eng_rooms[r].name);
  for (int c = 0; c < s.common_room_count; ++c) out += grid_text(kGridCommonRoom, g_eng_common_rooms[c].name);
  for (int d = 0; d < kDays; ++d)
    for (int h = 0; h < kHoursPerDay; ++h) {
      char text[160];
      for (int l = or_next_lesson_text_at_slot(0, d, h, text); l >= 0; l = or_next_lesson_text_at_slot(1, d, h, text))
        out += "slot " + std::to_string(d) + "/" + std::to_string(h) + " " + std::to_string(l) + " " + text + " other-room " +
               std::to_string(or_lesson_in_other_room(l)) + "\n";
    }
  return out;
}

// The liceo with its computed week in the folder, read as the board reads
// it before it opens.
void open_liceo(const engine_test::TempDir& school) {
  write_file(school.file("scuola1.txt"), read_file(std::string(KT_SOURCE_DIR) + "/examples/liceo/scuola1.txt"));
  write_file(school.file("scuola2.txt"), read_file(std::string(KT_SOURCE_DIR) + "/examples/liceo/scuola2.txt"));
  write_file(school.file("savego.txt"),
             read_file(std::string(KT_TEST_DATA) + "/golden/orario/liceo/file_savego.txt"));
  g_command_steps = or_default_command_steps();
  g_status.clear();
  const char* argv[] = {"Questo non serve", "RIGO:scuola2.txt", nullptr};
  ASSERT_EQ(or_main(1, 2, argv), 0) << g_status.message;
}

TEST(TimetablePages, EveryGridOfTheComputedWeekShowsWhatTheSaveHolds) {
  engine_test::TempDir school;
  engine_test::InFolder in(school.path());
  ASSERT_NO_FATAL_FAILURE(open_liceo(school));
  std::string text = pages();
  for (int language = 0; language < 3; ++language) {
    g_status.language = language;
    char hint[600];
    or_room_report_hint(hint);
    text += "hint " + std::to_string(language) + " " + hint + "\n";
  }
  g_status.language = 0;
  text = kt::cp1252_to_utf8(text);
  std::string golden = std::string(KT_TEST_DATA) + "/golden/pages/liceo.txt";
  if (const char* update = std::getenv("KT_UPDATE_GOLDEN"); update && *update == '1') write_file(golden, text);
  EXPECT_EQ(text, read_file(golden));
}

// A reception hour the board moves is written to the reception file with
// the teacher's other candidates, those the teacher teaches in left out;
// the other teachers' lines stay as they were.
TEST(TimetablePages, AReceptionHourMovedOnTheBoardIsWrittenBack) {
  engine_test::TempDir school;
  engine_test::InFolder in(school.path());
  ASSERT_NO_FATAL_FAILURE(open_liceo(school));
  std::string before = plain_lines(school.file("ricevi.txt"));
  ASSERT_EQ(before.rfind("0|FONTANA|", 0), 0u) << before;
  WeekGridCell grid[kWeekSlots];
  ASSERT_EQ(or_fill_week_grid(kGridTeacher, "FONTANA", grid), 0);
  int busy = -1, free1 = -1, free2 = -1;
  for (int d = 0; d < 5; ++d)
    for (int h = 0; h < 6; ++h) {
      int s = d * kHoursPerDay + h;
      if (grid[s].class_index >= 0) {
        if (busy < 0) busy = s;
      } else if (!grid[s].unavailable && s != 3 * kHoursPerDay) {
        if (free1 < 0) free1 = s;
        else if (free2 < 0) free2 = s;
      }
    }
  ASSERT_TRUE(busy >= 0 && free2 >= 0);
  TimetableView::Reception& r = g_timetable_view.reception[0];
  r.day = static_cast<std::int8_t>(free1 / kHoursPerDay);
  r.hour = static_cast<std::int8_t>(free1 % kHoursPerDay);
  for (auto& c : r.candidates) c[0] = c[1] = -1;
  r.candidates[0][0] = static_cast<std::int8_t>(busy / kHoursPerDay);
  r.candidates[0][1] = static_cast<std::int8_t>(busy % kHoursPerDay);
  r.candidates[1][0] = static_cast<std::int8_t>(free2 / kHoursPerDay);
  r.candidates[1][1] = static_cast<std::int8_t>(free2 % kHoursPerDay);
  or_apply_reception_slots();
  std::string after = plain_lines(school.file("ricevi.txt"));
  std::string line = "0|FONTANA|" + std::to_string(free1 / kHoursPerDay) + "|" + std::to_string(free1 % kHoursPerDay) +
                     "|" + std::to_string(free2 / kHoursPerDay) + "|" + std::to_string(free2 % kHoursPerDay) + "|\n";
  EXPECT_EQ(after.substr(0, line.size()), line) << after;
  EXPECT_EQ(after.substr(line.size()), before.substr(before.find('\n') + 1));
}

}  // namespace
