// The classroom allocation ("ASAU:" with orario's room options, which stand
// for the room-assignment window) on fixed weeks of the sample schools, with
// a fixed seed and a fixed number of optimiser cycles: by class, by teacher,
// by room, and teachers grouped into rooms. Every allocation file it writes
// and its closing console lines are the recorded ones
// (tests/data/residual/rooms_NAME.txt, rewritten only by a change meant to
// alter the allocation, with KT_UPDATE_GOLDEN=1); whatever is recorded, no
// room is given to two lessons of one hour, which the recorded files are
// checked for too.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "bundled_schools.h"
#include "room_report_reading.h"
#include "school_fixture.h"

namespace fs = std::filesystem;

namespace {

struct RoomRun {
  const char* name;
  const char* school;
  const char* week;
  const char* options;
};

void PrintTo(const RoomRun& r, std::ostream* out) { *out << r.name; }

class RoomAllocationRecords : public ::testing::TestWithParam<RoomRun> {};

TEST_P(RoomAllocationRecords, TheAllocationFilesAreTheRecordedOnes) {
  const RoomRun& r = GetParam();
  SchoolCopy school(r.school);
  fs::copy_file(fs::path(KT_TEST_DATA) / "residual" / "weeks" / r.week, school.folder() / "savego.txt",
                fs::copy_options::overwrite_existing);
  std::string out;
  ASSERT_EQ(run_orario_in(school.folder(), school.root(),
                          std::string("--seed 7 --room-cycles 40 ") + r.options + " ASAU:scuola2.txt", &out),
            0)
      << out;
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(school.folder() / "Orario")) {
    std::string name = e.path().filename().string();
    if (name.find("Allocazione") != std::string::npos && name.size() > 4 && name.substr(name.size() - 4) == ".txt")
      names.insert(name);
  }
  ASSERT_FALSE(names.empty()) << out;
  std::string got;
  for (const std::string& name : names) got += "== " + name + "\n" + file_text(school.folder() / "Orario" / name);
  got += "== console\n";
  for (const std::string& line : split_lines(out))
    if (line.find("senza aula") != std::string::npos || line.rfind("Aule impegnate", 0) == 0) got += line + "\n";

  // No allocation room holds two classes in one hour.
  std::string report = file_text(school.folder() / "Orario" / "Orario Allocazione Aule.txt");
  std::map<std::pair<std::pair<int, int>, std::string>, std::string> holder;
  for (const auto& [klass, week] : room_reading::rooms_of_classes(report))
    for (const auto& [slot, room] : week) {
      if (room.rfind("AULA:", 0) != 0) continue;
      auto [at, fresh] = holder.emplace(std::make_pair(slot, room), klass);
      EXPECT_TRUE(fresh) << r.name << ": " << room << " of " << klass << " and " << at->second;
    }

  fs::path recorded = fs::path(KT_TEST_DATA) / "residual" / (std::string("rooms_") + r.name + ".txt");
  if (const char* update = std::getenv("KT_UPDATE_GOLDEN"); update && *update == '1') {
    std::ofstream(recorded, std::ios::binary | std::ios::trunc) << got;
    GTEST_SKIP() << "recorded allocation written";
  }
  std::vector<std::string> want = split_lines(file_text(recorded)), have = split_lines(got);
  ASSERT_FALSE(want.empty()) << recorded;
  for (std::size_t i = 0; i < want.size() || i < have.size(); ++i) {
    std::string a = i < want.size() ? want[i] : "(none)", b = i < have.size() ? have[i] : "(none)";
    ASSERT_EQ(a, b) << r.name << " line " << i + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Weeks, RoomAllocationRecords,
    ::testing::Values(RoomRun{"piccola_by_class", "piccola", "piccola_saved.txt", "--rooms 2"},
                      RoomRun{"liceo_by_class", "liceo", "liceo_saved.txt", "--rooms 3,3"},
                      RoomRun{"liceo_by_teacher", "liceo", "liceo_saved.txt", "--room-mode teacher --rooms 4,4"},
                      RoomRun{"istituto_by_room", "istituto", "istituto_searched.txt",
                              "--room-mode room --rooms 5,5,5"},
                      RoomRun{"liceo_grouped", "liceo", "liceo_computed.txt", "--teachers-per-room 2"}),
    [](const ::testing::TestParamInfo<RoomRun>& info) { return std::string(info.param.name); });

}  // namespace
