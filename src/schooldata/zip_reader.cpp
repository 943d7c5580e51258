// The zip reader's handle, entry descriptions and extraction (see
// zip_reader.h). One handle is used by one thread; the unzip object keeps
// the minizip position so walking entries forward costs one step each, and
// the last description is cached because callers describe an entry and then
// extract it. Data is copied through one 16384-byte buffer per handle.
//
// Every byte that leaves the archive is counted against the handle's limits
// before it is written; a file becomes visible only after the entry inflated
// whole and its CRC matched (AtomicFile renames the temporary at the end).
#include "schooldata/zip_reader.h"

#include <minizip/unzip.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/system_atomic_write.h"
#include "platform/system_files.h"
#include "schooldata/zip_archive_check.h"
#include "schooldata/zip_memory_source.h"

namespace {

constexpr int kReadingKind = 1;
constexpr std::size_t kCopyBlock = 16384;
constexpr std::uint64_t kUnixEpochIn1601 = 11644473600ull;

std::atomic<std::uint32_t> g_last_zip_error{0};

std::uint32_t fail(std::uint32_t code) {
  if (code != kZipOk && code != kZipMoreData) g_last_zip_error = code;
  return code;
}

}  // namespace

struct UiZipHandle {
  int kind = kReadingKind;
  unzFile archive = nullptr;
  int position = 0;     // the entry minizip points at
  int open_index = -1;  // the entry open for reading, -1 none
  int cached_index = -1;
  UiZipEntry cached;
  bool cached_is_link = false;
  bool cached_reaches_out = false;
  bool cached_encrypted = false;
  std::string password;
  bool has_password = false;
  std::vector<char> buffer;
  std::string base;  // the current folder at opening, this machine's form, ending in '/'
  std::string path;  // the archive file, this machine's form; empty for a memory block
  std::string cached_raw_name;  // the cached entry's name as the central directory holds it
  kt_zip::MemorySource memory;
  std::uint64_t per_entry_limit = kUiZipEntryLimit;
  std::uint64_t total_limit = kUiZipTotalLimit;
  std::uint64_t total_done = 0;
  std::uint64_t entry_done = 0;
  std::uint32_t last_error = 0;  // of this handle: what ui_zip_close reports
};

namespace {

// Records a failure globally and, for a valid handle, on the handle.
std::uint32_t fail_on(UiZipHandle* h, std::uint32_t code) {
  if (code != kZipOk && code != kZipMoreData && h && h->kind == kReadingKind) h->last_error = code;
  return fail(code);
}

UiFileTime filetime_from_unix(std::int64_t t) {
  std::uint64_t ticks = static_cast<std::uint64_t>(t + static_cast<std::int64_t>(kUnixEpochIn1601)) * 10000000ull;
  return UiFileTime{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
}

std::int64_t unix_from_filetime(const UiFileTime& ft) {
  std::uint64_t ticks = (static_cast<std::uint64_t>(ft.high) << 32) | ft.low;
  return static_cast<std::int64_t>(ticks / 10000000ull) - static_cast<std::int64_t>(kUnixEpochIn1601);
}

// The DOS date and time of an entry, read as local time.
std::int64_t unix_from_dos(unsigned long dos) {
  unsigned date = static_cast<unsigned>(dos >> 16) & 0xFFFF, time = static_cast<unsigned>(dos) & 0xFFFF;
  std::tm tm{};
  tm.tm_year = static_cast<int>(date >> 9) + 1980 - 1900;
  tm.tm_mon = static_cast<int>((date >> 5) & 0x0F) - 1;
  tm.tm_mday = static_cast<int>(date & 0x1F);
  tm.tm_hour = static_cast<int>(time >> 11);
  tm.tm_min = static_cast<int>((time >> 5) & 0x3F);
  tm.tm_sec = static_cast<int>(time & 0x1F) * 2;
  tm.tm_isdst = -1;
  return static_cast<std::int64_t>(std::mktime(&tm));
}

std::uint32_t read_le32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The "UT" extended timestamp block: its flag byte names which of write,
// access and creation time follow, 4 bytes each; a block cut short keeps
// the times it holds whole.
void apply_extended_times(const std::vector<unsigned char>& extra, UiZipEntry* entry) {
  std::size_t at = 0;
  while (at + 4 <= extra.size()) {
    unsigned id = extra[at] | (extra[at + 1] << 8);
    std::size_t size = extra[at + 2] | (extra[at + 3] << 8);
    std::size_t start = at + 4, end = std::min(extra.size(), start + size);
    if (id == 0x5455 && start < end) {
      unsigned flags = extra[start];
      std::size_t p = start + 1;
      UiFileTime* slots[3] = {&entry->write_time, &entry->access_time, &entry->creation_time};
      for (int bit = 0; bit < 3; ++bit) {
        if (!(flags & (1u << bit))) continue;
        if (p + 4 > end) break;
        *slots[bit] = filetime_from_unix(static_cast<std::int32_t>(read_le32(&extra[p])));
        p += 4;
      }
    }
    at = start + size;
  }
}

std::uint32_t attributes_of(const unz_file_info64& info, bool* is_link) {
  unsigned host = static_cast<unsigned>(info.version >> 8) & 0xFF;
  std::uint32_t ext = static_cast<std::uint32_t>(info.external_fa);
  *is_link = false;
  if (host == 0 || host == 7 || host == 11 || host == 14)
    return ext & (kUiZipAttrReadOnly | kUiZipAttrHidden | kUiZipAttrSystem | kUiZipAttrDirectory | kUiZipAttrArchive);
  std::uint32_t mode = ext >> 16;
  *is_link = (mode & 0170000) == 0120000;
  std::uint32_t attributes = kUiZipAttrArchive;
  if (ext & (1u << 30)) attributes |= kUiZipAttrDirectory;
  if (!(ext & (1u << 23))) attributes |= kUiZipAttrReadOnly;
  return attributes;
}

void close_open_entry(UiZipHandle* h) {
  if (h->open_index >= 0) unzCloseCurrentFile(h->archive);
  h->open_index = -1;
}

std::uint32_t go_to_entry(UiZipHandle* h, int index) {
  if (index == h->position) return kZipOk;
  close_open_entry(h);
  if (index < h->position) {
    if (unzGoToFirstFile(h->archive) != UNZ_OK) return kZipReadFailed;
    h->position = 0;
  }
  while (h->position < index) {
    if (unzGoToNextFile(h->archive) != UNZ_OK) return kZipReadFailed;
    ++h->position;
  }
  return kZipOk;
}

int entry_count(UiZipHandle* h) {
  unz_global_info64 global;
  if (unzGetGlobalInfo64(h->archive, &global) != UNZ_OK) return 0;
  return global.number_entry > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(global.number_entry);
}

std::uint32_t check_handle(UiZipHandle* h) {
  if (!h) return kZipBadArgument;
  if (h->kind != kReadingKind) return kZipNotReading;
  return kZipOk;
}

std::uint32_t describe(UiZipHandle* h, int index, UiZipEntry* entry) {
  if (h->cached_index == index) {
    *entry = h->cached;
    return kZipOk;
  }
  if (std::uint32_t rc = go_to_entry(h, index)) return rc;
  unz_file_info64 info;
  char raw[kUiZipNameSize + 1] = {};
  if (unzGetCurrentFileInfo64(h->archive, &info, raw, sizeof raw - 1, nullptr, 0, nullptr, 0) != UNZ_OK)
    return kZipReadFailed;
  // minizip cuts a longer name to the buffer; the cut name could be a
  // folder's or another entry's, so such an entry is refused, not guessed.
  if (info.size_filename > kUiZipNameSize - 1) return kZipNameTooLong;
  std::vector<unsigned char> extra(info.size_file_extra);
  if (!extra.empty() &&
      unzGetCurrentFileInfo64(h->archive, nullptr, nullptr, 0, extra.data(), extra.size(), nullptr, 0) != UNZ_OK)
    return kZipReadFailed;
  *entry = UiZipEntry{};
  entry->index = index;
  ui_zip_make_safe_name(raw, entry->name, kUiZipNameSize);
  bool is_link = false;
  entry->attributes = attributes_of(info, &is_link);
  std::size_t raw_length = std::strlen(raw);
  if (raw_length > 0 && (raw[raw_length - 1] == '/' || raw[raw_length - 1] == '\\'))
    entry->attributes |= kUiZipAttrDirectory;
  UiFileTime when = filetime_from_unix(unix_from_dos(info.dosDate));
  entry->access_time = entry->creation_time = entry->write_time = when;
  apply_extended_times(extra, entry);
  entry->compressed_size = static_cast<std::int32_t>(std::min<std::uint64_t>(info.compressed_size, 0x7FFFFFFF));
  entry->uncompressed_size = static_cast<std::int32_t>(std::min<std::uint64_t>(info.uncompressed_size, 0x7FFFFFFF));
  h->cached = *entry;
  h->cached_index = index;
  h->cached_is_link = is_link;
  h->cached_reaches_out = ui_zip_name_reaches_out(raw);
  h->cached_raw_name.assign(raw, std::min<std::size_t>(info.size_filename, sizeof raw - 1));
  h->cached_encrypted = (info.flag & 1) != 0;
  return kZipOk;
}

// The entry's name in its own local header, which lies just before its
// extra field and its data; false when it cannot be read.
bool read_local_name(UiZipHandle* h, std::string* name) {
  std::uint64_t data = unzGetCurrentFileZStreamPos64(h->archive);
  int extra = unzGetLocalExtrafield(h->archive, nullptr, 0);
  std::uint64_t length = h->cached_raw_name.size();
  if (extra < 0 || data < static_cast<std::uint64_t>(extra) + length) return false;
  std::uint64_t at = data - static_cast<std::uint64_t>(extra) - length;
  name->assign(static_cast<std::size_t>(length), '\0');
  if (h->path.empty()) {
    if (at + length > h->memory.size) return false;
    std::memcpy(name->data(), h->memory.data + at, static_cast<std::size_t>(length));
    return true;
  }
  std::FILE* in = std::fopen(h->path.c_str(), "rb");
  if (!in) return false;
  bool ok = ::fseeko(in, static_cast<off_t>(at), SEEK_SET) == 0 &&
            std::fread(name->data(), 1, static_cast<std::size_t>(length), in) == length;
  std::fclose(in);
  return ok;
}

std::uint32_t open_entry(UiZipHandle* h, int index, UiZipEntry* entry) {
  if (std::uint32_t rc = describe(h, index, entry)) return rc;
  if (h->cached_is_link) return kZipLinkRefused;
  if (h->cached_encrypted && !h->has_password) return kZipPassword;
  if (static_cast<std::uint64_t>(entry->uncompressed_size) > h->per_entry_limit) return kZipSizeLimit;
  if (std::uint32_t rc = go_to_entry(h, index)) return rc;
  int rc = unzOpenCurrentFilePassword(h->archive, h->has_password ? h->password.c_str() : nullptr);
  if (rc == UNZ_BADZIPFILE) return kZipBadLocalHeader;
  if (rc != UNZ_OK) return kZipReadFailed;
  // The two copies of the name must agree (the reader checks only their
  // lengths): a byte changed in the directory's copy would give the entry
  // a name it never had, a file of the school restored as another.
  std::string local;
  if (!read_local_name(h, &local) || local != h->cached_raw_name) {
    unzCloseCurrentFile(h->archive);
    return kZipBadLocalHeader;
  }
  h->open_index = index;
  h->entry_done = 0;
  if (h->buffer.empty()) h->buffer.resize(kCopyBlock);
  return kZipOk;
}

// One read from the open entry into `into`: the bytes read (0 at the end), or
// a negative result code.
std::int64_t read_entry(UiZipHandle* h, void* into, std::size_t size) {
  int n = unzReadCurrentFile(h->archive, into, static_cast<unsigned>(size));
  if (n == UNZ_ERRNO) return -static_cast<std::int64_t>(kZipReadFailed);
  if (n < 0) return -static_cast<std::int64_t>(kZipInflateFailed);
  if (n == 0 && unzeof(h->archive) != 1) return -static_cast<std::int64_t>(kZipInflateFailed);
  h->entry_done += static_cast<std::uint64_t>(n);
  h->total_done += static_cast<std::uint64_t>(n);
  if (h->entry_done > h->per_entry_limit || h->total_done > h->total_limit)
    return -static_cast<std::int64_t>(kZipSizeLimit);
  return n;
}

// Closes the entry after its last byte; a CRC mismatch is corrupt data.
std::uint32_t finish_entry(UiZipHandle* h) {
  int rc = unzCloseCurrentFile(h->archive);
  h->open_index = -1;
  return rc == UNZ_OK ? kZipOk : kZipInflateFailed;
}

bool is_absolute_program_path(const std::string& p) {
  if (!p.empty() && (p[0] == '/' || p[0] == '\\')) return true;
  return p.size() >= 2 && p[1] == ':' && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
}

std::string machine_path(const UiZipHandle* h, const char* target) {
  std::string t = target;
  if (is_absolute_program_path(t)) return kt::translate_path(t);
  std::string rel = kt::translate_path(t);
  if (rel == ".") return h->base;
  return h->base + rel;
}

// A path the file system takes: no component past the file-name limit and
// the whole within the path limit (the names are UTF-8 on disk, so a 1252
// name of fewer characters can still be too long).
bool path_fits(const std::string& path) {
  if (path.size() >= PATH_MAX) return false;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t slash = path.find('/', start);
    std::size_t end = slash == std::string::npos ? path.size() : slash;
    if (end - start > NAME_MAX) return false;
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  return true;
}

std::string parent_of(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

void apply_file_metadata(const std::string& path, const UiZipEntry& entry) {
  struct timespec times[2];
  times[0].tv_sec = static_cast<time_t>(unix_from_filetime(entry.access_time));
  times[0].tv_nsec = 0;
  times[1].tv_sec = static_cast<time_t>(unix_from_filetime(entry.write_time));
  times[1].tv_nsec = 0;
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
  if (entry.attributes & kUiZipAttrReadOnly) {
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) ::chmod(path.c_str(), st.st_mode & ~static_cast<mode_t>(0222));
  }
}

std::uint32_t copy_entry_to(UiZipHandle* h, const std::string& path) {
  kt::AtomicFile out(path);
  if (!out.is_open()) return kZipCannotOpen;
  for (;;) {
    std::int64_t n = read_entry(h, h->buffer.data(), h->buffer.size());
    if (n < 0) return static_cast<std::uint32_t>(-n);
    if (n == 0) break;
    if (!out.write(std::string_view(h->buffer.data(), static_cast<std::size_t>(n)))) return kZipWriteFailed;
  }
  if (std::uint32_t rc = finish_entry(h)) return rc;
  return out.commit() ? kZipOk : kZipWriteFailed;
}

UiZipHandle* open_with(UiZipHandle* h, const std::string& path, zlib_filefunc64_def* functions) {
  if (!functions) h->path = path;
  char cwd[4096];
  h->base = ::getcwd(cwd, sizeof cwd) ? std::string(cwd) : std::string(".");
  if (h->base.back() != '/') h->base += '/';
  h->archive = functions ? unzOpen2_64(path.c_str(), functions) : unzOpen64(path.c_str());
  if (!h->archive) {
    delete h;
    fail(kZipCannotOpen);
    return nullptr;
  }
  return h;
}

UiZipHandle* make_handle(const char* password) {
  auto* h = new UiZipHandle;
  if (password) {
    h->password = password;
    h->has_password = true;
  }
  return h;
}

}  // namespace

UiZipHandle* ui_zip_open_file(const char* path, const char* password) {
  if (!path) {
    fail(kZipBadArgument);
    return nullptr;
  }
  std::string machine = kt::translate_path(path);
  if (!kt_zip::archive_file_is_whole(machine)) {
    fail(kZipCannotOpen);
    return nullptr;
  }
  return open_with(make_handle(password), machine, nullptr);
}

UiZipHandle* ui_zip_open_memory(const void* block, std::uint32_t length, const char* password) {
  if (!block) {
    fail(kZipBadArgument);
    return nullptr;
  }
  std::uint32_t span = length < 0xFFFF + 22 ? length : 0xFFFF + 22;
  if (!kt_zip::archive_tail_is_whole(static_cast<const unsigned char*>(block) + (length - span), span, length)) {
    fail(kZipCannotOpen);
    return nullptr;
  }
  UiZipHandle* h = make_handle(password);
  h->memory.data = static_cast<const unsigned char*>(block);
  h->memory.size = length;
  zlib_filefunc64_def functions;
  kt_zip::fill_memory_functions(&functions, &h->memory);
  return open_with(h, "memory", &functions);
}

std::uint32_t ui_zip_get_item(UiZipHandle* h, int index, UiZipEntry* entry) {
  if (!entry) return fail_on(h, kZipBadArgument);
  *entry = UiZipEntry{};
  if (std::uint32_t rc = check_handle(h)) return fail_on(h, rc);
  if (index == -1) {
    entry->index = entry_count(h);
    return kZipOk;
  }
  if (index < 0 || index >= entry_count(h)) return fail_on(h, kZipBadArgument);
  std::uint32_t rc = describe(h, index, entry);
  if (rc) *entry = UiZipEntry{};
  return fail_on(h, rc);
}

std::uint32_t ui_zip_extract_to_file(UiZipHandle* h, int index, const char* target) {
  if (std::uint32_t rc = check_handle(h)) return fail_on(h, rc);
  if (!target || index < 0 || index >= entry_count(h)) return fail_on(h, kZipBadArgument);
  UiZipEntry entry;
  if (std::uint32_t rc = describe(h, index, &entry)) return fail_on(h, rc);
  std::string path = machine_path(h, target);
  if (h->cached_is_link) return fail_on(h, kZipLinkRefused);
  if (!path_fits(path)) return fail_on(h, kZipNameTooLong);
  if (entry.attributes & kUiZipAttrDirectory)
    return kt::make_folders(path) ? kZipOk : fail_on(h, kZipCannotOpen);
  if (!kt::make_folders(parent_of(path))) return fail_on(h, kZipCannotOpen);
  if (std::uint32_t rc = open_entry(h, index, &entry)) return fail_on(h, rc);
  std::uint32_t rc = copy_entry_to(h, path);
  close_open_entry(h);
  if (rc) return fail_on(h, rc);
  apply_file_metadata(path, entry);
  return kZipOk;
}

std::uint32_t ui_zip_extract_to_memory(UiZipHandle* h, int index, void* block, std::uint32_t size,
                                       std::uint32_t* produced) {
  if (produced) *produced = 0;
  if (std::uint32_t rc = check_handle(h)) return fail_on(h, rc);
  if (!block || size == 0 || index < 0 || index >= entry_count(h)) return fail_on(h, kZipBadArgument);
  if (h->open_index != index) {
    close_open_entry(h);
    UiZipEntry entry;
    if (std::uint32_t rc = open_entry(h, index, &entry)) return fail_on(h, rc);
  }
  std::uint32_t filled = 0;
  auto* out = static_cast<char*>(block);
  while (filled < size) {
    std::int64_t n = read_entry(h, out + filled, size - filled);
    if (n < 0) {
      close_open_entry(h);
      return fail_on(h, static_cast<std::uint32_t>(-n));
    }
    if (n == 0) break;
    filled += static_cast<std::uint32_t>(n);
  }
  if (produced) *produced = filled;
  if (filled == size && unzeof(h->archive) != 1) return kZipMoreData;
  return fail_on(h, finish_entry(h));
}

std::uint32_t ui_zip_extract_all(UiZipHandle* h, const char* folder) {
  if (std::uint32_t rc = check_handle(h)) return fail_on(h, rc);
  if (!folder) return fail_on(h, kZipBadArgument);
  int count = entry_count(h);
  // Every name is checked before the first file is written, so an archive
  // with a name this machine cannot take leaves the folder as it was
  // instead of half extracted.
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < count; ++i) {
      UiZipEntry entry;
      if (std::uint32_t rc = ui_zip_get_item(h, i, &entry)) return rc;
      if (entry.name[0] == '\0' || h->cached_is_link) continue;
      std::string target = std::string(folder) + "\\" + entry.name;
      if (pass == 0) {
        if (!path_fits(machine_path(h, target.c_str()))) return fail_on(h, kZipNameTooLong);
      } else if (std::uint32_t rc = ui_zip_extract_to_file(h, i, target.c_str())) {
        return rc;
      }
    }
  }
  return kZipOk;
}

bool ui_zip_entry_reaches_out(UiZipHandle* h, int index) {
  UiZipEntry entry;
  return ui_zip_get_item(h, index, &entry) == kZipOk && h->cached_reaches_out;
}

std::uint32_t ui_zip_close(UiZipHandle* h) {
  if (std::uint32_t rc = check_handle(h)) return fail(rc);
  close_open_entry(h);
  unzClose(h->archive);
  std::uint32_t last = h->last_error;
  delete h;
  return last;
}

void ui_zip_set_limits(UiZipHandle* h, std::uint64_t per_entry, std::uint64_t total) {
  if (check_handle(h)) return;
  h->per_entry_limit = per_entry;
  h->total_limit = total;
}

std::uint32_t ui_zip_last_error() { return g_last_zip_error; }
