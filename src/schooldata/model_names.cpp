// Names and class labels over the school model (see model_utilities.h).
//
// Names are cleaned in place so that they can never break the syntax of the
// school files ('-', '|' and ':' are field separators there, tabs and line
// ends separate fields and lines: control characters become blanks). A class label
// is what the user sees: the code with the track's short name in place of
// its one-letter initial, or a classical-lyceum numeral in place of the
// year; og_class_code_from_label is its inverse. Lookups walk the classes
// linearly: at most 300, one lookup per user choice.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/cp1252.h"
#include "schooldata/model_utilities.h"
#include "shell/ml_text.h"

namespace {

constexpr int kLabelSize = 23;
char g_label_slots[kUiMaxClasses][kLabelSize];
constexpr const char* kNumerals[5] = {"IV", "V", "I", "II", "III"};

int code_length() { return og_track_count() >= 2 ? 3 : 2; }

}  // namespace

int og_class_count() {
  return int(std::min<std::uint32_t>(+g_ui_structure.class_count, std::uint32_t(kUiMaxClasses)));
}

int og_track_count() { return std::clamp<int>(g_ui_structure.track_count, 0, kUiMaxTracks); }

int og_teacher_count() {
  return int(std::min<std::uint32_t>(+g_ui_settings.teacher_count, std::uint32_t(kUiMaxTeachers)));
}

int og_subject_count() {
  return int(std::min<std::uint32_t>(+g_ui_structure.subject_count, std::uint32_t(kUiMaxSubjects)));
}

const MlText* og_name_cleaning_note(const char* typed, int flags) {
  static constexpr MlText kReplaced = {
      {"Attenzione: nei nomi i caratteri - | : separano i dati nei file; sono stati sostituiti da _ e ;",
       "Achtung: die Zeichen - | : trennen die Daten in den Dateien; in Namen werden sie durch _ und ; ersetzt",
       "Note: the characters - | : separate the data in the files; in names they were replaced by _ and ;"}};
  if (typed == nullptr) return nullptr;
  for (const char* p = typed; *p != 0; ++p)
    if (*p == '-' || *p == '|' || *p == ':' || (*p == ',' && (flags & 2))) return &kReplaced;
  return nullptr;
}

int og_clean_name(char* name, int max_length, int flags) {
  if (name == nullptr || max_length <= 0) return 0;
  int n = int(strnlen(name, std::size_t(max_length)));
  int out = 0;
  for (int i = 0; i < n; ++i) {
    char c = name[i];
    // A line break or tab (pasted into a one-line field, or in an imported
    // cell) would end the name's line or field in the school files.
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) c = ' ';
    else if (c == '-' || c == '|' || (c == ',' && (flags & 2))) c = '_';
    else if (c == ':') c = ';';
    // Leading blanks go, and a blank after a blank collapses into it.
    if (c == ' ' && (out == 0 || name[out - 1] == ' ')) continue;
    name[out++] = c;
  }
  while (out > 0 && name[out - 1] == ' ') --out;
  if ((flags & 1) && out >= 4 && kt::cp1252_ncasecmp(name + out - 4, "_LAB", 4) == 0) out -= 4;
  // A name that lost nothing keeps its own end (which may be the field's
  // end); a shorter one ends inside the bytes that were read.
  if (out < n) name[out] = 0;
  return out;
}

void og_clean_name(char* out, const char* in) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, "%s", in);
  og_clean_name(buffer, int(sizeof buffer) - 1, 0);
  // A cleaned name longer than a name field is cut to the field, and the
  // cut never leaves a blank at the end (read back, the name would lose it
  // and no longer be the same teacher).
  std::snprintf(out, kUiNameSize, "%.*s", kUiNameSize - 1, buffer);
  for (std::size_t n = std::strlen(out); n > 0 && out[n - 1] == ' '; --n) out[n - 1] = 0;
}

int og_prefix_non_letter_name(char* name, int max_length) {
  int n = int(strnlen(name, std::size_t(max_length)));
  unsigned char first = static_cast<unsigned char>(name[0]);
  if ((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z')) return n;
  int kept = std::min(n, max_length - 3);
  if (kept < 0) kept = 0;
  std::memmove(name + 3, name, std::size_t(kept));
  std::memcpy(name, "ZZ ", std::size_t(std::min(3, max_length)));
  name[std::min(kept + 3, max_length)] = 0;
  return n;
}

int og_compare_name_field(const char* a, const char* b, int n) {
  for (int i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
  return a[n] == 0 && b[n] == 0 ? 0 : -9;
}

const char* og_limit_text(int value) {
  static constexpr MlText kNotManaged = {{" Non gestito", " nicht geschafft", " Not managed"}};
  static char buffer[16];
  if (value == -1) return kNotManaged.Get();
  std::snprintf(buffer, sizeof buffer, "%d", value);
  return buffer;
}

int og_class_code_from_label(char* label) {
  char* colon = static_cast<char*>(std::memchr(label, ':', strnlen(label, 20)));
  if (colon != nullptr) std::memmove(label, colon + 1, std::strlen(colon + 1) + 1);
  char code[4] = {0, 0, 0, 0};
  if (label[0] < '0' || label[0] > '9') {
    struct Numeral {
      const char* roman;
      char year;
    };
    // Longest first, so "III" is not read as "I".
    constexpr Numeral kRoman[] = {{"III", '5'}, {"II", '4'}, {"IV", '1'}, {"I", '3'}, {"V", '2'}};
    code[0] = '?';
    const char* rest = label;
    for (const Numeral& r : kRoman) {
      std::size_t len = std::strlen(r.roman);
      if (std::strncmp(label, r.roman, len) != 0) continue;
      code[0] = r.year;
      rest = label + len;
      break;
    }
    if (rest == label) return 0;
    std::strncpy(code + 1, rest, 2);
  } else {
    code[0] = label[0];
    code[1] = label[1];
    if (code[1] != 0 && label[2] != 0) {
      const char* track = label + 2;
      for (int t = 0; t < og_track_count(); ++t) {
        const char* short_name = g_ui_structure.track_short_names[t];
        if (short_name[0] != 0 && strnlen(short_name, 4) == std::strlen(track) &&
            kt::cp1252_ncasecmp(track, short_name, 4) == 0) {
          code[2] = g_ui_structure.track_names[t][0];
          break;
        }
      }
    }
  }
  std::memcpy(label, code, 4);
  int length = int(strnlen(label, 3));
  return std::min(length, code_length());
}

const char* og_class_label(int index) {
  static const char kNoClass[] = "?";
  if (index < 0 || index >= og_class_count()) return kNoClass;
  const UiClass& c = g_ui_structure.classes[index];
  char* slot = g_label_slots[index];
  char year = c.code[0];
  char section = c.code[1] != 0 ? c.code[1] : ' ';
  char initial = c.code[2];
  bool tracked = og_track_count() >= 2 && initial != 0 && initial != ' ';
  if (c.classical_numbering) {
    const char* numeral = year >= '1' && year <= '5' ? kNumerals[year - '1'] : "?";
    std::snprintf(slot, kLabelSize, "%s%c%s", numeral, section, tracked ? std::string(1, initial).c_str() : "");
    return slot;
  }
  std::string track;
  if (tracked) {
    track = std::string(1, initial);
    for (int t = 0; t < og_track_count(); ++t) {
      if (g_ui_structure.track_names[t][0] != initial) continue;
      const char* short_name = g_ui_structure.track_short_names[t];
      if (short_name[0] != 0) track.assign(short_name, strnlen(short_name, 3));
      break;
    }
  }
  std::snprintf(slot, kLabelSize, "%c%c%s", year, section, track.c_str());
  return slot;
}

const char* og_class_label_by_code(const char* code) {
  int length = code_length();
  for (int i = 0; i < og_class_count(); ++i) {
    const char* own = g_ui_structure.classes[i].code;
    if (own[0] != 0 && std::strncmp(own, code, std::size_t(length)) == 0) return og_class_label(i);
  }
  return "???";
}

int og_find_class_by_label(const char* label) {
  char copy[64];
  std::snprintf(copy, sizeof copy, "%s", label);
  og_class_code_from_label(copy);
  int length = code_length();
  if (length == 3 && copy[2] == 0) copy[2] = ' ';
  for (int i = 0; i < og_class_count(); ++i) {
    const char* own = g_ui_structure.classes[i].code;
    if (own[0] != 0 && std::strncmp(own, copy, std::size_t(length)) == 0) return i;
  }
  return og_class_count();
}
