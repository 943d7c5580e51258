// Combo box behaviour and drawing (see combo_box.h). The open list of a
// drop-down combo box is a borderless top-level pop-up owned by the combo's
// top-level window, placed below the field (above it when the screen has no
// room below), so a screen backend shows it above everything; the template's
// height of a drop-down combo box is the height of the field and the open
// list, as in the dialog templates of the program, and the field is one
// text line high. The focus stays on the combo box while the list is open:
// keys reach the combo, clicks reach the list.
// Rows and searches are the list box's (list_rows.h).
#include "platform/controls/combo_box.h"

#include <algorithm>

#include "platform/controls/scroll_bar.h"
#include "platform/device_context.h"
#include "platform/ui_backend.h"

namespace kt::ui {

namespace {
WindowHandle g_dropped;
// Keys typed within this pause extend the prefix being searched.
}  // namespace

class ComboListWindow final : public Window {
 public:
  explicit ComboListWindow(ComboBox& combo) : combo_(combo) {}
  int first = 0;  // first row shown
  int hot = -1;   // row under the pointer

  int Shown() const { return std::max(1, (GetClientRect().Height() - 2) / combo_.RowHeight()); }
  bool HasBar() const { return combo_.GetCount() > Shown(); }
  Rect Bar() const {
    Rect all = GetClientRect();
    return {all.right - 1 - kScrollBarWidth, 1, all.right - 1, all.bottom - 1};
  }
  void ScrollTo(int row) {
    int to = std::clamp(row, 0, std::max(0, combo_.GetCount() - Shown()));
    if (to != first) {
      first = to;
      Invalidate();
    }
  }
  void Reveal(int row) {
    if (row < 0) return;
    if (row < first) ScrollTo(row);
    else if (row >= first + Shown()) ScrollTo(row - Shown() + 1);
  }
  int RowAt(Point p) const {
    if (HasBar() && p.x >= Bar().left) return -1;
    int i = first + (p.y - 1) / combo_.RowHeight();
    return p.y >= 1 && i < first + Shown() && combo_.rows_.Valid(i) ? i : -1;
  }

  void OnPaint(DeviceContext& dc) override {
    Rect all = GetClientRect();
    dc.FillRect(all, kWindowColor);
    dc.FrameRect(all, kWindowTextColor);
    dc.SelectFont(combo_.GetFont());
    dc.SetBkMode(kBkTransparent);
    int h = combo_.RowHeight();
    int right = HasBar() ? Bar().left : all.right - 1;
    int mark = hot >= 0 ? hot : combo_.cur_;
    for (int i = first, y = 1; i < combo_.GetCount() && i < first + Shown(); ++i, y += h) {
      Rect row{1, y, right, y + h};
      dc.SetTag(i, 0);
      if (i == mark) dc.FillRect(row, kHighlightColor);
      dc.SetTextColor(i == mark ? kHighlightTextColor : kWindowTextColor);
      dc.DrawText(combo_.rows_.rows[std::size_t(i)].text, Rect{row.left + 2, row.top, row.right, row.bottom},
                  kDtSingleLine | kDtVCenter | kDtNoPrefix);
    }
    dc.SetTag(-1, -1);
    if (HasBar()) draw_scroll_bar(dc, Bar(), first, Shown(), combo_.GetCount());
  }
  void OnLButtonDown(Point p, unsigned) override {
    if (HasBar() && p.x >= Bar().left) ScrollTo(scroll_bar_click(Bar(), p.y, first, Shown(), combo_.GetCount()));
  }
  void OnLButtonUp(Point p, unsigned) override {
    int i = RowAt(p);
    if (i >= 0) combo_.UserChoose(i);
  }
  void OnMouseMove(Point p, unsigned) override {
    int i = RowAt(p);
    if (i != hot) {
      hot = i;
      Invalidate();
    }
  }
  void OnMouseWheel(int delta, Point) override { ScrollTo(first - delta / 120 * 3); }

 private:
  ComboBox& combo_;
};

ComboBox::ComboBox() = default;
ComboBox::~ComboBox() {
  // The pop-up refers to this object: it goes first.
  if (list_ && list_->IsWindow()) list_->DestroyWindow();
}

Window* ComboBox::DropDownWindow() const { return list_ && list_->IsWindow() ? list_.get() : nullptr; }

ComboBox* ComboBox::Dropped() { return dynamic_cast<ComboBox*>(Window::FromHandle(g_dropped)); }

int ComboBox::ShownRows() const {
  int by_template = (drop_height_ - FieldHeight() - 2) / RowHeight();
  return std::max(1, std::min(GetCount(), std::max(by_template, std::min(GetCount(), 8))));
}

void ComboBox::ListChanged() {
  if (!DropDownWindow()) return;
  list_->hot = -1;
  list_->Reveal(cur_);
  list_->Invalidate();
}

bool ComboBox::OnCreate() {
  rows_.sorted = (GetStyle() & kCbsSort) != 0;
  Rect r = GetRectInParent();
  drop_height_ = r.Height();
  if (Kind() != kCbsSimple) MoveWindow(Rect{r.left, r.top, r.right, r.top + std::min(r.Height(), FieldHeight())}, false);
  return true;
}

void ComboBox::OnDestroy() {
  if (list_ && list_->IsWindow()) list_->DestroyWindow();
  if (g_dropped == handle()) g_dropped = {};
  rows_.rows.clear();
  cur_ = -1;
  dropped_ = false;
}

int ComboBox::RowHeight() const { return backend().metrics().LineHeight(GetFont()) + 2; }
int ComboBox::FieldHeight() const { return RowHeight() + 6; }

int ComboBox::AddString(std::string_view text) { return AddRow(text); }

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
  ListChanged();
  return index;
}

void ComboBox::ShowDropDown(bool show) {
  if (Kind() == kCbsSimple || dropped_ == show || !IsWindow()) return;
  WindowHandle self = handle();
  if (show) NotifyParentCommand(kCbnDropDown);
  if (!IsWindow(self)) return;
  dropped_ = show;
  Invalidate();
  if (!show) {
    if (g_dropped == self) g_dropped = {};
    if (list_ && list_->IsWindow()) list_->DestroyWindow();
    NotifyParentCommand(kCbnCloseUp);
    return;
  }
  if (ComboBox* other = Dropped(); other && other != this) other->ShowDropDown(false);
  g_dropped = self;
  Rect field = ClientToScreen(GetClientRect());
  int height = ShownRows() * RowHeight() + 2;
  Rect screen = backend().WorkArea();
  Rect at{field.left, field.bottom, field.right, field.bottom + height};
  if (at.bottom > screen.bottom && field.top - height >= screen.top) at = {field.left, field.top - height, field.right, field.top};
  if (!list_) list_ = std::make_unique<ComboListWindow>(*this);
  CreateParams p;
  p.class_name = "ComboList";
  p.style = kWsPopup;
  p.owner = GetTopLevel();
  p.rect = at;
  p.id = GetDlgCtrlID();
  if (!list_->CreateEx(p)) return;
  list_->SetFont(GetFont(), false);
  list_->first = 0;
  list_->hot = -1;
  list_->Reveal(cur_);
  list_->ShowWindow(kSwShowNa);
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
  if (Kind() == kCbsSimple && p.y >= FieldHeight()) {
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
  if (dropped_ && key == kVkReturn) {
    // An empty list has nothing to choose: Enter only closes it.
    if (GetCount() == 0) return ShowDropDown(false);
    return UserChoose(cur_ < 0 ? 0 : cur_);
  }
  int n = GetCount();
  if (n == 0) return;
  int to = cur_;
  switch (key) {
    case kVkUp: to = cur_ <= 0 ? 0 : cur_ - 1; break;
    case kVkDown: to = cur_ < 0 ? 0 : std::min(n - 1, cur_ + 1); break;
    case kVkHome: to = 0; break;
    case kVkEnd: to = n - 1; break;
    case kVkPrior: to = std::max(0, cur_ - std::max(1, ShownRows() - 1)); break;
    case kVkNext: to = std::min(n - 1, std::max(0, cur_) + std::max(1, ShownRows() - 1)); break;
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
  int i = typed_.Next(ch, backend().clock().NowMs(), cur_,
                       [this](int start, std::string_view prefix) { return rows_.Find(start, prefix, false); });
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
  // Ended with an ellipsis rather than run under the arrow.
  dc.DrawText(GetWindowText(), text, kDtSingleLine | kDtVCenter | kDtNoPrefix | kDtEndEllipsis);
  if (Kind() != kCbsSimple) return;
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
