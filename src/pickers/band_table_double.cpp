// Behaviour of the double band-table picker (see band_table_double.h): two
// BandRows objects on the interleaved row controls of template 282. A change
// in a table re-sorts and redraws only that table; the checks of a
// confirmation run on the first table, then on the second.
#include "pickers/band_table_double.h"

#include <algorithm>

#include "shell/message_box.h"

using namespace kt::ui;

int g_hq2alt_label_width = 300;

namespace {

Hq2TableSpec as_single(const Hq2AltTableSpec& s) {
  Hq2TableSpec one;
  one.band_min = s.band_min;
  one.band_max = s.band_max;
  one.over = s.over;
  one.not_defined = s.not_defined;
  one.quantity_min = s.quantity_min;
  one.quantity_max = s.quantity_max;
  one.flags = s.flags;
  one.defaults = s.defaults;
  one.limit = s.limit;
  one.flags2 = s.flags2;
  return one;
}

// A quantity cell counts when its row lies within the table's count, has a
// band and a quantity at least the minimum.
bool counts(const std::int8_t (*pairs)[2], int count, int row, const Hq2AltTableSpec& s) {
  return pairs && row < count && pairs[row][0] >= s.band_min && pairs[row][1] >= s.quantity_min;
}

}  // namespace

std::string hq2alt_summary_text(const Hq2AltTableSpec& spec, int count, int second_count, const char* title,
                                const char* band_caption, const char* quantity_caption) {
  count = std::clamp(count, 0, 9);
  second_count = std::clamp(second_count, 0, 9);
  static const std::int8_t kNone[9][2] = {};
  std::string out = hq2_band_lines(spec.pairs ? spec.pairs : kNone, count, as_single(spec), title, band_caption);
  out += quantity_caption ? quantity_caption : "";
  for (int i = 0; i < 9; ++i) {
    bool first = counts(spec.pairs, count, i, spec), second = counts(spec.second_pairs, second_count, i, spec);
    std::string a = first ? std::to_string(spec.pairs[i][1]) : "";
    std::string b = second ? std::to_string(spec.second_pairs[i][1]) : "";
    out += "\t " + a + (first && second ? "-" : "") + b;
  }
  return out + "\n";
}

KT_BEGIN_MESSAGE_MAP(Chq2alt, CBandTableDialog)
  KT_ON_CONTROL_RANGE(kCbnSelChange, kFirstRowsId, kFirstRowsId + 26, OnFirstRows)
  KT_ON_CONTROL_RANGE(kCbnSelChange, kSecondRowsId, kSecondRowsId + 26, OnSecondRows)
  KT_ON_COMMAND(kRestoreId, OnRestore)
  KT_ON_COMMAND(kRestoreHelpId, OnRestoreHelp)
  KT_ON_COMMAND(1767, OnFirstHelp)
  KT_ON_COMMAND(1768, OnSecondHelp)
KT_END_MESSAGE_MAP()

Chq2alt::Chq2alt(Window* parent) : CBandTableDialog(kTemplate, parent) {
  for (int t = 0; t < 2; ++t)
    for (int r = 0; r < 9; ++r) {
      m_band_ids[std::size_t(t)][std::size_t(r)] = BandId(t, r);
      m_quantity_ids[std::size_t(t)][std::size_t(r)] = QuantityId(t, r);
      m_text_ids[std::size_t(t)][std::size_t(r)] = TextId(t, r);
    }
}

void Chq2alt::SetBandData(Window* target, const char* title, const char* second_title, const char* band_caption,
                          const char* quantity_caption, const MlText* explanation, const MlText* second_explanation,
                          const Hq2AltTableSpec& spec) {
  if (title) m_titles[0] = title;
  if (second_title) m_titles[1] = second_title;
  if (band_caption) m_band_caption = band_caption;
  if (quantity_caption) m_quantity_caption = quantity_caption;
  if (explanation) m_explanations[0] = explanation;
  if (second_explanation) m_explanations[1] = second_explanation;
  m_spec = spec;
  BandLimits lim = hq2_limits(as_single(spec));
  m_rows[0].lim = m_rows[1].lim = lim;
  m_rows[0].Load(spec.pairs ? &spec.pairs[0][0] : nullptr, 2, spec.count ? *spec.count : 0);
  m_rows[1].Load(spec.second_pairs ? &spec.second_pairs[0][0] : nullptr, 2, spec.second_count ? *spec.second_count : 0);
  g_hq2alt_label_width = band_label_width(spec.flags);
  if (target)
    target->SetWindowText(hq2alt_summary_text(spec, m_rows[0].count, m_rows[1].count, m_titles[0], m_band_caption,
                                              m_quantity_caption));
}

void Chq2alt::DoDataExchange(DataExchange& dx) {
  CBandTableDialog::DoDataExchange(dx);
  for (std::size_t t = 0; t < 2; ++t) {
    m_rows[t].Bind(dx, m_band_ids[t].data(), m_quantity_ids[t].data(), nullptr, m_text_ids[t].data());
    dx.Control(kTitleIds[t], m_title_texts[t]);
    dx.Control(kBandCaptionIds[t], m_band_caption_texts[t]);
    dx.Control(kQuantityCaptionIds[t], m_quantity_caption_texts[t]);
    dx.Control(kExplanationHelpIds[t], m_explanation_help[t]);
  }
  dx.Control(kAlternativeId, m_alternative);
}

bool Chq2alt::OnInitDialog() {
  CDialogML::OnInitDialog();
  for (std::size_t t = 0; t < 2; ++t) {
    m_band_caption_texts[t].SetWindowText(m_band_caption ? m_band_caption : "");
    m_band_caption_texts[t].SetTranslated(true);
    m_quantity_caption_texts[t].SetWindowText(m_quantity_caption ? m_quantity_caption : "");
    m_quantity_caption_texts[t].SetTranslated(true);
    m_rows[t].Normalise();
    m_rows[t].Sort(-1);
    m_rows[t].FillLists();
    m_rows[t].ShowRows();
  }
  RefreshTitles();
  m_help.SetTextML(m_explanations[0]);
  KeepOpened({&m_rows[0], &m_rows[1]});
  return true;
}

void Chq2alt::RefreshTitles() {
  std::string first = SumTitle(m_titles[0], m_rows[0]);
  SetWindowText(first);
  m_title_texts[0].SetWindowText(first);
  m_title_texts[1].SetWindowText(SumTitle(m_titles[1], m_rows[1]));
}

void Chq2alt::OnRowControl(int table, int offset) {
  int row = offset / 3, kind = offset % 3;  // 0 band text, 1 band list, 2 quantity list
  BandRows& rows = m_rows[std::size_t(table)];
  m_help.SetTextML(m_explanations[table]);
  if (kind == 1) rows.OnBand(row);
  if (kind == 2 && !rows.OnQuantity(row)) {
    ui_message_box(kBandFirst.Get());
    return;
  }
  RefreshTitles();
}

void Chq2alt::OnRestore() {
  if (!ConfirmRestore(m_spec.defaults)) return;
  m_rows[0].TakeDefaults(m_spec.defaults);
  if (m_spec.flags & kHq2FixedBands) {
    // Fixed bands cannot be chosen again in the picker: clearing them would
    // lose the alternative table for good, so only its quantities go.
    for (int i = 0; i < 9; ++i) m_rows[1].SetQ(i, m_spec.quantity_min - (m_spec.not_defined ? 1 : 0));
  } else {
    m_rows[1].Load(nullptr, 2, 0);
  }
  for (BandRows& rows : m_rows) {
    rows.Normalise();
    rows.Sort(-1);
    rows.FillLists();
    rows.ShowRows();
  }
  RefreshTitles();
}

void Chq2alt::OnRestoreHelp() { ShowDefaultsHelp({m_band_caption, m_quantity_caption}, m_rows[0], m_spec.defaults); }

void Chq2alt::OnOK() {
  if (!SaveFocused()) return;
  for (BandRows& rows : m_rows) {
    rows.Recount();
    rows.Sort(-1);
    rows.ShowRows();
  }
  for (BandRows& rows : m_rows) {
    Window* focus = nullptr;
    if (const MlText* fault = rows.Check(&focus)) {
      Refuse(*fault, focus);
      return;
    }
  }
  if (m_spec.pairs) m_rows[0].Store(&m_spec.pairs[0][0], 2);
  if (m_spec.second_pairs) m_rows[1].Store(&m_spec.second_pairs[0][0], 2);
  if (m_spec.count) *m_spec.count = std::uint8_t(m_rows[0].count);
  if (m_spec.second_count) *m_spec.second_count = std::uint8_t(m_rows[1].count);
  EndDialog(kIdOk);
}
