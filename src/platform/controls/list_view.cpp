// Report list view behaviour and drawing (see list_view.h). Drawing asks
// for custom drawing at three stages: once for the list (the answer says
// whether rows are to be asked), per row (whether cells are to be asked),
// per cell (colours, or "skip default" when the answer drew the cell). A
// cell's fill and text are tagged with its row and column in the display
// list. Selected rows show the highlight unless custom colours were given.
#include "platform/controls/list_view.h"

#include "platform/controls/scroll_bar.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "platform/cp1252.h"
#include "platform/device_context.h"
#include "platform/ui_backend.h"

namespace kt::ui {

void LabelEdit::OnKeyDown(int key, unsigned mods) {
  ListView* list = dynamic_cast<ListView*>(GetParent());
  if (list && (key == kVkReturn || key == kVkEscape)) return list->EndEditLabel(key == kVkReturn);
  Edit::OnKeyDown(key, mods);
}

void LabelEdit::OnChar(unsigned char ch, unsigned mods) {
  if (ch == '\r' || ch == 0x1B || ch == '\t') return;
  Edit::OnChar(ch, mods);
}

bool ListView::Create(std::uint32_t style, const Rect& r, Window* parent, int id) {
  return CreateChild("ListView", "", style, r, parent, id);
}

void ListView::OnDestroy() {
  columns_.clear();
  rows_.clear();
  top_ = scroll_x_ = 0;
  mark_ = anchor_ = editing_ = tracking_ = -1;
  ex_ = 0;
}

// ---- columns ----

int ListView::InsertColumn(int index, std::string_view heading, int format, int width, int) {
  std::size_t at = std::min<std::size_t>(index < 0 ? columns_.size() : std::size_t(index), columns_.size());
  columns_.insert(columns_.begin() + std::ptrdiff_t(at), Column{std::string(heading), format, width});
  if (at > 0)
    for (Row& r : rows_)
      if (r.texts.size() > at) r.texts.insert(r.texts.begin() + std::ptrdiff_t(at), std::string());
  Invalidate();
  return int(at);
}

bool ListView::DeleteColumn(int index) {
  if (index < 0 || index >= int(columns_.size())) return false;
  columns_.erase(columns_.begin() + index);
  for (Row& r : rows_)
    if (int(r.texts.size()) > index) r.texts.erase(r.texts.begin() + index);
  if (tracking_ >= int(columns_.size())) tracking_ = -1;
  scroll_x_ = std::min(scroll_x_, MaxScrollX());
  Invalidate();
  return true;
}

int ListView::GetColumnWidth(int index) const {
  return index >= 0 && index < int(columns_.size()) ? columns_[std::size_t(index)].width : 0;
}

bool ListView::SetColumnWidth(int index, int width) {
  if (index < 0 || index >= int(columns_.size())) return false;
  columns_[std::size_t(index)].width = std::max(0, width);
  scroll_x_ = std::min(scroll_x_, MaxScrollX());
  Invalidate();
  return true;
}

std::string ListView::GetColumnHeading(int index) const {
  return index >= 0 && index < int(columns_.size()) ? columns_[std::size_t(index)].heading : std::string();
}

bool ListView::SetColumnHeading(int index, std::string_view heading) {
  if (index < 0 || index >= int(columns_.size())) return false;
  columns_[std::size_t(index)].heading = std::string(heading);
  Invalidate();
  return true;
}

bool ListView::SetSortArrow(int column, int direction) {
  if (column < 0 || column >= int(columns_.size())) return false;
  columns_[std::size_t(column)].arrow = direction;
  Invalidate();
  return true;
}

int ListView::GetSortArrow(int column) const {
  return column >= 0 && column < int(columns_.size()) ? columns_[std::size_t(column)].arrow : 0;
}

int ListView::GetStringWidth(std::string_view text) const { return backend().metrics().TextWidth(GetFont(), text); }

// ---- rows ----

int ListView::InsertItem(int index, std::string_view text, std::uintptr_t data) {
  std::size_t at = std::min<std::size_t>(index < 0 ? rows_.size() : std::size_t(index), rows_.size());
  Row r;
  r.texts.push_back(std::string(text));
  r.data = data;
  rows_.insert(rows_.begin() + std::ptrdiff_t(at), std::move(r));
  if (mark_ >= int(at)) ++mark_;
  if (editing_ >= int(at)) ++editing_;
  Invalidate();
  return int(at);
}

bool ListView::DeleteItem(int index) {
  if (index < 0 || index >= int(rows_.size())) return false;
  if (editing_ == index) EndEditLabel(false);
  rows_.erase(rows_.begin() + index);
  if (mark_ == index) mark_ = -1;
  else if (mark_ > index) --mark_;
  if (editing_ > index) --editing_;
  top_ = std::min(top_, std::max(0, int(rows_.size()) - 1));
  Invalidate();
  return true;
}

bool ListView::DeleteAllItems() {
  if (editing_ >= 0) EndEditLabel(false);
  rows_.clear();
  top_ = 0;
  mark_ = anchor_ = -1;
  Invalidate();
  return true;
}

bool ListView::SetItemText(int item, int subitem, std::string_view text) {
  if (item < 0 || item >= int(rows_.size()) || subitem < 0) return false;
  std::vector<std::string>& t = rows_[std::size_t(item)].texts;
  if (int(t.size()) <= subitem) t.resize(std::size_t(subitem) + 1);
  t[std::size_t(subitem)] = std::string(text);
  Invalidate();
  return true;
}

std::string ListView::GetItemText(int item, int subitem) const {
  if (item < 0 || item >= int(rows_.size()) || subitem < 0) return {};
  const std::vector<std::string>& t = rows_[std::size_t(item)].texts;
  return subitem < int(t.size()) ? t[std::size_t(subitem)] : std::string();
}

bool ListView::SetItemData(int item, std::uintptr_t data) {
  if (item < 0 || item >= int(rows_.size())) return false;
  rows_[std::size_t(item)].data = data;
  return true;
}

std::uintptr_t ListView::GetItemData(int item) const {
  return item >= 0 && item < int(rows_.size()) ? rows_[std::size_t(item)].data : 0;
}

void ListView::ChangeState(int item, std::uint32_t state, std::uint32_t mask) {
  Row& r = rows_[std::size_t(item)];
  std::uint32_t old = r.state;
  std::uint32_t now = (old & ~mask) | (state & mask);
  if (now == old) return;
  r.state = now;
  if ((now & kLvisFocused) && !(old & kLvisFocused))
    for (std::size_t i = 0; i < rows_.size(); ++i)
      if (int(i) != item) rows_[i].state &= ~kLvisFocused;
  if (now & kLvisSelected) mark_ = item;
  ListViewNotify n;
  n.hdr.code = kLvnItemChanged;
  n.item = item;
  n.subitem = 0;
  n.old_state = old;
  n.new_state = now;
  n.changed = 8;
  n.param = r.data;
  Invalidate();
  NotifyParent(n.hdr);
}

bool ListView::SetItemState(int item, std::uint32_t state, std::uint32_t mask) {
  if (item == -1) {
    for (int i = 0; i < int(rows_.size()) && IsWindow(); ++i) ChangeState(i, state, mask);
    return true;
  }
  if (item < 0 || item >= int(rows_.size())) return false;
  WindowHandle self = handle();
  if (SingleSel() && (state & mask & kLvisSelected))
    for (int i = 0; i < int(rows_.size()) && IsWindow(self); ++i)
      if (i != item && (rows_[std::size_t(i)].state & kLvisSelected)) ChangeState(i, 0, kLvisSelected);
  if (IsWindow(self) && item < int(rows_.size())) ChangeState(item, state, mask);
  return true;
}

std::uint32_t ListView::GetItemState(int item, std::uint32_t mask) const {
  return item >= 0 && item < int(rows_.size()) ? rows_[std::size_t(item)].state & mask : 0;
}

int ListView::GetNextItem(int start, std::uint32_t flags) const {
  for (int i = start + 1; i < int(rows_.size()); ++i) {
    std::uint32_t s = rows_[std::size_t(i)].state;
    if ((flags & kLvniSelected) && !(s & kLvisSelected)) continue;
    if ((flags & kLvniFocused) && !(s & kLvisFocused)) continue;
    return i;
  }
  return -1;
}

int ListView::GetSelectedCount() const {
  return int(std::count_if(rows_.begin(), rows_.end(), [](const Row& r) { return (r.state & kLvisSelected) != 0; }));
}

int ListView::FindItemByData(int start, std::uintptr_t data) const {
  for (int i = start + 1; i < int(rows_.size()); ++i)
    if (rows_[std::size_t(i)].data == data) return i;
  return -1;
}

int ListView::FindItemByText(int start, std::string_view text) const {
  std::string t(text);
  for (int i = start + 1; i < int(rows_.size()); ++i)
    if (cp1252_casecmp(GetItemText(i, 0).c_str(), t.c_str()) == 0) return i;
  return -1;
}

bool ListView::SortItems(CompareFunc compare, std::uintptr_t param) {
  if (!compare) return false;
  std::stable_sort(rows_.begin(), rows_.end(),
                   [&](const Row& a, const Row& b) { return compare(a.data, b.data, param) < 0; });
  mark_ = -1;
  for (int i = 0; i < int(rows_.size()); ++i)
    if (rows_[std::size_t(i)].state & kLvisSelected) mark_ = i;
  Invalidate();
  return true;
}

std::uint32_t ListView::SetExtendedStyle(std::uint32_t ex) {
  std::uint32_t old = ex_;
  ex_ = ex;
  Invalidate();
  return old;
}

// ---- geometry ----

int ListView::RowHeight() const { return backend().metrics().LineHeight(GetFont()) + 4; }

int ListView::HeaderHeight() const {
  return (GetStyle() & kLvsNoColumnHeader) ? 0 : backend().metrics().LineHeight(GetFont()) + 6;
}

int ListView::ColumnsWidth() const {
  int total = 0;
  for (const Column& c : columns_) total += c.width;
  return total;
}

// Each bar takes room from the other's direction, so a row bar can make the
// columns too wide and a column bar can make the rows too many.
bool ListView::BarsShown(bool* rows_bar) const {
  Rect r = GetClientRect();
  int rows_room = r.Height() - HeaderHeight() - 2;
  int rh = RowHeight();
  int rows = int(rows_.size());
  bool v = rows > std::max(1, rows_room / rh);
  bool h = ColumnsWidth() > r.Width() - 2 - (v ? kScrollBarWidth : 0);
  if (h && !v) {
    v = rows > std::max(1, (rows_room - kScrollBarWidth) / rh);
    h = ColumnsWidth() > r.Width() - 2 - (v ? kScrollBarWidth : 0);
  }
  if (rows_bar) *rows_bar = v;
  return h;
}

bool ListView::HasColumnsScrollBar() const { return BarsShown(nullptr); }

bool ListView::HasRowsScrollBar() const {
  bool v = false;
  BarsShown(&v);
  return v;
}

int ListView::ViewWidth() const {
  return std::max(0, GetClientRect().Width() - 2 - (HasRowsScrollBar() ? kScrollBarWidth : 0));
}

int ListView::MaxScrollX() const { return std::max(0, ColumnsWidth() - ViewWidth()); }

void ListView::SetScrollX(int x) {
  int to = std::clamp(x, 0, MaxScrollX());
  if (to == scroll_x_) return;
  scroll_x_ = to;
  Invalidate();
}

bool ListView::EnsureColumnVisible(int column) {
  if (column < 0 || column >= int(columns_.size())) return false;
  int left = 0;
  for (int c = 0; c < column; ++c) left += columns_[std::size_t(c)].width;
  int right = left + columns_[std::size_t(column)].width;
  int view = ViewWidth();
  if (right - scroll_x_ > view) SetScrollX(right - view);
  if (left < scroll_x_ || right - left > view) SetScrollX(left);
  return true;
}

int ListView::GetCountPerPage() const {
  int room = GetClientRect().Height() - HeaderHeight() - 2 - (HasColumnsScrollBar() ? kScrollBarWidth : 0);
  return std::max(1, room / RowHeight());
}

bool ListView::EnsureVisible(int item, bool partial_ok) {
  if (item < 0 || item >= int(rows_.size())) return false;
  if (item < top_) top_ = item;
  else if (item >= top_ + GetCountPerPage()) top_ = item - GetCountPerPage() + 1;
  Invalidate();
  return true;
}

bool ListView::Scroll(int dx, int dy) {
  // No further than the bar's own limit: the last column's end shows beside
  // the rows bar too.
  scroll_x_ = std::clamp(scroll_x_ + dx, 0, MaxScrollX());
  if (dy) top_ = std::clamp(top_ + dy / RowHeight(), 0, std::max(0, int(rows_.size()) - 1));
  Invalidate();
  return true;
}

Rect ListView::GetHeaderItemRect(int column) const {
  int x = 1 - scroll_x_;
  for (int c = 0; c < column && c < int(columns_.size()); ++c) x += columns_[std::size_t(c)].width;
  return {x, 1, x + GetColumnWidth(column), 1 + HeaderHeight()};
}

bool ListView::GetSubItemRect(int item, int subitem, Rect& r) const {
  if (item < 0 || item >= int(rows_.size()) || subitem < 0 || subitem >= int(columns_.size())) return false;
  Rect h = GetHeaderItemRect(subitem);
  int y = 1 + HeaderHeight() + (item - top_) * RowHeight();
  r = {h.left, y, h.right, y + RowHeight()};
  return true;
}

bool ListView::GetItemRect(int item, Rect& r) const {
  if (!GetSubItemRect(item, 0, r)) return false;
  int total = 0;
  for (const Column& c : columns_) total += c.width;
  r.right = r.left + total;
  return true;
}

int ListView::SubItemHitTest(Point p, int* subitem, bool* on_header) const {
  if (subitem) *subitem = -1;
  if (on_header) *on_header = false;
  int col = -1;
  for (int c = 0; c < int(columns_.size()); ++c) {
    Rect h = GetHeaderItemRect(c);
    if (p.x >= h.left && p.x < h.right) col = c;
  }
  if (HeaderHeight() && p.y >= 1 && p.y < 1 + HeaderHeight()) {
    if (on_header) *on_header = col >= 0;
    if (subitem) *subitem = col;
    return -1;
  }
  int row = top_ + (p.y - 1 - HeaderHeight()) / RowHeight();
  if (p.y < 1 + HeaderHeight() || row < 0 || row >= int(rows_.size()) || col < 0) return -1;
  if (subitem) *subitem = col;
  return row;
}

// ---- notifications and user actions ----

LResult ListView::Notify(int code, int item, int subitem, Point p) {
  ListViewNotify n;
  n.hdr.code = code;
  n.item = item;
  n.subitem = subitem;
  n.point = p;
  n.param = GetItemData(item);
  return NotifyParent(n.hdr);
}

void ListView::SelectByUser(int item, unsigned mods) {
  WindowHandle self = handle();
  if (item < 0) {
    if (!(mods & kModControl) && !SingleSel()) SetItemState(-1, 0, kLvisSelected);
    return;
  }
  if (!SingleSel() && (mods & kModControl)) {
    ChangeState(item, (GetItemState(item, kLvisSelected) ^ kLvisSelected) | kLvisFocused, kLvisSelected | kLvisFocused);
    anchor_ = item;
    return;
  }
  if (!SingleSel() && (mods & kModShift) && anchor_ >= 0) {
    for (int i = 0; i < int(rows_.size()) && IsWindow(self); ++i) {
      bool in = i >= std::min(anchor_, item) && i <= std::max(anchor_, item);
      ChangeState(i, in ? kLvisSelected : 0, kLvisSelected);
    }
    if (IsWindow(self)) ChangeState(item, kLvisFocused, kLvisFocused);
    return;
  }
  for (int i = 0; i < int(rows_.size()) && IsWindow(self); ++i)
    if (i != item && (rows_[std::size_t(i)].state & kLvisSelected)) ChangeState(i, 0, kLvisSelected);
  if (IsWindow(self) && item < int(rows_.size())) ChangeState(item, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
  anchor_ = item;
}

// The column whose right edge is within a few pixels of a point on the
// header; -1 when none. Columns of no width are the pages' hidden ones and
// never grabbed.
int ListView::DividerAt(Point p) const {
  if (!HeaderHeight() || p.y < 1 || p.y >= 1 + HeaderHeight()) return -1;
  int found = -1;
  for (int c = 0; c < int(columns_.size()); ++c)
    if (columns_[std::size_t(c)].width > 0 && std::abs(GetHeaderItemRect(c).right - p.x) <= 4) found = c;
  return found;
}

bool ListView::PressOnFrame(Point p) {
  if (HasRowsScrollBar() && RowsScrollBar().Contains(p)) {
    top_ = scroll_bar_click(RowsScrollBar(), p.y, top_, GetCountPerPage(), int(rows_.size()));
    Invalidate();
    return true;
  }
  if (HasColumnsScrollBar() && ColumnsScrollBar().Contains(p)) {
    Rect bar = ColumnsScrollBar();
    SetScrollX(scroll_bar_click(bar, p.x, scroll_x_, ViewWidth(), ColumnsWidth(), true, 24));
    return true;
  }
  if (int c = DividerAt(p); c >= 0) {
    tracking_ = c;
    track_from_x_ = p.x;
    track_from_width_ = columns_[std::size_t(c)].width;
    SetCapture();
    return true;
  }
  return false;
}

void ListView::OnMouseMove(Point p, unsigned) {
  if (tracking_ < 0) return;
  SetColumnWidth(tracking_, track_from_width_ + p.x - track_from_x_);
}

void ListView::OnLButtonUp(Point p, unsigned) {
  if (tracking_ < 0) return;
  int column = tracking_;
  tracking_ = -1;
  if (GetCapture() == this) ReleaseCapture();
  UserEndTrack(column, track_from_width_ + p.x - track_from_x_);
}

void ListView::OnLButtonDown(Point p, unsigned mods) {
  if (editing_ >= 0) EndEditLabel(true);
  SetFocus();
  if (PressOnFrame(p)) return;
  int sub = -1;
  bool header = false;
  int item = SubItemHitTest(p, &sub, &header);
  if (header) return UserClickHeader(sub);
  WindowHandle self = handle();
  SelectByUser(item, mods);
  if (IsWindow(self)) Notify(kNmClick, item, sub, p);
}

void ListView::OnLButtonDblClk(Point p, unsigned mods) {
  int sub = -1;
  bool header = false;
  int item = SubItemHitTest(p, &sub, &header);
  if (header) return;
  WindowHandle self = handle();
  SelectByUser(item, mods);
  if (IsWindow(self)) Notify(kNmDblClk, item, sub, p);
}

void ListView::OnRButtonDown(Point p, unsigned mods) {
  SetFocus();
  int sub = -1;
  int item = SubItemHitTest(p, &sub);
  WindowHandle self = handle();
  if (item >= 0 && !GetItemState(item, kLvisSelected)) SelectByUser(item, 0);
  if (IsWindow(self)) Notify(kNmRClick, item, sub, p);
}

void ListView::UserClickHeader(int column) {
  if (column < 0 || column >= int(columns_.size()) || (GetStyle() & kLvsNoSortHeader)) return;
  Notify(kLvnColumnClick, -1, column);
}

void ListView::UserEndTrack(int column, int width) {
  if (column < 0 || column >= int(columns_.size())) return;
  width = std::max(0, width);
  SetColumnWidth(column, width);
  ListViewNotify n;
  n.hdr.code = kHdnEndTrack;
  n.item = column;
  n.width = width;
  NotifyParent(n.hdr);
}

void ListView::OnKeyDown(int key, unsigned mods) {
  ListViewNotify n;
  n.hdr.code = kLvnKeyDown;
  n.key = key;
  WindowHandle self = handle();
  NotifyParent(n.hdr);
  if (!IsWindow(self) || rows_.empty()) return;
  if (key == kVkLeft || key == kVkRight) return SetScrollX(scroll_x_ + (key == kVkLeft ? -24 : 24));
  int focus = GetNextItem(-1, kLvniFocused);
  int from = focus >= 0 ? focus : mark_;
  int to = from;
  switch (key) {
    case kVkUp: to = from - 1; break;
    case kVkDown: to = from + 1; break;
    case kVkHome: to = 0; break;
    case kVkEnd: to = int(rows_.size()) - 1; break;
    case kVkPrior: to = from - GetCountPerPage() + 1; break;
    case kVkNext: to = from + GetCountPerPage() - 1; break;
    case kVkReturn: Notify(kNmReturn, from, 0); return;
    default: return;
  }
  to = std::clamp(to, 0, int(rows_.size()) - 1);
  if (to == from && from >= 0) return;
  SelectByUser(to, mods & kModShift);
  if (IsWindow(self)) EnsureVisible(to);
}

void ListView::OnChar(unsigned char ch, unsigned mods) {
  if (mods & (kModControl | kModAlt) || ch <= 0x20 || rows_.empty() || editing_ >= 0) return;
  int focus = GetNextItem(-1, kLvniFocused);
  int n = int(rows_.size());
  int i = typed_.Next(ch, backend().clock().NowMs(), focus, [&](int start, std::string_view prefix) {
    for (int k = 1; k <= n; ++k) {
      int row = ((start < 0 ? -1 : start) + k) % n;
      if (starts_with_folded(GetItemText(row, 0), prefix)) return row;
    }
    return -1;
  });
  if (i < 0 || i == focus) return;
  WindowHandle self = handle();
  SelectByUser(i, 0);
  if (IsWindow(self)) EnsureVisible(i);
}

// A notch of the wheel (120) scrolls three rows; over the headings or the
// bottom bar, or in a list whose rows all show, it scrolls sideways.
void ListView::OnMouseWheel(int delta, Point p) {
  bool sideways = !HasRowsScrollBar() || p.y < 1 + HeaderHeight() || ColumnsScrollBar().Contains(p);
  if (sideways && HasColumnsScrollBar()) return SetScrollX(scroll_x_ - delta / 120 * 48);
  top_ = std::clamp(top_ - delta / 120 * 3, 0, std::max(0, int(rows_.size()) - GetCountPerPage()));
  Invalidate();
}

void ListView::OnSetFocus(Window*) {
  Invalidate();
  Notify(kNmSetFocus, -1, -1);
}

void ListView::OnKillFocus(Window* next) {
  Invalidate();
  if (IsWindow()) Notify(kNmKillFocus, -1, -1);
}

// ---- in-place editing ----

Edit* ListView::EditLabel(int item) {
  if (editing_ >= 0) EndEditLabel(true);
  if (item < 0 || item >= int(rows_.size()) || columns_.empty()) return nullptr;
  WindowHandle self = handle();
  if (Notify(kLvnBeginLabelEdit, item, 0) != 0 || !IsWindow(self)) return nullptr;
  EnsureVisible(item);
  Rect r;
  GetSubItemRect(item, 0, r);
  r.right = std::min(r.right, GetClientRect().right - 4);
  if (!editor_.IsWindow() && !editor_.Create(kEsAutoHScroll | kWsBorder, r, this, 0)) return nullptr;
  editor_.MoveWindow(r);
  editing_ = item;
  editor_.SetWindowText(GetItemText(item, 0));
  editor_.ShowWindow(kSwShow);
  editor_.SetFocus();
  editor_.SetSel(0, -1);
  return &editor_;
}

void ListView::EndEditLabel(bool accept) {
  if (editing_ < 0) return;
  int item = editing_;
  editing_ = -1;
  std::string text = editor_.GetWindowText();
  editor_.ShowWindow(kSwHide);
  WindowHandle self = handle();
  ListViewNotify n;
  n.hdr.code = kLvnEndLabelEdit;
  n.item = item;
  n.subitem = 0;
  n.text = accept ? text.c_str() : nullptr;
  LResult keep = NotifyParent(n.hdr);
  if (!IsWindow(self)) return;
  if (accept && keep && item < int(rows_.size())) SetItemText(item, 0, text);
  SetFocus();
}

bool ListView::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kEnKillFocus && editing_ >= 0 && Window::FromHandle(WindowHandle::FromParam(l)) == &editor_) {
    EndEditLabel(true);
    return true;
  }
  return Window::OnCommand(w, l);
}

// ---- drawing ----

LResult ListView::SendCustomDraw(ListViewCustomDraw& cd) {
  cd.hdr.code = kNmCustomDraw;
  return NotifyParent(cd.hdr);
}

void ListView::PaintCell(DeviceContext& dc, int item, int col, const Rect& cell, std::uint32_t row_answer) {
  const Row& row = rows_[std::size_t(item)];
  bool selected = (row.state & kLvisSelected) && (col == 0 || (ex_ & kLvsExFullRowSelect)) &&
                  (GetFocus() == this || (GetStyle() & kLvsShowSelAlways));
  Color back = back_, text = text_;
  bool custom = false;
  dc.SetTag(item, col);
  if (row_answer & kCdrfNotifySubItemDraw) {
    ListViewCustomDraw cd;
    cd.stage = kCddsItemPrePaint | kCddsSubItem;
    cd.dc = &dc;
    cd.rect = cell;
    cd.item = item;
    cd.subitem = col;
    cd.item_data = row.data;
    cd.item_state = row.state;
    LResult answer = SendCustomDraw(cd);
    if (answer & kCdrfSkipDefault) return;
    if (cd.back_color != kNoColor) back = cd.back_color, custom = true;
    if (cd.text_color != kNoColor) text = cd.text_color, custom = true;
  }
  if (selected && !custom) {
    back = kHighlightColor;
    text = kHighlightTextColor;
  }
  dc.FillRect(cell, back);
  if (ex_ & kLvsExGridLines) dc.FrameRect(Rect{cell.left, cell.top, cell.right + 1, cell.bottom + 1}, kButtonFaceColor);
  dc.SetTextColor(text);
  dc.SetBkMode(kBkTransparent);
  int fmt = columns_[std::size_t(col)].format;
  std::uint32_t align = fmt == kLvcfmtRight ? kDtRight : fmt == kLvcfmtCenter ? kDtCenter : kDtLeft;
  dc.DrawText(GetItemText(item, col), Rect{cell.left + 5, cell.top, cell.right - 5, cell.bottom},
              align | kDtSingleLine | kDtVCenter | kDtNoPrefix | kDtEndEllipsis);
}

void ListView::OnPaint(DeviceContext& dc) {
  Rect r = GetClientRect();
  dc.FillRect(r, back_);
  dc.FrameRect(r, kButtonShadowColor);
  int hh = HeaderHeight();
  dc.SetBkMode(kBkTransparent);
  for (int c = 0; c < int(columns_.size()) && hh; ++c) {
    Rect h = GetHeaderItemRect(c);
    if (h.Width() <= 0) continue;
    dc.SetTag(-1, c);
    dc.DrawButtonFrame(h, false);
    dc.FillRect(h.Deflate(1), kButtonFaceColor);
    dc.SetTextColor(kWindowTextColor);
    dc.DrawText(columns_[std::size_t(c)].heading, Rect{h.left + 5, h.top, h.right - 3, h.bottom},
                kDtSingleLine | kDtVCenter | kDtNoPrefix | kDtEndEllipsis);
    if (int arrow = columns_[std::size_t(c)].arrow) {
      // A small triangle at the right end: point up for ascending, down for descending.
      int x = h.right - 12, y = h.top + h.Height() / 2;
      for (int k = 0; k < 4; ++k) {
        int row = arrow == 1 ? y - 2 + k : y + 1 - k;
        dc.Line({x + 3 - k, row}, {x + 4 + k, row}, kGrayTextColor);
      }
    }
  }
  dc.SetTag(-1, -1);
  ListViewCustomDraw pre;
  pre.stage = kCddsPrePaint;
  pre.dc = &dc;
  pre.rect = r;
  WindowHandle self = handle();
  LResult list_answer = SendCustomDraw(pre);
  if (!IsWindow(self) || (list_answer & kCdrfSkipDefault)) return;
  int rh = RowHeight();
  bool rows_bar = false;
  bool columns_bar = BarsShown(&rows_bar);
  int rows_bottom = columns_bar ? ColumnsScrollBar().top : r.bottom - 1;
  for (int i = top_, y = 1 + hh; i < int(rows_.size()) && y < rows_bottom; ++i, y += rh) {
    std::uint32_t row_answer = 0;
    if (list_answer & kCdrfNotifyItemDraw) {
      ListViewCustomDraw cd;
      cd.stage = kCddsItemPrePaint;
      cd.dc = &dc;
      cd.item = i;
      cd.item_data = rows_[std::size_t(i)].data;
      cd.item_state = rows_[std::size_t(i)].state;
      GetItemRect(i, cd.rect);
      row_answer = std::uint32_t(SendCustomDraw(cd));
      if (!IsWindow(self)) return;
      if (row_answer & kCdrfSkipDefault) continue;
    }
    for (int c = 0; c < int(columns_.size()); ++c) {
      Rect h = GetHeaderItemRect(c);
      if (h.Width() <= 0 || h.left >= r.right || h.right <= 1) continue;
      PaintCell(dc, i, c, Rect{h.left, y, h.right, y + rh}, row_answer);
    }
  }
  dc.SetTag(-1, -1);
  // The rows below the last shown and the columns beyond the right edge:
  // bars at the right and bottom edges say where the view is.
  if (rows_bar) draw_scroll_bar(dc, RowsScrollBar(), top_, GetCountPerPage(), int(rows_.size()));
  if (columns_bar) {
    draw_scroll_bar(dc, ColumnsScrollBar(), scroll_x_, ViewWidth(), ColumnsWidth(), true);
    if (rows_bar)
      dc.FillRect(Rect{RowsScrollBar().left, ColumnsScrollBar().top, r.right - 1, r.bottom - 1}, kButtonFaceColor);
  }
  // Last, so that a column scrolled partly out of view never covers the frame.
  dc.FrameRect(r, kButtonShadowColor);
}

Rect ListView::RowsScrollBar() const {
  Rect r = GetClientRect();
  int bottom = r.bottom - 1 - (HasColumnsScrollBar() ? kScrollBarWidth : 0);
  return {r.right - 1 - kScrollBarWidth, 1 + HeaderHeight(), r.right - 1, bottom};
}

Rect ListView::ColumnsScrollBar() const {
  Rect r = GetClientRect();
  int right = r.right - 1 - (HasRowsScrollBar() ? kScrollBarWidth : 0);
  return {1, r.bottom - 1 - kScrollBarWidth, right, r.bottom - 1};
}

}  // namespace kt::ui
