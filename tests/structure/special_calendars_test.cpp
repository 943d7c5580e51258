// The special weekly calendars dialog and its afternoon returns dialog,
// opened from the school page and from the check of class hours, on a
// hand-built school: Monday to Friday 6 hours, Saturday 4 (34 hours);
// ROSSI teaches 24 hours in 1A and 3 hours in 2A joined with 3A; VERDI
// co-teaches 4 hours in 1A with ROSSI as partner (so 1A has T 28, W 24).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "pickers/band_table_double.h"
#include "pickers/constraint_copy_panels.h"
#include "pickers/week_grid_dialog.h"
#include "pickers/week_grid_times.h"
#include "engine/status_block.h"
#include "shell/message_box.h"
#include "structure/afternoon_returns.h"
#include "structure/input_box.h"
#include "structure/school_page.h"
#include "structure/special_calendars.h"
#include "structure_page_fixture.h"
#include "ui_school_builders.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using C = Ccalespe;

constexpr int kYes = 1031, kNo = 1049, kOkBox = 1031;

class SpecialCalendars : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ASSERT_NO_FATAL_FAILURE(open_test_school(data_root(), {"1A ", "2A ", "3A "}));
    g_provisional_mode = 0;
    std::strcpy(g_ui_structure.track_names[0], "Ordinario");
    std::memcpy(g_ui_header.day_codes, "LU\0MA\0ME\0GI\0VE\0SA\0DO", 21);
    for (int d = 0; d < 6; ++d) {
      g_ui_header.hours_per_day[d] = d < 5 ? 6 : 4;
      for (int h = 0; h < 12; ++h) {
        g_ui_header.hour_start_times[d * 12 + h] = std::int16_t(480 + 60 * h);
        g_ui_header.hour_durations[d * 12 + h] = 60;
      }
    }
    g_ui_settings.teacher_count = 2;
    og_init_teacher(0, "ROSSI");
    og_init_teacher(1, "VERDI");
    add_post(0, 0, 0, 24);
    UiTeachingPost& joint = add_post(0, 0, 1, 3);
    joint.joint_count = 1;
    joint.joint_classes[0] = 2;
    add_post(1, 0, 0, 4).partner = 0;
    og_snapshot_all();
    ASSERT_NO_FATAL_FAILURE(show_frame_page(ui, kPageProscuola));
    ASSERT_EQ(g_current_page, &g_school_page);
  }
  void TearDown() override {
    og_snapshot_all();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    for (PageSlot s : {PageSlot::MenuConfora, PageSlot::Proscuola, PageSlot::Plessi}) g_pages.Install(s, nullptr);
    TempRoot::TearDown();
  }
  static std::string cell(Dialog& d, int row, int column) {
    return static_cast<ListView*>(d.GetDlgItem(C::kListId))->GetItemText(row, column);
  }
  static UiClassCalendar& cal(int c) { return g_ui_structure.classes[c].calendars[0]; }
  // The texts of the message boxes shown, in order.
  std::vector<std::string> messages() {
    std::vector<std::string> out;
    for (const auto& box : ui.boxes())
      if (box.template_id == CMessageBox::kTemplate) out.push_back(box.texts.at(0));
    return out;
  }
  TestDriver ui;
};

TEST_F(SpecialCalendars, HoursCalendarOfSeveralClassesClearAndAbandon) {
  bool still_open = false;
  std::string hours_1a, hours_3a, week, count, after_clear;
  bool clear_enabled_2a = true;
  ui.OnNextModal([&](Dialog& d) {
    hours_1a = cell(d, 0, 4);
    hours_3a = cell(d, 2, 4);
    // Calendar without Saturday for 1A and 2A: one confirmation gives both.
    ui.Select(d, C::kListId, 0);
    auto& list = *static_cast<ListView*>(d.GetDlgItem(C::kListId));
    Rect second;
    ASSERT_TRUE(list.GetSubItemRect(1, 0, second));
    ui.ClickAt(list, second.Center(), kModControl);
    ui.OnNextModal([&](Dialog& grid) {
      for (int h = 0; h < 4; ++h) ui.Click(grid, dwh_cell_id(5, h));
      grid.GetDlgItem(kIdOk)->SetFocus();
      ui.Click(grid, kIdOk);
    });
    ui.Click(d, C::kCalendarId);
    week = cell(d, 0, 5);
    count = cell(d, 0, 6) + "|" + cell(d, 1, 6) + "|" + ui.Text(d, C::kCountId);
    // Clearing 2A leaves it on the general calendar.
    ui.Select(d, C::kListId, 1);
    ui.Click(d, C::kClearId);
    after_clear = cell(d, 1, 5) + "|" + ui.Text(d, C::kCountId);
    clear_enabled_2a = ui.IsEnabled(d, C::kClearId);
    ui.PressInNextModal(kNo);
    ui.Click(d, C::kAbandonId);
    still_open = d.IsWindow();
    ui.PressInNextModal(kYes);
    ui.Click(d, C::kAbandonId);
  });
  ui.Click(g_school_page, Cproscuola::kSpecialId);
  EXPECT_EQ(hours_1a, "28/24");
  EXPECT_EQ(hours_3a, "0+3=3");
  EXPECT_EQ(week, "LU:1-6 MA:1-6 ME:1-6 GI:1-6 VE:1-6");
  EXPECT_EQ(count, "30 - Attenzione!|30 - Attenzione!|2");
  EXPECT_EQ(after_clear, "|1");
  EXPECT_FALSE(clear_enabled_2a);
  EXPECT_TRUE(still_open);
  EXPECT_EQ(calespe_calendar_state(cal(0)), 255);  // every calendar restored
  EXPECT_EQ(calespe_calendar_state(cal(1)), 255);
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(SpecialCalendars, CheckBeforeComputingLengthsAndLunchBreak) {
  for (int d = 0; d < 5; ++d)
    for (int h = 0; h < 4; ++h) cal(0).calendar_hours[d * 12 + h] = 1;  // 20 hours, fewer than 24
  std::string lengths;
  std::uint8_t lunch_inside[4] = {};
  std::string proposed;
  ui.AnswerNextModal(1);  // the warning
  ui.OnNextModal([&](Dialog& d) {
    ui.Select(d, C::kListId, 0);
    auto lengths_run = [&](int fours, int fives) {
      ui.OnNextModal([&, fours, fives](Dialog& picker) {
        ui.Select(picker, Chq2alt::QuantityId(0, 3), fours);
        ui.Select(picker, Chq2alt::QuantityId(0, 4), fives);
        picker.GetDlgItem(kIdOk)->SetFocus();
        ui.Click(picker, kIdOk);
      });
    };
    lengths_run(2, 3);  // 8 + 15 = 23, not 24
    ui.PressInNextModal(kOkBox);
    ui.Click(d, C::kLengthsId);
    lengths_run(1, 4);  // 4 + 20 = 24 over 5 days
    ui.Click(d, C::kLengthsId);
    lengths = cell(d, 0, 9);
    // Lunch break at the hour shown "5": five days are longer, 3 is answered.
    ui.OnNextModal([&](Dialog& g) {
      ui.OnNextModal([&](Dialog& box) {
        proposed = ui.Text(box, Ccasella::kEdit1Id);
        static_cast<Edit*>(box.GetDlgItem(Ccasella::kEdit1Id))->SetWindowText("3");
        ui.Click(box, kIdOk);
      });
      ui.Select(g, Cgerien::kHourId, 4);
      ui.Select(g, Cgerien::kMinId, 2);
      std::memcpy(lunch_inside, g_ui_settings.lunch_break, 4);
      ui.PressInNextModal(kYes);
      ui.Click(g, Cgerien::kAbandonId);
    });
    ui.Click(d, C::kReturnsId);
    ui.Click(d, C::kSaveId);
  });
  EXPECT_EQ(calespe_check_class_hours(1), -1);
  EXPECT_EQ(messages().at(0).rfind("Attenzione: il Calendario di talune Classi", 0), 0u);
  EXPECT_EQ(messages().at(1),
            "La somma delle durate specificate per i giorni è 23, che non è alle uguale ore settimanali in classe (24). "
            "Correggere."_cp);
  EXPECT_EQ(lengths, "45555");
  EXPECT_EQ(cal(0).day_lengths[0][4][1], 4);
  EXPECT_EQ(proposed, "5");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(lunch_inside), 3), std::string("\x04\x03\x04", 3));
  EXPECT_EQ(g_ui_settings.lunch_break[0], 0);  // abandoned
  EXPECT_EQ(+g_ui_teachers[1].mxr, 3);          // the returns stay
  EXPECT_TRUE(fs::exists(data_root() / "scuola" / "scuola1.txt"));
  EXPECT_TRUE(ui.Problems().empty());
}

// A class with times of its own shows the days that differ from the
// school's; "standard" gives the chosen classes the school's times again
// and, with none chosen, says to choose. The class column's heading sorts
// the classes one way, then the other, and the help pane says how.
TEST_F(SpecialCalendars, OwnTimesShownAndStandardRestoresThem) {
  for (int c : {0, 1}) {
    std::memcpy(cal(c).hour_start_times, g_ui_header.hour_start_times, sizeof g_ui_header.hour_start_times);
    std::memcpy(cal(c).hour_durations, g_ui_header.hour_durations, sizeof g_ui_header.hour_durations);
  }
  cal(1).hour_start_times[12] = 500;  // Tuesday's first hour
  cal(1).hour_durations[36 + 2] = 50;  // Thursday's third
  std::string shown, after, first_sort, second_sort, help;
  ui.OnNextModal([&](Dialog& d) {
    auto& list = *static_cast<ListView*>(d.GetDlgItem(C::kListId));
    shown = cell(d, 1, 7) + "|" + cell(d, 0, 7);
    list.SetItemState(-1, 0, kLvisSelected);
    ui.PressInNextModal(kOkBox);
    ui.Click(d, C::kStandardId);  // nothing chosen
    ui.Select(d, C::kListId, 1);
    ui.Click(d, C::kStandardId);
    after = cell(d, 1, 7);
    for (std::string* sorted : {&first_sort, &second_sort}) {
      ui.ClickHeader(d, C::kListId, 0);
      for (int r = 0; r < list.GetItemCount(); ++r) *sorted += cell(d, r, 0) + ";";
    }
    help = ui.Text(d, C::kHelpPaneId);
    ui.PressInNextModal(kYes);
    ui.Click(d, C::kAbandonId);
  });
  ui.Click(g_school_page, Cproscuola::kSpecialId);
  EXPECT_EQ(shown, "MA GI |");
  EXPECT_EQ(messages().size(), 2u);  // "choose first", then the abandon question
  EXPECT_EQ(after, "");
  EXPECT_TRUE((first_sort == "1A;2A;3A;" && second_sort == "3A;2A;1A;") ||
              (first_sort == "3A;2A;1A;" && second_sort == "1A;2A;3A;"))
      << first_sort << " " << second_sort;
  EXPECT_NE(help.find("ordin"), std::string::npos) << help;  // the pane tells how the sorting goes
  EXPECT_TRUE(ui.Problems().empty());
}

// A class chosen in the list brings the calendar copy panel up for it, its
// right edge on the row's right and its top on the row's bottom.
TEST_F(SpecialCalendars, ChosenClassBringsTheCopyPanelUnderItsRow) {
  int panel_class = -1;
  Rect row{}, panel{};
  bool shown = false;
  ui.OnNextModal([&](Dialog& d) {
    auto& list = *static_cast<ListView*>(d.GetDlgItem(C::kListId));
    ui.Select(d, C::kListId, 1);
    panel_class = g_copysma.m_class;
    ASSERT_TRUE(list.GetItemRect(1, row));
    row = list.ClientToScreen(row);
    shown = g_copysma.IsWindow() && g_copysma.IsWindowVisible();
    if (g_copysma.IsWindow()) panel = g_copysma.GetWindowRect();
    ui.Click(d, C::kAbandonId);
  });
  ui.Click(g_school_page, Cproscuola::kSpecialId);
  EXPECT_EQ(panel_class, og_find_class_by_label("2A"));
  EXPECT_TRUE(shown);
  EXPECT_EQ(panel.right, row.right);
  EXPECT_EQ(panel.top, row.bottom);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace

namespace {

// The check before a computation compares only the classes that have a
// calendar of their own: a class on the general week with more hours than
// the week holds, and a deleted class whose own calendar is short, are no
// warning.
TEST_F(SpecialCalendars, CheckBeforeComputingSkipsGeneralWeekAndDeletedClasses) {
  g_ui_teachers[0].posts[0].own.hours = 40;  // 1A: 36 hours over a week of 34, on the general week
  for (int h = 0; h < 2; ++h) cal(1).calendar_hours[h] = 1;  // 2A: 2 hours of its own, fewer than its 3
  g_ui_structure.classes[1].code[0] = 0;                      // but 2A is deleted
  EXPECT_EQ(calespe_check_class_hours(1), 0);
  EXPECT_EQ(calespe_check_class_hours(0), 0);
  EXPECT_TRUE(messages().empty());
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
  og_snapshot_all();
}

}  // namespace
