// Scrambled or plain lines of the school files, written whole through a
// temporary file and read back with the engine's line reader, one line at a
// time, through a stream whose reads go through a replaceable function so
// that a read error can be shown to be an error and not the end.
//
// A file is gathered in memory first (a school file is a few hundred lines),
// so nothing reaches the disk until the whole text exists, and the rename
// leaves either the old file or the new one. Paths already absolute on this
// machine are used as they are; Windows-style names go through the one path
// translation.
#include "schooldata/school_file_lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>

#include "engine/shell_services.h"
#include "engine/text_file_shape.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/system_atomic_write.h"

std::uint8_t g_school_files_plain = 0;

namespace {
std::uint8_t (*g_seed_source)() = nullptr;

// A path that is already local (absolute on this machine) is taken as is.
std::string local_path(const std::string& path) {
  return !path.empty() && path[0] == '/' ? path : kt::translate_path(path);
}
}  // namespace

void og_set_school_line_seed_source(std::uint8_t (*source)()) { g_seed_source = source; }

std::string og_local_school_path(const std::string& path) { return local_path(path); }

std::string g_structure_pair_stamp;
std::string g_description_pair_stamp;

namespace {
constexpr const char* kPairStampKey = "REM:KTPAIR:";
constexpr std::size_t kPairStampSize = 24;
}  // namespace

std::string og_pair_stamp() { return !g_structure_pair_stamp.empty() ? g_structure_pair_stamp : g_description_pair_stamp; }

std::string og_new_pair_stamp() {
  static std::mt19937_64 random(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) ^
                                static_cast<std::uint64_t>(::getpid()));
  static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string stamp;
  for (;;) {
    stamp.clear();
    for (int i = 0; i < 16; ++i) stamp += kDigits[random() % 36];
    // Always another stamp than the one the files carry now.
    if (stamp != og_pair_stamp()) return stamp;
  }
}

std::string og_pair_stamp_line() {
  std::string stamp = og_pair_stamp();
  return stamp.empty() ? std::string() : kPairStampKey + stamp;
}

bool og_read_pair_stamp(const std::string& line, std::string* stamp) {
  std::size_t key = std::char_traits<char>::length(kPairStampKey);
  if (line.size() < key) return false;
  for (std::size_t i = 0; i < key; ++i) {
    if (or_fold_upper_char(static_cast<unsigned char>(line[i])) != static_cast<unsigned char>(kPairStampKey[i]))
      return false;
  }
  // Kept as the writers write it, so a stamp read back is the stamp written.
  stamp->clear();
  for (std::size_t i = key; i < line.size() && stamp->size() < kPairStampSize; ++i) {
    char c = static_cast<char>(or_fold_upper_char(static_cast<unsigned char>(line[i])));
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) *stamp += c;
  }
  return true;
}

void SchoolFileText::line(const std::string& text) {
  std::string with_end = text + "\n";
  if (g_school_files_plain) {
    bytes_ += with_end;
    return;
  }
  std::string work(2 * with_end.size() + 10, '\0');
  std::uint8_t seed = g_seed_source != nullptr ? g_seed_source() : or_next_line_seed();
  or_scramble_line_seeded(seed, with_end.c_str(), work.data());
  bytes_ += work.c_str();
}

bool SchoolFileText::commit(const std::string& path, int* error) const {
  return kt::write_file_atomically(local_path(path), bytes_, error);
}

namespace {

long default_read(int fd, void* buffer, unsigned long size) { return ::read(fd, buffer, size); }

// The file's line (1-based) where the line handed last began.
std::size_t g_line_number = 0;

// A scrambled line whose check failed reads as its hexadecimal text: shown
// as it stands it would say nothing to the user.
bool looks_scrambled(const std::string& line) {
  if (line.size() < 9) return false;
  for (char c : line)
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}
SchoolFileRead g_read = default_read;

// A school file's stream: its descriptor, and the last byte read from it,
// which tells at the end whether the file's last line has its line end.
struct SchoolStream {
  int fd;
  int last_byte = -1;
};

// The stream's reads go through the seam; a failed read sets the stream's
// error flag, so a reader sees it with std::ferror and never as the end.
ssize_t cookie_read(void* cookie, char* buffer, size_t size) {
  auto* stream = static_cast<SchoolStream*>(cookie);
  for (;;) {
    long got = g_read(stream->fd, buffer, size);
    if (got < 0 && errno == EINTR) continue;
    if (got > 0) stream->last_byte = static_cast<unsigned char>(buffer[got - 1]);
    return got;
  }
}
int cookie_close(void* cookie) {
  auto* stream = static_cast<SchoolStream*>(cookie);
  int result = ::close(stream->fd);
  delete stream;
  return result;
}

std::string language_text(const char* it, const char* de, const char* en, const std::string& path) {
  const char* texts[3] = {it, de, en};
  std::string text = texts[g_language < 3 ? g_language : 0];
  std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, path);
  return text;
}

}  // namespace

void og_set_school_file_read(SchoolFileRead read) { g_read = read != nullptr ? read : default_read; }

std::string og_bad_line_text(const std::string& path, const std::string& reason, const std::string& line) {
  static const char* const kWhere[3] = {"%s\nFile: %s\nRiga %zu: %s", "%s\nDatei: %s\nZeile %zu: %s",
                                        "%s\nFile: %s\nLine %zu: %s"};
  static const char* const kDamaged[3] = {"(riga cifrata danneggiata: non si pu\xF2 leggere)",
                                          ("(verschl\xFCsselte Zeile besch\xE4" "digt: nicht lesbar)"),
                                          "(scrambled line damaged: it cannot be read)"};
  int language = g_language < 3 ? g_language : 0;
  std::string shown;
  if (looks_scrambled(line)) {
    shown = kDamaged[language];
  } else {
    // Tabs and other control characters as blanks, and a long line cut.
    for (char c : line) shown += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    if (shown.size() > 100) shown = shown.substr(0, 100) + "...";
  }
  std::error_code ignored;
  std::string file = std::filesystem::absolute(local_path(path), ignored).lexically_normal().string();
  file = kt::utf8_to_cp1252(file);
  std::vector<char> text(reason.size() + file.size() + shown.size() + 80);
  std::snprintf(text.data(), text.size(), kWhere[language], reason.c_str(), file.c_str(), g_line_number,
                shown.c_str());
  return text.data();
}

std::string og_read_error_text(const std::string& path) {
  return language_text("Errore di lettura del file %s: il file non \xE8 stato letto per intero",
                       "Lesefehler in der Datei %s: die Datei wurde nicht ganz gelesen",
                       "Read error in the file %s: the file was not read whole", path);
}

namespace {

// og_open_school_file, and the stream's state for the reader that needs it
// (valid until the stream is closed).
std::FILE* open_school_stream(const std::string& path, std::string* why, bool* missing, SchoolStream** state) {
  std::string local = local_path(path);
  if (missing != nullptr) *missing = false;
  // Not waiting on a FIFO without a writer: what it is is asked first.
  int fd = ::open(local.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT && missing != nullptr) *missing = true;
    if (why != nullptr) {
      *why = language_text("Impossibile aprire il file %s", "Die Datei %s kann nicht ge\xF6" "ffnet werden",
                           "Cannot open the file %s", path);
    }
    return nullptr;
  }
  struct stat info {};
  const char* it = nullptr;
  const char* de = nullptr;
  const char* en = nullptr;
  if (::fstat(fd, &info) != 0) {
    it = "Impossibile aprire il file %s";
    de = "Die Datei %s kann nicht ge\xF6" "ffnet werden";
    en = "Cannot open the file %s";
  } else if (S_ISDIR(info.st_mode)) {
    it = "%s \xE8 una cartella, non un file";
    de = "%s ist ein Ordner, keine Datei";
    en = "%s is a folder, not a file";
  } else if (!S_ISREG(info.st_mode)) {
    // A device or FIFO would be read without end or waited on.
    it = "%s non \xE8 un file normale (\xE8 un dispositivo, una FIFO o un socket)";
    de = "%s ist keine gew\xF6hnliche Datei (ein Ger\xE4t, eine FIFO oder ein Socket)";
    en = "%s is not a regular file (a device, a FIFO or a socket)";
  } else if (info.st_size == 0) {
    it = or_text_file_shape_text(TextFileShape::kEmpty, 0);
    de = or_text_file_shape_text(TextFileShape::kEmpty, 1);
    en = or_text_file_shape_text(TextFileShape::kEmpty, 2);
  } else {
    int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
      it = "Impossibile aprire il file %s";
      de = "Die Datei %s kann nicht ge\xF6" "ffnet werden";
      en = "Cannot open the file %s";
    }
  }
  if (it != nullptr) {
    ::close(fd);
    if (why != nullptr) *why = language_text(it, de, en, path);
    return nullptr;
  }
  cookie_io_functions_t io{};
  io.read = cookie_read;
  io.close = cookie_close;
  auto* stream = new SchoolStream{fd};
  std::FILE* in = fopencookie(stream, "rb", io);
  if (in == nullptr) {
    ::close(fd);
    delete stream;
    if (why != nullptr) *why = og_read_error_text(path);
  }
  if (state != nullptr) *state = stream;
  return in;
}

// Closes a stream however its reader leaves: by return or by a throw.
class ClosingFile {
 public:
  explicit ClosingFile(std::FILE* in) : in_(in) {}
  ClosingFile(const ClosingFile&) = delete;
  ClosingFile& operator=(const ClosingFile&) = delete;
  ~ClosingFile() { Close(); }
  void Close() {
    if (in_ != nullptr) std::fclose(in_);
    in_ = nullptr;
  }

 private:
  std::FILE* in_;
};

// Why a file whose last line has no line end is refused: every writer of
// the school files ends each line, so the file was cut off while it was
// written or copied, and what the line held last may be lost or cut short
// ("GMAX:1" for "GMAX:12", a teacher's name cut to another name).
std::string cut_line_reason() {
  static const char* const kCut[3] = {
      "Il file \xE8 troncato: la sua ultima riga non \xE8 completa (manca l'a capo) e i dati che conteneva "
      "possono essere persi o tagliati. Ripristinare una copia intera del file; se la riga \xE8 intera, "
      "aggiungere l'a capo alla sua fine",
      "Die Datei ist abgeschnitten: ihre letzte Zeile ist nicht vollst\xE4ndig (der Zeilenumbruch fehlt), und "
      "ihre Daten k\xF6nnen verloren oder gek\xFCrzt sein. Eine ganze Kopie der Datei wiederherstellen; ist die "
      "Zeile ganz, an ihrem Ende einen Zeilenumbruch einf\xFCgen",
      "The file is cut off: its last line is not complete (its line end is missing), and the data it held "
      "may be lost or cut short. Restore a whole copy of the file; if the line is whole, add a line end "
      "at its end"};
  return kCut[g_language < 3 ? g_language : 0];
}

}  // namespace

std::FILE* og_open_school_file(const std::string& path, std::string* why, bool* missing) {
  return open_school_stream(path, why, missing, nullptr);
}

SchoolLines og_read_school_lines(const std::string& path, const std::function<bool(const std::string&)>& each,
                                 std::string* why) {
  bool missing = false;
  SchoolStream* stream = nullptr;
  std::FILE* in = open_school_stream(path, why, &missing, &stream);
  if (in == nullptr) return missing ? SchoolLines::kMissing : SchoolLines::kUnusable;
  // A reader refuses a bad line by throwing out of `each`: the file is
  // closed then too, or every refused school would keep a descriptor.
  ClosingFile closing(in);
  std::vector<char> buffer(kLineLimit);
  std::string text;
  bool stopped = false;
  bool lone_cr = false;
  std::size_t next_line = 1;
  g_line_number = 0;
  while (!stopped && or_read_line(buffer.data(), kLineLimit, in) != nullptr) {
    g_line_number = next_line;
    next_line += static_cast<std::size_t>(or_last_line_pieces());
    text.assign(buffer.data());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    // A carriage return inside a line: the file ends its lines with CR
    // alone, which the engine does not read as line ends either.
    if (text.find('\r') != std::string::npos) {
      lone_cr = true;
      break;
    }
    stopped = !each(text);
  }
  bool failed = std::ferror(in) != 0;
  // Read to its end, the file's last line has no line end: cut off, unless
  // it is the file's only line (a new school's title is written so).
  bool cut = !stopped && !failed && !lone_cr && g_line_number > 1 && stream->last_byte != '\n';
  closing.Close();
  if (failed) {
    if (why != nullptr) *why = og_read_error_text(path);
    return SchoolLines::kUnusable;
  }
  if (cut) {
    if (why != nullptr) *why = og_bad_line_text(path, cut_line_reason(), text);
    return SchoolLines::kUnusable;
  }
  if (lone_cr) {
    if (why != nullptr) {
      *why = language_text(or_text_file_shape_text(TextFileShape::kLoneCr, 0),
                           or_text_file_shape_text(TextFileShape::kLoneCr, 1),
                           or_text_file_shape_text(TextFileShape::kLoneCr, 2), path);
    }
    return SchoolLines::kUnusable;
  }
  return SchoolLines::kRead;
}

SchoolLines og_read_plain_lines(const std::string& path, std::size_t limit,
                                const std::function<bool(const std::string&)>& each, std::string* why) {
  bool missing = false;
  std::FILE* in = og_open_school_file(path, why, &missing);
  if (in == nullptr) return missing ? SchoolLines::kMissing : SchoolLines::kUnusable;
  ClosingFile closing(in);
  std::string line;
  bool open = false;
  bool stopped = false;
  auto hand_over = [&] {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > limit) line.resize(limit);
    stopped = !each(line);
    line.clear();
    open = false;
  };
  for (int c; !stopped && (c = getc_unlocked(in)) != EOF;) {
    if (c == '\n') {
      hand_over();
      continue;
    }
    open = true;
    // One more than the limit, so a cut line can still drop its "\r".
    if (line.size() <= limit) line += static_cast<char>(c);
  }
  if (!stopped && open) hand_over();
  bool failed = std::ferror(in) != 0;
  closing.Close();
  if (failed) {
    if (why != nullptr) *why = og_read_error_text(path);
    return SchoolLines::kUnusable;
  }
  return SchoolLines::kRead;
}

namespace {

// True when text is UTF-8 through and through; *wide set when it holds a
// character beyond ASCII.
bool whole_utf8(const std::string& text, bool* wide) {
  for (std::size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t at = i;
    char32_t cp = kt::decode_utf8(text, i);
    if (cp == 0xFFFD && !(i - at == 3 && text.compare(at, 3, "\xEF\xBF\xBD") == 0)) return false;
    *wide = true;
  }
  return true;
}

// Why an import file is refused whose line holds a character 1252 cannot
// hold: shown as '?' it would become part of a name without a word.
std::string unrepresentable_text(const std::string& path, std::size_t line) {
  char number[24];
  std::snprintf(number, sizeof number, "%zu", line);
  std::string text = language_text(
      "Il file %s contiene alla riga @ un carattere che il programma non pu\xF2 rappresentare: nessun dato "
      "importato. Correggere la riga, oppure salvare il file come testo Windows (ANSI), e ripetere "
      "l'importazione",
      "Die Datei %s enth\xE4lt in Zeile @ ein Zeichen, das das Programm nicht darstellen kann: keine Daten "
      "importiert. Die Zeile korrigieren oder die Datei als Windows-Text (ANSI) speichern und den Import "
      "wiederholen",
      "The file %s holds in line @ a character the program cannot represent: no data imported. Correct the "
      "line, or save the file as Windows (ANSI) text, and import again",
      path);
  text.replace(text.find('@'), 1, number);
  return text;
}

// The lines of a UTF-16 file with its byte-order mark (Excel's "Unicode
// text"), as UTF-8, each without its line end. False when the text is not
// UTF-16 through and through (an odd last byte, a lone surrogate, a NUL).
bool utf16_lines(const std::string& bytes, std::vector<std::string>& lines, std::size_t* bad_line) {
  bool little = static_cast<unsigned char>(bytes[0]) == 0xFF;
  std::string line;
  lines.clear();
  auto unit = [&](std::size_t at) {
    unsigned char a = static_cast<unsigned char>(bytes[at]), b = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<char32_t>(little ? a | b << 8 : a << 8 | b);
  };
  auto end_line = [&] {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    line.clear();
  };
  for (std::size_t at = 2; at < bytes.size(); at += 2) {
    *bad_line = lines.size() + 1;
    if (at + 1 >= bytes.size()) return false;
    char32_t cp = unit(at);
    if (cp >= 0xD800 && cp < 0xDC00) {
      if (at + 3 >= bytes.size()) return false;
      char32_t low = unit(at + 2);
      if (low < 0xDC00 || low >= 0xE000) return false;
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
      at += 2;
    } else if ((cp >= 0xDC00 && cp < 0xE000) || cp == 0) {
      return false;
    }
    if (cp == '\n') {
      end_line();
      continue;
    }
    kt::append_utf8(line, cp);
  }
  if (!line.empty()) end_line();
  return true;
}

// The whole of a file that begins with a UTF-16 byte-order mark; false
// (the file is read as before) when it has none or cannot be read here.
bool read_utf16_file(const std::string& path, std::string& bytes) {
  std::FILE* in = og_open_school_file(path, nullptr, nullptr);
  if (in == nullptr) return false;
  ClosingFile closing(in);
  bytes.clear();
  char block[4096];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, in)) > 0;) {
    bytes.append(block, got);
    if (bytes.size() >= 2 && bytes.compare(0, 2, "\xFF\xFE") != 0 && bytes.compare(0, 2, "\xFE\xFF") != 0) {
      return false;
    }
  }
  return bytes.size() >= 2 && std::ferror(in) == 0;
}

}  // namespace

SchoolLines og_read_import_lines(const std::string& path, std::size_t limit,
                                 const std::function<bool(const std::string&)>& each, std::string* why) {
  std::vector<std::string> lines;
  std::string bytes;
  bool utf8 = false;
  SchoolLines read = SchoolLines::kRead;
  if (read_utf16_file(path, bytes)) {
    std::size_t bad_line = 0;
    if (!utf16_lines(bytes, lines, &bad_line)) {
      if (why != nullptr) *why = unrepresentable_text(path, bad_line);
      return SchoolLines::kUnusable;
    }
    utf8 = true;
  } else {
    read = og_read_plain_lines(path, limit, [&lines](const std::string& line) {
      lines.push_back(line);
      return true;
    }, why);
  }
  if (read != SchoolLines::kRead) return read;
  if (utf8) {
    // Already UTF-8 from UTF-16.
  } else if (!lines.empty() && lines[0].compare(0, 3, "\xEF\xBB\xBF") == 0) {
    lines[0].erase(0, 3);
    utf8 = true;
  } else {
    bool wide = false;
    utf8 = true;
    for (const std::string& line : lines) {
      if (!whole_utf8(line, &wide)) {
        utf8 = false;
        break;
      }
    }
    utf8 = utf8 && wide;
  }
  if (utf8) {
    // Every line is converted before any is handed over, so a refused file
    // has given the reader nothing.
    for (std::size_t n = 0; n < lines.size(); ++n) {
      bool ok = true;
      lines[n] = kt::utf8_to_cp1252(lines[n], &ok);
      if (!ok) {
        if (why != nullptr) *why = unrepresentable_text(path, n + 1);
        return SchoolLines::kUnusable;
      }
      if (lines[n].size() > limit) lines[n].resize(limit);
    }
  }
  for (const std::string& line : lines) {
    if (!each(line)) break;
  }
  return read;
}

std::vector<std::string> og_step_fields(const std::string& line, int limit) {
  std::vector<std::string> fields;
  std::vector<char> text(line.begin(), line.end());
  text.push_back('\0');
  std::vector<char> field(static_cast<std::size_t>(limit < 0 ? 0 : limit) + 1);
  char* p = text.data();
  if (*p == '|') p = or_next_field(p, '|');
  while (p && *p) {
    or_copy_field(field.data(), p, limit);
    fields.emplace_back(field.data());
    p = or_next_field(p, '|');
  }
  return fields;
}

std::vector<std::string> og_split_fields(const std::string& rest) {
  std::vector<std::string> fields;
  std::vector<char> field(rest.size() + 1);
  const char* p = rest.c_str();
  for (;;) {
    const char* bar = or_copy_to_char(field.data(), p, '|');
    if (bar > p) fields.emplace_back(field.data());
    if (*bar == '\0') break;
    p = bar + 1;
  }
  return fields;
}
