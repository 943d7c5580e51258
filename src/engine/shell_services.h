// What the engine uses of the application shell: the process number of a
// parallel worker, the user's language, the delete-if-present operation and
// the busy pop-up.
#pragma once

#include <cstdint>

// 0 in the main process, 1 to 7 in a parallel worker ("PARPRO:n-m").
extern std::int8_t g_process_number;
// The user's language: 0 Italian, 1 German, 2 English.
extern std::uint8_t g_language;

// Deletes the file (a Windows-style path) when it exists; a missing file is no error.
void og_delete_file_if_present(const char* name);
// A text and mode 0 asks for the busy pop-up, no text and -1 hides it.
// Without a desktop (orario, tests) nothing is shown; the desktop program
// sets the hook, which may be called from the engine's worker thread.
void ui_busy_popup(const char* text, int mode);
extern void (*g_ui_busy_popup_hook)(const char* text, int mode);
