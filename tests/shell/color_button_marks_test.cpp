// The leading marks of a coloured button's caption (state 0) choose its
// colours, each later mark over the earlier, and are left off the caption
// (in every state).
#include <gtest/gtest.h>

#include <vector>

#include "shell/color_button.h"

namespace {

using kt::ui::rgb;

TEST(ColorButtonMarks, LaterMarksOverTheEarlierAndNoneShows) {
  struct Case {
    const char* caption;
    kt::ui::Color background, text;
  } cases[] = {
      {"Testo", rgb(244, 244, 244), rgb(52, 52, 52)},
      {"#Testo", rgb(215, 215, 215), rgb(35, 35, 35)},
      {"#@Testo", rgb(239, 199, 39), rgb(153, 51, 0)},
      {"@#Testo", rgb(223, 228, 159), rgb(0, 0, 0)},
      {"@#@Testo", rgb(198, 202, 151), rgb(0, 0, 0)},
      {"!Testo", rgb(198, 198, 198), rgb(0, 85, 221)},
  };
  for (const Case& c : cases) {
    ColorButtonLook look = color_button_look(0, c.caption, false, kt::ui::kNoColor, kt::ui::kNoColor);
    EXPECT_EQ(look.caption, "Testo") << c.caption;
    EXPECT_EQ(look.background, c.background) << c.caption;
    EXPECT_EQ(look.text, c.text) << c.caption;
    // A state of its own sets the colours; the marks still stay off the caption.
    EXPECT_EQ(color_button_look(10, c.caption, false, kt::ui::kNoColor, kt::ui::kNoColor).caption, "Testo");
  }
}

// "??" makes a help button: light face, grey text and a blue frame, its
// caption led by one "?", in the provisional palette too.
TEST(ColorButtonMarks, HelpButtonsHaveTheirOwnColoursAndFrame) {
  for (bool provisional : {false, true}) {
    ColorButtonLook look = color_button_look(0, "??Aiuto", provisional, kt::ui::kNoColor, kt::ui::kNoColor);
    EXPECT_EQ((std::vector<kt::ui::Color>{look.background, look.text, look.frame}),
              (std::vector<kt::ui::Color>{rgb(244, 244, 244), rgb(64, 64, 64), rgb(159, 204, 250)}));
    EXPECT_EQ(look.caption, "? Aiuto");
  }
}

// States from 1001 on paint a colour of their own: one component steps on
// at a time, so that no button past the first is grey and neighbours never
// look alike; the text is black or white, each component against its own.
TEST(ColorButtonMarks, GeneratedStatesAreNeverGreyAndTheirTextContrasts) {
  using kt::ui::blue_of;
  using kt::ui::green_of;
  using kt::ui::red_of;
  EXPECT_EQ(color_button_generated(1001), rgb(23, 23, 23));
  EXPECT_EQ(color_button_generated(1002), rgb(46, 23, 23));
  kt::ui::Color previous = color_button_generated(1001);
  for (int state = 1002; state < 1400; ++state) {
    kt::ui::Color c = color_button_generated(state);
    EXPECT_FALSE(red_of(c) == green_of(c) && green_of(c) == blue_of(c)) << state;
    EXPECT_NE(c, previous) << state;
    previous = c;
    ColorButtonLook look = color_button_look(state, "Testo", false, kt::ui::kNoColor, kt::ui::kNoColor);
    EXPECT_EQ(look.background, c);
    for (auto part : {red_of, green_of, blue_of})
      EXPECT_EQ(part(look.text), part(c) < 128 ? 255 : 0) << state;
  }
}

}  // namespace
