// The description loader: reads a school description ("scuola2.txt",
// "cattPROV.txt", "cattTEST.txt") in several passes over one open file into
// the reset model tables: the keyword pass, the subject-group pass with the
// laboratory and conversation pieces, the lab and common-room passes and the
// teachers' constraint lines, with the derivations between them; it ends with
// the model post-passes (hour totals, calendar and stand-by pseudo-records,
// display names, timetable view), so a loaded model is always a whole one.
//
// Invariants: the IO mutex of the parallel solver processes is held from
// start to end when it can be had within 2 s (the command interpreter
// releases it on an error exit); every
// error leaves through the engine's reporters with the offending line; the
// file is registered with the engine's streams, so an error exit closes it.
// Laboratory and conversation pieces never survive the load: each is merged
// into a main lesson of its class or the load fails.
//
// Workload: one load per engine command; a realistic school has a few
// thousand lines and a few thousand lessons, the tables allow 9999, so the
// steps that look up partners lesson by lesson (joint classes, duplicates)
// go through lessons grouped by subject and class.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <cstring>
#include <utility>
#include <vector>

#include "engine/command_steps.h"
#include "engine/errors.h"
#include "engine/loader.h"
#include "engine/model_post_passes.h"
#include "engine/presolve.h"
#include "engine/special_calendars.h"
#include "engine/loader_internal.h"
#include "engine/status_block.h"
#include "engine/text_file_shape.h"
#include "engine/whole_file_open.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "platform/paths.h"

bool loader_next_line(std::FILE* file) {
  char* line = or_read_line(g_loader.line, kLoaderLineSize, file);
  if (line == nullptr) return false;
  g_loader.line[kLoaderLineSize] = '\0';
  // A line past the limit (which leaves room for the normaliser's '|') is
  // refused with its number: cut, it would lose teaching hours or settings
  // without a word. The first pass meets it first, so its count is right.
  std::size_t length = std::strlen(g_loader.line);
  if (length > 0 && g_loader.line[length - 1] == '\n') --length;
  if (or_last_line_was_cut() || length > kLoaderLineSize - 4) {
    static const char* const kTooLong[3] = {"Riga %d troppo lunga: più di %d caratteri"_cp,
                                            "Zeile %d zu lang: mehr als %d Zeichen"_cp,
                                            "Line %d too long: more than %d characters"};
    char text[120];
    std::snprintf(text, sizeof text, or_pick_text(kTooLong), g_loader.line_number + 1, kLoaderLineSize - 4);
    g_loader.line[60] = '\0';
    or_raise_config_error(text, g_loader.line);
  }
  or_normalize_line(g_loader.line, g_loader.first_line_pending ? 0 : 1);
  g_loader.first_line_pending = 0;
  return true;
}

namespace {

void rewind_file(std::FILE* file, int source_line) {
  if (std::fseek(file, 0, SEEK_SET) != 0) or_raise_critical_error(" Fseek ? ", 0, kSourceLoad, source_line);
  g_loader.first_line_pending = 1;
}

const char* class_code(int c) { return c >= 0 && c < g_eng_school.class_count ? g_eng_classes[c].code : ""; }
const char* teacher_name(int t) { return t >= 0 && t < g_eng_school.teacher_count ? g_eng_teachers[t].name : ""; }

void resolve_incompatible_subjects() {
  char text[64];
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    EngineLesson& lesson = g_eng_lessons[i];
    lesson.incompatible_subject = -1;
    if (lesson.incompatible_subject_name[0] == '\0') continue;
    for (int s = 0; s < g_eng_school.subject_count && lesson.incompatible_subject < 0; ++s)
      if (std::strcmp(g_eng_subjects[s].group_name, lesson.incompatible_subject_name) == 0)
        lesson.incompatible_subject = s;
    if (lesson.incompatible_subject < 0) {
      std::snprintf(text, sizeof(text), "%s - %s", teacher_name(lesson.teacher), lesson.incompatible_subject_name);
      or_raise_config_error("Materia incompatibile nella giornata non conosciuta", text);
    }
  }
}

// Prints, once per pair, a subject given in one class to two teachers.
// Each lesson names the first later lesson of its subject and class given to
// another teacher and not named before. The lessons are grouped by subject
// and class; inside a group, runs of one teacher are skipped whole and named
// lessons are skipped through a next-unnamed chain, so a class of thousands
// of hours costs a pass, not a search per lesson. Lines print in lesson order.
void report_duplicates() {
  const int count = g_eng_school.lesson_count;
  std::vector<int> order(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) order[static_cast<std::size_t>(i)] = i;
  auto key = [](int i) { return std::make_pair(g_eng_lessons[i].subject, g_eng_lessons[i].class_index); };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });
  std::vector<int> named_by(static_cast<std::size_t>(count), -1);  // lesson -> the later lesson it names
  for (std::size_t begin = 0, end = 0; begin < order.size(); begin = end) {
    while (end < order.size() && key(order[end]) == key(order[begin])) ++end;
    const int* group = order.data() + begin;
    const int n = static_cast<int>(end - begin);
    auto teacher = [&](int q) { return g_eng_lessons[group[q]].teacher; };
    std::vector<int> next_other(static_cast<std::size_t>(n) + 1, n);  // first later position of another teacher
    for (int q = n - 2; q >= 0; --q) next_other[q] = teacher(q + 1) != teacher(q) ? q + 1 : next_other[q + 1];
    std::vector<int> unnamed(static_cast<std::size_t>(n) + 1);  // chain to the first unnamed position
    for (int q = 0; q <= n; ++q) unnamed[q] = q;
    auto first_unnamed = [&](int q) {
      int root = q;
      while (unnamed[root] != root) root = unnamed[root];
      while (unnamed[q] != root) q = std::exchange(unnamed[q], root);
      return root;
    };
    for (int p = 0; p < n; ++p) {
      int q = first_unnamed(p + 1);
      while (q < n && teacher(q) == teacher(p)) q = first_unnamed(next_other[q]);
      if (q >= n) continue;
      named_by[static_cast<std::size_t>(group[p])] = group[q];
      unnamed[q] = q + 1;
    }
  }
  for (int i = 0; i < count; ++i) {
    int j = named_by[static_cast<std::size_t>(i)];
    if (j < 0) continue;
    const EngineLesson& a = g_eng_lessons[i];
    const EngineLesson& b = g_eng_lessons[j];
    or_print_console_format("Materia %s classe %s assegnata a %d-%s e a %d-%s \n", g_eng_subjects[a.subject].specific_name,
                class_code(a.class_index), a.teacher.get(), teacher_name(a.teacher), b.teacher.get(), teacher_name(b.teacher));
  }
}

void read_pause_subjects(const char* line) {
  for (const char* p = next_field(line); p != nullptr; p = next_field(p)) {
    if (starts_with(p, "REM:")) continue;
    const char* dash = or_find_range_dash(p);
    if (dash == nullptr) loader_config_error("PAUSA per MATERIA, materia non esistente");
    int n = static_cast<int>(dash - p);
    int match = -1;
    for (int s = 0; s < g_eng_school.subject_count && match < 0; ++s)
      if (n > 0 && std::strncmp(g_eng_subjects[s].specific_name, p, n) == 0) match = s;
    if (match < 0) loader_config_error("PAUSA per MATERIA, materia non esistente");
    g_eng_subjects[match].pause_flag = 1;
    ++g_eng_school.pause_subject_count;
  }
}

// The pass over the subject groups: laboratory and conversation pieces and
// the subjects that need a pause.
void read_subject_pass(std::FILE* file) {
  int lab_room = -1;
  bool pending = false;
  while (pending || loader_next_line(file)) {
    pending = false;
    const char* line = g_loader.line;
    if (starts_with(line, "PAUSAMATERIA:")) {
      read_pause_subjects(line);
      continue;
    }
    if (!starts_with(line, "GM:")) continue;
    char name[kNameSize];
    copy_until(name, line + 3, kNameSize - 1, nullptr);
    int subject = -1;
    for (int s = 0; s < g_eng_school.subject_count && subject < 0; ++s)
      if (std::strcmp(g_eng_subjects[s].group_name, name) == 0) subject = s;
    if (subject < 0) loader_critical("SOFTWARE", 146);
    const char* field = next_field(line);
    int kind = 0;
    if (starts_with(field, "LAB:")) {
      lab_room = or_find_or_add_room_by_name(name, kNameSize - 1, 1);
      g_eng_rooms[lab_room].lab_flag |= 1;
      kind = kPieceLaboratory;
    } else if (starts_with(field, "CON:")) {
      kind = kPieceConversation;
    } else {
      continue;
    }
    pending = or_link_lab_subject(file, field + 4, subject, kind, lab_room);
  }
}

int lab_pseudo_teacher(int teacher) {
  char name[kNameSize];
  std::snprintf(name, sizeof(name), "%.16s_LAB", g_eng_teachers[teacher].name);
  int pseudo = or_find_or_add_teacher(name);
  EngineTeacher& t = g_eng_teachers[pseudo];
  t.type_flags |= kTeacherLabPseudo;
  t.pseudo_flag = 1;
  t.main_teacher = teacher;
  return pseudo;
}

bool same_specific_name(int a, int b) {
  return a >= 0 && b >= 0 && std::strcmp(g_eng_subjects[a].specific_name, g_eng_subjects[b].specific_name) == 0;
}

void merge_piece(int index) {
  const EngineLesson piece = g_eng_lessons[index];
  const int kind = piece.piece_kind & 3;
  const std::uint8_t part_flag = static_cast<std::uint8_t>(kind * 16);
  // Only a plain main lesson takes a piece: one that already took a part
  // (piece kind 0x10 or 0x20) is passed over, so each hour gets one part.
  int main = -1;
  for (int m = index - 1; m >= 0 && main < 0; --m) {
    const EngineLesson& candidate = g_eng_lessons[m];
    if (candidate.class_index == piece.class_index && candidate.piece_kind == 0 &&
        same_specific_name(candidate.subject, piece.subject))
      main = m;
  }
  if (main < 0) {
    char message[120];
    char text[80];
    const EngineSubject& s = g_eng_subjects[piece.subject];
    std::snprintf(message, sizeof(message), "Manca materia principale per lab/con %s %s", s.group_name, s.specific_name);
    std::snprintf(text, sizeof(text), "%s %s %s", teacher_name(piece.teacher), teacher_name(piece.second_teacher),
                  class_code(piece.class_index));
    or_raise_config_error(message, text);
  }
  EngineLesson& lesson = g_eng_lessons[main];
  lesson.piece_kind |= part_flag;
  lesson.part_subject = piece.subject;
  lesson.second_teacher = piece.teacher;
  lesson.part_line_number = piece.line_number;
  std::memcpy(lesson.consecutive_maps[2], piece.consecutive_maps[0], sizeof(lesson.consecutive_maps[2]));
  std::memcpy(lesson.consecutive_maps[3], piece.consecutive_maps[1], sizeof(lesson.consecutive_maps[3]));
  lesson.part_block_length = piece.block_length;
  lesson.further_item_values = piece.further_item_values;
  if (piece.pmgz_digit != 0) lesson.pmgz_digit = piece.pmgz_digit;
  if (piece.list_positions[0] != 0) g_eng_teachers[lesson.teacher].item_marks |= kMarkAttre;
  // The equipment items of a laboratory line are what the merged hour needs
  // in that laboratory, unless the main line names its own.
  for (int k = 0; k < 2; ++k)
    if (lesson.list_positions[k] == 0) lesson.list_positions[k] = piece.list_positions[k];
  if (kind == kPieceLaboratory) {
    ++g_eng_school.lab_lesson_count;
    lesson.room = piece.room;
    if (piece.teacher == lesson.teacher) lesson.second_teacher = lab_pseudo_teacher(lesson.teacher);
  }
}

}  // namespace

void or_merge_part_lessons() {
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if ((g_eng_lessons[i].piece_kind & 3) != 0) merge_piece(i);
  int kept = 0;
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if ((g_eng_lessons[i].piece_kind & 3) == 0) g_eng_lessons[kept++] = g_eng_lessons[i];
  g_eng_school.lesson_count = kept;
}

void or_resolve_paired_subjects() {
  const int count = g_eng_school.lesson_count;
  for (int i = 0; i < count; ++i) {
    EngineLesson& lesson = g_eng_lessons[i];
    lesson.paired_subject = -1;
    if (lesson.paired_subject_name[0] == '\0') continue;
    for (int s = 0; s < g_eng_school.subject_count && lesson.paired_subject < 0; ++s)
      if (std::strcmp(g_eng_subjects[s].group_name, lesson.paired_subject_name) == 0) lesson.paired_subject = s;
  }
  std::vector<int> first_class(count);
  for (int i = 0; i < count; ++i) first_class[i] = g_eng_lessons[i].class_index;
  for (int i = 0; i < count; ++i) {
    const EngineLesson& a = g_eng_lessons[i];
    if (a.paired_subject < 0) continue;
    for (int j = i + 1; j < count; ++j) {
      EngineLesson& b = g_eng_lessons[j];
      if (b.class_index == a.class_index && b.subject == a.paired_subject && b.paired_subject == a.subject)
        b.paired_subject = -1;
    }
  }
  for (int i = 0; i < count; ++i) {
    EngineLesson& lesson = g_eng_lessons[i];
    const int s = lesson.subject;
    const int p = lesson.paired_subject;
    if (p < 0 || p == s) continue;
    const int cls = first_class[i];
    bool partner = false;
    for (int m = 0; m < count && !partner; ++m)
      partner = m != i && first_class[m] == cls && (g_eng_lessons[m].piece_kind & 3) == 0 && g_eng_lessons[m].subject == p;
    if (!partner) continue;
    const int sub = or_create_subgroup_class(cls, s, p);
    std::snprintf(lesson.joint_code, sizeof(lesson.joint_code), "%s", g_eng_classes[cls].code);
    std::memcpy(lesson.joint_class_code, g_eng_classes[cls].code, 3);
    for (int j = i + 1; j < count; ++j)
      if (first_class[j] == cls && g_eng_lessons[j].paired_subject == s) g_eng_lessons[j].paired_subject = p;
    lesson.subject = p;
    if (lesson.room == cls) lesson.room = sub;
    lesson.class_index = sub;
    for (int j = 0; j < count; ++j) {
      EngineLesson& other = g_eng_lessons[j];
      if (j != i && first_class[j] == cls && (other.piece_kind & 3) == 0 && other.subject == s && other.paired_subject == s)
        other.subject = other.paired_subject = p;
    }
    for (int t : {lesson.teacher, lesson.second_teacher}) {
      if (t < 0) continue;
      EngineTeacher& teacher = g_eng_teachers[t];
      for (int k = 0; k < teacher.task_count; ++k)
        if (teacher.tasks[k].references[0] == cls) teacher.tasks[k].references[0] = sub;
      for (int k = 0; k < teacher.class_off_count; ++k)
        if (teacher.class_off[k].references[0] == cls) teacher.class_off[k].references[0] = sub;
    }
  }
}

namespace {

void copy_pseudo_teacher_flags() {
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    EngineTeacher& teacher = g_eng_teachers[t];
    if ((teacher.type_flags & kTeacherLabPseudo) && teacher.main_teacher >= 0)
      teacher.paulab = g_eng_teachers[teacher.main_teacher].paulab;
    if (teacher.source_teacher > 0) teacher.ignorapausa = g_eng_teachers[teacher.source_teacher - 1].ignorapausa;
  }
}

// The layout bounds a line (12168 characters), not how many comment lines a
// description may carry; a description at the loader's capacities (500
// teachers, 10000 lessons, their constraint lines) is a few megabytes, so
// this bound leaves any real one far inside and stops a file without end.
constexpr long long kLongestDescription = 256LL << 20;

// Opens the description; a file that is missing is the Part's critical error,
// one that exists but cannot be read says why (a folder, a device or FIFO,
// no permission, a name too long, an empty name, any other failure) as a
// file error, so nobody is told to look for a file that is there.
std::FILE* open_description(const char* file_name) {
  WholeFileRefusal why = WholeFileRefusal::kNone;
  std::FILE* file = or_open_whole_file(file_name, kLongestDescription, &why);
  if (file == nullptr && why == WholeFileRefusal::kMissing)
    or_raise_critical_error("Manca file descrizione scuola", 0, kSourceLoad, 65);
  if (file == nullptr) or_raise_whole_file_refusal(file_name, why, kSourceLoad, 65);
  // An empty file or one an editor saved in another encoding or with
  // other line ends would otherwise end in a puzzling later error.
  if (const char* text = or_text_file_shape_text(or_text_file_shape(file), or_language())) {
    char reason[300];
    std::snprintf(reason, sizeof reason, text, or_shown_file_name(file_name).c_str());
    errno = 0;
    or_raise_file_error(file_name, reason, kSourceLoad, 66);
  }
  // Read as it stands, a cut last line would set a cut value without a word.
  if (long line = or_cut_last_line(file)) {
    char reason[300];
    std::snprintf(reason, sizeof reason, or_cut_last_line_text(or_language()), line);
    errno = 0;
    or_raise_file_error(file_name, reason, kSourceLoad, 67);
  }
  return file;
}

void reset_loader_state(int mode) {
  std::memset(&g_loader, 0, sizeof(g_loader));
  g_loader.current_subject = -1;
  g_loader.block_subject = -1;
  g_loader.mode = mode;
  g_loader.first_line_pending = 1;
  g_articulated_group_count = 0;
}

}  // namespace

void or_load_description(const char* file_name, int mode) {
  // Bounded: a frozen process holding the mutex must not hold up this load;
  // the description is replaced only by rename, so it is read whole anyway.
  bool held = or_wait_mutex_for(g_parpro_io_mutex, 2000);
  std::FILE* file = open_description(file_name);
  reset_loader_state(mode);
  or_read_school_keywords(file);
  or_build_subject_table();
  or_create_articulated_classes();
  for (int s = 0; s < g_eng_school.subject_count; ++s)
    if (g_eng_subjects[s].specific_name[0] == '\0')
      std::memcpy(g_eng_subjects[s].specific_name, g_eng_subjects[s].group_name, kNameSize);
  resolve_incompatible_subjects();
  report_duplicates();
  rewind_file(file, 126);
  read_subject_pass(file);
  or_merge_part_lessons();
  or_resolve_paired_subjects();
  or_check_common_room_buildings();
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    g_eng_lessons[i].pause_subject_flag = g_eng_subjects[g_eng_lessons[i].subject].pause_flag;
  or_create_articulated_lessons();
  or_link_joint_classes();
  or_apply_consecutive_maps();
  rewind_file(file, 216);
  or_read_lab_lines(file);
  or_link_lab_group_names();
  // Classes and lessons take their buildings before the common rooms are
  // read: a common room of one building binds only the lessons held there.
  or_assign_class_buildings(0);
  rewind_file(file, 223);
  or_read_common_room_lines(file);
  rewind_file(file, 230);
  or_read_teacher_constraints(file);
  copy_pseudo_teacher_flags();
  or_fclose(file);
  // Every class so far comes from the description; the stand-by and support
  // pseudo-classes are added after this point.
  g_eng_school.real_class_count = g_eng_school.class_count;
  // Before any calendar lesson takes the reserved subject: only the
  // description's own subjects are in the table here.
  or_refuse_reserved_subject();
  // Hour totals, calendars, stand-by lessons, display names and the view.
  or_finish_loaded_model();
  if (held) or_release_mutex(g_parpro_io_mutex);
}
