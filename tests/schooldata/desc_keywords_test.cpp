// A hand-made school using every class-level and rare keyword: read, written
// back byte for byte (but for the folder line), loaded by the engine; the
// provisional copy leaves out marked teachers and keeps the model.

#include <cstdio>
#include <cstring>
#include <memory>

#include "../engine/loader_harness.h"
#include "desc_test_support.h"
#include "schooldata/description_writer.h"
#include "schooldata/ui_school_model.h"

namespace {

// The text without its second line (the folder the file was written in).
std::string without_folder_line(const std::string& text) {
  std::size_t first = text.find('\n');
  std::size_t second = text.find('\n', first + 1);
  return text.substr(0, first + 1) + text.substr(second + 1);
}

std::string keywords_file(const char* name) { return std::string(KT_TEST_DATA) + "/description/keywords/" + name; }

class DescKeywords : public PlainSchoolFolder<> {
 protected:
  void SetUp() override {
    PlainSchoolFolder::SetUp();
    ASSERT_EQ(og_read_structure_file_from(keywords_file("scuola1.txt"), 0), 0);
    ASSERT_EQ(og_read_assignments_file_from(keywords_file("scuola2.txt"), 0), 0) << og_description_error();
  }
  std::string out() const { return dir_ + "/out.txt"; }
};

TEST_F(DescKeywords, ReadsEveryKeyword) {
  const UiSchoolHeader& h = g_ui_header;
  const UiSchoolSettings& s = g_ui_settings;
  const UiClass* c = g_ui_structure.classes;
  EXPECT_EQ(h.provisional_hours_per_day[5], 3);
  EXPECT_EQ(+h.provisional_value1, 7u);
  EXPECT_EQ(+h.provisional_value2, 1);
  EXPECT_EQ(h.short_days[5], 1);
  EXPECT_EQ(h.short_days[4], 0);
  EXPECT_EQ(+c[1].classical_numbering, 1);
  EXPECT_EQ(+c[2].classical_numbering, 0);
  EXPECT_EQ(+c[2].class_type, 2);
  EXPECT_EQ(+c[0].rotation, 1);
  EXPECT_EQ(+c[2].rotation, 2);
  EXPECT_EQ(+s.rotation_in_use, 1);
  EXPECT_EQ(s.rotation_breaks[3], 6);
  EXPECT_EQ(+s.dispoday.count, 3);
  EXPECT_EQ(s.dispoday.pairs[2][0], 99);
  EXPECT_EQ(s.tekno[2], 3);
  EXPECT_STREQ(s.tekno_text, "INFORMATICA");
  EXPECT_EQ(+s.tekno_value, 4);
  // Normal calendar of 1A: Tuesday hours 2-5 marked, not hour 1.
  EXPECT_EQ(c[0].calendars[0].calendar_hours[12 + 4], 1);
  EXPECT_EQ(c[0].calendars[0].calendar_hours[12 + 0], 0);
  EXPECT_EQ(+c[0].calendars[0].max_day_difference, 2);
  EXPECT_EQ(c[0].calendars[0].day_lengths[0][1][0], 4);
  EXPECT_EQ(c[0].calendars[0].day_lengths[0][1][1], 2);
  EXPECT_EQ(c[1].calendars[0].calendar_hours[0], 255);
  EXPECT_EQ(c[1].calendars[1].calendar_hours[4 * 12 + 1], 1);
  EXPECT_EQ(+c[2].calendars[1].second_hour_entries, 2);
  EXPECT_EQ(+c[1].calendars[0].max_day_difference, 3);  // "3-0": no second-hour entries, written back so
  EXPECT_EQ(+c[1].calendars[0].second_hour_entries, 0);
  // 3A's own Monday times; its other days and every other class keep the
  // school's (480 + 60 per hour).
  EXPECT_EQ(+c[2].calendars[0].hour_start_times[1], 530);
  EXPECT_EQ(+c[2].calendars[0].hour_durations[1], 50);
  EXPECT_EQ(+c[2].calendars[0].hour_start_times[12 + 2], 600);
  EXPECT_EQ(+c[0].calendars[1].hour_start_times[4], 720);
  EXPECT_STREQ(s.sissi_school_id, "ABCD");
  EXPECT_STREQ(g_ui_teachers[2].sissi_id, "D003");
  EXPECT_STREQ(c[1].sissi_id, "C2A");
  EXPECT_STREQ(g_ui_structure.subjects[2].sissi_id, "M03");
  EXPECT_FALSE(og_school_changed());
}

TEST_F(DescKeywords, WritesTheSameBytesAndTheEngineLoadsThem) {
  ASSERT_EQ(og_write_assignments_file_to(out(), 0), 0) << og_description_write_error();
  std::string written = slurp(out());
  EXPECT_EQ(without_folder_line(written), without_folder_line(slurp(keywords_file("scuola2.txt"))));
  loader_test::Outcome synt = loader_test::run_synt(written);
  EXPECT_EQ(synt.code, 0) << synt.message;
  // The file was written elsewhere than where it was read: logged once.
  char here[1024];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  std::string trace = "C:\\ORARIO\\PROVA (KESTRINTEMPUS 5.8.C)\n" + std::string(here) + " (KestrinTempus 6.1.M)\n";
  EXPECT_EQ(slurp(dir_ + "/tech_log.txt"), trace);
  ASSERT_EQ(og_write_assignments_file_to(out(), 0), 0);
  EXPECT_EQ(slurp(dir_ + "/tech_log.txt"), trace);
}

TEST_F(DescKeywords, ProvisionalCopyLeavesOutMarkedTeachersAndKeepsTheModel) {
  g_ui_teachers[1].prns = 1;  // BIANCHI
  auto before = std::make_unique<UiTeacher[]>(kUiMaxTeachers);
  std::memcpy(before.get(), g_ui_teachers, sizeof g_ui_teachers);
  UiSchoolStructure structure = g_ui_structure;
  ASSERT_EQ(og_write_assignments_file_to(out(), 2), 0);
  std::string written = slurp(out());
  EXPECT_EQ(written.find("BIANCHI\t3A 6"), std::string::npos);
  EXPECT_NE(written.find("ROSSI\t1A 6"), std::string::npos);
  EXPECT_NE(written.find("V:\tBIANCHI\tPRNS:"), std::string::npos);
  // A marked cell beyond the provisional hours (4 on Tuesday) is cleared in
  // the file only: 1A's Tuesday 2-5 becomes 2-4.
  EXPECT_NE(written.find("CALESPE:G:1A:LU:1-3MA:2-4\t"), std::string::npos);
  EXPECT_EQ(std::memcmp(before.get(), g_ui_teachers, sizeof g_ui_teachers), 0);
  EXPECT_EQ(std::memcmp(&structure, &g_ui_structure, sizeof structure), 0);
  loader_test::Outcome synt = loader_test::run_synt(written, 0, 1);
  EXPECT_EQ(synt.code, 0) << synt.message;
}

}  // namespace
