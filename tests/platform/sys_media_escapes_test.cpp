// The escapes of the mounts file: a blank, a tab, a newline and a backslash
// in a device or mount point are written as a backslash and three octal
// digits (the first 0 to 3); anything else after a backslash is the name's
// own text and stays as it is.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/removable_media.h"

namespace fs = std::filesystem;

TEST(RemovableMediaEscapes, OctalEscapesAreDecodedOthersKept) {
  struct Case {
    const char* written;
    const char* meant;
  } cases[] = {
      {"PEN\\040USB", "PEN USB"},
      {"A\\011B", "A\tB"},
      {"A\\012B", "A\nB"},
      {"A\\134B", "A\\B"},
      {"\\040LEAD", " LEAD"},
      {"END\\040", "END "},
      {"A\\377", "A\xFF"},
      {"A\\400B", "A\\400B"},     // the first digit past 3
      {"A\\777B", "A\\777B"},
      {"A\\080B", "A\\080B"},     // 8 is no octal digit
      {"A\\048B", "A\\048B"},
      {"A\\-12B", "A\\-12B"},     // no digit at all
      {"A\\/40B", "A\\/40B"},
      {"A\\04", "A\\04"},         // too short at the end
      {"A\\0401", "A 1"},
  };
  fs::path file = fs::temp_directory_path() / ("kt_mounts_esc_" + std::to_string(::getpid()));
  {
    std::ofstream out(file);
    for (const auto& c : cases) out << "/dev/x\\040" << c.written << " /media/u/" << c.written << " vfat rw 0 0\n";
  }
  auto media = kt::find_removable_media(file.string());
  fs::remove(file);
  ASSERT_EQ(media.size(), std::size(cases));
  for (std::size_t i = 0; i < media.size(); ++i) {
    EXPECT_EQ(media[i].mount_point, std::string("/media/u/") + cases[i].meant) << cases[i].written;
    EXPECT_EQ(media[i].device, std::string("/dev/x ") + cases[i].meant) << cases[i].written;
    EXPECT_EQ(media[i].fs_type, "vfat");
  }
}
