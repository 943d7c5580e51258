// The message after a publication from the processing menu, in German: it
// says, with the German letters the rest of the message uses, that the
// timetable is ready for publishing and where its export file went.
#include <gtest/gtest.h>

#include <string>

#include "board/processing_menu.h"
#include "platform/cp1252.h"
#include "remote/publish_dialog.h"
#include "remote_test_support.h"
#include "schooldata/ui_school_model.h"

namespace {

using namespace kt_remote_test;
using P = Cpubblica;

class PublishGerman : public RemoteProgram {
 protected:
  void SetUp() override {
    RemoteProgram::SetUp();
    write(school() / "savego.txt", read(fs::path(KT_TEST_DATA) / "savefiles" / "piccola-savego.txt"));
  }
};

TEST_F(PublishGerman, ReadyMessageSpellsVeroeffentlichungWithItsUmlaut) {
  const std::string start = "Stundenplan zur Veröffentlichung bereit:\r\n"_cp;
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kGerman));
    alfadlg_go_to_page(kPageProcessingMenu);
    ASSERT_EQ(g_current_page, &g_processing_menu);
    std::string said;
    ui.AnswerNextModal(kIdYes);  // the timetable's state question
    ui.OnNextModal([&](Dialog& d) {
      AnswerBox(&said);
      ui.Click(d, P::kPublishId);
    });
    ui.Click(g_processing_menu, Cmakedibi::kPublishId);
    const std::string file = "Export_" + std::string(g_ui_header.school_code) + ".txt";
    EXPECT_EQ(said.rfind(start, 0), 0u) << said;
    EXPECT_NE(said.find(file, start.size()), std::string::npos) << said;
    EXPECT_TRUE(fs::exists(school() / "Orario" / file)) << file;
    alfadlg_go_to_page(kPageHome);
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kItalian));
  });
}

}  // namespace
