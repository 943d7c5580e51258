// The input box run headless: names are cleaned and cut, a text below
// the minimum shows the minimum-length message and keeps the box open with
// the cleaned text, cancel after a refused attempt keeps the cleaned buffer
// and cancel without one leaves it. (The program asks one name at a time:
// the second field, check box, prefill and paste modes are not used.)
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/cp1252.h"
#include "platform/test_driver.h"
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

}  // namespace
