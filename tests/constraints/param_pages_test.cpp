// The general-parameter pages on the headless core, on a copy of the small
// sample school: which rows each page shows (page 3 hides five slots, the
// extra tables only on page 2, the fourth command becoming the fifth page
// with two buildings and editing the same tables), the 11.2 zero-break
// warning once per band with zero breaks, saving both school files, and an
// abandon without changes reading the files again without asking.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../shell/app_test_support.h"
#include "constraint_page_fixtures.h"
#include "constraints/constraint_pages.h"
#include "constraints/param_pages.h"
#include "platform/test_driver.h"
#include "schooldata/description_reader.h"
#include "schooldata/structure_file.h"
#include "shell/frame.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using P = Corapage;

using kt_constraints_test::ParamPages;

TEST_F(ParamPages, EachCommandShowsTheRowsOfItsPage) {
  struct Case { int mode, buildings, page, rows; bool extra; };
  const Case cases[] = {{1, 1, 1, 8, false}, {2, 1, 2, 6, true}, {3, 1, 3, 3, false},
                        {4, 1, 4, 2, false}, {4, 2, 5, 4, false}};
  for (const Case& c : cases) {
    g_ui_settings.building_count = std::int8_t(c.buildings);
    Open(c.mode);
    EXPECT_EQ(page.Page(), c.page) << c.mode;
    for (int k = 0; k < P::kSlots; ++k) {
      EXPECT_EQ(ui.IsVisible(page, P::kFirstBandId + k), k < c.rows) << c.mode << " slot " << k;
      EXPECT_EQ(ui.IsVisible(page, P::kFirstHelpId + k), k < c.rows) << c.mode << " slot " << k;
    }
    EXPECT_EQ(ui.IsVisible(page, P::kExtraIds[0]), c.extra) << c.mode;
    EXPECT_EQ(ui.Text(page, P::kFirstBandId).rfind(c.page == 5 ? "14.1 - Ore buche settimanali ammesse per chi" :
                                                   c.page == 4 ? "14.1 - Ore buche settimanali ammesse.\n" : "1", 0),
              0u) << c.mode;
    page.DestroyWindow();
  }
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(ParamPages, ZeroBreaksWarnPerBandThenSaveAndAbandon) {
  UiHq2Table& breaks = g_ui_settings.giornipausacl;
  breaks = {{{2, 1}, {3, 1}}, 2};
  Open(1);
  ui.OnNextModal([&](Dialog& d) {  // the picker of 11.2: both bands get 0 days of break
    ui.Select(d, 1439, 0);
    ui.Select(d, 1440, 0);
    d.GetDlgItem(kIdOk)->SetFocus();
    ui.Click(d, kIdOk);
  });
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(page, P::kFirstBandId + 1);
  EXPECT_EQ(breaks.pairs[0][1], 0);
  EXPECT_EQ(breaks.pairs[1][1], 0);
  ASSERT_EQ(ui.boxes().size(), 3u);
  EXPECT_NE(ui.boxes()[1].texts[0].find("per 2 giorni"), std::string::npos);
  EXPECT_NE(ui.boxes()[2].texts[0].find("caso 3."), std::string::npos);
  EXPECT_NE(ui.Text(page, P::kFirstBandId + 1).find("\t 0\t 0"), std::string::npos);

  ui.Click(page, P::kSaveId);
  EXPECT_FALSE(og_school_changed());

  breaks.pairs[0][1] = 1;
  og_snapshot_all();
  std::size_t boxes = ui.boxes().size();
  ui.Click(page, P::kAbandonId);  // no changes: the files are read again, nothing asked
  EXPECT_EQ(ui.boxes().size(), boxes);
  EXPECT_EQ(breaks.pairs[0][1], 0);  // as saved
  EXPECT_EQ(+breaks.count, 2);
  EXPECT_TRUE(ui.Problems().empty());
}

// 14.4, the most stand-by hours a day, offers 1 to 3 hours on the page for
// one building and on the page for several alike.
TEST_F(ParamPages, TheStandbyHoursPerDayOfferOneToThree) {
  struct Case { int buildings, slot; };
  for (const Case& c : {Case{1, 1}, Case{2, 3}}) {
    g_ui_settings.building_count = std::int8_t(c.buildings);
    Open(4);
    ASSERT_EQ(ui.Text(page, P::kFirstBandId + c.slot).rfind("14.4", 0), 0u) << c.buildings;
    std::vector<std::string> offered;
    ui.OnNextModal([&](Dialog& d) {
      auto* quantities = static_cast<ComboBox*>(d.GetDlgItem(1439));
      for (int i = 0; i < quantities->GetCount(); ++i) offered.push_back(quantities->GetLBText(i));
      ui.Key(kVkEscape);
    });
    ui.Click(page, P::kFirstBandId + c.slot);
    EXPECT_EQ(offered, (std::vector<std::string>{"1", "2", "3"})) << c.buildings;
    page.DestroyWindow();
  }
  g_ui_settings.building_count = 1;
}

// The frame's page commands open the general parameters (the fourth
// command showing the one-building page), the special options and the
// teacher constraints in place of their stand-ins; an abandon without
// changes re-opens the page through the frame, and moving on from an
// unchanged page asks nothing.
TEST_F(ParamPages, FramePageCommandsOpenTheInstalledPages) {
  ui_register_frame_templates();
  constraints_install_pages();
  g_ui_settings.building_count = 1;
  g_ui_settings.rotation_breaks[0] = 0;
  og_snapshot_all();
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  ui.Pump();
  ASSERT_TRUE(g_frame.GoTo(kPageParameters4));
  ui.Pump();
  ASSERT_NE(g_current_page, nullptr);
  EXPECT_EQ(g_current_page->template_id(), Corapage::kTemplate);
  auto* shown = static_cast<Corapage*>(g_current_page);
  EXPECT_EQ(shown->Page(), 4);  // its rows are checked above
  std::size_t boxes = ui.boxes().size();
  ui.Click(*shown, Corapage::kAbandonId);  // nothing changed: read again and re-opened, no question
  ui.Pump();
  EXPECT_EQ(ui.boxes().size(), boxes);
  EXPECT_EQ(g_current_page, shown);
  EXPECT_TRUE(shown->IsWindow());

  ASSERT_TRUE(g_frame.GoTo(kPageOraspec));
  ui.Pump();
  EXPECT_EQ(g_current_page->template_id(), 129);
  ASSERT_TRUE(g_frame.GoTo(kPageVipro));
  ui.Pump();
  EXPECT_EQ(g_current_page->template_id(), 152);
  EXPECT_EQ(ui.boxes().size(), boxes);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace

namespace {

// Abandoning edited parameters asks in the user's language; Esc with Yes
// reads the files again, re-opens the page from them and then closes it
// (the frame goes up to the configuration menu without the unsaved-changes
// prompt); with No the page closes through that prompt.
TEST_F(ParamPages, AbandonAndEscAskInTheUsersLanguageAndDropTheEdit) {
  ui_register_frame_templates();
  constraints_install_pages();
  g_ui_settings.building_count = 1;
  og_snapshot_all();
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  ui.Pump();
  struct Case {
    int language;
    const char* question;
  };
  const Case cases[] = {{0, "Sicuro di abbandonare le modifiche ?"},
                        {1, "\xC4nderungen verlassen - sicher?"},
                        {2, "Sure to drop changes?"}};
  UiHq2Table& breaks = g_ui_settings.giornipausacl;
  const UiHq2Table saved = breaks;
  for (const Case& c : cases) {
    g_language = std::uint8_t(c.language);
    ASSERT_TRUE(g_frame.GoTo(kPageParameters1));
    ui.Pump();
    auto* shown = static_cast<Corapage*>(g_current_page);
    // An edit through the picker of 11.2: the first band's breaks become 2 days.
    ui.OnNextModal([&](Dialog& d) {
      ui.Select(d, 1439, 2);
      d.GetDlgItem(kIdOk)->SetFocus();
      ui.Click(d, kIdOk);
    });
    ui.Click(*shown, P::kFirstBandId + 1);
    ASSERT_TRUE(og_school_changed()) << c.language;
    std::size_t boxes = ui.boxes().size();
    ui.AnswerNextModal(kIdNo);
    ui.Click(*shown, P::kAbandonId);  // No: the edit stays, the page too
    ASSERT_EQ(ui.boxes().size(), boxes + 1) << c.language;
    EXPECT_EQ(ui.boxes().back().texts.at(0), c.question) << c.language;
    EXPECT_TRUE(og_school_changed());
    ui.AnswerNextModal(kIdYes);
    shown->SetFocus();
    ui.Key(kVkEscape);
    ui.Pump();
    EXPECT_EQ(ui.boxes().size(), boxes + 2) << c.language;  // no unsaved-changes prompt after Yes
    EXPECT_FALSE(og_school_changed()) << c.language;
    EXPECT_EQ(breaks.pairs[0][1], saved.pairs[0][1]) << c.language;
    EXPECT_EQ(g_current_page_template, 137u) << c.language;
  }
  g_language = 0;
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
