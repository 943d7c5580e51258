// Paths of the report writers that a planted fault once passed unseen: a
// class whose hours keep their own times shows, below its last hour, the
// row with the end of that hour, in the class timetable and in its room
// form (a lesson in a laboratory), and the teacher reports show each
// lesson's own end beside the class.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/model_post_passes.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "reports/model_school_fixture.h"
#include "reports/report_run.h"

namespace fs = std::filesystem;

namespace {

class ReportFaults : public report_test::ModelSchool {
 protected:
  void SetUp() override {
    StartSchool(5, 4);
    NameDays();
    g_room_report_flag = 0;
    int a = save_test::add_class("1A"), b = save_test::add_class("2A");
    int rossi = report_test::add_teacher("ROSSI"), verdi = report_test::add_teacher("VERDI");
    for (int t : {rossi, verdi}) g_eng_teachers[t].reception_handled = 1;
    int ita = save_test::add_subject("ITALIANO");
    int last = save_test::add_lesson(rossi, a, ita);
    save_test::place(last, 0, 3);  // in the last hour, in the laboratory
    int lab = save_test::add_room("LAB");
    g_eng_rooms[lab].lab_flag = 1;
    g_eng_lessons[last].room = lab;
    save_test::place(save_test::add_lesson(verdi, b, ita), 1, 0);
    // 1A's hours start five minutes later than the school's.
    std::memcpy(g_eng_classes[a].timing, g_eng_school.timing, sizeof g_eng_classes[a].timing);
    for (int d = 0; d < kDays; ++d)
      for (int h = 0; h < kHoursPerDay; ++h) g_eng_classes[a].timing[0][d][h] += 5;
    or_prepare_hour_timings();
    or_count_hours(0);
    or_write_all_reports(110, 0);
  }
  std::string report(const char* name) const {
    std::ifstream in(folder.path() / "Orario" / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(ReportFaults, OwnTimesShowTheEndOfTheLastHour) {
  ASSERT_NE(g_eng_school.nonstandard_timing_days, 0);
  std::string classes = report("Orario Classi.txt");
  ASSERT_FALSE(classes.empty());
  EXPECT_NE(classes.find("12:05"), std::string::npos) << classes;  // 1A's last hour ends at 12:05
  // The end row under the class columns, and under the room form's.
  struct Case {
    const char* id;
    const char* file;
    std::string row;
  } cases[] = {
      {"classes", "Orario Classi.txt", "\n        |12:05|"},
      {"rooms", "Orario Locali esterni alle Classi.txt", "\n  12:05|" + std::string(26, ' ') + "#"},
      {"teachers", "Orario Professori Verticale.txt", "|1A   f:12:05|"},  // the lesson's own end
  };
  for (const Case& c : cases) {
    std::string text = report(c.file);
    EXPECT_NE(text.find(c.row), std::string::npos) << c.id << "\n" << text;
  }
}

// "Ore con Compresenze" comes only with a real co-teacher: a laboratory
// assistant is no co-teaching. The rooms outside the classes are every room
// a class does not own, a laboratory or not. A publish-only run leaves the
// allocation's rooms behind as a full run does.
TEST_F(ReportFaults, CoTeachingAndOutsideRoomsFollowWhatTheLessonsAre) {
  const char* kCo = "Orario Ore con Compresenze.txt";
  EXPECT_FALSE(fs::exists(folder.path() / "Orario" / kCo));
  int verdi_lesson = 1, rossi_lesson = 0;
  int assistant = report_test::add_teacher("ROSSI_LAB");
  g_eng_teachers[assistant].type_flags = kTeacherLabPseudo;
  g_eng_lessons[rossi_lesson].second_teacher = assistant;
  g_eng_lessons[rossi_lesson].piece_kind = kHasLaboratoryPart;
  g_eng_lessons[verdi_lesson].room = 0;  // 2A's lesson in 1A's room
  or_count_hours(0);
  or_write_all_reports(110, 0);
  EXPECT_FALSE(fs::exists(folder.path() / "Orario" / kCo)) << "an assistant only";
  std::string rooms = report("Orario Locali esterni alle Classi.txt");
  EXPECT_NE(rooms.find("LOCALE:1A"), std::string::npos) << rooms;
  EXPECT_NE(rooms.find("LOCALE:LAB"), std::string::npos) << rooms;
  EXPECT_EQ(rooms.find("LOCALE:2A"), std::string::npos) << rooms;
  g_eng_lessons[rossi_lesson].second_teacher = 1;  // VERDI teaches beside ROSSI
  g_eng_lessons[rossi_lesson].piece_kind = kHasConversationPart;
  or_count_hours(0);
  or_write_all_reports(110, 0);
  EXPECT_NE(report(kCo).find("VERDI"), std::string::npos) << report(kCo);
  g_room_report_flag = 1;
  or_write_all_reports(110, 1);
  EXPECT_EQ(g_room_report_flag, 0);
}

}  // namespace
