// The lock of one folder's work: a process that rewrites the files of a
// folder holds an exclusive flock on a lock file in it, so a second process
// that would rewrite the same files at the same time is refused instead of
// mixing its files with the first one's. The kernel drops the lock when the
// holder ends in any way, so a killed holder blocks nobody.
//
// The holder removes the file when it lets go, so a folder at rest holds no
// lock file. Removing a locked file races with a process that opened it just
// before: after locking, the holder checks that the file it locked is still
// the one under the name, and starts again when it is not. The holder writes
// its process id into the file, so a refused process can name it. The
// descriptor is close-on-exec: processes the holder starts never keep it.
#pragma once

#include <string>

namespace kt {

enum class FolderLockStatus { kAcquired, kHeldElsewhere, kFailed };

class FolderLock {
 public:
  FolderLock() = default;
  ~FolderLock();
  FolderLock(FolderLock&& other) noexcept;
  FolderLock& operator=(FolderLock&& other) noexcept;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Locks the file at `path` (created when missing) without waiting.
  static FolderLock acquire(const std::string& path);

  explicit operator bool() const { return status_ == FolderLockStatus::kAcquired; }
  FolderLockStatus status() const { return status_; }
  int error() const { return error_; }  // errno of a kFailed
  // After kHeldElsewhere: the holder's process id, 0 when it wrote none yet.
  long holder() const { return holder_; }

  // Removes the file and drops the lock; nothing when not held.
  void release();

 private:
  int fd_ = -1;
  FolderLockStatus status_ = FolderLockStatus::kFailed;
  int error_ = 0;
  long holder_ = 0;
  std::string path_;
};

}  // namespace kt
