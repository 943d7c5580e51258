// The imports as a timetable officer meets them: the program's frame on a
// copy of the small sample school, the configuration menu's import
// buttons, a file chosen, read, saved; then what the school files hold.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "platform/test_driver.h"
#include "schooldata/import_page.h"
#include "schooldata/orario_facile_page.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/sissi_import_page.h"
#include "schooldata/spreadsheet_page.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "structure/config_menu.h"
#include "structure/import_windows.h"
#include "structure/structure_pages.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class ImportsFromMenu : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    structure_install_pages();
    structure_install_imports();
    copy_example("piccola", "piccola");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
    g_hint_flags = 1;
    g_import_file_chooser = [this](const std::string&, const std::string&, std::string& path) {
      path = chosen_;
      return !chosen_.empty();
    };
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    ui.Pump();
    alfadlg_go_to_page(kPageConfigMenu);
    ASSERT_EQ(g_current_page, &g_config_menu);
  }
  void TearDown() override {
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_import_file_chooser = nullptr;
    config_menu_imports() = ConfigMenuImports{};
    TempRoot::TearDown();
  }
  fs::path school() const { return data_root() / "piccola"; }
  // Imports a SISSI export through its page and saves it.
  void import_sissi(const std::string& bytes) {
    write("sissi.txt", bytes);
    ui.OnNextModal([&](Dialog& d) {
      ui.Click(d, Csissi::kOpenId);
      ui.Click(d, Csissi::kSaveId);
    });
    ASSERT_TRUE(ui.Click(g_config_menu, Cmenu_confora::kSissi));
  }
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(school() / name, std::ios::binary) << bytes;
    chosen_ = name;  // the school folder is current
  }
  std::string shown() {
    std::string out;
    for (const auto& b : ui.boxes()) {
      out += "[" + std::to_string(b.template_id) + " " + b.caption;
      for (const auto& t : b.texts) out += " | " + t;
      out += "]";
    }
    return out;
  }
  std::string chosen_;
  TestDriver ui;
};

// Reads scuola1.txt again into the model, as the menu does on entry.
void read_back() {
  og_clear_structure();
  ASSERT_EQ(og_read_structure_file(0), 0);
}

// The engine's own check of the saved description (the current folder is
// the school's).
void engine_accepts_school() {
  const char* argv[] = {"orario", "SYNT:scuola2.txt", nullptr};
  EXPECT_EQ(or_main(0, 2, argv), 0) << g_status.message;
}

int track_of_letter(char letter) {
  for (int t = 0; t < g_ui_structure.track_count; ++t)
    if (g_ui_structure.track_names[t][0] == letter) return t;
  return -1;
}

// Every class names a track by its letter, and no two tracks share one.
void tracks_and_classes_agree() {
  for (int t = 0; t < g_ui_structure.track_count; ++t)
    EXPECT_EQ(track_of_letter(g_ui_structure.track_names[t][0]), t) << g_ui_structure.track_names[t];
  for (std::uint32_t c = 0; c < g_ui_structure.class_count; ++c)
    EXPECT_GE(track_of_letter(g_ui_structure.classes[c].code[2]), 0) << g_ui_structure.classes[c].code;
}

int class_named(const char* code) {
  for (std::uint32_t c = 0; c < g_ui_structure.class_count; ++c)
    if (std::strncmp(g_ui_structure.classes[c].code, code, 3) == 0) return static_cast<int>(c);
  return -1;
}

// A file that names no study track (the wrong export chosen, its fields
// separated otherwise) gives no row to import: the page says so and ends,
// and the school keeps its single track and its classes, saved or not.
TEST_F(ImportsFromMenu, SissiFileNamingNoTrackKeepsTheSchoolsTrack) {
  write("export.txt", "Codice;Docente;Classe;Materia;Ore\r\n1234;ROSSI;1A;ITALIANO;5\r\n");
  std::uint32_t classes = g_ui_structure.class_count;
  ui.OnNextModal([&](Dialog& d) { ui.Click(d, Csissi::kOpenId); });
  ui.AnswerNextModal(kIdOk);
  ASSERT_TRUE(ui.Click(g_config_menu, Cmenu_confora::kSissi));
  ASSERT_FALSE(ui.boxes().empty());
  std::string box;
  for (const std::string& t : ui.boxes().back().texts) box += t + "\n";
  EXPECT_NE(box.find("Nessun dato importato: il file"), std::string::npos) << box;
  EXPECT_EQ(+g_ui_structure.track_count, 1);
  read_back();
  EXPECT_EQ(+g_ui_structure.track_count, 1);
  EXPECT_STREQ(g_ui_structure.track_names[0], "INDIRIZZO UNICO");
  EXPECT_EQ(std::uint32_t{g_ui_structure.class_count}, classes);
  std::vector<std::string> problems = ui.Problems();
  EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems) << shown();
}

// The menu's explanation of the spreadsheet columns names them in the
// order the import reads them: a sheet made after it gives subjects as
// subjects and teachers as teachers.
TEST_F(ImportsFromMenu, SpreadsheetExplanationNamesTheColumnsInTheirOrder) {
  std::string explained;
  ui.OnNextModal([&](Dialog& d) {
    explained = static_cast<CSpiegaML*>(g_config_menu.GetDlgItem(Cmenu_confora::kHelpId))->LastText();
    d.EndDialog(kIdCancel);
  });
  ASSERT_TRUE(ui.Click(g_config_menu, Cmenu_confora::kSpreadsheet));
  std::size_t subject = explained.find("Materia"), teacher = explained.find("Professore");
  ASSERT_NE(subject, std::string::npos) << explained;
  ASSERT_NE(teacher, std::string::npos) << explained;
  EXPECT_LT(subject, teacher) << explained;
  // A line written in that order.
  write("foglio.txt", "Chimica\tNeri Paola\t2B\t3\r\n");
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Coraxls::kOpenId);
    ui.Click(d, Coraxls::kSaveId);
  });
  ASSERT_TRUE(ui.Click(g_config_menu, Cmenu_confora::kSpreadsheet));
  bool teacher_found = false, subject_found = false;
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
    teacher_found |= std::strcmp(g_ui_teachers[t].name, "NERI PAOLA") == 0;
  for (std::uint32_t s = 0; s < g_ui_structure.subject_count; ++s)
    subject_found |= std::strcmp(g_ui_structure.subjects[s].name, "CHIMICA") == 0;
  EXPECT_TRUE(teacher_found);
  EXPECT_TRUE(subject_found);
  std::vector<std::string> problems = ui.Problems();
  EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems) << shown();
}

// A spreadsheet imported into a school of two named tracks: the tracks
// are rebuilt from the class codes and keep their names.
TEST_F(ImportsFromMenu, SpreadsheetIntoSchoolOfTracksKeepsTheirNames) {
  copy_example("liceo", "liceo");
  ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\liceo"));
  alfadlg_go_to_page(kPageHome);
  alfadlg_go_to_page(kPageConfigMenu);
  ASSERT_EQ(+g_ui_structure.track_count, 2);
  ASSERT_STREQ(g_ui_structure.track_names[1], "LINGUISTICO");
  std::ofstream(data_root() / "liceo" / "foglio.txt", std::ios::binary)
      << "Fisica\tRossi Mario\t1AS\t2\r\nTedesco\tM\xFCller Anna\t1AL\t3\r\n";
  chosen_ = "foglio.txt";
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Coraxls::kOpenId);
    ui.Click(d, Coraxls::kSaveId);
  });
  ASSERT_TRUE(ui.Click(g_config_menu, Cmenu_confora::kSpreadsheet));
  read_back();
  ASSERT_EQ(+g_ui_structure.track_count, 2);
  EXPECT_STREQ(g_ui_structure.track_names[0], "SCIENTIFICO");
  EXPECT_STREQ(g_ui_structure.track_names[1], "LINGUISTICO");
  std::vector<std::string> problems = ui.Problems();
  EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems) << shown();
}

// A sheet saved as UTF-8 (as other spreadsheet programs do, often with a
// byte-order mark) names the same subjects and teachers as the same sheet
// saved in 1252: nothing is added twice and accents stay accents.
TEST_F(ImportsFromMenu, SpreadsheetSavedAsUtf8NamesWhatTheSameSheetIn1252Names) {
  auto import = [&](const std::string& bytes) {
    write("foglio.txt", bytes);
    ui.OnNextModal([&](Dialog& d) {
      ui.Click(d, Coraxls::kOpenId);
      ui.Click(d, Coraxls::kSaveId);
    });
    ASSERT_TRUE(ui.Click(g_config_menu, Cmenu_confora::kSpreadsheet));
  };
  import("Italiano\tNicol\xF2 Bruno\t1A\t5\r\n");
  std::uint32_t subjects = g_ui_structure.subject_count, teachers = g_ui_settings.teacher_count;
  import("\xEF\xBB\xBFItaliano\tNicol\xC3\xB2 Bruno\t2A\t5\r\nStoria\tNicol\xC3\xB2 Bruno\t2A\t2\r\n");
  EXPECT_EQ(std::uint32_t{g_ui_structure.subject_count}, subjects);
  EXPECT_EQ(std::uint32_t{g_ui_settings.teacher_count}, teachers);
  import("Geografia\tNicol\xC3\xB2 Bruno\t3A\t1\r\n");  // no mark
  EXPECT_EQ(std::uint32_t{g_ui_settings.teacher_count}, teachers);
  int posts = -1;
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
    if (std::strcmp(g_ui_teachers[t].name, "NICOL\xF2 BRUNO") == 0) posts = g_ui_teachers[t].post_count;
  EXPECT_EQ(posts, 4);
  std::vector<std::string> problems = ui.Problems();
  EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems) << shown();
}

// An Argo Darwin export numbers its own subjects, classes and teachers:
// read into a school that has some already, each activity still names the
// file's subject, class and teacher.
TEST_F(ImportsFromMenu, ArgoIntoASchoolOfItsOwnNamesTheFilesItems) {
  write("argo.drw",
        "_materie {\r\n nome=\"Matematica\"\r\n nome=\"Chimica\"\r\n}\r\n"
        "_classi {\r\n nome=\"3B\"\r\n}\r\n"
        "_docenti {\r\n cognome=\"Galli\" conome=\"Marta\"\r\n cognome=\"Neri\" conome=\"Ugo\"\r\n}\r\n"
        "_attivita {\r\n materia=1 classi=(0) docenti=(1)\r\n materia=1 classi=(0) docenti=(1)\r\n"
        " materia=0 classi=(0) docenti=(0,1)\r\n}\r\n");
  ASSERT_GT(std::uint32_t{g_ui_settings.teacher_count}, 2u);
  std::vector<std::string> shown_subjects;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Corafac::kArgoId);
    auto& list = *static_cast<ListView*>(d.GetDlgItem(Corafac::kListId));
    for (int i = 0; i < list.GetItemCount(); ++i) shown_subjects.push_back(list.GetItemText(i, 6));
    ui.Click(d, Corafac::kSaveId);
  });
  ASSERT_TRUE(ui.Click(g_config_menu, Cmenu_confora::kOrarioFacile));
  EXPECT_EQ(shown_subjects, (std::vector<std::string>{"CHIMICA", "MATEMATICA"}));
  const UiTeacher* neri = nullptr;
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
    if (std::strcmp(g_ui_teachers[t].name, "NERI UGO") == 0) neri = &g_ui_teachers[t];
  ASSERT_NE(neri, nullptr);
  ASSERT_EQ(+neri->post_count, 1u);
  EXPECT_STREQ(g_ui_structure.subjects[neri->posts[0].subject].name, "CHIMICA");  // saved in upper case
  EXPECT_EQ(std::string(g_ui_structure.classes[neri->posts[0].class_index].code, 2), "3B");
  EXPECT_EQ(+neri->posts[0].own.hours, 2);
  std::vector<std::string> problems = ui.Problems();
  EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems) << shown();
}

// An Argo export writes names in mixed case; the school has them in upper
// case, as every import and the school files keep them. "Matematica" and
// "Rossi" are the school's MATEMATICA and ROSSI, not new ones saved beside
// them under the same name.
TEST_F(ImportsFromMenu, ArgoNamesInMixedCaseAreTheSchoolsOwn) {
  write("argo.drw",
        "_materie {\r\n nome=\"Matematica\"\r\n}\r\n_classi {\r\n nome=\"4c\"\r\n}\r\n"
        "_docenti {\r\n cognome=\"Rossi\"\r\n}\r\n"
        "_attivita {\r\n materia=0 classi=(0) docenti=(0)\r\n}\r\n");
  std::uint32_t subjects = g_ui_structure.subject_count, teachers = g_ui_settings.teacher_count;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Corafac::kArgoId);
    ui.Click(d, Corafac::kSaveId);
  });
  ASSERT_TRUE(ui.Click(g_config_menu, Cmenu_confora::kOrarioFacile));
  // As saved: one MATEMATICA, one ROSSI (a teacher starts a line).
  std::string saved;
  for (const char* file : {"scuola1.txt", "scuola2.txt"}) {
    std::string why;
    ASSERT_EQ(og_read_school_lines((school() / file).string(), [&](const std::string& line) {
      saved += line + "\n";
      return true;
    }, &why), SchoolLines::kRead) << why;
  }
  std::size_t first = saved.find("|MATEMATICA-");
  ASSERT_NE(first, std::string::npos) << saved;
  EXPECT_EQ(saved.find("|MATEMATICA-", first + 1), std::string::npos) << saved;
  EXPECT_EQ(saved.find("\nRossi"), std::string::npos);
  read_back();
  EXPECT_EQ(std::uint32_t{g_ui_structure.subject_count}, subjects);
  EXPECT_EQ(std::uint32_t{g_ui_settings.teacher_count}, teachers);
  int mathematics = 0;
  for (std::uint32_t s = 0; s < g_ui_structure.subject_count; ++s)
    mathematics += std::strcmp(g_ui_structure.subjects[s].name, "MATEMATICA") == 0;
  EXPECT_EQ(mathematics, 1);
  engine_accepts_school();
  EXPECT_TRUE(ui.Problems().empty()) << shown();
}

// A SISSI export of two study tracks read into a school of one track that
// already has classes: the school's classes stay in their own track, next
// to the file's, and the saved school is one the engine computes.
TEST_F(ImportsFromMenu, SissiOfTwoTracksIntoASchoolOfOneKeepsItsClassesInTheirTrack) {
  std::uint32_t classes = g_ui_structure.class_count;
  ASSERT_EQ(+g_ui_structure.track_count, 1);
  import_sissi("1234|T01|VERDI LUCA|C01|1A SCIENTIFICO|M01|FISICA|3|\r\n"
               "1234|T02|BIANCHI ANNA|C02|1A LINGUISTICO|M02|TEDESCO|4|\r\n");
  read_back();
  ASSERT_EQ(+g_ui_structure.track_count, 3);
  tracks_and_classes_agree();
  ASSERT_EQ(std::uint32_t{g_ui_structure.class_count}, classes + 2);
  int own = track_of_letter(g_ui_structure.classes[0].code[2]);
  ASSERT_GE(own, 0);
  EXPECT_STREQ(g_ui_structure.track_names[own], "INDIRIZZO UNICO");
  for (std::uint32_t c = 1; c < classes; ++c) EXPECT_EQ(g_ui_structure.classes[c].code[2], g_ui_structure.classes[0].code[2]);
  EXPECT_TRUE(g_ui_structure.sections[own][0] && g_ui_structure.sections[own][1]);  // 1A..3B
  engine_accepts_school();
  std::vector<std::string> problems = ui.Problems();
  EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems) << shown();
}

// A file that names the school's single track among others brings its
// classes to that track: the school's 1A is the file's 1A of that track.
TEST_F(ImportsFromMenu, SissiNamingTheSchoolsTrackAmongOthersJoinsItsClasses) {
  std::uint32_t classes = g_ui_structure.class_count;
  // ROSSI teaches ITALIANO in 1A already: the row is the school's own post.
  import_sissi("1234|T01|ROSSI|C01|1A INDIRIZZO UNICO|M01|ITALIANO|6|\r\n"
               "1234|T02|BIANCHI ANNA|C02|1A SERALE|M02|TEDESCO|4|\r\n");
  read_back();
  ASSERT_EQ(+g_ui_structure.track_count, 2);
  tracks_and_classes_agree();
  EXPECT_EQ(std::uint32_t{g_ui_structure.class_count}, classes + 1);  // only the evening 1A is new
  engine_accepts_school();
  EXPECT_TRUE(ui.Problems().empty()) << shown();
}

// New tracks are lettered so that no two tracks share a letter, whatever
// letters the school's tracks have: the tenth track of the file does not
// become the school's LINGUISTICO (letter L), nor its classes liceo's.
TEST_F(ImportsFromMenu, SissiTracksNeverTakeALetterOfAnotherTrack) {
  copy_example("liceo", "liceo");
  ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\liceo"));
  alfadlg_go_to_page(kPageHome);
  alfadlg_go_to_page(kPageConfigMenu);
  ASSERT_EQ(+g_ui_structure.track_count, 2);
  int linguistic = class_named("1AL");
  ASSERT_GE(linguistic, 0);
  std::uint32_t classes = g_ui_structure.class_count;
  std::string file;
  for (int n = 1; n <= 10; ++n)
    file += "1234|T0" + std::to_string(n) + "|VERDI LUCA|C" + std::to_string(n) + "|1A CORSO " +
            std::string(1, static_cast<char>('Z' - n)) + "|M01|FISICA|1|\r\n";
  std::ofstream(data_root() / "liceo" / "sissi.txt", std::ios::binary) << file;
  chosen_ = "sissi.txt";
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Csissi::kOpenId);
    ui.Click(d, Csissi::kSaveId);
  });
  ASSERT_TRUE(ui.Click(g_config_menu, Cmenu_confora::kSissi));
  read_back();
  ASSERT_EQ(+g_ui_structure.track_count, 12);
  tracks_and_classes_agree();
  EXPECT_STREQ(g_ui_structure.track_names[track_of_letter('L')], "LINGUISTICO");
  EXPECT_EQ(std::uint32_t{g_ui_structure.class_count}, classes + 10);
  const UiTeacher* verdi = nullptr;
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
    if (std::strcmp(g_ui_teachers[t].name, "VERDI LUCA") == 0) verdi = &g_ui_teachers[t];
  ASSERT_NE(verdi, nullptr);
  ASSERT_EQ(+verdi->post_count, 10u);
  for (std::uint32_t p = 0; p < verdi->post_count; ++p)
    EXPECT_NE(+verdi->posts[p].class_index, linguistic) << p;
  engine_accepts_school();
  EXPECT_TRUE(ui.Problems().empty()) << shown();
}

}  // namespace
