// The search behind the three-week split tool: the school's weekly teaching
// load is spread over three alternating weeks A, B and C so that every post
// keeps twice its weekly hours over the three weeks together and each
// teacher's and each class's three week totals are as even as possible.
//
// WeekSplitSearch takes a snapshot of the posts of the working model (UI
// thread), then builds random splits by removing one hour at a time from
// three full week copies and scores them; it touches no window and no
// global, so one worker thread may run it while the dialog stays live.
// Sized for 500 teachers x 40 posts and 300 classes: one build costs about
// (total weekly hours) x (teachers + classes) steps.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

struct WeekSplitPost {
  int teacher = 0;
  int post = 0;         // index in the teacher's list
  int class_index = -1;  // -1: a class the model does not hold
  int hours_a = 0;       // weekly hours of the main part
  int hours_b = 0;       // weekly hours of the second part
};

// The hours of each post in each week copy, by post index of the snapshot.
struct WeekSplit {
  std::vector<int> a[3], b[3];
};

class WeekSplitSearch {
 public:
  static constexpr long long kNoScore = 2111999888;

  // Snapshot of the working model's teachers and classes.
  void Load();
  // A hand-made snapshot (tests and callers that already have the posts).
  void Load(std::vector<WeekSplitPost> posts, int teachers, int classes);

  // One trial; false when no post qualified before the split was complete.
  bool Build(std::mt19937& random, WeekSplit& out);
  // Sum over teachers and week pairs of the squared differences of the
  // teacher's week totals; lower is better.
  long long Score(const WeekSplit& split) const;
  // Hours of a teacher or class in week w of a split.
  int TeacherWeek(const WeekSplit& split, int teacher, int week) const;
  int ClassWeek(const WeekSplit& split, int class_index, int week) const;
  int WeekTotal(const WeekSplit& split, int week) const;
  // The line of the three week totals, as the report's last line.
  std::string TotalsLine(const WeekSplit& split) const;
  // The report: an empty line, one line per class and per teacher, the
  // totals line. Class labels and teacher names come from the model, so
  // this runs on the UI thread.
  std::vector<std::string> ReportLines(const WeekSplit& split) const;

  const std::vector<WeekSplitPost>& Posts() const { return m_posts; }
  int Teachers() const { return m_teachers; }
  int Classes() const { return m_classes; }

 private:
  int PickTeacher(std::mt19937& random, int* surplus) const;
  int PickClass(std::mt19937& random, int* surplus, int* week);
  int PickPost(std::mt19937& random, bool by_class, int teacher, int class_index);
  int PickWeek(int post, int chosen_week);
  void SpreadSecondPart(std::size_t post);

  std::vector<WeekSplitPost> m_posts;
  std::vector<std::vector<int>> m_by_teacher, m_by_class;
  std::vector<int> m_teacher_hours, m_class_hours;
  int m_teachers = 0, m_classes = 0;

  // Working state of the build in progress.
  WeekSplit m_copy;
  std::vector<int> m_post_left, m_teacher_left, m_class_left, m_class_week_left[3];
  int m_week_left[3] = {};
  // Rotating scan positions, kept from one removal (and trial) to the next.
  int m_rot_class = 0, m_rot_week = 0, m_rot_post = 0;
};
