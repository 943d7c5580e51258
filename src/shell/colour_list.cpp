// Row colours of CColorLix (see colour_list.h): the list asks for item and
// sub-item drawing and gives every cell of a row the row's colour; the
// platform then draws the cell's text 5 pixels from its left edge. The
// answers come from the list itself through reflection, so a page that
// also handles custom drawing for other lists is not disturbed. Turning
// colouring off gives the platform's plain colours back.
#include "shell/colour_list.h"

using namespace kt::ui;

void CColorLix::SetItemColor(Color color, int row) {
  if (row < 0) return;
  if (std::size_t(row) >= m_colors.size()) m_colors.resize(std::size_t(row) + 100, kNoColor);
  m_colors[std::size_t(row)] = color;
  Invalidate(false);
}

Color CColorLix::ItemColor(int row) const {
  if (row < 0 || std::size_t(row) >= m_colors.size() || m_colors[std::size_t(row)] == kNoColor)
    return rgb(255, 255, 255);
  return m_colors[std::size_t(row)];
}

bool CColorLix::OnChildNotify(std::uint32_t message, WParam w, LParam l, LResult* result) {
  if (message != kMsgNotify || !l || !m_coloring) return ListView::OnChildNotify(message, w, l, result);
  NotifyHeader* header = reinterpret_cast<NotifyHeader*>(l);
  if (header->code != kNmCustomDraw || header->window != this) return ListView::OnChildNotify(message, w, l, result);
  ListViewCustomDraw* cd = reinterpret_cast<ListViewCustomDraw*>(l);
  if (cd->stage == kCddsPrePaint) {
    *result = kCdrfNotifyItemDraw;
  } else if (cd->stage == kCddsItemPrePaint) {
    *result = kCdrfNotifySubItemDraw;
  } else if (cd->stage == (kCddsItemPrePaint | kCddsSubItem)) {
    cd->back_color = ItemColor(cd->item);
    *result = kCdrfDoDefault;
  } else {
    *result = kCdrfDoDefault;
  }
  return true;
}
