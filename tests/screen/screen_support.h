// What every test on a real display shares: a fixture that starts the FLTK
// backend for one test and stops it after (without an X display the test
// skips, so the screen programs pass headless), a wait that handles core
// work and X events until an effect shows, a window manager for a test, and
// a colour distance for checking pixels read back from a window, and a
// drive root of its own for a test, with a sample school in it.
//
// X answers in its own time, so waits are capped at four seconds: a broken
// backend fails a test instead of hanging the suite. A fixture built on
// OnScreenTest calls its SetUp first and goes on only when started_ is set,
// and calls its TearDown last.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <functional>

#include "platform/fltk/fltk_backend.h"
#include "platform/ui.h"

namespace kt::ui::screen {

// Handles core work and X events until done() or the cap: a few seconds for
// what the screen shows, longer for what waits on the engine's own work.
inline bool pump_until(const std::function<bool()>& done, std::int64_t cap_ms = 4000) {
  MonotonicClock clock;
  std::int64_t until = clock.NowMs() + cap_ms;
  while (clock.NowMs() < until) {
    pump_pending();
    if (done()) return true;
    fltk_flush(0.02);
  }
  pump_pending();
  return done();
}

// The largest difference of the red, green and blue channels.
inline int channel_distance(Color a, Color b) {
  return std::max({std::abs(red_of(a) - red_of(b)), std::abs(green_of(a) - green_of(b)), std::abs(blue_of(a) - blue_of(b))});
}

// A window manager (openbox) for one test, when one is installed and none
// runs yet; stopped at the end. Tests that need one check
// window_manager_running() and say when they could not have it.
class WindowManager {
 public:
  WindowManager() {
    char name[] = "openbox";
    char* argv[] = {name, nullptr};
    if (window_manager_running() || posix_spawnp(&pid_, name, nullptr, nullptr, argv, environ) != 0) pid_ = 0;
    if (pid_) pump_until([] { return window_manager_running(); });
    ::usleep(1000000);  // it takes the display a moment after it says it runs
  }
  ~WindowManager() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

 private:
  pid_t pid_ = 0;
};

class OnScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!display_available()) GTEST_SKIP() << "no X display: run the screen tests under scripts/xvfb-run";
    ASSERT_TRUE(start_fltk_backend());
    started_ = true;
  }
  void TearDown() override {
    if (!started_) return;
    stop_fltk_backend();
    reset_ui();
  }
  bool started_ = false;
};

// A drive root of its own for one test (KESTRINTEMPUS_ROOT), with a sample
// school of examples/ copied into its data folder when one is named. On
// leaving, the working folder is put back, so the next test does not start
// in a removed folder, and the root goes.
class ScreenRoot {
 public:
  explicit ScreenRoot(const std::string& example = "") : cwd_(std::filesystem::current_path()) {
    namespace fs = std::filesystem;
    char pattern[] = "/tmp/kt-screen-XXXXXX";
    path_ = ::mkdtemp(pattern);
    ::setenv("KESTRINTEMPUS_ROOT", path_.c_str(), 1);
    fs::create_directories(path_ / "KestrinTempusDati");
    if (example.empty()) return;
    school_ = path_ / "KestrinTempusDati" / example;
    fs::create_directories(school_);
    for (const auto& e : fs::directory_iterator(fs::path(KT_SOURCE_DIR) / "examples" / example))
      fs::copy_file(e.path(), school_ / e.path().filename());
  }
  ~ScreenRoot() {
    std::error_code ignored;
    std::filesystem::current_path(cwd_, ignored);
    ::unsetenv("KESTRINTEMPUS_ROOT");
    std::filesystem::remove_all(path_, ignored);
  }
  ScreenRoot(const ScreenRoot&) = delete;
  ScreenRoot& operator=(const ScreenRoot&) = delete;
  const std::filesystem::path& path() const { return path_; }
  const std::filesystem::path& school() const { return school_; }

 private:
  std::filesystem::path cwd_, path_, school_;
};

}  // namespace kt::ui::screen
