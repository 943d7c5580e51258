// Broken descriptions end with 0 (what is left is valid), -2 or -1: never a
// crash, a hang or a write out of bounds.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "loader_harness.h"

namespace {

using loader_test::run_synt;

std::string small_description() {
  return engine_test::read_file(std::string(KT_TEST_DATA) + "/loader/small/scuola2.txt");
}

bool ends_cleanly(int code) { return code == 0 || code == -1 || code == -2; }

// Random bytes alone (1 byte to 32 kB), or after a valid start.
TEST(LoaderBrokenInput, RandomBytes) {
  std::mt19937 generator(20261206);
  for (int round = 0; round < 32; ++round) {
    std::string bytes = round % 2 ? std::string(loader_test::kWeek) + "GM:MAT\t\nROSSI\t1A 2\t\n" : "";
    for (int k = 0; k < 1 << (round / 2); ++k) bytes += static_cast<char>(generator() & 0xFF);
    loader_test::Outcome outcome = run_synt(bytes);
    EXPECT_TRUE(ends_cleanly(outcome.code) && (outcome.code == 0 || !outcome.message.empty())) << round;
  }
}

// Cut, huge, empty and blank descriptions; message "" checks only the clean end.
// A description cut off inside its last line is refused as such before it
// is read; ended there (a line cut and then saved whole), each parser meets
// the cut field and says what it lacks.
TEST(LoaderBrokenInput, CutHugeAndEmptyLines) {
  const std::string week = loader_test::kWeek, rossi = week + "GM:MAT\t\nROSSI\t1A 1\t\n";
  struct Case { const char* id; std::string text; const char* message; } cases[] = {
      {"cut-in-last-line", week + "GM:MAT\t\nROSSI\t1A 2\t\nV:\tROSSI\tGMAX:1", "[Il file \xE8 troncato: la riga "},
      {"days", "REM:x\nDAYS:\tLU6\tMA\n", "Ore del Giorno"}, {"days_fields", "REM:x\nDAYS:\tLU6\tMA6\n", "GIORNI "},
      {"class_item", week + "GM:MAT\t\nROSSI\t1A\n", "Numero di ore ?? "}, {"band", week + "IHBUCHE:\t12-\n", ""},
      {"op", week + "GM:MAT\t\nROSSI\t1A 2\t\nV:\tROSSI\tOP:LU:1-\n", "Configurare OP:da-a .."},
      {"kop", week + "GM:MAT\t\nROSSI\t1A 2 KOP:LU:\n", "Errore di sintassi KOP:"},
      {"task", week + "GM:MAT\t\nROSSI\t1A 2 K:1:\n", "Errore di sintassi COMPITI"},
      {"huge-ov", rossi + "V:\tROSSI\tOV:" + std::string(30000, '9') + "\n", ""},
      {"many-items", rossi + "ROSSI" + loader_test::repeat("\t1A 0", 3000) + "\n", ""},
      {"empty", "", " vuoto"}, {"blank", "\n\n\n\t\t\n", "GIORNI "}, {"nul", std::string("\0\0\0", 3), "GIORNI "},
  };
  for (const Case& c : cases) {
    loader_test::Outcome outcome = run_synt(c.text);
    EXPECT_TRUE(ends_cleanly(outcome.code)) << c.id;
    EXPECT_NE(outcome.message.find(c.message), std::string::npos) << c.id << outcome.message;
  }
}

// The user interface may write the description with Windows line ends or
// stored scrambled: either loads to the same model.
TEST(LoaderWriterForms, LineEndsAndScramblingLoadTheSameModel) {
  std::string whole = small_description();
  ASSERT_EQ(run_synt(whole).code, 0);
  std::vector<int> counts = {g_eng_school.lesson_count, g_eng_school.teacher_count, g_eng_school.room_count};
  std::string crlf, scrambled;
  for (char c : whole) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  {
    engine_test::TempDir dir;
    ASSERT_EQ(engine_test::write_scrambled_file(dir.file("scrambled.txt"), whole), 0);
    scrambled = engine_test::read_file(dir.file("scrambled.txt"));
  }
  ASSERT_NE(scrambled, whole);
  for (const std::string& bytes : {crlf, scrambled}) {
    loader_test::Outcome outcome = run_synt(bytes);
    ASSERT_EQ(outcome.code, 0) << outcome.message;
    EXPECT_EQ(counts, (std::vector<int>{g_eng_school.lesson_count, g_eng_school.teacher_count, g_eng_school.room_count}));
  }
}

// Nearly the whole lesson table joined two by two: the joint-class links
// stay quick, and the class that cannot hold its 4990 hours then stops the
// load cleanly at its lesson list.
TEST(LoaderBrokenInput, ManyJointLessonsStayFast) {
  std::string text = std::string(loader_test::kWeek) + "GM:MAT\t\nROSSI\t1A 4990 I:2A\t2A 4990\t\n";
  loader_test::Outcome outcome = run_synt(text);
  EXPECT_EQ(outcome.code, -1);
  EXPECT_NE(outcome.message.find("SW - Numero di ore eccessivo Classe [1A]"), std::string::npos) << outcome.message;
  EXPECT_EQ((std::vector<int>{g_eng_lessons[0].joint_count, g_eng_lessons[4989].joint_count}), (std::vector<int>{1, 1}));
}

}  // namespace
