// What the screen backend hands the core from FLTK without a display: each
// key as the core's key code (letters in upper case, digits as themselves,
// the keypad's digits, the function keys in order, the editing and moving
// keys; keys without a code dropped), the modifier bits, and the face and
// pixel size a font of the pages is drawn with.
#include <gtest/gtest.h>

#include "platform/fltk/fltk_internal.h"

namespace kt::ui {
namespace {

TEST(FltkKeys, EachKeyGivesTheCoresCode) {
  const struct {
    int fl;
    int core;
  } cases[] = {{'a', 'A'},           {'z', 'Z'},          {'Q', 'Q'},         {'0', '0'},
               {'9', '9'},           {FL_F + 1, kVkF1},   {FL_F + 12, kVkF1 + 11}, {FL_F + 13, 0},
               {FL_KP + '0', 0x60},  {FL_KP + '9', 0x69}, {FL_BackSpace, kVkBack}, {FL_Tab, kVkTab},
               {FL_Enter, kVkReturn}, {FL_KP_Enter, kVkReturn}, {FL_Escape, kVkEscape}, {' ', kVkSpace},
               {FL_Page_Up, kVkPrior}, {FL_Page_Down, kVkNext}, {FL_End, kVkEnd},   {FL_Home, kVkHome},
               {FL_Left, kVkLeft},   {FL_Up, kVkUp},      {FL_Right, kVkRight},  {FL_Down, kVkDown},
               {FL_Insert, kVkInsert}, {FL_Delete, kVkDelete}, {FL_Shift_L, kVkShift}, {FL_Shift_R, kVkShift},
               {FL_Control_L, kVkControl}, {FL_Control_R, kVkControl}, {FL_Alt_L, 0}, {'-', 0}};
  for (const auto& c : cases) EXPECT_EQ(core_key_for(c.fl), c.core) << c.fl;
}

TEST(FltkKeys, ModifierStatesGiveTheCoresBits) {
  EXPECT_EQ(core_mods(0), 0u);
  EXPECT_EQ(core_mods(FL_SHIFT), kModShift);
  EXPECT_EQ(core_mods(FL_CTRL), kModControl);
  EXPECT_EQ(core_mods(FL_ALT), kModAlt);
  EXPECT_EQ(core_mods(FL_SHIFT | FL_CTRL | FL_ALT | FL_CAPS_LOCK), kModShift | kModControl | kModAlt);
}

// Sans faces by default, Courier for fixed-pitch names, Times for serif
// ones; bold and italic added; 5/4 of the points, 6 pixels at least.
TEST(FltkFonts, FacesAndSizesOfThePagesFonts) {
  const struct {
    const char* face;
    int points;
    bool bold, italic;
    int fl_face, size;
  } cases[] = {{"MS Sans Serif", 8, false, false, FL_HELVETICA, 10},
               {"Arial", 10, true, false, FL_HELVETICA + FL_BOLD, 13},
               {"Courier New", 9, false, true, FL_COURIER + FL_ITALIC, 11},
               {"Lucida MONO", 8, false, false, FL_COURIER, 10},
               {"Fixedsys", 8, false, false, FL_COURIER, 10},
               {"Terminal", 8, false, false, FL_COURIER, 10},
               {"Times New Roman", 12, true, true, FL_TIMES + FL_BOLD + FL_ITALIC, 15},
               {"Serif", 8, false, false, FL_TIMES, 10},
               {"Small", 2, false, false, FL_HELVETICA, 6},
               {"Default", 0, false, false, FL_HELVETICA, 10}};
  for (const auto& c : cases) {
    Font font;
    font.face = c.face;
    font.points = c.points;
    font.bold = c.bold;
    font.italic = c.italic;
    FlFont f = fl_font_for(font);
    EXPECT_EQ(f.face, c.fl_face) << c.face;
    EXPECT_EQ(f.size, c.size) << c.face;
  }
}

}  // namespace
}  // namespace kt::ui
