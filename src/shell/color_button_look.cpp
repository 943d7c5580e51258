// The colour states of CColorButton (see color_button.h): a pure function of
// the state, the caption and the provisional palette, so the table is
// tested without windows. The caption marks are interpreted on the copy
// this function returns; the stored caption stays as it was set. It runs
// on every paint of every coloured button (84 per week grid), so it only
// copies the caption once and looks at its first few characters.
#include "platform/cp1252.h"
#include "shell/color_button.h"

using namespace kt::ui;

Color g_color_button_shared_color = rgb(223, 228, 159);

namespace {

constexpr Color kBlack = rgb(0, 0, 0);
constexpr Color kWhite = rgb(255, 255, 255);

bool is_mark(char c) { return c == '#' || c == '@' || c == '?' || c == '!'; }

// State 0: the caption's leading marks choose the colours and are skipped.
void look_from_marks(ColorButtonLook& look, bool provisional) {
  std::string& s = look.caption;
  std::size_t at = 0;
  if (!s.empty() && s[0] == '!') {
    look.background = provisional ? rgb(198, 202, 151) : rgb(198, 198, 198);
    look.text = provisional ? kBlack : rgb(0, 85, 221);
    look.caption = s.substr(1);
    return;
  }
  if (s.empty() || (s[0] != '?' && s[0] != '#' && s[0] != '@')) {
    look.background = provisional ? rgb(223, 228, 159) : rgb(244, 244, 244);
    look.text = provisional ? kBlack : rgb(52, 52, 52);
    return;
  }
  bool help_colours = s.size() > 1 && s[1] == '?';
  if (help_colours) {
    look.background = rgb(244, 244, 244);
    look.text = rgb(64, 64, 64);
    look.frame = rgb(159, 204, 250);
    s[0] = s[1];
    s[1] = ' ';
  } else {
    look.background = provisional ? rgb(198, 202, 151) : rgb(215, 215, 215);
    look.text = provisional ? kBlack : rgb(35, 35, 35);
  }
  if (at < s.size() && s[at] == '#') ++at;
  if (at < s.size() && s[at] == '@') {
    look.background = rgb(239, 199, 39);
    if (!help_colours) look.text = rgb(153, 51, 0);
    ++at;
  }
  if (at < s.size() && s[at] == '#') {
    look.background = rgb(223, 228, 159);
    look.text = kBlack;
    ++at;
  }
  if (at < s.size() && s[at] == '@') {
    look.background = rgb(198, 202, 151);
    look.text = kBlack;
    ++at;
  }
  s.erase(0, at);
}

}  // namespace

Color color_button_generated(int state) {
  int c[3] = {23, 23, 23};
  for (int step = 0; step < state - 1001; ++step) {
    int k = step % 3;
    c[k] = (c[k] + 23) & 0xFF;
    if (c[k] == c[(k + 1) % 3] && c[k] == c[(k + 2) % 3]) c[k] = (c[k] + 23) & 0xFF;
  }
  return rgb(c[0], c[1], c[2]);
}

Color color_button_generated_text(Color background) {
  return rgb(red_of(background) < 128 ? 255 : 0, green_of(background) < 128 ? 255 : 0,
             blue_of(background) < 128 ? 255 : 0);
}

ColorButtonLook color_button_look(int state, std::string_view caption, bool provisional, Color previous_background,
                                  Color previous_text) {
  ColorButtonLook look;
  look.caption = std::string(caption);
  look.background = previous_background;
  look.text = previous_text;
  if (state == 0) {
    look_from_marks(look, provisional);
    return look;
  }
  std::size_t marks = 0;
  while (marks < look.caption.size() && is_mark(look.caption[marks])) ++marks;
  look.caption.erase(0, marks);
  auto pair = [&](Color back, Color text) {
    look.background = back;
    look.text = text;
  };
  auto solid = [&](Color c) {
    pair(c, c);
    look.frame = c;
    look.solid = true;
  };
  switch (state) {
    case 1: pair(rgb(225, 0, 0), kWhite); break;
    case 2: case 7: pair(kWhite, kBlack); break;
    case 3: pair(rgb(255, 85, 99), kBlack); break;
    case 4: pair(rgb(192, 192, 192), kBlack); break;
    case 5: pair(rgb(239, 199, 39), rgb(153, 51, 0)); break;
    case 6: pair(rgb(165, 0, 33), kWhite); break;
    case 8: pair(kWhite, rgb(255, 0, 0)); break;
    case 9: pair(g_color_button_shared_color, g_color_button_shared_color); break;
    case 10: pair(kBlack, kBlack); break;
    case 11: look.background = kWhite; break;
    case 12: pair(rgb(255, 128, 0), kBlack); break;
    case 13: pair(kWhite, rgb(0, 51, 153)); break;
    case 41: pair(rgb(176, 176, 176), kWhite); break;
    case 51: pair(rgb(233, 244, 123), kBlack); break;
    case 52: pair(rgb(246, 194, 81), kBlack); break;
    case 91: pair(rgb(223, 228, 159), rgb(223, 228, 159)); break;
    case 92: pair(rgb(160, 160, 160), kWhite); break;
    case 93: pair(rgb(224, 224, 224), kWhite); break;
    case 101: solid(rgb(255, 204, 0)); break;
    case 102: solid(rgb(170, 0, 0)); break;
    case 103: solid(rgb(0, 51, 153)); break;
    case 104: solid(rgb(165, 0, 33)); break;
    case 105: solid(rgb(242, 170, 15)); break;
    default:
      if (state >= 1001) {
        look.background = color_button_generated(state);
        look.text = color_button_generated_text(look.background);
      }
      break;
  }
  return look;
}
