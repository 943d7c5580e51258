// The personal constraints page's trial ("PROVA") on a teacher who shares
// posts with a partner: the trial takes the partner's copies out of the
// teacher's posts while the engine reads the description, and puts them
// back after it, so the posts list shows the same rows before and after.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "constraint_page_fixtures.h"
#include "pickers/exemption_list.h"
#include "structure/trial_computation.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::TeacherPage;
using V = Cvipro;

std::vector<std::string> posts_shown(Dialog& page) {
  auto* list = static_cast<ListView*>(page.GetDlgItem(V::kPostsId));
  std::vector<std::string> rows;
  for (int i = 0; i < list->GetItemCount(); ++i) {
    std::string row;
    for (int c = 0; c < list->GetColumnCount(); ++c) row += list->GetItemText(i, c) + "|";
    rows.push_back(row);
  }
  return rows;
}

int copies_of(int teacher) {
  int n = 0;
  for (int p = 0; p < int(g_ui_teachers[teacher].post_count) && p < kUiMaxPosts; ++p)
    n += g_ui_teachers[teacher].posts[p].copy ? 1 : 0;
  return n;
}

TEST_F(TeacherPage, TheTrialKeepsThePartnersCopiesInThePosts) {
  g_ui_header.hours_per_day[5] = 6;  // the sample school's own six-day week
  og_snapshot_all();
  // ROSSI assists in a lab post of the second teacher's first class and subject.
  int teacher = 0;
  const UiTeachingPost& first = g_ui_teachers[1].posts[0];
  add_lab_post(1, first.subject, first.class_index, 2, teacher, 2);
  og_snapshot_all();
  g_vipro_current_teacher = teacher;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ASSERT_EQ(page.CurrentTeacher(), teacher);
  int copies = copies_of(teacher);
  ASSERT_GT(copies, 0);
  std::vector<std::string> before = posts_shown(page);
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Cmake::kStopId);
    g_engine_thread.Join();
    ui.Advance(Cmake::kTimerMs);
    ui.Click(d, Cmake::kCloseId);
  });
  ui.Click(page, V::kTestId);
  EXPECT_EQ(posts_shown(page), before);
  EXPECT_EQ(copies_of(teacher), copies) << "the partner's copies are back in the teacher's posts";
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
  og_snapshot_all();
}

}  // namespace
