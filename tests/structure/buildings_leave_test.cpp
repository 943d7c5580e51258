// The buildings page on the liceo sample, opened from the configuration menu
// as a user does: the sample can be left unchanged (its buildings' initials
// differ), ABBANDONA leaves even edits the checks refuse and drops them, and
// a rename reaches the other buildings' reachable entries, so the saved
// description loads in the engine.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../engine/loader_harness.h"
#include "platform/test_driver.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "structure/buildings_page.h"
#include "structure/config_menu.h"
#include "structure/structure_pages.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using P = Cplessi;

class BuildingsLeave : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    structure_install_pages();
    school_ = copy_example("liceo", "liceo");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\liceo"));
    g_hint_flags = 1;
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    ui.Pump();
    alfadlg_go_to_page(kPageConfigMenu);
    alfadlg_go_to_page(kPagePlessi);
    ASSERT_EQ(g_current_page, &g_buildings_page);
    ASSERT_EQ(+g_ui_settings.building_count, 2);
  }
  void TearDown() override {
    og_snapshot_all();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    TempRoot::TearDown();
  }
  void TypeName(int b, const std::string& text) {
    g_buildings_page.GotoDlgCtrl(g_buildings_page.GetDlgItem(P::kFirstNameId + b));
    ui.Type(g_buildings_page, P::kFirstNameId + b, text);
  }
  fs::path school_;
  TestDriver ui;
};

TEST_F(BuildingsLeave, UnchangedLeavesAbandonDropsAndRenamesReachTheOthers) {
  std::string before = read(school_ / "scuola2.txt");
  // Unchanged: Esc goes up to the menu without a word.
  ui.Key(kVkEscape);
  EXPECT_EQ(g_current_page, &g_config_menu);
  EXPECT_TRUE(ui.boxes().empty());

  // An edit the checks refuse: Esc stays with the message, ABBANDONA leaves.
  alfadlg_go_to_page(kPagePlessi);
  TypeName(1, "SUCCURSALE");
  ui.Key(kVkEscape);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0).rfind("Assegnare nomi con INIZIALE DIVERSA", 0), 0u);
  EXPECT_EQ(g_current_page, &g_buildings_page);
  ui.Click(g_buildings_page, P::kAbandonId);
  EXPECT_EQ(ui.boxes().size(), 1u);
  EXPECT_STREQ(g_ui_settings.buildings[1].name, "LINGUISTICO");
  EXPECT_EQ(read(school_ / "scuola2.txt"), before);
  ui.Key(kVkEscape);
  EXPECT_EQ(g_current_page, &g_config_menu);

  // A rename: the other building's reachable entry follows it.
  alfadlg_go_to_page(kPagePlessi);
  TypeName(1, "PLESSO NORD");
  EXPECT_STREQ(g_ui_settings.buildings[0].reachable_names[0], "PLESSO NORD");
  ui.Click(g_buildings_page, P::kSaveId);
  loader_test::Outcome synt = loader_test::run_synt(read(school_ / "scuola2.txt"));
  EXPECT_EQ(synt.code, 0) << synt.message;
  EXPECT_EQ(ui.boxes().size(), 1u);
}

}  // namespace
