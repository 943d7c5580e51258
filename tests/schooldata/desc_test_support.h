// Helpers of the description tests: paths of the sample schools and a
// temporary folder for written files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "no_school.h"
#include "schooldata/school_file_lines.h"

inline std::string desc_example(const char* school, const char* file) {
  return std::string(KT_SOURCE_DIR) + "/examples/" + school + "/" + file;
}

inline std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void spit(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// A fixture whose files are written in a fresh temporary folder, as plain
// lines so that a failure shows them; the folder goes with the test.
template <class Base = ::testing::Test>
class PlainSchoolFolder : public Base {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/desc_files_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    start_without_school(dir_);
    g_school_files_plain = 1;
  }
  void TearDown() override {
    g_school_files_plain = 0;
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  std::string dir_;
};
