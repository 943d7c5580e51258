// German texts of the processing pages written with their umlauts, as the
// rest of the program writes them: the question asked before a timetable
// that was never computed is used, and the room window's label over the
// rooms of each building. In English the same places keep their words.
#include <gtest/gtest.h>

#include <string>

#include "board/processing_menu.h"
#include "board/room_window.h"
#include "platform/cp1252.h"
#include "shell/frame_test_support.h"
#include "shell/home_page.h"
#include "shell/message_box.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using M = Cmakedibi;

struct Case {
  int language_button;
  const char* question;     // before the saved timetable is used
  const char* rooms_label;  // the room window's label over the rooms per building
};

class GermanLetters : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
  }
  TestDriver ui;
};

TEST_F(GermanLetters, QuestionAndRoomWindowSpellTheirWords) {
  const Case cases[] = {
      {CPlenixDlg::kGerman, "Dieser Stundenplan wurde nicht berechnet oder enthält noch Fehler.\nTrotzdem fortfahren?"_cp,
       "Zimmer je Gebäude (durch Kommas getrennt)"_cp},
      {CPlenixDlg::kEnglish, "This timetable was not computed or still holds errors.\nGo on anyway?",
       "Rooms per building (separated by commas)"},
  };
  fs::path school = copy_example("piccola", "scuola");
  write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\scuola\n");
  fs::copy_file(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt", school / "savego.txt");
  run_program(ui, [&] {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.language_button);
      alfadlg_go_to_page(kPageHome);
      ASSERT_TRUE(ui.Click(g_home_page, c.language_button));
      alfadlg_go_to_page(kPageProcessingMenu);
      std::string question, rooms_label;
      ui.OnNextModal([&](Dialog& box) {
        question = ui.Text(box, CMessageBox::kTextId);
        box.EndDialog(kIdYes);
      });
      ui.OnNextModal([&](Dialog& d) {
        rooms_label = ui.Text(d, Casau::kRoomsLabelId);
        ui.Click(d, Casau::kCloseId);
      });
      ASSERT_TRUE(ui.Click(g_processing_menu, M::kRoomWindowId));
      EXPECT_EQ(question, c.question);
      EXPECT_EQ(rooms_label, c.rooms_label);
    }
  });
}

}  // namespace
