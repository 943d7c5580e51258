// The title of the page or dialog the user has open, published for the
// remote-assistance keep-alive thread, which sends it to the assistance
// service. The user-interface thread writes one of two 42-byte buffers in
// turn and then points g_current_dialog_title at it, so the text a reader
// holds is never the one being written. Titles are cut to 40 characters.
#pragma once

#include <atomic>

// Null until the first title is recorded.
extern std::atomic<const char*> g_current_dialog_title;

// Records a title (user-interface thread only).
void ui_set_current_dialog_title(const char* title);
