// Descriptions too large or too odd for a fuzzer to try: a huge file of
// comments, one enormous line, more teachers than the program allows, text
// in UTF-16 or with a byte-order mark, NUL bytes. The loader either reads
// each (comments are ignored) or refuses it with a message in the user's
// language; it never writes over the description or
// the saved timetable beside it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "loader_harness.h"

namespace {

std::string sample() { return engine_test::read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt"); }

struct Outcome {
  int code;  // orario's exit status: 0 read, 1 file error, 2 configuration, 3 impossible
  std::string message;
  bool files_kept;
};

// "orario SYNT:" on the bytes, beside a saved timetable.
Outcome check(const std::string& bytes) {
  engine_test::TempDir dir;
  const std::string saved = "not a timetable, but the user's file\n";
  engine_test::write_file(dir.file("scuola2.txt"), bytes);
  engine_test::write_file(dir.file("savego.txt"), saved);
  const std::string command = "env -i PATH=/usr/bin:/bin KESTRINTEMPUS_ROOT='" + dir.path().string() + "' '" +
                              KT_BINARY_DIR + "/apps/orario/orario' 'SYNT:" + dir.file("scuola2.txt") +
                              "' >/dev/null 2>'" + dir.file("err") + "'";
  int raw = std::system(command.c_str());
  bool kept = engine_test::read_file(dir.file("scuola2.txt")) == bytes &&
              engine_test::read_file(dir.file("savego.txt")) == saved;
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : 1000, engine_test::read_file(dir.file("err")), kept};
}

std::string teachers(int n) {
  std::string text = std::string(loader_test::kWeek) + "GM:MAT\t\n";
  for (int t = 0; t < n; ++t) text += "T" + std::to_string(t) + "\t1A 0\t\n";
  return text;
}

std::string utf16(const std::string& text) {
  std::string out = "\xFF\xFE";
  for (char c : text) {
    out += c;
    out += '\0';
  }
  return out;
}

TEST(HostileFiles, AreReadOrRefusedWithAMessageAndNothingIsOverwritten) {
  const std::string piccola = sample();
  std::string comments;
  while (comments.size() < (50u << 20)) comments += "REM:una riga di commento che il programma ignora\n";
  const struct {
    const char* id;
    std::string bytes;
    int loads;  // 1 must load, 0 must be refused, -1 either
  } cases[] = {
      {"50 MB of comments", piccola + comments, 1},
      {"a 10 MB line", piccola + "REM:" + std::string(10u << 20, 'x') + "\n", 1},
      {"a 10 MB teacher line", piccola + "ROSSI\t" + std::string(10u << 20, '1') + "\n", 0},
      {"600 teachers", teachers(600), 0},
      {"UTF-8 byte-order mark", "\xEF\xBB\xBF" + piccola, -1},
      {"UTF-16", utf16(piccola), 0},
      {"NUL bytes in a line", piccola + std::string("ROSSI\t1A\0 2\t\n", 13), 0},
      {"NUL bytes only", std::string(4096, '\0'), 0},
  };
  for (const auto& c : cases) {
    Outcome outcome = check(c.bytes);
    EXPECT_TRUE(outcome.files_kept) << c.id;
    if (c.loads == 1 || (c.loads == -1 && outcome.code == 0)) {
      EXPECT_EQ(outcome.code, 0) << c.id << ": " << outcome.message;
    } else {
      EXPECT_TRUE(outcome.code >= 1 && outcome.code <= 3) << c.id << ": " << outcome.code;
      EXPECT_FALSE(outcome.message.empty()) << c.id;
    }
  }
}

}  // namespace
