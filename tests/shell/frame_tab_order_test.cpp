// Tab through the running program: from the frame's section buttons the
// keyboard reaches the controls of the page shown below them (the home page,
// the processing menu) and comes back to the section buttons, forward and
// backward, as in any desktop program.
#include <vector>

#include "board/processing_menu.h"
#include "frame_test_support.h"
#include "shell/home_page.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class FrameTabOrder : public ProgramOnSample {
 protected:
  // The windows Tab (Shift+Tab with `back`) gives the focus to, from the
  // "FILE" section button until the focus is there again (at most `limit`).
  std::vector<Window*> Walk(bool back, int limit = 200) {
    Window* start = g_frame.GetDlgItem(1772);
    EXPECT_NE(start, nullptr);
    if (!start) return {};
    start->SetFocus();
    ui.Pump();
    std::vector<Window*> seen;
    for (int i = 0; i < limit; ++i) {
      ui.Key(kVkTab, back ? kModShift : 0u);
      ui.Pump();
      Window* f = Window::GetFocus();
      if (f == start || !f) break;
      seen.push_back(f);
    }
    return seen;
  }
  static bool Holds(const std::vector<Window*>& seen, Window* w) {
    for (Window* s : seen)
      if (s == w) return true;
    return false;
  }
};

TEST_F(FrameTabOrder, TabReachesThePageAndComesBack) {
  Run([&] {
    ASSERT_EQ(g_current_page, static_cast<CResizableDialog*>(&g_home_page));
    std::vector<Window*> forward = Walk(false);
    ASSERT_FALSE(forward.empty());
    EXPECT_EQ(Window::GetFocus(), g_frame.GetDlgItem(1772)) << "the walk comes back to the first section button";
    // Every button of the home page that can take the focus is on the way,
    // after the section buttons.
    for (int id : CPlenixDlg::kButtonIds) {
      Window* b = g_home_page.GetDlgItem(id);
      if (!b || !b->IsWindowVisible() || !b->IsWindowEnabled()) continue;
      EXPECT_TRUE(Holds(forward, b)) << "home page button " << id;
    }
    EXPECT_TRUE(Holds(forward, g_frame.GetDlgItem(1773)));
    // Backward from the first section button the focus goes into the page,
    // and the walk visits the same windows in the other order.
    std::vector<Window*> backward = Walk(true);
    ASSERT_FALSE(backward.empty());
    EXPECT_TRUE(g_home_page.IsChild(backward.front())) << "Shift+Tab from FILE goes to the page's last control";
    EXPECT_EQ(std::vector<Window*>(backward.rbegin(), backward.rend()), forward);

    // Another page shown below the buttons takes their place in the order.
    alfadlg_go_to_page(kPageProcessingMenu);
    ASSERT_EQ(g_current_page_template, std::uint32_t(Cmakedibi::kTemplate));
    std::vector<Window*> menu = Walk(false);
    Window* compute = g_current_page->GetDlgItem(Cmakedibi::kComputeId);
    ASSERT_NE(compute, nullptr);
    EXPECT_TRUE(Holds(menu, compute));
    EXPECT_FALSE(Holds(menu, g_home_page.GetDlgItem(CPlenixDlg::kSelectSchool))) << "the hidden page is left out";
    // From a control of the page Tab goes on in the same order.
    compute->SetFocus();
    ui.Key(kVkTab);
    ui.Pump();
    for (std::size_t i = 0; i + 1 < menu.size(); ++i) {
      if (menu[i] == compute) {
        EXPECT_EQ(Window::GetFocus(), menu[i + 1]);
      }
    }
    alfadlg_go_to_page(kPageHome);
  });
}

}  // namespace
