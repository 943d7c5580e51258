// The publishing export, from the processing menu of the desktop program on
// copies of the small sample school (the timetable's state question answered
// yes, the publishing question with "publish" and no memo): with a saved
// timetable the export "Export_<code>.txt" alone is written and the user is
// told where, in his language; the school's code, memo and delete flag
// serve that run only; a school without a code, or a run that fails, writes
// nothing and says why.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "board/processing_menu.h"
#include "remote/publish_dialog.h"
#include "remote_test_support.h"
#include "reports/report_run.h"
#include "schooldata/ui_school_model.h"

namespace {

using namespace kt_remote_test;
using M = Cmakedibi;

class Publishing : public RemoteProgram {
 protected:
  void WithSavedWeek() {
    write(school() / "savego.txt", read(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt"));
  }
  // Publishes from the processing menu; the text of the box that follows.
  std::string Publish() {
    std::string said;
    alfadlg_go_to_page(kPageProcessingMenu);
    EXPECT_EQ(g_current_page, &g_processing_menu);
    // The sample's state bytes say the program never computed its timetable:
    // the menu asks first.
    ui.AnswerNextModal(kIdYes);
    ui.OnNextModal([&](Dialog& d) {
      EXPECT_EQ(d.template_id(), Cpubblica::kTemplate);
      AnswerBox(&said);
      ui.Click(d, Cpubblica::kPublishId);
    });
    ui.Click(g_processing_menu, M::kPublishId);
    return said;
  }
  std::string Code() { return g_ui_header.school_code; }
};

TEST_F(Publishing, WritesOnlyTheExportAndSaysWhere) {
  WithSavedWeek();
  std::string said[2], code;
  std::set<std::string> written;
  Run([&] {
    said[0] = Publish();
    code = Code();
    EXPECT_EQ(g_publish_school_code[0], '\0') << "the code serves the publishing run only";
    EXPECT_EQ(g_publish_memo[0], '\0');
    EXPECT_EQ(g_publish_delete, 0);
    for (const auto& e : fs::directory_iterator(school() / "Orario")) written.insert(e.path().filename().string());
    g_language = 2;
    said[1] = Publish();
    g_language = 0;
  });
  ASSERT_FALSE(code.empty());
  std::string name = "Export_" + code + ".txt";
  // The export named relative to the school folder, as this system writes
  // paths, and the sending that this program does not do.
  EXPECT_EQ(said[0], "Orario pronto per la pubblicazione:\r\nOrario/" + name +
                         "\r\n\r\nL'invio ai server di KestrinTempus non \xE8 disponibile in questa versione del "
                         "programma: consegnate il file a chi pubblica l'orario.");
  EXPECT_EQ(said[1], "Timetable ready for publishing:\r\nOrario/" + name +
                         "\r\n\r\nSending to the KestrinTempus servers is not available in this version of the "
                         "program: hand the file to whoever publishes the timetable.");
  std::string text = read(school() / "Orario" / name);
  EXPECT_EQ(text.rfind("#SCHOOL:" + code + ":Scuola Media Giuseppe Verdi\n", 0), 0u) << text;
  EXPECT_NE(text.find("\n#MEMO: \n"), std::string::npos) << "no memo given";
  EXPECT_EQ(text.find("#DELETE:"), std::string::npos) << "publishing never deletes what was published";
  EXPECT_EQ(written.count(name), 1u);
  EXPECT_EQ(written.count("Orario Classi.txt"), 0u) << "a publishing run writes the export, not the reports";
}

TEST_F(Publishing, ASchoolWithoutACodeIsNotPublished) {
  WithSavedWeek();
  std::string description = read(school() / "scuola2.txt");
  const std::string line = "REM:CNL06V4107512_PEKVERDI_7QH2M0XK4TZ9B1RDE|Secondaria di I grado|";
  std::size_t at = description.find(line);
  ASSERT_NE(at, std::string::npos);
  description.replace(at, line.size(), "REM:");
  write(school() / "scuola2.txt", description);
  std::string said;
  Run([&] { said = Publish(); });
  EXPECT_EQ(said, "La scuola non ha un codice: l'orario non puo' essere pubblicato.");
  EXPECT_FALSE(fs::exists(school() / "Orario"));
}

// A run that fails (the saved timetable cannot be written: a folder stands
// in its place) shows the engine's message only, and no export is left.
TEST_F(Publishing, AFailedRunShowsOnlyTheEnginesMessage) {
  fs::create_directories(school() / "savego.txt");
  std::string said;
  Run([&] {
    said = Publish();
    EXPECT_EQ(ui.PendingSteps(), 0u) << "no second box after the engine's";
  });
  EXPECT_EQ(said.find("pronto per la pubblicazione"), std::string::npos) << said;
  EXPECT_NE(said.find("savego.txt"), std::string::npos) << said;
  bool exported = false;
  if (fs::exists(school() / "Orario"))
    for (const auto& e : fs::directory_iterator(school() / "Orario"))
      exported = exported || e.path().filename().string().rfind("Export_", 0) == 0;
  EXPECT_FALSE(exported);
}

}  // namespace
