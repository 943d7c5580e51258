// Opening a file the engine reads whole (see whole_file_open.h).
//
// The file is opened without waiting (O_NONBLOCK, so a FIFO with no writer
// does not hold the open), its kind and length are taken from the open
// descriptor (so what is read is what was checked), and only then does it
// become a blocking stream of the engine's open files.
#include "engine/whole_file_open.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "engine/errors.h"
#include "engine/run_files.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "platform/paths.h"

namespace {

const char* const kTexts[][3] = {
    {"", "", ""},
    {"Il file non esiste", "Die Datei existiert nicht", "The file does not exist"},
    {"Manca il nome del file", "Der Dateiname fehlt", "The file name is missing"},
    {"Nome del file troppo lungo", "Dateiname zu lang", "The file name is too long"},
    {"È una cartella, non un file"_cp, "Ist ein Ordner, keine Datei", "Is a folder, not a file"},
    {"Non è un file normale (è un dispositivo, una FIFO o un socket)"_cp,
     "Keine gewöhnliche Datei (ein Gerät, eine FIFO oder ein Socket)"_cp,
     "Not a regular file (a device, a FIFO or a socket)"},
    {"Il file è più lungo di quanto il suo formato ammetta"_cp,
     "Die Datei ist länger, als ihr Format zulässt"_cp, "The file is longer than its format allows"},
    {"Manca il permesso di leggere il file", "Keine Berechtigung, die Datei zu lesen"_cp,
     "No permission to read the file"},
    {"Il file non si apre", "Die Datei lässt sich nicht öffnen"_cp, "The file cannot be opened"},
};

WholeFileRefusal refusal_of_open_error(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return WholeFileRefusal::kMissing;
    case ENAMETOOLONG: return WholeFileRefusal::kNameTooLong;
    case EACCES:
    case EPERM: return WholeFileRefusal::kDenied;
    case EISDIR: return WholeFileRefusal::kFolder;
    case ENXIO:
    case ENODEV: return WholeFileRefusal::kNotRegular;
    default: return WholeFileRefusal::kFailed;
  }
}

}  // namespace

std::FILE* or_open_whole_file(const char* name, long long max_bytes, WholeFileRefusal* why) {
  WholeFileRefusal ignored;
  if (why == nullptr) why = &ignored;
  *why = WholeFileRefusal::kNone;
  if (name == nullptr || name[0] == '\0') {
    errno = ENOENT;
    *why = WholeFileRefusal::kNoName;
    return nullptr;
  }
  std::string path = kt::translate_path(name);
  // While a command gathers its files (run_files.h) a read sees what the
  // command itself wrote or deleted before.
  std::string gathered;
  if (or_run_files_read_path(path, &gathered)) {
    if (gathered.empty()) {
      errno = ENOENT;
      *why = WholeFileRefusal::kMissing;
      return nullptr;
    }
    path = gathered;
  }
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    *why = refusal_of_open_error(errno);
    return nullptr;
  }
  auto refuse = [&](WholeFileRefusal reason, int error) -> std::FILE* {
    ::close(fd);
    errno = error;
    *why = reason;
    return nullptr;
  };
  struct stat info {};
  if (::fstat(fd, &info) != 0) return refuse(WholeFileRefusal::kFailed, errno);
  if (S_ISDIR(info.st_mode)) return refuse(WholeFileRefusal::kFolder, EISDIR);
  // A FIFO or socket cannot be read twice from its start, a device has no end.
  if (!S_ISREG(info.st_mode))
    return refuse(WholeFileRefusal::kNotRegular, S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode) ? ESPIPE : ENODEV);
  if (max_bytes >= 0 && info.st_size > max_bytes) return refuse(WholeFileRefusal::kTooLong, EFBIG);
  int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return refuse(WholeFileRefusal::kFailed, errno);
  std::FILE* stream = ::fdopen(fd, "rb");
  if (stream == nullptr) return refuse(WholeFileRefusal::kFailed, errno);
  or_register_stream(stream);
  or_name_stream(stream, name);
  return stream;
}

const char* or_whole_file_refusal_text(WholeFileRefusal why, int language) {
  if (language < 0 || language > 2) language = 0;
  return kTexts[static_cast<int>(why)][language];
}

// The file error names the file as every file error does (or_shown_file_name:
// this system's form, a name too long to show shortened).
void or_raise_whole_file_refusal(const char* name, WholeFileRefusal why, const char* source, int line) {
  or_raise_file_error(name ? name : "", or_whole_file_refusal_text(why, or_language()), source, line);
}

std::FILE* or_open_whole_file_or_raise(const char* name, long long max_bytes, const char* source, int line) {
  WholeFileRefusal why = WholeFileRefusal::kNone;
  std::FILE* stream = or_open_whole_file(name, max_bytes, &why);
  if (stream == nullptr && why != WholeFileRefusal::kMissing) or_raise_whole_file_refusal(name, why, source, line);
  return stream;
}
