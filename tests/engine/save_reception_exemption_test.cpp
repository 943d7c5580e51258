// Reception hours (".\\ricevi.txt") and granted exemptions (".\\scuola3.txt",
// ".\\scuola3P.txt"): choice of the hour, round trips and range checks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/engine_random.h"
#include "engine/reception_exemption_files.h"
#include "save_test_fixture.h"

using save_test::SchoolFolder;

namespace {

// One teacher with lessons at the given Monday hours, in a 5 x 6 week.
int teacher_with_monday(std::initializer_list<int> hours) {
  save_test::reset_school();
  int k = save_test::add_class("1A");
  int s = save_test::add_subject("ITALIANO");
  int t = save_test::add_teacher("ROSSI");
  for (int h : hours) save_test::place(save_test::add_lesson(t, k, s), 0, h);
  or_count_hours(0);
  return t;
}

TEST(Reception, PickedHourSitsNextToLessons) {
  // Between two lessons; only the hour after a block touches it; no lessons, no hour (day 255).
  struct Case { const char* id; std::initializer_list<int> monday; int day, hour; } cases[] = {
      {"between", {1, 3}, 0, 2}, {"block", {0, 1, 2}, 0, 3}, {"none", {}, 255, -1}};
  for (const Case& c : cases) {
    int t = teacher_with_monday(c.monday);
    g_engine_random.seed_with(11);
    or_pick_reception_hour(t);
    EXPECT_EQ(g_eng_teachers[t].reset_marker, c.day) << c.id;
    if (c.hour >= 0) { EXPECT_EQ(g_eng_teachers[t].reception_hour, c.hour) << c.id; }
  }
}

// A forbidden hour between two lessons is free but closed: the pick passes
// it by, and an hour kept from an earlier week that is closed now is picked
// again.
TEST(Reception, AClosedHourIsNeverTheReceptionHour) {
  SchoolFolder folder;
  int t = teacher_with_monday({1, 3, 5});
  EngineTeacher& x = g_eng_teachers[t];
  std::memset(x.forbidden_hours, 0, sizeof x.forbidden_hours);
  x.forbidden_hours[0 * kHoursPerDay + 2] = 1;
  g_engine_random.seed_with(11);
  or_pick_reception_hour(t);
  EXPECT_EQ((std::vector<int>{x.reset_marker, x.reception_hour}), (std::vector<int>{0, 4}));
  folder.write("ricevi.txt", "");
  x.reset_marker = 0, x.reception_hour = 2;
  or_write_reception_slots();
  or_allocate_reception_hours();
  EXPECT_EQ((std::vector<int>{x.reset_marker, x.reception_hour}), (std::vector<int>{0, 4}));
  EXPECT_EQ(or_read_reception_slots(), 0);
  EXPECT_EQ(x.reception_hour, 4) << "written again";
}

TEST(Reception, FileRoundTripDropsOccupiedCandidates) {
  SchoolFolder folder;
  int t = teacher_with_monday({1, 3});
  EngineTeacher& x = g_eng_teachers[t];
  x.reset_marker = 0, x.reception_hour = 2;
  x.reset_pairs[0][0] = 0, x.reset_pairs[0][1] = 4;  // Monday 4th hour: free
  x.reset_pairs[1][0] = 0, x.reset_pairs[1][1] = 1;  // Monday 2nd hour: a lesson stands there now
  or_write_reception_slots();
  EXPECT_EQ(engine_test::unscrambled(".\\ricevi.txt"), "0|ROSSI|0|2|0|4|\n");
  EXPECT_EQ(folder.read("ricevi.txt").find("ROSSI"), std::string::npos) << "stored scrambled";
  x.reset_marker = 255;
  for (auto& p : x.reset_pairs) p[0] = 255;
  EXPECT_EQ(or_read_reception_slots(), 0);
  EXPECT_EQ((std::vector<int>{x.reset_marker, x.reception_hour, x.reset_pairs[0][1], x.reset_pairs[1][0]}),
            (std::vector<int>{0, 2, 4, 255}));
}

TEST(Reception, ReaderChecksEveryRecord) {
  struct Case { const char* id; const char* text; int result, day, first_candidate_hour; } cases[] = {
      {"good", "0|ROSSI|1|3|2|5|\n", 0, 1, 5}, {"teacher-range", "7|X|1|3|\n0|ROSSI|2|2|\n", 0, 2, -1},
      {"negative-teacher", "-1|X|1|3|\n", 0, 255, -1}, {"day-range", "0|ROSSI|9|3|\n", 0, 255, -1},
      {"hour-range", "0|ROSSI|1|12|\n", 0, 255, -1}, {"candidate-range", "0|ROSSI|1|3|8|1|2|40|3|3|\n", 0, 1, 3},
      {"short", "0|ROSSI|1\n", -2, 255, -1},
  };
  for (const Case& c : cases) {
    SchoolFolder folder;
    int t = teacher_with_monday({1});
    folder.write("ricevi.txt", c.text);
    int result = or_read_reception_slots();
    const EngineTeacher& x = g_eng_teachers[t];
    EXPECT_EQ((std::vector<int>{result, x.reset_marker, x.reset_pairs[0][0] == 255 ? -1 : x.reset_pairs[0][1]}),
              (std::vector<int>{c.result, c.day, c.first_candidate_hour})) << c.id;
  }
  SchoolFolder folder;
  teacher_with_monday({1});
  EXPECT_EQ(or_read_reception_slots(), -1) << "no file";
}

TEST(Reception, AllocationPicksAndWritesTheFileButNotInProvisionalMode) {
  SchoolFolder folder;
  int t = teacher_with_monday({1, 3});
  or_allocate_reception_hours();
  const EngineTeacher& x = g_eng_teachers[t];
  EXPECT_EQ((std::vector<int>{x.reset_marker, x.reception_hour, folder.exists("ricevi.txt")}), (std::vector<int>{0, 2, 1}));
  g_provisional_mode = 1;
  EXPECT_EQ(or_read_reception_slots(), 0);
  EXPECT_EQ((std::vector<int>{x.reset_marker, x.reception_handled}), (std::vector<int>{255, 1}));
  or_allocate_reception_hours();
  EXPECT_EQ(g_eng_teachers[t].reset_marker, 255);
  g_provisional_mode = 0;
}

StoredExemption sample_record() {
  ViolationRecord v{};
  v.constraint_id = 80, v.detail = 0x01020304, v.count = 2, v.record_number = 9;
  std::snprintf(v.text, sizeof v.text, "ore buche");
  for (int i = 0; i < 129; ++i) v.detail_map[i] = static_cast<std::uint8_t>(i * 7);
  return or_exemption_from_violation(v, 1);
}

TEST(Exemptions, LineRoundTripAndTheReadersChecks) {
  StoredExemption r = sample_record();
  char line[600];
  or_format_exemption_line(r, line, sizeof line);
  std::string text = line;
  ASSERT_EQ(text.size(), 4u + 438u + 2u);
  // The length, request 1 and a spare byte 0, ..., the line end.
  EXPECT_EQ(text.substr(0, 8) + text.substr(442), "02190100\r\n");
  StoredExemption back;
  ASSERT_TRUE(or_parse_exemption_line(line, back));
  EXPECT_EQ(std::memcmp(back.bytes, r.bytes, kExemptionRecordSize), 0);
  // The reader checks lengths and digits; first, last: bytes 0 and 218 of the record.
  struct Case { const char* id; std::string line; bool accepted; int first, last; } cases[] = {
      {"short-line", "0002ab\n", false, 0, 0},  // fewer than 10 characters
      {"zero-filled", "0003a1b2c3\r\n", true, 0xa1, 0},
      {"too-long", "0220" + std::string(440, '1') + "\r\n", false, 0, 0},
      {"not-a-length", "02x9" + std::string(438, '1') + "\r\n", false, 0, 0},
      {"bad-digit", "0219a1zz" + std::string(434, '1') + "\r\n", true, 0xa1, 0},
      {"whole", "0219" + std::string(438, 'f') + "\r\n", true, 0xff, 0xff},
  };
  for (const Case& c : cases) {
    StoredExemption r;
    EXPECT_EQ(or_parse_exemption_line(c.line.c_str(), r), c.accepted) << c.id;
    if (c.accepted) { EXPECT_EQ((std::vector<int>{r.bytes[0], r.bytes[218]}), (std::vector<int>{c.first, c.last})) << c.id; }
  }
}

TEST(Exemptions, AppendNamesTheRecordAndReloadReadsItBack) {
  SchoolFolder folder;
  save_test::SmallSchool school;
  std::snprintf(g_eng_classes[0].display_name, 41, "Prima A");
  g_exemption_current = sample_record();
  or_append_exemption(0);
  ViolationRecord v{};
  v.constraint_id = 5, v.teacher = static_cast<std::uint32_t>(school.bianchi);
  g_exemption_current = or_exemption_from_violation(v, 0);
  or_append_exemption(0);
  g_exemption_applier = [](const StoredExemption&) { return 0; };
  EXPECT_EQ(or_reload_exemptions(), 2);
  g_exemption_applier = nullptr;
  const auto& records = or_reloaded_exemptions();
  ASSERT_EQ(records.size(), 2u);
  auto name = [&](int i) { return std::string(reinterpret_cast<const char*>(records[i].bytes + kExemptionNameOffset)); };
  EXPECT_EQ(name(0) + "|" + name(1), "Prima A|BIANCHI");
  EXPECT_EQ(records[0].bytes[kExemptionMapOffset + 1], 7);
}

TEST(Exemptions, ProvisionalModeUsesItsOwnFile) {
  SchoolFolder folder;
  save_test::SmallSchool school;
  g_provisional_mode = 1;
  g_exemption_current = sample_record();
  or_append_exemption(0);
  EXPECT_TRUE(folder.exists("scuola3P.txt") && !folder.exists("scuola3.txt"));
  EXPECT_EQ(or_reload_exemptions(), 1);
  // The initialising append looks at the normal file, writes the mode's file.
  or_append_exemption(1);
  EXPECT_EQ(or_reload_exemptions(), 2);
  g_provisional_mode = 0;
  EXPECT_EQ(or_reload_exemptions(), 0) << "the normal timetable has none";
}

}  // namespace
