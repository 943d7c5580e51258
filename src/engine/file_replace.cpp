// Temporary file + rename writes of the school folder's files (see
// file_replace.h). The temporary file lives in the target's own folder so
// the rename never crosses file systems and is atomic.
#include "engine/file_replace.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "engine/errors.h"
#include "platform/paths.h"

ReplacingFile::ReplacingFile(const char* name)
    : name_(name), target_(kt::translate_path(name)), temporary_(target_ + ".kt-new") {}

ReplacingFile::~ReplacingFile() {
  if (stream_ != nullptr) {
    std::fclose(stream_);
    stream_ = nullptr;
    std::remove(temporary_.c_str());
  }
}

bool ReplacingFile::open() {
  stream_ = std::fopen(temporary_.c_str(), "wb");
  return stream_ != nullptr;
}

void ReplacingFile::fail(const char* hint) {
  if (stream_ != nullptr) {
    std::fclose(stream_);
    stream_ = nullptr;
  }
  std::remove(temporary_.c_str());
  or_raise_file_error(name_.c_str(), hint, "..\\Orario\\OR_SAVE", __LINE__);
}

void ReplacingFile::copy_existing() {
  std::FILE* in = std::fopen(target_.c_str(), "rb");
  if (in == nullptr) return;
  char block[16384];
  std::size_t n;
  while ((n = std::fread(block, 1, sizeof block, in)) > 0) {
    if (std::fwrite(block, 1, n, stream_) != n) {
      std::fclose(in);
      fail("write");
    }
  }
  bool bad = std::ferror(in) != 0;
  std::fclose(in);
  if (bad) fail("read");
}

void ReplacingFile::commit() {
  if (stream_ == nullptr) fail("open");
  bool ok = std::fflush(stream_) == 0 && std::ferror(stream_) == 0;
  if (ok) ok = ::fsync(::fileno(stream_)) == 0 || errno == EINVAL;
  int closed = std::fclose(stream_);
  stream_ = nullptr;
  if (!ok || closed != 0) {
    std::remove(temporary_.c_str());
    or_raise_file_error(name_.c_str(), "write", "..\\Orario\\OR_SAVE", __LINE__);
  }
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    std::remove(temporary_.c_str());
    or_raise_file_error(name_.c_str(), "rename", "..\\Orario\\OR_SAVE", __LINE__);
  }
}
