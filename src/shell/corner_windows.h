// Ccorner: the program's list of up to 40 windows that are shown again, in
// their normal state, when the frame comes back from being minimised.
#pragma once

#include "platform/ui.h"

class Ccorner {
 public:
  static constexpr int kMaxWindows = 40;
  // Lists a window once (a full list takes no more); false when not listed.
  bool Add(kt::ui::Window* window);
  void Remove(kt::ui::Window* window);
  // Shows each listed window that still exists in its normal state.
  void ShowListedWindows();

  kt::ui::Window* m_windows[kMaxWindows] = {};
  int m_count = 0;
};

extern Ccorner g_corner;
