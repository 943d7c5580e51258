// The late-lessons share of each teacher's classes on liceo's saved week,
// listed by "SNOD:" through the engine's entry, with the band the desktop
// program writes for a school without its own ("ULTIMEOREMAX:" 5-50 and
// 6-33). On that week SALA teaches 3BS three hours, at the fifth hour on
// Monday and at the sixth on Thursday and Friday: 3 of 3 from the fifth
// hour (1 allowed) and 2 of 3 from the sixth (none allowed) make 4. LEONE
// teaches 4BS seven hours, 5 from the fifth hour (3 allowed) and 3 at the
// sixth (2 allowed): 3. Liceo names its tracks ("INDISIGLE:", every class
// of the school), which only renames the classes: the share still counts.
// Only classes with a class type ("TIPOLOCL:") are left out; a class of the
// classical numbering ("GINNASIO:") counts like any other.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "saved_week_listing.h"

namespace {

constexpr std::uint32_t kLateShare = 25;
constexpr const char* kDesktopBand = "ULTIMEOREMAX:\t5-50:6-33\t\n";

struct Listed {
  std::map<std::string, int> per_teacher;  // summed counts of the records
  int total = 0;
};

Listed listed_late_share(const std::string& description_edit, const std::string& extra_lines) {
  Listed out;
  for (const ViolationRecord& r : liceo_saved_week_records(description_edit, extra_lines)) {
    if (r.constraint_id != kLateShare) continue;
    out.per_teacher[g_eng_teachers[r.teacher].name] += static_cast<int>(r.count);
    out.total += static_cast<int>(r.count);
  }
  return out;
}

TEST(LateShareNamedTracks, LessonsLateInTheDayCountWhateverTheTrackNames) {
  struct Case {
    const char* id;
    const char* drop;   // lines of the description left out (by their start)
    const char* extra;  // lines added after the band
    int sala, leone, total;
  } cases[] = {
      {"as shipped, tracks named", "", "", 4, 3, 58},
      {"tracks not named", "INDISIGLE:", "", 4, 3, 58},
      {"3BS of the classical numbering", "", "GINNASIO:\t3BS\t\n", 4, 3, 58},
      // 3BS of class type 1 leaves out SALA's 4, and BENEDETTI's and
      // PELLEGRINI's 1 each in that class.
      {"3BS of class type 1", "", "TIPOLOCL:\t3BS-1\t\n", 0, 3, 52},
  };
  for (const Case& c : cases) {
    Listed got = listed_late_share(c.drop, std::string(kDesktopBand) + c.extra);
    EXPECT_EQ(got.per_teacher["SALA"], c.sala) << c.id;
    EXPECT_EQ(got.per_teacher["LEONE"], c.leone) << c.id;
    EXPECT_EQ(got.total, c.total) << c.id;
  }
  // Without a band no teacher has a share to keep.
  EXPECT_EQ(listed_late_share("", "").total, 0);
}

}  // namespace
