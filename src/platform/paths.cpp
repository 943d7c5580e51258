// Path translation; see paths.h. Called on every file open, so it touches the
// file system only for components that do not exist exactly as written.
#include "platform/paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
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

// The part of `full` below `folder` ("Orario/x.txt"); empty when `full` is
// not strictly inside it (the folder itself, a folder above or beside it).
std::string below(const std::filesystem::path& full, const std::filesystem::path& folder) {
  std::filesystem::path rest = full.lexically_relative(folder);
  if (rest.empty() || rest == "." || *rest.begin() == "..") return {};
  return rest.string();
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

std::string shown_path(std::string_view name) {
  namespace fs = std::filesystem;
  bool system_path = !name.empty() && name[0] == '/' && name.find('\\') == std::string_view::npos;
  std::string native = system_path ? cp1252_to_utf8(name) : translate_path(name);
  bool folder = native.size() > 1 && native.back() == '/';
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  std::string shown = native;
  std::error_code error;
  fs::path here = fs::current_path(error);
  if (!error) {
    fs::path full = (here / native).lexically_normal();
    if (!full.has_filename() && full.has_relative_path()) full = full.parent_path();  // "x/.." leaves a '/'
    shown = below(full, here);
    if (shown.empty() && full.has_parent_path()) {
      // A folder on the way may be a link (a home folder kept elsewhere),
      // while the current folder is always named by its real path.
      fs::path real = fs::weakly_canonical(full.parent_path(), error);
      if (!error) shown = below(real / full.filename(), here);
    }
    if (shown.empty()) shown = full.string();
  }
  if (folder && shown.back() != '/') shown += '/';
  return utf8_to_cp1252(shown);
}

}  // namespace kt
