// A new school of each type, saved before anything is typed in: both files
// hold, byte for byte, the recorded ones (tests/data/golden/new_school_*):
// the calendar of its week, its building, and every band table of its
// teachers as a lower or upper school of that week starts them; the files
// read back to the same settings and save to the same bytes again. What
// differs from save to save (the pair stamp, the save counter, the folder
// saved in, the school code made at random) is left out or masked.
//
// KT_UPDATE_GOLDEN=1 writes the recorded files again from this build: only
// for a change meant to alter what a new school starts with.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "desc_test_support.h"
#include "schooldata/band_defaults.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"

namespace {

namespace fs = std::filesystem;

struct NewType {
  const char* id;
  int type;
};

// The text without what changes from one save to the next: the pair
// stamp and the save counter go, the folder saved in and the school code
// (made at random by the first save) are masked.
std::string stable_lines(const std::string& text) {
  static const std::regex code("^REM:[A-Z0-9]+_[A-Z]{2}SCUOLA_[A-Z0-9]+\\|\\|$");
  static const std::regex folder("^REM:/.* \\(KestrinTempus (.*)\\)$");
  std::istringstream in(text);
  std::string line, out;
  while (std::getline(in, line)) {
    if (line.rfind("REM:KTPAIR:", 0) == 0 || line.rfind("SERVICEMEMO:", 0) == 0) continue;
    std::smatch m;
    if (std::regex_match(line, m, code)) line = "REM:<school code>||";
    else if (std::regex_match(line, m, folder)) line = "REM:<folder> (KestrinTempus " + m[1].str() + ")";
    out += line + "\n";
  }
  return out;
}

class NewSchoolFiles : public PlainSchoolFolder<::testing::TestWithParam<NewType>> {
 protected:
  void SetUp() override {
    PlainSchoolFolder::SetUp();
    og_set_school_line_seed_source([]() -> std::uint8_t { return 31; });
  }
  void TearDown() override {
    og_set_school_line_seed_source(nullptr);
    og_clear_structure();
    PlainSchoolFolder::TearDown();
  }
  // Both files of the school in the model, saved into `folder`.
  static std::string Save(const std::string& folder) {
    fs::create_directories(folder);
    EXPECT_EQ(og_write_structure_file_to(folder + "/scuola1.txt"), 0) << og_structure_error();
    EXPECT_EQ(og_write_assignments_file_to(folder + "/scuola2.txt", 0), 0) << og_description_write_error();
    return stable_lines(slurp(folder + "/scuola1.txt")) + "----\n" + stable_lines(slurp(folder + "/scuola2.txt"));
  }
};

TEST_P(NewSchoolFiles, HoldTheRecordedBytesAndReadBackToThem) {
  const NewType& t = GetParam();
  og_clear_structure();
  og_set_new_structure_defaults();
  og_set_new_school_defaults(t.type);
  const std::string written = Save(dir_ + "/first");
  const fs::path golden = fs::path(KT_TEST_DATA) / "golden" / ("new_school_" + std::string(t.id) + ".txt");
  if (std::getenv("KT_UPDATE_GOLDEN")) spit(golden.string(), written);
  EXPECT_EQ(written, slurp(golden.string())) << golden;

  og_clear_structure();
  ASSERT_EQ(og_read_structure_file_from(dir_ + "/first/scuola1.txt", 0), 0) << og_structure_error();
  ASSERT_EQ(og_read_assignments_file_from(dir_ + "/first/scuola2.txt", 0), 0) << og_description_error();
  EXPECT_EQ(Save(dir_ + "/second"), written);
}

INSTANTIATE_TEST_SUITE_P(Types, NewSchoolFiles,
                         ::testing::Values(NewType{"lower_week_of_five", 10}, NewType{"lower_short_saturday", 11},
                                           NewType{"lower_week_of_six", 12}, NewType{"middle", 42},
                                           NewType{"upper_week_of_five", 50}, NewType{"upper_short_saturday", 51},
                                           NewType{"upper_week_of_six", 52}),
                         [](const auto& info) { return std::string(info.param.id); });

}  // namespace
