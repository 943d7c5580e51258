// The remote services' windows in the running program, word for word in
// each language: titles, notices, request and close buttons, the monitor's
// columns; the call-back dialog hidden and shown by its commands and never
// made only to be hidden; the console made again after a reset; the
// monitor's refresh keeping its list empty with its notice; the remote
// processing strip made again in the panel's language; a restored monitor
// staying where it is when the frame moves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "remote/service_windows.h"
#include "remote_test_support.h"
#include "shell/home_page.h"

namespace {

using namespace kt_remote_test;
using R = CRemoteWindow;

struct Words {
  std::string title, notice_start, request, close;
};

class ServiceWindowsTexts : public RemoteProgram {
 protected:
  Words Read(CRemoteWindow& w) {
    std::string notice = ui.Text(w, R::kNoticeId);
    return {w.GetWindowText(), notice, ui.Text(w, R::kRequestId), ui.Text(w, R::kCloseId)};
  }
};

TEST_F(ServiceWindowsTexts, EachWindowSpeaksTheUsersLanguage) {
  const int buttons[3] = {CPlenixDlg::kItalian, CPlenixDlg::kGerman, CPlenixDlg::kEnglish};
  const Words console[3] = {
      {"Assistenza On Line", "Assistenza On Line.\r\n\r\nL'assistenza On Line non \xE8 disponibile", "Invia",
       "Chiudi questa finestra"},
      {"On Line Assistenz", "On Line Assistenz.\r\n\r\nDie Online-Hilfe ist in dieser Version", "Senden",
       "Dieses Fenster schlie\xDF" "en"},
      {"On Line Assistance", "On Line Assistance.\r\n\r\nOn-line assistance is not available", "Send",
       "Close this window"}};
  const Words phone[3] = {
      {"Richiesta di chiamata", "Richiesta di essere richiamati dall'assistenza.", "Richiedi la chiamata",
       "Chiudi questa finestra"},
      {"R\xFC" "ckrufanfrage", "Anfrage f\xFCr einen R\xFC" "ckruf.", "R\xFC" "ckruf anfordern",
       "Dieses Fenster schlie\xDF" "en"},
      {"Call-back request", "Request to be called back by the support staff.", "Request the call",
       "Close this window"}};
  const Words monitor[3] = {
      {"Elaborazioni remote", "Elaborazioni dell'orario sui server di KestrinTempus: nessuna.", "Aggiorna l'elenco",
       "Chiudi questa finestra"},
      {"Entfernte Verarbeitungen", "Berechnungen des Stundenplans auf den Servern von KestrinTempus: keine.",
       "Liste erneuern", "Dieses Fenster schlie\xDF" "en"},
      {"Remote computations", "Timetable computations on the KestrinTempus servers: none.", "Refresh the list",
       "Close this window"}};
  const std::vector<std::string> columns[3] = {
      {"Elaborazione", "Stato"}, {"Verarbeitung", "Zustand"}, {"Computation", "State"}};
  const char* strip[3] = {"Elaborazione remota", "Entfernte Verarbeitung", "Remote computation"};
  const char* video[3] = {"Video presentazione", "Videovorstellung", "Video presentation"};
  const char* back[3] = {"[Esc] Ritorna", ("[Esc] Zur\xFC" "ck"), "[Esc] Back"};
  Run([&] {
    for (int language = 0; language < 3; ++language) {
      SCOPED_TRACE(language);
      ASSERT_TRUE(ui.Click(g_home_page, buttons[language]));
      ui.Click(g_frame, 1780);  // the assistance button
      krv_show_callback_dialog(5);
      ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kRemoteReport));
      const std::pair<CRemoteWindow*, const Words*> windows[] = {
          {&g_krv_console, &console[language]}, {&g_krv_phone, &phone[language]}, {&g_tulm_monitor, &monitor[language]}};
      for (const auto& [window, words] : windows) {
        ASSERT_TRUE(window->IsWindowVisible()) << words->title;
        Words seen = Read(*window);
        EXPECT_EQ(seen.title, words->title);
        EXPECT_EQ(seen.notice_start.rfind(words->notice_start, 0), 0u) << seen.notice_start;
        EXPECT_EQ(seen.request, words->request);
        EXPECT_EQ(seen.close, words->close);
        ui.Click(*window, R::kCloseId);
        EXPECT_FALSE(window->IsWindowVisible()) << words->title;
      }
      std::vector<std::string> headings;
      for (int c = 0; c < g_tulm_monitor.m_list.GetColumnCount(); ++c)
        headings.push_back(g_tulm_monitor.m_list.GetColumnHeading(c));
      EXPECT_EQ(headings, columns[language]);
      // The launcher panel, made again by a page command, brings the strip in its language.
      alfadlg_go_to_page(kPageHome);
      ASSERT_TRUE(g_tulm_open.IsCreated());
      EXPECT_EQ(ui.Text(g_tulm_open, R::kRequestId), strip[language]);
      EXPECT_TRUE(g_tulm_open.IsWindowVisible());
      std::string title, said_back;
      ui.OnNextModal([&](Dialog& d) {
        title = d.GetWindowText();
        said_back = ui.Text(d, kIdCancel);
        ui.Key(kVkEscape);
      });
      ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kVideo));
      EXPECT_EQ(title, video[language]);
      EXPECT_EQ(said_back, back[language]);
    }
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kItalian));
  });
}

TEST_F(ServiceWindowsTexts, CallBackAndConsoleComeAndGoByTheirCommands) {
  Run([&] {
    // Hidden by its command, shown again, and gone when destroyed.
    krv_show_callback_dialog(5);
    ASSERT_TRUE(g_krv_phone.IsWindowVisible());
    krv_show_callback_dialog(0);
    EXPECT_FALSE(g_krv_phone.IsWindowVisible());
    EXPECT_TRUE(g_krv_phone.IsCreated());
    krv_show_callback_dialog(5);
    EXPECT_TRUE(g_krv_phone.IsWindowVisible());
    krv_destroy_callback_dialog();
    EXPECT_FALSE(g_krv_phone.IsWindow());
    EXPECT_FALSE(g_krv_phone.IsCreated());
    // None is made to be hidden; one is made to be shown.
    krv_show_callback_dialog(0);
    EXPECT_FALSE(g_krv_phone.IsCreated());
    krv_show_callback_dialog(5);
    EXPECT_TRUE(g_krv_phone.IsCreated());
    EXPECT_TRUE(g_krv_phone.IsWindowVisible());
    EXPECT_EQ(g_krv_phone.GetOwner(), &g_frame);
    ui.Click(g_krv_phone, R::kCloseId);

    // The console reset goes; the assistance opens a new one, visible and
    // with its text.
    krv_reset_console();
    EXPECT_FALSE(g_krv_console.IsWindow());
    EXPECT_FALSE(g_krv_console.IsCreated());
    krv_bring_console_forward();
    EXPECT_FALSE(g_krv_console.IsCreated()) << "nothing to bring forward";
    ui.Click(g_frame, 1780);
    ASSERT_TRUE(g_krv_console.IsCreated());
    EXPECT_TRUE(g_krv_console.IsWindowVisible());
    EXPECT_EQ(ui.Text(g_krv_console, R::kNoticeId).rfind("Assistenza On Line.", 0), 0u);
    ui.Click(g_krv_console, R::kCloseId);
    EXPECT_FALSE(g_krv_console.IsWindowVisible());

    // The monitor's refresh keeps its list empty and says why.
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kRemoteReport));
    std::string said;
    AnswerBox(&said);
    ui.Click(g_tulm_monitor, R::kRequestId);
    EXPECT_EQ(said, krv_not_available_text().Get());
    EXPECT_EQ(g_tulm_monitor.m_list.GetItemCount(), 0);
    EXPECT_EQ(ui.Text(g_tulm_monitor, R::kNoticeId).rfind("Elaborazioni dell'orario sui server", 0), 0u);
    // A monitor shown normally stays where it is when the frame is dragged.
    Rect before = g_tulm_monitor.GetWindowRect();
    g_frame.SendMessage(kMsgSysCommand, 0xF012, 0);
    EXPECT_EQ(g_tulm_monitor.GetWindowRect(), before);
    ui.Click(g_tulm_monitor, R::kCloseId);
  });
}

}  // namespace
