// Combo box behaviour and drawing (see combo_box.h). The open list is drawn
// by the combo box itself below its field; the template's height of a
// drop-down combo box is the height of the open list, as in the dialog
// templates of the program, and the field is one text line high.
// Rows and searches are the list box's (list_rows.h).
#include "platform/controls/combo_box.h"

#include <algorithm>

#include "platform/device_context.h"
#include "platform/ui_backend.h"

namespace kt::ui {

bool ComboBox::Create(std::uint32_t style, const Rect& r, Window* parent, int id) {
  return CreateChild("ComboBox", "", style, r, parent, id);
}

bool ComboBox::OnCreate() {
  rows_.sorted = (GetStyle() & kCbsSort) != 0;
  Rect r = GetRectInParent();
  drop_height_ = r.Height();
  if (Kind() != kCbsSimple) MoveWindow(Rect{r.left, r.top, r.right, r.top + std::min(r.Height(), FieldHeight())}, false);
  return true;
}

void ComboBox::OnDestroy() {
  rows_.rows.clear();
  cur_ = -1;
  dropped_ = false;
}

int ComboBox::RowHeight() const { return backend().metrics().LineHeight(GetFont()) + 2; }
int ComboBox::FieldHeight() const { return RowHeight() + 6; }

int ComboBox::AddString(std::string_view text) { return AddRow(text); }

int ComboBox::InsertString(int index, std::string_view text) { return InsertRow(index, text); }

int ComboBox::DeleteString(int index) {
  int left = rows_.Delete(index);
  if (left >= 0) {
    if (cur_ == index) {
      cur_ = -1;
      if (Kind() == kCbsDropDownList) Window::SetWindowText("");
    } else if (cur_ > index) {
      --cur_;
    }
    Invalidate();
  }
  return left;
}

void ComboBox::ResetContent() {
  rows_.rows.clear();
  cur_ = -1;
  Window::SetWindowText("");
  Invalidate();
}

int ComboBox::SetCurSel(int index) {
  if (!rows_.Valid(index)) {
    cur_ = -1;
    Window::SetWindowText("");
    return kCbErr;
  }
  cur_ = index;
  Window::SetWindowText(rows_.rows[std::size_t(index)].text);
  return index;
}

void ComboBox::ShowDropDown(bool show) {
  if (Kind() == kCbsSimple || dropped_ == show || !IsWindow()) return;
  WindowHandle self = handle();
  if (show) NotifyParentCommand(kCbnDropDown);
  if (!IsWindow(self)) return;
  dropped_ = show;
  Rect r = GetRectInParent();
  int open = std::max(drop_height_, FieldHeight() + std::max(1, GetCount()) * RowHeight() + 2);
  MoveWindow(Rect{r.left, r.top, r.right, r.top + (show ? open : FieldHeight())}, true);
  if (!show) NotifyParentCommand(kCbnCloseUp);
}

void ComboBox::UserChoose(int index) {
  if (!rows_.Valid(index)) return;
  WindowHandle self = handle();
  if (!dropped_) ShowDropDown(true);
  cur_ = index;
  Window::SetWindowText(rows_.rows[std::size_t(index)].text);
  if (!IsWindow(self)) return;
  ShowDropDown(false);
  if (!IsWindow(self)) return;
  NotifyParentCommand(kCbnSelEndOk);
  if (IsWindow(self)) NotifyParentCommand(kCbnSelChange);
}

void ComboBox::UserType(std::string_view text) {
  if (Kind() == kCbsDropDownList) return;
  std::string t = GetWindowText() + std::string(text);
  if (int(t.size()) > limit_) {
    t.resize(std::size_t(limit_));
    message_beep(kBeepSimple);
  }
  Window::SetWindowText(t);
  cur_ = -1;
  NotifyParentCommand(kCbnEditChange);
}

unsigned ComboBox::GetDlgCode(int key) const {
  unsigned code = kWantArrows | kWantChars;
  if (dropped_ && (key == kVkReturn || key == kVkEscape)) code |= kWantAllKeys;
  return code;
}

void ComboBox::OnLButtonDown(Point p, unsigned) {
  SetFocus();
  if (dropped_ && p.y >= FieldHeight()) {
    int i = (p.y - FieldHeight()) / RowHeight();
    if (rows_.Valid(i)) UserChoose(i);
    return;
  }
  bool on_arrow = p.x >= GetClientRect().right - 16;
  if (Kind() == kCbsDropDownList || on_arrow) ShowDropDown(!dropped_);
}

void ComboBox::OnKeyDown(int key, unsigned mods) {
  if (key == kVkF1 + 3 || (key == kVkDown && (mods & kModAlt))) return ShowDropDown(!dropped_);
  if (dropped_ && key == kVkEscape) return ShowDropDown(false);
  if (dropped_ && key == kVkReturn) return UserChoose(cur_ < 0 ? 0 : cur_);
  int n = GetCount();
  if (n == 0) return;
  int to = cur_;
  switch (key) {
    case kVkUp: to = cur_ <= 0 ? 0 : cur_ - 1; break;
    case kVkDown: to = cur_ < 0 ? 0 : std::min(n - 1, cur_ + 1); break;
    case kVkHome: to = 0; break;
    case kVkEnd: to = n - 1; break;
    default: return;
  }
  if (to == cur_) return;
  SetCurSel(to);
  NotifyParentCommand(kCbnSelChange);
}

void ComboBox::OnChar(unsigned char ch, unsigned mods) {
  if (mods & (kModControl | kModAlt) || ch < 0x20) return;
  if (Kind() != kCbsDropDownList) {
    char c = char(ch);
    return UserType(std::string_view(&c, 1));
  }
  char c = char(ch);
  int i = FindString(cur_, std::string_view(&c, 1));
  if (i >= 0 && i != cur_) {
    SetCurSel(i);
    NotifyParentCommand(kCbnSelChange);
  }
}

void ComboBox::OnKillFocus(Window*) {
  if (dropped_) ShowDropDown(false);
  if (IsWindow()) NotifyParentCommand(kCbnKillFocus);
}

void ComboBox::OnPaint(DeviceContext& dc) {
  Rect all = GetClientRect();
  Rect field{0, 0, all.right, FieldHeight()};
  bool list_kind = Kind() == kCbsDropDownList;
  dc.SetTextColor(IsWindowEnabled() ? kWindowTextColor : kGrayTextColor);
  Color brush = RequestColors(dc, list_kind ? CtlType::kStatic : CtlType::kEdit);
  if (brush == kNoColor || list_kind) brush = IsWindowEnabled() ? kWindowColor : kButtonFaceColor;
  dc.FillRect(field, brush);
  dc.FrameRect(field, kButtonShadowColor);
  Rect arrow{field.right - 16, 1, field.right - 1, field.bottom - 1};
  dc.DrawButtonFrame(arrow, dropped_);
  Point c = arrow.Center();
  dc.Line({c.x - 3, c.y - 1}, {c.x + 4, c.y - 1}, kWindowTextColor);
  dc.Line({c.x - 1, c.y + 1}, {c.x + 2, c.y + 1}, kWindowTextColor);
  bool focused = GetFocus() == this;
  Rect text{3, 0, arrow.left - 2, field.bottom};
  if (focused && list_kind && !dropped_) {
    dc.FillRect(Rect{2, 2, arrow.left - 1, field.bottom - 2}, kHighlightColor);
    dc.SetTextColor(kHighlightTextColor);
  }
  dc.SetBkMode(kBkTransparent);
  dc.DrawText(GetWindowText(), text, kDtSingleLine | kDtVCenter | kDtNoPrefix);
  if (!dropped_ && Kind() != kCbsSimple) return;
  int h = RowHeight();
  int count = GetCount();
  Rect list{0, field.bottom, all.right, field.bottom + std::max(1, count) * h + 2};
  dc.FillRect(list, kWindowColor);
  dc.FrameRect(list, kWindowTextColor);
  for (int i = 0; i < count; ++i) {
    Rect row{1, list.top + 1 + i * h, list.right - 1, list.top + 1 + (i + 1) * h};
    dc.SetTag(i, 0);
    if (i == cur_) dc.FillRect(row, kHighlightColor);
    dc.SetTextColor(i == cur_ ? kHighlightTextColor : kWindowTextColor);
    dc.DrawText(rows_.rows[std::size_t(i)].text, row.Offset(2, 0), kDtSingleLine | kDtVCenter | kDtNoPrefix);
  }
  dc.SetTag(-1, -1);
}

}  // namespace kt::ui
