// "SNOD:" through or_main on the small sample school with a hand-made save: a
// save that no longer fits is taken over with -999, a whole one ends with 0,
// a read error is a file error. The evaluation is a stand-in that finds no
// violation; everything else is the engine's own.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "engine/command_steps.h"
#include "engine/engine_main.h"
#include "engine/placement_check.h"
#include "failing_reads.h"
#include "save_test_fixture.h"

namespace fs = std::filesystem;

namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class SnodCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(fs::path(KT_SOURCE_DIR) / "examples/piccola/scuola2.txt", folder.path() / "scuola2.txt");
    save_test::reset_run_flags();
    saved_steps = g_command_steps;
    g_command_steps.evaluate_all_constraints = [](int) { return 0u; };
    g_command_steps.reset_weights = [](int) {};
    g_command_steps.prepare_search_tables = [] {};
    g_quiet_no_timetable = 0;
    g_recovery_allowed = 0;
  }
  void TearDown() override {
    g_command_steps = saved_steps;
    g_line_byte_source = saved_source;
  }
  int run() {
    const char* argv[] = {"Questo non serve", "SNOD:scuola2.txt"};
    return or_main(1, 2, argv);
  }
  std::string saved_lines() { return engine_test::read_file(std::string(KT_TEST_DATA) + "/savefiles/piccola-savego.txt"); }
  save_test::SchoolFolder folder;
  CommandSteps saved_steps;
  LineByteSource saved_source = g_line_byte_source;
};

TEST_F(SnodCommand, ASaveThatNoLongerFitsIsTakenOver) {
  // Lesson 1 (ROSSI, 1A) is put on the slot of lesson 0: the same class and
  // teacher twice in one hour, as after the teaching posts changed.
  std::string lines = saved_lines();
  std::size_t at = lines.find("0001 1 1 1A");
  ASSERT_NE(at, std::string::npos);
  lines.replace(at, 11, "0001 0 1 1A");
  folder.write("savego.txt", lines);
  EXPECT_EQ(run(), kResultRecovered);
  EXPECT_EQ(std::string(g_status.message).rfind("Attenzione: cattedre cambiate.", 0), 0u) << g_status.message;
  EXPECT_EQ(or_first_misplaced_lesson(true), -1);
  // The recovered timetable was saved whole: the next command reads it.
  EXPECT_EQ(run(), 0) << g_status.message;
  EXPECT_TRUE(g_eng_run.prepared);
}

TEST_F(SnodCommand, AReadErrorIsAFileErrorAndTheSaveStaysUntouched) {
  struct Case { const char* command; const char* failing; long after; } cases[] = {
      {"SYNT:scuola2.txt", "/scuola2.txt", 1024}, {"SNOD:scuola2.txt", "/scuola2.txt", 1024},
      {"SNOD:scuola2.txt", "/savego.txt", 4096},
  };
  std::string lines = saved_lines();
  for (const Case& c : cases) {
    folder.write("savego.txt", lines);
    FailingFile::name = c.failing, FailingFile::after = c.after, FailingFile::served = 0;
    g_line_byte_source = FailingFile::next_byte;
    g_recovery_allowed = 1;
    const char* argv[] = {"Questo non serve", c.command};
    int result = or_main(1, 2, argv);
    g_line_byte_source = saved_source;
    EXPECT_EQ(result, kResultError) << c.command << c.failing;
    std::string message = g_status.message;
    EXPECT_TRUE(contains(message, "Errore di lettura del file") && contains(message, c.failing + 1)) << message;
    EXPECT_EQ(folder.read("savego.txt"), lines) << c.command << c.failing;
  }
  // The same files read whole again once the reads succeed.
  EXPECT_EQ(run(), 0) << g_status.message;
}

}  // namespace
