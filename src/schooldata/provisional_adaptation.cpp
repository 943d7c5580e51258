// The provisional timetable's change of the teaching posts, run by the
// description writer while it builds "cattPROV.txt" (the writer puts the
// model back afterwards, so the change lives only in that file).
//
// The first school days are shorter: a class's provisional week holds the
// hours of the provisional calendar, T = the sum of the per-day provisional
// hours. A class whose posts ask for more than T hours gets every post
// scaled to T in proportion (rounded down, at least 1 hour each, the hours
// left over going to the largest remainders of the posts not raised to their
// one hour); what is still over T is taken
// one hour at a time from its largest post. Teachers
// left out of the provisional timetable ("PRNS:") and partners' post copies
// do not count. A lab or conversation part never keeps more hours than its
// post. A school with no provisional calendar (T = 0) is left as it is.
//
// Work: one pass over the posts to count per class, one to scale; a few
// thousand posts at most.
#include <algorithm>
#include <vector>

#include "schooldata/description_writer_parts.h"
#include "schooldata/ui_school_model.h"

namespace {


template <class Visit>
void each_counted_post(Visit visit) {
  int teachers = ui_bounded_count(g_ui_settings.teacher_count, kUiMaxTeachers);
  for (int t = 0; t < teachers; ++t) {
    UiTeacher& teacher = g_ui_teachers[t];
    if (teacher.prns) continue;
    for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) {
      UiTeachingPost& post = teacher.posts[p];
      if (post.copy || post.own.hours <= 0) continue;
      if (post.class_index < 0 || post.class_index >= kUiMaxClasses) continue;
      visit(post);
    }
  }
}

}  // namespace

void ui_adapt_posts_for_provisional() {
  int week = 0;
  for (int d = 0; d < 7; ++d) week += std::min(g_ui_header.provisional_hours_per_day[d], g_ui_header.hours_per_day[d]);
  if (week <= 0) return;
  std::vector<std::vector<UiTeachingPost*>> by_class(kUiMaxClasses);
  each_counted_post([&](UiTeachingPost& post) { by_class[static_cast<std::size_t>(post.class_index)].push_back(&post); });
  for (std::vector<UiTeachingPost*>& posts : by_class) {
    int total = 0;
    for (UiTeachingPost* p : posts) total += p->own.hours;
    if (total <= week) continue;
    // Largest remainders first: the class's posts add up to the whole week.
    std::vector<std::pair<int, UiTeachingPost*>> remainders;
    int kept = 0;
    for (UiTeachingPost* p : posts) {
      int scaled = p->own.hours * week;
      // A post whose share is under one hour is already raised to its one
      // hour: a leftover hour on top would double it (a one-hour subject
      // taught in many classes would outgrow the teacher's shorter week).
      remainders.push_back({scaled >= total ? scaled % total : -1, p});
      p->own.hours = static_cast<std::int8_t>(std::max(1, scaled / total));
      kept += p->own.hours;
    }
    std::stable_sort(remainders.begin(), remainders.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t i = 0; i < remainders.size() && kept < week && remainders[i].first >= 0; ++i) {
      ++remainders[i].second->own.hours;
      ++kept;
    }
    while (kept > week) {
      UiTeachingPost* largest = *std::max_element(posts.begin(), posts.end(), [](UiTeachingPost* a, UiTeachingPost* b) {
        return a->own.hours < b->own.hours;
      });
      if (largest->own.hours <= 1) break;
      --largest->own.hours;
      --kept;
    }
    for (UiTeachingPost* p : posts) p->partner_part.hours = std::min(p->partner_part.hours, p->own.hours);
  }
}
