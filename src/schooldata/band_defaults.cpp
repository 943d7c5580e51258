// Default band tables: rows of (threshold, value) pairs or triples per band
// table of the working settings, in five tables (1 general, 2 alternative
// for the presence and teaching bands, 3 lower schools, 4 and 5 the extra
// hours as triples). A lookup is by the table's address.
//
// A lookup that copies also sets the table's count, so a filled table is
// immediately consistent; an unknown table changes nothing and returns -1
// instead of ending the program.
#include "schooldata/band_defaults.h"

#include <cstring>
#include <initializer_list>

namespace {

template <int N>
struct DefaultRow {
  void* table;
  std::initializer_list<int> values;  // N values per entry
};

template <typename Table, int N>
int fill_row(Table* table, Table* row, int copy, std::initializer_list<DefaultRow<N>> rows) {
  for (const DefaultRow<N>& r : rows) {
    if (r.table != table) continue;
    Table value{};
    auto* bytes = reinterpret_cast<std::int8_t*>(&value);
    int i = 0;
    for (int v : r.values) bytes[i++] = static_cast<std::int8_t>(v);
    int count = 0;
    while (count < 9 && bytes[count * N] >= 1) ++count;
    value.count = static_cast<std::uint8_t>(count);
    if (row != nullptr) *row = value;
    if (copy) std::memcpy(table, &value, sizeof(value));
    return count;
  }
  return -1;
}

UiSchoolSettings& s = g_ui_settings;

}  // namespace

int og_hq2_count(const UiHq2Table& table) {
  int count = 0;
  while (count < 9 && table.pairs[count][0] >= 1) ++count;
  return count;
}

int og_hq3_count(const UiHq3Table& table) {
  int count = 0;
  while (count < 9 && table.triples[count][0] >= 1) ++count;
  return count;
}

int og_get_hq2_defaults(UiHq2Table* t, UiHq2Table* row, int copy) {
  return fill_row<UiHq2Table, 2>(
      t, row, copy,
      {{&s.iggiorni, {3, 1, 6, 2, 9, 3, 14, 4, 99, 5}},
       {&s.giornipausacl, {2, 1, 3, 1}},
       {&s.ihminimo, {4, 1, 14, 2, 99, 2}},
       {&s.ihsg, {3, 1, 6, 2, 14, 3, 99, 4}},
       {&s.ihsgcon, {3, 1, 6, 2, 14, 3, 99, 4}},
       {&s.ihsglab, {99, 5}},
       {&s.gruppioremax, {3, 2, 4, 0, 5, 0}},
       {&s.ultimeoremax, {5, 50, 6, 33}},
       {&s.ihpresenza, {14, 5, 60, 5}},
       {&s.ihlabpresenza, {14, 5, 60, 5}},
       {&s.ihconpresenza, {14, 5, 60, 5}},
       {&s.ihinsegna, {14, 4, 60, 4}},
       {&s.ihlabinsegna, {14, 4, 60, 4}},
       {&s.ihconinsegna, {14, 4, 60, 4}},
       {&s.enterexit, {5, 0, 8, 1, 99, 2}},
       {&s.enterexitcon, {5, 0, 8, 1, 99, 2}},
       {&s.enterexitlab, {6, 7, 99, 7}},
       {&s.ihbuche, {4, 0, 8, 1, 18, 1, 99, 1}},
       {&s.ihbuchecsb, {4, 0, 8, 1, 18, 1, 99, 1}},
       {&s.ihbuchecst, {2, 2, 3, 2, 4, 3, 10, 4}},
       {&s.dispoday, {3, 1, 6, 2, 99, 3}}});
}

int og_get_hq2_defaults_alt(UiHq2Table* t, UiHq2Table* row, int copy) {
  return fill_row<UiHq2Table, 2>(t, row, copy,
                                 {{&s.ihpresenza, {14, 5, 60, 5}},
                                  {&s.ihconpresenza, {14, 5, 60, 5}},
                                  {&s.ihinsegna, {14, 4, 60, 4}},
                                  {&s.ihconinsegna, {14, 4, 60, 4}},
                                  {&s.ihlabpresenza, {14, 6, 18, 6, 60, 6}},
                                  {&s.ihlabinsegna, {14, 5, 18, 5, 60, 5}}});
}

int og_get_hq2_defaults_lower(UiHq2Table* t, UiHq2Table* row, int copy) {
  return fill_row<UiHq2Table, 2>(t, row, copy,
                                 {{&s.ihsg, {2, 1, 4, 2, 8, 3, 10, 4, 99, 5}},
                                  {&s.ihsgcon, {2, 1, 4, 2, 8, 3, 10, 4, 99, 5}},
                                  {&s.ihsglab, {99, 5}},
                                  {&s.gruppioremax, {4, 6, 5, 3, 6, 2}},
                                  {&s.ihpresenza, {14, 7, 60, 7}},
                                  {&s.ihconpresenza, {14, 7, 60, 7}},
                                  {&s.ihinsegna, {14, 6, 60, 6}},
                                  {&s.ihconinsegna, {14, 6, 60, 6}},
                                  {&s.ihlabpresenza, {14, 7, 18, 7, 60, 7}},
                                  {&s.ihlabinsegna, {14, 6, 18, 6, 60, 6}}});
}

int og_get_hq3_defaults(UiHq3Table* t, UiHq3Table* row, int copy) {
  return fill_row<UiHq3Table, 3>(
      t, row, copy,
      {{&s.ihpresenzaextra, {18, 6, 1, 19, 6, 2}},
       {&s.ihinsegnaextra, {18, 5, 1, 19, 5, 2, 23, 5, 3, 24, 5, 4, 25, 5, 5}}});
}

int og_get_hq3_defaults_lower(UiHq3Table* t, UiHq3Table* row, int copy) {
  return fill_row<UiHq3Table, 3>(t, row, copy,
                                 {{&s.ihpresenzaextra, {14, 7, 1, 19, 7, 2}},
                                  {&s.ihinsegnaextra, {14, 6, 1, 19, 6, 2}}});
}
