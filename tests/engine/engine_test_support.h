// Helpers shared by the engine tests: a temporary folder, a scoped change of
// the current folder and drive root, and small file helpers.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/model.h"
#include "engine/text_lines.h"
#include "test_temp_folder.h"

namespace engine_test {

namespace fs = std::filesystem;

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

// The logical lines of a file as the engine reads them, joined.
inline std::string unscrambled(const std::string& name) {
  std::FILE* f = or_fopen(name.c_str(), "rt");
  if (f == nullptr) return "<missing>";
  std::string out;
  char line[512];
  while (or_read_line(line, 400, f) != nullptr) out += line;
  or_fclose(f);
  return out;
}

// The index of the teacher or class with this name or code, -1 if none.
inline int teacher_index(const char* name) {
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (std::string(g_eng_teachers[t].name) == name) return t;
  return -1;
}
inline int class_index(const char* code) {
  for (int c = 0; c < g_eng_school.class_count; ++c)
    if (std::string(g_eng_classes[c].code) == code) return c;
  return -1;
}

}  // namespace engine_test
