// The orario program's room and substitution commands on the small sample
// school with its saved week: the lesson-to-room allocation from the room
// options, run as the room-allocation phase or by itself, prints each
// class's room changes and writes the allocation report; the substitution
// reports and the absences file, which only the desktop can fill, are
// refused with what to do first.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "orario_run_support.h"

namespace fs = std::filesystem;
using engine_test::TempDir;
using orario_test::contains;
using orario_test::Outcome;
using orario_test::run_orario;

TEST(OrarioRoomCommands, LessonsToRoomsPrintEachClassesChangesAndWriteTheReport) {
  struct Case { const char* command; const char* title; } cases[] = {
      {"ASAU:scuola2.txt", "\nINIZIO REPORT "},
      {"MISV:scuola2.txt", "\nINIZIO Riduzione Sovrapposizioni "},
  };
  for (const Case& c : cases) {
    TempDir school;
    orario_test::piccola_with_saved_week(school);
    Outcome o = run_orario(school, "LANG=it_IT.UTF-8", std::string("--seed 3 --time-limit 5 --rooms 2 ") + c.command);
    ASSERT_EQ(o.status, 0) << c.command << ": " << o.err;
    EXPECT_TRUE(contains(o.out, c.title)) << c.command << o.out.substr(0, 600);
    EXPECT_TRUE(contains(o.out, "\nFine Output [")) << c.command;
    for (const char* code : {"\n1A: ", "\n2A: ", "\n3A: ", "\n1B: ", "\n2B: ", "\n3B: "})
      EXPECT_TRUE(contains(o.out, code)) << c.command << " " << code;
    EXPECT_TRUE(fs::exists(school.path() / "Orario" / "Orario Allocazione Aule.txt")) << c.command;
  }
}

TEST(OrarioRoomCommands, SubstitutionReportsAndAbsencesNeedTheDesktopsDay) {
  struct Case { const char* command; const char* text; } cases[] = {
      {"SOSX:scuola2.txt",
       "[Nessuna sostituzione calcolata: eseguire prima il calcolo delle sostituzioni del giorno]"},
      {"SOSA:scuola2.txt",
       "[Nessun giorno di assenze da registrare: scegliere il giorno e gli insegnanti assenti]"},
  };
  for (const Case& c : cases) {
    TempDir school;
    orario_test::piccola_with_saved_week(school);
    Outcome o = run_orario(school, "LANG=it_IT.UTF-8", c.command);
    EXPECT_EQ(o.status, 3) << c.command;
    EXPECT_TRUE(contains(o.err, "Elaborazione richiesta impossibile") && contains(o.err, c.text))
        << c.command << ": " << o.err;
    EXPECT_FALSE(fs::exists(school.path() / "Sostituzioni")) << c.command;
  }
}
