// Code page 1252 text: the program keeps every text as 1252 bytes, exactly as
// its files store them, and converts to UTF-8 only at the edges (screen,
// terminal, file names on disk). This header holds the one conversion table
// of the project, the 1252 case-folding used by every comparison, and a
// compile-time conversion for source literals: "Attività"_cp yields the 1252
// bytes, and a literal with a character 1252 cannot hold does not compile.
//
// The five bytes that 1252 leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) map to
// the C1 control characters of the same value, so all 256 bytes round-trip.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kt {

// Unicode code point of each byte 0x80..0x9F; 0xA0..0xFF equal their value.
inline constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t cp1252_to_unicode(unsigned char b) {
  return (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : char32_t(b);
}

// Returns the 1252 byte for a code point, or -1 when 1252 cannot hold it.
constexpr int unicode_to_cp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return int(cp);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == cp) return 0x80 + i;
  return -1;
}

// Decodes one UTF-8 sequence at s[i]; advances i. Returns U+FFFD on a bad
// sequence (one byte consumed), so a stray byte never swallows its neighbours.
constexpr char32_t decode_utf8(std::string_view s, std::size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
  if (extra < 0 || i + extra >= s.size() + (extra == 0 ? 1 : 0)) {
    ++i;
    return extra == 0 ? c : 0xFFFD;
  }
  char32_t cp = extra == 0 ? c : (c & (0x3F >> extra));
  for (int k = 1; k <= extra; ++k) {
    unsigned char cc = static_cast<unsigned char>(s[i + k]);
    if ((cc & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (cc & 0x3F);
  }
  i += extra + 1;
  return cp;
}

// One Unicode code point appended to `out` as UTF-8.
void append_utf8(std::string& out, char32_t cp);
// UTF-8 -> 1252. A character 1252 cannot hold becomes '?' and clears *ok.
std::string utf8_to_cp1252(std::string_view utf8, bool* ok = nullptr);
// 1252 -> UTF-8; never fails.
std::string cp1252_to_utf8(std::string_view text);

// Case folding over 1252 letters (accented ones included), never the C locale.
unsigned char cp1252_upper(unsigned char c);
unsigned char cp1252_lower(unsigned char c);
// strcmp/strncmp ignoring case, by 1252 upper case.
int cp1252_casecmp(const char* a, const char* b);
int cp1252_ncasecmp(const char* a, const char* b, std::size_t n);
void cp1252_make_upper(char* s);
// The same folding over a whole string, returned as a new one.
std::string cp1252_upper_copy(std::string text);

// Compile-time literal conversion.
template <std::size_t N>
struct Utf8Literal {
  char text[N]{};
  consteval Utf8Literal(const char (&s)[N]) {
    for (std::size_t i = 0; i < N; ++i) text[i] = s[i];
  }
};

template <Utf8Literal L>
consteval auto convert_literal() {
  constexpr std::size_t n = sizeof(L.text);
  std::array<char, n> out{};
  std::string_view in(L.text, n - 1);
  std::size_t i = 0, o = 0;
  while (i < in.size()) {
    int b = unicode_to_cp1252(decode_utf8(in, i));
    if (b < 0) throw "literal holds a character that code page 1252 cannot hold";
    out[o++] = static_cast<char>(b);
  }
  return out;
}

template <Utf8Literal L>
inline constexpr auto kCp1252Literal = convert_literal<L>();

}  // namespace kt

// "Qualità"_cp: the literal's bytes in code page 1252, in static storage.
template <kt::Utf8Literal L>
constexpr const char* operator""_cp() {
  return kt::kCp1252Literal<L>.data();
}
