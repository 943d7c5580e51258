// Folder and file operations; see system_files.h. Plain POSIX calls so the
// errno of a failure reaches the caller unchanged. Recursion in empty_folder
// follows the depth of the tree, which in school folders is two or three.
// Invariant: deletion works through descriptors of the folders it walks
// (openat/unlinkat with O_NOFOLLOW), so a symbolic link inside a tree is
// removed as a link and what it points to is never touched.
#include "platform/system_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace kt {
namespace {

void set_error(int* error, int value) {
  if (error) *error = value;
}

std::string join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// Removes the entries of the open folder `fd`; relative calls (unlinkat,
// openat) keep working when a caller renames a parent meanwhile.
bool empty_folder_at(int fd, int* error) {
  DIR* dir = ::fdopendir(fd);
  if (!dir) {
    set_error(error, errno);
    ::close(fd);
    return false;
  }
  bool ok = true;
  std::vector<std::string> names;
  while (dirent* e = ::readdir(dir)) {
    std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  for (const std::string& name : names) {
    struct stat st;
    if (::fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      int sub = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (sub < 0) {
        set_error(error, errno);
        ok = false;
      } else if (!empty_folder_at(sub, error)) {
        ok = false;
      } else if (::unlinkat(fd, name.c_str(), AT_REMOVEDIR) != 0) {
        set_error(error, errno);
        ok = false;
      }
    } else if (::unlinkat(fd, name.c_str(), 0) != 0 && errno != ENOENT) {
      set_error(error, errno);
      ok = false;
    }
  }
  ::closedir(dir);
  return ok;
}

}  // namespace

bool file_exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool folder_exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool make_folders(const std::string& path, int* error) {
  if (path.empty()) {
    set_error(error, ENOENT);
    return false;
  }
  std::size_t pos = 0;
  while (pos != std::string::npos) {
    pos = path.find('/', pos + 1);
    std::string prefix = path.substr(0, pos);
    if (prefix.empty() || folder_exists(prefix)) continue;
    if (::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) {
      set_error(error, errno);
      return false;
    }
  }
  if (!folder_exists(path)) {
    set_error(error, ENOTDIR);
    return false;
  }
  return true;
}

bool remove_file_if_present(const std::string& path, int* error) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT || errno == ENOTDIR;
  if (S_ISDIR(st.st_mode)) {
    set_error(error, EISDIR);
    return false;
  }
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
    set_error(error, errno);
    return false;
  }
  return true;
}

bool empty_folder(const std::string& folder, int* error) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    set_error(error, errno);
    return false;
  }
  return empty_folder_at(fd, error);
}

bool remove_folder_tree(const std::string& folder, int* error) {
  struct stat st;
  if (::lstat(folder.c_str(), &st) != 0) return errno == ENOENT;
  if (!S_ISDIR(st.st_mode)) {
    set_error(error, ENOTDIR);
    return false;
  }
  if (!empty_folder(folder, error)) return false;
  if (::rmdir(folder.c_str()) != 0) {
    set_error(error, errno);
    return false;
  }
  return true;
}

std::optional<std::vector<FolderEntry>> list_folder(const std::string& folder, int* error) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) {
    set_error(error, errno);
    return std::nullopt;
  }
  std::vector<FolderEntry> entries;
  while (dirent* e = ::readdir(dir)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    FolderEntry entry;
    entry.name = name;
    struct stat st;
    if (::stat(join(folder, name).c_str(), &st) == 0) {
      entry.is_folder = S_ISDIR(st.st_mode);
      if (!entry.is_folder) entry.size = static_cast<std::uint64_t>(st.st_size);
    }
    entries.push_back(std::move(entry));
  }
  ::closedir(dir);
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return entries;
}

std::optional<std::uint64_t> free_space(const std::string& path) {
  struct statvfs st;
  if (::statvfs(path.empty() ? "." : path.c_str(), &st) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(st.f_bavail) * st.f_frsize;
}

std::optional<std::uint64_t> free_space_of(int descriptor) {
  struct statvfs st;
  if (::fstatvfs(descriptor, &st) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(st.f_bavail) * st.f_frsize;
}

}  // namespace kt
