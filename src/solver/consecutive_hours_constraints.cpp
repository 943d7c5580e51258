// The consecutive-hours constraints, wired to the model. A teaching line of
// a class is the set of its lessons with one teacher, subject and line
// number; its patterns are the maps kept on its lessons (the first lesson of
// the line carries them). A day's value is the longest run of consecutive
// hours of the line that day. Lines of held-out teachers are passed over.
#include "solver/consecutive_hours_constraints.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>
#include <tuple>
#include <vector>

#include "engine/status_block.h"
#include "solver/constraint_catalogue.h"
#include "solver/exemptions.h"
#include "solver/placement_state.h"
#include "solver/violation_reporter.h"
#include "solver/week_masks.h"

Blocks blocks_of_map(const char* map, int size) {
  Blocks b;
  for (int i = 0; i < size && b.count < kDays; ++i) {
    if (map[i] < '1' || map[i] > '9') break;
    b.add(map[i] - '0');
  }
  return b;
}

namespace {

constexpr int kMapSize = 13;

struct Line {
  int teacher, subject, line;
  Blocks wanted, alternative;
  int run[kDays];    // longest run per day
  int last[kDays];   // hour of the line's last lesson seen that day, -2 none
  int current[kDays];
};

bool teacher_waiting(int t) {
  return t >= 0 && t < kMaxTeachers && g_eng_teachers[t].held_out == 1 && g_eng_teachers[t].second_test == 0;
}

bool has_blocks(const char* map) { return map[0] >= '1' && map[0] <= '9'; }

struct LineKey {
  int teacher, subject, line;
  bool of(const EngineLesson& x) const { return teacher == x.teacher && subject == x.subject && line == x.line_number; }
};

// Lines of class c (ordinary lessons, or co-taught and laboratory ones) that
// have wanted blocks, with their daily runs, in the order in which their
// first lessons come in the week; returns the number of lines. A line
// without wanted blocks is never priced, so it is not gathered.
int class_lines(int c, bool lab, Line* lines) {
  const EngineClass& k = g_eng_classes[c];
  const int map = lab ? 2 : 0;
  static LineKey patterned[kWeekSlots];
  int keys = 0;
  for (int d = 0; d < days_per_week(); ++d)
    for (int h = 0; h < hours_of_day(d); ++h) {
      std::uint16_t l = k.week_grid[d][h];
      if (l == kGridFree || l >= kMaxLessons) continue;
      const EngineLesson& x = g_eng_lessons[l];
      if (lesson_has_second_teacher(l) != lab || !has_blocks(x.consecutive_maps[map])) continue;
      int i = 0;
      while (i < keys && !patterned[i].of(x)) ++i;
      if (i == keys) patterned[keys++] = LineKey{x.teacher, x.subject, x.line_number};
    }
  if (keys == 0) return 0;
  int line_of_key[kWeekSlots];
  for (int i = 0; i < keys; ++i) line_of_key[i] = -1;
  int count = 0;
  for (int d = 0; d < days_per_week(); ++d)
    for (int h = 0; h < hours_of_day(d); ++h) {
      std::uint16_t l = k.week_grid[d][h];
      if (l == kGridFree || l >= kMaxLessons) continue;
      const EngineLesson& x = g_eng_lessons[l];
      if (lesson_has_second_teacher(l) != lab) continue;
      int key = 0;
      while (key < keys && !patterned[key].of(x)) ++key;
      if (key == keys) continue;
      if (line_of_key[key] < 0) {
        line_of_key[key] = count;
        Line& n = lines[count++];
        n = Line{x.teacher, x.subject, x.line_number, {}, {}, {}, {}, {}};
        for (int e = 0; e < kDays; ++e) n.last[e] = -2;
      }
      Line& line = lines[line_of_key[key]];
      // The maps come from the line's first lesson that has wanted blocks.
      if (line.wanted.count == 0 && has_blocks(x.consecutive_maps[map])) {
        line.wanted = blocks_of_map(x.consecutive_maps[map], kMapSize);
        line.alternative = blocks_of_map(x.consecutive_maps[lab ? 3 : 1], kMapSize);
      }
      line.current[d] = line.last[d] == h - 1 ? line.current[d] + 1 : 1;
      line.last[d] = h;
      line.run[d] = std::max(line.run[d], line.current[d]);
    }
  return count;
}

// The distance of every patterned line; each line's share goes to report.
int consecutive(int c, bool lab, std::int64_t* total) {
  static Line lines[kWeekSlots];
  int count = class_lines(c, lab, lines);
  int n = 0;
  for (int i = 0; i < count; ++i) {
    const Line& line = lines[i];
    if (line.wanted.count == 0 || teacher_waiting(line.teacher)) continue;
    if (g_eval_mode == 1 && line.teacher >= 0 && line.teacher < kMaxTeachers &&
        g_eng_teachers[line.teacher].tekgrado[0] == 0)
      continue;
    if (or_consecutive_line_granted(c, line.teacher, line.subject, lab)) continue;
    int k = line_block_distance(line.run, days_per_week(), line.wanted, line.alternative, lab);
    n += k;
    if (total && k > 0) {
      char text[48];
      const char* teacher = (line.teacher >= 0 && line.teacher < kMaxTeachers) ? g_eng_teachers[line.teacher].name : "";
      const char* subject =
          (line.subject >= 0 && line.subject < kMaxSubjects) ? g_eng_subjects[line.subject].specific_name : "";
      std::snprintf(text, sizeof text, "%s %s", teacher, subject);
      // The entry an exemption of this violation takes away.
      or_detail_set_word(0, line.teacher);
      or_detail_set_word(4, line.subject);
      *total += or_count_class_violation(lab ? 81 : 80, c, static_cast<std::uint32_t>(k),
                                         static_cast<std::uint32_t>(std::max(line.teacher, 0)),
                                         static_cast<std::uint32_t>(std::max(line.subject, 0)), text);
    }
  }
  return n;
}

// What a class's delta check needs of each lesson, taken from the records
// once: the line's number over the school (lessons with the same teacher,
// subject and line number share it), whether the lesson is co-taught, and
// the patterns its own maps give (an index into the pattern list, -1 when
// the map of its kind has no blocks), and whether its line can be priced at
// all: a line none of whose lessons of this kind has patterns never is, so
// the delta check passes its lessons over. The record fields it reads are never
// changed by the search: a table built once the run's parameters are
// prepared (after the load's preparation of the records) holds until the
// next load resets them; one built before that is rebuilt at every use.
constexpr std::uint8_t kPricedPlain = 1, kPricedLab = 2;
constexpr std::uint8_t priced_kind(bool lab) { return lab ? kPricedLab : kPricedPlain; }

struct LessonLine {
  std::int32_t line;
  std::int32_t patterns;
  std::int32_t teacher;
  std::int32_t subject;
  bool lab;
  std::uint8_t priced;  // priced_kind(lab) when the line has patterns of that kind, else 0
};

struct LinePatterns {
  Blocks wanted, alternative;
};

// The last distance worked out with one pattern entry, and the line's days
// (hours as bit masks, packed) it was worked out for: a move that leaves the
// line's week as it was finds its distance here. The distance depends on
// nothing else (the entry fixes the patterns and the kind).
struct LineMemo {
  std::uint64_t low = 0, high = 0;  // days 0-3, 4-6
  int days = -1;                    // -1: nothing kept
  int distance = 0;
};

struct LineTable {
  bool ready = false;
  int lesson_count = 0;
  std::vector<LessonLine> lessons;
  std::vector<LinePatterns> patterns;
  std::vector<LineMemo> memo;  // per pattern entry
  std::vector<std::uint32_t> stamp;  // per line: the call that last met it
  std::vector<std::int32_t> local;   // per line: its place in that call's list
  std::uint32_t call = 0;
};

LineTable g_lines;

void build_line_table() {
  LineTable& t = g_lines;
  int n = std::clamp(g_eng_school.lesson_count, 0, kMaxLessons);
  t.lessons.assign(static_cast<std::size_t>(n), LessonLine{});
  t.patterns.clear();
  std::map<std::tuple<int, int, int>, int> numbers;
  for (int l = 0; l < n; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    LessonLine& e = t.lessons[static_cast<std::size_t>(l)];
    auto found = numbers.emplace(std::make_tuple(x.teacher, x.subject, x.line_number), static_cast<int>(numbers.size()));
    e.line = found.first->second;
    e.teacher = x.teacher;
    e.subject = x.subject;
    e.lab = lesson_has_second_teacher(l);
    const int map = e.lab ? 2 : 0;
    e.patterns = -1;
    if (has_blocks(x.consecutive_maps[map])) {
      e.patterns = static_cast<std::int32_t>(t.patterns.size());
      t.patterns.push_back(LinePatterns{blocks_of_map(x.consecutive_maps[map], kMapSize),
                                        blocks_of_map(x.consecutive_maps[map + 1], kMapSize)});
    }
  }
  std::vector<std::uint8_t> patterned(numbers.size(), 0);
  for (const LessonLine& e : t.lessons)
    if (e.patterns >= 0) patterned[static_cast<std::size_t>(e.line)] |= priced_kind(e.lab);
  for (LessonLine& e : t.lessons) e.priced = patterned[static_cast<std::size_t>(e.line)] & priced_kind(e.lab);
  t.memo.assign(t.patterns.size(), LineMemo{});
  t.stamp.assign(numbers.size(), 0);
  t.local.assign(numbers.size(), 0);
  t.call = 0;
  t.lesson_count = n;
  t.ready = g_eng_run.parameters_prepared != 0;
}

void ensure_line_table() {
  const LineTable& t = g_lines;
  if (!t.ready || g_eng_run.parameters_prepared == 0 ||
      t.lesson_count != std::clamp(g_eng_school.lesson_count, 0, kMaxLessons))
    build_line_table();
}

// The class's distance as consecutive() counts it, from the table: one walk
// over the week grid, lines in the order in which their first lessons come,
// each with the patterns of its first lesson that has any. Only the lines
// that can be priced are gathered, each day's hours as a bit mask.
int consecutive_from_table(int c, bool lab) {
  LineTable& t = g_lines;
  ensure_line_table();
  if (++t.call == 0) {  // the stamps wrapped: forget them all
    std::fill(t.stamp.begin(), t.stamp.end(), 0);
    t.call = 1;
  }
  struct Run {
    int line, teacher, subject, patterns;
    DayMask hours[kDays];
  };
  static Run runs[kWeekSlots];
  int count = 0;
  const EngineClass& k = g_eng_classes[c];
  const int days = days_per_week();
  for (int d = 0; d < days; ++d) {
    const int hours = hours_of_day(d);
    for (int h = 0; h < hours; ++h) {
      std::uint16_t l = k.week_grid[d][h];
      if (l == kGridFree || l >= t.lesson_count) continue;
      const LessonLine& e = t.lessons[l];
      if ((e.priced & priced_kind(lab)) == 0) continue;
      int i;
      if (t.stamp[static_cast<std::size_t>(e.line)] != t.call) {
        t.stamp[static_cast<std::size_t>(e.line)] = t.call;
        i = t.local[static_cast<std::size_t>(e.line)] = count++;
        Run& r = runs[i];
        r.line = e.line;
        r.teacher = e.teacher;
        r.subject = e.subject;
        r.patterns = -1;
        std::fill(std::begin(r.hours), std::end(r.hours), DayMask{0});
      } else {
        i = t.local[static_cast<std::size_t>(e.line)];
      }
      Run& r = runs[i];
      if (r.patterns < 0) r.patterns = e.patterns;
      r.hours[d] |= static_cast<DayMask>(1u << h);
    }
  }
  int n = 0;
  const bool granted = g_exemption_allowances.consecutive_granted[c] & (lab ? 2 : 1);
  for (int i = 0; i < count; ++i) {
    const Run& r = runs[i];
    if (r.patterns < 0 || teacher_waiting(r.teacher)) continue;
    if (g_eval_mode == 1 && r.teacher >= 0 && r.teacher < kMaxTeachers && g_eng_teachers[r.teacher].tekgrado[0] == 0)
      continue;
    if (granted && or_consecutive_line_granted(c, r.teacher, r.subject, lab)) continue;
    LineMemo& memo = t.memo[static_cast<std::size_t>(r.patterns)];
    std::uint64_t low = 0, high = 0;
    for (int x = 0; x < 4; ++x) low |= std::uint64_t{r.hours[x]} << (16 * x);
    for (int x = 4; x < kDays; ++x) high |= std::uint64_t{r.hours[x]} << (16 * (x - 4));
    if (memo.days != days || memo.low != low || memo.high != high) {
      const LinePatterns& p = t.patterns[static_cast<std::size_t>(r.patterns)];
      int run[kDays];  // longest run of hours per day
      for (int x = 0; x < kDays; ++x) {
        run[x] = 0;
        for (unsigned m = r.hours[x]; m != 0; m &= m >> 1) ++run[x];
      }
      memo = LineMemo{low, high, days, line_block_distance(run, days, p.wanted, p.alternative, lab)};
    }
    n += memo.distance;
  }
  return n;
}

bool class_counts(int c) { return c >= 0 && c < kMaxClasses && c < g_eng_school.real_class_count; }

std::int64_t full(bool lab) {
  std::int64_t total = 0;
  for (int c = 0; c < g_eng_school.class_count && c < kMaxClasses; ++c)
    if (class_counts(c)) consecutive(c, lab, &total);
  return total;
}

std::int64_t delta(int c, bool lab) {
  if (!class_counts(c)) return 0;
  int n = consecutive_from_table(c, lab);
  return n > 0 ? or_class_weighted(lab ? 81 : 80, c, static_cast<std::uint32_t>(n)) : 0;
}

}  // namespace

void or_forget_consecutive_lines() { g_lines.ready = false; }
std::int64_t or_full_consecutive_hours() { return full(false); }
std::int64_t or_delta_consecutive_hours(int c) { return delta(c, false); }
std::int64_t or_full_consecutive_lab_hours() { return full(true); }
std::int64_t or_delta_consecutive_lab_hours(int c) { return delta(c, true); }
