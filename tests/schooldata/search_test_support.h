// A temporary drive root and a folder for the USB pen (KESTRINTEMPUS_ROOT,
// KESTRINTEMPUS_MEDIA), UTC as local time, files with given times.
#pragma once

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "no_school.h"

namespace kt_search_test {

namespace fs = std::filesystem;

class SearchFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kt-search-XXXXXX";
    base_ = ::mkdtemp(pattern);
    drive_ = base_ + "/drive";
    pen_ = base_ + "/pen";
    fs::create_directories(drive_);
    fs::create_directories(pen_);
    start_without_school(drive_);
    cwd_ = fs::current_path();
    save("KESTRINTEMPUS_ROOT", drive_);
    save("KESTRINTEMPUS_MEDIA", pen_);
    save("TZ", "UTC0");
    ::tzset();
  }
  void TearDown() override {
    fs::current_path(cwd_);
    for (auto& [name, value] : saved_) {
      if (value.first) ::setenv(name.c_str(), value.second.c_str(), 1);
      else ::unsetenv(name.c_str());
    }
    ::tzset();
    std::error_code ec;
    fs::remove_all(base_, ec);
  }
  void save(const std::string& name, const std::string& value) {
    const char* old = std::getenv(name.c_str());
    saved_.push_back({name, {old != nullptr, old ? old : ""}});
    ::setenv(name.c_str(), value.c_str(), 1);
  }
  // Writes `path` with `text` and the given modification time (Unix seconds).
  static void file(const std::string& path, const std::string& text, std::time_t when = 1700000000) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
    struct timespec times[2] = {{when, 0}, {when, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
  }
  static std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string base_, drive_, pen_;
  fs::path cwd_;
  std::vector<std::pair<std::string, std::pair<bool, std::string>>> saved_;
};

}  // namespace kt_search_test
