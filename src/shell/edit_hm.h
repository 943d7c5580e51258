// CEditHM: an edit field for a time of day as hours and minutes ("8:05").
// Whatever the user types, the field is read back and shown again at once,
// so its text always reads hours:two-digit minutes; a single minute digit
// counts as tens ("1:3" is 1 hour 30), and a first minute digit of 6 or
// more is refused by keeping the value before it.
#pragma once

#include "platform/ui.h"

// The last value any hours-and-minutes field read from its text.
extern int g_edit_hm_last_minutes;

class CEditHM : public kt::ui::Edit {
 public:
  void SetMinutes(int minutes);
  int GetMinutes();

 protected:
  void OnChar(unsigned char ch, unsigned mods) override;

 private:
  int m_minutes = 0;
  int m_sel_start = 0, m_sel_end = 0;
};
