// The message box driven headless: the result of every button of every
// type, Esc that does nothing, the repeated-box suppression on the virtual
// clock, and silence in a worker process.
#include <gtest/gtest.h>

#include <vector>

#include "platform/test_driver.h"
#include "shell/message_box.h"
#include "shell_test_support.h"

namespace {

using namespace kt::ui;
using kt_shell_test::LanguageScope;

constexpr int kFirst = 1031, kSecond = 1049, kThird = 1050;

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_register_toolkit_templates();
    ui_forget_last_message_box();
  }
  void TearDown() override {
    g_process_number = 0;
    EXPECT_TRUE(ui.Problems().empty());
  }
  TestDriver ui;
};

TEST_F(MessageBoxTest, EveryButtonAnswersItsResult) {
  const int cases[][3] = {  // type, button, result
      {0, kFirst, 1},  {1, kSecond, 2}, {2, kFirst, 3},  {2, kSecond, 4}, {2, kThird, 5}, {3, kFirst, 6},
      {3, kThird, 2},  {4, kSecond, 7}, {5, kFirst, 4},  {6, kThird, 11}, {9, kFirst, 1}, {0x14, kFirst, 6}};
  for (const auto& c : cases) {
    ui.PressInNextModal(c[1]);
    EXPECT_EQ(ui_message_box_type("Continuare?", c[0]), c[2]) << c[0] << "/" << c[1];
  }
}

TEST_F(MessageBoxTest, TwoButtonsSpreadOverTheWidthAndTheFocusFollowsTheFlags) {
  struct Case {
    const char* id;
    int flags;
    int focused;
  };
  // One line of text: buttons up by 103 px; two share x 11..473. The pointer is never moved.
  const Case cases[] = {
      {"first", 0, kFirst}, {"between", kMbCursorBetween, kFirst}, {"second", kMbCursorSecond, kSecond}};
  for (const Case& c : cases) {
    backend().SetCursorPos({3, 4});
    ui.OnNextModal([&](Dialog& box) {
      ui.Advance(10);
      Window* first = box.GetDlgItem(kFirst);
      Window* second = box.GetDlgItem(kSecond);
      EXPECT_EQ(first->GetRectInParent(), (Rect{11, 47, 231, 94})) << c.id;
      EXPECT_EQ(second->GetRectInParent(), (Rect{251, 47, 473, 94})) << c.id;
      EXPECT_EQ(box.GetClientRect().Height(), 208 - 103) << c.id;  // 128 units high in the template
      EXPECT_FALSE(box.GetDlgItem(kThird)->IsWindowVisible()) << c.id;
      EXPECT_TRUE(ui.HasFocus(box, c.focused)) << c.id;
      EXPECT_EQ(backend().GetCursorPos(), (Point{3, 4})) << c.id;
      ui.Click(box, kSecond);
    });
    EXPECT_EQ(ui_message_box_flags("Proseguire?", 0x24, c.flags), kIdNo) << c.id;
    EXPECT_EQ(backend().GetCursorPos(), (Point{3, 4})) << c.id;
  }
}

TEST_F(MessageBoxTest, OneButtonTakesTheWholeWidthEscDoesNothingEnterTakesIt) {
  ui.OnNextModal([&](Dialog& box) {
    ui.Advance(10);
    EXPECT_EQ(box.GetDlgItem(kFirst)->GetRectInParent(), (Rect{11, 47, 473, 94}));
    ui.Key(kVkEscape);
    box.SendMessage(kMsgClose);
    EXPECT_TRUE(box.IsWindowVisible());
    ui.Key(kVkReturn);
  });
  EXPECT_EQ(ui_message_box("Fatto."), kIdOk);
}

// Only an OK box with the flag is held back, for 60 s after the last one.
TEST_F(MessageBoxTest, RepeatedOkBoxIsSuppressedForSixtySecondsAndAnswersAsBefore) {
  static const char kText[] = "Dati salvati";
  static const char kSameWords[] = "Dati salvati";
  struct Step {
    int advance;
    const char* text;
    int type, flags;
    std::size_t shown;
  };
  const Step steps[] = {{0, kText, 0, kMbSuppressRepeat, 1},      {59'000, kText, 0, kMbSuppressRepeat, 1},
                        {0, kSameWords, 0, kMbSuppressRepeat, 2}, {0, kSameWords, 0, 0, 3},
                        {0, kSameWords, 1, kMbSuppressRepeat, 4}, {59'999, kSameWords, 0, kMbSuppressRepeat, 4},
                        {1, kSameWords, 0, kMbSuppressRepeat, 5}};
  for (const Step& s : steps) {
    ui.Advance(s.advance);
    std::size_t before = ui.boxes().size();
    if (s.shown > before) ui.PressInNextModal(kFirst);
    EXPECT_EQ(ui_message_box_flags(s.text, s.type, s.flags), kIdOk);
    EXPECT_EQ(ui.boxes().size(), s.shown) << &s - steps;
  }
  // A held-back box answers what the shown one answered, however it ended.
  ui.Advance(60'000);
  static const char kOther[] = "Attenzione";
  ui.OnNextModal([](Dialog& box) { box.EndDialog(kIdCancel); });
  EXPECT_EQ(ui_message_box_flags(kOther, 0, kMbSuppressRepeat), kIdCancel);
  EXPECT_EQ(ui_message_box_flags(kOther, 0, kMbSuppressRepeat), kIdCancel);
  EXPECT_EQ(ui.boxes().size(), 6u);
}

TEST_F(MessageBoxTest, WorkerProcessShowsNothingAndAnswersOne) {
  g_process_number = 3;
  EXPECT_EQ(ui_message_box_type("Eliminare?", 0x24), 1);
  EXPECT_EQ(ui_message_box_ex("Errore", 2, 0, "a", "b", "c"), 1);
  EXPECT_TRUE(ui.boxes().empty());
}

}  // namespace
