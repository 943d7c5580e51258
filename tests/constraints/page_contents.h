// What a page shows, as text a test can compare whole: every control in
// tab order with its id, kind, text and state (a box's check, a greyed or
// hidden control), a list's or combo's rows and choice, a report list's
// headings and cells. A hash of it keeps the recorded form short.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/controls/button.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/list_box.h"
#include "platform/controls/list_view.h"
#include "platform/window.h"

namespace kt_constraints_test {

inline void describe_control(kt::ui::Window& w, std::string& out, int depth) {
  using namespace kt::ui;
  out += std::string(std::size_t(depth) * 2, ' ') + std::to_string(w.GetDlgCtrlID()) + " " + w.ClassName();
  if (!w.IsWindowEnabled()) out += " grey";
  if (!w.IsWindowVisible()) out += " hidden";
  std::string kind = w.ClassName();
  if (kind == "ComboBox") {
    auto& c = static_cast<ComboBox&>(w);
    out += " choice " + std::to_string(c.GetCurSel()) + " of " + std::to_string(c.GetCount()) + ":";
    for (int i = 0; i < c.GetCount(); ++i) out += " [" + c.GetLBText(i) + "]";
    out += " text [" + w.GetWindowText() + "]";
  } else if (kind == "ListBox") {
    auto& l = static_cast<ListBox&>(w);
    out += " rows " + std::to_string(l.GetCount()) + ":";
    for (int i = 0; i < l.GetCount(); ++i) out += std::string(" [") + (l.GetSel(i) > 0 ? "*" : "") + l.GetText(i) + "]";
  } else if (kind == "ListView") {
    auto& l = static_cast<ListView&>(w);
    out += " columns:";
    for (int c = 0; c < l.GetColumnCount(); ++c) out += " [" + l.GetColumnHeading(c) + "]";
    for (int i = 0; i < l.GetItemCount(); ++i) {
      out += "\n" + std::string(std::size_t(depth) * 2 + 2, ' ') + "row";
      if (l.GetItemState(i, kLvisSelected)) out += "*";
      for (int c = 0; c < l.GetColumnCount(); ++c) out += " [" + l.GetItemText(i, c) + "]";
    }
  } else {
    if (kind == "Button") out += " check " + std::to_string(static_cast<Button&>(w).GetCheck());
    out += " [" + w.GetWindowText() + "]";
  }
  out += "\n";
  for (Window* child : w.Children())
    if (child) describe_control(*child, out, depth + 1);
}

inline std::string page_contents(kt::ui::Window& page) {
  std::string out;
  for (kt::ui::Window* child : page.Children())
    if (child) describe_control(*child, out, 0);
  return out;
}

inline std::string contents_hash(const std::string& text) {
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
  char out[40];
  std::snprintf(out, sizeof out, "%016llx %zu", static_cast<unsigned long long>(h), text.size());
  return out;
}

// The row labels of a band summary: the text before the first tab of each
// line after the title line.
inline std::vector<std::string> band_row_labels(const std::string& summary) {
  std::vector<std::string> out;
  std::size_t start = summary.find('\n');
  while (start != std::string::npos && start + 1 < summary.size()) {
    std::size_t end = summary.find('\n', start + 1);
    std::string line = summary.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
    out.push_back(line.substr(0, line.find('\t')));
    start = end;
  }
  return out;
}

}  // namespace kt_constraints_test
