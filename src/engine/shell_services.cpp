// The application-shell services the engine calls, as far as the engine
// needs them: the worker's process number, the user's language, deleting a
// file that may be missing, and the busy pop-up, which is never shown (the
// shell creates it hidden and a show request does nothing visible).
#include "engine/shell_services.h"

#include <cstdio>
#include <string>

#include "platform/paths.h"

std::int8_t g_process_number = 0;
std::uint8_t g_language = 0;

void og_delete_file_if_present(const char* name) {
  if (!name) return;
  std::string path = kt::translate_path(name);
  std::remove(path.c_str());
}

void ui_busy_popup(const char* text, int mode) {}
