// The gyms and shared rooms page shows each stored room in its controls when
// the room is chosen in the list: building, the four subjects, capacity,
// product, minimum with its options, the pairing rows (rows past the stored
// count and rows marked empty show "not managed", their partner greyed) and
// the tolerated errors; choosing another room replaces every field. The
// weekly-table buttons ask for a room first.
#include <gtest/gtest.h>

#include <string>

#include "dictionary_support.h"
#include "platform/cp1252.h"
#include "structure/gyms_page.h"

namespace {

using namespace kt::ui;
using namespace dictionary_test;
using P = Cpale;

void add_class(const char* code) { std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, code, 3); }

UiGym& stored_room(const char* name) {
  UiGym& g = g_ui_settings.gyms[g_ui_settings.gym_count++];
  std::strcpy(g.name, name);
  for (int s = 0; s < 4; ++s) g.subjects[s] = -1;
  g.hours[0] = 255;
  for (auto& pair : g.pairs) pair[0] = pair[1] = 255;
  return g;
}

class GymsPageShown : public ::testing::Test {
 protected:
  void SetUp() override {
    empty_school();
    add_building("SUCCURSALE");
    add_subject("EDUCAZIONE FISICA");
    add_subject("MUSICA");
    add_subject("TEATRO");
    for (const char* code : {"1A ", "2A ", "3A ", "4A ", "5A "}) add_class(code);
    UiGym& full = stored_room("PALESTRA");
    full.building = 1;
    full.subjects[0] = 0;
    full.subjects[1] = 2;
    full.subjects[3] = 1;
    full.max_classes = 4;
    full.max_product = 6;
    full.min_classes[0] = 2;
    full.min_classes[1] = 1;
    full.min_classes[2] = 3;  // from the fourth hour
    full.pairs[0][0] = 1;
    full.pairs[0][1] = 2;
    full.pairs[1][0] = 3;
    full.pairs[1][1] = 255;  // with nobody
    full.pairs[2][0] = 255;  // an empty row inside the count
    full.pairs[3][0] = 4;    // past the count: not shown
    full.pairs[3][1] = 5;
    full.pair_count = 3;
    full.tolerated_errors = 2;
    UiGym& plain = stored_room("AULA MUSICA");
    plain.building = 0;
    plain.subjects[0] = 1;
    plain.max_classes = 1;
    og_snapshot_all();
  }
  std::string shown(int id) {
    auto* combo = static_cast<ComboBox*>(page.GetDlgItem(id));
    int sel = combo->GetCurSel();
    return sel < 0 ? "<none>" : combo->GetLBText(sel);
  }
  int row_of(const char* name) {
    auto* list = static_cast<ListView*>(page.GetDlgItem(P::kListId));
    for (int r = 0; r < list->GetItemCount(); ++r)
      if (list->GetItemText(r, 0) == name) return r;
    return -1;
  }
  TestDriver ui;
  Cpale page;
};

TEST_F(GymsPageShown, EveryFieldOfTheChosenRoomIsShown) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ASSERT_GE(row_of("PALESTRA"), 0);
  ui.Select(page, P::kListId, row_of("PALESTRA"));
  EXPECT_EQ(ui.Text(page, P::kNameId), "PALESTRA");
  EXPECT_EQ(shown(P::kBuildingId), "SUCCURSALE");
  EXPECT_EQ(shown(P::kFirstSubjectId), "EDUCAZIONE FISICA");
  EXPECT_EQ(shown(P::kFirstSubjectId + 1), "TEATRO");
  EXPECT_EQ(shown(P::kFirstSubjectId + 2), "<none>");
  EXPECT_EQ(shown(P::kFirstSubjectId + 3), "MUSICA");
  EXPECT_EQ(shown(P::kCapacityId), " 4");
  EXPECT_EQ(shown(P::kProductId), " 6");
  EXPECT_EQ(shown(P::kMinimumId), "2");
  EXPECT_EQ(shown(P::kMinimumFromHourId), "4");
  EXPECT_TRUE(ui.IsChecked(page, P::kEmptyOrMinimumId));
  EXPECT_TRUE(ui.IsEnabled(page, P::kMinimumFromHourId));
  EXPECT_TRUE(ui.IsEnabled(page, P::kEmptyOrMinimumId));
  EXPECT_EQ(shown(P::kToleratedId), " 2");

  struct Row {
    const char* year;
    const char* partner;
    bool partner_enabled;
  } rows[] = {{"1", "2", true},
              {"3", " Nessuno", true},
              {" Non gestito", " Nessuno", false},
              {" Non gestito", " Nessuno", false},
              {" Non gestito", " Nessuno", false}};
  for (int r = 0; r < 5; ++r) {
    EXPECT_EQ(shown(P::kFirstPairId + r), rows[r].year) << r;
    EXPECT_EQ(shown(P::kFirstPartnerId + r), rows[r].partner) << r;
    EXPECT_EQ(ui.IsEnabled(page, P::kFirstPartnerId + r), rows[r].partner_enabled) << r;
  }

  // The other room replaces every field, none left from the first.
  ui.Select(page, P::kListId, row_of("AULA MUSICA"));
  EXPECT_EQ(ui.Text(page, P::kNameId), "AULA MUSICA");
  EXPECT_EQ(shown(P::kBuildingId), "CENTRALE");
  EXPECT_EQ(shown(P::kFirstSubjectId), "MUSICA");
  EXPECT_EQ(shown(P::kFirstSubjectId + 1), "<none>");
  EXPECT_EQ(shown(P::kFirstSubjectId + 3), "<none>");
  EXPECT_EQ(shown(P::kCapacityId), " 1");
  EXPECT_EQ(shown(P::kProductId), "<none>");
  EXPECT_EQ(shown(P::kMinimumId), "0");
  EXPECT_EQ(shown(P::kMinimumFromHourId), "-");
  EXPECT_FALSE(ui.IsChecked(page, P::kEmptyOrMinimumId));
  EXPECT_FALSE(ui.IsEnabled(page, P::kMinimumFromHourId));
  EXPECT_FALSE(ui.IsEnabled(page, P::kEmptyOrMinimumId));
  EXPECT_EQ(shown(P::kToleratedId), " 0");
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(shown(P::kFirstPairId + r), " Non gestito") << r;
    EXPECT_FALSE(ui.IsEnabled(page, P::kFirstPartnerId + r)) << r;
  }
  // Showing changed nothing stored.
  EXPECT_FALSE(og_school_changed());
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(GymsPageShown, TheChoiceListsFollowTheSchool) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  auto* pairs = static_cast<ComboBox*>(page.GetDlgItem(P::kFirstPairId));
  ASSERT_EQ(pairs->GetCount(), 6);  // "not managed" and the years 1 to 5
  EXPECT_EQ(pairs->GetLBText(5), "5");
  auto* tolerated = static_cast<ComboBox*>(page.GetDlgItem(P::kToleratedId));
  ASSERT_EQ(tolerated->GetCount(), 5);  // 0 to one fewer than the classes
  EXPECT_EQ(tolerated->GetLBText(4), " 4");
  auto* from_hour = static_cast<ComboBox*>(page.GetDlgItem(P::kMinimumFromHourId));
  ASSERT_EQ(from_hour->GetCount(), 5);  // "-", then the hours 2 to 5 of the longest day
  EXPECT_EQ(from_hour->GetLBText(4), "5");
  auto* minimum = static_cast<ComboBox*>(page.GetDlgItem(P::kMinimumId));
  EXPECT_EQ(minimum->GetCount(), 9);
  auto* subjects = static_cast<ComboBox*>(page.GetDlgItem(P::kFirstSubjectId + 2));
  EXPECT_EQ(subjects->GetCount(), 3);
  EXPECT_TRUE(ui.IsEnabled(page, P::kBuildingId));  // two buildings
}

TEST_F(GymsPageShown, TheWeeklyTablesAskForARoomFirst) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  page.GetDlgItem(P::kNameId)->SetWindowText("NUOVA");  // a name not yet stored
  ui.PressInNextModal(kOkButton);
  ui.Click(page, P::kHoursId);
  EXPECT_TRUE(box_said(ui, "Inserire il dato, e poi modificare la tabella oraria settimanale"));
  std::size_t boxes = ui.boxes().size();
  ui.PressInNextModal(kOkButton);
  ui.Click(page, P::kSharingId);
  EXPECT_EQ(ui.boxes().size(), boxes + 1);

  page.GetDlgItem(P::kNameId)->SetWindowText("");  // no name at all: a beep only
  ui.ClearBeeps();
  ui.Click(page, P::kSharingId);
  EXPECT_EQ(ui.beeps(), 1);
  EXPECT_EQ(ui.boxes().size(), boxes + 1);
  EXPECT_EQ(+g_ui_settings.gym_count, 2u);
  og_snapshot_all();
  EXPECT_TRUE(ui.Problems().empty());
}

// Each weekly table of a chosen room opens with its own explanation: the
// hours grid with the room's hours, the sharing table with the sharing of
// hours; the page's help pane shows the same text.
TEST_F(GymsPageShown, EachWeeklyTableExplainsItself) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ui.Select(page, P::kListId, row_of("PALESTRA"));
  struct Case {
    int button;
    const char* explanation;
  } cases[] = {{P::kHoursId, "Le ore in cui il locale \xE8 disponibile e, per ciascuna, quante classi possono usarlo."},
               {P::kSharingId, "Quante delle sue ore settimanali nel locale una classe pu\xF2 condividere con altre classi"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    std::vector<std::string> texts;
    ui.OnNextModal([&](Dialog& d) {
      texts = ui.boxes().back().texts;
      d.EndDialog(kIdCancel);
    });
    ui.Click(page, c.button);
    bool found = false;
    for (const std::string& t : texts) found = found || t.rfind(c.explanation, 0) == 0;
    EXPECT_TRUE(found) << ::testing::PrintToString(texts);
    EXPECT_EQ(ui.Text(page, P::kHelpPaneId).rfind(c.explanation, 0), 0u);
  }
  og_snapshot_all();
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
