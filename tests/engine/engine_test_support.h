// Helpers shared by the engine tests: a temporary folder that stands for a
// school folder and the drive root, a scoped change of the current folder
// (the engine works in the current school folder), and small file helpers.
// Nothing here touches the user's home folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/text_lines.h"
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

// Writes the text line by line through the engine's scrambling writer, as
// the school-file writers do; returns 0 on success.
inline int write_scrambled_file(const std::string& path, const std::string& text) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return -1;
  std::vector<char> work(2 * text.size() + 16);
  int rc = 0;
  std::size_t start = 0;
  while (rc == 0 && start < text.size()) {
    std::size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start + 1);
    if (line.size() >= 2 && line[line.size() - 2] == '\r') line.erase(line.size() - 2, 1);
    rc = or_write_scrambled_line(out, line.c_str(), work.data());
    start = end == std::string::npos ? text.size() : end + 1;
  }
  if (std::fclose(out) != 0 && rc == 0) rc = -1;
  return rc;
}

}  // namespace engine_test
