// Path translation; see paths.h. Called on every file open, so it touches the
// file system only for components that do not exist exactly as written.
#include "platform/paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>
#include <vector>

#include "platform/cp1252.h"

namespace kt {
namespace {

bool exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// Returns the existing entry of `dir` that equals `name` ignoring case, or
// `name` itself when there is none.
std::string match_case(const std::string& dir, const std::string& name) {
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return name;
  std::string found = name;
  std::string want = utf8_to_cp1252(name);
  while (dirent* e = ::readdir(d)) {
    std::string have = utf8_to_cp1252(e->d_name);
    if (cp1252_casecmp(have.c_str(), want.c_str()) == 0) {
      found = e->d_name;
      break;
    }
  }
  ::closedir(d);
  return found;
}

}  // namespace

std::string drive_root() {
  const char* root = std::getenv(kDriveRootVariable);
  if (root && *root) return root;
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  return "/";
}

std::string translate_path(std::string_view windows_path) {
  std::string p = cp1252_to_utf8(windows_path);
  for (char& c : p)
    if (c == '\\') c = '/';

  std::string base;
  bool absolute = false;
  if (p.size() >= 2 && p[1] == ':' &&
      ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'))) {
    p.erase(0, 2);
  }
  if (!p.empty() && p[0] == '/') {
    base = drive_root();
    absolute = true;
  }

  std::vector<std::string> parts;
  std::size_t i = 0;
  while (i <= p.size()) {
    std::size_t j = p.find('/', i);
    if (j == std::string::npos) j = p.size();
    std::string part = p.substr(i, j - i);
    if (!part.empty() && part != ".") parts.push_back(part);
    i = j + 1;
  }

  std::string out = absolute ? base : std::string();
  for (std::size_t k = 0; k < parts.size(); ++k) {
    const std::string& part = parts[k];
    std::string candidate = out.empty() ? part : (out.back() == '/' ? out + part : out + "/" + part);
    if (part != ".." && !exists(candidate)) {
      std::string fixed = match_case(out, part);
      candidate = out.empty() ? fixed : (out.back() == '/' ? out + fixed : out + "/" + fixed);
    }
    out = candidate;
  }
  bool trailing = !p.empty() && p.back() == '/';
  if (out.empty()) return absolute ? base : ".";
  if (trailing && out.back() != '/') out += '/';
  return out;
}

}  // namespace kt
