// The copy panels, driven through their buttons on a small school built in
// the test. The posts' panel offers to copy a teacher's own post whenever it
// holds any placement constraint (each kind alone is enough) and never for a
// partner copy or a post without one; what it pastes into one post, the
// teacher's own posts or every post of the subject and hours is fitted to
// the target (task blocks and groupings within its hours, no day exclusion
// of a subject its teacher teaches there), each kind copied alone, the
// target keeping what the copy does not give; a reset clears the post. The
// class calendar panel copies one class's calendar into another's.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "pickers/constraint_copy_panels.h"
#include "platform/test_driver.h"
#include "schooldata/model_utilities.h"
#include "shell/app_test_support.h"
#include "ui_school_builders.h"

namespace {

using namespace kt::ui;
using C = Ccopypas;

class CopyPanels : public kt_app_test::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    new_ui_school({"1A ", "2A ", "3A "});
    math_ = add_subject("MATEMATICA");
    physics_ = add_subject("FISICA");
    add_rossi_bianchi_and_lab();
    add_post(0, math_, 0, 4);     // ROSSI 1A
    add_post(0, math_, 1, 2);     // ROSSI 2A
    add_post(0, physics_, 0, 2);  // ROSSI 1A physics
    add_post(1, math_, 2, 4);     // BIANCHI 3A
    add_post(1, math_, 0, 3);     // BIANCHI 1A, other hours
    UiTeachingPost& copy = add_post(1, physics_, 0, 2);
    copy.copy = 1;  // a partner's copy of ROSSI's physics post
    ASSERT_EQ(panel_.Create(nullptr), 1);
  }
  void TearDown() override {
    if (panel_.IsWindow()) panel_.DestroyWindow();
    if (calendar_panel_.IsWindow()) calendar_panel_.DestroyWindow();
    TempRoot::TearDown();
  }
  UiTeachingPost& Post(int teacher, int p) { return g_ui_teachers[teacher].posts[p]; }
  // The panel on `post` of `teacher`, as the page shows it.
  void Show(int teacher, int p) {
    panel_.m_teacher = teacher;
    panel_.m_current = &Post(teacher, p);
    panel_.ShowPanel(true);
  }
  bool Enabled(int id) { return ui.IsEnabled(panel_, id); }
  kt::ui::TestDriver ui;
  // Panels of the test's own: the program's keep what they copied for the whole run.
  Ccopypas panel_;
  Ccopysma calendar_panel_;
  int math_ = 0, physics_ = 0;
};

TEST_F(CopyPanels, EachKindOfConstraintAloneMakesAPostCopiable) {
  struct Case {
    const char* id;
    std::function<void(UiPostPart&)> set;
  };
  const Case cases[] = {
      {"forbidden hours", [](UiPostPart& p) { std::memset(p.forbidden_hours, 0, kUiWeekCells); p.forbidden_hours[3] = 1; }},
      {"joined class", [](UiPostPart& p) { p.joined_class = 2; }},
      {"excluded day subject", [this](UiPostPart& p) { p.excluded_day_subject = physics_; }},
      {"subgroup", [this](UiPostPart& p) { p.subgroup_subject = physics_; }},
      {"building move", [](UiPostPart& p) { p.building_move = 0; }},
      {"placement", [](UiPostPart& p) { p.placement = 1; }},
      {"daily maximum", [](UiPostPart& p) { p.daily_max = 2; }},
      {"task block", [](UiPostPart& p) { p.triple[0] = 2, p.triple[1] = 0, p.triple[2] = 3; }},
      {"grouping", [](UiPostPart& p) { std::strcpy(p.grouping1, "2"); }},
      {"second grouping", [](UiPostPart& p) { std::strcpy(p.grouping2, "3"); }},
  };
  Show(0, 0);
  EXPECT_FALSE(Enabled(C::kCopyId)) << "nothing to copy";
  EXPECT_FALSE(Enabled(C::kResetId));
  EXPECT_FALSE(panel_.IsWindowVisible()) << "nothing to offer: the panel stays hidden";
  for (const Case& c : cases) {
    for (bool partner : {false, true}) {
      og_reset_teaching_post(Post(0, 0), 1);
      c.set(partner ? Post(0, 0).partner_part : Post(0, 0).own);
      Show(0, 0);
      EXPECT_TRUE(Enabled(C::kCopyId)) << c.id << (partner ? " on the partner's part" : "");
      EXPECT_TRUE(Enabled(C::kResetId)) << c.id;
      EXPECT_TRUE(panel_.IsWindowVisible()) << c.id;
    }
  }
  // A partner's copy mirrors its owner's post: never copied from or reset.
  Post(1, 2).own.placement = 1;
  Show(1, 2);
  EXPECT_FALSE(Enabled(C::kCopyId));
  EXPECT_FALSE(Enabled(C::kResetId));
}

TEST_F(CopyPanels, APasteFitsTheTargetAndReachesTheChosenPosts) {
  UiPostPart& source = Post(0, 0).own;  // ROSSI MATEMATICA 1A, 4 hours
  source.triple[0] = 4, source.triple[1] = 0, source.triple[2] = 5;
  std::strcpy(source.grouping1, "22");
  source.excluded_day_subject = physics_;  // ROSSI teaches FISICA in 1A himself
  source.daily_max = 2;
  Show(0, 0);
  EXPECT_FALSE(Enabled(C::kPasteId)) << "nothing copied yet";
  ui.Click(panel_, C::kCopyId);
  EXPECT_FALSE(panel_.IsWindowVisible()) << "a copy closes the panel";
  Show(0, 1);  // ROSSI MATEMATICA 2A, 2 hours
  for (int id : {C::kPasteId, C::kPasteTeacherId, C::kPasteEveryoneId}) EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_EQ(ui.Text(panel_, C::kPasteEveryoneId), "Incolla a tutti i docenti MATEMATICA Ore 4");
  ui.Click(panel_, C::kPasteId);
  const UiPostPart& pasted = Post(0, 1).own;
  EXPECT_EQ(pasted.triple[0], 2) << "a task block within the post's two hours";
  EXPECT_EQ(pasted.triple[2], 5);
  EXPECT_EQ(+pasted.daily_max, 2);
  EXPECT_EQ(static_cast<int>(pasted.excluded_day_subject), physics_) << "ROSSI teaches no FISICA in 2A";
  EXPECT_STREQ(pasted.grouping1, "2") << "a grouping within two hours";
  EXPECT_FALSE(Enabled(C::kPasteId)) << "one paste per copy";
  // Into the teacher's own posts: 1A physics drops the exclusion of its own subject.
  Show(0, 2);
  ui.Click(panel_, C::kCopyId);
  Show(0, 0);
  ui.Click(panel_, C::kCopyId);
  Show(0, 2);
  ui.Click(panel_, C::kPasteTeacherId);
  EXPECT_EQ(static_cast<int>(Post(0, 2).own.excluded_day_subject), -1) << "ROSSI teaches FISICA in 1A";
  EXPECT_EQ(Post(0, 2).own.daily_max, 2);
  EXPECT_EQ(Post(1, 0).own.daily_max, -1) << "another teacher's post is not his own";
  // Into every post of the subject and hours: BIANCHI's 3A (4 hours), not his 1A (3 hours) nor the copy.
  Show(0, 0);
  ui.Click(panel_, C::kCopyId);
  Show(1, 1);
  ui.Click(panel_, C::kPasteEveryoneId);
  EXPECT_EQ(Post(1, 0).own.daily_max, 2);
  EXPECT_EQ(Post(1, 0).own.triple[0], 4);
  EXPECT_EQ(Post(1, 1).own.daily_max, -1);
  EXPECT_EQ(Post(1, 2).own.daily_max, -1) << "a partner's copy is never pasted into";
}

// Each kind of constraint copied alone reaches the target post, and the
// target keeps what the copied post does not give: its forbidden hours
// among them.
TEST_F(CopyPanels, APasteCarriesWhatTheCopyGivesAndKeepsTheRest) {
  struct Case {
    const char* id;
    std::function<void(UiPostPart&)> set;
    std::function<bool(const UiPostPart&)> pasted;
  };
  const Case cases[] = {
      {"forbidden hours", [](UiPostPart& p) { std::memset(p.forbidden_hours, 0, kUiWeekCells); p.forbidden_hours[3] = 1; },
       [](const UiPostPart& p) { return p.forbidden_hours[3] == 1 && p.forbidden_hours[7] == 0; }},
      {"joined class", [](UiPostPart& p) { p.joined_class = 2; }, [](const UiPostPart& p) { return p.joined_class == 2; }},
      {"building move", [](UiPostPart& p) { p.building_move = 0; }, [](const UiPostPart& p) { return p.building_move == 0; }},
      {"placement", [](UiPostPart& p) { p.placement = 1; }, [](const UiPostPart& p) { return p.placement == 1; }},
      {"daily maximum", [](UiPostPart& p) { p.daily_max = 2; }, [](const UiPostPart& p) { return p.daily_max == 2; }},
      {"subgroup", [this](UiPostPart& p) { p.subgroup_subject = physics_; },
       [this](const UiPostPart& p) { return p.subgroup_subject == physics_; }},
      {"day exclusion", [this](UiPostPart& p) { p.excluded_day_subject = physics_; },
       [this](const UiPostPart& p) { return p.excluded_day_subject == physics_; }},
      {"building move option", [](UiPostPart& p) { p.building_move = 1, p.building_move_option = 1; },
       [](const UiPostPart& p) { return p.building_move == 1 && p.building_move_option == 1; }},
      {"task block", [](UiPostPart& p) { p.triple[0] = 2, p.triple[1] = 0, p.triple[2] = 5, p.letter_j = 'J'; },
       [](const UiPostPart& p) { return p.triple[0] == 2 && p.triple[1] == 0 && p.triple[2] == 5 && p.letter_j == 'J'; }},
      {"both groupings", [](UiPostPart& p) { std::strcpy(p.grouping1, "1"), std::strcpy(p.grouping2, "2"); },
       [](const UiPostPart& p) { return std::string(p.grouping1) == "1" && std::string(p.grouping2) == "2"; }},
      {"second grouping", [](UiPostPart& p) { std::strcpy(p.grouping2, "2"); },
       [](const UiPostPart& p) { return p.grouping1[0] == 0 && std::string(p.grouping2) == "2"; }},
  };
  for (const Case& c : cases) {
    for (bool partner : {false, true}) {
      og_reset_teaching_post(Post(0, 0), 1);
      og_reset_teaching_post(Post(0, 1), 1);
      Post(0, 0).partner_part.hours = Post(0, 1).partner_part.hours = 2;
      UiPostPart& target = partner ? Post(0, 1).partner_part : Post(0, 1).own;
      std::memset(target.forbidden_hours, 0, kUiWeekCells);
      target.forbidden_hours[7] = 1;  // the target's own
      c.set(partner ? Post(0, 0).partner_part : Post(0, 0).own);
      Show(0, 0);
      ui.Click(panel_, C::kCopyId);
      Show(0, 1);  // ROSSI MATEMATICA 2A
      ui.Click(panel_, C::kPasteId);
      const UiPostPart& after = partner ? Post(0, 1).partner_part : Post(0, 1).own;
      EXPECT_TRUE(c.pasted(after)) << c.id << (partner ? " on the partner's part" : "");
      if (std::string(c.id) != "forbidden hours") {
        EXPECT_EQ(after.forbidden_hours[7], 1) << c.id << ": the target's forbidden hours kept";
        EXPECT_EQ(after.forbidden_hours[3], 0) << c.id;
      }
    }
  }
  // A task block pasted into a part without hours is no task block.
  og_reset_teaching_post(Post(0, 0), 1);
  og_reset_teaching_post(Post(0, 1), 1);
  Post(0, 0).partner_part.hours = 2;
  Post(0, 1).partner_part.hours = 0;
  Post(0, 0).partner_part.triple[0] = 2, Post(0, 0).partner_part.letter_j = 'J';
  Show(0, 0);
  ui.Click(panel_, C::kCopyId);
  Show(0, 1);
  ui.Click(panel_, C::kPasteId);
  EXPECT_EQ(Post(0, 1).partner_part.triple[0], -1);
  EXPECT_EQ(Post(0, 1).partner_part.letter_j, 0);
}

TEST_F(CopyPanels, AResetClearsThePostsConstraints) {
  UiTeachingPost& post = Post(0, 0);
  post.own.daily_max = 2;
  post.own.placement = 1;
  post.partner_part.joined_class = 1;
  Show(0, 0);
  ui.Click(panel_, C::kResetId);
  EXPECT_FALSE(copypas_has_constraints(post));
  EXPECT_EQ(+post.own.hours, 4) << "the post stays";
  EXPECT_FALSE(Enabled(C::kCopyId));
  EXPECT_FALSE(Enabled(C::kResetId));
}

TEST_F(CopyPanels, AClassCalendarIsCopiedIntoAnotherClass) {
  ASSERT_EQ(calendar_panel_.Create(nullptr), 1);
  UiClassCalendar& from = g_ui_structure.classes[0].calendars[0];
  from.calendar_hours[0] = 1;
  from.calendar_hours[13] = 1;
  from.max_day_difference = 3;
  calendar_panel_.m_class = -1;
  calendar_panel_.ShowPanel(true);
  EXPECT_FALSE(calendar_panel_.IsWindowVisible()) << "no class, nothing copied: hidden";
  calendar_panel_.m_class = 0;
  calendar_panel_.m_set = 0;
  calendar_panel_.ShowPanel(true);
  ASSERT_TRUE(calendar_panel_.IsWindowVisible());
  EXPECT_FALSE(ui.IsEnabled(calendar_panel_, Ccopysma::kPasteId));
  ui.Click(calendar_panel_, Ccopysma::kCopyId);
  calendar_panel_.m_class = 2;
  calendar_panel_.m_set = 1;  // the provisional calendar of 3A
  calendar_panel_.ShowPanel(true);
  EXPECT_TRUE(ui.IsEnabled(calendar_panel_, Ccopysma::kPasteId));
  ui.Click(calendar_panel_, Ccopysma::kPasteId);
  EXPECT_TRUE(calendar_panel_.m_pasted);
  const UiClassCalendar& to = g_ui_structure.classes[2].calendars[1];
  EXPECT_EQ(to.calendar_hours[13], 1);
  EXPECT_EQ(+to.max_day_difference, 3);
  EXPECT_NE(+g_ui_structure.classes[2].calendars[0].max_day_difference, 3) << "the other set stays";
  EXPECT_FALSE(ui.IsEnabled(calendar_panel_, Ccopysma::kPasteId));
  calendar_panel_.m_set = 2;  // no such set
  calendar_panel_.ShowPanel(true);
  EXPECT_TRUE(calendar_panel_.IsWindowVisible()) << "something copied: shown to paste";
  EXPECT_FALSE(ui.IsEnabled(calendar_panel_, Ccopysma::kCopyId)) << "no calendar there to copy";
  // A new copy is pasted again, once.
  g_ui_structure.classes[1].calendars[0].max_day_difference = 5;
  calendar_panel_.m_class = 1;
  calendar_panel_.m_set = 0;
  calendar_panel_.ShowPanel(true);
  ui.Click(calendar_panel_, Ccopysma::kCopyId);
  calendar_panel_.m_class = 2;
  calendar_panel_.ShowPanel(true);
  ASSERT_TRUE(ui.IsEnabled(calendar_panel_, Ccopysma::kPasteId)) << "a new copy to paste";
  ui.Click(calendar_panel_, Ccopysma::kPasteId);
  EXPECT_EQ(+g_ui_structure.classes[2].calendars[0].max_day_difference, 5);
  EXPECT_FALSE(ui.IsEnabled(calendar_panel_, Ccopysma::kPasteId));
}

}  // namespace
