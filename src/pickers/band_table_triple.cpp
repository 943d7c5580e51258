// Behaviour of the three-column band-table picker (see
// band_table_triple.h): one BandRows object with its second-band column on
// template 149, the summary lines and the confirmation.
#include "pickers/band_table_triple.h"

#include <algorithm>
#include <utility>

#include "shell/message_box.h"

using namespace kt::ui;

namespace {

BandLimits hq3_limits(const Hq3TableSpec& spec) {
  BandLimits lim;
  lim.band_min = spec.band_min;
  lim.band_max = spec.band_max;
  lim.over = spec.over != 0;
  lim.quantity_min = spec.quantity_min;
  lim.quantity_max = spec.quantity_max;
  lim.flags = spec.flags;
  lim.flags2 = spec.flags2;
  lim.second = true;
  lim.second_min = spec.second_min;
  lim.second_max = spec.second_max;
  return lim;
}

}  // namespace

std::string hq3_summary_text(const std::int8_t (*triples)[3], int count, const Hq3TableSpec& spec, const char* title,
                             const char* band_caption, const char* second_caption, const char* quantity_caption) {
  count = std::clamp(count, 0, 9);
  static const std::int8_t kNone[9][3] = {};
  if (!triples) triples = kNone;
  std::string out = std::string(title ? title : "") + "\n" +
                    band_summary_line(band_caption, &triples[0][0], 3, count, spec.band_min, spec.band_max, spec.over != 0);
  const char* captions[2] = {second_caption, quantity_caption};
  for (int c = 0; c < 2; ++c) {
    out += std::string("\n") + (captions[c] ? captions[c] : "");
    for (int i = 0; i < 9; ++i) {
      bool used = i < count && triples[i][0] >= spec.band_min;
      out += used ? "\t " + std::to_string(triples[i][c + 1]) : std::string("\t ");
    }
  }
  return out + "\n";
}

KT_BEGIN_MESSAGE_MAP(Chq3, CBandTableDialog)
  KT_ON_CONTROL_RANGE(kCbnSelChange, 1430, 1438, OnBandChange)
  KT_ON_CONTROL_RANGE(kCbnSelEndOk, 1430, 1438, OnListChosen)
  KT_ON_CONTROL_RANGE(kCbnKillFocus, 1430, 1438, OnListLeft)
  KT_ON_CONTROL_RANGE(kCbnSelEndOk, 1456, 1464, OnListChosen)
  KT_ON_CONTROL_RANGE(kCbnKillFocus, 1456, 1464, OnListLeft)
  KT_ON_CONTROL_RANGE(kCbnSelChange, 1439, 1447, OnQuantityChange)
  KT_ON_CONTROL_RANGE(kCbnSelChange, 1456, 1464, OnSecondChange)
  KT_ON_COMMAND(kRestoreId, OnRestore)
  KT_ON_COMMAND(kRestoreHelpId, OnRestoreHelp)
  KT_ON_COMMAND(kExplanationHelpId, OnExplanationHelp)
KT_END_MESSAGE_MAP()

Chq3::Chq3(Window* parent) : CBandTableDialog(kTemplate, parent) {}

void Chq3::SetBandData(Window* target, const char* title, const char* band_caption, const char* second_caption,
                       const char* quantity_caption, const MlText* explanation, const Hq3TableSpec& spec) {
  if (title) m_title = title;
  const char* captions[3] = {band_caption, second_caption, quantity_caption};
  for (int c = 0; c < 3; ++c)
    if (captions[c]) m_captions[c] = captions[c];
  if (explanation) m_explanation = explanation;
  m_spec = spec;
  m_rows.lim = hq3_limits(spec);
  m_rows.Load(spec.triples ? &spec.triples[0][0] : nullptr, 3, spec.count ? *spec.count : 0);
  if (target && spec.triples)
    target->SetWindowText(
        hq3_summary_text(spec.triples, m_rows.count, spec, m_title, m_captions[0], m_captions[1], m_captions[2]));
}

void Chq3::DoDataExchange(DataExchange& dx) {
  CBandTableDialog::DoDataExchange(dx);
  m_rows.Bind(dx, kBandIds.data(), kQuantityIds.data(), kSecondIds.data(), nullptr);
  dx.Control(kTitleId, m_title_text);
  dx.Control(kBandCaptionId, m_caption_texts[0]);
  dx.Control(kSecondCaptionId, m_caption_texts[1]);
  dx.Control(kQuantityCaptionId, m_caption_texts[2]);
  dx.Control(kExplanationHelpId, m_explanation_help);
}

bool Chq3::OnInitDialog() {
  CDialogML::OnInitDialog();
  for (std::size_t c = 0; c < 3; ++c) {
    m_caption_texts[c].SetWindowText(m_captions[c] ? m_captions[c] : "");
    m_caption_texts[c].SetTranslated(true);
  }
  m_rows.Normalise();
  m_rows.Sort(-1);
  m_rows.FillLists();
  m_rows.ShowRows();
  SetWindowText(m_title ? m_title : "");
  m_title_text.SetWindowText(m_title ? m_title : "");
  m_help.SetTextML(m_explanation);
  KeepOpened({&m_rows});
  return true;
}

void Chq3::OnBandChange(int row) { m_rows.OnBand(row, std::exchange(m_list_chosen, false)); }

void Chq3::OnSecondChange(int row) { m_rows.OnSecond(row, std::exchange(m_list_chosen, false)); }

void Chq3::OnListLeft(int) { m_rows.Settle(); }

void Chq3::OnQuantityChange(int row) {
  if (!m_rows.OnQuantity(row)) ui_message_box(kBandFirst.Get());
}

void Chq3::OnRestore() {
  if (!ConfirmRestore(m_spec.defaults)) return;
  m_rows.TakeDefaults(m_spec.defaults);
  m_rows.Sort(-1);
  m_rows.ShowRows();
}

void Chq3::OnRestoreHelp() {
  ShowDefaultsHelp({m_captions[0], m_captions[1], m_captions[2]}, m_rows, m_spec.defaults);
}

void Chq3::OnOK() {
  ConfirmRows(m_rows, m_spec.defaults, m_spec.triples ? &m_spec.triples[0][0] : nullptr, 3, m_spec.count);
}
