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
// (their pages are pictured by the screen tests). spacing_problems adds the
// rhythm of rows, the margins and the centred controls, for the libraries
// that check it.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/dialog_template.h"

namespace template_alignment {

// Lines of alike controls (same kind and place across the line) following
// each other along it: a column (along y, same left edge and width) or a row
// (along x, same top and height), three or more; a gap one unit wider or
// narrower than another gap of the line is a control off its rhythm.
inline void rhythm_problems(const kt::ui::DialogTemplate& t, bool rows, std::vector<std::string>& out) {
  using C = kt::ui::ControlTemplate;
  auto across = [rows](const C& c) { return rows ? std::pair(c.y, c.cy) : std::pair(c.x, c.cx); };
  auto along = [rows](const C& c) { return rows ? std::pair(c.x, c.cx) : std::pair(c.y, c.cy); };
  const auto& cs = t.controls;
  for (std::size_t a = 0; a < cs.size(); ++a) {
    std::vector<const C*> line;
    bool first = true;
    for (std::size_t b = 0; b < cs.size(); ++b) {
      if (across(cs[b]) != across(cs[a]) || std::string(cs[b].class_name) != cs[a].class_name) continue;
      if (b < a) first = false;  // the line was looked at from its first control
      line.push_back(&cs[b]);
    }
    if (!first || line.size() < 3) continue;
    std::sort(line.begin(), line.end(), [&](auto* p, auto* q) { return along(*p).first < along(*q).first; });
    std::vector<int> gaps;
    for (std::size_t i = 1; i < line.size(); ++i)
      gaps.push_back(along(*line[i]).first - (along(*line[i - 1]).first + along(*line[i - 1]).second));
    for (std::size_t i = 0; i < gaps.size(); ++i)
      for (std::size_t j = i + 1; j < gaps.size(); ++j)
        if (gaps[i] >= 0 && gaps[j] >= 0 && std::abs(gaps[i] - gaps[j]) == 1)
          out.push_back(std::to_string(t.id) + ": controls " + std::to_string(line[i + 1]->id) + " and " +
                        std::to_string(line[j + 1]->id) + (rows ? ", gaps before them" : ", gaps above them") +
                        " one unit apart");
  }
}

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
  rhythm_problems(t, false, out);
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
  rhythm_problems(t, true, out);
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
