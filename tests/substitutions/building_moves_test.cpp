// Covers against the covering teacher's moves between buildings, through
// or_main on the liceo with its reference week: its two buildings reach each
// other only in the break after the second hour ("NOCS:...-2"), and some
// teachers teach in both. A cover in the hour before or after one of his
// lessons in the other building would have him change buildings from one
// hour to the next, which the timetable itself never asks of him unless his
// movement rule lets him ("NOMOTOR:3" moves freely, "NOMOTOR:1" never
// without a free hour) or the break after that hour allows it. Such a cover
// is never offered. Every day, absences in turn (every third teacher away
// all day, from three starting points) ask for many covers; the buildings,
// the breaks and the movement rules are read here from the description
// itself (the liceo sets no least minutes for a move and no rule from 11 on).
// A stand-by hour the teacher keeps holds him in its stand-by class's
// building; exemptions granted on these moves let his week hold that many,
// and his weekly limit of building changes holds with the covers. Nor may
// a cover raise the changes of building the timetable charges him within a
// day (a second change, even with free hours between, a change into or out
// of a building that counts every one) beyond what his week held without it
// and beyond the exemptions granted on them.
// Then the officer's own way: the substitutions dialog of the program
// started on the liceo, one teacher away on Monday, computed and printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app_test_support.h"
#include "computed_school.h"
#include "desktop_wiring.h"
#include "engine_runs.h"
#include "frame_test_support.h"
#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/reception_exemption_files.h"
#include "engine/status_block.h"
#include "engine/substitution_services.h"
#include "platform/test_driver.h"
#include "shell/home_page.h"
#include "substitutions/substitutions_dialog.h"

namespace {

using namespace substitution_test;

struct Buildings {
  std::map<std::string, std::string> of_class;               // class code -> building
  std::map<std::pair<std::string, std::string>, int> after;  // from, to: reachable after this hour (1-based)
  std::map<std::string, int> rule;                          // teacher -> "NOMOTOR:"
  std::map<std::string, bool> counts_every;                 // building -> "NOSPOSTA:"
  int lunch = -1;  // 0-based hour of the lunch pause when it excuses a change ("TOCOMI:" second value)
};

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream in(line);
  for (std::string f; std::getline(in, f, '\t');) out.push_back(f);
  return out;
}

Buildings read_buildings(const std::string& description) {
  Buildings b;
  int pause = -1;
  bool lunch_rule = false;
  std::stringstream in(description);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> f = fields(line);
    if (line.rfind("SEDECL:", 0) == 0 && f.size() >= 3) {
      std::stringstream classes(f[2]);
      for (std::string c; std::getline(classes, c, '-');) b.of_class[c] = f[1];
      for (std::size_t i = 3; i < f.size(); ++i) {
        if (f[i].rfind("NOSPOSTA:", 0) == 0) b.counts_every[f[1]] = true;
        if (f[i].rfind("NOCS:", 0) != 0) continue;
        std::size_t dash = f[i].rfind('-');
        b.after[{f[1], f[i].substr(5, dash - 5)}] = std::atoi(f[i].c_str() + dash + 1);
      }
    }
    if (line.rfind("V:\t", 0) == 0 && f.size() >= 2)
      for (std::size_t i = 2; i < f.size(); ++i)
        if (f[i].rfind("NOMOTOR:", 0) == 0) b.rule[f[1]] = std::atoi(f[i].c_str() + 8);
    if (line.rfind("PAUSAMENSA:", 0) == 0 && f.size() >= 2) pause = std::atoi(f[1].c_str()) - 1;
    if (line.rfind("TOCOMI:", 0) == 0 && f.size() >= 2) lunch_rule = f[1].find('-') != std::string::npos &&
                                                                    std::atoi(f[1].c_str() + f[1].find('-') + 1) != 0;
  }
  if (lunch_rule && pause >= 1) b.lunch = pause;
  return b;
}

// Whether going from `from` (1-based hour `hour`) to `to` in the next hour
// is a move the teacher's week may not hold.
bool move_refused(const Buildings& b, const std::string& teacher, const std::string& from, const std::string& to,
                  int hour) {
  if (from == to) return false;
  auto r = b.rule.find(teacher);
  int rule = r == b.rule.end() ? 0 : r->second;
  if (rule == 3 || rule == 5) return false;
  // Rules 4 and 6 ask for free hours before a move: no break lets one pass.
  if (rule == 1 || rule == 4 || rule == 6) return true;
  auto a = b.after.find({from, to});
  return a == b.after.end() || a->second != hour;
}

std::string class_code_of_display(const char* display) {
  for (int c = 0; c < g_eng_school.class_count; ++c)
    if (std::strcmp(g_eng_classes[c].display_name, display) == 0) return g_eng_classes[c].code;
  return "";
}

// The building of every hour the teacher holds on the day, by name: the
// lessons of classes and his stand-by hours, which stand in the building of
// their stand-by class.
std::map<std::string, std::map<int, std::string>> held_buildings(int day) {
  std::map<std::string, std::map<int, std::string>> where;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (!or_lesson_placed(l) || x.day != day || x.class_index < 0 || x.class_index >= g_eng_school.class_count) continue;
    int b = x.building >= 0 ? x.building : g_eng_classes[x.class_index].building;
    if (b < 0 || b >= g_eng_school.building_count) continue;
    for (int t : {x.teacher.get(), or_lesson_has_second(l) ? x.second_teacher.get() : -1})
      if (t >= 0) where[g_eng_teachers[t].name][x.hour] = g_eng_buildings[b].name;
  }
  return where;
}

bool standby_at(const std::string& name, int day, int hour) {
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (or_lesson_placed(l) && x.day == day && x.hour == hour && x.standby_marker == 1 && name == g_eng_teachers[x.teacher].name)
      return true;
  }
  return false;
}

// A granted exemption as the program stores it in the school's exemption
// file: the constraint and the teacher's index.
std::string exemption_line(int constraint_id, int teacher) {
  ViolationRecord v{};
  v.constraint_id = static_cast<std::uint32_t>(constraint_id);
  v.teacher = static_cast<std::uint32_t>(teacher);
  char line[4 + 2 * kExemptionRecordSize + 8];
  or_format_exemption_line(or_exemption_from_violation(v, 0), line, sizeof line);
  return line;
}

using Week = std::map<int, std::map<int, std::string>>;  // day -> hour -> building

class BuildingMoves : public ::testing::Test {
 protected:
  void SetUp() override {
    copy_sample_school("liceo", dir_.path());
    buildings_ = read_buildings(read_file(dir_.path() / "scuola2.txt"));
  }

  // The moves between consecutive hours of the week that the teacher's rule
  // refuses, and his changes of building from one held hour to the next.
  int refused_moves(const std::string& name, const Week& week) const {
    int n = 0;
    for (const auto& [day, hours] : week)
      for (const auto& [h, here] : hours) {
        auto before = hours.find(h - 1);
        if (before != hours.end() && move_refused(buildings_, name, before->second, here, h)) ++n;
      }
    return n;
  }
  // What the timetable charges the teacher for his changes of building
  // within each day, before his allowance: every change beyond the first of
  // a day (a change after a free stretch from the lunch pause on is none),
  // and each change into or out of a building that counts every one.
  int day_transfers(const std::string& name, const Week& week, bool with_lunch = true, bool with_rule = true) const {
    auto r = buildings_.rule.find(name);
    int rule = r == buildings_.rule.end() || !with_rule ? 0 : r->second;
    if (rule == 5) return 0;
    auto every = [&](const std::string& b) { return buildings_.counts_every.count(b) != 0; };
    int n = 0;
    for (const auto& [day, hours] : week) {
      int transfers = 0, previous = -1;
      const std::string* there = nullptr;
      for (const auto& [h, here] : hours) {
        if (there && *there != here) {
          int lunch = with_lunch ? buildings_.lunch : -1;
          if (lunch < 0 || h - 1 < lunch || previous >= lunch) ++transfers;
          bool excused = (rule == 4 && h >= 3 && previous < h - 2) || (rule == 6 && h >= 2 && previous < h - 1);
          if ((every(*there) || every(here)) && !excused) ++n;
        }
        there = &here;
        previous = h;
      }
      if (transfers > 1) n += transfers - 1;
    }
    return n;
  }
  static int changes(const Week& week) {
    int n = 0;
    for (const auto& [day, hours] : week) {
      const std::string* previous = nullptr;
      for (const auto& [h, here] : hours) {
        if (previous && *previous != here) ++n;
        previous = &here;
      }
    }
    return n;
  }

  // Every day, absences in turn (every third teacher away all day, from
  // three starting points): each cover given is checked against the hours
  // the covering teacher holds before and after it, his stand-by hours
  // among them, and against his week. A move beside a cover that his rule
  // refuses is let stand only within the exemptions granted him for such
  // moves (`move_allowance`), over the week; his building changes in the
  // week stay within his weekly limit (`weekly_limit`) where the covers add
  // any.
  void check_every_day() {
    std::vector<std::string> names = substitution_teachers();
    ASSERT_GT(names.size(), 6u);
    int days = or_week_days();
    std::map<std::string, Week> timetable;
    for (int day = 0; day < days; ++day)
      for (const auto& [name, hours] : held_buildings(day)) timetable[name][day] = hours;
    for (int day = 0; day < days; ++day)
      for (int start = 0; start < 3; ++start) {
        write_file(dir_.path() / "assenze.txt", every_third_away(day + 1, start, names));
        ASSERT_EQ(run("SOST:scuola2.txt"), 0) << g_status.message;
        std::map<std::string, Week> with = timetable;
        const SubstitutionState& s = g_substitution_state;
        std::vector<std::pair<std::string, int>> covers;
        for (int r = 0; r < s.row_count; ++r) {
          if (s.rows[r].kind == kUncovered) continue;
          auto b = buildings_.of_class.find(class_code_of_display(s.rows[r].class_name));
          ASSERT_NE(b, buildings_.of_class.end()) << s.rows[r].class_name;
          with[s.rows[r].substitute][day][s.rows[r].hour] = b->second;
          covers.push_back({s.rows[r].substitute, s.rows[r].hour});
        }
        for (const auto& [name, h] : covers) {
          const std::map<int, std::string>& hours = with[name][day];
          const std::string& here = hours.at(h);
          auto before = hours.find(h - 1), after = hours.find(h + 1);
          bool standby_beside = standby_at(name, day, h - 1) || standby_at(name, day, h + 1);
          if ((before != hours.end() && before->second != here) || (after != hours.end() && after->second != here)) {
            ++beside_other_building_;
            if (standby_beside) ++standby_beside_other_building_;
          }
          bool refused_before = before != hours.end() && move_refused(buildings_, name, before->second, here, h);
          bool refused_after = after != hours.end() && move_refused(buildings_, name, here, after->second, h + 1);
          int allowance = move_allowance_.count(name) ? move_allowance_.at(name) : 0;
          if (refused_before || refused_after) {
            ++beside_refused_move_;
            EXPECT_LE(refused_moves(name, with[name]), allowance)
                << name << " on day " << day + 1 << " covers in " << here << " at hour " << h + 1 << " beside "
                << (refused_before ? before->second : after->second) << (standby_beside ? " (a stand-by hour near)" : "");
          }
          auto limit = weekly_limit_.find(name);
          if (limit != weekly_limit_.end()) {
            int now = changes(with[name]), was = changes(timetable[name]);
            if (now > was) ++adds_changes_;
            EXPECT_TRUE(now <= limit->second || now <= was)
                << name << " on day " << day + 1 << " covers in " << here << " at hour " << h + 1 << ": " << now
                << " building changes a week, limit " << limit->second << ", " << was << " without covers";
          }
          // The exemptions on moves between consecutive hours raise the
          // daily allowance too.
          int daily = allowance + (day_allowance_.count(name) ? day_allowance_.at(name) : 0);
          int charged = day_transfers(name, with[name]), was_charged = day_transfers(name, timetable[name]);
          if (changes(with[name]) > changes(timetable[name]) && charged <= was_charged) ++adds_uncharged_change_;
          if (charged > was_charged) ++adds_charged_transfer_;
          if (charged <= was_charged &&
              day_transfers(name, with[name], false) > day_transfers(name, timetable[name], false))
            ++excused_by_lunch_;
          if (charged <= was_charged &&
              day_transfers(name, with[name], true, false) > day_transfers(name, timetable[name], true, false))
            ++excused_by_rule_;
          EXPECT_TRUE(charged <= daily || charged <= was_charged)
              << name << " on day " << day + 1 << " covers in " << here << " at hour " << h + 1 << ": " << charged
              << " changes of building charged within days, " << daily << " granted, " << was_charged
              << " without covers";
        }
      }
  }

  // Four stand-by hours for each of these teachers, placed by "DISP:".
  // Grants the exemption on the constraint once to every teacher (the
  // exemption file of the normal week), noting an allowance of one each.
  void grant_everyone(int constraint_id, std::map<std::string, int>& allowance) {
    std::string file;
    for (int t = 0; t < g_eng_school.teacher_count; ++t) {
      file += exemption_line(constraint_id, t);
      allowance[g_eng_teachers[t].name] = 1;
    }
    write_file(dir_.path() / "scuola3.txt", file);
  }
  void give_standby_hours(const std::vector<std::string>& names) {
    std::string text = read_file(dir_.path() / "scuola2.txt");
    for (const std::string& name : names) replace_once(text, "\n" + name + "\t", "\n" + name + "\tTED:+4\t");
    write_file(dir_.path() / "scuola2.txt", text);
    ASSERT_EQ(run("DISP:scuola2.txt"), 0) << g_status.message;
  }

  FreshSubstitutionDay fresh_;
  kt_test::TempDir dir_{"kt-building-moves-"};
  kt_test::InDriveRoot in_{dir_.path(), dir_.path()};
  Buildings buildings_;
  std::map<std::string, int> move_allowance_, weekly_limit_, day_allowance_;
  int beside_other_building_ = 0, standby_beside_other_building_ = 0, beside_refused_move_ = 0, adds_changes_ = 0;
  int adds_uncharged_change_ = 0, adds_charged_transfer_ = 0, excused_by_lunch_ = 0, excused_by_rule_ = 0;
};

TEST_F(BuildingMoves, NoCoverHasTheTeacherChangeBuildingsFromOneHourToTheNextWhereHisWeekMayNot) {
  ASSERT_EQ(buildings_.of_class.size(), 25u);
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  check_every_day();
  // The rotation does reach covers beside a lesson in the other building
  // (after the break, or by a teacher who moves freely).
  EXPECT_GT(beside_other_building_, 0);
  EXPECT_EQ(beside_refused_move_, 0);
}

// A stand-by hour stands in the building of its stand-by class (the
// building where the teacher gives most of his lessons), and the timetable
// counts a move between it and a lesson of the other building as it counts
// one between two lessons: a cover beside a stand-by hour the teacher keeps
// is one beside that building.
TEST_F(BuildingMoves, AStandbyHourBesideTheCoverHoldsTheTeacherInItsBuilding) {
  give_standby_hours({"RINALDI", "GENTILE", "VILLA", "PELLEGRINI", "FONTANA", "SANTORO", "FERRARA", "MAZZA", "NERI",
                      "CASTELLI", "RIZZO"});
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  check_every_day();
  EXPECT_GT(standby_beside_other_building_, 0);
  EXPECT_EQ(beside_refused_move_, 0);
}

// Exemptions granted on the moves between consecutive hours let a teacher's
// week hold that many such moves: the liceo's week holds none, so each
// teacher granted one may take one cover beside a lesson in the other
// building in the hour before or after it, and no second.
TEST_F(BuildingMoves, ExemptionsOnMovesBetweenHoursLetTheWeekHoldAsManyAsGranted) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  grant_everyone(37, move_allowance_);
  check_every_day();
  EXPECT_GT(beside_refused_move_, 0);
}

// A weekly limit of building changes ("NOMWEEK:") holds over the covers too:
// a cover in the other building, even with a free hour or the break before
// the move, is a change of building in the teacher's week. Every teacher
// gets a limit of one; the exemption granted on it to every other teacher
// raises his to two.
TEST_F(BuildingMoves, AWeeklyLimitOfBuildingChangesHoldsWithTheCovers) {
  std::string text = read_file(dir_.path() / "scuola2.txt"), out;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("V:\t", 0) == 0) {
      std::vector<std::string> f = fields(line);
      ASSERT_GE(f.size(), 2u) << line;
      weekly_limit_[f[1]] = 1;
      line = "V:\t" + f[1] + "\tNOMWEEK:1" + line.substr(3 + f[1].size());
    }
    out += line + "\n";
  }
  write_file(dir_.path() / "scuola2.txt", out);
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  std::string file;
  for (int t = 0; t < g_eng_school.teacher_count; t += 2) {
    file += exemption_line(39, t);
    if (weekly_limit_.count(g_eng_teachers[t].name)) weekly_limit_[g_eng_teachers[t].name] = 2;
  }
  write_file(dir_.path() / "scuola3.txt", file);
  check_every_day();
  EXPECT_GT(adds_changes_, 0);
}

// A change of building within a day is charged from the second on, free
// hours between the lessons or not; the first stays free. So a cover in the
// other building is given where it is the day's first change, and never
// where it makes a second one.
TEST_F(BuildingMoves, NoCoverAddsASecondChangeOfBuildingToTheTeachersDay) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  check_every_day();
  EXPECT_GT(adds_uncharged_change_, 0);
  EXPECT_EQ(adds_charged_transfer_, 0);
}

// Exemptions granted on the changes within a day let the week hold as many
// charged ones: with one each, some covers add one.
TEST_F(BuildingMoves, ExemptionsOnChangesWithinADayLetTheWeekHoldAsManyAsGranted) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  grant_everyone(38, day_allowance_);
  check_every_day();
  EXPECT_GT(adds_charged_transfer_, 0);
}

// A building that counts every transfer ("NOSPOSTA:") has even the day's
// first change into or out of it charged: no cover adds one.
TEST_F(BuildingMoves, ABuildingThatCountsEveryTransferTakesNoCoverThatAddsOne) {
  std::string text = read_file(dir_.path() / "scuola2.txt");
  replace_once(text, "NOCS:SEDE CENTRALE-2\t", "NOCS:SEDE CENTRALE-2\tNOSPOSTA:\t");
  write_file(dir_.path() / "scuola2.txt", text);
  buildings_ = read_buildings(text);
  ASSERT_TRUE(buildings_.counts_every.count("LINGUISTICO"));
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  check_every_day();
  EXPECT_EQ(adds_charged_transfer_, 0);
}

// With the lunch pause at the fourth hour excusing a change after a free
// stretch from it ("TOCOMI:" second value set), a cover that makes such a
// change is no second change of the day.
TEST_F(BuildingMoves, AChangeAfterAFreeLunchPauseIsNoSecondChangeOfTheDay) {
  std::string text = read_file(dir_.path() / "scuola2.txt");
  replace_once(text, "\nSEDECL:", "\nTOCOMI:\t0-1\t\nPAUSAMENSA:\t4\t\nSEDECL:");
  write_file(dir_.path() / "scuola2.txt", text);
  buildings_ = read_buildings(text);
  ASSERT_EQ(buildings_.lunch, 3);
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  check_every_day();
  EXPECT_GT(excused_by_lunch_, 0);
  EXPECT_EQ(adds_charged_transfer_, 0);
}

// A teacher whose movement rule asks for free hours before a move (4: two
// before a lesson from the fourth hour on; 6: one before a lesson from the
// third on) has a change into or out of a building that counts every one
// excused when those free hours are there: a cover making such a change is
// given, and none adds a charged one. Every teacher takes the rule here.
TEST_F(BuildingMoves, AMovementRuleThatAsksForFreeHoursExcusesAChangeIntoABuildingThatCountsEveryOne) {
  const std::string original = read_file(dir_.path() / "scuola2.txt");
  for (int rule : {4, 6}) {
    std::string text = original, out;
    replace_once(text, "NOCS:SEDE CENTRALE-2\t", "NOCS:SEDE CENTRALE-2\tNOSPOSTA:\t");
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("V:\t", 0) == 0) {
        std::vector<std::string> f = fields(line);
        ASSERT_GE(f.size(), 2u) << line;
        line = "V:\t" + f[1] + "\t";
        for (std::size_t i = 2; i < f.size(); ++i)
          if (f[i].rfind("NOMOTOR:", 0) != 0) line += f[i] + "\t";
        line += "NOMOTOR:" + std::to_string(rule) + "\t";
      }
      out += line + "\n";
    }
    write_file(dir_.path() / "scuola2.txt", out);
    buildings_ = read_buildings(out);
    ASSERT_TRUE(buildings_.counts_every.count("LINGUISTICO"));
    ASSERT_EQ(buildings_.rule.at("VILLA"), rule);
    excused_by_rule_ = adds_charged_transfer_ = 0;
    ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
    check_every_day();
    EXPECT_GT(excused_by_rule_, 0) << "rule " << rule;
    EXPECT_EQ(adds_charged_transfer_, 0) << "rule " << rule;
  }
}

// The cell code a teacher's row in the dialog shows at the 1-based hour
// ("SED", "LIN", "-" free, "Dis" stand-by); empty when the row has none.
std::string code_at(const std::string& row, int hour) {
  std::string key = " " + std::to_string(hour) + ":";
  std::size_t at = row.find(key);
  if (at == std::string::npos) return "";
  at += key.size();
  return row.substr(at, row.find(' ', at) - at);
}

class BuildingMovesInTheDialog : public kt_app_test::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
    school_ = data_root() / "liceo";
    kt_app_test::fs::create_directories(school_);
    copy_sample_school("liceo", school_);
    write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\liceo\n");
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
    g_desktop_launcher = [](const std::vector<std::string>&, int*) { return true; };
  }
  void TearDown() override {
    g_desktop_launcher = nullptr;
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
    TempRoot::TearDown();
  }
  kt_app_test::fs::path school_;
  kt::ui::TestDriver ui;
};

// VILLA teaches in the annex on Monday; at his fourth hour a colleague of
// 5BL who teaches in the main building at the third or the fifth hour would
// have to cross between buildings with no break (the liceo's break between
// them falls after the second hour).
TEST_F(BuildingMovesInTheDialog, AMondayCoverNeverHasTheCoverCrossBuildingsBetweenTwoHours) {
  using S = Cmenu_sost;
  std::vector<std::string> teachers, results;
  kt_app_test::run_program(ui, [&] {
    ui.OnNextModal([&](kt::ui::Dialog& d) {
      ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "VILLA  ")));
      ui.Click(d, S::kMarkId);
      ui.Click(d, S::kComputeId);
      ui.Click(d, S::kPrintId);
      teachers = rows_of(d, S::kTeachersId);
      results = rows_of(d, S::kResultsId);
      ui.Click(d, kt::ui::kIdCancel);
    });
    ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
  });
  auto row_of = [&](const std::string& name) {
    for (const std::string& r : teachers)
      if (r.rfind(name + "  ", 0) == 0) return r;
    return std::string();
  };
  std::string absent = row_of("VILLA");
  ASSERT_FALSE(absent.empty());
  ASSERT_FALSE(results.empty());
  std::string printed = read_file(school_ / "Sostituzioni/Sostituzioni.txt");
  bool hour_four = false;
  for (const std::string& r : results) {
    // "Ora 4 - 5Blin - VILLA -> NAME (Docente della classe)"
    int hour = std::atoi(r.c_str() + 4);
    std::size_t arrow = r.find(" -> "), open = r.find(" (");
    ASSERT_NE(arrow, std::string::npos) << r;
    if (open == std::string::npos) continue;  // uncovered
    std::string cover = r.substr(arrow + 4, open - arrow - 4);
    std::string here = code_at(absent, hour), cover_row = row_of(cover);
    ASSERT_FALSE(cover_row.empty()) << cover;
    hour_four = hour_four || hour == 4;
    // The break after the second hour allows the move between hours 2 and 3.
    for (int next : {hour - 1, hour + 1}) {
      if (std::min(hour, next) == 2) continue;
      std::string there = code_at(cover_row, next);
      if (there.empty() || there == "-" || there == "Dis") continue;
      EXPECT_EQ(there, here) << r << ": " << cover_row;
    }
    // The printed list names the same cover.
    std::string line = std::to_string(hour) + "     |";
    std::size_t at = printed.find("\n" + line);
    ASSERT_NE(at, std::string::npos) << printed;
    EXPECT_NE(printed.find(cover, at), std::string::npos) << printed;
  }
  EXPECT_TRUE(hour_four) << "VILLA's fourth hour is covered";
}

}  // namespace
