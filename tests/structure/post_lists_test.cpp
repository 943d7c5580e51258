// What the teachers page's post list and the teaching-post summary show, cell
// by cell, on a small school built in the test: ROSSI (MATEMATICA 1A 4h;
// SCIENZE 1A 2h in LAB SCIENZE, one of them taught by BIANCHI as the lab's
// assistant) with stand-by and support hours, BIANCHI (INGLESE 2A 3h, joint
// with 3A, one hour of it with a conversation assistant, ROSSI).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/test_driver.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "structure/teacher_page.h"
#include "structure/teacher_page_state.h"
#include "structure/teaching_post_summary.h"
#include "ui_school_builders.h"

namespace {

using namespace kt::ui;
using namespace kt_app_test;
using P = Cprocat;

class PostLists : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    ui_register_teacher_page_template();
    ui_register_summary_page_template();
    fs::create_directories(data_root() / "scuola");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\scuola"));
    new_ui_school({"1A ", "2A ", "3A ", "1B "});
    og_set_default_day_names();  // as a school read or made has them
    g_ui_structure.sections[0][1] = 1;
    int math = add_subject("MATEMATICA", 'N'), science = add_subject("SCIENZE", 'N');
    int english = add_subject("INGLESE", 'N'), conversation = add_subject("CONV INGLESE", 'C');
    add_rossi_bianchi_and_lab();
    add_post(0, math, 0, 4);
    add_lab_post(0, science, 0, 2, 1, 1);
    UiTeachingPost& inglese = add_post(1, english, 1, 3);
    inglese.joint_count = 1;
    inglese.joint_classes[0] = 2;
    inglese.conversation_subject = conversation;
    inglese.partner = 0;
    inglese.partner_part.hours = 1;
    g_ui_teachers[0].standby_hours = 2;
    g_ui_teachers[0].support_hours = 1;
    ASSERT_EQ(og_write_structure_file(), 0);
    ASSERT_EQ(og_write_assignments_file(0, 0), 0);
    og_snapshot_all();
    g_pages.Install(PageSlot::Procat, &page_);
    g_pages.Install(PageSlot::Syncat, &summary_);
    procat_remember_teacher(-1);
    g_auto_save = 0;
    g_page_argument = 0;
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    ui.Pump();
  }
  void TearDown() override {
    og_snapshot_all();
    og_snapshot_structure();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_pages.Install(PageSlot::Procat, nullptr);
    g_pages.Install(PageSlot::Syncat, nullptr);
    g_procat_post = nullptr;
    g_procat_teacher = -1;
    TempRoot::TearDown();
  }
  // The post list's rows, each as its cells 0..7 joined by '|'.
  std::vector<std::string> PostRows() {
    std::vector<std::string> rows;
    auto* list = static_cast<ListView*>(page_.GetDlgItem(P::kPostListId));
    for (int r = 0; r < list->GetItemCount(); ++r) {
      std::string row;
      for (int c = 0; c < 8; ++c) row += (c ? "|" : "") + list->GetItemText(r, c);
      rows.push_back(row);
    }
    return rows;
  }
  TestDriver ui;
  Cprocat page_;
  Csyncat summary_;
};

// A post's conditions in their columns: grouping, joined class, joint
// classes, classwork hours, forbidden hours, daily maximum, the day's
// excluded subject, the subgroup, the move to a building, extended hours,
// placement and the equipment, gym's first.
TEST_F(PostLists, ThePostListShowsEachConditionInItsColumn) {
  UiPostPart& own = g_ui_teachers[0].posts[0].own;  // ROSSI MATEMATICA 1A
  std::strcpy(own.grouping1, "22");
  std::strcpy(own.grouping2, "3");
  own.joined_class = 2;
  own.triple[0] = 2;  // a two-hour classwork between the first and the sixth hour ("K:2:1-6")
  own.triple[1] = 0;
  own.triple[2] = 5;
  std::memset(own.forbidden_hours, 0, kUiWeekCells);
  own.forbidden_hours[0] = own.forbidden_hours[1] = 1;
  own.daily_max = 2;
  own.excluded_day_subject = 2;  // INGLESE
  own.subgroup_subject = 1;      // SCIENZE
  own.extended_hours = 1;
  own.placement = 3;
  g_ui_settings.building_count = 2;
  std::strcpy(g_ui_settings.buildings[0].name, "CENTRO");
  std::strcpy(g_ui_settings.buildings[1].name, "NORD");
  own.building_move = 1;
  std::strcpy(g_ui_settings.gym_equipment[0], "PALLONI");
  std::strcpy(g_ui_settings.lab_equipment[1], "MICROSCOPI");
  own.gym_equipment = 1;
  own.lab_equipment = 2;
  g_ui_teachers[0].posts[0].joint_count = 1;
  g_ui_teachers[0].posts[0].joint_classes[0] = 3;
  og_snapshot_all();
  ASSERT_TRUE(alfadlg_go_to_page(kPageProcat));
  ASSERT_TRUE(ui.Select(page_, P::kTeacherListId, std::string_view("ROSSI")));
  auto* list = static_cast<ListView*>(page_.GetDlgItem(P::kPostListId));
  const char* const expected[] = {"2 2-3",   "3A",      "1B",   "2 (tra 1 e 6)", "LU:1-2", "2",
                                  "INGLESE", "SCIENZE", "NORD", "1",             "3",      "PALLONI MICROSCOPI"};
  for (int c = 8; c < 20; ++c) EXPECT_EQ(list->GetItemText(0, c), expected[c - 8]) << "column " << c;
  EXPECT_EQ(list->GetItemText(1, 8), "") << "the next post has none";
}

// Each teacher's list: his own posts (a lab or conversation post with the
// partner's row below it), then the copies of the posts he assists, whose
// "Labor. / Conver." column names the post's owner and whose second row
// names himself; the totals row counts what he teaches, stand-by and
// support apart.
TEST_F(PostLists, ThePostListShowsOwnPostsCopiesAndTotals) {
  ASSERT_TRUE(alfadlg_go_to_page(kPageProcat));
  struct Case {
    const char* teacher;
    std::vector<std::string> rows;  // Num|Classe|Ore|Materia|Labor./Conver.|Gruppo|Ore|Ore totali
  } cases[] = {
      {"ROSSI",
       {"1|1A|6|MATEMATICA|||4|", "2|1A|6|SCIENZE|LAB SCIENZE||2|1+1=2", "2|LAB SCIENZE|1|SCIENZE|BIANCHI||1|",
        "3|2A|3|INGLESE|BIANCHI||1|", "3|||INGLESE|ROSSI||1|", "|||Totale ore ROSSI|||7|+2 disp.+1 sost.=10"}},
      {"BIANCHI",
       {"1|2A|3|INGLESE|CONV INGLESE||3|2+1=3", "1|||INGLESE|ROSSI||1|", "2|1A|6|SCIENZE|ROSSI||1|",
        "2|LAB SCIENZE|1|SCIENZE|BIANCHI||1|", "|||Totale ore BIANCHI|||4|"}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(ui.Select(page_, P::kTeacherListId, std::string_view(c.teacher)));
    std::vector<std::string> rows = PostRows();
    for (std::string& row : rows) {  // the current post's subject carries a mark
      std::size_t mark = row.find(" ~");
      if (mark != std::string::npos) row.erase(mark, 2);
    }
    EXPECT_EQ(rows, c.rows) << c.teacher;
  }
  EXPECT_TRUE(ui.Problems().empty());
}

// The post chosen in the list carries the mark after its subject (on each
// of its rows); choosing another moves it there and gives the first its
// subject back whole.
TEST_F(PostLists, TheChosenPostCarriesTheMark) {
  ASSERT_TRUE(alfadlg_go_to_page(kPageProcat));
  ASSERT_TRUE(ui.Select(page_, P::kTeacherListId, std::string_view("ROSSI")));
  auto* list = static_cast<ListView*>(page_.GetDlgItem(P::kPostListId));
  auto subjects = [&] {
    std::string all;
    for (int r = 0; r < 3; ++r) all += list->GetItemText(r, 3) + "|";
    return all;
  };
  for (auto [row, shown] : {std::pair{1, "MATEMATICA|SCIENZE ~|SCIENZE ~|"}, std::pair{0, "MATEMATICA ~|SCIENZE|SCIENZE|"}}) {
    ASSERT_TRUE(ui.Select(page_, P::kPostListId, row));
    EXPECT_EQ(subjects(), shown) << row;
  }
  EXPECT_TRUE(ui.Problems().empty());
}

// The summary: a row per own post, per joint class and per partner part,
// with the class, its hours and section, the teacher (and for a partner
// part whom he assists), his hours there and in all, stand-by, support,
// total and the lab or conversation of a partner part.
TEST_F(PostLists, TheSummaryShowsEveryPartWithItsClass) {
  ASSERT_TRUE(alfadlg_go_to_page(kPageSyncat));
  const std::vector<std::string> expected = {
      "1|1A|6|A||Matematica|Rossi|4||7|2|1|10||",
      "2|1A|6|A||Scienze|Rossi|2||7|2|1|10||",
      "3|1A|6|A||Scienze|Bianchi con Rossi|1||4|0|0|4|Lab. LAB SCIENZE (Ore:1)|",
      "4|2A|3|A||Inglese (Conv Inglese)|Bianchi|3||4|0|0|4||",
      "5|3A|0|A||Inglese (Conv Inglese)|Bianchi (articolato)|3||4|0|0|4||",
      "6|2A|3|A||Inglese (Conv Inglese)|Rossi con Bianchi|1||7|2|1|10|Con. CONV INGLESE |",
  };
  std::vector<std::string> rows;
  for (const SummaryRecord& rec : summary_.Records()) {
    std::string row;
    for (const std::string& c : rec.cells) row += c + "|";
    rows.push_back(row);
  }
  EXPECT_EQ(rows, expected);
  // The list shows the records as they are.
  auto* list = static_cast<ListView*>(summary_.GetDlgItem(Csyncat::kListId));
  ASSERT_EQ(list->GetItemCount(), 6);
  EXPECT_EQ(list->GetItemText(4, 1), "3A");
  EXPECT_EQ(list->GetItemText(2, 13), "Lab. LAB SCIENZE (Ore:1)");
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
