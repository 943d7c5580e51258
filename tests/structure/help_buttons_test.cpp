// Every "?" of the structure editors' pages shows the user something (its
// help in the page's pane, a guide, a box), on the frame with the small
// sample school. (The lessons-by-class page's three "?" all
// bring back the page's starting help, which it shows when it opens.)
#include <gtest/gtest.h>

#include "help_buttons_walk.h"
#include "remote/guide_windows.h"
#include "platform/test_driver.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "structure/structure_pages.h"

namespace {

using namespace kt_app_test;

// The pages installed as the program installs them, the frame open on a
// copy of the small sample school.
class HelpButtons : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    structure_install_pages();
    copy_example("piccola", "piccola");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
    ASSERT_TRUE(og_read_school_files(0));
    g_hint_flags = 1;  // no archive-import notice
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kt::ui::kSwShow);
    ui.Pump();
  }
  void TearDown() override {
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_hint_flags = 0;
    og_clear_structure();
    og_clear_school_blocks();
    TempRoot::TearDown();
  }
  kt::ui::TestDriver ui;
};

TEST_F(HelpButtons, EveryQuestionMarkShowsSomething) {
  std::vector<help_walk::Seen> seen;
  {
    for (int page : {kPageProscuola, kPagePlessi, kPageMaterie, kPageLapal, kPagePale, kPageProqui, kPageLacoco,
                     kPageProcat, kPageSyncat}) {
      std::vector<help_walk::Seen> page_seen = help_walk::press_help_buttons(ui, page, {&g_frame, &g_guide_saba, &g_guide_ipay, &g_guide_arti, &g_guide_grul, &g_guide_menu});
      seen.insert(seen.end(), page_seen.begin(), page_seen.end());
    }
  }
  EXPECT_TRUE(ui.Problems().empty());
  for (const help_walk::Seen& s : seen) {
    if (s.page == kPageLacoco) continue;  // its three "?" all bring back the help it opens with
    EXPECT_FALSE(s.what.empty()) << std::hex << s.page << std::dec << " button " << s.button;
  }
  EXPECT_GT(seen.size(), 20u);
}

}  // namespace
