// The technical editor run modally on a copy of the small sample school
// with its reference week saved: every row shows its lesson as the engine's
// tables hold it, a line's lessons in week order; a lesson moved onto an hour its teacher already teaches
// elsewhere lists the two in each other's conflicts; two lessons of a class
// swapped are saved so, and the engine loads the week with them in their
// new places.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "engine/engine_main.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "platform/test_driver.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "structure/structure_pages.h"
#include "structure/technical_editor.h"
#include "structure_page_fixture.h"
#include "technical_editor_fixture.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using E = Ceditek;

class TechnicalEditor : public TechnicalEditorPage {
 protected:
  // Whether the teacher of `lesson` (or its second) has another lesson on
  // the slot than `ignored`.
  static bool TeacherBusy(int lesson, int day, int hour, int ignored) {
    const EngineLesson& l = g_eng_lessons[lesson];
    for (int i = 0; i < g_eng_school.lesson_count; ++i) {
      const EngineLesson& o = g_eng_lessons[i];
      if (i == lesson || i == ignored || o.day != day || o.hour != hour) continue;
      for (int a : {int(l.teacher), int(l.second_teacher)})
        for (int b : {int(o.teacher), int(o.second_teacher)})
          if (a >= 0 && a == b) return true;
      if (o.room >= 0 && o.room == l.room && o.class_index != l.class_index) return true;
    }
    return false;
  }
};

TEST_F(TechnicalEditor, RowsShowTheWeekAndMovesAreCheckedAndSaved) {
  int moved = -1, swapped = -1, day = -1, hour = -1, old_day = -1, old_hour = -1;
  ui.OnNextModal([&](Dialog& d) {
    Ceditek& editor = static_cast<Ceditek&>(d);
    ASSERT_GT(editor.Listed(), 10);
    ASSERT_EQ(List(d).GetItemCount(), editor.Listed());
    for (int r = 0; r < List(d).GetItemCount(); ++r) {
      int lesson = std::atoi(List(d).GetItemText(r, 0).c_str());
      ASSERT_TRUE(lesson >= 0 && lesson < g_eng_school.lesson_count) << r;
      const EngineLesson& l = g_eng_lessons[lesson];
      EXPECT_EQ(List(d).GetItemText(r, 1).substr(0, 2), std::to_string(l.day + 1) + " ") << lesson;
      EXPECT_EQ(std::atoi(List(d).GetItemText(r, 2).c_str()), l.hour + 1) << lesson;
      EXPECT_EQ(List(d).GetItemText(r, 3), "...") << lesson;
      EXPECT_EQ(List(d).GetItemText(r, 5).rfind(std::string(g_eng_teachers[l.teacher].name) + " ", 0), 0u) << lesson;
      EXPECT_EQ(List(d).GetItemText(r, 6), g_eng_classes[l.class_index].code) << lesson;
      EXPECT_EQ(List(d).GetItemText(r, 9), "") << lesson;
    }
    // The lessons of one line of the description are listed in week order.
    int runs = 0;
    for (int i = 0; i + 1 < editor.Listed(); ++i) {
      const EngineLesson& a = g_eng_lessons[i];
      const EngineLesson& b = g_eng_lessons[i + 1];
      if (a.line_number != b.line_number || a.part_line_number != b.part_line_number) continue;
      ++runs;
      EXPECT_LT(a.day * 100 + a.hour, b.day * 100 + b.hour) << i;
    }
    EXPECT_GT(runs, 0);
    // A clash with the teacher's lesson in another class on that hour.
    int clash = -1, other = -1;
    for (int i = 0; i < editor.Listed() && clash < 0; ++i)
      for (int j = 0; j < editor.Listed() && clash < 0; ++j)
        if (g_eng_lessons[j].teacher == g_eng_lessons[i].teacher &&
            g_eng_lessons[j].class_index != g_eng_lessons[i].class_index && g_eng_lessons[j].day == g_eng_lessons[i].day)
          clash = i, other = j;
    ASSERT_GE(clash, 0);
    ui.Select(d, E::kListId, Row(d, clash));
    ui.Select(d, E::kHourId, g_eng_lessons[other].hour);
    EXPECT_EQ(std::atoi(List(d).GetItemText(Row(d, clash), 4).c_str()), g_eng_lessons[other].hour + 1);
    EXPECT_NE((" " + List(d).GetItemText(Row(d, clash), 9)).find(" " + std::to_string(other) + " "), std::string::npos);
    EXPECT_NE((" " + List(d).GetItemText(Row(d, other), 9)).find(" " + std::to_string(clash) + " "), std::string::npos);
    ui.AnswerNextModal(kIdOk);
    ui.Click(d, E::kSaveId);
    EXPECT_EQ(ui.boxes().back().texts.at(0), "Ci sono CONFLITTI: controllare colonna dei conflitti");
    ui.Select(d, E::kHourId, g_eng_lessons[clash].hour);  // back: no edit, no conflict
    EXPECT_EQ(List(d).GetItemText(Row(d, clash), 4), "...");
    EXPECT_EQ(List(d).GetItemText(Row(d, other), 9), "");
    // Two lessons of a class on other days swapped, each teacher free at
    // the other's hour: the first move alone clashes in the class, the
    // second clears it, and the save goes through.
    for (int i = 0; i < editor.Listed() && moved < 0; ++i)
      for (int j = 0; j < editor.Listed() && moved < 0; ++j) {
        const EngineLesson& a = g_eng_lessons[i];
        const EngineLesson& b = g_eng_lessons[j];
        if (a.class_index == b.class_index && a.day != b.day && a.teacher != b.teacher &&
            !TeacherBusy(i, b.day, b.hour, j) && !TeacherBusy(j, a.day, a.hour, i))
          moved = i, swapped = j, day = b.day, hour = b.hour;
      }
    ASSERT_GE(moved, 0);
    old_day = g_eng_lessons[moved].day, old_hour = g_eng_lessons[moved].hour;
    ui.Select(d, E::kListId, Row(d, moved));
    ui.Select(d, E::kDayId, day);
    ui.Select(d, E::kHourId, hour);
    EXPECT_EQ(List(d).GetItemText(Row(d, moved), 3).substr(0, 2), std::to_string(day + 1) + " ");
    EXPECT_EQ(std::atoi(List(d).GetItemText(Row(d, moved), 4).c_str()), hour + 1);
    EXPECT_EQ(List(d).GetItemText(Row(d, swapped), 9), std::to_string(moved) + " ");
    ui.Select(d, E::kListId, Row(d, swapped));
    ui.Select(d, E::kDayId, old_day);
    ui.Select(d, E::kHourId, old_hour);
    EXPECT_EQ(List(d).GetItemText(Row(d, moved), 9), "");
    EXPECT_EQ(List(d).GetItemText(Row(d, swapped), 9), "");
    ui.Click(d, E::kSaveId);
  });
  EXPECT_EQ(tech_run_editor_modal(), E::kModalEnd);
  ASSERT_GE(moved, 0);
  const char* argv[] = {"orario", "SYNT:scuola2.txt", nullptr};
  ASSERT_EQ(or_main(0, 2, argv), 0) << g_status.message;
  EXPECT_EQ(g_eng_lessons[moved].day, day);
  EXPECT_EQ(g_eng_lessons[moved].hour, hour);
  EXPECT_EQ(g_eng_lessons[swapped].day, old_day);
  EXPECT_EQ(g_eng_lessons[swapped].hour, old_hour);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace

namespace {

// Abandon without an edit ends at once; with an edit it asks first: "no"
// keeps the editor and the edit, "yes" ends it and the saved week is left
// byte for byte as it was.
TEST_F(TechnicalEditor, AbandonAsksOnlyAfterAnEditAndKeepsTheSavedWeek) {
  fs::path saved = data_root() / "piccola" / "savego.txt";
  const std::string before = read(saved);
  ui.OnNextModal([&](Dialog& d) { ui.Click(d, E::kAbandonId); });
  auto questions = [&] {
    int n = 0;
    for (const auto& box : ui.boxes())
      if (!box.texts.empty() && box.texts[0] == "Sicuro di abbandonare le modifiche ?") ++n;
    return n;
  };
  EXPECT_EQ(tech_run_editor_modal(), E::kModalEnd);
  EXPECT_EQ(questions(), 0);

  int lesson = -1, old_hour = -1;
  bool kept = false;
  ui.OnNextModal([&](Dialog& d) {
    lesson = std::atoi(List(d).GetItemText(0, 0).c_str());
    old_hour = g_eng_lessons[lesson].hour;
    ui.Select(d, E::kListId, 0);
    ui.Select(d, E::kHourId, old_hour == 0 ? 1 : 0);
    ASSERT_NE(List(d).GetItemText(Row(d, lesson), 4), "...");
    ui.PressInNextModal(CMessageBox::kButtonIds[1]);  // no: stay
    ui.Click(d, E::kAbandonId);
    kept = d.IsWindow() && List(d).GetItemText(Row(d, lesson), 4) != "...";
    ui.PressInNextModal(CMessageBox::kButtonIds[0]);  // yes: drop the edit
    ui.Click(d, E::kAbandonId);
  });
  EXPECT_EQ(tech_run_editor_modal(), E::kModalEnd);
  EXPECT_TRUE(kept);
  EXPECT_EQ(questions(), 2);
  EXPECT_EQ(read(saved), before);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace

namespace {

// A school whose timetable was never computed: the editor says so, lists
// nothing, and saving writes no week of unplaced lessons in the place of
// the timetable.
TEST_F(TechnicalEditor, WithoutAComputedWeekNothingIsListedOrSaved) {
  fs::path saved = data_root() / "piccola" / "savego.txt";
  fs::remove(saved);
  const std::string not_computed = "Orario non disponibile: elaborare prima l'orario.";
  auto said = [&] {
    int n = 0;
    for (const auto& box : ui.boxes())
      if (!box.texts.empty() && box.texts[0] == not_computed) ++n;
    return n;
  };
  int listed = -1, rows = -1, on_opening = -1;
  std::function<void(Dialog&)> step = [&](Dialog& d) {
    auto* editor = dynamic_cast<Ceditek*>(&d);
    if (!editor) {  // a box over the opening editor: acknowledged
      d.EndDialog(kIdOk);
      ui.OnNextModal(step);
      return;
    }
    listed = editor->Listed();
    rows = List(d).GetItemCount();
    on_opening = said();
    ui.AnswerNextModal(kIdOk);
    ui.Click(d, E::kSaveId);
    ASSERT_TRUE(d.IsWindow());
    ui.Click(d, E::kAbandonId);
  };
  ui.OnNextModal(step);
  EXPECT_EQ(tech_run_editor_modal(), E::kModalEnd);
  EXPECT_EQ(listed, 0);
  EXPECT_EQ(rows, 0);
  EXPECT_EQ(on_opening, 1);
  EXPECT_EQ(said(), 2);
  EXPECT_FALSE(fs::exists(saved));
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
