// What the pages set reaches the engine ("SYNT:" through or_main): the
// reception flag, the lunch break, a lab named twice; a first save makes the
// school code and records this program's version.

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <vector>

#include "../engine/loader_harness.h"
#include "desc_test_support.h"
#include "schooldata/description_writer.h"
#include "schooldata/ui_school_model.h"
#include "school_model_copy.h"

namespace {

class DescEngineRoundTrip : public PlainSchoolFolder<> {
 protected:
  void ReadSample(const char* school) {
    ASSERT_EQ(og_read_structure_file_from(desc_example(school, "scuola1.txt"), 0), 0);
    ASSERT_EQ(og_read_assignments_file_from(desc_example(school, "scuola2.txt"), 0), 0) << og_description_error();
  }
  // Writes the description and loads it in the engine; the engine's model
  // stays loaded for the checks.
  void WriteAndLoad() {
    ASSERT_EQ(og_write_assignments_file_to(dir_ + "/scuola2.txt", 0), 0) << og_description_write_error();
    loader_test::Outcome out = loader_test::run_synt(slurp(dir_ + "/scuola2.txt"));
    ASSERT_EQ(out.code, 0) << out.message;
  }
  static const EngineTeacher* EngineTeacherNamed(const char* name) {
    for (int t = 0; t < g_eng_school.teacher_count; ++t)
      if (std::strcmp(g_eng_teachers[t].name, name) == 0) return &g_eng_teachers[t];
    return nullptr;
  }
};

TEST_F(DescEngineRoundTrip, ReceptionFlagLunchBreakAndRepeatedLab) {
  ReadSample("liceo");
  int with_posts = -1, other = -1;
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t) {
    if (g_ui_teachers[t].post_count == 0) continue;
    if (with_posts < 0) with_posts = int(t);
    else if (other < 0) other = int(t);
  }
  ASSERT_GE(other, 0);
  // Reception hours of a post, once as reception ("ORQ:"), once not ("ORP:").
  g_ui_teachers[with_posts].reception = 1;
  g_ui_teachers[with_posts].posts[0].own.placement = 2;
  g_ui_teachers[other].reception = 0;
  g_ui_teachers[other].posts[0].own.placement = 2;
  const std::uint8_t lunch[4] = {3, 1, 2, 4};  // the hour after which the break falls, as the page keeps it
  std::memcpy(g_ui_settings.lunch_break, lunch, 4);
  ASSERT_GT(+g_ui_structure.lab_count, 0u);
  ASSERT_LT(+g_ui_structure.lab_count, std::uint32_t(kUiMaxLabs));
  g_ui_structure.labs[g_ui_structure.lab_count] = g_ui_structure.labs[0];
  ++g_ui_structure.lab_count;

  WriteAndLoad();
  const EngineTeacher* flagged = EngineTeacherNamed(g_ui_teachers[with_posts].name);
  const EngineTeacher* plain = EngineTeacherNamed(g_ui_teachers[other].name);
  ASSERT_NE(flagged, nullptr);
  ASSERT_NE(plain, nullptr);
  EXPECT_TRUE(flagged->item_marks & kMarkOrq);
  EXPECT_FALSE(plain->item_marks & kMarkOrq);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(g_eng_school.pausamensa[k], lunch[k]) << k;
  int rooms_named = 0;
  for (int r = 0; r < g_eng_school.room_count; ++r)
    rooms_named += std::strcmp(g_eng_rooms[r].name, g_ui_structure.labs[0].name) == 0;
  EXPECT_EQ(rooms_named, 1);
  std::string text = slurp(dir_ + "/scuola2.txt"), lab_line = std::string("LABOR:|") + g_ui_structure.labs[0].name + "-";
  EXPECT_EQ(text.find(lab_line), text.rfind(lab_line));  // written once

  // Read back by the program too: the same flags and break.
  ASSERT_EQ(og_read_assignments_file_from(dir_ + "/scuola2.txt", 0), 0) << og_description_error();
  EXPECT_EQ(+g_ui_teachers[with_posts].reception, 1);
  EXPECT_EQ(+g_ui_settings.lunch_break[0], 3);
}

// A building no class is in yet stays with the school, with its conditions,
// and the engine loads it.
TEST_F(DescEngineRoundTrip, ABuildingWithoutClassesIsKept) {
  ReadSample("liceo");
  ASSERT_EQ(+g_ui_settings.building_count, 2);
  UiBuilding& added = g_ui_settings.buildings[2];
  std::snprintf(added.name, sizeof added.name, "%s", "PALAZZINA");
  std::snprintf(added.reachable_names[0], sizeof added.reachable_names[0], "%s", "LINGUISTICO");
  added.reachable_values[0] = 3;
  added.reachable_count = 1;
  added.no_transfer = 1;
  g_ui_settings.building_count = 3;
  WriteAndLoad();
  EXPECT_NE(slurp(dir_ + "/scuola2.txt").find("SEDECL:\tPALAZZINA\tNOCS:LINGUISTICO-3\tNOSPOSTA:\t\n"), std::string::npos);
  EXPECT_EQ(+g_eng_school.building_count, 3);
  ASSERT_EQ(og_read_assignments_file_from(dir_ + "/scuola2.txt", 0), 0) << og_description_error();
  ASSERT_EQ(+g_ui_settings.building_count, 3);
  const UiBuilding& read = g_ui_settings.buildings[2];
  EXPECT_STREQ(read.name, "PALAZZINA");
  EXPECT_EQ(+read.reachable_count, 1);
  EXPECT_STREQ(read.reachable_names[0], "LINGUISTICO");
  EXPECT_EQ(+read.reachable_values[0], 3);
  EXPECT_EQ(+read.no_transfer, 1);
  for (std::uint32_t c = 0; c < g_ui_structure.class_count; ++c) EXPECT_NE(+g_ui_structure.classes[c].building, 2);
}

TEST_F(DescEngineRoundTrip, FirstSaveMakesSchoolCodeAndRecordsVersion) {
  ReadSample("piccola");
  g_ui_header.school_code[0] = 0;
  std::memset(g_ui_structure.writer_version, 0, sizeof g_ui_structure.writer_version);
  std::memset(g_ui_structure.status, 0, sizeof g_ui_structure.status);  // never read: no bytes yet
  std::snprintf(g_ui_header.school_name, sizeof g_ui_header.school_name, "%s", "Liceo Volta");
  ASSERT_EQ(og_write_structure_file_to(dir_ + "/scuola1.txt"), 0);
  EXPECT_NE(slurp(dir_ + "/scuola1.txt").find("SERVICEMEMO:|6.1.M-"), std::string::npos);
  WriteAndLoad();
  std::string text = slurp(dir_ + "/scuola2.txt");
  std::smatch code;
  ASSERT_TRUE(std::regex_search(text, code, std::regex("\nREM:(C[A-Z?][A-L][0-9]{2}[A-X][0-9]{7}_[A-Z]{8}_[0-9A-Z]{17})\\|")))
      << text.substr(0, 300);
  EXPECT_TRUE(std::regex_match(code[1].str().substr(14, 8), std::regex("EO[A-Z]VOLTA")))
      << code[1];  // the title's end, its blank replaced by a letter
  EXPECT_TRUE(std::regex_search(text, std::regex("\nSTATUSINFO:0{10}\\|\r?\n"))) << text.substr(0, 300);
  std::string first = code[1];
  ASSERT_EQ(og_read_assignments_file_from(dir_ + "/scuola2.txt", 0), 0);
  EXPECT_EQ(std::string(g_ui_header.school_code), first);  // made once, then kept
}

// A building holding more classes than one line takes: its classes go on
// lines of twenty, each class on one line only, and all read back in it.
TEST_F(DescEngineRoundTrip, ABuildingOfManyClassesTakesSeveralLines) {
  ReadSample("istituto");
  ASSERT_GE(+g_ui_settings.building_count, 2);
  ASSERT_GT(+g_ui_structure.class_count, 40u);
  for (std::uint32_t c = 0; c < g_ui_structure.class_count; ++c) g_ui_structure.classes[c].building = c % 5 == 4 ? 1 : 0;
  WriteAndLoad();
  std::istringstream text(slurp(dir_ + "/scuola2.txt"));
  std::map<std::string, int> seen;
  int lines = 0;
  for (std::string line; std::getline(text, line);) {
    if (line.rfind("SEDECL:\t", 0) != 0) continue;
    std::vector<std::string> fields;
    std::stringstream split(line);
    for (std::string f; std::getline(split, f, '\t');) fields.push_back(f);
    ASSERT_GE(fields.size(), 3u) << line;
    if (fields[1] != g_ui_settings.buildings[0].name) continue;
    ++lines;
    int codes = 0;
    std::stringstream list(fields[2]);
    for (std::string code; std::getline(list, code, '-');) ++codes, ++seen[code];
    EXPECT_LE(codes, 20) << line;
  }
  std::uint32_t in_first = 0;
  for (std::uint32_t c = 0; c < g_ui_structure.class_count; ++c) in_first += g_ui_structure.classes[c].building == 0;
  EXPECT_EQ(lines, int((in_first + 19) / 20));
  EXPECT_EQ(seen.size(), in_first);
  for (const auto& [code, times] : seen) EXPECT_EQ(times, 1) << code;
  ASSERT_EQ(og_read_assignments_file_from(dir_ + "/scuola2.txt", 0), 0) << og_description_error();
  for (std::uint32_t c = 0; c < g_ui_structure.class_count; ++c)
    EXPECT_EQ(+g_ui_structure.classes[c].building, c % 5 == 4 ? 1 : 0) << g_ui_structure.classes[c].code;
}

// The provisional timetable's description: each class whose posts ask for
// more than the provisional week gets them scaled to that week, each post
// in proportion (its share rounded down or up, at least one hour), partner
// parts no longer than their posts; teachers left out have no posts there;
// the model itself stays as it was; no provisional week, no change.
TEST_F(DescEngineRoundTrip, TheProvisionalDescriptionScalesEachClassToItsWeek) {
  ReadSample("piccola");
  const std::uint8_t provisional[7] = {3, 3, 3, 3, 3, 0, 0};
  std::memcpy(g_ui_header.provisional_hours_per_day, provisional, 7);
  int week = 15;
  g_ui_teachers[1].prns = 1;  // left out of the provisional timetable
  auto model = std::make_unique<save_reopen::ModelCopy>();  // large: not on the stack
  ASSERT_EQ(og_write_assignments_file_to(dir_ + "/cattPROV.txt", 2), 0) << og_description_write_error();
  EXPECT_EQ(model->Differences(), "") << "the writer puts the model back";
  std::map<int, int> asked, given;
  std::vector<std::pair<int, int>> hours;  // per counted post: asked, class
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
    for (std::uint32_t p = 0; p < g_ui_teachers[t].post_count; ++p) {
      const UiTeachingPost& post = g_ui_teachers[t].posts[p];
      if (post.copy || g_ui_teachers[t].prns) continue;
      asked[+post.class_index] += post.own.hours;
    }
  ASSERT_EQ(og_read_assignments_file_from(dir_ + "/cattPROV.txt", 0), 0) << og_description_error();
  EXPECT_EQ(+g_ui_teachers[1].post_count, 0u);
  int scaled_classes = 0;
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
    for (std::uint32_t p = 0; p < g_ui_teachers[t].post_count; ++p) {
      const UiTeachingPost& post = g_ui_teachers[t].posts[p];
      const UiTeachingPost& old = model->teachers[t].posts[p];
      if (post.copy) continue;
      EXPECT_LE(+post.partner_part.hours, post.own.hours) << g_ui_teachers[t].name;
      given[+post.class_index] += post.own.hours;
      int total = asked[+post.class_index];
      if (total <= week) {
        EXPECT_EQ(+post.own.hours, old.own.hours) << g_ui_teachers[t].name;
        continue;
      }
      int share = old.own.hours * week / total;
      EXPECT_GE(+post.own.hours, std::max(1, share)) << g_ui_teachers[t].name;
      EXPECT_LE(+post.own.hours, std::max(1, share + 1)) << g_ui_teachers[t].name;
    }
  for (const auto& [c, total] : asked) {
    if (total <= week) continue;
    ++scaled_classes;
    EXPECT_EQ(given[c], week) << g_ui_structure.classes[c].code;
  }
  EXPECT_GT(scaled_classes, 0);

  model->Restore();
  std::memset(g_ui_header.provisional_hours_per_day, 0, 7);
  g_ui_teachers[1].prns = 0;
  ASSERT_EQ(og_write_assignments_file_to(dir_ + "/cattPROV.txt", 2), 0);
  ASSERT_EQ(og_write_assignments_file_to(dir_ + "/scuola2.txt", 0), 0);
  EXPECT_EQ(slurp(dir_ + "/cattPROV.txt").substr(200), slurp(dir_ + "/scuola2.txt").substr(200));
}

}  // namespace
