// The leading marks of a coloured button's caption (state 0) choose its
// colours, each later mark over the earlier, and are left off the caption
// (in every state); the provisional palette; the colours of each state the
// pages give, and the generated ones from 1001 on.
#include <gtest/gtest.h>

#include <vector>

#include "shell/color_button.h"

namespace {

using kt::ui::color_name;
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

// The provisional timetable's palette: yellowish faces and black text for
// every mark but the help buttons'.
TEST(ColorButtonMarks, TheProvisionalPaletteHasItsOwnFaces) {
  struct Case {
    const char* caption;
    kt::ui::Color background, text;
  } cases[] = {
      {"Testo", rgb(223, 228, 159), rgb(0, 0, 0)},     {"#Testo", rgb(198, 202, 151), rgb(0, 0, 0)},
      {"#@Testo", rgb(239, 199, 39), rgb(153, 51, 0)}, {"@#Testo", rgb(223, 228, 159), rgb(0, 0, 0)},
      {"!Testo", rgb(198, 202, 151), rgb(0, 0, 0)},
  };
  for (const Case& c : cases) {
    ColorButtonLook look = color_button_look(0, c.caption, true, kt::ui::kNoColor, kt::ui::kNoColor);
    EXPECT_EQ(look.caption, "Testo") << c.caption;
    EXPECT_EQ(color_name(look.background), color_name(c.background)) << c.caption;
    EXPECT_EQ(color_name(look.text), color_name(c.text)) << c.caption;
  }
}

// The states the pages give their buttons, each with its face and text: the
// warnings in red, the neutral whites and greys, the solid bars whose frame
// and text take the face's colour; a state without colours keeps the
// button's previous ones.
TEST(ColorButtonMarks, EachStateShowsItsColours) {
  using kt::ui::Color;
  const Color white = rgb(255, 255, 255), black = rgb(0, 0, 0);
  struct Case {
    int state;
    Color background, text;
    bool solid;
  } cases[] = {
      {1, rgb(225, 0, 0), white, false},        {2, white, black, false},
      {3, rgb(255, 85, 99), black, false},      {4, rgb(192, 192, 192), black, false},
      {5, rgb(239, 199, 39), rgb(153, 51, 0), false}, {6, rgb(165, 0, 33), white, false},
      {7, white, black, false},                 {8, white, rgb(255, 0, 0), false},
      {10, black, black, false},                {12, rgb(255, 128, 0), black, false},
      {13, white, rgb(0, 51, 153), false},      {41, rgb(176, 176, 176), white, false},
      {51, rgb(233, 244, 123), black, false},   {52, rgb(246, 194, 81), black, false},
      {91, rgb(223, 228, 159), rgb(223, 228, 159), false}, {92, rgb(160, 160, 160), white, false},
      {93, rgb(224, 224, 224), white, false},   {101, rgb(255, 204, 0), rgb(255, 204, 0), true},
      {102, rgb(170, 0, 0), rgb(170, 0, 0), true}, {103, rgb(0, 51, 153), rgb(0, 51, 153), true},
      {104, rgb(165, 0, 33), rgb(165, 0, 33), true}, {105, rgb(242, 170, 15), rgb(242, 170, 15), true},
  };
  const Color before_back = rgb(1, 2, 3), before_text = rgb(4, 5, 6);
  for (const Case& c : cases) {
    ColorButtonLook look = color_button_look(c.state, "#Testo", false, before_back, before_text);
    EXPECT_EQ(color_name(look.background), color_name(c.background)) << c.state;
    EXPECT_EQ(color_name(look.text), color_name(c.text)) << c.state;
    EXPECT_EQ(look.solid, c.solid) << c.state;
    if (c.solid) {
      EXPECT_EQ(color_name(look.frame), color_name(c.background)) << c.state;
    }
  }
  ColorButtonLook white_face = color_button_look(11, "Testo", false, before_back, before_text);
  EXPECT_EQ(color_name(white_face.background), color_name(white));
  EXPECT_EQ(color_name(white_face.text), color_name(before_text));
  ColorButtonLook shared = color_button_look(9, "Testo", false, before_back, before_text);
  EXPECT_EQ(shared.background, g_color_button_shared_color);
  EXPECT_EQ(shared.text, g_color_button_shared_color);
  for (int unknown : {14, 500, 1000}) {
    ColorButtonLook kept = color_button_look(unknown, "Testo", false, before_back, before_text);
    EXPECT_EQ(kept.background, before_back) << unknown;
    EXPECT_EQ(kept.text, before_text) << unknown;
  }
}

}  // namespace
