// Reader of teaching assignments saved from a spreadsheet as text: one line
// per assignment with the columns subject, teacher, class, weekly hours,
// optional test pattern, optional co-presence teacher, co-presence hours
// and lab (TAB- or '|'-separated; empty columns are not counted; a cell in
// double quotes is read as spreadsheets quote it). It finds
// or adds subjects, teachers, co-presence teachers, labs and classes,
// rebuilds the study tracks and returns one import row per line.
//
// Every append checks its capacity first; the row table holds at most
// kImportedLessonLimit rows. User-interface thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "schooldata/import_names.h"

struct SpreadsheetRow {
  std::int32_t number = 0;
  std::int32_t teacher = -1;
  std::int32_t class_index = -1;
  std::int32_t track = 0;
  std::int32_t subject = -1;
  std::uint8_t hours = 0;
  std::int32_t co_teacher = -1;
  std::int32_t lab = -1;
  std::uint8_t co_hours = 0;
  char test_pattern[13] = {};
  std::uint8_t configured = 0;
  std::uint8_t to_import = 0;
  std::uint8_t selected = 0;
};

struct SpreadsheetImport {
  std::vector<SpreadsheetRow> rows;
  std::int32_t co_presence_subject = -1;  // "Compresenza" of this read
  // Appends a row unless the class is negative or the table is full; the
  // test text becomes a pattern of block lengths that fits the hours.
  void AddRow(int teacher, int class_index, int subject, int hours, const std::string& test, int co_teacher,
              int co_hours, int lab);
};

// The test pattern of a test text for the weekly hours ("S"/"Y"/"J" -> "2",
// digits 1-9 kept up to the first other character, lowered to fit).
std::string og_spreadsheet_test_pattern(const std::string& test, int hours);

// 0 read; -1 missing file or a limit, after `tell`.
int og_read_spreadsheet_text(const std::string& path, SpreadsheetImport& out, const ImportTell& tell);
