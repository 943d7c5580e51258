// The notice at the end of a computation of the computation page, in the
// desktop program as main() installs it: shown over the frame only when the
// page's own run ended normally with errors left, saying how many and where
// they are listed, in the user's language; a later run's notice replaces
// the earlier one; a trial or report run in the modal computation window
// never shows it.
#include <gtest/gtest.h>

#include <string>

#include "board/computation_page.h"
#include "shell/frame_test_support.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class EndNotice : public FrameInDataRoot {
 protected:
  void SetUp() override {
    FrameInDataRoot::SetUp();
    OpenFrame();
  }
  void TearDown() override {
    if (g_makewarn.IsWindow()) g_makewarn.DestroyWindow();
    g_language = 0;
    FrameInDataRoot::TearDown();
  }
  // What the computation window tells when its run ends.
  static void Ended(Cmake& window, int result, int errors) {
    ASSERT_NE(g_computation_hooks.run_ended, nullptr);
    g_computation_hooks.run_ended(window, result, errors);
  }
};

TEST_F(EndNotice, OnlyThePagesNormalEndWithErrorsLeftShowsIt) {
  Cmake trial(EngineCommandCode::CalcTpro, "");
  struct Case {
    const char* id;
    Cmake* window;
    int result, errors;
  } cases[] = {
      {"no error left", &g_make_page, 0, 0},
      {"a failed run", &g_make_page, 4, 12},
      {"a stopped run counts as failed", &g_make_page, -1, 3},
      {"a trial run", &trial, 0, 5},
  };
  for (const Case& c : cases) {
    Ended(*c.window, c.result, c.errors);
    EXPECT_FALSE(g_makewarn.IsWindow() && g_makewarn.IsWindowVisible()) << c.id;
  }
  Ended(g_make_page, 0, 7);
  ASSERT_TRUE(g_makewarn.IsWindow());
  EXPECT_TRUE(g_makewarn.IsWindowVisible());
  EXPECT_TRUE(g_makewarn.GetOwner() == &g_frame || g_makewarn.GetParent() == &g_frame) << "the frame owns it";
  EXPECT_EQ(ui.Text(g_makewarn, Cmakewarn::kTextId),
            "Attenzione: l'orario contiene ancora 7 errori.\r\nL'elenco e' nel file \"Errori Residui.txt\" della "
            "cartella Orario.");
  EXPECT_EQ(g_makewarn.GetWindowText(), "Attenzione");
  // A later run's notice takes the place of the first.
  Ended(g_make_page, 0, 2);
  EXPECT_NE(ui.Text(g_makewarn, Cmakewarn::kTextId).find(" 2 errori"), std::string::npos);
  ui.Click(g_makewarn, Cmakewarn::kCloseId);
  EXPECT_FALSE(g_makewarn.IsWindow());
}

TEST_F(EndNotice, SpeaksTheUsersLanguage) {
  g_language = 2;
  Ended(g_make_page, 0, 1);
  ASSERT_TRUE(g_makewarn.IsWindow());
  EXPECT_EQ(ui.Text(g_makewarn, Cmakewarn::kTextId),
            "Warning: the timetable still holds 1 errors.\r\nThey are listed in the file \"Remaining Errors.txt\" of "
            "the folder Orario.");
  EXPECT_EQ(ui.Text(g_makewarn, Cmakewarn::kCloseId), "Close");
}

}  // namespace
