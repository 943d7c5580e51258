// The extra idle hours the teacher constraints page finds unavoidable when
// it saves a teacher, on the small sample school cut to five days of six
// hours: each map of forbidden hours and most-days band, with the number
// the page asks for (or no question at all), and the questions about extra
// idle hours already set. Forbidden hours at a day's start or end leave no
// hole; a hole inside the day counts its length; with more holes than
// teaching days the longest is left out (it can fall on a day off). A
// school with a lunch break asks nothing: the break takes the holes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::TeacherPage;
using V = Cvipro;
namespace fs = std::filesystem;

struct Hole {
  int day, first, last;  // forbidden hours, counted from 0
};

struct IdleCase {
  const char* what;
  std::vector<Hole> forbidden;
  int gmin, gmax;
  int band[3];      // the most-days band: first hour, last hour, days (-1: none)
  int asked;        // the idle hours the question names, or -1 for no question
};

const char kAskedPrefix[] = "Attenzione, sono state proibite le ore in una fascia intermedia. L'insegnante insegna per ";

TEST_F(TeacherPage, TheUnavoidableIdleHoursAskedForEachMap) {
  const IdleCase cases[] = {
      {"the first hour of a day", {{0, 0, 0}}, 4, 5, {-1, -1, -1}, -1},
      {"the first two hours of a day", {{1, 0, 1}}, 4, 5, {-1, -1, -1}, -1},
      {"the last hour of a day", {{0, 5, 5}}, 4, 5, {-1, -1, -1}, -1},
      {"the last three hours of a day", {{2, 3, 5}}, 4, 5, {-1, -1, -1}, -1},
      {"both ends of every day", {{0, 0, 0}, {0, 5, 5}, {1, 0, 0}, {1, 5, 5}, {2, 0, 1}, {3, 4, 5}}, 4, 5,
       {-1, -1, -1}, -1},
      {"one inner hour", {{0, 2, 2}}, 4, 5, {-1, -1, -1}, 1},
      {"the second hour", {{4, 1, 1}}, 4, 5, {-1, -1, -1}, 1},
      {"the fifth hour", {{4, 4, 4}}, 4, 5, {-1, -1, -1}, 1},
      {"two inner hours together", {{0, 1, 2}}, 4, 5, {-1, -1, -1}, 2},
      {"four inner hours together", {{3, 1, 4}}, 4, 5, {-1, -1, -1}, 4},
      {"an inner hour after a closed start", {{0, 0, 1}, {0, 3, 3}}, 4, 5, {-1, -1, -1}, 1},
      {"two holes in one day", {{0, 1, 1}, {0, 3, 4}}, 4, 5, {-1, -1, -1}, 3},
      {"holes on three days", {{0, 1, 2}, {1, 3, 3}, {2, 2, 2}}, 4, 5, {-1, -1, -1}, 4},
      {"more holes than days: the longest left out", {{0, 1, 2}, {1, 3, 3}, {2, 2, 2}}, 2, 2, {-1, -1, -1}, 2},
      {"as many holes as days", {{0, 1, 2}, {1, 3, 3}}, 2, 2, {-1, -1, -1}, 3},
      {"more holes than days, the longest last", {{0, 1, 1}, {1, 2, 2}, {2, 1, 4}, {3, 3, 3}}, 3, 3,
       {-1, -1, -1}, 3},
      {"a band inside the day", {}, 4, 5, {2, 4, 2}, 9},
      {"a band inside the day on fewer days", {}, 2, 4, {3, 3, 1}, 3},
      {"a band from the first hour", {}, 4, 5, {1, 4, 2}, -1},
      {"a band to the last hour", {}, 4, 5, {2, 6, 2}, -1},
      {"a band on every day", {}, 4, 5, {2, 4, 5}, -1},
      {"a band and a longer hole", {{0, 1, 4}}, 4, 5, {3, 3, 3}, 4},
      {"a hole and a longer band", {{0, 2, 2}}, 4, 5, {2, 5, 3}, 8},
  };
  g_ui_settings.lunch_break[0] = 0;
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacher& t = g_ui_teachers[page.CurrentTeacher()];
  UiTeacherConstraints& c = t.personal;
  std::memset(c.li, 255, sizeof c.li);
  const UiTeacher shown = t;
  for (const IdleCase& k : cases) {
    t = shown;
    std::memset(c.op, 0, sizeof c.op);
    for (const Hole& h : k.forbidden)
      for (int hour = h.first; hour <= h.last; ++hour) c.op[h.day * 12 + hour] = 1;
    c.gmin = std::int8_t(k.gmin);
    c.gmax = std::int8_t(k.gmax);
    for (int i = 0; i < 3; ++i) c.fmax[i] = std::int8_t(k.band[i]);
    c.buk[0] = -1;
    std::size_t boxes = ui.boxes().size();
    if (k.asked >= 0) ui.PressInNextModal("NO, prosegui senza aggiungere buche");
    ui.Click(page, V::kSaveId);
    std::vector<std::string> asked;
    for (std::size_t b = boxes; b < ui.boxes().size(); ++b) asked.push_back(ui.boxes()[b].texts.at(0));
    if (k.asked < 0) {
      EXPECT_TRUE(asked.empty()) << k.what << ": " << (asked.empty() ? "" : asked[0]);
    } else {
      ASSERT_EQ(asked.size(), 1u) << k.what;
      std::string want = std::string(kAskedPrefix) + std::to_string(k.gmax) + " giorni, e quindi deve poter avere almeno " +
                         std::to_string(k.asked) + " Ore Buche.\nServono le buche in pi\xF9?";
      EXPECT_EQ(asked[0], want) << k.what;
    }
    for (const auto& p : ui.Problems()) ADD_FAILURE() << k.what << ": " << p;
  }
  t = shown;
  og_snapshot_all();
}

// Yes to the question stores the idle hours needed and keeps the teacher
// unsaved on the page; a school with a lunch break asks nothing and saves.
TEST_F(TeacherPage, TheIdleHoursQuestionAnsweredOrNotAsked) {
  g_ui_settings.lunch_break[0] = 0;
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& c = g_ui_teachers[page.CurrentTeacher()].personal;
  std::memset(c.li, 255, sizeof c.li);
  const fs::path file = data_root() / "piccola" / "scuola2.txt";
  const std::string before = read(file);
  std::memset(c.op, 0, sizeof c.op);
  c.op[12 + 1] = c.op[12 + 2] = 1;  // Tuesday's second and third hours
  c.gmin = 4;
  c.gmax = 5;
  c.buk[0] = 1;  // fewer than needed: still asked
  ui.PressInNextModal("SI, AGGIUNGI LE BUCHE IN PIU'");
  ui.Click(page, V::kSaveId);
  ASSERT_FALSE(ui.boxes().empty());
  EXPECT_NE(ui.boxes().back().texts.at(0).find("almeno 2 Ore Buche"), std::string::npos);
  EXPECT_EQ(+c.buk[0], 2);
  EXPECT_EQ(read(file), before) << "saved before the user saw the idle hours";

  // Just the hours needed: saved without a question.
  std::size_t boxes = ui.boxes().size();
  ui.Click(page, V::kSaveId);
  EXPECT_EQ(ui.boxes().size(), boxes);
  EXPECT_NE(read(file), before);
  EXPECT_EQ(+c.buk[0], 2);

  // One more than needed is questioned; Yes keeps the three.
  c.buk[0] = 3;
  ui.AnswerNextModal(kIdYes);
  ui.Click(page, V::kSaveId);
  ASSERT_EQ(ui.boxes().size(), boxes + 1);
  EXPECT_EQ(ui.boxes().back().texts.at(0),
            "Attenzione, sono state assegnate 3 Ore buche supplementari, quando ne dovrebbero bastare 2. Sicuro di "
            "volere le 3 le buche?");
  EXPECT_EQ(+c.buk[0], 3);

  // With a lunch break the holes are not questioned, whatever is set.
  g_ui_settings.lunch_break[0] = 4;
  c.buk[0] = -1;
  boxes = ui.boxes().size();
  const std::string saved = read(file);
  ui.Click(page, V::kSaveId);
  EXPECT_EQ(ui.boxes().size(), boxes);
  EXPECT_NE(read(file), saved);
  EXPECT_EQ(+c.buk[0], -1);
  g_ui_settings.lunch_break[0] = 0;
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
  og_snapshot_all();
}

}  // namespace
