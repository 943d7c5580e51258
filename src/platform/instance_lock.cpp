// Single-instance lock; see instance_lock.h. Taken once at start-up; the
// file is a few bytes and is never removed (removing it while another copy
// waits to open it would let two copies lock two different files). The file
// is opened without truncation, so a refused copy can still read the
// holder's note; the holder rewrites the note only after it holds the lock.
// O_NOFOLLOW keeps a planted link from redirecting the open elsewhere.
#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/system_info.h"

namespace kt {

InstanceLockStatus classify_lock_open_error(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
      return InstanceLockStatus::kAccessDenied;
    default:
      return InstanceLockStatus::kFailed;
  }
}

InstanceLock::~InstanceLock() { release(); }

InstanceLock::InstanceLock(InstanceLock&& other) noexcept { *this = std::move(other); }

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
  if (this != &other) {
    release();
    fd_ = std::exchange(other.fd_, -1);
    status_ = std::exchange(other.status_, InstanceLockStatus::kFailed);
    error_ = other.error_;
    holder_ = std::move(other.holder_);
    path_ = std::move(other.path_);
  }
  return *this;
}

InstanceLock InstanceLock::acquire(const std::string& folder) {
  InstanceLock lock;
  lock.path_ = folder.empty() ? kInstanceLockFile
               : folder.back() == '/' ? folder + kInstanceLockFile
                                      : folder + "/" + kInstanceLockFile;
  // No O_TRUNC: the holder's note must survive a refused copy's open.
  int fd = ::open(lock.path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) {
    lock.error_ = errno;
    lock.status_ = classify_lock_open_error(errno);
    return lock;
  }
  int rc;
  do {
    rc = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    lock.error_ = errno;
    lock.status_ = errno == EWOULDBLOCK ? InstanceLockStatus::kHeldElsewhere : InstanceLockStatus::kFailed;
    char buffer[300];
    ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
    if (n > 0) {
      lock.holder_.assign(buffer, static_cast<std::size_t>(n));
      while (!lock.holder_.empty() && (lock.holder_.back() == '\n' || lock.holder_.back() == '\0'))
        lock.holder_.pop_back();
    }
    ::close(fd);
    return lock;
  }
  std::string note = std::to_string(::getpid()) + " " + user_name() + "\n";
  if (::ftruncate(fd, 0) == 0) {
    ssize_t written = ::pwrite(fd, note.data(), note.size(), 0);
    (void)written;  // the note is a courtesy; the lock is what matters
  }
  lock.fd_ = fd;
  lock.status_ = InstanceLockStatus::kAcquired;
  return lock;
}

int InstanceLock::shown_code() const {
  switch (status_) {
    case InstanceLockStatus::kAccessDenied:
      return 5;
    case InstanceLockStatus::kHeldElsewhere:
      return 32;
    default:
      return error_;
  }
}

void InstanceLock::release() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (status_ == InstanceLockStatus::kAcquired) status_ = InstanceLockStatus::kFailed;
}

}  // namespace kt
