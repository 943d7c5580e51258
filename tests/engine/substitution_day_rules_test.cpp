// The day's substitutions through or_main on the small sample school with its
// saved week, on every day of the week with several sets of absent teachers:
// who covers each lesson follows the documented order (a teacher on stand-by
// at that hour first, then a free teacher of the class who is at school that
// day and whose lessons and hours at school that day stay within his daily
// limits with the cover; never one who receives parents then ("ricevi.txt")
// or whose own constraints close the hour; the
// fewest substitutions that day first, then the school's order), worked out here
// from the loaded week; "dati_sostituzioni.txt" holds the rows byte for byte;
// both reports hold every row as laid out in each language; the default
// absence reasons in each language; a day asked for without absences or
// reports without a computed day are refused with their texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/model_post_passes.h"
#include "engine/presolve.h"
#include "engine/reception_exemption_files.h"
#include "engine/status_block.h"
#include "engine/substitution_services.h"
#include "engine/teacher_availability.h"
#include "orario_run_support.h"
#include "platform/cp1252.h"

namespace {

int run(const char* command) {
  const char* argv[] = {"orario", command, nullptr};
  return or_main(1, 2, argv);
}

class SubstitutionDayRules : public ::testing::Test {
 protected:
  void SetUp() override {
    orario_test::piccola_with_saved_week(school_);
    g_status.clear();
    g_provisional_mode = 0;
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
  }
  void TearDown() override {
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
    g_status.clear();
  }
  engine_test::TempDir school_;
  engine_test::InFolder in_{school_.path()};
};

// Three teachers get three stand-by hours each ("TED:"), which the program
// places on the saved week ("DISP:").
void give_standby_hours(const engine_test::TempDir& school) {
  std::string text = engine_test::read_file(school.file("scuola2.txt"));
  for (const char* name : {"\nBIANCHI\t", "\nFERRARI\t", "\nGALLO\t"}) {
    std::size_t at = text.find(name);
    ASSERT_NE(at, std::string::npos) << name;
    text.insert(at + std::strlen(name), "TED:18+3\t");
  }
  engine_test::write_file(school.file("scuola2.txt"), text);
  const char* argv[] = {"orario", "DISP:scuola2.txt", nullptr};
  ASSERT_EQ(or_main(1, 2, argv), 0) << g_status.message;
  g_status.clear();
}

bool candidate(int t) {
  return !or_is_calendar_teacher(t) && !(g_eng_teachers[t].type_flags & kTeacherLabPseudo) &&
         g_eng_teachers[t].name[0] != '\0';
}

bool standby(int l) { return g_eng_lessons[l].standby_marker == 1 || or_is_standby_class(g_eng_lessons[l].class_index); }

struct Expected {
  int hour;
  std::string klass, absent, substitute;
  int kind;
};

// The rows the rules give for `day` (0-based) with `away` (teacher -> hours),
// in the order hour, class name; ties of hour and class are kept as the
// lessons come.
std::vector<Expected> expected_rows(int day, const std::map<int, std::set<int>>& away) {
  int n = g_eng_school.teacher_count;
  auto is_away = [&](int t, int h) {
    auto it = away.find(t);
    return it != away.end() && it->second.count(h) > 0;
  };
  std::vector<std::vector<int>> use(n, std::vector<int>(kHoursPerDay, 0));  // 0 free, 1 stand-by, 2 teaching
  std::vector<bool> at_school(n, false);
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (!or_lesson_placed(l) || x.day != day || x.hour >= kHoursPerDay) continue;
    for (int t : {x.teacher.get(), or_lesson_has_second(l) ? x.second_teacher : -1}) {
      if (t < 0 || t >= n) continue;
      use[t][x.hour] = std::max(use[t][x.hour], standby(l) ? 1 : 2);
      at_school[t] = true;
    }
  }
  std::vector<std::tuple<int, std::string, int, int>> needs;  // hour, class name, lesson, absent
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (!or_lesson_placed(l) || x.day != day || x.hour >= or_day_hours(day)) continue;
    if (x.class_index < 0 || or_is_pseudo_class(x.class_index) || or_is_calendar_teacher(x.teacher)) continue;
    int second = or_lesson_has_second(l) ? x.second_teacher : -1;
    bool second_there = second >= 0 && !is_away(second, x.hour) && candidate(second);
    if (x.teacher >= 0 && is_away(x.teacher, x.hour) && !second_there)
      needs.emplace_back(x.hour, g_eng_classes[x.class_index].display_name, l, x.teacher);
  }
  std::stable_sort(needs.begin(), needs.end(), [](const auto& a, const auto& b) {
    return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
  });
  // The reception hours, as the file holds them.
  for (int t = 0; t < n; ++t) g_eng_teachers[t].reset_marker = 255;
  EXPECT_EQ(or_read_reception_slots(), 0);
  auto receives = [&](int t, int h) {
    return g_eng_teachers[t].reset_marker == day && g_eng_teachers[t].reception_hour == h;
  };
  std::vector<int> load(n, 0), free_covers(n, 0);
  std::set<std::pair<int, int>> given;
  // One more lesson at a free hour: his lessons and free-hour covers within
  // his most lessons a day, his day at school no longer than his most hours
  // of presence unless it was already.
  auto within_limits = [&](int t, int hour) {
    int lessons = 1 + free_covers[t], first = hour, last = hour, was_first = -1, was_last = -1;
    for (int h = 0; h < kHoursPerDay; ++h) {
      lessons += use[t][h] == 2;
      if (use[t][h] == 0 && !given.count({t, h})) continue;
      if (was_first < 0) was_first = h;
      was_last = h;
      first = std::min(first, h);
      last = std::max(last, h);
    }
    int span = last - first + 1, was = was_first < 0 ? 0 : was_last - was_first + 1;
    return lessons <= or_teacher_daily_teaching_limit(t) && (span <= was || span <= or_teacher_daily_presence_limit(t));
  };
  std::vector<Expected> rows;
  for (const auto& [hour, klass, lesson, absent] : needs) {
    Expected r{hour, klass, g_eng_teachers[absent].name, "", kUncovered};
    int class_index = g_eng_lessons[lesson].class_index;
    for (int kind : {int(kCoveredByStandby), int(kCoveredByClassTeacher)}) {
      int best = -1;
      for (int t = 0; t < n; ++t) {
        if (!candidate(t) || is_away(t, hour) || given.count({t, hour}) || receives(t, hour) ||
            or_teacher_slot_closed(t, day, hour))
          continue;
        bool fits = kind == kCoveredByStandby
                        ? use[t][hour] == 1
                        : use[t][hour] == 0 && at_school[t] && or_teacher_has_class(t, class_index) &&
                              within_limits(t, hour);
        if (fits && (best < 0 || load[t] < load[best])) best = t;
      }
      if (best < 0) continue;
      given.insert({best, hour});
      ++load[best];
      if (kind == kCoveredByClassTeacher) ++free_covers[best];
      r.substitute = g_eng_teachers[best].name;
      r.kind = kind;
      break;
    }
    rows.push_back(r);
  }
  return rows;
}

// The teachers with the most lessons on `day`, busiest first.
std::vector<int> busiest(int day, std::size_t count) {
  std::vector<std::pair<int, int>> lessons;  // -count, teacher
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    if (!candidate(t)) continue;
    int c = 0;
    for (int l = 0; l < g_eng_school.lesson_count; ++l)
      c += or_lesson_placed(l) && g_eng_lessons[l].day == day && g_eng_lessons[l].teacher == t &&
           !or_is_pseudo_class(g_eng_lessons[l].class_index);
    lessons.emplace_back(-c, t);
  }
  std::sort(lessons.begin(), lessons.end());
  std::vector<int> out;
  for (std::size_t i = 0; i < lessons.size() && out.size() < count; ++i) out.push_back(lessons[i].second);
  return out;
}

std::string pad(const std::string& text, std::size_t width) {
  std::string t = text.substr(0, width);
  return t + std::string(width - t.size(), ' ');
}

TEST_F(SubstitutionDayRules, EachDaysCoverFollowsTheOrderOfTheRulesAndItsFileHoldsTheRows) {
  ASSERT_NO_FATAL_FAILURE(give_standby_hours(school_));
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  int days = g_substitution_state.day_count;
  ASSERT_EQ(days, 6);
  int standby_rows = 0, class_rows = 0, uncovered_rows = 0, shared_load = 0;
  for (int day = 1; day <= days; ++day) {
    // Away the whole day, the first hours only, and every other hour.
    for (int pattern = 0; pattern < 3; ++pattern) {
      SCOPED_TRACE("day " + std::to_string(day) + " pattern " + std::to_string(pattern));
      ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
      std::vector<int> absent = busiest(day - 1, pattern == 0 ? 3 : 5);
      SubstitutionState& s = g_substitution_state;
      s.day = day;
      s.absent_count = static_cast<int>(absent.size());
      std::map<int, std::set<int>> away;
      for (std::size_t a = 0; a < absent.size(); ++a) {
        std::memset(&s.absent[a], 0, sizeof s.absent[a]);
        std::snprintf(s.absent[a].name, sizeof s.absent[a].name, "%s", g_eng_teachers[absent[a]].name);
        s.absent[a].reason = 1;
        for (int h = 0; h < kAbsenceHours && h < kHoursPerDay; ++h) {
          bool out = pattern == 0 || (pattern == 1 && h < 3) || (pattern == 2 && (h + static_cast<int>(a)) % 2 == 0);
          s.absent[a].hours[h] = out ? 1 : 0;
          if (out) away[absent[a]].insert(h);
        }
      }
      ASSERT_EQ(run("SOSA:scuola2.txt"), 0) << g_status.message;
      ASSERT_EQ(run("SOST:scuola2.txt"), 0) << g_status.message;
      std::vector<Expected> want = expected_rows(day - 1, away);
      ASSERT_EQ(s.computed_day, day);
      ASSERT_EQ(s.row_count, static_cast<int>(want.size()));
      std::string file = "GIORNO:" + std::to_string(day) + "|" + g_eng_school.day_names[day - 1] + "\n";
      std::map<std::string, int> load;
      for (int i = 0; i < s.row_count; ++i) {
        const SubstitutionRow& r = s.rows[i];
        const Expected& e = want[static_cast<std::size_t>(i)];
        EXPECT_EQ(r.hour, e.hour) << i;
        EXPECT_EQ(std::string(r.class_name), e.klass) << i;
        EXPECT_EQ(std::string(r.absent), e.absent) << i;
        EXPECT_EQ(std::string(r.substitute), e.substitute) << i << " " << r.class_name << " hour " << r.hour;
        EXPECT_EQ(+r.kind, e.kind) << i;
        standby_rows += e.kind == kCoveredByStandby;
        class_rows += e.kind == kCoveredByClassTeacher;
        uncovered_rows += e.kind == kUncovered;
        if (!e.substitute.empty() && ++load[e.substitute] == 2) ++shared_load;
        file += std::to_string(e.hour + 1) + "|" + e.klass + "|" + e.absent + "|" + e.substitute + "|" +
                std::to_string(e.kind) + "\n";
      }
      EXPECT_EQ(engine_test::read_file(school_.file("Sostituzioni/dati_sostituzioni.txt")), file);
    }
  }
  // The sets above reach every kind of cover and teachers covering twice a day.
  EXPECT_GT(standby_rows, 0);
  EXPECT_GT(class_rows, 0);
  EXPECT_GT(uncovered_rows, 0);
  EXPECT_GT(shared_load, 0);
}

TEST_F(SubstitutionDayRules, BothReportsHoldEveryRowInEachLanguage) {
  struct Words {
    const char *by_hour, *by_teacher, *hour, *klass, *absent, *substitute, *how, *uncovered_kind, *standby_kind,
        *class_kind, *count, *day;
  };
  const Words words[3] = {
      {"Sostituzioni", "Sostituzioni per Docente", "Ora", "Classe", "Assente", "Sostituto", "Tipo", "SCOPERTA",
       "Disposizione", "Docente della classe", "Ore scoperte: ", "Giorno: "},
      {"Vertretungen", "Vertretungen nach Lehrer", "Stunde", "Klasse", "Abwesend", "Vertreter", "Art",
       "NICHT VERTRETEN", "Verf\xfcgung", "Lehrer der Klasse", "Nicht vertretene Stunden: ", "Tag: "},
      {"Substitutions", "Substitutions by Teacher", "Hour", "Class", "Absent", "Substitute", "Kind", "UNCOVERED",
       "Stand-by", "Class teacher", "Uncovered hours: ", "Day: "}};
  for (int language = 0; language < 3; ++language) {
    SCOPED_TRACE(language);
    g_status.clear();
    ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
    SubstitutionState& s = g_substitution_state;
    std::vector<int> absent = busiest(2, 4);
    s.day = 3;
    s.absent_count = static_cast<int>(absent.size());
    for (std::size_t a = 0; a < absent.size(); ++a) {
      std::memset(&s.absent[a], 0, sizeof s.absent[a]);
      std::snprintf(s.absent[a].name, sizeof s.absent[a].name, "%s", g_eng_teachers[absent[a]].name);
      for (int h = 0; h < 6; ++h) s.absent[a].hours[h] = 1;
    }
    ASSERT_EQ(run("SOSA:scuola2.txt"), 0) << g_status.message;
    ASSERT_EQ(run("SOST:scuola2.txt"), 0) << g_status.message;
    g_status.language = static_cast<std::int8_t>(language);
    ASSERT_EQ(run("SOSX:scuola2.txt"), 0) << g_status.message;
    const Words& w = words[language];
    std::string header = pad(w.hour, 6) + "|" + pad(w.klass, 20) + "|" + pad(w.absent, 20) + "|" + pad(w.substitute, 20) +
                         "|" + pad(w.how, 20) + "|";
    std::string rule = std::string(header.size(), '-') + "\n";
    std::string day = std::string(w.day) + s.day_names[2] + "\n\n";
    std::string by_hour = day + rule + header + "\n" + rule;
    int uncovered = 0;
    std::vector<const SubstitutionRow*> covered;
    ASSERT_GT(s.row_count, 3);
    for (int i = 0; i < s.row_count; ++i) {
      const SubstitutionRow& r = s.rows[i];
      const char* kind = r.kind == kCoveredByStandby ? w.standby_kind : r.kind == kCoveredByClassTeacher ? w.class_kind : w.uncovered_kind;
      by_hour += pad(std::to_string(r.hour + 1), 6) + "|" + pad(r.class_name, 20) + "|" + pad(r.absent, 20) + "|" +
                 pad(r.kind == kUncovered ? "" : r.substitute, 20) + "|" + pad(kind, 20) + "|\n";
      if (r.kind == kUncovered) ++uncovered;
      else covered.push_back(&r);
    }
    by_hour += rule + w.count + std::to_string(uncovered) + "\n";
    EXPECT_EQ(engine_test::read_file(school_.file(std::string("Sostituzioni/") + w.by_hour + ".txt")), by_hour);
    std::stable_sort(covered.begin(), covered.end(), [](const SubstitutionRow* a, const SubstitutionRow* b) {
      return std::strcmp(a->substitute, b->substitute) < 0;
    });
    header = pad(w.substitute, 20) + "|" + pad(w.hour, 6) + "|" + pad(w.klass, 20) + "|" + pad(w.absent, 20) + "|";
    rule = std::string(header.size(), '-') + "\n";
    std::string by_teacher = day + rule + header + "\n" + rule;
    for (const SubstitutionRow* r : covered)
      by_teacher += pad(r->substitute, 20) + "|" + pad(std::to_string(r->hour + 1), 6) + "|" + pad(r->class_name, 20) +
                    "|" + pad(r->absent, 20) + "|\n";
    by_teacher += rule;
    EXPECT_EQ(engine_test::read_file(school_.file(std::string("Sostituzioni/") + w.by_teacher + ".txt")), by_teacher);
    EXPECT_TRUE(orario_test::contains(
        engine_test::read_file(school_.file(std::string("Sostituzioni/") + w.by_hour + ".rtf")), "{\\rtf"));
  }
}

TEST_F(SubstitutionDayRules, TheDefaultAbsenceReasonsAreThoseOfTheLanguage) {
  const std::vector<std::string> reasons[3] = {{"Malattia", "Permesso", "Famiglia", "Recupero", "Legge 104"},
                                               {"Krankenheit", "Familie"},
                                               {"Sickness", "Family"}};
  for (int language = 0; language < 3; ++language) {
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
    g_status.clear();
    g_status.language = static_cast<std::int8_t>(language);
    ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
    const SubstitutionState& s = g_substitution_state;
    std::vector<std::string> got;
    for (int r = 0; r < s.reason_count; ++r) got.push_back(s.reasons[r]);
    EXPECT_EQ(got, reasons[language]) << language;
    EXPECT_EQ(s.day, 0);
    EXPECT_EQ(s.absent_count, 0);
  }
}

TEST_F(SubstitutionDayRules, NothingToComputeIsRefusedWithItsText) {
  const char* no_absences[3] = {
      "Nessuna assenza registrata (manca assenze.txt): indicare prima gli insegnanti assenti",
      "Keine Abwesenheiten gespeichert (assenze.txt fehlt): zuerst die abwesenden Lehrer angeben",
      "No absences recorded (assenze.txt is missing): first name the absent teachers"};
  const char* nothing_computed[3] = {
      "Nessuna sostituzione calcolata: eseguire prima il calcolo delle sostituzioni del giorno",
      "Keine Vertretung berechnet: zuerst die Vertretungen des Tages berechnen",
      "No substitutions computed: first compute the substitutions of the day"};
  for (int language = 0; language < 3; ++language) {
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
    g_status.clear();
    g_status.language = static_cast<std::int8_t>(language);
    EXPECT_NE(run("SOST:scuola2.txt"), 0);
    EXPECT_TRUE(orario_test::contains(g_status.message, no_absences[language])) << g_status.message;
    EXPECT_FALSE(std::filesystem::exists(school_.path() / "Sostituzioni" / "dati_sostituzioni.txt"));
    g_status.clear();
    g_status.language = static_cast<std::int8_t>(language);
    EXPECT_NE(run("SOSX:scuola2.txt"), 0);
    EXPECT_TRUE(orario_test::contains(g_status.message, nothing_computed[language])) << g_status.message;
  }
}

TEST_F(SubstitutionDayRules, TheAbsencesFileHoldsTheDayTheReasonsAndEachTeachersHours) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  SubstitutionState& s = g_substitution_state;
  s.day = 4;
  s.absent_count = 2;
  std::snprintf(s.absent[0].name, sizeof s.absent[0].name, "%s", "GRECO");
  s.absent[0].reason = 4;
  for (int h : {0, 5, 11}) s.absent[0].hours[h] = 1;
  std::snprintf(s.absent[1].name, sizeof s.absent[1].name, "%s", "ROSSI");
  s.absent[1].reason = 0;
  for (int h = 1; h < 4; ++h) s.absent[1].hours[h] = 1;
  ASSERT_EQ(run("SOSA:scuola2.txt"), 0) << g_status.message;
  EXPECT_EQ(engine_test::read_file(school_.file("assenze.txt")),
            "GIORNO:4\nMOTIVO:Malattia\nMOTIVO:Permesso\nMOTIVO:Famiglia\nMOTIVO:Recupero\nMOTIVO:Legge 104\n"
            "ASSENTE:GRECO|Legge 104|100001000001\nASSENTE:ROSSI|Malattia|011100000000\n");
}

TEST_F(SubstitutionDayRules, WhatTheAbsencesFileCannotCarryIsRefusedWithItsText) {
  struct Case {
    const char* id;
    int day;
    const char* name;
    const char* reason;
    int reason_index;
    const char* text;
  } cases[] = {
      {"no day", 0, "ROSSI", "Malattia", 0,
       "Nessun giorno di assenze da registrare: scegliere il giorno e gli insegnanti assenti"},
      {"day past the week", 8, "ROSSI", "Malattia", 0,
       "Nessun giorno di assenze da registrare: scegliere il giorno e gli insegnanti assenti"},
      {"bar in a name", 2, "RO|SSI", "Malattia", 0, "Nome non registrabile in assenze.txt: \"RO|SSI\""},
      {"empty name", 2, "", "Malattia", 0, "Nome non registrabile in assenze.txt: \"\""},
      {"tab in a name", 2, "RO\tSSI", "Malattia", 0, "Nome non registrabile in assenze.txt: \"RO"},
      {"bar in a reason", 2, "ROSSI", "Gi|ta", 0, "Nome non registrabile in assenze.txt: \"Gi|ta\""},
      {"reason not listed", 2, "ROSSI", "Malattia", 1, "Nome non registrabile in assenze.txt: \"ROSSI\""},
  };
  for (const Case& c : cases) {
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
    g_status.clear();
    SubstitutionState& s = g_substitution_state;
    s.day = c.day;
    s.reason_count = 1;
    std::snprintf(s.reasons[0], sizeof s.reasons[0], "%s", c.reason);
    s.absent_count = 1;
    std::snprintf(s.absent[0].name, sizeof s.absent[0].name, "%s", c.name);
    s.absent[0].reason = c.reason_index;
    EXPECT_NE(run("SOSA:scuola2.txt"), 0) << c.id;
    EXPECT_TRUE(orario_test::contains(g_status.message, c.text)) << c.id << ": " << g_status.message;
    EXPECT_FALSE(std::filesystem::exists(school_.path() / "assenze.txt")) << c.id;
  }
}

TEST_F(SubstitutionDayRules, ADamagedAbsencesFileIsNamedWithItsLineAndWhy) {
  std::string long_reason = "MOTIVO:" + std::string(21, 'x') + "\n";
  std::string many_reasons = "GIORNO:2\n";
  for (int r = 0; r < 41; ++r) many_reasons += "MOTIVO:M" + std::to_string(r) + "\n";
  std::string long_line = "GIORNO:2\nMOTIVO:" + std::string(300, 'y') + "\n";
  std::string zero = std::string("GIORNO:2\nMOTIVO:Gi") + '\0' + "ta\n";
  struct Case {
    std::string file;
    int line;
    const char* why[3];
    std::string shown;
    bool whole = true;  // the line shown ends there
  } cases[] = {
      {"GIORNO:2\nPIPPO\n", 2, {"riga sconosciuta", "unbekannte Zeile", "unknown line"}, "PIPPO"},
      {"GIORNO:0\n", 1, {"giorno non valido", "ungültiger Tag", "invalid day"}, "GIORNO:0"},
      {"GIORNO:7\n", 1, {"giorno non valido", "ungültiger Tag", "invalid day"}, "GIORNO:7"},
      {"GIORNO:2x\n", 1, {"giorno non valido", "ungültiger Tag", "invalid day"}, "GIORNO:2x"},
      {"GIORNO:\n", 1, {"giorno non valido", "ungültiger Tag", "invalid day"}, "GIORNO:"},
      {"GIORNO:2\r\nGIORNO:3\r\n", 2, {"giorno ripetuto", "Tag wiederholt", "day repeated"}, "GIORNO:3"},
      {"GIORNO:2\nASSENTE:NESSUNO|Malattia|111000000000\n", 2,
       {"insegnante sconosciuto", "unbekannter Lehrer", "unknown teacher"}, "ASSENTE:NESSUNO|Malattia|111000000000"},
      {"GIORNO:2\n\nASSENTE:ROSSI|Gita|111000000000\n", 3, {"motivo sconosciuto", "unbekannter Grund", "unknown reason"},
       "ASSENTE:ROSSI|Gita|111000000000"},
      {"GIORNO:2\nMOTIVO:Malattia\nASSENTE:ROSSI|Malattia|11100000000\n", 3, {"ore non valide", "ungültige Stunden", "invalid hours"},
       "ASSENTE:ROSSI|Malattia|11100000000"},
      {"GIORNO:2\nMOTIVO:Malattia\nASSENTE:ROSSI|Malattia|1110000000002\n", 3, {"ore non valide", "ungültige Stunden", "invalid hours"},
       "ASSENTE:ROSSI|Malattia|1110000000002"},
      {"GIORNO:2\nMOTIVO:Malattia\nASSENTE:ROSSI|Malattia|11100000000x\n", 3, {"ore non valide", "ungültige Stunden", "invalid hours"},
       "ASSENTE:ROSSI|Malattia|11100000000x"},
      {"GIORNO:2\nMOTIVO:Malattia\nMOTIVO:Permesso\nASSENTE:ROSSI|Malattia|111000000000\nASSENTE:ROSSI|Permesso|000100000000\n", 5,
       {"insegnante ripetuto", "Lehrer wiederholt", "teacher repeated"}, "ASSENTE:ROSSI|Permesso|000100000000"},
      {"GIORNO:2\nASSENTE:ROSSI|Malattia\n", 2, {"riga sconosciuta", "unbekannte Zeile", "unknown line"},
       "ASSENTE:ROSSI|Malattia"},
      {"MOTIVO:Malattia\nASSENTE:ROSSI|Malattia|111000000000\n", 2, {"manca il giorno", "Tag fehlt", "day missing"}, ""},
      {"GIORNO:2\n" + long_reason, 2,
       {"motivo più lungo di 20 caratteri", "Grund länger als 20 Zeichen", "reason longer than 20 characters"},
       long_reason.substr(0, long_reason.size() - 1)},
      {"GIORNO:2\nMOTIVO:\n", 2,
       {"motivo vuoto o con un carattere non ammesso", "Grund leer oder mit unzulässigem Zeichen",
        "reason empty or with a character not allowed"},
       "MOTIVO:"},
      {many_reasons, 42, {"troppi motivi (al massimo 40)", "zu viele Gründe (höchstens 40)", "too many reasons (at most 40)"},
       "MOTIVO:M40"},
      {long_line, 2, {"riga troppo lunga", "Zeile zu lang", "line too long"}, "MOTIVO:yyyy", false},
      {zero, 2, {"byte zero nella riga", "Null-Byte in der Zeile", "zero byte in the line"}, "MOTIVO:Gi"},
  };
  const char* heads[3] = {"Il file assenze.txt è danneggiato (riga ", "Die Datei assenze.txt ist beschädigt (Zeile ",
                          "The file assenze.txt is damaged (line "};
  for (int language = 0; language < 3; ++language)
    for (const Case& c : cases) {
      engine_test::write_file(school_.file("assenze.txt"), c.file);
      std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
      g_status.clear();
      g_status.language = static_cast<std::int8_t>(language);
      EXPECT_NE(run("SOST:scuola2.txt"), 0) << c.file;
      std::string want = std::string(heads[language]) + std::to_string(c.line) + ": " + c.why[language] + ").\n\"" +
                         c.shown.substr(0, 60) + (c.whole ? "\"" : "");
      std::string message = kt::cp1252_to_utf8(g_status.message);
      EXPECT_TRUE(orario_test::contains(message, want)) << language << " " << c.file << "\n" << message << "\nwanted\n" << want;
      EXPECT_EQ(g_substitution_state.row_count, 0);
      EXPECT_EQ(g_substitution_state.computed_day, 0);
      EXPECT_FALSE(std::filesystem::exists(school_.path() / "Sostituzioni" / "dati_sostituzioni.txt"));
    }
}

TEST_F(SubstitutionDayRules, AFileOfItsOwnReasonsWithWindowsLineEndsIsTakenWhole) {
  engine_test::write_file(school_.file("assenze.txt"),
                          "GIORNO:3\r\n\r\nMOTIVO:Gita\r\nMOTIVO:Corso\r\nASSENTE:ROSSI|Corso|110000000001\r\n"
                          "ASSENTE:GRECO|Gita|000000000000\r\n");
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  const SubstitutionState& s = g_substitution_state;
  EXPECT_EQ(s.day, 3);
  ASSERT_EQ(s.reason_count, 2);
  EXPECT_STREQ(s.reasons[0], "Gita");
  EXPECT_STREQ(s.reasons[1], "Corso");
  ASSERT_EQ(s.absent_count, 2);
  EXPECT_STREQ(s.absent[0].name, "ROSSI");
  EXPECT_EQ(s.absent[0].reason, 1);
  EXPECT_EQ(std::vector<int>(s.absent[0].hours, s.absent[0].hours + kAbsenceHours),
            (std::vector<int>{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_STREQ(s.absent[1].name, "GRECO");
  EXPECT_EQ(s.absent[1].reason, 0);
  // Written back as read, with plain line ends.
  ASSERT_EQ(run("SOSA:scuola2.txt"), 0) << g_status.message;
  EXPECT_EQ(engine_test::read_file(school_.file("assenze.txt")),
            "GIORNO:3\nMOTIVO:Gita\nMOTIVO:Corso\nASSENTE:ROSSI|Corso|110000000001\nASSENTE:GRECO|Gita|000000000000\n");
}

}  // namespace
