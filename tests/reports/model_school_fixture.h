// Fixture of the report writer tests that build a small school straight
// into the model tables (save_test_fixture.h) in a fresh school folder: an
// empty week of one-hour lessons from 8:00, a test run (mode 13) writing to
// ".\Orario\"; the output folder is cleared after each test (the model outlives it).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

#include "engine/errors.h"
#include "engine/model.h"
#include "engine/save_test_fixture.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "reports/report_run.h"

namespace report_test {

// A teacher without a fixed subject, as the loader leaves one.
inline int add_teacher(const char* name) {
  int t = save_test::add_teacher(name);
  g_eng_teachers[t].subject_index = 0xFFFF;
  return t;
}

class ModelSchool : public ::testing::Test {
 protected:
  void StartSchool(int days, int hours) {
    save_test::reset_school(days, hours);
    g_process_number = 0;
    g_eng_run.run_mode = 13;
    for (int d = 0; d < kDays; ++d)
      for (int h = 0; h < kHoursPerDay; ++h) {
        g_eng_school.timing[0][d][h] = static_cast<std::uint16_t>(480 + 60 * h);
        g_eng_school.timing[1][d][h] = 60;
      }
    g_output_folder = ".\\Orario\\";
    g_publish_school_code[0] = 0;
  }
  // Days named "Giorno1".."GiornoN" ("G1".. short), as the reports print them.
  static void NameDays() {
    for (int d = 0; d < kDays; ++d) {
      std::snprintf(g_eng_school.day_names[d], kNameSize, "Giorno%d", d + 1);
      std::snprintf(g_eng_school.day_abbrevs[d], 4, "G%d", d + 1);
    }
  }
  void TearDown() override { g_output_folder = nullptr; }

  save_test::SchoolFolder folder;
};

}  // namespace report_test
