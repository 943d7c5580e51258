// Raising wrappers around ReplacementFile (see school_file_writes.h).
//
// The save files and the exemption files are the user's work: a failure to
// write them must reach the user as the engine's file error, while the old
// file stays as it was. The temporary file is removed by ReplacementFile on
// every path; these wrappers only decide that a failure is an error.
#include "engine/school_file_writes.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "engine/errors.h"
#include "engine/run_files.h"
#include "engine/text_lines.h"
#include "platform/paths.h"

namespace {
constexpr const char* kSource = "..\\Orario\\OR_SAVE";

// The reason bracket of the message: the caller's hint, or why the write
// failed when it has none. When the disk itself failed (full, read-only,
// failing), or a folder stands where the file goes, only that is said: a
// hint such as "close the document in use" would send the user the wrong way.
// A hint that only says what failed (tell_why) is followed by why.
void raise_write_error(const ReplacementFile& file, const char* name, const char* hint, int line,
                       bool tell_why = false) {
  int error = file.error();
  bool disk = or_is_disk_failure(error);
  // A folder in the file's place is no document left open either: a hint
  // that only says what failed is kept, and followed by why.
  bool folder = error == EISDIR && !tell_why;
  std::string text = hint ? hint : "";
  if (text.empty() || disk || folder)
    text = or_write_failure_reason(error, or_language());
  else if (tell_why)
    text += std::string(" - ") + or_write_failure_reason(error, or_language());
  errno = error;
  or_raise_file_error(name, text.c_str(), kSource, line);
}

}  // namespace

void or_open_or_raise(ReplacementFile& file, const char* name, const char* hint, bool keep_current) {
  if (!file.open(name, keep_current)) raise_write_error(file, name, hint, 30);
}

void or_commit_or_raise(ReplacementFile& file, const char* name, const char* hint) {
  if (!file.commit()) raise_write_error(file, name, hint, 35);
}

void or_replace_or_raise_telling_why(ReplacementFile& file, const char* name, const char* what_failed,
                                     const std::function<void(std::FILE*)>& write) {
  if (!file.open(name, false)) raise_write_error(file, name, what_failed, 30, true);
  write(file.stream());
  if (!file.commit()) raise_write_error(file, name, what_failed, 35, true);
}

bool or_file_exists_now(const char* name) {
  std::string path = kt::translate_path(name);
  int staged = or_run_files_exists(path);
  if (staged >= 0) return staged == 1;
  return ::access(path.c_str(), F_OK) == 0;
}

void or_copy_current_or_raise(ReplacementFile& file, const char* name, const char* hint) {
  // A command's temporary was opened with the current contents in it.
  if (file.staged()) return;
  std::FILE* in = std::fopen(kt::translate_path(name).c_str(), "rb");
  if (in == nullptr) return;
  char block[16384];
  std::size_t n;
  bool written = true;
  int error = 0;
  while (written && (n = std::fread(block, 1, sizeof block, in)) > 0) {
    written = std::fwrite(block, 1, n, file.stream()) == n;
    if (!written) error = errno;
  }
  bool read = std::ferror(in) == 0;
  if (!read) error = errno;
  std::fclose(in);
  if (!written || !read) {
    file.abandon();
    if (hint == nullptr || hint[0] == '\0')
      hint = read ? or_write_failure_reason(error, or_language()) : or_read_failure_reason(or_language());
    errno = error;
    or_raise_file_error(name, hint, kSource, 48);
  }
}
