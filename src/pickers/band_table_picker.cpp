// Behaviour of the band-table picker (see band_table_picker.h): the rows
// live in a BandRows object; this file ties them to the template's
// controls, the running-sum title, the warning flash at the limit, the
// restore button and the confirmation. Rows are few (nine) and every
// change redraws all of them.
#include "pickers/band_table_picker.h"

#include <algorithm>
#include <utility>

#include "shell/message_box.h"

using namespace kt::ui;

int g_hq2_label_width = 300;

BandLimits hq2_limits(const Hq2TableSpec& spec) {
  BandLimits lim;
  lim.band_min = spec.band_min;
  lim.band_max = spec.band_max;
  lim.over = spec.over != 0;
  lim.not_defined = spec.not_defined != 0;
  lim.quantity_min = spec.quantity_min;
  lim.quantity_max = spec.quantity_max;
  lim.flags = spec.flags;
  lim.flags2 = spec.flags2;
  lim.limit = spec.limit;
  return lim;
}

std::string hq2_band_lines(const std::int8_t (*pairs)[2], int count, const Hq2TableSpec& spec, const char* title,
                           const char* band_caption) {
  count = std::clamp(count, 0, 9);
  return std::string(title ? title : "") + "\n" +
         band_summary_line(band_caption, &pairs[0][0], 2, count, spec.band_min, spec.band_max, spec.over != 0) + "\n";
}

std::string hq2_summary_text(const std::int8_t (*pairs)[2], int count, const Hq2TableSpec& spec, const char* title,
                             const char* band_caption, const char* quantity_caption) {
  count = std::clamp(count, 0, 9);
  std::string out = hq2_band_lines(pairs, count, spec, title, band_caption) + (quantity_caption ? quantity_caption : "");
  for (int i = 0; i < 9; ++i) {
    int quantity = pairs[i][1];
    if (i < count && quantity >= spec.quantity_min) out += "\t " + std::to_string(quantity);
    else out += "\t ";
  }
  return out + "\n";
}

KT_BEGIN_MESSAGE_MAP(Chq2, CBandTableDialog)
  KT_ON_CONTROL_RANGE(kCbnSelChange, 1430, 1438, OnBandChange)
  KT_ON_CONTROL_RANGE(kCbnSelEndOk, 1430, 1438, OnListChosen)
  KT_ON_CONTROL_RANGE(kCbnKillFocus, 1430, 1438, OnListLeft)
  KT_ON_CONTROL_RANGE(kCbnSelChange, 1439, 1447, OnQuantityChange)
  KT_ON_COMMAND(kRestoreId, OnRestore)
  KT_ON_COMMAND(kRestoreHelpId, OnRestoreHelp)
  KT_ON_COMMAND(kExplanationHelpId, OnExplanationHelp)
KT_END_MESSAGE_MAP()

Chq2::Chq2(Window* parent) : CBandTableDialog(kTemplate, parent) {}

void Chq2::SetBandData(Window* target, const char* title, const char* band_caption, const char* quantity_caption,
                       const MlText* explanation, const Hq2TableSpec& spec) {
  if (title) m_title = title;
  if (band_caption) m_band_caption = band_caption;
  if (quantity_caption) m_quantity_caption = quantity_caption;
  if (explanation) m_explanation = explanation;
  m_spec = spec;
  m_rows.lim = hq2_limits(spec);
  m_rows.Load(spec.pairs ? &spec.pairs[0][0] : nullptr, 2, spec.count ? *spec.count : 0);
  g_hq2_label_width = band_label_width(spec.flags);
  if (target && spec.pairs)
    target->SetWindowText(
        hq2_summary_text(spec.pairs, m_rows.count, m_spec, m_title, m_band_caption, m_quantity_caption));
}

void Chq2::DoDataExchange(DataExchange& dx) {
  CBandTableDialog::DoDataExchange(dx);
  m_rows.Bind(dx, kBandIds.data(), kQuantityIds.data(), nullptr, kBandTextIds.data());
  dx.Control(kTitleId, m_title_text);
  dx.Control(kBandCaptionId, m_band_caption_text);
  dx.Control(kQuantityCaptionId, m_quantity_caption_text);
  dx.Control(kExplanationHelpId, m_explanation_help);
}

bool Chq2::OnInitDialog() {
  CDialogML::OnInitDialog();
  m_band_caption_text.SetWindowText(m_band_caption ? m_band_caption : "");
  m_band_caption_text.SetTranslated(true);
  m_quantity_caption_text.SetWindowText(m_quantity_caption ? m_quantity_caption : "");
  m_quantity_caption_text.SetTranslated(true);
  m_rows.Normalise();
  m_rows.Sort(-1);
  m_rows.FillLists();
  m_rows.ShowRows();
  RefreshTitle();
  m_help.SetTextML(m_explanation);
  KeepOpened({&m_rows});
  return true;
}

void Chq2::RefreshTitle() {
  std::string shown = SumTitle(m_title, m_rows);
  SetWindowText(shown);
  m_title_text.SetWindowText(shown);
}

void Chq2::OnBandChange(int row) {
  m_rows.OnBand(row, std::exchange(m_list_chosen, false));
  RefreshTitle();
}

void Chq2::OnListLeft(int) {
  m_rows.Settle();
  RefreshTitle();
}

void Chq2::OnQuantityChange(int row) {
  if (!m_rows.OnQuantity(row)) {
    ui_message_box(kBandFirst.Get());
    return;
  }
  if ((m_spec.flags2 & kHq2FlashAtLimit) && m_rows.Q(row) >= m_spec.limit && m_explanation)
    m_help.SetSchemeText(m_flash++ % 2 ? 14 : 13, m_explanation->Get());
  RefreshTitle();
}

void Chq2::OnRestore() {
  if (!ConfirmRestore(m_spec.defaults)) return;
  m_rows.TakeDefaults(m_spec.defaults);
  m_rows.Sort(-1);
  m_rows.FillLists();
  m_rows.ShowRows();
  RefreshTitle();
}

void Chq2::OnRestoreHelp() { ShowDefaultsHelp({m_band_caption, m_quantity_caption}, m_rows, m_spec.defaults); }

void Chq2::OnExplanationHelp() { m_help.SetTextML(m_explanation); }

void Chq2::OnOK() {
  ConfirmRows(m_rows, m_spec.defaults, m_spec.pairs ? &m_spec.pairs[0][0] : nullptr, 2, m_spec.count);
}
