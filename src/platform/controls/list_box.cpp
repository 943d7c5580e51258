// List box behaviour and drawing (see list_box.h). Rows live in the
// ListRows store shared with the combo box (list_rows.h); a single-selection list keeps its choice
// in one index, a multiple-selection list in a flag per row, and both keep a
// caret row for the keyboard. Row positions are fixed-height lines from the
// top row, so hit tests and drawing agree without any layout pass. Lists
// hold tens to a few hundred rows (classes, teachers, subjects), so every
// search is a linear scan.
#include "platform/controls/list_box.h"

#include "platform/controls/scroll_bar.h"

#include <algorithm>

#include "platform/device_context.h"
#include "platform/ui_backend.h"

namespace kt::ui {

bool ListBox::OnCreate() {
  rows_.sorted = (GetStyle() & kLbsSort) != 0;
  return true;
}

void ListBox::OnDestroy() {
  rows_.rows.clear();
  cur_ = caret_ = anchor_ = -1;
  top_ = 0;
}

int ListBox::AddString(std::string_view text) {
  int i = AddRow(text);
  Invalidate();
  return i;
}

int ListBox::DeleteString(int index) {
  int left = rows_.Delete(index);
  if (left >= 0) {
    if (cur_ == index) cur_ = -1;
    else if (cur_ > index) --cur_;
    if (caret_ >= left) caret_ = left - 1;
    top_ = std::min(top_, std::max(0, left - 1));
    Invalidate();
  }
  return left;
}

void ListBox::ResetContent() {
  rows_.rows.clear();
  cur_ = caret_ = anchor_ = -1;
  top_ = 0;
  Invalidate();
}

int ListBox::SetCurSel(int index) {
  if (Multiple()) return kLbErr;
  if (!rows_.Valid(index)) {
    cur_ = -1;
    Invalidate();
    return index == -1 ? kLbErr : kLbErr;
  }
  cur_ = caret_ = index;
  EnsureVisible(index);
  Invalidate();
  return index;
}

int ListBox::GetCurSel() const {
  if (Multiple()) return caret_;
  return cur_;
}

int ListBox::GetSel(int index) const {
  if (!rows_.Valid(index)) return kLbErr;
  return Multiple() ? rows_.rows[std::size_t(index)].selected : index == cur_;
}

int ListBox::GetItemHeight() const { return backend().metrics().LineHeight(GetFont()) + 2; }

int ListBox::VisibleRows() const { return std::max(1, (GetClientRect().Height() - 2) / GetItemHeight()); }

void ListBox::SetTopIndex(int index) {
  top_ = std::clamp(index, 0, std::max(0, GetCount() - 1));
  Invalidate();
}

void ListBox::EnsureVisible(int index) {
  if (index < top_) top_ = index;
  else if (index >= top_ + VisibleRows()) top_ = index - VisibleRows() + 1;
}

int ListBox::ItemFromPoint(Point p) const {
  int i = top_ + (p.y - 1) / GetItemHeight();
  return (p.y >= 1 && rows_.Valid(i)) ? i : -1;
}

void ListBox::TellParent(int code) {
  if (GetStyle() & kLbsNotify) NotifyParentCommand(code);
}

void ListBox::UserSelect(int index, unsigned mods) {
  if (!rows_.Valid(index)) return;
  std::uint32_t style = GetStyle();
  if (style & kLbsExtendedSel) {
    if (mods & kModShift && anchor_ >= 0) {
      for (int i = 0; i < GetCount(); ++i)
        rows_.rows[std::size_t(i)].selected = i >= std::min(anchor_, index) && i <= std::max(anchor_, index);
    } else if (mods & kModControl) {
      rows_.rows[std::size_t(index)].selected = !rows_.rows[std::size_t(index)].selected;
      anchor_ = index;
    } else {
      for (auto& r : rows_.rows) r.selected = false;
      rows_.rows[std::size_t(index)].selected = true;
      anchor_ = index;
    }
  } else if (style & kLbsMultipleSel) {
    rows_.rows[std::size_t(index)].selected = !rows_.rows[std::size_t(index)].selected;
  } else {
    cur_ = index;
  }
  caret_ = index;
  EnsureVisible(index);
  Invalidate();
  TellParent(kLbnSelChange);
}

void ListBox::OnLButtonDown(Point p, unsigned mods) {
  SetFocus();
  if (GetCount() > VisibleRows() && p.x >= ScrollBarRect().left)
    return SetTopIndex(scroll_bar_click(ScrollBarRect(), p.y, top_, VisibleRows(), GetCount()));
  int i = ItemFromPoint(p);
  if (i >= 0) UserSelect(i, mods);
}

void ListBox::OnLButtonDblClk(Point p, unsigned mods) {
  int i = ItemFromPoint(p);
  if (i >= 0) TellParent(kLbnDblClk);
}

void ListBox::OnKeyDown(int key, unsigned mods) {
  int n = GetCount();
  if (n == 0) return;
  int from = caret_ < 0 ? 0 : caret_;
  int to = from;
  switch (key) {
    case kVkUp: to = from - 1; break;
    case kVkDown: to = caret_ < 0 ? 0 : from + 1; break;
    case kVkHome: to = 0; break;
    case kVkEnd: to = n - 1; break;
    case kVkPrior: to = from - VisibleRows() + 1; break;
    case kVkNext: to = from + VisibleRows() - 1; break;
    default: return;
  }
  to = std::clamp(to, 0, n - 1);
  if (to == caret_ && !Multiple()) return;
  if (GetStyle() & kLbsMultipleSel) {
    caret_ = to;
    EnsureVisible(to);
    Invalidate();
    return;
  }
  UserSelect(to, mods & kModShift);
}

// Typing moves the caret (and the single selection) to the row the typed
// prefix names.
void ListBox::OnChar(unsigned char ch, unsigned mods) {
  if (mods & (kModControl | kModAlt) || ch <= 0x20 || GetCount() == 0) return;
  int i = typed_.Next(ch, backend().clock().NowMs(), caret_,
                      [this](int start, std::string_view prefix) { return rows_.Find(start, prefix, false); });
  if (i < 0 || i == caret_) return;
  if (GetStyle() & kLbsMultipleSel) {
    caret_ = i;
    EnsureVisible(i);
    Invalidate();
    return;
  }
  UserSelect(i, 0);
}

void ListBox::OnMouseWheel(int delta, Point) {
  SetTopIndex(std::clamp(top_ - delta / 120 * 3, 0, std::max(0, GetCount() - VisibleRows())));
}

void ListBox::OnSetFocus(Window*) {
  Invalidate();
  TellParent(kLbnSetFocus);
}

void ListBox::OnKillFocus(Window*) {
  Invalidate();
  TellParent(kLbnKillFocus);
}

void ListBox::OnPaint(DeviceContext& dc) {
  Rect r = GetClientRect();
  dc.SetTextColor(IsWindowEnabled() ? kWindowTextColor : kGrayTextColor);
  dc.SetBkColor(kWindowColor);
  Color brush = RequestColors(dc, CtlType::kListBox);
  dc.FillRect(r, brush == kNoColor ? kWindowColor : brush);
  dc.FrameRect(r, kButtonShadowColor);
  Color text = dc.GetTextColor();
  int h = GetItemHeight();
  dc.SetBkMode(kBkTransparent);
  int right = GetCount() > VisibleRows() ? ScrollBarRect().left : r.right - 1;
  for (int i = top_, y = 1; i < GetCount() && y < r.bottom - 1; ++i, y += h) {
    Rect row{1, y, right, y + h};
    dc.SetTag(i, 0);
    bool sel = GetSel(i) > 0;
    if (sel) dc.FillRect(row, kHighlightColor);
    dc.SetTextColor(sel ? kHighlightTextColor : text);
    dc.DrawText(rows_.rows[std::size_t(i)].text, Rect{row.left + 2, row.top, row.right, row.bottom},
                kDtSingleLine | kDtVCenter | kDtNoPrefix | kDtExpandTabs);
  }
  dc.SetTag(-1, -1);
  if (GetCount() > VisibleRows()) draw_scroll_bar(dc, ScrollBarRect(), top_, VisibleRows(), GetCount());
}

Rect ListBox::ScrollBarRect() const {
  Rect r = GetClientRect();
  return {r.right - 1 - kScrollBarWidth, 1, r.right - 1, r.bottom - 1};
}

}  // namespace kt::ui
