// The buildings page on the liceo sample, opened from the configuration menu
// as a user does: the sample can be left unchanged (its buildings' initials
// differ), ABBANDONA asks about edits through the unsaved-changes prompt
// (stay, discard, save) and drops edits the checks refuse once the user
// confirms, a name whose separators are replaced says so, and a rename reaches the other buildings' reachable entries, so
// the saved description loads in the engine.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../engine/loader_harness.h"
#include "buildings_page_fixture.h"
#include "platform/test_driver.h"
#include "schooldata/description_writer.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "structure/buildings_page.h"
#include "structure/config_menu.h"
#include "structure/gyms_page.h"
#include "structure/structure_pages.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using P = Cplessi;

class BuildingsLeave : public buildings_test::BuildingsPageTest {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    OpenBuildingsPage("liceo");
    if (HasFatalFailure()) return;
    ASSERT_EQ(+g_ui_settings.building_count, 2);
  }
  void TypeName(int b, const std::string& text) {
    g_buildings_page.GotoDlgCtrl(g_buildings_page.GetDlgItem(P::kFirstNameId + b));
    ui.Type(g_buildings_page, P::kFirstNameId + b, text);
  }
};

TEST_F(BuildingsLeave, UnchangedLeavesAbandonDropsAndRenamesReachTheOthers) {
  std::string before = read(school_ / "scuola2.txt");
  // Unchanged: Esc goes up to the menu without a word.
  ui.Key(kVkEscape);
  EXPECT_EQ(g_current_page, &g_config_menu);
  EXPECT_TRUE(ui.boxes().empty());

  // An edit the checks refuse: Esc stays with the message; ABBANDONA says it
  // too, then drops the edit only when the user confirms.
  alfadlg_go_to_page(kPagePlessi);
  TypeName(1, "SUCCURSALE");
  ui.Key(kVkEscape);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0).rfind("Assegnare nomi con INIZIALE DIVERSA", 0), 0u);
  EXPECT_EQ(g_current_page, &g_buildings_page);
  ui.AnswerNextModal(1);
  ui.AnswerNextModal(kIdNo);
  ui.Click(g_buildings_page, P::kAbandonId);
  ui.Pump();
  ASSERT_EQ(ui.boxes().size(), 3u);
  EXPECT_EQ(ui.boxes()[2].texts.at(0), "Sicuro di abbandonare le modifiche ?");
  EXPECT_STREQ(g_ui_settings.buildings[1].name, "SUCCURSALE");  // No: the edit stays
  ui.AnswerNextModal(1);
  ui.AnswerNextModal(kIdYes);
  ui.Click(g_buildings_page, P::kAbandonId);
  ui.Pump();
  EXPECT_EQ(ui.boxes().size(), 5u);
  EXPECT_STREQ(g_ui_settings.buildings[1].name, "LINGUISTICO");
  EXPECT_EQ(read(school_ / "scuola2.txt"), before);
  EXPECT_EQ(g_current_page, &g_buildings_page);  // opened again, without the edit
  ui.Key(kVkEscape);
  EXPECT_EQ(g_current_page, &g_config_menu);

  // An edit the checks take: ABBANDONA asks through the unsaved-changes
  // prompt; "stay" keeps it, "discard" reads the files again.
  alfadlg_go_to_page(kPagePlessi);
  TypeName(1, "PLESSO-EST");
  EXPECT_STREQ(g_ui_settings.buildings[1].name, "PLESSO_EST");  // cleaned, and said
  EXPECT_NE(ui.Render(g_buildings_page).TextsOf(P::kHelpPaneId).find("nei nomi i caratteri - | :"), std::string::npos);
  std::size_t shown = ui.boxes().size();
  int prompts = 0;
  auto answer = [&](int button) {
    ui.OnNextModal([&, button](Dialog& d) {
      prompts += d.template_id() == CDaticambia::kTemplate;
      ui.Click(d, button);
    });
  };
  answer(CDaticambia::kStayId);
  ui.Click(g_buildings_page, P::kAbandonId);
  ui.Pump();
  EXPECT_EQ(prompts, 1);
  EXPECT_STREQ(g_ui_settings.buildings[1].name, "PLESSO_EST");
  answer(CDaticambia::kDiscardId);
  ui.Click(g_buildings_page, P::kAbandonId);
  ui.Pump();
  EXPECT_EQ(prompts, 2);
  EXPECT_STREQ(g_ui_settings.buildings[1].name, "LINGUISTICO");
  EXPECT_EQ(read(school_ / "scuola2.txt"), before);
  EXPECT_EQ(g_current_page, &g_buildings_page);
  shown = ui.boxes().size();

  // A rename: the other building's reachable entry follows it.
  alfadlg_go_to_page(kPagePlessi);
  TypeName(1, "PLESSO NORD");
  EXPECT_STREQ(g_ui_settings.buildings[0].reachable_names[0], "PLESSO NORD");
  ui.Click(g_buildings_page, P::kSaveId);
  loader_test::Outcome synt = loader_test::run_synt(read(school_ / "scuola2.txt"));
  EXPECT_EQ(synt.code, 0) << synt.message;
  EXPECT_EQ(ui.boxes().size(), shown);
}

}  // namespace

// Down to one building: the other building's name is no longer the
// school's, and the reachable lists are disabled with their entries, which
// no line carries any more, so they hold nothing up. Its gym, PALESTRINA,
// would share the one building with PALESTRA for the same subject, which
// the engine refuses: the page names both and saves nothing until one goes.
// Then it saves, the engine loads the result, and the page is left quietly.
TEST_F(BuildingsLeave, OneBuildingLeftSavesAndLeaves) {
  std::string before = read(school_ / "scuola2.txt");
  ASSERT_STREQ(g_ui_settings.buildings[0].reachable_names[0], "LINGUISTICO");
  ui.Select(g_buildings_page, P::kCountId, 0);
  EXPECT_EQ(+g_ui_settings.building_count, 1);
  EXPECT_FALSE(ui.IsEnabled(g_buildings_page, P::reachable_id(0, 0)));
  ui.Click(g_buildings_page, P::kSaveId);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0),
            "Con un solo plesso, [PALESTRA] e [PALESTRINA] sono due locali comuni per la stessa materia [SCIENZE "
            "MOTORIE]: prima eliminarne uno (pagina 5, Palestre), poi ridurre il numero dei plessi");
  EXPECT_EQ(read(school_ / "scuola2.txt"), before);

  // Two buildings again to leave, PALESTRINA deleted on the gyms page.
  ui.Select(g_buildings_page, P::kCountId, 1);
  ASSERT_NO_FATAL_FAILURE(DeleteGym("PALESTRINA"));

  ui.Select(g_buildings_page, P::kCountId, 0);
  ui.Click(g_buildings_page, P::kSaveId);
  EXPECT_EQ(ui.boxes().size(), 1u) << ui.boxes().back().texts.at(0);
  std::string saved = read(school_ / "scuola2.txt");
  EXPECT_NE(saved, before);
  loader_test::Outcome synt = loader_test::run_synt(saved);
  EXPECT_EQ(synt.code, 0) << synt.message;
  ui.Key(kVkEscape);
  EXPECT_EQ(g_current_page, &g_config_menu);
  EXPECT_EQ(ui.boxes().size(), 1u);
  // Read again from the files, the page shows the one building.
  ASSERT_TRUE(og_read_school_files(0));
  alfadlg_go_to_page(kPagePlessi);
  EXPECT_EQ(ui.Text(g_buildings_page, P::kCountId), "1");
}
