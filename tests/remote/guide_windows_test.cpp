// The archive-import notice's "do not show again" sets the preference bit
// and closes the notice. (A guide made once while open and again after
// closing is driven from the pages' help buttons.)
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "remote/guide_windows.h"
#include "shell/status_file.h"

namespace {

using namespace kt::ui;

TEST(GuideWindows, NoticeRemembersTheAnswer) {
  TestDriver ui;
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
