// Chq3: the three-column band-table picker, for a table of up to nine rows
// of two bands and a quantity (a limit that depends on two thresholds at
// once: weekly hours and length of a day, hours of a class's day and HIGH
// hours). It works as the band table with a second band column: the rows
// are kept in band-A order, a row is used when its band A is set, and a
// confirmation also requires a band B within its range. The summary button
// CBW_HQ3 draws three lines under the title with a 300-pixel label column.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "pickers/band_table_dialog.h"

struct Hq3TableSpec {
  std::int8_t (*triples)[3] = nullptr;  // nine (band A, band B, quantity)
  std::uint8_t* count = nullptr;
  std::int8_t band_min = 1;
  std::int8_t band_max = 60;
  std::uint8_t over = 0;
  std::int8_t second_min = 1;
  std::int8_t second_max = 12;
  std::int8_t quantity_min = 0;
  std::int8_t quantity_max = 7;
  std::uint8_t flags = 0;
  const std::int8_t* defaults = nullptr;  // 27 bytes, or null
  std::uint8_t flags2 = 0;
};

// The summary: title, then the band-A, band-B and quantity lines.
std::string hq3_summary_text(const std::int8_t (*triples)[3], int count, const Hq3TableSpec& spec, const char* title,
                             const char* band_caption, const char* second_caption, const char* quantity_caption);

class Chq3 : public CBandTableDialog {
 public:
  static constexpr int kTemplate = 149;
  static constexpr std::array<int, 9> kBandIds = {1430, 1431, 1432, 1433, 1434, 1435, 1436, 1437, 1438};
  static constexpr std::array<int, 9> kQuantityIds = {1439, 1440, 1441, 1442, 1443, 1444, 1445, 1446, 1447};
  static constexpr std::array<int, 9> kSecondIds = {1456, 1457, 1458, 1459, 1460, 1461, 1462, 1463, 1464};
  static constexpr int kTitleId = 1510;
  static constexpr int kBandCaptionId = 1511;
  static constexpr int kQuantityCaptionId = 1512;
  static constexpr int kExplanationHelpId = 1518;
  static constexpr int kSecondCaptionId = 1519;

  explicit Chq3(kt::ui::Window* parent = nullptr);

  void SetBandData(kt::ui::Window* target, const char* title, const char* band_caption, const char* second_caption,
                   const char* quantity_caption, const MlText* explanation, const Hq3TableSpec& spec);

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  void OnBandChange(int row);
  // A list's choice made in its open list (a typed one sorts when the list is left).
  void OnListChosen(int) { m_list_chosen = true; }
  void OnListLeft(int);
  bool m_list_chosen = false;
  void OnSecondChange(int row);
  void OnQuantityChange(int row);
  void OnRestore();
  void OnRestoreHelp();
  void OnExplanationHelp() { m_help.SetTextML(m_explanation); }

  const char* m_title = nullptr;
  const char* m_captions[3] = {nullptr, nullptr, nullptr};
  const MlText* m_explanation = nullptr;
  Hq3TableSpec m_spec;
  BandRows m_rows;

  CMuto m_title_text;
  std::array<CStaticML, 3> m_caption_texts;
  CColorButton m_explanation_help;

  KT_DECLARE_MESSAGE_MAP()
};
