// The configuration pages whose list grows with the frame, shown in a
// maximised frame: the list takes the room and every other control moves
// out of its way, so that no button, field or help pane ends up under the
// list (where it was drawn over the rows and its clicks went to the list).
// A page opened while the frame is maximised lies as one maximised after
// opening, and goes back to its normal layout when the frame is restored.
#include <string>
#include <vector>

#include "frame_test_support.h"
#include "constraints/post_constraints_page.h"
#include "structure/quick_entry_page.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

using MaximisedPages = ProgramOnSample;

bool overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The visible controls of the open page that a growing control covers and
// that it did not cover at the page's first size.
std::vector<std::string> covered_controls(Window& page, const std::vector<Rect>& before) {
  std::vector<std::string> covered;
  const std::vector<Window*>& children = page.Children();
  for (std::size_t i = 0; i < children.size(); ++i) {
    if (!children[i]->IsWindowVisible()) continue;
    for (std::size_t j = i + 1; j < children.size(); ++j) {
      if (!children[j]->IsWindowVisible()) continue;
      if (overlap(before[i], before[j])) continue;
      if (overlap(children[i]->GetRectInParent(), children[j]->GetRectInParent()))
        covered.push_back(children[i]->GetWindowText() + " / " + children[j]->GetWindowText() + " (" +
                          children[i]->ClassName() + ", " + children[j]->ClassName() + ")");
    }
  }
  return covered;
}

std::vector<Rect> rects_of(Window& page) {
  std::vector<Rect> rects;
  for (Window* child : page.Children()) rects.push_back(child->GetRectInParent());
  return rects;
}

// Where the page's template puts its controls (the controls made in code
// after them, where they are now).
std::vector<Rect> template_rects(Dialog& page) {
  std::vector<Rect> rects = rects_of(page);
  const DialogTemplate* t = page.GetTemplate();
  if (!t) return rects;
  Font font;
  font.face = t->font_face ? t->font_face : "MS Sans Serif";
  font.points = t->font_points;
  Size base = backend().metrics().DialogBaseUnits(font);
  for (std::size_t i = 0; i < rects.size() && i < t->controls.size(); ++i) {
    const ControlTemplate& c = t->controls[i];
    rects[i] = dialog_units_to_pixels(c.x, c.y, c.cx, c.cy, base);
  }
  return rects;
}

// The controls of the open page that are not where `expected` has them.
std::vector<std::string> misplaced_controls(Window& page, const std::vector<Rect>& expected) {
  std::vector<std::string> misplaced;
  const std::vector<Window*>& children = page.Children();
  if (children.size() != expected.size()) return {"the page holds another number of controls"};
  for (std::size_t i = 0; i < children.size(); ++i) {
    Rect r = children[i]->GetRectInParent(), e = expected[i];
    if (r == e) continue;
    auto text = [](const Rect& x) {
      return std::to_string(x.left) + "," + std::to_string(x.top) + "-" + std::to_string(x.right) + "," +
             std::to_string(x.bottom);
    };
    misplaced.push_back(std::to_string(children[i]->GetDlgCtrlID()) + " \"" + children[i]->GetWindowText() +
                        "\" at " + text(r) + " instead of " + text(e));
  }
  return misplaced;
}

TEST_F(MaximisedPages, TheQuickEntryListLeavesTheOtherControlsFree) {
  Run([&] {
    alfadlg_go_to_page(kPageProqui);
    ui.Pump();
    ASSERT_NE(g_current_page, nullptr);
    ASSERT_EQ(g_current_page_template, std::uint32_t(Cproqui::kTemplate));
    Window& page = *g_current_page;
    std::vector<Rect> first = rects_of(page);
    Rect list_first = page.GetDlgItem(Cproqui::kListId)->GetRectInParent();
    Rect save_first = page.GetDlgItem(Cproqui::kSaveId)->GetRectInParent();

    g_frame.ShowWindow(kSwShowMaximized);
    ui.Pump();
    ASSERT_TRUE(g_frame.IsZoomed());
    Rect list = page.GetDlgItem(Cproqui::kListId)->GetRectInParent();
    EXPECT_GT(list.Height(), list_first.Height()) << "the list grows with the frame";
    EXPECT_GT(list.Width(), list_first.Width());
    EXPECT_EQ(covered_controls(page, first), std::vector<std::string>{});
    Rect save = page.GetDlgItem(Cproqui::kSaveId)->GetRectInParent();
    EXPECT_GE(save.top, list.bottom) << "the save button stays below the list";
    EXPECT_LE(save.bottom, page.GetClientRect().bottom) << "and inside the page";
    Rect help = page.GetDlgItem(Cproqui::kHelpId)->GetRectInParent();
    EXPECT_GE(help.left, list.right) << "the help pane stays beside the list";
    EXPECT_LE(help.right, page.GetClientRect().right);

    g_frame.ShowWindow(kSwRestore);
    ui.Pump();
    EXPECT_EQ(page.GetDlgItem(Cproqui::kListId)->GetRectInParent(), list_first);
    EXPECT_EQ(page.GetDlgItem(Cproqui::kSaveId)->GetRectInParent(), save_first);
    alfadlg_go_to_page(kPageHome + 0);
  });
}

// Every configuration page and the computation page, maximised: whatever
// grows covers nothing it did not cover at the page's own size.
TEST_F(MaximisedPages, NoPageCoversItsOwnControls) {
  Run([&] {
    for (int page_id : {kPageConfigMenu, kPageProscuola, kPagePlessi, kPageMaterie, kPageLapal, kPagePale, kPageProqui,
                        kPageLacoco, kPageProcat, kPageSyncat, kPageVicat, kPageVipro, kPageVidia, kPageOraspec,
                        kPageParpro, kPageProcessingMenu, kPageMake}) {
      SCOPED_TRACE(page_id);
      g_frame.ShowWindow(kSwRestore);
      alfadlg_go_to_page(page_id);
      ui.Pump();
      ASSERT_NE(g_current_page, nullptr);
      std::vector<Rect> first = rects_of(*g_current_page);
      g_frame.ShowWindow(kSwShowMaximized);
      ui.Pump();
      EXPECT_EQ(covered_controls(*g_current_page, first), std::vector<std::string>{});
    }
    g_frame.ShowWindow(kSwRestore);
    alfadlg_go_to_page(kPageHome + 0);
  });
}

// The constraints page for teaching posts: its list widens, the help pane
// beside it moves right, and each panel below the list stays whole (a panel
// reaches further right than the list; its right-hand fields stay with it).
TEST_F(MaximisedPages, ThePostConstraintPanelsStayWhole) {
  Run([&] {
    alfadlg_go_to_page(kPageVicat);
    ui.Pump();
    ASSERT_NE(g_current_page, nullptr);
    ASSERT_EQ(g_current_page_template, std::uint32_t(Cvicat::kTemplate));
    Window& page = *g_current_page;
    auto at = [&](int id) { return page.GetDlgItem(id)->GetRectInParent(); };
    std::vector<std::pair<int, int>> offsets;
    for (const Cvicat::PanelIds& panel : Cvicat::kPanels)
      for (int id : {panel.classwork, panel.first, panel.last, panel.daily, panel.forbidden, panel.subgroup})
        offsets.push_back({at(id).left - at(panel.joined).left, at(id).top - at(panel.joined).top});
    Rect list_first = at(Cvicat::kPostListId);

    g_frame.ShowWindow(kSwShowMaximized);
    ui.Pump();
    Rect list = at(Cvicat::kPostListId);
    EXPECT_GT(list.Width(), list_first.Width()) << "the list widens with the frame";
    EXPECT_GE(at(Cvicat::kHelpId).left, list.right) << "the help pane stays beside the list";
    std::size_t k = 0;
    for (const Cvicat::PanelIds& panel : Cvicat::kPanels)
      for (int id : {panel.classwork, panel.first, panel.last, panel.daily, panel.forbidden, panel.subgroup}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(at(id).left - at(panel.joined).left, offsets[k].first);
        EXPECT_EQ(at(id).top - at(panel.joined).top, offsets[k].second);
        ++k;
      }
    g_frame.ShowWindow(kSwRestore);
    alfadlg_go_to_page(kPageHome + 0);
  });
}

// A page opened while the frame is maximised lies as it does when it is
// opened at the frame's normal size and maximised after; restored, every
// control goes back where the normal size has it. (Laid out against the
// maximised size it was first given, the page lost the whole difference
// off its growing control on the restore: the computation page's progress
// pane shrank to a small box.)
TEST_F(MaximisedPages, APageOpenedMaximisedIsRestoredToItsNormalLayout) {
  Run([&] {
    for (int page_id : {kPageHome, kPageConfigMenu, kPageProscuola, kPagePlessi, kPageMaterie, kPageLapal, kPagePale,
                        kPageProqui, kPageLacoco, kPageProcat, kPageSyncat, kPageVicat, kPageVipro, kPageVidia,
                        kPageOraspec, kPageParpro, kPageProcessingMenu, kPageMake}) {
      SCOPED_TRACE(page_id);
      const int elsewhere = page_id == kPageHome ? kPageConfigMenu : kPageHome;
      g_frame.ShowWindow(kSwRestore);
      alfadlg_go_to_page(elsewhere);
      alfadlg_go_to_page(page_id);
      ui.Pump();
      ASSERT_NE(g_current_page, nullptr);
      std::vector<Rect> normal = rects_of(*g_current_page);
      const std::vector<Rect> designed = template_rects(*g_current_page);
      EXPECT_EQ(covered_controls(*g_current_page, designed), std::vector<std::string>{}) << "at the normal size";
      g_frame.ShowWindow(kSwShowMaximized);
      ui.Pump();
      std::vector<Rect> maximised = rects_of(*g_current_page);

      alfadlg_go_to_page(elsewhere);
      alfadlg_go_to_page(page_id);
      ui.Pump();
      ASSERT_TRUE(g_frame.IsZoomed());
      ASSERT_NE(g_current_page, nullptr);
      EXPECT_EQ(misplaced_controls(*g_current_page, maximised), std::vector<std::string>{})
          << "opened in the maximised frame";
      EXPECT_EQ(covered_controls(*g_current_page, designed), std::vector<std::string>{}) << "maximised";
      g_frame.ShowWindow(kSwRestore);
      ui.Pump();
      EXPECT_EQ(misplaced_controls(*g_current_page, normal), std::vector<std::string>{}) << "restored";
    }
    alfadlg_go_to_page(kPageHome + 0);
  });
}

}  // namespace
