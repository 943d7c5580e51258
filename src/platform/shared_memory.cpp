// Named shared memory; see shared_memory.h. Objects live in /dev/shm; the
// mapping stays valid after the name is removed, so the creator may go away
// while workers still use the area. Sizes here are tens of kilobytes.
// Descriptors are closed right after mapping (the mapping keeps the object)
// and opened close-on-exec, so started copies inherit nothing; they open the
// area again by name. New objects are 0600: only the same user may map them.
#include "platform/shared_memory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>
#include <signal.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

namespace kt {

std::string shm_object_name(std::string_view windows_name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "/";
  for (char ch : windows_name) {
    unsigned char c = static_cast<unsigned char>(ch);
    bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                 c == '.' || c == '_' || c == '-';
    if (plain) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  out += '.' + std::to_string(::geteuid());
  return out;
}

SharedMemory::~SharedMemory() { close(); }

SharedMemory::SharedMemory(SharedMemory&& other) noexcept { *this = std::move(other); }

SharedMemory& SharedMemory::operator=(SharedMemory&& other) noexcept {
  if (this != &other) {
    close();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    creator_ = std::exchange(other.creator_, false);
    name_ = std::move(other.name_);
    status_ = other.status_;
    error_ = other.error_;
  }
  return *this;
}

SharedMemory SharedMemory::create(std::string_view windows_name, std::size_t size) {
  SharedMemory shm;
  shm.name_ = shm_object_name(windows_name);
  // A name left by a run that crashed would hand us its old contents and
  // size; the single-instance lock means no live main process owns it.
  ::shm_unlink(shm.name_.c_str());
  int fd = ::shm_open(shm.name_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    shm.error_ = errno;
    return shm;
  }
  void* p = MAP_FAILED;
  if (size > 0 && ::ftruncate(fd, static_cast<off_t>(size)) == 0)
    p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  shm.error_ = size == 0 ? EINVAL : errno;
  ::close(fd);
  if (p == MAP_FAILED) {
    ::shm_unlink(shm.name_.c_str());
    return shm;
  }
  shm.data_ = p;
  shm.size_ = size;
  shm.creator_ = true;
  shm.status_ = ShmStatus::kOk;
  shm.error_ = 0;
  return shm;
}

SharedMemory SharedMemory::open(std::string_view windows_name, std::size_t size) {
  SharedMemory shm;
  shm.name_ = shm_object_name(windows_name);
  int fd = ::shm_open(shm.name_.c_str(), O_RDWR | O_CLOEXEC, 0);
  if (fd < 0) {
    shm.error_ = errno;
    if (errno == ENOENT) shm.status_ = ShmStatus::kNotFound;
    return shm;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    shm.error_ = errno;
    ::close(fd);
    return shm;
  }
  if (size == 0 || static_cast<std::size_t>(st.st_size) < size) {
    shm.error_ = EINVAL;
    shm.status_ = ShmStatus::kTooSmall;
    ::close(fd);
    return shm;
  }
  void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  shm.error_ = errno;
  ::close(fd);
  if (p == MAP_FAILED) return shm;
  shm.data_ = p;
  shm.size_ = size;
  shm.status_ = ShmStatus::kOk;
  shm.error_ = 0;
  return shm;
}

void SharedMemory::close() {
  if (data_) ::munmap(data_, size_);
  if (creator_ && !name_.empty()) ::shm_unlink(name_.c_str());
  data_ = nullptr;
  size_ = 0;
  creator_ = false;
}

void SharedMemory::remove(std::string_view windows_name) {
  ::shm_unlink(shm_object_name(windows_name).c_str());
}

int SharedMemory::remove_orphans(std::string_view windows_name) {
  // "/<name>.<uid>" of an empty tag gives the parts before and after it.
  std::string whole = shm_object_name(std::string(windows_name) + ".");
  std::string suffix = "." + std::to_string(::geteuid());
  std::string prefix = whole.substr(1, whole.size() - 1 - suffix.size());
  DIR* folder = ::opendir("/dev/shm");
  if (!folder) return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(folder)) {
    std::string_view name = entry->d_name;
    if (name.size() <= prefix.size() + suffix.size() || name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - suffix.size()) != suffix)
      continue;
    std::string tag(name.substr(prefix.size(), name.size() - prefix.size() - suffix.size()));
    if (tag.size() > 9 || tag.find_first_not_of("0123456789") != std::string::npos) continue;
    long pid = std::strtol(tag.c_str(), nullptr, 10);
    if (pid <= 0 || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    if (::shm_unlink(("/" + std::string(name)).c_str()) == 0) ++removed;
  }
  ::closedir(folder);
  return removed;
}

}  // namespace kt
