// The teacher constraints page's other controls, on the small sample
// school cut to five days of six hours: the two-idle-hours list showing
// the school's rule unless the teacher has his own; the posts list that
// only says it need not be chosen; abandon asking before dropping edits;
// the forbidden-hours grid bringing the day limits down to the days left
// open (and releasing the last hours when every first hour is closed);
// the derogation tables dropping what does not raise the maximum; a
// fictitious teacher refusing the presets; the save-without-asking box.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::TeacherPage;
using V = Cvipro;

using kt_constraints_test::selection;

// The list shows the teacher's own rule when he has one or the school
// has none to impose; else the school's rule as it applies to him.
TEST_F(TeacherPage, TheTwoIdleHoursListShowsTheTeachersOrTheSchoolsRule) {
  struct Case {
    int school, contiguous, own, standby, shown;
  } cases[] = {
      {1, 0, 4, 0, 3}, {1, 0, 2, 0, 1}, {0, 0, -1, 0, 0}, {9, 0, 5, 0, 4},
      {2, 0, -1, 0, 1}, {2, 1, -1, 0, 2}, {9, 1, -1, 2, 2}, {9, 0, -1, 3, 1}, {9, 1, -1, 1, 0},
  };
  for (const Case& c : cases) {
    g_ui_settings.maxbuday[0] = std::int8_t(c.school);
    g_ui_settings.maxbuday[1] = std::int8_t(c.contiguous);
    UiTeacher& t = g_ui_teachers[0];
    t.personal.maxbudayper = std::int8_t(c.own);
    t.standby_hours = std::int8_t(c.standby);
    og_snapshot_all();
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    ASSERT_TRUE(ui.Select(page, V::kTeacherId, std::string_view(t.name)));
    int k = int(&c - cases);
    EXPECT_EQ(selection(page, V::kMaxBudayId), c.shown) << k;
    page.DestroyWindow();
  }
  g_ui_settings.maxbuday[0] = 1;
  g_ui_teachers[0].personal.maxbudayper = -1;
  g_ui_teachers[0].standby_hours = 0;
  og_snapshot_all();
}

TEST_F(TeacherPage, TheTwoIdleHoursChoiceIsStored) {
  g_ui_settings.maxbuday[0] = 1;
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& c = g_ui_teachers[page.CurrentTeacher()].personal;
  auto* list = static_cast<ComboBox*>(page.GetDlgItem(V::kMaxBudayId));
  ASSERT_EQ(list->GetCount(), 7);
  EXPECT_EQ(list->GetLBText(0), "Giorno con 2 Buche: NON AMMESSO");
  EXPECT_EQ(list->GetLBText(6), "Ammessi giorni con pi\xF9 Buche purch\xE9 NON contigue");
  for (auto [item, stored] : {std::pair{6, 7}, std::pair{1, 2}, std::pair{3, 4}, std::pair{0, 0}}) {
    ASSERT_TRUE(ui.Select(page, V::kMaxBudayId, item));
    EXPECT_EQ(+c.maxbudayper, stored) << item;
  }
  EXPECT_EQ(ui.Text(page, V::kHelpPaneId).rfind("Ore buche in pi\xF9 EVENTUALMENTE ammesse", 0), 0u);
  og_snapshot_all();
}

// The page opens on the teacher shown last; one no longer in the school
// gives way to the first.
TEST_F(TeacherPage, ThePageOpensOnTheLastTeacherShownOrTheFirst) {
  ASSERT_GE(+g_ui_settings.teacher_count, 2u);
  for (auto [last, shown] : {std::pair{1, 1}, std::pair{int(g_ui_settings.teacher_count) + 3, 0}}) {
    g_vipro_current_teacher = last;
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    EXPECT_EQ(page.CurrentTeacher(), shown) << last;
    EXPECT_EQ(ui.Text(page, V::kTeacherId), std::string(g_ui_teachers[shown].name)) << last;
    EXPECT_EQ(g_vipro_current_teacher, shown) << last;
    page.DestroyWindow();
  }
}

// The teacher's own fields: stand-by and support hours, reception and the
// fictitious kinds (shown, not edited here); the days' codes head the
// per-day columns.
TEST_F(TeacherPage, TheTeachersOwnFieldsAndTheDaysShow) {
  UiTeacher& t = g_ui_teachers[0];
  t.standby_hours = 4;
  t.support_hours = 2;
  t.nor_flag = 0;
  t.fc_mode = 1;
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ASSERT_TRUE(ui.Select(page, V::kTeacherId, std::string_view(t.name)));
  EXPECT_EQ(ui.Text(page, V::kStandbyId), "4");
  EXPECT_EQ(ui.Text(page, V::kSupportId), "2");
  EXPECT_TRUE(ui.IsChecked(page, V::kReceptionId));
  EXPECT_TRUE(ui.IsChecked(page, V::kFictitiousIds[0]));
  EXPECT_FALSE(ui.IsChecked(page, V::kFictitiousIds[1]));
  for (int id : {V::kReceptionId, V::kFictitiousIds[0], V::kFictitiousIds[1]}) EXPECT_FALSE(ui.IsEnabled(page, id));
  for (int d = 0; d < 7; ++d)
    EXPECT_EQ(ui.Text(page, V::kDayCaptionIds + d), std::string(g_ui_header.day_codes[d], strnlen(g_ui_header.day_codes[d], 2)))
        << d;
  EXPECT_NE(ui.Text(page, V::kDayCaptionIds + 1), "");
  EXPECT_EQ(ui.Text(page, V::kRareCaptionId).rfind(" Vincoli di USO MOLTO RARO!", 0), 0u);
  t.standby_hours = 0;
  t.support_hours = 0;
  t.fc_mode = 0;
  og_snapshot_all();
}

// The posts are there to read: choosing one only says so.
TEST_F(TeacherPage, ChoosingAPostOnlySaysItIsNotNeeded) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  kt_constraints_test::expect_posts_only_read(ui, page, V::kPostsId);
}

// Abandon asks only with edits: No keeps them, Yes puts the teacher back.
TEST_F(TeacherPage, AbandonAsksBeforeDroppingEdits) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& c = g_ui_teachers[page.CurrentTeacher()].personal;
  int before = c.riposo;
  ui.Click(page, V::kAbandonId);
  EXPECT_TRUE(ui.boxes().empty());
  ASSERT_TRUE(ui.Select(page, 3071, 4));
  ui.AnswerNextModal(kIdNo);
  ui.Click(page, V::kAbandonId);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes().back().texts.at(0), "Sicuro di abbandonare le modifiche ?");
  EXPECT_EQ(+c.riposo, 4);
  EXPECT_EQ(selection(page, 3071), 4);
  ui.AnswerNextModal(kIdYes);
  ui.Click(page, V::kAbandonId);
  EXPECT_EQ(+c.riposo, before);
  EXPECT_EQ(selection(page, 3071), before == -1 ? -1 : before);
  ASSERT_TRUE(ui.Select(page, 3071, 2));
  ui.AnswerNextModal(kIdNo);
  page.SetFocus();
  ui.Key(kVkEscape);  // Esc asks the same; No stays
  EXPECT_TRUE(page.IsWindow());
  EXPECT_EQ(+c.riposo, 2);
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// After the forbidden-hours grid: the day limits come down to the days
// still open (with a notice when the least days had to follow), and every
// first hour forbidden releases the last-hours check.
TEST_F(TeacherPage, TheForbiddenHoursGridCorrectsTheDayLimits) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& c = g_ui_teachers[page.CurrentTeacher()].personal;
  std::memset(c.li, 255, sizeof c.li);
  std::memset(c.op, 0, sizeof c.op);
  for (int d = 0; d < 5; ++d) c.op[d * 12] = 1;              // every first hour
  for (int h = 0; h < 6; ++h) c.op[3 * 12 + h] = c.op[4 * 12 + h] = 1;  // Thursday and Friday
  c.gmin = c.gmax = 5;
  c.ultimeoremax = {};
  ui.OnNextModal([&](Dialog& d) {
    d.GetDlgItem(kIdOk)->SetFocus();
    ui.Click(d, kIdOk);
  });
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(page, V::kForbiddenId);
  ASSERT_FALSE(ui.boxes().empty());
  EXPECT_EQ(ui.boxes().back().texts.at(0), "Giorni di servizio rettificati in accordo con la tabella delle ore vietate.");
  EXPECT_EQ(+c.gmax, 3);
  EXPECT_EQ(+c.gmin, 3);
  EXPECT_TRUE(vipro_last_hours_released(c));
  EXPECT_TRUE(ui.IsChecked(page, V::kReleaseId));
  EXPECT_EQ(selection(page, 3019), 3);
  EXPECT_EQ(ui.Text(page, V::kHelpPaneId), "Mappa delle Ore in cui l'insegnante non pu\xF2 essere a scuola.");
  std::memset(c.op, 255, sizeof c.op);
  og_snapshot_all();
}

// A derogation whose hours do not exceed the ordinary maximum is dropped
// with a warning naming the table; Esc leaves the table as it was.
TEST_F(TeacherPage, DerogationsThatDoNotRaiseTheMaximumAreDropped) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& k = g_ui_teachers[page.CurrentTeacher()].personal;
  struct Case {
    int id;
    UiHq2Table* table;
    std::int8_t* maximum;
    const char* warning;
  } cases[] = {
      {V::kPresenceDerogationsId, &k.xprese, &k.presenza,
       "ATTENZIONE: Deroghe IN AUMENTO alle ORE di Presenza in scuola massime giornaliere"},
      {V::kLessonDerogationsId, &k.inse, &k.insegna, "ATTENZIONE: Deroghe IN AUMENTO alle ORE di Lezione massime giornaliere"},
  };
  for (const Case& c : cases) {
    k.presenza = 4;
    k.insegna = 4;
    *c.table = {{{3, 2}, {6, 1}}, 2};
    k.xprese = c.table == &k.inse ? UiHq2Table{{{6, 5}}, 1} : k.xprese;  // lessons of 6 need presence of 6
    UiHq2Table before = *c.table;
    ui.OnNextModal([&](Dialog&) { ui.Key(kVkEscape); });
    ui.Click(page, c.id);
    EXPECT_EQ(std::memcmp(c.table, &before, sizeof before), 0) << c.warning;
    std::size_t boxes = ui.boxes().size();
    ui.OnNextModal([&](Dialog& d) {
      d.GetDlgItem(kIdOk)->SetFocus();
      ui.Click(d, kIdOk);
    });
    ui.PressInNextModal(CMessageBox::kButtonIds[0]);
    ui.Click(page, c.id);
    ASSERT_EQ(ui.boxes().size(), boxes + 2) << c.warning;  // the table, then the warning
    EXPECT_EQ(ui.boxes().back().texts.at(0), c.warning);
    ASSERT_EQ(int(c.table->count), 1) << c.warning;
    EXPECT_EQ(c.table->pairs[0][0], 6) << c.warning;
    EXPECT_EQ(c.table->pairs[0][1], 1) << c.warning;
  }
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// A fictitious teacher takes no preset: a beep, and the bands are cleared.
TEST_F(TeacherPage, AFictitiousTeacherTakesNoPreset) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacher& t = g_ui_teachers[page.CurrentTeacher()];
  t.fc_mode = 2;
  t.personal.pmin[0] = 2;
  t.personal.pmin[1] = 3;
  int beeps = ui.beeps();
  ui.Click(page, V::kPresetIds + 1);
  EXPECT_EQ(ui.beeps(), beeps + 1);
  EXPECT_EQ(t.personal.pmin[0], -1);
  EXPECT_EQ(t.personal.fmax[0], -1);
  EXPECT_EQ(ui.Text(page, V::kHelpPaneId).rfind("Questi tasti compilano la propensione", 0), 0u);
  t.fc_mode = 0;
  og_snapshot_all();
}

// The save-without-asking box sets the choice the teacher pages share; a
// Yes to the question on leaving ticks it.
TEST_F(TeacherPage, SavingWithoutAskingIsSharedAndTicked) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ui.Click(page, V::kAutoSaveId);
  EXPECT_EQ(g_auto_save, 1);
  ui.Click(page, V::kAutoSaveId);
  EXPECT_EQ(g_auto_save, 0);
  ui.Click(page, V::kHowToId);
  EXPECT_EQ(ui.Text(page, V::kHelpPaneId), "Qui si configurano i vincoli che interessano GLOBALMENTE un Professore.");
}

// Leaving a changed teacher with the save-without-asking choice saves him
// with a beep and no question; a refused check keeps him chosen.
TEST_F(TeacherPage, LeavingSavesWithoutAskingOrKeepsARefusedTeacher) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ASSERT_TRUE(ui.Select(page, V::kTeacherId, 0));  // the first name: "Successivo" has one after it
  int first = page.CurrentTeacher();
  std::string name = g_ui_teachers[first].name;
  UiTeacherConstraints& c = g_ui_teachers[first].personal;
  c.gl[0] = 3;  // refused: exact days without their number
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(page, V::kNextId);
  EXPECT_EQ(page.CurrentTeacher(), first);
  EXPECT_EQ(ui.Text(page, V::kTeacherId), name);
  c.gl[0] = -1;
  ui.Click(page, V::kAutoSaveId);
  ASSERT_TRUE(ui.Select(page, 3071, 3));
  std::size_t boxes = ui.boxes().size();
  int beeps = ui.beeps();
  ui.Click(page, V::kNextId);
  EXPECT_NE(page.CurrentTeacher(), first);
  EXPECT_EQ(ui.boxes().size(), boxes);
  EXPECT_EQ(ui.beeps(), beeps + 1);
  EXPECT_EQ(std::memcmp(&g_ui_teachers[first], &g_ui_teachers_saved[first], sizeof(UiTeacher)), 0) << "saved";
  g_auto_save = 0;
}

// The balanced preset on a teacher of two days keeps one day of each band.
TEST_F(TeacherPage, TheBalancedPresetOnFewDays) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& c = g_ui_teachers[page.CurrentTeacher()].personal;
  for (auto [gmin, gmax, fmin_days] : {std::tuple{2, 3, 1}, std::tuple{1, 2, -1}}) {
    c.gmin = std::int8_t(gmin);
    c.gmax = std::int8_t(gmax);
    ui.Click(page, V::kPresetIds + 3);
    EXPECT_EQ(c.pmin[0], 1) << gmax;
    EXPECT_EQ(c.pmin[1], 1) << gmax;
    EXPECT_EQ(c.fmin[2], fmin_days) << gmax;
  }
  og_snapshot_all();
}

}  // namespace
