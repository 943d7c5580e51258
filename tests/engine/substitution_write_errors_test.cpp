// The day's substitution files that cannot be written, through or_main on
// the small sample school with its saved week: a file standing where the
// results folder should be is said to be in the way, in the user's
// language; a folder standing where the absences file should be is told
// with the plain write failure, never as a file in the way; nothing the
// user had is lost.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "engine/substitution_services.h"
#include "orario_run_support.h"
#include "platform/cp1252.h"

namespace {

namespace fs = std::filesystem;

int run(const char* command) {
  const char* argv[] = {"orario", command, nullptr};
  return or_main(1, 2, argv);
}

const char* const kInTheWay[3] = {"[Al posto della cartella c'è un file con lo stesso nome]",
                                  "[An Stelle des Ordners steht eine Datei gleichen Namens]",
                                  "[A file of the same name stands where the folder should be]"};

class SubstitutionWriteErrors : public ::testing::Test {
 protected:
  void SetUp() override {
    orario_test::piccola_with_saved_week(school_);
    g_status.clear();
    g_provisional_mode = 0;
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
  }
  void TearDown() override {
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
    g_status.language = 0;
  }
  // Tuesday: ROSSI away the first two hours.
  void SetAbsence() {
    SubstitutionState& s = g_substitution_state;
    s.day = 2;
    s.absent_count = 1;
    std::snprintf(s.absent[0].name, sizeof s.absent[0].name, "%s", "ROSSI");
    s.absent[0].reason = 1;
    s.absent[0].hours[0] = s.absent[0].hours[1] = 1;
  }
  engine_test::TempDir school_;
  engine_test::InFolder in_{school_.path()};
};

TEST_F(SubstitutionWriteErrors, AFileWhereTheResultsFolderShouldBeIsSaidToBeInTheWay) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  SetAbsence();
  ASSERT_EQ(run("SOSA:scuola2.txt"), 0) << g_status.message;
  fs::remove_all(school_.path() / "Sostituzioni");
  engine_test::write_file(school_.file("Sostituzioni"), "not a folder");
  for (int language = 0; language < 3; ++language) {
    g_status.language = language;
    EXPECT_EQ(run("SOST:scuola2.txt"), -1) << language;
    std::string message = g_status.message;
    EXPECT_NE(message.find(kt::utf8_to_cp1252(kInTheWay[language])), std::string::npos) << message;
    EXPECT_NE(message.find("Sostituzioni"), std::string::npos) << message;
  }
  EXPECT_EQ(engine_test::read_file(school_.file("Sostituzioni")), "not a folder");
}

TEST_F(SubstitutionWriteErrors, AFolderWhereTheAbsencesFileShouldBeIsAPlainWriteFailure) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  SetAbsence();
  fs::create_directory(school_.path() / "assenze.txt");
  engine_test::write_file(school_.file("assenze.txt/kept.txt"), "kept");
  for (int language = 0; language < 3; ++language) {
    g_status.language = language;
    EXPECT_EQ(run("SOSA:scuola2.txt"), -1) << language;
    std::string message = g_status.message;
    EXPECT_NE(message.find("assenze.txt"), std::string::npos) << message;
    EXPECT_EQ(message.find(kt::utf8_to_cp1252(kInTheWay[language])), std::string::npos) << message;
  }
  EXPECT_EQ(engine_test::read_file(school_.file("assenze.txt/kept.txt")), "kept");
}

}  // namespace
