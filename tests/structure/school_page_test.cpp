// The school page in the frame on a hand-built school (one track, classes
// 1A and 2A, a teaching post in 1A): track count changes and their
// refusals, initials kept unique, short names cut, classes created and
// refused deletion, the quick button, classical renumbering, the calendar
// picker and saving; leaving with a track without a name is refused.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <string>

#include "pickers/week_grid_times.h"
#include "platform/cp1252.h"
#include "schooldata/model_utilities.h"
#include "shell/home_page.h"
#include "structure/school_page.h"
#include "structure_page_fixture.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using P = Cproscuola;

constexpr int kYes = 1031, kNo = 1049;  // message box buttons

std::string code_of(int c) { return std::string(g_ui_structure.classes[c].code, 3); }

class SchoolPage : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ASSERT_NO_FATAL_FAILURE(open_test_school(data_root(), {"1A ", "2A "}));
    std::strcpy(g_ui_structure.track_names[0], "Ordinario");
    std::memcpy(g_ui_header.day_codes, "LU\0MA\0ME\0GI\0VE\0SA\0DO", 21);
    g_ui_settings.teacher_count = 1;
    og_init_teacher(0, "ROSSI");
    g_ui_teachers[0].post_count = 1;
    g_ui_teachers[0].posts[0].class_index = 0;
    g_ui_teachers[0].posts[0].own.hours = 3;
    og_snapshot_all();
    Cproscuola::s_class_message_pending = Cproscuola::s_section_message_pending = 1;
    ASSERT_NO_FATAL_FAILURE(show_frame_page(ui, kPageProscuola));
    ASSERT_EQ(g_current_page, &g_school_page);
  }
  void TearDown() override {
    og_snapshot_all();  // nothing left to ask about
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_pages.Install(PageSlot::MenuConfora, nullptr);
    g_pages.Install(PageSlot::Proscuola, nullptr);
    TempRoot::TearDown();
  }
  ListView& list() { return *static_cast<ListView*>(g_school_page.GetDlgItem(P::kSectionListId)); }
  TestDriver ui;
};

TEST_F(SchoolPage, TracksCountNamesAndShortNames) {
  EXPECT_STREQ(g_ui_structure.track_names[0], "Indirizzo Unico");
  ASSERT_EQ(list().GetItemCount(), 1);
  EXPECT_EQ(list().GetItemText(0, 2), "1A");
  EXPECT_EQ(list().GetItemText(0, 3), "2A");
  EXPECT_TRUE(ui.IsChecked(g_school_page, P::section_id(0, 0)));  // the section of 1A and 2A
  EXPECT_FALSE(ui.IsChecked(g_school_page, P::section_id(0, 1)));

  ASSERT_TRUE(ui.Select(g_school_page, P::kTrackCountId, 1));  // two tracks
  EXPECT_STREQ(g_ui_structure.track_names[0], "Normale");
  EXPECT_EQ(code_of(0), "1AN");
  ui.Select(g_school_page, P::kTrackCountId, 0);
  EXPECT_STREQ(g_ui_structure.track_names[0], "Indirizzo Unico");
  EXPECT_EQ(code_of(1), "2A ");
  ui.Select(g_school_page, P::kTrackCountId, 2);  // three tracks: the kept name comes back
  EXPECT_STREQ(g_ui_structure.track_names[0], "Normale");

  ui.Type(g_school_page, P::kFirstTrackNameId + 1, "liceo");
  EXPECT_STREQ(g_ui_structure.track_names[1], "LICEO");
  ui.Type(g_school_page, P::kFirstTrackNameId + 2, "LINGUE");  // L is taken: the first free letter leads
  EXPECT_STREQ(g_ui_structure.track_names[2], "A LINGUE");
  ui.Type(g_school_page, P::kFirstShortNameId + 2, "L1");
  EXPECT_STREQ(g_ui_structure.track_short_names[2], "L");
  EXPECT_GE(ui.beeps(), 1);

  // Section B of the second track, then year 1: class 1BL, its row selected.
  ui.Click(g_school_page, P::section_id(1, 1));
  EXPECT_EQ(ui.Text(g_school_page, P::kKeyLabelId), "BL");
  ui.Click(g_school_page, P::kFirstYearId);
  ASSERT_EQ(+g_ui_structure.class_count, 3u);
  EXPECT_EQ(code_of(2), "1BL");
  // Back to one track is refused once 1AN and 1AL both exist.
  ui.Click(g_school_page, P::section_id(1, 0));
  ui.Click(g_school_page, P::kFirstYearId);
  EXPECT_EQ(code_of(3), "1AL");
  ui.AnswerNextModal(1);
  ui.Select(g_school_page, P::kTrackCountId, 0);
  ASSERT_FALSE(ui.boxes().empty());
  EXPECT_EQ(ui.boxes().back().texts.at(0), "Esistono le classi 1AN e 1AL - indirizzi distinti necessari");
  EXPECT_EQ(+g_ui_structure.track_count, 3);

  // "L" as the short name of "A LINGUE" while LICEO begins with L is refused
  // on leaving.
  ui.AnswerNextModal(1);
  alfadlg_go_to_page(kPageHome);
  EXPECT_EQ(g_current_page, &g_school_page);
  EXPECT_EQ(ui.boxes().back().texts.at(0).rfind("La sigla per le stampe", 0), 0u);
  EXPECT_TRUE(ui.Problems().empty());
}

// "Cancella Vuoti" drops the tracks no class uses, moving the later ones up
// and emptying the rows left over (names and section boxes), and says so when
// none is empty; a track left without a name keeps the officer on the page.
TEST_F(SchoolPage, DeleteEmptyTracksAndATrackWithoutAName) {
  ASSERT_TRUE(ui.Select(g_school_page, P::kTrackCountId, 2));  // three tracks, 1AN and 2AN in the first
  ui.Type(g_school_page, P::kFirstTrackNameId + 1, "SCIENZE");
  ui.Type(g_school_page, P::kFirstTrackNameId + 2, "TECNICO");
  ui.Click(g_school_page, P::section_id(2, 0));
  ui.Click(g_school_page, P::section_id(2, 3));
  ASSERT_TRUE(ui.IsChecked(g_school_page, P::section_id(2, 0)));
  std::memcpy(g_ui_structure.classes[1].code, "2AT", 3);  // TECNICO is used, SCIENZE is not

  ui.Click(g_school_page, P::kDeleteEmptyId);
  EXPECT_EQ(+g_ui_structure.track_count, 2);
  EXPECT_STREQ(g_ui_structure.track_names[1], "TECNICO");
  EXPECT_EQ(g_ui_structure.sections[1][3], 1);
  EXPECT_STREQ(g_ui_structure.track_names[2], "");
  EXPECT_EQ(ui.Text(g_school_page, P::kFirstTrackNameId + 1), "TECNICO");
  EXPECT_TRUE(ui.IsChecked(g_school_page, P::section_id(1, 3)));
  EXPECT_EQ(ui.Text(g_school_page, P::kFirstTrackNameId + 2), "");
  for (int s : {0, 3}) EXPECT_FALSE(ui.IsChecked(g_school_page, P::section_id(2, s))) << s;

  std::size_t boxes = ui.boxes().size();
  ui.AnswerNextModal(1);
  ui.Click(g_school_page, P::kDeleteEmptyId);
  ASSERT_EQ(ui.boxes().size(), boxes + 1);
  EXPECT_EQ(ui.boxes().back().texts.at(0), "Nessun indirizzo vuoto e cancellabile");
  EXPECT_EQ(+g_ui_structure.track_count, 2);

  g_ui_structure.track_names[1][0] = '\0';
  ui.AnswerNextModal(1);
  alfadlg_go_to_page(kPageHome);
  EXPECT_EQ(g_current_page, &g_school_page);
  EXPECT_EQ(ui.boxes().back().texts.at(0),
            "Specificare il nome di ciascun indirizzo di studio esistente (Deve iniziare con A..Z)");
  std::strcpy(g_ui_structure.track_names[1], "TECNICO");
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(SchoolPage, ClassesLessonsQuickClassicalAndSave) {
  ASSERT_EQ(list().GetItemCount(), 1);
  // Year 1 has lessons: kept, re-checked, the message once per run.
  ui.AnswerNextModal(1);
  ui.Click(g_school_page, P::kFirstYearId);
  EXPECT_EQ(code_of(0), "1A ");
  EXPECT_TRUE(ui.IsChecked(g_school_page, P::kFirstYearId));
  ui.Click(g_school_page, P::kFirstYearId);
  EXPECT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(code_of(0), "1A ");

  // Quick: years 1..5 on, 6..9 off (7 created first, then deleted).
  ui.Click(g_school_page, P::kFirstYearId + 6);
  EXPECT_EQ(code_of(2), "7A ");
  ui.Click(g_school_page, P::kQuickId);
  EXPECT_EQ(g_ui_structure.classes[2].code[0], 0);
  EXPECT_EQ(list().GetItemText(0, 6), "5A");
  int classes = int(g_ui_structure.class_count);
  EXPECT_EQ(classes, 6);

  // Classical numbering with lessons in the section: Yes renumbers 1 -> 3.
  ui.PressInNextModal(kYes);
  ui.Click(g_school_page, P::kClassicalId);
  EXPECT_EQ(code_of(0), "3A ");
  EXPECT_STREQ(og_class_label(0), "IA");
  EXPECT_EQ(ui.boxes().size(), 2u);

  // The calendar: mark hour 7 of Monday; Monday gets seven hours, a class
  // that followed the school times takes the new ones, one with times of
  // its own keeps them, and the summary draws the new hour.
  g_ui_structure.classes[1].calendars[0].hour_start_times[0] = 500;
  auto marks = [&] {
    std::string drawn = ui.Render(g_school_page).TextsOf(P::kCalendarId);
    return std::count(drawn.begin(), drawn.end(), 'X');
  };
  auto marks_before = marks();
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Cdwh::kCellIds[6]);
    d.GotoDlgCtrl(d.GetDlgItem(kIdOk));
    ui.Key(kVkReturn);
  });
  ui.Click(g_school_page, P::kCalendarId);
  EXPECT_EQ(g_ui_header.hours_per_day[0], 7);
  EXPECT_EQ(g_ui_header.hours_per_day[5], 0);
  EXPECT_EQ(std::memcmp(g_ui_structure.classes[0].calendars[0].hour_start_times, g_ui_header.hour_start_times,
                        sizeof g_ui_header.hour_start_times),
            0);
  EXPECT_EQ(+g_ui_structure.classes[1].calendars[0].hour_start_times[0], 500);
  EXPECT_NE(+g_ui_header.hour_start_times[6], 0);
  EXPECT_EQ(marks(), marks_before + 1);

  ui.Click(g_school_page, P::kSaveId);
  std::string structure = read(data_root() / "scuola" / "scuola1.txt");
  EXPECT_FALSE(structure.empty());
  EXPECT_FALSE(og_school_changed());
  EXPECT_TRUE(ui.Problems().empty());
}

// The type box shows the type of the row's first class: 1A's over 2A's,
// the default for a section without classes.
TEST_F(SchoolPage, SectionRowShowsItsFirstClassesType) {
  g_ui_structure.classes[0].class_type = 2;
  g_ui_structure.classes[1].class_type = 1;
  auto* type = static_cast<ComboBox*>(g_school_page.GetDlgItem(P::kTypeId));
  ui.Click(g_school_page, P::section_id(0, 1));
  ASSERT_EQ(ui.Text(g_school_page, P::kKeyLabelId), "B ");
  EXPECT_EQ(type->GetCurSel(), 0);
  int row_a = list().GetItemText(0, 0) == "A " ? 0 : 1;
  ASSERT_TRUE(ui.Select(g_school_page, P::kSectionListId, row_a));
  ASSERT_EQ(ui.Text(g_school_page, P::kKeyLabelId), "A ");
  EXPECT_EQ(type->GetCurSel(), 2);
  EXPECT_TRUE(ui.Problems().empty());
}

// A section's type goes to each of its classes only; a section switched
// off takes its classes with it, unless one has lessons: then it stays on
// and the officer is told once.
TEST_F(SchoolPage, SectionTypesAndSectionsSwitchedOff) {
  ui.Click(g_school_page, P::section_id(0, 1));
  ASSERT_EQ(ui.Text(g_school_page, P::kKeyLabelId), "B ");
  ui.Click(g_school_page, P::kFirstYearId + 2);
  ASSERT_EQ(+g_ui_structure.class_count, 3u);
  ASSERT_EQ(code_of(2), "3B ");
  ASSERT_TRUE(ui.Select(g_school_page, P::kTypeId, 1));
  EXPECT_EQ(+g_ui_structure.classes[2].class_type, 1);
  EXPECT_EQ(+g_ui_structure.classes[0].class_type, 0);
  EXPECT_EQ(+g_ui_structure.classes[1].class_type, 0);
  int row_b = list().GetItemText(0, 0) == "B " ? 0 : 1;
  EXPECT_NE(list().GetItemText(row_b, 11), list().GetItemText(1 - row_b, 11));  // the type column differs

  ui.Click(g_school_page, P::section_id(0, 1));  // off: 3B goes
  EXPECT_EQ(g_ui_structure.classes[2].code[0], 0);
  EXPECT_EQ(g_ui_structure.sections[0][1], 0);
  EXPECT_FALSE(ui.IsChecked(g_school_page, P::section_id(0, 1)));

  ui.AnswerNextModal(1);
  ui.Click(g_school_page, P::section_id(0, 0));  // 1A has lessons: section A stays
  EXPECT_TRUE(ui.IsChecked(g_school_page, P::section_id(0, 0)));
  EXPECT_EQ(code_of(0), "1A ");
  EXPECT_EQ(code_of(1), "2A ");
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_NE(ui.boxes()[0].texts.at(0).find("1A"), std::string::npos) << ui.boxes()[0].texts.at(0);
  ui.Click(g_school_page, P::section_id(0, 0));
  EXPECT_EQ(ui.boxes().size(), 1u);  // told once
  EXPECT_TRUE(ui.IsChecked(g_school_page, P::section_id(0, 0)));
  EXPECT_TRUE(ui.Problems().empty());
}

// Classical numbering on and off again: each time asked (the section has
// lessons), Yes moves the years so that every class keeps its label, and
// off clears the mark; No keeps the years, the labels follow the mark.
TEST_F(SchoolPage, ClassicalNumberingOnAndOffAgain) {
  struct Step {
    int answer;
    const char* codes;  // 1A's and 2A's codes after the click
    int mark;
    const char* labels;
  } steps[] = {{kYes, "3A 4A ", 1, "IA IIA"}, {kYes, "1A 2A ", 0, "1A 2A"}, {kNo, "1A 2A ", 1, "IVA VA"}};
  for (const Step& step : steps) {
    ui.PressInNextModal(step.answer);
    ui.Click(g_school_page, P::kClassicalId);
    EXPECT_EQ(code_of(0) + code_of(1), step.codes);
    EXPECT_EQ(+g_ui_structure.classes[0].classical_numbering, step.mark);
    EXPECT_EQ(+g_ui_structure.classes[1].classical_numbering, step.mark);
    EXPECT_EQ(std::string(og_class_label(0)) + " " + og_class_label(1), step.labels);
  }
  EXPECT_EQ(ui.PendingSteps(), 0u);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
