// Text helpers and error shortcuts shared by the description loader's passes,
// and the hour-pair items that teacher blocks and teacher lines both hold.
//
// Every scan stops at the normalised line end ('|' before '\r', '\n' or the
// terminator) or at the terminator itself, so a truncated or binary line can
// never lead a pass past its buffer. Numbers saturate at one million, far
// beyond any value a description holds, so no overflow is possible.
//
// Workload: called a few times per field of every line of a description.
#include <cstdio>
#include <cstring>

#include "engine/errors.h"
#include "engine/loader_internal.h"
#include "engine/text_lines.h"

LoaderState g_loader;

bool is_upper_letter(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return true;
  // 1252 capitals with accents: À..Þ except the multiplication sign.
  return c >= 0xC0 && c <= 0xDE && c != 0xD7;
}

bool starts_with(const char* p, const char* key) {
  return p != nullptr && std::strncmp(p, key, std::strlen(key)) == 0;
}

const char* next_field(const char* p) {
  if (p == nullptr) return nullptr;
  while (*p != '\0' && *p != '|' && *p != '\r' && *p != '\n') ++p;
  if (*p != '|') return nullptr;
  while (*p == '|') ++p;
  if (*p == '\0' || *p == '\r' || *p == '\n') return nullptr;
  return p;
}

int take_number(const char*& p) {
  if (p == nullptr) return 0;
  bool negative = false;
  if (*p == '-' && is_digit(p[1])) {
    negative = true;
    ++p;
  }
  int value = 0;
  while (is_digit(*p)) {
    if (value < 1000000) value = value * 10 + (*p - '0');
    ++p;
  }
  if (value > 1000000) value = 1000000;
  return negative ? -value : value;
}

int read_number(const char* p) { return take_number(p); }

int copy_until(char* out, const char* p, int n, const char* stops) {
  if (p == nullptr) {
    out[0] = '\0';
    return 0;
  }
  // A normalised line has a '|' before its line end, so the field's end is
  // its '|' or the end of the text.
  const char* end = stops == nullptr ? or_copy_to_char_max(out, p, '|', n) : or_copy_to_either_n(out, p, '|', stops[0], n);
  return static_cast<int>(end - p);
}

bool or_is_teacher_line(const char* line) {
  return line != nullptr && is_upper_letter(static_cast<unsigned char>(line[0])) && or_find_sub_separator(line) == nullptr;
}

void loader_config_error(const char* message) { or_raise_config_error(message, g_loader.line); }

void loader_config_error_text(const char* message, const char* text) {
  or_raise_config_error(message, text);
}

void loader_critical(const char* text, int source_line) {
  or_raise_critical_error(text, 0, kSourceLoad, source_line);
}

int loader_fitting(int value, int low, int high) {
  if (value < low || value > high) {
    char message[64];
    std::snprintf(message, sizeof message, "Valore fuori dai limiti (da %d a %d)", low, high);
    loader_config_error(message);
  }
  return value;
}

namespace {
void read_hour_pairs(const char* p, std::uint8_t (*pairs)[2], std::int8_t& count, const char* hint) {
  while (!field_end(*p)) {
    int a = take_number(p);
    if (*p != '-') loader_config_error(hint);
    ++p;
    int b = take_number(p);
    if (count >= kBandPairs) loader_config_error("INSE: troppi elementi");
    pairs[count][0] = static_cast<std::uint8_t>(loader_fitting(a, -128, 127) & 0xFF);
    pairs[count][1] = static_cast<std::uint8_t>(loader_fitting(b, -128, 127) & 0xFF);
    ++count;
    if (*p != ':') break;
    ++p;
  }
}
}  // namespace

bool read_hour_pairs_item(EngineTeacher& t, const char* item) {
  if (starts_with(item, "INSE:")) {
    read_hour_pairs(item + 5, t.inse_pairs, t.inse_count,
                    "Configurare INSE:max ore giorno-quante volte:max ore giorno...");
  } else if (starts_with(item, "XPRESE:")) {
    read_hour_pairs(item + 7, t.xprese_pairs, t.xprese_count,
                    "Configurare XPRESE:max ore giorno-quante volte:max ore giorno...");
  } else {
    return false;
  }
  return true;
}
