// Dialog templates of the launcher panel (271: 30 rows of an icon button
// and a text button) and of the busy pop-up (105). The panel's rows are
// laid out again by the panel itself; here they only need their sizes.
// The rows' ids come from Calfaopi::IconId / TextId, so the template and
// the panel's bindings cannot disagree; the lint test checks both.
#include <array>

#include "shell/busy_popup.h"
#include "shell/launcher_panel.h"

using namespace kt::ui;

namespace {

constexpr int kRowHeight = 12;
constexpr int kIconWidth = 12;
constexpr int kTextWidth = 120;

constexpr std::array<ControlTemplate, 2 * Calfaopi::kRows> make_rows() {
  std::array<ControlTemplate, 2 * Calfaopi::kRows> rows{};
  for (int row = 0; row < Calfaopi::kRows; ++row) {
    int y = row * (kRowHeight + 1);
    rows[std::size_t(2 * row)] = {"Button", Calfaopi::IconId(row), "", kBsPushButton, 0, y, kIconWidth, kRowHeight};
    rows[std::size_t(2 * row + 1)] = {"Button", Calfaopi::TextId(row), "", kBsOwnerDraw | kWsTabStop, kIconWidth, y,
                                      kTextWidth, kRowHeight};
  }
  return rows;
}

constexpr auto kPanelControls = make_rows();

const ControlTemplate kBusyControls[] = {
    {"Static", CelaincoWnd::kTextId, "Attendere prego...", kSsCenter, 50, 8, 130, 30},
    {"Static", CelaincoWnd::kMutoId, "", 0, 50, 40, 130, 8},
    {"Button", CelaincoWnd::kIconId, "", kBsOwnerDraw, 6, 6, 40, 40},
};

const DialogTemplate kLauncherTemplates[] = {
    {Calfaopi::kTemplate, "Pagine", kWsPopup | kWsCaption | kWsBorder, 0, 0, kIconWidth + kTextWidth,
     Calfaopi::kRows * (kRowHeight + 1), kPanelControls},
    {CelaincoWnd::kTemplate, "", kWsPopup | kWsBorder, 0, 0, 190, 54, kBusyControls},
};

}  // namespace

void ui_register_launcher_templates() {
  for (const DialogTemplate& t : kLauncherTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}
