// Stand-by hours and covers against the teachers' own constraints, through
// or_main on the sample schools with their reference weeks: teachers with
// forbidden hours ("OP:") and free days ("LI:") get stand-by hours, "DISP:"
// or "RIGO:" places them ("RIGO:" as "DISP:" does, since none were saved
// yet; a second "RIGO:" reads them back unchanged), and "SOST:" covers whole
// days of absences. No stand-by hour and no cover may
// fall in an hour the teacher's constraint line closes to him; the closed
// hours are read here from the description itself.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "computed_school.h"
#include "engine_runs.h"
#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "engine/substitution_services.h"

namespace {

using namespace substitution_test;

// What a "V:" line says about a teacher's week: hours closed whatever he
// teaches ("OP:", or outside "OR:"), and the listed free days.
struct Closed {
  std::set<int> slots;  // day x 12 + hour
  std::vector<int> free_days;
};

const char* const kDayCodes[7] = {"LU", "MA", "ME", "GI", "VE", "SA", "DO"};

int day_of(const std::string& code) {
  for (int d = 0; d < 7; ++d)
    if (code == kDayCodes[d]) return d;
  return -1;
}

// "LU:1-2MA:3-3" into (day, first hour, last hour) triples, hours from 1.
std::vector<std::array<int, 3>> day_ranges(const std::string& text) {
  std::vector<std::array<int, 3>> out;
  for (std::size_t at = 0; at + 3 < text.size();) {
    int day = day_of(text.substr(at, 2));
    if (day < 0 || text[at + 2] != ':') break;
    std::size_t dash = text.find('-', at + 3);
    int first = std::atoi(text.c_str() + at + 3), last = std::atoi(text.c_str() + dash + 1);
    out.push_back({day, first, last});
    at = dash + 1;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
  }
  return out;
}

std::map<std::string, Closed> closed_hours(const std::string& description) {
  std::map<std::string, Closed> out;
  std::size_t at = 0;
  while ((at = description.find("\nV:\t", at)) != std::string::npos) {
    std::size_t end = description.find('\n', at + 1);
    std::vector<std::string> fields;
    std::string line = description.substr(at + 4, end - at - 4), field;
    for (char c : line) {
      if (c == '\t') fields.push_back(field), field.clear();
      else field += c;
    }
    fields.push_back(field);
    Closed& c = out[fields[0]];
    for (const std::string& f : fields) {
      if (f.rfind("OP:", 0) == 0)
        for (auto [d, a, b] : day_ranges(f.substr(3)))
          for (int h = a; h <= b; ++h) c.slots.insert(d * kHoursPerDay + h - 1);
      if (f.rfind("OR:", 0) == 0) {
        std::set<int> open;
        for (auto [d, a, b] : day_ranges(f.substr(3)))
          for (int h = a; h <= b; ++h) open.insert(d * kHoursPerDay + h - 1);
        for (int s = 0; s < kWeekSlots; ++s)
          if (!open.count(s)) c.slots.insert(s);
      }
      if (f.rfind("LI:", 0) == 0)
        for (std::size_t k = 3; k + 2 < f.size() + 1; k += 3)
          if (day_of(f.substr(k, 2)) >= 0) c.free_days.push_back(day_of(f.substr(k, 2)));
    }
    at = end;
  }
  return out;
}

// Lessons of real classes the teacher gives or assists in on the day.
bool teaches_on(int t, int day) {
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (!or_lesson_placed(l) || x.day != day || or_is_pseudo_class(x.class_index)) continue;
    if (x.teacher == t || (or_lesson_has_second(l) && x.second_teacher == t)) return true;
  }
  return false;
}

// Why the slot is closed to the teacher, empty when it is open. One free
// day is always closed; of several, one on which he teaches nothing is.
std::string closed_reason(const std::map<std::string, Closed>& table, const std::string& name, int day, int hour) {
  auto it = table.find(name);
  if (it == table.end()) return "";
  if (it->second.slots.count(day * kHoursPerDay + hour)) return "forbidden hour";
  const std::vector<int>& free = it->second.free_days;
  for (int d : free)
    if (d == day && (free.size() == 1 || !teaches_on(teacher_index(name), day))) return "free day";
  return "";
}

struct Sample {
  const char* school;
  const char* placing;                    // the command that places the stand-by hours
  std::vector<std::string> standby;       // teachers given stand-by hours
  std::vector<std::string> extra_lines;  // (teacher, item) added to a "V:" line
};

void PrintTo(const Sample& s, std::ostream* os) { *os << s.school; }

class ClosedHours : public ::testing::TestWithParam<Sample> {
 protected:
  void SetUp() override {
    const Sample& s = GetParam();
    copy_sample_school(s.school, dir_.path());
    std::string text = read_file(dir_.path() / "scuola2.txt");
    for (const std::string& name : s.standby) replace_once(text, "\n" + name + "\t", "\n" + name + "\tTED:+2\t");
    for (std::size_t i = 0; i + 1 < s.extra_lines.size(); i += 2)
      replace_once(text, "V:\t" + s.extra_lines[i] + "\t", "V:\t" + s.extra_lines[i] + "\t" + s.extra_lines[i + 1] + "\t");
    write_file(dir_.path() / "scuola2.txt", text);
    table_ = closed_hours(text);
  }

  FreshSubstitutionDay fresh_;
  kt_test::TempDir dir_{"kt-closed-hours-"};
  kt_test::InDriveRoot in_{dir_.path(), dir_.path()};
  std::map<std::string, Closed> table_;
};

TEST_P(ClosedHours, StandbyHoursAndCoversStayOutOfClosedHours) {
  const Sample& sample = GetParam();
  ASSERT_EQ(run(sample.placing), 0) << g_status.message;
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  std::multiset<std::pair<std::string, int>> placed;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (x.standby_marker == 0) continue;
    ASSERT_TRUE(or_lesson_placed(l));
    std::string name = g_eng_teachers[x.teacher].name;
    placed.insert({name, x.day * kHoursPerDay + x.hour});
    EXPECT_EQ(closed_reason(table_, name, x.day, x.hour), "") << name << " stand-by " << int(x.day) << "/" << int(x.hour);
  }
  EXPECT_EQ(placed.size(), 2 * sample.standby.size());
  // Saved, they are read back as they are, not placed anew.
  ASSERT_EQ(run("RIGO:scuola2.txt"), 0) << g_status.message;
  std::multiset<std::pair<std::string, int>> again;
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    if (g_eng_lessons[l].standby_marker != 0)
      again.insert({g_eng_teachers[g_eng_lessons[l].teacher].name, g_eng_lessons[l].day * kHoursPerDay + g_eng_lessons[l].hour});
  EXPECT_EQ(again, placed);

  // Every day, every third teacher (by a turning start) is away all day.
  int days = or_week_days(), covers = 0;
  std::vector<std::string> names = substitution_teachers();
  for (int day = 0; day < days; ++day) {
    std::string absences = "GIORNO:" + std::to_string(day + 1) + "\n";
    std::set<std::string> away;
    for (std::size_t i = day % 3; i < names.size(); i += 3) {
      absences += "ASSENTE:" + names[i] + "|Malattia|111111111111\n";
      away.insert(names[i]);
    }
    write_file(dir_.path() / "assenze.txt", absences);
    ASSERT_EQ(run("SOST:scuola2.txt"), 0) << g_status.message;
    const SubstitutionState& s = g_substitution_state;
    for (int r = 0; r < s.row_count; ++r) {
      const SubstitutionRow& row = s.rows[r];
      if (row.kind == kUncovered) continue;
      ++covers;
      EXPECT_FALSE(away.count(row.substitute)) << row.substitute;
      EXPECT_EQ(closed_reason(table_, row.substitute, day, row.hour), "")
          << row.substitute << " covers " << row.class_name << " day " << day << " hour " << row.hour;
    }
  }
  EXPECT_GT(covers, 0);
}

// The small school's stand-by hours are placed by "RIGO:" (none saved yet),
// the liceo's by "DISP:". On the small school MARINO is away on Monday:
// BIANCHI, closed on Monday's first two hours ("OP:LU:1-2"), covers none of
// them; ROSSI gets the same hours closed.
INSTANTIATE_TEST_SUITE_P(Samples, ClosedHours,
                         ::testing::Values(Sample{"piccola", "RIGO:scuola2.txt", {"ROSSI", "BIANCHI", "ESPOSITO", "FERRARI", "GALLO"},
                                                  {"ROSSI", "OP:LU:1-2"}},
                                           Sample{"liceo", "DISP:scuola2.txt", {"SANTORO", "FERRARA", "MAZZA", "NERI", "CASTELLI", "RIZZO"},
                                                  {}}),
                         [](const auto& info) { return std::string(info.param.school); });

}  // namespace
