// ReplacementFile: temp file + rename, see file_replace.h. The temporary name
// is the target's name with a ".kt-tmp-<pid>" suffix in the same folder, so
// the rename never crosses file systems.
#include "engine/file_replace.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "engine/errors.h"
#include "engine/run_files.h"
#include "platform/paths.h"

bool ReplacementFile::open(const char* windows_name, bool keep_current) {
  abandon();
  target_path_ = kt::translate_path(windows_name);
  error_ = 0;
  staged_ = false;
  if (direct_) {
    or_run_files_before_direct_write(target_path_, undo_);
  } else {
    int error = 0;
    stream_ = or_run_files_open_write(target_path_, keep_current, &error, &staged_);
    if (staged_) {
      if (!stream_) {
        error_ = error ? error : EIO;
        return false;
      }
      std::string from;
      or_run_files_read_path(target_path_, &from);
      temp_path_ = from;
      or_register_stream(stream_);
      return true;
    }
  }
  temp_path_ = target_path_ + ".kt-tmp-" + std::to_string(::getpid());
  stream_ = std::fopen(temp_path_.c_str(), "wb");
  if (!stream_) {
    error_ = errno ? errno : EIO;
    temp_path_.clear();
    return false;
  }
  or_register_stream(stream_);
  return true;
}

bool ReplacementFile::commit() {
  if (!stream_) return false;
  // The first failure's errno is kept for the message; later steps of a
  // failed commit must not replace it.
  auto failed = [this] {
    if (error_ == 0) error_ = errno ? errno : EIO;
    return false;
  };
  error_ = 0;
  errno = 0;
  bool ok = (std::fflush(stream_) == 0 && !std::ferror(stream_)) || failed();
  ok = (staged_ || ::fsync(::fileno(stream_)) == 0 || failed()) && ok;
  std::FILE* s = stream_;
  stream_ = nullptr;
  ok = (or_fclose(s) == 0 || failed()) && ok;
  if (staged_) {
    // The command's end renames it with the others.
    if (!ok) or_run_files_drop_write(target_path_, temp_path_);
    temp_path_.clear();
    staged_ = false;
    return ok;
  }
  if (ok) ok = std::rename(temp_path_.c_str(), target_path_.c_str()) == 0 || failed();
  if (!ok) std::remove(temp_path_.c_str());
  temp_path_.clear();
  return ok;
}

void ReplacementFile::abandon() {
  if (stream_) {
    or_fclose(stream_);
    stream_ = nullptr;
  }
  if (staged_) {
    or_run_files_drop_write(target_path_, temp_path_);
    temp_path_.clear();
    staged_ = false;
  }
  if (!temp_path_.empty()) {
    std::remove(temp_path_.c_str());
    temp_path_.clear();
  }
}
