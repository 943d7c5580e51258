// Removable media among the mounts; see removable_media.h. /proc/mounts
// writes blanks, tabs, newlines and backslashes in paths as three-digit octal
// escapes ("\040"), which are decoded here. A line that does not have the
// three leading fields is skipped. A mount point must lie strictly below a
// root: "/media" itself (often a tmpfs) is not a pen, nor is "/mediateca".
// The file is read whole on each call; it holds a few dozen lines.
#include "platform/removable_media.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kt {
namespace {

std::string decode_octal_escapes(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const char* d = field.c_str() + i + 1;
      if (d[0] >= '0' && d[0] <= '3' && d[1] >= '0' && d[1] <= '7' && d[2] >= '0' && d[2] <= '7') {
        out += static_cast<char>((d[0] - '0') * 64 + (d[1] - '0') * 8 + (d[2] - '0'));
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

bool strictly_below(const std::string& path, const std::string& root) {
  return path.size() > root.size() && path.compare(0, root.size(), root) == 0;
}

}  // namespace

std::vector<MountedMedium> find_removable_media(const std::string& mounts_file,
                                                const std::vector<std::string>& roots) {
  std::vector<MountedMedium> media;
  std::ifstream in(mounts_file);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    MountedMedium m;
    if (!(fields >> m.device >> m.mount_point >> m.fs_type)) continue;
    m.device = decode_octal_escapes(m.device);
    m.mount_point = decode_octal_escapes(m.mount_point);
    for (const std::string& root : roots) {
      if (strictly_below(m.mount_point, root)) {
        media.push_back(m);
        break;
      }
    }
  }
  return media;
}

std::vector<MountedMedium> removable_media() {
  const char* folder = std::getenv(kMediaFolderVariable);
  if (folder && *folder) return {MountedMedium{"", folder, ""}};
  return find_removable_media("/proc/mounts");
}

}  // namespace kt
