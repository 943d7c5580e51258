// The school page's own fields in the frame: the school name typed into the
// header (cleaned), the short day and the prolonged-hour length shown as
// stored on opening and stored again on each choice, the help buttons each
// showing their text, and the checks on leaving (a short day without hours,
// a school of fewer than two classes, a school without a week), with the
// Esc command.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/cp1252.h"
#include "schooldata/model_utilities.h"
#include "shell/home_page.h"
#include "structure/config_menu.h"
#include "structure/school_page.h"
#include "structure/school_page_texts.h"
#include "structure_page_fixture.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using P = Cproscuola;

constexpr int kYes = 1031, kNo = 1049;  // message box buttons

class SchoolPageFields : public TempRoot {
 protected:
  void TearDown() override {
    // The header fields these tests set are no part of the cleared blocks:
    // the later tests start from none.
    std::fill(std::begin(g_ui_header.short_days), std::end(g_ui_header.short_days), std::uint8_t(0));
    g_ui_header.extended_hours = 0;
    std::memset(g_ui_header.school_name, 0, sizeof g_ui_header.school_name);
    og_snapshot_all();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_pages.Install(PageSlot::MenuConfora, nullptr);
    g_pages.Install(PageSlot::Proscuola, nullptr);
    TempRoot::TearDown();
  }
  // The school of the given classes with a teaching post in the first, then
  // `before` on the model, then the page shown.
  template <typename Before>
  void Open(std::initializer_list<const char*> classes, Before before) {
    ASSERT_NO_FATAL_FAILURE(open_test_school(data_root(), classes));
    std::strcpy(g_ui_structure.track_names[0], "Ordinario");
    std::memcpy(g_ui_header.day_codes, "LU\0MA\0ME\0GI\0VE\0SA\0DO", 21);
    g_ui_settings.teacher_count = 1;
    og_init_teacher(0, "ROSSI");
    g_ui_teachers[0].post_count = 1;
    g_ui_teachers[0].posts[0].class_index = 0;
    g_ui_teachers[0].posts[0].own.hours = 3;
    before();
    og_snapshot_all();
    Cproscuola::s_class_message_pending = Cproscuola::s_section_message_pending = 1;
    ASSERT_NO_FATAL_FAILURE(show_frame_page(ui, kPageProscuola));
    ASSERT_EQ(g_current_page, &g_school_page);
  }
  void Open(std::initializer_list<const char*> classes) {
    Open(classes, [] {});
  }
  ComboBox& combo(int id) { return *static_cast<ComboBox*>(g_school_page.GetDlgItem(id)); }
  std::string help() { return ui.Text(g_school_page, P::kHelpPaneId); }
  std::string last_box() { return ui.boxes().empty() ? "" : ui.boxes().back().texts.at(0); }
  TestDriver ui;
};

TEST_F(SchoolPageFields, TheSchoolNameGoesIntoTheHeaderCleaned) {
  Open({"1A ", "2A "}, [] { std::strcpy(g_ui_header.school_name, "LICEO VECCHIO"); });
  EXPECT_EQ(ui.Text(g_school_page, P::kNameId), "LICEO VECCHIO");
  auto* name = g_school_page.GetDlgItem(P::kNameId);
  name->SetWindowText("");
  ui.Type(*name, "Istituto Galilei");
  EXPECT_STREQ(g_ui_header.school_name, "Istituto Galilei");
  // A dash would break the file syntax: it is replaced and the page says why.
  name->SetWindowText("");
  ui.Type(*name, "Liceo-Classico");
  EXPECT_EQ(std::string(g_ui_header.school_name).find('-'), std::string::npos) << g_ui_header.school_name;
  EXPECT_EQ(std::string(g_ui_header.school_name).substr(0, 5), "Liceo");
  EXPECT_NE(help(), kNameHelp.Get());
  EXPECT_FALSE(help().empty());
  // A longer name is cut at 80 characters, the header's end kept.
  name->SetWindowText(std::string(100, 'B'));
  EXPECT_EQ(std::strlen(g_ui_header.school_name), 80u);
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(SchoolPageFields, ShortDayShownAsStoredAndStoredOnEachChoice) {
  Open({"1A ", "2A "}, [] {
    g_ui_header.short_days[2] = 1;  // Wednesday
    g_ui_header.extended_hours = 55;
  });
  ComboBox& short_day = combo(P::kShortDayId);
  ASSERT_EQ(short_day.GetCount(), 8);
  EXPECT_EQ(short_day.GetLBText(0), "-");
  EXPECT_EQ(short_day.GetLBText(1), "LU");
  EXPECT_EQ(short_day.GetLBText(7), "DO");
  EXPECT_EQ(short_day.GetCurSel(), 3);

  ComboBox& prolonged = combo(P::kProlongedId);
  ASSERT_EQ(prolonged.GetCount(), 18);  // "-", then 40 to 120 minutes by 5
  EXPECT_EQ(prolonged.GetLBText(1), "40");
  EXPECT_EQ(prolonged.GetLBText(17), "120");
  EXPECT_EQ(prolonged.GetCurSel(), 4);  // 55 minutes

  struct Step {
    int choice;
    std::uint8_t days[7];
  } steps[] = {{5, {0, 0, 0, 0, 1, 0, 0}}, {1, {1, 0, 0, 0, 0, 0, 0}}, {0, {0, 0, 0, 0, 0, 0, 0}}};
  for (const Step& step : steps) {
    ui.Select(g_school_page, P::kShortDayId, step.choice);
    for (int d = 0; d < 7; ++d) EXPECT_EQ(+g_ui_header.short_days[d], +step.days[d]) << step.choice << " " << d;
  }

  struct Length {
    int choice, minutes;
  } lengths[] = {{1, 40}, {2, 45}, {17, 120}, {0, 0}, {9, 80}};
  for (const Length& length : lengths) {
    ui.Select(g_school_page, P::kProlongedId, length.choice);
    EXPECT_EQ(+g_ui_header.extended_hours, length.minutes) << length.choice;
  }
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(SchoolPageFields, ProlongedLengthOffTheListShowsNoChoice) {
  Open({"1A ", "2A "}, [] { g_ui_header.extended_hours = 42; });
  EXPECT_EQ(combo(P::kProlongedId).GetCurSel(), -1);
  EXPECT_EQ(combo(P::kShortDayId).GetCurSel(), 0);  // no short day
}

TEST_F(SchoolPageFields, HelpButtonsShowTheirTexts) {
  Open({"1A ", "2A "});
  struct Case {
    int id;
    const MlText& text;
  } cases[] = {{P::kNameHelpId, kNameHelp},          {P::kHowToId, kHowToText},
               {P::kTracksHelpId, kTracksHelp},      {P::kShortDayHelpId, kShortDayHelp},
               {P::kProlongedHelpId, kProlongedHelp}, {P::kClassHelpId, kClassGroupHelp}};
  for (const Case& c : cases) {
    ui.Click(g_school_page, c.id);
    EXPECT_EQ(help(), c.text.Get()) << c.id;
  }
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(SchoolPageFields, AShortDayWithoutHoursKeepsThePage) {
  Open({"1A ", "2A "});
  ui.Select(g_school_page, P::kShortDayId, 6);  // Saturday: no hours in this week
  ASSERT_EQ(+g_ui_header.short_days[5], 1);
  alfadlg_go_to_page(kPageHome);
  EXPECT_EQ(g_current_page, &g_school_page);
  EXPECT_EQ(last_box(), "Il Giorno Corto non può avere ZERO ore"_cp);
  EXPECT_TRUE(ui.HasFocus(g_school_page, P::kShortDayId));

  ui.Select(g_school_page, P::kShortDayId, 5);  // Friday has six
  std::size_t boxes = ui.boxes().size();
  ui.Click(g_school_page, P::kSaveId);
  EXPECT_EQ(ui.boxes().size(), boxes) << last_box();
  alfadlg_go_to_page(kPageHome);
  EXPECT_NE(g_current_page, &g_school_page);
}

TEST_F(SchoolPageFields, FewerThanTwoClassesAsksBeforeLeaving) {
  Open({"1A "});
  ui.PressInNextModal(kNo);
  alfadlg_go_to_page(kPageHome);
  EXPECT_EQ(g_current_page, &g_school_page);
  EXPECT_EQ(last_box(), "Sicuro di uscire senza configurare le CLASSI esistenti ?");
  EXPECT_TRUE(ui.HasFocus(g_school_page, P::kSectionListId));

  // The save asks the same and saves nothing on no.
  std::size_t boxes = ui.boxes().size();
  ui.PressInNextModal(kNo);
  ui.Click(g_school_page, P::kSaveId);
  EXPECT_EQ(ui.boxes().size(), boxes + 1);

  // Yes saves (opening the page renamed the only track); then the page
  // can be left, after the same question.
  ui.PressInNextModal(kYes);
  ui.Click(g_school_page, P::kSaveId);
  EXPECT_EQ(ui.boxes().size(), boxes + 2);
  EXPECT_FALSE(og_school_changed());
  ui.PressInNextModal(kYes);
  alfadlg_go_to_page(kPageHome);
  EXPECT_NE(g_current_page, &g_school_page);
  EXPECT_EQ(ui.boxes().size(), boxes + 3);
}

TEST_F(SchoolPageFields, AWeekWithoutHoursAsksBeforeLeaving) {
  Open({"1A ", "2A "}, [] {
    for (auto& hours : g_ui_header.hours_per_day) hours = 0;
  });
  ui.PressInNextModal(kNo);
  alfadlg_go_to_page(kPageHome);
  EXPECT_EQ(g_current_page, &g_school_page);
  EXPECT_EQ(last_box(), "Sicuro di uscire senza configurare il CALENDARIO settimanale ?");
  ui.PressInNextModal(kYes);
  ui.Click(g_school_page, P::kSaveId);
  EXPECT_FALSE(og_school_changed());
  ui.PressInNextModal(kYes);
  alfadlg_go_to_page(kPageHome);
  EXPECT_NE(g_current_page, &g_school_page);
}

TEST_F(SchoolPageFields, EscLeavesForTheMenu) {
  // A post with its subject: the menu reads the saved files back cleanly.
  Open({"1A ", "2A "}, [] {
    g_ui_structure.subject_count = 1;
    std::strcpy(g_ui_structure.subjects[0].name, "ITALIANO");
    g_ui_teachers[0].posts[0].subject = 0;
  });
  ui.Key(kVkEscape);  // opening renamed the only track: the unsaved school keeps the page
  ui.Pump();
  EXPECT_EQ(g_current_page, &g_school_page);
  ui.Click(g_school_page, P::kSaveId);
  ui.Key(kVkEscape);
  ui.Pump();
  EXPECT_NE(g_current_page, &g_school_page);
  EXPECT_EQ(g_current_page_template, std::uint32_t(Cmenu_confora::kTemplate));
  EXPECT_TRUE(ui.boxes().empty()) << last_box();
  for (const std::string& p : ui.Problems()) ADD_FAILURE() << p;
}

// Classical renumbering moves only the years 1 to 5 of the chosen section:
// a sixth year and the other section's classes keep their codes.
TEST_F(SchoolPageFields, ClassicalRenumberingLeavesOtherYearsAndSections) {
  Open({"1A ", "2A ", "6A ", "1B "}, [] { g_ui_structure.sections[0][1] = 1; });
  auto codes = [] {
    std::string out;
    for (int c = 0; c < og_class_count(); ++c) out += std::string(g_ui_structure.classes[c].code, 3);
    return out;
  };
  auto* list = static_cast<ListView*>(g_school_page.GetDlgItem(P::kSectionListId));
  int row_a = list->GetItemText(0, 0) == "A " ? 0 : 1;
  ui.Select(g_school_page, P::kSectionListId, row_a);
  ASSERT_EQ(ui.Text(g_school_page, P::kKeyLabelId), "A ");
  ui.PressInNextModal(kYes);
  ui.Click(g_school_page, P::kClassicalId);
  EXPECT_EQ(codes(), "3A 4A 6A 1B ");
  ui.PressInNextModal(kYes);
  ui.Click(g_school_page, P::kClassicalId);
  EXPECT_EQ(codes(), "1A 2A 6A 1B ");
  EXPECT_EQ(ui.PendingSteps(), 0u);
}

}  // namespace
