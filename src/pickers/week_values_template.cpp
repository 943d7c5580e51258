// Dialog template 153 of the week grid with a number per hour: as the
// week-grid picker's, with a drop-down list of numbers beside each hour's
// box and a "Classi" label under each day header, and no invert button.
// Captions are the Italian ones; the toolkit translates them. Registered on
// first use.
#include "pickers/week_grid_values.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kPush = kBsPushButton | kWsTabStop;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;
constexpr std::uint32_t kList = kCbsDropDownList | kWsVScroll | kWsTabStop;
constexpr int kControls = 2 + 7 + 7 + 12 + 2 * 84 + 6;

constexpr const char* kHourCaptions[12] = {"Ora 1", "Ora 2", "Ora 3", "Ora 4",  "Ora 5",  "Ora 6",
                                           "Ora 7", "Ora 8", "Ora 9", "Ora 10", "Ora 11", "Ora 12"};

constexpr std::array<ControlTemplate, kControls> make_controls() {
  std::array<ControlTemplate, kControls> c{};
  std::size_t n = 0;
  c[n++] = {"Static", CdwhCombo::kTitleId, "Capzione Superiore", 0, 8, 6, 300, 10};
  c[n++] = {"Button", CdwhCombo::kAlwaysId, "Capzione del sempre", kCheck, 8, 18, 300, 10};
  for (int d = 0; d < kWeekDays; ++d) {
    c[n++] = {"Button", CdwhCombo::kDayHeaderIds[std::size_t(d)], "GW", kPush, 44 + d * 40, 32, 38, 10};
    c[n++] = {"Static", kStaticId, "Classi", 0, 58 + d * 40, 44, 24, 8};
  }
  for (int h = 0; h < kDayHours; ++h)
    c[n++] = {"Button", CdwhCombo::kHourHeaderIds[std::size_t(h)], kHourCaptions[h], kPush, 6, 54 + h * 13, 34, 11};
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < kDayHours; ++h) {
      std::size_t slot = std::size_t(d * kDayHours + h);
      c[n++] = {"Button", CdwhCombo::kCellIds[slot], "", kCheck, 44 + d * 40, 54 + h * 13, 12, 10};
      c[n++] = {"ComboBox", CdwhCombo::kListIds[slot], "", kList, 58 + d * 40, 54 + h * 13, 24, 17};
    }
  c[n++] = {"Button", CdwhCombo::kHelpButtonId, "?", kPush, 332, 32, 16, 14};
  c[n++] = {"Static", CdwhCombo::kCounterLabelId, "Ore totali", 0, 332, 52, 50, 10};
  c[n++] = {"Static", CdwhCombo::kCounterId, "...", 0, 386, 52, 30, 10};
  c[n++] = {"Edit", CdwhCombo::kHelpPaneId, "", kEsMultiLine | kEsReadOnly | kWsBorder, 332, 66, 114, 110};
  c[n++] = {"Button", kIdOk, "OK", kPush | kBsDefPushButton, 332, 190, 54, 16};
  c[n++] = {"Button", kIdCancel, "Annulla", kPush, 392, 190, 54, 16};
  return c;
}

constexpr std::array<ControlTemplate, kControls> kControlsTable = make_controls();

const DialogTemplate kTemplates[] = {
    {CdwhCombo::kTemplate, "Ore", kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 454, 214,
     kControlsTable},
};

}  // namespace

void ui_register_week_values_templates() {
  for (const DialogTemplate& t : kTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}
