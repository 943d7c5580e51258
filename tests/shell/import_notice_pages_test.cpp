// The notice about importing another program's data, in the running
// program: the configuration overview and the quick-entry page show it
// beside themselves; once the officer goes on to another page it is gone,
// and coming back shows it once again, not twice.
#include "frame_test_support.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

using ImportNotice = ProgramOnSample;

int notices_shown() {
  int shown = 0;
  for (Window* w : top_level_windows())
    if (w && w->IsWindow() && w->IsWindowVisible() && w->GetWindowText() == "Importare i dati") ++shown;
  return shown;
}

TEST_F(ImportNotice, GoesWithThePageThatShowsIt) {
  Run([&] {
    for (int page : {kPageConfigMenu, kPageProqui}) {
      SCOPED_TRACE(page);
      alfadlg_go_to_page(page);
      EXPECT_EQ(notices_shown(), 1);
      alfadlg_go_to_page(kPageMaterie);
      ASSERT_NE(g_current_page, nullptr);
      EXPECT_EQ(notices_shown(), 0) << "the notice stays over the subjects page";
      alfadlg_go_to_page(page);
      EXPECT_EQ(notices_shown(), 1);
      alfadlg_go_to_page(kPageMaterie);
      EXPECT_EQ(notices_shown(), 0);
    }
  });
}

}  // namespace
