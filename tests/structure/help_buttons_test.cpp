// Every "?" of the structure editors' pages shows the user something (its
// help in the page's pane, a guide, a box), on the frame with the small
// sample school. (The lessons-by-class page's three "?" all
// bring back the page's starting help, which it shows when it opens.)
#include <gtest/gtest.h>

#include "help_buttons_walk.h"
#include "remote/guide_windows.h"
#include "structure/structure_pages.h"

namespace {

class HelpButtons : public help_walk::HelpButtonsProgram {
 protected:
  HelpButtons() : HelpButtonsProgram([] { structure_install_pages(); }) {}
};

TEST_F(HelpButtons, EveryQuestionMarkShowsSomething) {
  std::vector<help_walk::Seen> seen =
      PressAll({kPageProscuola, kPagePlessi, kPageMaterie, kPageLapal, kPagePale, kPageProqui, kPageLacoco,
                kPageProcat, kPageSyncat},
               {&g_frame, &g_guide_saba, &g_guide_ipay, &g_guide_arti, &g_guide_grul, &g_guide_menu});
  EXPECT_TRUE(ui.Problems().empty());
  for (const help_walk::Seen& s : seen) {
    if (s.page == kPageLacoco) continue;  // its three "?" all bring back the help it opens with
    EXPECT_FALSE(s.what.empty()) << std::hex << s.page << std::dec << " button " << s.button;
  }
  EXPECT_GT(seen.size(), 20u);
}

}  // namespace
