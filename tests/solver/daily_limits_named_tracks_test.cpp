// A teacher's daily teaching and presence limits on liceo's saved week,
// listed by "SNOD:" through the engine's entry. That week has FERRARA
// ("INSEGNA:5") teaching 6 hours on Tuesday, PALUMBO ("PRESENZA:5") at
// school 6 hours on Friday and BELLINI ("INSEGNA:4") teaching 5 and 6 hours
// on two days. Liceo names its tracks ("INDISIGLE:", every class of the
// school), which only renames the classes: those hours still count. Only
// classes of class type 2 ("TIPOLOCL:") are left out of the day's hours,
// as the teacher's "CLASENOC:" value asks (both by default).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "saved_week_listing.h"

namespace {

constexpr std::uint32_t kPresence = 8, kTeaching = 9;

// (teacher name, id) -> summed count of the records "SNOD:" leaves.
std::map<std::pair<std::string, std::uint32_t>, int> listed_counts(const std::string& description_edit,
                                                                   const std::string& extra_line) {
  std::map<std::pair<std::string, std::uint32_t>, int> counts;
  for (const ViolationRecord& r : liceo_saved_week_records(description_edit, extra_line)) {
    if (r.constraint_id != kPresence && r.constraint_id != kTeaching) continue;
    counts[{g_eng_teachers[r.teacher].name, r.constraint_id}] += static_cast<int>(r.count);
  }
  return counts;
}

TEST(DailyLimitsNamedTracks, HoursOverADailyLimitCountWhateverTheTrackNames) {
  struct Case {
    const char* id;
    const char* drop;   // lines of the description left out (by their start)
    const char* extra;  // line added to the description
    int ferrara, bellini, palumbo;  // over INSEGNA, over INSEGNA, over PRESENZA
  } cases[] = {
      {"as shipped, tracks named", "", "", 1, 3, 1},
      {"tracks not named", "INDISIGLE:", "", 1, 3, 1},
      // FERRARA teaches only in 3AS, 4AS and 5AS: with them of type 2 his
      // days hold nothing that counts; the others keep their counts.
      {"FERRARA's classes of type 2", "", "TIPOLOCL:\t3AS-2\t4AS-2\t5AS-2\t\n", 0, 3, 1},
  };
  for (const Case& c : cases) {
    auto counts = listed_counts(c.drop, c.extra);
    auto of = [&](const char* name, std::uint32_t id) { return counts[std::make_pair(std::string(name), id)]; };
    EXPECT_EQ(of("FERRARA", kTeaching), c.ferrara) << c.id;
    EXPECT_EQ(of("BELLINI", kTeaching), c.bellini) << c.id;
    EXPECT_EQ(of("PALUMBO", kPresence), c.palumbo) << c.id;
    EXPECT_EQ(of("LOMBARDI", kPresence), 0) << c.id << ": at most 5 hours at school a day";
  }
}

}  // namespace
