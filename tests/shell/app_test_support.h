// Helpers of the desktop program's tests: a temporary drive root (the
// process globals put back afterwards), the end of the process turned into
// an exception with its code, and sample schools copied into the root.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <iterator>
#include <string>

#include "engine/status_block.h"
#include "shell/app_startup.h"
#include "shell/engine_commands.h"
#include "shell/message_box.h"
#include "shell/status_file.h"
#include "test_temp_folder.h"

namespace kt_app_test {

namespace fs = std::filesystem;

struct ProcessEnded {
  int code;
};

inline void end_by_throwing(int code) { throw ProcessEnded{code}; }

// The code the process ended with while `run` ran; 99 when it did not end.
template <class Run>
int ended_with(Run run) {
  try {
    run();
  } catch (const ProcessEnded& e) {
    return e.code;
  }
  return 99;
}

class TempRoot : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kt-app-XXXXXX";
    root_ = ::mkdtemp(pattern);
    in_root_.emplace(root_, fs::path());
    saved_ = og_capture_status_settings();
    old_end_ = og_set_process_end(end_by_throwing);
    g_process_number = 0;
    g_process_count = 0;
    g_language = 0;
    g_status.clear();
    g_provisional_mode = 0;
    ui_forget_last_message_box();
    ui_register_toolkit_templates();
  }
  void TearDown() override {
    g_instance_lock.release();
    og_set_process_end(old_end_);
    og_apply_status_settings(saved_);
    g_process_number = 0;
    g_language = 0;
    g_provisional_mode = 0;
    g_status.clear();
    in_root_.reset();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  fs::path data_root() const { return root_ / "KestrinTempusDati"; }

  // A copy of examples/<name> as a school folder of the data root.
  fs::path copy_example(const std::string& name, const std::string& folder) {
    fs::path to = data_root() / folder;
    fs::create_directories(to);
    for (const auto& e : fs::directory_iterator(fs::path(KT_SOURCE_DIR) / "examples" / name))
      fs::copy_file(e.path(), to / e.path().filename());
    return to;
  }

  // The small test school with an articulated group (RE teaches 2B and,
  // under his stand-in "RE A ", the group 4X) and its saved week, as a
  // school folder of the data root.
  fs::path copy_articulated_school(const std::string& folder) {
    fs::path to = data_root() / folder, data = fs::path(KT_SOURCE_DIR) / "tests" / "data";
    fs::create_directories(to);
    write(to / "scuola2.txt", read(data / "loader" / "small" / "scuola2.txt"));
    write(to / "savego.txt", read(data / "savefiles" / "small-articulated-savego.txt"));
    return to;
  }

  static std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

  fs::path root_;
  std::optional<kt_test::InDriveRoot> in_root_;
  ProgramStatusSettings saved_{};
  ProcessEnd old_end_ = nullptr;
};

}  // namespace kt_app_test
