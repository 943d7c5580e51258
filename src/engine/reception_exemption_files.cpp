// Reception hours and granted exemptions (see reception_exemption_files.h).
//
// Both files are small (one line per teacher; one line per exemption) and
// are read once per command. Every record read from them is range-checked
// before it reaches a table: a reception line whose teacher is neither at
// its index nor anywhere else by its name, a day or hour outside the week,
// a record longer than 219 bytes or a non-hex digit is refused (the line or
// the pair is skipped, a short record zero-filled).
// Writes go through a temporary file and a rename; the appending exemption
// writer copies the old file first, so a failed append loses nothing.
#include "engine/reception_exemption_files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "engine/engine_random.h"
#include "engine/errors.h"
#include "engine/save_files.h"
#include "engine/school_file_writes.h"
#include "engine/lesson_links.h"
#include "engine/shell_services.h"
#include "engine/teacher_availability.h"
#include "engine/text_lines.h"
#include "platform/paths.h"

StoredExemption g_exemption_current;
int (*g_exemption_applier)(const StoredExemption& record) = nullptr;

namespace {

constexpr const char* kReceptionFile = ".\\ricevi.txt";
constexpr const char* kExemptionFile = ".\\scuola3.txt";
constexpr const char* kProvisionalExemptionFile = ".\\scuola3P.txt";
constexpr int kReceptionLineLimit = 200;
constexpr int kExemptionLineLimit = 656;

std::vector<StoredExemption> g_reloaded;

// The wait is bounded: a process frozen while it holds the mutex must not
// hold up this one. The files are replaced by rename, so a reader without
// the mutex still sees either the old or the new file whole.
struct IoMutexHold {
  bool held;
  IoMutexHold() : held(or_wait_mutex_for(g_parpro_io_mutex, 2000)) {}
  ~IoMutexHold() {
    if (held) or_release_mutex(g_parpro_io_mutex);
  }
};

void put_u32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
std::uint32_t get_u32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The teacher's lessons per slot, from the placement. The lessons he gives
// an articulated group stand under a teacher of their own, named after him:
// he is in that classroom all the same.
void teacher_week(int t, bool* busy) {
  std::memset(busy, 0, kWeekSlots);
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (!or_lesson_placed(i) || l.day >= kDays || l.hour >= kHoursPerDay) continue;
    if (or_lesson_is_teachers(i, t)) busy[l.day * kHoursPerDay + l.hour] = true;
  }
}

}  // namespace

// Parents come to see the people who teach: a special calendar's
// pseudo-teacher, the "_LAB" stand-in of a lab's assistant hours and the
// stand-in of a teacher for an articulated group are no one to receive them
// (the teacher himself receives them, once).
bool or_teacher_receives_parents(int t) {
  if (t < 0 || t >= g_eng_school.teacher_count) return false;
  if ((g_eng_teachers[t].type_flags & kTeacherLabPseudo) != 0) return false;
  if (g_eng_teachers[t].source_teacher > 0) return false;
  return g_eng_teachers[t].calendar_class < 0 || !or_is_calendar_teacher(t);
}

bool or_teacher_in_class_at(int t, int day, int hour) { return or_teacher_lesson_at(t, day, hour) >= 0; }

int or_teacher_lesson_at(int t, int day, int hour) {
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (or_lesson_placed(i) && l.day == day && l.hour == hour && or_lesson_is_teachers(i, t)) return i;
  }
  return -1;
}

int or_teacher_behind(int t) {
  if (t < 0 || t >= g_eng_school.teacher_count) return -1;
  int source = g_eng_teachers[t].source_teacher;
  return source > 0 && source <= g_eng_school.teacher_count ? source - 1 : t;
}

bool or_lesson_is_teachers(int i, int t) {
  const EngineLesson& l = g_eng_lessons[i];
  auto stands_for = [&](int who) { return who == t || (who >= 0 && or_teacher_behind(who) == t); };
  return stands_for(l.teacher) || (or_lesson_has_second(i) && stands_for(l.second_teacher));
}

StoredExemption or_exemption_from_violation(const ViolationRecord& v, std::uint8_t request) {
  StoredExemption r{};
  r.bytes[0] = request;
  std::uint32_t words[6] = {v.constraint_id, v.teacher, v.class_index, v.detail, v.count, v.record_number};
  for (int i = 0; i < 6; ++i) put_u32(r.bytes + kExemptionIdOffset + 4 * i, words[i]);
  std::memcpy(r.bytes + kExemptionTextOffset, v.text, 41);
  std::memcpy(r.bytes + kExemptionMapOffset, v.detail_map, 129);
  return r;
}

void or_format_exemption_line(const StoredExemption& record, char* out, int size) {
  if (size < 4 + 2 * kExemptionRecordSize + 3) {
    if (size > 0) out[0] = '\0';
    return;
  }
  int n = std::snprintf(out, static_cast<std::size_t>(size), "%04u", static_cast<unsigned>(kExemptionRecordSize));
  for (int i = 0; i < kExemptionRecordSize; ++i) n += std::snprintf(out + n, 3, "%02x", record.bytes[i]);
  std::memcpy(out + n, "\r\n", 3);
}

bool or_parse_exemption_line(const char* line, StoredExemption& out) {
  if (std::strlen(line) < 10) return false;
  int length = 0;
  for (int i = 0; i < 4; ++i) {
    if (line[i] < '0' || line[i] > '9') return false;
    length = length * 10 + (line[i] - '0');
  }
  if (length > kExemptionRecordSize) return false;
  StoredExemption r{};
  const char* p = line + 4;
  for (int i = 0; i < length; ++i) {
    int hi = hex_digit(p[2 * i]);
    if (hi < 0) break;
    int lo = hex_digit(p[2 * i + 1]);
    if (lo < 0) break;
    r.bytes[i] = static_cast<std::uint8_t>(hi * 16 + lo);
  }
  out = r;
  return true;
}

void or_write_reception_slots() {
  // A trial run's reception hours belong to its trial timetable.
  if (g_process_number != 0 || or_is_test_run()) return;
  ReplacementFile file;
  or_open_or_raise(file, kReceptionFile, "");
  char line[kReceptionLineLimit * 2], work[kReceptionLineLimit * 4 + 16];
  bool busy[kWeekSlots];
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    const EngineTeacher& x = g_eng_teachers[t];
    if (!or_teacher_receives_parents(t)) continue;
    teacher_week(t, busy);
    int n = std::snprintf(line, sizeof line, "%d%c%s%c%d%c%d%c", t, '|', x.name, '|', x.reset_marker, '|',
                          x.reception_hour, '|');
    for (int k = 0; k < kReceptionCandidates; ++k) {
      int d = static_cast<std::int8_t>(x.reset_pairs[k][0]), h = static_cast<std::int8_t>(x.reset_pairs[k][1]);
      if (d < 0 || d >= kDays || h < 0 || h >= kHoursPerDay || busy[d * kHoursPerDay + h]) continue;
      n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), "%d%c%d%c", d, '|', h, '|');
    }
    std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), "\n");
    or_write_scrambled_line(file.stream(), line, work);
  }
  or_commit_or_raise(file, kReceptionFile, "");
}

int or_read_reception_slots() {
  if (g_provisional_mode) {
    for (int t = 0; t < g_eng_school.teacher_count; ++t) {
      g_eng_teachers[t].reception_handled = 1;
      g_eng_teachers[t].reset_marker = 255;
    }
    return 0;
  }
  IoMutexHold io;
  std::FILE* f = or_fopen(kReceptionFile, "rt");
  if (f == nullptr) return -1;
  char line[kReceptionLineLimit + 8];
  int result = 0;
  // Off an engine command's thread the reader ends at a read error as at the
  // end of the file: ferror (or errno, for the reader's test seam) tells
  // them apart, and a reception table cut short is no table.
  bool read_failed = false;
  for (;;) {
    errno = 0;
    if (or_read_line(line, kReceptionLineLimit, f) == nullptr) {
      read_failed = std::ferror(f) != 0 || errno != 0;
      break;
    }
    std::vector<char*> fields;
    char* p = line;
    while (*p != '\0' && *p != '\n' && *p != '\r') {
      char* bar = std::strchr(p, '|');
      if (bar == nullptr) break;
      *bar = '\0';
      fields.push_back(p);
      p = bar + 1;
    }
    if (fields.size() < 4) {
      result = -2;
      break;
    }
    char* end = nullptr;
    long t = std::strtol(fields[0], &end, 10);
    if (end == fields[0] || t < 0) continue;
    // The line names its teacher: a teacher added or removed since the file
    // was written moves the others' indexes, and an hour follows the name,
    // never another teacher's index. A name no longer there gets nothing.
    if (t >= g_eng_school.teacher_count || std::strncmp(g_eng_teachers[t].name, fields[1], kNameSize) != 0) {
      t = -1;
      for (int u = 0; u < g_eng_school.teacher_count && t < 0; ++u)
        if (std::strncmp(g_eng_teachers[u].name, fields[1], kNameSize) == 0) t = u;
      if (t < 0) continue;
    }
    EngineTeacher& x = g_eng_teachers[t];
    long d = std::strtol(fields[2], nullptr, 10), h = std::strtol(fields[3], nullptr, 10);
    bool valid = d >= 0 && d < kDays && h >= 0 && h < kHoursPerDay;
    x.reset_marker = static_cast<std::uint8_t>(valid ? d : 255);
    x.reception_hour = static_cast<std::uint8_t>(valid ? h : 0);
    for (auto& pair : x.reset_pairs) pair[0] = 255;
    int k = 0;
    for (std::size_t i = 4; i + 1 < fields.size() && k < kReceptionCandidates; i += 2) {
      long cd = std::strtol(fields[i], nullptr, 10), ch = std::strtol(fields[i + 1], nullptr, 10);
      if (cd < 0 || cd >= kDays || ch < 0 || ch >= kHoursPerDay) continue;
      x.reset_pairs[k][0] = static_cast<std::uint8_t>(cd);
      x.reset_pairs[k][1] = static_cast<std::uint8_t>(ch);
      ++k;
    }
  }
  int error = errno;
  or_fclose(f);
  if (read_failed) {
    errno = error != 0 ? error : EIO;
    or_raise_file_error(kReceptionFile, or_read_failure_reason(or_language()), kSourceUtil, 1490);
  }
  return result;
}

void or_pick_reception_hour(int t) {
  EngineTeacher& x = g_eng_teachers[t];
  bool busy[kWeekSlots];
  teacher_week(t, busy);
  auto at = [&](int d, int h) { return h >= 0 && h < or_day_hours(d) && busy[d * kHoursPerDay + h]; };
  // A free hour the teacher is not at the school's disposal (a forbidden
  // hour between two lessons, say) is no hour for parents to come.
  auto open = [&](int d, int h) { return !busy[d * kHoursPerDay + h] && !or_teacher_slot_closed(t, d, h); };
  for (int d = 0; d < or_week_days(); ++d) {
    bool before = at(d, 0);
    for (int h = 1; h + 1 < or_day_hours(d); ++h) {
      if (open(d, h) && before && at(d, h + 1)) {
        x.reset_marker = static_cast<std::uint8_t>(d);
        x.reception_hour = static_cast<std::uint8_t>(h);
        return;
      }
      before = before || at(d, h);
    }
  }
  int days = or_week_days();
  for (int draw = 0; draw < 1000 && days > 0; ++draw) {
    int d = g_engine_random.below(days);
    int hours = or_day_hours(d);
    if (hours <= 0) {
      g_engine_random.next();
      continue;
    }
    int h = g_engine_random.below(hours);
    if (open(d, h) && (at(d, h - 1) || at(d, h + 1))) {
      x.reset_marker = static_cast<std::uint8_t>(d);
      x.reception_hour = static_cast<std::uint8_t>(h);
      return;
    }
  }
  x.reset_marker = 255;
}

void or_allocate_reception_hours() {
  or_read_reception_slots();
  bool changed = false;
  bool busy[kWeekSlots];
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    if (!or_teacher_receives_parents(t)) {
      // A line left for it in an older file gives it no hour.
      x.reset_marker = 255;
      continue;
    }
    if (x.reception_handled != 0 || x.reception_exclusions[0] != 0 || x.reception_exclusions[1] != 0) {
      x.reset_marker = 255;
      continue;
    }
    teacher_week(t, busy);
    bool has = x.reset_marker < kDays && x.reception_hour < kHoursPerDay;
    if (!has || busy[x.reset_marker * kHoursPerDay + x.reception_hour] ||
        or_teacher_slot_closed(t, x.reset_marker, x.reception_hour)) {
      or_pick_reception_hour(t);
      changed = true;
    }
  }
  if (changed) or_write_reception_slots();
}

void or_append_exemption(int init) {
  if (g_process_number != 0 || or_is_test_run()) return;
  const char* name = g_provisional_mode ? kProvisionalExemptionFile : kExemptionFile;
  StoredExemption record{};
  if (init != 0) {
    if (or_file_exists_now(kExemptionFile)) return;
  } else {
    record = g_exemption_current;
    std::uint32_t id = get_u32(record.bytes + kExemptionIdOffset);
    std::uint32_t who = get_u32(record.bytes + (id >= 75 ? kExemptionClassOffset : kExemptionTeacherOffset));
    char* field = reinterpret_cast<char*>(record.bytes + kExemptionNameOffset);
    std::memset(field, 0, kNameSize);
    if (id >= 75 && static_cast<int>(who) < g_eng_school.class_count)
      std::snprintf(field, kNameSize, "%.20s", g_eng_classes[who].display_name);
    else if (id < 75 && static_cast<int>(who) < g_eng_school.teacher_count)
      std::snprintf(field, kNameSize, "%.20s", g_eng_teachers[who].name);
  }
  ReplacementFile file;
  // A granted exemption is the user's decision and the parallel workers
  // read it at once: it goes straight to the file and stays, whatever
  // becomes of the command that granted it.
  if (init == 0) file.set_direct(false);
  or_open_or_raise(file, name, "", true);
  or_copy_current_or_raise(file, name, "");
  char line[4 + 2 * kExemptionRecordSize + 8];
  or_format_exemption_line(record, line, sizeof line);
  std::fputs(line, file.stream());
  or_commit_or_raise(file, name, "");
  if (init == 0 && g_process_count > 1 && g_parpro_area != nullptr) {
    // Single bytes: written even when a stuck worker keeps the mutex.
    bool held = or_wait_mutex_for(g_parpro_com_mutex, 2000);
    for (int i = 1; i <= kMaxWorkerProcesses; ++i) g_parpro_area[431 + i] |= 1;
    if (held) or_release_mutex(g_parpro_com_mutex);
  }
}

namespace {

// Reads the exemption file of the mode line by line; `apply` takes each
// record. A read error ends the command inside the reader: granted
// exemptions are never dropped in silence.
template <typename Apply>
void read_exemptions(Apply apply) {
  IoMutexHold io;
  std::FILE* f = or_fopen(g_provisional_mode ? kProvisionalExemptionFile : kExemptionFile, "rb");
  if (f == nullptr) return;
  char line[kExemptionLineLimit + 8];
  long got;
  while ((got = or_read_plain_line(line, sizeof line, f)) != -1) {
    if (got == kLineReadError) break;   // only off an engine command's thread
    if (got == kLineTooLong) continue;  // longer than any record line
    StoredExemption record;
    if (or_parse_exemption_line(line, record)) apply(record);
  }
  or_fclose(f);
}

}  // namespace

void or_check_exemptions_readable() {
  read_exemptions([](const StoredExemption&) {});
}

int or_reload_exemptions() {
  g_reloaded.clear();
  read_exemptions([](const StoredExemption& record) {
    g_reloaded.push_back(record);
    if (g_exemption_applier != nullptr) g_exemption_applier(record);
  });
  return static_cast<int>(g_reloaded.size());
}

const std::vector<StoredExemption>& or_reloaded_exemptions() { return g_reloaded; }

namespace {

constexpr int kExemptionMapBytes = 129;

// Each stored record of one constraint, in file order.
template <class Take>
void each_stored_exemption(int constraint_id, Take take) {
  read_exemptions([&](const StoredExemption& record) {
    if (static_cast<std::int32_t>(get_u32(record.bytes + kExemptionIdOffset)) == constraint_id) take(record);
  });
}

}  // namespace

std::vector<int> or_stored_exemption_classes(int constraint_id) {
  std::vector<int> classes;
  each_stored_exemption(constraint_id, [&](const StoredExemption& record) {
    classes.push_back(static_cast<std::int32_t>(get_u32(record.bytes + kExemptionClassOffset)));
  });
  return classes;
}

std::vector<int> or_stored_exemption_teachers(int constraint_id, int map_entry) {
  std::vector<int> teachers;
  each_stored_exemption(constraint_id, [&](const StoredExemption& record) {
    if (map_entry >= 0 && (map_entry >= kExemptionMapBytes || record.bytes[kExemptionMapOffset + map_entry] == 0))
      return;
    teachers.push_back(static_cast<std::int32_t>(get_u32(record.bytes + kExemptionTeacherOffset)));
  });
  return teachers;
}
