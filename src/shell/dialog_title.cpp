// Two alternating title buffers (see dialog_title.h). The pointer is stored
// with release order after the text is complete, so the keep-alive thread
// that loads it with acquire order reads a whole title. A third title
// overwrites the buffer of the first: a reader is expected to copy what it
// read before the user opens two more pages, which at a keep-alive every
// few seconds it does.
#include "shell/dialog_title.h"

#include <cstring>

std::atomic<const char*> g_current_dialog_title{nullptr};

namespace {
char g_title_buffers[2][42];
int g_title_last = 0;
}  // namespace

void ui_set_current_dialog_title(const char* title) {
  g_title_last = g_title_last == 0 ? 1 : 0;
  char* buffer = g_title_buffers[g_title_last];
  std::size_t n = title ? strnlen(title, 40) : 0;
  if (n) std::memcpy(buffer, title, n);
  buffer[n] = '\0';
  g_current_dialog_title.store(buffer, std::memory_order_release);
}
