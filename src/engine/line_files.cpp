// Opening files, reading logical lines (plain or scrambled), writing
// scrambled lines, and whole-file copies: scrambled, plain and byte for byte.
//
// The reader keeps one read buffer and one decode buffer for the process,
// grown to 2 x n + 20 bytes for the largest limit n asked so far (at least
// enough for a scrambled line of 12168 characters) and never shrunk. It never writes past the caller's n bytes: a longer line is cut,
// an overlong physical line is skipped to its end. A physical "\r\n" reads
// as "\n", so files edited on any system read alike. By convention one
// thread reads at a time (the user interface reads its files while no engine
// command that does the same runs).
//
// Workload: descriptions of a few thousand lines, save files of up to 10000.
#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/file_replace.h"
#include "engine/run_files.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/system_files.h"

namespace {

std::vector<char> g_read_buffer;
std::vector<char> g_decode_buffer;

void grow_read_buffers(std::size_t size) {
  if (g_read_buffer.size() >= size) return;
  try {
    g_read_buffer.resize(size);
    g_decode_buffer.resize(size);
  } catch (const std::bad_alloc&) {
    or_raise_critical_error("File Buffer Alloc", 0, kSourceUtil, 1457);
  }
}

// Names of the files the engine opened, for the message of a read error.
std::mutex g_names_mutex;
std::map<std::FILE*, std::string> g_stream_names;

void remember_name(std::FILE* stream, const char* name) {
  std::lock_guard<std::mutex> lock(g_names_mutex);
  g_stream_names[stream] = name;
}

std::string stream_name(std::FILE* stream) {
  std::lock_guard<std::mutex> lock(g_names_mutex);
  auto found = g_stream_names.find(stream);
  return found != g_stream_names.end() ? found->second : std::string();
}

void forget_name(std::FILE* stream) {
  std::lock_guard<std::mutex> lock(g_names_mutex);
  g_stream_names.erase(stream);
}

const char* const kReadError[3] = {"Errore di lettura del file (il file non è stato letto intero)"_cp,
                                   "Lesefehler (die Datei wurde nicht ganz gelesen)",
                                   "Read error (the file was not read whole)"};

int stream_byte(std::FILE* stream) {
  int c = getc_unlocked(stream);
  return c == EOF && std::ferror(stream) ? kLineReadError : c;
}

// Reads one physical line into rb (capacity cap, cap >= 4): at most cap - 3
// bytes, leaving room for the carriage return step 3 may append. An overlong
// line is cut and ended with a line feed, its rest skipped. A zero byte
// (a binary file) reads as a blank, so it can neither end the file early nor
// hide the rest of its line. Returns the length, -1 at the end of the file,
// or kLineReadError when a read failed (whatever was read of the line is
// dropped with it).
long read_physical_line(char* rb, std::size_t cap, std::FILE* stream) {
  std::size_t len = 0;
  int c = EOF;
  while (len + 3 < cap && (c = g_line_byte_source(stream)) >= 0) {
    rb[len++] = c == 0 ? ' ' : static_cast<char>(c);
    if (c == '\n') break;
  }
  if (c == kLineReadError) return kLineReadError;
  if (len == 0) return -1;
  if (len + 3 >= cap && rb[len - 1] != '\n') {
    while ((c = g_line_byte_source(stream)) >= 0 && c != '\n') {
    }
    if (c == kLineReadError) return kLineReadError;
    rb[len - 1] = '\n';
  }
  rb[len] = '\0';
  if (len >= 2 && rb[len - 2] == '\r' && rb[len - 1] == '\n') {
    rb[len - 2] = '\n';
    rb[--len] = '\0';
  }
  // The last line of a file without a line end gets a carriage return, so a
  // scrambled one keeps its 2n + 9 length.
  if (len > 2 && rb[len - 1] != '\n' && rb[len - 2] != '\r') {
    rb[len++] = '\r';
    rb[len] = '\0';
  }
  return static_cast<long>(len);
}

std::string strip_text_mode(const char* mode) {
  std::string m;
  for (const char* p = mode; *p; ++p)
    if (*p != 't') m += *p;
  return m;
}

// The plain copy's default name: the file name's first '.' and all behind it
// become "_debug.txt" (the folder part may hold dots of its own).
std::string debug_copy_name(const char* source) {
  std::string name = source;
  std::size_t slash = name.find_last_of("\\/");
  std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  std::size_t dot = name.find('.', start);
  if (dot != std::string::npos) name.erase(dot);
  return name + "_debug.txt";
}

}  // namespace

LineByteSource g_line_byte_source = stream_byte;

namespace {
thread_local bool t_line_cut = false;
thread_local int t_line_pieces = 0;
}

bool or_last_line_was_cut() { return t_line_cut; }
int or_last_line_pieces() { return t_line_pieces; }

namespace {

// While a command gathers its files (run_files.h), a write goes to the new
// contents of the file and a read sees them.
std::FILE* open_through_run_files(const std::string& path, const char* mode, bool* handled) {
  if (mode[0] == 'w' || mode[0] == 'a') {
    int error = 0;
    std::FILE* f = or_run_files_open_write(path, mode[0] == 'a', &error, handled);
    if (*handled && f == nullptr) errno = error;
    return f;
  }
  std::string from;
  *handled = or_run_files_read_path(path, &from);
  if (!*handled) return nullptr;
  if (from.empty()) {
    errno = ENOENT;
    return nullptr;
  }
  return std::fopen(from.c_str(), strip_text_mode(mode).c_str());
}

}  // namespace

std::FILE* or_fopen(const char* name, const char* mode) {
  if (!name || !mode) return nullptr;
  std::string path = kt::translate_path(name);
  bool handled = false;
  std::FILE* stream = open_through_run_files(path, mode, &handled);
  if (!handled) stream = std::fopen(path.c_str(), strip_text_mode(mode).c_str());
  if (stream) {
    or_register_stream(stream);
    remember_name(stream, name);
  }
  return stream;
}

void or_name_stream(std::FILE* stream, const char* name) {
  if (stream && name) remember_name(stream, name);
}

const char* or_stream_name(std::FILE* stream) {
  static thread_local std::string name;
  name = stream_name(stream);
  return name.c_str();
}

const char* or_read_failure_reason(int language) {
  return kReadError[language >= 0 && language <= 2 ? language : 0];
}

long or_read_plain_line(char* buffer, int n, std::FILE* stream) {
  if (n < 3 || !buffer || !stream) return -1;
  long len = 0;
  int c = EOF;
  bool too_long = false;
  while ((c = g_line_byte_source(stream)) >= 0) {
    if (len + 2 < n)
      buffer[len++] = static_cast<char>(c);
    else
      too_long = true;
    if (c == '\n') break;
  }
  if (c == kLineReadError) {
    if (!or_on_engine_thread()) return kLineReadError;
    or_raise_file_error(stream_name(stream).c_str(), or_pick_text(kReadError), kSourceUtil, 1480);
  }
  buffer[len] = '\0';
  if (too_long) return kLineTooLong;
  if (len == 0) return -1;
  if (len >= 2 && buffer[len - 2] == '\r' && buffer[len - 1] == '\n') {
    buffer[len - 2] = '\n';
    buffer[--len] = '\0';
  }
  return len;
}

int or_fclose_written(std::FILE* stream) {
  if (!stream) return EBADF;
  errno = 0;
  int error = 0;
  if (std::fflush(stream) != 0 || std::ferror(stream)) {
    error = errno;
    // A write that failed in an earlier, buffered call leaves no errno
    // here: a file system with no room left is what failed it.
    if ((error == 0 || error == EIO) && kt::free_space_of(fileno(stream)).value_or(1) == 0) error = ENOSPC;
    if (error == 0) error = EIO;
  }
  errno = 0;
  forget_name(stream);
  if (or_fclose(stream) != 0 && error == 0) error = errno ? errno : EIO;
  return error;
}

bool or_is_disk_failure(int error) {
  return error == ENOSPC || error == EDQUOT || error == EROFS || error == EIO;
}

const char* or_create_failure_reason(int error, int language) {
  // A folder where the file should be is no document left open: say so.
  bool known = or_is_disk_failure(error) || error == EACCES || error == EPERM || error == EISDIR;
  return known ? or_write_failure_reason(error, language) : or_close_document_hint(language);
}

const char* or_close_document_hint(int language) {
  // The German row is the system's own untranslated marker, shown as it is.
  static const char* const kHint[3] = {"(Chiudere il documento Word o Xls in uso e ripetere l'operazione)",
                                       "translate", "Close document and repeat operation)"};
  return kHint[(language >= 0 && language < 3) ? language : 0];
}

const char* or_write_failure_reason(int error, int language) {
  static const char* const kFull[3] = {"Disco pieno: non c'è più spazio per scrivere il file"_cp,
                                       "Datenträger voll: kein Platz mehr, um die Datei zu schreiben"_cp,
                                       "Disk full: no space left to write the file"};
  static const char* const kDenied[3] = {"Accesso negato: mancano i diritti di scrittura",
                                         "Zugriff verweigert: keine Schreibrechte",
                                         "Access denied: no right to write"};
  static const char* const kReadOnly[3] = {"Disco protetto da scrittura"_cp, "Datenträger schreibgeschützt"_cp,
                                           "Disk is read-only"};
  static const char* const kDisk[3] = {"Errore del disco in scrittura", "Schreibfehler des Datenträgers"_cp,
                                       "Disk write error"};
  static const char* const kFolder[3] = {"Al posto del file c'è una cartella"_cp,
                                         "An Stelle der Datei steht ein Ordner", "A folder stands in the file's place"};
  static const char* const kNotWhole[3] = {"Il file non è stato scritto intero"_cp,
                                           "Die Datei wurde nicht ganz geschrieben",
                                           "The file was not written whole"};
  if (language < 0 || language > 2) language = 0;
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return kFull[language];
    case EACCES:
    case EPERM:
      return kDenied[language];
    case EROFS:
      return kReadOnly[language];
    case EIO:
      return kDisk[language];
    case EISDIR:
      return kFolder[language];
    default:
      return kNotWhole[language];
  }
}

char* or_read_line(char* buffer, int n, std::FILE* stream) {
  if (n < 1 || !buffer || !stream) return nullptr;
  // Room for a scrambled line of the caller's limit, and never less than for
  // one of the longest line the files hold, so such a line still decodes
  // (and is then cut) when a caller asks for fewer characters.
  std::size_t wanted = 2 * static_cast<std::size_t>(n) + 20;
  std::size_t floor = 2 * static_cast<std::size_t>(kLineLimit) + 20;
  grow_read_buffers(wanted > floor ? wanted : floor);
  std::size_t limit = n >= 2 ? static_cast<std::size_t>(n) - 2 : 0;
  char* rb = g_read_buffer.data();
  char* decoded = g_decode_buffer.data();
  std::size_t cap = g_read_buffer.size();
  std::size_t pos = 0;
  buffer[0] = '\0';
  t_line_cut = false;
  t_line_pieces = 0;
  for (;;) {
    long got = read_physical_line(rb, cap, stream);
    if (got == kLineReadError) {
      if (!or_on_engine_thread()) return nullptr;
      or_raise_file_error(stream_name(stream).c_str(), or_pick_text(kReadError), kSourceUtil, 1470);
    }
    if (got < 0) break;
    ++t_line_pieces;
    int plain = or_scramble_line(1, rb, decoded);
    std::size_t dlen = std::strlen(decoded);
    std::size_t take = dlen < limit - pos ? dlen : limit - pos;
    // Only a line end may be left out: anything else is a cut line.
    if (take < dlen && !(take + 1 == dlen && decoded[dlen - 1] == '\n')) t_line_cut = true;
    std::memcpy(buffer + pos, decoded, take);
    pos += take;
    buffer[pos] = '\0';
    if (plain == 1) break;
    if (dlen > 0 && decoded[dlen - 1] == '\n') break;
    if (pos >= limit) break;
  }
  return pos == 0 ? nullptr : buffer;
}

int or_write_scrambled_line(std::FILE* stream, const char* text, char* work) {
  or_scramble_line_seeded(or_next_line_seed(), text, work);
  return std::fputs(work, stream) < 0 ? -1 : 0;
}

int or_write_status_line(std::FILE* stream, const char* text, char* work) {
  or_scramble_line_seeded(or_next_status_seed(), text, work);
  return std::fputs(work, stream) < 0 ? -1 : 0;
}

namespace {
// Closes the source of a line-by-line copy; the copy replaces its target
// only when every line was written and the source was read to its end
// without an error, else the old target stays as it was.
bool finish_line_copy(std::FILE* in, ReplacementFile& out, bool ok) {
  ok = ok && !std::ferror(in);
  or_fclose(in);
  if (ok) return out.commit();
  out.abandon();
  return false;
}
}  // namespace

bool or_scramble_file(const char* source, const char* target) {
  std::FILE* in = or_fopen(source, "rt");
  if (!in) return false;
  ReplacementFile out;
  if (!out.open(target)) {
    or_fclose(in);
    return false;
  }
  std::vector<char> line(kLineLimit + 2);
  std::vector<char> work(2 * line.size() + 10);
  bool ok = true;
  while (ok && std::fgets(line.data(), static_cast<int>(line.size()), in)) {
    std::size_t len = std::strlen(line.data());
    if (len >= 2 && line[len - 2] == '\r' && line[len - 1] == '\n') {
      line[len - 2] = '\n';
      line[len - 1] = '\0';
    }
    ok = or_write_scrambled_line(out.stream(), line.data(), work.data()) == 0;
  }
  return finish_line_copy(in, out, ok);
}

bool or_unscramble_file(const char* source, int replace, const char* target) {
  std::string target_name = replace ? std::string(source)
                            : target ? std::string(target)
                                     : debug_copy_name(source);
  std::FILE* in = or_fopen(source, "rt");
  if (!in) return false;
  ReplacementFile out;
  if (!out.open(target_name.c_str())) {
    or_fclose(in);
    return false;
  }
  std::vector<char> line(kLineLimit);
  bool ok = true;
  while (ok && or_read_line(line.data(), kLineLimit, in))
    ok = std::fputs(line.data(), out.stream()) >= 0;
  // With replace the plain copy goes straight over the source: the same end
  // state as writing the target, deleting the source and renaming.
  return finish_line_copy(in, out, ok);
}

int or_copy_file(const char* source, const char* target) {
  errno = 0;
  std::FILE* in = or_fopen(source, "rb");
  if (!in) return errno ? errno : ENOENT;
  ReplacementFile out;
  if (!out.open(target)) {
    or_fclose(in);
    return -1;
  }
  std::vector<char> block(16384);
  bool ok = true;
  for (;;) {
    std::size_t got = std::fread(block.data(), 1, block.size(), in);
    if (got > 0 && std::fwrite(block.data(), 1, got, out.stream()) != got) {
      ok = false;
      break;
    }
    if (got < block.size()) break;
  }
  // A read error is not the end of the file: the copy failed, and the old
  // target stays as it was.
  if (std::ferror(in)) ok = false;
  or_fclose(in);
  if (!ok) {
    out.abandon();
    return -1;
  }
  return out.commit() ? 0 : -1;
}
