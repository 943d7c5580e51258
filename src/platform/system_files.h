// Folder and file operations on paths of this machine (UTF-8, already passed
// through translate_path): create a folder with its parents, delete a file or
// a folder tree, empty a folder, list a folder, free space, existence checks.
//
// Failures are returned, never thrown, together with the errno value so the
// caller can put it in its own message. The operations are shaped for school
// folders of a few hundred files: listing reads the whole folder into memory
// and sorts it by name so every caller sees one order on every machine.
// Replacing a file's contents lives in system_atomic_write.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kt {

bool file_exists(const std::string& path);    // a regular file (links followed)
bool folder_exists(const std::string& path);  // a folder (links followed)

// Creates `path` and every missing folder above it; true when it exists as a
// folder afterwards. *error (when given) receives errno on failure.
bool make_folders(const std::string& path, int* error = nullptr);

// True when the file is absent or has been removed; false (and *error) when
// it exists and cannot be removed. Never removes a folder.
bool remove_file_if_present(const std::string& path, int* error = nullptr);

// Removes every entry below `folder`, the folder itself staying. Symbolic
// links are removed, never followed. True when everything went.
bool empty_folder(const std::string& folder, int* error = nullptr);
// empty_folder, then removes the folder too. An absent folder is success.
bool remove_folder_tree(const std::string& folder, int* error = nullptr);

struct FolderEntry {
  std::string name;        // as stored on disk, without the folder
  bool is_folder = false;  // links to folders count as folders
  std::uint64_t size = 0;  // bytes, 0 for folders
};
// Entries of `folder` except "." and "..", sorted by name (bytewise);
// nullopt when the folder cannot be read.
std::optional<std::vector<FolderEntry>> list_folder(const std::string& folder, int* error = nullptr);

// Bytes an unprivileged user may still write on the file system holding
// `path`; nullopt when it cannot be asked.
std::optional<std::uint64_t> free_space(const std::string& path);
// The same for the file system an open file lives on.
std::optional<std::uint64_t> free_space_of(int descriptor);

}  // namespace kt
