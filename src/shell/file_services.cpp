// File services (see file_services.h), built on the platform's file
// operations; the program paths are translated once at the entry of each.
#include "shell/file_services.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/controls/progress_bar.h"
#include "platform/paths.h"
#include "platform/system_atomic_write.h"
#include "platform/system_files.h"

int og_delete_file_checked(const char* path) {
  if (!path) return 1;
  return kt::remove_file_if_present(kt::translate_path(path)) ? 1 : 0;
}

int og_copy_file(const char* source, const char* target, kt::ui::ProgressBar* progress) {
  std::string from = kt::translate_path(source);
  std::string to = kt::translate_path(target);
  kt::CopyProgress step;
  if (progress) {
    step = [progress, first = true](std::uint64_t done, std::uint64_t total) mutable {
      if (first) {
        progress->SetRange(0, static_cast<int>(total / 16384 + 1));
        first = false;
      }
      progress->SetPos(static_cast<int>((done + 16383) / 16384));
    };
  }
  int error = 0;
  switch (kt::copy_file_replacing(from, to, step, &error)) {
    case kt::CopyResult::kOk: return 0;
    case kt::CopyResult::kSourceUnreadable: return error ? error : ENOENT;
    case kt::CopyResult::kTargetFailed: return -1;
  }
  return -1;
}

int og_empty_folder(const char* folder, const char* sub) {
  std::string path = folder ? folder : ".";
  if (sub && *sub) {
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    path += sub;
  }
  return kt::empty_folder(kt::translate_path(path)) ? 0 : -1;
}

int og_make_path(const char* path) {
  std::string p = path ? path : "";
  std::size_t start = 0;
  if (p.size() >= 2 && p[1] == ':') start = 3;
  for (std::size_t i = start; i < p.size(); ++i) {
    if (p[i] != '\\' && p[i] != '/') continue;
    if (i == 0) continue;
    kt::make_folders(kt::translate_path(p.substr(0, i)));
  }
  return 0;
}


int og_get_temp_path(int size, char* buffer) {
  const char* dir = std::getenv("TMPDIR");
  std::string path = dir && *dir ? dir : "/tmp";
  if (path.back() != '/') path += '/';
  if (size > 0) std::snprintf(buffer, static_cast<std::size_t>(size), "%s", path.c_str());
  return static_cast<int>(path.size());
}

std::string ui_shown_path(const std::string& program_path) { return kt::shown_path(program_path); }
