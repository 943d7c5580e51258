// Clipboard copy and paste (see clipboard.h). The paste never writes past
// the caller's buffer: the length is the buffer's size and the text is
// always terminated, so a long clipboard text is cut, not overflowed.
// Both calls are cheap and rare (a user's copy or paste); the backend owns
// the text between them, so nothing is kept here.
#include "shell/clipboard.h"

#include <cstring>
#include <string>

#include "platform/ui_backend.h"

int ui_copy_text_to_clipboard(const char* text) {
  if (!text) return -1;
  kt::ui::backend().SetClipboardText(text);
  return 0;
}

int ui_paste_text_from_clipboard(char* buffer, int size) {
  if (!buffer || size <= 0) return -1;
  std::string text = kt::ui::backend().GetClipboardText();
  if (text.empty()) return 0;
  std::size_t n = std::min(text.size(), std::size_t(size - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return 0;
}
