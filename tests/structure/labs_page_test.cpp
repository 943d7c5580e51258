// The labs page run headless on a school built in the test: labs added in
// their building (asked for with two buildings), re-adding a lab makes it
// always available again, the refusals (subject name, full table, full
// group, lab in use, lab named as a subject at save), the candidates a
// group offers by building and membership, and removal from a group.
#include "structure/labs_page.h"

#include <gtest/gtest.h>

#include "dictionary_support.h"
#include "platform/cp1252.h"
#include "structure/input_box.h"

namespace {

using namespace kt::ui;
using namespace dictionary_test;
using L = Clapal;

std::string items(Clapal& page, int id) {
  std::string all;
  if (auto* combo = dynamic_cast<ComboBox*>(page.GetDlgItem(id)))
    for (int i = 0; i < combo->GetCount(); ++i) all += combo->GetLBText(i) + ";";
  if (auto* box = dynamic_cast<ListBox*>(page.GetDlgItem(id)))
    for (int i = 0; i < box->GetCount(); ++i) all += box->GetText(i) + ";";
  return all;
}

TEST(LabsPage, AddsInTheirBuildingAndRefuses) {
  empty_school();
  add_building("SUCCURSALE");
  add_subject("FISICA");
  TestDriver ui;
  Clapal page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  EXPECT_TRUE(ui.IsEnabled(page, L::kBuildingId));

  ui.PressInNextModal(kOkButton);
  type_and_enter(ui, page, L::kLabNameId, " Lab, chimica ");
  EXPECT_TRUE(box_said(ui, "Specificare il Plesso in cui si trova il nuovo Laboratorio"));
  EXPECT_EQ(+g_ui_structure.lab_count, 0u);
  ui.Select(page, L::kBuildingId, 1);  // choosing the building adds the lab typed
  ASSERT_EQ(+g_ui_structure.lab_count, 1u);
  EXPECT_EQ(std::string(g_ui_structure.labs[0].name), "Lab_ chimica");
  EXPECT_EQ(+g_ui_structure.labs[0].building, 1);
  EXPECT_EQ(std::string(page.m_added_lab), "Lab_ chimica");

  ui.PressInNextModal(kOkButton);
  type_and_enter(ui, page, L::kLabNameId, "fisica");
  EXPECT_TRUE(box_said(ui, "Il nome di un Laboratorio non può essere eguale a quello di una Materia esistente"_cp));
  EXPECT_EQ(+g_ui_structure.lab_count, 1u);

  // Re-adding a lab with limited hours, now in building 0, moves it and frees its hours.
  g_ui_structure.labs[0].hours[0] = 0;
  g_ui_structure.labs[0].hours[3] = 1;
  page.GetDlgItem(L::kLabNameId)->SetWindowText("");
  ui.Select(page, L::kBuildingId, 0);  // nothing typed: only the help pane answers
  type_and_enter(ui, page, L::kLabNameId, "LAB_ CHIMICA");
  EXPECT_EQ(+g_ui_structure.lab_count, 1u);
  EXPECT_EQ(+g_ui_structure.labs[0].building, 0);
  EXPECT_EQ(g_ui_structure.labs[0].hours[0], 255);
  EXPECT_EQ(ui.Text(page, L::kLabNameId), "LAB_ CHIMICA");  // not a new lab: the text stays

  while (g_ui_structure.lab_count < std::uint32_t(kUiMaxLabs))
    add_lab(("L" + std::to_string(g_ui_structure.lab_count)).c_str());
  ui.PressInNextModal(kOkButton);
  type_and_enter(ui, page, L::kLabNameId, "ONE TOO MANY");
  EXPECT_TRUE(box_said(ui, "Raggiunto numero massimo di laboratori. Non inserito."));
  EXPECT_EQ(+g_ui_structure.lab_count, std::uint32_t(kUiMaxLabs));

  // The check before saving names the lab that clashes with a subject.
  std::strcpy(g_ui_structure.labs[5].name, "Fisica");
  ui.PressInNextModal(kOkButton);
  ui.Click(page, L::kSaveId);
  EXPECT_TRUE(
      box_said(ui, "Il nome del Laboratorio [Fisica] non può essere eguale a quello di una Materia esistente"_cp));
  og_snapshot_all();
  std::vector<std::string> problems = ui.Problems();
  EXPECT_TRUE(problems.empty()) << (problems.empty() ? "" : problems[0]);
}

TEST(LabsPage, GroupsOfferLabsOfOneBuildingAndDeletionStopsAtALabInUse) {
  empty_school();
  add_building("SUCCURSALE");
  int a = add_lab("AULA A");
  int b = add_lab("AULA B");
  add_lab("AULA C", 1);
  int d = add_lab("AULA D");
  UiLabGroup& other = g_ui_structure.lab_groups[g_ui_structure.lab_group_count++];
  std::strcpy(other.name, "ALTRO");
  for (int s = 0; s < 20; ++s) other.labs[s] = -1;
  other.labs[0] = std::int16_t(d);
  add_teacher("ROSSI", -1, b);
  TestDriver ui;
  Clapal page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);

  type_and_enter(ui, page, L::kGroupNameId, "Gruppo uno");
  ASSERT_EQ(+g_ui_structure.lab_group_count, 2u);
  EXPECT_EQ(items(page, L::kCandidateId), "AULA A;AULA B;AULA C;");  // an empty group takes any building
  ui.Select(page, L::kCandidateId, "AULA A");
  EXPECT_EQ(+g_ui_structure.lab_groups[1].labs[0], a);
  EXPECT_EQ(items(page, L::kGroupLabsId), "AULA A;");
  EXPECT_EQ(items(page, L::kCandidateId), "AULA B;");  // C lies elsewhere, D is in a group
  ui.Select(page, L::kGroupLabsId, 0);
  ui.Click(page, L::kRemoveId);
  EXPECT_EQ(+g_ui_structure.lab_groups[1].labs[0], -1);
  EXPECT_EQ(items(page, L::kGroupLabsId), "");

  // A group of 20 labs takes no 21st.
  for (int s = 0; s < 20; ++s) g_ui_structure.lab_groups[1].labs[s] = std::int16_t(a);
  ui.Select(page, L::kGroupListId, 1);
  ui.PressInNextModal(kOkButton);
  ui.Select(page, L::kCandidateId, 0);
  EXPECT_TRUE(box_said(ui, "Raggiunto Numero Massimo di Elementi - Impossibile Inserire"));

  // Deleting A and B: A goes (and leaves its group), B is in use and stops the run.
  ListView* labs = static_cast<ListView*>(page.GetDlgItem(L::kLabListId));
  labs->SetItemState(-1, 0, kLvisSelected);
  labs->SetItemState(0, kLvisSelected, kLvisSelected);
  labs->SetItemState(1, kLvisSelected, kLvisSelected);
  ui.PressInNextModal(kOkButton);
  ui.Click(page, L::kDeleteLabId);
  EXPECT_TRUE(box_said(ui, "Cancellazione non ammessa (elemento in uso)"));
  EXPECT_EQ(g_ui_structure.labs[a].name[0], '\0');
  EXPECT_EQ(std::string(g_ui_structure.labs[b].name), "AULA B");
  EXPECT_EQ(+g_ui_structure.lab_groups[1].labs[1], -1);
  EXPECT_EQ(labs->GetItemCount(), 3);
  og_snapshot_all();
  std::vector<std::string> problems = ui.Problems();
  EXPECT_TRUE(problems.empty()) << (problems.empty() ? "" : problems[0]);
}

// The buttons beside the two lists: a lab and a group added by their "add"
// buttons, renamed through the input box (a taken name refused, the old
// kept), a group deleted; with nothing chosen they only ask for a choice.
TEST(LabsPage, ButtonsAddRenameAndDelete) {
  empty_school();
  int a = add_lab("AULA A");
  add_lab("AULA B");
  TestDriver ui;
  Clapal page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  auto rename = [&](int button, const std::string& typed, bool refused = false) {
    ui.OnNextModal([&ui, typed](Dialog& box) {
      box.GetDlgItem(Ccasella::kEdit1Id)->SetWindowText(typed);
      ui.Click(box, kIdOk);
    });
    if (refused) ui.PressInNextModal(kOkButton);
    ui.Click(page, button);
  };
  for (int button : {L::kRenameLabId, L::kRenameGroupId, L::kDeleteGroupId, L::kHoursId}) ui.Click(page, button);
  EXPECT_TRUE(ui.boxes().empty());  // nothing chosen: no box, no change
  EXPECT_EQ(ui.PendingSteps(), 0u);

  page.GetDlgItem(L::kLabNameId)->SetWindowText("AULA C");
  ui.Click(page, L::kAddLabId);
  ASSERT_EQ(+g_ui_structure.lab_count, 3u);
  EXPECT_EQ(std::string(g_ui_structure.labs[2].name), "AULA C");

  ui.Select(page, L::kLabListId, 0);
  rename(L::kRenameLabId, "AULA Z");
  EXPECT_EQ(std::string(g_ui_structure.labs[a].name), "AULA Z");
  ui.Select(page, L::kLabListId, 0);
  rename(L::kRenameLabId, "AULA B", true);
  EXPECT_TRUE(box_said(ui, "Nome già in uso"_cp));
  EXPECT_EQ(std::string(g_ui_structure.labs[a].name), "AULA Z");

  page.GetDlgItem(L::kGroupNameId)->SetWindowText("PRIMO");
  ui.Click(page, L::kAddGroupId);
  page.GetDlgItem(L::kGroupNameId)->SetWindowText("SECONDO");
  ui.Click(page, L::kAddGroupId);
  ASSERT_EQ(+g_ui_structure.lab_group_count, 2u);
  ui.Select(page, L::kGroupListId, 0);
  rename(L::kRenameGroupId, "TERZO");
  int renamed = std::string(g_ui_structure.lab_groups[0].name) == "TERZO" ? 0 : 1;
  EXPECT_EQ(std::string(g_ui_structure.lab_groups[renamed].name), "TERZO");
  ui.Select(page, L::kGroupListId, 0);
  rename(L::kRenameGroupId, renamed == 0 ? g_ui_structure.lab_groups[1].name : g_ui_structure.lab_groups[0].name, true);
  EXPECT_TRUE(box_said(ui, "Nome già in uso"_cp));
  ListView* groups = static_cast<ListView*>(page.GetDlgItem(L::kGroupListId));
  int before = groups->GetItemCount();
  ui.Select(page, L::kGroupListId, 0);
  std::string deleted = groups->GetItemText(0, 0);
  ui.Click(page, L::kDeleteGroupId);
  EXPECT_EQ(groups->GetItemCount(), before - 1);
  int named = 0;
  for (std::uint32_t g = 0; g < g_ui_structure.lab_group_count; ++g)
    named += kt::cp1252_casecmp(g_ui_structure.lab_groups[g].name, deleted.c_str()) == 0;
  EXPECT_EQ(named, 0) << deleted;
  og_snapshot_all();
  std::vector<std::string> problems = ui.Problems();
  EXPECT_TRUE(problems.empty()) << (problems.empty() ? "" : problems[0]);
}

}  // namespace
