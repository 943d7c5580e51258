// A first computation stopped before its first save leaves only the
// search's record ("saveprec.txt"), which the engine reads before
// "savego.txt". In the desktop program started as main() starts it, the
// processing menu's check of the saved timetable and its printing run on
// that record instead of saying that no timetable was computed; with no
// save at all the check still says so.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "board/computation_page.h"
#include "board/processing_menu.h"
#include "shell/frame_test_support.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using M = Cmakedibi;
using C = Cmake;

class RecordOnlyTimetable : public ProgramOnSample {
 protected:
  fs::path School() const { return data_root() / "piccola"; }
  // The processing menu's button; the computation window's result once the
  // engine ended.
  std::string Press(int button) {
    std::string result;
    ui.OnNextModal([&](Dialog& d) {
      g_engine_thread.Join();
      ui.Advance(C::kTimerMs);
      result = ui.Text(d, C::kResultId);
      ui.Click(d, C::kCloseId);
    });
    ui.Click(g_processing_menu, button);
    return result;
  }
};

TEST_F(RecordOnlyTimetable, CheckAndPrintingReadTheSearchsRecord) {
  const std::string record = read(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt");
  Run([&] {
    alfadlg_go_to_page(kPageProcessingMenu);
    ASSERT_EQ(g_current_page, &g_processing_menu);
    EXPECT_EQ(Press(M::kCheckId), "Nessun orario elaborato: calcolare prima l'orario.");

    write(School() / "saveprec.txt", record);
    ASSERT_FALSE(fs::exists(School() / "savego.txt"));
    std::string checked = Press(M::kCheckId);
    EXPECT_EQ(checked.rfind("Elaborazione terminata. Errori rimasti: ", 0), 0u) << checked;

    ui.AnswerNextModal(kIdYes);  // never computed here: printed all the same
    EXPECT_EQ(Press(M::kReportsId), "Report scritti nella cartella Orario.");
    EXPECT_TRUE(fs::exists(School() / "Orario" / "Orario Classi.txt"));
    EXPECT_EQ(read(School() / "saveprec.txt"), record) << "neither reads change the timetable";
  });
}

}  // namespace
