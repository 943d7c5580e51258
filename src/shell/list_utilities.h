// Routines the pages use on their report lists and for measuring texts:
// saving and restoring column widths (30 per list, the form the status file
// keeps), fitting the columns into the list's width, sorting the rows by a
// clicked column (case-insensitive, the direction remembered per column
// index for the whole process), the grouped variant of a teacher's
// teaching-post list, and measuring and padding texts.
//
// Invariants: at most 30 widths are read or written; a fit always ends
// (each pass narrows a column or stops); a sort keeps every column's text,
// the data word and the state of every row. Lists are small (a few hundred
// rows), so the sorts are simple stable sorts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ui.h"

inline constexpr int kListColumnWidthCount = 30;
using ListColumnWidths = std::array<std::uint16_t, kListColumnWidthCount>;

// Stores the width of every column (at most 30); `column` gets `width`
// instead when width is not negative (a divider just dropped).
void ui_save_list_column_widths(int column, int width, kt::ui::ListView& list, ListColumnWidths& widths);
// 1 when the stored widths were applied (each at least 20 pixels), 0 when
// nothing is stored (every entry zero).
int ui_restore_list_column_widths(kt::ui::ListView& list, const ListColumnWidths& widths);

// Columns 0..last_hidden get width 0; columns last_hidden+1..last_header
// are sized to their heading when header_flag is set; the columns after
// last_header are narrowed, widest first, until they fit the window.
void ui_fit_list_columns(kt::ui::ListView& list, int last_hidden, int last_header, bool header_flag);
// As above, but the columns after last_header first take the larger of
// heading and content width, then share the excess evenly.
void ui_fit_list_columns_ex(kt::ui::ListView& list, int last_hidden, int last_header, bool header_flag);
void ui_fit_list_columns_to_content(kt::ui::ListView& list, int last_hidden, int last_header);
// Width a heading or a column's content needs (the two auto-size kinds).
int ui_list_heading_width(const kt::ui::ListView& list, int column);
int ui_list_content_width(const kt::ui::ListView& list, int column);

// Sort modes: bit 0 ascending, bit 1 descending, bit 2 keep the column's
// remembered direction; 0 toggles it. A column never sorted starts descending.
inline constexpr int kListSortAscending = 1;
inline constexpr int kListSortDescending = 2;
inline constexpr int kListSortKeep = 4;
// 0 done; -1 the column does not exist, -2 the first row is out of range.
int ui_sort_list_by_column(kt::ui::ListView& list, int column, int first_row, int mode);
// All rows but the last sorted by column (direction toggled per call), then
// rows with equal first-column text kept together, those whose fifth
// column is filled after the others of their group.
int ui_sort_grouped_list_by_column(kt::ui::ListView& list, int column);
// The remembered direction of a column index (0 none, 1 ascending, 2
// descending), and forgetting them all (for tests: nothing in the program
// forgets them, as the directions last for the program's run).
int ui_list_sort_direction(int column);
void ui_reset_list_sort_directions();

// Width of a text in pixels; 8 pixels per character without a context.
int og_text_width(const kt::ui::DeviceContext* dc, std::string_view text);
// Prepends blanks until the text is `pixels` wide or `limit` characters
// long; returns the final width.
int og_pad_text_to_width(const kt::ui::DeviceContext* dc, std::string& text, int pixels, int limit);

// Class order of class labels: study track, section, year. A label that
// begins with a digit (year, section, then the track's text) is keyed by
// the text after year and section, then section and year; a
// classical-numbering label ("IV A", "III B" ...) by its code's track,
// section and year.
std::string og_class_order_key(const std::string& label);
// Sorts a list or combo box of class labels into class order.
void og_sort_class_list_box(kt::ui::ListBox& box);
void og_sort_class_list_box(kt::ui::ComboBox& box);
// The class code of a classical-numbering label: the year digit ("IV" 1,
// "V" 2, "I" 3, "II" 4, "III" 5, '?' otherwise) and the next two
// characters; a prefix up to ':' within the first 20 characters is dropped.
std::string og_classical_class_code(std::string_view label);
