// FLTK key codes and modifier states as the core's key codes (the virtual-key
// numbers the pages test) and modifier bits. Letters are reported in upper
// case and digits as themselves, as the accelerators expect; function keys
// F1..F12 follow F1; keys the core has no code for give 0 and are dropped.
#include "platform/fltk/fltk_internal.h"

namespace kt::ui {

int core_key_for(int k) {
  if (k >= 'a' && k <= 'z') return k - 'a' + 'A';
  if ((k >= '0' && k <= '9') || (k >= 'A' && k <= 'Z')) return k;
  if (k >= FL_F + 1 && k <= FL_F + 12) return kVkF1 + (k - FL_F - 1);
  if (k >= FL_KP + '0' && k <= FL_KP + '9') return 0x60 + (k - FL_KP - '0');
  switch (k) {
    case FL_BackSpace: return kVkBack;
    case FL_Tab: return kVkTab;
    case FL_Enter: case FL_KP_Enter: return kVkReturn;
    case FL_Escape: return kVkEscape;
    case ' ': return kVkSpace;
    case FL_Page_Up: return kVkPrior;
    case FL_Page_Down: return kVkNext;
    case FL_End: return kVkEnd;
    case FL_Home: return kVkHome;
    case FL_Left: return kVkLeft;
    case FL_Up: return kVkUp;
    case FL_Right: return kVkRight;
    case FL_Down: return kVkDown;
    case FL_Insert: return kVkInsert;
    case FL_Delete: return kVkDelete;
    case FL_Shift_L: case FL_Shift_R: return kVkShift;
    case FL_Control_L: case FL_Control_R: return kVkControl;
    default: return 0;
  }
}

unsigned core_mods(int state) {
  unsigned m = 0;
  if (state & FL_SHIFT) m |= kModShift;
  if (state & FL_CTRL) m |= kModControl;
  if (state & FL_ALT) m |= kModAlt;
  return m;
}

}  // namespace kt::ui
