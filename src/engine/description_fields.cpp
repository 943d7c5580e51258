// Cutting description lines into fields: the normalisation every reader
// applies to a line first, and the field, token and copy operations that
// walk it. A field is the text between two '|'; inside a field a range is
// a-b and a list of ranges a-b:c-d.
//
// Invariants: every copy writes at most its limit n characters and a
// terminator (out holds n + 1 bytes); the unlimited copies stop at the text's
// terminator. Normalisation only ever shortens a line, except the one '|' it
// puts before the line end (the reader leaves a byte for it).
//
// Workload: every line of every description read, a few thousand per load.
#include <cstring>

#include "engine/text_lines.h"

namespace {

bool is_line_end(char c) { return c == '\r' || c == '\n'; }

}  // namespace

void or_normalize_line(char* line, int upper) {
  if (!line) return;
  std::size_t w = 0;
  for (std::size_t r = 0; line[r]; ++r) {
    char c = line[r];
    if (c == '\t') c = '|';
    if (is_line_end(c)) {
      line[w++] = '|';
      line[w++] = c;
      break;
    }
    if (upper) c = static_cast<char>(or_fold_upper_char(static_cast<unsigned char>(c)));
    if (c == ' ' && w >= 1 && (line[w - 1] == ' ' || line[w - 1] == '|')) continue;
    line[w++] = c;
  }
  line[w] = '\0';
}

char* or_next_field(char* line, char separator) {
  if (!line) return nullptr;
  for (int i = 0; i < 10000; ++i) {
    char c = line[i];
    if (c == '\0' || is_line_end(c)) return nullptr;
    if (c == separator) {
      while (line[i] == separator) ++i;
      return line + i;
    }
  }
  return nullptr;
}

static char* find_before_bar(char* field, char wanted) {
  if (!field) return nullptr;
  for (char* p = field; *p && *p != '|'; ++p)
    if (*p == wanted) return p;
  return nullptr;
}

char* or_find_range_dash(char* field) { return find_before_bar(field, '-'); }
char* or_find_sub_separator(char* field) { return find_before_bar(field, ':'); }

char* or_copy_field(char* out, char* field, int n) {
  if (!field) return nullptr;
  int i = 0;
  char* p = field;
  while (*p && *p != '|' && i < n) out[i++] = *p++;
  out[i] = '\0';
  while (*p && *p != '|') ++p;
  return *p == '|' ? p + 1 : p;
}

char* or_copy_token(char* out, char* text, int n) {
  if (!text) return nullptr;
  int i = 0;
  char* p = text;
  auto delimiter = [](char c) { return c == '|' || c == '-' || c == ':'; };
  while (*p && !delimiter(*p) && i < n) out[i++] = *p++;
  out[i] = '\0';
  while (*p && !delimiter(*p)) ++p;
  return *p ? p + 1 : p;
}

// The copies with a stop character return the position of the stop
// character in the text, or of its terminator.
char* or_copy_to_char(char* out, const char* text, char stop) {
  std::size_t i = 0;
  while (text[i] && text[i] != stop) {
    out[i] = text[i];
    ++i;
  }
  out[i] = '\0';
  return const_cast<char*>(text + i);
}

// The two bounded copies differ only in when they count: this one after
// each character (so a limit of 0 still lets one through), the next one
// before each (a limit of 0 copies nothing).
char* or_copy_to_char_n(char* out, const char* text, char stop, int n) {
  int i = 0;
  while (text[i] && text[i] != stop) {
    out[i] = text[i];
    if (++i >= n) break;
  }
  out[i] = '\0';
  return const_cast<char*>(text + i);
}

char* or_copy_to_char_max(char* out, const char* text, char stop, int n) {
  int i = 0;
  while (i < n && text[i] && text[i] != stop) {
    out[i] = text[i];
    ++i;
  }
  out[i] = '\0';
  return const_cast<char*>(text + i);
}

char* or_copy_to_either_n(char* out, const char* text, char stop1, char stop2, int n) {
  int i = 0;
  while (i < n && text[i] && text[i] != stop1 && text[i] != stop2) {
    out[i] = text[i];
    ++i;
  }
  out[i] = '\0';
  return const_cast<char*>(text + i);
}

void or_replace_blanks(char* text, char replacement, char stop) {
  for (char* p = text; *p && *p != stop; ++p)
    if (*p == ' ') *p = replacement;
}
