// The report of the rooms outside the classes ("Locali esterni alle
// Classi") through "REPO:" on the liceo with its own save, when the
// Linguistico classes keep hours of their own (50 minutes from 8:10) and the
// Scientifico ones the school's (an hour each from 8:00): every line of the
// report is as wide as its column header, and in each room's table every
// lesson's day column carries the start of that hour for the class held
// there, the time its class timetable shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine_main.h"
#include "engine/save_test_fixture.h"
#include "engine/status_block.h"
#include "fresh_process.h"
#include "reports/report_test_support.h"

namespace fs = std::filesystem;

namespace {

std::string trimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  return s;
}

std::string clock(int minutes) { return std::to_string(minutes / 60) + ":" + (minutes % 60 < 10 ? "0" : "") + std::to_string(minutes % 60); }

constexpr int kDaysShown = 5;
constexpr int kLead = 8;      // "  " and the first day's start, "%-5.5s|"
constexpr int kDay = 27;      // a day's cell and its '#'
constexpr int kTime = 6;      // the time column before each later day

void check_room_times() {
  save_test::SchoolFolder folder;
  std::string text = kt_test::read_bytes(fs::path(KT_SOURCE_DIR) / "examples/liceo/scuola2.txt");
  std::string lines;
  for (const char* c : {"1AL", "2AL", "3AL", "4AL", "5AL", "1BL", "2BL", "3BL", "4BL", "5BL"}) {
    lines += std::string("CLADAYS:G:") + c + ":";
    for (const char* d : {"LU", "MA", "ME", "GI", "VE"}) lines += std::string(d) + ":490:50:540:50:590:50:640:50:690:50:740:50-";
    lines += "\n";
  }
  std::size_t at = text.find("\nV:");
  ASSERT_NE(at, std::string::npos);
  text.insert(at + 1, lines);
  std::ofstream(folder.path() / "scuola2.txt", std::ios::binary) << text;
  fs::copy_file(fs::path(KT_TEST_DATA) / "savefiles/liceo-savego.txt", folder.path() / "savego.txt");
  save_test::reset_run_flags();
  const char* argv[] = {"Questo non serve", "REPO:scuola2.txt"};
  ASSERT_EQ(or_main(1, 2, argv), 0) << g_status.message;

  std::istringstream report(kt_test::read_bytes(folder.path() / "Orario" / "Orario Locali esterni alle Classi.txt"));
  std::vector<std::string> rows;
  for (std::string line; std::getline(report, line);) {
    if (!line.empty() && line[0] == '\f') line.erase(0, 1);
    if (!line.empty()) rows.push_back(line);
  }
  ASSERT_FALSE(rows.empty());
  std::size_t width = 0;
  for (const std::string& line : rows)
    if (line.rfind("*0", 0) == 0) width = line.size();
  ASSERT_EQ(width, std::size_t(kLead + kDaysShown * kDay + (kDaysShown - 1) * kTime)) << "a time column before each later day";
  for (const std::string& line : rows) EXPECT_EQ(line.size(), width) << line;

  // The second row of an hour: per day the teacher, '|', the class and '#'.
  int checked = 0;
  int hour = -1;
  std::string room;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string& line = rows[i];
    if (line.find("LOCALE:") != std::string::npos) room = line, hour = -1;
    if (line.rfind("*0", 0) == 0) hour = -1;
    if (line[0] == '=') ++hour;
    if (line[0] != '=' || i + 2 >= rows.size() || line.size() != width) continue;
    for (const std::string& row : {rows[i + 1], rows[i + 2]}) {
      if (row.size() != width) continue;
      for (int d = 0; d < kDaysShown; ++d) {
        std::size_t cell = kLead + d * (kDay + kTime);
        std::string klass = trimmed(rows[i + 2].substr(cell + 21, 5));
        if (klass.empty()) continue;
        std::string shown = trimmed(d == 0 ? row.substr(2, 5) : row.substr(cell - kTime, 5));
        bool linguistico = klass.find("li") != std::string::npos;
        std::string start = clock(linguistico ? 490 + 50 * hour : 480 + 60 * hour);
        EXPECT_EQ(shown, start) << room << ", day " << d << ", hour " << hour + 1 << ", class " << klass << "\n" << row;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 40);
}

TEST(RoomReportTimes, EachLessonOfARoomShowsTheStartOfItsClassesHour) { KT_IN_FRESH_PROCESS({ check_room_times(); }); }

}  // namespace
