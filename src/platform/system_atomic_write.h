// Replacing a file's contents so that a crash, a full disk or a failed write
// never leaves a half file: the new contents go to a temporary file in the
// same folder, which is flushed to disk and then renamed over the old one.
// Until the rename the old file stays exactly as it was.
//
// AtomicFile is the general form (callers that write line by line get a
// FILE*); write_file_atomically and copy_file_replacing are the two common
// uses. The temporary is named "<name>.~<pid>-<n>" beside the target (only
// ".~<pid>-<n>" when the name is too long to take the suffix), takes
// the old file's permissions (else 0666 less the umask) and is removed again
// on every failure and when an AtomicFile is destroyed without commit().
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace kt {

class AtomicFile {
 public:
  explicit AtomicFile(std::string target);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  bool is_open() const { return stream_ != nullptr; }
  FILE* stream() { return stream_; }
  const std::string& temporary_path() const { return temp_; }
  // errno of the first failure, 0 while none.
  int error() const { return error_; }

  bool write(std::string_view bytes);
  // Flushes, syncs and renames over the target. False (the target untouched,
  // the temporary removed) when any write so far or the rename failed.
  bool commit();
  // Drops the new contents; the target stays as it was.
  void discard();

 private:
  std::string target_;
  std::string temp_;
  FILE* stream_ = nullptr;
  int error_ = 0;
};

// Replaces (or creates) `path` with `bytes`. *error receives errno on failure.
bool write_file_atomically(const std::string& path, std::string_view bytes, int* error = nullptr);

enum class CopyResult { kOk, kSourceUnreadable, kTargetFailed };
// Called after each block with the bytes copied so far and the source size.
using CopyProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;
// Copies `source` over `target` through a temporary file, in blocks of 16384
// bytes. An empty source makes an empty target.
CopyResult copy_file_replacing(const std::string& source, const std::string& target,
                               const CopyProgress& progress = nullptr, int* error = nullptr);

}  // namespace kt
