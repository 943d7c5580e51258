// The home page's buttons, the notices of its first tick and a worker
// process hiding the frame.
#include "failing_reads.h"
#include "fresh_process.h"
#include "frame_test_support.h"
#include "platform/cp1252.h"
#include "schooldata/ui_school_model.h"
#include "shell/corner_windows.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using H = CPlenixDlg;

class HomePage : public FrameInDataRoot {
 protected:
  void SetUp() override {
    FrameInDataRoot::SetUp();
    g_desktop_launcher = [this](const std::vector<std::string>& argv, int*) {
      opened.push_back(argv);
      return true;
    };
  }
  void TearDown() override {
    g_desktop_launcher = nullptr;
    FrameInDataRoot::TearDown();
  }
  std::vector<std::vector<std::string>> opened;
};

TEST_F(HomePage, ShowsFolderAndDescription) {
  g_language = 1;
  OpenFrame();
  EXPECT_EQ(ui.Text(g_home_page, H::kDescriptionId), "Beschreibung der Schule Abwesend");  // the data root
  g_frame.DestroyWindow();
  g_language = 0;
  EnterSchool();
  OpenFrame();
  // The folder as it is on disk, not in the program's Windows form.
  fs::path real = data_root() / "piccola";
  EXPECT_EQ(ui.Text(g_home_page, H::kFolderId), real.string());
  EXPECT_NE(ui.Text(g_home_page, H::kDescriptionId), "Descrizione Orario Assente");
  EXPECT_EQ(ui.Text(g_home_page, H::kVersionId),
            "KestrinTempus - Release 6.1.M - Dicembre 2016 [" + real.string() + "]");
  Rect before = g_frame.GetWindowRect();
  g_frame.MoveWindow(Rect{40, 30, 40 + before.Width(), 30 + before.Height()});
  EXPECT_TRUE(ui.Click(g_home_page, H::kTopLeft));  // the frame goes to the screen's corner
  EXPECT_EQ(g_frame.GetWindowRect(), (Rect{0, 0, before.Width(), before.Height()}));
}

TEST_F(HomePage, LanguageButtons) {
  OpenFrame();
  ui.ClearBeeps();
  EXPECT_TRUE(ui.Click(g_home_page, H::kItalian));
  EXPECT_EQ(ui.beeps(), 1);
  EXPECT_TRUE(ui.Click(g_home_page, H::kGerman));
  EXPECT_EQ(g_language, 1);
  EXPECT_EQ(g_current_page, &g_home_page);  // made again in the new language
  EXPECT_EQ(g_busy_code, 0);
  EXPECT_TRUE(ui.IsEnabled(g_frame, 1773));  // the section buttons still answer
  ui.AnswerNextModal(1);
  EXPECT_TRUE(ui.Click(g_home_page, H::kFrench));
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0).rfind("French version will be released later.", 0), 0u);
  EXPECT_EQ(g_language, 2);
}

TEST_F(HomePage, ConfigurationNeedsSchool) {
  OpenFrame();
  ui.AnswerNextModal(1);
  EXPECT_TRUE(ui.Click(g_home_page, H::kConfiguration));
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0), "Selezionare una Cartella / Scuola prima di procedere");
  EXPECT_EQ(g_current_page, &g_home_page);
  EnterSchool();
  EXPECT_TRUE(ui.Click(g_home_page, H::kConfiguration));
  EXPECT_EQ(g_current_page_template, 137u);
  EXPECT_TRUE(ui.Click(g_frame, CAlfaDlg::kSectionIds[0]));  // "FILE Operazioni Iniziali"
  EXPECT_EQ(g_current_page, &g_home_page) << g_current_page_template;
  EXPECT_TRUE(ui.Click(g_home_page, H::kProcessing));
  EXPECT_EQ(g_current_page_template, 159u);
}

// Substitutions read the school again and run the syntax check; on a broken
// school the engine's message is shown, then the page's.
TEST_F(HomePage, SubstitutionsReadTheSchoolAndRunTheSyntaxCheck) {
  fs::path school = EnterSchool();
  OpenFrame();
  g_ui_settings.teacher_count = 0;
  ui.AnswerNextModal(1);
  EXPECT_TRUE(ui.Click(g_home_page, H::kSubstitutions));
  EXPECT_GT(+g_ui_settings.teacher_count, 0u);
  ASSERT_EQ(ui.boxes().size(), 1u);  // the step after the check, or the page not built yet
  EXPECT_EQ(g_current_page, &g_home_page);
  fs::remove(school / "scuola2.txt");
  ui.AnswerNextModal(1);
  ui.AnswerNextModal(1);
  EXPECT_TRUE(ui.Click(g_home_page, H::kSubstitutions));
  ASSERT_EQ(ui.boxes().size(), 3u);
  EXPECT_EQ(ui.boxes()[1].texts.at(0), ui.boxes()[2].texts.at(0));
}

// The notices are looked at once per process: watched in a fresh one.
TEST_F(HomePage, NoticesOnFirstTick) {
  fs::path school = EnterSchool();
  write(school / "Message.txt", "# commento\n");
  write(school / "Warning.txt", "Attenzione: nuova versione disponibile\n");
  KT_IN_FRESH_PROCESS({
    OpenFrame();
    ui.Advance(333);
    EXPECT_FALSE(fs::exists(school / "Message.txt"));  // nothing to show: deleted
    EXPECT_TRUE(fs::exists(school / "Warning.txt"));
    Cmessshow* shown = nullptr;
    for (Window* w : top_level_windows())
      if (w->IsWindowVisible() && dynamic_cast<Cmessshow*>(w)) shown = dynamic_cast<Cmessshow*>(w);
    ASSERT_NE(shown, nullptr);
    // Hidden with the minimised frame, the notice comes back on restore.
    shown->ShowWindow(kSwHide);
    g_home_page.SendMessage(kMsgSysCommand, kScRestore, 0);
    EXPECT_TRUE(shown->IsWindowVisible());
    g_corner.Remove(shown);
  });
}

// A notice whose file a read error stops before anything of it is read is
// not taken for an empty one and deleted unseen: it is shown, saying that
// it was not read whole, and its file stays.
TEST_F(HomePage, ANoticeThatCannotBeReadIsShownAndKept) {
  fs::path school = EnterSchool();
  write(school / "Message.txt", "Attenzione: aggiornamento da installare\n");
  KT_IN_FRESH_PROCESS({
    FailingFile::name = "Message.txt";
    FailingFile::after = 0;
    FailingFile::served = 0;
    g_line_byte_source = FailingFile::next_byte;
    OpenFrame();
    ui.Advance(333);
    EXPECT_TRUE(fs::exists(school / "Message.txt"));
    Cmessshow* shown = nullptr;
    for (Window* w : top_level_windows())
      if (w->IsWindowVisible() && dynamic_cast<Cmessshow*>(w)) shown = dynamic_cast<Cmessshow*>(w);
    ASSERT_NE(shown, nullptr);
    EXPECT_NE(shown->GetDlgItemText(Cmessshow::kTextId).find("Errore di lettura del file"), std::string::npos);
    g_corner.Remove(shown);
  });
}

// A notice closed with its Close button (its file kept for another run)
// does not come back on the next ticks; a worker process never shows one.
TEST_F(HomePage, ANoticeClosedStaysClosedAndWorkersShowNone) {
  fs::path school = EnterSchool();
  write(school / "Warning.txt", "Attenzione: nuova versione disponibile\n");
  auto shown_notice = [] {
    Cmessshow* shown = nullptr;
    for (Window* w : top_level_windows())
      if (w->IsWindowVisible() && dynamic_cast<Cmessshow*>(w)) shown = dynamic_cast<Cmessshow*>(w);
    return shown;
  };
  KT_IN_FRESH_PROCESS({
    OpenFrame();
    ui.Advance(333);
    Cmessshow* shown = shown_notice();
    ASSERT_NE(shown, nullptr);
    g_corner.Remove(shown);
    ASSERT_TRUE(ui.Click(*shown, Cmessshow::kCloseId));
    EXPECT_EQ(shown_notice(), nullptr);
    ui.Advance(1000);
    EXPECT_EQ(shown_notice(), nullptr);
    EXPECT_TRUE(fs::exists(school / "Warning.txt"));
  });
  KT_IN_FRESH_PROCESS({
    g_process_number = 2;
    OpenFrame();
    ui.Advance(2000);
    EXPECT_EQ(shown_notice(), nullptr);
    EXPECT_TRUE(fs::exists(school / "Warning.txt"));
  });
}

TEST_F(HomePage, CleanOutputKeepsUserFolders) {
  fs::path school = EnterSchool();
  fs::create_directories(school / "Orario" / "HTML");
  fs::create_directories(school / "Orario" / "mie note");
  fs::create_directories(school / "RisultatoTest");
  write(school / "Orario" / "HTML" / "a.htm", "x");
  write(school / "Orario" / "Classi.txt", "x");
  write(school / "Orario" / "mie note" / "tenere.txt", "x");
  write(school / "RisultatoTest" / "t.txt", "x");
  OpenFrame();
  EXPECT_TRUE(ui.Click(g_home_page, H::kCleanOutput));
  EXPECT_FALSE(fs::exists(school / "Orario" / "HTML"));
  EXPECT_FALSE(fs::exists(school / "Orario" / "Classi.txt"));
  EXPECT_TRUE(fs::exists(school / "Orario" / "mie note" / "tenere.txt"));
  EXPECT_FALSE(fs::exists(school / "RisultatoTest"));
  EXPECT_TRUE(fs::exists(school / "scuola2.txt"));
  ASSERT_EQ(opened.size(), 1u);  // then the folder in the file manager
  EXPECT_EQ(opened[0], (std::vector<std::string>{"xdg-open", school.string()}));
}

// The guide of the language opens from the data root; a missing one is
// named with the place it was looked for, and nothing is started.
TEST_F(HomePage, UserGuideOpensInDataRoot) {
  g_language = 2;
  OpenFrame();
  ui.AnswerNextModal(1);
  EXPECT_TRUE(ui.Click(g_home_page, H::kUserGuide));
  EXPECT_TRUE(opened.empty());
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0),
            "User guide not found: there is no file\n" + (data_root() / "KestrinTempus_Tutorial_Eng.pdf").string());
  write(data_root() / "KestrinTempus_Tutorial_Eng.pdf", "%PDF-1.4\n");
  EXPECT_TRUE(ui.Click(g_home_page, H::kUserGuide));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].back(), (data_root() / "KestrinTempus_Tutorial_Eng.pdf").string());
  EXPECT_EQ(ui.boxes().size(), 1u);
}

TEST_F(HomePage, WorkerHidesFrameOnFirstTick) {
  g_process_number = 2;
  OpenFrame();
  ui.Advance(1000);
  EXPECT_FALSE(g_frame.IsWindowVisible());
  EXPECT_EQ(g_current_page_template, 279u);
  EXPECT_FALSE(g_current_page->IsWindowVisible());
}

TEST_F(HomePage, SchoolChoiceWritesStatusFile) {
  copy_example("piccola", "piccola");
  OpenFrame();
  g_school_folder_chooser = [](std::string& folder) {
    folder = "\\KestrinTempusDati\\piccola";
    return true;
  };
  EXPECT_TRUE(ui.Click(g_home_page, H::kSelectSchool));
  g_school_folder_chooser = nullptr;
  EXPECT_EQ(fs::current_path(), data_root() / "piccola");
  EXPECT_EQ(ui.Text(g_home_page, H::kFolderId), (data_root() / "piccola").string());
  EXPECT_EQ(g_busy_code, 0);
  EXPECT_TRUE(ui.IsEnabled(g_frame, 1773));
  g_current_folder[0] = 0;
  ASSERT_TRUE(og_read_status_file());
  EXPECT_STREQ(g_current_folder, "\\KestrinTempusDati\\piccola");
}

// Each "?" beside a button explains it in the help box, in the user's
// language; before any, the box says what the buttons are for.
TEST_F(HomePage, HelpButtonsExplainTheirFunction) {
  const struct {
    int button;
    const char* italian;
    const char* german;
  } cases[] = {
      {H::kHelpStart, "All'inizio create una cartella", "Am Anfang erstellen Sie"},
      {H::kHelpCreate, "All'inizio create una cartella", "Am Anfang erstellen Sie"},
      {H::kHelpConfiguration, "Partite da qui per configurare", "Beginnen Sie hier, um Ihre Schule"},
      {H::kHelpProcessing, "Da qui avete accesso alle funzioni", "Von hier aus erreichen Sie"},
      {H::kHelpSubstitutions, "Gestione delle sostituzioni:", "Vertretungen: zuerst"},
  };
  for (int language : {0, 1}) {
    g_language = language;
    OpenFrame();
    EXPECT_EQ(ui.Text(g_home_page, H::kHelpId).rfind(language ? "In diesen Feldern" : "In questi riquadri", 0), 0u);
    for (const auto& c : cases) {
      ASSERT_TRUE(ui.Click(g_home_page, c.button)) << c.button;
      const char* expected = language ? c.german : c.italian;
      EXPECT_EQ(ui.Text(g_home_page, H::kHelpId).rfind(expected, 0), 0u) << c.button << " " << language;
    }
    g_frame.DestroyWindow();
  }
  g_language = 0;
}

// A new school is made from the data root; the creator is handed the
// folder open before, which is the one it puts back when it makes nothing
// (one that gives up leaving the data root current shows the data root);
// once made, its folder is the current one and the status file keeps it.
TEST_F(HomePage, ANewSchoolBecomesTheCurrentFolder) {
  EnterSchool();
  OpenFrame();
  fs::path made_in;
  std::string handed;
  bool make = false;
  g_new_school_creator = [&](std::string& folder) {
    made_in = fs::current_path();
    handed = folder;
    if (!make) return false;
    fs::create_directories(data_root() / "nuova");
    folder = "\\KestrinTempusDati\\nuova";
    return true;
  };
  ASSERT_TRUE(ui.Click(g_home_page, H::kCreateSchool));
  EXPECT_EQ(made_in, data_root());
  EXPECT_EQ(handed, "\\KestrinTempusDati\\piccola");
  EXPECT_EQ(fs::current_path(), data_root());
  EXPECT_EQ(ui.Text(g_home_page, H::kFolderId), data_root().string());
  EXPECT_EQ(ui.Text(g_home_page, H::kDescriptionId), "Descrizione Orario Assente");
  make = true;
  ASSERT_TRUE(ui.Click(g_home_page, H::kCreateSchool));
  g_new_school_creator = nullptr;
  EXPECT_EQ(fs::current_path(), data_root() / "nuova");
  EXPECT_EQ(ui.Text(g_home_page, H::kFolderId), (data_root() / "nuova").string());
  EXPECT_EQ(ui.Text(g_home_page, H::kHelpId).rfind("All'inizio create una cartella", 0), 0u);
  g_current_folder[0] = 0;
  ASSERT_TRUE(og_read_status_file());
  EXPECT_STREQ(g_current_folder, "\\KestrinTempusDati\\nuova");
}

}  // namespace
