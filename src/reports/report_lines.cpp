// Line-building helpers of the table writers (see report_lines.h): the
// appending printf, the blank test, the language pick, the centred day cell,
// the spaced-out day label and the page filler.
//
// The page filler keeps a running count of the lines and tables on the page
// so far and starts a new page when one more table of the average size
// would not fit. Nothing here holds state across report files except the
// pager object a writer owns for its file.
#include "reports/report_lines.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "engine/errors.h"
#include "engine/model.h"
#include "engine/text_lines.h"

void report_appendf(std::string& out, const char* format, ...) {
  char buf[2048];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  out += buf;
}

bool report_blank(const char* text) {
  for (; *text; ++text)
    if (*text != ' ') return false;
  return true;
}

const char* report_pick(const char* it, const char* de, const char* en) {
  const char* row[3] = {it, de, en};
  return or_pick_text(row);
}

void report_append_centred(std::string& out, const char* name, int width) {
  int length = static_cast<int>(std::strlen(name));
  int pad = length < width ? width - length : 0;
  report_appendf(out, "%*s%s%*s|", pad / 2, "", name, pad - pad / 2, "");
}

void ReportPager::end_table(std::string& table) {
  for (char c : table) lines_ += c == '\n';
  int n = lines_ + 2;
  ++tables_;
  if ((n / tables_) * (tables_ + 1) < page_) {
    table += '\n';
    lines_ = n;
  } else {
    table += '\f';
    lines_ = tables_ = 0;
  }
}

std::string report_day_label(const char* name, int width) {
  int length = static_cast<int>(std::strlen(name));
  if (length >= width / 2) return name;
  std::string label;
  for (int i = 0; i < length && i < 20; ++i) label += name[i], label += ' ';
  return label;
}

char ReportNameColumn::next() {
  char c = name_[pos_];
  if (!c) return ' ';
  ++pos_;
  return or_is_alnum(static_cast<unsigned char>(c)) ? c : ' ';
}

void report_append_day_heading(std::string& days, std::string& numbers, int d, int hours, int column) {
  int width = (column + 1) * hours - 1;
  std::string label = report_day_label(g_eng_school.day_names[d], width);
  int pad = std::max(0, width - static_cast<int>(label.size()));
  report_appendf(days, "%*s%s%*s%s", pad / 2, "", label.c_str(), pad - pad / 2, "", "#");
  for (int h = 0; h < hours; ++h) report_appendf(numbers, "%*d %s", column - 1, h + 1, h == hours - 1 ? "#" : "|");
}
