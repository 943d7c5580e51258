// Every "?" of the structure editors' pages shows the user something (its
// help in the page's pane, a guide, a box), on the frame with the small
// sample school. (The lessons-by-class page's three "?" all
// bring back the page's starting help, which it shows when it opens.)
#include <gtest/gtest.h>

#include "help_buttons_walk.h"
#include "remote/guide_windows.h"
#include "structure/structure_pages.h"
#include "structure/teaching_post_summary.h"

namespace {

class HelpButtons : public help_walk::HelpButtonsProgram {
 protected:
  HelpButtons() : HelpButtonsProgram([] { structure_install_pages(); }) {}
};

TEST_F(HelpButtons, EveryQuestionMarkShowsSomething) {
  const std::initializer_list<int> pages = {kPageProscuola, kPagePlessi, kPageMaterie, kPageLapal, kPagePale,
                                            kPageProqui,    kPageLacoco, kPageProcat,  kPageSyncat};
  std::vector<help_walk::Seen> seen =
      PressAll(pages, {&g_frame, &g_guide_saba, &g_guide_ipay, &g_guide_arti, &g_guide_grul, &g_guide_menu});
  EXPECT_TRUE(ui.Problems().empty());
  // Each page is the structure editors' own, with its "?" (a stand-in has
  // none); the summary, which has none, is the summary page.
  alfadlg_go_to_page(kPageSyncat);
  EXPECT_EQ(g_current_page, &g_syncat_page);
  for (int page : pages) {
    if (page == kPageSyncat) continue;
    bool pressed = false;
    for (const help_walk::Seen& s : seen) pressed = pressed || s.page == page;
    EXPECT_TRUE(pressed) << std::hex << page;
  }
  for (const help_walk::Seen& s : seen) {
    if (s.page == kPageLacoco) continue;  // its three "?" all bring back the help it opens with
    EXPECT_FALSE(s.what.empty()) << std::hex << s.page << std::dec << " button " << s.button;
  }
  EXPECT_GT(seen.size(), 20u);
}

}  // namespace
