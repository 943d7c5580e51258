// A class calendar that cannot hold the class's lessons is refused when the
// computation starts, naming the class, in the user's language, before any
// file is written; a calendar with room enough for them computes as before.
// (The provisional week and the teachers' side: the provisional page's test.)
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "orario_run_support.h"

using engine_test::read_file;
using engine_test::TempDir;
using engine_test::write_file;
using orario_test::contains;
using orario_test::entries;
using orario_test::Outcome;
using orario_test::run_orario;

namespace {

// The small sample school with 28 lessons in 1A (one subject fewer), which
// gives 1A a calendar pseudo-teacher, and a per-slot calendar for 1A.
std::string school_with_calendar(const std::string& calendar) {
  std::string text = read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
  std::string geography = "GM:GEOGRAFIA\t\nROSSI\t1A 2\t\n";
  std::size_t at = text.find(geography);
  EXPECT_NE(at, std::string::npos);
  if (at != std::string::npos) text.replace(at, geography.size(), "GM:GEOGRAFIA\t\n");
  return text + "CALESPE:G:1A:" + calendar + "\t\n";
}

// A stored exemption line: the record's constraint id and class, the rest 0.
std::string exemption_line(int id, int class_index) {
  std::string bytes(219, '\0');
  bytes[2] = static_cast<char>(id);
  bytes[10] = static_cast<char>(class_index);
  std::string line = "0219";
  char hex[3];
  for (char b : bytes) {
    std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(b));
    line += hex;
  }
  return line + "\r\n";
}

}  // namespace

TEST(CalendarCapacity, AClassCalendarTooSmallForItsLessonsIsRefusedAtOnce) {
  struct Case { const char* env; const char* text; } cases[] = {
      {"LANG=it_IT.UTF-8", "Il calendario delle classi non può contenere le lezioni:\nclassi: 1A (28 ore, calendario 25)]"},
      {"LANG=de_DE.UTF-8", "Der Kalender der Klassen fasst die Stunden nicht:\nKlassen: 1A (28 Stunden, Kalender 25)]"},
      {"LANG=en_GB.UTF-8", "The classes' calendar cannot hold the lessons:\nclasses: 1A (28 hours, calendar 25)]"},
  };
  for (const Case& c : cases) {
    TempDir school;
    write_file(school.file("scuola2.txt"), school_with_calendar("LU:1-5MA:1-5ME:1-5GI:1-5VE:1-5"));
    Outcome o = run_orario(school, c.env, "--seed 3 CALC:scuola2.txt");
    EXPECT_EQ(o.status, 3) << c.env << o.err;
    EXPECT_TRUE(contains(o.err, c.text)) << c.env << ": " << o.err;
    EXPECT_FALSE(contains(o.err, "ROSSI")) << "1A's teachers fit: " << o.err;
    EXPECT_FALSE(contains(o.out, "SEME")) << "refused before the placement";
    EXPECT_EQ(entries(school).count("savego.txt"), 0u) << c.env;
  }
  // The class's calendar violations granted as an exemption: a lesson may
  // stand outside its calendar, so the computation runs.
  {
    TempDir school;
    write_file(school.file("scuola2.txt"), school_with_calendar("LU:1-5MA:1-5ME:1-5GI:1-5VE:1-5"));
    write_file(school.file("scuola3.txt"), exemption_line(84, 0));  // 1A is the first class
    Outcome o = run_orario(school, "", "--seed 3 --time-limit 1 CALC:scuola2.txt");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_FALSE(contains(o.err, "1A")) << o.err;
  }
  // Three more hours on Saturday hold the 28 lessons: the computation runs.
  TempDir school;
  write_file(school.file("scuola2.txt"), school_with_calendar("LU:1-5MA:1-5ME:1-5GI:1-5VE:1-5SA:1-3"));
  Outcome o = run_orario(school, "", "--seed 3 --time-limit 2 CALC:scuola2.txt");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(contains(o.out, "SEME")) << o.out.substr(0, 400);
  EXPECT_EQ(entries(school).count("savego.txt"), 1u);
}
