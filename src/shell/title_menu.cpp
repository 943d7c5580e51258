// The title bar and icons of CTitleMenu (see title_menu.h). The title is an
// owner-drawn, disabled item the menu measures and draws itself; icons are
// handed to the platform menu by name on the items they belong to, and the
// platform draws them (and leaves them out on greyed items).
// Menus are built per click, so nothing is cached beyond the menu object.
#include "shell/title_menu.h"

#include "platform/device_context.h"
#include "platform/ui_backend.h"

using namespace kt::ui;

namespace {

// The classic desktop's caption colours: active caption, its gradient end
// and the caption text.
constexpr Color kActiveCaption = rgb(10, 36, 106);
constexpr Color kActiveCaptionGradient = rgb(166, 202, 240);
constexpr Color kCaptionText = rgb(255, 255, 255);

}  // namespace

bool ui_visual_styles_active() { return false; }

CTitleMenu::CTitleMenu()
    : m_left_color(kActiveCaption), m_right_color(kActiveCaptionGradient), m_text_color(kCaptionText) {
  m_title_font.bold = true;
}

CTitleMenu::~CTitleMenu() = default;

void CTitleMenu::EnableIcons() { m_icons = true; }

void CTitleMenu::AddTitle(const char* title, bool enable_icons) {
  if (title && *title && !ui_visual_styles_active()) {
    m_title.clear();
    for (const char* p = title; *p; ++p)
      if (*p != '&') m_title += *p;
    InsertMenu(0, kMfByPosition | kMfOwnerDraw | kMfDisabled, kTitleId, m_title);
  }
  if (enable_icons) EnableIcons();
}

bool CTitleMenu::AppendMenu(std::uint32_t flags, int id, std::string_view text, std::string_view icon) {
  int image = -1;
  if (m_icons && !icon.empty() && !(flags & kMfSeparator)) {
    std::string name(icon);
    auto found = m_name_to_image.find(name);
    if (found != m_name_to_image.end()) {
      image = found->second;
    } else {
      m_images.push_back(name);
      image = int(m_images.size()) - 1;
      m_name_to_image[name] = image;
    }
    m_id_to_image[id] = image;
  }
  return PopupMenu::AppendMenu(flags, id, text, image >= 0 ? std::string_view(m_images[std::size_t(image)]) : "");
}

int CTitleMenu::ImageOf(int id) const {
  auto it = m_id_to_image.find(id);
  return it == m_id_to_image.end() ? -1 : it->second;
}

bool CTitleMenu::MeasureItem(MeasureItemInfo& info) {
  if (info.item_id != kTitleId) return false;
  const TextMetrics& metrics = backend().metrics();
  info.width = metrics.TextWidth(m_title_font, m_title) + kMenuCheckWidth + 10;
  info.height = metrics.LineHeight(m_title_font) + 2;
  return true;
}

bool CTitleMenu::DrawItem(DrawItemInfo& info) {
  if (info.item_id != kTitleId || !info.dc) return false;
  DeviceContext& dc = *info.dc;
  Rect bar{info.rect.left, info.rect.top, info.rect.right - 1, info.rect.bottom - 1};
  if (m_gradient_available && m_left_color != m_right_color) dc.GradientFill(bar, m_left_color, m_right_color, false);
  else dc.FillRect(info.rect, m_left_color);
  if (m_edge) {
    dc.DrawButtonFrame(info.rect, false);
  }
  Font old = dc.SelectFont(m_title_font);
  dc.SetTextColor(m_text_color);
  dc.SetBkMode(kBkTransparent);
  dc.DrawText(m_title, Rect{info.rect.left + kMenuCheckWidth + 8, info.rect.top, info.rect.right, info.rect.bottom},
              kDtSingleLine | kDtVCenter | kDtNoPrefix);
  dc.SelectFont(old);
  return true;
}
