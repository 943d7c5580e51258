// The band tables of the general parameters (page 11) opened from the page
// in German and English: the question before the system defaults are
// restored and the help that lists those defaults speak the user's
// language, as the rest of the table does, instead of a placeholder word.
#include <string>

#include "constraints/param_pages.h"
#include "frame_test_support.h"
#include "pickers/band_table_dialog.h"
#include "platform/cp1252.h"
#include "shell/message_box.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class BandTableWords : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
    copy_example("piccola", "piccola");
  }
  // Opens the table 11.1 of page 11 in `language`, asks to restore the
  // defaults and declines; keeps the question and the start of the help
  // of the restore button.
  void OpenTable(int language) {
    write(data_root() / "plenixstatus.txt",
          "CURDIR:\\KestrinTempusDati\\piccola\nLINGUA:" + std::to_string(language) + "\n");
    run_program(ui, [&] {
      alfadlg_go_to_page(kPageParameters1);
      ASSERT_NE(g_current_page, nullptr);
      ui.OnNextModal([&](Dialog& table) {
        ui.OnNextModal([&](Dialog& box) {
          question = ui.Text(box, CMessageBox::kTextId);
          box.EndDialog(kIdNo);
        });
        ui.Click(table, CBandTableDialog::kRestoreId);
        ui.Click(table, CBandTableDialog::kRestoreHelpId);
        help = ui.Text(table, CBandTableDialog::kHelpPaneId);
        ui.Click(table, kIdCancel);
      });
      ui.Click(*g_current_page, Corapage::kFirstBandId);
    });
  }
  std::string question, help;
  TestDriver ui;
};

TEST_F(BandTableWords, InGerman) {
  OpenTable(1);
  EXPECT_EQ(question, "Systemvorgaben wiederherstellen. Sicher?");
  EXPECT_EQ(help.rfind("Mit dieser Taste werden die Systemvorgaben dieser Tabelle wiederhergestellt, nämlich:"_cp, 0),
            0u)
      << help;
}

TEST_F(BandTableWords, InEnglish) {
  OpenTable(2);
  EXPECT_EQ(question, "Restore the system defaults. Sure?");
  EXPECT_EQ(help.rfind("Use this button to restore the system defaults of this table, which are:", 0), 0u) << help;
}

TEST_F(BandTableWords, InItalian) {
  OpenTable(0);
  EXPECT_EQ(question, "Ripristino dei valori predefiniti di sistema. Sicuro?");
  EXPECT_EQ(help.rfind("Usare questo pulsante per rispristinare i valori predefiniti dal sistema", 0), 0u) << help;
}

}  // namespace
