// The buildings page on the istituto sample (three buildings), opened from
// the configuration menu as a user does, when the officer lowers the count
// to two: the third building's classes, its labs and its gym would be
// written in no building, or in one the school no longer has, and the
// engine refuses such a school. The page says what is still there and
// where to move it, saves nothing, and keeps the page; once the classes
// are associated and the lab and the gym moved, it saves a description the
// engine loads.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../engine/loader_harness.h"
#include "buildings_page_fixture.h"
#include "platform/test_driver.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_utilities.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "structure/buildings_page.h"
#include "structure/class_buildings.h"
#include "structure/config_menu.h"
#include "structure/gyms_page.h"
#include "structure/labs_page.h"
#include "structure/structure_pages.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using P = Cplessi;

class BuildingsCount : public buildings_test::BuildingsPageTest {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    OpenBuildingsPage("istituto");
    if (HasFatalFailure()) return;
    ASSERT_EQ(+g_ui_settings.building_count, 3);
    ASSERT_STREQ(g_ui_settings.buildings[2].name, "LINGUISTICO");
  }
};

TEST_F(BuildingsCount, WhatIsLeftInARemovedBuildingIsNamedUntilMoved) {
  // The sample as it stands saves.
  ui.Click(g_buildings_page, P::kSaveId);
  ASSERT_TRUE(ui.boxes().empty()) << ui.boxes().back().texts.at(0);
  std::string before = read(school_ / "scuola2.txt");
  // LINGUISTICO's reachable entries are taken out first, as the check asks.
  for (int b = 0; b < 2; ++b)
    for (int s = 0; s < 3; ++s)
      if (std::strcmp(g_ui_settings.buildings[b].reachable_names[s], "LINGUISTICO") == 0)
        ui.Select(g_buildings_page, P::reachable_id(b, s), 0);
  ui.Select(g_buildings_page, P::kCountId, 1);
  ASSERT_EQ(+g_ui_settings.building_count, 2);

  auto refused = [&](const char* start, const char* name) {
    SCOPED_TRACE(start);
    std::string kept = read(school_ / "scuola2.txt");
    std::size_t shown = ui.boxes().size();
    ui.Click(g_buildings_page, P::kSaveId);
    ASSERT_EQ(ui.boxes().size(), shown + 1);
    const std::string& text = ui.boxes().back().texts.at(0);
    EXPECT_EQ(text.rfind(start, 0), 0u) << text;
    EXPECT_NE(text.find(name), std::string::npos) << text;
    EXPECT_EQ(read(school_ / "scuola2.txt"), kept);
    ui.Key(kVkEscape);  // leaving is refused with the same words
    EXPECT_EQ(g_current_page, &g_buildings_page);
    ASSERT_EQ(ui.boxes().size(), shown + 2);
    EXPECT_EQ(ui.boxes().back().texts.at(0), text);
  };
  refused("La Classe ", "non \xE8 associata a nessuno dei plessi esistenti");

  // The classes of LINGUISTICO go to PLESSO NORD in the association dialog,
  // one row and one click at a time.
  ui.OnNextModal([&](Dialog& d) {
    auto* list = static_cast<ListView*>(d.GetDlgItem(Cplecla::kListId));
    for (int row = 0; row < list->GetItemCount(); ++row) {
      int c = og_find_class_by_label(list->GetItemText(row, 0).c_str());
      if (c < 0 || c >= og_class_count() || g_ui_structure.classes[c].building != 2) continue;
      ui.Select(d, Cplecla::kListId, row);
      ui.Click(d, Cplecla::kFirstButtonId + 1);
    }
    ui.Click(d, Cplecla::kSaveId);
  });
  ui.Click(g_buildings_page, P::kAssociateId);
  for (int c = 0; c < og_class_count(); ++c) {
    if (g_ui_structure.classes[c].code[0] == 0) continue;
    ASSERT_LT(+g_ui_structure.classes[c].building, 2) << c;
  }

  refused("Il laboratorio [LAB MULTIMEDIALE] si trova nel plesso [LINGUISTICO]", "pagina 4");
  // The count back to three, to leave for the labs page, where each lab of
  // LINGUISTICO is entered again with PLESSO NORD.
  // Leaving asks about LINGUISTICO, now without classes, then saves.
  ui.Select(g_buildings_page, P::kCountId, 2);
  ui.AnswerNextModal(kIdYes);
  ui.OnNextModal([&](Dialog& d) { ui.Click(d, CDaticambia::kSaveId); });
  alfadlg_go_to_page(kPageLapal);
  auto* labs = dynamic_cast<Clapal*>(g_current_page);
  ASSERT_NE(labs, nullptr);
  for (std::uint32_t l = 0; l < g_ui_structure.lab_count; ++l) {
    if (g_ui_structure.labs[l].name[0] == 0 || g_ui_structure.labs[l].building != 2) continue;
    labs->GetDlgItem(Clapal::kLabNameId)->SetWindowText(g_ui_structure.labs[l].name);
    ASSERT_TRUE(ui.Select(*labs, Clapal::kBuildingId, "PLESSO NORD"));
    ui.Click(*labs, Clapal::kAddLabId);
    EXPECT_EQ(+g_ui_structure.labs[l].building, 1) << g_ui_structure.labs[l].name;
  }
  ui.Click(*labs, Clapal::kSaveId);
  alfadlg_go_to_page(kPagePlessi);
  ASSERT_EQ(g_current_page, &g_buildings_page);
  ui.Select(g_buildings_page, P::kCountId, 1);
  refused("Il locale comune [PALESTRINA] si trova nel plesso [LINGUISTICO]", "pagina 5");
  // PLESSO NORD has its gym: PALESTRINA goes.
  ui.Select(g_buildings_page, P::kCountId, 2);
  ui.AnswerNextModal(kIdYes);
  ASSERT_NO_FATAL_FAILURE(DeleteGym("PALESTRINA"));
  ui.Select(g_buildings_page, P::kCountId, 1);
  std::size_t shown = ui.boxes().size();
  ui.Click(g_buildings_page, P::kSaveId);
  EXPECT_EQ(ui.boxes().size(), shown) << ui.boxes().back().texts.at(0);
  std::string saved = read(school_ / "scuola2.txt");
  EXPECT_NE(saved, before);
  loader_test::Outcome synt = loader_test::run_synt(saved);
  EXPECT_EQ(synt.code, 0) << synt.message;
}

}  // namespace
