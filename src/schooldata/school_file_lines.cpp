// Scrambled or plain lines of the school files, written whole through a
// temporary file and read back with the engine's line reader.
//
// A file is gathered in memory first (a school file is a few hundred lines),
// so nothing reaches the disk until the whole text exists, and the rename
// leaves either the old file or the new one. Paths already absolute on this
// machine are used as they are; Windows-style names go through the one path
// translation.
#include "schooldata/school_file_lines.h"

#include <cstdio>

#include "engine/text_lines.h"
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

bool SchoolFileText::commit(const std::string& path) const {
  return kt::write_file_atomically(local_path(path), bytes_);
}

bool og_read_school_lines(const std::string& path, std::vector<std::string>& lines) {
  std::FILE* in = std::fopen(local_path(path).c_str(), "rb");
  if (in == nullptr) return false;
  std::vector<char> buffer(kLineLimit);
  while (or_read_line(buffer.data(), kLineLimit, in) != nullptr) {
    std::string text(buffer.data());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    lines.push_back(std::move(text));
  }
  std::fclose(in);
  return true;
}

std::vector<std::string> og_split_fields(const std::string& rest) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t bar = rest.find('|', start);
    if (bar == std::string::npos) bar = rest.size();
    if (bar > start) fields.push_back(rest.substr(start, bar - start));
    start = bar + 1;
  }
  return fields;
}
