// A teachers' or classes' trial run through or_main, as the desktop
// program's trial page starts it: its week goes to "savetest.txt" and the
// saved timetable stays as it was, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/command_steps.h"
#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "orario_run_support.h"

namespace {

TEST(TrialRunFiles, ATrialWritesItsOwnWeekAndLeavesTheSavedOne) {
  for (const char* kind : {"TPRO", "TCLA"}) {
    engine_test::TempDir school;
    engine_test::InFolder in(school.path());
    orario_test::piccola_with_saved_week(school);
    std::string saved = engine_test::read_file(school.file("savego.txt"));
    g_command_steps = or_default_command_steps();
    g_status.clear();
    const char* argv[] = {"orario", "CALC:scuola2.txt", kind, nullptr};
    or_main(1, 3, argv);
    EXPECT_EQ(engine_test::read_file(school.file("savego.txt")), saved) << kind;
    EXPECT_TRUE(std::filesystem::exists(school.path() / "savetest.txt")) << kind << " " << g_status.message;
    EXPECT_FALSE(std::filesystem::exists(school.path() / "saveprec.txt")) << kind;
    g_status.clear();
  }
}

}  // namespace
