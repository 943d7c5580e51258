// The rows of the general-parameter pages on a copy of the small sample
// school: each row's button shows the table of the working settings it
// edits (its band and its quantity), under its own caption, and its picker
// offers the bands and quantities of that parameter; the exceptional-day
// tables on the second page show theirs; Enter on a focused row opens it,
// and each row's "?" shows its explanation.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::ParamPages;
using P = Corapage;

struct RowCase {
  int mode, buildings, slot;
  const char* caption;
  UiHq2Table* table;
  std::int8_t band, quantity;
  const char* first_band;  // the first band offered after "Non definito"
  const char* last_band;
  const char* first_quantity;
  const char* last_quantity;
  const char* explanation;  // the beginning of the row's help
  // Whether the picker takes two rows of equal quantities, and of rising ones.
  bool equal_ok = true, rising_ok = true;
};

std::vector<RowCase> row_cases() {
  UiSchoolSettings& s = g_ui_settings;
  return {
      {1, 1, 0, "11.1", &s.iggiorni, 9, 4, "1", "Oltre", "1", "7", "Per ogni fascia di ore settimanali", false, true},
      {1, 1, 1, "11.2", &s.giornipausacl, 3, 1, "2", "5", "0", "1", "Se l'insegnante vede una classe in pochi"},
      {1, 1, 2, "11.3", &s.ihminimo, 11, 2, "1", "Oltre", "1", "12", "Ogni giorno di lavoro dell'insegnante"},
      {1, 1, 3, "11.4", &s.ihsg, 12, 3, "1", "Oltre", "1", "12", "Il massimo di ore che l'insegnante pu\xF2 fare"},
      {1, 1, 4, "11.5", &s.ihsglab, 13, 5, "1", "Oltre", "1", "12", "Come 11.4, per gli insegnanti tecnico-pratici"},
      {1, 1, 5, "11.6", &s.ihsgcon, 14, 6, "1", "Oltre", "1", "12", "Come 11.4, per gli insegnanti di conversazione"},
      {1, 1, 6, "11.7", &s.gruppioremax, 4, 7, "1", "12", "0", "7", "Quante volte alla settimana l'insegnante pu\xF2 fare", true, false},
      {1, 1, 7, "11.8", &s.ultimeoremax, 6, 55, "2", "12", "1", "100", "Dall'ora indicata in poi", true, false},
      {2, 1, 0, "12.1", &s.ihpresenza, 15, 8, "1", "Oltre", "1", "12", "Il massimo di ore di presenza"},
      {2, 1, 1, "12.2", &s.ihinsegna, 16, 9, "1", "Oltre", "1", "12", "Il massimo di ore di lezione"},
      {2, 1, 2, "12.3", &s.ihlabpresenza, 17, 10, "1", "Oltre", "1", "12", "Il massimo di ore di presenza"},
      {2, 1, 3, "12.4", &s.ihlabinsegna, 18, 11, "1", "Oltre", "1", "12", "Il massimo di ore di lezione"},
      {2, 1, 4, "12.5", &s.ihconpresenza, 19, 12, "1", "Oltre", "1", "12", "Il massimo di ore di presenza"},
      {2, 1, 5, "12.6", &s.ihconinsegna, 21, 7, "1", "Oltre", "1", "12", "Il massimo di ore di lezione"},
      {3, 1, 0, "13.1", &s.enterexit, 22, 2, "1", "Oltre", "0", "7", "Quante volte alla settimana l'insegnante pu\xF2 lasciare"},
      {3, 1, 1, "13.2", &s.enterexitlab, 23, 3, "1", "Oltre", "0", "7", "Quante volte alla settimana l'insegnante pu\xF2 lasciare"},
      {3, 1, 2, "13.3", &s.enterexitcon, 24, 4, "1", "Oltre", "0", "7", "Quante volte alla settimana l'insegnante pu\xF2 lasciare"},
      {4, 1, 0, "14.1 - Ore buche settimanali ammesse.", &s.ihbuche, 25, 5, "1", "Oltre", "0", "6", "Il massimo di ore buche settimanali"},
      {4, 1, 1, "14.4", &s.dispoday, 7, 3, "1", "Oltre", "1", "3", "Il massimo di ore a disposizione"},
      {4, 2, 0, "14.1 - Ore buche settimanali ammesse per chi", &s.ihbuche, 25, 5, "1", "Oltre", "0", "6", "Il massimo di ore buche settimanali"},
      {4, 2, 1, "14.2", &s.ihbuchecsb, 26, 6, "1", "Oltre", "0", "6", "Come 14.1, per chi insegna in pi\xF9 di un plesso"},
      {4, 2, 2, "14.3", &s.ihbuchecst, 5, 1, "2", "8", "0", "6", "Ore buche ammesse in pi\xF9 solo per spostarsi"},
      {4, 2, 3, "14.4", &s.dispoday, 7, 3, "1", "Oltre", "1", "3", "Il massimo di ore a disposizione"},
  };
}

TEST_F(ParamPages, EachRowShowsAndOffersItsOwnTable) {
  const std::vector<RowCase> rows = row_cases();
  for (const RowCase& r : rows) *r.table = {{{r.band, r.quantity}}, 1};
  for (const RowCase& r : rows) {
    std::string id = r.caption;
    g_ui_settings.building_count = std::int8_t(r.buildings);
    Open(r.mode);
    const int button = P::kFirstBandId + r.slot;
    std::string text = ui.Text(page, button);
    EXPECT_EQ(text.rfind(r.caption, 0), 0u) << id << ": " << text;
    std::size_t band_line = text.find('\n'), quantity_line = text.find('\n', band_line + 1);
    ASSERT_NE(quantity_line, std::string::npos) << id;
    // The first cell of each line: the table's one row.
    std::string bands = text.substr(band_line, quantity_line - band_line), quantities = text.substr(quantity_line);
    EXPECT_EQ(bands.find("\t " + std::to_string(r.band) + "\t"), bands.find('\t')) << id << ": " << text;
    EXPECT_EQ(quantities.find("\t " + std::to_string(r.quantity) + "\t"), quantities.find('\t')) << id << ": " << text;
    std::vector<std::string> offered;
    ui.OnNextModal([&](Dialog& d) {
      auto* band = static_cast<ComboBox*>(d.GetDlgItem(Chq2::kBandIds[0]));
      auto* quantity = static_cast<ComboBox*>(d.GetDlgItem(Chq2::kQuantityIds[0]));
      offered = {band->GetLBText(1), band->GetLBText(band->GetCount() - 1), quantity->GetLBText(0),
                 quantity->GetLBText(quantity->GetCount() - 1)};
      ui.Key(kVkEscape);
    });
    ui.Click(page, button);
    EXPECT_EQ(offered, (std::vector<std::string>{r.first_band, r.last_band, r.first_quantity, r.last_quantity})) << id;
    EXPECT_EQ(ui.Text(page, P::kHelpPaneId).rfind(r.explanation, 0), 0u) << id << ": " << ui.Text(page, P::kHelpPaneId);
    ui.Click(page, P::kHowToId);
    EXPECT_EQ(ui.Text(page, P::kHelpPaneId).rfind("Qui avete accesso a diversi parametri generali", 0), 0u) << id;
    ui.Click(page, P::kFirstHelpId + r.slot);
    EXPECT_EQ(ui.Text(page, P::kHelpPaneId).rfind(r.explanation, 0), 0u) << id;
    page.DestroyWindow();
  }
  g_ui_settings.building_count = 1;
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The second page's exceptional-day tables: each button shows its own
// table and caption; its "?" its explanation; the picker opens on it.
TEST_F(ParamPages, TheExceptionalDayTablesShowTheirOwnRows) {
  g_ui_settings.ihpresenzaextra = {{{20, 9, 2}}, 1};
  g_ui_settings.ihinsegnaextra = {{{24, 8, 3}}, 1};
  Open(2);
  struct Case {
    int button, help;
    const char* caption;
    const char* row;
    const char* explanation;
  } cases[] = {
      {P::kExtraIds[0], P::kExtraHelpIds[0], "15.2 - Giornate di PRESENZA IN SCUOLA", "\t 20\t",
       "Giornate di presenza pi\xF9 lunghe"},
      {P::kExtraIds[1], P::kExtraHelpIds[1], "15.3 - Giornate di INSEGNAMENTO", "\t 24\t",
       "Giornate di insegnamento pi\xF9 lunghe"},
  };
  for (const Case& c : cases) {
    std::string text = ui.Text(page, c.button);
    EXPECT_EQ(text.rfind(c.caption, 0), 0u) << text;
    EXPECT_NE(text.find(c.row), std::string::npos) << text;
    ui.Click(page, c.help);
    EXPECT_EQ(ui.Text(page, P::kHelpPaneId).rfind(c.explanation, 0), 0u) << c.caption;
    std::size_t boxes = ui.boxes().size();
    ui.OnNextModal([&](Dialog&) { ui.Key(kVkEscape); });
    ui.Click(page, c.button);
    ASSERT_EQ(ui.boxes().size(), boxes + 1) << c.caption;
    EXPECT_EQ(ui.boxes().back().caption.rfind(c.caption, 0), 0u) << ui.boxes().back().caption;
  }
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// Each picker's check of the quantities down its rows: the days of teaching
// must rise with the weekly hours, the same-day and last-hours limits may
// not rise, the other tables take any order.
TEST_F(ParamPages, EachRowChecksTheOrderOfItsQuantities) {
  for (const RowCase& r : row_cases()) {
    if (r.table == &g_ui_settings.giornipausacl) continue;  // two bands of 0 and 1 days: warned about apart
    const Hq2TableSpec& spec = [&]() -> const Hq2TableSpec& {
      for (const ParamPageRow& row : g_param_page_table)
        if (reinterpret_cast<void*>(row.spec.pairs) == static_cast<void*>(r.table->pairs)) return row.spec;
      return g_param_page_table[0].spec;
    }();
    int low = std::stoi(r.first_quantity), high = std::stoi(r.last_quantity);
    struct Try { const char* what; int first, second; bool ok; } tries[] = {
        {"equal", high, high, r.equal_ok}, {"rising", low, high, r.rising_ok}};
    for (const Try& t : tries) {
      std::string id = std::string(r.caption) + " " + t.what;
      *r.table = {{{std::int8_t(spec.band_min + 1), std::int8_t(t.first)}, {spec.band_max, std::int8_t(t.second)}}, 2};
      g_ui_settings.building_count = std::int8_t(r.buildings);
      Open(r.mode);
      UiHq2Table before = *r.table;
      std::size_t boxes = ui.boxes().size();
      bool refused = false;
      ui.OnNextModal([&](Dialog& d) {
        d.GetDlgItem(kIdOk)->SetFocus();
        if (!t.ok) ui.PressInNextModal(CMessageBox::kButtonIds[0]);  // the refusal expected
        ui.Click(d, kIdOk);
        refused = d.IsWindow() && d.IsWindowVisible();
        if (refused) ui.Click(d, kIdCancel);
      });
      ui.Click(page, P::kFirstBandId + r.slot);
      EXPECT_EQ(!refused, t.ok) << id;
      EXPECT_EQ(ui.boxes().size(), boxes + (refused ? 2 : 1)) << id;
      EXPECT_EQ(ui.PendingSteps(), 0u) << id;
      if (refused) {
        EXPECT_EQ(std::memcmp(r.table, &before, sizeof before), 0) << id;
      } else {
        EXPECT_EQ(int(r.table->count), 2) << id;
      }
      og_snapshot_all();
      page.DestroyWindow();
    }
  }
  g_ui_settings.building_count = 1;
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// Enter on a focused row opens its picker; on the save button it saves.
TEST_F(ParamPages, EnterOpensTheFocusedRowOrSaves) {
  Open(3);
  std::size_t boxes = ui.boxes().size();
  page.GetDlgItem(P::kFirstBandId + 2)->SetFocus();
  ui.OnNextModal([&](Dialog&) { ui.Key(kVkEscape); });
  ui.Key(kVkReturn);
  ASSERT_EQ(ui.boxes().size(), boxes + 1);
  EXPECT_EQ(ui.boxes().back().caption.rfind("13.3", 0), 0u) << ui.boxes().back().caption;
  g_ui_settings.enterexit.pairs[0][1] = 5;
  ASSERT_TRUE(og_school_changed());
  page.GetDlgItem(P::kSaveId)->SetFocus();
  ui.Key(kVkReturn);
  EXPECT_FALSE(og_school_changed());
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
