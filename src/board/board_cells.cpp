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

constexpr std::size_t kFewestLetters = 3;  // "ITA.", "SCI. MOT.": fewer no longer reads as a word

bool is_letter(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u >= 0xC0;
}

std::vector<std::string> words_of(const std::string& name) {
  std::vector<std::string> words;
  for (std::size_t at = 0; at <= name.size();) {
    std::size_t blank = name.find(' ', at);
    if (blank == std::string::npos) blank = name.size();
    if (blank > at) words.push_back(name.substr(at, blank - at));
    at = blank + 1;
  }
  return words;
}

// A word may be cut between two letters, keeping at least three, where its
// full stop leaves it shorter ("ARTE" stays): the letters kept for a wish of
// `letters`, the word's size when it stays whole.
std::size_t kept_letters(const std::string& word, std::size_t letters) {
  auto may = [&](std::size_t n) {
    return n >= kFewestLetters && n + 1 < word.size() && is_letter(word[n - 1]) && is_letter(word[n]);
  };
  for (std::size_t n = std::min(letters, word.size()); n >= kFewestLetters; --n)
    if (may(n)) return n;
  for (std::size_t n = letters + 1; n < word.size(); ++n)
    if (may(n)) return n;
  return word.size();
}

// A short form: each word's kept letters (a cut word ends with a full stop).
struct Form {
  std::vector<std::string> words;
  std::vector<std::size_t> kept;
  std::string Text() const {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i)
      text += (i ? " " : "") + (kept[i] < words[i].size() ? words[i].substr(0, kept[i]) + "." : words[i]);
    return text;
  }
  // Whether it could also stand for another name: as many words, each
  // whole alike or starting with the letters kept.
  bool StandsFor(const std::string& other) const {
    std::vector<std::string> theirs = words_of(other);
    if (theirs.size() != words.size()) return false;
    for (std::size_t i = 0; i < words.size(); ++i) {
      bool cut = kept[i] < words[i].size();
      if (cut ? theirs[i].compare(0, kept[i], words[i], 0, kept[i]) != 0 : theirs[i] != words[i]) return false;
    }
    return true;
  }
};

// The short forms of a name, longest first: the words before the last cut
// to fewer and fewer letters, then the last word, which most often tells
// two names apart ("SCIENZE MOTORIE", "SCIENZE NATURALI"). Forms that could
// stand for another name of `others` are left out.
std::vector<std::string> short_forms(const std::string& name, const std::vector<std::string>& others) {
  Form form;
  form.words = words_of(name);
  if (form.words.empty()) return {};
  for (const std::string& w : form.words) form.kept.push_back(w.size());
  std::vector<std::string> forms;
  auto add = [&] {
    std::string text = form.Text();
    if (text == name || (!forms.empty() && forms.back() == text)) return;
    for (const std::string& other : others)
      if (other != name && form.StandsFor(other)) return;
    forms.push_back(text);
  };
  std::size_t last = form.words.size() - 1, longest = 0;
  for (std::size_t i = 0; i < last; ++i) longest = std::max(longest, form.words[i].size());
  for (std::size_t n = longest; n-- > kFewestLetters;) {
    for (std::size_t i = 0; i < last; ++i) form.kept[i] = kept_letters(form.words[i], n);
    add();
  }
  for (std::size_t n = form.words[last].size(); n-- > kFewestLetters;) {
    form.kept[last] = kept_letters(form.words[last], n);
    add();
  }
  return forms;
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
  std::string subject = parts.subject;
  for (const std::string& form : short_forms(parts.subject, rival_subjects(parts, week))) {
    subject = form;
    text = joined(parts.lead, subject, parts.teachers);
    if (measure(text) <= width) return text;
  }
  // Then the teachers' names, step by step together.
  std::vector<std::vector<std::string>> forms;
  std::size_t steps = 0;
  for (const std::string& t : parts.teachers) {
    forms.push_back(short_forms(t, week.teachers));
    steps = std::max(steps, forms.back().size());
  }
  for (std::size_t step = 0; step < steps; ++step) {
    std::vector<std::string> teachers = parts.teachers;
    for (std::size_t i = 0; i < teachers.size(); ++i)
      if (!forms[i].empty()) teachers[i] = forms[i][std::min(step, forms[i].size() - 1)];
    text = joined(parts.lead, subject, teachers);
    if (measure(text) <= width) return text;
  }
  return text;
}
