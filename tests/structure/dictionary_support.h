// Helpers of the dictionary page tests: a small school built in memory
// (subjects, labs, buildings, teachers with posts), the texts of the
// message boxes a run showed, and a scoped temporary school folder for the
// paths that write the school files.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/test_driver.h"
#include "schooldata/ui_school_model.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"
#include "test_temp_folder.h"
#include "ui_school_builders.h"

namespace dictionary_test {

inline constexpr int kOkButton = CMessageBox::kButtonIds[0];
inline constexpr int kYesButton = CMessageBox::kButtonIds[0];
inline constexpr int kNoButton = CMessageBox::kButtonIds[1];

inline void empty_school() {
  ui_register_toolkit_templates();
  og_clear_structure();
  og_clear_school_blocks();
  g_ui_structure.track_count = 1;
  g_ui_settings.building_count = 1;
  std::strcpy(g_ui_settings.buildings[0].name, "CENTRALE");
  for (int d = 0; d < 6; ++d) g_ui_header.hours_per_day[d] = 5;
  g_language = 0;
}

inline int add_lab(const char* name, int building = 0) {
  int i = int(g_ui_structure.lab_count++);
  std::strcpy(g_ui_structure.labs[i].name, name);
  g_ui_structure.labs[i].building = std::int8_t(building);
  g_ui_structure.labs[i].hours[0] = 255;
  return i;
}

inline void add_building(const char* name) {
  std::strcpy(g_ui_settings.buildings[g_ui_settings.building_count++].name, name);
}

// A teacher with one post of this subject (and lab, -1 none).
inline int add_teacher(const char* name, int subject, int lab = -1) {
  int t = int(g_ui_settings.teacher_count++);
  std::strcpy(g_ui_teachers[t].name, name);
  og_reset_teaching_post(g_ui_teachers[t].posts[0]);
  g_ui_teachers[t].posts[0].subject = subject;
  g_ui_teachers[t].posts[0].lab = lab;
  g_ui_teachers[t].post_count = 1;
  return t;
}

inline bool box_said(kt::ui::TestDriver& ui, const std::string& text) {
  for (const auto& box : ui.boxes())
    for (const std::string& t : box.texts)
      if (t == text) return true;
  return false;
}

// Types text into the page's edit `id`, emptied first, and presses Enter.
inline void type_and_enter(kt::ui::TestDriver& ui, kt::ui::Dialog& page, int id, const char* text) {
  auto* edit = static_cast<kt::ui::Edit*>(page.GetDlgItem(id));
  edit->SetWindowText("");
  page.GotoDlgCtrl(edit);
  ui.Type(*edit, text);
  ui.Key(kt::ui::kVkReturn);
}

inline std::string subject_name(int i) { return g_ui_structure.subjects[i].name; }

// The drive root and the current folder in a fresh temporary folder.
struct SchoolFolder {
  kt_test::TempDir dir{"kt-dictionary-"};
  kt_test::InDriveRoot in{dir.path(), dir.path()};
};

}  // namespace dictionary_test
