// BandRows: the nine editable rows of one band table, shared by the three
// band-table pickers (Chq2, Chq2alt, Chq3). A row is a band, an optional
// second band and a quantity; the object holds the working copy of the rows,
// their count, the limits of the table and the row controls (band list,
// optional second-band list, quantity list, band text), and does what every
// picker does to a table: fill the lists, keep the used rows first and in
// order, show them, take a band or quantity choice, run the checks of a
// confirmation and apply the closing rules.
//
// Invariants: after Normalise, Sort or any change handler, every empty row
// holds band minimum - 1 and count is the number of used rows (at most
// nine). Nine rows and three lists per row: every change redraws them all.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/ui.h"
#include "shell/coloured_texts.h"
#include "shell/ml_text.h"

// Flags of the band-table specs (flags).
inline constexpr std::uint8_t kHq2Increasing = 1;
inline constexpr std::uint8_t kHq2NarrowLabel = 2;
inline constexpr std::uint8_t kHq2FixedBands = 4;
inline constexpr std::uint8_t kHq2SumMode = 8;
inline constexpr std::uint8_t kHq2Descending = 16;
inline constexpr std::uint8_t kHq2MediumLabel = 32;
inline constexpr std::uint8_t kHq2NotAboveBand = 64;
inline constexpr std::uint8_t kHq2NotIncreasing = 128;
// Flags of the band-table specs (flags2).
inline constexpr std::uint8_t kHq2NotEmpty = 1;
inline constexpr std::uint8_t kHq2EndsAtMaximum = 2;
inline constexpr std::uint8_t kHq2FlashAtLimit = 4;

// Texts the pickers share.
extern const MlText kBandOver, kBandNotDefined, kBandFirst, kBandNoDefaults, kBandRestoreQuestion, kBandRestoreHelp,
    kBandNotEmpty;

// Label column width of a summary for the flags of a spec: 150, 240 or 300.
int band_label_width(std::uint8_t flags);

// What a table allows; the second band exists only in three-column tables.
struct BandLimits {
  int band_min = 1, band_max = 12;
  bool over = false;         // the band maximum reads "Oltre"
  bool not_defined = false;  // quantity lists begin with "Non definito"
  int quantity_min = 0, quantity_max = 12;
  std::uint8_t flags = 0, flags2 = 0;
  int limit = 0;
  bool second = false;
  int second_min = 1, second_max = 12;
};

class BandRows {
 public:
  using Row = std::array<std::int8_t, 3>;  // band, second band or quantity, quantity

  BandLimits lim;
  std::array<Row, 9> rows{};
  int count = 0;
  std::array<kt::ui::ComboBox, 9> bands, seconds, quantities;
  std::array<CMuto, 9> texts;
  int unsettled = -1;  // the row of a typed band not yet sorted into place

  // Binds the row controls; second_ids and text_ids may be null.
  void Bind(kt::ui::DataExchange& dx, const int* band_ids, const int* quantity_ids, const int* second_ids,
            const int* text_ids);
  // Copies nine rows of `width` bytes (2 or 3) in and out.
  void Load(const std::int8_t* bytes, int width, int stored_count);
  void Store(std::int8_t* bytes, int width) const;

  int Width() const { return lim.second ? 3 : 2; }
  int Q(int row) const { return rows[std::size_t(row)][std::size_t(Width() - 1)]; }
  void SetQ(int row, int q) { rows[std::size_t(row)][std::size_t(Width() - 1)] = std::int8_t(q); }
  bool Used(int row) const { return rows[std::size_t(row)][0] >= lim.band_min; }
  std::string BandText(int band) const;

  // Empty rows get the empty band; then the used rows are counted.
  int Normalise();
  int Recount();
  // Bubble passes until no pair swaps; returns where row `tracked` went.
  int Sort(int tracked);
  void FillLists();
  void ShowRows();
  // The "[ digits ]" string and the sum of band x quantity of the used rows.
  int Sum(std::string& digits) const;

  // Change handlers. A band chosen from the open list re-sorts the rows and
  // moves the focus on to the row's next list; a band typed or stepped with
  // the arrows on the closed list (chosen false) only takes the value, so
  // the focus and the row stay while the user types ("2" then "5" makes
  // 25), and Settle sorts once the list is left. OnQuantity returns false
  // when the row has no band.
  void OnBand(int row, bool chosen = true);
  void OnSecond(int row, bool chosen = true);
  bool OnQuantity(int row);
  void Settle();
  // The 18 or 27 default bytes replace the rows.
  void TakeDefaults(const std::int8_t* defaults);

  // The checks of a confirmation in their order; on a failure returns its
  // text and the control to focus, else null.
  const MlText* Check(kt::ui::Window** focus);
  // The closing rules of a confirmation (empty table, closing band); false
  // when an empty table must be refused (no defaults).
  bool Close(const std::int8_t* defaults);

 private:
  void FocusAfterChange(int at, kt::ui::ComboBox& empty_list);
};
