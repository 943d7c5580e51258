// The alignment check over dialog templates that the library tests share:
// what a user sees as a slip in a window's layout. Two controls whose left,
// right, top or bottom edges miss each other by one unit, two controls of
// one kind whose widths or heights differ by one unit, and side margins one
// unit apart: each is a control meant to line up with another that does
// not quite. So is, in a column of alike controls (same kind, left edge and
// width) following each other down the window, a gap one unit wider or
// narrower than another gap of the column: a control moved off the column's
// rhythm. Controls that overlap (taking turns in one place, or one
// holding the other) are not compared. Templates laid out with such slips on purpose are not checked
// (their pages are pictured by the screen tests).
#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/dialog_template.h"

namespace template_alignment {

inline std::vector<std::string> problems(const kt::ui::DialogTemplate& t) {
  static const char* const kWhat[6] = {"left edges", "right edges", "top edges", "bottom edges", "widths", "heights"};
  std::vector<std::string> out;
  const auto& cs = t.controls;
  for (std::size_t a = 0; a < cs.size(); ++a)
    for (std::size_t b = a + 1; b < cs.size(); ++b) {
      const kt::ui::ControlTemplate &p = cs[a], &q = cs[b];
      // Controls that overlap take turns in one place (or one holds the
      // other): they need not line up.
      if (p.x < q.x + q.cx && q.x < p.x + p.cx && p.y < q.y + q.cy && q.y < p.y + p.cy) continue;
      bool alike = std::string(p.class_name) == q.class_name;
      const int apart[6] = {p.x - q.x, (p.x + p.cx) - (q.x + q.cx), p.y - q.y, (p.y + p.cy) - (q.y + q.cy),
                            alike ? p.cx - q.cx : 0, alike ? p.cy - q.cy : 0};
      for (int k = 0; k < 6; ++k)
        if (std::abs(apart[k]) == 1)
          out.push_back(std::to_string(t.id) + ": controls " + std::to_string(p.id) + " and " + std::to_string(q.id) +
                        ", " + kWhat[k] + " one unit apart");
    }
  // The columns: alike controls one under the other, in the order of their tops.
  for (std::size_t a = 0; a < cs.size(); ++a) {
    std::vector<const kt::ui::ControlTemplate*> column;
    bool first = true;
    for (std::size_t b = 0; b < cs.size(); ++b) {
      const kt::ui::ControlTemplate &p = cs[a], &q = cs[b];
      if (q.x != p.x || q.cx != p.cx || std::string(q.class_name) != p.class_name) continue;
      if (b < a) first = false;  // the column was looked at from its first control
      column.push_back(&q);
    }
    if (!first || column.size() < 3) continue;
    std::sort(column.begin(), column.end(), [](auto* p, auto* q) { return p->y < q->y; });
    std::vector<int> gaps;
    for (std::size_t i = 1; i < column.size(); ++i) gaps.push_back(column[i]->y - (column[i - 1]->y + column[i - 1]->cy));
    for (std::size_t i = 0; i < gaps.size(); ++i)
      for (std::size_t j = i + 1; j < gaps.size(); ++j)
        if (gaps[i] >= 0 && gaps[j] >= 0 && std::abs(gaps[i] - gaps[j]) == 1)
          out.push_back(std::to_string(t.id) + ": controls " + std::to_string(column[i + 1]->id) + " and " +
                        std::to_string(column[j + 1]->id) + ", gaps above them one unit apart");
  }
  int left = 1 << 20, right = 0;
  for (const kt::ui::ControlTemplate& c : cs) {
    left = std::min(left, c.x);
    right = std::max(right, c.x + c.cx);
  }
  if (!cs.empty() && std::abs((t.cx - right) - left) == 1)
    out.push_back(std::to_string(t.id) + ": side margins one unit apart");
  return out;
}

// The spacing a window keeps besides its alignments: in a row of alike
// controls (same kind, top and height) following each other across, a gap
// one unit wider or narrower than another gap of the row; the top margin one
// unit off the bottom one or the side one; a control whose own side margins
// are one unit apart (one its window centres, grown or shrunk by a unit).
inline std::vector<std::string> spacing_problems(const kt::ui::DialogTemplate& t) {
  std::vector<std::string> out;
  const auto& cs = t.controls;
  for (std::size_t a = 0; a < cs.size(); ++a) {
    std::vector<const kt::ui::ControlTemplate*> row;
    bool first = true;
    for (std::size_t b = 0; b < cs.size(); ++b) {
      const kt::ui::ControlTemplate &p = cs[a], &q = cs[b];
      if (q.y != p.y || q.cy != p.cy || std::string(q.class_name) != p.class_name) continue;
      if (b < a) first = false;  // the row was looked at from its first control
      row.push_back(&q);
    }
    if (!first || row.size() < 3) continue;
    std::sort(row.begin(), row.end(), [](auto* p, auto* q) { return p->x < q->x; });
    std::vector<int> gaps;
    for (std::size_t i = 1; i < row.size(); ++i) gaps.push_back(row[i]->x - (row[i - 1]->x + row[i - 1]->cx));
    for (std::size_t i = 0; i < gaps.size(); ++i)
      for (std::size_t j = i + 1; j < gaps.size(); ++j)
        if (gaps[i] >= 0 && gaps[j] >= 0 && std::abs(gaps[i] - gaps[j]) == 1)
          out.push_back(std::to_string(t.id) + ": controls " + std::to_string(row[i + 1]->id) + " and " +
                        std::to_string(row[j + 1]->id) + ", gaps before them one unit apart");
  }
  if (cs.empty()) return out;
  int left = 1 << 20, top = 1 << 20, bottom = 0;
  for (const kt::ui::ControlTemplate& c : cs) {
    left = std::min(left, c.x);
    top = std::min(top, c.y);
    bottom = std::max(bottom, c.y + c.cy);
  }
  if (std::abs((t.cy - bottom) - top) == 1) out.push_back(std::to_string(t.id) + ": top and bottom margins one unit apart");
  if (std::abs(left - top) == 1) out.push_back(std::to_string(t.id) + ": top and side margins one unit apart");
  for (const kt::ui::ControlTemplate& c : cs) {
    int off = std::abs((t.cx - (c.x + c.cx)) - c.x);
    if (off == 1)
      out.push_back(std::to_string(t.id) + ": control " + std::to_string(c.id) + " off the middle");
  }
  return out;
}

// The problems of every template of `ids` (each must be registered).
inline std::string problems_of(const std::vector<int>& ids) {
  std::string text;
  for (int id : ids) {
    const kt::ui::DialogTemplate* t = kt::ui::find_dialog_template(id);
    if (!t) {
      text += std::to_string(id) + ": not registered\n";
      continue;
    }
    for (const std::string& p : problems(*t)) text += p + "\n";
  }
  return text;
}

}  // namespace template_alignment
