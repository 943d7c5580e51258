// The USB pen's reserve asked for directly (a folder of the test standing
// for the pen): asked to be made, it is made and filled with ballast files
// of 64 KiB up to its size; asked only to be filled, a pen without one gets
// none; without a pen nothing is written and no room is made.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "remote/pen_backup.h"
#include "remote_test_support.h"

namespace {

using namespace kt_remote_test;

class PenReserve : public RemoteProgram {
 protected:
  static std::vector<std::string> Reserve(const fs::path& pen) {
    std::vector<std::string> names;
    if (!fs::exists(pen / "KestrinTempusRiserva")) return names;
    for (const auto& e : fs::directory_iterator(pen / "KestrinTempusRiserva"))
      names.push_back(e.path().filename().string() + ":" + std::to_string(fs::file_size(e.path())));
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(PenReserve, AReserveAskedToBeMadeIsMadeAndFilled) {
  fs::path pen = Pen();
  EXPECT_EQ(ui_fill_pen_ballast(0, 'E'), 0u);
  EXPECT_FALSE(fs::exists(pen / "KestrinTempusRiserva")) << "only filled: none is made";
  const std::uint64_t blocks = kPenBallastBytes / (64 * 1024);
  EXPECT_EQ(ui_fill_pen_ballast(1, 'E'), blocks * 64 * 1024);
  std::vector<std::string> expected;
  for (std::uint64_t n = 0; n < blocks; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "riserva_%03d.bin:65536", int(n));
    expected.push_back(name);
  }
  EXPECT_EQ(Reserve(pen), expected);
  EXPECT_EQ(ui_fill_pen_ballast(1, 'E'), 0u) << "a full reserve takes nothing more";
  EXPECT_EQ(Reserve(pen), expected);
}

TEST_F(PenReserve, WithoutAPenNothingIsWritten) {
  NoPen();
  EXPECT_EQ(ui_fill_pen_ballast(1, 'E'), 0u);
  EXPECT_EQ(ui_make_room_on_pen(1024), 0u);
  EXPECT_FALSE(fs::exists(root_ / "nessuna"));
}

}  // namespace
