// Helpers shared by the engine tests: a temporary folder that stands for a
// school folder and the drive root, a scoped change of the current folder
// (the engine works in the current school folder), and small file helpers.
// Nothing here touches the user's home folder.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace engine_test {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "kt-engine-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

// Enters a folder and sets the drive root to it; both restored on exit.
class InFolder {
 public:
  explicit InFolder(const fs::path& folder) : previous_(fs::current_path()) {
    const char* root = std::getenv("KESTRINTEMPUS_ROOT");
    had_root_ = root != nullptr;
    if (root) old_root_ = root;
    ::setenv("KESTRINTEMPUS_ROOT", folder.c_str(), 1);
    fs::current_path(folder);
  }
  ~InFolder() {
    fs::current_path(previous_);
    if (had_root_)
      ::setenv("KESTRINTEMPUS_ROOT", old_root_.c_str(), 1);
    else
      ::unsetenv("KESTRINTEMPUS_ROOT");
  }

 private:
  fs::path previous_;
  bool had_root_ = false;
  std::string old_root_;
};

inline void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace engine_test
