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

struct AnswerCase {
  const char* id;
  int type;
  int press;
  int result;
};

TEST_F(MessageBoxTest, EveryButtonAnswersItsResult) {
  const AnswerCase cases[] = {
      {"ok", 0, kFirst, 1},          {"okc-1", 1, kFirst, 1},      {"okc-2", 1, kSecond, 2},
      {"ari-1", 2, kFirst, 3},       {"ari-2", 2, kSecond, 4},     {"ari-3", 2, kThird, 5},
      {"ync-1", 3, kFirst, 6},       {"ync-2", 3, kSecond, 7},     {"ync-3", 3, kThird, 2},
      {"yn-2", 4, kSecond, 7},       {"rc-1", 5, kFirst, 4},       {"rc-2", 5, kSecond, 2},
      {"ctc-1", 6, kFirst, 4},       {"ctc-2", 6, kSecond, 2},     {"ctc-3", 6, kThird, 11},
      {"nine", 9, kFirst, 1},        {"stop-yn", 0x14, kFirst, 6},
  };
  for (const AnswerCase& c : cases) {
    ui.PressInNextModal(c.press);
    EXPECT_EQ(ui_message_box_type("Continuare?", c.type), c.result) << c.id;
  }
  EXPECT_EQ(ui.boxes().size(), std::size(cases));
}

TEST_F(MessageBoxTest, TwoButtonsSpreadOverTheWidthAndTheCursorFollowsTheFlags) {
  struct Case {
    const char* id;
    int flags;
    Point cursor;  // in the box's client area
  };
  // Template rectangles in pixels (6 x 13 base units, rounded): button 1 at
  // x 11..158, button 2 168..315, button 3 326..473, all y 150..197; a
  // one-line message keeps 13 + 8 of the text's 124 pixels, so the buttons
  // move up by 103 to y 47..94. Two buttons: the first 11..231, the second
  // 251..473 (the middle of button 2 is 241); the cursor goes a quarter of
  // the height (11) above the bottom.
  const Case cases[] = {
      {"first", 0, {231 - 220 / 4, 94 - 11}},
      {"between", kMbCursorBetween, {(231 + 251) / 2, 94 - 11}},
      {"second", kMbCursorSecond, {(251 + 473) / 2, 94 - 11}},
  };
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
      EXPECT_EQ(box.ScreenToClient(backend().GetCursorPos()), c.cursor) << c.id;
      ui.Click(box, kSecond);
    });
    EXPECT_EQ(ui_message_box_flags("Proseguire?", 0x24, c.flags), kIdNo) << c.id;
    EXPECT_EQ(backend().GetCursorPos(), (Point{3, 4})) << c.id;  // put back where it was
  }
}

TEST_F(MessageBoxTest, OneButtonTakesTheWholeWidth) {
  ui.OnNextModal([&](Dialog& box) {
    ui.Advance(10);
    EXPECT_EQ(box.GetDlgItem(kFirst)->GetRectInParent(), (Rect{11, 47, 473, 94}));
    ui.Click(box, kFirst);
  });
  EXPECT_EQ(ui_message_box("Fatto."), kIdOk);
}

TEST_F(MessageBoxTest, EscDoesNothingAndEnterTakesTheFirstButton) {
  ui.OnNextModal([&](Dialog& box) {
    ui.Key(kVkEscape);
    box.SendMessage(kMsgClose);
    EXPECT_TRUE(box.IsWindowVisible());
    ui.Key(kVkReturn);
  });
  EXPECT_EQ(ui_message_box_type("Eliminare?", 0x24), kIdYes);
}

TEST_F(MessageBoxTest, RepeatedOkBoxIsSuppressedForSixtySeconds) {
  static const char kText[] = "Dati salvati";
  static const char kSameWords[] = "Dati salvati";
  ui.PressInNextModal(kFirst);
  EXPECT_EQ(ui_message_box_flags(kText, 0, kMbSuppressRepeat), kIdOk);
  EXPECT_EQ(ui.boxes().size(), 1u);

  ui.Advance(59'000);
  EXPECT_EQ(ui_message_box_flags(kText, 0, kMbSuppressRepeat), kIdOk);  // nothing shown
  EXPECT_EQ(ui.boxes().size(), 1u);

  ui.PressInNextModal(kFirst);  // another pointer to equal words shows at once
  ui_message_box_flags(kSameWords, 0, kMbSuppressRepeat);
  EXPECT_EQ(ui.boxes().size(), 2u);

  ui.PressInNextModal(kFirst);  // without the flag it always shows
  ui_message_box(kSameWords);
  EXPECT_EQ(ui.boxes().size(), 3u);

  ui.PressInNextModal(kFirst);  // not an OK box: always shows
  ui_message_box_flags(kSameWords, 1, kMbSuppressRepeat);
  EXPECT_EQ(ui.boxes().size(), 4u);

  ui.Advance(59'999);
  EXPECT_EQ(ui_message_box_flags(kSameWords, 0, kMbSuppressRepeat), kIdOk);
  EXPECT_EQ(ui.boxes().size(), 4u);
  ui.Advance(1);  // sixty seconds after the last box closed
  ui.PressInNextModal(kFirst);
  ui_message_box_flags(kSameWords, 0, kMbSuppressRepeat);
  EXPECT_EQ(ui.boxes().size(), 5u);
}

TEST_F(MessageBoxTest, SuppressedBoxAnswersTheRememberedResult) {
  static const char kText[] = "Attenzione";
  ui.OnNextModal([](Dialog& box) { box.EndDialog(kIdCancel); });  // however it ended
  EXPECT_EQ(ui_message_box_flags(kText, 0, kMbSuppressRepeat), kIdCancel);
  EXPECT_EQ(ui_message_box_flags(kText, 0, kMbSuppressRepeat), kIdCancel);
  EXPECT_EQ(ui.boxes().size(), 1u);
}

TEST_F(MessageBoxTest, WorkerProcessShowsNothingAndAnswersOne) {
  g_process_number = 3;
  EXPECT_EQ(ui_message_box_type("Eliminare?", 0x24), 1);
  EXPECT_EQ(ui_message_box_ex("Errore", 2, 0, "a", "b", "c"), 1);
  EXPECT_TRUE(ui.boxes().empty());
}

}  // namespace
