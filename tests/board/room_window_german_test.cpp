// The room window in German spells its words with their umlauts, as the
// rest of the program does: the box that lets a class's lessons change
// room, and the refusals of a rooms count or a teachers count that is not a
// number from 0 to 99.
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

class RoomWindowGerman : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
  }
  TestDriver ui;
};

TEST_F(RoomWindowGerman, MovableBoxAndRefusalsSpellTheirUmlauts) {
  fs::path school = copy_example("piccola", "scuola");
  write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\scuola\n");
  fs::copy_file(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt", school / "savego.txt");
  std::string movable, bad_rooms, bad_teachers;
  run_program(ui, [&] {
    alfadlg_go_to_page(kPageHome);
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kGerman));
    alfadlg_go_to_page(kPageProcessingMenu);
    ui.OnNextModal([&](Dialog& box) { box.EndDialog(kIdYes); });
    ui.OnNextModal([&](Dialog& d) {
      movable = ui.Text(d, Casau::kMovableId);
      d.GetDlgItem(Casau::kRoomsId)->SetWindowText("x");
      ui.OnNextModal([&](Dialog& box) {
        bad_rooms = ui.Text(box, CMessageBox::kTextId);
        box.EndDialog(kIdOk);
      });
      ui.Click(d, Casau::kAssignId);
      d.GetDlgItem(Casau::kRoomsId)->SetWindowText("3");
      d.GetDlgItem(Casau::kTeachersId)->SetWindowText("x");
      ui.OnNextModal([&](Dialog& box) {
        bad_teachers = ui.Text(box, CMessageBox::kTextId);
        box.EndDialog(kIdOk);
      });
      ui.Click(d, Casau::kAssignId);
      ui.Click(d, Casau::kCloseId);
    });
    ASSERT_TRUE(ui.Click(g_processing_menu, M::kRoomWindowId));
  });
  EXPECT_EQ(movable, "Die Stunden der Klasse dürfen das Zimmer wechseln"_cp);
  EXPECT_EQ(bad_rooms, "Ungültige Zahl der Zimmer: Zahlen von 0 bis 99 durch Kommas getrennt angeben."_cp);
  EXPECT_EQ(bad_teachers, "Ungültige Zahl der Lehrer je Zimmer (0 bis 99)."_cp);
}

}  // namespace
