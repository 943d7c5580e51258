// The notice at the end of a computation with errors left names the file
// that lists them as the engine writes it in the user's language, so the
// officer finds it in the folder Orario: "Fehler Rückstände.txt" in German,
// "Remaining Errors.txt" in English, "Errori Residui.txt" in Italian.
#include <gtest/gtest.h>

#include <string>

#include "board/computation_page.h"
#include "platform/cp1252.h"
#include "shell/frame_test_support.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class EndNoticeFile : public FrameInDataRoot {
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
};

TEST_F(EndNoticeFile, NamesTheResidualErrorsFileOfTheUsersLanguage) {
  const struct {
    int language;
    const char* text;
  } cases[] = {
      {0, "Attenzione: l'orario contiene ancora 3 errori.\r\nL'elenco e' nel file \"Errori Residui.txt\" della "
          "cartella Orario."},
      {1, "Achtung: der Stundenplan enthält noch 3 Fehler.\r\nDie Liste steht in der Datei \"Fehler "
          "Rückstände.txt\" im Ordner Orario."_cp},
      {2, "Warning: the timetable still holds 3 errors.\r\nThey are listed in the file \"Remaining Errors.txt\" of "
          "the folder Orario."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    g_language = c.language;
    ASSERT_NE(g_computation_hooks.run_ended, nullptr);
    g_computation_hooks.run_ended(g_make_page, 0, 3);
    ASSERT_TRUE(g_makewarn.IsWindow());
    EXPECT_EQ(ui.Text(g_makewarn, Cmakewarn::kTextId), c.text);
    ui.Click(g_makewarn, Cmakewarn::kCloseId);
  }
}

}  // namespace
