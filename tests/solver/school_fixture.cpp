// Builds the synthetic schools of school_fixture.h.
#include "school_fixture.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include "engine/engine_random.h"
#include "engine/errors.h"
#include "engine/loader.h"
#include "engine/status_block.h"
#include "platform/paths.h"
#include "solver/initial_assignment.h"
#include "solver/placement_state.h"
#include "solver/search_weights.h"

void reset_run_state() {
  g_status.clear();
  g_eval_mode = 0;
  g_eng_run.report_flag = 0;
  g_eng_run.report_mode = 0;
  g_solver.search_phase = 0;
  g_solver.focus_teacher = -1;
  g_solver.worker_index = 0;
  g_building_mode_flags = 0;
  or_reset_constraint_tables();
}

void build_school(const SchoolSpec& spec, std::uint64_t seed) {
  or_reset_model();
  reset_run_state();
  EngineRandom random(seed);
  g_eng_run.days_per_week = static_cast<std::uint8_t>(spec.days);
  int slots = 0;
  for (int d = 0; d < spec.days; ++d) {
    g_eng_school.hours_per_day[d] = static_cast<std::uint8_t>(spec.hours);
    slots += spec.hours;
  }
  g_eng_run.weekly_slots = static_cast<std::uint8_t>(slots);
  g_eng_school.teacher_count = spec.teachers;
  g_eng_school.class_count = spec.classes;
  g_eng_school.real_class_count = spec.classes;
  for (int t = 0; t < spec.teachers; ++t) {
    std::snprintf(g_eng_teachers[t].name, kNameSize, "PROF%02d", t);
    g_eng_teachers[t].calendar_class = -1;
    g_eng_teachers[t].partner = -1;
    g_eng_teachers[t].weight = 1;
  }
  for (int c = 0; c < spec.classes; ++c) {
    std::snprintf(g_eng_classes[c].code, kClassCodeSize, "%d%c", 1 + c / 3, 'A' + c % 3);
    g_eng_classes[c].weight = 1;
  }
  // Teachers are spread so that no teacher gets more than its share of the week.
  int per_teacher_cap = slots * 3 / 4;
  int load[kMaxTeachers] = {};
  int n = 0;
  for (int c = 0; c < spec.classes; ++c) {
    for (int k = 0; k < spec.lessons_per_class; ++k) {
      EngineLesson& l = g_eng_lessons[n];
      int teacher = (c * 3 + k / 5) % spec.teachers;
      for (int tries = 0; load[teacher] >= per_teacher_cap && tries < spec.teachers; ++tries)
        teacher = (teacher + 1) % spec.teachers;
      ++load[teacher];
      l.teacher = teacher;
      l.class_index = c;
      l.subject = k / 5;
      l.room = c;
      l.second_teacher = -1;
      l.common_room = -1;
      l.day = kDayNotPlaced;
      if (k < spec.lab_lessons_per_class) {
        int second = (teacher + 1 + random.below(spec.teachers - 1)) % spec.teachers;
        if (load[second] < per_teacher_cap) {
          ++load[second];
          l.piece_kind = kHasLaboratoryPart;
          l.second_teacher = second;
        }
      }
      ++n;
    }
  }
  g_eng_school.lesson_count = n;
  for (int l = 0; l < n; ++l) {
    g_lesson_buildings[l] = {-1, -1, 0, 0};
    g_eng_lessons[l].building = -1;
  }
}

bool place_seeded(std::uint64_t seed) {
  g_engine_random.seed_with(seed);
  bool ok = or_place_lessons_randomly(1, 0) >= 0;
  ok = or_place_lessons_randomly(0, 0) >= 0 && ok;
  or_rebuild_class_grids();
  if (or_any_class_has_gap()) ok = or_repair_restored_timetable(g_eng_school.lesson_count) >= 0 && ok;
  or_rebuild_slot_index();
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
  return ok;
}

void place_all_lessons() { place_seeded(12345); }

CommandOutputFolders::CommandOutputFolders() : saved_(g_output_folder) {
  for (const char* folder : {".\\Orario\\", ".\\RisultatoTest\\"})
    std::filesystem::create_directories(kt::translate_path(folder));
  g_output_folder = ".\\Orario\\";
}

CommandOutputFolders::~CommandOutputFolders() { g_output_folder = saved_; }

TempCommandFolder::TempCommandFolder() {
  char pattern[] = "/tmp/kt_command_XXXXXX";
  folder_ = mkdtemp(pattern);
  old_ = std::filesystem::current_path();
  std::filesystem::current_path(folder_);
  outputs_ = std::make_unique<CommandOutputFolders>();
}

TempCommandFolder::~TempCommandFolder() {
  outputs_.reset();
  std::filesystem::current_path(old_);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

SchoolCopy::SchoolCopy(const std::string& name, const std::string& folder_name) {
  namespace fs = std::filesystem;
  char pattern[] = "/tmp/kt_solver_XXXXXX";
  root_ = mkdtemp(pattern);
  folder_ = root_ / (folder_name.empty() ? name : folder_name);
  fs::copy(fs::path(KT_SOURCE_DIR) / "examples" / name, folder_, fs::copy_options::recursive);
}

SchoolCopy::~SchoolCopy() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void LoadedSampleSchool::SetUp() {
  copy_ = std::make_unique<SchoolCopy>(GetParam());
  old_ = std::filesystem::current_path();
  std::filesystem::current_path(copy_->folder());
  reset_run_state();
  or_reset_model();
  or_load_description("scuola2.txt", 1);
  reset_run_state();
  ASSERT_GT(g_eng_school.lesson_count, 0);
}

void LoadedSampleSchool::TearDown() {
  std::filesystem::current_path(old_);
  copy_.reset();
}

void expect_grids_rebuilt(const char* where) {
  static EngineClass classes[kMaxClasses];
  static EngineTeacher teachers[kMaxTeachers];
  int nc = g_eng_school.class_count, nt = g_eng_school.teacher_count;
  for (int c = 0; c < nc; ++c) classes[c] = g_eng_classes[c];
  for (int t = 0; t < nt; ++t) teachers[t] = g_eng_teachers[t];
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
  for (int c = 0; c < nc; ++c) {
    EXPECT_EQ(std::memcmp(classes[c].week_grid, g_eng_classes[c].week_grid, sizeof classes[c].week_grid), 0)
        << where << " class " << c;
    EXPECT_EQ(std::memcmp(classes[c].teacher_grid, g_eng_classes[c].teacher_grid, sizeof classes[c].teacher_grid), 0)
        << where << " class " << c;
  }
  for (int t = 0; t < nt; ++t) {
    EXPECT_EQ(std::memcmp(teachers[t].class_per_slot, g_eng_teachers[t].class_per_slot, sizeof teachers[t].class_per_slot), 0)
        << where << " teacher " << t;
    EXPECT_EQ(std::memcmp(teachers[t].lesson_per_slot, g_eng_teachers[t].lesson_per_slot, sizeof teachers[t].lesson_per_slot), 0)
        << where << " teacher " << t;
  }
}

void expect_sound_placement(const char* where) {
  expect_grids_rebuilt(where);
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    ASSERT_EQ(or_find_lesson_conflict(l), kNoConflict) << where << " lesson " << l;
  EXPECT_EQ(or_any_class_has_gap(), 0) << where;
  for (int s = 0; s < kWeekSlots; ++s) {
    int user[kMaxRooms];  // class holding each room at this slot (joint lessons share theirs)
    for (int& u : user) u = -1;
    for (std::uint32_t k = 0; k < g_slot_lessons[s].count; ++k) {
      int l = g_slot_lessons[s].lesson[k];
      if (l < 0) continue;
      int room = g_eng_lessons[l].room;
      if (room < 0 || room >= kMaxRooms) continue;
      int c = g_eng_lessons[l].class_index;
      EXPECT_TRUE(user[room] == -1 || user[room] == c) << where << " room " << room << " slot " << s;
      user[room] = c;
    }
  }
}

std::string file_text(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int run_orario_in(const std::filesystem::path& folder, const std::filesystem::path& root,
                  const std::string& arguments, std::string* out) {
  std::string binary = std::string(KT_BINARY_DIR) + "/apps/orario/orario";
  std::filesystem::path log = root / "orario.out";
  std::string command = "cd '" + folder.string() + "' && env -i PATH=/usr/bin:/bin LANG=it_IT.UTF-8 " +
                        "KESTRINTEMPUS_ROOT='" + root.string() + "' '" + binary + "' " + arguments + " >'" +
                        log.string() + "' 2>&1";
  int raw = std::system(command.c_str());
  if (out) *out = file_text(log);
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : 1000 + WTERMSIG(raw);
}
