// The classwork (a block of consecutive hours inside a window of the day)
// as the teaching-post page corrects or refuses it on saving: a daily
// maximum below the classwork's length is dropped; a lab assistant present
// for only part of the hours cannot hold a classwork longer than the hours
// the class has him for, so it becomes one block of a grouping (said once
// for all the posts); a classwork longer than the post's hours, or a window
// too short for it, is refused with the post chosen and the focus on the
// field to mend. ROSSI's MATEMATICA in 2A has 4 hours, his SCIENZE in 1A
// 2 hours, with a lab part of 2.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::PostConstraintsPage;
using V = Cvicat;

const char kConverted[] = "ITP presente solo parzialmente. Compito convertito in raggruppamento.";
const char kTooLong[] = "Il compito non pu\xF2 essere pi\xF9 lungo delle ore disponibili.";
const char kWindow[] = "Inserire ora iniziale e finale corrette per il compito(oppure eliminare il compito).";

struct ClassworkCase {
  const char* what;
  int post, side;                   // side 1: the lab part
  int extended;                     // the assistant's partial hours (0: all)
  int length, first, last, daily;   // the classwork; the daily maximum (-1: none)
  const char* box;                  // "" nothing said
  bool saved;
  int want_length, want_daily;
  const char* want_grouping;
};

TEST_F(PostConstraintsPage, TheClassworkCorrectedOrRefusedOnSaving) {
  const ClassworkCase cases[] = {
      {"a daily maximum below the classwork", 1, 0, 0, 3, 0, 5, 2, "", true, 3, -1, ""},
      {"a daily maximum of one hour", 1, 0, 0, 2, 0, 5, 1, "", true, 2, -1, ""},
      {"a daily maximum as long as the classwork", 1, 0, 0, 3, 0, 5, 3, "", true, 3, 3, ""},
      {"a daily maximum above the classwork", 1, 0, 0, 2, 0, 5, 4, "", true, 2, 4, ""},
      {"a daily maximum without a classwork", 1, 0, 0, -1, -1, -1, 2, "", true, -1, 2, ""},
      {"a daily maximum below the lab's classwork", 2, 1, 0, 2, 0, 5, 1, "", true, 2, -1, ""},
      {"the whole post in one classwork", 1, 0, 0, 4, 0, 5, -1, "", true, 4, -1, ""},
      {"a classwork longer than the post", 1, 0, 0, 5, 0, 5, -1, kTooLong, false, 5, -1, ""},
      {"a lab classwork longer than the lab", 2, 1, 0, 3, 0, 5, -1, kTooLong, false, 3, -1, ""},
      {"a window just long enough", 1, 0, 0, 3, 1, 3, -1, "", true, 3, -1, ""},
      {"a window an hour short", 1, 0, 0, 3, 1, 2, -1, kWindow, false, 3, -1, ""},
      {"a window reversed", 1, 0, 0, 1, 3, 2, -1, kWindow, false, 1, -1, ""},
      {"a lab window too short", 2, 1, 0, 2, 4, 4, -1, kWindow, false, 2, -1, ""},
      {"the assistant for part, a classwork longer", 2, 1, 1, 2, 0, 5, -1, kConverted, true, -1, -1, "2"},
      {"the assistant for part, a classwork within", 2, 1, 1, 1, 0, 5, -1, "", true, 1, -1, ""},
      {"the assistant for none of it", 2, 1, 2, 1, 0, 5, -1, kConverted, true, -1, -1, "1"},
      {"the assistant for all of it", 2, 1, 0, 2, 0, 5, -1, "", true, 2, -1, ""},
  };
  for (const ClassworkCase& c : cases) {
    BuildSchool();
    UiTeachingPost& post = Post(0, c.post);
    UiPostPart& part = c.side == 0 ? post.own : post.partner_part;
    part.extended_hours = std::int8_t(c.extended);
    part.triple[0] = std::int8_t(c.length);
    part.triple[1] = std::int8_t(c.first);
    part.triple[2] = std::int8_t(c.last);
    part.daily_max = std::int8_t(c.daily);
    og_snapshot_all();
    Open();
    const std::string before = Description();
    std::size_t boxes = ui.boxes().size();
    if (c.box[0]) ui.PressInNextModal(CMessageBox::kButtonIds[0]);
    ui.Click(g_vicat_page, V::kSaveId);
    if (c.box[0]) {
      ASSERT_EQ(ui.boxes().size(), boxes + 1) << c.what;
      EXPECT_EQ(LastBox(), c.box) << c.what;
    } else {
      EXPECT_EQ(ui.boxes().size(), boxes) << c.what << ": " << LastBox();
    }
    EXPECT_EQ(Description() != before, c.saved) << c.what;
    EXPECT_EQ(+part.triple[0], c.want_length) << c.what;
    EXPECT_EQ(+part.daily_max, c.want_daily) << c.what;
    EXPECT_STREQ(part.grouping1, c.want_grouping) << c.what;
    if (!c.saved) {
      EXPECT_EQ(g_vicat_page.CurrentPost(), &post) << c.what;
      const Cvicat::PanelIds& ids = Cvicat::kPanels[c.side];
      EXPECT_TRUE(ui.HasFocus(g_vicat_page, c.box == kTooLong ? ids.classwork : ids.first)) << c.what;
    }
    for (const auto& p : ui.Problems()) ADD_FAILURE() << c.what << ": " << p;
    // Put right, so that the page may close.
    og_reset_teaching_post(post, 1);
    og_snapshot_all();
    g_frame.DestroyWindow();
  }
}

}  // namespace
