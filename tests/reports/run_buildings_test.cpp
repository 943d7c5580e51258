// The whole report run on a small hand-built school: with two buildings the
// per-building reports come once per building; after a room allocation come
// the classroom-allocation copy and the landscape table with rooms, and the
// flag is cleared at the end. Test runs (mode 13) write the text reports only.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "engine/model_post_passes.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "reports/model_school_fixture.h"
#include "reports/report_run.h"
#include "solver/classroom_allocation.h"

namespace fs = std::filesystem;
using save_test::add_class;
using save_test::add_lesson;
using save_test::add_subject;
using save_test::place;

namespace {

int add_teacher(const char* name) {
  int t = report_test::add_teacher(name);
  g_eng_teachers[t].reception_handled = 1;  // no reception hours to allocate
  return t;
}

class RunSchool : public report_test::ModelSchool {
 protected:
  void SetUp() override {
    StartSchool(5, 4);
    NameDays();
    g_room_report_flag = 0;
    int a = add_class("1A"), b = add_class("2A"), c = add_class("3A");
    int rossi = add_teacher("ROSSI"), verdi = add_teacher("VERDI"), neri = add_teacher("NERI");
    int ita = add_subject("ITALIANO"), mat = add_subject("MATEMATICA");
    place(add_lesson(rossi, a, ita), 0, 0);
    place(add_lesson(rossi, b, ita), 0, 1);
    place(add_lesson(verdi, b, mat), 1, 0);
    place(add_lesson(neri, c, mat), 1, 1);
  }
  std::set<std::string> files() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path() / "Orario"))
      names.insert(entry.path().filename().string());
    return names;
  }
  void run() {
    or_count_hours(0);
    or_write_all_reports(110, 0);
  }
};

TEST_F(RunSchool, TwoBuildingsWriteTheirReportsOncePerBuilding) {
  g_eng_school.building_count = 2;
  std::snprintf(g_eng_buildings[0].name, kNameSize, "%s", "Centrale");
  std::snprintf(g_eng_buildings[1].name, kNameSize, "%s", "Succursale");
  for (int c = 0; c < 3; ++c) g_eng_classes[c].building = c == 2 ? 1 : 0;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) g_eng_lessons[l].building = g_eng_classes[g_eng_lessons[l].class_index].building;
  run();
  std::set<std::string> names = files();
  for (const char* building : {"Centrale", "Succursale"}) {
    std::string b = building;
    for (std::string name : {"Orario Plesso_" + b + ".txt", "Orario Classi per Materia - " + b + ".txt",
                             "Orario Tabella Globale_" + b + ".txt", "Orario Tabella Globale Materie_" + b + ".txt",
                             "Foglio Firme O " + b + ".txt"})
      EXPECT_TRUE(names.count(name)) << name;
  }
  EXPECT_FALSE(names.count("Foglio Firme O.txt")) << "with buildings the sheets come per building";
  std::string plesso = folder.read("Orario/Orario Plesso_Succursale.txt");
  EXPECT_NE(plesso.find(" 3A"), std::string::npos);
  EXPECT_EQ(plesso.find(" 1A"), std::string::npos) << "1A is in the other building";
}

// The classroom allocation seats three classes in two rooms; the report run
// that follows names the allocated rooms in the teachers' landscape table
// and the complete class reports, and writes the allocation copy.
TEST_F(RunSchool, RoomAllocationAddsItsReportsAndIsClearedAtTheEnd) {
  RoomAllocationParams params{};
  params.teachers_per_room = 0;
  params.rooms_per_building[0] = 2;
  params.best_result = kNoRecord;
  g_status.room_params = &params;
  g_room_optimiser_max_cycles = 3;
  fs::create_directories(folder.path() / "Orario");  // the allocation writes its error report there
  or_count_hours(0);
  or_room_allocation_phase(0, 0);
  g_status.room_params = nullptr;
  ASSERT_EQ(g_room_report_flag, 1);
  or_write_all_reports(110, 0);
  std::set<std::string> names = files();
  EXPECT_TRUE(names.count("Orario Allocazione Aule.txt"));
  EXPECT_TRUE(names.count("Orario Professori Orizzontale Semplice.txt"));
  EXPECT_EQ(folder.read("Orario/Orario Allocazione Aule.txt"), folder.read("Orario/Orario Classi Completo.txt"));
  std::string rooms = folder.read("Orario/Orario Professori Orizzontale.txt");
  EXPECT_NE(rooms.find(" 1A                     AULA:1|"), std::string::npos) << rooms;
  EXPECT_NE(folder.read("Orario/Orario Classi Completo.txt").find("aula:"), std::string::npos);
  EXPECT_EQ(g_room_report_flag, 0);
}

}  // namespace
