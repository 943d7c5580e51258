// Fill and strip of a teacher's default constraints (see
// teacher_constraint_defaults.h). A band table gives, for a load, the value
// of its first row whose threshold reaches the load; a load beyond the last
// threshold takes the last row, and an empty table its stock value (7
// days; 12 hours for the maxima, 1 for the least hours).
#include "constraints/teacher_constraint_defaults.h"

#include <algorithm>

namespace {

int posts_of(const UiTeacher& t) { return int(std::min<std::uint32_t>(std::uint32_t(t.post_count), kUiMaxPosts)); }

int lookup(const UiHq2Table& table, int load, int empty_value) {
  int count = std::min<int>(table.count, 9);
  if (count == 0) return empty_value;
  for (int i = 0; i < count; ++i)
    if (table.pairs[i][0] >= load) return table.pairs[i][1];
  return table.pairs[count - 1][1];
}

// The last row of a derogation table whose threshold does not exceed the
// load gives the default pair; none when every threshold is above it.
bool derogation_pair(const UiHq3Table& table, int load, std::int8_t pair[2]) {
  bool found = false;
  for (int i = 0; i < std::min<int>(table.count, 9); ++i) {
    if (table.triples[i][0] > load) continue;
    pair[0] = table.triples[i][1];
    pair[1] = table.triples[i][2];
    found = true;
  }
  return found;
}

void default_list(UiHq2Table& list, const UiHq3Table& table, int load, const UiHq2Table& own) {
  list = {};
  std::int8_t pair[2] = {0, 0};
  if (!derogation_pair(table, load, pair)) return;
  int count = std::min<int>(own.count, 9);
  if (count >= 9) return;
  for (int i = 0; i < count; ++i)
    if (own.pairs[i][0] <= pair[0]) return;
  list.pairs[0][0] = pair[0];
  list.pairs[0][1] = pair[1];
  list.count = 1;
}

bool one_class(const UiTeacher& t) {
  int klass = -2, hours = 0;
  for (int p = 0; p < posts_of(t); ++p) {
    const UiTeachingPost& post = t.posts[p];
    if (klass != -2 && post.class_index != klass) return false;
    klass = post.class_index;
    hours += post.copy ? post.partner_part.hours : post.own.hours;
  }
  return klass != -2 && hours >= 3;
}

void strip_pairs(UiHq2Table& list, const UiHq2Table& defaults, int maximum) {
  UiHq2Table kept{};
  for (int i = 0; i < std::min<int>(list.count, 9); ++i) {
    bool is_default = false;
    for (int j = 0; j < std::min<int>(defaults.count, 9); ++j)
      is_default = is_default || (list.pairs[i][0] == defaults.pairs[j][0] && list.pairs[i][1] == defaults.pairs[j][1]);
    if (is_default || list.pairs[i][0] <= maximum) continue;
    kept.pairs[kept.count][0] = list.pairs[i][0];
    kept.pairs[kept.count][1] = list.pairs[i][1];
    ++kept.count;
  }
  list = kept;
}

}  // namespace

int vipro_lesson_hours(const UiTeacher& t) {
  int hours = 0;
  for (int p = 0; p < posts_of(t); ++p) {
    const UiTeachingPost& post = t.posts[p];
    hours += std::max(0, int(post.copy ? post.partner_part.hours : post.own.hours));
  }
  return hours;
}

TeacherDefaults vipro_compute_defaults(const UiTeacher& t) {
  const UiSchoolSettings& s = g_ui_settings;
  TeacherDefaults d;
  int lessons = vipro_lesson_hours(t), load = lessons + std::max<int>(t.standby_hours, 0);
  // The kind of teacher picks the presence and lesson tables.
  int posts = posts_of(t), copies = 0, conversation = 0;
  for (int p = 0; p < posts; ++p) {
    if (!t.posts[p].copy) continue;
    ++copies;
    conversation += t.posts[p].conversation_subject >= 0 ? 1 : 0;
  }
  const UiHq2Table* presence = &s.ihpresenza;
  const UiHq2Table* teaching = &s.ihinsegna;
  bool lenient = s.itpleggero != 0;
  if (posts > 0 && (conversation == posts || (lenient && conversation > 0))) {
    presence = &s.ihconpresenza;
    teaching = &s.ihconinsegna;
  } else if (posts > 0 && ((copies == posts && conversation == 0) || (lenient && copies > conversation))) {
    presence = &s.ihlabpresenza;
    teaching = &s.ihlabinsegna;
  }
  d.gmin = lookup(s.iggiorni, lessons, 7);
  d.gmax = lookup(s.iggiorni, load, 7);
  // An empty table of least hours asks for nothing: 1, not 12, which would
  // put the least hours above every maximum and refuse every teacher.
  d.insegnamin = lookup(s.ihminimo, load, 1);
  d.presenza = lookup(*presence, load, 12);
  d.insegna = lookup(*teaching, load, 12);
  d.one_class = one_class(t);
  default_list(d.lesson, s.ihinsegnaextra, lessons, t.personal.inse);
  default_list(d.presence, s.ihpresenzaextra, lessons, t.personal.xprese);
  return d;
}

void vipro_fill_defaults(UiTeacher& t, TeacherDefaults& d) {
  d = vipro_compute_defaults(t);
  UiTeacherConstraints& c = t.personal;
  bool days_filled = c.gmin == -1 && c.gmax == -1;
  bool own_gmax_only = c.gmin == -1 && c.gmax != -1;
  if (c.gmin == -1) c.gmin = std::int8_t(d.gmin);
  if (c.gmax == -1) c.gmax = std::int8_t(d.gmax);
  // A teacher given only the most days, below the least the school's table
  // asks (an empty table asks for 7): his own maximum is his least too, as
  // the engine reads it. Else the page would refuse to leave him until the
  // user made up a minimum, and that minimum, being the default, is not
  // stored either.
  if (own_gmax_only && c.gmin > c.gmax) d.gmin = c.gmin = c.gmax;
  if (c.insegnamin == -1) c.insegnamin = std::int8_t(d.insegnamin);
  if (c.insegna == -1) c.insegna = std::int8_t(d.insegna);
  if (c.presenza == -1) c.presenza = std::int8_t(d.presenza);
  if (days_filled && c.gmin == 1 && c.gmax == 1 && d.one_class) c.gmin = c.gmax = 2;
  if (c.inse.count == 0) c.inse = d.lesson;
  if (c.xprese.count == 0) c.xprese = d.presence;
  d.shown_gmax = c.gmax;
}

void vipro_strip_defaults(UiTeacher& t, const TeacherDefaults& d) {
  UiTeacherConstraints& c = t.personal;
  int insegna = c.insegna, presenza = c.presenza;
  if (c.gmin == d.gmin) c.gmin = -1;
  if (c.gmax == d.gmax) c.gmax = -1;
  if (d.one_class && d.gmin == 1 && d.gmax == 1 && c.gmin == 2 && c.gmax == 2) c.gmin = c.gmax = -1;
  if (c.insegnamin == d.insegnamin) c.insegnamin = -1;
  if (c.insegna == d.insegna) c.insegna = -1;
  if (c.presenza == d.presenza) c.presenza = -1;
  strip_pairs(c.inse, d.lesson, insegna);
  strip_pairs(c.xprese, d.presence, presenza);
}
