// Shared fixture of the report conversion tests: a temporary drive root
// (KESTRINTEMPUS_ROOT) holding the reports, report services with a fixed
// clock and heading, and helpers to put and read files in it.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/paths.h"
#include "reports/report_services.h"

namespace kt_test {

namespace fs = std::filesystem;

inline std::tm fixed_clock() {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 2;  // March
  t.tm_mday = 9;
  t.tm_hour = 14;
  t.tm_min = 5;
  return t;
}

inline std::string read_bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs the built orario in the school folder, as a user would from a shell
// (a clean environment, the folder as the drive root), its output in
// "orario.out" there; its exit status, or 1000 + the signal that ended it.
inline int run_orario(const fs::path& school, const std::string& args) {
  std::string binary = std::string(KT_BINARY_DIR) + "/apps/orario/orario";
  std::string command = "cd '" + school.string() + "' && env -i PATH=/usr/bin:/bin KESTRINTEMPUS_ROOT='" +
                        school.string() + "' LANG=it_IT.UTF-8 '" + binary + "' " + args + " >'" +
                        (school / "orario.out").string() + "' 2>&1";
  int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : 1000 + WTERMSIG(raw);
}

inline void write_bytes(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

class ReportFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    // A parameterised test's name holds a '/': one folder, not a folder in
    // a folder that the tear-down would leave behind.
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');
    root_ = fs::temp_directory_path() / ("kt_reports_" + std::to_string(::getpid()) + "_" + name);
    fs::remove_all(root_);
    fs::create_directories(root_ / "Orario");
    ::setenv(kt::kDriveRootVariable, root_.c_str(), 1);
    services_ = kt::default_report_services();
    services_.institution_heading = [] { return std::string("Istituto \"G. Galilei\""); };
    services_.local_time = [] { return fixed_clock(); };
    kt::set_report_services(services_);
  }
  void TearDown() override {
    kt::set_report_services(kt::default_report_services());
    ::unsetenv(kt::kDriveRootVariable);
    fs::remove_all(root_);
  }
  // Re-installs services_ after a test changed a member.
  void apply() { kt::set_report_services(services_); }
  // Outputs whose path holds `part` cannot be created (a folder without
  // rights) or, with `full`, are created on a disk that is full.
  void fail_outputs_named(const std::string& part, bool full = false) {
    auto open = services_.or_fopen;
    services_.or_fopen = [open, part, full](const char* path, const char* mode) -> std::FILE* {
      if (mode[0] != 'w' || std::string(path).find(part) == std::string::npos) return open(path, mode);
      return full ? std::fopen("/dev/full", "w") : nullptr;
    };
    apply();
  }

  // The program's path of a file in the school's output folder.
  static std::string report_path(const std::string& name) { return "\\Orario\\" + name; }
  fs::path file(const std::string& name) const { return root_ / "Orario" / name; }
  void put(const std::string& name, const std::string& bytes) const { write_bytes(file(name), bytes); }
  std::string get(const std::string& name) const { return read_bytes(file(name)); }
  bool has(const std::string& name) const { return fs::exists(file(name)); }

  fs::path root_;
  kt::ReportServices services_;
};

}  // namespace kt_test
