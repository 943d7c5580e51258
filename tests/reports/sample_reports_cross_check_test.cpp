// The report set of each sample school, made by the orario program itself
// ("CALC:" then "REPO:" on the saved timetable), checked against that saved
// timetable as the engine loads it: every teacher's hours in the teacher
// report and the global table equal the hours the timetable gives the
// teacher as lesson teacher or as second teacher; every
// class shows all its hours; the Mastercom register books each hour once
// under the subject of its lesson; no placeholder of the special calendars
// reaches any file. The residual errors of the computation are those the
// report run finds on the same timetable.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/loader.h"
#include "engine/model_post_passes.h"
#include "engine/save_files.h"
#include "engine/save_test_fixture.h"
#include "engine/week_grid_access.h"
#include "engine/status_block.h"
#include "reports/report_test_support.h"

namespace fs = std::filesystem;

namespace {

using kt_test::run_orario;

using Hours = std::map<std::string, int>;

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string trim(const std::string& s) {
  size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
  return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// Splits at every '|' and '#'.
std::vector<std::string> cells_of(const std::string& s) {
  std::vector<std::string> cells(1);
  for (char c : s)
    if (c == '|' || c == '#') cells.emplace_back();
    else cells.back() += c;
  return cells;
}

// The violation lines of the residual-errors file (the trace lines around
// them carry the run's times and differ from run to run).
std::set<std::string> residual_violations(const fs::path& orario) {
  std::set<std::string> found;
  for (const std::string& line : lines_of(read_file(orario / "Errori Residui.txt")))
    if (line.rfind("E:", 0) == 0) found.insert(line);
  return found;
}

// What the saved timetable says, read through the engine's own loader.
struct Timetable {
  Hours teacher_hours;                   // distinct slots taught in real classes, either role
  std::set<std::string> lab_pseudo;      // laboratory pseudo-teachers (no line in the global tables)
  Hours class_hours;                     // distinct slots of ordinary lessons per class display name
  std::set<std::string> class_cells;     // class display names as a 5-character cell shows them
  std::map<std::string, int> class_of;   // display name -> class index
  int unplaced = 0;                      // ordinary lessons of real classes left unplaced
  bool co_teachers = false;             // a second teacher that is a person of its own
};

std::string cell_text(const char* name) { return std::string(name).substr(0, 5); }

Timetable load_saved_timetable() {
  save_test::reset_run_flags();
  or_reset_model();
  or_load_description("scuola2.txt", 0);
  or_finish_loaded_model();
  or_set_day_names();
  Timetable t;
  if (or_load_timetable(0) != 0) return t;
  std::map<std::string, std::set<int>> teacher_slots, class_slots;
  for (int c = 0; c < g_eng_school.real_class_count; ++c) {
    t.class_cells.insert(cell_text(or_class_display_name(c)));
    t.class_of[or_class_display_name(c)] = c;
  }
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (x.class_index < 0 || x.class_index >= g_eng_school.real_class_count || or_is_calendar_teacher(x.teacher))
      continue;
    if (!or_lesson_placed(l)) {
      ++t.unplaced;
      continue;
    }
    int slot = x.day * kHoursPerDay + x.hour;
    class_slots[or_class_display_name(x.class_index)].insert(slot);
    int second = or_lesson_has_second(l) ? x.second_teacher : -1;
    t.co_teachers |= second >= 0 && !(g_eng_teachers[second].type_flags & kTeacherLabPseudo);
    for (int who : {x.teacher.get(), second}) {
      if (who < 0) continue;
      teacher_slots[g_eng_teachers[who].name].insert(slot);
      if (g_eng_teachers[who].type_flags & kTeacherLabPseudo) t.lab_pseudo.insert(g_eng_teachers[who].name);
    }
  }
  for (const auto& [name, slots] : teacher_slots) t.teacher_hours[name] = static_cast<int>(slots.size());
  for (const auto& [name, slots] : class_slots) t.class_hours[name] = static_cast<int>(slots.size());
  return t;
}

// "Tabella Globale": a teacher row is the name in 20 characters and '#'.
Hours global_table_hours(const std::string& text, const std::set<std::string>& classes) {
  Hours hours;
  for (const std::string& line : lines_of(text)) {
    if (line.size() < 22 || line[20] != '#' || line[0] == ' ' || line[0] == '*' || line[0] == '-') continue;
    int n = 0;
    for (const std::string& cell : cells_of(line.substr(21))) n += classes.count(trim(cell)) != 0;
    hours[trim(line.substr(0, 20))] += n;
  }
  return hours;
}

// "Professori Verticale": one block per teacher after each "@0DOCENTE"
// header; a day row is the label (20), '|', the day (6), '|', the cells.
Hours teacher_report_hours(const std::string& text, const std::set<std::string>& classes) {
  Hours hours;
  std::string teacher;
  bool block_start = false;
  for (const std::string& line : lines_of(text)) {
    if (line.rfind("@0", 0) == 0) {
      block_start = true;
      continue;
    }
    if (line.size() < 29 || line[20] != '|' || line[27] != '|') continue;
    if (block_start) teacher = trim(line.substr(0, 20)), block_start = false;
    int n = 0;
    for (const std::string& cell : cells_of(line.substr(28))) n += classes.count(trim(cell)) != 0;
    hours[teacher] += n;
  }
  return hours;
}

// "Tabella Classi": blocks of classes side by side, a header " |Ora|" with
// the class names, hour rows "<letter>|NN |" with one 20-character cell per
// class.
Hours class_table_hours(const std::string& text) {
  Hours hours;
  std::vector<std::string> names;
  for (std::string line : lines_of(text)) {
    if (!line.empty() && line[0] == '\f') line.erase(0, 1);
    if (line.rfind(" |Ora|", 0) == 0) {
      names.clear();
      std::vector<std::string> cells = cells_of(line.substr(6));
      for (size_t i = 0; i + 1 < cells.size(); ++i) names.push_back(trim(cells[i]));
      continue;
    }
    if (line.size() < 6 || line[1] != '|' || line[5] != '|' || line[2] == '-') continue;
    std::vector<std::string> cells = cells_of(line.substr(6));
    for (size_t i = 0; i < names.size() && i < cells.size(); ++i) hours[names[i]] += !trim(cells[i]).empty();
  }
  return hours;
}

std::string subject_name(int s) {
  if (s < 0 || s >= g_eng_school.subject_count) return "";
  const EngineSubject& x = g_eng_subjects[s];
  return x.specific_name[0] ? x.specific_name : x.group_name;
}

class SampleReports : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleReports, AgreeWithTheSavedTimetable) {
  save_test::SchoolFolder folder;
  const fs::path example = fs::path(KT_SOURCE_DIR) / "examples" / GetParam();
  for (const char* name : {"scuola1.txt", "scuola2.txt"}) fs::copy_file(example / name, folder.path() / name);
  // The search may stop at its time limit: whatever timetable it saved, the
  // reports must agree with it.
  ASSERT_EQ(run_orario(folder.path(), "--seed 7 --time-limit 20 CALC:scuola2.txt"), 0)
      << read_file(folder.path() / "orario.out");
  const fs::path orario = folder.path() / "Orario";
  // One timetable has one list of residual errors, whichever run evaluates it.
  std::set<std::string> computed = residual_violations(orario);
  ASSERT_EQ(run_orario(folder.path(), "REPO:scuola2.txt"), 0) << read_file(folder.path() / "orario.out");
  EXPECT_EQ(residual_violations(orario), computed);

  Timetable t = load_saved_timetable();
  ASSERT_FALSE(t.teacher_hours.empty());
  EXPECT_EQ(t.unplaced, 0);

  Hours report = teacher_report_hours(read_file(orario / "Orario Professori Verticale.txt"), t.class_cells);
  Hours table = global_table_hours(read_file(orario / "Orario Tabella Globale.txt"), t.class_cells);
  for (const auto& [name, hours] : t.teacher_hours) {
    EXPECT_EQ(report[name], hours) << name << " in Orario Professori Verticale";
    if (t.lab_pseudo.count(name)) continue;  // no line of its own in the global tables
    EXPECT_EQ(table[name], hours) << name << " in Orario Tabella Globale";
  }

  Hours classes = class_table_hours(read_file(orario / "Orario Tabella Classi.txt"));
  for (const auto& [name, hours] : t.class_hours) EXPECT_EQ(classes[name], hours) << name << " in Tabella Classi";

  // The register books every hour once, under the subject of its lesson.
  std::set<std::string> booked;
  std::vector<std::string> lines = lines_of(read_file(orario / "Registro_Mastercom.csv"));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "classe;materia;professore;giorno;ora_inizio;durata");
  for (size_t i = 1; i < lines.size(); ++i) {
    std::vector<std::string> f;
    std::stringstream in(lines[i]);
    for (std::string field; std::getline(in, field, ';');) f.push_back(field);
    ASSERT_EQ(f.size(), 6u) << lines[i];
    ASSERT_TRUE(t.class_of.count(f[0])) << lines[i];
    int c = t.class_of[f[0]], day = std::stoi(f[3]), first = std::stoi(f[4]), length = std::stoi(f[5]);
    for (int h = first; h < first + length; ++h) {
      EXPECT_TRUE(booked.insert(f[0] + ";" + f[2] + ";" + f[3] + ";" + std::to_string(h)).second)
          << "booked twice: " << lines[i] << " hour " << h;
      bool subject_there = false;
      for (int l = 0; l < g_eng_school.lesson_count && !subject_there; ++l) {
        const EngineLesson& x = g_eng_lessons[l];
        subject_there = x.class_index == c && x.day == day && x.hour == h && subject_name(x.subject) == f[1];
      }
      EXPECT_TRUE(subject_there) << lines[i] << ": hour " << h << " is not " << f[1];
    }
  }

  // No placeholder of the special calendars in any file of the report set.
  for (const auto& entry : fs::recursive_directory_iterator(orario)) {
    if (!entry.is_regular_file()) continue;
    std::string bytes = read_file(entry.path());
    EXPECT_EQ(bytes.find("ZZYBASAX"), std::string::npos) << entry.path();
    EXPECT_EQ(bytes.find("Calendario-"), std::string::npos) << entry.path();
  }
  EXPECT_EQ(fs::exists(orario / "Orario Professori Verticale Compresenze.txt"), t.co_teachers);
}

INSTANTIATE_TEST_SUITE_P(Examples, SampleReports, ::testing::Values("piccola", "liceo"));

}  // namespace
