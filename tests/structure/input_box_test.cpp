// The input box run headless: names are cleaned and cut, a text below
// the minimum shows the minimum-length message and keeps the box open with
// the cleaned text, cancel after a refused attempt keeps the cleaned buffer
// and cancel without one leaves it; the second field, check box, prefill
// and paste modes (the pages ask one name at a time today).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/cp1252.h"
#include "platform/test_driver.h"
#include "shell/clipboard.h"
#include "shell/message_box.h"
#include "structure/input_box.h"

namespace {

using namespace kt::ui;

struct CleanCase {
  const char* id;
  const char* in;
  int max;
  const char* out;
};

TEST(InputBoxClean, NamesAreCleanedAndCut) {
  const CleanCase cases[] = {
      {"outer-blanks-hyphen", "  Storia-Arte ", 20, "Storia_Arte"},
      {"bar-colon", "a|b:c", 20, "a_b;c"},
      {"double-blanks", "Lingua   Inglese", 20, "Lingua Inglese"},
      {"cut-then-trim", "abcd efgh", 5, "abcd"},
      {"long-code", "0123456789012345678901234567890123456789", 40, "0123456789012345678901234567890123456789"},
      {"empty", "   ", 20, ""},
  };
  for (const CleanCase& c : cases) {
    char buffer[64];
    std::strcpy(buffer, c.in);
    casella_clean_text(buffer, c.max);
    EXPECT_STREQ(buffer, c.out) << c.id;
  }
}

TEST(InputBox, ShortTextIsRefusedAndCancelKeepsCleanedText) {
  ui_register_toolkit_templates();
  TestDriver ui;
  char name[21] = "old";
  std::string shown_after;
  ui.OnNextModal([&](Dialog& d) {
    ui.Type(d, Ccasella::kEdit1Id, " a-b ");
    ui.Click(d, kIdOk);
  });
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.OnNextModal([&](Dialog& d) {
    shown_after = ui.Text(d, Ccasella::kEdit1Id);
    EXPECT_TRUE(ui.HasFocus(d, Ccasella::kEdit1Id));
    ui.Click(d, kIdCancel);
  });
  int result = casella_run_input_box("Ridenominazione - nuovo Nome?", name, 20, 4, nullptr, nullptr, 0, 0, nullptr, 0);
  EXPECT_EQ(result, kIdCancel);
  EXPECT_STREQ(name, "a_b");
  EXPECT_EQ(shown_after, "a_b");
  ASSERT_FALSE(ui.boxes().empty());
  bool found = false;
  for (const auto& box : ui.boxes())
    for (const std::string& t : box.texts)
      found = found || (t.rfind("Lunghezza Minima: 4 caratteri\n\nAttenzione: nei nomi", 0) == 0);
  EXPECT_TRUE(found);
}

TEST(InputBox, CancelWithoutAttemptLeavesTheBuffer) {
  TestDriver ui;
  char first[21] = "Latino";
  ui.OnNextModal([&](Dialog& d) {
    EXPECT_EQ(ui.Text(d, Ccasella::kEdit1Id), "Latino");
    EXPECT_FALSE(ui.IsVisible(d, Ccasella::kEdit2Id));
    ui.Type(d, Ccasella::kEdit1Id, "xyz");
    ui.Key(kVkEscape);
  });
  EXPECT_EQ(casella_run_input_box("Primo", first, 20, 0, nullptr, nullptr, 0, 0, nullptr, 0), kIdCancel);
  EXPECT_STREQ(first, "Latino");
}

// The modes of the box the pages do not use today (a second field, a check
// box, a prefilled second field, a paste button) keep working for those that
// will.
TEST(InputBox, CheckBoxModeWritesZeroOrOne) {
  for (bool tick : {false, true}) {
    TestDriver ui;
    char name[21] = "";
    std::int32_t state = 77;
    ui.OnNextModal([&](Dialog& d) {
      EXPECT_FALSE(ui.IsVisible(d, Ccasella::kEdit2Id));
      EXPECT_TRUE(ui.IsVisible(d, Ccasella::kCheckId));
      EXPECT_FALSE(ui.IsChecked(d, Ccasella::kCheckId));
      ui.Type(d, Ccasella::kEdit1Id, "Plesso");
      if (tick) ui.Click(d, Ccasella::kCheckId);
      ui.Click(d, kIdOk);
    });
    EXPECT_EQ(casella_run_input_box("Nome?", name, 20, 0, "Condiviso", &state, 0, 0, nullptr, kCasellaCheckBox),
              kIdOk);
    EXPECT_EQ(state, tick ? 1 : 0);
    EXPECT_STREQ(name, "Plesso");
  }
}

TEST(InputBox, SecondFieldRefusalKeepsFirstWritten) {
  ui_register_toolkit_templates();
  TestDriver ui;
  char first[21] = "";
  char second[21] = "";
  std::string title;
  ui.OnNextModal([&](Dialog& d) {
    title = d.GetWindowText();
    ui.Type(d, Ccasella::kEdit1Id, "Fisica ");
    ui.Type(d, Ccasella::kEdit2Id, "ab");
    ui.Click(d, kIdOk);
  });
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.OnNextModal([&](Dialog& d) {
    EXPECT_TRUE(ui.HasFocus(d, Ccasella::kEdit2Id));
    ui.Type(d, Ccasella::kEdit2Id, "abcd");  // the field comes back selected
    ui.Click(d, kIdOk);
  });
  EXPECT_EQ(casella_run_input_box("Materia", first, 20, 1, "Sigla", second, 4, 3, nullptr, 0), kIdOk);
  EXPECT_STREQ(first, "Fisica");
  EXPECT_STREQ(second, "abcd");
  EXPECT_EQ(title, "Sigla");
}

TEST(InputBox, PrefillCopiesFirstIntoEmptySecond) {
  TestDriver ui;
  char first[21] = "";
  char second[21] = "";
  std::string copied;
  ui.OnNextModal([&](Dialog& d) {
    ui.Type(d, Ccasella::kEdit1Id, "Chimica");
    ui.Click(d, Ccasella::kEdit2Id);
    copied = ui.Text(d, Ccasella::kEdit2Id);
    ui.Type(d, Ccasella::kEdit2Id, "X");
    ui.Click(d, kIdOk);
  });
  EXPECT_EQ(casella_run_input_box("Nome", first, 20, 0, "Breve", second, 20, 0, nullptr, kCasellaPrefillSecond),
            kIdOk);
  EXPECT_EQ(copied, "Chimica");
  EXPECT_STREQ(second, "ChimicaX");
}

TEST(InputBox, PasteTakesAtMostTheFieldsMaximum) {
  TestDriver ui;
  kt::ui::backend().SetClipboardText("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefgh");
  char code[41] = "";
  std::string explanation;
  ui.OnNextModal([&](Dialog& d) {
    explanation = ui.Text(d, Ccasella::kExplanationId);
    ui.Click(d, Ccasella::kPaste1Id);
    ui.Click(d, kIdOk);
  });
  EXPECT_EQ(casella_run_input_box("Codice di accesso", code, 40, 40, nullptr, nullptr, 0, 0, "Spiega",
                                  kCasellaPasteFirst),
            kIdOk);
  EXPECT_STREQ(code, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcd");
  EXPECT_EQ(explanation, "Spiega");
}

// Where each control of an open box lies, in the box's client area.
struct BoxLayout {
  Rect box, label1, edit1, label2, edit2, ok, cancel;
  int label1_lines = 0;
};

BoxLayout open_box_layout(const char* prompt1, const char* prompt2) {
  TestDriver ui;
  BoxLayout layout;
  ui.OnNextModal([&](Dialog& d) {
    layout.box = d.GetClientRect();
    layout.label1 = d.GetDlgItem(Ccasella::kPrompt1Id)->GetRectInParent();
    layout.edit1 = d.GetDlgItem(Ccasella::kEdit1Id)->GetRectInParent();
    layout.label2 = d.GetDlgItem(Ccasella::kPrompt2Id)->GetRectInParent();
    layout.edit2 = d.GetDlgItem(Ccasella::kEdit2Id)->GetRectInParent();
    layout.ok = d.GetDlgItem(kIdOk)->GetRectInParent();
    layout.cancel = d.GetDlgItem(kIdCancel)->GetRectInParent();
    Window* label = d.GetDlgItem(Ccasella::kPrompt1Id);
    layout.label1_lines = int(DeviceContext::BreakLines(backend().metrics(), label->GetFont(),
                                                        label->GetWindowText(), layout.label1.Width(), true)
                                  .size());
    ui.Click(d, kIdCancel);
  });
  char first[41] = "";
  char second[41] = "";
  casella_run_input_box(prompt1, first, 40, 0, prompt2, prompt2 ? second : nullptr, 40, 0, nullptr, 0);
  return layout;
}

// A prompt too long for one line (the home page's cloud access code) shows
// whole: its label holds every line it wraps to, and the field, the second
// item and the buttons move down inside a box grown by as much.
TEST(InputBox, LongPromptShowsWholeAboveTheField) {
  ui_register_toolkit_templates();
  const char* long_prompt =
      "Inserire la password per l'accesso a Cloud (contattare assistenza se non si conosce)";
  BoxLayout plain = open_box_layout("Nuovo Nome della Materia?", "Seconda voce");
  BoxLayout wrapped = open_box_layout(long_prompt, "Seconda voce");
  ASSERT_GE(wrapped.label1_lines, 2);
  EXPECT_EQ(plain.label1_lines, 1);
  const int line = (wrapped.label1.Height()) / wrapped.label1_lines;
  EXPECT_GE(wrapped.label1.Height(), wrapped.label1_lines * line);
  EXPECT_GE(wrapped.edit1.top, wrapped.label1.bottom);
  const int extra = wrapped.edit1.top - plain.edit1.top;
  EXPECT_GT(extra, 0);
  for (auto [moved, before] : {std::pair{wrapped.label2, plain.label2}, std::pair{wrapped.edit2, plain.edit2},
                               std::pair{wrapped.ok, plain.ok}, std::pair{wrapped.cancel, plain.cancel}}) {
    EXPECT_EQ(moved.top, before.top + extra);
    EXPECT_EQ(moved.Height(), before.Height());
  }
  EXPECT_EQ(wrapped.box.Height(), plain.box.Height() + extra);
  EXPECT_LE(wrapped.ok.bottom, wrapped.box.bottom);
  EXPECT_EQ(plain.label1.top, wrapped.label1.top);
}

}  // namespace
