// The special options page and the teaching-weight dialog on the headless
// core, on a copy of the small sample school. Special options: switching
// the lunch break on asks the afternoon returns once (a number out of range
// refused with its range), "-" clears the group and the durations then
// refuse a choice; the two 15.1 boxes exclude each other and drive the
// contiguity box; the 15.7 boxes are bits of one byte; one-byte options
// and the 15.94 text reach the settings, and saving leaves no change.
// Teaching weights: the opening order (by weight, then type, then name),
// HIGH on a selected row, the hard-constraint box refused without HIGH
// subjects, saving refused without a table, and balancing mode.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "../shell/app_test_support.h"
#include "constraint_page_fixtures.h"
#include "constraints/param_pages.h"
#include "constraints/special_options.h"
#include "constraints/teaching_weights.h"
#include "platform/test_driver.h"
#include "schooldata/description_reader.h"
#include "schooldata/structure_file.h"
#include "schooldata/description_writer.h"
#include "shell/color_button.h"
#include "structure/input_box.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using S = Coraspec;

using kt_constraints_test::SchoolPages;

TEST_F(SchoolPages, SpecialOptionsWriteTheirFields) {
  UiSchoolSettings& se = g_ui_settings;
  const std::uint8_t hours[7] = {8, 8, 5, 5, 5, 5, 0};
  std::memcpy(g_ui_header.hours_per_day, hours, 7);
  std::memset(se.lunch_break, 0, 4);
  se.teacher_count = 2;
  g_ui_teachers[0].mxr = g_ui_teachers[1].mxr = 3;
  se.maxbuday[0] = 1;
  se.nosalu = 48;
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);

  std::string proposed;
  ui.OnNextModal([&](Dialog& d) {
    proposed = ui.Text(d, Ccasella::kEdit1Id);
    d.GetDlgItem(Ccasella::kEdit1Id)->SetWindowText("7");
    ui.Click(d, kIdOk);
  });
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);  // "7" is out of range
  AnswerInputBox("1");
  ui.Select(page, S::kLunchHourId, 5);  // hour "6": the two 8-hour days reach it
  EXPECT_EQ(proposed, "2");
  EXPECT_EQ(ui.boxes()[ui.boxes().size() - 2].texts[0], "Inserire un numero da 0 a 2.");
  EXPECT_EQ(+g_ui_teachers[0].mxr, 1);
  EXPECT_EQ(+g_ui_teachers[1].mxr, 1);
  EXPECT_EQ(se.lunch_break[0], 5);
  EXPECT_EQ(se.lunch_break[1], 1);
  EXPECT_EQ(se.lunch_break[2], 4);
  std::size_t boxes = ui.boxes().size();
  ui.Select(page, S::kLunchHourId, 3);  // the break is already on: nothing asked
  EXPECT_EQ(ui.boxes().size(), boxes);
  ui.Select(page, S::kAfterReturnId, 2);
  EXPECT_EQ(se.lunch_break[3], 3);
  ui.Select(page, S::kLunchHourId, 0);
  EXPECT_EQ(std::memcmp(se.lunch_break, "\0\0\0\0", 4), 0);
  ui.Select(page, S::kLunchMaxId, 4);
  EXPECT_EQ(se.lunch_break[2], 0);
  EXPECT_TRUE(ui.HasFocus(page, S::kLunchHourId));

  ui.Click(page, S::kAnyIdleId);
  EXPECT_EQ(se.maxbuday[0], 2);
  EXPECT_TRUE(ui.IsEnabled(page, S::kContiguousId));
  ui.Click(page, S::kTwoIdleId);
  EXPECT_EQ(se.maxbuday[0], 9);
  EXPECT_FALSE(ui.IsChecked(page, S::kAnyIdleId));
  ui.Click(page, S::kTwoIdleId);
  EXPECT_EQ(se.maxbuday[0], 1);
  EXPECT_FALSE(ui.IsEnabled(page, S::kContiguousId));

  ui.Click(page, S::kSatMonIds[0]);
  ui.Click(page, S::kSatMonIds[3]);
  EXPECT_EQ(+se.nosalu, 48 | 1 | 8);
  ui.Click(page, S::kSatMonIds[0]);
  EXPECT_EQ(+se.nosalu, 48 | 8);

  ui.Select(page, S::kCoTeachingId, 3);
  ui.Select(page, S::kDifficultId, 10);
  ui.Click(page, S::kAssistantId);
  EXPECT_EQ(se.tocomi[0], 3);
  EXPECT_EQ(se.tekno[0], 10);
  EXPECT_EQ(+se.itpleggero, 1);
  page.GetDlgItem(S::kChangeAfterId)->SetWindowText("5");
  ui.Click(page, S::kSaveId);
  EXPECT_STREQ(se.tekno_text, "5");
  EXPECT_FALSE(og_school_changed());
  EXPECT_TRUE(ui.Problems().empty());
}

// The four Saturday/Monday boxes show the bits stored in the description,
// read back from the file the page's school writes.
TEST_F(SchoolPages, SaturdayMondayBoxesLoadFromTheStoredDescription) {
  struct Case {
    int stored;                   // the bits ticked before saving
    bool checked[4];
  } cases[] = {{1 | 8, {true, false, false, true}}, {2 | 4, {false, true, true, false}}, {0, {}}};
  for (const Case& c : cases) {
    g_ui_settings.nosalu = static_cast<std::int8_t>(c.stored);
    ASSERT_EQ(og_write_assignments_file(0, 0), 0);
    g_ui_settings.nosalu = 0x0F;
    ASSERT_EQ(og_read_assignments_file(0), 0) << c.stored;
    og_snapshot_all();
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    for (int b = 0; b < 4; ++b) EXPECT_EQ(ui.IsChecked(page, S::kSatMonIds[b]), c.checked[b]) << c.stored << " " << b;
    page.DestroyWindow();
  }
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(SchoolPages, TeachingWeights) {
  int n = int(g_ui_structure.subject_count);
  ASSERT_GE(n, 3);
  for (int s = 0; s < n; ++s) g_ui_structure.subjects[s].option_p = 0;
  g_ui_settings.pexdiy = 0;
  g_ui_settings.pexdiz = {};
  og_snapshot_all();
  std::string first, second_weight;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Cpesodi::kHardId);  // no HIGH subject yet: refused
    EXPECT_FALSE(ui.IsChecked(d, Cpesodi::kHardId));
    ui.Select(d, Cpesodi::kListId, 1);
    ui.Click(d, Cpesodi::kHighId);
    auto* list = static_cast<ListView*>(d.GetDlgItem(Cpesodi::kListId));
    EXPECT_EQ(list->GetNextItem(-1, kLvniSelected), 1);  // the chosen subject stays selected, alone
    EXPECT_EQ(list->GetNextItem(1, kLvniSelected), -1);
    ui.ClickHeader(d, Cpesodi::kListId, 2);  // weight again: descending, HIGH first
    first = list->GetItemText(0, 2);
    second_weight = list->GetItemText(1, 2);
    ui.Click(d, Cpesodi::kHardId);
    EXPECT_EQ(+g_ui_settings.pexdiy, 1);
    ui.Click(d, Cpesodi::kSaveId);  // no table: refused
    ui.Click(d, Cpesodi::kHardId);
    ui.Click(d, Cpesodi::kSaveId);
  });
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  Cpesodi weights;
  EXPECT_EQ(weights.DoModal(), Cpesodi::kSaved);
  EXPECT_EQ(first, "Alto");
  EXPECT_EQ(second_weight, "Basso");
  ASSERT_GE(ui.boxes().size(), 3u);
  EXPECT_EQ(ui.boxes()[1].texts[0], "Configurare almeno una materia con il Peso ALTO per attivare il controllo.");
  EXPECT_EQ(ui.boxes()[2].texts[0].rfind("Configurare la tabella delle ore massime", 0), 0u);
  int high = 0;
  for (int s = 0; s < n; ++s) high += g_ui_structure.subjects[s].option_p;
  EXPECT_EQ(high, 1);
  EXPECT_FALSE(og_school_changed());

  ui.OnNextModal([&](Dialog& d) {
    EXPECT_FALSE(ui.IsEnabled(d, Cpesodi::kHardId));
    EXPECT_FALSE(ui.IsEnabled(d, Cpesodi::kTableId));
    ui.Click(d, Cpesodi::kSaveId);
  });
  Cpesodi balancing(true);
  EXPECT_EQ(balancing.DoModal(), Cpesodi::kSaved);
  EXPECT_TRUE(ui.Problems().empty());
}

// Leaving the weight dialog asks whether to abandon changes only when there
// are some: with none it just closes; after one, No stays and Yes reads the
// school again.
TEST_F(SchoolPages, TeachingWeightsAskBeforeAbandoningOnlyAChange) {
  auto questions = [&] {
    std::vector<std::string> asked;
    for (const auto& box : ui.boxes())
      if (box.template_id == CMessageBox::kTemplate) asked.push_back(box.texts.at(0));
    return asked;
  };
  ui.OnNextModal([&](Dialog& d) { ui.Click(d, kIdCancel); });
  Cpesodi untouched;
  EXPECT_EQ(untouched.DoModal(), kIdCancel);
  EXPECT_TRUE(questions().empty());
  bool stayed = false;
  ui.OnNextModal([&](Dialog& d) {
    ui.Select(d, Cpesodi::kListId, 0);
    ui.Click(d, Cpesodi::kHighId);
    ui.AnswerNextModal(kIdNo);
    ui.Click(d, kIdCancel);
    stayed = d.IsWindow();
    ui.AnswerNextModal(kIdYes);
    ui.Click(d, kIdCancel);
  });
  Cpesodi changed;
  EXPECT_EQ(changed.DoModal(), kIdCancel);
  EXPECT_TRUE(stayed);
  EXPECT_EQ(questions(), (std::vector<std::string>(2, "Sicuro di abbandonare le modifiche ?")));
  EXPECT_FALSE(og_school_changed());
  EXPECT_TRUE(ui.Problems().empty());
}

// Every push button of the weight dialog is drawn by the page's coloured
// button, not left to the plain control.
TEST_F(SchoolPages, TeachingWeightButtonsAreColoured) {
  og_snapshot_all();
  std::vector<int> plain;
  ui.OnNextModal([&](Dialog& d) {
    for (int id : {Cpesodi::kLowId, Cpesodi::kHighId, Cpesodi::kSaveId, kIdCancel, Cpesodi::kHowToId,
                   Cpesodi::kListHelpId, Cpesodi::kTableHelpId})
      if (dynamic_cast<CColorButton*>(d.GetDlgItem(id)) == nullptr) plain.push_back(id);
    d.EndDialog(kIdCancel);
  });
  Cpesodi weights;
  weights.DoModal();
  EXPECT_EQ(plain, std::vector<int>{});
}

}  // namespace
