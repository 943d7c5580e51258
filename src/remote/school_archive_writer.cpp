// Writing the archive of a school folder (see school_archive.h). The files
// are gathered first, in name order, so a folder that cannot be read whole
// stops the archive before anything is written; the archive goes to a
// temporary file beside its final name, is flushed, read back through the
// restore's checks, and only then renamed. A failure at any step removes the
// temporary, so the destination holds a whole archive or nothing new.
// Shaped for a school folder: a few hundred files of a few megabytes.
#include <fcntl.h>
#include <minizip/zip.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "remote/school_archive.h"
#include "schooldata/school_files.h"
#include "schooldata/zip_reader.h"
#include "shell/ml_text.h"

namespace fs = std::filesystem;

namespace {

const MlText kCannotRead = {"Impossibile leggere la cartella della scuola:\r\n%s",
                            "Der Ordner der Schule kann nicht gelesen werden:\r\n%s",
                            "The school folder cannot be read:\r\n%s"};
const MlText kBadName = {"Il nome del file non si pu\xF2 scrivere nell'archivio:\r\n%s",
                         "Der Dateiname kann nicht ins Archiv geschrieben werden:\r\n%s",
                         "The file name cannot be written into the archive:\r\n%s"};
const MlText kCannotWrite = {"Impossibile scrivere l'archivio (%s):\r\n%s",
                             "Das Archiv kann nicht geschrieben werden (%s):\r\n%s",
                             "The archive cannot be written (%s):\r\n%s"};
const MlText kNotRestorable = {"L'archivio scritto non si rilegge correttamente e non \xE8 stato tenuto: %s",
                               "Das geschriebene Archiv liest sich nicht richtig und wurde nicht behalten: %s",
                               "The archive written does not read back correctly and was not kept: %s"};
const MlText kNoSchool = {"La cartella non contiene una scuola (manca scuola2.txt):\r\n%s",
                          "Der Ordner enth\xE4lt keine Schule (scuola2.txt fehlt):\r\n%s",
                          "The folder holds no school (scuola2.txt is missing):\r\n%s"};
const MlText kWritten = {"Archivio della scuola creato (%d file):\r\n%s",
                         "Archiv der Schule erstellt (%d Dateien):\r\n%s",
                         "Archive of the school created (%d files):\r\n%s"};

std::string format(const MlText& text, const std::string& a, const std::string& b = std::string()) {
  std::vector<char> out(std::string(text.Get()).size() + a.size() + b.size() + 16);
  std::snprintf(out.data(), out.size(), text.Get(), a.c_str(), b.c_str());
  return out.data();
}

std::string shown(const std::string& machine_path) { return kt::utf8_to_cp1252(machine_path); }

struct SourceFile {
  fs::path path;
  std::string name;  // 1252, "<school>/<relative>"
  std::time_t written = 0;
  bool read_only = false;
  std::uint64_t size = 0;
};

// Every regular file below `school`, in name order; false with the message
// when a folder or a name cannot be taken.
bool gather(const fs::path& school, std::vector<SourceFile>* files, std::string* why) {
  std::error_code error;
  bool ok = true;
  std::string top = kt::utf8_to_cp1252(school.filename().string(), &ok);
  if (!ok) {
    *why = format(kBadName, shown(school.string()));
    return false;
  }
  fs::recursive_directory_iterator it(school, error), end;
  for (; !error && it != end; it.increment(error)) {
    const fs::directory_entry& e = *it;
    if (e.is_symlink(error) || !e.is_regular_file(error) || og_is_replacement_leftover(e.path().filename().string())) continue;
    SourceFile f;
    f.path = e.path();
    std::string relative = kt::utf8_to_cp1252(fs::relative(e.path(), school, error).generic_string(), &ok);
    if (!ok || error) {
      *why = format(kBadName, shown(e.path().string()));
      return false;
    }
    f.name = top + "/" + relative;
    // A name the zip reader would read otherwise ("a\\b", "c:x") would not
    // come back as it went.
    char safe[kUiZipNameSize];
    ui_zip_make_safe_name(f.name.c_str(), safe, sizeof safe);
    if (f.name != safe || f.name.size() >= kUiZipNameSize) {
      *why = format(kBadName, shown(e.path().string()));
      return false;
    }
    struct stat st;
    if (::stat(e.path().c_str(), &st) != 0) {
      *why = format(kCannotRead, shown(e.path().string()));
      return false;
    }
    f.written = st.st_mtime;
    f.read_only = (st.st_mode & S_IWUSR) == 0;
    f.size = static_cast<std::uint64_t>(st.st_size);
    files->push_back(std::move(f));
  }
  if (error) {
    *why = format(kCannotRead, shown(school.string()));
    return false;
  }
  std::sort(files->begin(), files->end(), [](const SourceFile& a, const SourceFile& b) { return a.name < b.name; });
  return true;
}

unsigned long dos_time(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  if (tm.tm_year < 80) return (1u << 21) | (1u << 16);  // 1980-01-01, the first day a zip can hold
  return (static_cast<unsigned long>(tm.tm_year - 80) << 25) | (static_cast<unsigned long>(tm.tm_mon + 1) << 21) |
         (static_cast<unsigned long>(tm.tm_mday) << 16) | (static_cast<unsigned long>(tm.tm_hour) << 11) |
         (static_cast<unsigned long>(tm.tm_min) << 5) | static_cast<unsigned long>(tm.tm_sec / 2);
}

// The "UT" block with the write time, so a restore gives the files their
// exact times whatever the time zone.
std::string unix_time_block(std::time_t t) {
  std::uint32_t v = static_cast<std::uint32_t>(t);
  return std::string{'\x55', '\x54', '\x05', '\x00', '\x01', static_cast<char>(v & 0xFF),
                     static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
                     static_cast<char>((v >> 24) & 0xFF)};
}

// Copies one file into the open archive; false on a read or write error.
bool add_file(zipFile zip, const SourceFile& f, std::string* failed) {
  zip_fileinfo info{};
  info.dosDate = dos_time(f.written);
  info.external_fa = 0x20 | (f.read_only ? 0x01 : 0x00);  // archive, read-only
  std::string extra = unix_time_block(f.written);
  if (zipOpenNewFileInZip3_64(zip, f.name.c_str(), &info, extra.data(), static_cast<uInt>(extra.size()), extra.data(),
                              static_cast<uInt>(extra.size()), nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0,
                              -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0,
                              f.size >= 0xFFFFFFFFull ? 1 : 0) != ZIP_OK) {
    *failed = "zip";
    return false;
  }
  std::FILE* in = std::fopen(f.path.c_str(), "rb");
  bool ok = in != nullptr;
  std::vector<char> block(65536);
  while (ok) {
    std::size_t n = std::fread(block.data(), 1, block.size(), in);
    if (n > 0 && zipWriteInFileInZip(zip, block.data(), static_cast<unsigned>(n)) != ZIP_OK) ok = false;
    if (n < block.size()) {
      if (std::ferror(in)) ok = false;
      break;
    }
  }
  if (!ok) *failed = f.path.string();
  if (in) std::fclose(in);
  if (zipCloseFileInZip(zip) != ZIP_OK && ok) {
    *failed = "zip";
    ok = false;
  }
  return ok;
}

// A name that no archive in the destination holds yet: "<school>_<date>_<time>.zip".
fs::path free_archive_name(const fs::path& destination, const std::string& school) {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H%M", &tm);
  std::string base = school + "_" + stamp;
  fs::path candidate = destination / (base + ".zip");
  std::error_code error;
  for (int n = 2; fs::exists(candidate, error) || fs::is_symlink(candidate, error); ++n)
    candidate = destination / (base + "_" + std::to_string(n) + ".zip");
  return candidate;
}

bool sync_file(const fs::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  bool ok = ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
}

}  // namespace

ArchiveResult og_archive_school_folder(const std::string& school, const std::string& destination) {
  ArchiveResult result;
  fs::path folder = fs::path(school).lexically_normal();
  if (folder.has_filename() == false) folder = folder.parent_path();
  std::vector<SourceFile> files;
  if (!gather(folder, &files, &result.message)) return result;
  std::error_code error_code;
  if (!fs::is_regular_file(folder / "scuola2.txt", error_code)) {
    result.message = format(kNoSchool, shown(folder.string()));
    return result;
  }
  fs::path target = free_archive_name(destination, folder.filename().string());
  fs::path temporary = target;
  temporary += ".~" + std::to_string(::getpid()) + "-0";
  zipFile zip = zipOpen64(temporary.c_str(), APPEND_STATUS_CREATE);
  std::string failed;
  bool ok = zip != nullptr;
  int error = ok ? 0 : errno;
  for (std::size_t i = 0; ok && i < files.size(); ++i) ok = add_file(zip, files[i], &failed);
  if (zip && zipClose(zip, nullptr) != ZIP_OK) ok = false;
  if (ok && !sync_file(temporary)) ok = false;
  if (!ok) {
    if (!error) error = errno;
    std::error_code ignored;
    fs::remove(temporary, ignored);
    std::string reason = og_write_failure_reason(error ? error : EIO);
    result.message = format(kCannotWrite, reason, shown(failed.empty() || failed == "zip" ? target.string() : failed));
    return result;
  }
  // Read back as a restore would read it.
  std::string bytes, why;
  RestorePlan plan;
  if (!og_load_archive_file(temporary.string(), &bytes, &why) ||
      !og_read_school_archive(bytes.data(), static_cast<std::uint32_t>(bytes.size()), "", &plan, &why) ||
      plan.files.size() != files.size()) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    result.message = format(kNotRestorable, why);
    return result;
  }
  std::error_code renamed;
  fs::rename(temporary, target, renamed);
  if (renamed) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    result.message = format(kCannotWrite, og_write_failure_reason(renamed.value()), shown(target.string()));
    return result;
  }
  result.ok = true;
  result.path = target.string();
  std::vector<char> text(std::string(kWritten.Get()).size() + target.string().size() + 32);
  std::snprintf(text.data(), text.size(), kWritten.Get(), static_cast<int>(files.size()), shown(target.string()).c_str());
  result.message = text.data();
  return result;
}
