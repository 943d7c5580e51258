// Dialog templates of the band-table pickers: 148 (one table of bands over
// quantities), 282 (two such tables, the second under "IN ALTERNATIVA:")
// and 149 (band A, band B and quantity per column). Each column is a band
// list over a quantity list; band texts lie where the band lists are,
// shown only when the bands are fixed. Below the rows: the help pane, the
// restore button with its "?", the save reminder, and the save and abandon
// buttons. Captions are the Italian ones; the toolkit translates them.
// Registered on first use.
#include "pickers/band_table_double.h"
#include "pickers/band_table_picker.h"
#include "pickers/band_table_triple.h"

using namespace kt::ui;

namespace {

using B = CBandTableDialog;
constexpr std::uint32_t kPush = kBsPushButton | kWsTabStop;
constexpr std::uint32_t kList = kCbsDropDownList | kWsVScroll | kWsTabStop;
constexpr int kFooterControls = 6;

// The help pane and the buttons under the rows, from y down.
template <std::size_t N>
constexpr void add_footer(std::array<ControlTemplate, N>& c, std::size_t& n, int y, int help_id) {
  c[n++] = {"Edit", B::kHelpPaneId, "", kEsMultiLine | kEsReadOnly | kWsBorder, 8, y, 370, 64};
  if (help_id) c[n++] = {"Button", help_id, "?", kPush, 382, y, 14, 14};
  c[n++] = {"Button", B::kRestoreId, "Ripristina i valori predefiniti di sistema", kPush, 8, y + 70, 170, 14};
  c[n++] = {"Button", B::kRestoreHelpId, "?", kPush, 182, y + 70, 14, 14};
  c[n++] = {"Static", B::kReminderId, "Non dimenticate di SALVARE!", 0, 210, y + 72, 186, 10};
  c[n++] = {"Button", kIdOk, "!SALVA le modifiche", kPush | kBsDefPushButton, 8, y + 90, 170, 16};
  c[n++] = {"Button", kIdCancel, "!ABBANDONA le modifiche", kPush, 226, y + 90, 170, 16};
}

constexpr int kSingle = 3 + 27 + kFooterControls + 1;

constexpr std::array<ControlTemplate, kSingle> make_single() {
  std::array<ControlTemplate, kSingle> c{};
  std::size_t n = 0;
  c[n++] = {"Static", Chq2::kTitleId, "hq2 capzione superiore", 0, 8, 6, 388, 10};
  c[n++] = {"Static", Chq2::kBandCaptionId, "hq2 capzione fascia", 0, 8, 20, 78, 17};
  c[n++] = {"Static", Chq2::kQuantityCaptionId, "hq2 capzione quantita", 0, 8, 38, 78, 17};
  for (int i = 0; i < 9; ++i) {
    c[n++] = {"ComboBox", Chq2::kBandIds[std::size_t(i)], "", kList, 90 + i * 34, 20, 32, 120};
    c[n++] = {"ComboBox", Chq2::kQuantityIds[std::size_t(i)], "", kList, 90 + i * 34, 38, 32, 120};
    c[n++] = {"Static", Chq2::kBandTextIds[std::size_t(i)], "", 0, 90 + i * 34, 22, 28, 10};
  }
  add_footer(c, n, 58, Chq2::kExplanationHelpId);
  return c;
}

constexpr int kDouble = 2 * (4 + 27) + 1 + kFooterControls;

constexpr std::array<ControlTemplate, kDouble> make_double() {
  std::array<ControlTemplate, kDouble> c{};
  std::size_t n = 0;
  for (int t = 0; t < 2; ++t) {
    int top = 6 + t * 62;
    if (t == 1) c[n++] = {"Static", Chq2alt::kAlternativeId, "IN ALTERNATIVA:", 0, 8, top - 8, 120, 10};
    c[n++] = {"Static", Chq2alt::kTitleIds[t], "hq2 capzione superiore", 0, 8, top + 2, 370, 10};
    c[n++] = {"Button", Chq2alt::kExplanationHelpIds[t], "?", kPush, 382, top, 14, 14};
    c[n++] = {"Static", Chq2alt::kBandCaptionIds[t], "hq2 capzione fascia", 0, 8, top + 16, 78, 17};
    c[n++] = {"Static", Chq2alt::kQuantityCaptionIds[t], "hq2 capzione quantita", 0, 8, top + 34, 78, 17};
    for (int i = 0; i < 9; ++i) {
      c[n++] = {"Static", Chq2alt::TextId(t, i), "", 0, 90 + i * 34, top + 18, 28, 10};
      c[n++] = {"ComboBox", Chq2alt::BandId(t, i), "", kList, 90 + i * 34, top + 16, 32, 120};
      c[n++] = {"ComboBox", Chq2alt::QuantityId(t, i), "", kList, 90 + i * 34, top + 34, 32, 120};
    }
  }
  add_footer(c, n, 130, 0);
  return c;
}

constexpr int kTriple = 4 + 27 + kFooterControls + 1;

constexpr std::array<ControlTemplate, kTriple> make_triple() {
  std::array<ControlTemplate, kTriple> c{};
  std::size_t n = 0;
  c[n++] = {"Static", Chq3::kTitleId, "HQ3 capzione superiore", 0, 8, 6, 388, 10};
  c[n++] = {"Static", Chq3::kBandCaptionId, "HQ3 capzione fascia A", 0, 8, 20, 78, 17};
  c[n++] = {"Static", Chq3::kSecondCaptionId, "HQ3 capzione fascia B", 0, 8, 38, 78, 17};
  c[n++] = {"Static", Chq3::kQuantityCaptionId, "HQ3 capzione quantita", 0, 8, 56, 78, 17};
  for (int i = 0; i < 9; ++i) {
    c[n++] = {"ComboBox", Chq3::kBandIds[std::size_t(i)], "", kList, 90 + i * 34, 20, 32, 120};
    c[n++] = {"ComboBox", Chq3::kSecondIds[std::size_t(i)], "", kList, 90 + i * 34, 38, 32, 120};
    c[n++] = {"ComboBox", Chq3::kQuantityIds[std::size_t(i)], "", kList, 90 + i * 34, 56, 32, 120};
  }
  add_footer(c, n, 76, Chq3::kExplanationHelpId);
  return c;
}

constexpr std::array<ControlTemplate, kSingle> kSingleControls = make_single();
constexpr std::array<ControlTemplate, kDouble> kDoubleControls = make_double();
constexpr std::array<ControlTemplate, kTriple> kTripleControls = make_triple();
constexpr std::uint32_t kStyle = kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame;

const DialogTemplate kBandTableTemplates[] = {
    {Chq2::kTemplate, "Tabella", kStyle, 0, 0, 404, 172, kSingleControls},
    {Chq2alt::kTemplate, "Tabella", kStyle, 0, 0, 404, 244, kDoubleControls},
    {Chq3::kTemplate, "Tabella", kStyle, 0, 0, 404, 190, kTripleControls},
};

}  // namespace

void ui_register_band_table_templates() {
  for (const DialogTemplate& t : kBandTableTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}
