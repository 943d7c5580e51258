// The message boxes the constraint pages show, read whole: the caption, the
// text and every button the user is offered, and how often a box comes back.
// A notice offers OK alone; a question offers its two answers.
#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::SpecialTeacherPage;
using kt_constraints_test::TeacherPage;

const char* const kPostsRefusedText =
    "Qui si configurano i vincoli globali per il Professore. La selezione delle sue CLASSI non serve.";

// Chooses the first post of the page's list, answering OK to the box a
// box is expected; the boxes shown.
int choose_post(TestDriver& ui, Dialog& page, int posts_id, bool box_expected) {
  std::size_t before = ui.boxes().size();
  if (box_expected) ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  EXPECT_TRUE(ui.Select(page, posts_id, 0));
  EXPECT_EQ(ui.PendingSteps(), 0u);
  EXPECT_TRUE(ui.Problems().empty());
  return static_cast<int>(ui.boxes().size() - before);
}

// The refusal to choose a post is a notice with OK alone, shown again only
// after a minute: a user clicking down the list is not stopped at each row.
template <typename Page>
void expect_refusal_once_a_minute(TestDriver& ui, Page& page, int posts_id) {
  ASSERT_EQ(choose_post(ui, page, posts_id, true), 1);
  EXPECT_EQ(ui.boxes().back().texts, (std::vector<std::string>{kPostsRefusedText, "OK"}));
  auto* posts = static_cast<ListView*>(page.GetDlgItem(posts_id));
  EXPECT_EQ(posts->GetNextItem(-1, kLvniSelected), -1);
  ui.Advance(20000);
  EXPECT_EQ(choose_post(ui, page, posts_id, false), 0) << "again within the minute";
  EXPECT_EQ(posts->GetNextItem(-1, kLvniSelected), -1);
  ui.Advance(50000);
  EXPECT_EQ(choose_post(ui, page, posts_id, true), 1) << "again after the minute";
  EXPECT_EQ(posts->GetNextItem(-1, kLvniSelected), -1);
}

TEST_F(TeacherPage, ThePostsRefusalIsAnOkNoticeShownOnceAMinute) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  expect_refusal_once_a_minute(ui, page, Cvipro::kPostsId);
}

TEST_F(SpecialTeacherPage, ThePostsRefusalIsAnOkNoticeShownOnceAMinute) {
  new_ui_school({"1A "});
  g_ui_settings.teacher_count = 3;
  og_init_teacher(0, "ANNA");
  add_post(0, add_subject("LATINO"), 0, 4);
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  expect_refusal_once_a_minute(ui, page, Cvidia::kPostsId);
}

}  // namespace
