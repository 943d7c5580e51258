// The substitutions of the day through or_main on a computed sample school:
// the page's data ("SOLO:"), the absences file ("SOSA:"), the computation
// ("SOST:") and the reports ("SOSX:"). Every substitute is checked against
// the timetable the engine loaded: on stand-by or free at that hour, never
// absent, never teaching, never twice in one hour.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "computed_school.h"
#include "engine_runs.h"
#include "failing_reads.h"
#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "engine/substitution_services.h"
#include "engine/week_grid_access.h"
#include "platform/cp1252.h"

namespace {

using namespace substitution_test;

// 0 free, 1 stand-by, 2 teaching: what the teacher does at the slot.
int use_at(int t, int day, int hour) {
  int use = 0;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (!or_lesson_placed(l) || x.day != day || x.hour != hour) continue;
    if (x.teacher != t && !(or_lesson_has_second(l) && x.second_teacher == t)) continue;
    use = std::max(use, or_is_standby_class(x.class_index) ? 1 : 2);
  }
  return use;
}

class DailySubstitutions : public ::testing::Test {
 protected:
  void SetUp() override { copy_computed_school(dir_.path()); }

  // As the page does: load, choose the day and the absences, write them, compute.
  int Compute(int day, const std::vector<std::pair<std::string, std::vector<int>>>& absent) {
    EXPECT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
    SubstitutionState& s = g_substitution_state;
    s.day = day;
    s.absent_count = 0;
    for (const auto& [name, hours] : absent) {
      AbsentTeacher& a = s.absent[s.absent_count++];
      std::snprintf(a.name, sizeof a.name, "%s", name.c_str());
      a.reason = 1;
      for (int h : hours) a.hours[h] = 1;
    }
    int r = run("SOSA:scuola2.txt");
    if (r != 0) return r;
    return run("SOST:scuola2.txt");
  }

  // Checks every row against the loaded timetable; the hours left uncovered.
  int CheckRows(int day, const std::vector<std::pair<std::string, std::vector<int>>>& absent) {
    const SubstitutionState& s = g_substitution_state;
    std::map<std::string, std::set<int>> away;
    for (const auto& [name, hours] : absent) away[name].insert(hours.begin(), hours.end());
    // Every lesson of an absent teacher at an absent hour has its row.
    int expected = 0;
    for (int l = 0; l < g_eng_school.lesson_count; ++l) {
      const EngineLesson& x = g_eng_lessons[l];
      if (!or_lesson_placed(l) || x.day != day - 1 || or_is_pseudo_class(x.class_index)) continue;
      auto it = away.find(g_eng_teachers[x.teacher].name);
      if (it == away.end() || !it->second.count(x.hour)) continue;
      int second = or_lesson_has_second(l) ? x.second_teacher : -1;
      bool second_covers = second >= 0 && !(g_eng_teachers[second].type_flags & kTeacherLabPseudo) &&
                           !(away.count(g_eng_teachers[second].name) && away[g_eng_teachers[second].name].count(x.hour));
      expected += !second_covers;
    }
    EXPECT_EQ(s.row_count, expected);
    std::set<std::pair<std::string, int>> used;
    int uncovered = 0;
    for (int i = 0; i < s.row_count; ++i) {
      const SubstitutionRow& r = s.rows[i];
      EXPECT_TRUE(away.count(r.absent) && away[r.absent].count(r.hour)) << r.absent << " hour " << r.hour;
      if (r.kind == kUncovered) {
        ++uncovered;
        EXPECT_STREQ(r.substitute, "");
        continue;
      }
      int t = teacher_index(r.substitute);
      EXPECT_GE(t, 0) << r.substitute;
      if (t < 0) continue;
      EXPECT_FALSE(away.count(r.substitute) && away[r.substitute].count(r.hour)) << r.substitute << " is absent";
      int use = use_at(t, day - 1, r.hour);
      EXPECT_EQ(use, r.kind == kCoveredByStandby ? 1 : 0) << r.substitute << " hour " << r.hour;
      EXPECT_TRUE(used.insert({r.substitute, r.hour}).second) << r.substitute << " twice at hour " << r.hour;
    }
    return uncovered;
  }

  FreshSubstitutionDay fresh_;
  kt_test::TempDir dir_{"kt-substitutions-"};
  kt_test::InDriveRoot in_{dir_.path(), dir_.path()};
};

TEST_F(DailySubstitutions, LoadingGivesThePageTheSchoolAndTheDefaultReasons) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  const SubstitutionState& s = g_substitution_state;
  EXPECT_EQ(s.day, 0);  // no absences recorded yet
  EXPECT_EQ(s.day_count, 6);
  EXPECT_EQ(s.hours_per_day[0], 5);
  ASSERT_EQ(s.reason_count, 5);
  EXPECT_STREQ(s.reasons[0], "Malattia");
  EXPECT_STREQ(s.reasons[4], "Legge 104");
  std::set<std::string> names;
  for (int i = 0; i < s.teacher_count; ++i) names.insert(s.teachers[i]);
  EXPECT_TRUE(names.count("ROSSI") && names.count("BIANCHI"));
  EXPECT_FALSE(fs::exists(dir_.path() / "Sostituzioni"));
  // The default reasons follow the user's language when none are set yet.
  struct Case {
    int language;
    std::vector<std::string> reasons;
  };
  for (const Case& c : {Case{1, {"Krankenheit", "Familie"}}, Case{2, {"Sickness", "Family"}}}) {
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
    g_status.language = static_cast<std::int8_t>(c.language);
    EXPECT_EQ(run("SOLO:scuola2.txt"), 0);
    EXPECT_EQ(std::vector<std::string>(s.reasons, s.reasons + s.reason_count), c.reasons) << c.language;
  }
  g_status.language = 0;
}

TEST_F(DailySubstitutions, OneAbsentTeacherIsCoveredByFreeOrStandbyColleagues) {
  std::vector<std::pair<std::string, std::vector<int>>> absent = {{"ROSSI", {0, 1, 2, 3, 4}}};
  ASSERT_EQ(Compute(1, absent), 0) << g_status.message;
  EXPECT_GT(g_substitution_state.row_count, 0);
  CheckRows(1, absent);
  EXPECT_EQ(read_file(dir_.path() / "assenze.txt"),
            "GIORNO:1\nMOTIVO:Malattia\nMOTIVO:Permesso\nMOTIVO:Famiglia\nMOTIVO:Recupero\nMOTIVO:Legge 104\n"
            "ASSENTE:ROSSI|Permesso|111110000000\n");
  std::string data = read_file(dir_.path() / "Sostituzioni/dati_sostituzioni.txt");
  EXPECT_EQ(data.rfind("GIORNO:1|", 0), 0u) << data;

  // The reports list every row with its substitute, and their RTF forms exist.
  ASSERT_EQ(run("SOSX:scuola2.txt"), 0) << g_status.message;
  std::string by_hour = read_file(dir_.path() / "Sostituzioni/Sostituzioni.txt");
  std::string by_teacher = read_file(dir_.path() / "Sostituzioni/Sostituzioni per Docente.txt");
  for (int i = 0; i < g_substitution_state.row_count; ++i) {
    const SubstitutionRow& r = g_substitution_state.rows[i];
    EXPECT_NE(by_hour.find(r.class_name), std::string::npos);
    if (r.kind != kUncovered) {
      EXPECT_NE(by_teacher.find(r.substitute), std::string::npos) << r.substitute;
    }
  }
  EXPECT_TRUE(fs::exists(dir_.path() / "Sostituzioni/Sostituzioni.rtf"));
}

TEST_F(DailySubstitutions, SeveralAbsentTeachersOnOneDay) {
  std::vector<std::pair<std::string, std::vector<int>>> absent = {
      {"ROSSI", {0, 1, 2}}, {"COLOMBO", {0, 1, 2, 3, 4}}, {"MARINO", {2, 3}}};
  for (int day : {2, 4}) {
    ASSERT_EQ(Compute(day, absent), 0) << g_status.message;
    CheckRows(day, absent);
  }
}

// A teacher on stand-by at the hour goes before a free teacher of the class.
TEST_F(DailySubstitutions, StandbyTeacherComesFirst) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0);
  int found_day = -1, found_hour = -1;
  std::string standby, busy;
  for (int l = 0; l < g_eng_school.lesson_count && found_day < 0; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (!or_lesson_placed(l) || !or_is_standby_class(x.class_index)) continue;
    for (int k = 0; k < g_eng_school.lesson_count; ++k) {
      const EngineLesson& y = g_eng_lessons[k];
      if (!or_lesson_placed(k) || y.day != x.day || y.hour != x.hour || or_is_pseudo_class(y.class_index)) continue;
      if (y.teacher == x.teacher || or_lesson_has_second(k)) continue;
      found_day = x.day, found_hour = x.hour;
      standby = g_eng_teachers[x.teacher].name, busy = g_eng_teachers[y.teacher].name;
      break;
    }
  }
  ASSERT_GE(found_day, 0) << "no stand-by hour beside a lesson";
  // The page's cell codes: a stand-by hour, a lesson, a free hour.
  char code[8];
  or_lesson_cell_code(code, teacher_index(standby), found_day, found_hour);
  EXPECT_STREQ(code, "Dis");
  or_lesson_cell_code(code, teacher_index(busy), found_day, found_hour);
  EXPECT_STRNE(code, "");
  EXPECT_STRNE(code, "Dis");
  for (int h = 0; h < or_day_hours(found_day); ++h) {
    if (use_at(teacher_index(busy), found_day, h) != 0) continue;
    or_lesson_cell_code(code, teacher_index(busy), found_day, h);
    EXPECT_STREQ(code, "") << "hour " << h;
  }
  std::vector<std::pair<std::string, std::vector<int>>> absent = {{busy, {found_hour}}};
  ASSERT_EQ(Compute(found_day + 1, absent), 0) << g_status.message;
  CheckRows(found_day + 1, absent);
  ASSERT_EQ(g_substitution_state.row_count, 1);
  EXPECT_EQ(g_substitution_state.rows[0].kind, kCoveredByStandby);
}

TEST_F(DailySubstitutions, MoreAbsencesThanFreeTeachersLeaveHoursUncovered) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0);
  std::vector<std::pair<std::string, std::vector<int>>> absent;
  for (int i = 1; i < g_substitution_state.teacher_count; ++i) absent.push_back({g_substitution_state.teachers[i], {0, 1, 2, 3, 4}});
  ASSERT_EQ(Compute(3, absent), 0) << g_status.message;
  int uncovered = CheckRows(3, absent);
  EXPECT_GT(uncovered, 0);
  ASSERT_EQ(run("SOSX:scuola2.txt"), 0) << g_status.message;
  std::string by_hour = read_file(dir_.path() / "Sostituzioni/Sostituzioni.txt");
  EXPECT_NE(by_hour.find("Ore scoperte: " + std::to_string(uncovered)), std::string::npos) << by_hour;
  int listed = 0;
  for (std::size_t at = by_hour.find("SCOPERTA"); at != std::string::npos; at = by_hour.find("SCOPERTA", at + 1)) ++listed;
  EXPECT_EQ(listed, uncovered);
}

// A damaged "assenze.txt" ends the command with the line it stopped at; the
// file, the last result and the page's data stay as they were.
TEST_F(DailySubstitutions, DamagedAbsencesFileChangesNothing) {
  std::vector<std::pair<std::string, std::vector<int>>> absent = {{"ROSSI", {0, 1}}};
  ASSERT_EQ(Compute(1, absent), 0);
  std::string result = read_file(dir_.path() / "Sostituzioni/dati_sostituzioni.txt");
  int rows = g_substitution_state.row_count;
  struct Case {
    const char* id;
    std::string text;
    std::string says;
  };
  const Case cases[] = {
      {"d1", "GIORNO:1\nASSENTE:NESSUNO|Malattia|111110000000\n", "riga 2: insegnante sconosciuto"},
      {"d2", "GIORNO:9\n", "riga 1: giorno non valido"},
      {"d3", "GIORNO:1\nASSENTE:ROSSI|Malattia|11111\n", "riga 2: ore non valide"},
      {"d4", "GIORNO:1\nASSENTE:ROSSI|Gita|111110000000\n", "riga 2: motivo sconosciuto"},
      {"d5", "ASSENTE:ROSSI|Malattia|111110000000\n", "manca il giorno"},
      {"d6", "GIORNO:1\n\x01\x02garbage\n", "riga 2: riga sconosciuta"},
      {"d7", "GIORNO:1\nASSENTE:ROSSI|Malattia|111110000000\nASSENTE:ROSSI|Malattia|111110000000\n",
       "riga 3: insegnante ripetuto"},
      {"d8", "GIORNO:1\nASSENTE:ROSSI|Malattia|1111100000x0\n", "riga 2: ore non valide"},
      {"d9", "GIORNO:1\nASSENTE:ROSSI|Malattia|111110000000\nGIORNO:2\n", "riga 3: giorno ripetuto"},
      {"d10", "GIORNO:1\nMOTIVO:Aggiornamento professionale\n", "riga 2: motivo più lungo di 20 caratteri"},
      {"d11", "GIORNO:1\nMOTIVO:\n", "riga 2: motivo vuoto o con un carattere non ammesso"},
      {"d12", "GIORNO:1\nASSENTE:ROSSI" + std::string(1, '\0') + "|Malattia|111110000000\n", "riga 2: byte zero nella riga"},
  };
  for (const Case& c : cases) {
    write_file(dir_.path() / "assenze.txt", c.text);
    for (const char* command : {"SOST:scuola2.txt", "SOLO:scuola2.txt"}) {
      EXPECT_EQ(run(command), -3) << c.id << command;
      std::string message = g_status.message;
      EXPECT_NE(message.find("assenze.txt"), std::string::npos) << c.id << message;
      EXPECT_NE(message.find(kt::utf8_to_cp1252(c.says)), std::string::npos) << c.id << message;
    }
    EXPECT_EQ(read_file(dir_.path() / "assenze.txt"), c.text) << c.id;
    EXPECT_EQ(read_file(dir_.path() / "Sostituzioni/dati_sostituzioni.txt"), result) << c.id;
    EXPECT_EQ(g_substitution_state.row_count, rows) << c.id;
    EXPECT_EQ(g_substitution_state.absent_count, 1) << c.id;
  }
}

// An "assenze.txt" that is no file to read (a FIFO, a link to a device
// without end, a folder), that is longer than its layout allows, or whose
// disk fails part-way is said at once, in
// the user's language, naming the file and why, at a line of its own; it is
// never waited on or read without end, and nothing changes.
TEST_F(DailySubstitutions, AbsencesThatCannotBeReadSayWhyInTheUsersLanguage) {
  ASSERT_EQ(Compute(1, {{"ROSSI", {0, 1}}}), 0);
  std::string result = read_file(dir_.path() / "Sostituzioni/dati_sostituzioni.txt");
  fs::path file = dir_.path() / "assenze.txt";
  std::string absences = read_file(file);
  struct Case {
    const char* id;
    std::function<void()> make;
    const char* reasons[3];
  };
  const Case cases[] = {
      {"fifo", [&] { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); },
       {"Non è un file normale", "Keine gewöhnliche Datei", "Not a regular file"}},
      {"device", [&] { fs::create_symlink("/dev/zero", file); },
       {"Non è un file normale", "Keine gewöhnliche Datei", "Not a regular file"}},
      {"folder", [&] { fs::create_directory(file); },
       {"È una cartella, non un file", "Ist ein Ordner, keine Datei", "Is a folder, not a file"}},
      {"long", [&] { write_file(file, absences + std::string(40000, '\n')); },
       {"Il file è più lungo di quanto il suo formato ammetta", "Die Datei ist länger, als ihr Format zulässt",
        "The file is longer than its format allows"}},
      {"disk", [&] { write_file(file, absences); },
       {"Errore di lettura del file (il file non è stato letto intero)",
        "Lesefehler (die Datei wurde nicht ganz gelesen)", "Read error (the file was not read whole)"}},
  };
  LineByteSource plain = g_line_byte_source;
  for (const Case& c : cases) {
    for (int language = 0; language < 3; ++language) {
      fs::remove_all(file);
      c.make();
      FailingFile::name = "assenze.txt";
      FailingFile::after = 12;
      FailingFile::served = 0;
      if (std::string(c.id) == "disk") g_line_byte_source = FailingFile::next_byte;
      g_status.language = language;
      int r = run("SOST:scuola2.txt");
      g_line_byte_source = plain;
      g_status.language = 0;
      std::string message = g_status.message;
      EXPECT_EQ(r, -1) << c.id << message;
      EXPECT_NE(message.find("[assenze.txt]"), std::string::npos) << c.id << message;
      EXPECT_NE(message.find(kt::utf8_to_cp1252(c.reasons[language])), std::string::npos) << c.id << message;
      EXPECT_EQ(message.find("line:0,"), std::string::npos) << c.id << message;
      EXPECT_EQ(message.find("[]"), std::string::npos) << c.id << message;
    }
    EXPECT_EQ(read_file(dir_.path() / "Sostituzioni/dati_sostituzioni.txt"), result) << c.id;
  }
}

// The day's results cannot be written where a file stands in the place of
// the "Sostituzioni" folder: the message says so, in the user's language.
TEST_F(DailySubstitutions, AFileInPlaceOfTheResultsFolderIsSaid) {
  ASSERT_EQ(Compute(1, {{"ROSSI", {0, 1}}}), 0);
  fs::remove_all(dir_.path() / "Sostituzioni");
  write_file(dir_.path() / "Sostituzioni", "not a folder");
  const char* says[3] = {"[Al posto della cartella c'è un file con lo stesso nome]",
                         "[An Stelle des Ordners steht eine Datei gleichen Namens]",
                         "[A file of the same name stands where the folder should be]"};
  for (int language = 0; language < 3; ++language) {
    g_status.language = language;
    EXPECT_EQ(run("SOST:scuola2.txt"), -1);
    g_status.language = 0;
    std::string message = g_status.message;
    EXPECT_NE(message.find("[Sostituzioni/]"), std::string::npos) << message;
    EXPECT_NE(message.find(kt::utf8_to_cp1252(says[language])), std::string::npos) << message;
    EXPECT_NE(message.find("or_sost0, line:"), std::string::npos) << message;
  }
  EXPECT_EQ(read_file(dir_.path() / "Sostituzioni"), "not a folder");
}

// Nothing chosen, nothing written; nothing computed, no reports.
TEST_F(DailySubstitutions, StepsWithoutTheirDataSaySoAndWriteNothing) {
  write_file(dir_.path() / "assenze.txt", "kept\n");
  EXPECT_EQ(run("SOSA:scuola2.txt"), -3);
  EXPECT_NE(std::string(g_status.message).find("Nessun giorno"), std::string::npos) << g_status.message;
  EXPECT_EQ(read_file(dir_.path() / "assenze.txt"), "kept\n");
  EXPECT_EQ(run("SOSX:scuola2.txt"), -3);
  EXPECT_NE(std::string(g_status.message).find("Nessuna sostituzione calcolata"), std::string::npos);
  fs::remove(dir_.path() / "assenze.txt");
  EXPECT_EQ(run("SOST:scuola2.txt"), -3);
  EXPECT_NE(std::string(g_status.message).find("manca assenze.txt"), std::string::npos) << g_status.message;
  EXPECT_FALSE(fs::exists(dir_.path() / "Sostituzioni"));
}

}  // namespace
