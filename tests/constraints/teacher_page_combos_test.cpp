// The teacher constraints page, list by list, on the small sample school
// cut to five days of six hours: each list offers the numbers its row
// allows there (the school's days, its hours, a day's own hours, a fixed
// range), each choice stores its own byte of the teacher's record and the
// list shows it again, and "-" clears it; the rules that act at once (a
// preferred band with both a minimum and a maximum warned, "0" days around
// the last hours releasing them, the day limits following each other, a
// small teaching maximum asked about) and the check boxes of the page.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::TeacherPage;
using V = Cvipro;
using C = const UiTeacherConstraints&;

ComboBox& list(Dialog& page, int id) { return *static_cast<ComboBox*>(page.GetDlgItem(id)); }

struct Row {
  int id;
  int count;              // items offered
  const char* last;       // the last item's text
  int item;               // the item chosen
  int stored;             // the byte it stores
  std::function<int(C)> field;
  const char* help = "";  // the beginning of the help the choice shows
};

// The help texts the lists show, by their beginnings.
constexpr const char* kBandsHelp = "Usate questa configurazione per gestire la propensione";
constexpr const char* kSecondBandHelp = "L'eventuale configurazione della seconda fascia";
constexpr const char* kAroundHelp = "Massimo Giorni a cavallo di una data Ora";
constexpr const char* kDaysHelp = "Giorni (minimi e massimi)";
constexpr const char* kServiceHelp = "I valori presenti in questi campi dipendono";
constexpr const char* kPerDayHelp = "Questa tabella consente di fissare";
constexpr const char* kExactHelp = "Usate questa configurazione con parsimonia per soddisfare l'eventuale richiesta di avere giorni con UN";
constexpr const char* kFullHelp = "Usate questa configurazione con parsimonia per soddisfare l'eventuale richiesta di avere dei giorni";

#define FIELD(expr) [](C c) { return int(c.expr); }

TEST_F(TeacherPage, EachListOffersItsRangeAndStoresItsByte) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacher& t = g_ui_teachers[page.CurrentTeacher()];
  std::vector<Row> rows = {
      {3000, 6, "5", 2, 2, FIELD(pmin[0]), kBandsHelp},       {3001, 6, "5", 3, 3, FIELD(pmin[1]), kBandsHelp},
      {3002, 6, "5", 1, 1, FIELD(pmax[0]), kBandsHelp},       {3003, 6, "4", 3, 2, FIELD(pmax[1]), kBandsHelp},
      {3004, 6, "6", 1, 2, FIELD(fmin[0]), kBandsHelp},       {3005, 6, "6", 5, 6, FIELD(fmin[1]), kBandsHelp},
      {3006, 6, "5", 2, 2, FIELD(fmin[2]), kBandsHelp},       {3007, 6, "6", 2, 3, FIELD(fmax[0]), kBandsHelp},
      {3008, 6, "6", 4, 5, FIELD(fmax[1]), kBandsHelp},       {3009, 6, "4", 5, 4, FIELD(fmax[2]), kBandsHelp},
      {3010, 6, "6", 3, 4, FIELD(emin[0]), kSecondBandHelp},       {3011, 6, "6", 4, 5, FIELD(emin[1]), kSecondBandHelp},
      {3012, 6, "5", 4, 4, FIELD(emin[2]), kSecondBandHelp},       {3013, 6, "6", 5, 6, FIELD(emax[0]), kSecondBandHelp},
      {3014, 6, "6", 1, 2, FIELD(emax[1]), kSecondBandHelp},       {3015, 6, "4", 2, 1, FIELD(emax[2]), kSecondBandHelp},
      {3016, 5, "5", 1, 1, FIELD(cavallomax[0]), kAroundHelp}, {3017, 6, "4", 4, 3, FIELD(cavallomax[1]), kAroundHelp},
      {3018, 6, "5", 3, 3, FIELD(gmin), kDaysHelp},          {3019, 6, "5", 4, 4, FIELD(gmax), kDaysHelp},
      {3020, 7, "6", 6, 6, FIELD(presenza), kServiceHelp},      {3021, 7, "6", 2, 2, FIELD(insegnamin), kServiceHelp},
      {3022, 7, "6", 5, 5, FIELD(insegna), kServiceHelp},
      {3060, 7, "6", 4, 4, FIELD(gl[0]), kExactHelp},         {3061, 6, "5", 2, 2, FIELD(gl[1]), kExactHelp},
      {3062, 6, "5", 5, 5, FIELD(gp[0]), kFullHelp},         {3063, 6, "5", 1, 1, FIELD(gp[1]), kFullHelp},
      {3064, 6, "6", 2, 2, FIELD(gu[0]), kFullHelp},         {3065, 6, "5", 3, 3, FIELD(gu[1]), kFullHelp},
      {3066, 7, "6", 6, 6, FIELD(gx[0]), kFullHelp},         {3067, 7, "6", 1, 1, FIELD(gx[1]), kFullHelp},
      {3068, 6, "5", 4, 4, FIELD(gx[2]), kFullHelp},
      {3069, 71, " Tutte", 70, 70, FIELD(buk[0]), "Ore buche in pi"}, {3070, 8, "7", 7, 7, FIELD(buk[1]), "Ore buche OBBLIGATORIE"},
      {3071, 11, "10", 9, 9, FIELD(riposo), "Se sta in Classe"},
  };
  // The per-day lists offer the hours of their own day; the days without
  // hours offer "-" alone.
  for (int d = 0; d < 7; ++d) {
    bool open = d < 5;
    rows.push_back({3030 + d, open ? 7 : 1, open ? "6" : "-", open ? d + 1 : 0, open ? d + 1 : -1,
                    [d](C c) { return int(c.ov[d]); }, kPerDayHelp});
    rows.push_back({3040 + d, open ? 7 : 1, open ? "6" : "-", open ? 6 - d : 0, open ? 6 - d : -1,
                    [d](C c) { return int(c.om[d]); }, kPerDayHelp});
    rows.push_back({3050 + d, open ? 7 : 1, open ? "6" : "-", open ? 2 : 0, open ? 2 : -1,
                    [d](C c) { return int(c.dimpe[d]); }, kPerDayHelp});
  }
  for (const Row& r : rows) {
    ComboBox& box = list(page, r.id);
    ASSERT_EQ(box.GetCount(), r.count) << r.id;
    EXPECT_EQ(box.GetLBText(0), "-") << r.id;
    EXPECT_EQ(box.GetLBText(r.count - 1), r.last) << r.id;
    ASSERT_TRUE(ui.Select(page, r.id, r.item)) << r.id;
    EXPECT_EQ(r.field(t.personal), r.stored) << r.id;
    EXPECT_EQ(ui.Text(page, V::kHelpPaneId).rfind(r.help, 0), 0u) << r.id << ": " << ui.Text(page, V::kHelpPaneId);
    EXPECT_EQ(box.GetCurSel(), r.stored == -1 ? -1 : r.item) << r.id << " shown again";
    ASSERT_TRUE(ui.Select(page, r.id, 0)) << r.id;
    EXPECT_EQ(r.field(t.personal), -1) << r.id << " cleared by \"-\"";
  }
  // Afternoon returns: 0 to 7, into the teacher's own byte.
  ComboBox& returns = list(page, 3072);
  ASSERT_EQ(returns.GetCount(), 8);
  EXPECT_EQ(returns.GetLBText(0), "0");
  ASSERT_TRUE(ui.Select(page, 3072, 3));
  EXPECT_EQ(+t.mxr, 3);
  EXPECT_EQ(ui.Text(page, V::kHelpPaneId).rfind("Questo vincolo \xE8 significativo solo se", 0), 0u);
  ASSERT_TRUE(ui.Select(page, 3072, 0));
  EXPECT_EQ(+t.mxr, 0);
  // "-" on a first hour clears the whole band.
  ASSERT_TRUE(ui.Select(page, 3016, 2));
  ASSERT_TRUE(ui.Select(page, 3017, 2));
  ASSERT_TRUE(ui.Select(page, 3016, 0));
  EXPECT_EQ(t.personal.cavallomax[1], -1);
  og_snapshot_all();
  for (const auto& b : ui.boxes()) ADD_FAILURE() << "asked: " << b.texts[0];
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// A stored record shows on its lists when the teacher is chosen, the
// per-day values on their day's column; an unset byte shows no item.
TEST_F(TeacherPage, StoredValuesShowOnTheirListsWhenTheTeacherIsChosen) {
  ASSERT_GE(+g_ui_settings.teacher_count, 2u);
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  int other = page.CurrentTeacher() == 0 ? 1 : 0;
  UiTeacher& t = g_ui_teachers[other];
  UiTeacherConstraints& c = t.personal;
  const std::int8_t bands[] = {2, 3, 1, 2, 3, 5, 2, 4, 6, 1};
  std::memcpy(c.pmin, bands, sizeof bands);  // pmin, pmax, fmin, fmax
  c.cavallomax[0] = 3;  // around hour "4"
  c.cavallomax[1] = 0;
  c.ov[3] = 2;
  c.om[4] = 5;
  c.dimpe[0] = 6;
  c.gx[0] = 2;
  c.gx[1] = 5;
  c.gx[2] = 3;
  c.buk[0] = 4;
  c.riposo = 10;
  t.mxr = 6;
  og_snapshot_all();
  ASSERT_TRUE(ui.Select(page, V::kTeacherId, std::string_view(t.name)));
  ASSERT_EQ(page.CurrentTeacher(), other);
  const std::pair<int, int> shown[] = {{3000, 2}, {3001, 3}, {3002, 1}, {3003, 3}, {3004, 2}, {3005, 4},
                                       {3006, 2}, {3007, 3}, {3008, 5}, {3009, 2}, {3016, 3}, {3017, 1},
                                       {3033, 2}, {3044, 5}, {3050, 6}, {3066, 2}, {3067, 5}, {3068, 3},
                                       {3069, 4}, {3071, 10}, {3072, 6}, {3030, -1}, {3010, -1}};  // unset: no item
  for (auto [id, item] : shown) EXPECT_EQ(list(page, id).GetCurSel(), item) << id;
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The rules a choice brings at once.
TEST_F(TeacherPage, ChoicesBringTheirRulesAtOnce) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacher& t = g_ui_teachers[page.CurrentTeacher()];
  UiTeacherConstraints& c = t.personal;
  auto last_box = [&] { return ui.boxes().empty() ? std::string() : ui.boxes().back().texts.at(0); };
  // A minimum and a maximum for the same band: a warning, both kept.
  for (auto [first, partner] : {std::pair{3000, 3002}, std::pair{3004, 3007}, std::pair{3013, 3010}}) {
    ASSERT_TRUE(ui.Select(page, partner, 2));
    std::size_t boxes = ui.boxes().size();
    ui.PressInNextModal(CMessageBox::kButtonIds[0]);
    ASSERT_TRUE(ui.Select(page, first, 1));
    ASSERT_EQ(ui.boxes().size(), boxes + 1) << first;
    EXPECT_EQ(last_box().rfind("Attenzione: avete selezionato sia un MINIMO, sia un MASSIMO", 0), 0u) << first;
    EXPECT_NE(list(page, partner).GetCurSel(), 0) << first;
    ui.Select(page, first, 0);
    ui.Select(page, partner, 0);
  }
  // "0" days in the last-hours band releases the teacher from the last-hours check.
  ASSERT_FALSE(ui.IsChecked(page, V::kReleaseId));
  ASSERT_TRUE(ui.Select(page, 3003, 1));
  EXPECT_TRUE(vipro_last_hours_released(c));
  EXPECT_TRUE(ui.IsChecked(page, V::kReleaseId));
  ui.Click(page, V::kReleaseId);
  EXPECT_FALSE(vipro_last_hours_released(c));
  ui.Select(page, 3003, 0);
  // The fewest days raise the most; the most lower the fewest.
  ASSERT_TRUE(ui.Select(page, 3019, 3));  // at most 3
  ASSERT_TRUE(ui.Select(page, 3018, 4));  // at least 4
  EXPECT_EQ(+c.gmax, 4);
  ASSERT_TRUE(ui.Select(page, 3019, 2));  // at most 2
  EXPECT_EQ(+c.gmin, 2);
  EXPECT_EQ(list(page, 3018).GetCurSel(), 2);
  // At most one or two teaching hours a day is asked about: No keeps the old value.
  int before = c.insegna;
  for (int item : {1, 2}) {
    ui.AnswerNextModal(kIdNo);
    ASSERT_TRUE(ui.Select(page, 3022, item));
    EXPECT_EQ(+c.insegna, before) << item;
    EXPECT_EQ(last_box().rfind("ATTENZIONE: qui si configurano le ore di servizio massime", 0), 0u);
  }
  ui.AnswerNextModal(kIdYes);
  ASSERT_TRUE(ui.Select(page, 3022, 2));
  EXPECT_EQ(+c.insegna, 2);
  std::size_t boxes = ui.boxes().size();
  ASSERT_TRUE(ui.Select(page, 3022, 3));  // three hours: nothing asked
  EXPECT_EQ(ui.boxes().size(), boxes);
  EXPECT_EQ(+c.insegna, 3);
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The check boxes: no idle hours on a day, consecutive days allowed, the
// free day's first and second choice.
TEST_F(TeacherPage, CheckBoxesStoreTheirDays) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& c = g_ui_teachers[page.CurrentTeacher()].personal;
  for (int d : {0, 4}) {
    ui.Click(page, V::kNoGapIds + d);
    EXPECT_EQ(c.ovmnb[d], 1) << d;
    EXPECT_TRUE(ui.IsChecked(page, V::kNoGapIds + d));
  }
  ui.Click(page, V::kNoGapIds + 0);
  EXPECT_EQ(c.ovmnb[0], 0);
  EXPECT_EQ(c.ovmnb[4], 1);
  ui.Click(page, V::kConsecutiveId);
  EXPECT_EQ(+c.ignorapausa, 1);
  ui.Click(page, V::kConsecutiveId);
  EXPECT_EQ(+c.ignorapausa, 0);
  // A second choice with no first choice on another day is refused.
  std::memset(c.li, 255, sizeof c.li);
  std::memset(c.lialt, 255, sizeof c.lialt);
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(page, V::kSecondFreeDayIds + 3);
  ASSERT_FALSE(ui.boxes().empty());
  EXPECT_EQ(ui.boxes().back().texts.at(0), "Assegnare la prima scelta. La prima scelta deve essere  diversa dalla seconda.");
  EXPECT_NE(c.lialt[3], 1);
  EXPECT_FALSE(ui.IsChecked(page, V::kSecondFreeDayIds + 3));
  // First choice Monday, second Thursday: both stored; ticking Thursday as
  // a first choice drops it from the second.
  ui.Click(page, V::kFreeDayIds + 0);
  EXPECT_EQ(c.li[0], 1);
  std::size_t boxes = ui.boxes().size();
  ui.Click(page, V::kSecondFreeDayIds + 3);
  EXPECT_EQ(ui.boxes().size(), boxes);
  EXPECT_EQ(c.lialt[3], 1);
  ui.Click(page, V::kFreeDayIds + 3);
  EXPECT_EQ(c.li[3], 1);
  EXPECT_EQ(c.lialt[3], 0);
  EXPECT_FALSE(ui.IsChecked(page, V::kSecondFreeDayIds + 3));
  ui.Click(page, V::kFreeDayIds + 3);
  EXPECT_EQ(c.li[3], 255);
  ui.Click(page, V::kFreeDayIds + 0);
  EXPECT_EQ(c.li[0], 255);
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// Each "?" shows its own topic's help.
TEST_F(TeacherPage, EachQuestionMarkShowsItsTopic) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  const char* const topics[kVhCount] = {
      "Giorni (minimi e massimi)", "Massimo Giorni a cavallo", "Deroga IN AUMENTO al numero massimo di Ore di Insegnamento",
      "Deroga IN AUMENTO al numero massimo di Ore di Presenza", "Scelta del Giorno Libero", "Seconda Scelta del Giorno Libero",
      "Mappa delle Ore", kFullHelp, kExactHelp, "Questi tasti compilano", kBandsHelp, kSecondBandHelp, kServiceHelp,
      kPerDayHelp, "Se sta in Classe", "Professore fittizio", "Ore buche in pi", "Ore buche OBBLIGATORIE",
      "Il Professore pu\xF2 vedere le sue Classi in giorni di seguito", "Se si seleziona quest'opzione",
      "Questo vincolo \xE8 significativo", "Qui si configurano i vincoli che interessano GLOBALMENTE"};
  for (int topic = 0; topic < kVhCount; ++topic) {
    ASSERT_TRUE(ui.Click(page, V::kHelpIds + topic)) << topic;
    EXPECT_EQ(ui.Text(page, V::kHelpPaneId).rfind(topics[topic], 0), 0u) << topic << ": " << ui.Text(page, V::kHelpPaneId);
  }
}

// The boxes show the stored days and options when the teacher is chosen.
TEST_F(TeacherPage, StoredBoxesShowWhenTheTeacherIsChosen) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  int other = page.CurrentTeacher() == 0 ? 1 : 0;
  UiTeacherConstraints& c = g_ui_teachers[other].personal;
  std::memset(c.li, 255, sizeof c.li);
  std::memset(c.lialt, 255, sizeof c.lialt);
  std::memset(c.ovmnb, 0, sizeof c.ovmnb);
  c.li[1] = 1;
  c.lialt[3] = 1;
  c.ovmnb[2] = 1;
  c.ignorapausa = 1;
  vipro_set_last_hours_release(c, true);
  og_snapshot_all();
  ASSERT_TRUE(ui.Select(page, V::kTeacherId, std::string_view(g_ui_teachers[other].name)));
  for (int d = 0; d < 5; ++d) {
    EXPECT_EQ(ui.IsChecked(page, V::kFreeDayIds + d), d == 1) << d;
    EXPECT_EQ(ui.IsChecked(page, V::kSecondFreeDayIds + d), d == 3) << d;
    EXPECT_EQ(ui.IsChecked(page, V::kNoGapIds + d), d == 2) << d;
  }
  EXPECT_TRUE(ui.IsChecked(page, V::kConsecutiveId));
  EXPECT_TRUE(ui.IsChecked(page, V::kReleaseId));
}

}  // namespace
