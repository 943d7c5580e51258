/* Preloaded into the orario program by tests (LD_PRELOAD): a disk that
 * refuses the writes of one file. A stream whose file's path contains the
 * text of KT_FAIL_WRITES_TO loses whatever it buffered at each flush and at
 * its close, which fail with ENOSPC and leave the stream's error indicator
 * set, as they do when the disk fills. A stream whose file's path contains
 * the text of KT_FAIL_CLOSE_OF writes everything but its close fails with
 * EIO, as a write error the system tells only at the close does. Every
 * other stream is untouched. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <stdio_ext.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int named_by(FILE* stream, const char* variable) {
  const char* part = getenv(variable);
  if (stream == NULL || part == NULL || part[0] == '\0') return 0;
  char link[64], path[PATH_MAX];
  snprintf(link, sizeof link, "/proc/self/fd/%d", fileno(stream));
  ssize_t n = readlink(link, path, sizeof path - 1);
  if (n <= 0) return 0;
  path[n] = '\0';
  return strstr(path, part) != NULL;
}

static int refused(FILE* stream) { return named_by(stream, "KT_FAIL_WRITES_TO"); }

static void lose_buffer(FILE* stream) {
  __fpurge(stream);
  stream->_flags |= _IO_ERR_SEEN;
  errno = ENOSPC;
}

int fflush(FILE* stream) {
  static int (*real)(FILE*) = NULL;
  if (real == NULL) real = (int (*)(FILE*))dlsym(RTLD_NEXT, "fflush");
  if (!refused(stream)) return real(stream);
  lose_buffer(stream);
  return EOF;
}

int fclose(FILE* stream) {
  static int (*real)(FILE*) = NULL;
  if (real == NULL) real = (int (*)(FILE*))dlsym(RTLD_NEXT, "fclose");
  if (named_by(stream, "KT_FAIL_CLOSE_OF")) {
    real(stream);
    errno = EIO;
    return EOF;
  }
  if (!refused(stream)) return real(stream);
  lose_buffer(stream);
  real(stream);
  errno = ENOSPC;
  return EOF;
}
