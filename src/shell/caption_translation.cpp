// Caption normalisation and lookup (see caption_translation.h). Case is
// folded for the letters A to Z only: the keys are Italian texts in which an
// accented letter is a different word ("è" is not "e", nor "È" a match for
// "è"), so the program's full 1252 folding would find rows it should not.
// Normalising writes into the caption it is given; callers that hold a text
// they must not change go through ui_translate_caption_copy.
#include "shell/caption_translation.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

char fold(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

bool equal_folded(const char* a, const char* b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}

// The nearest pass joins a caption to a key only where one adds to the
// other a tail no longer than what they share, at a word's end, and the
// shared part is more than a short word: "Sa" is not "Salva", "Cancel" not
// "Cancella", "<--" not "<-- Togli", while a caption with a trailing blank or
// colon still finds its key.
bool close_enough(const char* a, std::size_t la, const char* b, std::size_t lb) {
  constexpr std::size_t kShortest = 4;
  const char* longer = la >= lb ? a : b;
  std::size_t shorter = la < lb ? la : lb, longest = la < lb ? lb : la;
  if (shorter < kShortest || longest - shorter > shorter) return false;
  auto letter = [](char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u >= 0xC0;
  };
  return !letter(longer[shorter]) || !letter(longer[shorter - 1]);
}

// A key as the caption it stands for reads once normalised: a template
// caption that lines its second line up with blanks (page 15's first
// option) loses those blanks before the lookup.
std::string normalized_key(const char* key) {
  std::string copy(key);
  ui_normalize_caption(copy.data());
  copy.resize(std::strlen(copy.c_str()));
  return copy;
}

}  // namespace

void ui_normalize_caption(char* text) {
  if (!text || !*text) return;
  // Runs of blanks become one blank; the first character always stays.
  std::size_t out = 1;
  for (std::size_t in = 1; text[in]; ++in) {
    if (text[in] == ' ' && text[out - 1] == ' ') continue;
    text[out++] = text[in];
  }
  text[out] = '\0';
  // A blank right after a vertical bar goes.
  out = 1;
  for (std::size_t in = 1; text[in]; ++in) {
    if (text[in] == ' ' && text[in - 1] == '|') continue;
    text[out++] = text[in];
  }
  text[out] = '\0';
}

const char* ui_translate_caption(char* text, const MlText* table) {
  int language = ui_language();
  if (!text || language == 0 || !text[0] || !text[1]) return text;
  ui_normalize_caption(text);
  if (!table) return text;
  std::size_t length = std::strlen(text);
  for (const MlText* row = table; row->Italian(); ++row) {
    std::size_t row_length = std::strlen(row->Italian());
    if (row_length == length && equal_folded(row->Italian(), text, length)) return (*row)[language];
  }
  const char* result = text;
  std::size_t best = 99887766;
  for (const MlText* row = table; row->Italian(); ++row) {
    std::size_t row_length = std::strlen(row->Italian());
    std::size_t distance = row_length > length ? row_length - length : length - row_length;
    std::size_t shorter = row_length < length ? row_length : length;
    if (distance < best && close_enough(row->Italian(), row_length, text, length) &&
        equal_folded(row->Italian(), text, shorter)) {
      result = (*row)[language];
      best = distance;
    }
  }
  if (result != text) return result;
  // Found nowhere: a row whose key holds a run of blanks is compared as the
  // caption was, normalised.
  for (const MlText* row = table; row->Italian(); ++row) {
    if (!std::strstr(row->Italian(), "  ") && !std::strstr(row->Italian(), "| ")) continue;
    const std::string key = normalized_key(row->Italian());
    if (key.size() == length && equal_folded(key.c_str(), text, length)) return (*row)[language];
  }
  return result;
}

std::string ui_translate_caption_copy(std::string_view text, const MlText* table) {
  std::vector<char> copy(text.begin(), text.end());
  copy.push_back('\0');
  return ui_translate_caption(copy.data(), table);
}

const MlText* ui_caption_table_for(const kt::ui::ControlTemplate& c) {
  using namespace kt::ui;
  std::string_view cls = c.class_name ? c.class_name : "";
  if (cls != "Button") return g_ml_static_captions;
  std::uint32_t type = c.style & kBsTypeMask;
  if (type == kBsPushButton || type == kBsDefPushButton || type == kBsOwnerDraw) return g_ml_button_captions;
  return g_ml_check_captions;
}
