// The teacher constraints page and its field rules. Rules on a record: the
// two-idle-hours list, the presets, what forbidding first
// hours implies, and derogations that do not raise the maximum being
// dropped. The page on a copy of the small sample school: "-" as the first
// hour of a band clears it, a second free-day choice on the first choice's
// day is refused, moving on with changes asks to save (No keeps the edits
// and the teacher), the save-without-asking question comes once, and
// "Successivo ->" on the last teacher stays there.
#include <gtest/gtest.h>

#include <cstring>

#include "../shell/app_test_support.h"
#include "constraint_page_fixtures.h"
#include "constraints/teacher_constraint_defaults.h"
#include "constraints/teacher_constraints_page.h"
#include "pickers/exemption_list.h"
#include "engine/status_block.h"
#include "platform/test_driver.h"
#include "schooldata/model_utilities.h"
#include "structure/trial_computation.h"
#include "schooldata/description_reader.h"
#include "schooldata/structure_file.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using V = Cvipro;

SchoolShape five_by_six() {
  SchoolShape s;
  s.days = 5;
  s.hours = 6;
  for (int d = 0; d < 5; ++d) s.day_hours[d] = 6;
  return s;
}

TEST(TeacherConstraintFields, PresetsForbiddenFirstHoursDerogationsAndIdleHours) {
  UiTeacherConstraints c;
  std::memset(&c, 0xFF, sizeof c);
  c.gmin = 4;
  c.gmax = 5;
  vipro_apply_preset(c, 1, 6);  // first hours: N = 4
  EXPECT_EQ(c.pmin[0], 2);
  EXPECT_EQ(c.pmin[1], 4);
  EXPECT_EQ(c.fmax[0], 5);
  EXPECT_EQ(c.fmax[2], 2);
  vipro_apply_preset(c, 3, 6);  // balanced: M = 2
  EXPECT_EQ(c.pmin[0], 1);
  EXPECT_EQ(c.pmin[1], 2);
  EXPECT_EQ(c.fmin[0], 5);
  EXPECT_EQ(c.fmin[2], 2);
  EXPECT_EQ(c.fmax[0], -1);

  std::memset(c.op, 0, sizeof c.op);
  for (int d = 0; d < 5; ++d) c.op[d * 12] = 1;
  for (int h = 0; h < 6; ++h) c.op[4 * 12 + h] = 1;  // Friday closed: 4 days stay open
  c.gmin = 5;
  c.gmax = 5;
  c.ultimeoremax = {};
  EXPECT_TRUE(vipro_after_forbidden_hours(c, five_by_six()));
  EXPECT_TRUE(vipro_last_hours_released(c));
  EXPECT_EQ(+c.gmax, 4);
  EXPECT_EQ(+c.gmin, 4);

  UiHq2Table edited = {{{5, 2}, {7, 1}, {8, 3}}, 3}, stored{};
  EXPECT_EQ(vipro_store_derogations(stored, edited, 7), 2);
  EXPECT_EQ(+stored.count, 1);
  EXPECT_EQ(stored.pairs[0][0], 8);
  // Every combo's items and stored bytes map back and forth.
  for (const TeacherCombo& k : vipro_combos())
    for (int item = 0; item <= vipro_last_number(k, five_by_six()) - k.first + (k.dash ? 1 : 0); ++item) {
      int stored = vipro_value_of(k, item);
      EXPECT_EQ(vipro_item_of(k, stored, five_by_six()), stored == -1 ? -1 : item) << k.id << " " << item;
    }
  EXPECT_EQ(vipro_maxbuday_value(2), 3);  // the idle-hours list skips 1
  EXPECT_EQ(vipro_maxbuday_value(0), 0);
  EXPECT_EQ(vipro_maxbuday_item(3), 2);
  EXPECT_EQ(vipro_maxbuday_item(1), 1);
}

TEST(TeacherConstraintDefaults, FillShowsAndStripRemovesTheGeneralValues) {
  UiSchoolSettings saved = g_ui_settings;
  g_ui_settings.iggiorni = {{{3, 1}, {99, 5}}, 2};
  g_ui_settings.ihinsegna = {{{99, 4}}, 1};
  g_ui_settings.ihminimo = {};
  struct Case { const char* id; int hours; int klass2; int days; };
  const Case cases[] = {{"full-time", 18, 1, 5}, {"two-hours", 2, 0, 1}, {"three-in-one-class", 3, 0, 2}};
  for (const Case& k : cases) {
    UiTeacher t;
    std::memset(&t, 0, sizeof t);
    std::memset(&t.personal, 0xFF, sizeof t.personal);
    t.personal.inse = {};
    t.personal.xprese = {};
    t.post_count = 2;
    t.posts[0].own.hours = std::int8_t(k.hours - 1);
    t.posts[1].own.hours = 1;
    t.posts[1].class_index = k.klass2;
    TeacherDefaults d;
    vipro_fill_defaults(t, d);
    EXPECT_EQ(+t.personal.gmin, k.days) << k.id;
    EXPECT_EQ(+t.personal.gmax, k.days) << k.id;
    EXPECT_EQ(+t.personal.insegna, 4) << k.id;
    EXPECT_EQ(+t.personal.insegnamin, 1) << k.id;  // an empty table asks for no least hours
    t.personal.inse = {{{4, 2}, {6, 1}}, 2};        // 4 hours do not raise the maximum of 4
    vipro_strip_defaults(t, d);
    EXPECT_EQ(+t.personal.gmin, -1) << k.id;
    EXPECT_EQ(+t.personal.gmax, -1) << k.id;
    EXPECT_EQ(+t.personal.insegna, -1) << k.id;
    EXPECT_EQ(+t.personal.inse.count, 1) << k.id;
    EXPECT_EQ(t.personal.inse.pairs[0][0], 6) << k.id;
  }
  g_ui_settings = saved;
}

using kt_constraints_test::TeacherPage;

TEST_F(TeacherPage, FieldsChangeOfTeacherAndNavigation) {
  ASSERT_GE(+g_ui_settings.teacher_count, 2u);
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ui.Select(page, V::kTeacherId, 0);  // the first name in alphabetical order; nothing changed yet
  EXPECT_TRUE(ui.boxes().empty());
  int first = page.CurrentTeacher();
  UiTeacherConstraints& c = g_ui_teachers[first].personal;
  auto* pmin = static_cast<ComboBox*>(page.GetDlgItem(3000));
  EXPECT_EQ(pmin->GetCount(), 6);  // "-", 1 .. 5

  ui.Select(page, 3004, 2);  // FMIN from hour 3
  ui.Select(page, 3005, 3);
  ui.Select(page, 3006, 1);
  EXPECT_EQ(c.fmin[0], 3);
  ui.Select(page, 3004, 0);  // "-": the whole band goes
  EXPECT_EQ(c.fmin[0], -1);
  EXPECT_EQ(c.fmin[1], -1);
  EXPECT_EQ(c.fmin[2], -1);

  ui.Click(page, V::kFreeDayIds + 1);
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(page, V::kSecondFreeDayIds + 1);  // same day as the first choice: refused
  EXPECT_EQ(c.li[1], 1);
  EXPECT_EQ(c.lialt[1], 0);
  EXPECT_FALSE(ui.IsChecked(page, V::kSecondFreeDayIds + 1));

  ui.AnswerNextModal(7);  // "Salvo le modifiche?" No
  ui.Click(page, V::kNextId);
  EXPECT_EQ(page.CurrentTeacher(), first);
  EXPECT_EQ(c.li[1], 1);  // the edit stays in the model

  ui.AnswerNextModal(6);  // save: Yes
  ui.AnswerNextModal(7);  // save without asking from now on: No
  ui.Click(page, V::kNextId);
  EXPECT_NE(page.CurrentTeacher(), first);
  EXPECT_EQ(std::memcmp(&g_ui_teachers[first], &g_ui_teachers_saved[first], sizeof(UiTeacher)), 0);  // saved

  auto* teachers = static_cast<ComboBox*>(page.GetDlgItem(V::kTeacherId));
  int last = teachers->GetCount() - 1;
  ui.Select(page, V::kTeacherId, last);
  int at_end = page.CurrentTeacher();
  UiTeacherConstraints& e = g_ui_teachers[at_end].personal;
  ui.Select(page, 3018, 2);
  std::size_t boxes = ui.boxes().size();
  ui.AnswerNextModal(6);  // save: Yes; the second question is not asked again
  ui.Click(page, V::kNextId);
  EXPECT_EQ(page.CurrentTeacher(), at_end);
  EXPECT_EQ(ui.boxes().size(), boxes + 1);
  EXPECT_EQ(+e.gmin, 2);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

TEST_F(TeacherPage, ChecksBeforeSaving) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& c = g_ui_teachers[page.CurrentTeacher()].personal;
  c.pmin[0] = 2;
  c.pmin[1] = -1;
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(page, V::kSaveId);
  EXPECT_EQ(ui.boxes().back().texts[0], "Specificare la Quantità (oppure cancellare la selezione della Fascia)."_cp);
  EXPECT_TRUE(ui.HasFocus(page, 3001));

  // Hours 3 and 4 of Monday and hour 3 of Wednesday forbidden in a six-hour
  // day: three idle hours cannot be avoided on a five-day week.
  c.pmin[0] = -1;
  std::memset(c.op, 0, sizeof c.op);
  c.op[2] = c.op[3] = c.op[24 + 2] = 1;
  c.gmin = 4;
  c.gmax = 5;
  c.buk[0] = -1;
  g_ui_settings.lunch_break[0] = 0;
  ui.PressInNextModal("SI, AGGIUNGI LE BUCHE IN PIU'");
  ui.Click(page, V::kSaveId);
  EXPECT_NE(ui.boxes().back().texts[0].find("almeno 3 Ore Buche"), std::string::npos);
  EXPECT_EQ(c.buk[0], 3);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// A day's minimum of hours above its maximum, or above the hours its
// forbidden hours leave open, is refused with the focus on that day.
TEST_F(TeacherPage, ADayMinimumAboveItsMaximumOrItsOpenHoursIsRefused) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& c = g_ui_teachers[page.CurrentTeacher()].personal;
  c.ov[1] = 4;  // Tuesday: at least 4 hours, at most 2
  c.om[1] = 2;
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(page, V::kSaveId);
  EXPECT_EQ(ui.boxes().back().texts[0], "Il MASSIMO di Ore in un giorno non può essere MINORE del MINIMO."_cp);
  EXPECT_TRUE(ui.HasFocus(page, 3041));
  c.om[1] = -1;
  std::memset(c.op, 0, sizeof c.op);
  c.op[24] = c.op[25] = c.op[26] = 1;  // Wednesday: three of six hours forbidden, at least 4
  c.ov[2] = 4;
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(page, V::kSaveId);
  EXPECT_EQ(ui.boxes().back().texts[0],
            "Vi è un MINIMO di Ore richieste, e le ore proibite del giorno non lo consentono."_cp);
  EXPECT_TRUE(ui.HasFocus(page, 3042));
  c.ov[1] = c.ov[2] = -1;
  std::memset(c.op, 255, sizeof c.op);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// "VINCOLI SPECIALI" shows exactly when the teacher has a constraint of the
// special constraints page; the last-hours release alone does not light it.
TEST_F(TeacherPage, SpecialLabelFollowsTheSpecialConstraints) {
  g_vipro_current_teacher = 0;
  g_ui_teachers[1].personal.ni = 0;  // never at the same time as teacher 0
  og_snapshot_all();
  ASSERT_EQ(og_teacher_constraint_groups(0) & 2, 0);
  ASSERT_EQ(og_teacher_constraint_groups(1) & 2, 2);
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  EXPECT_FALSE(ui.IsVisible(page, V::kSpecialLabelId));
  ui.Select(page, V::kTeacherId, std::string_view(g_ui_teachers[1].name));
  ASSERT_EQ(page.CurrentTeacher(), 1);
  EXPECT_TRUE(ui.IsVisible(page, V::kSpecialLabelId));
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

struct TrialSeen {
  std::string title, result;
  bool stop_enabled = true, exemptions_shown = false;
};

TrialSeen run_trial(TestDriver& ui, Cvipro& page, bool six_days) {
  g_ui_header.hours_per_day[5] = six_days ? 6 : 0;
  TrialSeen seen;
  EXPECT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  if (!six_days) ui.AnswerNextModal(kIdOk);  // the engine's own message
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Cmake::kStopId);
    g_engine_thread.Join();
    ui.Advance(Cmake::kTimerMs);
    seen.result = ui.Text(d, Cmake::kResultId);
    seen.title = ui.Text(d, Cmake::kTitleId);
    seen.stop_enabled = ui.IsEnabled(d, Cmake::kStopId);
    ui.Click(d, Cmake::kExemptionsId);
    seen.exemptions_shown = g_exemptions_view.IsCreated() && g_exemptions_view.IsWindowVisible();
    ui.Click(d, Cmake::kCloseId);
  });
  ui.Click(page, V::kTestId);
  EXPECT_TRUE(fs::exists(fs::current_path() / "cattTEST.txt"));
  EXPECT_EQ(seen.title, std::string("PROVA l'orario del Professore ") + g_ui_teachers[page.CurrentTeacher()].name);
  EXPECT_FALSE(seen.stop_enabled);
  EXPECT_TRUE(seen.exemptions_shown);
  EXPECT_FALSE(g_exemptions_view.IsCreated());
  EXPECT_EQ(g_status.test_name[0], 0);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
  return seen;
}

// "PROVA" writes the test description and runs the engine's trial of the
// current teacher on the sample school (its own six-day week); the window
// names the teacher, the user stops the search and reads the end; the
// derogation list opens from the window, and closing leaves no test name
// behind. On the fixture's five-day week ROSSI's free Saturday no longer
// loads: the engine says why and the window shows that nothing started.
TEST_F(TeacherPage, TrialRunsTheEngineOrShowsWhyItDidNotLoad) {
  struct Case {
    bool six_days;
    const char* result;
  } cases[] = {{true, "Prova terminata. Errori rimasti: "},
               {false, "Prova non avviata: errore nei dati.\r\n(0) Errore di configurazione [Sintassi Giorni Liberi"}};
  for (const Case& c : cases) {
    Cvipro trial_page;
    std::string result = run_trial(ui, trial_page, c.six_days).result;
    EXPECT_EQ(result.rfind(c.result, 0), 0u) << result;
    og_snapshot_all();
    trial_page.DestroyWindow();
  }
}

// Forbidden hours that leave only three days open bring the most and the
// fewest teaching days down to those three when the page is saved.
TEST_F(TeacherPage, DaysLimitsFollowTheDaysLeftOpen) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& c = g_ui_teachers[page.CurrentTeacher()].personal;
  std::memset(c.op, 0, sizeof c.op);
  for (int d = 3; d < 7; ++d)
    for (int h = 0; h < 12; ++h) c.op[d * 12 + h] = 1;
  c.gmin = 4;
  c.gmax = 5;
  c.buk[0] = -1;
  g_ui_settings.lunch_break[0] = 0;
  ui.Click(page, V::kSaveId);
  for (const auto& b : ui.boxes()) ADD_FAILURE() << "asked: " << b.texts[0];
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
  EXPECT_EQ(+c.gmax, 3);
  EXPECT_EQ(+c.gmin, 3);
}

// Each preset button under "Preferisce le" applies its own preset to the
// teacher shown, as the preset rules give it for the school's day.
TEST_F(TeacherPage, EachPresetButtonAppliesItsPreset) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& c = g_ui_teachers[page.CurrentTeacher()].personal;
  for (int preset : {1, 2, 3, 0}) {
    UiTeacherConstraints expected = c;
    vipro_apply_preset(expected, preset, 6);
    ui.Click(page, V::kPresetIds + preset);
    EXPECT_EQ(std::memcmp(c.pmin, expected.pmin, sizeof c.pmin), 0) << preset;
    EXPECT_EQ(std::memcmp(c.fmin, expected.fmin, sizeof c.fmin), 0) << preset;
    EXPECT_EQ(std::memcmp(c.fmax, expected.fmax, sizeof c.fmax), 0) << preset;
  }
  for (const auto& b : ui.boxes()) ADD_FAILURE() << "asked: " << b.texts[0];
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// A lesson derogation above the presence allowed, with no presence
// derogation as large, loses its days on OK (the page says why); one a
// presence derogation covers keeps them.
TEST_F(TeacherPage, LessonDerogationsAbovePresenceNeedAPresenceDerogation) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& k = g_ui_teachers[page.CurrentTeacher()].personal;
  struct Case { bool covered; int days; };
  for (const Case& c : {Case{false, 0}, Case{true, 2}}) {
    k.presenza = 18;
    k.insegna = 18;
    k.inse = {{{22, 2}}, 1};
    k.xprese = c.covered ? UiHq2Table{{{22, 2}}, 1} : UiHq2Table{{}, 0};
    std::size_t boxes = ui.boxes().size();
    ui.OnNextModal([&](Dialog& d) {  // the table as it stands
      d.GetDlgItem(kIdOk)->SetFocus();
      ui.Click(d, kIdOk);
    });
    for (int i = 0; i < 3; ++i) ui.PressInNextModal(CMessageBox::kButtonIds[0]);
    ui.Click(page, V::kLessonDerogationsId);
    if (!c.covered) {
      EXPECT_GT(ui.boxes().size(), boxes);
    }
    ASSERT_EQ(int(k.inse.count), 1) << c.covered;
    EXPECT_EQ(k.inse.pairs[0][0], 22) << c.covered;
    EXPECT_EQ(k.inse.pairs[0][1], c.days) << c.covered;
  }
}

}  // namespace
