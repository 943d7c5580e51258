// The technical editor's tests start the frame on a copy of the small sample
// school with its reference week saved, and read the editor's list by lesson.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/test_driver.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "structure/structure_pages.h"
#include "structure/technical_editor.h"
#include "structure_page_fixture.h"

namespace kt_app_test {

class TechnicalEditorPage : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    structure_install_pages();
    std::filesystem::path school = copy_example("piccola", "piccola");
    write(school / "savego.txt", read(std::filesystem::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt"));
    ASSERT_NO_FATAL_FAILURE(show_frame_in_school(ui, "piccola"));
  }
  void TearDown() override {
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    TempRoot::TearDown();
  }
  static kt::ui::ListView& List(kt::ui::Dialog& d) {
    return *static_cast<kt::ui::ListView*>(d.GetDlgItem(Ceditek::kListId));
  }
  // The list's row of `lesson`, or -1.
  static int Row(kt::ui::Dialog& d, int lesson) {
    for (int r = 0; r < List(d).GetItemCount(); ++r)
      if (std::atoi(List(d).GetItemText(r, 0).c_str()) == lesson) return r;
    return -1;
  }
  kt::ui::TestDriver ui;
};

}  // namespace kt_app_test
