// The special options page, option by option, on a copy of the small
// sample school: each box and list shows the stored setting when the page
// opens and writes it back when changed (the lists offering their own
// ranges and wordings); the lunch break's group shown and its durations
// stored; the exceptional-day tables on their buttons; the teaching-weight
// dialog opened on the saved school; each "?" its own help; Enter on the
// save button saves.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "constraint_page_fixtures.h"
#include "shell/status_file.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::SchoolPages;
using S = Coraspec;

using kt_constraints_test::selection;

struct Option {
  int id;
  std::int8_t* field;
  int value;          // stored before opening; a box shows it ticked
  int count;          // a list's items (0: a box)
  const char* last;   // a list's last item
  int chosen;         // then chosen on the page (a box: clicked)
  const char* help;   // the help the choice shows
};

TEST_F(SchoolPages, EachOptionShowsAndWritesItsSetting) {
  UiSchoolSettings& se = g_ui_settings;
  se.maxbuday[0] = 2;  // the contiguity box is usable
  const Option options[] = {
      {S::kContiguousId, &se.maxbuday[1], 1, 0, "", 0, "Selezionate questa opzione se volete ammettere"},
      {S::kAssistantId, &se.itpleggero, 1, 0, "", 0, "Per gli insegnanti che fanno parte"},
      {S::kNoRestId, &se.noriposoauto, 1, 0, "", 0, "Il programma non aggiunge da solo"},
      {S::kNoBuildingChangeId, &se.tocomi[1], 1, 0, "", 0, "Ora della pausa mensa"},
      {S::kHalfHourId, &se.budime2, 1, 0, "", 0, "Configurazione riservata alle scuole primare"},
      {S::kMpoId, &se.tekno[2], 1, 0, "", 0, "Parametri tecnici da modificare"},
      {S::kDeductionId, &se.budime1, 3, 5, "4", 1, "Le ore buche ammesse crescono"},
      {S::kCoTeachingId, &se.tocomi[0], 7, 9, "8", 2, "Scuola primaria: ogni ora del calendario"},
      {S::kSingleUnitId, &se.tekno_value, 2, 4, "vincolo obbligatorio, ma 1 deroga per classe", 3,
       "Scuola primaria: evitare lezioni"},
      {S::kDifficultId, &se.tekno[0], 9, 11, "10 %", 4, "Parametri tecnici da modificare"},
      {S::kPhaseId, &se.tekno[1], 1, 3, "Prima lab/palestre/ore bloccate", 2, "Parametri tecnici da modificare"},
  };
  for (const Option& o : options) *o.field = std::int8_t(o.value);
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  for (const Option& o : options) {
    if (o.count == 0) {
      EXPECT_TRUE(ui.IsChecked(page, o.id)) << o.id;
      ui.Click(page, o.id);
    } else {
      auto* list = static_cast<ComboBox*>(page.GetDlgItem(o.id));
      ASSERT_EQ(list->GetCount(), o.count) << o.id;
      EXPECT_EQ(list->GetLBText(o.count - 1), o.last) << o.id;
      EXPECT_EQ(list->GetCurSel(), o.value) << o.id;
      ASSERT_TRUE(ui.Select(page, o.id, o.chosen)) << o.id;
    }
    EXPECT_EQ(*o.field, o.chosen) << o.id;
    EXPECT_EQ(ui.Text(page, S::kHelpPaneId).rfind(o.help, 0), 0u) << o.id << ": " << ui.Text(page, S::kHelpPaneId);
  }
  auto* single = static_cast<ComboBox*>(page.GetDlgItem(S::kSingleUnitId));
  EXPECT_EQ(single->GetLBText(0), " Non gestito");
  auto* difficult = static_cast<ComboBox*>(page.GetDlgItem(S::kDifficultId));
  EXPECT_EQ(difficult->GetLBText(0), " 0 %");
  EXPECT_FALSE(ui.IsVisible(page, S::kClassReturnsId));  // kept, not offered
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// Worded items are offered whole in every language.
TEST_F(SchoolPages, WordedItemsAreOfferedWhole) {
  g_language = 1;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  auto* phase = static_cast<ComboBox*>(page.GetDlgItem(S::kPhaseId));
  EXPECT_EQ(phase->GetLBText(1), "Zuerst die schwierigen Lehrer Grad 1");
  EXPECT_EQ(phase->GetLBText(2), "Zuerst Labors/Turnhallen/gesperrte Stunden");
  page.DestroyWindow();
  g_language = 0;
}

// The two 15.1 boxes show the stored rule; the contiguity box is usable
// only with one of them.
TEST_F(SchoolPages, TheIdleHourBoxesShowTheStoredRule) {
  struct Case { int rule; bool any, two, contiguous; } cases[] = {
      {1, false, false, false}, {2, true, false, true}, {9, false, true, true}, {0, false, false, false}};
  for (const Case& c : cases) {
    g_ui_settings.maxbuday[0] = std::int8_t(c.rule);
    og_snapshot_all();
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    EXPECT_EQ(ui.IsChecked(page, S::kAnyIdleId), c.any) << c.rule;
    EXPECT_EQ(ui.IsChecked(page, S::kTwoIdleId), c.two) << c.rule;
    EXPECT_EQ(ui.IsEnabled(page, S::kContiguousId), c.contiguous) << c.rule;
    page.DestroyWindow();
  }
}

// The lunch break's group shows the stored break; the durations and the
// least hours after it are stored from their lists, and nothing after the
// break is stored without one.
TEST_F(SchoolPages, TheLunchBreakShowsAndStoresItsGroup) {
  UiSchoolSettings& se = g_ui_settings;
  const std::uint8_t lunch[4] = {5, 2, 3, 3};
  std::memcpy(se.lunch_break, lunch, 4);
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  struct Items { int id, count; const char* first; const char* last; } lists[] = {
      {S::kLunchHourId, 11, "-", "11"}, {S::kLunchMinId, 9, "1", "9"}, {S::kLunchMaxId, 9, "1", "9"},
      {S::kAfterReturnId, 3, "-", "3"}};
  for (const Items& l : lists) {
    auto* box = static_cast<ComboBox*>(page.GetDlgItem(l.id));
    ASSERT_EQ(box->GetCount(), l.count) << l.id;
    EXPECT_EQ(box->GetLBText(0), l.first) << l.id;
    EXPECT_EQ(box->GetLBText(l.count - 1), l.last) << l.id;
  }
  EXPECT_EQ(selection(page, S::kLunchHourId), 5);
  EXPECT_EQ(selection(page, S::kLunchMinId), 1);
  EXPECT_EQ(selection(page, S::kLunchMaxId), 2);
  EXPECT_EQ(selection(page, S::kAfterReturnId), 2);
  ASSERT_TRUE(ui.Select(page, S::kLunchMinId, 3));
  ASSERT_TRUE(ui.Select(page, S::kLunchMaxId, 8));
  ASSERT_TRUE(ui.Select(page, S::kAfterReturnId, 1));
  EXPECT_EQ(std::vector<int>(se.lunch_break, se.lunch_break + 4), (std::vector<int>{5, 4, 9, 2}));
  EXPECT_EQ(ui.Text(page, S::kHelpPaneId).rfind("Dopo la pausa mensa ci devono essere", 0), 0u);
  ASSERT_TRUE(ui.Select(page, S::kAfterReturnId, 0));
  EXPECT_EQ(se.lunch_break[3], 0);
  EXPECT_EQ(selection(page, S::kAfterReturnId), -1);
  ASSERT_TRUE(ui.Select(page, S::kLunchHourId, 0));
  ASSERT_TRUE(ui.Select(page, S::kAfterReturnId, 1));
  EXPECT_EQ(se.lunch_break[3], 0);
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// 15.94 shows the stored text; 15.95 the program's own preference.
TEST_F(SchoolPages, TheTechnicalTextAndPreferenceShowAndStore) {
  std::strcpy(g_ui_settings.tekno_text, "12");
  g_nointe_option = 1;
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  EXPECT_EQ(ui.Text(page, S::kChangeAfterId), "12");
  EXPECT_TRUE(ui.IsChecked(page, S::kNoicId));
  ui.Click(page, S::kNoicId);
  EXPECT_EQ(g_nointe_option, 0);
  EXPECT_EQ(ui.Text(page, S::kHelpPaneId).rfind("Parametri tecnici da modificare", 0), 0u);
  // Enter on the save button saves the text with the rest.
  page.GetDlgItem(S::kChangeAfterId)->SetWindowText("7");
  page.GetDlgItem(S::kSaveId)->SetFocus();
  ui.Key(kVkReturn);
  EXPECT_STREQ(g_ui_settings.tekno_text, "7");
  EXPECT_FALSE(og_school_changed());
}

// The exceptional-day tables' buttons show their tables and open them;
// the teaching-weight dialog starts from the saved school, dropping the
// page's unsaved edits, which the page then shows.
TEST_F(SchoolPages, TablesAndTheWeightDialogOpenFromThePage) {
  g_ui_settings.ihpresenzaextra = {{{20, 9, 2}}, 1};
  g_ui_settings.ihinsegnaextra = {{{24, 8, 3}}, 1};
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  const std::pair<int, const char*> tables[] = {{S::kExtraIds[0], "15.2 - Giornate di PRESENZA IN SCUOLA"},
                                                {S::kExtraIds[1], "15.3 - Giornate di INSEGNAMENTO"}};
  for (auto [id, caption] : tables) {
    EXPECT_EQ(ui.Text(page, id).rfind(caption, 0), 0u) << ui.Text(page, id);
    std::size_t boxes = ui.boxes().size();
    ui.OnNextModal([&](Dialog&) { ui.Key(kVkEscape); });
    ui.Click(page, id);
    ASSERT_EQ(ui.boxes().size(), boxes + 1) << caption;
    EXPECT_EQ(ui.boxes().back().caption.rfind(caption, 0), 0u) << ui.boxes().back().caption;
  }
  EXPECT_NE(ui.Text(page, S::kExtraIds[0]).find("\t 20\t"), std::string::npos);
  EXPECT_NE(ui.Text(page, S::kExtraIds[1]).find("\t 24\t"), std::string::npos);

  int saved = g_ui_settings.tekno[0];
  ASSERT_TRUE(ui.Select(page, S::kDifficultId, saved == 3 ? 4 : 3));  // not saved
  bool opened = false;
  ui.OnNextModal([&](Dialog& d) {
    opened = d.template_id() == Cpesodi::kTemplate;
    ui.Click(d, kIdCancel);
  });
  ui.Click(page, S::kWeightId);
  EXPECT_TRUE(opened);
  EXPECT_EQ(g_ui_settings.tekno[0], saved);
  EXPECT_EQ(selection(page, S::kDifficultId), saved);
  EXPECT_FALSE(og_school_changed());
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// Each "?" shows its own help.
TEST_F(SchoolPages, EachQuestionMarkShowsItsHelp) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  const char* const helps[S::kHelpCount] = {
      "Selezionate questa opzione se volete ammettere", "Per gli insegnanti che fanno parte",
      "Il programma non aggiunge da solo", "Le ore buche ammesse crescono", "Giornate di presenza a scuola pi\xF9 lunghe",
      "Giornate di insegnamento pi\xF9 lunghe", "Da qui potete introdurre il controllo del Peso Didattico",
      "Ora della pausa mensa", "Dopo la pausa mensa", "Scuola primaria: ogni ora del calendario",
      "Scuola primaria: evitare lezioni", "Configurazione riservata alle scuole primare",
      "Nessuna classe pu\xF2 avere un insegnante soltanto", nullptr, "Parametri tecnici da modificare"};
  for (int h = 0; h < S::kHelpCount; ++h) {
    if (!helps[h]) continue;  // the classes' afternoon days are not offered
    ASSERT_TRUE(ui.Click(page, S::kFirstHelpId + h)) << h;
    EXPECT_EQ(ui.Text(page, S::kHelpPaneId).rfind(helps[h], 0), 0u) << h << ": " << ui.Text(page, S::kHelpPaneId);
  }
  ui.Click(page, S::kHowToId);
  EXPECT_EQ(ui.Text(page, S::kHelpPaneId).rfind("Qui avete accesso a diversi parametri generali", 0), 0u);
}

}  // namespace
