// The windows shown again when the frame is restored (see corner_windows.h).
#include "shell/corner_windows.h"

Ccorner g_corner;

bool Ccorner::Add(kt::ui::Window* window) {
  if (!window) return false;
  for (int i = 0; i < m_count; ++i)
    if (m_windows[i] == window) return true;
  if (m_count >= kMaxWindows) return false;
  m_windows[m_count++] = window;
  return true;
}

void Ccorner::Remove(kt::ui::Window* window) {
  for (int i = 0; i < m_count; ++i) {
    if (m_windows[i] != window) continue;
    for (int j = i + 1; j < m_count; ++j) m_windows[j - 1] = m_windows[j];
    m_windows[--m_count] = nullptr;
    return;
  }
}

void Ccorner::ShowListedWindows() {
  int count = m_count < kMaxWindows ? m_count : kMaxWindows;
  for (int i = 0; i < count; ++i)
    if (m_windows[i] && m_windows[i]->IsWindow()) m_windows[i]->ShowWindow(kt::ui::kSwShowNormal);
}
