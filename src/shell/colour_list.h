// CColorLix: a report list whose rows each have a background colour of
// their own (the pages colour rows by state: errors, changed, locked). The
// colours live in an array indexed by row that grows by a hundred rows at a
// time when a row beyond it is coloured; a row without a colour is white.
// The list answers its own custom-draw requests, so its page needs nothing.
#pragma once

#include <vector>

#include "platform/ui.h"

class CColorLix : public kt::ui::ListView {
 public:
  // A negative row is refused.
  void SetItemColor(kt::ui::Color color, int row);
  kt::ui::Color ItemColor(int row) const;
  bool m_coloring = true;

 protected:
  bool OnChildNotify(std::uint32_t message, kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;

 private:
  std::vector<kt::ui::Color> m_colors;
};
