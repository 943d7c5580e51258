// Removable media (the user's USB pen) found among the mounted file systems:
// every mount whose mount point lies below /media or /run/media, as desktop
// systems mount pens there. The mounts come from /proc/mounts; tests pass a
// mounts file of their own and their own roots, or set the environment
// variable KESTRINTEMPUS_MEDIA to a folder that stands for a pen.
//
// Read on demand (a pen comes and goes while the program runs); the list is
// small, in mount order.
#pragma once

#include <string>
#include <vector>

namespace kt {

// Folder that stands for the one removable medium when set (tests, machines
// that mount pens elsewhere).
inline constexpr const char* kMediaFolderVariable = "KESTRINTEMPUS_MEDIA";

struct MountedMedium {
  std::string device;       // "/dev/sdb1"
  std::string mount_point;  // "/media/anna/KINGSTON", escapes decoded
  std::string fs_type;      // "vfat"
};

// Mounts of `mounts_file` (the /proc/mounts format) strictly below one of
// `roots` (each ending in '/'). A missing file gives an empty list.
std::vector<MountedMedium> find_removable_media(
    const std::string& mounts_file,
    const std::vector<std::string>& roots = {"/media/", "/run/media/"});

// The media of this machine: the KESTRINTEMPUS_MEDIA folder when set, else
// find_removable_media("/proc/mounts").
std::vector<MountedMedium> removable_media();

}  // namespace kt
