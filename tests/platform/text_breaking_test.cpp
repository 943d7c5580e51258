// How text breaks into lines to a width (labels, buttons, multi-line
// fields): at the last blank that fits, the blanks after the break dropped; a
// word longer than the width cut letter by letter; a width narrower than one
// letter still gives a letter a line; line ends of either kind kept; and
// without breaking, only the line ends count. Headless letters are 6 pixels
// (i and l 3, m and w 9), so a width of 30 holds five. Also a caption's
// ampersands, shortcut marks or doubled to show one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/device_context.h"
#include "platform/display_list.h"
#include "platform/ui_backend.h"

namespace kt::ui {
namespace {

std::string broken(std::string_view text, int width, bool wrap = true) {
  HeadlessMetrics m;
  Font f;
  std::string out;
  for (std::string_view line : DeviceContext::BreakLines(m, f, text, width, wrap)) {
    if (!out.empty()) out += "|";
    out += std::string(line);
  }
  return out;
}

TEST(TextBreaking, LinesBreakAtBlanksAndLongWordsByLetters) {
  struct Case {
    const char* text;
    int width;
    const char* lines;
  } cases[] = {
      {"ab cd", 30, "ab cd"},
      {"ab cde", 30, "ab|cde"},
      {"abcdefghij", 30, "abcde|fghij"},            // no blank: cut where the width ends
      {"abcdefghijk", 30, "abcde|fghij|k"},
      {"ab cdefghijkl", 30, "ab|cdefg|hijkl"},
      {" abcdefg", 30, " abcd|efg"},                // a blank in front is no place to break
      {"abcd   efgh", 30, "abcd |efgh"},            // the blanks past the break go
      {"abc", 4, "a|b|c"},                          // narrower than a letter
      {"Ore di servizio", 60, "Ore di|servizio"},
      {"a\r\nb\nc", 30, "a|b|c"},
      {"riga uno\r\n\r\nfine", 200, "riga uno||fine"},
      {"", 30, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(broken(c.text, c.width), c.lines) << c.text << " in " << c.width;
  // Without breaking, only the line ends count.
  EXPECT_EQ(broken("abcdefghij kl\r\nmn", 30, false), "abcdefghij kl|mn");
  EXPECT_EQ(broken("abcdefghij", 0), "abcdefghij") << "no width: no breaking";
}

// A caption's ampersands: one marks the next letter as the shortcut and is
// not shown, two show one, wherever they stand; without prefixes all show.
TEST(TextBreaking, AmpersandsMarkShortcutsOrShowDoubled) {
  DisplayList out;
  HeadlessMetrics m;
  DeviceContext dc(out, m, {0, 0}, {0, 0, 300, 100}, {}, 0);
  struct Case {
    const char* caption;
    const char* shown;
  } cases[] = {
      {"&Salva", "Salva"},       {"Sal&va", "Salva"},        {"Ore && minuti", "Ore & minuti"},
      {"100&&", "100&"},         {"Fine&", "Fine"},          {"a&&&b", "a&b"},
      {"&&&&", "&&"},            {"&", ""},                  {"senza", "senza"},
  };
  for (const Case& c : cases) {
    out.Clear();
    Rect r{0, 0, 300, 20};
    dc.DrawText(c.caption, r, kDtSingleLine);
    std::string shown;
    for (const DrawItemOp& op : out.ops())
      if (op.op == DrawOp::kText) shown += op.text;
    EXPECT_EQ(shown, c.shown) << c.caption;
    out.Clear();
    dc.DrawText(c.caption, r, kDtSingleLine | kDtNoPrefix);
    shown.clear();
    for (const DrawItemOp& op : out.ops())
      if (op.op == DrawOp::kText) shown += op.text;
    EXPECT_EQ(shown, c.caption) << "no prefixes: " << c.caption;
  }
}

}  // namespace
}  // namespace kt::ui
