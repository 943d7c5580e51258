// The data-file search dialog: rows through the polling timer, Esc stopping
// a search, the pen restore, an older copy restored setting later work
// aside, a deletion searching again, the selection mode.
#include "schooldata/data_file_search_dialog.h"

#include <algorithm>

#include "platform/test_driver.h"
#include "schooldata/ui_school_model.h"
#include "search_test_support.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"

namespace {

using namespace kt_search_test;
using namespace kt::ui;

class SearchDialog : public SearchFolders {
 protected:
  void SetUp() override {
    SearchFolders::SetUp();
    ui_register_toolkit_templates();
    ui_forget_last_message_box();
    g_language = 2;
  }
  void TearDown() override {
    g_language = 0;
    SearchFolders::TearDown();
  }
  // The message boxes among the modal dialogs shown.
  static int message_boxes(TestDriver& ui) {
    int n = 0;
    for (const auto& box : ui.boxes()) n += box.template_id != Crical::kTemplate;
    return n;
  }
  static ListView& list(Dialog& d) { return *static_cast<ListView*>(d.GetDlgItem(Crical::kListId)); }
  static std::vector<std::string> column(Dialog& d, int c) {
    std::vector<std::string> out;
    for (int i = 0; i < list(d).GetItemCount(); ++i) out.push_back(list(d).GetItemText(i, c));
    return out;
  }
  // Lets the worker end, then lets the timer carry its result to the list.
  static void finish(TestDriver& ui, Crical& dialog) {
    dialog.WaitForSearch();
    ui.Advance(Crical::kPollMs);
  }
};

TEST_F(SearchDialog, EveryDriveSearchStartsOnTheButtonAndListsNewestFirst) {
  file(drive_ + "/KestrinTempusDati/a/scuola2.txt", "x", 1600000000);
  file(drive_ + "/KestrinTempusDati/b/scuola2.txt", "x", 1700000000);
  file(pen_ + "/Copia_Dati_Orario/c/scuola2.txt", "x", 1650000000);
  TestDriver ui;
  Crical dialog;
  std::vector<std::string> before, folders, dates;
  std::string title, action, key_heading;
  int key_width = -1;
  bool start_enabled = false, start_after = false;
  ui.OnNextModal([&](Dialog& d) {
    before = column(d, 0);
    title = ui.Text(d, Crical::kTitleId);
    action = ui.Text(d, Crical::kActionId);
    ui.Click(d, Crical::kStartId);
    start_enabled = ui.IsEnabled(d, Crical::kStartId);
    finish(ui, dialog);
    folders = column(d, 0);
    dates = column(d, 2);
    key_width = list(d).GetColumnWidth(Crical::kSortKeyColumn);
    key_heading = list(d).GetColumnHeading(Crical::kSortKeyColumn);
    start_after = ui.IsEnabled(d, Crical::kStartId);
    ui.Click(d, kIdCancel);
  });
  EXPECT_EQ(dialog.DoModal(), kIdCancel);
  EXPECT_TRUE(before.empty());
  EXPECT_EQ(title, "KestrinTempus Data Files existing in the whole computer:");
  EXPECT_EQ(action, "Recover selected data file");
  EXPECT_FALSE(start_enabled);
  EXPECT_TRUE(start_after);
  EXPECT_EQ(folders, (std::vector<std::string>{drive_ + "/KestrinTempusDati/b", pen_ + "/Copia_Dati_Orario/c",
                                               drive_ + "/KestrinTempusDati/a"}));
  EXPECT_EQ(dates, (std::vector<std::string>{"14-11-2023 22:13", "15-04-2022 05:20", "13-09-2020 12:26"}));
  // The sort key stays under the date's heading and out of sight after the columns are fitted.
  EXPECT_EQ(key_width, 0);
  EXPECT_EQ(key_heading, "Date / Time");
}

TEST_F(SearchDialog, EscDuringASearchStopsItAndASecondEscCloses) {
  file(pen_ + "/Copia_Dati_Orario/c/scuola2.txt", "x");
  TestDriver ui;
  Crical dialog;
  dialog.m_drive = 'E';
  dialog.m_delete_mode = 1;
  bool open_after_first_esc = false;
  std::string action, title;
  std::size_t rows = 0;
  ui.OnNextModal([&](Dialog& d) {
    action = ui.Text(d, Crical::kActionId);
    title = ui.Text(d, Crical::kTitleId);
    ui.Click(d, kIdCancel);  // the search is running until the timer sees its end
    open_after_first_esc = dialog.Searching();
    finish(ui, dialog);
    rows = column(d, 0).size();
    ui.Click(d, kIdCancel);
  });
  EXPECT_EQ(dialog.DoModal(), kIdCancel);
  EXPECT_TRUE(open_after_first_esc);
  EXPECT_LE(rows, 1u);
  EXPECT_EQ(action, "Delete selected data file");
  EXPECT_EQ(title, "KestrinTempus Data Files existing in USB Pen:");
}

TEST_F(SearchDialog, PenRestoreAsksCopiesAndCloses) {
  file(pen_ + "/Copia_Dati_Orario/liceo/scuola2.txt", "pen", 1700000000);
  file(drive_ + "/KestrinTempusDati/liceo/scuola2.txt", "disk", 1700000100);
  fs::current_path(drive_ + "/KestrinTempusDati");
  TestDriver ui;
  Crical dialog;
  dialog.m_drive = 'E';
  ui.OnNextModal([&](Dialog& d) {
    finish(ui, dialog);
    ui.Select(d, Crical::kListId, 0);
    ui.Click(d, Crical::kActionId);
  });
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);  // cover the existing school: Yes
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);  // the disk's copy is newer: Yes
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);  // the restored school is read: "pen" does not read
  EXPECT_EQ(dialog.DoModal(), kIdCancel);
  EXPECT_EQ(read(drive_ + "/KestrinTempusDati/liceo/scuola2.txt"), "pen");
  EXPECT_EQ(fs::current_path().string(), drive_ + "/KestrinTempusDati/liceo");
  EXPECT_EQ(message_boxes(ui), 3);
  EXPECT_FALSE(og_school_loaded());  // nothing saves over the restored files
  start_without_school(drive_);
}

// An older copy restored over the working school: the timetable computed
// since and the search's record are not read with the copy's description;
// they are moved, byte for byte, into a sub-folder the user is told of,
// and notes stay.
TEST_F(SearchDialog, AnOlderCopyRestoredSetsTheLaterTimetableAside) {
  std::string work = drive_ + "/KestrinTempusDati/liceo", copy = drive_ + "/vecchie/liceo";
  // The copy is a school that reads: the program loads it after the restore.
  std::string example = std::string(KT_SOURCE_DIR) + "/examples/piccola/";
  std::string old1 = read(example + "scuola1.txt"), old2 = read(example + "scuola2.txt");
  file(copy + "/scuola1.txt", old1, 1600000000);
  file(copy + "/scuola2.txt", old2, 1600000000);
  file(work + "/scuola1.txt", "nuova 1", 1700000000);
  file(work + "/scuola2.txt", "nuova 2", 1700000000);
  file(work + "/savego.txt", "orario di nuova 2", 1700000000);
  file(work + "/saveprec.txt", "record di nuova 2", 1700000000);
  file(work + "/appunti.txt", "appunti", 1700000000);
  fs::current_path(work);
  TestDriver ui;
  Crical dialog;
  std::vector<std::string> folders;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Crical::kStartId);
    finish(ui, dialog);
    folders = column(d, 0);
    auto row = std::find(folders.begin(), folders.end(), copy);
    if (row == folders.end()) {
      ui.Click(d, kIdCancel);
      return;
    }
    ui.Select(d, Crical::kListId, int(row - folders.begin()));
    ui.Click(d, Crical::kActionId);
    ui.Click(d, kIdCancel);
  });
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);  // cover the existing school: Yes
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);  // the files set aside
  EXPECT_EQ(dialog.DoModal(), kIdCancel);
  ASSERT_NE(std::find(folders.begin(), folders.end(), copy), folders.end());
  EXPECT_EQ(read(work + "/scuola2.txt"), old2);
  EXPECT_EQ(read(work + "/scuola1.txt"), old1);
  EXPECT_TRUE(og_school_loaded());
  EXPECT_FALSE(fs::exists(work + "/savego.txt"));
  EXPECT_FALSE(fs::exists(work + "/saveprec.txt"));
  EXPECT_EQ(read(work + "/Prima del ripristino/savego.txt"), "orario di nuova 2");
  EXPECT_EQ(read(work + "/Prima del ripristino/saveprec.txt"), "record di nuova 2");
  EXPECT_EQ(read(work + "/appunti.txt"), "appunti");
  bool told = false;
  for (const auto& box : ui.boxes())
    for (const std::string& t : box.texts)
      told = told || (t.find("savego.txt, saveprec.txt") != std::string::npos &&
                      t.find("[Prima del ripristino]") != std::string::npos);
  EXPECT_TRUE(told);
  start_without_school(drive_);
}

TEST_F(SearchDialog, DeleteMovesTheCopyAndSearchesAgain) {
  file(pen_ + "/Copia_Dati_Orario/liceo/scuola2.txt", "pen", 1700000000);
  file(pen_ + "/Copia_Dati_Orario/media/scuola2.txt", "pen", 1600000000);
  TestDriver ui;
  Crical dialog;
  dialog.m_drive = 'E';
  dialog.m_delete_mode = 1;
  std::vector<std::string> after;
  bool searching_again = false;
  ui.OnNextModal([&](Dialog& d) {
    finish(ui, dialog);
    ui.Select(d, Crical::kListId, 0);
    ui.Click(d, Crical::kActionId);
    searching_again = dialog.Searching();
    finish(ui, dialog);
    after = column(d, 0);
    ui.Click(d, kIdCancel);
  });
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);  // irreversible: Yes
  EXPECT_EQ(dialog.DoModal(), kIdCancel);
  EXPECT_TRUE(searching_again);
  EXPECT_EQ(after, std::vector<std::string>{pen_ + "/Copia_Dati_Orario/media"});
  EXPECT_EQ(read(pen_ + "/Copia_Dati_DELETE/liceo/scuola2.txt"), "pen");
  EXPECT_EQ(message_boxes(ui), 1);
}

TEST_F(SearchDialog, SelectionHandsTheFolderBack) {
  file(drive_ + "/srv/x_B/scuola2.txt", "12", 1700000000);
  TestDriver ui;
  Crical dialog;
  dialog.m_drive = 'C';
  dialog.m_selection_mode = 1;
  dialog.m_search_root = "\\srv";
  std::string type, size;
  ui.OnNextModal([&](Dialog& d) {
    finish(ui, dialog);
    type = list(d).GetItemText(0, 4);
    size = list(d).GetItemText(0, 5);
    ui.Click(d, Crical::kActionId);  // nothing selected: a box, the dialog stays
    ui.Select(d, Crical::kListId, 0);
    ui.Click(d, Crical::kActionId);
  });
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  EXPECT_EQ(dialog.DoModal(), 1);
  EXPECT_EQ(dialog.m_result_folder, drive_ + "/srv/x_B");
  EXPECT_EQ(type, "B");
  EXPECT_EQ(size, "2 bytes");
  EXPECT_EQ(message_boxes(ui), 1);
}

}  // namespace
