// Input into the core. A backend (or the test driver) reports what the user
// did; the core queues it as messages to the window under the pointer or to
// the window with the focus, and the message loop runs them through the
// pre-translation of the target's dialogs (Tab, Enter, Esc, arrows,
// accelerators) before dispatching. Input to a window whose top-level window
// is disabled (a modal dialog is up over it) is refused with a beep; input
// to a disabled control is dropped.
#pragma once

#include "platform/ui_types.h"

namespace kt::ui {

class Window;

// With a left-button press (beside kModShift and the other keys held): the
// third of quick presses in one place, the second (and fourth) coming as a
// double click. Text fields take the line with it; other controls see a press.
inline constexpr unsigned kModTripleClick = 8;

// A mouse message at a point in the client coordinates of a top-level window.
// Returns false when the input was refused.
bool input_mouse(Window& top, std::uint32_t message, Point client, unsigned mods = 0);
// A button press outside every pop-up (a tracked menu, an open drop-down
// list): closes the pop-up; the press itself goes nowhere.
void input_outside_click();
// A key down (and up) or a character, to the window with the focus.
// Alt+F4 is the close of the focused window's top-level window (input_close),
// as the window managers bind it; it never reaches a control.
bool input_key(int key, unsigned mods = 0);
bool input_char(unsigned char ch, unsigned mods = 0);
// The user closed a top-level window (its close box, the window manager's
// close request): the window hears kMsgClose. False, with a beep, while a
// modal dialog is up over it.
bool input_close(Window& top);
// The user moved or resized a top-level window (screen rectangle).
void input_placement(Window& top, const Rect& screen_rect);
// The same from where the backend shows the client area (the window manager
// draws the frame): the core's window rectangle adds its frame around it.
void input_client_placement(Window& top, const Rect& client_on_screen);
// The window manager's maximised state for a top-level window, read when it
// reported a placement (see Window::NoteScreenZoomed).
void input_screen_zoomed(Window& top, bool shown_maximised);

}  // namespace kt::ui
