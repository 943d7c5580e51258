// Helpers shared by the engine tests: a temporary folder that stands for a
// school folder and the drive root, a scoped change of the current folder
// (the engine works in the current school folder), and small file helpers.
// Nothing here touches the user's home folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "test_temp_folder.h"

namespace engine_test {

namespace fs = std::filesystem;

// A fresh temporary folder, removed at the end.
class TempDir : public kt_test::TempDir {
 public:
  TempDir() : kt_test::TempDir("kt-engine-") {}
  std::string file(const std::string& name) const { return (path() / name).string(); }
};

// Enters a folder and sets the drive root to it; both restored on exit.
class InFolder : public kt_test::InDriveRoot {
 public:
  explicit InFolder(const fs::path& folder) : kt_test::InDriveRoot(folder, folder) {}
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
