// Timetable save files: the writer of every save kind and the reader that
// puts a saved timetable back into the lesson placements.
//
// One scrambled line per lesson, in lesson order (layout in save_line.h);
// stand-by and support lines are matched back by teacher name, real lines by
// position. Writes go to a temporary file that is renamed over the old save
// only when complete, so an interrupted or failed write never costs the
// user's saved timetable; a save that cannot be written raises the file
// error. The reader checks every line before it touches a lesson or a grid:
// a malformed line leaves its lesson unplaced and the lessons after it keep
// their lines. A save holds up to 10000 lines; reading is one pass plus a
// pass over the lessons per free-slot search.
#include "engine/save_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "engine/engine_services.h"
#include "engine/errors.h"
#include "engine/school_file_writes.h"
#include "engine/lesson_links.h"
#include "engine/placement_check.h"
#include "engine/placement_services.h"
#include "engine/reception_exemption_files.h"
#include "engine/run_files.h"
#include "engine/save_line.h"
#include "engine/shell_services.h"
#include "engine/solver_entry.h"
#include "engine/status_block.h"
#include "engine/teacher_availability.h"
#include "engine/text_lines.h"
#include "engine/week_grid_access.h"
#include "engine/whole_file_open.h"
#include "platform/cp1252.h"
#include "platform/paths.h"

namespace {

constexpr const char* kSaveGo = ".\\savego.txt";
constexpr const char* kSaveProv = ".\\saveprov.txt";
constexpr const char* kSaveTestFile = ".\\savetest.txt";
constexpr const char* kSaveBi = ".\\savebi.txt";
constexpr const char* kSavePrec = ".\\saveprec.txt";
constexpr const char* kTempDS = ".\\tempfileDS.txt";
constexpr int kReadLimit = 400;   // longest save line the reader takes
constexpr int kTempDSLimit = 200; // longest carried stand-by line
constexpr std::uint8_t kRunModeBalance = 26;
constexpr std::uint8_t kRunModeReportTest = 41;
// The trial runs "CALC:" "TPRO" and "TCLA" are test runs whoever starts them.
constexpr std::uint8_t kRunModeTestTeachers = 13;
constexpr std::uint8_t kRunModeTestClasses = 14;

// As the running command left it: a save it wrote exists, one it deleted does not.
bool file_exists(const char* name) { return or_file_exists_now(name); }

// Holds the parallel IO mutex for one read of a shared file.
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

struct StreamHold {
  std::FILE* f;
  explicit StreamHold(std::FILE* stream) : f(stream) {}
  ~StreamHold() {
    if (f != nullptr) or_fclose(f);
  }
};

const char* class_code(int c) {
  return c >= 0 && c < g_eng_school.class_count ? g_eng_classes[c].code : "";
}
const char* teacher_name(int t) {
  return t >= 0 && t < g_eng_school.teacher_count ? g_eng_teachers[t].name : "";
}

// Lessons that the save leaves out: calendar lessons of pseudo-classes and
// calendar lessons in the extra hour the calendar set-up added.
bool left_out_of_save(int lesson) {
  const EngineLesson& l = g_eng_lessons[lesson];
  if (!or_is_calendar_teacher(l.teacher)) return false;
  if (g_eng_teachers[l.teacher].calendar_class >= g_eng_school.real_class_count) return true;
  return g_eng_school.extra_hour > 0 && l.day == g_eng_school.extra_hour_day &&
         l.hour == g_eng_school.extra_hour;
}

// Fills s, a line kept from save to save so that its names keep their
// buffers: every field is set here.
void line_of_lesson(int i, SaveLine& s) {
  const EngineLesson& l = g_eng_lessons[i];
  s.second_teacher.clear();
  s.second_index = -1;
  s.has_second_points = false;
  s.second_points = 0;
  s.has_supported_class = false;
  s.supported_class.clear();
  s.no_room = false;
  s.has_room = false;
  s.room.clear();
  s.lesson = i;
  s.pseudo_letter = or_is_standby_class(l.class_index) ? 'D' : or_is_support_class(l.class_index) ? 'S' : 0;
  bool placed = or_lesson_placed(i);
  s.day = placed ? l.day : -1;
  s.hour = placed ? l.hour : -1;
  s.class_code = class_code(l.class_index);
  s.class_index = l.class_index;
  s.teacher = teacher_name(l.teacher);
  s.teacher_index = l.teacher;
  s.points = l.teacher >= 0 && l.teacher < kMaxTeachers ? g_eng_teachers[l.teacher].points : 0;
  if (or_lesson_has_second(i)) {
    s.second_teacher = teacher_name(l.second_teacher);
    s.second_index = l.second_teacher;
    s.has_second_points = true;
    s.second_points = l.second_teacher < kMaxTeachers ? g_eng_teachers[l.second_teacher].points : 0;
  }
  int supported = or_lesson_supported_class(i);
  if (or_is_support_class(l.class_index) && supported >= 0) {
    s.has_supported_class = true;
    s.supported_class = class_code(supported);
  }
  int room = or_lesson_room_setting(i);
  if (room == kRoomSettingNoRoom) s.no_room = true;
  if (room >= 0 && room < g_eng_school.room_count) {
    s.has_room = true;
    s.room = g_eng_rooms[room].name;
  }
}

const char* save_file_to_write(int kind, char* report_buffer) {
  if (or_is_test_run() || kind == kSaveTest) return kSaveTestFile;
  if (g_provisional_mode) return kSaveProv;
  switch (kind) {
    case kSaveNormal: return kSaveGo;
    case kSaveBalance: return kSaveBi;
    case kSaveRecord: return kSavePrec;
    default: return or_report_path(report_buffer, "_savego", "txt", 0);
  }
}

const char* write_failed_hint() {
  static const char* const rows[3] = {"Salvataggio dell'orario non riuscito",
                                      "Stundenplan nicht gespeichert",
                                      "The timetable could not be saved"};
  int lang = g_status.language;
  return rows[lang >= 0 && lang < 3 ? lang : 0];
}

// The search saves its record placement at every end of a stage, several
// times a cycle once the gap stage runs, and nearly always the placement it
// saved the time before. That save leaves the file as it is when the file is
// still the one this process wrote last (same file, size and times) and its
// lines would be the same: it holds the same timetable either way, and the
// search is spared a file written, synced and renamed for nothing.
class LastRecordSave {
 public:
  bool holds(const std::string& path, const std::vector<std::string>& lines) const {
    struct stat now {};
    return kept_ && path == path_ && ::stat(path.c_str(), &now) == 0 && same_file(now) && lines == lines_;
  }
  // Takes the lines; lines gets the ones kept before, whose buffers the
  // next save reuses.
  void keep(std::string path, std::vector<std::string>& lines) {
    kept_ = ::stat(path.c_str(), &stat_) == 0;
    path_ = std::move(path);
    lines_.swap(lines);
  }
  void forget() { kept_ = false; }

 private:
  bool same_file(const struct stat& now) const {
    return now.st_dev == stat_.st_dev && now.st_ino == stat_.st_ino && now.st_size == stat_.st_size &&
           now.st_mtim.tv_sec == stat_.st_mtim.tv_sec && now.st_mtim.tv_nsec == stat_.st_mtim.tv_nsec &&
           now.st_ctim.tv_sec == stat_.st_ctim.tv_sec && now.st_ctim.tv_nsec == stat_.st_ctim.tv_nsec;
  }
  bool kept_ = false;
  std::string path_;
  std::vector<std::string> lines_;
  struct stat stat_ {};
};
LastRecordSave g_last_record;

// A computation from an empty week, and whether it still has no save of its own.
bool g_anew_run = false;
bool g_ignore_saves = false;

// The verdict on the last save read that left lessons out, the file it was,
// and what the run took over by saving in its place.
SaveVerdict g_pending_verdict = SaveVerdict::kWhole;
SaveVerdict g_taken_over = SaveVerdict::kWhole;
std::string g_pending_file;
std::string g_damaged_copy;

// The file's bytes as they are now (a command's own new contents when it
// wrote them); false when it cannot be read.
bool current_bytes(const std::string& path, std::string* out) {
  std::string from = path;
  if (or_run_files_read_path(path, &from) && from.empty()) return false;
  std::FILE* in = std::fopen(from.c_str(), "rb");
  if (in == nullptr) return false;
  char block[16384];
  std::size_t n;
  while ((n = std::fread(block, 1, sizeof block, in)) > 0) out->append(block, n);
  bool ok = std::ferror(in) == 0;
  std::fclose(in);
  return ok;
}

// A run saves in place of a save that did not fit: it has taken that save
// over. A damaged file is never lost with it: its bytes are kept beside it
// as "<name>_danneggiato.txt".
void take_over_pending_save() {
  g_taken_over = g_pending_verdict;
  g_pending_verdict = SaveVerdict::kWhole;
  if (g_taken_over != SaveVerdict::kDamaged) return;
  std::string name = g_pending_file;
  std::size_t dot = name.rfind('.');
  g_damaged_copy = (dot == std::string::npos ? name : name.substr(0, dot)) + "_danneggiato.txt";
  std::string bytes;
  if (!current_bytes(kt::translate_path(name), &bytes)) return;
  ReplacementFile copy;
  or_replace_or_raise_telling_why(copy, g_damaged_copy.c_str(), write_failed_hint(), [&bytes](std::FILE* out) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() && errno == 0) errno = EIO;
  });
  if (g_damaged_copy.rfind(".\\", 0) == 0) g_damaged_copy.erase(0, 2);
}

// The lines of the save being made, and one lesson's fields, kept from save
// to save: a search saves at every end of a stage.
std::vector<std::string> g_save_lines;
SaveLine g_save_line;

void append_carried_standby_lines(std::FILE* out, char* work) {
  std::FILE* in = or_fopen(kTempDS, "rt");
  if (in == nullptr) return;
  StreamHold hold(in);
  char line[kTempDSLimit + 8];
  while (or_read_line(line, kTempDSLimit, in) != nullptr) or_write_scrambled_line(out, line, work);
}

}  // namespace

bool or_is_test_run() {
  return g_test_run != 0 || g_eng_run.run_mode == kRunModeTestTeachers || g_eng_run.run_mode == kRunModeTestClasses;
}

void or_save_timetable(int kind) {
  if (g_process_number != 0) return;
  if (kind == kSaveRecord && g_provisional_mode) return;
  char report_buffer[kReportPathSize];
  const char* name = save_file_to_write(kind, report_buffer);
  if (name == nullptr) return;
  // A trial run leaves the real timetable's files as they are.
  bool test = or_is_test_run();
  if (!test && kind == kSaveNormal && g_pending_verdict != SaveVerdict::kWhole) take_over_pending_save();
  // The record belongs to the final timetable's computation (a provisional
  // run neither writes nor reads it): a provisional save leaves it, so an
  // interrupted computation of the final timetable still resumes from it.
  if (kind != kSaveRecord && !test && !g_provisional_mode) or_delete_previous_save();
  if (kind == kSaveNormal && !g_provisional_mode && !test) or_append_exemption(1);

  std::vector<std::string>& lines = g_save_lines;
  std::size_t count = 0;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    if (left_out_of_save(i)) continue;
    line_of_lesson(i, g_save_line);
    if (count == lines.size()) lines.emplace_back();
    format_save_line_into(g_save_line, lines[count++]);
  }
  lines.resize(count);
  bool carried = file_exists(kTempDS);
  std::string path = kt::translate_path(name);
  bool record = kind == kSaveRecord && !carried;
  if (record && g_last_record.holds(path, lines)) return;
  g_last_record.forget();

  ReplacementFile file;
  // The search's record is where an interrupted computation resumes: it
  // reaches the disk at once, and a command that fails puts the old one back.
  if (kind == kSaveRecord) file.set_direct(true);
  or_replace_or_raise_telling_why(file, name, write_failed_hint(), [&lines, carried](std::FILE* out) {
    char work[1024];
    for (const std::string& text : lines) or_write_scrambled_line(out, text.c_str(), work);
    if (carried) append_carried_standby_lines(out, work);
  });
  if (carried) og_delete_file_if_present(kTempDS);
  if (record) g_last_record.keep(std::move(path), lines);
  // From its first save on, a run from an empty week reads its own timetable.
  if (!test) g_ignore_saves = false;
}

void or_begin_computing_anew() { g_anew_run = g_ignore_saves = true; }
void or_end_computing_anew() { g_anew_run = g_ignore_saves = false; }
bool or_computing_anew() { return g_anew_run; }

const char* or_save_file_to_read(bool* savego_for_lack_of_record) {
  if (savego_for_lack_of_record) *savego_for_lack_of_record = false;
  bool test = or_is_test_run() || g_eng_run.run_mode == kRunModeReportTest;
  if (g_provisional_mode) return test ? kSaveTestFile : kSaveProv;
  if (g_eng_run.run_mode == kRunModeBalance) return kSaveBi;
  if (test) return kSaveTestFile;
  if (file_exists(kSavePrec)) return kSavePrec;
  if (savego_for_lack_of_record) *savego_for_lack_of_record = true;
  return kSaveGo;
}

int or_find_free_standby_lesson(int support, const char* text) {
  // text starts behind the line's first blank: day, hour, class code,
  // class index, then the teacher's name.
  const char* p = text;
  for (int field = 0; field < 4; ++field) {
    while (*p == ' ') ++p;
    while (*p != ' ' && *p != '\0') ++p;
  }
  while (*p == ' ') ++p;
  char name[kNameSize] = {};
  int n = 0;
  while (p[n] != '\0' && p[n] != '(' && p[n] != '\n' && n < kNameSize - 1) {
    name[n] = p[n];
    ++n;
  }
  while (n > 0 && name[n - 1] == ' ') name[--n] = '\0';
  int teacher = -1;
  for (int t = 0; t < g_eng_school.teacher_count && teacher < 0; ++t)
    if (std::strcmp(g_eng_teachers[t].name, name) == 0) teacher = t;
  if (teacher < 0) return -1;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (l.teacher != teacher || or_lesson_placed(i)) continue;
    if (support ? or_is_support_class(l.class_index) : or_is_standby_class(l.class_index)) return i;
  }
  return -1;
}

namespace {

// The supported class of a " SOCL:" code: the first class whose code
// begins with it, letters in any case.
int class_by_code_prefix(const std::string& code) {
  if (code.empty()) return -1;
  for (int c = 0; c < g_eng_school.class_count; ++c)
    if (kt::cp1252_ncasecmp(g_eng_classes[c].code, code.c_str(), code.size()) == 0) return c;
  return -1;
}

int room_by_name(const std::string& name) {
  for (int r = 0; r < g_eng_school.room_count; ++r)
    if (name == g_eng_rooms[r].name) return r;
  return -1;
}

// A pseudo-lesson line: placed on the first free stand-by or support lesson
// of its teacher. Returns that lesson, or -1 when the line is skipped.
int place_standby_line(const char* text, char letter) {
  SaveLine s;
  if (!parse_save_line(text, s) || s.day < 0) return -1;
  if (!or_slot_in_week(s.day, s.hour)) return -1;
  const char* behind = std::strchr(text, ' ');
  int lesson = or_find_free_standby_lesson(letter == 'S', behind ? behind + 1 : text);
  if (lesson < 0) return -1;
  or_place_lesson_everywhere(lesson, s.day, s.hour);
  if (letter == 'S' && s.has_supported_class)
    or_set_lesson_supported_class(lesson, class_by_code_prefix(s.supported_class));
  return lesson;
}

// A real-lesson line for lesson k. A line that does not parse, or whose
// slot lies outside the school week, leaves lesson k unplaced.
// What one reading of a save found, for the verdict on a save that placed
// only part of the lessons: lines that did not read (a failed check, a broken
// layout), lines whose names are not those of their lesson, and whether the
// file ended before the last real lesson.
struct Reading {
  int damaged = 0;
  int mismatched = 0;
  bool short_file = false;
  bool any_line = false;
};
Reading g_reading;

// The names a line gives for lesson k, against the model's.
bool names_match(const SaveLine& s, int k) {
  const EngineLesson& l = g_eng_lessons[k];
  return s.class_code == class_code(l.class_index) && s.teacher == teacher_name(l.teacher);
}

void place_real_line(const char* text, int k, int kind) {
  SaveLine s;
  if (!parse_save_line(text, s)) {
    ++g_reading.damaged;
    return;
  }
  if (!names_match(s, k)) ++g_reading.mismatched;
  EngineLesson& l = g_eng_lessons[k];
  if (s.day >= 0 && or_slot_in_week(s.day, s.hour)) or_place_lesson_everywhere(k, s.day, s.hour);
  if (l.teacher >= 0 && l.teacher < kMaxTeachers) {
    g_eng_teachers[l.teacher].points = s.points;
    g_eng_teachers[l.teacher].points2 = s.points;
  }
  if (or_lesson_has_second(k) && s.has_second_points && l.second_teacher < kMaxTeachers) {
    g_eng_teachers[l.second_teacher].points = s.second_points;
    g_eng_teachers[l.second_teacher].points2 = s.second_points;
  }
  if (s.no_room) or_set_lesson_room(k, nullptr);
  if (kind == 0 && s.has_room) {
    int room = room_by_name(s.room);
    if (room >= 0 && room != l.room) {
      or_set_lesson_room_setting(k, room);
      l.room = room;
    }
  }
  if (s.has_supported_class) or_set_lesson_supported_class(k, class_by_code_prefix(s.supported_class));
}

// Walks days and hours from counters kept across lessons, as the stand-by
// and calendar fill-ins share them.
struct TurningSlots {
  int day = 0;
  int hour = 0;
  template <typename Free>
  bool take(const std::uint8_t* hours_per_day, Free free, int& out_day, int& out_hour) {
    int days = or_week_days();
    for (int i = 0; i < days; ++i) {
      int d = (day + i) % days;
      int n = hours_per_day[d] > kHoursPerDay ? kHoursPerDay : hours_per_day[d];
      for (int j = 0; j < n; ++j) {
        int h = (hour + j) % n;
        if (free(d, h)) {
          out_day = d;
          out_hour = h;
          day = (d + 1) % days;
          hour = h + 1;
          return true;
        }
      }
    }
    return false;
  }
};

// Lessons of each teacher (and class) per slot, from the current placement.
struct Busy {
  std::vector<std::uint8_t> teacher, klass;
  Busy() : teacher(static_cast<std::size_t>(kMaxTeachers) * kWeekSlots), klass(static_cast<std::size_t>(kMaxClasses) * kWeekSlots) {
    for (int i = 0; i < g_eng_school.lesson_count; ++i) mark(i, 1);
  }
  void mark(int i, std::uint8_t v) {
    const EngineLesson& l = g_eng_lessons[i];
    if (!or_lesson_placed(i) || l.day >= kDays || l.hour >= kHoursPerDay) return;
    int s = l.day * kHoursPerDay + l.hour;
    if (l.teacher >= 0 && l.teacher < kMaxTeachers) teacher[l.teacher * kWeekSlots + s] = v;
    if (or_lesson_has_second(i) && l.second_teacher < kMaxTeachers) teacher[l.second_teacher * kWeekSlots + s] = v;
    if (l.class_index >= 0 && l.class_index < kMaxClasses) klass[l.class_index * kWeekSlots + s] = v;
  }
};

void fill_unplaced_pseudo_lessons() {
  Busy busy;
  TurningSlots turn;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (or_lesson_placed(i) || !or_is_pseudo_class(l.class_index) || l.teacher < 0 || l.teacher >= kMaxTeachers)
      continue;
    if (or_is_calendar_teacher(l.teacher)) continue;
    // A free hour of the teacher where the pseudo-class is free too (two
    // pseudo-lessons of one pseudo-class never share a slot), and first one
    // his constraints leave open (not a forbidden hour or his free day).
    bool open_only = true;
    auto free = [&](int d, int h) {
      int s = d * kHoursPerDay + h;
      return busy.teacher[l.teacher * kWeekSlots + s] == 0 && busy.klass[l.class_index * kWeekSlots + s] == 0 &&
             !(open_only && or_teacher_slot_closed(l.teacher, d, h));
    };
    int d = 0, h = 0;
    bool found = false;
    for (bool open : {true, false}) {
      open_only = open;
      found = found || (g_provisional_mode && turn.take(g_eng_school.provisional_hours_per_day, free, d, h));
      found = found || turn.take(g_eng_school.hours_per_day, free, d, h);
    }
    if (!found) continue;
    or_place_lesson_everywhere(i, d, h);
    busy.mark(i, 1);
  }
}

void place_calendar_lessons_in_turn() {
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (or_is_calendar_teacher(g_eng_lessons[i].teacher)) or_place_lesson_everywhere(i, -1, 0);
  Busy busy;
  TurningSlots turn;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (!or_is_calendar_teacher(l.teacher) || l.class_index < 0 || l.class_index >= kMaxClasses) continue;
    auto free = [&](int d, int h) { return busy.klass[l.class_index * kWeekSlots + d * kHoursPerDay + h] == 0; };
    int d = 0, h = 0;
    if (!turn.take(g_eng_school.hours_per_day, free, d, h)) continue;
    or_place_lesson_everywhere(i, d, h);
    busy.mark(i, 1);
  }
}

int count_placed() {
  int p = 0;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) p += or_lesson_placed(i) ? 1 : 0;
  return p;
}

// Reads the save lines into the placements; returns false when the file
// cannot be opened.
bool read_save_lines(const char* name, int kind) {
  // A save that is no regular file (a FIFO, a device) is refused, not waited on.
  std::FILE* f = or_open_whole_file_or_raise(name, kLongestSaveFile, "..\\Orario\\OR_SAVE", 427);
  if (f == nullptr) return false;
  StreamHold hold(f);
  char line[kReadLimit + 8];
  int k = 0;
  while (k < g_eng_school.lesson_count && or_read_line(line, kReadLimit, f) != nullptr) {
    if (std::strstr(line, "Calendario-") != nullptr) {
      ++k;
      continue;
    }
    const char* p = line;
    while (*p == ' ' || *p == '\r' || *p == '\n') ++p;
    if (*p == '\0') continue;
    g_reading.any_line = true;
    if (std::strchr(line, ' ') == nullptr) {
      // A scrambled line whose checks failed reads back as hex: it stood
      // for lesson k, which stays unplaced while the next line keeps its own.
      ++g_reading.damaged;
      ++k;
      continue;
    }
    char letter = save_line_pseudo_letter(line);
    if (letter != 0) {
      int lesson = place_standby_line(line, letter);
      if (lesson >= 0) k = lesson;
      continue;
    }
    place_real_line(line, k, kind);
    ++k;
  }
  // Real lessons come first in the table; a whole save has a line for each.
  int real = 0;
  while (real < g_eng_school.lesson_count && !or_is_pseudo_class(g_eng_lessons[real].class_index) &&
         !or_is_calendar_teacher(g_eng_lessons[real].teacher))
    ++real;
  g_reading.short_file = k < real;
  return true;
}

void unplace_all() {
  for (int i = 0; i < g_eng_school.lesson_count; ++i) or_place_lesson_everywhere(i, -1, 0);
}

// A save that left real lessons unplaced was damaged (lines that do not
// read, or a file cut at a line's end while every line fits its lesson) or
// belongs to other teaching posts (names that are not their lessons').
void note_verdict(const char* name) {
  bool missing = false;
  for (int i = 0; i < g_eng_school.lesson_count && !missing; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    missing = !or_lesson_placed(i) && !or_is_pseudo_class(l.class_index) && !or_is_calendar_teacher(l.teacher);
  }
  if (!missing || !g_reading.any_line || or_is_test_run()) return;
  bool damaged = g_reading.damaged > 0 || (g_reading.short_file && g_reading.mismatched == 0);
  g_pending_verdict = damaged ? SaveVerdict::kDamaged : SaveVerdict::kChanged;
  g_pending_file = name;
}

}  // namespace

SaveVerdict or_save_taken_over() { return g_taken_over; }
SaveVerdict or_save_verdict_pending() { return g_pending_verdict; }
const char* or_damaged_save_copy() { return g_damaged_copy.c_str(); }

void or_reset_save_verdicts() {
  g_pending_verdict = g_taken_over = SaveVerdict::kWhole;
  g_pending_file.clear();
  g_damaged_copy.clear();
}

int or_load_timetable(int kind) {
  if (g_process_number != 0) {
    or_restore_worker_timetable();
    return 0;
  }
  bool savego_for_lack = false;
  int placed = 0;
  if (g_ignore_saves) {
    unplace_all();
    return -3;
  }
  {
    IoMutexHold io;
    const char* name = or_save_file_to_read(&savego_for_lack);
    unplace_all();
    g_reading = Reading{};
    if (!read_save_lines(name, kind)) return -3;
    note_verdict(name);
    fill_unplaced_pseudo_lessons();
    place_calendar_lessons_in_turn();
    placed = count_placed();
  }
  int total = g_eng_school.lesson_count;
  if (placed == 0 && total > 0) return -3;
  if (placed < total && savego_for_lack) placed = or_rebuild_calendar_lessons(2);
  if (placed < total) {
    // Part of the timetable: the placed lessons must still fit together;
    // a clash means the save belongs to other teaching posts.
    if (or_first_misplaced_lesson(false) >= 0) or_raise_critical_error("SW", 0, "..\\Orario\\OR_VINU", 34);
    g_engine_services.rebuild_grids_and_evaluate();
    return placed;
  }
  or_assert_all_lessons_placed();
  g_engine_services.rebuild_grids_and_evaluate();
  return 0;
}

namespace {

bool tables_hold_standby_hours() {
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (g_eng_lessons[i].standby_marker != 0) return true;
  return false;
}

// Whether a stand-by or support line is still one the reader places where
// it stands: its teacher still has hours of its kind and no lesson of the
// tables, his own or as second teacher, at its hour.
bool line_still_fits(const SaveLine& s) {
  int teacher = -1;
  for (int t = 0; t < g_eng_school.teacher_count && teacher < 0; ++t)
    if (s.teacher == g_eng_teachers[t].name) teacher = t;
  if (teacher < 0) return false;
  const EngineTeacher& x = g_eng_teachers[teacher];
  // The hours the description gives him ("TED:", "SOS:"); the counts the
  // stand-by set-up takes from them are not made in these tables.
  if ((s.pseudo_letter == 'S' ? x.standby_value : x.contract_values[0]) <= 0) return false;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (!or_lesson_placed(i) || l.day != s.day || l.hour != s.hour) continue;
    if (l.teacher == teacher || (or_lesson_has_second(i) && l.second_teacher == teacher)) return false;
  }
  return true;
}

}  // namespace

int or_set_aside_standby_lines() {
  if (g_process_number != 0 || or_is_test_run() || tables_hold_standby_hours()) return 0;
  if (!g_provisional_mode && file_exists(kSavePrec)) return 0;
  const char* name = g_provisional_mode ? kSaveProv : kSaveGo;
  WholeFileRefusal why = WholeFileRefusal::kNone;
  std::FILE* in = or_open_whole_file(name, kLongestSaveFile, &why);
  // No save, or something else in its place, which the save tells of.
  if (why == WholeFileRefusal::kMissing || why == WholeFileRefusal::kFolder || why == WholeFileRefusal::kNotRegular)
    return 0;
  if (in == nullptr) or_raise_whole_file_refusal(name, why, "..\\Orario\\OR_SAVE", 941);
  std::vector<std::string> kept;
  {
    StreamHold hold(in);
    char line[kReadLimit + 8];
    while (or_read_line(line, kReadLimit, in) != nullptr) {
      if (save_line_pseudo_letter(line) == 0) continue;
      SaveLine s;
      if (!parse_save_line(line, s) || !or_slot_in_week(s.day, s.hour) || !line_still_fits(s)) continue;
      std::string text = line;
      if (text.empty() || text.back() != '\n') text += '\n';
      // The save takes back lines of at most this length.
      if (static_cast<int>(text.size()) > kTempDSLimit - 2) continue;
      kept.push_back(std::move(text));
    }
    if (std::ferror(in) != 0)
      or_raise_file_error(name, or_read_failure_reason(or_language()), "..\\Orario\\OR_SAVE", 951);
  }
  if (kept.empty()) return 0;
  std::FILE* out = or_fopen(kTempDS, "wt");
  if (out == nullptr)
    or_raise_file_error(kTempDS, or_create_failure_reason(errno, or_language()), "..\\Orario\\OR_SAVE", 956);
  for (const std::string& text : kept) std::fputs(text.c_str(), out);
  if (int error = or_fclose_written(out); error != 0) {
    og_delete_file_if_present(kTempDS);
    or_raise_file_error(kTempDS, or_write_failure_reason(error, or_language()), "..\\Orario\\OR_SAVE", 959);
  }
  return static_cast<int>(kept.size());
}

void or_drop_set_aside_standby_lines() { og_delete_file_if_present(kTempDS); }

int or_saved_line_count(int lessons) {
  int n = 0;
  for (int i = 0; i < lessons && i < g_eng_school.lesson_count; ++i) n += left_out_of_save(i) ? 0 : 1;
  return n;
}

int or_read_standby_placements(int count) {
  if (g_ignore_saves) return -3;
  IoMutexHold io;
  const char* name = g_provisional_mode ? kSaveProv
                     : g_eng_run.run_mode == kRunModeReportTest ? kSaveTestFile
                                                                : kSaveGo;
  std::FILE* f = or_open_whole_file_or_raise(name, kLongestSaveFile, "..\\Orario\\OR_SAVE", 506);
  if (f == nullptr) return -3;
  StreamHold hold(f);
  char line[kReadLimit + 8];
  for (int i = 0; i < count; ++i)
    if (or_read_line(line, kReadLimit, f) == nullptr) return -11;
  while (or_read_line(line, kReadLimit, f) != nullptr) {
    char letter = save_line_pseudo_letter(line);
    if (letter != 0) place_standby_line(line, letter);
  }
  return 0;
}
