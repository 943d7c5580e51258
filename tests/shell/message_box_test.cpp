// The message box driven headless: the result of every button of every
// type, the captions by type, language and caller, the frame bars' colour by
// kind, the height by lines, Esc and closing, the repeated-box
// suppression on the virtual clock, and silence in a worker process.
#include <gtest/gtest.h>

#include <vector>

#include "platform/test_driver.h"
#include "shell/frame_hooks.h"
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

TEST_F(MessageBoxTest, OneButtonTakesTheWholeWidthAndEnterTakesIt) {
  ui.OnNextModal([&](Dialog& box) {
    ui.Advance(10);
    EXPECT_EQ(box.GetDlgItem(kFirst)->GetRectInParent(), (Rect{11, 47, 473, 94}));
    ui.Key(kVkReturn);
  });
  EXPECT_EQ(ui_message_box("Fatto."), kIdOk);
}

// Esc and the window's close button leave a box as its Cancel, its only
// button or its "No" would; Abort/Retry/Ignore stays until a button ends it.
TEST_F(MessageBoxTest, EscAndCloseGiveTheCancelOnlyOrNoAnswer) {
  const int cases[][2] = {  // type, answer of Esc and of closing
      {0, kIdOk}, {0x40, kIdOk}, {1, kIdCancel}, {3, kIdCancel}, {0x24, kIdNo},
      {5, kIdCancel}, {6, kIdCancel}, {9, kIdOk}};
  for (const auto& c : cases) {
    for (bool close : {false, true}) {
      ui.OnNextModal([&](Dialog& box) {
        ui.Advance(10);
        if (close) ui.Close(box); else ui.Key(kVkEscape);
      });
      EXPECT_EQ(ui_message_box_flags("Continuare?", c[0], kMbCursorSecond), c[1]) << c[0] << (close ? " close" : " esc");
    }
  }
  ui.OnNextModal([&](Dialog& box) {
    ui.Advance(10);
    ui.Key(kVkEscape);
    box.SendMessage(kMsgClose);
    EXPECT_TRUE(box.IsWindowVisible());
    ui.Click(box, kSecond);
  });
  EXPECT_EQ(ui_message_box_type("Errore di lettura", kMbAbortRetryIgnore), kIdRetry);
  // A question whose "No" throws work away waits for a button.
  ui.OnNextModal([&](Dialog& box) {
    ui.Key(kVkEscape);
    ui.Close(box);
    EXPECT_TRUE(box.IsWindowVisible());
    ui.Click(box, kFirst);
  });
  EXPECT_EQ(ui_message_box_flags("Scartare il risultato?", kMbYesNo, kMbAnswerByButton), kIdYes);
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

// Each type's buttons carry their captions in the user's language, left to
// right; captions given by the caller take their place; the rest are hidden.
TEST_F(MessageBoxTest, ButtonCaptionsByTypeLanguageAndCaller) {
  struct Case {
    int type, language;
    const char *first, *second, *third;  // null: the button is hidden
    std::string shown;
  };
  const Case cases[] = {
      {0, 0, nullptr, nullptr, nullptr, "OK"},
      {1, 1, nullptr, nullptr, nullptr, "OK|Cancel"},
      {1, 0, nullptr, nullptr, nullptr, "OK|Annulla"},
      {2, 0, nullptr, nullptr, nullptr, "Abbandona|Riprova|Ignora"},
      {2, 2, nullptr, nullptr, nullptr, "Abort|Retry|Ignore"},
      {3, 0, nullptr, nullptr, nullptr, "SI|NO|Annulla"},
      {3, 1, nullptr, nullptr, nullptr, "JA|Nein|Cancel"},
      {3, 2, "Salva", nullptr, "Esci", "Salva|NO|Esci"},
      {4, 2, nullptr, nullptr, nullptr, "YES|NO"},
      {5, 0, nullptr, "Lascia", "Ignorato", "Riprova|Lascia"},
      {6, 2, nullptr, nullptr, nullptr, "Retry|Cancel|Continue"},
      {8, 1, nullptr, nullptr, nullptr, "OK"},
  };
  for (const Case& c : cases) {
    LanguageScope language(c.language);
    std::string shown;
    ui.OnNextModal([&](Dialog& box) {
      for (int id : {kFirst, kSecond, kThird}) {
        Window* b = box.GetDlgItem(id);
        if (b->IsWindowVisible()) shown += (shown.empty() ? "" : "|") + b->GetWindowText();
      }
      box.EndDialog(kIdOk);
    });
    ui_message_box_ex("Scegliere.", c.type, 0, c.first, c.second, c.third);
    EXPECT_EQ(shown, c.shown) << c.type << "/" << c.language;
  }
}

// The frame bars show the kind of message: a stop in dark red, a question in
// blue, a warning in crimson, a notice in amber, anything else in yellow.
TEST_F(MessageBoxTest, FrameBarsShowTheKindOfMessage) {
  const struct {
    int type;
    Color bar;
  } cases[] = {{0, rgb(255, 204, 0)},          {kMbIconStop, rgb(170, 0, 0)},
               {kMbIconQuestion | 4, rgb(0, 51, 153)}, {kMbIconExclamation, rgb(165, 0, 33)},
               {kMbIconInformation, rgb(242, 170, 15)}, {0x50, rgb(255, 204, 0)}};
  for (const auto& c : cases) {
    std::vector<Color> bars;
    ui.OnNextModal([&](Dialog& box) {
      DisplayList look = ui.Render(box);
      for (int id : CMessageBox::kBarIds)
        for (const DrawItemOp* op : look.ForControl(id))
          if (op->op == DrawOp::kFill) {
            bars.push_back(op->color);
            break;
          }
      box.EndDialog(kIdOk);
    });
    ui_message_box_type("Attenzione.", c.type);
    EXPECT_EQ(bars, std::vector<Color>(4, c.bar)) << c.type;
  }
}

// A longer message gets a taller box, one line's height a line; the
// launcher panel is put away while a box is up and given back after.
TEST_F(MessageBoxTest, TheBoxGrowsWithItsLinesAndPutsTheLauncherAway) {
  static std::vector<int> panel;
  panel.clear();
  g_frame_hooks.hide_launcher_panel = [](int restore) { panel.push_back(restore); };
  std::vector<int> heights;
  for (const char* text : {"Una riga.", "Una riga.\nDue righe.", "Una riga.\nDue righe.\nTre righe."}) {
    ui.OnNextModal([&](Dialog& box) {
      EXPECT_EQ(panel.size() % 2, 1u);
      heights.push_back(box.GetClientRect().Height());
      box.EndDialog(kIdOk);
    });
    ui_message_box(text);
  }
  g_frame_hooks = FrameHooks{};
  ASSERT_EQ(heights.size(), 3u);
  int line = backend().metrics().LineHeight(Font{});
  EXPECT_EQ(heights[0], 208 - 103);
  EXPECT_GT(heights[1], heights[0]);
  EXPECT_EQ(heights[2] - heights[1], heights[1] - heights[0]);
  EXPECT_GE(heights[1] - heights[0], line);
  EXPECT_EQ(panel, (std::vector<int>{0, 5, 0, 5, 0, 5}));
}

TEST_F(MessageBoxTest, WorkerProcessShowsNothingAndAnswersOne) {
  g_process_number = 3;
  EXPECT_EQ(ui_message_box_type("Eliminare?", 0x24), 1);
  EXPECT_EQ(ui_message_box_ex("Errore", 2, 0, "a", "b", "c"), 1);
  EXPECT_TRUE(ui.boxes().empty());
}

}  // namespace
