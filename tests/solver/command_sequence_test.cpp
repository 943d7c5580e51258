// A command run after a computation in the same process says and writes
// what it says and writes in a fresh process. The desktop program runs all
// its commands in its own process, one after another: a command that fails
// before it draws a seed of its own must not show the seed of the
// computation before it, one that draws without a seed of its own must not
// draw on from where that computation left the generator, and a report must
// not name the rooms of an allocation made for another school.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "school_fixture.h"
#include "solver/classroom_allocation.h"
#include "solver/room_window_handover.h"

namespace fs = std::filesystem;

namespace {

// Runs one command on the school in this process, as orario starts it: the
// given seed (-1: none) and a clear status block. Its result.
int command_here(const SchoolCopy& school, const char* command, std::int64_t seed,
                 RoomAllocationParams* rooms = nullptr) {
  fs::path old = fs::current_path();
  fs::current_path(school.folder());
  g_requested_seed = seed;
  g_status.clear();
  g_status.room_params = rooms;
  const char* argv[] = {"Questo non serve", command, nullptr};
  ::testing::internal::CaptureStdout();
  int result = or_main(1, 2, argv);
  ::testing::internal::GetCapturedStdout();
  g_status.room_params = nullptr;
  g_requested_seed = -1;
  fs::current_path(old);
  return result;
}

// The engine's message of the last command, as orario prints it.
std::string message_here() { return kt::cp1252_to_utf8(g_status.message); }

// The plain lines of one of the school's files, in their order.
std::vector<std::string> plain_lines(const fs::path& file) {
  std::vector<std::string> lines;
  std::FILE* in = std::fopen(file.c_str(), "rb");
  EXPECT_NE(in, nullptr) << file;
  if (!in) return lines;
  char plain[2048];
  while (or_read_line(plain, sizeof plain, in))
    if (*plain && *plain != '\n') lines.emplace_back(plain);
  std::fclose(in);
  return lines;
}

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

// The reception hours of the board's stand-by check ("rigo:") draw from the
// engine's generator where a teacher has no free hour between two lessons
// and no hour of his is kept in the reception file (here the file is gone);
// that command draws no seed of its own. After a computation in the same
// process it must choose the hours a fresh process chooses, not go on from
// where the computation's search left the generator.
TEST(CommandAfterComputation, ReceptionHoursAreTheFreshProcessHours) {
  SchoolCopy fresh("piccola");
  std::string out;
  ASSERT_EQ(run_orario_in(fresh.folder(), fresh.root(), "CALC:scuola2.txt --seed 5", &out), 0) << out;
  fs::remove(fresh.folder() / "ricevi.txt");
  ASSERT_EQ(run_orario_in(fresh.folder(), fresh.root(), "RIGO:scuola2.txt", &out), 0) << out;
  std::vector<std::string> expected = plain_lines(fresh.folder() / "ricevi.txt");
  ASSERT_FALSE(expected.empty());

  SchoolCopy school("piccola");
  ASSERT_EQ(command_here(school, "CALC:scuola2.txt", 5), 0) << g_status.message;
  fs::remove(school.folder() / "ricevi.txt");
  ASSERT_EQ(command_here(school, "RIGO:scuola2.txt", -1), 0) << g_status.message;
  EXPECT_EQ(plain_lines(school.folder() / "ricevi.txt"), expected);
}

// The room window's allocation of lessons to rooms stays with the program
// for the report run of the same school. A report of another school (other
// rooms, other lessons) drops that allocation: it must then be the report a
// fresh process writes, with no room lines of an allocation it does not have.
TEST(CommandAfterComputation, ReportOfAnotherSchoolAfterARoomAllocationHasNoRooms) {
  SchoolCopy fresh("liceo");
  std::string out;
  ASSERT_EQ(run_orario_in(fresh.folder(), fresh.root(), "--seed 5 --time-limit 3 CALC:scuola2.txt", &out), 0) << out;
  SchoolCopy other("liceo", "altra");
  fs::copy_file(fresh.folder() / "savego.txt", other.folder() / "savego.txt", fs::copy_options::overwrite_existing);
  ASSERT_EQ(run_orario_in(fresh.folder(), fresh.root(), "REPO:scuola2.txt", &out), 0) << out;
  std::string expected = file_text(fresh.folder() / "Orario" / "Orario Classi Completo.txt");
  ASSERT_FALSE(expected.empty());

  // The room window's run on the small school, as orario's room options
  // hand it over: two allocation rooms, lessons seated by class.
  SchoolCopy small("piccola");
  ASSERT_EQ(command_here(small, "CALC:scuola2.txt", 5), 0) << g_status.message;
  ASSERT_EQ(command_here(small, "SYNT:scuola2.txt", -1), 0) << g_status.message;
  RoomAllocationParams params{};
  params.rooms_per_building[0] = 2;
  params.best_result = 99888777;
  or_room_window_handover({});
  std::int32_t cycles = g_room_optimiser_max_cycles;
  g_room_optimiser_max_cycles = 40;
  int allocated = command_here(small, "ASAU:scuola2.txt", -1, &params);
  g_room_optimiser_max_cycles = cycles;
  ASSERT_EQ(allocated, 0) << g_status.message;

  ASSERT_EQ(command_here(other, "REPO:scuola2.txt", -1), 0) << g_status.message;
  EXPECT_EQ(file_text(other.folder() / "Orario" / "Orario Classi Completo.txt"), expected);
}

}  // namespace
