// The windows shown again when the frame is restored (see corner_windows.h).
#include "shell/corner_windows.h"

Ccorner g_corner;

void Ccorner::ShowListedWindows() {
  int count = m_count < kMaxWindows ? m_count : kMaxWindows;
  for (int i = 0; i < count; ++i)
    if (m_windows[i] && m_windows[i]->IsWindow()) m_windows[i]->ShowWindow(kt::ui::kSwShowNormal);
}
