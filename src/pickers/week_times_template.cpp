// Dialog template 131 of the week grid with clock times: each day a column
// of hour boxes with a start and an end field beside each, the day headers
// with the buttons that copy the previous day under them, the hour headers
// at the left, the two class-calendar options at the bottom, and on the
// right the invert and help buttons, the counter, the help pane and OK /
// Annulla. Captions are the Italian ones; the toolkit translates them.
#include "pickers/week_grid_times.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kPush = kBsPushButton | kWsTabStop;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;
constexpr std::uint32_t kList = kCbsDropDownList | kWsVScroll | kWsTabStop;
constexpr std::uint32_t kTime = kWsBorder | kWsTabStop;
constexpr int kColumn = 64;
constexpr int kControls = 2 + 7 + 6 + 12 + 3 * 84 + 5 + 8;

constexpr const char* kHourCaptions[12] = {"Ora 1", "Ora 2", "Ora 3", "Ora 4",  "Ora 5",  "Ora 6",
                                           "Ora 7", "Ora 8", "Ora 9", "Ora 10", "Ora 11", "Ora 12"};

constexpr std::array<ControlTemplate, kControls> make_controls() {
  std::array<ControlTemplate, kControls> c{};
  std::size_t n = 0;
  c[n++] = {"Static", CdwhExt::kTitleId, "Capzione Superiore", 0, 8, 6, 400, 10};
  c[n++] = {"Button", CdwhExt::kAlwaysId, "Capzione del sempre", kCheck, 8, 18, 400, 10};
  for (int d = 0; d < kWeekDays; ++d)
    c[n++] = {"Button", CdwhExt::kDayHeaderIds[std::size_t(d)], "GW", kPush, 44 + d * kColumn, 32, 60, 10};
  for (int k = 1; k < kWeekDays; ++k)
    c[n++] = {"Button", CdwhExt::kCopyIds[std::size_t(k - 1)], "Copia le ore di", kPush, 44 + k * kColumn, 44, 60,
              10};
  for (int h = 0; h < kDayHours; ++h)
    c[n++] = {"Button", CdwhExt::kHourHeaderIds[std::size_t(h)], kHourCaptions[h], kPush, 6, 58 + h * 13, 34, 11};
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < kDayHours; ++h) {
      int x = 44 + d * kColumn, y = 58 + h * 13;
      c[n++] = {"Button", dwh_cell_id(d, h), "", kCheck, x, y, 10, 10};
      c[n++] = {"Edit", dwh_start_id(d, h), "", kTime, x + 11, y, 24, 11};
      c[n++] = {"Edit", dwh_end_id(d, h), "", kTime, x + 36, y, 24, 11};
    }
  c[n++] = {"Static", CdwhExt::kDifferenceLabelId, "Massima differenza oraria tra giorni", 0, 8, 222, 150, 10};
  c[n++] = {"ComboBox", CdwhExt::kDifferenceListId, "", kList, 160, 220, 30, 60};
  c[n++] = {"Static", CdwhExt::kSecondHourLabelId, "Può entrare in seconda ora volte alla settimana"_cp, 0, 200,
            222, 180, 10};
  c[n++] = {"ComboBox", CdwhExt::kSecondHourListId, "", kList, 382, 220, 30, 60};
  c[n++] = {"Button", CdwhExt::kOptionsHelpId, "?", kPush, 416, 220, 16, 12};
  c[n++] = {"Button", CdwhExt::kInvertId, "inverti", kPush, 500, 32, 50, 14};
  c[n++] = {"Button", CdwhExt::kHelpButtonId, "?", kPush, 554, 32, 16, 14};
  c[n++] = {"Button", CdwhExt::kPlaceholderId, "", kPush | kWsDisabled, 574, 32, 40, 14};
  c[n++] = {"Static", CdwhExt::kCounterLabelId, "Ore totali", 0, 500, 52, 50, 10};
  c[n++] = {"Static", CdwhExt::kCounterId, "...", 0, 554, 52, 30, 10};
  c[n++] = {"Edit", CdwhExt::kHelpPaneId, "", kEsMultiLine | kEsReadOnly | kWsBorder, 500, 66, 114, 140};
  c[n++] = {"Button", kIdOk, "OK", kPush | kBsDefPushButton, 500, 262, 54, 16};
  c[n++] = {"Button", kIdCancel, "Annulla", kPush, 560, 262, 54, 16};
  return c;
}

constexpr std::array<ControlTemplate, kControls> kControlsTable = make_controls();

const DialogTemplate kTemplates[] = {
    {CdwhExt::kTemplate, "Ore", kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 620, 284, kControlsTable},
};

}  // namespace

void ui_register_week_times_templates() {
  for (const DialogTemplate& t : kTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}
