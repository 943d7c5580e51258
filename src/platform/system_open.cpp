// Opening files and folders for the user; see system_open.h. Rare (one call
// per user click), so a process per call is fine. The path is the last
// element of the argument vector and nothing ever joins the vector into one
// string, so quotes, blanks, semicolons and "$(...)" in a school name stay
// plain characters. The only rewrite is a leading '-', which would otherwise
// read as an option of the opener.
#include "platform/system_open.h"

#include <cerrno>

#include "platform/process.h"

namespace kt {

std::vector<std::string> desktop_open_command(const std::string& path) {
  return {"xdg-open", !path.empty() && path[0] == '-' ? "./" + path : path};
}

bool open_with_desktop(const std::string& path, const DesktopLauncher& launcher, int* error) {
  if (path.empty()) {
    if (error) *error = ENOENT;
    return false;
  }
  std::vector<std::string> argv = desktop_open_command(path);
  if (launcher) return launcher(argv, error);
  return spawn_detached(argv, error);
}

}  // namespace kt
