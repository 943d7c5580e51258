// Atomic replacement of files; see system_atomic_write.h. Written for files
// of a few kilobytes to a few megabytes (school descriptions, save files,
// reports), so one fsync per file is affordable and worth its safety.
// Invariants: the target is touched only by the final rename; a temporary
// exists only while an AtomicFile is open, and every failure path removes it.
// Temporary names carry the process id and a counter, and are opened with
// O_EXCL, so two writers never share one even in one folder.
#include "platform/system_atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <vector>

namespace kt {
namespace {

std::atomic<unsigned> g_temp_counter{0};

std::string folder_of(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable; a failure here loses nothing already
// visible, so it is not reported.
void sync_folder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The temporary beside `target` with `suffix`: "<name><suffix>", or just
// "<suffix>" in the same folder when the name is so long that the suffix
// would push it past the file-name limit (names of 250 to 255 bytes).
std::string temporary_name(const std::string& target, const std::string& suffix) {
  std::size_t slash = target.rfind('/');
  std::size_t name_length = slash == std::string::npos ? target.size() : target.size() - slash - 1;
  if (name_length + suffix.size() <= NAME_MAX) return target + suffix;
  return slash == std::string::npos ? suffix : target.substr(0, slash + 1) + suffix;
}

}  // namespace

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp_ = temporary_name(target_, ".~" + std::to_string(::getpid()) + "-" + std::to_string(g_temp_counter++));
    fd = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    error_ = errno;
    temp_.clear();
    return;
  }
  struct stat old;
  if (::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
  stream_ = ::fdopen(fd, "wb");
  if (!stream_) {
    error_ = errno;
    ::close(fd);
    ::unlink(temp_.c_str());
    temp_.clear();
  }
}

AtomicFile::~AtomicFile() { discard(); }

bool AtomicFile::write(std::string_view bytes) {
  if (!stream_) {
    if (!error_) error_ = EBADF;
    return false;
  }
  if (bytes.empty()) return true;
  if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) {
    if (!error_) error_ = errno ? errno : EIO;
    return false;
  }
  return true;
}

bool AtomicFile::commit() {
  if (!stream_) {
    if (!error_) error_ = EBADF;
    return false;
  }
  errno = 0;
  bool ok = error_ == 0 && std::fflush(stream_) == 0 && !std::ferror(stream_) &&
            ::fsync(::fileno(stream_)) == 0;
  if (!ok && !error_) error_ = errno ? errno : EIO;
  if (std::fclose(stream_) != 0 && ok) {
    error_ = errno ? errno : EIO;
    ok = false;
  }
  stream_ = nullptr;
  if (ok && ::rename(temp_.c_str(), target_.c_str()) != 0) {
    error_ = errno;
    ok = false;
  }
  if (!ok) {
    ::unlink(temp_.c_str());
  } else {
    sync_folder(folder_of(target_));
  }
  temp_.clear();
  return ok;
}

void AtomicFile::discard() {
  if (stream_) {
    std::fclose(stream_);
    stream_ = nullptr;
  }
  if (!temp_.empty()) {
    ::unlink(temp_.c_str());
    temp_.clear();
  }
}

bool write_file_atomically(const std::string& path, std::string_view bytes, int* error) {
  AtomicFile file(path);
  bool ok = file.write(bytes) && file.commit();
  if (!ok && error) *error = file.error();
  return ok;
}

CopyResult copy_file_replacing(const std::string& source, const std::string& target,
                               const CopyProgress& progress, int* error) {
  int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st;
  if (in < 0 || ::fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
    if (error) *error = in < 0 ? errno : EISDIR;
    if (in >= 0) ::close(in);
    return CopyResult::kSourceUnreadable;
  }
  const std::uint64_t total = static_cast<std::uint64_t>(st.st_size);
  AtomicFile out(target);
  std::vector<char> block(16384);
  std::uint64_t done = 0;
  CopyResult result = out.is_open() ? CopyResult::kOk : CopyResult::kTargetFailed;
  int failure = out.error();
  while (result == CopyResult::kOk) {
    ssize_t n = ::read(in, block.data(), block.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      failure = errno;
      result = CopyResult::kSourceUnreadable;
      break;
    }
    if (n == 0) break;
    if (!out.write(std::string_view(block.data(), static_cast<std::size_t>(n)))) {
      failure = out.error();
      result = CopyResult::kTargetFailed;
      break;
    }
    done += static_cast<std::uint64_t>(n);
    if (progress) progress(done, total);
  }
  ::close(in);
  if (result == CopyResult::kOk && !out.commit()) {
    failure = out.error();
    result = CopyResult::kTargetFailed;
  }
  if (result != CopyResult::kOk && error) *error = failure;
  return result;
}

}  // namespace kt
