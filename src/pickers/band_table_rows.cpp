// The rows of one band table (see band_table_rows.h): lists, order, display,
// change handlers and the confirmation checks every band-table picker runs.
// The checks run one rule at a time over all rows, so the first rule broken
// anywhere is the one reported, whatever row it is on.
#include "pickers/band_table_rows.h"

#include <algorithm>

#include "platform/cp1252.h"

using namespace kt::ui;

const MlText kBandOver = {"Oltre", "weiter", "over"};
const MlText kBandNotDefined = {"Non definito", "Nicht definiert", "Not defined"};
const MlText kBandFirst = {"Definire prima la FASCIA, e poi la QUANTITA'",
                           "Zuerst die SPANNE, dann die MENGE festlegen",
                           "Define the BAND first, then the QUANTITY"};
const MlText kBandNoDefaults = {
    "I valori predefiniti dal sistema non esistono per questa tabella.\r\nSe necessario, configurarla opportunamente.",
    "Für diese Tabelle gibt es keine Systemvorgaben.\r\nBei Bedarf selbst einstellen."_cp,
    "There are no system defaults for this table.\r\nIf needed, configure it yourself."};
const MlText kBandRestoreQuestion = {"Ripristino dei valori predefiniti di sistema. Sicuro?",
                                     "Systemvorgaben wiederherstellen. Sicher?",
                                     "Restore the system defaults. Sure?"};
const MlText kBandRestoreHelp = {
    "Usare questo pulsante per rispristinare i valori predefiniti dal sistema per questa tabella, che sono i "
    "seguenti:\r\n\r\n",
    "Mit dieser Taste werden die Systemvorgaben dieser Tabelle wiederhergestellt, nämlich:\r\n\r\n"_cp,
    "Use this button to restore the system defaults of this table, which are:\r\n\r\n"};
const MlText kBandNotEmpty = {"Inserire i dati - la tabella non può essere vuota."_cp,
                              "Daten eingeben - die Tabelle darf nicht leer sein.",
                              "Enter the data - the table cannot be empty."};

namespace {

const MlText kEqualBands = {"Ci sono due FASCE eguali - non consentito", "Zwei gleiche SPANNEN - nicht erlaubt",
                            "There are two equal BANDS - not allowed"};
const MlText kIncreasing = {"Inserire valori di QUANTITA' sempre crescenti", "Immer steigende MENGEN eingeben",
                            "Enter always increasing QUANTITY values"};
const MlText kNotIncreasing = {"Inserire valori di QUANTITA' eguali o decrescenti",
                               "Gleiche oder fallende MENGEN eingeben",
                               "Enter equal or decreasing QUANTITY values"};
const MlText kNotAboveBand = {"Inserire valori di QUANTITA' Minori o Eguali alla Fascia corrispondente",
                              "MENGEN eingeben, die höchstens so groß wie die zugehörige Spanne sind"_cp,
                              "Enter QUANTITY values less than or equal to the corresponding Band"};
const MlText kDefineSecond = {"Definire la SECONDA FASCIA (oppure eliminare la FASCIA corrispondente)",
                              "Die ZWEITE SPANNE festlegen (oder die zugehörige SPANNE löschen)"_cp,
                              "Define the SECOND BAND (or delete the corresponding BAND)"};
const MlText kDefineQuantity = {"Definire la QUANTITA' (oppure eliminare la FASCIA corrispondente)",
                                "Die MENGE festlegen (oder die zugehörige SPANNE löschen)"_cp,
                                "Define the QUANTITY (or delete the corresponding BAND)"};

}  // namespace

int band_label_width(std::uint8_t flags) {
  if (flags & kHq2NarrowLabel) return 150;
  if (flags & kHq2MediumLabel) return 240;
  return 300;
}

void BandRows::Bind(DataExchange& dx, const int* band_ids, const int* quantity_ids, const int* second_ids,
                    const int* text_ids) {
  for (std::size_t i = 0; i < 9; ++i) {
    dx.Control(band_ids[i], bands[i]);
    dx.Control(quantity_ids[i], quantities[i]);
    if (second_ids) dx.Control(second_ids[i], seconds[i]);
    if (text_ids) dx.Control(text_ids[i], texts[i]);
  }
}

void BandRows::Load(const std::int8_t* bytes, int width, int stored_count) {
  for (std::size_t i = 0; i < 9; ++i) {
    rows[i] = {0, 0, 0};
    if (bytes)
      for (int c = 0; c < width; ++c) rows[i][std::size_t(c)] = bytes[int(i) * width + c];
  }
  count = std::clamp(stored_count, 0, 9);
}

void BandRows::Store(std::int8_t* bytes, int width) const {
  if (!bytes) return;
  for (std::size_t i = 0; i < 9; ++i)
    for (int c = 0; c < width; ++c) bytes[int(i) * width + c] = rows[i][std::size_t(c)];
}

std::string BandRows::BandText(int band) const {
  if (band >= lim.band_max && lim.over) return kBandOver.Get();
  return std::to_string(band);
}

int BandRows::Normalise() {
  for (auto& row : rows)
    if (row[0] < lim.band_min) row[0] = std::int8_t(lim.band_min - 1);
  return Recount();
}

int BandRows::Recount() {
  count = 0;
  for (int i = 0; i < 9; ++i) count += Used(i) ? 1 : 0;
  return count;
}

int BandRows::Sort(int tracked) {
  if (lim.flags & kHq2FixedBands) return tracked;
  bool descending = (lim.flags & kHq2Descending) != 0;
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (int i = 1; i < 9; ++i) {
      if (!Used(i)) continue;
      int band = rows[std::size_t(i)][0], before = rows[std::size_t(i - 1)][0];
      if (Used(i - 1) && !(descending ? band > before : band < before)) continue;
      std::swap(rows[std::size_t(i)], rows[std::size_t(i - 1)]);
      if (tracked == i) tracked = i - 1;
      else if (tracked == i - 1) tracked = i;
      swapped = true;
    }
  }
  return tracked;
}

void BandRows::FillLists() {
  for (std::size_t i = 0; i < 9; ++i) {
    bands[i].ResetContent();
    bands[i].AddString(kBandNotDefined.Get());
    for (int b = lim.band_min; b <= lim.band_max; ++b) bands[i].AddString(BandText(b));
    if (lim.second) {
      seconds[i].ResetContent();
      seconds[i].AddString(kBandNotDefined.Get());
      for (int b = lim.second_min; b <= lim.second_max; ++b) seconds[i].AddString(std::to_string(b));
    }
    quantities[i].ResetContent();
    if (lim.not_defined) quantities[i].AddString(kBandNotDefined.Get());
    int band = rows[i][0];
    for (int q = lim.quantity_min; q <= lim.quantity_max; ++q) {
      if ((lim.flags & kHq2SumMode) && band * q > lim.limit) break;
      quantities[i].AddString(std::to_string(q));
    }
  }
}

void BandRows::ShowRows() {
  bool fixed = (lim.flags & kHq2FixedBands) != 0;
  int nd = lim.not_defined ? 1 : 0;
  bool first_empty = true;
  for (int i = 0; i < 9; ++i) {
    std::size_t k = std::size_t(i);
    int band = rows[k][0], quantity = Q(i);
    if (Used(i)) {
      bands[k].EnableWindow(!fixed);
      quantities[k].EnableWindow(true);
      bands[k].SetCurSel(band < lim.band_max ? band - lim.band_min + 1 : bands[k].GetCount() - 1);
      texts[k].SetWindowText(BandText(band));
      quantities[k].SetCurSel(quantity >= lim.quantity_min ? nd + quantity - lim.quantity_min : 0);
      if (lim.second) {
        int b2 = rows[k][1];
        seconds[k].EnableWindow(true);
        seconds[k].SetCurSel(b2 >= lim.second_min && b2 <= lim.second_max ? b2 - lim.second_min + 1 : 0);
      }
    } else {
      bands[k].SetCurSel(-1);
      quantities[k].SetCurSel(-1);
      quantities[k].EnableWindow(false);
      bands[k].EnableWindow(first_empty && !fixed);
      first_empty = false;
      texts[k].SetWindowText("");
      if (lim.second) {
        seconds[k].SetCurSel(-1);
        seconds[k].EnableWindow(false);
      }
    }
    bands[k].ShowWindow(fixed ? kSwHide : kSwShow);
    texts[k].ShowWindow(fixed && Used(i) ? kSwShow : kSwHide);
  }
}

int BandRows::Sum(std::string& digits) const {
  int sum = 0;
  digits.clear();
  for (int i = 0; i < count && i < 9; ++i) {
    int band = rows[std::size_t(i)][0], quantity = Q(i);
    if (!Used(i) || band <= 0) continue;
    sum += band * quantity;
    for (int q = 0; q < quantity; ++q) digits += std::to_string(band) + " ";
  }
  return sum;
}

void BandRows::Settle() {
  if (unsettled < 0) return;
  Sort(unsettled);
  unsettled = -1;
  ShowRows();
}

void BandRows::OnBand(int row, bool chosen) {
  if (row < 0 || row >= 9) return;
  std::size_t k = std::size_t(row);
  int index = bands[k].GetCurSel();
  if (index < 0) return;
  rows[k][0] = std::int8_t(lim.band_min + index - 1);
  if (!Used(row)) quantities[k].SetCurSel(-1);
  else SetQ(row, std::clamp(Q(row), lim.quantity_min, lim.quantity_max));
  Normalise();
  if (!chosen) {
    unsettled = row;
    ShowRows();
    return;
  }
  unsettled = -1;
  int at = Sort(row);
  ShowRows();
  if (at < 0 || at >= 9) return;
  if (Used(at)) quantities[std::size_t(at)].SetFocus();
  else bands[std::size_t(at)].SetFocus();
}

void BandRows::OnSecond(int row, bool chosen) {
  if (row < 0 || row >= 9 || !lim.second) return;
  std::size_t k = std::size_t(row);
  int index = seconds[k].GetCurSel();
  if (index < 0) return;
  int b2 = lim.second_min + index - 1;
  rows[k][1] = std::int8_t(b2);
  if (b2 < lim.second_min) quantities[k].SetCurSel(-1);
  else SetQ(row, std::clamp(Q(row), lim.quantity_min, lim.quantity_max));
  if (!chosen) {
    unsettled = row;
    ShowRows();
    return;
  }
  unsettled = -1;
  int at = Sort(row);
  ShowRows();
  if (at < 0 || at >= 9) return;
  if (b2 >= lim.second_min) quantities[std::size_t(at)].SetFocus();
  else seconds[std::size_t(at)].SetFocus();
}

bool BandRows::OnQuantity(int row) {
  if (row < 0 || row >= 9) return true;
  std::size_t k = std::size_t(row);
  if (!Used(row)) {
    quantities[k].SetCurSel(-1);
    return false;
  }
  int index = quantities[k].GetCurSel();
  if (index >= 0) SetQ(row, lim.quantity_min - (lim.not_defined ? 1 : 0) + index);
  return true;
}

void BandRows::TakeDefaults(const std::int8_t* defaults) {
  Load(defaults, Width(), 0);
  Normalise();
}

const MlText* BandRows::Check(Window** focus) {
  auto fail = [&](const MlText& text, Window& control) {
    *focus = &control;
    return &text;
  };
  int last = std::min(count, 9);
  for (int i = 0; i + 1 < last; ++i)
    if (rows[std::size_t(i)][0] == rows[std::size_t(i + 1)][0]) return fail(kEqualBands, bands[std::size_t(i + 1)]);
  if (lim.flags & kHq2Increasing)
    for (int i = 0; i + 1 < last; ++i)
      if (Q(i) >= Q(i + 1)) return fail(kIncreasing, quantities[std::size_t(i + 1)]);
  if (lim.flags & kHq2NotIncreasing)
    for (int i = 0; i + 1 < last; ++i)
      if (Q(i) < Q(i + 1)) return fail(kNotIncreasing, quantities[std::size_t(i + 1)]);
  if ((lim.flags & kHq2NotAboveBand) && !lim.second)
    for (int i = 0; i < last; ++i)
      if (Q(i) > rows[std::size_t(i)][0]) return fail(kNotAboveBand, quantities[std::size_t(i)]);
  if (lim.second)
    for (int i = 0; i < last; ++i) {
      int b2 = rows[std::size_t(i)][1];
      if (b2 < lim.second_min || b2 > lim.second_max) return fail(kDefineSecond, seconds[std::size_t(i)]);
    }
  if (!lim.not_defined)
    for (int i = 0; i < last; ++i)
      if (Q(i) < lim.quantity_min || Q(i) > lim.quantity_max) return fail(kDefineQuantity, quantities[std::size_t(i)]);
  return nullptr;
}

bool BandRows::Close(const std::int8_t* defaults) {
  if ((lim.flags2 & kHq2NotEmpty) && count == 0) {
    if (!defaults) return false;
    TakeDefaults(defaults);
  }
  if ((lim.flags2 & kHq2EndsAtMaximum) && count > 0) {
    std::size_t last = std::size_t(count - 1);
    int band = rows[last][0];
    if (band != lim.band_max && band != 99) {
      if (count < 9) {
        rows[last + 1] = rows[last];
        rows[last + 1][0] = std::int8_t(lim.band_max < 1 ? 99 : lim.band_max);
        ++count;
      } else {
        rows[last][0] = 99;
      }
    }
  }
  return true;
}
