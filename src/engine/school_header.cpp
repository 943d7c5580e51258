// Reading the header of a school file: the "REM:" lines at its top give the
// school title and the second header texts, and an optional "DATARELEASE:"
// line the release date. The reading stops at the first other line, so only
// the top of the file is read however long the file is.
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/errors.h"
#include "engine/text_lines.h"

namespace {

constexpr int kHeaderLine = 400;
constexpr int kHeaderText = 40;

// The text of a "REM:" line behind its key and the separator after it.
const char* rem_body(const char* line) {
  const char* p = line + 4;
  return *p == '|' ? p + 1 : p;
}

// Copies at most 40 characters up to '|' or the line end.
void copy_part(char* out, const char* text) {
  int i = 0;
  while (i < kHeaderText && text[i] && text[i] != '|' && text[i] != '\r' && text[i] != '\n') {
    out[i] = text[i];
    ++i;
  }
  out[i] = '\0';
}

}  // namespace

const char* or_read_school_header(const char* folder, char* line3a, char* line3b, char* line4,
                                  char* release, const char* file) {
  static char title[81];
  for (char* out : {line3a, line3b, line4, release})
    if (out) out[0] = '\0';
  title[0] = '\0';

  std::string name = std::string(folder ? folder : ".") + "\\" + (file ? file : "");
  std::FILE* in = or_fopen(name.c_str(), "rt");
  if (!in) return nullptr;
  char line[kHeaderLine];
  int rem_count = 0;
  bool found = false;
  for (int number = 0; or_read_line(line, kHeaderLine, in); ++number) {
    or_normalize_line(line, number == 0 ? 0 : 1);
    if (std::strncmp(line, "REM:", 4) == 0) {
      ++rem_count;
      const char* body = rem_body(line);
      if (rem_count == 1) {
        std::size_t i = 0;
        for (; body[i] && i < sizeof(title) - 1; ++i) title[i] = body[i] == '|' ? ' ' : body[i];
        while (i > 0 && static_cast<unsigned char>(title[i - 1]) <= ' ') --i;
        title[i] = '\0';
        found = true;
      } else if (rem_count == 3) {
        if (line3a) copy_part(line3a, body);
        const char* bar = std::strchr(body, '|');
        if (line3b && bar) copy_part(line3b, bar + 1);
      } else if (rem_count == 4) {
        if (line4) copy_part(line4, body);
      }
      continue;
    }
    if (release && std::strncmp(line, "DATARELEASE:", 12) == 0) {
      const char* text = line + 12;
      if (*text == '|') ++text;
      copy_part(release, text);
      continue;
    }
    break;
  }
  or_fclose(in);
  return found ? title : nullptr;
}
