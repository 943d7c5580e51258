// Column widths, column fitting, row sorting and text measuring for report
// lists (see list_utilities.h). Sorting reads every row whole (all column
// texts, data word, state), orders the copies and writes them back in
// place, so nothing a page stored on a row is lost; the direction of each
// column index is remembered process-wide, as the pages expect a second
// click on the same heading to reverse the order.
#include "shell/list_utilities.h"

#include <algorithm>
#include <vector>

using namespace kt::ui;

namespace {

constexpr int kMinRestoredWidth = 20;
constexpr int kNarrowestFitted = 7;
constexpr int kAutoSizePadding = 12;
constexpr int kRememberedColumns = 64;

int g_sort_directions[kRememberedColumns] = {};

struct RowCopy {
  std::vector<std::string> texts;
  std::uintptr_t data = 0;
  std::uint32_t state = 0;
};

RowCopy copy_row(const ListView& list, int row) {
  RowCopy copy;
  for (int c = 0; c < list.GetColumnCount(); ++c) copy.texts.push_back(list.GetItemText(row, c));
  copy.data = list.GetItemData(row);
  copy.state = list.GetItemState(row, kLvisSelected | kLvisFocused);
  return copy;
}

void write_rows(ListView& list, int first_row, const std::vector<RowCopy>& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    int row = first_row + int(i);
    for (std::size_t c = 0; c < rows[i].texts.size(); ++c) list.SetItemText(row, int(c), rows[i].texts[c]);
    list.SetItemData(row, rows[i].data);
    list.SetItemState(row, rows[i].state, kLvisSelected | kLvisFocused);
  }
  list.Invalidate(false);
}

// The new direction of a column: 1 ascending, 2 descending.
int choose_direction(int column, int mode) {
  int remembered = column < kRememberedColumns ? g_sort_directions[column] : 0;
  if (mode & kListSortAscending) return 1;
  if (mode & kListSortDescending) return 2;
  if (remembered == 0) return 2;
  if (mode & kListSortKeep) return remembered;
  return remembered == 1 ? 2 : 1;
}

void remember_direction(int column, int direction) {
  if (column >= 0 && column < kRememberedColumns) g_sort_directions[column] = direction;
}

void sort_copies(std::vector<RowCopy>& rows, int column, int direction) {
  std::stable_sort(rows.begin(), rows.end(), [&](const RowCopy& a, const RowCopy& b) {
    int c = kt::cp1252_casecmp(a.texts[std::size_t(column)].c_str(), b.texts[std::size_t(column)].c_str());
    return direction == 1 ? c < 0 : c > 0;
  });
}

int window_width(const ListView& list) { return list.GetWindowRect().Width(); }

void hide_and_size_headers(ListView& list, int last_hidden, int last_header, bool header_flag, int* sum) {
  int count = list.GetColumnCount();
  for (int c = 0; c <= last_hidden && c < count; ++c) list.SetColumnWidth(c, 0);
  for (int c = std::max(0, last_hidden + 1); c <= last_header && c < count; ++c) {
    if (header_flag) list.SetColumnWidth(c, ui_list_heading_width(list, c));
  }
  if (sum) {
    *sum = 0;
    for (int c = 0; c <= last_header && c < count; ++c) *sum += list.GetColumnWidth(c);
  }
}

}  // namespace

void ui_save_list_column_widths(int column, int width, ListView& list, ListColumnWidths& widths) {
  int count = std::min(list.GetColumnCount(), kListColumnWidthCount);
  for (int c = 0; c < count; ++c) {
    int w = (c == column && width >= 0) ? width : list.GetColumnWidth(c);
    widths[std::size_t(c)] = std::uint16_t(std::clamp(w, 0, 0xFFFF));
  }
}

int ui_restore_list_column_widths(ListView& list, const ListColumnWidths& widths) {
  // Nothing stored is an array of zeros. (Widths that only ever shrink from
  // left to right are a real layout and are restored too.)
  if (std::all_of(widths.begin(), widths.end(), [](std::uint16_t w) { return w == 0; })) return 0;
  int count = std::min(list.GetColumnCount(), kListColumnWidthCount);
  for (int c = 0; c < count; ++c) list.SetColumnWidth(c, std::max<int>(widths[std::size_t(c)], kMinRestoredWidth));
  return 1;
}

int ui_list_heading_width(const ListView& list, int column) {
  return list.GetStringWidth(list.GetColumnHeading(column)) + kAutoSizePadding;
}

int ui_list_content_width(const ListView& list, int column) {
  int widest = 0;
  for (int r = 0; r < list.GetItemCount(); ++r)
    widest = std::max(widest, list.GetStringWidth(list.GetItemText(r, column)));
  return widest + kAutoSizePadding;
}

void ui_fit_list_columns(ListView& list, int last_hidden, int last_header, bool header_flag) {
  hide_and_size_headers(list, last_hidden, last_header, header_flag, nullptr);
  int count = list.GetColumnCount();
  int first = std::max(0, last_header + 1);
  int n = count - first;
  if (n <= 0) return;
  int available = window_width(list) - 4;
  // Each pass narrows the widest column or stops; the bound is a safety net.
  for (int pass = 0; pass < 100000; ++pass) {
    int sum = 0, widest = first;
    for (int c = first; c < count; ++c) {
      sum += list.GetColumnWidth(c);
      if (list.GetColumnWidth(c) > list.GetColumnWidth(widest)) widest = c;
    }
    if (sum <= available) return;
    int excess = sum - available;
    int before = list.GetColumnWidth(widest);
    int after = before - (excess / n + excess % n);
    if (after < 0) after = kNarrowestFitted;
    if (after == before) return;
    list.SetColumnWidth(widest, after);
    if (after > before) return;
  }
}

void ui_fit_list_columns_ex(ListView& list, int last_hidden, int last_header, bool header_flag) {
  int sum = 0;
  hide_and_size_headers(list, last_hidden, last_header, header_flag, &sum);
  int count = list.GetColumnCount();
  int first = std::max(0, last_header + 1);
  int n = count - first;
  if (n <= 0) return;
  for (int c = first; c < count; ++c) {
    int w = std::max(ui_list_heading_width(list, c), ui_list_content_width(list, c));
    list.SetColumnWidth(c, w);
    sum += w;
  }
  int width = window_width(list);
  if (sum <= width) return;
  int excess = sum - width, q = excess / n, r = excess % n;
  for (int c = first; c < count; ++c) {
    list.SetColumnWidth(c, std::max(0, list.GetColumnWidth(c) - q - r));
    if (r > 0) --r;
  }
}

void ui_fit_list_columns_to_content(ListView& list, int last_hidden, int last_header) {
  ui_fit_list_columns_ex(list, last_hidden, last_header, true);
}

int ui_sort_list_by_column(ListView& list, int column, int first_row, int mode) {
  if (column < 0 || column >= list.GetColumnCount()) return -1;
  if (first_row < 0) return -2;
  int count = list.GetItemCount();
  int direction = choose_direction(column, mode);
  remember_direction(column, direction);
  list.SetSortArrow(column, direction);
  if (first_row >= count) return 0;
  std::vector<RowCopy> rows;
  for (int r = first_row; r < count; ++r) rows.push_back(copy_row(list, r));
  sort_copies(rows, column, direction);
  write_rows(list, first_row, rows);
  return 0;
}

int ui_sort_grouped_list_by_column(ListView& list, int column) {
  if (column < 0 || column >= list.GetColumnCount()) return -1;
  int count = list.GetItemCount() - 1;  // the last row (the totals) stays last
  int direction = choose_direction(column, 0);
  remember_direction(column, direction);
  if (count < 2) return 0;
  std::vector<RowCopy> rows;
  for (int r = 0; r < count; ++r) rows.push_back(copy_row(list, r));
  sort_copies(rows, column, direction);
  auto fifth_filled = [](const RowCopy& row) { return row.texts.size() > 4 && !row.texts[4].empty(); };
  std::vector<RowCopy> grouped;
  std::vector<bool> taken(rows.size(), false);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (taken[i]) continue;
    for (int pass = 0; pass < 2; ++pass) {
      for (std::size_t j = i; j < rows.size(); ++j) {
        if (taken[j] || kt::cp1252_casecmp(rows[j].texts[0].c_str(), rows[i].texts[0].c_str()) != 0) continue;
        if (fifth_filled(rows[j]) != (pass == 1)) continue;
        grouped.push_back(rows[j]);
        taken[j] = true;
      }
    }
  }
  write_rows(list, 0, grouped);
  return 0;
}

int ui_list_sort_direction(int column) {
  return column >= 0 && column < kRememberedColumns ? g_sort_directions[column] : 0;
}

void ui_reset_list_sort_directions() { std::fill(std::begin(g_sort_directions), std::end(g_sort_directions), 0); }

int og_text_width(const DeviceContext* dc, std::string_view text) {
  if (!dc) return int(text.size()) * 8;
  return dc->GetTextExtent(text).cx;
}

int og_pad_text_to_width(const DeviceContext* dc, std::string& text, int pixels, int limit) {
  int width = og_text_width(dc, text);
  while (width < pixels && int(text.size()) < limit) {
    text.insert(text.begin(), ' ');
    width = og_text_width(dc, text);
  }
  return width;
}
