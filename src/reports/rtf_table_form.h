// The table form of the RTF conversion, in steps that tests can reach: the
// report becomes cell records (one per cell or table event), the column unit
// and the font size are fitted to the page over every row, and the records
// are written as RTF table rows in Verdana.
//
// Invariants: a row is a type-1 record followed by its type-2 records; cell
// lengths count report characters up to the cell's separator, so the RTF
// columns line up exactly where the text report's separators did.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

struct RtfCellRecord {
  std::uint8_t type = 0;  // 1 first cell of a row, 2 further cell, 3 end of table, 4 separator
  int length = 0;         // characters from the cell's start to its separator
  int text_width = 0;     // twips of the text at 72 points, set when fitting
  std::string text;       // trailing blanks removed; any length
  std::uint8_t right_border = 1;  // 1 after '|', 3 after '#'
  std::uint8_t top_border = 1;    // 1 normal, 3 double after '=', 0 none after '.'
};

std::vector<RtfCellRecord> rtf_read_cells(const std::vector<std::string>& lines);

// Width of a text in twips at 72 points, from the character width table.
int rtf_text_width(std::string_view text);

struct RtfFit {
  int unit = 1;        // twips per report character
  int half_points = 0; // fitted font size
};
// Fits the column unit to the table width and the font size (from twice
// `points` down to 7 half-points at least) to the widest texts; sets each
// record's text_width.
RtfFit or_rtf_fit_columns(std::vector<RtfCellRecord>& records, int table_width, int points);

// True when the rows starting at records a and b have as many cells, of the
// same lengths.
bool or_rtf_same_row_layout(const std::vector<RtfCellRecord>& records, std::size_t a, std::size_t b);

}  // namespace kt
