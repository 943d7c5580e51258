// Default rows of the band tables: five default tables (three of pairs, two
// of triples) looked up by the identity of a band table of the working
// settings, so a page or the new-school defaults can fill a table that the
// user left empty.
//
// Invariant: a row's count is the number of leading entries whose threshold
// is at least 1, at most 9. Small, static, user-interface thread only.
#pragma once

#include "schooldata/ui_school_model.h"

// Count of a band table: leading entries with a threshold of 1 or more.
int og_hq2_count(const UiHq2Table& table);
int og_hq3_count(const UiHq3Table& table);

// Each looks table up in its default table (1 to 5), copies the default row
// into *row when row is not null, into the table's values when copy is set,
// and returns the row's count. A table of the working settings without a row
// there returns -1 and touches nothing.
int og_get_hq2_defaults(UiHq2Table* table, UiHq2Table* row, int copy);
int og_get_hq2_defaults_alt(UiHq2Table* table, UiHq2Table* row, int copy);
int og_get_hq2_defaults_lower(UiHq2Table* table, UiHq2Table* row, int copy);
int og_get_hq3_defaults(UiHq3Table* table, UiHq3Table* row, int copy);
int og_get_hq3_defaults_lower(UiHq3Table* table, UiHq3Table* row, int copy);
