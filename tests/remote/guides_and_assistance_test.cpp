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

class Assistance : public ::testing::Test {
 protected:
  void SetUp() override { ui_register_toolkit_templates(); }
  void TearDown() override {
    g_language = 0;
    g_process_number = 0;
    if (window_.IsWindow()) window_.DestroyWindow();
  }
  // Clicks a button of the support window; the texts of the boxes it shows.
  std::vector<std::string> Press(int id) {
    std::size_t before = ui.boxes().size();
    if (!window_.IsWindow()) {
      EXPECT_EQ(window_.Create(nullptr), 1);
      window_.ShowWindow(kSwShow);
    }
    ui.AnswerNextModal(kIdOk);
    EXPECT_TRUE(ui.Click(window_, id)) << id;
    EXPECT_EQ(ui.PendingSteps(), 0u) << "one box";
    std::vector<std::string> texts;
    for (std::size_t i = before; i < ui.boxes().size(); ++i) texts.push_back(ui.boxes()[i].texts.at(0));
    return texts;
  }
  TestDriver ui;
  Cemergex window_;
};

TEST_F(Assistance, ChatAndCallBackSayTheyAreNotAvailable) {
  struct Case {
    int language;
    int button;
    const char* said;
  } cases[] = {
      {0, Cemergex::kChatIds[0], "L'assistenza On Line non \xE8 disponibile in questa versione del programma."},
      {2, Cemergex::kChatIds[1], "On-line assistance is not available in this version of the program."},
      {0, Cemergex::kBookCallIds[0],
       "La prenotazione di una chiamata telefonica non \xE8 disponibile in questa versione del programma."},
      {2, Cemergex::kBookCallIds[1], "Booking a call-back is not available in this version of the program."},
  };
  for (const Case& c : cases) {
    g_language = c.language;
    EXPECT_EQ(Press(c.button), std::vector<std::string>{c.said}) << c.button;
  }
  // Hiding the call-back dialog, which does not exist, says nothing.
  std::size_t before = ui.boxes().size();
  krv_show_callback_dialog(0);
  EXPECT_EQ(ui.boxes().size(), before);
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
