// One map of forbidden hours on every post a teacher teaches himself is
// his own constraint, not his classes': saving on the teaching-post page
// offers to move it into his personal map (Yes merges it there, the hours
// already forbidden staying so, clears the posts' maps and saves nothing
// until the user saves again; No saves the posts as they are). Different
// maps, a post without one, or a single post of his own (a partner's copy
// is not his) ask nothing. ROSSI has three posts, BIANCHI one and a copy
// of ROSSI's lab.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::PostConstraintsPage;
using V = Cvicat;

const char kQuestion[] =
    "Attenzione: \xE8 stata specificata una mappa delle ore proibite UGUALE PER OGNI CLASSE.\n\nQuindi la mappa si "
    "riferisce al Professore [ROSSI], non alle sue Classi, e deve essere configurata nei VINCOLI PERSONALI.\n\n"
    "Correggo automaticamente ?";

struct MapCase {
  const char* what;
  int teacher;
  std::vector<std::vector<int>> maps;  // per own post, the forbidden cells; {-1}: no map
  std::vector<int> personal;           // cells already forbidden in his own map
  bool asked, yes;
  std::vector<int> want_personal;      // forbidden cells of his own map after (when moved)
};

TEST_F(PostConstraintsPage, OneMapOnEveryOwnPostIsOfferedAsAPersonalConstraint) {
  const MapCase cases[] = {
      {"the same map, Yes", 0, {{0}, {0}, {0}}, {}, true, true, {0}},
      {"the same map of three hours, Yes", 0, {{1, 14, 30}, {1, 14, 30}, {1, 14, 30}}, {}, true, true, {1, 14, 30}},
      {"the same map, No", 0, {{0}, {0}, {0}}, {}, true, false, {}},
      {"merged with his own", 0, {{0}, {0}, {0}}, {26}, true, true, {0, 26}},
      {"merged with his own, an hour in both", 0, {{0, 26}, {0, 26}, {0, 26}}, {26, 40}, true, true, {0, 26, 40}},
      {"one map different", 0, {{0}, {0}, {1}}, {}, false, false, {}},
      {"the first map different", 0, {{5}, {0}, {0}}, {}, false, false, {}},
      {"a post without a map", 0, {{0}, {0}, {-1}}, {}, false, false, {}},
      {"no maps at all", 0, {{-1}, {-1}, {-1}}, {}, false, false, {}},
      {"empty maps everywhere", 0, {{}, {}, {}}, {}, true, false, {}},
      {"a single post of his own beside a copy", 1, {{0}}, {}, false, false, {}},
  };
  for (const MapCase& c : cases) {
    BuildSchool();
    UiTeacher& t = g_ui_teachers[c.teacher];
    for (std::size_t p = 0; p < c.maps.size(); ++p) {
      std::uint8_t* map = Post(c.teacher, int(p)).own.forbidden_hours;
      std::memset(map, 0, kUiWeekCells);
      for (int cell : c.maps[p]) {
        if (cell < 0) map[0] = 255;
        else map[cell] = 1;
      }
    }
    std::memset(t.personal.op, 0, sizeof t.personal.op);
    for (int cell : c.personal) t.personal.op[cell] = 1;
    og_snapshot_all();
    Open();
    if (c.teacher != 0) ASSERT_TRUE(ui.Select(g_vicat_page, V::kTeacherListId, 1)) << c.what;
    const std::string before = Description();
    std::size_t boxes = ui.boxes().size();
    if (c.asked) ui.AnswerNextModal(c.yes ? kIdYes : kIdNo);
    ui.Click(g_vicat_page, V::kSaveId);
    if (!c.asked) {
      EXPECT_EQ(ui.boxes().size(), boxes) << c.what << ": " << LastBox();
    } else {
      ASSERT_EQ(ui.boxes().size(), boxes + 1) << c.what;
      EXPECT_EQ(LastBox(), kQuestion) << c.what;
    }
    bool moved = c.asked && c.yes;
    EXPECT_EQ(Description() == before, moved) << c.what << (moved ? ": saved at once" : ": not saved");
    for (std::size_t p = 0; p < c.maps.size(); ++p) {
      const std::uint8_t* map = Post(c.teacher, int(p)).own.forbidden_hours;
      if (moved) {
        EXPECT_EQ(map[0], 255) << c.what << ", post " << p;
      } else {
        for (int cell : c.maps[p]) EXPECT_EQ(map[cell < 0 ? 0 : cell], cell < 0 ? 255 : 1) << c.what << ", post " << p;
      }
    }
    std::vector<int> forbidden;
    for (int i = 0; i < kUiWeekCells; ++i) {
      EXPECT_LE(+t.personal.op[i], 1) << c.what << ", cell " << i;
      if (t.personal.op[i] == 1) forbidden.push_back(i);
    }
    EXPECT_EQ(forbidden, moved ? c.want_personal : c.personal) << c.what;
    if (moved) {
      ui.Click(g_vicat_page, V::kSaveId);
      EXPECT_TRUE(Description() != before) << c.what << ": not saved the second time";
    }
    for (const auto& p : ui.Problems()) ADD_FAILURE() << c.what << ": " << p;
    og_snapshot_all();
    g_frame.DestroyWindow();
  }
}

}  // namespace
