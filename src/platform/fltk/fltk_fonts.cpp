// Fonts and text metrics of the FLTK backend. Every face the dialogs name
// maps onto one of three families of a fixed set (sans, serif, mono, each
// with bold and italic), so a dialog looks the same on every machine that
// has the Liberation fonts (installed with the program's dependencies):
// they keep the widths of the faces the dialogs were drawn with. The point
// size becomes 5/4 of itself in pixels: 8 points give 10 pixels, whose
// dialog base units are the 6x13 the templates were laid out for.
//
// Widths come from a table of the 256 code page 1252 characters per font
// and size, built on first use: text of 1252 bytes is measured by summing,
// which is what the screen draws since the faces are not kerned. Measuring
// runs for every line break and list column, so it must not ask the server.
#include <FL/fl_draw.H>

#include <cctype>
#include <cmath>
#include <string>

#include "platform/cp1252.h"
#include "platform/fltk/fltk_internal.h"

namespace kt::ui {

namespace {

bool contains_ignoring_case(std::string_view text, std::string_view word) {
  if (word.size() > text.size()) return false;
  for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < word.size() && std::tolower(static_cast<unsigned char>(text[i + k])) == word[k]) ++k;
    if (k == word.size()) return true;
  }
  return false;
}

}  // namespace

FlFont fl_font_for(const Font& font) {
  int base = FL_HELVETICA;
  const std::string& f = font.face;
  if (contains_ignoring_case(f, "courier") || contains_ignoring_case(f, "mono") ||
      contains_ignoring_case(f, "fixed") || contains_ignoring_case(f, "terminal"))
    base = FL_COURIER;
  else if (contains_ignoring_case(f, "times") || (contains_ignoring_case(f, "serif") && !contains_ignoring_case(f, "sans")))
    base = FL_TIMES;
  int points = font.points > 0 ? font.points : 8;
  return {base + (font.bold ? FL_BOLD : 0) + (font.italic ? FL_ITALIC : 0), std::max(6, (points * 5 + 2) / 4)};
}

void install_font_set() {
  // The first character is the style FLTK asks fontconfig for: ' ' plain,
  // 'B' bold, 'I' italic, 'P' bold italic.
  static const char* const kNames[12] = {
      " Liberation Sans",   "BLiberation Sans",   "ILiberation Sans",   "PLiberation Sans",
      " Liberation Mono",   "BLiberation Mono",   "ILiberation Mono",   "PLiberation Mono",
      " Liberation Serif",  "BLiberation Serif",  "ILiberation Serif",  "PLiberation Serif"};
  for (int i = 0; i < 12; ++i) Fl::set_font(Fl_Font(i), kNames[i]);
}

const FltkMetrics::Table& FltkMetrics::TableFor(const Font& font) const {
  FlFont f = fl_font_for(font);
  auto key = std::make_tuple(f.face, f.size);
  auto it = tables_.find(key);
  if (it != tables_.end()) return it->second;
  Table t;
  fl_font(f.face, f.size);
  for (int b = 0x20; b < 256; ++b) {
    std::string utf8 = cp1252_to_utf8(std::string(1, char(b)));
    t.width[std::size_t(b)] = float(fl_width(utf8.c_str(), int(utf8.size())));
  }
  t.width['\t'] = t.width[' '];
  t.height = fl_height();
  return tables_.emplace(key, t).first->second;
}

int FltkMetrics::TextWidth(const Font& font, std::string_view text) const {
  const Table& t = TableFor(font);
  double sum = 0;
  for (char ch : text) sum += t.width[static_cast<unsigned char>(ch)];
  return int(std::lround(sum));
}

int FltkMetrics::LineHeight(const Font& font) const { return TableFor(font).height; }

}  // namespace kt::ui
