// The teaching-post panels, control by control, on the fixture's ROSSI and
// BIANCHI: the building move list of a school with two buildings (each
// building alone, for the whole day, with the teacher accompanying) shown
// and stored; the excluded-day subject, the subgroup and the joined class
// chosen and cleared; which controls each panel offers on a lab post (the
// partner's daily maximum only when the partner is another teacher); the
// classwork without a break accepted when the calendar has breaks; and the
// checks on saving: a post whose class is gone, a partial lab assistant's
// classwork turned into a grouping, the lab part taking the main part's
// map of forbidden hours.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "constraint_page_fixtures.h"
#include "picker_support.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::PostConstraintsPage;
using V = Cvicat;

ComboBox& list(int id) { return *static_cast<ComboBox*>(g_vicat_page.GetDlgItem(id)); }

TEST_F(PostConstraintsPage, TheBuildingMoveListOffersEachBuildingThreeWays) {
  g_ui_settings.building_count = 2;
  name_into(g_ui_settings.buildings[0].name, "CENTRO");
  name_into(g_ui_settings.buildings[1].name, "NORD");
  Post(0, 1).own.building_move = 1;
  Post(0, 1).own.building_move_option = 2;
  og_snapshot_all();
  Open();
  SelectPost(0);
  ComboBox& box = list(V::kPanels[0].building);
  std::vector<std::string> items;
  for (int i = 0; i < box.GetCount(); ++i) items.push_back(box.GetLBText(i));
  EXPECT_EQ(items, (std::vector<std::string>{" Non definito", "CENTRO", "NORD", "CENTRO (tutto il giorno)",
                                             "NORD (tutto il giorno)", "CENTRO (docente cambia plesso per accompagnare)",
                                             "NORD (docente cambia plesso per accompagnare)"}));
  EXPECT_TRUE(ui.IsEnabled(g_vicat_page, V::kPanels[0].building));
  EXPECT_EQ(box.GetCurSel(), 0);
  struct Case { int row, building, option; } cases[] = {{2, 1, 0}, {3, 0, 1}, {5, 0, 2}, {0, -1, 0}};
  for (const Case& c : cases) {
    ASSERT_TRUE(ui.Select(g_vicat_page, V::kPanels[0].building, c.row));
    EXPECT_EQ(+Post(0, 0).own.building_move, c.building) << c.row;
    EXPECT_EQ(+Post(0, 0).own.building_move_option, c.option) << c.row;
  }
  SelectPost(1);
  EXPECT_EQ(box.GetCurSel(), 6);
  EXPECT_EQ(ui.Text(g_vicat_page, V::kHelpId).rfind("Potete correggere", 0), 0u);
  g_ui_settings.building_count = 1;
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

TEST_F(PostConstraintsPage, SubjectAndClassChoicesAreStoredAndCleared) {
  Open();
  SelectPost(1);  // MATEMATICA in 2A: INGLESE is taught in 1A only, but offered
  UiPostPart& part = Post(0, 1).own;
  ASSERT_TRUE(ui.Select(g_vicat_page, V::kPanels[0].excluded, std::string_view("INGLESE")));
  EXPECT_EQ(+part.excluded_day_subject, english_);
  ASSERT_TRUE(ui.Select(g_vicat_page, V::kPanels[0].subgroup, std::string_view("INGLESE")));
  EXPECT_EQ(+part.subgroup_subject, english_);
  ASSERT_TRUE(ui.Select(g_vicat_page, V::kPanels[0].joined, std::string_view("3A")));
  EXPECT_EQ(+part.joined_class, 2);
  for (int id : {V::kPanels[0].excluded, V::kPanels[0].subgroup, V::kPanels[0].joined})
    ASSERT_TRUE(ui.Select(g_vicat_page, id, 0)) << id;
  EXPECT_EQ(+part.excluded_day_subject, -1);
  EXPECT_EQ(+part.subgroup_subject, -1);
  EXPECT_EQ(+part.joined_class, -1);
  // The joined list offers every other class.
  ComboBox& joined = list(V::kPanels[0].joined);
  std::vector<std::string> classes;
  for (int i = 0; i < joined.GetCount(); ++i) classes.push_back(joined.GetLBText(i));
  EXPECT_EQ(classes, (std::vector<std::string>{" Non definito", "1A", "3A"}));
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// On the lab post the second panel is the lab's: its class, hours and lab
// name, its own classwork, grouping, map, excluded day and (the partner
// being another teacher) daily maximum; joining, subgroups, placement and
// buildings belong to the main part alone. A post of his own leaves the
// second panel empty and idle.
TEST_F(PostConstraintsPage, EachPanelOffersItsOwnControls) {
  Open();
  SelectPost(2);
  EXPECT_EQ(ui.Text(g_vicat_page, V::kPanels[0].subject_text), "SCIENZE");
  EXPECT_EQ(ui.Text(g_vicat_page, V::kPanels[1].subject_text), "LAB SCIENZE");
  const V::PanelIds& a = V::kPanels[0];
  const V::PanelIds& b = V::kPanels[1];
  for (int id : {a.classwork, a.grouping, a.forbidden, a.excluded, a.daily, a.joined, a.subgroup, a.placement,
                 b.classwork, b.grouping, b.forbidden, b.excluded, b.daily})
    EXPECT_TRUE(ui.IsEnabled(g_vicat_page, id)) << id;
  for (int id : {b.joined, b.subgroup, b.placement, b.building, a.building, a.first, a.last, a.no_break, b.first})
    EXPECT_FALSE(ui.IsEnabled(g_vicat_page, id)) << id;
  ASSERT_TRUE(ui.Select(g_vicat_page, b.classwork, 2));
  EXPECT_EQ(Post(0, 2).partner_part.triple[0], 2);
  EXPECT_EQ(Post(0, 2).partner_part.triple[1], 0);
  EXPECT_EQ(Post(0, 2).partner_part.triple[2], 5);  // the whole six-hour day
  auto* posts = static_cast<ListView*>(g_vicat_page.GetDlgItem(V::kPostListId));
  ASSERT_TRUE(ui.Select(g_vicat_page, a.classwork, 1));
  EXPECT_EQ(posts->GetItemText(posts->FindItemByData(-1, 2), 11), "1 (tra 1 e 6)");
  EXPECT_TRUE(ui.IsEnabled(g_vicat_page, b.first));
  ASSERT_TRUE(ui.Select(g_vicat_page, b.daily, 3));
  EXPECT_EQ(Post(0, 2).partner_part.daily_max, 3);
  EXPECT_EQ(Post(0, 0).partner_part.daily_max, 3) << "the class's other post of his";
  EXPECT_EQ(Post(0, 2).own.daily_max, -1);
  SelectPost(0);
  for (int id : {b.classwork, b.grouping, b.forbidden, b.excluded, b.daily})
    EXPECT_FALSE(ui.IsEnabled(g_vicat_page, id)) << id;
  EXPECT_EQ(ui.Text(g_vicat_page, b.subject_text), "");
  EXPECT_EQ(list(b.classwork).GetCurSel(), -1);
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The lab panel's grouping editor is the lab hours': its own title, blocks
// up to the lab's two hours, stored in the lab part; the grouping button
// then shows it is in use.
TEST_F(PostConstraintsPage, TheLabPanelsGroupingIsTheLabHours) {
  Open();
  SelectPost(2);
  std::string title;
  ui.OnNextModal([&](Dialog& d) {
    title = d.GetWindowText();
    ui.Select(d, Chq2alt::QuantityId(0, 0), 1);  // one block of 2 hours
    d.GetDlgItem(kIdOk)->SetFocus();
    ui.Click(d, kIdOk);
  });
  ui.Click(g_vicat_page, V::kPanels[1].grouping);
  EXPECT_EQ(title.rfind("Raggruppamento delle Ore di Laboratorio o Conversazione", 0), 0u) << title;
  EXPECT_STREQ(Post(0, 2).partner_part.grouping1, "2");
  EXPECT_EQ(Post(0, 2).own.grouping1[0], 0);
  auto* button = dynamic_cast<CColorButton*>(g_vicat_page.GetDlgItem(V::kPanels[1].grouping));
  ASSERT_NE(button, nullptr);
  EXPECT_NE(button->m_state, 0);
  auto* own = dynamic_cast<CColorButton*>(g_vicat_page.GetDlgItem(V::kPanels[0].grouping));
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->m_state, 0);
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The panels' fixed lists: classwork lengths, its first and last hours, the
// daily maximum and the placement.
TEST_F(PostConstraintsPage, ThePanelsFixedListsOfferTheirItems) {
  Open();
  struct Items { int id, count; const char* first; const char* last; };
  for (int side = 0; side < 2; ++side) {
    const V::PanelIds& p = V::kPanels[side];
    const Items lists[] = {{p.classwork, 13, "-", "12"}, {p.first, 11, "1", "11"}, {p.last, 12, "1", "12"},
                           {p.daily, 13, "-", "12"}, {p.placement, 3, "-", "MAI prime o ultime ore"}};
    for (const Items& l : lists) {
      ComboBox& box = list(l.id);
      ASSERT_EQ(box.GetCount(), l.count) << l.id;
      EXPECT_EQ(box.GetLBText(0), l.first) << l.id;
      EXPECT_EQ(box.GetLBText(l.count - 1), l.last) << l.id;
    }
    EXPECT_EQ(list(p.placement).GetLBText(1), "SEMPRE prime o ultime ore");
  }
}

// A classwork that must not span a break is accepted when the calendar
// has a break: the class's own times when it has them, else the school's.
TEST_F(PostConstraintsPage, ClassworkWithoutBreakNeedsABreakInTheCalendar) {
  struct Case { bool own_times; } cases[] = {{false}, {true}};
  for (const Case& c : cases) {
    BuildSchool();
    std::int16_t* starts = c.own_times ? g_ui_structure.classes[1].calendars[0].hour_start_times
                                       : g_ui_header.hour_start_times;
    std::int16_t* lengths = c.own_times ? g_ui_structure.classes[1].calendars[0].hour_durations
                                        : g_ui_header.hour_durations;
    starts[0] = 480;  // 8:00 to 8:50, then 9:00: a break between
    lengths[0] = 50;
    starts[1] = 540;
    lengths[1] = 60;
    og_snapshot_all();
    Open();
    SelectPost(1);
    ASSERT_TRUE(ui.Select(g_vicat_page, V::kPanels[0].classwork, 2));
    std::size_t boxes = ui.boxes().size();
    ui.Click(g_vicat_page, V::kPanels[0].no_break);
    EXPECT_EQ(ui.boxes().size(), boxes) << c.own_times;
    EXPECT_EQ(Post(0, 1).own.letter_j, 1) << c.own_times;
    EXPECT_TRUE(ui.IsChecked(g_vicat_page, V::kPanels[0].no_break));
    og_reset_teaching_post(Post(0, 1), 1);
    starts[0] = starts[1] = 0;
    og_snapshot_all();
    g_frame.DestroyWindow();
  }
}

// A post whose class is gone is refused on saving, that post made current.
TEST_F(PostConstraintsPage, APostWithoutItsClassIsRefused) {
  Post(0, 1).class_index = 2;
  g_ui_structure.classes[2].code[0] = 0;
  og_snapshot_all();
  Open();
  std::string before = Description();
  ui.PressInNextModal(kYesButton);
  ui.Click(g_vicat_page, V::kSaveId);
  EXPECT_EQ(LastBox(), "Specificare la CLASSE");
  EXPECT_EQ(g_vicat_page.CurrentPost(), &Post(0, 1));
  EXPECT_EQ(Description(), before);
  Post(0, 1).class_index = 1;
  g_ui_structure.classes[2].code[0] = '3';
  og_snapshot_all();
  og_snapshot_structure();
}

// A lab assistant present for part of the hours cannot hold a classwork
// longer than those: it becomes one block of a grouping, said once.
TEST_F(PostConstraintsPage, APartialAssistantsClassworkBecomesAGrouping) {
  UiPostPart& lab = Post(0, 2).partner_part;
  lab.extended_hours = 1;
  lab.triple[0] = 2;
  lab.triple[1] = 0;
  lab.triple[2] = 5;
  og_snapshot_all();
  Open();
  ui.PressInNextModal(kYesButton);
  ui.Click(g_vicat_page, V::kSaveId);
  EXPECT_TRUE(kt_constraints_test::box_says(ui, "ITP presente solo parzialmente. Compito convertito in raggruppamento."));
  EXPECT_STREQ(lab.grouping1, "2");
  EXPECT_EQ(lab.triple[0], -1);
  EXPECT_EQ(+lab.letter_j, 0);
}

// The lab part of as many hours as the main part takes its map of
// forbidden hours on saving.
TEST_F(PostConstraintsPage, TheLabPartTakesTheMainPartsMap) {
  std::memset(Post(0, 2).own.forbidden_hours, 0, kUiWeekCells);
  Post(0, 2).own.forbidden_hours[3] = 1;
  og_snapshot_all();
  Open();
  ui.Click(g_vicat_page, V::kSaveId);
  EXPECT_EQ(std::memcmp(Post(0, 2).partner_part.forbidden_hours, Post(0, 2).own.forbidden_hours, kUiWeekCells), 0);
  EXPECT_EQ(Post(0, 0).partner_part.forbidden_hours[0], 255) << "a post without a lab part keeps none";
}

// A grouping of more blocks than the teacher's service days: the days come
// from his own limit, else from the days table at his weekly hours (the
// last row beyond it); raising them is asked.
TEST_F(PostConstraintsPage, AGroupingOfMoreBlocksThanTheServiceDaysIsAsked) {
  struct Case { UiHq2Table days; const char* question; } cases[] = {
      {{{{20, 3}, {30, 5}}, 2}, "Il raggruppamento [1111] presuppone 4"},  // ten hours: 3 days
      {{{{5, 2}, {8, 3}}, 2}, "Il raggruppamento [1111] presuppone 4"},    // beyond the last row: 3 days
      {{{{20, 4}}, 1}, nullptr},                                           // 4 days: nothing asked
  };
  for (const Case& c : cases) {
    BuildSchool();
    g_ui_settings.iggiorni = c.days;
    std::strcpy(Post(0, 1).own.grouping1, "1111");
    og_snapshot_all();
    Open();
    std::size_t boxes = ui.boxes().size();
    if (c.question) ui.AnswerNextModal(kIdNo);
    ui.Click(g_vicat_page, V::kSaveId);
    if (c.question) {
      ASSERT_EQ(ui.boxes().size(), boxes + 1) << c.question;
      EXPECT_EQ(LastBox().rfind(c.question, 0), 0u) << LastBox();
      EXPECT_NE(LastBox().find("3"), std::string::npos) << LastBox();
    } else {
      EXPECT_EQ(ui.boxes().size(), boxes);
    }
    Post(0, 1).own.grouping1[0] = 0;
    og_snapshot_all();
    g_frame.DestroyWindow();
  }
}

// A class joined to one the teacher teaches the same subject in himself is
// refused on saving, the focus on the joined class.
TEST_F(PostConstraintsPage, AJoinedClassOfHisOwnIsRefusedOnSaving) {
  Post(0, 0).own.joined_class = 1;  // MATEMATICA 1A joined to his own 2A
  og_snapshot_all();
  Open();
  ui.PressInNextModal(kYesButton);
  ui.Click(g_vicat_page, V::kSaveId);
  EXPECT_EQ(LastBox(), "La classe abbinata deve avere la stessa materia ed essere di un ALTRO Professore.");
  EXPECT_EQ(g_vicat_page.CurrentPost(), &Post(0, 0));
  EXPECT_TRUE(ui.HasFocus(g_vicat_page, V::kPanels[0].joined));
  Post(0, 0).own.joined_class = -1;
  og_snapshot_all();
}

}  // namespace
