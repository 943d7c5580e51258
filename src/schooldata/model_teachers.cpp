// Teachers and teaching posts over the school model (see model_utilities.h):
// resets to the values the pages and the description writer take for "not
// set", counts of lab and conversation posts, and the partner copies that
// stand in a partner's list while he is the current teacher.
//
// Invariants: a teacher's post count never exceeds 40 and partner copies
// (copy flag set) are never copied again, so adding copies twice cannot
// grow a list without bound. Indexes outside the tables do nothing.
// Workload: one teacher at a time, all teachers only for the partner scans
// (500 x 40 posts).
#include <algorithm>
#include <cstring>

#include "schooldata/model_utilities.h"

namespace {

bool valid_teacher(int t) { return t >= 0 && t < kUiMaxTeachers; }

int teacher_count() {
  return int(std::min<std::uint32_t>(+g_ui_settings.teacher_count, std::uint32_t(kUiMaxTeachers)));
}

int post_count(const UiTeacher& t) { return int(std::min<std::uint32_t>(+t.post_count, kUiMaxPosts)); }

void reset_placement(UiPostPart& part) {
  part.joined_class = part.excluded_day_subject = -1;
  part.subgroup_subject = part.building_move = -1;
  part.building_move_option = 0;
  part.placement = 0;  // the description writer's "no ORP:"
  part.classwork_hours = -1;
  part.daily_max = -1;
  std::memset(part.grouping1, 0, sizeof part.grouping1);
  std::memset(part.grouping2, 0, sizeof part.grouping2);
  std::memset(part.forbidden_hours, 0, sizeof part.forbidden_hours);
  part.forbidden_hours[0] = 255;
  part.triple[0] = part.triple[1] = part.triple[2] = -1;
  part.letter_j = 0;
}

template <typename T>
bool differs(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) != 0;
}

}  // namespace

void og_reset_teaching_post(UiTeachingPost& post, int keep_assignment) {
  if (!keep_assignment) {
    std::memset(&post, 0, sizeof post);
    post.subject = post.class_index = post.conversation_subject = -1;
    post.lab = post.lab_group = post.partner = -1;
  }
  reset_placement(post.own);
  reset_placement(post.partner_part);
}

// Values not set hold 255; the hour grid, the pair tables and the values
// written only when non-zero start cleared; indexes -1.
void og_set_teacher_defaults(int index) {
  if (!valid_teacher(index)) return;
  UiTeacher& teacher = g_ui_teachers[index];
  UiTeacherConstraints& c = teacher.personal;
  std::memset(&c, 255, sizeof c);
  std::memset(c.op, 0, sizeof c.op);
  std::memset(c.li, 0, sizeof c.li);
  std::memset(c.lialt, 0, sizeof c.lialt);
  std::memset(c.ovmnb, 0, sizeof c.ovmnb);
  for (UiHq2Table* t : {&c.inse, &c.xprese, &c.gruppioremax, &c.ultimeoremax, &c.enterexit}) {
    std::memset(t, 0, sizeof *t);
  }
  c.ignorapausa = c.paulab = 0;
  c.quorvex = c.clasenoc = c.dkif = c.tramox = 0;
  c.pligi[0] = c.pligi[1] = c.segrubi[0] = c.prela[0] = c.fercav[0] = 0;
  c.tekgrado[0] = c.tekgrado[1] = 0;
  c.carshare_partner = c.ni = -1;
  teacher.main_subject = -1;
  teacher.brentix = 0;
  teacher.mxr = 0;
  teacher.prns = 0;
}

void og_init_teacher(int index, const char* name) {
  if (!valid_teacher(index)) return;
  UiTeacher& t = g_ui_teachers[index];
  std::memset(&t, 0, sizeof t);
  std::size_t n = strnlen(name, kUiNameSize - 1);
  std::memcpy(t.name, name, n);
  t.main_subject = -1;
  for (UiTeachingPost& post : t.posts) og_reset_teaching_post(post);
  og_set_teacher_defaults(index);
}

int og_count_lab_posts(int teacher) {
  if (!valid_teacher(teacher)) return 0;
  const UiTeacher& t = g_ui_teachers[teacher];
  int n = 0;
  for (int p = 0; p < post_count(t); ++p) n += t.posts[p].lab >= 0;
  return n;
}

int og_count_conversation_posts(int teacher) {
  if (!valid_teacher(teacher)) return 0;
  const UiTeacher& t = g_ui_teachers[teacher];
  int n = 0;
  for (int p = 0; p < post_count(t); ++p) n += t.posts[p].conversation_subject >= 0;
  return n;
}

namespace {

template <typename Kind>
int count_with_partner(int teacher, Kind kind) {
  int n = 0;
  for (int i = 0; i < teacher_count(); ++i) {
    const UiTeacher& t = g_ui_teachers[i];
    for (int p = 0; p < post_count(t); ++p) n += t.posts[p].partner == teacher && kind(t.posts[p]);
  }
  return n;
}

}  // namespace

int og_count_lab_posts_with_partner(int teacher) {
  return count_with_partner(teacher, [](const UiTeachingPost& p) { return p.lab >= 0; });
}

int og_count_conversation_posts_with_partner(int teacher) {
  return count_with_partner(teacher, [](const UiTeachingPost& p) { return p.conversation_subject >= 0; });
}

void og_add_partner_post_copies(int teacher) {
  if (!valid_teacher(teacher)) return;
  UiTeacher& own = g_ui_teachers[teacher];
  own.post_count = std::uint32_t(post_count(own));
  for (int i = 0; i < teacher_count(); ++i) {
    if (i == teacher) continue;
    const UiTeacher& other = g_ui_teachers[i];
    for (int p = 0; p < post_count(other); ++p) {
      const UiTeachingPost& post = other.posts[p];
      if (post.copy || post.partner != teacher) continue;
      if (own.post_count >= kUiMaxPosts) return;
      UiTeachingPost& copy = own.posts[own.post_count++];
      copy = post;
      copy.copy = 1;
      copy.partner = i;
    }
  }
}

void og_remove_partner_post_copies(int teacher) {
  if (!valid_teacher(teacher)) return;
  UiTeacher& t = g_ui_teachers[teacher];
  int count = post_count(t);
  int kept = 0;
  for (int p = 0; p < count; ++p) {
    if (t.posts[p].copy) continue;
    if (kept != p) t.posts[kept] = t.posts[p];
    ++kept;
  }
  for (int p = kept; p < count; ++p) og_reset_teaching_post(t.posts[p]);
  t.post_count = std::uint32_t(kept);
}

// A group counts as set when any of its fields differs from the defaults
// that og_set_teacher_defaults gives, so the test and the reset cannot drift.
int og_teacher_constraint_groups(int teacher) {
  if (!valid_teacher(teacher)) return 0;
  UiTeacher& t = g_ui_teachers[teacher];
  UiTeacher saved = t;
  og_set_teacher_defaults(teacher);
  const UiTeacherConstraints d = t.personal;
  t = saved;
  const UiTeacherConstraints& c = t.personal;
  bool days = differs(c.pmin, d.pmin) || differs(c.pmax, d.pmax) || differs(c.fmin, d.fmin) ||
              differs(c.fmax, d.fmax) || differs(c.emin, d.emin) || differs(c.emax, d.emax) ||
              differs(c.cavallomax, d.cavallomax) || differs(c.ov, d.ov) || differs(c.om, d.om) ||
              differs(c.ovmnb, d.ovmnb) || differs(c.dimpe, d.dimpe) || differs(c.op, d.op) ||
              differs(c.li, d.li) || differs(c.lialt, d.lialt) || c.gmin != d.gmin || c.gmax != d.gmax ||
              c.presenza != d.presenza || c.insegnamin != d.insegnamin || c.insegna != d.insegna ||
              differs(c.inse, d.inse) || differs(c.xprese, d.xprese) || differs(c.gl, d.gl) ||
              differs(c.gp, d.gp) || differs(c.gu, d.gu) || differs(c.gx, d.gx) || differs(c.buk, d.buk) ||
              c.riposo != d.riposo || c.ignorapausa != d.ignorapausa;
  bool further = c.carshare_partner != d.carshare_partner || c.carshare_wait != d.carshare_wait ||
                 c.gpausa != d.gpausa || c.nomotor != d.nomotor || c.nomweek != d.nomweek ||
                 differs(c.gruppioremax, d.gruppioremax) || differs(c.ultimeoremax, d.ultimeoremax) ||
                 differs(c.enterexit, d.enterexit) || c.paulab != d.paulab || c.quorvex != d.quorvex ||
                 c.clasenoc != d.clasenoc || c.dkif != d.dkif || c.tramox != d.tramox ||
                 differs(c.pligi, d.pligi) || differs(c.segrubi, d.segrubi) || differs(c.prela, d.prela) ||
                 differs(c.fercav, d.fercav) || differs(c.pausameper, d.pausameper) ||
                 c.maxbudayper != d.maxbudayper || differs(c.tekgrado, d.tekgrado) ||
                 c.labrifol != d.labrifol || c.ni != d.ni;
  return (days ? 1 : 0) | (further ? 2 : 0);
}

void og_clamp_hour_digits(UiPostPart& part) {
  for (char* row : {part.grouping1, part.grouping2}) {
    // Each pass lowers at least one digit while the row is too full, so the
    // loop ends within 12 x 9 passes.
    for (;;) {
      int sum = 0;
      bool lowered = false;
      for (int i = 0; i < 12; ++i) {
        if (row[i] < '1' || row[i] > '9') continue;
        sum += row[i] - '0';
        if (sum <= part.hours) continue;
        --row[i];
        --sum;
        if (row[i] == '0') row[i] = 0;
        lowered = true;
      }
      if (!lowered) break;
    }
  }
}
