// Removable media among the mounts: mounts below /media and /run/media count,
// the roots themselves and every other mount do not, escaped blanks in mount
// points are decoded; the environment folder stands for a pen in tests.
// The mounts files are written by the test, so the machine's own mounts
// never change a result.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/removable_media.h"

namespace fs = std::filesystem;

TEST(RemovableMedia, FoundAmongTheMounts) {
  fs::path file = fs::temp_directory_path() / ("kt_mounts_" + std::to_string(::getpid()));
  std::ofstream(file) << "/dev/vda / ext4 rw,relatime 0 0\n"
                         "proc /proc proc rw 0 0\n"
                         "/dev/sdb1 /media/anna/KINGSTON vfat rw,nosuid 0 0\n"
                         "/dev/sdc1 /run/media/luca/CHIAVETTA\\040USB exfat rw 0 0\n"
                         "tmpfs /media tmpfs rw 0 0\n"
                         "/dev/sdd1 /mnt/backup ext4 rw 0 0\n"
                         "/dev/sde1 /mediateca ext4 rw 0 0\n"
                         "broken-line\n";
  auto media = kt::find_removable_media(file.string());
  fs::remove(file);
  ASSERT_EQ(media.size(), 2u);
  EXPECT_EQ(media[0].device, "/dev/sdb1");
  EXPECT_EQ(media[0].mount_point, "/media/anna/KINGSTON");
  EXPECT_EQ(media[0].fs_type, "vfat");
  EXPECT_EQ(media[1].mount_point, "/run/media/luca/CHIAVETTA USB");
}

TEST(RemovableMedia, OwnRootsAndMissingFile) {
  fs::path file = fs::temp_directory_path() / ("kt_mounts2_" + std::to_string(::getpid()));
  std::ofstream(file) << "/dev/sdb1 /tmp/pen/P1 vfat rw 0 0\n/dev/sdb2 /media/x/P2 vfat rw 0 0\n";
  auto media = kt::find_removable_media(file.string(), {"/tmp/pen/"});
  fs::remove(file);
  ASSERT_EQ(media.size(), 1u);
  EXPECT_EQ(media[0].mount_point, "/tmp/pen/P1");
  EXPECT_TRUE(kt::find_removable_media("/nonexistent/mounts").empty());
}

TEST(RemovableMedia, EnvironmentFolderStandsForAPen) {
  ::setenv(kt::kMediaFolderVariable, "/tmp/kt-pen", 1);
  auto media = kt::removable_media();
  ::unsetenv(kt::kMediaFolderVariable);
  ASSERT_EQ(media.size(), 1u);
  EXPECT_EQ(media[0].mount_point, "/tmp/kt-pen");
}
