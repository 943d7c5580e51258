// The rename in the saved timetable (see saved_timetable_rename.h). The
// temporary file lives in the school folder beside the save file, so the
// final rename never crosses a file system.
#include "structure/saved_timetable_rename.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/errors.h"
#include "engine/text_lines.h"
#include "platform/paths.h"

int og_rename_in_saved_timetable(const char* old_name, const char* new_name) {
  if (!old_name || !new_name || !old_name[0] || std::strcmp(old_name, new_name) == 0) return 0;
  std::FILE* in = or_fopen(".\\savego.txt", "rt");
  if (!in) return 0;
  std::FILE* out = or_fopen(".\\tempfile.txt", "wt");
  if (!out) {
    or_fclose(in);
    return 0;
  }
  constexpr int kLine = 202;  // 200 characters, the line feed, the terminator
  char line[kLine];
  char work[2 * (kLine + 64) + 10];
  bool ok = true;
  std::size_t old_length = std::strlen(old_name);
  while (ok && or_read_line(line, kLine, in)) {
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    std::size_t at = text.find(old_name);
    if (at != std::string::npos) text.replace(at, old_length, new_name);
    if (text.size() > 200) text.resize(200);
    text += '\n';
    ok = or_write_scrambled_line(out, text.c_str(), work) >= 0;
  }
  or_fclose(in);
  if (or_fclose(out) != 0) ok = false;
  std::string temp = kt::translate_path(".\\tempfile.txt");
  if (!ok) {
    std::remove(temp.c_str());
    return 0;
  }
  return std::rename(temp.c_str(), kt::translate_path(".\\savego.txt").c_str()) == 0 ? 1 : 0;
}
