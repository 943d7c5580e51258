// Reading zip archives: a small handle-based wrapper over minizip used to
// unpack a school folder from a backup or a received archive. Entry names
// are made safe on description (no drive prefix, no leading separator, no
// climb above the target folder), so a caller that extracts "folder\\name"
// stays inside its folder whatever the archive says.
//
// Hostile archives are expected: link entries are refused, every entry and
// the whole handle have an uncompressed size limit counted on the bytes
// actually inflated (declared sizes can lie), and a file is written to a
// temporary beside its target and renamed only when the entry inflated whole
// with a good CRC, so a corrupt archive never replaces a good file.
// Shaped for school folders: a few dozen entries of at most a few megabytes.
#pragma once

#include <cstdint>

struct UiFileTime {  // 100 ns ticks since 1601-01-01 UTC, as two halves
  std::uint32_t low = 0;
  std::uint32_t high = 0;
};

inline constexpr int kUiZipNameSize = 260;

struct UiZipEntry {
  std::int32_t index = 0;  // for index -1: the number of entries
  char name[kUiZipNameSize] = {};
  std::uint32_t attributes = 0;  // 1 read-only, 2 hidden, 4 system, 16 directory, 32 archive
  UiFileTime access_time;
  UiFileTime creation_time;
  UiFileTime write_time;
  std::int32_t compressed_size = 0;
  std::int32_t uncompressed_size = 0;
};

enum : std::uint32_t {
  kZipOk = 0,
  kZipCannotOpen = 0x200,
  kZipWriteFailed = 0x400,
  kZipMoreData = 0x600,
  kZipBadLocalHeader = 0x700,
  kZipReadFailed = 0x800,
  kZipPassword = 0x1000,
  kZipBadArgument = 0x10000,
  kZipNotReading = 0x80000,
  kZipAlreadyOpen = 0x1000000,
  kZipSeekFailed = 0x2000000,
  kZipSizeLimit = 0x3000000,    // an entry or the archive inflates past its limit
  kZipLinkRefused = 0x4000000,  // a symbolic-link entry, never created
  kZipInflateFailed = 0x5000000,
  kZipNameTooLong = 0x6000000,  // an entry name past the 259 characters a path may have
};

inline constexpr std::uint32_t kUiZipAttrReadOnly = 1;
inline constexpr std::uint32_t kUiZipAttrHidden = 2;
inline constexpr std::uint32_t kUiZipAttrSystem = 4;
inline constexpr std::uint32_t kUiZipAttrDirectory = 16;
inline constexpr std::uint32_t kUiZipAttrArchive = 32;

// A school folder's files are a few megabytes; these leave ample room and
// stop a zip bomb long before the disk fills.
inline constexpr std::uint64_t kUiZipEntryLimit = 256ull << 20;
inline constexpr std::uint64_t kUiZipTotalLimit = 1ull << 30;

struct UiZipHandle;

// Paths are program paths (1252, Windows-style; see platform/paths.h).
UiZipHandle* ui_zip_open_file(const char* path, const char* password);
UiZipHandle* ui_zip_open_memory(const void* block, std::uint32_t length, const char* password);
std::uint32_t ui_zip_get_item(UiZipHandle* handle, int index, UiZipEntry* entry);
std::uint32_t ui_zip_extract_to_file(UiZipHandle* handle, int index, const char* target);
// Pieces of at most `size` bytes per call; *produced (when given) receives
// the bytes of this piece. kZipMoreData while more remains, 0 at the end.
std::uint32_t ui_zip_extract_to_memory(UiZipHandle* handle, int index, void* block, std::uint32_t size,
                                       std::uint32_t* produced = nullptr);
// Every entry below `folder` ("%s\\%s" with the safe name); stops at the
// first failure and returns its code.
std::uint32_t ui_zip_extract_all(UiZipHandle* handle, const char* folder);
std::uint32_t ui_zip_close(UiZipHandle* handle);

// Lowers the limits of one handle (tests, callers that know better).
void ui_zip_set_limits(UiZipHandle* handle, std::uint64_t per_entry, std::uint64_t total);
std::uint32_t ui_zip_last_error();

// The name as it will be extracted: drive prefixes, leading separators and
// everything up to the last ".." component dropped; "." and empty
// components dropped; '/' between components. Empty when nothing is left.
void ui_zip_make_safe_name(const char* raw, char* out, int out_size);
// True when a name as the archive stores it reaches out of the folder it is
// extracted to: a drive prefix, a leading separator or a ".." component.
// The safe name keeps such an entry inside anyway; a caller that restores a
// whole folder refuses the archive instead, as no archive of ours has one.
bool ui_zip_name_reaches_out(const char* raw);
// The same for an entry of an open archive; false when it cannot be described.
bool ui_zip_entry_reaches_out(UiZipHandle* handle, int index);

// The user's message for a result code (1252) in language 0..2.
const char* ui_zip_error_text(std::uint32_t code, int language);
