// Pop-up menu tracking and drawing (see popup_menu.h). The menu is shown in
// a borderless top-level window owned by the owner's top-level window, so a
// screen backend shows it like any other window; the owner stays enabled.
// Rows are 19 pixels high (separators 8), or what MeasureItem answers, and
// as wide as the widest text plus room for the check mark or icon.
#include "platform/controls/popup_menu.h"

#include <algorithm>

#include "platform/device_context.h"
#include "platform/dialog.h"
#include "platform/ui_backend.h"

namespace kt::ui {

namespace {
std::vector<PopupMenu*>& tracking_stack() {
  static auto* s = new std::vector<PopupMenu*>;
  return *s;
}
constexpr int kRowHeight = 19;
constexpr int kSeparatorHeight = 8;
constexpr int kLeftRoom = 24;
}  // namespace

class MenuWindowImpl : public Window {
 public:
  explicit MenuWindowImpl(PopupMenu& menu) : menu_(menu) {}
  std::vector<Rect> rows;
  int hot = -1;

  void Layout(Point at) {
    const TextMetrics& m = backend().metrics();
    Font font;
    int width = 80, y = 2;
    rows.clear();
    for (MenuItem& item : menu_.items_) {
      int h = (item.flags & kMfSeparator) ? kSeparatorHeight : kRowHeight;
      int w = kLeftRoom + m.TextWidth(font, item.text) + 20;
      if (item.flags & kMfOwnerDraw) {
        MeasureItemInfo info;
        info.ctl_type = kOdtMenu;
        info.item_id = item.id;
        info.item_data = item.data;
        info.width = w;
        info.height = h;
        if (!menu_.MeasureItem(info) && menu_.owner_) menu_.owner_->SendMessage(kMsgMeasureItem, 0, reinterpret_cast<LParam>(&info));
        w = info.width;
        h = info.height;
      }
      width = std::max(width, w);
      rows.push_back({2, y, 0, y + h});
      y += h;
    }
    for (Rect& r : rows) r.right = width + 2;
    MoveWindow(Rect{at.x, at.y, at.x + width + 4, at.y + y + 2}, false);
  }

  int RowAt(Point p) const {
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (rows[i].Contains(p)) return int(i);
    return -1;
  }

  bool Selectable(int i) const {
    if (i < 0 || i >= int(menu_.items_.size())) return false;
    return !(menu_.items_[std::size_t(i)].flags & (kMfSeparator | kMfGrayed | kMfDisabled));
  }

  void OnPaint(DeviceContext& dc) override {
    Rect all = GetClientRect();
    dc.FillRect(all, kButtonFaceColor);
    dc.FrameRect(all, kButtonShadowColor);
    dc.SetBkMode(kBkTransparent);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const MenuItem& item = menu_.items_[i];
      Rect r = rows[i];
      dc.SetTag(int(i), 0);
      bool grayed = (item.flags & (kMfGrayed | kMfDisabled)) != 0;
      if (item.flags & kMfOwnerDraw) {
        DrawItemInfo info;
        info.ctl_type = kOdtMenu;
        info.item_id = item.id;
        info.item_data = item.data;
        info.dc = &dc;
        info.rect = r;
        info.state = (int(i) == hot ? kOdsSelected : 0u) | (grayed ? kOdsGrayed : 0u) |
                     ((item.flags & kMfChecked) ? kOdsChecked : 0u);
        if (!menu_.DrawItem(info) && menu_.owner_) menu_.owner_->SendMessage(kMsgDrawItem, 0, reinterpret_cast<LParam>(&info));
        continue;
      }
      if (item.flags & kMfSeparator) {
        int y = (r.top + r.bottom) / 2;
        dc.Line({r.left + 2, y}, {r.right - 2, y}, kButtonShadowColor);
        continue;
      }
      bool hi = int(i) == hot && !grayed;
      if (hi) dc.FillRect(r, kHighlightColor);
      if (!item.icon.empty() && !grayed) dc.DrawIcon({r.left + 2, r.top + (r.Height() - 16) / 2}, 0, item.icon);
      else if (item.flags & kMfChecked) dc.DrawCheckMark(Rect{r.left + 4, r.top + 3, r.left + 17, r.top + 16}, 1, false);
      dc.SetTextColor(grayed ? kGrayTextColor : hi ? kHighlightTextColor : kWindowTextColor);
      dc.DrawText(item.text, Rect{r.left + kLeftRoom, r.top, r.right, r.bottom}, kDtSingleLine | kDtVCenter | kDtExpandTabs);
    }
    dc.SetTag(-1, -1);
  }

  void OnLButtonUp(Point p, unsigned) override {
    int i = RowAt(p);
    if (Selectable(i)) menu_.Choose(menu_.items_[std::size_t(i)].id);
  }
  void OnMouseMove(Point p, unsigned) override {
    int i = RowAt(p);
    if (i != hot) {
      hot = i;
      Invalidate();
    }
  }
  void OnKeyDown(int key, unsigned) override {
    int n = int(rows.size());
    if (key == kVkEscape) return menu_.Cancel();
    if (key == kVkReturn) {
      if (Selectable(hot)) menu_.Choose(menu_.items_[std::size_t(hot)].id);
      return;
    }
    if (n == 0 || (key != kVkUp && key != kVkDown)) return;
    int step = key == kVkDown ? 1 : -1;
    for (int k = 1; k <= n; ++k) {
      int i = ((hot < 0 ? (step > 0 ? -1 : n) : hot) + step * k % n + n) % n;
      if (Selectable(i)) {
        hot = i;
        break;
      }
    }
    Invalidate();
  }

 private:
  PopupMenu& menu_;
};

PopupMenu::~PopupMenu() {
  if (frame_) frame_->ended = true;
  auto& s = tracking_stack();
  s.erase(std::remove(s.begin(), s.end(), this), s.end());
}

int PopupMenu::Find(int id) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].id == id && !(items_[i].flags & kMfSeparator)) return int(i);
  return -1;
}

bool PopupMenu::AppendMenu(std::uint32_t flags, int id, std::string_view text, std::string_view icon) {
  return InsertMenu(-1, flags, id, text, icon);
}

bool PopupMenu::InsertMenu(int position, std::uint32_t flags, int id, std::string_view text, std::string_view icon) {
  std::size_t at = position < 0 ? items_.size() : std::min(items_.size(), std::size_t(position));
  items_.insert(items_.begin() + std::ptrdiff_t(at), MenuItem{flags, id, std::string(text), std::string(icon), 0});
  return true;
}

PopupMenu* PopupMenu::Tracking() {
  auto& s = tracking_stack();
  return s.empty() ? nullptr : s.back();
}

Window* PopupMenu::MenuWindow() const { return window_; }

bool PopupMenu::Choose(int id) {
  if (!frame_ || frame_->ended) return false;
  if (id != 0) {
    int i = Find(id);
    if (i < 0 || (items_[std::size_t(i)].flags & (kMfGrayed | kMfDisabled))) return false;
  }
  frame_->ended = true;
  frame_->result = id;
  return true;
}

int PopupMenu::TrackPopupMenu(std::uint32_t flags, int x, int y, Window* owner) {
  if (frame_ || items_.empty()) return 0;
  owner_ = owner;
  WindowHandle owner_handle = owner ? owner->handle() : WindowHandle{};
  MenuWindowImpl win(*this);
  CreateParams p;
  p.class_name = "Menu";
  p.style = kWsPopup;
  p.owner = owner;
  p.rect = {x, y, x + 10, y + 10};
  if (!win.CreateEx(p)) return 0;
  win.Layout({x, y});
  ModalFrame frame;
  frame.kind = ModalFrame::Kind::kMenu;
  frame.window = &win;
  frame_ = &frame;
  window_ = &win;
  tracking_stack().push_back(this);
  win.ShowWindow(kSwShowNa);
  run_modal_loop(frame);
  auto& s = tracking_stack();
  s.erase(std::remove(s.begin(), s.end(), this), s.end());
  frame_ = nullptr;
  window_ = nullptr;
  win.DestroyWindow();
  int chosen = int(frame.result);
  Window* still = Window::FromHandle(owner_handle);
  owner_ = nullptr;
  if (flags & kTpmReturnCmd) return chosen;
  if (chosen && still) still->PostMessage(kMsgCommand, make_command_param(chosen, 0), 0);
  return chosen != 0;
}

}  // namespace kt::ui
