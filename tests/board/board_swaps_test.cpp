// Hand moves on the timetable board, opened in the frame on computed sample
// schools: over every pair of lessons of the small school (computed here
// with ROSSI's geography in 1A held jointly with 3A) and over every pair
// that shares a class or a teacher in the liceo's reference week (and every
// co-taught lesson with its second teacher's own in another class), the board
// swaps two lessons exactly when a clash check written here from the
// lessons' teachers, second teachers, classes (with their joint lessons) and
// rooms allows it; every swap taken is undone by the swap back, and the week
// ends as it began. Alike, every lesson of the liceo, and of the small school
// with a co-teacher's own hour held jointly with his colleague's, alone to
// every other hour. Through the board's clicks, two lessons of one teacher
// in one class trade places, in the class's week and in the teacher's.
#include <gtest/gtest.h>

#include "board_program.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "board/board_moves.h"
#include "board/board_page.h"
#include "board/processing_menu.h"
#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "platform/test_driver.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "structure/structure_pages.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using Q = Cquadro;

constexpr int kNone = -1;

bool placed(int l) { return g_eng_lessons[l].day != kDayNotPlaced; }
int slot_of(int l) { return g_eng_lessons[l].day * kHoursPerDay + g_eng_lessons[l].hour; }
bool calendar(int l) { return std::strncmp(g_eng_teachers[g_eng_lessons[l].teacher].name, "Calendario-", 11) == 0; }

// The teachers a lesson takes: its own, and its second teacher when a lab
// or conversation part brings one.
std::set<int> teachers_of(int l) {
  const EngineLesson& x = g_eng_lessons[l];
  std::set<int> t = {x.teacher.get()};
  if (x.second_teacher >= 0 && (x.piece_kind & (kHasLaboratoryPart | kHasConversationPart))) t.insert(x.second_teacher);
  return t;
}

bool held_jointly(int a, int b) {
  for (int x : {a, b}) {
    const EngineLesson& l = g_eng_lessons[x];
    for (int k = 0; k < l.joint_count; ++k)
      if (l.joint_lessons[k] == (x == a ? b : a)) return true;
  }
  return false;
}

// Two lessons in one hour: one class or one room, unless held jointly; a
// teacher in both, in either role.
bool clash(int a, int b) {
  const EngineLesson& x = g_eng_lessons[a];
  const EngineLesson& y = g_eng_lessons[b];
  bool joint = held_jointly(a, b);
  if (x.class_index == y.class_index && !joint) return true;
  if (x.class_index != y.class_index && x.room >= 0 && x.room == y.room && !joint) return true;
  std::set<int> tx = teachers_of(a), ty = teachers_of(b);
  for (int t : tx)
    if (ty.count(t)) return true;
  return false;
}

// The lesson and those held jointly with it in its hour, and theirs: a
// joint partner in that hour, or, where the school links joint lessons by
// class (the option byte's bit 1), a lesson of the partner's class and
// subject there.
std::vector<int> with_joint(int l) {
  std::vector<int> out = {l};
  bool by_class = g_eng_school.option_flags & 2;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const EngineLesson& x = g_eng_lessons[out[i]];
    for (int k = 0; k < x.joint_count; ++k) {
      int partner = x.joint_lessons[k], held = -1;
      if (placed(partner) && slot_of(partner) == slot_of(l)) held = partner;
      for (int m = 0; held < 0 && by_class && m < g_eng_school.lesson_count; ++m) {
        const EngineLesson& y = g_eng_lessons[m];
        if (m != out[i] && placed(m) && slot_of(m) == slot_of(l) &&
            y.class_index == g_eng_lessons[partner].class_index && y.subject == g_eng_lessons[partner].subject)
          held = m;
      }
      if (held >= 0 && !std::count(out.begin(), out.end(), held)) out.push_back(held);
    }
  }
  return out;
}

class BoardSwaps : public board_test::BoardProgram {
 protected:
  void TearDown() override {
    BoardProgram::TearDown();
    g_requested_seed = -1;
  }
  // Copies the sample, lets `edit` change its description, gives it its
  // week (the reference one, or computed here) and opens the board.
  void Open(const std::string& sample, const std::string& from, const std::string& to) {
    ui_register_frame_templates();
    structure_install_pages();
    board_install_pages();
    og_install_model_utility_hooks();
    school_ = copy_example(sample, sample);
    std::string text = read(school_ / "scuola2.txt");
    if (!from.empty()) {
      std::size_t at = text.find(from);
      ASSERT_NE(at, std::string::npos) << from;
      text.replace(at, from.size(), to);
      write(school_ / "scuola2.txt", text);
    }
    ASSERT_TRUE(og_set_current_folder(("\\KestrinTempusDati\\" + sample).c_str()));
    fs::path reference = fs::path(KT_TEST_DATA) / "savefiles" / (sample + "-savego.txt");
    if (from.empty()) {
      write(school_ / "savego.txt", read(reference));
    } else {
      g_requested_seed = 5;
      const char* argv[] = {"Questo non serve", "CALC:scuola2.txt", nullptr};
      ASSERT_EQ(or_main(1, 2, argv), 0) << g_status.message;
    }
    ASSERT_TRUE(og_read_school_files(0));
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    ui.Pump();
    ui.AnswerNextModal(kIdYes);
    alfadlg_go_to_page(kPageQuadro);
    ASSERT_EQ(g_current_page, &g_board);
  }

  // After the swap of a and b: what stands in the two hours clashes nowhere.
  bool SwapAllowed(int a, int b) {
    std::vector<int> ma = with_joint(a), mb = with_joint(b);
    int sa = slot_of(a), sb = slot_of(b);
    auto moving = [&](int l) { return std::count(ma.begin(), ma.end(), l) || std::count(mb.begin(), mb.end(), l); };
    for (auto [s, arriving] : {std::pair{sb, &ma}, std::pair{sa, &mb}}) {
      std::vector<int> there = *arriving;
      for (int l = 0; l < g_eng_school.lesson_count; ++l)
        if (placed(l) && slot_of(l) == s && !moving(l) && !calendar(l)) there.push_back(l);
      if (!NoneClash(there)) return false;
    }
    return true;
  }
  static bool NoneClash(const std::vector<int>& there) {
    for (std::size_t i = 0; i < there.size(); ++i)
      for (std::size_t j = i + 1; j < there.size(); ++j)
        if (clash(there[i], there[j])) return false;
    return true;
  }

  std::vector<std::uint16_t> Week() const {
    std::vector<std::uint16_t> w;
    for (int l = 0; l < g_eng_school.lesson_count; ++l) w.push_back(std::uint16_t(g_eng_lessons[l].day | g_eng_lessons[l].hour << 8));
    return w;
  }

  // Tries every chosen pair both ways round through board_move_lesson.
  template <typename Chosen>
  void EveryPair(Chosen chosen, int& accepted) {
    std::vector<std::uint16_t> start = Week();
    std::vector<int> lessons;
    for (int l = 0; l < g_eng_school.lesson_count; ++l)
      if (placed(l) && !calendar(l)) lessons.push_back(l);
    for (int a : lessons)
      for (int b : lessons) {
        if (a >= b || slot_of(a) == slot_of(b) || !chosen(a, b)) continue;
        std::vector<int> ma = with_joint(a), mb = with_joint(b);
        if (std::count(mb.begin(), mb.end(), a)) continue;
        ASSERT_NO_FATAL_FAILURE(TryMove(a, b, slot_of(b), SwapAllowed(a, b), ma, mb, start, accepted));
      }
  }
  // Moves a to slot `to`, trading places with `partner` (kNone for none):
  // taken exactly when `allowed`, each of `arriving` then in `to` and each
  // of `leaving` in a's hour, and undone by the move back; a refused move
  // changes nothing.
  void TryMove(int a, int partner, int to, bool allowed, const std::vector<int>& arriving, const std::vector<int>& leaving,
               const std::vector<std::uint16_t>& start, int& accepted) {
    int from = slot_of(a);
    int result = board_move_lesson(a, to / kHoursPerDay, to % kHoursPerDay, partner);
    ASSERT_EQ(result == 0, allowed) << "lesson " << a << " to slot " << to << ", partner " << partner;
    if (!allowed) {
      ASSERT_EQ(Week(), start) << "a refused move changes nothing";
      return;
    }
    ++accepted;
    for (int l : arriving) {
      ASSERT_EQ(slot_of(l), to) << l;
    }
    for (int l : leaving) {
      ASSERT_EQ(slot_of(l), from) << l;
    }
    ASSERT_EQ(board_move_lesson(a, from / kHoursPerDay, from % kHoursPerDay, partner), 0) << "back: " << a;
    ASSERT_EQ(Week(), start);
  }
  // Tries every chosen lesson at every other hour of the week, alone (no
  // partner): the board moves it, with those held jointly with it, exactly
  // when nothing standing there clashes with them; each move taken is undone
  // by the move back.
  template <typename Chosen>
  void EveryMove(Chosen chosen, int& accepted) {
    std::vector<std::uint16_t> start = Week();
    for (int a = 0; a < g_eng_school.lesson_count; ++a) {
      if (!placed(a) || calendar(a) || !chosen(a)) continue;
      std::vector<int> ma = with_joint(a);
      int sa = slot_of(a);
      for (int s = 0; s < kWeekSlots; ++s) {
        if (s == sa || !or_slot_in_week(s / kHoursPerDay, s % kHoursPerDay)) continue;
        std::vector<int> there = ma;
        for (int l = 0; l < g_eng_school.lesson_count; ++l)
          if (placed(l) && slot_of(l) == s && !calendar(l)) there.push_back(l);
        ASSERT_NO_FATAL_FAILURE(TryMove(a, kNone, s, NoneClash(there), ma, {}, start, accepted));
      }
    }
  }
  void ExpectCleanWeek() {
    for (int a = 0; a < g_eng_school.lesson_count; ++a)
      for (int b = a + 1; b < g_eng_school.lesson_count; ++b)
        if (placed(a) && placed(b) && slot_of(a) == slot_of(b) && !calendar(a) && !calendar(b)) {
          ASSERT_FALSE(clash(a, b)) << a << " " << b;
        }
  }


};

TEST_F(BoardSwaps, EveryPairOfTheSmallSchoolSwapsExactlyWhenNothingClashes) {
  Open("piccola", "GM:GEOGRAFIA\t\nROSSI\t1A 2\t", "GM:GEOGRAFIA\t\nROSSI\t1A 2 I:3A\t");
  ExpectCleanWeek();
  int joint = 0;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) joint += with_joint(l).size() > 1;
  ASSERT_EQ(joint, 4) << "ROSSI's two hours in 1A with BIANCHI's in 3A";
  int accepted = 0;
  EveryPair([](int, int) { return true; }, accepted);
  EXPECT_GT(accepted, 1000);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

TEST_F(BoardSwaps, EveryPairOfAClassOrATeacherOfTheLiceoSwapsExactlyWhenNothingClashes) {
  Open("liceo", "", "");
  ExpectCleanWeek();
  int accepted = 0;
  EveryPair(
      [](int a, int b) {
        const EngineLesson& x = g_eng_lessons[a];
        const EngineLesson& y = g_eng_lessons[b];
        return x.class_index == y.class_index || x.teacher == y.teacher;
      },
      accepted);
  EXPECT_GT(accepted, 1000);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The liceo's classes keep free hours: every lesson of the reference week
// alone to every other hour, the clash check deciding.
TEST_F(BoardSwaps, EveryLessonOfTheLiceoMovesToAnHourExactlyWhenNothingClashes) {
  Open("liceo", "", "");
  int accepted = 0;
  EveryMove([](int) { return true; }, accepted);
  EXPECT_GT(accepted, 100);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The small school with RICCI (1B, 2B, 3B) as second teacher of COLOMBO's
// lab hour in 1A: every pair with a co-taught lesson, that one among them.
// RICCI goes with the lab hour, and his hour left behind is free again only
// when the lesson taken there is not his.
TEST_F(BoardSwaps, ACoTaughtLessonAndItsSecondTeachersOwnSwapExactlyWhenNothingClashes) {
  Open("piccola", "COLOMBO\tSCIENZE\t1A 1\t", "RICCI\tSCIENZE\t1A 1\t");
  ExpectCleanWeek();
  int accepted = 0, pairs = 0;
  EveryPair(
      [&pairs](int a, int b) {
        bool chosen = teachers_of(a).size() > 1 || teachers_of(b).size() > 1;
        pairs += chosen;
        return chosen;
      },
      accepted);
  ASSERT_GT(pairs, 0) << "RICCI holds COLOMBO's lab hour in 1A";
  EXPECT_GT(accepted, 0);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The same lab hour of 1A with RICCI as second teacher, and COLOMBO's other
// SCIENZE hour in 1A held jointly with RICCI's own in 1B (the co-taught hour
// itself cannot be: RICCI would be in both): every swap and every move of a
// lesson of either teacher against the clash check, RICCI's hour going
// along with COLOMBO's.
TEST_F(BoardSwaps, ACoTeachersOwnLessonHeldJointlyWithHisColleaguesMovesExactlyWhenNothingClashes) {
  Open("piccola", "COLOMBO\t1A 2\t\n\nGM:LAB SCIENZE\tLAB:SPECIFICO\t\nCOLOMBO\tSCIENZE\t1A 1\t",
       "COLOMBO\t1A 1 I:1B\t\n\t1A 1\t\n\nGM:LAB SCIENZE\tLAB:SPECIFICO\t\nRICCI\tSCIENZE\t1A 1\t");
  ExpectCleanWeek();
  int co_taught = kNone;
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    if (placed(l) && teachers_of(l).size() > 1 && g_eng_lessons[l].class_index == g_eng_lessons[0].class_index) co_taught = l;
  ASSERT_NE(co_taught, kNone);
  int riccis = g_eng_lessons[co_taught].second_teacher;
  int joint_with_his = 0;
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    for (int m : with_joint(l)) joint_with_his += m != l && g_eng_lessons[m].teacher == riccis;
  ASSERT_EQ(joint_with_his, 1) << "COLOMBO's hour in 1A with RICCI's in 1B";
  auto his = [&](int l) { return teachers_of(l).count(riccis) || g_eng_lessons[l].teacher == g_eng_lessons[co_taught].teacher; };
  int swaps = 0, moves = 0;
  EveryPair([&](int a, int b) { return his(a) || his(b); }, swaps);
  EveryMove(his, moves);
  EXPECT_GT(swaps, 0);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// ROSSI's ITALIANO and STORIA hours in 1A, by clicks: in 1A's week and then
// back in ROSSI's week.
TEST_F(BoardSwaps, TwoLessonsOfOneTeacherInOneClassTradePlacesByClicks) {
  Open("piccola", "", "");
  int italiano = kNone, storia = kNone;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (std::strcmp(g_eng_teachers[x.teacher].name, "ROSSI") || std::strcmp(g_eng_classes[x.class_index].code, "1A"))
      continue;
    std::string subject = g_eng_subjects[x.subject].group_name;
    if (subject == "ITALIANO" && italiano == kNone) italiano = l;
    if (subject == "STORIA" && storia == kNone) storia = l;
  }
  ASSERT_NE(italiano, kNone);
  ASSERT_NE(storia, kNone);
  int si = slot_of(italiano), ss = slot_of(storia);
  auto click = [&](int s) { ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, s % kHoursPerDay, s / kHoursPerDay + 1)); };
  std::size_t shown = ui.boxes().size();
  ASSERT_TRUE(g_board.ShowWeek(Q::kViewClass, "1A"));
  click(si);
  click(ss);
  EXPECT_EQ(slot_of(italiano), ss);
  EXPECT_EQ(slot_of(storia), si);
  EXPECT_TRUE(g_board.Changed());
  ASSERT_TRUE(g_board.ShowWeek(Q::kViewTeacher, "ROSSI"));
  click(ss);
  click(si);
  EXPECT_EQ(slot_of(italiano), si);
  EXPECT_EQ(slot_of(storia), ss);
  for (std::size_t b = shown; b < ui.boxes().size(); ++b) ADD_FAILURE() << "no box expected: " << ui.boxes()[b].texts.at(0);
  ui.PressInNextModal(CDaticambia::kDiscardId);
  alfadlg_go_to_page(kPageProcessingMenu);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The liceo with BIANCO's two hours of drawing in 1AS held jointly with
// ROSSETTI's in 1BS: in 1AS's week, BIANCO's hour clicked onto an hour where
// 1AS could take it (a free hour, or a lesson whose teacher is free at
// BIANCO's hour) but 1BS or ROSSETTI is busy. The board refuses, changes
// nothing, and says that the lesson is held with 1BS, whose hour it is.
TEST_F(BoardSwaps, AJointLessonThatItsPartnerClassCannotFollowIsRefusedNamingThatClass) {
  Open("liceo", "BIANCO\t1AS 2\t", "BIANCO\t1AS 2 I:1BS\t");
  auto named = [](int l, const char* teacher, const char* klass) {
    return placed(l) && !std::strcmp(g_eng_teachers[g_eng_lessons[l].teacher].name, teacher) &&
           !std::strcmp(g_eng_classes[g_eng_lessons[l].class_index].code, klass);
  };
  auto busy = [](int s, auto pick) {
    for (int l = 0; l < g_eng_school.lesson_count; ++l)
      if (placed(l) && !calendar(l) && slot_of(l) == s && pick(l)) return l;
    return kNone;
  };
  auto teacher_busy = [&](int s, int t, int besides) {
    return busy(s, [&](int l) { return l != besides && teachers_of(l).count(t); }) != kNone;
  };
  int bianco = kNone;
  for (int l = 0; l < g_eng_school.lesson_count && bianco == kNone; ++l)
    if (named(l, "BIANCO", "1AS") && with_joint(l).size() == 2) bianco = l;
  ASSERT_NE(bianco, kNone) << "BIANCO's hour in 1AS with ROSSETTI's in 1BS";
  int rossetti = with_joint(bianco)[1];
  int t_bianco = g_eng_lessons[bianco].teacher, t_rossetti = g_eng_lessons[rossetti].teacher;
  int c_1as = g_eng_lessons[bianco].class_index, c_1bs = g_eng_lessons[rossetti].class_index;
  int from = slot_of(bianco), target = kNone;
  for (int s = 0; s < kWeekSlots && target == kNone; ++s) {
    if (s == from || !or_slot_in_week(s / kHoursPerDay, s % kHoursPerDay)) continue;
    int there = busy(s, [&](int l) { return g_eng_lessons[l].class_index == c_1as; });
    if (there != kNone && (with_joint(there).size() > 1 || teacher_busy(from, g_eng_lessons[there].teacher, bianco))) continue;
    if (teacher_busy(s, t_bianco, there)) continue;
    bool partner_busy = busy(s, [&](int l) { return g_eng_lessons[l].class_index == c_1bs; }) != kNone ||
                        teacher_busy(s, t_rossetti, there);
    if (partner_busy) target = s;
  }
  ASSERT_NE(target, kNone) << "an hour 1AS could take but 1BS or ROSSETTI cannot";
  std::vector<std::uint16_t> start = Week();
  ASSERT_TRUE(g_board.ShowWeek(Q::kViewClass, "1AS"));
  std::size_t shown = ui.boxes().size();
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, from % kHoursPerDay, from / kHoursPerDay + 1));
  ui.AnswerNextModal(kIdOk);
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, target % kHoursPerDay, target / kHoursPerDay + 1));
  EXPECT_EQ(Week(), start);
  EXPECT_FALSE(g_board.Changed());
  ASSERT_EQ(ui.boxes().size(), shown + 1);
  std::string text = ui.boxes().back().texts.at(0);
  EXPECT_NE(text, g_board_move_refused.Get());
  EXPECT_NE(text.find("1BS"), std::string::npos) << text;
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
