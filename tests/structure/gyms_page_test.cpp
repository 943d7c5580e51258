// The gyms and shared rooms page run headless on a school built in the
// test: a room is applied step by step from its controls (building asked
// for with two buildings, one room per subject and building, a minimum
// above the capacity, a year paired with nobody and with another year, the
// 41st room), a new room that marks no hour becomes always available while
// an existing one asks, a rename to a taken name, and deletion moving the
// later rooms down.
#include "structure/gyms_page.h"

#include <gtest/gtest.h>

#include "dictionary_support.h"
#include "platform/cp1252.h"
#include "structure/input_box.h"

namespace {

using namespace kt::ui;
using namespace dictionary_test;
using P = Cpale;

void add_class(const char* code) { std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, code, 3); }

void gym_school() {
  empty_school();
  add_building("SUCCURSALE");
  add_subject("EDUCAZIONE FISICA");
  add_subject("MUSICA");
  for (const char* code : {"1A ", "2A ", "3A "}) add_class(code);
}

const UiGym& gym(int i) { return g_ui_settings.gyms[i]; }

TEST(GymsPage, AppliesARoomStepByStepAndRefuses) {
  gym_school();
  TestDriver ui;
  Cpale page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);

  ui.PressInNextModal(kOkButton);
  type_and_enter(ui, page, P::kNameId, "Palestra");
  EXPECT_TRUE(box_said(ui, "Specificare il Plesso in cui si trova il Locale Comune"));
  EXPECT_EQ(+g_ui_settings.gym_count, 0u);  // the room this call appended went again

  ui.Select(page, P::kBuildingId, 0);
  ui.Select(page, P::kFirstSubjectId, "EDUCAZIONE FISICA");
  ui.Select(page, P::kCapacityId, 2);
  type_and_enter(ui, page, P::kNameId, "Palestra");
  ASSERT_EQ(+g_ui_settings.gym_count, 1u);
  EXPECT_EQ(std::string(gym(0).name), "PALESTRA");
  EXPECT_EQ(+gym(0).subjects[0], 0);
  EXPECT_EQ(+gym(0).subjects[1], -1);
  EXPECT_EQ(+gym(0).max_classes, 3);
  EXPECT_EQ(gym(0).hours[0], 255);  // marked no hour: always available
  EXPECT_EQ(ui.Text(page, P::kNameId), "");

  // One room per subject and building, "other" subjects included.
  ui.Select(page, P::kFirstSubjectId, "MUSICA");
  ui.Select(page, P::kFirstSubjectId + 1, "EDUCAZIONE FISICA");
  ui.PressInNextModal(kOkButton);
  type_and_enter(ui, page, P::kNameId, "Aula musica");
  EXPECT_TRUE(box_said(ui,
                       "Esistono DUE locali con Plesso:CENTRALE e Materia:EDUCAZIONE FISICA. Configurare i "
                       "locali comuni con Materie diverse."));
  EXPECT_EQ(+g_ui_settings.gym_count, 1u);
  ui.Select(page, P::kBuildingId, 1);
  type_and_enter(ui, page, P::kNameId, "Aula musica");
  ASSERT_EQ(+g_ui_settings.gym_count, 2u);
  EXPECT_EQ(+gym(1).building, 1);

  // The first room again: a minimum above the capacity, then 1.
  ui.Select(page, P::kListId, 0);
  EXPECT_EQ(ui.Text(page, P::kNameId), "PALESTRA");
  EXPECT_FALSE(ui.IsEnabled(page, P::kMinimumFromHourId));
  ui.PressInNextModal(kOkButton);
  ui.Select(page, P::kMinimumId, 4);
  EXPECT_TRUE(box_said(ui,
                       "Le Classi che DEVONO essere presenti contemporaneamente in questo ambiente non possono "
                       "essere PIU' di quelle che POSSONO esservi!"));
  EXPECT_EQ(gym(0).min_classes[0], 0);
  ui.Select(page, P::kMinimumId, 1);
  EXPECT_EQ(gym(0).min_classes[0], 1);
  EXPECT_TRUE(ui.IsEnabled(page, P::kMinimumFromHourId));
  EXPECT_FALSE(ui.IsEnabled(page, P::kEmptyOrMinimumId));

  // Pairings: a gap is closed up, then 1 with nobody and 1 with 2 clash.
  ui.Select(page, P::kFirstPairId + 0, 1);
  ui.Select(page, P::kFirstPartnerId + 0, 0);
  ui.Select(page, P::kFirstPairId + 2, 2);
  ui.Select(page, P::kFirstPartnerId + 2, 3);
  EXPECT_EQ(+gym(0).pair_count, 3);
  ui.Select(page, P::kProductId, 2);
  EXPECT_EQ(+gym(0).pair_count, 2);
  EXPECT_EQ(gym(0).pairs[1][0], 2);
  EXPECT_EQ(gym(0).pairs[1][1], 3);
  EXPECT_EQ(+gym(0).max_product, 2);
  ui.PressInNextModal(kOkButton);
  ui.Select(page, P::kFirstPairId + 1, 1);
  ui.Select(page, P::kFirstPartnerId + 1, 2);
  ui.Select(page, P::kProductId, 0);
  EXPECT_TRUE(box_said(ui, "La classe 1 non può essere definita accoppiabile con NESSUNO e anche con 2"_cp));

  while (g_ui_settings.gym_count < std::uint32_t(kUiMaxGyms))
    std::strcpy(g_ui_settings.gyms[g_ui_settings.gym_count++].name, "X");
  ui.PressInNextModal(kOkButton);
  type_and_enter(ui, page, P::kNameId, "Mensa");
  EXPECT_TRUE(box_said(ui, "Raggiunto Massimo Locali Comuni - Non inseribile"));
  EXPECT_EQ(+g_ui_settings.gym_count, std::uint32_t(kUiMaxGyms));
  og_snapshot_all();
  EXPECT_TRUE(ui.Problems().empty());
}

TEST(GymsPage, NeverAvailableAsksRenameRefusesTakenNamesDeleteMovesDown) {
  gym_school();
  for (const char* name : {"PALESTRA", "AULA MUSICA", "TEATRO"}) {
    UiGym& g = g_ui_settings.gyms[g_ui_settings.gym_count];
    std::strcpy(g.name, name);
    g.subjects[0] = int(g_ui_settings.gym_count) == 1 ? 1 : 0;
    g.subjects[1] = g.subjects[2] = g.subjects[3] = -1;
    g.building = std::int8_t(g_ui_settings.gym_count == 2 ? 1 : 0);
    g.max_classes = 2;
    g.hours[0] = 255;
    for (auto& pair : g.pairs) pair[0] = pair[1] = 255;
    ++g_ui_settings.gym_count;
  }
  g_ui_settings.gyms[0].hours[0] = 0;  // limited, but no school hour marked
  TestDriver ui;
  Cpale page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);

  ui.Select(page, P::kListId, 0);
  ui.PressInNextModal(kNoButton);
  ui.Select(page, P::kCapacityId, 4);
  EXPECT_TRUE(box_said(ui, "Il Locale non risulta mai disponibile. Sicuro?"));
  EXPECT_EQ(gym(0).hours[0], 0);     // kept as it was: the user answered no, nothing else changed
  EXPECT_EQ(+gym(0).max_classes, 5);  // fields before the question keep their new values

  ui.OnNextModal([&](Dialog& box) {
    box.GetDlgItem(Ccasella::kEdit1Id)->SetWindowText("teatro");
    ui.Click(box, kIdOk);
  });
  ui.PressInNextModal(kOkButton);
  ui.Click(page, P::kRenameId);
  EXPECT_TRUE(box_said(ui, "Nome già in uso"_cp));
  EXPECT_EQ(std::string(gym(0).name), "PALESTRA");

  ListView* list = static_cast<ListView*>(page.GetDlgItem(P::kListId));
  list->SetItemState(-1, 0, kLvisSelected);
  list->SetItemState(1, kLvisSelected, kLvisSelected);
  ui.Click(page, P::kDeleteId);
  ASSERT_EQ(+g_ui_settings.gym_count, 2u);
  EXPECT_EQ(std::string(gym(1).name), "TEATRO");
  EXPECT_EQ(+gym(1).building, 1);
  EXPECT_EQ(list->GetItemCount(), 2);
  og_snapshot_all();
  EXPECT_TRUE(ui.Problems().empty());
}

// A room added by its button; the errors tolerated stored on the named
// room (nothing named: a beep, nothing stored); a second subject cleared by
// its button; a rename to a free name taken at once; two empty pairing
// rows between pairings closed up.
TEST(GymsPage, AddToleratedClearAndRename) {
  gym_school();
  TestDriver ui;
  Cpale page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ui.Select(page, P::kBuildingId, 0);
  ui.Select(page, P::kFirstSubjectId, "EDUCAZIONE FISICA");
  ui.Select(page, P::kFirstSubjectId + 1, "MUSICA");
  ui.Select(page, P::kCapacityId, 2);
  page.GetDlgItem(P::kNameId)->SetWindowText("Aula Magna");
  ui.Click(page, P::kAddId);
  ASSERT_EQ(+g_ui_settings.gym_count, 1u);
  EXPECT_EQ(std::string(gym(0).name), "AULA MAGNA");
  EXPECT_EQ(+gym(0).subjects[1], 1);

  page.GetDlgItem(P::kNameId)->SetWindowText("AULA MAGNA");
  ASSERT_TRUE(ui.Select(page, P::kToleratedId, 2));  // up to one fewer than the classes
  EXPECT_EQ(+gym(0).tolerated_errors, 2u);
  ui.Click(page, P::kFirstClearId);  // the second subject's clear button
  EXPECT_EQ(+gym(0).subjects[1], -1);
  EXPECT_EQ(+gym(0).subjects[0], 0);

  page.GetDlgItem(P::kNameId)->SetWindowText("");
  ui.ClearBeeps();
  ui.Select(page, P::kToleratedId, 1);
  EXPECT_EQ(ui.beeps(), 1);
  EXPECT_EQ(+gym(0).tolerated_errors, 2u);

  ui.Select(page, P::kListId, 0);
  ui.OnNextModal([&](Dialog& box) {
    box.GetDlgItem(Ccasella::kEdit1Id)->SetWindowText("teatro");
    ui.Click(box, kIdOk);
  });
  ui.Click(page, P::kRenameId);
  EXPECT_EQ(std::string(gym(0).name), "TEATRO");
  EXPECT_EQ(ui.Text(page, P::kNameId), "TEATRO");

  // Pairings in the first and fourth rows: both gaps close up.
  ui.Select(page, P::kFirstPairId + 0, 1);
  ui.Select(page, P::kFirstPartnerId + 0, 2);
  ui.Select(page, P::kFirstPairId + 3, 3);
  ui.Select(page, P::kFirstPartnerId + 3, 3);
  EXPECT_EQ(+gym(0).pair_count, 4);
  ui.Select(page, P::kProductId, 1);
  ASSERT_EQ(+gym(0).pair_count, 2);
  EXPECT_EQ(gym(0).pairs[1][0], 3);
  EXPECT_EQ(gym(0).pairs[1][1], 3);
  EXPECT_EQ(gym(0).pairs[2][0], 255);
  og_snapshot_all();
  std::vector<std::string> problems = ui.Problems();
  EXPECT_TRUE(problems.empty()) << (problems.empty() ? "" : problems[0]);
}

}  // namespace
