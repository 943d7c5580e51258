// Small routines over the teacher grid for the teacher and subject tables:
// the list of the classes a teacher teaches, an alphabetical walk over the
// distinct main subjects, and a dashed rule line.
//
// Invariants: laboratory pseudo-teachers (kind bit 4) count neither in the
// class lists nor in their widths; the subject walk yields exactly as many
// names as its start counted. Shaped for 500 teachers x 84 slots.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/lesson_links.h"
#include "reports/report_run.h"

namespace {

int g_walk_current = 0;
int g_walk_largest = 0;

struct ClassEntry {
  std::string text;
  char year, section, third;
};

}  // namespace

int or_teacher_class_list(char* buffer, int record) {
  int longest = 0;
  std::vector<ClassEntry> kept;
  int first = record >= 0 ? record : 0;
  int last = record >= 0 ? record + 1 : g_report.teacher_records;
  for (int i = first; i < last && i < g_report.teacher_records; ++i) {
    const ReportTeacherGrid& r = g_teacher_grid[i];
    if (r.kind & kTeacherLabPseudo) continue;
    std::vector<ClassEntry> seen;
    int total = 0;
    for (int d = 0; d < or_week_days(); ++d)
      for (int h = 0; h < g_report.hours_shown; ++h) {
        int s = d * kHoursPerDay + h;
        const char* code = r.class_code[s];
        if (!is_digit(code[0])) continue;
        std::string text = r.cell[s];
        if (std::any_of(seen.begin(), seen.end(), [&](const ClassEntry& e) { return e.text == text; })) continue;
        total += static_cast<int>(text.size()) + 1;
        seen.push_back({text, code[0], code[0] ? code[1] : '\0', code[0] && code[1] ? code[2] : '\0'});
      }
    longest = std::max(longest, total);
    kept = seen;
  }
  if (buffer) {
    buffer[0] = 0;
    std::stable_sort(kept.begin(), kept.end(), [](const ClassEntry& a, const ClassEntry& b) {
      auto key = [](const ClassEntry& e) {
        return std::string{static_cast<char>(e.third), static_cast<char>(e.section), static_cast<char>(e.year)};
      };
      return key(a) < key(b);
    });
    std::string list;
    for (const ClassEntry& e : kept) list += e.text + " ";
    std::memcpy(buffer, list.c_str(), list.size() + 1);
  }
  return longest;
}

int or_next_grid_subject(char* buffer, int* length) {
  auto name = [](int i) { return reinterpret_cast<const unsigned char*>(g_teacher_grid[i].main_subject); };
  auto cmp = [&](int a, int b) {
    return std::strcmp(reinterpret_cast<const char*>(name(a)), reinterpret_cast<const char*>(name(b)));
  };
  int n = g_report.teacher_records;
  if (!buffer) {
    g_walk_current = g_walk_largest = 0;
    if (length) *length = 0;
    int distinct = 0;
    for (int i = 0; i < n; ++i) {
      bool repeat = false;
      for (int j = 0; j < i && !repeat; ++j) repeat = cmp(i, j) == 0;
      if (repeat) continue;
      ++distinct;
      int l = static_cast<int>(std::strlen(g_teacher_grid[i].main_subject));
      if (length && l > *length) *length = l;
      if (cmp(i, g_walk_current) < 0) g_walk_current = i;
      if (cmp(i, g_walk_largest) > 0) g_walk_largest = i;
    }
    return distinct;
  }
  if (n == 0) {
    buffer[0] = 0;
    return -1;
  }
  std::string copied = g_teacher_grid[g_walk_current].main_subject;
  std::memcpy(buffer, copied.c_str(), copied.size() + 1);
  g_walk_current = g_walk_largest;
  for (int i = 0; i < n; ++i)
    if (std::strcmp(g_teacher_grid[i].main_subject, copied.c_str()) > 0 && cmp(i, g_walk_current) < 0) g_walk_current = i;
  return -1;
}

void or_write_dash_rule(std::FILE* f, int width) {
  std::string dashes(static_cast<size_t>(std::max(width, 0)), '-');
  std::fprintf(f, "%*.*s\n", width, width, dashes.c_str());
}
