// The saved timetable set aside and taken back (see timetable_aside.h). The
// sets are a handful of files of a few hundred kilobytes at most, so each
// operation holds them whole in memory between its reads and its writes.
#include "engine/timetable_aside.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/run_files.h"
#include "engine/school_folder_lock.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "platform/paths.h"
#include "platform/system_files.h"

std::uint8_t g_calc_from_empty_week = 0;

namespace {

constexpr const char* kSource = "..\\Orario\\OR_SAVE";
constexpr const char* kBalanced = ".\\savebi.txt";
constexpr const char* kSaveGo = ".\\savego.txt";
constexpr const char* kSavePrec = ".\\saveprec.txt";

// A saved timetable's files and their copies aside, in the current mode.
struct Pair {
  const char* current;
  const char* aside;
};
constexpr Pair kNormalSet[] = {{kSaveGo, ".\\savego_precedente.txt"},
                               {kSavePrec, ".\\saveprec_precedente.txt"},
                               {".\\ricevi.txt", ".\\ricevi_precedente.txt"}};
constexpr Pair kProvisionalSet[] = {{".\\saveprov.txt", ".\\saveprov_precedente.txt"}};

std::vector<Pair> current_set() {
  if (g_provisional_mode) return {std::begin(kProvisionalSet), std::end(kProvisionalSet)};
  return {std::begin(kNormalSet), std::end(kNormalSet)};
}

bool exists(const char* name) { return kt::file_exists(kt::translate_path(name)); }

struct Contents {
  bool present = false;
  std::string bytes;
};

// The whole file; a file that exists but cannot be read ends the operation.
Contents read_whole(const char* name) {
  Contents c;
  std::FILE* in = std::fopen(kt::translate_path(name).c_str(), "rb");
  if (in == nullptr) {
    if (errno == ENOENT) return c;
    or_raise_file_error(name, or_read_failure_reason(or_language()), kSource, 60);
  }
  char block[16384];
  std::size_t n;
  while ((n = std::fread(block, 1, sizeof block, in)) > 0) c.bytes.append(block, n);
  bool failed = std::ferror(in) != 0;
  int error = errno;
  std::fclose(in);
  if (failed) {
    errno = error;
    or_raise_file_error(name, or_read_failure_reason(or_language()), kSource, 70);
  }
  c.present = true;
  return c;
}

[[noreturn]] void raise_write(const char* name, int error) {
  errno = error;
  or_raise_file_error(name, or_write_failure_reason(error, or_language()), kSource, 80);
}

// The file's new contents in the step being gathered: written, or deleted
// when absent.
void stage(const char* name, const Contents& c) {
  std::string path = kt::translate_path(name);
  if (!c.present) {
    or_run_files_remove(path);
    return;
  }
  int error = 0;
  bool handled = false;
  std::FILE* out = or_run_files_open_write(path, false, &error, &handled);
  if (out == nullptr) raise_write(name, error);
  errno = 0;
  bool written = std::fwrite(c.bytes.data(), 1, c.bytes.size(), out) == c.bytes.size();
  error = errno;
  if (std::fclose(out) != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written) raise_write(name, error ? error : EIO);
}

// Runs `gather` as one step of the folder: locked, after completing what an
// earlier step left, its files replaced together at the end.
template <typename Gather>
int one_step(Gather gather) {
  g_status.message[0] = '\0';
  try {
    kt::FolderLock lock = or_lock_school_folder();
    int error = 0;
    if (!or_settle_run_files(&error)) raise_write("orario.kt-commit", error);
    or_run_files_begin();
    int result = gather();
    std::string failed;
    if (!or_run_files_commit(&failed, &error)) raise_write(failed.empty() ? "orario.kt-commit" : failed.c_str(), error);
    return result;
  } catch (const EngineFileError&) {
  } catch (const EngineError&) {
  }
  or_run_files_abort();
  return -1;
}

}  // namespace

bool or_saved_timetable_present() {
  if (g_provisional_mode) return exists(kProvisionalSet[0].current);
  return exists(kSaveGo) || exists(kSavePrec);
}

bool or_saved_timetable_aside() {
  for (const Pair& p : current_set())
    if (exists(p.aside)) return true;
  return false;
}

bool or_balanced_timetable_present() { return !g_provisional_mode && exists(kBalanced); }

int or_set_aside_saved_timetable() {
  if (!or_saved_timetable_present()) return 1;
  return one_step([] {
    std::vector<Contents> now;
    for (const Pair& p : current_set()) now.push_back(read_whole(p.current));
    std::size_t i = 0;
    for (const Pair& p : current_set()) stage(p.aside, now[i++]);
    return 0;
  });
}

int or_take_back_saved_timetable() {
  if (!or_saved_timetable_aside()) return 1;
  return one_step([] {
    std::vector<Contents> now, aside;
    for (const Pair& p : current_set()) {
      now.push_back(read_whole(p.current));
      aside.push_back(read_whole(p.aside));
    }
    std::size_t i = 0;
    for (const Pair& p : current_set()) {
      stage(p.current, aside[i]);
      stage(p.aside, now[i]);
      ++i;
    }
    return 0;
  });
}

int or_take_balanced_timetable() {
  if (!or_balanced_timetable_present()) return 1;
  return one_step([] {
    Contents balanced = read_whole(kBalanced);
    if (!balanced.present) return 1;
    std::vector<Contents> now;
    for (const Pair& p : kNormalSet) now.push_back(read_whole(p.current));
    std::size_t i = 0;
    for (const Pair& p : kNormalSet) stage(p.aside, now[i++]);
    // The balanced week is the timetable now; a record of an earlier
    // computation must not be read in its place.
    stage(kSaveGo, balanced);
    stage(kSavePrec, Contents{});
    stage(kBalanced, Contents{});
    return 0;
  });
}

int or_drop_balanced_timetable() {
  if (!or_balanced_timetable_present()) return 1;
  return one_step([] {
    stage(kBalanced, Contents{});
    return 0;
  });
}
