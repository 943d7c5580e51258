// An officer's week with the desktop program, started as main() starts it on
// a copy of the small sample school that already has a saved timetable, and
// driven from its pages only:
// - a new timetable is computed from the computation page (asked first; the
//   saved one goes aside into "savego_precedente.txt"), the run records the
//   state '5' in both school files, and the board opens without a question;
// - on the board two lessons of one teacher in one class trade places, the
//   week is saved, the school is left and chosen again in the school chooser,
//   and the board shows the week with the swap;
// - the balancing runs, its result is taken (the saved week set aside) and
//   the board shows the balanced week;
// - each school day the two busiest teachers of the day are marked absent in
//   the substitutions window, and every cover shown there and written to
//   "Sostituzioni/dati_sostituzioni.txt" falls in an hour the covering
//   teacher's constraint line leaves open. The closed hours ("OP:", hours
//   outside "OR:", free days "LI:") are read here from the description on
//   disk; MANCINI is given available hours so that every kind is there.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "board/balancing_page.h"
#include "board/board_page.h"
#include "board/computation_page.h"
#include "board/processing_menu.h"
#include "board/worker_page.h"
#include "engine/model.h"
#include "engine/text_lines.h"
#include "platform/controls/list_box.h"
#include "platform/process.h"
#include "schooldata/school_folder_chooser.h"
#include "shell/frame_test_support.h"
#include "substitutions/substitutions_dialog.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using C = Cmake;
using B = Cbila;
using Q = Cquadro;
using S = Cmenu_sost;

constexpr int kAbsentEachDay = 2;
const char* const kDayCodes[7] = {"LU", "MA", "ME", "GI", "VE", "SA", "DO"};

// A file of the school or a saved week as plain text: each line
// unscrambled (a plain line stays as it is).
std::string plain_text(const std::string& text) {
  std::string plain;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::string out(line.size() + 2, '\0');
    or_scramble_line(1, (line + "\n").c_str(), out.data());
    plain += out.c_str();
  }
  return plain;
}

std::string plain_file(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return plain_text({std::istreambuf_iterator<char>(in), {}});
}

// One line of a saved week: "0012 0 0 1A (0) ROSSI (0)  (-1) CE:0".
struct Placed {
  int lesson, day, hour;
  std::string class_code, teacher;
};

// The lessons of a saved week (its file's text).
std::vector<Placed> saved_week(const std::string& text) {
  std::vector<Placed> week;
  std::istringstream lines(plain_text(text));
  for (std::string line; std::getline(lines, line);) {
    Placed p{};
    std::istringstream fields(line);
    if (!(fields >> p.lesson >> p.day >> p.hour)) continue;
    std::string rest;
    std::getline(fields, rest);
    std::size_t class_end = rest.find(" (");
    std::size_t teacher_at = rest.find(") ", class_end);
    if (class_end == std::string::npos || teacher_at == std::string::npos) continue;
    p.class_code = rest.substr(1, class_end - 1);
    p.teacher = rest.substr(teacher_at + 2, rest.find(" (", teacher_at) - teacher_at - 2);
    week.push_back(p);
  }
  return week;
}

const Placed* find_lesson(const std::vector<Placed>& week, int lesson) {
  for (const Placed& p : week)
    if (p.lesson == lesson) return &p;
  return nullptr;
}

// The fourth status byte of a school file: the state of the timetable.
char timetable_state_in(const fs::path& file) {
  std::string text = plain_file(file);
  std::size_t at = text.find("STATUSINFO:");
  return at == std::string::npos || at + 14 >= text.size() ? '?' : text[at + 11 + 3];
}

// What a teacher's "V:" line closes: slots (day * 12 + hour, from 0) and
// the listed free days.
struct Closed {
  std::set<int> slots;
  std::vector<int> free_days;
};

int day_code(const std::string& text, std::size_t at) {
  for (int d = 0; d < 7; ++d)
    if (text.compare(at, 2, kDayCodes[d]) == 0) return d;
  return -1;
}

// "LU:1-3MA:2-4" as the slots it names.
std::set<int> named_slots(const std::string& ranges) {
  std::set<int> slots;
  for (std::size_t at = 0; at + 3 <= ranges.size();) {
    int day = day_code(ranges, at);
    if (day < 0 || ranges[at + 2] != ':') break;
    char* end = nullptr;
    long first = std::strtol(ranges.c_str() + at + 3, &end, 10);
    long last = *end == '-' ? std::strtol(end + 1, &end, 10) : first;
    for (long h = first; h <= last; ++h) slots.insert(day * kHoursPerDay + int(h) - 1);
    at = std::size_t(end - ranges.c_str());
  }
  return slots;
}

std::map<std::string, Closed> closed_hours(const std::string& description) {
  std::map<std::string, Closed> table;
  std::istringstream lines(description);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("V:\t", 0) != 0) continue;
    std::vector<std::string> items;
    std::istringstream fields(line.substr(3));
    for (std::string item; std::getline(fields, item, '\t');) items.push_back(item);
    if (items.empty()) continue;
    Closed& c = table[items[0]];
    for (const std::string& item : items) {
      if (item.rfind("OP:", 0) == 0) {
        std::set<int> s = named_slots(item.substr(3));
        c.slots.insert(s.begin(), s.end());
      } else if (item.rfind("OR:", 0) == 0) {
        std::set<int> open = named_slots(item.substr(3));
        for (int s = 0; s < kWeekSlots; ++s)
          if (!open.count(s)) c.slots.insert(s);
      } else if (item.rfind("LI:", 0) == 0) {
        for (std::size_t at = 3; at + 3 <= item.size(); at += 3)
          if (day_code(item, at) >= 0) c.free_days.push_back(day_code(item, at));
      }
    }
  }
  return table;
}

// Why the hour is closed to the teacher ("" when open). A single free day is
// always closed; of several, one on which he teaches nothing.
std::string closed_reason(const std::map<std::string, Closed>& table, const std::vector<Placed>& week,
                          const std::string& teacher, int day, int hour) {
  auto it = table.find(teacher);
  if (it == table.end()) return "";
  if (it->second.slots.count(day * kHoursPerDay + hour)) return "forbidden or outside the available hours";
  const std::vector<int>& free = it->second.free_days;
  bool teaches = false;
  for (const Placed& p : week) teaches = teaches || (p.teacher == teacher && p.day == day);
  for (int d : free)
    if (d == day && (free.size() == 1 || !teaches)) return "free day";
  return "";
}

// A cover as the window shows it ("Ora 2 - 1A - ROSSI -> BRUNO (Docente
// della classe)") and as the result file writes it ("2|1A|ROSSI|BRUNO|2").
struct Cover {
  int hour;  // from 1
  std::string class_code, absent, substitute;
  auto key() const { return std::tie(hour, class_code, absent, substitute); }
  bool operator<(const Cover& o) const { return key() < o.key(); }
  bool operator==(const Cover& o) const { return key() == o.key(); }
};

std::set<Cover> covers_shown(const std::vector<std::string>& rows) {
  std::set<Cover> out;
  for (const std::string& row : rows) {
    Cover c{};
    std::size_t a = row.find(" - "), b = row.find(" - ", a + 3), arrow = row.find(" -> ", b + 3);
    EXPECT_TRUE(row.rfind("Ora ", 0) == 0 && arrow != std::string::npos) << row;
    if (arrow == std::string::npos) continue;
    c.hour = std::atoi(row.c_str() + 4);
    c.class_code = row.substr(a + 3, b - a - 3);
    c.absent = row.substr(b + 3, arrow - b - 3);
    std::string who = row.substr(arrow + 4);
    if (who == "SCOPERTA") continue;
    c.substitute = who.substr(0, who.find(" ("));
    out.insert(c);
  }
  return out;
}

std::set<Cover> covers_written(const std::string& text, int day) {
  std::set<Cover> out;
  std::istringstream lines(text);
  std::string first;
  std::getline(lines, first);
  EXPECT_EQ(first.rfind("GIORNO:" + std::to_string(day + 1) + "|", 0), 0u) << first;
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> f;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, '|');) f.push_back(field);
    EXPECT_EQ(f.size(), 5u) << line;
    if (f.size() != 5 || f[3].empty()) continue;
    out.insert({std::atoi(f[0].c_str()), f[1], f[2], f[3]});
  }
  return out;
}

std::vector<std::string> rows_of(Dialog& d, int id) {
  std::vector<std::string> rows;
  if (auto* list = dynamic_cast<ListBox*>(d.GetDlgItem(id)))
    for (int i = 0; i < list->GetCount(); ++i) rows.push_back(list->GetText(i));
  return rows;
}

class OfficerWeek : public ProgramOnSample {
 protected:
  void SetUp() override {
    ProgramOnSample::SetUp();  // the small school, the folder of the program's last run
    school_ = data_root() / "piccola";
    std::string description = read(school_ / "scuola2.txt");
    const std::string from = "V:\tMANCINI\tGMAX:2\t", to = "V:\tMANCINI\tGMAX:2\tOR:LU:1-3MA:1-5GI:2-5\t";
    std::size_t at = description.find(from);
    ASSERT_NE(at, std::string::npos);
    write(school_ / "scuola2.txt", description.replace(at, from.size(), to));
    write(school_ / "savego.txt", read(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt"));
    closed_ = closed_hours(plain_file(school_ / "scuola2.txt"));
  }
  std::size_t Boxes() const { return ui.boxes().size(); }
  std::string LastBox() { return ui.boxes().empty() ? "" : ui.boxes().back().texts.at(0); }
  void NoBoxSince(std::size_t shown, const char* step) {
    for (std::size_t b = shown; b < ui.boxes().size(); ++b)
      ADD_FAILURE() << step << ": no box expected, shown: " << ui.boxes()[b].texts.at(0);
  }

  void ComputeAnew();
  void SwapTwoLessonsOfOneTeacher();
  void ChooseTheSchoolAgain();
  void Balance();
  void CoverAbsencesEveryDay();
  // The board's week of each class against the saved week, hour by hour.
  void BoardShowsSavedWeek(const char* step);
  // The board's cell of a slot (day * 12 + hour) and its lesson's subject.
  static const WeekGridCell& At(int slot) { return g_board.Cell(slot / kHoursPerDay, slot % kHoursPerDay); }
  static std::string Subject(int slot) {
    return At(slot).subject >= 0 ? g_eng_subjects[At(slot).subject].group_name : "";
  }

  fs::path school_;
  std::map<std::string, Closed> closed_;
  int swapped_[2] = {-1, -1};    // the two lessons traded
  int swapped_at_[2] = {-1, -1};  // their slots before the swap
};

void OfficerWeek::ComputeAnew() {
  std::string saved = read(school_ / "savego.txt");
  alfadlg_go_to_page(kPageMake);
  ASSERT_EQ(g_current_page, &g_make_page);
  EXPECT_EQ(ui.Text(g_make_page, C::kTechniqueId), "Calcolo completo di un nuovo orario");
  ui.AnswerNextModal(kIdYes);
  ui.Select(g_make_page, C::kTechniqueId, 0);
  ui.Click(g_make_page, C::kStartId);
  EXPECT_NE(LastBox().find("Calcolare un nuovo orario?"), std::string::npos) << LastBox();
  g_engine_thread.Join();
  ui.Advance(C::kTimerMs);
  ASSERT_TRUE(g_make_page.Finished());
  EXPECT_EQ(ui.Text(g_make_page, C::kResultId), "Elaborazione terminata. Errori rimasti: 0");
  EXPECT_EQ(read(school_ / "savego_precedente.txt"), saved) << "the old week set aside";
  EXPECT_NE(read(school_ / "savego.txt"), saved);
  EXPECT_EQ(saved_week(read(school_ / "savego.txt")).size(), saved_week(saved).size());
  for (const char* file : {"scuola1.txt", "scuola2.txt"}) EXPECT_EQ(timetable_state_in(school_ / file), '5') << file;
  std::size_t shown = Boxes();
  alfadlg_go_to_page(kPageQuadro);
  EXPECT_EQ(g_current_page, &g_board);
  NoBoxSince(shown, "the board after a run with no error left");
  BoardShowsSavedWeek("computed");
}

void OfficerWeek::BoardShowsSavedWeek(const char* step) {
  SCOPED_TRACE(step);
  ASSERT_EQ(g_current_page, &g_board);
  std::vector<Placed> week = saved_week(read(school_ / "savego.txt"));
  ASSERT_FALSE(week.empty());
  std::set<std::string> classes;
  for (const Placed& p : week) classes.insert(p.class_code);
  for (const std::string& code : classes) {
    ASSERT_TRUE(ui.Select(g_board, Q::kKindId, Q::kViewClass));
    ASSERT_TRUE(ui.Select(g_board, Q::kNameId, code)) << code;
    for (const Placed& p : week) {
      if (p.class_code != code) continue;
      EXPECT_EQ(g_board.Cell(p.day, p.hour).lesson, p.lesson) << code << " " << p.day << "/" << p.hour;
      std::string shown = g_board.Grid().GetItemText(p.hour, p.day + 1);
      EXPECT_NE(shown.find(p.teacher), std::string::npos) << code << " " << p.day << "/" << p.hour << ": " << shown;
    }
  }
}

// Two lessons of one teacher in one class with different subjects, whose
// swap breaks nothing: ROSSI's ITALIANO and STORIA in 1A where the week
// allows it, else the first such pair the week gives.
void OfficerWeek::SwapTwoLessonsOfOneTeacher() {
  ASSERT_TRUE(ui.Select(g_board, Q::kKindId, Q::kViewClass));
  ASSERT_TRUE(ui.Select(g_board, Q::kNameId, "1A"));
  std::vector<std::pair<int, int>> pairs;
  for (int s = 0; s < kWeekSlots; ++s)
    for (int t = s + 1; t < kWeekSlots; ++t) {
      const WeekGridCell &a = At(s), &b = At(t);
      if (a.class_index < 0 || b.class_index < 0 || a.teacher < 0 || a.teacher != b.teacher || a.subject == b.subject)
        continue;
      std::set<std::string> subjects = {Subject(s), Subject(t)};
      bool wanted = std::string(g_eng_teachers[a.teacher].name) == "ROSSI" &&
                    subjects == std::set<std::string>{"ITALIANO", "STORIA"};
      pairs.insert(wanted ? pairs.begin() : pairs.end(), {s, t});
    }
  ASSERT_FALSE(pairs.empty()) << "no two lessons of one teacher in 1A";
  std::string saved = read(school_ / "savego.txt");
  auto click = [&](int s) { ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, s % kHoursPerDay, s / kHoursPerDay + 1)); };
  std::size_t shown = Boxes();
  auto text_at = [](int s) { return g_board.Grid().GetItemText(s % kHoursPerDay, s / kHoursPerDay + 1); };
  for (auto [s, t] : pairs) {
    int a = At(s).lesson, b = At(t).lesson;
    std::string subject_a = Subject(s), subject_b = Subject(t), text_a = text_at(s), text_b = text_at(t);
    click(s);
    click(t);
    ASSERT_EQ(At(t).lesson, a) << "the two traded places";
    ASSERT_EQ(At(s).lesson, b);
    EXPECT_EQ(Subject(t), subject_a);
    EXPECT_EQ(Subject(s), subject_b);
    EXPECT_NE(text_a, text_b) << "the officer sees the two lessons apart";
    EXPECT_EQ(text_at(t), text_a);
    EXPECT_EQ(text_at(s), text_b);
    EXPECT_TRUE(g_board.Changed());
    bool breaks = ui.Text(g_board, Q::kStatusId).rfind("Lezione spostata: ora l'orario viola", 0) == 0;
    if (!breaks && g_board.Problems().empty()) {
      swapped_[0] = a, swapped_[1] = b, swapped_at_[0] = s, swapped_at_[1] = t;
      break;
    }
    click(t);  // it breaks a constraint: back, and the next pair
    click(s);
  }
  NoBoxSince(shown, "the swaps");
  ASSERT_GE(swapped_[0], 0) << "every swap of one teacher's lessons in 1A breaks a constraint";
  ui.Click(g_board, Q::kSaveId);
  EXPECT_FALSE(g_board.Changed());
  NoBoxSince(shown, "the save");
  // The saved week has the two lessons in each other's hour, all else as it was.
  std::vector<Placed> before = saved_week(saved), after = saved_week(read(school_ / "savego.txt"));
  ASSERT_EQ(before.size(), after.size());
  for (const Placed& p : after) {
    const Placed* q = find_lesson(before, p.lesson);
    ASSERT_NE(q, nullptr) << p.lesson;
    int slot = p.day * kHoursPerDay + p.hour, was = q->day * kHoursPerDay + q->hour;
    if (p.lesson == swapped_[0]) EXPECT_EQ(std::pair(slot, was), std::pair(swapped_at_[1], swapped_at_[0]));
    else if (p.lesson == swapped_[1]) EXPECT_EQ(std::pair(slot, was), std::pair(swapped_at_[0], swapped_at_[1]));
    else EXPECT_EQ(slot, was) << "lesson " << p.lesson << " moved";
  }
  for (const char* file : {"scuola1.txt", "scuola2.txt"}) EXPECT_EQ(timetable_state_in(school_ / file), '5') << file;
}

// The school left for the data folder and entered again in the chooser of
// the home page; the board, opened again, loads the saved week.
void OfficerWeek::ChooseTheSchoolAgain() {
  alfadlg_go_to_page(kPageHome);
  ASSERT_EQ(g_current_page, &g_home_page);
  bool chosen = false;
  ui.OnNextModal([&](Dialog& d) {
    ASSERT_TRUE(ui.Select(d, Cselscuole::kListId, ".."));
    ui.Click(d, kIdOk);  // up to the data folder
    ASSERT_TRUE(ui.Select(d, Cselscuole::kListId, "piccola"));
    ui.Click(d, kIdOk);  // in, and back to the home page
    chosen = true;
  });
  ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kSelectSchool));
  ASSERT_TRUE(chosen);
  EXPECT_EQ(og_current_folder_path(), "\\KestrinTempusDati\\piccola");
  std::size_t shown = Boxes();
  alfadlg_go_to_page(kPageQuadro);
  ASSERT_EQ(g_current_page, &g_board);
  NoBoxSince(shown, "the board after the saved swap");
  ASSERT_TRUE(ui.Select(g_board, Q::kKindId, Q::kViewClass));
  ASSERT_TRUE(ui.Select(g_board, Q::kNameId, "1A"));
  EXPECT_EQ(At(swapped_at_[1]).lesson, swapped_[0]);
  EXPECT_EQ(At(swapped_at_[0]).lesson, swapped_[1]);
  BoardShowsSavedWeek("reopened");
}

void OfficerWeek::Balance() {
  std::string before = read(school_ / "savego.txt");
  alfadlg_go_to_page(kPageBila);
  ASSERT_EQ(g_current_page, &g_balancing_page);
  ui.Click(g_balancing_page, B::kTeachersId);
  ASSERT_TRUE(g_balancing_page.Running());
  auto evaluated = [&] { return ui.Text(g_balancing_page, B::kProgressId).find("FATTORE") != std::string::npos; };
  ASSERT_TRUE(follow_engine(ui, evaluated, B::kTimerMs));
  ui.Click(g_balancing_page, B::kStopId);
  g_engine_thread.Join();
  ui.Advance(B::kTimerMs);
  ASSERT_TRUE(g_balancing_page.ResultPending());
  std::string balanced = read(school_ / "savebi.txt");
  ASSERT_EQ(saved_week(balanced).size(), saved_week(before).size());
  std::size_t shown = Boxes();
  ui.Click(g_balancing_page, B::kTakeId);
  NoBoxSince(shown, "taking the balanced week");
  EXPECT_FALSE(g_balancing_page.ResultPending());
  EXPECT_EQ(read(school_ / "savego.txt"), balanced);
  EXPECT_EQ(read(school_ / "savego_precedente.txt"), before) << "the week with the swap set aside";
  EXPECT_FALSE(fs::exists(school_ / "savebi.txt"));
  for (const char* file : {"scuola1.txt", "scuola2.txt"}) EXPECT_EQ(timetable_state_in(school_ / file), '5') << file;
  alfadlg_go_to_page(kPageQuadro);
  ASSERT_EQ(g_current_page, &g_board);
  NoBoxSince(shown, "the board after the balancing");
  BoardShowsSavedWeek("balanced");
}

// Each school day, the two teachers with the most lessons that day (as the
// window's rows show them) are away all day; every cover is checked against
// the covering teacher's closed hours and his own lessons.
void OfficerWeek::CoverAbsencesEveryDay() {
  // The description as the program saved it may state them another way
  // ("OR:" as the "OP:" of the other lesson hours), never other hours.
  std::map<std::string, Closed> now = closed_hours(plain_file(school_ / "scuola2.txt"));
  ASSERT_EQ(now.size(), closed_.size());
  for (const auto& [name, c] : closed_) EXPECT_EQ(now[name].free_days, c.free_days) << name;
  std::vector<Placed> week = saved_week(read(school_ / "savego.txt"));
  int covers = 0, days = 0;
  ui.OnNextModal([&](Dialog& d) {
    auto* day_list = dynamic_cast<ComboBox*>(d.GetDlgItem(S::kDayId));
    ASSERT_NE(day_list, nullptr);
    days = day_list->GetCount();
    for (int day = 0; day < days; ++day) {
      SCOPED_TRACE(day);
      if (day > 0) ui.AnswerNextModal(kIdYes);  // "Cambiando giorno si tolgono gli assenti segnati."
      ASSERT_TRUE(ui.Select(d, S::kDayId, day));
      for (int hour = 0; hour < kHoursPerDay && ui.IsEnabled(d, S::kFirstHourId + hour); ++hour)
        for (const auto& [name, c] : closed_)
          EXPECT_EQ(now[name].slots.count(day * kHoursPerDay + hour), c.slots.count(day * kHoursPerDay + hour))
              << name << " day " << day << " hour " << hour;
      std::vector<std::string> teachers = rows_of(d, S::kTeachersId);
      // (lessons that day, row) for every teacher, the busiest first.
      std::vector<std::pair<int, int>> busy;
      for (std::size_t i = 0; i < teachers.size(); ++i) {
        int lessons = 0;
        std::istringstream codes(teachers[i].substr(teachers[i].find("  ")));
        for (std::string code; codes >> code;) {
          std::string what = code.substr(code.find(':') + 1);
          lessons += what != "-" && what != "Dis";
        }
        busy.push_back({-lessons, int(i)});
      }
      std::sort(busy.begin(), busy.end());
      ASSERT_GE(busy.size(), std::size_t(kAbsentEachDay));
      std::set<std::string> absent;
      for (int k = 0; k < kAbsentEachDay; ++k) {
        const std::string& row = teachers[std::size_t(busy[std::size_t(k)].second)];
        absent.insert(row.substr(0, row.find("  ")));
        ASSERT_TRUE(ui.Select(d, S::kTeachersId, busy[std::size_t(k)].second));
        ui.Click(d, S::kMarkId);  // the whole day, as offered
      }
      ASSERT_EQ(rows_of(d, S::kAbsentId).size(), std::size_t(kAbsentEachDay));
      ui.Click(d, S::kComputeId);
      std::set<Cover> shown = covers_shown(rows_of(d, S::kResultsId));
      std::set<Cover> written = covers_written(read(school_ / "Sostituzioni/dati_sostituzioni.txt"), day);
      EXPECT_EQ(shown.size(), written.size());
      EXPECT_TRUE(shown == written) << "the window and the result file differ";
      for (const Cover& c : shown) {
        ++covers;
        EXPECT_EQ(absent.count(c.absent), 1u) << c.absent;
        EXPECT_EQ(absent.count(c.substitute), 0u) << c.substitute << " is away";
        EXPECT_EQ(closed_reason(closed_, week, c.substitute, day, c.hour - 1), "")
            << c.substitute << " covers " << c.class_code << " on day " << day << " hour " << c.hour;
        for (const Placed& p : week)
          EXPECT_FALSE(p.teacher == c.substitute && p.day == day && p.hour == c.hour - 1)
              << c.substitute << " teaches at hour " << c.hour << " of day " << day;
      }
    }
    ui.Click(d, kIdCancel);
  });
  ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kSubstitutions));
  EXPECT_GE(days, 5);
  EXPECT_GT(covers, 0);
}

TEST_F(OfficerWeek, ComputeSwapReopenBalanceAndCover) {
  Run([&] {
    ASSERT_NO_FATAL_FAILURE(ComputeAnew());
    ASSERT_NO_FATAL_FAILURE(SwapTwoLessonsOfOneTeacher());
    ASSERT_NO_FATAL_FAILURE(ChooseTheSchoolAgain());
    ASSERT_NO_FATAL_FAILURE(Balance());
    alfadlg_go_to_page(kPageHome);
    ASSERT_NO_FATAL_FAILURE(CoverAbsencesEveryDay());
  });
}

}  // namespace

namespace {

// Lesson -> slot of a saved week: what two timetables are compared by (the
// files differ anyway, by the run's stamp).
std::map<int, int> slots_of(const std::string& text) {
  std::map<int, int> slots;
  for (const Placed& p : saved_week(text)) slots[p.lesson] = p.day * kHoursPerDay + p.hour;
  return slots;
}

// A second "new timetable" in the same session is computed from an empty
// week like the first, with the worker processes the program starts beside
// it (which live on between runs), and not handed the week the first run
// left behind: a worker that finished the first run after the main process
// had ended it left its timetable waiting for the main to take.
TEST_F(OfficerWeek, ASecondNewTimetableInOneSessionIsComputedAgain) {
  std::string tag = "anew" + std::to_string(::getpid());
  ::setenv("KESTRINTEMPUS_PARPRO_TAG", tag.c_str(), 1);
  ::setenv("KESTRINTEMPUS_PROCESSES", "4", 1);
  g_worker_spawner = [](const std::vector<std::string>& args) {
    return kt::ChildProcess::spawn(std::string(KT_BINARY_DIR) + "/apps/kestrintempus/kestrintempus", args);
  };
  Run([&] {
    ASSERT_EQ(g_process_count, 4);
    ASSERT_NO_FATAL_FAILURE(ComputeAnew());
    std::map<int, int> first = slots_of(read(school_ / "savego.txt"));
    // Time for the workers still searching the first run to end it too.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    // A run's seed is the clock's second: two runs started within one second
    // search alike and may rightly give one week. The second starts in a
    // later second than any of the first run.
    std::time_t first_ended = std::time(nullptr);
    while (std::time(nullptr) == first_ended) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_NO_FATAL_FAILURE(ComputeAnew());
    std::map<int, int> second = slots_of(read(school_ / "savego.txt"));
    ASSERT_EQ(first.size(), second.size());
    EXPECT_NE(first, second) << "the second run gave the first run's week back";
  });
  g_worker_spawner = nullptr;
  ::unsetenv("KESTRINTEMPUS_PROCESSES");
  ::unsetenv("KESTRINTEMPUS_PARPRO_TAG");
}

}  // namespace
