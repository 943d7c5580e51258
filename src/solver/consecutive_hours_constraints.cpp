// The consecutive-hours constraints, wired to the model. A teaching line of
// a class is the set of its lessons with one teacher, subject and line
// number; its patterns are the maps kept on its lessons (the first lesson of
// the line carries them). A day's value is the longest run of consecutive
// hours of the line that day. Lines of held-out teachers are passed over.
#include "solver/consecutive_hours_constraints.h"

#include <algorithm>
#include <bit>
#include <cstdio>
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

// What a class's delta check needs, taken from the records once. A row is a
// line of one class and one kind (ordinary, or co-taught and laboratory)
// that can be priced: one of its lessons of that kind has patterns (a line
// without any is never priced, so its lessons belong to no row). The rows of
// a class and kind are numbered one after another, so a class's walk finds
// a lesson's row as an offset from the class's first row; a lesson of
// another class, a free cell and a lesson past the count fall outside the
// class's rows and land on a spare row that is never read. Each lesson also
// keeps the patterns its own maps give (an index into the pattern list, -1
// when the map of its kind has no blocks). The record fields read here are
// never changed by the search: a table built once the run's parameters are
// prepared (after the load's preparation of the records) holds until the
// next load resets them; one built before that is rebuilt at every use.
constexpr std::uint32_t kNoRow = 0xFFFFFFFFu;

struct LessonRow {
  std::uint32_t row = kNoRow;
  std::int32_t patterns = -1;
};

struct RowLine {
  std::int32_t teacher, subject;
};

struct ClassRows {
  std::uint32_t first = 0, count = 0;
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
  std::vector<LessonRow> lessons;  // lesson_count + 1: the last for free cells
  std::vector<RowLine> rows;
  std::vector<ClassRows> class_rows[2];  // [lab][class]
  std::uint32_t widest = 0;              // most rows of one class and kind
  std::vector<LinePatterns> patterns;
  std::vector<LineMemo> memo;  // per pattern entry
};

LineTable g_lines;

void build_line_table() {
  LineTable& t = g_lines;
  int n = std::clamp(g_eng_school.lesson_count, 0, kMaxLessons);
  int classes = std::clamp(g_eng_school.class_count, 0, kMaxClasses);
  t.lessons.assign(static_cast<std::size_t>(n) + 1, LessonRow{});
  t.rows.clear();
  t.patterns.clear();
  t.widest = 0;
  // The lines of each class and kind that have patterns.
  using Key = std::tuple<int, bool, int, int, int>;  // class, lab, teacher, subject, line
  std::map<Key, std::uint32_t> row_of;
  for (int l = 0; l < n; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    const bool lab = lesson_has_second_teacher(l);
    const int map = lab ? 2 : 0;
    if (!has_blocks(x.consecutive_maps[map])) continue;
    t.lessons[static_cast<std::size_t>(l)].patterns = static_cast<std::int32_t>(t.patterns.size());
    t.patterns.push_back(LinePatterns{blocks_of_map(x.consecutive_maps[map], kMapSize),
                                      blocks_of_map(x.consecutive_maps[map + 1], kMapSize)});
    row_of.emplace(Key{x.class_index, lab, x.teacher, x.subject, x.line_number}, 0);
  }
  for (std::vector<ClassRows>& kind : t.class_rows) kind.assign(static_cast<std::size_t>(classes), ClassRows{});
  // The map's order keeps a class's rows of one kind together.
  for (auto& [key, row] : row_of) {
    const auto [c, lab, teacher, subject, line] = key;
    row = static_cast<std::uint32_t>(t.rows.size());
    t.rows.push_back(RowLine{teacher, subject});
    if (c < 0 || c >= classes) continue;  // no class walks it
    ClassRows& r = t.class_rows[lab][static_cast<std::size_t>(c)];
    if (r.count == 0) r.first = row;
    t.widest = std::max(t.widest, ++r.count);
  }
  for (int l = 0; l < n; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    auto found = row_of.find(Key{x.class_index, lesson_has_second_teacher(l), x.teacher, x.subject, x.line_number});
    if (found != row_of.end()) t.lessons[static_cast<std::size_t>(l)].row = found->second;
  }
  t.memo.assign(t.patterns.size(), LineMemo{});
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
// over the week grid gathers each row's hours per day, and the hours of its
// lessons that have patterns; a row is priced with the patterns of its first
// lesson in the week that has any, and passed over when none of those is in
// the grid. The walk has no branch on the cell: every cell adds its hour to
// a row, the spare one when it holds no lesson of the class's rows.
int consecutive_from_table(int c, bool lab) {
  LineTable& t = g_lines;
  ensure_line_table();
  if (c >= static_cast<int>(t.class_rows[lab].size())) return 0;
  const ClassRows rows = t.class_rows[lab][static_cast<std::size_t>(c)];
  if (rows.count == 0) return 0;
  struct Row {
    DayMask hours[kDays];
    DayMask patterned[kDays];  // hours of lessons with patterns
  };
  static std::vector<Row> scratch;
  if (scratch.size() < t.widest + 1) scratch.resize(t.widest + 1);
  std::fill_n(scratch.begin(), rows.count + 1, Row{});
  const EngineClass& k = g_eng_classes[c];
  const int days = days_per_week();
  const std::size_t spare_lesson = static_cast<std::size_t>(t.lesson_count);
  for (int d = 0; d < days; ++d) {
    const int hours = hours_of_day(d);
    for (int h = 0; h < hours; ++h) {
      const LessonRow& e = t.lessons[std::min<std::size_t>(k.week_grid[d][h], spare_lesson)];
      Row& r = scratch[std::min(e.row - rows.first, rows.count)];
      const DayMask hour = static_cast<DayMask>(1u << h);
      r.hours[d] |= hour;
      if (e.patterns >= 0) r.patterned[d] |= hour;
    }
  }
  int n = 0;
  const bool granted = g_exemption_allowances.consecutive_granted[c] & (lab ? 2 : 1);
  for (std::uint32_t i = 0; i < rows.count; ++i) {
    const Row& r = scratch[i];
    int first_day = 0;
    while (first_day < days && r.patterned[first_day] == 0) ++first_day;
    if (first_day == days) continue;
    const RowLine& line = t.rows[rows.first + i];
    if (teacher_waiting(line.teacher)) continue;
    if (g_eval_mode == 1 && line.teacher >= 0 && line.teacher < kMaxTeachers &&
        g_eng_teachers[line.teacher].tekgrado[0] == 0)
      continue;
    if (granted && or_consecutive_line_granted(c, line.teacher, line.subject, lab)) continue;
    const int first_hour = std::countr_zero(static_cast<unsigned>(r.patterned[first_day]));
    const std::int32_t patterns = t.lessons[k.week_grid[first_day][first_hour]].patterns;
    LineMemo& memo = t.memo[static_cast<std::size_t>(patterns)];
    std::uint64_t low = 0, high = 0;
    for (int x = 0; x < 4; ++x) low |= std::uint64_t{r.hours[x]} << (16 * x);
    for (int x = 4; x < kDays; ++x) high |= std::uint64_t{r.hours[x]} << (16 * (x - 4));
    if (memo.days != days || memo.low != low || memo.high != high) {
      const LinePatterns& p = t.patterns[static_cast<std::size_t>(patterns)];
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
