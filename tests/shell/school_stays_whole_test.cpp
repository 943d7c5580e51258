// The desktop program keeps a school as it is unless the user changes it,
// driven from start-up on a copy of the small sample school: a language
// switch there and back changes no byte that a save writes and leaves no
// page counting as changed; an automatic correction of a page leaves a
// state that the same page saves; a restored copy is what the next save
// writes, and a missing description becomes a new school's first one; a
// page reached before any read works on the folder's school.
#include "frame_test_support.h"
#include "engine/engine_main.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/ui_school_model.h"
#include "constraints/teacher_constraints_page.h"
#include "pickers/week_grid_dialog.h"
#include "schooldata/data_file_search_dialog.h"
#include "shell/small_choosers.h"
#include "structure/school_page.h"
#include "structure/support_contact.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class SchoolStaysWhole : public ProgramOnSample {
 protected:
  fs::path school() const { return data_root() / "piccola"; }
  std::string files() const { return school_file_lines(); }
  // The engine's syntax check on the description the program wrote.
  static void expect_engine_loads() {
    const char* argv[] = {"orario", "SYNT:scuola2.txt", nullptr};
    EXPECT_EQ(or_main(0, 2, argv), 0) << g_status.message;
  }
  std::string SaveFromSchoolPage() {
    alfadlg_go_to_page(kPageProscuola);
    EXPECT_EQ(g_current_page, &g_school_page);
    ui.Click(g_school_page, Cproscuola::kSaveId);
    return files();
  }
};

TEST_F(SchoolStaysWhole, LanguageRoundTripSavesTheSameBytes) {
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));  // reads the school
    std::string italian = SaveFromSchoolPage();
    EXPECT_NE(italian.find("LU5-Luned\xEC"), std::string::npos);
    for (int button : {CPlenixDlg::kGerman, CPlenixDlg::kEnglish, CPlenixDlg::kItalian}) {
      alfadlg_go_to_page(kPageHome);
      std::size_t boxes = ui.boxes().size();
      ASSERT_TRUE(ui.Click(g_home_page, button));
      alfadlg_go_to_page(kPageProscuola);
      alfadlg_go_to_page(kPageHome);  // left without an edit: nothing to ask
      EXPECT_EQ(ui.boxes().size(), boxes) << button << " " << ui.boxes().back().texts.at(0);
      EXPECT_FALSE(og_school_changed()) << button;
      EXPECT_EQ(SaveFromSchoolPage(), italian) << button;
      // Read again in this language: still the school's own day names.
      alfadlg_go_to_page(kPageHome);
      ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
      EXPECT_EQ(SaveFromSchoolPage(), italian) << button;
    }
    expect_engine_loads();
  });
}

// Two Monday hours forbidden for ROSSI, free on Saturday in a six-day week
// whose school has no weekly-days table: every day keeps an open hour, so
// his day range stays the school's and nothing is said or stored for it.
// Closing his whole Friday then brings the most days down to the five days
// still open, says so, and SALVA takes it.
TEST_F(SchoolStaysWhole, ForbiddenHoursCorrectionLeavesTheTeacherSaveable) {
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    alfadlg_go_to_page(kPageVipro);
    auto* page = dynamic_cast<Cvipro*>(g_current_page);
    ASSERT_NE(page, nullptr);
    ASSERT_STREQ(g_ui_teachers[page->CurrentTeacher()].name, "ROSSI");
    ui.OnNextModal([&](Dialog& d) {
      ui.Click(d, Cdwh::kCellIds[0]);
      ui.Click(d, Cdwh::kCellIds[1]);
      d.GotoDlgCtrl(d.GetDlgItem(kIdOk));
      ui.Key(kVkReturn);
    });
    std::size_t boxes = ui.boxes().size();
    ASSERT_TRUE(ui.Click(*page, Cvipro::kForbiddenId));
    ASSERT_EQ(ui.boxes().size(), boxes + 1) << ui.boxes().back().texts.at(0);
    ui.Click(*page, Cvipro::kSaveId);
    EXPECT_EQ(ui.boxes().size(), boxes + 1) << ui.boxes().back().texts.at(0);
    std::string saved = files();
    EXPECT_NE(saved.find("V:\tROSSI\tOP:LU:1-2\tLI:SA:\t\n"), std::string::npos) << saved;
    expect_engine_loads();

    ui.OnNextModal([&](Dialog& d) {
      for (int h = 0; h < 5; ++h) ui.Click(d, Cdwh::kCellIds[4 * 12 + h]);  // Friday, every hour
      d.GotoDlgCtrl(d.GetDlgItem(kIdOk));
      ui.Key(kVkReturn);
    });
    ui.AnswerNextModal(1);
    boxes = ui.boxes().size();
    ASSERT_TRUE(ui.Click(*page, Cvipro::kForbiddenId));
    ASSERT_EQ(ui.boxes().size(), boxes + 2);
    EXPECT_EQ(ui.boxes().back().texts.at(0).rfind("Giorni di servizio rettificati", 0), 0u);
    ui.Click(*page, Cvipro::kSaveId);
    EXPECT_EQ(ui.boxes().size(), boxes + 2) << ui.boxes().back().texts.at(0);
    saved = files();
    EXPECT_NE(saved.find("V:\tROSSI\tOP:LU:1-2VE:1-5\tLI:SA:\tGMIN:"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\tGMAX:5\t\n"), std::string::npos) << saved;
    expect_engine_loads();
  });
}

// The school's name typed with field separators is stored cleaned, and the
// page says so as the user types; a name without them says nothing.
TEST_F(SchoolStaysWhole, SchoolNameCleaningIsSaid) {
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    alfadlg_go_to_page(kPageProscuola);
    ASSERT_EQ(g_current_page, &g_school_page);
    auto help = [&] { return ui.Render(g_school_page).TextsOf(Cproscuola::kHelpPaneId); };
    auto retype = [&](const char* text) {  // the user selects the whole name and types over it
      static_cast<Edit*>(g_school_page.GetDlgItem(Cproscuola::kNameId))->SetSel(0, -1);
      ui.Type(g_school_page, Cproscuola::kNameId, text);
    };
    retype("Istituto Verdi");
    EXPECT_STREQ(g_ui_header.school_name, "Istituto Verdi");
    EXPECT_EQ(help().find("nei nomi i caratteri"), std::string::npos);
    retype("Istituto A-B: Verdi");
    EXPECT_STREQ(g_ui_header.school_name, "Istituto A_B; Verdi");
    EXPECT_NE(help().find("nei nomi i caratteri - | : separano i dati"), std::string::npos) << help();
    ui.Click(g_school_page, Cproscuola::kSaveId);
    EXPECT_NE(files().find("REM:Istituto A_B; Verdi\n"), std::string::npos);
    expect_engine_loads();
  });
}

// A copy of the school found by the data-file search and restored over the
// open school: the program reads the restored files, so the next SALVA keeps
// the restored school instead of writing the old one back.
TEST_F(SchoolStaysWhole, RestoreThenSaveKeepsTheRestoredSchool) {
  fs::path copy = copy_example("piccola", "copia");
  std::string description = read(copy / "scuola2.txt");
  std::size_t year = description.find("2026-27");
  ASSERT_NE(year, std::string::npos);
  write(copy / "scuola2.txt", description.replace(year, 7, "2031-32"));
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    alfadlg_go_to_page(kPageProscuola);
    ASSERT_TRUE(ui.Click(g_frame, 1779));
    auto* support = dynamic_cast<Cemergex*>(Window::GetActiveWindow());
    ASSERT_NE(support, nullptr);
    ui.OnNextModal([&](Dialog& d) {
      ui.Click(d, Crical::kStartId);
      g_rical.WaitForSearch();
      ui.Advance(Crical::kPollMs);
      ASSERT_TRUE(ui.Select(d, Crical::kListId, copy.string()));
      ui.PressInNextModal(CMessageBox::kButtonIds[0]);  // cover the open school: Yes
      ui.Click(d, Crical::kActionId);
      ui.Click(d, kIdCancel);
    });
    ASSERT_TRUE(ui.Click(*support, Cemergex::kSearchId));
    ui.Click(*support, Cemergex::kCloseId);
    ui.Pump();
    EXPECT_STREQ(g_ui_header.id_text2, "Anno scolastico 2031-32");
    alfadlg_go_to_page(kPageProscuola);
    ASSERT_EQ(g_current_page, &g_school_page);
    ui.Click(g_school_page, Cproscuola::kSaveId);
    EXPECT_NE(files().find("REM:Anno scolastico 2031-32|"), std::string::npos);
    expect_engine_loads();
  });
}

// A school folder without its description, entered from the home page: the
// program asks the school's type and writes the first description from it.
TEST_F(SchoolStaysWhole, MissingDescriptionAsksTheTypeAndWritesTheFirstOne) {
  fs::remove(school() / "scuola2.txt");
  Run([&] {
    bool asked = false;
    ui.OnNextModal([&](Dialog& d) {
      asked = d.template_id() == Ctipode::kTemplate;
      ui.Click(d, Ctipode::kChecks[0]);  // Monday to Friday
      ui.Click(d, Ctipode::kChecks[5]);  // middle or secondary school
      ui.Click(d, kIdOk);
    });
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    EXPECT_TRUE(asked);
    EXPECT_TRUE(og_school_loaded());
    ASSERT_TRUE(fs::exists(school() / "scuola2.txt"));
    std::string first = files();
    EXPECT_NE(first.find("DAYS:\tLU7-"), std::string::npos) << first;
    EXPECT_NE(first.find("\tSA0-"), std::string::npos) << first;
    EXPECT_NE(first.find("IGGIORNI:\t3-1:6-2:9-3:14-4:99-5"), std::string::npos) << first;
    expect_engine_loads();
    alfadlg_go_to_page(kPageHome);  // nothing unsaved: the description is on disk
    ui.Pump();
    EXPECT_EQ(g_current_page, &g_home_page);
  });
}

// A page reached straight from start-up (the "Pagine" panel) before any
// read: the page shows and saves the current folder's school, never the
// empty model of start-up over its files.
TEST_F(SchoolStaysWhole, APageReachedBeforeAnyReadSavesTheSchoolItself) {
  Run([&] {
    alfadlg_go_to_page(kPageProscuola);
    ASSERT_EQ(g_current_page, &g_school_page);
    EXPECT_GT(+g_ui_settings.teacher_count, 0u);
    ui.Click(g_school_page, Cproscuola::kSaveId);
    std::string saved = files();
    EXPECT_NE(saved.find("V:\tROSSI\tLI:SA:"), std::string::npos) << saved;
    expect_engine_loads();
  });
}

}  // namespace
