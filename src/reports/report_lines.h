// Line-building helpers shared by the table writers of the report run: a
// printf that appends to a string, the blank test, the language pick of a
// text triple, a centred day name cell, a day name spelled down a column,
// and the page filler that decides between a blank line and a form feed
// after each table.
//
// Tables are built in a std::string and written whole, so a writer can count
// the lines of a table before it decides how the page goes on. Texts are
// code page 1252; a formatted piece is at most 2000 bytes.
#pragma once

#include <string>

void report_appendf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool report_blank(const char* text);
// The text of the run's language among Italian, German, English.
const char* report_pick(const char* it, const char* de, const char* en);
// The name centred in `width` with '|' after it; a longer name is not cut.
void report_append_centred(std::string& out, const char* name, int width);

// Tables on a page of `page` lines: after each table a blank line while the
// page can take one more table of the average size so far, else a form feed.
class ReportPager {
 public:
  explicit ReportPager(int page) : page_(page) {}
  // Appends the blank line or the form feed to `table`.
  void end_table(std::string& table);

 private:
  int page_;
  int lines_ = 0;
  int tables_ = 0;
};

// A day name as the title of a column `width` wide: spaced out letter by
// letter (at most 20 letters) when shorter than half the width.
std::string report_day_label(const char* name, int width);
// Day d of a week table's two heading lines: its label centred over its
// hours in `days`, the hour numbers in `numbers`, each hour `column` wide
// with '|' between hours and '#' closing the day on both lines.
void report_append_day_heading(std::string& days, std::string& numbers, int d, int hours, int column);

// Spells a day name down the rows of a table, one character per row: a
// character that is no letter or digit shows as a blank, and so does every
// row after the name ends.
class ReportNameColumn {
 public:
  explicit ReportNameColumn(const char* name) : name_(name) {}
  char next();

 private:
  const char* name_;
  int pos_ = 0;
};
