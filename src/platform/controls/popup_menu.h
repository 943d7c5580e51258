// Pop-up menus: a list of items (text, command id, grayed, checked,
// separator, owner-drawn, an icon by resource name, a data word) shown at a
// screen point and tracked in a modal loop of their own until the user
// chooses an item or cancels (Esc, a click outside). With kTpmReturnCmd the
// chosen id is returned; otherwise the owner receives it as a command
// (code 0) and the return value says whether an item was chosen.
// Owner-drawn items are measured and drawn by the menu object's own
// MeasureItem / DrawItem when its class overrides them (title menus), else
// by the owner window through kMsgMeasureItem / kMsgDrawItem.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui_backend.h"
#include "platform/window.h"

namespace kt::ui {

inline constexpr std::uint32_t kMfString = 0x0;
inline constexpr std::uint32_t kMfGrayed = 0x1;
inline constexpr std::uint32_t kMfDisabled = 0x2;
inline constexpr std::uint32_t kMfChecked = 0x8;
inline constexpr std::uint32_t kMfOwnerDraw = 0x100;
inline constexpr std::uint32_t kMfSeparator = 0x800;
inline constexpr std::uint32_t kMfByCommand = 0x0;
inline constexpr std::uint32_t kMfByPosition = 0x400;
inline constexpr std::uint32_t kTpmLeftAlign = 0x0;
inline constexpr std::uint32_t kTpmRightButton = 0x2;
inline constexpr std::uint32_t kTpmReturnCmd = 0x100;

struct MenuItem {
  std::uint32_t flags = 0;
  int id = 0;
  std::string text;
  std::string icon;
  std::uintptr_t data = 0;
};

class PopupMenu {
 public:
  virtual ~PopupMenu();
  bool AppendMenu(std::uint32_t flags, int id = 0, std::string_view text = {}, std::string_view icon = {});
  bool InsertMenu(int position, std::uint32_t flags, int id = 0, std::string_view text = {}, std::string_view icon = {});
  int GetMenuItemCount() const { return int(items_.size()); }
  const std::vector<MenuItem>& items() const { return items_; }
  void DestroyMenu() { items_.clear(); }

  int TrackPopupMenu(std::uint32_t flags, int x, int y, Window* owner);
  // The menu being tracked now (innermost), or nullptr.
  static PopupMenu* Tracking();
  // Ends tracking: with an id of an enabled item (the user's choice) or 0.
  bool Choose(int id);
  void Cancel() { Choose(0); }
  // The window that shows the tracked menu (nullptr when not tracked).
  Window* MenuWindow() const;

  virtual bool MeasureItem(MeasureItemInfo& info) { return false; }
  virtual bool DrawItem(DrawItemInfo& info) { return false; }

 private:
  friend class MenuWindowImpl;
  int Find(int id) const;

  std::vector<MenuItem> items_;
  Window* owner_ = nullptr;
  ModalFrame* frame_ = nullptr;
  Window* window_ = nullptr;
};

}  // namespace kt::ui
