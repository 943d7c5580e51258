// Clipboard: a paste through the backend, into a short buffer cut and
// terminated, and an empty clipboard leaving the buffer alone.
#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "platform/test_driver.h"
#include "shell/clipboard.h"

namespace {

using namespace kt::ui;

TEST(ChooserClipboard, PasteThroughTheBackend) {
  TestDriver ui;
  char buffer[32] = "prima";
  EXPECT_EQ(ui_paste_text_from_clipboard(buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "prima");  // empty clipboard
  backend().SetClipboardText("Qualità 3A"_cp);
  EXPECT_EQ(ui_paste_text_from_clipboard(buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "Qualità 3A"_cp);
  char small[5];
  EXPECT_EQ(ui_paste_text_from_clipboard(small, sizeof small), 0);
  EXPECT_STREQ(small, "Qual");
  EXPECT_EQ(ui_paste_text_from_clipboard(small, 0), -1);
}

}  // namespace
