// A new school made from the home page ("Crea nuova Cartella e nuova
// Scuola"), as the officer makes it: the box asking the school's and the
// folder's names speaks the user's language, and the school just made
// opens on the configuration pages with nothing to save, since its files
// already hold what the pages show.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "frame_test_support.h"
#include "platform/cp1252.h"
#include "schooldata/ui_school_model.h"
#include "shell/small_choosers.h"
#include "shell/status_file.h"
#include "structure/buildings_page.h"
#include "structure/input_box.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class NewSchool : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
    copy_example("piccola", "piccola");
    // As in a program just started: no school read yet, so no cloud code
    // of a former school to share.
    og_clear_school_blocks();
    og_clear_structure();
  }
  // Starts the program in `language` and makes the school "Gymnasium
  // Neustadt" in the folder "neustadt" (Monday to Friday, secondary
  // school); `after` runs in the frame once it is made. The names box's
  // title and prompts are kept in `names_box`.
  void MakeSchool(int language, const std::function<void()>& after) {
    write(data_root() / "plenixstatus.txt",
          "CURDIR:\\KestrinTempusDati\nLINGUA:" + std::to_string(language) + "\n");
    run_program(ui, [&] {
      ui.OnNextModal([&](Dialog& box) {
        names_box = {box.GetWindowText(), ui.Text(box, Ccasella::kPrompt1Id), ui.Text(box, Ccasella::kPrompt2Id)};
        ui.Type(box, Ccasella::kEdit1Id, "Gymnasium Neustadt");
        ui.Type(box, Ccasella::kEdit2Id, "neustadt");
        ui.Click(box, kIdOk);
      });
      ui.OnNextModal([&](Dialog& type) {
        ui.Click(type, Ctipode::kChecks[0]);
        ui.Click(type, Ctipode::kChecks[5]);
        ui.Click(type, kIdOk);
      });
      ui.Click(g_home_page, CPlenixDlg::kCreateSchool);
      EXPECT_EQ(ui.Text(g_home_page, CPlenixDlg::kDescriptionId), "Gymnasium Neustadt");
      after();
    });
  }
  std::vector<std::string> names_box;
  TestDriver ui;
};

// The box's title (its second prompt) and its two prompts.
const std::vector<std::string> kNamesBox[3] = {
    {"Inserire il nome della Cartella per i dati della Scuola", "Inserire il nome completo della Scuola",
     "Inserire il nome della Cartella per i dati della Scuola"},
    {"Ordnername für die Daten der Schule"_cp, "Vollständiger Name der Schule"_cp,
     "Ordnername für die Daten der Schule"_cp},
    {"Folder name for the school's data", "Full name of the school", "Folder name for the school's data"}};

TEST_F(NewSchool, NamesBoxInItalian) {
  MakeSchool(0, [] {});
  EXPECT_EQ(names_box, kNamesBox[0]);
}

TEST_F(NewSchool, NamesBoxInGerman) {
  MakeSchool(1, [] {});
  EXPECT_EQ(names_box, kNamesBox[1]);
}

TEST_F(NewSchool, NamesBoxInEnglish) {
  MakeSchool(2, [] {});
  EXPECT_EQ(names_box, kNamesBox[2]);
}

// The buildings page, opened and left untouched in German, asks nothing:
// the name it gives the only building is the one the school's reader gives
// it, so no "data changed" question comes, and the files stay as they were.
// On a school just made (only its description written) and on the sample.
TEST_F(NewSchool, OneBuildingInGermanLeavesNothingToSave) {
  std::string written;
  MakeSchool(1, [&] {
    written = read(data_root() / "neustadt" / "scuola2.txt");
    for (int page : {kPagePlessi, kPageMaterie, kPagePlessi, kPageHome}) {
      alfadlg_go_to_page(page);
      EXPECT_EQ(ui.Problems(), std::vector<std::string>{}) << page;
    }
  });
  EXPECT_EQ(read(data_root() / "neustadt" / "scuola2.txt"), written);
  EXPECT_FALSE(fs::exists(data_root() / "neustadt" / "scuola1.txt"));
}

TEST_F(NewSchool, SampleWithOneBuildingInGermanLeavesNothingToSave) {
  const std::string before = read(data_root() / "piccola" / "scuola2.txt");
  write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\piccola\nLINGUA:1\n");
  run_program(ui, [&] {
    alfadlg_go_to_page(kPagePlessi);
    EXPECT_EQ(ui.Text(*g_current_page, Cplessi::kFirstNameId), "Einzige Gebäude"_cp);
    alfadlg_go_to_page(kPageHome);
    EXPECT_EQ(ui.Problems(), std::vector<std::string>{});
  });
  EXPECT_EQ(read(data_root() / "piccola" / "scuola2.txt"), before);
}

// In the names box, tabbing back into the school's name selects it and
// shows it lit; End takes the selection off, so Ctrl+X then cuts nothing and
// a letter goes at the end, as in any field.
TEST_F(NewSchool, TabbingBackIntoTheNameSelectsItUntilTheCaretMoves) {
  write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\nLINGUA:0\n");
  bool asked = false;
  run_program(ui, [&] {
    ui.OnNextModal([&](Dialog& box) {
      asked = true;
      auto lit = [&] {
        DisplayList shown = ui.Render(box);
        for (const DrawItemOp* op : shown.ForControl(Ccasella::kEdit1Id))
          if (op->op == DrawOp::kFill && op->color == kHighlightColor) return true;
        return false;
      };
      ui.Type(box, Ccasella::kEdit1Id, "Liceo");
      ui.Key(kVkTab);
      EXPECT_TRUE(ui.HasFocus(box, Ccasella::kEdit2Id));
      ui.Key(kVkTab, kModShift);
      EXPECT_TRUE(ui.HasFocus(box, Ccasella::kEdit1Id));
      EXPECT_TRUE(lit()) << "tabbing in selects the name";
      ui.Key(kVkEnd);
      EXPECT_FALSE(lit());
      ui.Key('X', kModControl);
      EXPECT_EQ(ui.Text(box, Ccasella::kEdit1Id), "Liceo");
      ui.Type(box, Ccasella::kEdit1Id, "!");
      EXPECT_EQ(ui.Text(box, Ccasella::kEdit1Id), "Liceo!");
      ui.Click(box, kIdCancel);
    });
    ui.Click(g_home_page, CPlenixDlg::kCreateSchool);
  });
  EXPECT_TRUE(asked);
}

// In the names box, as in any field: Left with a selection ends it at its
// start, so a letter goes where the selection began, and Shift+click runs
// the selection from the caret to the place clicked.
TEST_F(NewSchool, NameSelectionEndsAtItsStartAndShiftClickExtendsIt) {
  write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\nLINGUA:0\n");
  bool asked = false;
  run_program(ui, [&] {
    ui.OnNextModal([&](Dialog& box) {
      asked = true;
      ui.Type(box, Ccasella::kEdit1Id, "Liceo Dante");
      for (int i = 0; i < 5; ++i) ui.Key(kVkLeft, kModShift);
      ui.Key(kVkLeft);
      ui.Type(box, Ccasella::kEdit1Id, "A ");
      EXPECT_EQ(ui.Text(box, Ccasella::kEdit1Id), "Liceo A Dante");
      Window& name = *box.GetDlgItem(Ccasella::kEdit1Id);
      auto at = [&](const char* prefix) {
        return Point{ui.headless().metrics().TextWidth(name.GetFont(), prefix) + 2, name.GetClientRect().Center().y};
      };
      ui.ClickAt(name, at("Liceo"));
      ui.ClickAt(name, at("Liceo A"), kModShift);
      ui.Type(box, Ccasella::kEdit1Id, " B.");
      EXPECT_EQ(ui.Text(box, Ccasella::kEdit1Id), "Liceo B. Dante");
      ui.Click(box, kIdCancel);
    });
    ui.Click(g_home_page, CPlenixDlg::kCreateSchool);
  });
  EXPECT_TRUE(asked);
}

// Giving up a new school, at any question, leaves the officer where he
// was: the school he had open is open again, shown on the home page, kept
// in the status file and read as before, and no folder is made. Given up
// at the names box (the school not read yet, so no cloud question) and at
// the cloud question (the school read, its code known).
class NewSchoolGivenUp : public NewSchool {
 protected:
  // The program on the small sample, open; `give_up` answers the creation.
  void GiveUp(bool read_first, const std::function<void()>& give_up) {
    write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\piccola\nLINGUA:0\n");
    const std::string before = read(data_root() / "piccola" / "scuola2.txt");
    run_program(ui, [&] {
      if (read_first) {
        alfadlg_go_to_page(kPageConfigMenu);
        alfadlg_go_to_page(kPageHome);
        ASSERT_STREQ(g_ui_header.school_code, kCode);
      }
      std::size_t boxes = ui.boxes().size();
      give_up();
      ui.Click(g_home_page, CPlenixDlg::kCreateSchool);
      // One question, the one given up.
      ASSERT_EQ(ui.boxes().size(), boxes + 1);
      EXPECT_NE(ui.boxes().back().texts.at(0).find(read_first ? "condivide l'accesso al cloud"
                                                               : "Inserire il nome completo della Scuola"),
                std::string::npos);
      EXPECT_EQ(fs::current_path(), data_root() / "piccola");
      EXPECT_EQ(ui.Text(g_home_page, CPlenixDlg::kFolderId), (data_root() / "piccola").string());
      EXPECT_EQ(ui.Text(g_home_page, CPlenixDlg::kDescriptionId), "Scuola Media Giuseppe Verdi");
      EXPECT_STREQ(g_ui_header.school_code, read_first ? kCode : "");
      // The school's pages open on it, with nothing to save.
      ui.Click(g_home_page, CPlenixDlg::kConfiguration);
      EXPECT_NE(g_current_page, &g_home_page);
      EXPECT_STREQ(g_ui_header.school_code, kCode);
      EXPECT_EQ(ui.boxes().size(), boxes + 1) << ui.boxes().back().texts.at(0);
    });
    EXPECT_EQ(read(data_root() / "piccola" / "scuola2.txt"), before);
    std::vector<std::string> folders;
    for (const auto& e : fs::directory_iterator(data_root()))
      if (e.is_directory()) folders.push_back(e.path().filename().string());
    EXPECT_EQ(folders, std::vector<std::string>{"piccola"});
    g_current_folder[0] = 0;
    ASSERT_TRUE(og_read_status_file());
    EXPECT_STREQ(g_current_folder, "\\KestrinTempusDati\\piccola");
  }
  static constexpr const char* kCode = "CNL06V4107512_PEKVERDI_7QH2M0XK4TZ9B1RDE";
};

TEST_F(NewSchoolGivenUp, AtTheNamesBox) {
  GiveUp(false, [&] { ui.OnNextModal([&](Dialog& box) { ui.Click(box, kIdCancel); }); });
}

TEST_F(NewSchoolGivenUp, AtTheCloudQuestion) {
  GiveUp(true, [&] { ui.AnswerNextModal(kIdCancel); });
}

}  // namespace
