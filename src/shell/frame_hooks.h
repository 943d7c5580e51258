// What the toolkit asks of the frame: locking its navigation around the
// modal runs of resizable dialogs, and hiding its launcher panel while a
// message box is up. The frame fills these in when it starts; before it
// exists (tests, worker processes, the first boxes of start-up) an unset
// hook does nothing, so the toolkit never depends on the frame's code.
#pragma once

struct FrameHooks {
  void (*lock_navigation)(int code) = nullptr;
  void (*unlock_navigation)(int show_panel) = nullptr;
  void (*hide_launcher_panel)(int restore) = nullptr;
};
extern FrameHooks g_frame_hooks;
