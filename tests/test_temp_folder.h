// Temporary folders and the drive root for tests of every library: a fresh
// folder made with mkdtemp and removed with its contents at the end, and a
// scoped setting of the drive root (KESTRINTEMPUS_ROOT) and of the current
// folder, both put back as they were when the scope ends. Tests point the
// drive root at a temporary folder so that nothing touches the user's home
// folder. Header only; every helper is a cheap value that lives for one
// test case.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace kt_test {

// A fresh folder "<temp>/<prefix>XXXXXX", removed with its contents at the end.
class TempDir {
 public:
  explicit TempDir(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Points the drive root at a folder and enters another (or the same) one;
// the previous drive root (set or not) and current folder come back at the end.
class InDriveRoot {
 public:
  InDriveRoot(const std::filesystem::path& root, const std::filesystem::path& folder)
      : previous_(std::filesystem::current_path()) {
    const char* old = std::getenv("KESTRINTEMPUS_ROOT");
    had_root_ = old != nullptr;
    if (old) old_root_ = old;
    ::setenv("KESTRINTEMPUS_ROOT", root.c_str(), 1);
    if (!folder.empty()) std::filesystem::current_path(folder);
  }
  ~InDriveRoot() {
    std::filesystem::current_path(previous_);
    if (had_root_)
      ::setenv("KESTRINTEMPUS_ROOT", old_root_.c_str(), 1);
    else
      ::unsetenv("KESTRINTEMPUS_ROOT");
  }
  InDriveRoot(const InDriveRoot&) = delete;
  InDriveRoot& operator=(const InDriveRoot&) = delete;

 private:
  std::filesystem::path previous_;
  bool had_root_ = false;
  std::string old_root_;
};

}  // namespace kt_test
