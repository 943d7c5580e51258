// The computation state the school's pages record after a check of a saved
// week ("SNOD:"): '5' for a week without errors, '4' when only gap hours
// above the allowance are left, '3' when among them a teacher has a day
// with two gap hours, '2' when other errors are left, nothing (0) after a
// command that failed or without a whole timetable in the model; the state
// evaluated again for the board gives the same answer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bundled_schools.h"
#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/timetable_state.h"

namespace fs = std::filesystem;

namespace {

struct StateCase {
  const char* name;
  const char* school;
  const char* week;         // tests/data/residual/weeks/...
  const char* teacher_item;  // added to every "V:" line ("" none)
  int bundle_shift;          // >= 0: the bundled school instead
  char state;
};

void PrintTo(const StateCase& c, std::ostream* out) { *out << c.name; }

std::unique_ptr<SchoolCopy> school_of(const StateCase& c) {
  if (c.bundle_shift >= 0)
    return bundled_copy(BundledWeek{c.name, c.school, c.week, c.bundle_shift, kSchoolLimits});
  auto school = std::make_unique<SchoolCopy>(c.school);
  fs::path description = school->folder() / "scuola2.txt";
  std::string text, out = file_text(description);
  for (const std::string& line : split_lines(out)) {
    std::string kept = line;
    if (line.rfind("V:\t", 0) == 0 && *c.teacher_item) kept += std::string(c.teacher_item) + "\t";
    text += kept + "\n";
  }
  std::ofstream(description, std::ios::binary | std::ios::trunc) << text;
  fs::copy_file(fs::path(KT_TEST_DATA) / "residual" / "weeks" / c.week, school->folder() / "savego.txt",
                fs::copy_options::overwrite_existing);
  return school;
}

class TimetableState : public ::testing::TestWithParam<StateCase> {};

TEST_P(TimetableState, TheCheckedWeeksStateAsThePagesRecordIt) {
  const StateCase& c = GetParam();
  std::unique_ptr<SchoolCopy> school = school_of(c);
  fs::path old = fs::current_path();
  fs::current_path(school->folder());
  g_status.clear();
  const char* argv[] = {"Questo non serve", "SNOD:scuola2.txt", nullptr};
  int result = or_main(1, 2, argv);
  ASSERT_EQ(result, 0) << g_status.message;
  EXPECT_EQ(or_timetable_state(result), c.state);
  EXPECT_EQ(or_timetable_state(kResultError), 0);
  EXPECT_EQ(or_evaluate_timetable_state(), c.state);
  fs::current_path(old);
  reset_run_state();
}

INSTANTIATE_TEST_SUITE_P(
    Weeks, TimetableState,
    // Liceo's weeks have a few teachers over their daily hours; the widest
    // daily limits leave those weeks with no other errors than their gaps.
    ::testing::Values(StateCase{"done", "liceo", "liceo_saved.txt", "INSEGNA:12\tPRESENZA:12", -1, '5'},
                      StateCase{"gap_hours_small", "piccola", "piccola_overlaps.txt", "", -1, '4'},
                      StateCase{"gap_hours", "liceo", "liceo_computed.txt", "INSEGNA:12\tPRESENZA:12", -1, '4'},
                      StateCase{"gap_days", "liceo", "liceo_computed.txt", "MAXBUDAYPER:1\tINSEGNA:12\tPRESENZA:12", -1, '3'},
                      StateCase{"over_daily_hours", "liceo", "liceo_saved.txt", "", -1, '2'},
                      StateCase{"other_errors", "piccola", "piccola_balanced.txt", "", -1, '2'},
                      StateCase{"bundled", "piccola", "piccola_saved.txt", "", 0, '2'}),
    [](const ::testing::TestParamInfo<StateCase>& info) { return std::string(info.param.name); });

// Without a whole timetable in the model there is nothing to record.
TEST(TimetableStateAlone, NoStateWithoutAWholeTimetable) {
  SchoolCopy school("piccola");
  fs::path old = fs::current_path();
  fs::current_path(school.folder());
  g_status.clear();
  const char* argv[] = {"Questo non serve", "SYNT:scuola2.txt", nullptr};
  int result = or_main(1, 2, argv);
  fs::current_path(old);
  ASSERT_EQ(result, 0) << g_status.message;
  EXPECT_EQ(or_timetable_state(result), 0);
  EXPECT_EQ(or_evaluate_timetable_state(), 0);
  reset_run_state();
}

}  // namespace
