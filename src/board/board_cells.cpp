// The timetable board's cell texts and their fitting (see board_cells.h).
// The forms of a text are tried from the longest down: the whole text, the
// subject cut shorter and shorter, then, with the subject as short as it
// may be, the teachers' names cut the same way; the first form that fits
// is the cell's text.
#include "board/board_cells.h"

#include <algorithm>
#include <utility>

#include "engine/model.h"

namespace {

constexpr int kViewTeacher = 1, kViewLab = 2;  // the board's kinds of week

bool valid_teacher(int t) { return t >= 0 && t < g_eng_school.teacher_count && t < kMaxTeachers; }

// The subject of a lesson as the class reports print it.
std::string subject_name(const WeekGridCell& cell) {
  int s = cell.subject;
  if (cell.lesson >= 0 && cell.lesson < g_eng_school.lesson_count) s = g_eng_lessons[cell.lesson].first_subject;
  if (s < 0 || s >= g_eng_school.subject_count || s >= kMaxSubjects) return "";
  const EngineSubject& x = g_eng_subjects[s];
  return x.specific_name[0] ? x.specific_name : x.group_name;
}

constexpr std::size_t kFewestLetters = 3;  // "ITA.", "STO.": fewer no longer reads as a name

// A name may be cut after a letter or digit (never after a blank or a full
// stop of its own), to no fewer than three letters, when no other name of
// the week starts the same way.
bool may_cut(const std::string& name, std::size_t n, const std::vector<std::string>& others) {
  if (n < kFewestLetters || n >= name.size()) return false;
  unsigned char last = static_cast<unsigned char>(name[n - 1]);
  if (!((last >= '0' && last <= '9') || (last >= 'A' && last <= 'Z') || (last >= 'a' && last <= 'z') || last >= 0xC0))
    return false;
  for (const std::string& other : others)
    if (other != name && other.compare(0, n, name, 0, n) == 0) return false;
  return true;
}

// The subjects a cell's subject must stay distinct from: those of the
// lessons that share a teacher with it (every lesson's in a teacher's week).
std::vector<std::string> rival_subjects(const BoardCellText& parts, const BoardWeekNames& week) {
  std::vector<std::string> rivals;
  for (const BoardCellText& other : week.cells) {
    bool shared = parts.teachers.empty();
    for (const std::string& t : other.teachers)
      shared = shared || std::find(parts.teachers.begin(), parts.teachers.end(), t) != parts.teachers.end();
    if (shared && !other.subject.empty()) rivals.push_back(other.subject);
  }
  return rivals;
}

std::string cut(const std::string& name, std::size_t n) { return n < name.size() ? name.substr(0, n) + "." : name; }

// The name cut to the fewest letters allowed that are at least n; whole when
// no such cut is allowed.
std::string cut_at_least(const std::string& name, std::size_t n, const std::vector<std::string>& others) {
  for (std::size_t m = n; m < name.size(); ++m)
    if (may_cut(name, m, others)) return cut(name, m);
  return name;
}

std::string joined(const std::string& lead, const std::string& subject, const std::vector<std::string>& teachers) {
  std::string who;
  for (const std::string& t : teachers) who += (who.empty() ? "" : " + ") + t;
  std::string text = lead;
  if (!subject.empty()) text += (text.empty() ? "" : " ") + subject;
  if (!who.empty()) text += (text.empty() ? "" : subject.empty() ? " " : " - ") + who;
  return text;
}

void add_once(std::vector<std::string>& names, const std::string& name) {
  if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

}  // namespace

BoardCellText board_cell_parts(const WeekGridCell& cell, int view) {
  BoardCellText parts;
  if (cell.class_index < 0 || cell.flag == 1 || cell.flag == 2) return parts;
  if (view == kViewTeacher || view == kViewLab) {
    if (cell.class_index < g_eng_school.class_count && cell.class_index < kMaxClasses)
      parts.lead = g_eng_classes[cell.class_index].code;
    else
      parts.lead = "?";
  }
  if (view != kViewLab) parts.subject = subject_name(cell);
  if (view == kViewTeacher) return parts;
  if (valid_teacher(cell.teacher)) parts.teachers.push_back(g_eng_teachers[cell.teacher].name);
  // The lab assistant "<teacher>_LAB" is the teacher's own lab part, which
  // the class reports do not name either.
  if (valid_teacher(cell.second_teacher) && !(g_eng_teachers[cell.second_teacher].type_flags & kTeacherLabPseudo))
    parts.teachers.push_back(g_eng_teachers[cell.second_teacher].name);
  return parts;
}

BoardWeekNames board_week_names(const WeekGridCell* week, int view) {
  BoardWeekNames names;
  for (int s = 0; s < kWeekSlots; ++s) {
    BoardCellText parts = board_cell_parts(week[s], view);
    if (parts.lead.empty() && parts.subject.empty() && parts.teachers.empty()) continue;
    for (const std::string& t : parts.teachers) add_once(names.teachers, t);
    names.cells.push_back(std::move(parts));
  }
  return names;
}

std::string board_fit_cell(const BoardCellText& parts, const BoardWeekNames& week, int width,
                           const BoardMeasure& measure) {
  std::string text = joined(parts.lead, parts.subject, parts.teachers);
  if (measure(text) <= width) return text;
  // The subject, shorter and shorter.
  std::string subject = parts.subject;
  std::vector<std::string> rivals = rival_subjects(parts, week);
  for (std::size_t n = parts.subject.size(); n-- > 1;) {
    if (!may_cut(parts.subject, n, rivals)) continue;
    subject = cut(parts.subject, n);
    text = joined(parts.lead, subject, parts.teachers);
    if (measure(text) <= width) return text;
  }
  // Then the teachers' names, all cut to the same number of letters where
  // they may be.
  std::size_t longest = 0;
  for (const std::string& t : parts.teachers) longest = std::max(longest, t.size());
  for (std::size_t n = longest; n-- > 1;) {
    std::vector<std::string> teachers;
    for (const std::string& t : parts.teachers) teachers.push_back(cut_at_least(t, n, week.teachers));
    text = joined(parts.lead, subject, teachers);
    if (measure(text) <= width) return text;
  }
  return text;
}
