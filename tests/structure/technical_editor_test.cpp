// The technical editor run modally on a timetable built straight into the
// engine tables: ROSSI teaches 1A at Mon 1 (lesson 0), 1B at Mon 2
// (lesson 1) and 1B at Tue 1 (lesson 2); lessons 3 and 4 are two hours of
// one line, placed out of time order. Moving lesson 2 onto Mon 1 collides
// with lesson 0 (same teacher) and blocks the save; its own day again
// clears the edit; a lab and a free slot are then saved into the tables and
// the save file. Abandoning with an edit asks, No stays, Yes drops it.
#include <gtest/gtest.h>

#include "engine/save_test_fixture.h"
#include "platform/test_driver.h"
#include "shell/message_box.h"
#include "structure/technical_editor.h"
#include "structure/technical_edits.h"

namespace {

using namespace kt::ui;

void build_timetable() {
  save_test::reset_school();
  const char* days[] = {"LU", "MA", "ME", "GI", "VE"};
  for (int d = 0; d < 5; ++d) std::snprintf(g_eng_school.day_codes[d], 3, "%s", days[d]);
  int a = save_test::add_class("1A"), b = save_test::add_class("1B");
  int s = save_test::add_subject("FISICA");
  int rossi = save_test::add_teacher("ROSSI"), bianchi = save_test::add_teacher("BIANCHI");
  int lab = save_test::add_room("LAB1");
  g_eng_rooms[lab].lab_flag = 1;
  struct Row {
    int teacher, klass, day, hour, line;
  } rows[] = {{rossi, a, 0, 0, 1}, {rossi, b, 0, 1, 2}, {rossi, b, 1, 0, 3}, {bianchi, a, 2, 3, 4}, {bianchi, a, 1, 2, 4}};
  for (const Row& r : rows) {
    int i = save_test::add_lesson(r.teacher, r.klass, s);
    g_eng_lessons[i].line_number = r.line;
    save_test::place(i, r.day, r.hour);
  }
}

std::vector<std::string> column(Dialog& d, int c) {
  auto& list = *static_cast<ListView*>(d.GetDlgItem(Ceditek::kListId));
  std::vector<std::string> out;
  for (int r = 0; r < list.GetItemCount(); ++r) out.push_back(list.GetItemText(r, c));
  return out;
}

TEST(TechnicalEditor, ConflictsBlockTheSaveAndEditsAreSavedOrAbandoned) {
  save_test::SchoolFolder folder;
  ui_register_toolkit_templates();
  TestDriver ui;
  std::vector<std::string> days, conflicts_after_move, conflicts_after_undo, new_day_after_undo, labs;
  std::size_t boxes_after_blocked_save = 0;
  ui.OnNextModal([&](Dialog& d) {
    days = column(d, 1);
    ui.Select(d, Ceditek::kListId, 2);
    ui.Select(d, Ceditek::kDayId, 0);  // Mon 1: ROSSI teaches 1A there
    conflicts_after_move = column(d, 9);
    ui.AnswerNextModal(kIdOk);
    ui.Click(d, Ceditek::kSaveId);
    boxes_after_blocked_save = ui.boxes().size();
    ui.Select(d, Ceditek::kDayId, 1);  // its own day again
    conflicts_after_undo = column(d, 9);
    new_day_after_undo = column(d, 3);
    ui.Select(d, Ceditek::kHourId, 3);  // Tue 4: free
    ui.Select(d, Ceditek::kListId, 1);
    ui.Select(d, Ceditek::kLabId, 1);  // LAB1
    labs = column(d, 8);
    ui.Click(d, Ceditek::kSaveId);
  });
  EXPECT_EQ(tech_run_editor_modal([] {
              build_timetable();
              return true;
            }),
            Ceditek::kModalEnd);
  EXPECT_EQ(days, (std::vector<std::string>{"1 LU", "1 LU", "2 MA", "2 MA", "3 ME"}));  // the line in time order
  EXPECT_EQ(conflicts_after_move, (std::vector<std::string>{"2 ", "", "0 ", "", ""}));
  ASSERT_EQ(boxes_after_blocked_save, 2u);  // the editor and the refusal
  EXPECT_EQ(ui.boxes()[1].texts.at(0), "Ci sono CONFLITTI: controllare colonna dei conflitti");
  EXPECT_EQ(conflicts_after_undo, (std::vector<std::string>(5, "")));
  EXPECT_EQ(new_day_after_undo, (std::vector<std::string>(5, "...")));
  EXPECT_EQ(labs, (std::vector<std::string>{"", "LAB1", "", "", ""}));
  EXPECT_EQ(g_eng_lessons[2].day, 1);
  EXPECT_EQ(g_eng_lessons[2].hour, 3);
  EXPECT_EQ(g_current_placement[2], or_lesson_place_value(2));
  EXPECT_EQ(g_eng_rooms[g_eng_lessons[1].room].name, std::string("LAB1"));
  EXPECT_EQ(or_lesson_room_setting(1), g_eng_lessons[1].room);
  EXPECT_TRUE(folder.exists("savego.txt"));

  bool open_after_no = false;
  ui.OnNextModal([&](Dialog& d) {
    ui.Select(d, Ceditek::kListId, 0);
    ui.Select(d, Ceditek::kDayId, 4);
    ui.AnswerNextModal(kIdNo);
    ui.Click(d, Ceditek::kAbandonId);
    open_after_no = d.IsWindow();
    ui.AnswerNextModal(kIdYes);
    ui.Click(d, Ceditek::kAbandonId);
  });
  EXPECT_EQ(tech_run_editor_modal([] { return true; }), Ceditek::kModalEnd);
  EXPECT_TRUE(open_after_no);
  EXPECT_EQ(g_eng_lessons[0].day, 0);
  EXPECT_EQ(ui.boxes().back().texts.at(0), "Sicuro di abbandonare le modifiche ?");
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
