// A command run after a computation in the same process says what it says
// in a fresh process. The desktop program runs every command in its own
// process, one after another: a command that fails before it draws a seed
// of its own must not show the seed of the computation before it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "platform/cp1252.h"
#include "school_fixture.h"

namespace fs = std::filesystem;

namespace {

// Runs one command on the school in this process, as orario starts it: the
// given seed (-1: none) and a clear status block. Its result.
int command_here(const SchoolCopy& school, const char* command, std::int64_t seed) {
  fs::path old = fs::current_path();
  fs::current_path(school.folder());
  g_requested_seed = seed;
  g_status.clear();
  const char* argv[] = {"Questo non serve", command, nullptr};
  ::testing::internal::CaptureStdout();
  int result = or_main(1, 2, argv);
  ::testing::internal::GetCapturedStdout();
  g_requested_seed = -1;
  fs::current_path(old);
  return result;
}

// The engine's message of the last command, as orario prints it.
std::string message_here() { return kt::cp1252_to_utf8(g_status.message); }

// A missing description and an unknown command word are refused before any
// seed is drawn: a fresh process says "s=0". After a seeded computation in
// the same process the refusal must say the same, not the seed of a run
// that was not this command's.
TEST(CommandAfterComputation, RefusalShowsTheFreshProcessMessage) {
  for (const char* refused : {"SYNT:manca.txt", "CALC:manca.txt", "XXXXX:scuola2.txt"}) {
    SchoolCopy fresh("piccola");
    std::string out;
    run_orario_in(fresh.folder(), fresh.root(), refused, &out);
    ASSERT_NE(out.find("s=0]"), std::string::npos) << refused << ": " << out;

    SchoolCopy school("piccola");
    ASSERT_EQ(command_here(school, "CALC:scuola2.txt", 5), 0) << g_status.message;
    EXPECT_NE(command_here(school, refused, -1), 0) << refused;
    std::string message = message_here();
    ASSERT_FALSE(message.empty()) << refused;
    EXPECT_NE(out.find(message), std::string::npos) << refused << "\nin process:\n" << message << "\nfresh:\n" << out;
  }
}

}  // namespace
