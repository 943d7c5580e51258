// Every "?" of the constraint and parameter pages shows the user something
// (its help in the page's pane, a guide, a box), on the frame with the
// small sample school.
#include <gtest/gtest.h>

#include "constraints/constraint_pages.h"
#include "help_buttons_walk.h"
#include "remote/guide_windows.h"
#include "structure/structure_pages.h"

namespace {

class HelpButtons : public help_walk::HelpButtonsProgram {
 protected:
  HelpButtons()
      : HelpButtonsProgram([] {
          structure_install_pages();
          constraints_install_pages();
        }) {}
};

TEST_F(HelpButtons, EveryQuestionMarkShowsSomething) {
  std::vector<help_walk::Seen> seen =
      PressAll({kPageVicat, kPageVipro, kPageVidia, kPageParameters1, kPageParameters2, kPageParameters3,
                kPageParameters4, kPageOraspec},
               {&g_frame, &g_guide_menu});
  EXPECT_TRUE(ui.Problems().empty());
  for (const help_walk::Seen& s : seen) {
    EXPECT_FALSE(s.what.empty()) << std::hex << s.page << std::dec << " button " << s.button;
  }
  EXPECT_GT(seen.size(), 10u);
}

}  // namespace
