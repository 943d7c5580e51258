// The buildings page and the classes-to-buildings dialog in the frame on a
// hand-built school (classes 1A, 2A, 3A; one building "Via Roma"): the
// single-building name and its return, rotation groups, reachable entries
// packed with their hours, the transfer minutes, the checks on saving, and
// the dialog's assignment, counters and abandon; a building without
// transfers and the rotation's break hours.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/cp1252.h"
#include "shell/message_box.h"
#include "structure/buildings_page.h"
#include "structure/class_buildings.h"
#include "structure_page_fixture.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using P = Cplessi;

constexpr int kYes = 1031, kNo = 1049;

class BuildingsPage : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ASSERT_NO_FATAL_FAILURE(open_test_school(data_root(), {"1A ", "2A ", "3A "}));
    g_ui_settings.building_count = 1;
    std::strcpy(g_ui_settings.buildings[0].name, "Via Roma");
    std::memset(g_ui_settings.rotation_breaks, 255, 4);
    og_snapshot_all();
    ASSERT_NO_FATAL_FAILURE(show_frame_page(ui, kPagePlessi));
    ASSERT_EQ(g_current_page, &g_buildings_page);
  }
  void TearDown() override {
    og_snapshot_all();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    for (PageSlot s : {PageSlot::MenuConfora, PageSlot::Proscuola, PageSlot::Plessi}) g_pages.Install(s, nullptr);
    TempRoot::TearDown();
  }
  void TypeName(int b, const char* text) {
    g_buildings_page.GotoDlgCtrl(g_buildings_page.GetDlgItem(P::kFirstNameId + b));
    ui.Type(g_buildings_page, P::kFirstNameId + b, text);
  }
  const std::string& last_box() { return ui.boxes().back().texts.at(0); }
  UiBuilding& building(int b) { return g_ui_settings.buildings[b]; }
  TestDriver ui;
};

// "No transfers" for a building is stored and greys its reachable
// buildings and their minutes, and shows so when the page opens again; the
// rotation's break hours store the hour chosen, none as 255.
TEST_F(BuildingsPage, NoTransferAndRotationBreakHours) {
  // The break hours are a one-building school's.
  for (int k : {0, 3}) {
    ui.Select(g_buildings_page, P::kFirstRotationHourId + k, 3);
    EXPECT_EQ(g_ui_settings.rotation_breaks[k], 3) << k;
  }
  ui.Select(g_buildings_page, P::kFirstRotationHourId + 3, 0);
  EXPECT_EQ(g_ui_settings.rotation_breaks[3], 255);
  EXPECT_EQ(g_ui_settings.rotation_breaks[1], 255);

  ui.Select(g_buildings_page, P::kCountId, 1);  // two buildings
  EXPECT_FALSE(ui.IsEnabled(g_buildings_page, P::kFirstRotationHourId));
  ui.Click(g_buildings_page, P::kFirstNoTransferId + 1);
  EXPECT_EQ(+building(1).no_transfer, 1);
  for (int s = 0; s < P::kSlots; ++s) {
    EXPECT_FALSE(ui.IsEnabled(g_buildings_page, P::reachable_id(1, s))) << s;
    EXPECT_FALSE(ui.IsEnabled(g_buildings_page, P::hour_id(1, s))) << s;
  }
  EXPECT_TRUE(ui.IsEnabled(g_buildings_page, P::reachable_id(0, 0)));

  TypeName(1, "Nord");
  g_ui_structure.classes[2].building = 1;  // as the classes-to-buildings dialog leaves it
  og_snapshot_all();
  alfadlg_go_to_page(kPageHome);
  ASSERT_NE(g_current_page, &g_buildings_page) << (ui.boxes().empty() ? "" : last_box());
  ASSERT_TRUE(alfadlg_go_to_page(kPagePlessi));
  EXPECT_TRUE(ui.IsChecked(g_buildings_page, P::kFirstNoTransferId + 1));
  EXPECT_FALSE(ui.IsChecked(g_buildings_page, P::kFirstNoTransferId));
  EXPECT_FALSE(ui.IsEnabled(g_buildings_page, P::reachable_id(1, 0)));
  EXPECT_TRUE(ui.IsEnabled(g_buildings_page, P::reachable_id(0, 0)));
  ui.Click(g_buildings_page, P::kFirstNoTransferId + 1);
  EXPECT_EQ(+building(1).no_transfer, 0);
  EXPECT_TRUE(ui.IsEnabled(g_buildings_page, P::hour_id(1, 2)));
  for (const std::string& p : ui.Problems()) ADD_FAILURE() << p;
}

TEST_F(BuildingsPage, NamesReachableMinutesAndChecks) {
  EXPECT_STREQ(building(0).name, "Centrale Sede Unica");
  EXPECT_FALSE(ui.IsEnabled(g_buildings_page, P::kFirstNameId));
  // Rotation groups while there is one building.
  ui.Select(g_buildings_page, P::kClassListId, 1);
  ui.Select(g_buildings_page, P::kGroupId, 2);
  EXPECT_EQ(+g_ui_structure.classes[1].rotation, 2);
  ui.Click(g_buildings_page, P::kNoRotationId);
  EXPECT_EQ(+g_ui_structure.classes[1].rotation, 0);

  ui.Select(g_buildings_page, P::kCountId, 2);  // three buildings
  EXPECT_STREQ(building(0).name, "Via Roma");
  EXPECT_FALSE(ui.IsEnabled(g_buildings_page, P::kClassListId));
  TypeName(1, "via roma");
  TypeName(2, "Nord");
  ui.AnswerNextModal(1);
  ui.Click(g_buildings_page, P::kSaveId);
  EXPECT_EQ(last_box(), "Assegnare nomi diversi a tutti i Plessi!");
  TypeName(1, "Viale");
  ui.AnswerNextModal(1);
  ui.Click(g_buildings_page, P::kSaveId);
  EXPECT_EQ(last_box(), "Assegnare nomi con INIZIALE DIVERSA a tutti i Plessi! (Via Roma e Viale hanno la stessa iniziale)");
  TypeName(1, "Est");
  EXPECT_STREQ(building(1).name, "Est");
  ui.AnswerNextModal(1);
  ui.Click(g_buildings_page, P::kSaveId);
  EXPECT_EQ(last_box(), "Dare un nome significativo a ciascun Plesso(Almeno 4 lettere)");
  TypeName(1, "Est Park");

  // Slot 1 filled first moves into slot 0; the hour "1" warns, "qualsiasi" is 25.
  ui.Select(g_buildings_page, P::reachable_id(0, 1), 3);  // entry 3 stands for building 2, "Nord"
  EXPECT_STREQ(building(0).reachable_names[0], "Nord");
  EXPECT_EQ(+building(0).reachable_count, 1);
  std::size_t boxes = ui.boxes().size();
  ui.AnswerNextModal(1);
  ui.Select(g_buildings_page, P::hour_id(0, 0), 0);
  EXPECT_EQ(ui.boxes().size(), boxes + 1);
  EXPECT_EQ(building(0).reachable_values[0], 1);
  auto* hours = static_cast<ComboBox*>(g_buildings_page.GetDlgItem(P::hour_id(0, 0)));
  ui.Select(g_buildings_page, P::hour_id(0, 0), hours->GetCount() - 1);
  EXPECT_EQ(building(0).reachable_values[0], 25);
  ui.Select(g_buildings_page, P::reachable_id(0, 1), 3);  // the same building and hour collapse into one
  ui.Select(g_buildings_page, P::hour_id(0, 1), hours->GetCount() - 1);
  EXPECT_EQ(+building(0).reachable_count, 1);

  ui.Select(g_buildings_page, P::kMinId, 4);
  ui.Select(g_buildings_page, P::kMaxId, 2);
  EXPECT_EQ(g_ui_settings.pamez[0], 20);
  EXPECT_EQ(g_ui_settings.pamez[1], 20);
  ui.Select(g_buildings_page, P::kMinId, 0);
  EXPECT_EQ(g_ui_settings.pamez[1], 0);

  // Buildings without classes: No keeps the page; Yes twice saves.
  ui.PressInNextModal(kNo);
  ui.Click(g_buildings_page, P::kSaveId);
  EXPECT_EQ(last_box().rfind("Il plesso [Est Park] non", 0), 0u);
  EXPECT_TRUE(ui.HasFocus(g_buildings_page, P::kAssociateId));
  EXPECT_FALSE(fs::exists(data_root() / "scuola" / "scuola1.txt"));
  ui.PressInNextModal(kYes);
  ui.PressInNextModal(kYes);
  ui.Click(g_buildings_page, P::kSaveId);
  EXPECT_TRUE(fs::exists(data_root() / "scuola" / "scuola2.txt"));
  EXPECT_FALSE(og_school_changed());
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(BuildingsPage, ClassesToBuildingsAssignCountAndAbandon) {
  ui.Select(g_buildings_page, P::kCountId, 1);
  TypeName(1, "Nord");
  std::string counters;
  ui.OnNextModal([&](Dialog& d) {
    EXPECT_FALSE(ui.IsEnabled(d, Cplecla::kFirstButtonId + 2));
    ui.Select(d, Cplecla::kListId, 2);  // 3A
    ui.Click(d, Cplecla::kFirstButtonId + 1);
    counters = ui.Text(d, Cplecla::kFirstCounterId) + "/" + ui.Text(d, Cplecla::kFirstCounterId + 1) + "/" +
               ui.Text(d, Cplecla::kFirstCounterId + 2);
    ui.ClickHeader(d, Cplecla::kListId, 0);  // descending: 3A first, still selected
    EXPECT_EQ(static_cast<ListView*>(d.GetDlgItem(Cplecla::kListId))->GetItemText(0, 0), "3A");
    ui.PressInNextModal(kNo);
    ui.Click(d, Cplecla::kAbandonId);
    EXPECT_TRUE(d.IsWindow());
    ui.PressInNextModal(kYes);
    ui.Click(d, Cplecla::kAbandonId);
  });
  ui.Click(g_buildings_page, P::kAssociateId);
  EXPECT_EQ(counters, "2/1/");
  EXPECT_EQ(+g_ui_structure.classes[2].building, 0);  // restored

  ui.OnNextModal([&](Dialog& d) {
    // Each run of the dialog opens in ascending order, whatever the last sorted.
    EXPECT_EQ(static_cast<ListView*>(d.GetDlgItem(Cplecla::kListId))->GetItemText(0, 0), "1A");
    ui.Select(d, Cplecla::kListId, 0);
    ui.Click(d, Cplecla::kFirstButtonId + 1);
    ui.Click(d, Cplecla::kSaveId);
  });
  ui.Click(g_buildings_page, P::kAssociateId);
  int moved = 0;
  for (int c = 0; c < 3; ++c) moved += g_ui_structure.classes[c].building == 1;
  EXPECT_EQ(moved, 1);
  EXPECT_TRUE(ui.Problems().empty());
}

// The class list's columns: the class and the building as wide as their
// headings, the rotation group narrow, the track column only when the
// school has two tracks or more.
TEST_F(BuildingsPage, ClassListShowsTheTrackColumnOnlyWithTracks) {
  for (int tracks : {1, 2}) {
    if (tracks == 2) {
      g_frame.DestroyWindow();
      g_ui_structure.track_count = 2;
      ASSERT_NO_FATAL_FAILURE(show_frame_page(ui, kPagePlessi));
      ASSERT_EQ(g_current_page, &g_buildings_page);
    }
    auto* list = static_cast<ListView*>(g_buildings_page.GetDlgItem(P::kClassListId));
    ASSERT_EQ(list->GetColumnCount(), 4);
    for (int c : {0, 3}) EXPECT_EQ(list->GetColumnWidth(c), 8 * int(list->GetColumnHeading(c).size())) << c;
    EXPECT_EQ(list->GetColumnWidth(1), 20);
    EXPECT_EQ(list->GetColumnWidth(2), tracks < 2 ? 0 : 20) << tracks;
  }
  g_ui_structure.track_count = 1;
}

// The buildings out of reach as stored show on opening: each slot its own
// building (not the first other one) and hour, an empty slot nothing.
TEST_F(BuildingsPage, StoredReachableBuildingsShowInTheirSlots) {
  g_frame.DestroyWindow();
  g_ui_settings.building_count = 3;
  const char* names[3] = {"Via Roma", "Est Park", "Nord"};
  for (int b = 0; b < 3; ++b) std::strcpy(building(b).name, names[b]);
  std::strcpy(building(0).reachable_names[0], "Nord");
  building(0).reachable_values[0] = 3;
  building(0).reachable_count = 1;
  std::strcpy(building(1).reachable_names[0], "Via Roma");
  building(1).reachable_values[0] = 2;
  building(1).reachable_count = 1;
  og_snapshot_all();
  ASSERT_NO_FATAL_FAILURE(show_frame_page(ui, kPagePlessi));
  auto selected = [&](int id) { return static_cast<ComboBox*>(g_buildings_page.GetDlgItem(id))->GetCurSel(); };
  struct Slot {
    int b, s, building_item, hour_item;  // -1: nothing chosen
  } slots[] = {{0, 0, 3, 2}, {0, 1, -1, -1}, {0, 2, -1, -1}, {1, 0, 1, 1}, {1, 1, -1, -1}, {2, 0, -1, -1}};
  for (const Slot& slot : slots) {
    EXPECT_EQ(selected(P::reachable_id(slot.b, slot.s)), slot.building_item) << slot.b << "," << slot.s;
    EXPECT_EQ(selected(P::hour_id(slot.b, slot.s)), slot.hour_item) << slot.b << "," << slot.s;
  }
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
