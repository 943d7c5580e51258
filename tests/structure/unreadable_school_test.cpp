// A school whose files the program cannot read, opened from the frame as a
// user would: the configuration menu shows the reader's message and goes
// back to the home page, the school stays unloaded, and a save from a page
// writes nothing over the files; choosing files that read loads the school
// again. Covers refused content, an empty file, CR-only line ends, a file
// cut off in its last line and a folder where a file should be, for both
// school files; a line the engine takes for no teacher is refused as the
// engine refuses it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/test_driver.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "structure/config_menu.h"
#include "structure/structure_pages.h"
#include "structure_page_fixture.h"
#include "structure/teacher_page.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class UnreadableSchool : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    structure_install_pages();
    school_ = copy_example("piccola", "piccola");
    g_hint_flags = 1;
    ASSERT_NO_FATAL_FAILURE(show_frame_in_school(ui, "piccola"));
  }
  void TearDown() override {
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    TempRoot::TearDown();
  }
  fs::path school_;
  TestDriver ui;
};

TEST_F(UnreadableSchool, RefusedFilesShowTheMessageAndAreNeverOverwritten) {
  struct Case {
    const char* id;
    const char* file;
    std::string content;  // "<dir>": a folder in the file's place
    const char* message;  // the start of the first message
  };
  const std::string good2 = read(school_ / "scuola2.txt");
  const std::string good1 = read(school_ / "scuola1.txt");
  auto after = [&](const std::string& anchor, const std::string& line) {
    std::size_t at = good2.find(anchor) + anchor.size();
    return good2.substr(0, at) + line + good2.substr(at);
  };
  auto in_first_subject = [&](const std::string& line) { return after("GM:ITALIANO\t\n", line); };
  const Case cases[] = {
      {"unknown line", "scuola2.txt", good2 + "XYZZY:\t1\t\n", "Messaggio non riconosciuto (catt)"},
      // Lines the engine takes for no teacher: binary bytes, a digit first.
      {"binary line", "scuola2.txt", in_first_subject("\x01\xff\xfe###GARBAGE LINE\n"), "Messaggio non riconosciuto (catt)"},
      {"digit first", "scuola2.txt", in_first_subject("1A 6\t\n"), "Messaggio non riconosciuto (catt)"},
      // Items of a teacher's lines the engine takes for nothing it knows.
      {"binary item", "scuola2.txt", after("ROSSI\t1A 6\t\n", "\t\xff\xfe###GARBAGE LINE\t\n"), "Cattedre classi ore??"},
      {"subject not first", "scuola2.txt", after("ROSSI\t1A 6\t", "STORIA\t"), "Cattedre classi ore??"},
      {"newer release", "scuola2.txt", "REM:Prova\nDATARELEASE:|9.9.Z|\n" + good2,
       "Aggiornare il Software con la release 9.9.Z"},
      {"empty description", "scuola2.txt", "", "Il file scuola2.txt "},
      {"CR-only description", "scuola2.txt", "REM:Prova\rDAYS:\tLU5-Lunedi\t\r", "Il file scuola2.txt ha righe"},
      {"folder description", "scuola2.txt", "<dir>", "scuola2.txt "},
      // Cut off in the middle of the last line: read as it stands, the cut
      // description would lose MANCINI's limit unsaid (nothing tells a
      // cut line from a whole one that lacks its line end).
      {"cut description", "scuola2.txt", good2.substr(0, good2.size() - 8), "Il file \xE8 troncato"},
      {"cut structure", "scuola1.txt", good1.substr(0, good1.size() - 2), "Il file \xE8 troncato"},
      {"empty structure", "scuola1.txt", "", "Il file scuola1.txt "},
      {"bad structure", "scuola1.txt", "REM:Prova\nNONSENSE\n", "Messaggio non riconosciuto (coge)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    fs::path target = school_ / c.file;
    fs::remove_all(target);
    if (c.content == "<dir>") fs::create_directory(target);
    else write(target, c.content);
    std::size_t shown = ui.boxes().size();

    alfadlg_go_to_page(kPageConfigMenu);
    ui.Pump();
    ASSERT_EQ(ui.boxes().size(), shown + 1);
    const std::string& message = ui.boxes().back().texts.at(0);
    EXPECT_EQ(message.rfind(c.message, 0), 0u) << message;
    EXPECT_NE(message.find("nessun dato verr"), std::string::npos) << message;
    EXPECT_EQ(g_current_page, &g_home_page);
    EXPECT_FALSE(og_school_loaded());

    // The teachers page reached anyway: its SALVA writes nothing and says so.
    alfadlg_go_to_page(kPageProcat);
    ui.Pump();
    ASSERT_NE(g_current_page, nullptr);
    shown = ui.boxes().size();
    ui.Click(*g_current_page, Cprocat::kSaveId);
    ASSERT_EQ(ui.boxes().size(), shown + 1);
    EXPECT_EQ(ui.boxes().back().texts.at(0).rfind("Dati NON salvati", 0), 0u) << ui.boxes().back().texts.at(0);
    if (c.content != "<dir>") {
      EXPECT_EQ(read(target), c.content);
    }
    EXPECT_EQ(read(school_ / (std::string(c.file) == "scuola1.txt" ? "scuola2.txt" : "scuola1.txt")),
              std::string(c.file) == "scuola1.txt" ? good2 : good1);

    // Files that read: the school loads again.
    alfadlg_go_to_page(kPageHome);
    ui.Pump();
    ASSERT_EQ(g_current_page, &g_home_page);
    fs::remove_all(target);
    write(target, std::string(c.file) == "scuola1.txt" ? good1 : good2);
    shown = ui.boxes().size();
    alfadlg_go_to_page(kPageConfigMenu);
    ui.Pump();
    EXPECT_EQ(ui.boxes().size(), shown);
    EXPECT_EQ(g_current_page, &g_config_menu);
    EXPECT_TRUE(og_school_loaded());
    EXPECT_GT(+g_ui_settings.teacher_count, 0u);
    alfadlg_go_to_page(kPageHome);
  }
}

// The refusal names the file (its full path as this system writes it), the
// line's number and the line; a scrambled line whose check fails is said to
// be damaged, not shown as hexadecimal. Told once: the menu and the pages
// that read the school again do not repeat it, until a school reads whole.
TEST_F(UnreadableSchool, ARefusedLineIsNamedOnceWithItsFileAndNumber) {
  struct Case {
    const char* id;
    bool scrambled;
    const char* line;  // the line put after the file's fifth line
    const char* shown;
  };
  const Case cases[] = {
      {"plain", false, "XYZZY:\t1\t", "Riga 6: XYZZY: 1 "},
      {"scrambled", true, nullptr, "Riga 6: (riga cifrata danneggiata: non si pu\xF2 leggere)"},
  };
  const std::string good2 = read(school_ / "scuola2.txt");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    write(school_ / "scuola2.txt", good2);
    alfadlg_go_to_page(kPageConfigMenu);
    ui.Pump();
    ASSERT_TRUE(og_school_loaded());
    if (c.scrambled) {
      ASSERT_TRUE(og_save_school_files());  // the program's own, scrambled lines
    }
    std::string text = read(school_ / "scuola2.txt");
    std::size_t fifth = 0;
    for (int i = 0; i < 5; ++i) fifth = text.find('\n', fifth) + 1;
    if (c.scrambled) {
      text[fifth + 4] = text[fifth + 4] == '0' ? '1' : '0';  // the sixth line damaged
    } else {
      text.insert(fifth, std::string(c.line) + "\n");
    }
    write(school_ / "scuola2.txt", text);
    alfadlg_go_to_page(kPageHome);
    ui.Pump();

    std::size_t shown = ui.boxes().size();
    alfadlg_go_to_page(kPageConfigMenu);
    ui.Pump();
    ASSERT_EQ(ui.boxes().size(), shown + 1);
    const std::string& message = ui.boxes().back().texts.at(0);
    EXPECT_EQ(message.rfind("Messaggio non riconosciuto (catt)\nFile: " + (school_ / "scuola2.txt").string() + "\n" +
                                c.shown + "\n",
                            0),
              0u)
        << message;
    // Read again by the menu and by a page: not told again.
    alfadlg_go_to_page(kPageConfigMenu);
    ui.Pump();
    alfadlg_go_to_page(kPageProcat);
    ui.Pump();
    alfadlg_go_to_page(kPageHome);
    ui.Pump();
    alfadlg_go_to_page(kPageConfigMenu);
    ui.Pump();
    EXPECT_EQ(ui.boxes().size(), shown + 1);
    // Once the school reads whole, a new damage is told again.
    write(school_ / "scuola2.txt", good2);
    alfadlg_go_to_page(kPageConfigMenu);
    ui.Pump();
    ASSERT_TRUE(og_school_loaded());
    alfadlg_go_to_page(kPageHome);
    ui.Pump();
  }
}

// A description cut off in the middle of its last line names that line,
// as far as it goes, with its number; a last line that lacks only its line
// end is refused too, since nothing tells it from a cut one. Ended, the
// same file reads whole.
TEST_F(UnreadableSchool, ACutLastLineIsRefusedWithItsNumber) {
  const std::string good2 = read(school_ / "scuola2.txt");
  ASSERT_EQ(good2.substr(good2.size() - 19), "V:\tMANCINI\tGMAX:2\t\n");
  std::size_t lines = static_cast<std::size_t>(std::count(good2.begin(), good2.end(), '\n'));
  const struct {
    const char* id;
    std::size_t cut;
    const char* shown;
  } cases[] = {{"in the name", 12, "V: MANC"}, {"in the value", 3, "V: MANCINI GMAX:"}, {"line end", 1, "V: MANCINI GMAX:2 "}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    write(school_ / "scuola2.txt", good2.substr(0, good2.size() - c.cut));
    std::size_t shown = ui.boxes().size();
    alfadlg_go_to_page(kPageConfigMenu);
    ui.Pump();
    ASSERT_EQ(ui.boxes().size(), shown + 1);
    const std::string& message = ui.boxes().back().texts.at(0);
    EXPECT_NE(message.find("\nFile: " + (school_ / "scuola2.txt").string() + "\nRiga " + std::to_string(lines) + ": " +
                           c.shown + "\n"),
              std::string::npos)
        << message;
    EXPECT_FALSE(og_school_loaded());
    alfadlg_go_to_page(kPageHome);
    ui.Pump();
  }
  write(school_ / "scuola2.txt", good2.substr(0, good2.size() - 1) + "\r\n");
  alfadlg_go_to_page(kPageConfigMenu);
  ui.Pump();
  EXPECT_TRUE(og_school_loaded());
  alfadlg_go_to_page(kPageHome);
  ui.Pump();
}

}  // namespace
