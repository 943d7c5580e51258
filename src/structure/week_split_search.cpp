// The split search of the three-week split tool (see week_split_search.h).
// A build starts from three full week copies and removes one hour at a time
// until every post has exactly twice its weekly hours left over the three
// copies: the hour comes from the teacher or the class with the largest
// surplus (remaining over target), and from the week that still holds most.
// A post that still exceeds its target holds at least one hour in every
// copy (each copy holds at most the weekly hours), so the chosen week always
// has an hour to give.
#include "structure/week_split_search.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "schooldata/model_utilities.h"
#include "schooldata/ui_school_model.h"

namespace {

int random_below(std::mt19937& random, int n) { return n <= 0 ? 0 : int(random() % std::uint32_t(n)); }

}  // namespace

void WeekSplitSearch::Load() {
  std::vector<WeekSplitPost> posts;
  int teachers = int(std::min<std::uint32_t>(+g_ui_settings.teacher_count, kUiMaxTeachers));
  int classes = og_class_count();
  for (int t = 0; t < teachers; ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    int count = int(std::min<std::uint32_t>(+teacher.post_count, kUiMaxPosts));
    for (int p = 0; p < count; ++p) {
      const UiTeachingPost& post = teacher.posts[p];
      if (post.copy || post.own.hours <= 0) continue;
      WeekSplitPost row;
      row.teacher = t;
      row.post = p;
      row.class_index = post.class_index >= 0 && post.class_index < classes ? post.class_index : -1;
      row.hours_a = post.own.hours;
      row.hours_b = post.partner_part.hours;
      posts.push_back(row);
    }
  }
  Load(std::move(posts), teachers, classes);
}

void WeekSplitSearch::Load(std::vector<WeekSplitPost> posts, int teachers, int classes) {
  m_posts = std::move(posts);
  // A partner shares hours of the post, never more than it has: the school
  // files cannot hold more, and a week with more lab than main hours would
  // be cut back when written, losing lab hours of the split.
  for (WeekSplitPost& p : m_posts) p.hours_b = std::clamp(p.hours_b, 0, std::max(0, p.hours_a));
  m_teachers = teachers;
  m_classes = classes;
  m_by_teacher.assign(std::size_t(teachers), {});
  m_by_class.assign(std::size_t(classes), {});
  m_teacher_hours.assign(std::size_t(teachers), 0);
  m_class_hours.assign(std::size_t(classes), 0);
  for (std::size_t i = 0; i < m_posts.size(); ++i) {
    const WeekSplitPost& p = m_posts[i];
    m_by_teacher[std::size_t(p.teacher)].push_back(int(i));
    m_teacher_hours[std::size_t(p.teacher)] += p.hours_a;
    if (p.class_index >= 0) {
      m_by_class[std::size_t(p.class_index)].push_back(int(i));
      m_class_hours[std::size_t(p.class_index)] += p.hours_a;
    }
  }
  m_rot_class = m_rot_week = m_rot_post = 0;
}

int WeekSplitSearch::PickTeacher(std::mt19937& random, int* surplus) const {
  int start = random_below(random, m_teachers), best = -1;
  *surplus = INT_MIN;
  for (int k = 0; k < m_teachers; ++k) {
    int t = (start + k) % m_teachers;
    int s = m_teacher_left[std::size_t(t)] - 2 * m_teacher_hours[std::size_t(t)];
    if (s >= *surplus) *surplus = s, best = t;  // ties: the later one in the scan
  }
  return best;
}

int WeekSplitSearch::PickClass(std::mt19937& random, int* surplus, int* week) {
  int start = random_below(random, m_classes), best = -1, ties = 0;
  *surplus = INT_MIN;
  *week = -1;
  for (int k = 0; k < m_classes; ++k) {
    int c = (start + k) % m_classes;
    int s = m_class_left[std::size_t(c)] - 2 * m_class_hours[std::size_t(c)];
    if (s > *surplus) *surplus = s, best = c, ties = 0;
    if (s == *surplus) best = c, ++ties;
  }
  if (ties < 2) return best;
  // Several classes share the largest surplus: the class and week that
  // still hold most, from the rotating positions.
  int most = -1;
  for (int k = 0; k < m_classes; ++k) {
    int c = (m_rot_class + k) % m_classes;
    if (m_class_left[std::size_t(c)] - 2 * m_class_hours[std::size_t(c)] != *surplus) continue;
    for (int j = 0; j < 3; ++j) {
      int w = (m_rot_week + j) % 3;
      if (m_class_week_left[w][std::size_t(c)] > most) most = m_class_week_left[w][std::size_t(c)], best = c, *week = w;
    }
  }
  m_rot_class = (m_rot_class + 1) % m_classes;
  return best;
}

int WeekSplitSearch::PickPost(std::mt19937& random, bool by_class, int teacher, int class_index) {
  int best = -1, most = INT_MIN;
  auto consider = [&](int i, int key) {
    if (m_post_left[std::size_t(i)] > 2 * m_posts[std::size_t(i)].hours_a && key > most) most = key, best = i;
  };
  if (by_class) {
    int start = random_below(random, m_teachers);
    for (int k = 0; k < m_teachers; ++k) {
      int t = (start + k) % m_teachers;
      const std::vector<int>& list = m_by_teacher[std::size_t(t)];
      int n = int(list.size());
      for (int j = 0; j < n; ++j) {
        int i = list[std::size_t((m_rot_post + j) % n)];
        if (m_posts[std::size_t(i)].class_index == class_index)
          consider(i, m_teacher_left[std::size_t(t)] - 2 * m_teacher_hours[std::size_t(t)]);
      }
    }
  } else if (teacher >= 0) {
    const std::vector<int>& list = m_by_teacher[std::size_t(teacher)];
    int n = int(list.size());
    for (int j = 0; j < n; ++j) {
      int i = list[std::size_t((m_rot_post + j) % n)];
      int c = m_posts[std::size_t(i)].class_index;
      consider(i, c < 0 ? INT_MIN + 1 : m_class_left[std::size_t(c)] - 2 * m_class_hours[std::size_t(c)]);
    }
  }
  ++m_rot_post;
  if (m_rot_post >= kUiMaxPosts) m_rot_post = 0;
  return best;
}

int WeekSplitSearch::PickWeek(int post, int chosen_week) {
  std::size_t i = std::size_t(post);
  if (chosen_week >= 0 && m_copy.a[chosen_week][i] > 0) return chosen_week;
  int week = -1;
  for (int j = 0; j < 3; ++j) {
    int w = (m_rot_week + j) % 3;
    if (m_copy.a[w][i] > 0 && (week < 0 || m_week_left[w] > m_week_left[week])) week = w;
  }
  for (int j = 1; j <= 3; ++j) {
    int w = (m_rot_week + j) % 3;
    if (week >= 0 && m_copy.a[w][i] > m_copy.a[week][i]) week = w;
  }
  m_rot_week = (m_rot_week + 1) % 3;
  return week;
}

bool WeekSplitSearch::Build(std::mt19937& random, WeekSplit& out) {
  std::size_t n = m_posts.size();
  int to_remove = 0;
  m_post_left.assign(n, 0);
  for (int w = 0; w < 3; ++w) {
    m_copy.a[w].assign(n, 0);
    m_copy.b[w].assign(n, 0);
    m_class_week_left[w] = m_class_hours;
  }
  for (std::size_t i = 0; i < n; ++i) {
    for (int w = 0; w < 3; ++w) m_copy.a[w][i] = m_posts[i].hours_a, m_copy.b[w][i] = m_posts[i].hours_b;
    m_post_left[i] = 3 * m_posts[i].hours_a;
    to_remove += m_posts[i].hours_a;
  }
  m_teacher_left = m_teacher_hours;
  m_class_left = m_class_hours;
  for (int& h : m_teacher_left) h *= 3;
  for (int& h : m_class_left) h *= 3;
  for (int& w : m_week_left) w = to_remove;
  while (to_remove > 0) {
    int teacher_surplus = 0, class_surplus = 0, week = -1;
    int teacher = PickTeacher(random, &teacher_surplus);
    int class_index = PickClass(random, &class_surplus, &week);
    bool by_class = class_index >= 0 && teacher_surplus <= class_surplus;
    int post = PickPost(random, by_class, teacher, class_index);
    if (post < 0) return false;
    week = PickWeek(post, by_class ? week : -1);
    if (week < 0) return false;
    std::size_t i = std::size_t(post);
    const WeekSplitPost& p = m_posts[i];
    --m_copy.a[week][i];
    --m_post_left[i];
    --m_teacher_left[std::size_t(p.teacher)];
    if (p.class_index >= 0) {
      --m_class_left[std::size_t(p.class_index)];
      --m_class_week_left[week][std::size_t(p.class_index)];
    }
    --m_week_left[week];
    --to_remove;
  }
  for (std::size_t i = 0; i < n; ++i) SpreadSecondPart(i);
  out = m_copy;
  return true;
}

// Once a post's main hours are split, its second-part (lab) hours are
// spread so that the three weeks together hold exactly twice its weekly
// ones. Taking a lab hour away with every main hour taken lost lab hours
// whenever a post had fewer lab hours than main hours (3 h with 1 in the
// lab, split 2/2/2, kept 0 lab hours instead of 2). No week holds more lab
// hours than main hours (Load keeps the weekly lab hours within the main
// ones, as the school files do); the surplus is taken from the week holding
// most.
void WeekSplitSearch::SpreadSecondPart(std::size_t i) {
  int hours_b = m_posts[i].hours_b;
  int held = 0;
  for (int w = 0; w < 3; ++w) {
    m_copy.b[w][i] = std::min(hours_b, m_copy.a[w][i]);
    held += m_copy.b[w][i];
  }
  // held >= 2 x hours_b: each week holds min(hours_b, its main hours). With
  // no week short of hours_b, or one, that is plain; two weeks short hold
  // together 2 x hours_a less the third week's (at most hours_a), so at
  // least hours_a >= hours_b; three weeks short hold all 2 x hours_a.
  for (; held > 2 * hours_b; --held) {
    int most = 0;
    for (int w = 1; w < 3; ++w)
      if (m_copy.b[w][i] > m_copy.b[most][i]) most = w;
    --m_copy.b[most][i];
  }
}

int WeekSplitSearch::TeacherWeek(const WeekSplit& split, int teacher, int week) const {
  int hours = 0;
  for (int i : m_by_teacher[std::size_t(teacher)]) hours += split.a[week][std::size_t(i)];
  return hours;
}

int WeekSplitSearch::ClassWeek(const WeekSplit& split, int class_index, int week) const {
  int hours = 0;
  for (int i : m_by_class[std::size_t(class_index)]) hours += split.a[week][std::size_t(i)];
  return hours;
}

int WeekSplitSearch::WeekTotal(const WeekSplit& split, int week) const {
  int hours = 0;
  for (int h : split.a[week]) hours += h;
  return hours;
}

long long WeekSplitSearch::Score(const WeekSplit& split) const {
  long long score = 0;
  for (int t = 0; t < m_teachers; ++t) {
    long long h[3];
    for (int w = 0; w < 3; ++w) h[w] = TeacherWeek(split, t, w);
    score += (h[0] - h[1]) * (h[0] - h[1]) + (h[0] - h[2]) * (h[0] - h[2]) + (h[1] - h[2]) * (h[1] - h[2]);
  }
  return score;
}

std::string WeekSplitSearch::TotalsLine(const WeekSplit& split) const {
  std::string line;
  char part[64];
  for (int w = 0; w < 3; ++w) {
    std::snprintf(part, sizeof part, "Ore totali: %d \t | \t ", WeekTotal(split, w));
    line += part;
  }
  return line;
}

std::vector<std::string> WeekSplitSearch::ReportLines(const WeekSplit& split) const {
  std::vector<std::string> lines = {""};
  char part[160];
  for (int c = 0; c < m_classes && c < og_class_count(); ++c) {
    if (g_ui_structure.classes[c].code[0] == 0) continue;
    std::string line;
    for (int w = 0; w < 3; ++w) {
      std::snprintf(part, sizeof part, "Classe %s: %d \t | \t ", og_class_label(c), ClassWeek(split, c, w));
      line += part;
    }
    lines.push_back(line);
  }
  for (int t = 0; t < m_teachers; ++t) {
    std::string line;
    for (int w = 0; w < 3; ++w) {
      std::snprintf(part, sizeof part, "Profes %.*s: %d (%d) \t | \t ", kUiNameSize, g_ui_teachers[t].name,
                    TeacherWeek(split, t, w), m_teacher_hours[std::size_t(t)]);
      line += part;
    }
    lines.push_back(line);
  }
  lines.push_back(TotalsLine(split));
  return lines;
}
