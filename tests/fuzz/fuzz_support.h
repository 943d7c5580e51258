// Shared pieces of the fuzz harnesses: one private folder per process that
// stands for the drive root and the school folder (the readers work in the
// current folder, as the programs do), small file helpers, and the engine
// entry as `orario` calls it.
//
// Every harness works on files, since that is how a user hands us input: the
// bytes of one run are written to the file the reader expects, the reader
// runs through the entry the program uses, and the harness then checks what
// the program promises beyond "no crash" (files left as they were after a
// refused read, a save that reads back to the same bytes).
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "engine/shell_services.h"
#include "platform/paths.h"
#include "schooldata/school_file_lines.h"

namespace kt_fuzz {

namespace fs = std::filesystem;

// The process's folder, made on first use and removed at exit.
inline const fs::path& work_folder() {
  static const fs::path folder = [] {
    char pattern[] = "/tmp/kt-fuzz-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (!made) {
      std::perror("kt-fuzz: mkdtemp");
      std::abort();
    }
    fs::path path(made);
    ::setenv(kt::kDriveRootVariable, made, 1);
    if (::chdir(made) != 0) std::abort();
    static const fs::path to_remove = path;
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(to_remove, ignored);
    });
    return path;
  }();
  return folder;
}

// Empties the folder, so no run sees what an earlier one left.
inline void fresh_folder() {
  const fs::path& folder = work_folder();
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(folder, ignored)) fs::remove_all(entry.path(), ignored);
  if (::chdir(folder.c_str()) != 0) std::abort();
}

inline std::string file_path(const std::string& name) { return (work_folder() / name).string(); }

inline void write_bytes(const std::string& name, const std::string& bytes) {
  std::ofstream out(file_path(name), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void write_bytes(const std::string& name, const std::uint8_t* data, std::size_t size) {
  write_bytes(name, std::string(reinterpret_cast<const char*>(data), size));
}

// The bytes of a file, or "<missing>" when it can't be read.
inline std::string read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A file of the source tree (sample schools, test data), read once.
inline std::string source_file(const std::string& relative) {
  std::string bytes = read_bytes(std::string(KT_SOURCE_DIR) + "/" + relative);
  if (bytes == "<missing>") {
    std::fprintf(stderr, "kt-fuzz: cannot read %s\n", relative.c_str());
    std::abort();
  }
  return bytes;
}

// One engine command on a file of the folder, as `orario` runs it.
inline int run_engine(const std::string& command) {
  g_status.clear();
  g_status.language = 0;
  g_language = 0;
  const char* argv[] = {"Questo non serve", command.c_str(), nullptr};
  return or_main(1, 2, argv);
}

// A refused run: a file, configuration or processing error. The other
// non-zero results (a test run's first error, a previous timetable taken
// over after the posts changed) are outcomes the engine saves on purpose.
inline bool failed(int result) { return result == -1 || result == -2 || result == -3; }

// Stops the process the way libFuzzer reports a finding: the harness found a
// broken promise, not a crash of its own.
[[noreturn]] inline void broken(const char* what) {
  std::fprintf(stderr, "kt-fuzz: %s\n", what);
  std::abort();
}

// Stops on two texts that should be equal, naming the first line that
// differs, so a finding says what drifted.
inline void expect_same(const std::string& a, const std::string& b, const char* what) {
  if (a == b) return;
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  std::size_t begin = a.rfind('\n', at == 0 ? 0 : at - 1);
  begin = begin == std::string::npos ? 0 : begin + 1;
  auto line = [begin](const std::string& text) { return text.substr(begin, text.find('\n', begin) - begin); };
  std::fprintf(stderr, "kt-fuzz: first: %s\nkt-fuzz: then:  %s\n", line(a).c_str(), line(b).c_str());
  broken(what);
}

// The logical lines of a school file, unscrambled: the writers draw a new
// scrambling key for every line, so equal content has other bytes each time.
inline std::string school_file_content(const std::string& path) {
  std::string text;
  auto add = [&text](const std::string& line) {
    text += line + "\n";
    return true;
  };
  if (og_read_school_lines(path, add, nullptr) != SchoolLines::kRead) return "<unreadable>";
  return text;
}

}  // namespace kt_fuzz
