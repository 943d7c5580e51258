// Storage of the engine's school model and its reset before every load.
//
// The tables are static arrays of plain records (about 40 MB in all, mostly
// the teachers' task and class-off records), cleared field block by field
// block with memset: every record is trivially copyable and all-zero is a
// valid empty record. The reset runs once per command, so its cost (a few
// milliseconds) does not matter; its order follows the fields it sets.
#include "engine/model.h"

#include <cstring>
#include <type_traits>

#include "engine/status_block.h"

EngineLesson g_eng_lessons[kMaxLessons];

void or_clear_lesson(EngineLesson& lesson) {
  std::memset(static_cast<void*>(&lesson), 0, sizeof(lesson));
  or_lesson_fields_changed();
}
std::uint64_t g_lesson_field_writes = 0;
std::uint64_t g_lesson_common_room_writes = 0;
EngineTeacher g_eng_teachers[kMaxTeachers];
EngineClass g_eng_classes[kMaxClasses];
EngineSubject g_eng_subjects[kMaxSubjects];
EngineRoom g_eng_rooms[kMaxRooms];
EngineCommonRoom g_eng_common_rooms[kMaxCommonRooms];
EngineBuilding g_eng_buildings[kMaxBuildings];
EngineLabGroup g_eng_lab_groups[kMaxLabGroups];
EngineSchool g_eng_school;
EngineRunState g_eng_run;

namespace {

// A lesson record copies by assignment (the watched fields count the
// write) and is cleared as raw memory by or_clear_lesson.
static_assert(std::is_standard_layout_v<EngineLesson> && std::is_trivially_destructible_v<EngineLesson> &&
              std::is_trivially_default_constructible_v<EngineLesson>);
static_assert(std::is_trivially_copyable_v<EngineTeacher>);
static_assert(std::is_trivially_copyable_v<EngineClass>);
static_assert(std::is_trivially_copyable_v<EngineSchool>);

template <typename T>
void zero(T& object) {
  std::memset(static_cast<void*>(&object), 0, sizeof(object));
}

void fill_band(BandTable& table) {
  std::memset(table.pairs, 0xFF, sizeof(table.pairs));
  table.count = 0;
}

}  // namespace

void or_reset_model() {
  // The day names are set for the user's language before the load and
  // survive the reset of the school settings.
  char day_names[kDays][kNameSize];
  char day_abbrevs[kDays][4];
  std::memcpy(day_names, g_eng_school.day_names, sizeof(day_names));
  std::memcpy(day_abbrevs, g_eng_school.day_abbrevs, sizeof(day_abbrevs));
  zero(g_eng_school);
  std::memcpy(g_eng_school.day_names, day_names, sizeof(day_names));
  std::memcpy(g_eng_school.day_abbrevs, day_abbrevs, sizeof(day_abbrevs));
  g_eng_school.class_code_length = 2;

  zero(g_eng_teachers);
  for (EngineTeacher& t : g_eng_teachers) {
    t.reset_marker = 255;
    for (auto& pair : t.reset_pairs) pair[0] = 255;
  }
  g_eng_school.option_flags |= 2;  // the joint-entry option
  g_eng_run.reset_value_a = -1;

  g_status.stage_id = -1;
  g_status.stage_value = -1;
  g_status.gap_stage_teacher = -1;

  g_eng_run.run_mode = 0;
  g_eng_run.prepared = 0;
  g_eng_run.parameters_prepared = 0;
  // Counted again from the new school's teachers (TEKNO, or a staged run's
  // subset): the flags it counts are cleared with the teachers below.
  g_eng_run.tekgrado_teacher_count = 0;
  g_eng_run.search_start = 0;
  g_eng_run.labrifol_flag = 0;
  g_eng_run.longest_class_name = 0;
  std::memset(g_eng_run.cleared_bytes, 0, sizeof(g_eng_run.cleared_bytes));
  g_eng_run.one_byte = 1;
  g_eng_run.full_byte = 255;

  zero(g_eng_subjects);
  zero(g_eng_buildings);
  zero(g_eng_classes);
  for (EngineClass& c : g_eng_classes) c.reset_marker = 255;
  zero(g_eng_lab_groups);
  zero(g_eng_rooms);
  zero(g_eng_lessons);
  or_lesson_fields_changed();
  zero(g_eng_common_rooms);

  EngineSchool& s = g_eng_school;
  for (BandTable* band : {&s.ihpresenza, &s.ihinsegna, &s.ihconpresenza, &s.ihconinsegna,
                          &s.ihlabpresenza, &s.ihlabinsegna, &s.ihbuche, &s.iggiorni,
                          &s.materiehsg, &s.ihsg, &s.enterexit, &s.gruppioremax})
    fill_band(*band);

  g_eng_run.reset_value_b = -1;
  g_status.teacher_total = -1;
  g_status.gap_count = -1;
  g_eng_run.reset_zero[0] = 0;
  g_eng_run.reset_zero[1] = 0;
}

void or_add_teacher_count() { ++g_eng_school.teacher_count; }

int or_band_lookup(const BandTable& table, int key) {
  int count = table.count > kBandPairs ? kBandPairs : table.count;
  for (int i = 0; i < count; ++i)
    if (table.pairs[i][0] >= key) return static_cast<std::uint8_t>(table.pairs[i][1]);
  return static_cast<std::uint8_t>(table.pairs[count][1]);
}
