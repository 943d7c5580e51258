// Folder lock; see folder_lock.h. Taken once per engine command, so the few
// system calls of a retry loop cost nothing; the loop is bounded because
// every retry means another process removed the file in between, which a
// handful of holders in a row cannot keep doing.
#include "platform/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

namespace kt {

FolderLock::~FolderLock() { release(); }

FolderLock::FolderLock(FolderLock&& other) noexcept { *this = std::move(other); }

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    release();
    fd_ = std::exchange(other.fd_, -1);
    status_ = std::exchange(other.status_, FolderLockStatus::kFailed);
    error_ = other.error_;
    holder_ = other.holder_;
    path_ = std::move(other.path_);
  }
  return *this;
}

FolderLock FolderLock::acquire(const std::string& path) {
  FolderLock lock;
  lock.path_ = path;
  lock.error_ = EAGAIN;
  for (int attempt = 0; attempt < 20; ++attempt) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
      lock.error_ = errno;
      return lock;
    }
    int rc;
    do {
      rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
      lock.error_ = errno;
      if (errno == EWOULDBLOCK) {
        lock.status_ = FolderLockStatus::kHeldElsewhere;
        char note[32] = {};
        if (::pread(fd, note, sizeof note - 1, 0) > 0) lock.holder_ = std::strtol(note, nullptr, 10);
      }
      ::close(fd);
      return lock;
    }
    struct stat held {}, named {};
    if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
        held.st_ino == named.st_ino) {
      std::string note = std::to_string(::getpid()) + "\n";
      if (::ftruncate(fd, 0) == 0) {
        ssize_t written = ::pwrite(fd, note.data(), note.size(), 0);
        (void)written;  // the note only names the holder; the lock is what matters
      }
      lock.fd_ = fd;
      lock.error_ = 0;
      lock.status_ = FolderLockStatus::kAcquired;
      return lock;
    }
    ::close(fd);  // the file was removed by its last holder: take the new one
  }
  return lock;
}

void FolderLock::release() {
  if (fd_ < 0) return;
  // Removed while still locked, so no other process can lock this file
  // and believe it holds the folder.
  ::unlink(path_.c_str());
  ::close(fd_);
  fd_ = -1;
  status_ = FolderLockStatus::kFailed;
}

}  // namespace kt
