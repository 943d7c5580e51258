// The guide windows and the assistance entry points. Each guide is made once
// while it is open, closed by its button (and made again afterwards),
// captioned with its subject and showing its text in the user's language,
// its contents set in the window with even margins. The assistance of the
// support window (on-line chat, call-back request) and the web pages are not
// reached by this program: each says so, in the user's language.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/test_driver.h"
#include "remote/guide_windows.h"
#include "remote/service_windows.h"
#include "remote_test_support.h"
#include "shell/frame_hooks.h"
#include "shell/message_box.h"
#include "shell/status_file.h"
#include "structure/support_contact.h"
#include "template_alignment.h"

namespace {

using namespace kt::ui;

struct Guide {
  const char* id;
  CGuideWindow* window;
  const char* caption;
  const char* italian;  // how its text begins
  const char* english;
};

Clegslaco g_laco;
Clegsimco g_imco;

std::vector<Guide> guides() {
  return {
      {"menu", &g_guide_menu, "Configurazioni particolari", "Configurazioni particolari.", "Special configurations."},
      {"saba", &g_guide_saba, "Sabato libero e rientri pomeridiani", "Sabato libero e rientri pomeridiani.",
       "Free Saturday"},
      {"ipay", &g_guide_ipay, "Ore di laboratorio parzialmente assistite", "Ore di laboratorio parzialmente assistite",
       "Partly assisted"},
      {"arti", &g_guide_arti, "Classi articolate", "Classi articolate", "Combined classes"},
      {"grul", &g_guide_grul, "Gruppi all'interno delle classi", "Gruppi all'interno delle classi", "Subgroups inside classes"},
      {"laco", &g_laco, "Compresenze", "Per unire due ore frontali in compresenza", "To join"},
      {"imco", &g_imco, "Importare i dati", "Se la scuola utilizza un altro programma", "When the school uses another program"},
      {"gene", &g_guide_gene, "Come iniziare", "Come iniziare.", "How to start."},
      {"trasfe", &g_guide_trasfe, "Trasferire i dati su un altro computer", "Trasferire i dati su un altro computer",
       "Moving the data"},
      {"xls", &g_guide_xls, "Esempio di file Excel (R) per l'importazione iniziale delle cattedre",
       "Esempio di file Excel (R) per l'importazione iniziale delle cattedre", "Example of an Excel"},
  };
}

class Guides : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const Guide& g : guides())
      if (g.window->IsWindow()) g.window->DestroyWindow();
    g_language = 0;
  }
  TestDriver ui;
};

TEST_F(Guides, EachIsMadeOnceAndClosedByItsButton) {
  for (const Guide& g : guides()) {
    SCOPED_TRACE(g.id);
    ASSERT_EQ(g.window->Create(), 1);
    EXPECT_TRUE(g.window->IsCreated());
    EXPECT_EQ(g.window->Create(), 0) << "no second window while it is open";
    g.window->Open();
    EXPECT_TRUE(g.window->IsWindowVisible());
    ui.Click(*g.window, CGuideWindow::kCloseId);
    EXPECT_FALSE(g.window->IsWindow());
    EXPECT_FALSE(g.window->IsCreated());
    g.window->Open();  // made again after closing
    EXPECT_TRUE(g.window->IsWindow() && g.window->IsWindowVisible());
    g.window->ClearCreated();  // as a page does on entry: the next request makes it again
    EXPECT_FALSE(g.window->IsCreated());
    g.window->DestroyWindow();
  }
  EXPECT_TRUE(ui.Problems().empty());
}

// Esc and Enter close a guide as its button does: the window goes and the
// next request makes it again.
TEST_F(Guides, EscAndEnterCloseItAsItsButtonDoes) {
  for (const Guide& g : guides()) {
    for (int key : {kVkEscape, kVkReturn}) {
      SCOPED_TRACE(std::string(g.id) + (key == kVkEscape ? " Esc" : " Enter"));
      g.window->Open();
      ASSERT_TRUE(g.window->IsWindowVisible());
      g.window->SetFocus();
      EXPECT_TRUE(ui.Key(key));
      EXPECT_FALSE(g.window->IsWindow());
      EXPECT_FALSE(g.window->IsCreated());
      EXPECT_EQ(g.window->Create(), 1) << "made again";
      g.window->DestroyWindow();
      g.window->ClearCreated();
    }
  }
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(Guides, CaptionAndTextSayTheirSubjectInTheUsersLanguage) {
  for (int language : {0, 2}) {
    g_language = language;
    for (const Guide& g : guides()) {
      SCOPED_TRACE(std::string(g.id) + " " + std::to_string(language));
      g.window->Open();
      ASSERT_TRUE(g.window->IsWindow());
      if (language == 0) {
        EXPECT_EQ(g.window->GetWindowText(), g.caption);
      }
      std::string text = ui.Text(*g.window, CGuideWindow::kTextId);
      const char* start = language == 0 ? g.italian : g.english;
      EXPECT_EQ(text.rfind(start, 0), 0u) << text.substr(0, 80);
      g.window->DestroyWindow();
      g.window->ClearCreated();
    }
  }
}

// The pane and the buttons sit inside the window with the same margin on
// every side (in dialog units of the template).
TEST_F(Guides, ContentsSitWithEvenMargins) {
  ui_register_guide_templates();
  for (const Guide& g : guides()) {
    SCOPED_TRACE(g.id);
    const DialogTemplate* t = find_dialog_template(g.window->template_id());
    ASSERT_NE(t, nullptr);
    int left = 1 << 20, top = 1 << 20, right = 0, bottom = 0;
    for (const ControlTemplate& c : t->controls) {
      left = std::min(left, c.x);
      top = std::min(top, c.y);
      right = std::max(right, c.x + c.cx);
      bottom = std::max(bottom, c.y + c.cy);
    }
    EXPECT_EQ(left, top);
    EXPECT_EQ(t->cx - right, left) << "right margin";
    EXPECT_EQ(t->cy - bottom, top) << "bottom margin";
  }
}

// No control of a guide slips by one unit from the one it lines up with.
TEST_F(Guides, NoControlSlipsByOneUnit) {
  ui_register_guide_templates();
  std::vector<int> ids;
  for (const Guide& g : guides()) ids.push_back(g.window->template_id());
  EXPECT_EQ(template_alignment::problems_of(ids), "");
}

// The archive-import notice: wanted until its button is pressed (bit 0 of
// the preference only; the other bits say nothing about it).
TEST_F(Guides, TheImportNoticeIsWantedUntilItsButtonIsPressed) {
  std::uint8_t saved = g_hint_flags;
  g_hint_flags = 2;
  EXPECT_TRUE(Clegsimco::Wanted());
  ASSERT_EQ(g_imco.Create(), 1);
  g_imco.ShowWindow(kSwShow);
  ui.Click(g_imco, CGuideWindow::kCloseId);
  EXPECT_TRUE(Clegsimco::Wanted()) << "closing is not an answer";
  ASSERT_EQ(g_imco.Create(), 1);
  g_imco.ShowWindow(kSwShow);
  ui.Click(g_imco, CGuideWindow::kUnderstoodId);
  EXPECT_FALSE(g_imco.IsWindow());
  EXPECT_FALSE(Clegsimco::Wanted());
  EXPECT_EQ(g_hint_flags, 3) << "the other bits stay";
  g_hint_flags = saved;
}

// The support window of the running program ("@Ho bisogno di assistenza"):
// its chat and call-back buttons open the assistance console and the
// call-back dialog, whose text says in the user's language that the service
// is not available, and whose request says so again.
class Assistance : public kt_remote_test::RemoteProgram {};

TEST_F(Assistance, ChatAndCallBackSayTheyAreNotAvailable) {
  struct Case {
    int language;
    int button;
    CRemoteWindow* opened;
    const char* said;
  } cases[] = {
      {0, Cemergex::kChatIds[0], &g_krv_console,
       "L'assistenza On Line non \xE8 disponibile in questa versione del programma"},
      {0, Cemergex::kBookCallIds[0], &g_krv_phone,
       "La prenotazione di una chiamata telefonica non \xE8 disponibile in questa versione del programma."},
      {2, Cemergex::kChatIds[1], &g_krv_console, "On-line assistance is not available in this version of the program"},
      {2, Cemergex::kBookCallIds[1], &g_krv_phone,
       "Booking a call-back is not available in this version of the program."},
  };
  Run([&] {
    ASSERT_TRUE(ui.Click(g_frame, 1779));
    auto* support = dynamic_cast<Cemergex*>(Window::GetActiveWindow());
    ASSERT_NE(support, nullptr);
    for (const Case& c : cases) {
      if (c.language != g_language) {
        ASSERT_TRUE(ui.Click(g_home_page, c.language == 2 ? CPlenixDlg::kEnglish : CPlenixDlg::kItalian));
        ASSERT_EQ(g_language, c.language);
      }
      c.opened->ShowWindow(kSwHide);
      ASSERT_TRUE(ui.Click(*support, c.button)) << c.said;
      ASSERT_TRUE(c.opened->IsCreated()) << c.said;
      EXPECT_TRUE(c.opened->IsWindowVisible()) << c.said;
      std::string notice = ui.Text(*c.opened, CRemoteWindow::kNoticeId);
      EXPECT_NE(notice.find(c.said), std::string::npos) << notice;
      std::string box;
      AnswerBox(&box);
      ui.Click(*c.opened, CRemoteWindow::kRequestId);
      EXPECT_EQ(box, krv_not_available_text().Get()) << c.said;
      EXPECT_EQ(ui.PendingSteps(), 0u) << "one box";
      ui.Click(*c.opened, CRemoteWindow::kCloseId);
    }
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kItalian));
    // Hiding the call-back dialog says nothing; when it does not exist none
    // is made to be hidden.
    std::size_t before = ui.boxes().size();
    krv_show_callback_dialog(5);
    EXPECT_TRUE(g_krv_phone.IsWindowVisible());
    krv_show_callback_dialog(0);
    EXPECT_FALSE(g_krv_phone.IsWindowVisible());
    krv_destroy_callback_dialog();
    krv_show_callback_dialog(0);
    EXPECT_FALSE(g_krv_phone.IsCreated());
    EXPECT_EQ(ui.boxes().size(), before);
    ASSERT_TRUE(ui.Click(*support, Cemergex::kCloseId));
  });
}

TEST_F(Assistance, TheWebPagesSayTheyAreNotAvailable) {
  for (int page : {0, 3}) {
    ui.AnswerNextModal(kIdOk);
    ui_open_web_page(page);
    ASSERT_FALSE(ui.boxes().empty());
    EXPECT_EQ(ui.boxes().back().texts.at(0),
              "Il forum e le pagine del programma sul web non sono disponibili in questa versione del programma.");
  }
}

}  // namespace
