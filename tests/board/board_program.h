// The desktop program on a sample school with its reference week, as the
// board's tests start it: the pages installed as main() installs them, the
// school read as choosing it does, the frame shown; and everything those
// pages leave in the process put back afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "board/board_page.h"
#include "board/processing_menu.h"
#include "platform/test_driver.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "structure/structure_pages.h"
#include "structure/unsaved_changes_prompt.h"

namespace board_test {

namespace fs = std::filesystem;

using Edits = std::vector<std::pair<std::string, std::string>>;

class BoardProgram : public kt_app_test::TempRoot {
 protected:
  void TearDown() override {
    if (g_frame.IsWindow()) {
      // A board left with moves asks whether to keep them: they are dropped.
      if (discard_on_close_) ui.PressInNextModal(CDaticambia::kDiscardId);
      g_frame.DestroyWindow();
    }
    g_pages.Install(PageSlot::Makedibi, nullptr);
    g_pages.Install(PageSlot::Quadro, nullptr);
    g_pages.Install(PageSlot::Qcorsi, nullptr);
    g_frame_service_hooks.confirm_timetable_use = nullptr;
    og_clear_structure();
    og_clear_school_blocks();
    TempRoot::TearDown();
  }
  // Copies `sample` with its reference week into the data root; each edit
  // replaces its first text (which must be there) in the description.
  void CopySample(const std::string& sample, const Edits& edits = {}) {
    ui_register_frame_templates();
    structure_install_pages();
    board_install_pages();
    og_install_model_utility_hooks();
    school_ = copy_example(sample, sample);
    write(school_ / "savego.txt", read(fs::path(KT_TEST_DATA) / "savefiles" / (sample + "-savego.txt")));
    if (edits.empty()) return;
    std::string description = read(school_ / "scuola2.txt");
    for (const auto& [from, to] : edits) {
      std::size_t at = description.find(from);
      ASSERT_NE(at, std::string::npos) << from;
      description.replace(at, from.size(), to);
    }
    write(school_ / "scuola2.txt", description);
  }
  // The copied school read as choosing it does, and the frame shown.
  void StartFrame(const std::string& sample) {
    ASSERT_TRUE(og_set_current_folder(("\\KestrinTempusDati\\" + sample).c_str()));
    ASSERT_TRUE(og_read_school_files(0));
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kt::ui::kSwShow);
    ui.Pump();
  }
  // Opens a page that needs a computed week: the school's state says "not
  // computed", so the frame asks first and is answered yes.
  void OpenComputedPage(int page) {
    ui.AnswerNextModal(kt::ui::kIdYes);
    alfadlg_go_to_page(page);
  }

  fs::path school_;
  bool discard_on_close_ = false;
  kt::ui::TestDriver ui;
};

}  // namespace board_test
