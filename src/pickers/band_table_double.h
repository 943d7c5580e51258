// Chq2alt: the double band-table picker. Two band tables one above the
// other, the second introduced by "IN ALTERNATIVA:", state a rule and an
// alternative to it (two ways of spreading a teaching post's hours over
// the days). Both tables share one set of limits and flags; each has its own
// pairs, count, title and explanation. Everything else works as the band
// table: lists, order, sum titles, restore, refusals, and writing the
// caller's tables only on a confirmation with the save button focused.
//
// The caller's areas hold at least nine pairs (a class calendar's day
// lengths hold twelve); the picker edits and writes the first nine only.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "pickers/band_table_picker.h"

struct Hq2AltTableSpec {
  std::int8_t (*pairs)[2] = nullptr;
  std::int8_t (*second_pairs)[2] = nullptr;
  std::uint8_t* count = nullptr;
  std::uint8_t* second_count = nullptr;
  std::int8_t band_min = 1;
  std::int8_t band_max = 7;
  std::uint8_t over = 0;
  std::uint8_t not_defined = 0;
  std::int8_t quantity_min = 1;
  std::int8_t quantity_max = 7;
  std::uint8_t flags = 0;
  const std::int8_t* defaults = nullptr;  // 18 bytes: the first table's defaults, or null
  std::int8_t limit = 0;
  std::uint8_t flags2 = 0;
};

// Label column width of the double-table summaries (CBW_HQ2alt); set by
// every Chq2alt::SetBandData.
extern int g_hq2alt_label_width;

// The summary: title, the first table's bands, then for each row the
// quantities of the two tables that count, "first-second" when both do.
std::string hq2alt_summary_text(const Hq2AltTableSpec& spec, int count, int second_count, const char* title,
                                const char* band_caption, const char* quantity_caption);

class Chq2alt : public CBandTableDialog {
 public:
  static constexpr int kTemplate = 282;
  static constexpr int kFirstRowsId = 1699;   // band text, band list, quantity list per row
  static constexpr int kSecondRowsId = 1728;
  static constexpr int kTitleIds[2] = {1760, 1761};
  static constexpr int kBandCaptionIds[2] = {1762, 1764};
  static constexpr int kQuantityCaptionIds[2] = {1763, 1765};
  static constexpr int kAlternativeId = 1766;
  static constexpr int kExplanationHelpIds[2] = {1767, 1768};
  static constexpr int BandId(int table, int row) { return (table ? kSecondRowsId : kFirstRowsId) + 3 * row + 1; }
  static constexpr int QuantityId(int table, int row) { return BandId(table, row) + 1; }
  static constexpr int TextId(int table, int row) { return BandId(table, row) - 1; }

  explicit Chq2alt(kt::ui::Window* parent = nullptr);

  void SetBandData(kt::ui::Window* target, const char* title, const char* second_title, const char* band_caption,
                   const char* quantity_caption, const MlText* explanation, const MlText* second_explanation,
                   const Hq2AltTableSpec& spec);

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  void RefreshTitles();
  void OnRowControl(int table, int offset);
  void OnFirstRows(int offset) { OnRowControl(0, offset); }
  void OnSecondRows(int offset) { OnRowControl(1, offset); }
  void OnRestore();
  void OnRestoreHelp();
  void OnFirstHelp() { m_help.SetTextML(m_explanations[0]); }
  void OnSecondHelp() { m_help.SetTextML(m_explanations[1]); }

  const char* m_titles[2] = {nullptr, nullptr};
  const char* m_band_caption = nullptr;
  const char* m_quantity_caption = nullptr;
  const MlText* m_explanations[2] = {nullptr, nullptr};
  Hq2AltTableSpec m_spec;
  std::array<BandRows, 2> m_rows;
  std::array<std::array<int, 9>, 2> m_band_ids{}, m_quantity_ids{}, m_text_ids{};

  std::array<CMuto, 2> m_title_texts;
  std::array<CStaticML, 2> m_band_caption_texts, m_quantity_caption_texts;
  CStaticML m_alternative;
  std::array<CColorButton, 2> m_explanation_help;

  KT_DECLARE_MESSAGE_MAP()
};
