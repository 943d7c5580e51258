// The buildings page of a sample school, opened from the configuration menu
// as a user does, with the unsaved-changes prompt and the description's
// file steps installed as the program installs them.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/test_driver.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_utilities.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "structure/buildings_page.h"
#include "structure/config_menu.h"
#include "structure/gyms_page.h"
#include "structure/structure_pages.h"
#include "structure/unsaved_changes_prompt.h"

namespace buildings_test {

class BuildingsPageTest : public kt_app_test::TempRoot {
 protected:
  // The sample `school` copied into the data folder and its buildings page
  // shown; a fatal failure when the page did not open.
  void OpenBuildingsPage(const char* school) {
    ui_register_frame_templates();
    structure_install_pages();
    ui_install_unsaved_changes_prompt();
    og_install_description_hooks();
    school_ = copy_example(school, school);
    ASSERT_TRUE(og_set_current_folder(("\\KestrinTempusDati\\" + std::string(school)).c_str()));
    g_hint_flags = 1;
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kt::ui::kSwShow);
    ui.Pump();
    alfadlg_go_to_page(kPageConfigMenu);
    alfadlg_go_to_page(kPagePlessi);
    ASSERT_EQ(g_current_page, &g_buildings_page);
  }
  // The shared room `name` deleted on the gyms page, which is then saved;
  // back on the buildings page.
  void DeleteGym(const char* name) {
    alfadlg_go_to_page(kPagePale);
    auto* gyms = dynamic_cast<Cpale*>(g_current_page);
    ASSERT_NE(gyms, nullptr);
    ASSERT_TRUE(ui.Select(*gyms, Cpale::kListId, name));
    ui.Click(*gyms, Cpale::kDeleteId);
    ui.Click(*gyms, Cpale::kSaveId);
    alfadlg_go_to_page(kPagePlessi);
    ASSERT_EQ(g_current_page, &g_buildings_page);
  }
  void TearDown() override {
    og_snapshot_all();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    og_set_unsaved_changes_prompt(nullptr);
    og_set_description_hooks({});
    kt_app_test::TempRoot::TearDown();
  }
  kt_app_test::fs::path school_;
  kt::ui::TestDriver ui;
};

}  // namespace buildings_test
