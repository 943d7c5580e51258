// Dialog template 148 of the band-table picker: nine columns of a band
// list over a quantity list (the band texts lie where the band lists are,
// shown only when the bands are fixed), the title and captions, the help
// pane, the restore button with its "?", the save reminder, and the save
// and abandon buttons. Captions are the Italian ones; the toolkit
// translates them. Registered on first use.
#include "constraints/band_table_picker.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kPush = kBsPushButton | kWsTabStop;
constexpr std::uint32_t kList = kCbsDropDownList | kWsVScroll | kWsTabStop;
constexpr int kControls = 3 + 27 + 7;

constexpr std::array<ControlTemplate, kControls> make_controls() {
  std::array<ControlTemplate, kControls> c{};
  std::size_t n = 0;
  c[n++] = {"Static", Chq2::kTitleId, "hq2 capzione superiore", 0, 8, 6, 388, 10};
  c[n++] = {"Static", Chq2::kBandCaptionId, "hq2 capzione fascia", 0, 8, 22, 78, 10};
  c[n++] = {"Static", Chq2::kQuantityCaptionId, "hq2 capzione quantita", 0, 8, 40, 78, 10};
  for (int i = 0; i < 9; ++i) {
    c[n++] = {"ComboBox", Chq2::kBandIds[std::size_t(i)], "", kList, 90 + i * 34, 20, 32, 120};
    c[n++] = {"ComboBox", Chq2::kQuantityIds[std::size_t(i)], "", kList, 90 + i * 34, 38, 32, 120};
    c[n++] = {"Static", Chq2::kBandTextIds[std::size_t(i)], "", 0, 90 + i * 34, 22, 28, 10};
  }
  c[n++] = {"Edit", Chq2::kHelpPaneId, "", kEsMultiLine | kEsReadOnly | kWsBorder, 8, 58, 370, 64};
  c[n++] = {"Button", Chq2::kExplanationHelpId, "?", kPush, 382, 58, 14, 14};
  c[n++] = {"Button", Chq2::kRestoreId, "Ripristina i valori predefiniti di sistema", kPush, 8, 128, 170, 14};
  c[n++] = {"Button", Chq2::kRestoreHelpId, "?", kPush, 182, 128, 14, 14};
  c[n++] = {"Static", Chq2::kReminderId, "Non dimenticate di SALVARE!", 0, 210, 130, 186, 10};
  c[n++] = {"Button", kIdOk, "!SALVA le modifiche", kPush | kBsDefPushButton, 8, 148, 170, 16};
  c[n++] = {"Button", kIdCancel, "!ABBANDONA le modifiche", kPush, 226, 148, 170, 16};
  return c;
}

constexpr std::array<ControlTemplate, kControls> kControlsTable = make_controls();

const DialogTemplate kBandTableTemplates[] = {
    {Chq2::kTemplate, "Tabella", kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 404, 172, kControlsTable},
};

}  // namespace

void ui_register_band_table_templates() {
  for (const DialogTemplate& t : kBandTableTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}
