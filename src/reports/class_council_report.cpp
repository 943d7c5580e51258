// The class council report ("Consigli Convocabili alla stessa ora"): for
// every class its council (each teacher of the class with the subject
// taught) and beside it the classes whose councils share no teacher with it,
// which can therefore meet at the same hour. Leaves in each class the index
// of its council in the table of distinct councils.
//
// Invariants: only real classes that are not skipped take part; members are
// sorted by name, so two classes with the same teachers share one council;
// a proxy teacher stands for the teacher it represents. Shaped for 300
// classes: the compatibility test compares two councils of a few dozen
// members each, 300 x 300 times at most.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/week_grid_access.h"
#include "reports/conversions.h"
#include "reports/report_lines.h"
#include "reports/report_run.h"

namespace {

struct Member {
  int teacher;
  const char* subject;
};

struct Council {
  std::vector<Member> members;
};

bool takes_part(int c) { return c >= 0 && c < g_eng_school.real_class_count && c < kMaxClasses; }

const char* second_text(int subject) {
  if (subject < 0 || subject >= g_eng_school.subject_count || subject >= kMaxSubjects) return "";
  const EngineSubject& s = g_eng_subjects[subject];
  return s.group_name[0] ? s.group_name : s.specific_name;
}

void add_member(std::vector<Member>& members, int teacher, const char* subject) {
  for (const Member& m : members)
    if (m.teacher == teacher) return;
  members.push_back({teacher, subject});
}

std::vector<Member> council_of(int c) {
  std::vector<Member> members;
  constexpr std::uint8_t kSpecial = kTeacherLabPseudo | kTeacherFca | kTeacherNoLessons;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (x.class_index != c || x.teacher < 0 || x.teacher >= g_eng_school.teacher_count) continue;
    if (or_report_pseudo_teacher(x.teacher)) continue;
    int teacher = x.teacher;
    if (g_eng_teachers[teacher].type_flags & kSpecial) {
      if (!(g_eng_teachers[teacher].type_flags & kTeacherFca) || g_report.proxy[teacher] < 0) continue;
      teacher = g_report.proxy[teacher];
    }
    add_member(members, teacher, second_text(x.subject));
    int second = or_report_second_teacher(l);
    if (second >= 0 && !(g_eng_teachers[second].type_flags & kSpecial))
      add_member(members, second, or_report_subject_name(x.part_subject));
  }
  std::stable_sort(members.begin(), members.end(), [](const Member& a, const Member& b) {
    return std::strcmp(g_eng_teachers[a.teacher].name, g_eng_teachers[b.teacher].name) < 0;
  });
  return members;
}

bool share_teacher(const Council& a, const Council& b) {
  for (const Member& m : a.members)
    for (const Member& n : b.members)
      if (m.teacher == n.teacher) return true;
  return false;
}

// The classes in section order; a school with fewer than two classes has
// its one class, if any.
std::vector<int> classes_by_section() {
  std::vector<int> order;
  int slot = 0;
  if (g_eng_school.real_class_count < 2) {
    if (g_eng_school.real_class_count == 1) order.push_back(0);
    return order;
  }
  for (int c = or_next_class_by_section(1, &slot); c >= 0 && order.size() < kMaxClasses;
       c = or_next_class_by_section(0, &slot))
    order.push_back(c);
  return order;
}

}  // namespace

void or_write_class_council_report() {
  std::vector<Council> councils;
  std::vector<int> council_index(kMaxClasses, -1);
  for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c) {
    if (!takes_part(c)) continue;
    std::vector<Member> members = council_of(c);
    int found = -1;
    for (size_t i = 0; i < councils.size() && found < 0; ++i) {
      const std::vector<Member>& m = councils[i].members;
      bool same = m.size() == members.size();
      for (size_t j = 0; same && j < m.size(); ++j) same = m[j].teacher == members[j].teacher;
      if (same) found = static_cast<int>(i);
    }
    if (found < 0) {
      found = static_cast<int>(councils.size());
      councils.push_back({members});
    }
    council_index[c] = found;
  }
  const char* const kTitle[3] = {"Consigli Convocabili alla stessa ora", "Klassen ohne selben Lehrer",
                                 "Classes not having same teachers"};
  or_name_report(kTitle, g_report.kind);
  std::FILE* f = or_open_report(1333);
  std::string header;
  report_appendf(header, "|%-6.6s|%-20.20s|%-20.20s|%-40.40s|", "",
                 report_pick("Consiglio di Classe", "Lehrpersonal", "Class Staff"), "",
                 report_pick("Classi senza questi docenti", "Klassen ohne diese Lehrer", "Classes without these teachers"));
  std::string rule(header.size(), '-');
  std::string out = rule + "\n";
  std::vector<int> order = classes_by_section();
  for (int c : order) {
    if (!takes_part(c) || council_index[c] < 0) continue;
    const Council& mine = councils[council_index[c]];
    out += header + "\n" + rule + "\n";
    size_t member = 0;
    bool first = true;
    auto row = [&](const char* right) {
      const char* name = first ? or_report_class_name(c) : "";
      const char* teacher = member < mine.members.size() ? g_eng_teachers[mine.members[member].teacher].name : "";
      const char* subject = member < mine.members.size() ? mine.members[member].subject : "";
      report_appendf(out, "|%-6.6s|%-20.20s|%-20.20s|%-40.40s|\n", name, teacher, subject, right);
      first = false;
      ++member;
    };
    for (int k : order) {
      if (k == c || !takes_part(k) || council_index[k] < 0) continue;
      if (share_teacher(mine, councils[council_index[k]])) continue;
      std::string right = or_report_class_name(k);
      row(right.c_str());
    }
    while (member < mine.members.size()) row("");
    out += rule + "\n\n" + rule + "\n";
  }
  std::fputs(out.c_str(), f);
  or_close_report(f, __LINE__);
  or_convert_report_to_rtf(g_report.path, 10, 0, 0);
  or_convert_report_to_html(g_report.path, 1);
}
