// The guide windows: made once while open, made again after closing, and
// the archive-import notice's "do not show again" sets the preference bit
// and closes the notice.
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "remote/guide_windows.h"
#include "shell/status_file.h"

namespace {

using namespace kt::ui;

TEST(GuideWindows, CreatedOnceAndNoticeRemembersTheAnswer) {
  TestDriver ui;
  EXPECT_EQ(g_guide_menu.Create(), 1);
  EXPECT_EQ(g_guide_menu.Create(), 0);
  g_guide_menu.Open();
  EXPECT_NE(ui.Text(g_guide_menu, CGuideWindow::kTextId), "");
  ui.Click(g_guide_menu, CGuideWindow::kCloseId);
  EXPECT_FALSE(g_guide_menu.IsWindow());
  EXPECT_EQ(g_guide_menu.Create(), 1);
  g_guide_menu.DestroyWindow();

  std::uint8_t saved = g_hint_flags;
  g_hint_flags = 0;
  Clegsimco notice;
  ASSERT_TRUE(Clegsimco::Wanted());
  ASSERT_EQ(notice.Create(), 1);
  notice.ShowWindow(kSwShow);
  ui.Click(notice, CGuideWindow::kUnderstoodId);
  EXPECT_FALSE(notice.IsWindow());
  EXPECT_FALSE(Clegsimco::Wanted());
  g_hint_flags = saved;
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
