// Paths of the shell that a planted fault once passed unseen: the prefix
// match of a caption preferring the row nearest in length; a coloured static
// taking a new text colour.
#include <gtest/gtest.h>

#include <string>

#include "shell/caption_translation.h"
#include "shell/coloured_texts.h"
#include "shell_test_support.h"

namespace {

TEST(ShellFaults, PrefixMatchPrefersTheRowNearestInLength) {
  const MlText rows[] = {
      {"Salva", "Speichern", "Save"},
      {"Salva tutto", "Alles speichern", "Save all"},
      {"Salva tutto adesso e subito", "Jetzt alles speichern", "Save all now"},
      {nullptr, nullptr, nullptr},
  };
  kt_shell_test::LanguageScope english(2);
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {{"Salva tut", "Save all"}, {"Salv", "Save"}, {"Salva tutto adesso", "Save all"}};
  for (const Case& c : cases) EXPECT_EQ(ui_translate_caption_copy(c.text, rows), c.expected) << c.text;
}

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
