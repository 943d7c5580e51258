// Taking over a previous timetable after the teaching posts changed, the
// rebuild of the special-calendar lessons around a loaded timetable, and a
// parallel worker's starting timetable.
//
// The recovery matches each lesson of the new model to a line of the last
// save with the same class, teacher and second teacher (by names, so index
// shifts do not matter), keeps every match that does not clash, and places
// the rest in the first free slots. Stand-by and support lines are carried
// over unchanged through ".\\tempfileDS.txt", which the next save appends.
// In provisional mode the provisional save is read: the normal timetable is
// never mixed into the provisional one. The user's save files are only read
// here; the caller writes the recovered timetable through the normal save.
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/engine_main.h"
#include "engine/engine_random.h"
#include "engine/engine_services.h"
#include "engine/model_post_passes.h"
#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/placement_check.h"
#include "engine/placement_services.h"
#include "engine/save_files.h"
#include "engine/save_line.h"
#include "engine/shell_services.h"
#include "engine/special_calendars.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"

namespace {

struct SavedSlot {
  bool used = false;
  int day = 0;
  int hour = 0;
  int class_index = -1;
  int teacher = -1;
  int second = -1;
};

int class_by_code(const std::string& code, int written) {
  for (int c = 0; c < g_eng_school.class_count; ++c)
    if (code == g_eng_classes[c].code) return c;
  return written >= 0 && written < g_eng_school.class_count ? written : -1;
}

int teacher_by_name(const std::string& name, int written) {
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (name == g_eng_teachers[t].name) return t;
  return written >= 0 && written < g_eng_school.teacher_count ? written : -1;
}

int lesson_second(int i) { return or_lesson_has_second(i) ? g_eng_lessons[i].second_teacher : -1; }

bool read_saved_slots(std::FILE* in, std::FILE* carried, std::vector<SavedSlot>& slots) {
  char line[408];
  while (or_read_line(line, 400, in) != nullptr) {
    if (std::strlen(line) < 5) continue;
    if (save_line_pseudo_letter(line) != 0) {
      std::fputs(line, carried);
      std::size_t n = std::strlen(line);
      if (n == 0 || line[n - 1] != '\n') std::fputc('\n', carried);
      continue;
    }
    SaveLine s;
    if (!parse_save_line(line, s) || s.day < 0) continue;
    SavedSlot slot;
    slot.day = s.day;
    slot.hour = s.hour;
    slot.class_index = class_by_code(s.class_code, s.class_index);
    slot.teacher = teacher_by_name(s.teacher, s.teacher_index);
    slot.second = s.second_index < 0 ? -1 : teacher_by_name(s.second_teacher, s.second_index);
    slots.push_back(slot);
  }
  return std::ferror(carried) == 0;
}

void match_saved_slots(std::vector<SavedSlot>& slots, SlotOccupancy& occupancy) {
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (or_is_calendar_teacher(l.teacher)) break;
    for (SavedSlot& s : slots) {
      if (s.used || s.class_index != l.class_index || s.teacher != l.teacher || s.second != lesson_second(i))
        continue;
      if (!or_slot_in_week(s.day, s.hour)) continue;
      if (occupancy.clash_at(i, s.day, s.hour) >= 0) continue;
      or_place_lesson_everywhere(i, s.day, s.hour);
      occupancy.add(i);
      s.used = true;
      break;
    }
  }
}

void place_left_over(SlotOccupancy& occupancy) {
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    if (or_lesson_placed(i) || or_is_calendar_teacher(g_eng_lessons[i].teacher)) continue;
    bool done = false;
    for (int h = 0; h < kHoursPerDay && !done; ++h)
      for (int d = 0; d < or_week_days() && !done; ++d) {
        if (h >= or_day_hours(d) || occupancy.clash_at(i, d, h) >= 0) continue;
        or_place_lesson_everywhere(i, d, h);
        occupancy.add(i);
        done = true;
      }
  }
}

bool all_placed() {
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (!or_lesson_placed(i)) return false;
  return true;
}

}  // namespace

int or_recover_previous_timetable() {
  if (g_process_number != 0) return -1;
  if (g_recovery_allowed == 0) return -2;
  g_recovery_allowed = 0;
  or_rebuild_calendar_lessons(1);

  std::FILE* in = or_fopen(g_provisional_mode ? ".\\saveprov.txt" : ".\\savego.txt", "rt");
  if (in == nullptr) return -1;
  std::FILE* carried = or_fopen(".\\tempfileDS.txt", "wt");
  if (carried == nullptr) {
    or_fclose(in);
    return -1;
  }
  std::vector<SavedSlot> slots;
  bool ok = read_saved_slots(in, carried, slots);
  or_fclose(in);
  if (or_fclose(carried) != 0 || !ok)
    or_raise_file_error(".\\tempfileDS.txt", "", "..\\Orario\\OR_SAVE", 919);

  for (int i = 0; i < g_eng_school.lesson_count; ++i) or_place_lesson_everywhere(i, -1, 0);
  SlotOccupancy occupancy;
  match_saved_slots(slots, occupancy);
  place_left_over(occupancy);

  or_rebuild_calendar_lessons(1);
  if (!all_placed()) {
    or_rebuild_calendar_lessons(0);
    int placed = 0;
    for (int i = 0; i < g_eng_school.lesson_count; ++i) placed += or_lesson_placed(i) ? 1 : 0;
    g_engine_services.place_remaining_randomly(2, placed);
    placed = 0;
    for (int i = 0; i < g_eng_school.lesson_count; ++i) placed += or_lesson_placed(i) ? 1 : 0;
    g_engine_services.place_remaining_randomly(2, placed);
    or_rebuild_calendar_lessons(1);
  }
  for (int i = 0; i < g_eng_school.lesson_count && or_lesson_placed(i); ++i)
    g_current_placement[i] = or_lesson_place_value(i);
  return 0;
}

int or_rebuild_calendar_lessons(int mode) {
  or_drop_calendar_lessons();
  if (mode != 0) {
    or_create_calendar_lessons(0);
    or_count_hours(0);
    or_place_calendar_lessons();
  }
  int placed = 0;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) placed += or_lesson_placed(i) ? 1 : 0;
  if (mode == 2 && placed == g_eng_school.lesson_count) {
    for (int i = 0; i < g_eng_school.lesson_count; ++i) g_current_placement[i] = or_lesson_place_value(i);
    or_save_timetable(kSaveNormal);
  }
  return placed;
}

void or_restore_worker_timetable() {
  if (g_parpro_area == nullptr) return;
  const std::uint8_t* area = g_parpro_area;
  // The main process may publish again at any moment: read the timetable
  // and the point counters as one copy under the area's mutex. The wait is
  // bounded (a stuck process may hold it); the caller checks the copy for
  // clashes and keeps its own placement when it is torn.
  bool held = or_wait_mutex_for(g_parpro_com_mutex, 2000);
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    std::uint16_t v;
    std::memcpy(&v, area + 501 + 2 * i, sizeof v);
    g_eng_lessons[i].day = static_cast<std::uint8_t>(v & 0xFF);
    g_eng_lessons[i].hour = static_cast<std::uint8_t>(v >> 8);
    g_placement_copy[i] = v;
    g_current_placement[i] = v;
  }
  int n = g_eng_school.teacher_count;
  std::vector<std::uint32_t> values(static_cast<std::size_t>(n));
  std::uint32_t largest = 0, smallest = 0;
  for (int t = 0; t < n; ++t) {
    std::memcpy(&values[t], area + 20501 + 4 * t, sizeof(std::uint32_t));
    largest = values[t] > largest ? values[t] : largest;
    if (values[t] != 0 && (smallest == 0 || values[t] < smallest)) smallest = values[t];
  }
  if (held) or_release_mutex(g_parpro_com_mutex);
  for (int t = 0; t < n; ++t) {
    std::uint32_t v = values[t];
    if (g_process_number == 2) v = largest - v;
    else if (g_process_number == 3) v = static_cast<std::uint32_t>(g_engine_random.below(n));
    else if (smallest != 0) v = v / smallest;
    g_eng_teachers[t].points = v;
    g_eng_teachers[t].points2 = v;
  }
}
