// Restoring a school from its archive (see school_archive.h). The archive is
// read whole into memory and opened with ui_zip_open_memory, as an archive
// received from elsewhere would be; every entry is inflated (its CRC checked
// by the reader, its size bounded) before a single byte is written, so a
// damaged or hostile archive is refused with the school as it was. Names
// come from the reader's safe names, and the plan is written only below the
// school folder it restores into.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "platform/system_atomic_write.h"
#include "platform/system_files.h"
#include "remote/school_archive.h"
#include "schooldata/later_work_aside.h"
#include "schooldata/school_files.h"
#include "schooldata/zip_reader.h"
#include "shell/ml_text.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kUnixEpochIn1601 = 11644473600ull;

const MlText kDamaged = {"Archivio non ripristinato: %s.",
                         "Archiv nicht wiederhergestellt: %s.",
                         "Archive not restored: %s."};
const MlText kReachesOut = {
    "Archivio non ripristinato: il file [%s] vi \xE8 registrato con un percorso che porta fuori dalla cartella "
    "della scuola.",
    "Archiv nicht wiederhergestellt: die Datei [%s] ist darin mit einem Pfad gespeichert, der aus dem Ordner der "
    "Schule hinausf\xFChrt.",
    "Archive not restored: the file [%s] is stored in it with a path that leads out of the school folder."};
const MlText kStrayFile = {"Archivio non ripristinato: contiene il file [%s], che non appartiene a una scuola.",
                           "Archiv nicht wiederhergestellt: es enth\xE4lt die Datei [%s], die zu keiner Schule geh\xF6rt.",
                           "Archive not restored: it holds the file [%s], which belongs to no school."};
const MlText kTwice = {"Archivio non ripristinato: il file [%s] compare due volte.",
                       "Archiv nicht wiederhergestellt: die Datei [%s] kommt zweimal vor.",
                       "Archive not restored: the file [%s] appears twice."};
const MlText kNoSchool = {"Archivio non ripristinato: non contiene una scuola (manca scuola2.txt).",
                          "Archiv nicht wiederhergestellt: es enth\xE4lt keine Schule (scuola2.txt fehlt).",
                          "Archive not restored: it holds no school (scuola2.txt is missing)."};
const MlText kTooLarge = {"Archivio non ripristinato: il file \xE8 troppo grande per l'archivio di una scuola.",
                          "Archiv nicht wiederhergestellt: die Datei ist zu gro\xDF f\xFCr das Archiv einer Schule.",
                          "Archive not restored: the file is too large for the archive of a school."};
const MlText kCannotReadArchive = {"Impossibile leggere l'archivio (%s):\r\n%s",
                                   "Das Archiv kann nicht gelesen werden (%s):\r\n%s",
                                   "The archive cannot be read (%s):\r\n%s"};
const MlText kNotAFolder = {"Archivio non ripristinato: [%s] esiste gi\xE0 e non \xE8 una cartella.",
                            "Archiv nicht wiederhergestellt: [%s] ist bereits vorhanden und kein Ordner.",
                            "Archive not restored: [%s] already exists and is not a folder."};
const MlText kCannotWrite = {"Archivio non ripristinato (%s):\r\n%s", "Archiv nicht wiederhergestellt (%s):\r\n%s",
                             "Archive not restored (%s):\r\n%s"};
const MlText kHalfWritten = {
    "Ripristino interrotto (%s) mentre scriveva [%s]: i file della scuola non sono stati sostituiti, alcuni "
    "file delle sottocartelle s\xEC.",
    "Wiederherstellung abgebrochen (%s) beim Schreiben von [%s]: die Dateien der Schule wurden nicht ersetzt, "
    "einige Dateien der Unterordner schon.",
    "Restore stopped (%s) while writing [%s]: the school's files were not replaced, some files of the "
    "sub-folders were."};
const MlText kRestored = {"Scuola ripristinata nella cartella [%s] (%d file).",
                          "Schule im Ordner [%s] wiederhergestellt (%d Dateien).",
                          "School restored into the folder [%s] (%d files)."};

std::string format(const MlText& text, const std::string& a, const std::string& b = std::string()) {
  std::vector<char> out(std::string(text.Get()).size() + a.size() + b.size() + 16);
  std::snprintf(out.data(), out.size(), text.Get(), a.c_str(), b.c_str());
  return out.data();
}

std::int64_t unix_time(const UiFileTime& t) {
  std::uint64_t ticks = (static_cast<std::uint64_t>(t.high) << 32) | t.low;
  return static_cast<std::int64_t>(ticks / 10000000ull) - static_cast<std::int64_t>(kUnixEpochIn1601);
}

// The entry's bytes through the reader, piece by piece.
std::uint32_t inflate_entry(UiZipHandle* zip, int index, std::string* bytes) {
  char piece[16384];
  for (;;) {
    std::uint32_t produced = 0;
    std::uint32_t rc = ui_zip_extract_to_memory(zip, index, piece, sizeof piece, &produced);
    bytes->append(piece, produced);
    if (rc != kZipMoreData) return rc;
  }
}

// The school folder's name from the archive's file name: without its
// folder and ".zip".
std::string stem(const std::string& archive_name) {
  std::string name = archive_name;
  std::size_t slash = name.find_last_of("/\\");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  if (name.size() > 4 && kt::cp1252_upper_copy(name.substr(name.size() - 4)) == ".ZIP") name.erase(name.size() - 4);
  return name;
}

// As the names of new school folders: letters and digits kept, every other
// character '_'.
std::string folder_name(const std::string& raw) {
  std::string out = raw;
  for (char& c : out)
    if (!or_is_alnum(static_cast<unsigned char>(c))) c = '_';
  return out;
}

// The archive's own folder name, when it can name a folder of the data root
// as it is, so the school comes back into the folder it was archived from
// ("Liceo Galilei" as much as "liceo"): one component, not hidden (the
// lists skip names that begin with '.', and restores stage under such
// names), and none of the characters a pen's or another system's file
// names refuse.
bool usable_as_is(const std::string& name) {
  if (name.empty() || name[0] == '.' || name[0] == ' ' || name.back() == ' ' || name.back() == '.') return false;
  for (unsigned char c : name)
    if (c < 32 || c == 127 || std::strchr("\\/:*?\"<>|", c)) return false;
  return true;
}

// One top folder for every file: it is the school's folder and goes from the names.
void take_top_folder(RestorePlan* plan, const std::string& archive_name) {
  std::string top;
  bool shared = !plan->files.empty();
  for (const RestorePlan::File& f : plan->files) {
    std::size_t slash = f.name.find('/');
    std::string first = slash == std::string::npos ? std::string() : f.name.substr(0, slash);
    if (first.empty() || (!top.empty() && first != top)) shared = false;
    if (top.empty()) top = first;
  }
  if (shared) {
    for (RestorePlan::File& f : plan->files) f.name.erase(0, top.size() + 1);
  } else {
    top = stem(archive_name);
  }
  plan->folder = shared && usable_as_is(top) ? top : folder_name(top);
}

bool fits(const fs::path& path) {
  if (path.native().size() >= PATH_MAX) return false;
  for (const fs::path& part : path)
    if (part.native().size() > NAME_MAX) return false;
  return true;
}

void set_time(const fs::path& path, std::int64_t when) {
  struct timespec times[2];
  times[0].tv_sec = times[1].tv_sec = static_cast<time_t>(when);
  times[0].tv_nsec = times[1].tv_nsec = 0;
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

// Writes one file below `folder`, its folders first; errno on failure.
int write_one(const fs::path& folder, const RestorePlan::File& f) {
  fs::path path = folder / kt::cp1252_to_utf8(f.name);
  int error = 0;
  if (!kt::make_folders(path.parent_path().string(), &error)) return error ? error : EIO;
  if (!kt::write_file_atomically(path.string(), f.bytes, &error)) return error ? error : EIO;
  set_time(path, f.written);
  return 0;
}

bool folder_holds_files(const fs::path& folder) {
  auto entries = kt::list_folder(folder.string());
  return !entries || !entries->empty();
}

}  // namespace

bool og_is_replacement_leftover(const std::string& name) {
  if (name == og_school_commit_marker_name() || name.find(".kt-tmp-") != std::string::npos) return true;
  std::size_t at = name.rfind(".~");
  return at != std::string::npos && at + 2 < name.size() && name[at + 2] >= '0' && name[at + 2] <= '9';
}

bool og_load_archive_file(const std::string& path, std::string* bytes, std::string* why) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    *why = format(kCannotReadArchive, og_write_failure_reason(errno ? errno : ENOENT), kt::utf8_to_cp1252(path));
    return false;
  }
  if (static_cast<std::uint64_t>(st.st_size) > kArchiveFileLimit) {
    *why = kTooLarge.Get();
    return false;
  }
  std::FILE* in = std::fopen(path.c_str(), "rb");
  bytes->assign(static_cast<std::size_t>(st.st_size), '\0');
  bool ok = in && std::fread(bytes->data(), 1, bytes->size(), in) == bytes->size() && !std::ferror(in);
  int error = errno;
  if (in) std::fclose(in);
  if (!ok) *why = format(kCannotReadArchive, og_write_failure_reason(error ? error : EIO), kt::utf8_to_cp1252(path));
  return ok;
}

bool og_read_school_archive(const void* block, std::uint32_t length, const std::string& archive_name,
                            RestorePlan* plan, std::string* why) {
  *plan = RestorePlan{};
  int language = ui_language();
  UiZipHandle* zip = ui_zip_open_memory(block, length, nullptr);
  if (!zip) {
    *why = format(kDamaged, ui_zip_error_text(ui_zip_last_error(), language));
    return false;
  }
  ui_zip_set_limits(zip, kArchiveEntryLimit, kArchiveTotalLimit);
  UiZipEntry count;
  std::uint32_t rc = ui_zip_get_item(zip, -1, &count);
  std::set<std::string> seen;
  for (int i = 0; rc == kZipOk && i < count.index; ++i) {
    UiZipEntry entry;
    if ((rc = ui_zip_get_item(zip, i, &entry)) != kZipOk) break;
    if (ui_zip_entry_reaches_out(zip, i)) {
      *why = format(kReachesOut, entry.name);
      ui_zip_close(zip);
      return false;
    }
    if ((entry.attributes & kUiZipAttrDirectory) || entry.name[0] == '\0') continue;
    std::string name = entry.name;
    std::string base = name.substr(name.find_last_of('/') + 1);
    const MlText* refusal = og_is_replacement_leftover(base) ? &kStrayFile : nullptr;
    if (!seen.insert(kt::cp1252_upper_copy(name)).second) refusal = &kTwice;
    if (refusal) {
      *why = format(*refusal, name);
      ui_zip_close(zip);
      return false;
    }
    RestorePlan::File file;
    file.name = name;
    file.written = unix_time(entry.write_time);
    if ((rc = inflate_entry(zip, i, &file.bytes)) != kZipOk) break;
    plan->files.push_back(std::move(file));
  }
  ui_zip_close(zip);
  if (rc != kZipOk) {
    *plan = RestorePlan{};
    *why = format(kDamaged, ui_zip_error_text(rc, language));
    return false;
  }
  take_top_folder(plan, archive_name);
  bool school = false;
  for (const RestorePlan::File& f : plan->files) school = school || kt::cp1252_upper_copy(f.name) == "SCUOLA2.TXT";
  if (!school || plan->folder.empty()) {
    *plan = RestorePlan{};
    *why = kNoSchool.Get();
    return false;
  }
  return true;
}

ArchiveResult og_restore_school_archive(const RestorePlan& plan, const std::string& data_root,
                                        const std::function<bool(const std::string& folder)>& confirm_replace) {
  ArchiveResult result;
  fs::path target = fs::path(data_root) / kt::cp1252_to_utf8(plan.folder);
  for (const RestorePlan::File& f : plan.files) {
    if (!fits(target / kt::cp1252_to_utf8(f.name))) {
      result.message = format(kDamaged, ui_zip_error_text(kZipNameTooLong, ui_language()));
      return result;
    }
  }
  std::error_code error;
  bool exists = fs::exists(target, error) || fs::is_symlink(target, error);
  if (exists && !fs::is_directory(target, error)) {
    result.message = format(kNotAFolder, plan.folder);
    return result;
  }
  if (exists && folder_holds_files(target) && !(confirm_replace && confirm_replace(plan.folder))) {
    result.cancelled = true;
    return result;
  }
  std::string failed;
  int failure = 0;
  LaterWorkAside aside;
  if (!exists) {
    // Written whole under a name the folder lists skip, then renamed.
    fs::path staging =
        fs::path(data_root) / kt::cp1252_to_utf8("." + plan.folder + ".ripristino-" + std::to_string(::getpid()));
    kt::remove_folder_tree(staging.string());
    for (const RestorePlan::File& f : plan.files)
      if ((failure = write_one(staging, f)) != 0) {
        failed = f.name;
        break;
      }
    if (!failure) {
      fs::rename(staging, target, error);
      failure = error.value();
      if (failure) failed = plan.folder;
    }
    if (failure) kt::remove_folder_tree(staging.string());
  } else {
    // The sub-folders' files one by one, then the school's own files
    // together: a failure on the way leaves the school's files as they were.
    std::vector<std::pair<std::string, std::string>> together;
    for (const RestorePlan::File& f : plan.files) {
      if (f.name.find('/') == std::string::npos) {
        together.emplace_back((target / kt::cp1252_to_utf8(f.name)).string(), f.bytes);
      } else if ((failure = write_one(target, f)) != 0) {
        result.message = format(kHalfWritten, og_write_failure_reason(failure), f.name);
        return result;
      }
    }
    std::string path;
    if (!kt::replace_files_together(together, (target / og_school_commit_marker_name()).string(), &path, &failure)) {
      failed = path.empty() ? plan.folder : kt::utf8_to_cp1252(fs::path(path).filename().string());
      if (!failure) failure = EIO;
    } else {
      for (const RestorePlan::File& f : plan.files)
        if (f.name.find('/') == std::string::npos) set_time(target / kt::cp1252_to_utf8(f.name), f.written);
      // Only now that the archive's files are in place (a failed restore
      // keeps the later work where it was): the school's data files the
      // archive lacks would be read with its older description.
      std::set<std::string> written;
      for (const RestorePlan::File& f : plan.files)
        if (f.name.find('/') == std::string::npos) written.insert(kt::cp1252_to_utf8(f.name));
      aside = og_set_aside_later_work(target.string(), written);
    }
  }
  if (failure) {
    result.message = format(kCannotWrite, og_write_failure_reason(failure), failed);
    return result;
  }
  result.ok = true;
  result.path = target.string();
  std::vector<char> text(std::string(kRestored.Get()).size() + plan.folder.size() + 32);
  std::snprintf(text.data(), text.size(), kRestored.Get(), plan.folder.c_str(), static_cast<int>(plan.files.size()));
  result.message = text.data();
  // The archive's files are what the program now reads, so the restore is
  // done even when a file of later work could not be moved: it is named.
  std::string later = og_later_work_message(aside, ui_language());
  if (!later.empty()) result.message += "\r\n" + later;
  return result;
}
