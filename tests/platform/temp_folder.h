// Fixture of the platform tests that work on real files: a fresh temporary
// folder per case, named after a prefix and the process id so test programs
// running side by side (ctest -j) never meet, emptied before the case and
// removed after it. A fixture that adds its own set-up calls SetUp first
// and TearDown last.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>

class TempFolderTest : public ::testing::Test {
 protected:
  explicit TempFolderTest(std::string prefix) : prefix_(std::move(prefix)) {}
  void SetUp() override {
    root_ = std::filesystem::temp_directory_path() / (prefix_ + std::to_string(::getpid()));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
  }
  void TearDown() override { std::filesystem::remove_all(root_); }
  // A path below the folder.
  std::string at(const std::string& rel) const { return (root_ / rel).string(); }

  std::filesystem::path root_;

 private:
  std::string prefix_;
};
