// The application-shell services the engine calls, as far as the engine
// needs them: the worker's process number, the user's language, deleting a
// file that may be missing, and the busy pop-up, which the desktop program
// shows through its hook and nothing else shows.
#include "engine/shell_services.h"

#include <cstdio>
#include <string>

#include "engine/run_files.h"
#include "platform/paths.h"

std::int8_t g_process_number = 0;
std::uint8_t g_language = 0;

void og_delete_file_if_present(const char* name) {
  if (!name) return;
  std::string path = kt::translate_path(name);
  // A running command only notes the deletion; its end carries it out.
  if (or_run_files_remove(path)) return;
  std::remove(path.c_str());
}

void (*g_ui_busy_popup_hook)(const char* text, int mode) = nullptr;

void ui_busy_popup(const char* text, int mode) {
  if (g_ui_busy_popup_hook) g_ui_busy_popup_hook(text, mode);
}
