// Raising wrappers around ReplacementFile (see school_file_writes.h).
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
