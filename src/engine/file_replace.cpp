// ReplacementFile: temp file + rename, see file_replace.h. The temporary name
// is the target's name with a ".kt-tmp-<pid>" suffix in the same folder, so
// the rename never crosses file systems.
#include "engine/file_replace.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "engine/errors.h"
#include "platform/paths.h"

bool ReplacementFile::open(const char* windows_name) {
  abandon();
  target_path_ = kt::translate_path(windows_name);
  temp_path_ = target_path_ + ".kt-tmp-" + std::to_string(::getpid());
  error_ = 0;
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
  ok = (::fsync(::fileno(stream_)) == 0 || failed()) && ok;
  std::FILE* s = stream_;
  stream_ = nullptr;
  ok = (or_fclose(s) == 0 || failed()) && ok;
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
  if (!temp_path_.empty()) {
    std::remove(temp_path_.c_str());
    temp_path_.clear();
  }
}
