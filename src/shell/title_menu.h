// CTitleMenu: the pop-up menu of the frame's buttons. It can carry a title
// bar at the top, drawn like a window caption with a colour gradient (only
// when the desktop's visual styles are off, as on a classic desktop), and a
// 16 by 16 icon in front of items, named by icon resource ("IKOP_1",
// "IKOP_CONFORA" …). Icons are kept once per name in the menu's image list,
// so items with the same icon share one image.
//
// Invariants: the title item, when present, is item 0 with id 0xFFFE,
// owner-drawn and disabled, so it can never be chosen. Menus are built,
// tracked once and thrown away; everything is a few dozen items.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ui.h"

// Whether the desktop draws themed menus. This window core draws its own
// classic look, so it answers false.
bool ui_visual_styles_active();

class CTitleMenu : public kt::ui::PopupMenu {
 public:
  static constexpr int kTitleId = 0xFFFE;
  static constexpr int kMenuCheckWidth = 13;  // the system's check-mark column
  static constexpr int kIconSize = 16;

  CTitleMenu();
  ~CTitleMenu() override;

  // Adds the title bar (without "&") unless visual styles are active;
  // enable_icons turns icons on whatever the styles are.
  void AddTitle(const char* title, bool enable_icons);
  // Appends as the base does; with icons on, attaches the named icon.
  bool AppendMenu(std::uint32_t flags, int id = 0, std::string_view text = {}, std::string_view icon = {});
  bool MeasureItem(kt::ui::MeasureItemInfo& info) override;
  bool DrawItem(kt::ui::DrawItemInfo& info) override;

  const std::string& Title() const { return m_title; }
  bool IconsEnabled() const { return m_icons; }
  int ImageCount() const { return int(m_images.size()); }
  // The image index of an item (-1 none).
  int ImageOf(int id) const;

  kt::ui::Color m_left_color;
  kt::ui::Color m_right_color;
  kt::ui::Color m_text_color;
  bool m_edge = false;
  int m_edge_style = 8;
  // Whether a gradient fill can be drawn (a plain bar otherwise).
  bool m_gradient_available = true;
  kt::ui::Font m_title_font;

 private:
  void EnableIcons();

  std::string m_title;
  bool m_icons = false;
  std::vector<std::string> m_images;  // the image list: one icon name per image
  std::unordered_map<std::string, int> m_name_to_image;
  std::unordered_map<int, int> m_id_to_image;
};
