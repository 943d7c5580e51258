// ReplacementFile: temp file + rename, see file_replace.h. The temporary name
// is the target's name with a ".kt-tmp-<pid>" suffix in the same folder, so
// the rename never crosses file systems.
#include "engine/file_replace.h"

#include <unistd.h>

#include <cstdio>

#include "engine/errors.h"
#include "platform/paths.h"

bool ReplacementFile::open(const char* windows_name) {
  abandon();
  target_path_ = kt::translate_path(windows_name);
  temp_path_ = target_path_ + ".kt-tmp-" + std::to_string(::getpid());
  stream_ = std::fopen(temp_path_.c_str(), "wb");
  if (!stream_) return false;
  or_register_stream(stream_);
  return true;
}

bool ReplacementFile::commit() {
  if (!stream_) return false;
  bool ok = std::fflush(stream_) == 0 && !std::ferror(stream_);
  ok = ::fsync(::fileno(stream_)) == 0 && ok;
  std::FILE* s = stream_;
  stream_ = nullptr;
  ok = or_fclose(s) == 0 && ok;
  if (ok) ok = std::rename(temp_path_.c_str(), target_path_.c_str()) == 0;
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
