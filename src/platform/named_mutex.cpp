// Robust process-shared named mutexes; see named_mutex.h. Locks are taken a
// few times per solver cycle, so the fast path is one pthread call; the
// owner-died path runs once per dead holder. The shared block is the ready
// word followed by the pthread mutex; the creator initialises the mutex in
// place and stores the ready word last (release), an opener reads it first
// (acquire). Time-outs run on the monotonic clock, so a clock change neither
// shortens nor stretches them.
#include "platform/named_mutex.h"

#include <pthread.h>
#include <time.h>

#include <atomic>
#include <cerrno>
#include <thread>

namespace kt {
namespace {

constexpr std::uint32_t kReady = 0x4B544D58;  // written last by the creator

struct MutexBlock {
  std::atomic<std::uint32_t> ready;
  pthread_mutex_t mutex;
};

static_assert(std::atomic<std::uint32_t>::is_always_lock_free,
              "the ready word is shared between processes");

MutexBlock* block_of(const SharedMemory& memory) {
  return static_cast<MutexBlock*>(memory.data());
}

}  // namespace

NamedMutex NamedMutex::create(std::string_view windows_name) {
  NamedMutex m;
  m.memory_ = SharedMemory::create(windows_name, sizeof(MutexBlock));
  if (!m.memory_) {
    m.error_ = m.memory_.error();
    return m;
  }
  MutexBlock* block = new (m.memory_.data()) MutexBlock;
  pthread_mutexattr_t attr;
  int rc = pthread_mutexattr_init(&attr);
  if (rc == 0) rc = pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED);
  if (rc == 0) rc = pthread_mutexattr_setrobust(&attr, PTHREAD_MUTEX_ROBUST);
  if (rc == 0) rc = pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
  if (rc == 0) rc = pthread_mutex_init(&block->mutex, &attr);
  pthread_mutexattr_destroy(&attr);
  if (rc != 0) {
    m.error_ = rc;
    m.memory_.close();
    return m;
  }
  block->ready.store(kReady, std::memory_order_release);
  return m;
}

NamedMutex NamedMutex::open(std::string_view windows_name, std::chrono::milliseconds ready_wait) {
  NamedMutex m;
  m.memory_ = SharedMemory::open(windows_name, sizeof(MutexBlock));
  if (!m.memory_) {
    m.error_ = m.memory_.error();
    return m;
  }
  // The creator may still be between mapping and publishing; that window is
  // a few microseconds, so short naps up to the bound are enough.
  const auto deadline = std::chrono::steady_clock::now() + ready_wait;
  MutexBlock* block = block_of(m.memory_);
  while (block->ready.load(std::memory_order_acquire) != kReady) {
    if (std::chrono::steady_clock::now() >= deadline) {
      m.error_ = ETIMEDOUT;
      m.memory_.close();
      return m;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return m;
}

LockResult NamedMutex::finish(int rc) {
  switch (rc) {
    case 0:
      return LockResult::kAcquired;
    case EOWNERDEAD:
      // We hold it now; mark it usable again so later lockers get a plain
      // success. The caller learns that the guarded data may be torn.
      pthread_mutex_consistent(&block_of(memory_)->mutex);
      return LockResult::kAcquiredOwnerDied;
    case ETIMEDOUT:
      return LockResult::kTimedOut;
    case EBUSY:
      return LockResult::kBusy;
    default:
      error_ = rc;
      return LockResult::kFailed;
  }
}

LockResult NamedMutex::lock() {
  if (!memory_) return LockResult::kFailed;
  return finish(pthread_mutex_lock(&block_of(memory_)->mutex));
}

LockResult NamedMutex::lock_for(std::chrono::milliseconds timeout) {
  if (!memory_) return LockResult::kFailed;
  timespec until;
  clock_gettime(CLOCK_MONOTONIC, &until);
  long long ms = timeout.count() < 0 ? 0 : timeout.count();
  until.tv_sec += static_cast<time_t>(ms / 1000);
  until.tv_nsec += static_cast<long>(ms % 1000) * 1000000L;
  if (until.tv_nsec >= 1000000000L) {
    until.tv_sec += 1;
    until.tv_nsec -= 1000000000L;
  }
  return finish(pthread_mutex_clocklock(&block_of(memory_)->mutex, CLOCK_MONOTONIC, &until));
}

LockResult NamedMutex::try_lock() {
  if (!memory_) return LockResult::kFailed;
  return finish(pthread_mutex_trylock(&block_of(memory_)->mutex));
}

bool NamedMutex::unlock() {
  if (!memory_) return false;
  int rc = pthread_mutex_unlock(&block_of(memory_)->mutex);
  if (rc != 0) error_ = rc;
  return rc == 0;
}

}  // namespace kt
