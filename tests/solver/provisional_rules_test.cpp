// In the provisional timetable (the substitutions' week with the teachers
// who are away), the rules that price only a settled week count nothing:
// the shapes of a day, the breaks of free days, the gaps on short days and
// after the lunch return, the last and the banded minimum hours, the edge
// presence and the straddled rest, a class's real hours and the dynamic
// buildings; the unused provisional hours count only there. Each rule is
// checked on the sample schools' weeks with the teachers' constraint
// bundles, where it counts outside the provisional timetable.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "bundled_schools.h"
#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/constraint_catalogue.h"

namespace fs = std::filesystem;

namespace {

const int kSettledWeekOnly[] = {14, 16, 20, 21, 22, 26, 27, 28, 49, 51, 56, 57, 60, 62, 66, 67, 68};

// Other school-wide bands (as in the rotated weeks): among them the free
// days a teacher's days in a class ask for.
constexpr const char* kOtherLimits =
    "IHBUCHE:\t10-0:99-2\t\nIGGIORNI:\t12-2:99-1\t\nIHPRESENZA:\t99-5\t\nIHINSEGNA:\t99-4\t\n"
    "ENTEREXIT:\t99-1\t\nGIORNIPAUSACL:\t2-1:3-1\t\n";

struct Week {
  BundledWeek week;
  const char* more;  // added to every teacher's constraint line
};

// Every teacher also wants days with the last two hours and days with a
// lesson in the fifth hour, which the bundles do not ask for.
constexpr const char* kLastAndFifth = "UMIN:2-5\tEMIN:5-5-5\t";

const Week kWeeks[] = {
    {{"piccola_saved_2", "piccola", "piccola_saved.txt", 2, kSchoolLimits}, ""},
    {{"piccola_saved_6", "piccola", "piccola_saved.txt", 6, kOtherLimits}, ""},
    {{"piccola_saved_7", "piccola", "piccola_saved.txt", 7, kSchoolLimits}, kLastAndFifth},
    {{"piccola_saved_11", "piccola", "piccola_saved.txt", 11}, ""},
    {{"liceo_computed_3", "liceo", "liceo_computed.txt", 3, kSchoolLimits}, kLastAndFifth},
    {{"liceo_computed_10", "liceo", "liceo_computed.txt", 10, kOtherLimits}, ""},
    {{"liceo_saved_2", "liceo", "liceo_saved.txt", 2, kSchoolLimits}, ""},
    {{"istituto_searched_4", "istituto", "istituto_searched.txt", 4, kSchoolLimits}, kLastAndFifth},
};


// Each rule's full check on the loaded week, outside and inside the
// provisional timetable.
struct Checks {
  std::map<int, std::int64_t> settled, provisional;
};

Checks checks_of(const Week& w) {
  Checks out;
  std::unique_ptr<SchoolCopy> school = bundled_copy(w.week);
  if (*w.more) {
    fs::path description = school->folder() / "scuola2.txt";
    std::string text;
    for (const std::string& line : split_lines(file_text(description)))
      text += line.rfind("V:\t", 0) == 0 ? line + w.more + "\n" : line + "\n";
    std::ofstream(description, std::ios::binary | std::ios::trunc) << text;
  }
  fs::path old = fs::current_path();
  fs::current_path(school->folder());
  reset_run_state();
  const char* argv[] = {"Questo non serve", "SNOD:scuola2.txt", "NEDE", nullptr};
  EXPECT_EQ(or_main(1, 3, argv), 0) << g_status.message;
  for (int id : kSettledWeekOnly) out.settled[id] = or_run_full_check(id);
  out.settled[63] = or_run_full_check(63);
  g_provisional_mode = 1;
  for (int id : kSettledWeekOnly) out.provisional[id] = or_run_full_check(id);
  g_provisional_mode = 0;
  fs::current_path(old);
  reset_run_state();
  return out;
}

TEST(ProvisionalTimetable, TheSettledWeekRulesCountNothingThere) {
  std::set<int> counted;
  for (const Week& w : kWeeks) {
    SCOPED_TRACE(std::string(w.week.name) + (*w.more ? " with more lines" : ""));
    Checks k = checks_of(w);
    EXPECT_EQ(k.settled[63], 0) << "the unused provisional hours outside the provisional timetable";
    for (int id : kSettledWeekOnly) {
      EXPECT_EQ(k.provisional[id], 0) << "rule " << id << " in the provisional timetable";
      if (k.settled[id] > 0) counted.insert(id);
    }
  }
  // The weeks make most of these rules count outside the provisional
  // timetable, so that each check above has something to switch off.
  std::string missing;
  for (int id : kSettledWeekOnly)
    if (!counted.count(id)) missing += " " + std::to_string(id);
  EXPECT_EQ(missing, "") << "rules that count on none of the weeks";
}

}  // namespace
