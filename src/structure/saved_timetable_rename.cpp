// The rename in the saved timetable (see saved_timetable_rename.h). The new
// file goes through AtomicFile: a temporary in the school folder beside the
// save file, synced before the rename, so a full disk, a failed write or a
// crash never leaves a short save file in place of the whole one.
#include "structure/saved_timetable_rename.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/errors.h"
#include "engine/shell_services.h"
#include "engine/text_lines.h"
#include "platform/paths.h"
#include "platform/system_atomic_write.h"
#include "schooldata/school_files.h"

namespace {

constexpr const char* kSaveFile = ".\\savego.txt";

void tell(std::string* why, const std::string& reason) {
  if (why) *why = reason;
}

}  // namespace

int og_rename_in_saved_timetable(const char* old_name, const char* new_name, std::string* why) {
  if (!old_name || !new_name || !old_name[0] || std::strcmp(old_name, new_name) == 0) return 0;
  errno = 0;
  std::FILE* in = or_fopen(kSaveFile, "rt");
  if (!in) {
    // No saved timetable yet: nothing to rename in it.
    if (errno == ENOENT) return 0;
    tell(why, og_write_failure_reason(errno ? errno : EIO));
    return -1;
  }
  kt::AtomicFile out(kt::translate_path(kSaveFile));
  if (!out.is_open()) {
    or_fclose(in);
    tell(why, og_write_failure_reason(out.error()));
    return -1;
  }
  constexpr int kLine = 202;  // 200 characters, the line feed, the terminator
  char line[kLine];
  char work[2 * (kLine + 64) + 10];
  bool written = true;
  std::size_t old_length = std::strlen(old_name);
  // Off an engine command a read error ends the lines like the end of the
  // file does; only the stream's error flag (or errno, for a failing byte
  // source) tells them apart, and a save file not read to its end must not
  // replace the whole one.
  errno = 0;
  while (written && or_read_line(line, kLine, in)) {
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    std::size_t at = text.find(old_name);
    if (at != std::string::npos) text.replace(at, old_length, new_name);
    if (text.size() > 200) text.resize(200);
    text += '\n';
    or_scramble_line_seeded(or_next_line_seed(), text.c_str(), work);
    written = out.write(std::string_view(work));
    errno = 0;
  }
  bool read_whole = written && std::ferror(in) == 0 && errno == 0;
  or_fclose(in);
  if (!read_whole) {
    out.discard();
    tell(why, written ? std::string(or_read_failure_reason(g_language)) : og_write_failure_reason(out.error()));
    return -1;
  }
  if (!out.commit()) {
    tell(why, og_write_failure_reason(out.error() ? out.error() : EIO));
    return -1;
  }
  return 1;
}
