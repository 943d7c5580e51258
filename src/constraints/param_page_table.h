// The table of the general parameters: 23 rows, each a school-wide band
// table (weekly hours -> days of teaching, hours of presence, idle hours ...)
// with its captions, its explanation and the description of its table for
// the band-table picker; a row with a page title starts one of the five
// parameter pages. The two exceptional-day tables (three columns) appear on
// the second page and on the special options page.
//
// Invariants: the specs point into the working settings (g_ui_settings);
// their default pointers are null here and are filled in by the page that
// shows a row, from the default band tables. Static data, user-interface
// thread only.
#pragma once

#include <cstdint>

#include "pickers/band_table_picker.h"
#include "pickers/band_table_triple.h"
#include "shell/ml_text.h"

struct ParamPageRow {
  const MlText* page_title;      // non-null: the first row of a page
  std::uint8_t extra_tables;     // 1: the page shows the exceptional-day tables
  const MlText* caption;
  const MlText* band_caption;
  const MlText* quantity_caption;
  const MlText* explanation;
  Hq2TableSpec spec;
  std::uint8_t check_letter;     // 'e': warn about zero break days
};

inline constexpr int kParamPageRows = 23;
extern const ParamPageRow g_param_page_table[kParamPageRows];

// One exceptional-day table: its caption, three headings, explanation and spec.
struct ExtraDayTable {
  const MlText* caption;
  const MlText* band_caption;
  const MlText* second_caption;
  const MlText* quantity_caption;
  const MlText* explanation;
  Hq3TableSpec spec;
};
// 0 presence ("IHPRESENZAEXTRA"), 1 teaching ("IHINSEGNAEXTRA").
extern const ExtraDayTable g_extra_day_tables[2];

// The general help of the parameter pages (also the special options page's).
extern const MlText kParamGeneralHelp;
