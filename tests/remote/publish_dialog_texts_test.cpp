// The publishing question of the processing menu in the running program, in
// each of the three languages: its title and captions, the memo line that
// takes two hundred characters at most and starts with the keyboard, and the
// message that follows a publication or a withdrawal word for word (where
// the export went, and that it is not sent).
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "board/processing_menu.h"
#include "remote/publish_dialog.h"
#include "remote_test_support.h"
#include "schooldata/ui_school_model.h"

namespace {

using namespace kt_remote_test;
using P = Cpubblica;

class PublishDialogTexts : public RemoteProgram {
 protected:
  void SetUp() override {
    RemoteProgram::SetUp();
    write(school() / "savego.txt", read(fs::path(KT_TEST_DATA) / "savefiles" / "piccola-savego.txt"));
  }
  // Opens the question from the processing menu; `step` runs in it.
  void Question(const std::function<void(Dialog&)>& step) {
    alfadlg_go_to_page(kPageProcessingMenu);
    ASSERT_EQ(g_current_page, &g_processing_menu);
    ui.AnswerNextModal(kIdYes);  // the timetable's state question
    ui.OnNextModal([&](Dialog& d) {
      EXPECT_EQ(d.template_id(), P::kTemplate);
      step(d);
    });
    ui.Click(g_processing_menu, Cmakedibi::kPublishId);
    EXPECT_EQ(ui.PendingSteps(), 0u);
  }
};

TEST_F(PublishDialogTexts, TitleAndCaptionsInTheUsersLanguage) {
  const struct {
    int button;
    const char* title;
    std::map<int, std::string> captions;
    const char* note_start;
  } languages[] = {
      {CPlenixDlg::kItalian, "Pubblica l'orario",
       {{P::kPromptId, "Nota da pubblicare con l'orario (facoltativa):"},
        {P::kPublishId, "Pubblica l'orario"},
        {P::kWithdrawId, "Ritira l'orario pubblicato"},
        {kIdCancel, "[Esc] Annulla"}},
       "Il file di pubblicazione si scrive nella cartella Orario della scuola"},
      {CPlenixDlg::kGerman, "Stundenplan ver\xF6" "ffentlichen",
       {{P::kPromptId, "Notiz zur Ver\xF6" "ffentlichung des Stundenplans (freiwillig):"},
        {P::kPublishId, "Stundenplan ver\xF6" "ffentlichen"},
        {P::kWithdrawId, "Ver\xF6" "ffentlichten Stundenplan zur\xFC" "ckziehen"},
        {kIdCancel, "[Esc] Abbrechen"}},
       "Die Ver\xF6" "ffentlichungsdatei wird im Ordner Orario der Schule geschrieben"},
      {CPlenixDlg::kEnglish, "Publish the timetable",
       {{P::kPromptId, "Note to publish with the timetable (optional):"},
        {P::kPublishId, "Publish the timetable"},
        {P::kWithdrawId, "Withdraw the published timetable"},
        {kIdCancel, "[Esc] Cancel"}},
       "The publishing file is written into the school's Orario folder"},
  };
  Run([&] {
    for (const auto& l : languages) {
      ASSERT_TRUE(ui.Click(g_home_page, l.button));
      Question([&](Dialog& d) {
        EXPECT_EQ(d.GetWindowText(), l.title);
        for (const auto& [id, text] : l.captions) EXPECT_EQ(ui.Text(d, id), text) << l.title << " " << id;
        EXPECT_EQ(ui.Text(d, P::kNoteId).rfind(l.note_start, 0), 0u) << ui.Text(d, P::kNoteId);
        EXPECT_TRUE(ui.HasFocus(d, P::kMemoId)) << l.title;
        EXPECT_EQ(ui.Text(d, P::kMemoId), "") << l.title;
        ui.Key(kVkEscape);
      });
      alfadlg_go_to_page(kPageHome);
    }
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kItalian));
  });
}

TEST_F(PublishDialogTexts, TheMemoTakesTwoHundredCharacters) {
  std::string shown;
  Run([&] {
    Question([&](Dialog& d) {
      ui.Type(d, P::kMemoId, std::string(250, 'm'));
      shown = ui.Text(d, P::kMemoId);
      ui.Key(kVkEscape);
    });
  });
  EXPECT_EQ(shown, std::string(P::kMemoMax, 'm'));
  EXPECT_EQ(P::kMemoMax, 200);
}

TEST_F(PublishDialogTexts, TheMessageSaysWhereTheExportIsAndThatItIsNotSent) {
  const struct {
    int language;
    int answer;
    const char* start;
    const char* end;
  } cases[] = {
      {CPlenixDlg::kItalian, P::kPublishId, "Orario pronto per la pubblicazione:\r\n",
       "\r\n\r\nL'invio ai server di KestrinTempus non \xE8 disponibile in questa versione del programma: consegnate "
       "il file a chi pubblica l'orario."},
      {CPlenixDlg::kItalian, P::kWithdrawId, "Ritiro dell'orario pubblicato pronto:\r\n",
       "\r\n\r\nL'invio ai server di KestrinTempus non \xE8 disponibile in questa versione del programma: consegnate "
       "il file a chi pubblica l'orario."},
      {CPlenixDlg::kEnglish, P::kPublishId, "Timetable ready for publishing:\r\n",
       "\r\n\r\nSending to the KestrinTempus servers is not available in this version of the program: hand the file "
       "to whoever publishes the timetable."},
      {CPlenixDlg::kEnglish, P::kWithdrawId, "Withdrawal of the published timetable ready:\r\n",
       "\r\n\r\nSending to the KestrinTempus servers is not available in this version of the program: hand the file "
       "to whoever publishes the timetable."},
      {CPlenixDlg::kGerman, P::kWithdrawId, "R\xFC" "cknahme des ver\xF6" "ffentlichten Stundenplans bereit:\r\n",
       "\r\n\r\nDas Senden an die Server von KestrinTempus ist in dieser Version des Programms nicht verf\xFC" "gbar: "
       "geben Sie die Datei dem, der den Stundenplan ver\xF6" "ffentlicht."},
  };
  Run([&] {
    for (const auto& c : cases) {
      ASSERT_TRUE(ui.Click(g_home_page, c.language));
      std::string said;
      Question([&](Dialog& d) {
        AnswerBox(&said);
        ui.Click(d, c.answer);
      });
      const std::string file = "Export_" + std::string(g_ui_header.school_code) + ".txt";
      EXPECT_EQ(said.rfind(c.start, 0), 0u) << said;
      ASSERT_GE(said.size(), std::string(c.end).size()) << said;
      EXPECT_EQ(said.substr(said.size() - std::string(c.end).size()), c.end) << said;
      std::string where = said.substr(std::string(c.start).size(),
                                      said.size() - std::string(c.start).size() - std::string(c.end).size());
      EXPECT_EQ(where.size() >= file.size() ? where.substr(where.size() - file.size()) : where, file) << where;
      EXPECT_NE(where.find("Orario"), std::string::npos) << where;
      EXPECT_TRUE(fs::exists(school() / "Orario" / file)) << file;
      alfadlg_go_to_page(kPageHome);
    }
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kItalian));
  });
}

}  // namespace
