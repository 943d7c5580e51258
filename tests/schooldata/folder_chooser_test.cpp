// The school-folder chooser driven headless: entering, leaving and
// cancelling, and the create mode making a school.
#include "schooldata/school_folder_chooser.h"

#include "schooldata/school_folder_choice.h"
#include "schooldata/ui_school_model.h"
#include "shell/small_choosers.h"

#include "platform/test_driver.h"
#include "search_test_support.h"
#include "shell/message_box.h"
#include "platform/cp1252.h"
#include "shell/ml_text.h"

namespace {

using namespace kt_search_test;
using namespace kt::ui;

class FolderChooser : public SearchFolders {
 protected:
  void SetUp() override {
    SearchFolders::SetUp();
    ui_register_toolkit_templates();
    data_ = drive_ + "/KestrinTempusDati";
    file(data_ + "/liceo/scuola2.txt", "REM:Liceo Galilei\n");
    file(data_ + "/media/scuola2.txt", "REM:Scuola Media\n");
    fs::current_path(data_);
  }
  static std::vector<std::string> rows(Dialog& d) {
    auto& list = *static_cast<ListView*>(d.GetDlgItem(Cselscuole::kListId));
    std::vector<std::string> out;
    for (int i = 0; i < list.GetItemCount(); ++i) out.push_back(list.GetItemText(i, 0) + "=" + list.GetItemText(i, 1));
    return out;
  }
  std::string data_;
};

TEST_F(FolderChooser, DoubleClickEntersAndDotEnds) {
  TestDriver ui;
  Cselscuole chooser;
  std::vector<std::string> at_root, inside;
  std::string path, ok_caption;
  ui.OnNextModal([&](Dialog& d) {
    at_root = rows(d);
    ui.Select(d, Cselscuole::kListId, 0);
    ok_caption = ui.Text(d, kIdOk);
    ui.ClickCell(d, Cselscuole::kListId, 0, 0, true);
    inside = rows(d);
    path = ui.Text(d, Cselscuole::kPathId);
    ui.ClickCell(d, Cselscuole::kListId, 0, 0, true);  // "."
  });
  EXPECT_EQ(chooser.DoModal(), kIdOk);
  EXPECT_EQ(at_root, (std::vector<std::string>{"liceo=Liceo Galilei", "media=Scuola Media"}));
  EXPECT_EQ(ok_caption, "[Invio] Scegli Cartella");
  EXPECT_EQ(inside, (std::vector<std::string>{".=Liceo Galilei", "..=RITORNA ALL'ELENCO delle cartelle e scuole"}));
  EXPECT_EQ(path, data_ + "/liceo");  // the way this system writes the folder
  EXPECT_EQ(fs::current_path().string(), data_ + "/liceo");
}

// In German and English the chooser speaks the language: title, columns,
// the OK caption, the help and the rows' own words; the colour mark of the
// how-to button never shows.
TEST_F(FolderChooser, SpeaksTheProgramsLanguage) {
  struct Case {
    int language;
    const char* title;
    const char* folder_column;
    const char* ok;
    const char* how_to;
  };
  const Case cases[] = {
      {1, "Schule wählen", "Ordner", "[Enter] Ordner wählen", "Wie vorgehen?"},
      {2, "School Selection", "Folder", "[Enter] Choose Folder", "How to Proceed?"},
      {0, "Selezione Scuola", "Cartella", "[Invio] Scegli Cartella", "Come  Procedere?"},
  };
  for (const Case& c : cases) {
    g_language = c.language;
    TestDriver ui;
    Cselscuole chooser;
    std::string title, column, ok, how_to, help;
    ui.OnNextModal([&](Dialog& d) {
      title = d.GetWindowText();
      column = static_cast<ListView*>(d.GetDlgItem(Cselscuole::kListId))->GetColumnHeading(0);
      ui.Select(d, Cselscuole::kListId, 0);
      ok = ui.Text(d, kIdOk);
      how_to = ui.Text(d, Cselscuole::kHowId);
      help = ui.Text(d, Cselscuole::kHelpId);
    });
    chooser.DoModal();
    EXPECT_EQ(title, kt::utf8_to_cp1252(c.title)) << c.language;
    EXPECT_EQ(column, c.folder_column) << c.language;
    EXPECT_EQ(ok, kt::utf8_to_cp1252(c.ok)) << c.language;
    EXPECT_EQ(how_to, c.how_to) << c.language;
    EXPECT_EQ(help, school_folder_text(SchoolFolderText::kHelp, c.language)) << c.language;
  }
  EXPECT_NE(std::string(school_folder_text(SchoolFolderText::kHelp, 1)),
            school_folder_text(SchoolFolderText::kHelp, 0));  // German has its own help
  g_language = 0;
}

TEST_F(FolderChooser, OkOnDotDotStaysAndCancelGoesBack) {
  TestDriver ui;
  Cselscuole chooser;
  std::vector<std::string> after_up;
  ui.OnNextModal([&](Dialog& d) {
    ui.ClickCell(d, Cselscuole::kListId, 1, 0, true);  // enter "media"
    ui.Select(d, Cselscuole::kListId, 1);               // ".."
    ui.Click(d, kIdOk);
    after_up = rows(d);
    ui.Select(d, Cselscuole::kListId, 0);  // "liceo"
    ui.ClickCell(d, Cselscuole::kListId, 0, 0, true);
    ui.Click(d, kIdCancel);
  });
  EXPECT_EQ(chooser.DoModal(), kIdCancel);
  EXPECT_EQ(after_up, (std::vector<std::string>{"liceo=Liceo Galilei", "media=Scuola Media"}));
  EXPECT_EQ(fs::current_path().string(), data_);
}

TEST_F(FolderChooser, OkOnAFolderEndsInIt) {
  TestDriver ui;
  Cselscuole chooser;
  ui.OnNextModal([&](Dialog& d) {
    ui.Select(d, Cselscuole::kListId, 1);
    ui.Click(d, kIdOk);
  });
  EXPECT_EQ(chooser.DoModal(), kIdOk);
  EXPECT_EQ(fs::current_path().string(), data_ + "/media");
}

TEST_F(FolderChooser, CreateModeMakesTheSchoolAndEndsWithOk) {
  TestDriver ui;
  Cselscuole chooser;
  chooser.m_create_mode = true;
  chooser.m_hooks.ask_names = [](std::string* school, std::string* folder) {
    *school = "Istituto Nuovo";
    *folder = "nuovo istituto";
    return true;
  };
  EXPECT_EQ(chooser.DoModal(), kIdOk);
  EXPECT_EQ(read(data_ + "/nuovo_istituto/scuola2.txt"), "REM:Istituto Nuovo");
  EXPECT_EQ(fs::current_path().string(), data_ + "/nuovo_istituto");
  Cselscuole refused;
  refused.m_create_mode = true;  // no names given: nothing is made
  EXPECT_EQ(refused.DoModal(), kIdCancel);
}

TEST_F(FolderChooser, NewSchoolSharesTheCloudCodeAndTakesTheChosenType) {
  TestDriver ui;
  og_clear_school_blocks();
  std::snprintf(g_ui_header.school_code, sizeof g_ui_header.school_code, "CODE1");
  g_new_school_names = [](std::string* school, std::string* folder) {
    *school = "Istituto Tecnico";
    *folder = "tecnico";
    return true;
  };
  ui.AnswerNextModal(kIdYes);  // share the cloud access
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Ctipode::kChecks[1]);  // some classes on 5 days, others on 6
    ui.Click(d, Ctipode::kChecks[5]);  // secondary school
    ui.Click(d, kIdOk);
  });
  std::string folder;
  EXPECT_TRUE(og_run_school_folder_chooser(true, folder));
  EXPECT_EQ(folder, "\\KestrinTempusDati\\tecnico");
  ASSERT_EQ(og_read_assignments_file_from(data_ + "/tecnico/scuola2.txt", 0), 0) << og_description_error();
  EXPECT_STREQ(g_ui_header.school_name, "Istituto Tecnico");
  EXPECT_STREQ(g_ui_header.school_code, "CODE1");
  EXPECT_EQ(g_ui_header.hours_per_day[5], 5);
  EXPECT_EQ(g_ui_header.short_days[5], 1);
  // Cancelling the cloud question makes nothing.
  fs::current_path(data_);
  ui.AnswerNextModal(kIdCancel);
  EXPECT_FALSE(og_run_school_folder_chooser(true, folder));
  EXPECT_FALSE(fs::exists(data_ + "/tecnico2"));
  EXPECT_TRUE(ui.Problems().empty());
  g_new_school_names = nullptr;
}

}  // namespace

namespace {

// Both columns fit the list, so it never scrolls sideways; a school whose
// title is long gets the wider share, and a short one leaves the folder
// column as wide as it opened.
TEST_F(FolderChooser, ColumnsFitTheListWhateverTheTitles) {
  struct Case {
    const char* id;
    const char* title;
  };
  const Case cases[] = {
      {"short", "Liceo Galilei"},
      {"long", "Istituto di Istruzione Superiore Statale Leonardo da Vinci e Galileo Galilei di Torino"},
  };
  for (const Case& c : cases) {
    file(data_ + "/liceo/scuola2.txt", std::string("REM:") + c.title + "\n");
    TestDriver ui;
    Cselscuole chooser;
    int folder_width = 0, title_width = 0, list_width = 0, title_text = 0;
    ui.OnNextModal([&](Dialog& d) {
      auto& list = *static_cast<ListView*>(d.GetDlgItem(Cselscuole::kListId));
      folder_width = list.GetColumnWidth(0);
      title_width = list.GetColumnWidth(1);
      list_width = list.GetWindowRect().Width();
      title_text = list.GetStringWidth(c.title);
      ui.Click(d, kIdCancel);
    });
    chooser.DoModal();
    EXPECT_LE(folder_width + title_width, list_width - 4) << c.id;
    EXPECT_GT(title_width, folder_width) << c.id;
    if (title_text * 6 / 5 <= list_width - 4 - folder_width) {
      EXPECT_GE(title_width, title_text) << c.id;
    }
  }
}

// The help pane says how to choose a folder in a whole sentence, in each
// language: the double click and the Enter key.
TEST_F(FolderChooser, HelpSaysHowToChooseInAWholeSentence) {
  const char* ends[3] = {"[Invio].", "[Enter] dr\xFC" "ckt.", "[Enter]."};
  for (int language : {0, 1, 2}) {
    g_language = language;
    TestDriver ui;
    Cselscuole chooser;
    std::string help;
    ui.OnNextModal([&](Dialog& d) {
      help = ui.Text(d, Cselscuole::kHelpId);
      ui.Click(d, kIdCancel);
    });
    chooser.DoModal();
    const std::string end = ends[language];
    ASSERT_GE(help.size(), end.size()) << language;
    EXPECT_EQ(help.substr(help.size() - end.size()), end) << language;
    EXPECT_NE(help.find(language == 0 ? "Doppio Click" : language == 1 ? "Doppelklick" : "Double Click"),
              std::string::npos)
        << language;
  }
  g_language = 0;
}

}  // namespace
