// Fixtures of the tests that drive the desktop program's frame: the frame
// opened in the data root as the program installs it, and the whole program
// started as main() starts it with the small sample school as its folder;
// the wait of a page that follows an engine command.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

#include "app_test_support.h"
#include "desktop_wiring.h"
#include "platform/test_driver.h"
#include "schooldata/school_file_lines.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/launcher_panel.h"

namespace kt_app_test {

// Lets a page's timer follow the engine thread until `done` holds (at least
// 1500 looks and two minutes). The engine thread runs at a lowered priority:
// between looks this thread gives up the processor, so a busy machine (a
// sanitizer build beside other builds) still lets it run, only later.
inline bool follow_engine(kt::ui::TestDriver& ui, const std::function<bool()>& done, std::uint32_t step) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::minutes(2);
  for (int i = 0;; ++i) {
    ui.Advance(step);
    if (done()) return true;
    if (i >= 1500 && std::chrono::steady_clock::now() > give_up) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

class FrameInDataRoot : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();  // as the program starts: templates, pages and the frame's hooks
    fs::create_directories(data_root());
    og_set_current_folder(g_data_root);
  }
  void TearDown() override {
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    TempRoot::TearDown();
  }
  void OpenFrame() {
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kt::ui::kSwShow);
    ui.Pump();
  }
  // The small sample school entered as the home page enters a folder: read,
  // so no edit an earlier test left behind counts as unsaved here.
  fs::path EnterSchool() {
    fs::path school = copy_example("piccola", "piccola");
    EXPECT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
    EXPECT_TRUE(g_frame_service_hooks.reread_school_files());
    return school;
  }
  kt::ui::TestDriver ui;
};

// Starts the program as main() does; `steps` run once inside the frame, then
// the user goes back to the home page and leaves with Esc. Every problem the
// driver saw fails the test.
inline void run_program(kt::ui::TestDriver& ui, const std::function<void()>& steps) {
  int runs = 0;
  ui.OnNextModal([&](kt::ui::Dialog&) {
    ++runs;
    steps();
    alfadlg_go_to_page(kPageHome);
    g_frame.SetFocus();  // the user comes back to the frame
    ui.AnswerNextModal(kt::ui::kIdYes);  // "Quit KestrinTempus?"
    ui.Key(kt::ui::kVkEscape);
  });
  const char* argv[] = {"kestrintempus"};
  EXPECT_EQ(g_app.InitInstance(1, argv), 0);
  EXPECT_EQ(runs, 1);
  for (const std::string& p : ui.Problems()) ADD_FAILURE() << p;
}

class ProgramOnSample : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
    copy_example("piccola", "piccola");
    write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\piccola\n");
  }
  // Both school files of the sample in clear, line by line, without the
  // save counter and the pair stamp, which every save renews.
  std::string school_file_lines() const {
    std::string all;
    for (const char* name : {"scuola1.txt", "scuola2.txt"}) {
      std::string why;
      EXPECT_EQ(og_read_school_lines((data_root() / "piccola" / name).string(), [&](const std::string& line) {
        if (line.rfind("SERVICEMEMO:", 0) != 0 && line.rfind("REM:KTPAIR:", 0) != 0) all += line + "\n";
        return true;
      }, &why), SchoolLines::kRead) << why;
    }
    return all;
  }
  // Starts the program; `steps` run inside the frame, then Esc on the home page ends it.
  void Run(const std::function<void()>& steps) {
    run_program(ui, steps);
    EXPECT_FALSE(g_launcher_panel.IsWindow());  // gone with the frame
  }
  kt::ui::TestDriver ui;
};

}  // namespace kt_app_test
