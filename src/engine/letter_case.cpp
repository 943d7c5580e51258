// Letter classes and case operations over code page 1252 names: the letters
// the engine knows are ASCII, the Italian accented vowels (à è é ì ò ù, which
// keep their case) and the German umlauts (Ä ä Ö ö Ü ü, folded both ways).
// Also the class-name normalisation: "IIIb" -> "IIIB", "1a liceo" -> "1A liceo".
//
// These rules are the engine's own and deliberately narrower than full 1252
// case folding (platform/cp1252.h): names compared by the engine must fold
// exactly as they were folded when the files were written.
#include <cstring>

#include "engine/text_lines.h"

namespace {

constexpr unsigned char kAGrave = 0xE0, kEGrave = 0xE8, kEAcute = 0xE9, kIGrave = 0xEC;
constexpr unsigned char kOGrave = 0xF2, kUGrave = 0xF9;
constexpr unsigned char kAUml = 0xC4, kaUml = 0xE4, kOUml = 0xD6, koUml = 0xF6;
constexpr unsigned char kUUml = 0xDC, kuUml = 0xFC;

bool is_accented_vowel(unsigned char c) {
  return c == kAGrave || c == kEGrave || c == kEAcute || c == kIGrave || c == kOGrave ||
         c == kUGrave;
}

unsigned char fold_lower(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c == kAUml) return kaUml;
  if (c == kOUml) return koUml;
  if (c == kUUml) return kuUml;
  return c;
}

}  // namespace

int or_is_letter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || is_accented_vowel(c) ||
         c == kAUml || c == kaUml || c == kOUml || c == koUml || c == kUUml || c == kuUml;
}

int or_is_alnum(unsigned char c) { return or_is_letter(c) || (c >= '0' && c <= '9'); }

unsigned char or_fold_upper_char(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c == kaUml) return kAUml;
  if (c == koUml) return kOUml;
  if (c == kuUml) return kUUml;
  return c;
}

unsigned char or_fold_name_char(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
  switch (c) {
    case kAUml: return 'A';
    case kOUml: return 'O';
    case kUUml: return 'U';
    case kAGrave: case kaUml: return 'a';
    case kEGrave: case kEAcute: return 'e';
    case kIGrave: return 'i';
    case kOGrave: case koUml: return 'o';
    case kUGrave: case kuUml: return 'u';
    default: return '_';
  }
}

void or_capitalize_words(char* text) {
  bool word_start = true;
  for (char* p = text; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c == ' ') {
      word_start = true;
      continue;
    }
    *p = static_cast<char>(word_start ? or_fold_upper_char(c) : fold_lower(c));
    word_start = false;
  }
}

void or_copy_title_case_to_char_n(char* out, const char* in, char stop, int n) {
  bool after_letter = false;
  int i = 0;
  for (; in[i] && in[i] != stop && (n < 0 || i < n); ++i) {
    unsigned char c = static_cast<unsigned char>(in[i]);
    bool letter = or_is_letter(c);
    if (letter && !is_accented_vowel(c))
      c = after_letter ? fold_lower(c) : or_fold_upper_char(c);
    out[i] = static_cast<char>(c);
    after_letter = letter;
  }
  out[i] = '\0';
}

void or_copy_title_case_to_char(char* out, const char* in, char stop) {
  or_copy_title_case_to_char_n(out, in, stop, -1);
}

void or_title_case(char* out, const char* in) { or_copy_title_case_to_char_n(out, in, '\0', -1); }

int or_normalize_class_name(char* out, const char* in) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>(in);
  int year = 0;
  if (s[0] >= '0' && s[0] <= '9') {
    year = 1;
  } else if (s[0] == 'I' || s[0] == 'V') {
    static const char* const kRoman[] = {"III", "II", "IV", "I", "V"};
    for (const char* r : kRoman) {
      std::size_t len = std::strlen(r);
      if (std::strncmp(in, r, len) == 0) {
        year = static_cast<int>(len);
        break;
      }
    }
  }
  if (!out) return year;
  std::size_t i = 0;
  for (; s[i]; ++i) {
    unsigned char c = s[i];
    if (year == 0)
      c = i == 0 ? or_fold_upper_char(c) : c;
    else
      c = static_cast<int>(i) <= year ? or_fold_upper_char(c) : fold_lower(c);
    out[i] = static_cast<char>(c);
  }
  out[i] = '\0';
  return year;
}
