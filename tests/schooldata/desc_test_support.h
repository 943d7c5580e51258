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
#include "platform/system_atomic_write.h"
#include "platform/test_driver.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "shell/message_box.h"

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

// The small sample's pair of school files in a fresh temporary folder made
// current, read, saved once (which gives both files their pair stamp) and
// read back; the folder and the model go with the test.
class SamplePairFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_register_toolkit_templates();
    char pattern[] = "/tmp/sample_pair_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    start_without_school(dir_);
    old_cwd_ = std::filesystem::current_path();
    for (const char* name : {"scuola1.txt", "scuola2.txt"})
      std::filesystem::copy_file(std::filesystem::path(KT_SOURCE_DIR) / "examples/piccola" / name,
                                 std::filesystem::path(dir_) / name);
    std::filesystem::current_path(dir_);
    kt::ui::TestDriver ui;
    ASSERT_TRUE(og_read_school_files(0));
    ASSERT_TRUE(og_save_school_files());
    ASSERT_TRUE(og_read_school_files(0));
    ASSERT_TRUE(ui.boxes().empty());
  }
  void TearDown() override {
    kt::set_atomic_write_fault(nullptr);
    std::filesystem::current_path(old_cwd_);
    og_clear_structure();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  std::string dir_;
  std::filesystem::path old_cwd_;
};
