// The screen backend of the window core on Linux, built on FLTK 1.3. The
// program calls start_fltk_backend() once at start-up on the thread that will
// run the user interface: it opens the display, installs the backend and
// claims that thread; from then on every top-level window of the core has a
// real window that replays the core's display list, and the modal loops wait
// for X events. Without a display it returns false and the program may go on
// headless (the solver processes never start it).
//
// This header holds no FLTK type, so any part of the program may include it;
// only the files of this folder include FLTK itself.
// Screen tests read back what a window shows with read_window_pixels().
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ui_types.h"

namespace kt::ui {

class Window;

// The class every window of the program carries for the window manager
// (its task bar groups and names the windows by it).
inline constexpr const char* kProgramWindowClass = "KestrinTempus";

// True when a display can be opened (DISPLAY set and answering).
bool display_available();
// Opens the display and installs the backend; false when there is none.
bool start_fltk_backend();
// Closes every mirrored window and goes back to the headless backend.
void stop_fltk_backend();

// Handles what the display has queued and paints every window that waits
// for it, for at most the given seconds (0: only what is queued now).
void fltk_flush(double seconds = 0);

// Client-area pixels of a shown top-level window, rows of RGB bytes.
struct WindowPixels {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
  Color At(int x, int y) const;
};
bool read_window_pixels(Window& top, WindowPixels& out);
// What the screen shows in a rectangle (screen coordinates), whichever
// window is on top there: screen tests check stacking with it.
bool read_screen_pixels(const Rect& area, WindowPixels& out);

// The X window that shows a top-level window, 0 when none is shown (screen
// tests send it events as the window manager or the user would).
unsigned long native_window(Window& top);

// The least and largest sizes a shown window tells the window manager
// (largest 0x0 when it sets none); false when it is not shown.
bool window_size_hints(Window& top, Size& least, Size& largest);
// Whether a window manager runs on the display (one that follows the
// desktop conventions, so it can be asked to maximise).
bool window_manager_running();
// Asks the window manager to maximise a shown window, as its title bar's
// button does; false when no window manager could be asked.
bool ask_window_manager_to_maximise(Window& top);
// Whether the window manager shows the window maximised (both ways).
bool window_manager_shows_maximised(Window& top);

}  // namespace kt::ui
