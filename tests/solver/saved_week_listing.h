// The violation records "SNOD:" lists, through the engine's entry, for the
// liceo with its saved week, its description changed as a case asks: lines
// left out by their start, lines added at its end.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "bundled_schools.h"
#include "school_fixture.h"

inline std::vector<ViolationRecord> liceo_saved_week_records(const std::string& dropped_start,
                                                             const std::string& extra_lines) {
  namespace fs = std::filesystem;
  SchoolCopy school("liceo");
  fs::copy_file(fs::path(KT_TEST_DATA) / "residual" / "weeks" / "liceo_saved.txt", school.folder() / "savego.txt",
                fs::copy_options::overwrite_existing);
  fs::path description = school.folder() / "scuola2.txt";
  std::string text;
  for (const std::string& line : split_lines(file_text(description)))
    if (dropped_start.empty() || line.rfind(dropped_start, 0) != 0) text += line + "\n";
  text += extra_lines;
  std::ofstream(description, std::ios::binary | std::ios::trunc) << text;

  fs::path old = fs::current_path();
  fs::current_path(school.folder());
  g_status.clear();
  const char* argv[] = {"Questo non serve", "SNOD:scuola2.txt", "NEDE", nullptr};
  int rc = or_main(1, 3, argv);
  fs::current_path(old);
  EXPECT_EQ(rc, 0) << g_status.message;
  EXPECT_LT(g_status.violation_count.load(), kMaxViolationRecords) << "every violation has its record";
  return {g_status.violations, g_status.violations + g_status.violation_count.load()};
}
