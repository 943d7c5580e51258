// A path of the shell that a planted fault once passed unseen: a coloured
// static taking a new text colour.
#include <gtest/gtest.h>

#include <string>

#include "shell/coloured_texts.h"
#include "shell_test_support.h"

namespace {

TEST(ShellFaults, ColourValuesTakeTheTextAndTheBackground) {
  CMuto text(0x000000, 0xFFFFFF);
  text.SetColorValues(0x0000FF, kt::ui::kNoColor);
  EXPECT_EQ(text.TextColor(), 0x0000FFu);
  EXPECT_EQ(text.BackgroundColor(), 0xFFFFFFu);
  text.SetColorValues(kt::ui::kNoColor, 0x00FF00);
  EXPECT_EQ(text.TextColor(), 0x0000FFu);
  EXPECT_EQ(text.BackgroundColor(), 0x00FF00u);
}

}  // namespace
