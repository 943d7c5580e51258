// The classroom allocation on a hand-built school of three classes in one
// four-hour day: room names, the initial allocation, the teacher grouping.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/errors.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/classroom_allocation.h"
#include "solver/placement_state.h"

namespace fs = std::filesystem;

namespace {

class RoomAllocation : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_run_state();
    or_reset_model();
    or_reset_room_allocation();
    char pattern[] = "/tmp/kt_rooms_XXXXXX";
    dir_ = mkdtemp(pattern);
    old_ = fs::current_path();
    fs::current_path(dir_);
    EngineSchool& s = g_eng_school;
    s.class_code_length = 2;
    s.class_count = s.real_class_count = 3;
    s.teacher_count = 3;
    s.room_count = 3;
    s.support_class_start = 300;
    g_eng_run.days_per_week = 1;
    g_eng_run.longest_day = 4;
    s.hours_per_day[0] = 4;
    for (int c = 0; c < 3; ++c) {
      std::snprintf(g_eng_classes[c].code, kClassCodeSize, "%dA", c + 1);
      std::snprintf(g_eng_classes[c].display_name, 41, "%dA", c + 1);
      g_eng_classes[c].building = -1;
      std::snprintf(g_eng_rooms[c].name, kNameSize, "R%d", c);
      g_eng_rooms[c].home_class = -1;
      std::snprintf(g_eng_teachers[c].name, kNameSize, "T%d", c);
      g_eng_teachers[c].calendar_class = -1;
    }
    // Classes 1A and 2A at hours 0 and 1, class 3A at hours 2 and 3; teacher i teaches class i.
    add_lesson(0, 0);
    add_lesson(0, 1);
    add_lesson(1, 0);
    add_lesson(1, 1);
    add_lesson(2, 2);
    add_lesson(2, 3);
    rebuild();
    params_ = RoomAllocationParams{};
    params_.rooms_per_building[0] = 2;
    g_status.room_params = &params_;
    g_output_folder = ".\\";
  }
  void TearDown() override {
    g_status.room_params = nullptr;
    g_output_folder = nullptr;
    g_room_optimiser_max_cycles = 0;
    fs::current_path(old_);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  static void add_lesson(int c, int hour) {
    int l = g_eng_school.lesson_count++;
    EngineLesson& x = g_eng_lessons[l];
    x.teacher = c;
    x.class_index = c;
    x.room = c;
    x.second_teacher = x.common_room = x.second_common_room = x.lab_group = -1;
    x.chosen_laboratory = x.best_room = -1;
    x.day = 0;
    x.hour = static_cast<std::uint8_t>(hour);
  }
  static void rebuild() {
    or_rebuild_slot_index();
    or_rebuild_class_grids();
    or_rebuild_teacher_grids();
  }
  static void start_allocation() {
    g_room_allocation.first_allocation_room = g_eng_school.room_count;
    RoomAllocationParams* p = g_status.room_params.load();
    or_create_allocation_rooms(*p);
    or_bind_home_rooms();
  }
  static int room_of(int l) { return g_eng_lessons[l].room; }
  fs::path dir_, old_;
  RoomAllocationParams params_;
};

TEST_F(RoomAllocation, RoomsAreNamedByLanguageWithOneWidthForAll) {
  params_.rooms_per_building[0] = 12;
  start_allocation();
  EXPECT_EQ(g_eng_school.room_count, 15);
  EXPECT_STREQ(g_eng_rooms[3].name, "AULA:01");
  EXPECT_STREQ(g_eng_rooms[14].name, "AULA:12");
  EXPECT_EQ(g_eng_rooms[3].allocation_state, 2);
}

TEST_F(RoomAllocation, UnusedRoomsFirstThenAnyRoomFreeAtTheSlot) {
  start_allocation();
  or_initial_room_allocation();
  int expected[6] = {3, 3, 4, 4, 3, 3};  // 3A finds no unused room and takes AULA:1 where it is free
  for (int l = 0; l < 6; ++l) EXPECT_EQ(room_of(l), expected[l]) << l;
}

TEST_F(RoomAllocation, TeacherGroupingFitsTeachersWithoutCommonSlots) {
  params_.teachers_per_room = 1;
  EXPECT_EQ(or_assign_rooms_per_building(1, 0), 2);  // one room each
  params_.teachers_per_room = 3;
  // T0 opens a room; T1 shares hours with T0; T2 joins T0's room.
  EXPECT_EQ(or_assign_rooms_per_building(1, 1), 1);
  std::ifstream in(dir_ / "Allocazione Aule.txt");
  std::string rule, first, second, last;
  std::getline(in, rule);
  std::getline(in, first);
  std::getline(in, second);
  std::getline(in, last);
  EXPECT_EQ(rule, std::string(3 * 23 + 11, '-'));
  EXPECT_EQ(first, "|Aula   1 |                   T0 |                   T2 |                      |");
  EXPECT_EQ(second, "|Aula   2 |                   T1 |                      |                      |");
  EXPECT_EQ(last, rule);
  params_.teachers_per_room = 0;
  or_assign_rooms_per_building(1, 0);
  EXPECT_EQ(params_.teachers_per_room, 3);
}

}  // namespace
