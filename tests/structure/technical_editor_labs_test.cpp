// The technical editor's lab column: a lesson in its class's own room given
// "no lab" stays as it was; a lab chosen for it is shown in the column and
// saved, so the engine reads the week with the lesson in that lab; a lesson
// already in a lab given "no lab" shows " Nessuno", and its own lab chosen
// again drops the edit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/engine_main.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "platform/test_driver.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "structure/structure_pages.h"
#include "structure/technical_edits.h"
#include "structure/technical_editor.h"
#include "shell/message_box.h"
#include "structure_page_fixture.h"
#include "technical_editor_fixture.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using E = Ceditek;

class TechnicalEditorLabs : public TechnicalEditorPage {
 protected:
  // Whether some other lesson sits in `room` on the lesson's hour.
  static bool RoomBusy(int lesson, int room) {
    const EngineLesson& l = g_eng_lessons[lesson];
    for (int i = 0; i < g_eng_school.lesson_count; ++i) {
      const EngineLesson& o = g_eng_lessons[i];
      if (i != lesson && o.day == l.day && o.hour == l.hour && o.room == room) return true;
    }
    return false;
  }
};

TEST_F(TechnicalEditorLabs, NoLabAndALabChosenAreShownAndSaved) {
  int lesson = -1, lab = -1, lab_item = -1;
  std::string lab_name;
  ui.OnNextModal([&](Dialog& d) {
    Ceditek& editor = static_cast<Ceditek&>(d);
    auto* labs = static_cast<ComboBox*>(d.GetDlgItem(E::kLabId));
    ASSERT_GT(labs->GetCount(), 1) << "the sample has no lab";
    EXPECT_EQ(labs->GetLBText(0), " Nessuno");
    // The lab list: " Nessuno", then every room marked as a lab, by name.
    std::vector<int> lab_rooms;
    for (int r = 0; r < g_eng_school.room_count; ++r)
      if (g_eng_rooms[r].lab_flag & 1) lab_rooms.push_back(r);
    ASSERT_EQ(labs->GetCount(), int(lab_rooms.size()) + 1);
    for (std::size_t k = 0; k < lab_rooms.size(); ++k)
      EXPECT_EQ(labs->GetLBText(int(k) + 1), g_eng_rooms[lab_rooms[k]].name) << k;
    // A lesson in its class's own room, with a lab free on its hour.
    for (int i = 0; i < editor.Listed() && lesson < 0; ++i) {
      if (g_eng_lessons[i].room != tech_own_room(i) || tech_own_room(i) < 0) continue;
      for (std::size_t k = 0; k < lab_rooms.size() && lesson < 0; ++k)
        if (!RoomBusy(i, lab_rooms[k])) lesson = i, lab = lab_rooms[k], lab_item = int(k) + 1;
    }
    ASSERT_GE(lesson, 0);
    lab_name = g_eng_rooms[lab].name;
    int row = Row(d, lesson);
    EXPECT_EQ(List(d).GetItemText(row, 7), "");
    EXPECT_EQ(List(d).GetItemText(row, 8), "");
    ui.Select(d, E::kListId, row);
    // "No lab" for a lesson in its own room changes nothing.
    ui.Select(d, E::kLabId, 0);
    EXPECT_EQ(List(d).GetItemText(Row(d, lesson), 8), "");
    EXPECT_EQ(+g_tech_edits[lesson].lab, kTechLabUnchanged);
    // A lab: named in the column.
    ui.Select(d, E::kLabId, lab_item);
    EXPECT_EQ(List(d).GetItemText(Row(d, lesson), 8), lab_name);
    EXPECT_EQ(+g_tech_edits[lesson].lab, lab);
    EXPECT_EQ(List(d).GetItemText(Row(d, lesson), 9), "");
    // Another row chosen and this one again: the combo shows the lab.
    ui.Select(d, E::kListId, Row(d, lesson) == 0 ? 1 : 0);
    ui.Select(d, E::kListId, Row(d, lesson));
    EXPECT_EQ(labs->GetCurSel(), lab_item);
    ui.Click(d, E::kSaveId);
  });
  EXPECT_EQ(tech_run_editor_modal(), E::kModalEnd);
  ASSERT_GE(lesson, 0);
  const char* argv[] = {"orario", "SYNT:scuola2.txt", nullptr};
  ASSERT_EQ(or_main(0, 2, argv), 0) << g_status.message;
  EXPECT_EQ(g_eng_lessons[lesson].room, lab);

  // The saved lab is now the lesson's own: in column 7; "no lab" marks it
  // " Nessuno" and the lab chosen again drops the edit.
  ui.OnNextModal([&](Dialog& d) {
    int row = Row(d, lesson);
    ASSERT_GE(row, 0);
    EXPECT_EQ(List(d).GetItemText(row, 7), lab_name);
    EXPECT_EQ(List(d).GetItemText(row, 8), "");
    ui.Select(d, E::kListId, row);
    auto* labs = static_cast<ComboBox*>(d.GetDlgItem(E::kLabId));
    EXPECT_EQ(labs->GetCurSel(), lab_item);
    ui.Select(d, E::kLabId, 0);
    EXPECT_EQ(List(d).GetItemText(Row(d, lesson), 8), " Nessuno");
    EXPECT_EQ(+g_tech_edits[lesson].lab, kTechNoLab);
    ui.Select(d, E::kLabId, lab_item);
    EXPECT_EQ(List(d).GetItemText(Row(d, lesson), 8), "");
    EXPECT_EQ(+g_tech_edits[lesson].lab, kTechLabUnchanged);
    ui.Select(d, E::kLabId, 0);
    ui.Click(d, E::kSaveId);
  });
  EXPECT_EQ(tech_run_editor_modal(), E::kModalEnd);
  ASSERT_EQ(or_main(0, 2, argv), 0) << g_status.message;
  EXPECT_EQ(g_eng_lessons[lesson].room, tech_own_room(lesson));
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace

namespace {

// The editor as a page of the frame: abandon without an edit goes to the
// processing menu at once; after an edit it asks first, "no" keeps the page
// and the edit, "yes" leaves for the menu with the saved week untouched.
TEST_F(TechnicalEditorLabs, AsAPageAbandonAsksOnlyAfterAnEdit) {
  fs::path saved = data_root() / "piccola" / "savego.txt";
  const std::string before = read(saved);
  ASSERT_TRUE(alfadlg_go_to_page(kPageEditek));
  ASSERT_EQ(g_current_page, &g_technical_editor);
  std::size_t boxes = ui.boxes().size();
  ui.Click(g_technical_editor, E::kAbandonId);
  EXPECT_EQ(ui.boxes().size(), boxes);
  EXPECT_NE(g_current_page, &g_technical_editor);
  EXPECT_FALSE(g_technical_editor.IsWindow());
  Window* menu = g_current_page;

  ASSERT_TRUE(alfadlg_go_to_page(kPageEditek));
  ASSERT_EQ(g_current_page, &g_technical_editor);
  Dialog& d = g_technical_editor;
  int lesson = std::atoi(List(d).GetItemText(0, 0).c_str());
  ui.Select(d, E::kListId, 0);
  ui.Select(d, E::kHourId, g_eng_lessons[lesson].hour == 0 ? 1 : 0);
  ASSERT_NE(List(d).GetItemText(Row(d, lesson), 4), "...");
  boxes = ui.boxes().size();
  ui.PressInNextModal(CMessageBox::kButtonIds[1]);  // no: stay
  ui.Click(d, E::kAbandonId);
  ASSERT_EQ(ui.boxes().size(), boxes + 1);
  EXPECT_EQ(ui.boxes().back().texts.at(0), "Sicuro di abbandonare le modifiche ?");
  EXPECT_EQ(g_current_page, &g_technical_editor);
  EXPECT_NE(List(d).GetItemText(Row(d, lesson), 4), "...");
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);  // yes: drop the edit
  ui.Click(d, E::kAbandonId);
  EXPECT_EQ(ui.boxes().size(), boxes + 2);
  EXPECT_EQ(g_current_page, menu);
  EXPECT_FALSE(g_technical_editor.IsWindow());
  EXPECT_EQ(ui.PendingSteps(), 0u);
  EXPECT_EQ(read(saved), before);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
