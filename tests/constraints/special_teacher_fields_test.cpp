// The special teacher constraints page, control by control, on the
// fixture's three teachers and five days of six hours: each list and box
// shows the value stored in the teacher's record when the page opens, and
// each choice writes its own field (with the pairs kept in order: the
// grouping's second hour under the first, the latest hour after the
// earliest, the rest range's ends); the personal lunch break refuses its
// durations without an hour; the three personal band tables show their
// rows on their buttons and offer their own ranges; the car-sharing wait
// is usable only with a partner, the priority only when the school's
// technical phase asks it, the reserved box only in service mode.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::SpecialTeacherPage;
using V = Cvidia;

using kt_constraints_test::selection;

// A record as stored and the item or tick each control shows for it.
struct StoredCase {
  const char* what;
  std::function<void(UiTeacher&)> store;
  std::vector<std::pair<int, int>> items;  // list id, item shown
  std::vector<int> ticked, unticked;       // boxes
};

TEST_F(SpecialTeacherPage, EachControlShowsTheStoredRecord) {
  const StoredCase cases[] = {
      {"nothing set", [](UiTeacher&) {},
       {{V::kBreakDaysId, 0}, {V::kMoveModeId, 0}, {V::kWeekMovesId, 0}, {V::kOverlapId, 0}, {V::kCarShareId, 0},
        {V::kWaitId, -1}, {V::kGroupSecondId, 0}, {V::kEarlyId, 0}, {V::kLateId, 0}, {V::kShortDayHoursId, 0},
        {V::kPriorityId, 0}, {V::kAfterReturnId, 0}},
       {V::kSupportId},
       {V::kLabBreakId, V::kNoGapTwoId, V::kNoGapThreeId, V::kLabId, V::kSchoolId, V::kPtkkId, V::kFictitiousFreeId,
        V::kFictitiousCheckedId}},
      {"first kinds",
       [](UiTeacher& t) {
         UiTeacherConstraints& c = t.personal;
         c.gpausa = 2;
         c.nomotor = 5;
         c.nomweek = 3;
         c.ni = 2;  // both links answered, so leaving changes nothing
         g_ui_teachers[2].personal.ni = 0;
         c.carshare_partner = 1;
         g_ui_teachers[1].personal.carshare_partner = 0;
         c.carshare_wait = 2;
         const std::int8_t lunch[4] = {5, 2, 3, 3};
         std::memcpy(c.pausameper, lunch, 4);
         c.segrubi[0] = 3;
         c.segrubi[1] = 2;
         c.prela[0] = 12;  // stored just after the grouping's hours
         c.prela[1] = 12;
         c.pligi[1] = 12;
         c.tekgrado[0] = 1;
         c.tekgrado[1] = 1;
         c.paulab = 1;
         c.quorvex = 2;
         c.labrifol = 1;
         t.fc_mode = 1;
         t.nor_flag = 1;
       },
       {{V::kBreakDaysId, 3}, {V::kMoveModeId, 5}, {V::kWeekMovesId, 4}, {V::kOverlapId, 3}, {V::kCarShareId, 2},
        {V::kWaitId, 2}, {V::kLunchHourId, 5}, {V::kLunchMinId, 1}, {V::kLunchMaxId, 2}, {V::kAfterReturnId, 2},
        {V::kGroupFirstId, 3}, {V::kGroupSecondId, 2}, {V::kEarlyId, 12}, {V::kLateId, 12},
        {V::kShortDayHoursId, 12}, {V::kPriorityId, 1}},
       {V::kLabBreakId, V::kNoGapTwoId, V::kLabId, V::kPtkkId, V::kFictitiousFreeId},
       {V::kNoGapThreeId, V::kSchoolId, V::kFictitiousCheckedId, V::kSupportId}},
      {"second kinds",
       [](UiTeacher& t) {
         UiTeacherConstraints& c = t.personal;
         c.gpausa = 0;
         c.nomotor = 13;  // moves after the first hour
         c.nomweek = 7;
         c.segrubi[0] = 12;
         c.segrubi[1] = 11;
         c.prela[0] = 1;
         c.prela[1] = 4;
         c.quorvex = 3;
         c.labrifol = 2;
         t.fc_mode = 2;
       },
       {{V::kBreakDaysId, 1}, {V::kMoveModeId, 7}, {V::kWeekMovesId, 8}, {V::kWaitId, -1}, {V::kGroupFirstId, 12},
        {V::kGroupSecondId, 11}, {V::kEarlyId, 1}, {V::kLateId, 4}},
       {V::kNoGapThreeId, V::kSchoolId, V::kFictitiousCheckedId},
       {V::kNoGapTwoId, V::kLabId, V::kFictitiousFreeId}},
      {"past the lists", [](UiTeacher& t) { t.personal.nomotor = 18; }, {{V::kMoveModeId, 0}}, {}, {}},
      {"a wait without a partner", [](UiTeacher& t) { t.personal.carshare_wait = 1; }, {{V::kWaitId, -1}}, {}, {}},
      {"last move hour", [](UiTeacher& t) { t.personal.nomotor = 17; }, {{V::kMoveModeId, 11}}, {}, {}},
      {"a hand-written lunch hour past 11: its own entry",
       [](UiTeacher& t) {
         const std::int8_t lunch[4] = {12, 1, 3, 0};
         std::memcpy(t.personal.pausameper, lunch, 4);
       },
       {{V::kLunchHourId, 11}, {V::kLunchMinId, 0}, {V::kLunchMaxId, 2}}, {}, {}},
  };
  for (const StoredCase& c : cases) {
    og_init_teacher(0, "ANNA");
    og_init_teacher(1, "BRUNO");
    og_init_teacher(2, "CARLO");
    c.store(g_ui_teachers[0]);
    og_snapshot_all();
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    for (auto [id, item] : c.items) EXPECT_EQ(selection(page, id), item) << c.what << " list " << id;
    for (int id : c.ticked) EXPECT_TRUE(ui.IsChecked(page, id)) << c.what << " box " << id;
    for (int id : c.unticked) EXPECT_FALSE(ui.IsChecked(page, id)) << c.what << " box " << id;
    EXPECT_EQ(ui.IsEnabled(page, V::kWaitId), g_ui_teachers[0].personal.carshare_partner >= 0) << c.what;
    page.DestroyWindow();
  }
  og_init_teacher(0, "ANNA");
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// Each list offers its own items (on the fixture's six-hour days).
TEST_F(SpecialTeacherPage, EachListOffersItsItems) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  struct Items { int id, count; const char* first; const char* last; } lists[] = {
      {V::kBreakDaysId, 4, " Non gestito", "Part time: almeno 2 giorni di pausa nella settimana"},
      {V::kMoveModeId, 12, " Non gestito", "Se alla fine dall'ora 5, pu\xF2 spostarsi di Plesso senza l'ora buca"},
      {V::kWeekMovesId, 9, "-", "7"},
      {V::kOverlapId, 4, " Non gestito", "CARLO"},
      {V::kCarShareId, 4, " Non gestito", "CARLO"},
      {V::kWaitId, 3, "0", "2"},
      {V::kLunchHourId, 11, "-", "11"},
      {V::kLunchMinId, 9, "1", "9"},
      {V::kLunchMaxId, 9, "1", "9"},
      {V::kAfterReturnId, 3, "-", "3"},
      {V::kGroupFirstId, 13, "-", "12"},
      {V::kGroupSecondId, 12, "0", "11"},
      {V::kEarlyId, 13, "-", "12"},
      {V::kLateId, 13, "-", "12"},
      {V::kRestHourId, 11, "-", "11"},
      {V::kRestFromId, 12, "1", "12"},
      {V::kRestToId, 12, "1", "12"},
      {V::kShortDayHoursId, 13, "0", "12"},
      {V::kPriorityId, 2, "0", "1"},
  };
  for (const Items& l : lists) {
    auto* box = static_cast<ComboBox*>(page.GetDlgItem(l.id));
    ASSERT_EQ(box->GetCount(), l.count) << l.id;
    EXPECT_EQ(box->GetLBText(0), l.first) << l.id;
    EXPECT_EQ(box->GetLBText(l.count - 1), l.last) << l.id;
  }
  auto* moves = static_cast<ComboBox*>(page.GetDlgItem(V::kMoveModeId));
  EXPECT_EQ(moves->GetLBText(2), "Non ammette mai spostamenti di Plesso durante la giornata");
  auto* lunch = static_cast<ComboBox*>(page.GetDlgItem(V::kLunchHourId));
  EXPECT_EQ(lunch->GetLBText(1), "2");
}

// One choice on the page and what the teacher's record holds after it.
struct Choice {
  const char* what;
  int id;
  int item;  // a list's item; -1 clicks a box
  std::function<std::vector<int>(const UiTeacherConstraints&)> read;
  std::vector<int> expected;
};

TEST_F(SpecialTeacherPage, EachChoiceWritesItsField) {
  g_ui_settings.tekno[1] = 1;  // the technical phase that makes the priority usable
  g_service_mode = 1;          // the reserved box is usable in service mode only
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  using C = const UiTeacherConstraints&;
  auto motor = [](C c) { return std::vector<int>{c.nomotor, c.nomweek}; };
  auto grouping = [](C c) { return std::vector<int>{c.segrubi[0], c.segrubi[1]}; };
  auto times = [](C c) { return std::vector<int>{c.prela[0], c.prela[1]}; };
  auto rest = [](C c) { return std::vector<int>{c.fercav[0], c.fercav[1], c.fercav[2]}; };
  const Choice choices[] = {
      {"break days", V::kBreakDaysId, 2, [](C c) { return std::vector<int>{c.gpausa}; }, {1}},
      {"no break days", V::kBreakDaysId, 0, [](C c) { return std::vector<int>{c.gpausa}; }, {-1}},
      {"move mode", V::kMoveModeId, 6, motor, {6, -1}},
      {"move after hour 1", V::kMoveModeId, 7, motor, {13, -1}},
      {"move after hour 5", V::kMoveModeId, 11, motor, {17, -1}},
      {"week moves 7", V::kWeekMovesId, 8, motor, {17, 7}},
      {"never moves", V::kWeekMovesId, 1, motor, {2, -1}},
      {"week moves 1", V::kWeekMovesId, 2, motor, {-1, 1}},
      {"no move mode", V::kMoveModeId, 0, motor, {-1, 1}},
      {"car partner", V::kCarShareId, 2, [](C c) { return std::vector<int>{c.carshare_partner}; }, {1}},
      {"wait", V::kWaitId, 2, [](C c) { return std::vector<int>{c.carshare_wait}; }, {2}},
      {"grouping first hour", V::kGroupFirstId, 4, grouping, {4, -1}},
      {"grouping second hour", V::kGroupSecondId, 2, grouping, {4, 2}},
      {"second hour not under the first", V::kGroupSecondId, 5, grouping, {4, 3}},
      {"first hour lowered", V::kGroupFirstId, 2, grouping, {2, 1}},
      {"earliest", V::kEarlyId, 3, times, {3, -1}},
      {"latest before the earliest", V::kLateId, 2, times, {3, 4}},
      {"latest", V::kLateId, 6, times, {3, 6}},
      {"earliest past the latest", V::kEarlyId, 6, times, {6, 7}},
      {"rest hour", V::kRestHourId, 3, rest, {4, -1, -1}},
      {"rest from", V::kRestFromId, 4, rest, {4, 5, 5}},
      {"rest to", V::kRestToId, 2, rest, {4, 3, 3}},
      {"rest to after", V::kRestToId, 8, rest, {4, 3, 9}},
      {"no rest hour", V::kRestHourId, 0, rest, {0, 3, 9}},
      {"short day hours", V::kShortDayHoursId, 5, [](C c) { return std::vector<int>{c.pligi[1]}; }, {5}},
      {"priority", V::kPriorityId, 1, [](C c) { return std::vector<int>{c.tekgrado[0]}; }, {1}},
      {"lab break", V::kLabBreakId, -1, [](C c) { return std::vector<int>{c.paulab}; }, {1}},
      {"service first", V::kServiceFirstId, -1, [](C c) { return std::vector<int>{c.clasenoc}; }, {1}},
      {"service second", V::kServiceSecondId, -1, [](C c) { return std::vector<int>{c.clasenoc}; }, {3}},
      {"service first off", V::kServiceFirstId, -1, [](C c) { return std::vector<int>{c.clasenoc}; }, {2}},
      {"no two idle", V::kNoGapTwoId, -1, [](C c) { return std::vector<int>{c.quorvex}; }, {2}},
      {"no three idle", V::kNoGapThreeId, -1, [](C c) { return std::vector<int>{c.quorvex}; }, {3}},
      {"no three idle off", V::kNoGapThreeId, -1, [](C c) { return std::vector<int>{c.quorvex}; }, {0}},
      {"double start", V::kDoubleStartId, -1, [](C c) { return std::vector<int>{c.dkif}; }, {1}},
      {"double end", V::kDoubleEndId, -1, [](C c) { return std::vector<int>{c.dkif}; }, {3}},
      {"double start off", V::kDoubleStartId, -1, [](C c) { return std::vector<int>{c.dkif}; }, {2}},
      {"friday", V::kFridayId, -1, [](C c) { return std::vector<int>{c.tramox}; }, {1}},
      {"short day", V::kShortDayId, -1, [](C c) { return std::vector<int>{c.pligi[0]}; }, {1}},
      {"lab", V::kLabId, -1, [](C c) { return std::vector<int>{c.labrifol}; }, {1}},
      {"school", V::kSchoolId, -1, [](C c) { return std::vector<int>{c.labrifol}; }, {2}},
      {"school off", V::kSchoolId, -1, [](C c) { return std::vector<int>{c.labrifol}; }, {0}},
      {"reserved", V::kPtkkId, -1, [](C c) { return std::vector<int>{c.tekgrado[1]}; }, {1}},
      {"friday off", V::kFridayId, -1, [](C c) { return std::vector<int>{c.tramox}; }, {0}},
  };
  const UiTeacherConstraints& anna = g_ui_teachers[0].personal;
  for (const Choice& c : choices) {
    ASSERT_TRUE(c.item >= 0 ? ui.Select(page, c.id, c.item) : ui.Click(page, c.id)) << c.what;
    EXPECT_EQ(c.read(anna), c.expected) << c.what;
  }
  EXPECT_TRUE(ui.IsEnabled(page, V::kWaitId));
  g_ui_teachers[1].personal.carshare_partner = 0;
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ASSERT_TRUE(ui.Select(page, V::kCarShareId, 0));  // the partner's link goes too
  EXPECT_EQ(+anna.carshare_partner, -1);
  EXPECT_EQ(+g_ui_teachers[1].personal.carshare_partner, -1);
  EXPECT_EQ(ui.boxes().back().texts.at(0), "Attenzione: il dato \xE8 stato aggiornato anche per BRUNO.");
  EXPECT_FALSE(ui.IsEnabled(page, V::kWaitId));
  ui.Click(page, V::kAutoSaveId);
  EXPECT_EQ(g_auto_save, 1);
  g_ui_teachers[0].personal.ni = -1;
  og_snapshot_all();
  page.DestroyWindow();
  g_service_mode = 0;
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// A teacher cannot be his own partner: a beep, and no partner.
TEST_F(SpecialTeacherPage, ATeacherIsNotHisOwnPartner) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  for (int id : {V::kOverlapId, V::kCarShareId}) {
    int beeps = ui.beeps();
    ASSERT_TRUE(ui.Select(page, id, 1));  // ANNA herself
    EXPECT_EQ(ui.beeps(), beeps + 1) << id;
    EXPECT_EQ(selection(page, id), 0) << id;
  }
  EXPECT_EQ(+g_ui_teachers[0].personal.ni, -1);
  EXPECT_EQ(+g_ui_teachers[0].personal.carshare_partner, -1);
}

// The priority list and the reserved box are usable only when the school's
// technical phase and service mode ask for them.
TEST_F(SpecialTeacherPage, PriorityAndReservedBoxNeedThePhaseAndServiceMode) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  EXPECT_FALSE(ui.IsEnabled(page, V::kPriorityId));
  EXPECT_FALSE(ui.IsEnabled(page, V::kPtkkId));
  for (int id : {V::kFictitiousFreeId, V::kFictitiousCheckedId, V::kSupportId}) EXPECT_FALSE(ui.IsEnabled(page, id));
}

// The personal lunch break: no durations without an hour; an hour set the
// first time brings the durations 1 and 4 and the afternoon-returns
// question; the durations and the least hours after the break are stored;
// "-" clears it all.
TEST_F(SpecialTeacherPage, PersonalLunchBreak) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  std::int8_t* lunch = g_ui_teachers[0].personal.pausameper;
  ASSERT_TRUE(ui.Select(page, V::kLunchHourId, 0));
  EXPECT_EQ(std::vector<int>(lunch, lunch + 4), (std::vector<int>{0, 0, 0, 0}));
  ASSERT_TRUE(ui.Select(page, V::kLunchMinId, 2));
  EXPECT_EQ(lunch[1], 0);
  EXPECT_EQ(selection(page, V::kLunchMinId), -1);
  EXPECT_TRUE(ui.HasFocus(page, V::kLunchHourId));
  std::size_t boxes = ui.boxes().size();
  ui.AnswerNextModal(kIdCancel);  // the returns question cancelled: no teacher changes
  ASSERT_TRUE(ui.Select(page, V::kLunchHourId, 5));
  EXPECT_EQ(ui.boxes().size(), boxes + 1);
  EXPECT_EQ(std::vector<int>(lunch, lunch + 4), (std::vector<int>{5, 1, 4, 0}));
  for (int t = 0; t < 3; ++t) EXPECT_EQ(+g_ui_teachers[t].mxr, 0) << t;
  ASSERT_TRUE(ui.Select(page, V::kLunchMinId, 2));
  ASSERT_TRUE(ui.Select(page, V::kLunchMaxId, 6));
  ASSERT_TRUE(ui.Select(page, V::kAfterReturnId, 2));
  EXPECT_EQ(std::vector<int>(lunch, lunch + 4), (std::vector<int>{5, 3, 7, 3}));
  ASSERT_TRUE(ui.Select(page, V::kLunchHourId, 2));  // moved: nothing asked again
  EXPECT_EQ(ui.boxes().size(), boxes + 1);
  EXPECT_EQ(std::vector<int>(lunch, lunch + 4), (std::vector<int>{2, 3, 7, 3}));
  ASSERT_TRUE(ui.Select(page, V::kAfterReturnId, 0));
  EXPECT_EQ(lunch[3], 0);
  ASSERT_TRUE(ui.Select(page, V::kLunchHourId, 0));
  EXPECT_EQ(std::vector<int>(lunch, lunch + 4), (std::vector<int>{0, 0, 0, 0}));
  // Switched on again, the proposed number confirmed becomes every teacher's.
  std::string proposed;
  ui.OnNextModal([&](Dialog& box) {
    proposed = ui.Text(box, Ccasella::kEdit1Id);
    ui.Click(box, kIdOk);
  });
  ASSERT_TRUE(ui.Select(page, V::kLunchHourId, 5));
  EXPECT_EQ(ui.boxes().size(), boxes + 2);
  EXPECT_EQ(proposed, "5");  // five days reach past the break's hour
  for (int t = 0; t < 3; ++t) EXPECT_EQ(+g_ui_teachers[t].mxr, 5) << t;
  ASSERT_TRUE(ui.Select(page, V::kLunchHourId, 0));
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// Each personal band table shows its rows on its button and opens on its
// own ranges; the picker's confirmation writes the teacher's table, Esc
// leaves it.
TEST_F(SpecialTeacherPage, PersonalBandTablesShowTheirRowsAndRanges) {
  UiTeacherConstraints& c = g_ui_teachers[0].personal;
  c.gruppioremax = {{{2, 1}, {3, 2}}, 2};
  c.enterexit = {{{4, 1}, {30, 3}}, 2};
  c.ultimeoremax = {{{5, 50}}, 1};
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  struct Case {
    int id;
    const char* title;
    const char* bands;       // the band line's cells
    const char* quantities;  // the quantity line's cells
    std::vector<std::string> band_items, quantity_items;  // first and last offered
    UiHq2Table* table;
  } cases[] = {
      {V::kGroupingId, "Presenza consentita in una stessa classe", "\t 2\t 3\t", "\t 1\t 2\t", {"1", "12"}, {"0", "7"},
       &c.gruppioremax},
      {V::kEnterExitId, "Limitazione all'uscita e rientro", "\t 4\t Oltre\t", "\t 1\t 3\t", {"1", "Oltre"},
       {"0", "7"}, &c.enterexit},
      {V::kLastHoursId, "11.8 - limitazione all'Insegnamento", "\t 5\t", "\t 50\t", {"2", "12"}, {"1", "100"},
       &c.ultimeoremax},
  };
  for (const Case& k : cases) {
    std::string text = ui.Text(page, k.id);
    EXPECT_EQ(text.rfind(k.title, 0), 0u) << text;
    std::size_t band_line = text.find('\n'), quantity_line = text.find('\n', band_line + 1);
    EXPECT_NE(text.substr(band_line, quantity_line - band_line).find(k.bands), std::string::npos) << text;
    EXPECT_NE(text.substr(quantity_line).find(k.quantities), std::string::npos) << text;
    std::vector<std::string> bands, quantities;
    UiHq2Table before = *k.table;
    ui.OnNextModal([&](Dialog& d) {
      auto* band = static_cast<ComboBox*>(d.GetDlgItem(Chq2::kBandIds[0]));
      auto* quantity = static_cast<ComboBox*>(d.GetDlgItem(Chq2::kQuantityIds[0]));
      bands = {band->GetLBText(1), band->GetLBText(band->GetCount() - 1)};
      quantities = {quantity->GetLBText(0), quantity->GetLBText(quantity->GetCount() - 1)};
      ui.Select(d, Chq2::kQuantityIds[0], 2);
      ui.PressInNextModal(CMessageBox::kButtonIds[0]);  // drop the edit
      ui.Key(kVkEscape);
    });
    ui.Click(page, k.id);
    EXPECT_EQ(bands, k.band_items) << k.title;
    EXPECT_EQ(quantities, k.quantity_items) << k.title;
    EXPECT_EQ(std::memcmp(k.table, &before, sizeof before), 0) << k.title << ": Esc keeps the table";
    ui.OnNextModal([&](Dialog& d) {
      ui.Select(d, Chq2::kQuantityIds[0], 2);
      d.GetDlgItem(kIdOk)->SetFocus();
      ui.Click(d, kIdOk);
    });
    ui.Click(page, k.id);
    EXPECT_EQ(k.table->pairs[0][1], std::stoi(quantities[0]) + 2) << k.title << ": confirmed";
  }
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
