// The archive-import notice's "do not show again" sets the preference bit
// and closes the notice. Every guide opens in the top left corner of the
// page that asks for it. (A guide made once while open and again after
// closing is driven from the pages' help buttons.)
#include <gtest/gtest.h>

#include <memory>
#include <vector>

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

TEST(GuideWindows, EachOpensAtTheTopLeftCornerOfItsPage) {
  TestDriver ui;
  Clegsgene page;  // stands for the page: a window of the program's own
  ASSERT_EQ(page.Create(), 1);
  page.ShowWindow(kSwShow);
  std::vector<std::unique_ptr<CGuideWindow>> guides;
  guides.push_back(std::make_unique<Clegsmenu>());
  guides.push_back(std::make_unique<Clegssaba>());
  guides.push_back(std::make_unique<Clegsipay>());
  guides.push_back(std::make_unique<Clegsarti>());
  guides.push_back(std::make_unique<Clegsgrul>());
  guides.push_back(std::make_unique<Clegslaco>());
  guides.push_back(std::make_unique<Clegsimco>());
  guides.push_back(std::make_unique<Clegsgene>());
  guides.push_back(std::make_unique<Clegs_trasfe>());
  guides.push_back(std::make_unique<ClegsXLS>());
  Point corner = page.ClientToScreen(Point{0, 0});
  for (auto& guide : guides) {
    guide->Open(&page);
    ASSERT_TRUE(guide->IsWindow()) << guide->template_id();
    Rect at = guide->GetWindowRect();
    EXPECT_EQ(at.left, corner.x) << guide->template_id();
    EXPECT_EQ(at.top, corner.y) << guide->template_id();
    guide->DestroyWindow();
  }
  page.DestroyWindow();
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
