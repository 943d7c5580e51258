// A byte source for the engine's line reader (g_line_byte_source) whose
// reads of the files ending in `name` fail with EIO once `after` of their
// bytes were served, as a disk that gives up part-way would. Set the three
// fields, put next_byte in place, and put the default back afterwards.
// `read` is the same disk for the desktop program's school-file reads
// (og_set_school_file_read).
#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "engine/text_lines.h"

struct FailingFile {
  static inline std::string name;
  static inline long after, served;
  static int next_byte(std::FILE* stream) {
    char link[64], target[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", ::fileno(stream));
    ssize_t n = ::readlink(link, target, sizeof target - 1);
    std::string path = n > 0 ? std::string(target, static_cast<std::size_t>(n)) : "";
    if (path.size() >= name.size() && path.compare(path.size() - name.size(), name.size(), name) == 0 &&
        served++ >= after) {
      errno = EIO;
      return kLineReadError;
    }
    return getc_unlocked(stream);
  }
  static long read(int fd, void* buffer, unsigned long size) {
    char link[64], target[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t n = ::readlink(link, target, sizeof target - 1);
    std::string path = n > 0 ? std::string(target, static_cast<std::size_t>(n)) : "";
    if (path.size() < name.size() || path.compare(path.size() - name.size(), name.size(), name) != 0) {
      return ::read(fd, buffer, size);
    }
    if (served >= after) {
      errno = EIO;
      return -1;
    }
    if (static_cast<long>(size) > after - served) size = static_cast<unsigned long>(after - served);
    long got = ::read(fd, buffer, size);
    if (got > 0) served += got;
    return got;
  }
};
