// Reading and showing hours and minutes (see edit_hm.h). The caret is kept
// where the user was typing; a caret at the start, or a text that starts
// with "0", puts it after the leading zeros, so typing over "0:00" writes
// the hour first. A text without a colon is read as whole hours; minutes
// below zero are shown as 0:00, never as a negative time.
#include "shell/edit_hm.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace kt::ui;

int g_edit_hm_last_minutes = 0;

void CEditHM::SetMinutes(int minutes) {
  if (minutes < 0) minutes = 0;
  char text[24];
  std::snprintf(text, sizeof text, "%d:%02d", minutes / 60, minutes % 60);
  m_minutes = minutes;
  int start = m_sel_start, end = m_sel_end;
  SetWindowText(text);
  if (start == 0 || text[0] == '0') {
    int zeros = 0;
    while (text[zeros] == '0') ++zeros;
    SetSel(zeros, zeros);
  } else {
    SetSel(start, end);
  }
}

int CEditHM::GetMinutes() {
  GetSel(m_sel_start, m_sel_end);
  char text[41];
  GetWindowText(text, int(sizeof text));
  // Hours beyond a week's worth are taken as that: no overflow from a long
  // run of digits pasted into the field.
  long hours_read = std::strtol(text, nullptr, 10);
  int hours = int(hours_read < 0 ? 0 : hours_read > 168 ? 168 : hours_read);
  const char* colon = std::strchr(text, ':');
  if (!colon) return hours * 60;
  const char* m = colon + 1;
  if (*m >= '6' && *m <= '9') return m_minutes;
  int minutes = 0;
  if (*m >= '0' && *m <= '5') {
    minutes = (*m - '0') * 10;
    if (m[1] >= '0' && m[1] <= '9') minutes += m[1] - '0';
  }
  return hours * 60 + minutes;
}

void CEditHM::OnChar(unsigned char ch, unsigned mods) {
  Edit::OnChar(ch, mods);
  int minutes = GetMinutes();
  SetMinutes(minutes);
  g_edit_hm_last_minutes = minutes;
}
