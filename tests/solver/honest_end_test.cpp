// The orario program's commands end, and end honestly: a computation judges
// the teachers' gap hours against their real allowance whatever tolerance
// the gap stage worked with, and the room allocation without a room window
// ends by itself.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "school_fixture.h"
#include "test_temp_folder.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
  int status = -1;
  std::string out;
};

class School {
 public:
  School() : dir_("kt-honest-") {}
  const fs::path& path() const { return dir_.path(); }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path() / name, std::ios::binary) << bytes;
  }
  std::string read(const std::string& name) const { return file_text(path() / name); }
  Outcome orario(const std::string& args) const {
    Outcome r;
    r.status = run_orario_in(path(), path(), args, &r.out);
    return r;
  }

 private:
  kt_test::TempDir dir_;
};

// The violation lines ("E:...") of a text, without the focus markers behind
// the closing parenthesis.
std::multiset<std::string> violation_lines(const std::string& text) {
  std::multiset<std::string> lines;
  std::size_t at = 0;
  while ((at = text.find("E:", at)) != std::string::npos) {
    if (at > 0 && text[at - 1] != '\n') {
      at += 2;
      continue;
    }
    std::size_t end = text.find('\n', at);
    std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    std::size_t close = line.rfind(')');
    lines.insert(line.substr(0, close == std::string::npos ? line.size() : close + 1));
    at = end == std::string::npos ? text.size() : end;
  }
  return lines;
}

int number_after(const std::string& text, const std::string& label) {
  std::size_t at = text.find(label);
  return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + label.size());
}

// One day of 5 hours; ROSSI teaches one hour in each class and refuses hours
// 2 to 4, so a day without gap hours for him breaks his refused hours: no
// timetable of this school is free of errors, and the gap stage that
// tolerates gaps reaches zero errors only by tolerance. The computation runs
// until it is stopped.
const char kGapSchool[] =
    "REM:Scuola Buchi\nREM:C:\\ORARIO\\BUCHI (test)\nREM:CBUCHI|Prova|\nREM:Anno 2026|\n"
    "DATARELEASE:|5.8.C|\nCLNAMES:\t2\t\n"
    "DAYS:\tLU5-Lunedi\tMA0-Martedi\tME0-Mercoledi\tGI0-Giovedi\tVE0-Venerdi\tSA0-Sabato\tDO0-Domenica\t\n"
    "SEDECL:\tCENTRO\t1A-1B\t\n\nGM:ITALIANO\t\nROSSI\t1A 1\t\n\t1B 1\t\nBIANCHI\t1A 4\t\nVERDI\t1B 4\t\n"
    "V:\tROSSI\tOP:LU:2-4\t\n";

TEST(HonestEnd, TheFinalResultCountsGapsAgainstTheRealAllowance) {
  for (int seed : {1, 2, 3}) {
    School school;
    school.write("scuola2.txt", kGapSchool);
    Outcome calc = school.orario("--seed " + std::to_string(seed) + " --time-limit 1 CALC:scuola2.txt");
    ASSERT_EQ(calc.status, 0) << calc.out;
    int record = number_after(calc.out, "Finito raggiunto record=");
    EXPECT_GT(record, 0) << "seed " << seed << ": no timetable of this school is free of errors";
    // The saved timetable checked afresh gives what the computation said.
    Outcome check = school.orario("SNOD:scuola2.txt");
    ASSERT_EQ(check.status, 0) << check.out;
    EXPECT_EQ(number_after(check.out, "Violazioni residue: "), record) << "seed " << seed;
    std::multiset<std::string> residual = violation_lines(school.read("Orario/Errori Residui.txt"));
    EXPECT_FALSE(residual.empty()) << "seed " << seed;
    EXPECT_EQ(residual, violation_lines(check.out)) << "seed " << seed;
  }
}

// Every command of the room and balancing family ends by itself on the
// sample schools; the classroom allocation without a room window leaves its
// report and keeps the saved timetable.
TEST(HonestEnd, RoomAllocationWithoutAWindowEnds) {
  for (const char* sample : {"piccola", "liceo"}) {
    School school;
    std::ifstream description(std::string(KT_SOURCE_DIR) + "/examples/" + sample + "/scuola2.txt",
                              std::ios::binary);
    school.write("scuola2.txt", std::string(std::istreambuf_iterator<char>(description), {}));
    // A stopped computation saves its best timetable: enough to allocate.
    Outcome calc = school.orario("--seed 5 --time-limit 3 CALC:scuola2.txt");
    ASSERT_EQ(calc.status, 0) << sample << calc.out;
    std::string saved = school.read("savego.txt");
    Outcome asau = school.orario("ASAU:scuola2.txt");
    EXPECT_EQ(asau.status, 0) << sample << asau.out;
    EXPECT_NE(asau.out.find("Fine Output"), std::string::npos) << sample << asau.out;
    int reports = 0;
    for (const auto& entry : fs::directory_iterator(school.path() / "Orario"))
      if (entry.path().filename().string().rfind("Allocazione Aule", 0) == 0) {
        EXPECT_NE(school.read("Orario/" + entry.path().filename().string()).find("|Aula   1 |"), std::string::npos);
        ++reports;
      }
    EXPECT_GT(reports, 0) << sample;
    EXPECT_EQ(school.read("savego.txt"), saved) << sample;
  }
}

// A save that places only part of the lessons (here one cut in half, so a
// damaged one): "SNOD:" and "RIGO:" take it over (exit status 4, result
// -999) with the engine's warning that names the damage, and the next check
// reads a whole timetable.
TEST(HonestEnd, APartialSaveIsTakenOverAfterChangedPosts) {
  std::ifstream description(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt", std::ios::binary);
  std::string school_text(std::istreambuf_iterator<char>(description), {});
  std::ifstream saved(std::string(KT_TEST_DATA) + "/savefiles/piccola-savego.txt", std::ios::binary);
  std::string lines(std::istreambuf_iterator<char>(saved), {});
  for (const char* command : {"SNOD:", "RIGO:"}) {
    School school;
    school.write("scuola2.txt", school_text);
    school.write("savego.txt", lines.substr(0, lines.size() / 2));
    Outcome taken = school.orario(std::string(command) + "scuola2.txt");
    EXPECT_EQ(taken.status, 4) << command << taken.out;
    EXPECT_NE(taken.out.find("Attenzione: il file dell'orario salvato era danneggiato"), std::string::npos)
        << command << taken.out;
    EXPECT_EQ(school.orario("SNOD:scuola2.txt").status, 0) << command;
  }
}

}  // namespace
