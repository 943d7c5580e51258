// Code page 1252 conversions and case folding; see cp1252.h. Folding tables
// are built once from the conversion table, so the letters with accents fold
// the same way everywhere (sorting, caption look-up, keyword matching).
#include "platform/cp1252.h"


namespace kt {
namespace {

struct FoldTables {
  unsigned char upper[256];
  unsigned char lower[256];
  FoldTables() {
    for (int b = 0; b < 256; ++b) upper[b] = lower[b] = static_cast<unsigned char>(b);
    for (int b = 'a'; b <= 'z'; ++b) {
      upper[b] = static_cast<unsigned char>(b - 32);
      lower[b - 32] = static_cast<unsigned char>(b);
    }
    // Latin-1 letters: 0xE0-0xFE fold to 0xC0-0xDE, except the division sign.
    for (int b = 0xE0; b <= 0xFE; ++b) {
      if (b == 0xF7) continue;
      upper[b] = static_cast<unsigned char>(b - 32);
      lower[b - 32] = static_cast<unsigned char>(b);
    }
    auto pair = [this](int lo, int up) {
      upper[lo] = static_cast<unsigned char>(up);
      lower[up] = static_cast<unsigned char>(lo);
    };
    pair(0x9A, 0x8A);  // š Š
    pair(0x9C, 0x8C);  // œ Œ
    pair(0x9E, 0x8E);  // ž Ž
    pair(0xFF, 0x9F);  // ÿ Ÿ
  }
};

const FoldTables& folds() {
  static const FoldTables t;
  return t;
}

}  // namespace

void append_utf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string utf8_to_cp1252(std::string_view utf8, bool* ok) {
  std::string out;
  out.reserve(utf8.size());
  if (ok) *ok = true;
  std::size_t i = 0;
  while (i < utf8.size()) {
    int b = unicode_to_cp1252(decode_utf8(utf8, i));
    if (b < 0) {
      b = '?';
      if (ok) *ok = false;
    }
    out += static_cast<char>(b);
  }
  return out;
}

std::string cp1252_to_utf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (unsigned char c : text) append_utf8(out, cp1252_to_unicode(c));
  return out;
}

unsigned char cp1252_upper(unsigned char c) { return folds().upper[c]; }
unsigned char cp1252_lower(unsigned char c) { return folds().lower[c]; }

int cp1252_ncasecmp(const char* a, const char* b, std::size_t n) {
  const FoldTables& f = folds();
  for (std::size_t i = 0; i < n; ++i) {
    int ca = f.upper[static_cast<unsigned char>(a[i])];
    int cb = f.upper[static_cast<unsigned char>(b[i])];
    if (ca != cb) return ca - cb;
    if (ca == 0) return 0;
  }
  return 0;
}

int cp1252_casecmp(const char* a, const char* b) {
  return cp1252_ncasecmp(a, b, static_cast<std::size_t>(-1));
}

void cp1252_make_upper(char* s) {
  const FoldTables& f = folds();
  for (; *s; ++s) *s = static_cast<char>(f.upper[static_cast<unsigned char>(*s)]);
}

std::string cp1252_upper_copy(std::string text) {
  const FoldTables& f = folds();
  for (char& c : text) c = static_cast<char>(f.upper[static_cast<unsigned char>(c)]);
  return text;
}

}  // namespace kt
