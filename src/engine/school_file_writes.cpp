// Raising wrappers around ReplacementFile (see school_file_writes.h).
//
// The save files and the exemption files are the user's work: a failure to
// write them must reach the user as the engine's file error, while the old
// file stays as it was. The temporary file is removed by ReplacementFile on
// every path; these wrappers only decide that a failure is an error.
#include "engine/school_file_writes.h"

#include <cstdio>

#include "engine/errors.h"
#include "platform/paths.h"

namespace {
constexpr const char* kSource = "..\\Orario\\OR_SAVE";
}

void or_open_or_raise(ReplacementFile& file, const char* name, const char* hint) {
  if (!file.open(name)) or_raise_file_error(name, hint, kSource, 30);
}

void or_commit_or_raise(ReplacementFile& file, const char* name, const char* hint) {
  if (!file.commit()) or_raise_file_error(name, hint, kSource, 35);
}

void or_copy_current_or_raise(ReplacementFile& file, const char* name, const char* hint) {
  std::FILE* in = std::fopen(kt::translate_path(name).c_str(), "rb");
  if (in == nullptr) return;
  char block[16384];
  std::size_t n;
  bool ok = true;
  while (ok && (n = std::fread(block, 1, sizeof block, in)) > 0) ok = std::fwrite(block, 1, n, file.stream()) == n;
  ok = ok && std::ferror(in) == 0;
  std::fclose(in);
  if (!ok) {
    file.abandon();
    or_raise_file_error(name, hint, kSource, 48);
  }
}
