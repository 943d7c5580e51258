// The single-instance lock: the main process holds an exclusive flock on
// "semaphore.dat" in the data folder for as long as it runs, so a second copy
// started on the same data folder is refused. The kernel drops the lock when
// the holder ends in any way (a crash included), so no stale lock survives.
//
// Two refusals are told apart as the start-up messages need: the file cannot
// be opened for writing (the user lacks rights on the folder: kAccessDenied)
// versus the lock is held by another process (kHeldElsewhere). The holder
// writes its process id and user name into the file, so a refused copy can
// name who holds it. The descriptor is close-on-exec, so worker processes
// started by the holder never keep the lock alive after it ends.
#pragma once

#include <string>

namespace kt {

inline constexpr const char* kInstanceLockFile = "semaphore.dat";

enum class InstanceLockStatus { kAcquired, kHeldElsewhere, kAccessDenied, kFailed };

// Sorts the errno of opening the lock file: the rights errors are
// kAccessDenied, every other failure kFailed.
InstanceLockStatus classify_lock_open_error(int error);

class InstanceLock {
 public:
  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(InstanceLock&& other) noexcept;
  InstanceLock& operator=(InstanceLock&& other) noexcept;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Opens (creating it if needed) `folder`/semaphore.dat and locks it
  // without waiting.
  static InstanceLock acquire(const std::string& folder);

  explicit operator bool() const { return status_ == InstanceLockStatus::kAcquired; }
  InstanceLockStatus status() const { return status_; }
  int error() const { return error_; }  // errno of the refusal
  // The code the start-up messages show: 5 for access denied, 32 (sharing
  // violation) for a lock held elsewhere, else the errno.
  int shown_code() const;
  // After kHeldElsewhere: "<pid> <user>" as the holder wrote it, may be empty.
  const std::string& holder() const { return holder_; }
  const std::string& path() const { return path_; }

  void release();

 private:
  int fd_ = -1;
  InstanceLockStatus status_ = InstanceLockStatus::kFailed;
  int error_ = 0;
  std::string holder_;
  std::string path_;
};

}  // namespace kt
