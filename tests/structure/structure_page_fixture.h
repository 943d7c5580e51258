// The start of the structure page tests that run a page in the frame: a
// fresh school folder "scuola" below the test drive as the current folder,
// an empty school of one track and one section with the given classes and
// six hours on five days, and the frame shown on one page.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/test_driver.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "structure/structure_pages.h"

namespace kt_app_test {

// classes: codes of three characters (the fourth byte is the NUL).
inline void open_test_school(const fs::path& data_root, std::initializer_list<const char*> classes) {
  ui_register_frame_templates();
  structure_install_pages();
  fs::create_directories(data_root / "scuola");
  ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\scuola"));
  og_clear_structure();
  og_clear_school_blocks();
  g_ui_structure.track_count = 1;
  g_ui_structure.sections[0][0] = 1;
  for (const char* code : classes) std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, code, 4);
  for (int d = 0; d < 5; ++d) g_ui_header.hours_per_day[d] = 6;
}

// The school folder `folder` of the data root made current and the frame
// shown on its home page.
inline void show_frame_in_school(kt::ui::TestDriver& ui, const char* folder) {
  ASSERT_TRUE(og_set_current_folder((std::string("\\KestrinTempusDati\\") + folder).c_str()));
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kt::ui::kSwShow);
  ui.Pump();
}

inline void show_frame_page(kt::ui::TestDriver& ui, int page) {
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kt::ui::kSwShow);
  ui.Pump();
  alfadlg_go_to_page(page);
}

// Opens the school from the home page as a user does (the configuration
// menu reads its files); the texts of the boxes it showed.
inline std::vector<std::string> open_school_from_home(kt::ui::TestDriver& ui) {
  std::size_t shown = ui.boxes().size();
  alfadlg_go_to_page(kPageHome);
  ui.Pump();
  alfadlg_go_to_page(kPageConfigMenu);
  ui.Pump();
  std::vector<std::string> said;
  for (std::size_t i = shown; i < ui.boxes().size(); ++i) said.push_back(ui.boxes()[i].texts.at(0));
  return said;
}

}  // namespace kt_app_test
