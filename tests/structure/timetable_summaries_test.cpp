// The two summaries the timetable board keeps beside the timetable, on a
// school built straight into the engine tables. Stand-by hours: not yet
// placed, then counted per slot with the board's marked slot, and clicks
// on one cell cycling through the teachers at disposal there. Labs still
// to assign: listed with day code, 1-based hour and upper-case group,
// kept sorted across refreshes, hidden when none is left, made again after
// its owner destroyed it. The stand-by window opens beside the board's button.
#include <gtest/gtest.h>

#include "fresh_process.h"
#include "engine/save_test_fixture.h"
#include "engine/standby_support.h"
#include "engine/timetable_view.h"
#include "engine/week_grid_access.h"
#include "platform/test_driver.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_startup.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"
#include "structure/lab_summary.h"
#include "structure/standby_summary.h"

namespace {

using namespace kt::ui;

TEST(StandbySummary, CountsSlotsAndCyclesTeachersOfAClickedCell) {
  save_test::reset_school();
  int k = save_test::add_class("1A");
  int s = save_test::add_subject("ITALIANO");
  int a = save_test::add_teacher("ALFA");
  int b = save_test::add_teacher("BETA");
  save_test::add_teacher("GAMMA");
  g_eng_teachers[a].contract_values[0] = 1;  // one stand-by hour each
  g_eng_teachers[b].contract_values[0] = 1;
  save_test::place(save_test::add_lesson(a, k, s), 0, 0);
  save_test::place(save_test::add_lesson(b, k, s), 0, 1);
  g_eng_school.standby_grouping = -1;
  or_count_hours(0);
  or_create_standby_lessons();
  or_count_hours(0);
  or_build_timetable_view();

  TestDriver ui;
  std::int32_t selected = -1;
  CContadispo& window = g_contadispo;
  {
    // No board variable to write into: the program ends with the system error "SW".
    struct Ended {
      int code;
    };
    ProcessEnd before = og_set_process_end([](int code) { throw Ended{code}; });
    ui_register_toolkit_templates();
    for (int i = 0; i < 3; ++i) ui.AnswerNextModal(kIdOk);
    int code = 99;
    try {
      window.Create(nullptr);
    } catch (const Ended& e) {
      code = e.code;
    }
    og_set_process_end(before);
    EXPECT_EQ(code, 0);
    ASSERT_EQ(ui.boxes().size(), 3u);
    EXPECT_NE(ui.boxes()[0].texts.at(0).find("(SW)[file: Contadispo"), std::string::npos);
    if (window.IsWindow()) window.CDialogML::DestroyWindow();  // the window the fatal stop left
  }
  window.m_selected_teacher = &selected;
  ASSERT_EQ(window.Create(nullptr), 1);
  EXPECT_EQ(window.Create(nullptr), 0);
  // Registered by its first window: every control inside it, ids unique.
  EXPECT_EQ(lint_dialog_template(*find_dialog_template(CContadispo::kTemplate)), std::vector<std::string>{});
  EXPECT_EQ(ui.Text(window, CContadispo::kCaptionId), "Ore a disposizione non ancora assegnate");
  EXPECT_EQ(window.Cell(1, 2).Caption(), "");
  window.DestroyWindow();

  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (g_eng_lessons[i].standby_marker == 1) save_test::place(i, 1, 2);
  std::strcpy(g_ui_header.day_codes[0], "LU");
  window.SetOpenPoint(300, 200);  // the board's button corner: the window opens just above and left of it
  ASSERT_EQ(window.Create(nullptr), 1);
  EXPECT_EQ(window.GetWindowRect().left, 285);
  EXPECT_EQ(window.GetWindowRect().top, 175);
  EXPECT_EQ(ui.Text(window, CContadispo::kCaptionId), "Ore a disposizione totali = 2");
  EXPECT_EQ(ui.Text(window, CContadispo::kFirstDayHeadingId), "LU");
  or_set_standby_grid_keys(0, 0);  // the board marks a slot
  ui.Advance(CContadispo::kTimerMs);
  EXPECT_EQ(window.Cell(1, 2).Caption(), " 2");
  EXPECT_EQ(window.Cell(1, 2).m_state, 0);
  EXPECT_EQ(window.Cell(0, 0).Caption(), " 0");  // the marked slot
  EXPECT_EQ(window.Cell(0, 0).m_state, CContadispo::kMarkedState);
  EXPECT_EQ(window.Cell(0, 1).Caption(), "");

  std::vector<int> chosen;
  for (int click = 0; click < 3; ++click) {
    ASSERT_TRUE(ui.Click(window, CContadispo::CellId(1, 2)));
    chosen.push_back(selected);
  }
  EXPECT_EQ(chosen, (std::vector<int>{a, b, a}));
  ui.Click(window, CContadispo::CellId(4, 5));  // nobody at disposal: no change
  EXPECT_EQ(selected, a);
  window.DestroyWindow();

  // Closed with the window that owns it (the board leaving), it opens again.
  ui_register_frame_templates();
  ASSERT_TRUE(g_frame.Create(nullptr));
  ASSERT_EQ(window.Create(&g_frame), 1);
  g_frame.DestroyWindow();
  EXPECT_FALSE(window.IsWindow());
  EXPECT_FALSE(window.IsCreated());
  ASSERT_EQ(window.Create(nullptr), 1);
  EXPECT_TRUE(window.IsWindowVisible());
  EXPECT_EQ(ui.Text(window, CContadispo::kCaptionId), "Ore a disposizione totali = 2");
  window.DestroyWindow();
  window.m_selected_teacher = nullptr;
  EXPECT_TRUE(ui.Problems().empty());
}

TEST(LabSummary, ListsSortedRowsAndHidesWhenEveryLessonHasALab) {
  save_test::reset_school();
  int classes[3] = {save_test::add_class("1B"), save_test::add_class("1A"), save_test::add_class("1C")};
  int s = save_test::add_subject("CHIMICA");
  int t = save_test::add_teacher("ROSSI");
  int lab = save_test::add_room("LAB1");
  g_eng_rooms[lab].lab_flag = 1;
  std::snprintf(g_eng_lab_groups[0].name, kNameSize, "%s", "chimica");
  g_eng_school.lab_group_count = 1;
  int lessons[3];
  for (int i = 0; i < 3; ++i) {
    lessons[i] = save_test::add_lesson(t, classes[i], s);
    g_eng_lessons[lessons[i]].lab_group = 0;
    save_test::place(lessons[i], i, i == 0 ? 0 : 3);
  }
  // An ordinary lesson in its class's room waits for no lab: never listed.
  save_test::place(save_test::add_lesson(t, classes[1], s), 4, 2);

  // The sort column is remembered for the program's run: the rows are
  // watched from the first window of a fresh process.
  KT_IN_FRESH_PROCESS({
    TestDriver ui;
    Ccontagrullab& window = g_contagrullab;
    ASSERT_EQ(window.Create(nullptr), 1);
    window.RefreshList();
    ASSERT_TRUE(window.IsWindowVisible());
    ListView& list = window.List();
    auto column = [&](int c) {
      std::vector<std::string> out;
      for (int r = 0; r < list.GetItemCount(); ++r) out.push_back(list.GetItemText(r, c));
      return out;
    };
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(0, 0), "ROSSI");
    EXPECT_EQ(column(1), (std::vector<std::string>{"1B", "1A", "1C"}));
    EXPECT_EQ(column(2), (std::vector<std::string>{"LU", "MA", "ME"}));
    EXPECT_EQ(column(3), (std::vector<std::string>{"1", "4", "4"}));
    EXPECT_EQ(list.GetItemText(0, 4), "CHIMICA");

    ui.ClickHeader(window, Ccontagrullab::kListId, 1);
    std::vector<std::string> sorted = column(1);
    EXPECT_TRUE(sorted == (std::vector<std::string>{"1A", "1B", "1C"}) ||
                sorted == (std::vector<std::string>{"1C", "1B", "1A"}));
    window.RefreshList();
    EXPECT_EQ(column(1), sorted);

    for (int i : lessons) or_set_lesson_room(i, "LAB1");
    window.RefreshList();
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_FALSE(window.IsWindowVisible());
    or_set_lesson_room_setting(lessons[1], kRoomSettingNone);  // 1A back in its own room
    g_eng_lessons[lessons[1]].room = save_test::room_named("1A");
    window.RefreshList();
    EXPECT_TRUE(window.IsWindowVisible());
    EXPECT_EQ(column(1), (std::vector<std::string>{"1A"}));
    // Destroyed with the window that owns it, it opens again when asked.
    window.CResizableDialog::DestroyWindow();
    EXPECT_EQ(window.Create(nullptr), 1);
    EXPECT_TRUE(window.IsWindow());
    window.DestroyWindow();
    EXPECT_TRUE(ui.Problems().empty());
  });
}

}  // namespace
