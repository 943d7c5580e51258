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

inline constexpr int kRtfCellText = 200;  // characters of one cell's text

struct RtfCellRecord {
  std::uint8_t type = 0;  // 1 first cell of a row, 2 further cell, 3 end of table, 4 separator
  int length = 0;         // characters from the cell's start to its separator
  int text_width = 0;     // twips of the text at 72 points, set when fitting
  char text[kRtfCellText + 1] = {};  // trailing blanks removed
  std::uint8_t right_border = 1;  // 1 after '|', 3 after '#'
  std::uint8_t top_border = 1;    // 1 normal, 3 double after '=', 0 none after '.'
};

// The records of one conversion: a plain array that grows by 1000 records
// whenever fewer than 250 are free. A growth that fails stops the run with
// the critical error "realloc", a count that reaches the capacity with
// "glox value".
class RtfRecordArray {
 public:
  RtfRecordArray() = default;
  RtfRecordArray(const RtfRecordArray&) = delete;
  RtfRecordArray& operator=(const RtfRecordArray&) = delete;
  ~RtfRecordArray();

  void clear() { count_ = 0; }
  // A new cleared record at the end.
  RtfCellRecord& append();
  std::size_t size() const { return count_; }
  std::size_t capacity() const { return capacity_; }
  RtfCellRecord& operator[](std::size_t i) { return data_[i]; }
  const RtfCellRecord& operator[](std::size_t i) const { return data_[i]; }
  RtfCellRecord* begin() { return data_; }
  RtfCellRecord* end() { return data_ + count_; }
  const RtfCellRecord* begin() const { return data_; }
  const RtfCellRecord* end() const { return data_ + count_; }

 private:
  RtfCellRecord* data_ = nullptr;
  std::size_t count_ = 0;
  std::size_t capacity_ = 0;
};

// The growth of the record array (std::realloc); tests put a failing one in
// its place.
using RtfRealloc = void* (*)(void* block, std::size_t bytes);
extern RtfRealloc g_rtf_realloc;

// Reads the report lines into the records of the conversions, an array kept
// from one conversion to the next and cleared at the start of each. A cell
// longer than 200 characters stops the run with the critical error
// "maxlen testo".
RtfRecordArray& rtf_read_cells(const std::vector<std::string>& lines);

// Width of a text in twips at 72 points, from the character width table.
int rtf_text_width(std::string_view text);

struct RtfFit {
  int unit = 1;        // twips per report character
  int half_points = 0; // fitted font size
};
// Fits the column unit to the table width and the font size (from twice
// `points` down to 7 half-points at least) to the widest texts; sets each
// record's text_width.
RtfFit or_rtf_fit_columns(RtfRecordArray& records, int table_width, int points);

// True when the rows starting at records a and b have as many cells, of the
// same lengths.
bool or_rtf_same_row_layout(const RtfRecordArray& records, std::size_t a, std::size_t b);

}  // namespace kt
