// Derivations the loader runs over the lessons once the teaching lines are
// read: the subject table of the teachers' "KLK:" texts, the classes and
// lessons of articulated groups, the marking of laboratory and conversation
// pieces, joint classes, consecutive-hours maps and lab-group names.
//
// Invariants: lessons are appended only below the 9999-lesson limit and
// teachers only below the 500-record table; a lesson holds at most 9 joint
// partners; a derived teacher's name keeps its two-letter suffix even when
// the teacher's name has to be cut to fit 20 characters.
//
// Workload: scans over at most 9999 lessons, run once per load; the joint
// partners are found through lessons grouped by subject and class, and the
// joint-class closure repeats passes over the partner lists (9 at most per
// lesson) until a pass adds nothing.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "engine/errors.h"
#include "engine/loader_internal.h"
#include "engine/section_parsers.h"
#include "engine/status_block.h"

namespace {

EngineLesson& append_lesson() {
  if (g_eng_school.lesson_count >= kMaxLessons - 1) loader_critical("Troppe cattedre / ore", 1164);
  EngineLesson& lesson = g_eng_lessons[g_eng_school.lesson_count++];
  or_clear_lesson(lesson);
  return lesson;
}

bool teacher_exists(const char* name) {
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (std::strcmp(g_eng_teachers[t].name, name) == 0) return true;
  return false;
}

// "<teacher> <letter><suffix>", the teacher's name cut so the three
// characters of the suffix always fit the 20-character field.
int add_articulated_teacher(int source, int position) {
  char letter = static_cast<char>('A' + (position % 26));
  const char* suffixes = " ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  char name[kNameSize];
  for (const char* s = suffixes; *s != '\0'; ++s) {
    std::snprintf(name, sizeof(name), "%.17s %c%c", g_eng_teachers[source].name, letter, *s);
    if (!teacher_exists(name)) {
      int t = or_find_or_add_teacher(name);
      g_eng_teachers[t].type_flags = 8;
      g_eng_teachers[t].pseudo_flag = 1;
      g_eng_teachers[t].source_teacher = source + 1;
      return t;
    }
  }
  loader_critical("SW", 1700);
}

int find_lesson_by_number(int number) {
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (g_eng_lessons[i].articulated_number == number) return i;
  return -1;
}

void add_partner(EngineLesson& lesson, int partner, const char* message, const char* text) {
  if (lesson.joint_count >= kMaxJointLessons) or_raise_config_error(message, text);
  const EngineLesson& other = g_eng_lessons[partner];
  int k = lesson.joint_count++;
  lesson.joint_lessons[k] = partner;
  if (g_eng_school.option_flags & 2) {
    std::int32_t values[5] = {other.teacher, other.class_index, other.subject, -1, -1};
    char* entry = lesson.joint_entries[k];
    std::memcpy(entry, values, 12);
    entry[12] = 0;
    std::memcpy(entry + 13, values + 3, 8);
  }
}

bool has_partner(const EngineLesson& lesson, int partner) {
  for (int k = 0; k < lesson.joint_count; ++k)
    if (lesson.joint_lessons[k] == partner) return true;
  return false;
}

// The partner of a lesson held together with the class of its joint code:
// the first lesson, in lesson order, of the same subject in a class whose
// code matches, that no lesson of this lesson's class and subject has taken
// yet. The lessons are grouped by subject and class once, and every
// (class, subject, candidate list) keeps a cursor past the candidates it has
// taken, so a description of thousands of joint hours is linked in one pass
// instead of a search over all lessons for each of them.
class JointPartnerFinder {
 public:
  explicit JointPartnerFinder(int count) : taken_(static_cast<std::size_t>(count)) {
    for (int m = 0; m < count; ++m) grouped_[{g_eng_lessons[m].subject, g_eng_lessons[m].class_index}].push_back(m);
  }

  int find(int i) {
    const EngineLesson& lesson = g_eng_lessons[i];
    const std::vector<int>& list = candidates(lesson.subject, lesson.joint_code);
    std::size_t& cursor = cursors_[{lesson.class_index, lesson.subject, &list}];
    while (cursor < list.size() && taken_by(list[cursor], lesson)) ++cursor;
    for (std::size_t p = cursor; p < list.size(); ++p)
      if (list[p] != i && !taken_by(list[p], lesson)) return list[p];
    return -1;
  }

  void take(int partner, const EngineLesson& lesson) {
    taken_[static_cast<std::size_t>(partner)].push_back({lesson.class_index, lesson.subject});
  }

 private:
  bool taken_by(int m, const EngineLesson& lesson) const {
    for (const auto& pair : taken_[static_cast<std::size_t>(m)])
      if (pair.first == lesson.class_index && pair.second == lesson.subject) return true;
    return false;
  }

  const std::vector<int>& candidates(int subject, const char* code) {
    const int length = g_eng_school.class_code_length;
    std::string key(code, strnlen(code, static_cast<std::size_t>(length)));
    auto found = lists_.find({subject, key});
    if (found != lists_.end()) return found->second;
    std::vector<int>& list = lists_[{subject, key}];
    for (int c = 0; c < g_eng_school.class_count; ++c) {
      if (std::strncmp(g_eng_classes[c].code, code, length) != 0) continue;
      auto group = grouped_.find({subject, c});
      if (group != grouped_.end()) list.insert(list.end(), group->second.begin(), group->second.end());
    }
    std::sort(list.begin(), list.end());
    return list;
  }

  std::map<std::pair<int, int>, std::vector<int>> grouped_;  // (subject, class) -> lessons
  std::map<std::pair<int, std::string>, std::vector<int>> lists_;  // (subject, code) -> candidates
  std::map<std::tuple<int, int, const std::vector<int>*>, std::size_t> cursors_;
  std::vector<std::vector<std::pair<int, int>>> taken_;  // per lesson: (class, subject) that took it
};

const char* teacher_name(int t) { return t >= 0 && t < g_eng_school.teacher_count ? g_eng_teachers[t].name : ""; }
const char* subject_name(int s) { return s >= 0 && s < g_eng_school.subject_count ? g_eng_subjects[s].specific_name : ""; }

}  // namespace

void or_build_subject_table() {
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    EngineTeacher& teacher = g_eng_teachers[t];
    teacher.subject_index = 0xFFFF;
    if (teacher.subject_text[0] == '\0') continue;
    for (int s = 0; s < g_eng_school.subject_count && teacher.subject_index == 0xFFFF; ++s)
      if (std::strcmp(g_eng_subjects[s].group_name, teacher.subject_text) == 0 ||
          std::strcmp(g_eng_subjects[s].specific_name, teacher.subject_text) == 0)
        teacher.subject_index = static_cast<std::uint16_t>(s);
    if (teacher.subject_index != 0xFFFF || g_eng_school.subject_count >= kMaxSubjects) continue;
    EngineSubject& subject = g_eng_subjects[g_eng_school.subject_count];
    std::memset(static_cast<void*>(&subject), 0, sizeof(subject));
    std::memcpy(subject.group_name, teacher.subject_text, kNameSize);
    std::memcpy(subject.specific_name, teacher.subject_text, kNameSize);
    teacher.subject_index = static_cast<std::uint16_t>(g_eng_school.subject_count++);
  }
}

void or_create_articulated_classes() {
  for (int g = 0; g < g_articulated_group_count; ++g) or_find_or_add_class(g_articulated_groups[g].code, 0);
}

void or_create_articulated_lessons() {
  for (int g = 0; g < g_articulated_group_count; ++g) {
    const ArticulatedGroup& group = g_articulated_groups[g];
    int cls = or_find_or_add_class(group.code, 0);
    int teacher = -1;
    for (int number = group.first_number; number != group.end_number;
         number = number + 1 >= 2000111001 ? 1 : number + 1) {
      int source = find_lesson_by_number(number);
      if (source < 0) loader_critical("SW", 1720);
      if (teacher < 0) {
        if (g_eng_school.teacher_count >= kMaxTeachers) or_raise_too_many_teachers();
        teacher = add_articulated_teacher(g_eng_lessons[source].teacher, group.position);
      }
      EngineLesson copy = g_eng_lessons[source];
      EngineLesson& lesson = append_lesson();
      lesson.teacher = teacher;
      lesson.class_index = cls;
      lesson.subject = copy.subject;
      lesson.first_subject = copy.first_subject;
      lesson.room = cls;
      lesson.common_room = lesson.second_common_room = -1;
      lesson.lab_group = -1;
      lesson.part_subject = -1;
      lesson.second_teacher = -1;
      lesson.incompatible_subject = -1;
      lesson.paired_subject = -1;
      lesson.building = lesson.forced_building = lesson.room_building = -1;
      lesson.best_room = lesson.further_reference = lesson.chosen_laboratory = -1;
      lesson.part_line_number = -1;
      lesson.line_number = copy.line_number;
      lesson.day = kDayNotPlaced;
      std::memcpy(lesson.joint_class_code, g_eng_classes[copy.class_index].code, 3);
      std::memcpy(lesson.joint_code, g_eng_classes[copy.class_index].code, 3);
    }
  }
}

// Marks the lessons of one subject as laboratory or conversation pieces.
static void mark_pieces(int subject, int kind, int linked, int room) {
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    EngineLesson& lesson = g_eng_lessons[i];
    if (lesson.subject != subject) continue;
    lesson.piece_kind = static_cast<std::uint8_t>(kind);
    lesson.part_subject = linked;
    if (kind == kPieceLaboratory) lesson.room = room;
  }
}

bool or_link_lab_subject(std::FILE* file, const char* field, int subject, int kind, int room) {
  if (!starts_with(field, "SPECIFICO")) {
    char name[kNameSize];
    copy_until(name, field, kNameSize - 1, nullptr);
    int linked = -1;
    for (int s = 0; s < g_eng_school.subject_count && linked < 0; ++s)
      if (s != subject && std::strcmp(g_eng_subjects[s].specific_name, name) == 0) linked = s;
    if (linked < 0) loader_config_error("Manca materia principale per lab/con");
    mark_pieces(subject, kind, linked, room);
    return false;
  }
  const char* group = g_eng_subjects[subject].group_name;
  bool seen_name_line = false;
  while (loader_next_line(file)) {
    const char* line = g_loader.line;
    if (starts_with(line, "GM:") || starts_with(line, "V:")) return true;
    if (starts_with(line, "REM:") || line[0] == '|' || line_end(line)) continue;
    if (!is_upper_letter(static_cast<unsigned char>(line[0]))) {
      if (!seen_name_line) continue;
      return true;
    }
    seen_name_line = true;
    const char* second = next_field(line);
    if (second == nullptr || is_digit(*second)) continue;
    char first_name[kNameSize];
    char second_name[kNameSize];
    copy_until(first_name, line, kNameSize - 1, nullptr);
    copy_until(second_name, second, kNameSize - 1, nullptr);
    or_trim_trailing_blanks(second_name);
    int piece = -1;
    for (int s = 0; s < g_eng_school.subject_count && piece < 0; ++s) {
      const EngineSubject& x = g_eng_subjects[s];
      if (std::strcmp(x.specific_name, second_name) != 0) continue;
      if (std::strcmp(x.group_name, first_name) == 0 || std::strcmp(x.group_name, group) == 0) piece = s;
    }
    if (piece < 0) loader_critical("Software", 1760);
    int front = -1;
    for (int s = 0; s < g_eng_school.subject_count && front < 0; ++s)
      if (std::strcmp(g_eng_subjects[s].group_name, g_eng_subjects[piece].group_name) != 0 &&
          std::strcmp(g_eng_subjects[s].specific_name, second_name) == 0)
        front = s;
    if (front < 0) loader_config_error("Manca materia frontale per lab/con");
    mark_pieces(piece, kind, front, room);
  }
  return false;
}

void or_link_joint_classes() {
  const int count = g_eng_school.lesson_count;
  JointPartnerFinder finder(count);
  char text[200];
  for (int i = 0; i < count; ++i) {
    EngineLesson& lesson = g_eng_lessons[i];
    if (lesson.joint_code[0] == '\0') continue;
    int partner = finder.find(i);
    if (partner >= 0) {
      std::snprintf(text, sizeof(text), "%s - %s", g_eng_classes[lesson.class_index].code, lesson.joint_code);
      add_partner(lesson, partner, "Troppe Classi insieme", text);
      finder.take(partner, lesson);
    } else if (lesson.paired_subject_name[0] == '\0' && !g_provisional_mode) {
      std::snprintf(text, sizeof(text), "%s - %s - %s (%s)", g_eng_classes[lesson.class_index].code,
                    lesson.joint_code, subject_name(lesson.subject), teacher_name(lesson.teacher));
      or_raise_config_error("Classi Configurate Insieme non legate dalla stessa materia", text);
    }
  }
  for (int i = 0; i < count; ++i) {
    const EngineLesson& lesson = g_eng_lessons[i];
    if (lesson.joint_count == 0) continue;
    or_print_console_format("Ora %d Classe %s %s con ", i, g_eng_classes[lesson.class_index].code, subject_name(lesson.subject));
    for (int k = 0; k < lesson.joint_count; ++k)
      or_print_console_format("%d-%s ", lesson.joint_lessons[k], g_eng_classes[g_eng_lessons[lesson.joint_lessons[k]].class_index].code);
    or_print_console_format("\n----------------------\n");
  }
  for (bool added = true; added;) {
    added = false;
    for (int l = 0; l < count; ++l) {
      for (int k = 0; k < g_eng_lessons[l].joint_count; ++k) {
        int p = g_eng_lessons[l].joint_lessons[k];
        EngineLesson& lesson = g_eng_lessons[l];
        EngineLesson& partner = g_eng_lessons[p];
        if (partner.class_index == lesson.class_index) continue;
        if (!has_partner(partner, l)) {
          std::snprintf(text, sizeof(text), "%s - %s %s %s %s", g_eng_classes[lesson.class_index].code,
                        g_eng_classes[partner.class_index].code, subject_name(lesson.subject),
                        teacher_name(lesson.teacher), teacher_name(partner.teacher));
          add_partner(partner, l, "Troppe Classi insieme A ", text);
          added = true;
        }
        // The lessons that hold l as a partner are l's own partners once
        // the sets are symmetric, which this loop reaches pass after pass.
        for (int j = 0; j < g_eng_lessons[l].joint_count; ++j) {
          int x = g_eng_lessons[l].joint_lessons[j];
          EngineLesson& other = g_eng_lessons[x];
          if (x == p || !has_partner(other, l) || has_partner(other, p)) continue;
          if (other.class_index == partner.class_index) continue;
          std::snprintf(text, sizeof(text), "%s - %s", g_eng_classes[other.class_index].code,
                        g_eng_classes[partner.class_index].code);
          add_partner(other, p, "Troppe Classi insieme B", text);
          added = true;
        }
      }
    }
  }
}

namespace {

// Gives d lessons of the matching set block length d for each digit of the
// map; returns how many lessons were set.
template <typename Match>
int apply_map(const char* map, std::uint8_t EngineLesson::*field, Match match) {
  int set = 0;
  int cursor = 0;
  for (const char* digit = map; *digit != '\0'; ++digit) {
    int d = *digit - '0';
    int given = 0;
    for (; cursor < g_eng_school.lesson_count && given < d; ++cursor) {
      EngineLesson& lesson = g_eng_lessons[cursor];
      if (!match(lesson) || lesson.*field >= d) continue;
      lesson.*field = static_cast<std::uint8_t>(d);
      ++given;
    }
    set += given;
  }
  return set;
}

int digit_sum(const char* map) {
  int sum = 0;
  for (; *map != '\0'; ++map) sum += *map - '0';
  return sum;
}

}  // namespace

void or_apply_consecutive_maps() {
  char text[200];
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson source = g_eng_lessons[i];
    auto report = [&](const char* message, const char* map) {
      std::snprintf(text, sizeof(text), "classe:%s prof:%s-%s materia:%s mappa:%s",
                    g_eng_classes[source.class_index].code, teacher_name(source.teacher),
                    teacher_name(source.second_teacher), subject_name(source.subject), map);
      or_raise_config_error(message, text);
    };
    auto same_teacher_class = [&](const EngineLesson& l) {
      return l.teacher == source.teacher && l.class_index == source.class_index;
    };
    if (source.consecutive_maps[0][0] != '\0' &&
        apply_map(source.consecutive_maps[0], &EngineLesson::block_length, same_teacher_class) <
            digit_sum(source.consecutive_maps[0]))
      report("Mappa ore consecutive errata", source.consecutive_maps[0]);
    if (source.consecutive_maps[2][0] != '\0' &&
        apply_map(source.consecutive_maps[2], &EngineLesson::part_block_length,
                  [&](const EngineLesson& l) { return same_teacher_class(l) && (l.piece_kind & 0x30) != 0; }) <
            digit_sum(source.consecutive_maps[2]))
      report("Mappa ore consecutive CONVERSAZIONE o LABORATORIO  errata", source.consecutive_maps[2]);
    if (source.consecutive_maps[1][0] != '\0')
      apply_map(source.consecutive_maps[1], &EngineLesson::block_length,
                [&](const EngineLesson& l) { return same_teacher_class(l) && l.subject == source.subject; });
    if (source.consecutive_maps[3][0] != '\0')
      apply_map(source.consecutive_maps[3], &EngineLesson::part_block_length, [&](const EngineLesson& l) {
        return same_teacher_class(l) && l.subject == source.subject && l.second_teacher == source.second_teacher;
      });
  }
}

void or_link_lab_group_names() {
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    EngineLesson& lesson = g_eng_lessons[i];
    lesson.lab_group = -1;
    if (lesson.group_text[0] == '\0') continue;
    for (int g = 0; g < g_eng_school.lab_group_count; ++g)
      if (std::strcmp(g_eng_lab_groups[g].name, lesson.group_text) == 0) {
        lesson.lab_group = g;
        break;
      }
  }
}
