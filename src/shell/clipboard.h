// Plain-text clipboard of the program, through the window backend (the
// screen backend's system clipboard, or the headless backend's own). Texts
// are 1252 bytes as everywhere in the program.
// Used by the pages' copy and paste buttons and by the report texts; the
// headless backend keeps the text in the process, so tests need no
// display.
#pragma once

// 0 done, -1 when there is no text to copy.
int ui_copy_text_to_clipboard(const char* text);
// Copies the clipboard's text into buffer, which holds size bytes: at most
// size - 1 characters and a terminating zero. An empty clipboard leaves the
// buffer as it was. 0 done, -1 when the buffer cannot hold anything.
int ui_paste_text_from_clipboard(char* buffer, int size);
