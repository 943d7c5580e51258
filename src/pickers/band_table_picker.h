// Chq2: the modal band-table picker in which the user edits a table of up
// to nine (band, quantity) pairs, such as "with up to so many weekly hours,
// at most so many per day". The calling page describes the table with a
// static Hq2TableSpec (where the pairs lie, which bands and quantities are
// offered, which checks apply), calls SetBandData, runs DoModal and calls
// SetBandData again so that its CBW_HQ2 summary button shows the result.
// Only a confirmation with the save button focused writes the caller's
// pairs and count; the abandon button writes nothing.
//
// Invariants: after every edit the used pairs (band at least the band
// minimum) come first, in band order unless the bands are fixed, and the
// count is their number; empty pairs hold band minimum - 1. A damaged
// count read from the caller is never trusted past nine rows.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "pickers/band_table_dialog.h"

struct Hq2TableSpec {
  std::int8_t (*pairs)[2] = nullptr;  // nine (band, quantity) pairs
  std::uint8_t* count = nullptr;
  std::int8_t band_min = 1;
  std::int8_t band_max = 12;
  std::uint8_t over = 0;          // the band maximum reads "Oltre"
  std::uint8_t not_defined = 0;   // quantity lists begin with "Non definito"
  std::int8_t quantity_min = 0;
  std::int8_t quantity_max = 12;
  std::uint8_t flags = 0;
  const std::int8_t* defaults = nullptr;  // 18 bytes, or null
  std::int8_t limit = 0;
  std::uint8_t flags2 = 0;
};

// The limits of the rows of a two-column spec.
BandLimits hq2_limits(const Hq2TableSpec& spec);

// Width in pixels of the label column of the band-table summaries; set by
// every SetBandData, read by CBW_HQ2.
extern int g_hq2_label_width;

// The title line and the band line of a summary.
std::string hq2_band_lines(const std::int8_t (*pairs)[2], int count, const Hq2TableSpec& spec, const char* title,
                           const char* band_caption);
// The summary text of nine pairs under a spec: title line, band row and
// quantity row, cells separated by tabs.
std::string hq2_summary_text(const std::int8_t (*pairs)[2], int count, const Hq2TableSpec& spec, const char* title,
                             const char* band_caption, const char* quantity_caption);

class Chq2 : public CBandTableDialog {
 public:
  static constexpr int kTemplate = 148;
  static constexpr std::array<int, 9> kBandIds = {1430, 1431, 1432, 1433, 1434, 1435, 1436, 1437, 1438};
  static constexpr std::array<int, 9> kQuantityIds = {1439, 1440, 1441, 1442, 1443, 1444, 1445, 1446, 1447};
  static constexpr std::array<int, 9> kBandTextIds = {1500, 1501, 1502, 1503, 1504, 1505, 1506, 1507, 1508};
  static constexpr int kTitleId = 1510;
  static constexpr int kBandCaptionId = 1511;
  static constexpr int kQuantityCaptionId = 1512;
  static constexpr int kExplanationHelpId = 1518;

  explicit Chq2(kt::ui::Window* parent = nullptr);

  // Copies the caller's pairs and count and the table description, keeps the texts (null
  // keeps the previous one), sets the label column width and writes the
  // summary into the target's window text (skipped for a null target).
  void SetBandData(kt::ui::Window* target, const char* title, const char* band_caption, const char* quantity_caption,
                   const MlText* explanation, const Hq2TableSpec& spec);

  int Count() const { return m_rows.count; }
  const std::int8_t* Pair(int row) const { return m_rows.rows[std::size_t(row)].data(); }

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  void RefreshTitle();
  void OnBandChange(int row);
  // A list's choice made in its open list (a typed one sorts when the list is left).
  void OnListChosen(int) { m_list_chosen = true; }
  void OnListLeft(int);
  bool m_list_chosen = false;
  void OnQuantityChange(int row);
  void OnRestore();
  void OnRestoreHelp();
  void OnExplanationHelp();

  const char* m_title = nullptr;
  const char* m_band_caption = nullptr;
  const char* m_quantity_caption = nullptr;
  const MlText* m_explanation = nullptr;
  Hq2TableSpec m_spec;
  BandRows m_rows;
  int m_flash = 0;

  CMuto m_title_text;
  CStaticML m_band_caption_text, m_quantity_caption_text;
  CColorButton m_explanation_help;

  KT_DECLARE_MESSAGE_MAP()
};
