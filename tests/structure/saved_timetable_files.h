// The saved timetable (savego.txt) of the current school folder read and
// written in clear, for the tests of the pages that rename a teacher in it.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/shell_services.h"
#include "engine/text_lines.h"

namespace saved_timetable_test {

// Its lines, unscrambled; none when there is no saved timetable.
inline std::vector<std::string> saved_timetable_lines() {
  std::vector<std::string> lines;
  std::FILE* save = or_fopen(".\\savego.txt", "rt");
  if (!save) return lines;
  char line[400];
  while (or_read_line(line, sizeof line, save)) lines.push_back(line);
  or_fclose(save);
  return lines;
}

// Writes `lines` as the saved timetable, scrambled as the engine writes it.
inline void write_saved_timetable(const std::vector<std::string>& lines) {
  std::FILE* save = or_fopen(".\\savego.txt", "wt");
  ASSERT_NE(save, nullptr);
  char work[1000];
  for (const std::string& line : lines) or_write_scrambled_line(save, line.c_str(), work);
  or_fclose(save);
}

}  // namespace saved_timetable_test
