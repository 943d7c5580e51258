// The main window as a desktop program's window, the program started as
// main() starts it:
// - the window manager's close (its button) and Alt+F4 end the program from
//   any page, asking nothing when nothing would be lost; not while a box is
//   up over the frame;
// - with unsaved edits the page's unsaved-changes question comes first:
//   staying keeps the program, the page and the edits; saving writes them
//   and ends;
// - the title names the open school, and follows its description;
// - during a computation the close asks first, No suggested: No keeps it
//   running, Yes stops it as STOP does (the best timetable saved) and ends.
#include <string>

#include "board/computation_page.h"
#include "board/processing_menu.h"
#include "frame_test_support.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "structure/subjects_page.h"
#include "structure/trial_computation.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

const char* const kAskStopRun = "Un calcolo \xE8 in corso. Interromperlo e uscire...";

class MainWindow : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
  }
  // The program on a copy of a sample school (none: the data folder alone).
  fs::path School(const std::string& example) {
    fs::create_directories(data_root());
    if (example.empty()) {
      write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\n");
      return data_root();
    }
    write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\scuola\n");
    return copy_example(example, "scuola");
  }
  // Starts the program as main() does; `steps` run inside the frame and end
  // the program themselves. Every problem the driver saw fails the test.
  void Run(const std::function<void()>& steps) {
    int runs = 0;
    ui.OnNextModal([&](Dialog&) {
      ++runs;
      steps();
    });
    const char* argv[] = {"kestrintempus"};
    EXPECT_EQ(g_app.InitInstance(1, argv), 0);
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(g_frame.IsWindow()) << "the program ended";
    EXPECT_FALSE(g_launcher_panel.IsWindow());
    for (const std::string& p : ui.Problems()) ADD_FAILURE() << p;
  }
  // The subjects page with a subject typed and entered: an unsaved edit.
  Cmaterie& EditSubjects() {
    alfadlg_go_to_page(kPageMaterie);
    EXPECT_EQ(g_current_page_template, std::uint32_t(Cmaterie::kTemplate));
    auto& page = *static_cast<Cmaterie*>(g_current_page);
    EXPECT_TRUE(ui.Type(page, Cmaterie::kNameId, "prova chiusura"));
    page.GotoDlgCtrl(page.GetDlgItem(Cmaterie::kNameId));
    ui.Key(kVkReturn);
    EXPECT_TRUE(og_school_changed());
    return page;
  }
  // Answers the next box with a button, noting its template and caption.
  void Answer(int button) {
    ui.OnNextModal([this, button](Dialog& d) {
      asked_.push_back(d.template_id());
      ui.Click(d, button);
    });
  }
  TestDriver ui;
  std::vector<int> asked_;
};

TEST_F(MainWindow, TheCloseButtonEndsTheProgramFromAnyPage) {
  School("piccola");
  Run([&] {
    alfadlg_go_to_page(kPageConfigMenu);
    alfadlg_go_to_page(kPageMaterie);
    ASSERT_EQ(g_current_page_template, std::uint32_t(Cmaterie::kTemplate));
    // A box up over the frame: the close only beeps.
    g_frame.SetActiveWindow();  // the user's click on it
    ui.ClearBeeps();
    bool box_stayed = true;
    ui.OnNextModal([&](Dialog& box) {
      EXPECT_FALSE(ui.Close(g_frame));
      EXPECT_EQ(ui.beeps(), 1);
      // Alt+F4 is the box's own close: it answers the box, the frame stays.
      ui.Key(kVkF4, kModAlt);
      box_stayed = box.IsWindowVisible();
      if (box_stayed) box.EndDialog(kIdCancel);
    });
    EXPECT_EQ(ui_message_box("?"), kIdOk);
    EXPECT_FALSE(box_stayed);
    EXPECT_TRUE(g_frame.IsWindow());
    std::size_t shown = ui.boxes().size();
    EXPECT_TRUE(ui.Close(g_frame));
    EXPECT_EQ(ui.boxes().size(), shown) << "nothing unsaved, nothing asked";
  });
}

TEST_F(MainWindow, AltF4EndsTheProgramAsTheCloseButtonDoes) {
  School("piccola");
  Run([&] {
    alfadlg_go_to_page(kPageProcessingMenu);
    g_processing_menu.SetFocus();
    EXPECT_TRUE(ui.Key(kVkF4, kModAlt));
  });
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].template_id, CAlfaDlg::kTemplate) << "the frame alone, nothing asked";
}

TEST_F(MainWindow, UnsavedEditsAreAskedAboutAndStayingKeepsThem) {
  fs::path school = School("piccola");
  const std::string before = read(school / "scuola1.txt");
  Run([&] {
    Cmaterie& page = EditSubjects();
    Answer(CDaticambia::kStayId);
    ui.Close(g_frame);
    ASSERT_EQ(asked_, std::vector<int>{CDaticambia::kTemplate});
    EXPECT_EQ(ui.boxes().back().caption, "Dati modificati");
    EXPECT_TRUE(g_frame.IsWindow()) << "the user stayed";
    EXPECT_EQ(g_current_page, &page);
    EXPECT_TRUE(page.IsWindowVisible());
    EXPECT_TRUE(og_school_changed()) << "the edit is kept";
    EXPECT_EQ(read(school / "scuola1.txt"), before);
    // Alt+F4 asks the same; saving writes the edit and ends.
    Answer(CDaticambia::kSaveId);
    page.SetFocus();
    ui.Key(kVkF4, kModAlt);
    EXPECT_EQ(asked_.size(), 2u);
  });
  EXPECT_NE(read(school / "scuola1.txt"), before);
  // Read back as the program reads it, the school has the new subject.
  ASSERT_EQ(og_read_structure_file(0), 0);
  bool found = false;
  for (std::uint32_t i = 0; i < g_ui_structure.subject_count && i < kUiMaxSubjects; ++i)
    found = found || std::string(g_ui_structure.subjects[i].name) == "PROVA CHIUSURA";
  EXPECT_TRUE(found);
}

TEST_F(MainWindow, TheTitleNamesTheOpenSchool) {
  fs::path school = School("piccola");
  Run([&] {
    EXPECT_EQ(g_frame.GetWindowText(), "KestrinTempus - Scuola Media Giuseppe Verdi");
    // Named again in its description: the next page shows the new name.
    std::string text = read(school / "scuola2.txt");
    text.replace(0, text.find_first_of("\r\n"), "REM:Istituto Comprensivo Fermi");
    write(school / "scuola2.txt", text);
    alfadlg_go_to_page(kPageProcessingMenu);
    EXPECT_EQ(g_frame.GetWindowText(), "KestrinTempus - Istituto Comprensivo Fermi");
    ui.Close(g_frame);
  });
  // The template keeps its own caption.
  const DialogTemplate* frame = find_dialog_template(CAlfaDlg::kTemplate);
  ASSERT_NE(frame, nullptr);
  EXPECT_STREQ(frame->caption, "KestrinTempus");
}

TEST_F(MainWindow, WithNoSchoolOpenTheTitleIsTheProgramsName) {
  School("");
  Run([&] {
    EXPECT_EQ(g_frame.GetWindowText(), "KestrinTempus");
    ui.Close(g_frame);
  });
}

TEST_F(MainWindow, ClosingDuringAComputationAsksAndYesStopsItCleanly) {
  fs::path school = School("istituto");
  ASSERT_FALSE(fs::exists(school / "savego.txt"));
  Run([&] {
    alfadlg_go_to_page(kPageProcessingMenu);
    ui.Click(g_processing_menu, Cmakedibi::kComputeId);
    ASSERT_EQ(g_current_page, &g_make_page);
    ui.Click(g_make_page, Cmake::kStartId);
    ASSERT_TRUE(g_make_page.Running());
    ASSERT_TRUE(follow_engine(
        ui, [&] { return ui.Text(g_make_page, Cmake::kProgressId).find("Even:") != std::string::npos; },
        Cmake::kTimerMs));
    // Enter answers the suggested button: No, and the search goes on.
    bool no_suggested = false;
    ui.OnNextModal([&](Dialog& box) {
      ui.Advance(20);  // the box lays out its buttons and moves the focus
      no_suggested = Window::GetFocus() == box.GetDlgItem(CMessageBox::kButtonIds[1]);
      ui.Key(kVkReturn);
    });
    ui.Close(g_frame);
    ASSERT_FALSE(ui.boxes().empty());
    ASSERT_FALSE(ui.boxes().back().texts.empty());
    EXPECT_EQ(ui.boxes().back().texts[0], kAskStopRun);
    EXPECT_TRUE(no_suggested);
    EXPECT_TRUE(g_frame.IsWindow());
    EXPECT_EQ(g_current_page, &g_make_page);
    EXPECT_TRUE(g_make_page.Running());
    EXPECT_TRUE(g_engine_thread.Pending());
    // Yes: the run stops as STOP stops it, then the program ends.
    ui.AnswerNextModal(kIdYes);
    g_make_page.SetFocus();
    ui.Key(kVkF4, kModAlt);
  });
  EXPECT_FALSE(g_engine_thread.Pending());
  EXPECT_EQ(g_status.run_state.load(), kRunStateFinished);
  EXPECT_TRUE(fs::exists(school / "savego.txt")) << "the best timetable found is saved";
}

}  // namespace
