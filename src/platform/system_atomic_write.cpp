// Atomic replacement of files; see system_atomic_write.h. Written for files
// of a few kilobytes to a few megabytes (school descriptions, save files,
// reports), so one fsync per file is affordable and worth its safety.
// Invariants: the target is touched only by the final rename; a temporary
// exists only while an AtomicFile is open, and every failure path removes it.
// Temporary names carry the process id and a counter, and are opened with
// O_EXCL, so two writers never share one even in one folder.
#include "platform/system_atomic_write.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

namespace kt {
namespace {

std::atomic<unsigned> g_temp_counter{0};
std::atomic<AtomicFault> g_fault{nullptr};

int fault_at(AtomicStep step, const std::string& target) {
  AtomicFault fault = g_fault.load();
  return fault != nullptr ? fault(step, target) : 0;
}

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
  if (int injected = fault_at(AtomicStep::kWrite, target_)) {
    if (!error_) error_ = injected;
    return false;
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) {
    if (!error_) error_ = errno ? errno : EIO;
    return false;
  }
  return true;
}

bool AtomicFile::prepare() {
  if (prepared_) return true;
  if (!stream_) {
    if (!error_) error_ = EBADF;
    return false;
  }
  errno = 0;
  bool ok = error_ == 0 && std::fflush(stream_) == 0 && !std::ferror(stream_);
  if (ok) {
    int injected = fault_at(AtomicStep::kSync, target_);
    if (injected) errno = injected;
    ok = injected == 0 && ::fsync(::fileno(stream_)) == 0;
  }
  if (!ok && !error_) error_ = errno ? errno : EIO;
  if (std::fclose(stream_) != 0 && ok) {
    error_ = errno ? errno : EIO;
    ok = false;
  }
  stream_ = nullptr;
  if (!ok) {
    ::unlink(temp_.c_str());
    temp_.clear();
    return false;
  }
  prepared_ = true;
  return true;
}

bool AtomicFile::commit() {
  if (!prepare()) return false;
  prepared_ = false;
  int injected = fault_at(AtomicStep::kRename, target_);
  if (injected != 0 || ::rename(temp_.c_str(), target_.c_str()) != 0) {
    error_ = injected != 0 ? injected : errno;
    ::unlink(temp_.c_str());
    temp_.clear();
    return false;
  }
  sync_folder(folder_of(target_));
  temp_.clear();
  return true;
}

void AtomicFile::release() {
  if (prepared_) temp_.clear();
  prepared_ = false;
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
  prepared_ = false;
}

void set_atomic_write_fault(AtomicFault fault) { g_fault.store(fault); }

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

namespace {

std::string name_of(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

constexpr const char* kMarkerHead = "KT-COMMIT";
constexpr const char* kMarkerEnd = "END";

// The pid of a temporary name of this layer ("<name>.~<pid>-<n>") or of the
// engine ("<name>.kt-tmp-<pid>" or "<name>.kt-tmp-<pid>-<n>"); 0 for any
// other name.
long temporary_owner(const std::string& name) {
  auto digits = [&](std::size_t from, std::size_t to) {
    if (from >= to) return false;
    for (std::size_t i = from; i < to; ++i) {
      if (name[i] < '0' || name[i] > '9') return false;
    }
    return true;
  };
  std::size_t start = std::string::npos;
  bool counter_required = false;
  if (std::size_t at = name.rfind(".~"); at != std::string::npos && at > 0) {
    start = at + 2;
    counter_required = true;
  } else if (std::size_t kt = name.rfind(".kt-tmp-"); kt != std::string::npos && kt > 0) {
    start = kt + 8;
  }
  if (start == std::string::npos) return 0;
  std::size_t dash = name.find('-', start);
  std::size_t pid_end = dash == std::string::npos ? name.size() : dash;
  if (counter_required && dash == std::string::npos) return 0;
  if (!digits(start, pid_end) || pid_end - start > 9) return 0;
  if (dash != std::string::npos && !digits(dash + 1, name.size())) return 0;
  return std::strtol(name.c_str() + start, nullptr, 10);
}

// The identity of the file at path (device, inode, size and time of the last
// change), "-" when there is none: a file replaced since (another save, a
// copy, even one written over it in place) has another one.
std::string file_identity(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return "-";
  return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" + std::to_string(info.st_size) + ":" +
         std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec);
}

}  // namespace

bool replace_files_together(const std::vector<std::pair<std::string, std::string>>& files,
                            const std::string& marker, std::string* failed_path, int* error) {
  auto fail = [&](const std::string& path, int why) {
    if (failed_path) *failed_path = path;
    if (error) *error = why != 0 ? why : EIO;
    return false;
  };
  const std::string folder = folder_of(marker);
  std::vector<std::unique_ptr<AtomicFile>> temporaries;
  for (const auto& [path, bytes] : files) {
    // The renames are only as safe as the marker beside them.
    if (folder_of(path) != folder) return fail(path, EXDEV);
    auto file = std::make_unique<AtomicFile>(path);
    if (!file->write(bytes) || !file->prepare()) return fail(path, file->error());
    temporaries.push_back(std::move(file));
  }
  std::string text = std::string(kMarkerHead) + " " + std::to_string(::getpid()) + "\n";
  // Each target's identity before the renames: a completion that finds a
  // target replaced since leaves it alone.
  for (const auto& file : temporaries) {
    text += name_of(file->temporary_path()) + "\t" + name_of(file->target()) + "\t" + file_identity(file->target()) +
            "\n";
  }
  text += std::string(kMarkerEnd) + "\n";
  int why = 0;
  if (!write_file_atomically(marker, text, &why)) return fail(marker, why);
  // The new contents are decided from here on: a crash leaves the marker,
  // and the temporaries it names, to complete_files_together.
  for (const auto& file : temporaries) file->release();
  // A rename that fails now leaves the marker for the next completion; no
  // path is named, since the new contents are decided but not all in place.
  if (complete_files_together(marker, &why) != Completion::kCompleted) return fail(std::string(), why);
  return true;
}

Completion complete_files_together(const std::string& marker, int* error) {
  int fd = ::open(marker.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return Completion::kNothing;
    if (error) *error = errno;
    return Completion::kFailed;
  }
  std::string text;
  char block[4096];
  for (;;) {
    ssize_t n = ::read(fd, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (error) *error = errno;
      ::close(fd);
      return Completion::kFailed;
    }
    if (n == 0) break;
    text.append(block, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return complete_files_as_marked(marker, text, error);
}

Completion complete_files_as_marked(const std::string& marker, const std::string& text, int* error) {
  const std::string folder = folder_of(marker);
  struct Rename {
    std::string temporary, target, identity;  // identity empty: not recorded
  };
  std::vector<Rename> renames;
  std::istringstream lines(text);
  std::string line;
  bool whole = std::getline(lines, line) && line.rfind(kMarkerHead, 0) == 0;
  bool ended = false;
  while (whole && !ended && std::getline(lines, line)) {
    std::size_t tab = line.find('\t');
    std::size_t second = tab == std::string::npos ? tab : line.find('\t', tab + 1);
    if (line == kMarkerEnd) {
      ended = true;
    } else if (tab == 0 || tab == std::string::npos || line.find('/') != std::string::npos || tab + 1 >= line.size() ||
               second == tab + 1 || (second != std::string::npos && second + 1 >= line.size())) {
      whole = false;
    } else {
      renames.push_back({folder + "/" + line.substr(0, tab),
                         folder + "/" + line.substr(tab + 1, second == std::string::npos ? second : second - tab - 1),
                         second == std::string::npos ? std::string() : line.substr(second + 1)});
    }
  }
  // A marker is written whole or not at all; one that is not whole was not
  // written by a save, and decides nothing: the temporaries stay stale.
  if (whole && ended) {
    // The renames go in the marker's order, so the temporaries a stopped
    // save left are the last ones; one missing after one still there was
    // lost, not renamed, and renaming the rest would mix two saves.
    bool left = false, replaced = false;
    for (const Rename& r : renames) {
      bool there = ::access(r.temporary.c_str(), F_OK) == 0;
      if (left && !there) {
        if (error) *error = ENOENT;
        return Completion::kFailed;
      }
      left = left || there;
      replaced = replaced || (there && !r.identity.empty() && file_identity(r.target) != r.identity);
    }
    if (replaced) {
      // The files were replaced since the save stopped (a restore, a copy):
      // they are newer than the save, which is dropped.
      for (const Rename& r : renames) ::unlink(r.temporary.c_str());
      if (::unlink(marker.c_str()) != 0 && errno != ENOENT) {
        if (error) *error = errno;
        return Completion::kFailed;
      }
      sync_folder(folder);
      return Completion::kAbandoned;
    }
    for (const Rename& r : renames) {
      int injected = fault_at(AtomicStep::kRename, r.target);
      if (injected == 0 && ::rename(r.temporary.c_str(), r.target.c_str()) == 0) continue;
      // A temporary no longer there was renamed before the save stopped.
      if (injected == 0 && errno == ENOENT) continue;
      if (error) *error = injected != 0 ? injected : errno;
      return Completion::kFailed;
    }
    sync_folder(folder);
  }
  if (::unlink(marker.c_str()) != 0 && errno != ENOENT) {
    if (error) *error = errno;
    return Completion::kFailed;
  }
  sync_folder(folder);
  return whole && ended ? Completion::kCompleted : Completion::kNothing;
}

int remove_stale_temporaries(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return 0;
  int removed = 0;
  const long self = ::getpid();
  while (const dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    long owner = temporary_owner(name);
    if (owner <= 0 || owner == self) continue;
    // A process still running (or one we may not signal) owns it.
    if (::kill(static_cast<pid_t>(owner), 0) == 0 || errno != ESRCH) continue;
    std::string path = folder + "/" + name;
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    if (::unlink(path.c_str()) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

}  // namespace kt
