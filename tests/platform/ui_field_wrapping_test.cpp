// Where a multi-line field breaks its words: at the inner edge of its frame
// (3 pixels in on each side), to the pixel, and, once its lines no longer
// fit and the vertical bar shows, at the bar's edge less 2 pixels; a field
// that scrolls sideways never breaks. With the headless widths every letter
// here is 6 pixels and a blank too.
#include <gtest/gtest.h>

#include <string>

#include "platform/controls/edit.h"
#include "platform/dialog.h"
#include "platform/test_driver.h"

namespace kt::ui {
namespace {

class FieldWrapping : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateParams p;
    p.style = kWsPopup | kWsVisible;
    p.rect = {0, 0, 400, 300};
    ASSERT_TRUE(page.CreateEx(p));
  }
  // A field of the given size and style showing the text: the lines drawn
  // (a line cut by the bottom edge too).
  std::string Lines(int width, int height, std::uint32_t style, const std::string& text) {
    Edit field;
    CreateParams p;
    p.class_name = "Edit";
    p.style = kEsMultiLine | style | kWsChild | kWsVisible;
    p.rect = {10, 10, 10 + width, 10 + height};
    p.parent = &page;
    p.id = 77;
    EXPECT_TRUE(field.CreateEx(p));
    field.SetWindowText(text);
    std::string shown = ui.Render(page).TextsOf(77);
    field.DestroyWindow();
    return shown;
  }
  TestDriver ui;
  Window page;
};

TEST_F(FieldWrapping, WordsBreakAtTheInnerEdgeToThePixel) {
  const std::string words = "aaaa aaaa aaaa";  // 24, 54 and 84 pixels
  struct Case {
    int width;
    const char* lines;
  } cases[] = {
      {60, "aaaa aaaa|aaaa"},   // 54 pixels inside: two words fit exactly
      {59, "aaaa|aaaa|aaaa"},   // one pixel less: one word a line
      {90, "aaaa aaaa aaaa"},   // 84 inside: all three
      {89, "aaaa aaaa|aaaa"},
  };
  for (const Case& c : cases) EXPECT_EQ(Lines(c.width, 200, 0, words), c.lines) << c.width;
  // A field that scrolls sideways keeps its lines whole.
  EXPECT_EQ(Lines(30, 200, kEsAutoHScroll, words), words);
  // Lines of their own stay apart, however wide the field.
  EXPECT_EQ(Lines(300, 200, 0, "aaaa\r\naaaa aaaa"), "aaaa|aaaa aaaa");
}

TEST_F(FieldWrapping, TheBarTakesItsWidthFromTheText) {
  // Eight words in a field 40 pixels high (36 inside, two lines of 13):
  // the lines overflow, the bar shows and the text keeps 76 - 22 = 54
  // pixels, two words a line; one pixel narrower, one word a line.
  // The third line shows cut by the bottom edge.
  const std::string words = "aaaa aaaa aaaa aaaa aaaa aaaa aaaa aaaa";
  EXPECT_EQ(Lines(76, 40, kWsVScroll, words), "aaaa aaaa|aaaa aaaa|aaaa aaaa");
  EXPECT_EQ(Lines(75, 40, kWsVScroll, words), "aaaa|aaaa|aaaa");
  // Tall enough for its lines, the field shows no bar and keeps its width.
  EXPECT_EQ(Lines(60, 200, kWsVScroll, "aaaa aaaa aaaa"), "aaaa aaaa|aaaa");
  // Without the bar style the lines overflow below at the full width.
  EXPECT_EQ(Lines(60, 40, 0, words), "aaaa aaaa|aaaa aaaa|aaaa aaaa");
}

}  // namespace
}  // namespace kt::ui
