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

static char* find_before_bar(char* field, char wanted) {
  if (!field) return nullptr;
  for (char* p = field; *p && *p != '|'; ++p)
    if (*p == wanted) return p;
  return nullptr;
}

char* or_find_range_dash(char* field) { return find_before_bar(field, '-'); }
