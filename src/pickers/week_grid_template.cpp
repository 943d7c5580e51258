// Dialog template 146 of the week-grid picker, built at compile time: 84
// hour cells (whose ids follow no single range) in a grid of 7 day columns
// and 12 hour rows, the day headers above, the hour headers at the left,
// and on the right the invert and help buttons, the counter, the help pane
// and OK / Annulla. Captions are the Italian ones; the toolkit translates
// them. Registered on first use, so a caller needs no start-up step.
#include "pickers/week_grid_picker.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kPush = kBsPushButton | kWsTabStop;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;
constexpr int kFixed = 2 + 7 + 12 + 7;
constexpr int kControls = 84 + kFixed;

constexpr const char* kHourCaptions[12] = {"Ora 1", "Ora 2", "Ora 3", "Ora 4",  "Ora 5",  "Ora 6",
                                           "Ora 7", "Ora 8", "Ora 9", "Ora 10", "Ora 11", "Ora 12"};

constexpr std::array<ControlTemplate, kControls> make_controls() {
  std::array<ControlTemplate, kControls> c{};
  std::size_t n = 0;
  c[n++] = {"Static", Cdwh::kTitleId, "Capzione Superiore", 0, 8, 6, 196, 10};
  c[n++] = {"Button", Cdwh::kAlwaysId, "Capzione del sempre", kCheck, 8, 18, 196, 10};
  for (int d = 0; d < kWeekDays; ++d)
    c[n++] = {"Button", Cdwh::kDayHeaderIds[std::size_t(d)], "GW", kPush, 44 + d * 22, 32, 20, 10};
  for (int h = 0; h < kDayHours; ++h)
    c[n++] = {"Button", Cdwh::kHourHeaderIds[std::size_t(h)], kHourCaptions[h], kPush, 6, 44 + h * 11, 34, 10};
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < kDayHours; ++h)
      c[n++] = {"Button", dwh_cell_id(d, h), "", kCheck, 48 + d * 22, 44 + h * 11, 12, 10};
  c[n++] = {"Button", Cdwh::kInvertId, "inverti", kPush, 208, 32, 50, 14};
  c[n++] = {"Button", Cdwh::kHelpButtonId, "?", kPush, 262, 32, 16, 14};
  c[n++] = {"Static", Cdwh::kCounterLabelId, "Ore totali", 0, 208, 52, 62, 10};
  c[n++] = {"Static", Cdwh::kCounterId, "...", 0, 272, 52, 30, 10};
  c[n++] = {"Edit", Cdwh::kHelpPaneId, "", kEsMultiLine | kEsReadOnly | kWsBorder, 208, 66, 114, 104};
  c[n++] = {"Button", kIdOk, "OK", kPush | kBsDefPushButton, 208, 178, 54, 16};
  c[n++] = {"Button", kIdCancel, "Annulla", kPush, 268, 178, 54, 16};
  return c;
}

constexpr std::array<ControlTemplate, kControls> kControlsTable = make_controls();

const DialogTemplate kWeekGridTemplates[] = {
    {Cdwh::kTemplate, "Ore", kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 330, 200, kControlsTable},
};

}  // namespace

void ui_register_week_grid_templates() {
  for (const DialogTemplate& t : kWeekGridTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}
