// Golden dumps of loaded models: a description loaded through "SYNT:" and its
// model written as text, compared with the dump under tests/data/loader.
// KT_UPDATE_GOLDEN=1 rewrites the dumps after a deliberate change.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "loader_harness.h"
#include "platform/cp1252.h"

namespace {

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* pattern, ...) {
  char buffer[512];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(buffer, sizeof(buffer), pattern, args);
  va_end(args);
  return buffer;
}

std::string grid_text(const std::uint8_t* grid) {
  if (grid[0] == 255) return "-";
  std::string out;
  for (int d = 0; d < kDays; ++d) {
    if (d) out += '/';
    for (int h = 0; h < kHoursPerDay; ++h) out += grid[d * kHoursPerDay + h] ? '1' : '0';
  }
  return out;
}

std::string dump_model() {
  const EngineSchool& s = g_eng_school;
  std::string out = format("school [%s] header [%s] code-length %d days %d longest %d weekly %d\n", s.title,
                           s.header2, s.class_code_length, g_eng_run.days_per_week, g_eng_run.longest_day,
                           g_eng_run.weekly_slots);
  for (int d = 0; d < kDays; ++d)
    out += format("day %d %s hours %d provisional %d short %d\n", d, s.day_codes[d], s.hours_per_day[d],
                  s.provisional_hours_per_day[d], s.short_day[d]);
  out += format("maxbuday %d-%d standby %d band %d\n", s.maxbuday[0], s.maxbuday[1], s.standby_percentage,
                s.standby_band.count);
  for (int b = 0; b < s.building_count; ++b) {
    const EngineBuilding& x = g_eng_buildings[b];
    out += format("building %d [%s] sections %d classes %d conditions %d no-move %d\n", b, x.name, x.section_count,
                  x.class_count, x.condition_count, x.no_move);
  }
  for (int c = 0; c < s.class_count; ++c) {
    const EngineClass& x = g_eng_classes[c];
    out += format("class %d [%s] parent %d building %d kind %d type %d rotation %d display [%s] calendar %s\n", c,
                  x.code, x.parent, x.building, x.kind, x.room_type, x.rotazix, x.display_name,
                  grid_text(x.special_calendar).c_str());
  }
  for (int r = 0; r < s.room_count; ++r) {
    const EngineRoom& x = g_eng_rooms[r];
    out += format("room %d [%s] lab %d building %d hours %s\n", r, x.name, x.lab_flag, x.kind_or_building,
                  x.lab_flag ? grid_text(x.availability).c_str() : "");
  }
  for (int c = 0; c < s.common_room_count; ++c) {
    const EngineCommonRoom& x = g_eng_common_rooms[c];
    out += format("common %d [%s] subjects %d %d %d %d admitted %d needed %d building %d\n", c, x.name,
                  x.subjects[0], x.subjects[1], x.subjects[2], x.subjects[3], x.admitted_attendance,
                  x.needed_attendance, x.building);
  }
  for (int g = 0; g < s.lab_group_count; ++g)
    out += format("lab-group %d [%s] first room %d\n", g, g_eng_lab_groups[g].name, g_eng_lab_groups[g].rooms[0]);
  for (int i = 0; i < s.subject_count; ++i) {
    const EngineSubject& x = g_eng_subjects[i];
    out += format("subject %d [%s] [%s] pause %d\n", i, x.group_name, x.specific_name, x.pause_flag);
  }
  for (int t = 0; t < s.teacher_count; ++t) {
    const EngineTeacher& x = g_eng_teachers[t];
    out += format(
        "teacher %d [%s] type %d pseudo %d main %d partner %d subject %d contract %d free %d/%d forbidden %s "
        "allowed %s tasks %d class-off %d\n",
        t, x.name, x.type_flags, x.pseudo_flag, x.main_teacher, x.partner,
        x.subject_index == 0xFFFF ? -1 : x.subject_index, x.contract_values[0], x.free_day_count,
        x.alt_free_day_count, grid_text(x.forbidden_hours).c_str(), grid_text(x.allowed_hours).c_str(), x.task_count,
        x.class_off_count);
  }
  for (int i = 0; i < s.lesson_count; ++i) {
    const EngineLesson& x = g_eng_lessons[i];
    out += format(
        "lesson %d line %d teacher %d class %d subject %d room %d kind 0x%02x part %d second %d part-line %d "
        "block %d/%d maps [%s][%s][%s][%s] common %d joint %d lab-group %d\n",
        i, x.line_number, x.teacher.get(), x.class_index.get(), x.subject, x.room.get(), x.piece_kind.get(), x.part_subject,
        x.second_teacher.get(), x.part_line_number, x.block_length, x.part_block_length, x.consecutive_maps[0],
        x.consecutive_maps[1], x.consecutive_maps[2], x.consecutive_maps[3], x.common_room.get(), x.joint_count,
        x.lab_group);
  }
  return out;
}

TEST(LoaderGolden, SamplesLoadToTheirStoredModels) {
  const std::string data = std::string(KT_TEST_DATA) + "/loader/", examples = std::string(KT_SOURCE_DIR) + "/examples/";
  for (const auto& [description, golden] : {std::pair{data + "small/scuola2.txt", "small_model.txt"},
                                            {examples + "liceo/scuola2.txt", "liceo_model.txt"},
                                            {examples + "piccola/scuola2.txt", "piccola_model.txt"}}) {
    std::string bytes = engine_test::read_file(description);
    ASSERT_FALSE(bytes.empty()) << description;
    loader_test::Outcome outcome = loader_test::run_synt(bytes);
    ASSERT_EQ(outcome.code, 0) << description << ": " << outcome.message;
    std::string dump = kt::cp1252_to_utf8(dump_model());
    const char* update = std::getenv("KT_UPDATE_GOLDEN");
    if (update != nullptr && update[0] == '1') engine_test::write_file(data + golden, dump);
    EXPECT_EQ(dump, engine_test::read_file(data + golden)) << golden;
  }
}

}  // namespace
