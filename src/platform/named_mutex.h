// Named mutexes shared by the program's processes ("KestrinTempusParproMutexIO.dat",
// "KestrinTempusParproMutexCOM.dat"): a robust, process-shared, recursive
// pthread mutex living in a small named shared-memory object.
//
// Robust: when a process or thread dies holding the mutex, the next locker
// gets it with kAcquiredOwnerDied (the data it guards may be half written)
// and the mutex is made consistent again, so a killed worker blocks nobody.
// Recursive: the holding thread may lock again and must unlock as often,
// as the platform the program was first written for allowed.
// The creator initialises the mutex and publishes it with a ready word; an
// opener that comes too early waits for that word a bounded time.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "platform/shared_memory.h"

namespace kt {

enum class LockResult {
  kAcquired,
  kAcquiredOwnerDied,  // acquired; the previous holder died holding it
  kTimedOut,           // lock_for: the time ran out
  kBusy,               // try_lock: another holder has it
  kFailed,             // not set up, or the system refused (see error())
};

inline bool acquired(LockResult r) {
  return r == LockResult::kAcquired || r == LockResult::kAcquiredOwnerDied;
}

class NamedMutex {
 public:
  NamedMutex() = default;
  NamedMutex(NamedMutex&&) noexcept = default;
  NamedMutex& operator=(NamedMutex&&) noexcept = default;

  // Creates the mutex under `windows_name`, replacing a stale one.
  static NamedMutex create(std::string_view windows_name);
  // Opens one created by another process; waits at most `ready_wait` for
  // its creator to finish initialising it.
  static NamedMutex open(std::string_view windows_name,
                         std::chrono::milliseconds ready_wait = std::chrono::milliseconds(2000));

  explicit operator bool() const { return static_cast<bool>(memory_); }
  ShmStatus status() const { return memory_.status(); }
  int error() const { return error_; }

  LockResult lock();  // waits without time-out
  LockResult lock_for(std::chrono::milliseconds timeout);
  LockResult try_lock();
  bool unlock();  // false when this thread does not hold it

 private:
  LockResult finish(int rc);
  SharedMemory memory_;
  int error_ = 0;
};

// Holds a NamedMutex for a scope, waiting without time-out.
class NamedMutexLock {
 public:
  explicit NamedMutexLock(NamedMutex& mutex) : mutex_(mutex), result_(mutex.lock()) {}
  ~NamedMutexLock() {
    if (acquired(result_)) mutex_.unlock();
  }
  NamedMutexLock(const NamedMutexLock&) = delete;
  NamedMutexLock& operator=(const NamedMutexLock&) = delete;
  LockResult result() const { return result_; }
  bool owner_died() const { return result_ == LockResult::kAcquiredOwnerDied; }

 private:
  NamedMutex& mutex_;
  LockResult result_;
};

}  // namespace kt
