// The row store and shared row calls of list and combo boxes (see
// list_rows.h). Comparisons fold case by code page 1252, never the C locale,
// so "È" and "è" sort and match alike whatever the process locale is.
// Searches wrap from the row after the start round to the start itself, so
// a repeated prefix search walks through every matching row in turn.
#include "platform/controls/list_rows.h"

#include <algorithm>

#include "platform/cp1252.h"

namespace kt::ui {

namespace {
int casecmp_view(std::string_view a, std::string_view b, std::size_t n) {
  std::string sa(a.substr(0, std::min(n, a.size()))), sb(b.substr(0, std::min(n, b.size())));
  return cp1252_casecmp(sa.c_str(), sb.c_str());
}
}  // namespace

bool starts_with_folded(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && casecmp_view(text, prefix, prefix.size()) == 0;
}

int ListRows::Add(std::string_view text) {
  if (!sorted) return Insert(-1, text);
  std::size_t i = 0;
  std::string t(text);
  while (i < rows.size() && cp1252_casecmp(rows[i].text.c_str(), t.c_str()) <= 0) ++i;
  return Insert(int(i), text);
}

int ListRows::Insert(int index, std::string_view text) {
  if (index > int(rows.size())) return kLbErr;
  std::size_t at = index < 0 ? rows.size() : std::size_t(index);
  rows.insert(rows.begin() + std::ptrdiff_t(at), Row{std::string(text), 0, false});
  return int(at);
}

int ListRows::Delete(int index) {
  if (!Valid(index)) return kLbErr;
  rows.erase(rows.begin() + index);
  return int(rows.size());
}

int ListRows::Find(int start, std::string_view prefix, bool exact) const {
  int n = int(rows.size());
  for (int k = 1; k <= n; ++k) {
    int i = ((start < 0 ? -1 : start) + k) % n;
    const std::string& t = rows[std::size_t(i)].text;
    if (exact ? (t.size() == prefix.size() && casecmp_view(t, prefix, t.size()) == 0)
              : (t.size() >= prefix.size() && casecmp_view(t, prefix, prefix.size()) == 0))
      return i;
  }
  return kLbErr;
}

std::string ListRowsControl::RowText(int index) const {
  return rows_.Valid(index) ? rows_.rows[std::size_t(index)].text : std::string();
}

int ListRowsControl::AddRow(std::string_view text) {
  int i = rows_.Add(text);
  if (i >= 0 && cur_ >= i) ++cur_;
  return i;
}

}  // namespace kt::ui
