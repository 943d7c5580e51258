// The computation control in the desktop program, started as main() starts
// it on a copy of a sample school and driven from the processing menu:
// - the small school computed to the end on the computation page, its
//   timetable loading with "SNOD:";
// - the large school stopped midway: the best timetable is saved and loads,
//   and the end-of-run notice counts the errors left;
// - a failed run (a description with an error) changes neither the
//   description nor the saved timetable; the check before it runs under
//   the busy pop-up, gone once the engine's message is read;
// - the reports in their RTF table form and, with "Word 2000", the text
//   form, with HTML and CSV; the check without a timetable says so;
// - an exemption granted from the problems monitor during a run is stored
//   in "scuola3.txt" and read back by the next run (a grant needs a problem
//   chosen, storing the result does not; the monitor's close button);
// - a copy of the school found by the support window's search is not
//   restored under a running computation, which would write its own
//   timetable over the restored one when it ends;
// - two worker processes started at start-up compute with the main process
//   and end with the program, leaving no shared names behind.
// The engine runs on its own thread as in the program; the page's timers
// run on the test clock, which the steps advance while the engine works.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <thread>

#include "board/computation_page.h"
#include "board/problems_monitor.h"
#include "board/processing_menu.h"
#include "board/worker_page.h"
#include "engine/engine_main.h"
#include "engine/report_services.h"
#include "engine/reception_exemption_files.h"
#include "schooldata/data_file_search_dialog.h"
#include "shell/message_box.h"
#include "structure/support_contact.h"
#include "platform/shared_memory.h"
#include "shell/frame_test_support.h"
#include "shell/status_file.h"
#include "solver/exemptions.h"
#include "solver/parpro_area.h"
#include "solver/constraint_names.h"
#include "solver/result_history.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using M = Cmakedibi;
using C = Cmake;

class Computation : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
  }
  void TearDown() override {
    g_worker_spawner = nullptr;
    TempRoot::TearDown();
  }
  // The program on a copy of the sample school; `steps` run in the frame
  // on the processing menu, then Esc on the home page ends the program.
  void Run(const std::string& example, const std::function<void()>& steps) {
    school_ = copy_example(example, "scuola");
    write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\scuola\n");
    run_program(ui, [&] {
      alfadlg_go_to_page(kPageProcessingMenu);
      EXPECT_EQ(g_current_page, &g_processing_menu);
      steps();
    });
  }
  // The computation page with its technique started.
  void Start(int technique, bool cpu_saver = false) {
    ui.Click(g_processing_menu, M::kComputeId);
    ASSERT_EQ(g_current_page, &g_make_page);
    ui.Select(g_make_page, C::kTechniqueId, technique);
    if (cpu_saver) ui.Click(g_make_page, C::kCpuId);
    ui.Click(g_make_page, C::kStartId);
  }
  // Lets the page's timer follow the engine until `done` holds (bounded).
  bool Follow(const std::function<bool()>& done, std::uint32_t step = C::kTimerMs) {
    return follow_engine(ui, done, step);
  }
  void WaitEnd(Cmake& window) {
    g_engine_thread.Join();
    ui.Advance(C::kTimerMs);
    EXPECT_TRUE(window.Finished());
  }
  static int snod() {
    const char* argv[] = {"orario", "SNOD:scuola2.txt", nullptr};
    return or_main(0, 2, argv);
  }
  TestDriver ui;
  fs::path school_;
};

TEST_F(Computation, ComputesTheSmallSchoolToTheEndAndTheTimetableLoads) {
  Run("piccola", [&] {
    Start(0, true);
    EXPECT_EQ(g_status.cpu_pacing.load(), 1);
    WaitEnd(g_make_page);
    EXPECT_EQ(g_make_page.Result(), 0);
    EXPECT_EQ(ui.Text(g_make_page, C::kResultId), "Elaborazione terminata. Errori rimasti: 0");
    EXPECT_NE(ui.Text(g_make_page, C::kProgressId), "");
    EXPECT_FALSE(g_makewarn.IsWindow()) << "no notice without errors";
    // The second busy pop-up said what the check before the run was doing.
    EXPECT_EQ(g_busy_popup_2.Text(), "Controllo dei dati in corso - Attendere");
    EXPECT_FALSE(g_busy_popup_2.IsCreated() && g_busy_popup_2.IsWindowVisible());
    EXPECT_TRUE(ui.IsEnabled(g_make_page, C::kStartId));
    EXPECT_FALSE(ui.IsEnabled(g_make_page, C::kStopId));
    ui.Click(g_make_page, C::kCloseId);
    EXPECT_EQ(g_current_page, &g_processing_menu);
  });
  EXPECT_TRUE(fs::exists(school_ / "savego.txt"));
  EXPECT_TRUE(fs::exists(school_ / "Orario" / "Orario Classi Completo.rtf"));
  EXPECT_EQ(g_test_run, 0);
  EXPECT_EQ(snod(), 0) << g_status.message;
}

TEST_F(Computation, AStopSavesTheBestTimetableAndAFailedRunChangesNothing) {
  Run("istituto", [&] {
    Start(0);
    // The search is under way once its progress lines come.
    ASSERT_TRUE(Follow([&] { return ui.Text(g_make_page, C::kProgressId).find("Even:") != std::string::npos; }));
    // The staging buttons ask, and the search serves each request once.
    ui.Click(g_make_page, C::kStageFocusId);
    ui.Click(g_make_page, C::kStageAgainId);
    EXPECT_EQ(g_status.staging_parameter.load(), 1);
    EXPECT_TRUE(Follow([] { return (g_status.staging_ack.load() & 4) != 0; }));
    ui.Click(g_make_page, C::kLeaveGapId);
    EXPECT_TRUE(Follow([] { return (g_status.staging_ack.load() & 8) != 0 && g_status.staging_request.load() == 0; }));
    ui.Click(g_make_page, C::kStopId);
    WaitEnd(g_make_page);
    EXPECT_EQ(ui.Text(g_make_page, C::kResultId).rfind("Calcolo interrotto: salvato il miglior orario trovato.", 0),
              0u)
        << ui.Text(g_make_page, C::kResultId);
    ASSERT_TRUE(fs::exists(school_ / "savego.txt"));
    ASSERT_TRUE(g_makewarn.IsWindow());
    EXPECT_NE(ui.Text(g_makewarn, Cmakewarn::kTextId).find("Errori Residui.txt"), std::string::npos);
    ui.Click(g_makewarn, Cmakewarn::kCloseId);

    // Leaving the page while it computes stops the run the same way. (A new
    // timetable replaces the saved one, which goes aside once the user agrees.)
    ui.AnswerNextModal(kIdYes);
    ui.Click(g_make_page, C::kStartId);
    ASSERT_TRUE(Follow([&] { return ui.Text(g_make_page, C::kProgressId).find("Even:") != std::string::npos; }));
    g_frame.SetFocus();
    ui.Key(kVkEscape);
    EXPECT_EQ(g_current_page, &g_processing_menu);
    EXPECT_FALSE(g_engine_thread.Running());
    EXPECT_EQ(g_status.run_state.load(), kRunStateFinished);
    ui.Click(g_processing_menu, M::kComputeId);

    // A description the engine refuses: nothing starts, nothing changes.
    std::string description = read(school_ / "scuola2.txt") + "DAYS:\tXX\n";
    write(school_ / "scuola2.txt", description);
    std::string saved = read(school_ / "savego.txt");
    ui.AnswerNextModal(kIdOk);  // the engine's own message
    ui.Click(g_make_page, C::kStartId);
    EXPECT_FALSE(g_make_page.Running());
    EXPECT_EQ(ui.Text(g_make_page, C::kResultId).rfind("Calcolo non avviato: errore nei dati.", 0), 0u);
    EXPECT_EQ(read(school_ / "scuola2.txt"), description);
    EXPECT_EQ(read(school_ / "savego.txt"), saved);
  });
}

TEST_F(Computation, ACopyOfTheSchoolIsNotRestoredUnderARunningComputation) {
  fs::path copy = copy_example("istituto", "copia");
  write(copy / "scuola2.txt", read(copy / "scuola2.txt") + "REM:la copia\n");
  Run("istituto", [&] {
    Start(0);
    ASSERT_TRUE(Follow([&] { return ui.Text(g_make_page, C::kProgressId).find("Even:") != std::string::npos; }));
    const std::string description = read(school_ / "scuola2.txt");
    ASSERT_TRUE(ui.Click(g_frame, 1779));  // "@Ho bisogno di assistenza"
    auto* support = dynamic_cast<Cemergex*>(Window::GetActiveWindow());
    ASSERT_NE(support, nullptr);
    std::size_t boxes = 0;
    ui.OnNextModal([&](Dialog& d) {
      ui.Click(d, Crical::kStartId);
      g_rical.WaitForSearch();
      ui.Advance(Crical::kPollMs);
      ASSERT_TRUE(ui.Select(d, Crical::kListId, copy.string()));
      boxes = ui.boxes().size();
      ui.PressInNextModal(CMessageBox::kButtonIds[0]);  // the first button of whatever is asked or said
      ui.Click(d, Crical::kActionId);
      ui.Click(d, kIdCancel);
    });
    ASSERT_TRUE(ui.Click(*support, Cemergex::kSearchId));
    ui.Click(*support, Cemergex::kCloseId);
    ui.Pump();
    ASSERT_GT(ui.boxes().size(), boxes);
    ASSERT_FALSE(ui.boxes()[boxes].texts.empty());
    EXPECT_EQ(ui.boxes()[boxes].texts[0].rfind("Un calcolo \xE8 in corso", 0), 0u) << ui.boxes()[boxes].texts[0];
    EXPECT_TRUE(read(school_ / "scuola2.txt") == description) << "nothing restored";
    EXPECT_TRUE(g_make_page.Running()) << "the computation goes on";
    ui.Click(g_make_page, C::kStopId);
    WaitEnd(g_make_page);
  });
  EXPECT_EQ(read(school_ / "scuola2.txt").find("REM:la copia"), std::string::npos);
}

TEST_F(Computation, TheCheckBeforeARunShowsTheBusyPopUpUntilItEnds) {
  Run("piccola", [&] {
    write(school_ / "scuola2.txt", read(school_ / "scuola2.txt") + "DAYS:\tXX\n");
    ui.Click(g_processing_menu, M::kComputeId);
    bool asked = false;
    ui.OnNextModal([&](Dialog& d) {  // the engine's own message, while the check is under way
      asked = true;
      EXPECT_TRUE(g_busy_popup_2.IsCreated() && g_busy_popup_2.IsWindowVisible());
      EXPECT_EQ(g_busy_popup_2.Text(), "Controllo dei dati in corso - Attendere");
      d.EndDialog(kIdOk);
    });
    ui.Click(g_make_page, C::kStartId);
    EXPECT_TRUE(asked);
    EXPECT_FALSE(g_make_page.Running());
    EXPECT_EQ(ui.Text(g_make_page, C::kResultId).rfind("Calcolo non avviato: errore nei dati.", 0), 0u);
    EXPECT_FALSE(g_busy_popup_2.IsWindowVisible());
  });
}

TEST_F(Computation, ReportsInBothRtfFormsWithHtmlAndCsvAndTheCheckNeedsATimetable) {
  std::size_t blank_paragraphs[2] = {0, 0};  // between tables: none, four
  Run("piccola", [&] {
    // No timetable yet: the check says so and writes nothing.
    ui.OnNextModal([&](Dialog& d) {
      EXPECT_EQ(ui.Text(d, C::kResultId), "Nessun orario elaborato: calcolare prima l'orario.");
      ui.Click(d, C::kCloseId);
    });
    ui.Click(g_processing_menu, M::kCheckId);
    fs::copy_file(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt", school_ / "savego.txt");

    struct Case {
      const char* id;
      bool word2000;
      int blank_row;
      const char* present;
      const char* absent;
    } cases[] = {{"table", false, 0, "\\trowd", "Courier New"},
                 {"table with 4 blank paragraphs", false, 4, "\\trowd", "Courier New"},
                 {"text", true, 2, "Courier New", "\\trowd"}};
    for (const Case& c : cases) {
      if (ui.IsChecked(g_processing_menu, M::kWord2000Id) != c.word2000) ui.Click(g_processing_menu, M::kWord2000Id);
      ui.Select(g_processing_menu, M::kBlankListId, c.blank_row);
      EXPECT_EQ(g_rtf_text_form_option, c.word2000 ? 1 : 0) << c.id;
      EXPECT_EQ(g_table_blank_paragraphs, c.blank_row - 1) << c.id;
      fs::remove_all(school_ / "Orario");
      // The timetable copied in by hand was never computed here: the menu asks first.
      ui.AnswerNextModal(kIdYes);
      ui.OnNextModal([&](Dialog& d) {
        WaitEnd(static_cast<Cmake&>(d));
        EXPECT_EQ(ui.Text(d, C::kTitleId), "STAMPA dell'orario: Report, RTF, HTML, CSV") << c.id;
        EXPECT_EQ(ui.Text(d, C::kResultId), "Report scritti nella cartella Orario.") << c.id;
        ui.Click(d, C::kCloseId);
      });
      ui.Click(g_processing_menu, M::kReportsId);
      std::string rtf = read(school_ / "Orario" / "Orario Classi Completo.rtf");
      EXPECT_NE(rtf.find(c.present), std::string::npos) << c.id;
      EXPECT_EQ(rtf.find(c.absent), std::string::npos) << c.id;
      if (!c.word2000) {
        std::size_t n = 0;
        for (std::size_t at = rtf.find("{ \\par }"); at != std::string::npos; at = rtf.find("{ \\par }", at + 1)) ++n;
        blank_paragraphs[c.blank_row ? 1 : 0] = n;
      }
      EXPECT_TRUE(fs::exists(school_ / "Orario" / "HTML" / "Orario Classi Completo.html")) << c.id;
      EXPECT_TRUE(fs::exists(school_ / "Orario" / "Orario Tabellone Classi Docenti.csv")) << c.id;
    }
  });
  // Four blank paragraphs instead of none between each two tables.
  EXPECT_GT(blank_paragraphs[1], blank_paragraphs[0] + 4);
  // The options outlive the run in the status file's option bytes.
  g_processing_options[0] = g_processing_options[1] = 0;
  ASSERT_TRUE(og_read_status_file());
  EXPECT_EQ(g_processing_options[0], 1);
  EXPECT_EQ(g_processing_options[1], 1);
}

// Ids the exemption switch has a rule for that a first grant always adds.
bool grantable(int id) {
  for (int none : {2, 3, 4, 7, 26, 29, 30, 36, 40, 41, 53, 68, 69, 70, 71, 72, 73, 74, 75, 77, 78, 82, 86, 87})
    if (id == none) return false;
  return id > 1 && id <= 88;
}

TEST_F(Computation, AnExemptionGrantedFromTheMonitorIsStoredAndReadByTheNextRun) {
  std::uint32_t id = 0, teacher = 0;
  Run("istituto", [&] {
    Start(0);
    ui.Click(g_make_page, C::kProblemsId);
    ASSERT_TRUE(g_problems_monitor.IsWindow());
    // Moved away, the monitor comes back to the page's right edge when the
    // frame is moved.
    Rect placed = g_problems_monitor.GetWindowRect();
    g_problems_monitor.MoveWindow(Rect{0, 0, placed.Width(), placed.Height()}, true);
    g_frame.SendMessage(kMsgSysCommand, 0xF012, 0);
    EXPECT_EQ(g_problems_monitor.GetWindowRect().right, g_make_page.GetWindowRect().right);
    EXPECT_EQ(g_problems_monitor.GetWindowRect().top, placed.top);
    ListView& list = *static_cast<ListView*>(g_problems_monitor.GetDlgItem(Cquadropbs::kListId));
    // Storing the result needs no problem chosen; a grant does.
    ui.Click(g_problems_monitor, Cquadropbs::kHistoryId);
    EXPECT_EQ(ui.Text(g_problems_monitor, Cquadropbs::kNoticeId), "Richiesta inviata al calcolo.");
    ASSERT_TRUE(Follow([] { return g_exemption_current.bytes[0] == kExemptionRequestNone; }));
    ui.AnswerNextModal(kIdOk);
    ui.Click(g_problems_monitor, Cquadropbs::kGrantId);
    EXPECT_EQ(ui.boxes().back().texts.at(0), "Selezionare un problema.");
    int row = -1;
    ASSERT_TRUE(Follow(
        [&] {
          for (int r = 0; r < list.GetItemCount() && row < 0; ++r)
            if (grantable(std::atoi(list.GetItemText(r, 1).c_str()))) row = r;
          return row >= 0;
        },
        Cquadropbs::kTimerMs));
    const ViolationRecord& chosen = g_copied_problems[list.GetItemData(row)];
    id = chosen.constraint_id;
    teacher = chosen.teacher;
    // The rows are the search's best stored result, each described in the
    // words of the engine's check lines.
    {
      std::lock_guard<std::timed_mutex> hold(g_problems_mutex);
      EXPECT_GT(or_result_history().used, 0);
    }
    int named = 0;
    for (int r = 0; r < list.GetItemCount(); ++r) {
      const ViolationRecord& v = g_copied_problems[list.GetItemData(r)];
      std::string name = or_constraint_name(int(v.constraint_id), 0);
      name.erase(name.find_last_not_of(' ') + 1);
      EXPECT_EQ(list.GetItemText(r, 4).rfind(name, 0), 0u) << r << ": " << list.GetItemText(r, 4);
      // The teacher and class the problem is about, by name; blank when it
      // names none.
      std::string teacher_shown = v.teacher < std::uint32_t(g_eng_school.teacher_count) ? g_eng_teachers[v.teacher].name : "";
      std::string class_shown = v.class_index < std::uint32_t(g_eng_school.class_count) ? g_eng_classes[v.class_index].code : "";
      EXPECT_EQ(list.GetItemText(r, 2), teacher_shown) << r;
      EXPECT_EQ(list.GetItemText(r, 3), class_shown) << r;
      named += !teacher_shown.empty();
    }
    EXPECT_GT(named, 0) << "some problem of the istituto's search names a teacher";
    ui.Select(g_problems_monitor, Cquadropbs::kListId, row);
    ui.Click(g_problems_monitor, Cquadropbs::kGrantId);
    EXPECT_EQ(ui.Text(g_problems_monitor, Cquadropbs::kNoticeId), "Richiesta inviata al calcolo.");
    ASSERT_TRUE(Follow([] { return g_exemption_current.bytes[0] == kExemptionRequestNone; }));
    ui.Click(g_make_page, C::kStopId);
    WaitEnd(g_make_page);
    ui.AnswerNextModal(kIdOk);
    ui.Click(g_problems_monitor, Cquadropbs::kGrantId);  // no run: refused with a message
    EXPECT_EQ(ui.boxes().back().texts.at(0),
              "Nessun calcolo in corso: le deroghe si concedono durante il calcolo.");
    // The next run reads the stored exemptions before its search starts
    // (a new timetable again, the saved one set aside).
    ui.AnswerNextModal(kIdYes);
    ui.Click(g_make_page, C::kStartId);
    ASSERT_TRUE(Follow([&] { return ui.Text(g_make_page, C::kProgressId).find("Even:") != std::string::npos; }));
    ui.Click(g_make_page, C::kStopId);
    WaitEnd(g_make_page);
    ui.Click(g_problems_monitor, Cquadropbs::kCloseId);
    EXPECT_FALSE(g_problems_monitor.IsWindow());
  });
  bool read_back = false;
  for (const StoredExemption& r : or_reloaded_exemptions())
    read_back = read_back || (or_exemption_word(r, kExemptionIdOffset) == id &&
                              or_exemption_word(r, kExemptionTeacherOffset) == teacher);
  EXPECT_TRUE(read_back);
  std::ifstream in(school_ / "scuola3.txt");
  bool stored = false;
  for (std::string line; std::getline(in, line);) {
    StoredExemption r{};
    if (or_parse_exemption_line(line.c_str(), r) && or_exemption_word(r, kExemptionIdOffset) == id &&
        or_exemption_word(r, kExemptionTeacherOffset) == teacher) {
      stored = true;
      // Granted with "start again" left unchecked: the record says no
      // restart (the same byte the derogation list reads as "automatica").
      EXPECT_EQ(+r.bytes[kExemptionFullRestartOffset], 0) << line;
    }
  }
  EXPECT_TRUE(stored) << "id " << id << " teacher " << teacher;
}

long cpu_ticks(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t close = text.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(text.substr(close + 2));
  std::string skip;
  for (int i = 0; i < 11; ++i) fields >> skip;
  long utime = 0;
  fields >> utime;
  return utime;
}

TEST_F(Computation, TwoWorkersComputeWithThePageAndEndWithTheProgram) {
  std::string tag = "board" + std::to_string(::getpid());
  ::setenv("KESTRINTEMPUS_PARPRO_TAG", tag.c_str(), 1);
  ::setenv("KESTRINTEMPUS_PROCESSES", "3", 1);
  g_worker_spawner = [](const std::vector<std::string>& args) {
    return kt::ChildProcess::spawn(std::string(KT_BINARY_DIR) + "/apps/kestrintempus/kestrintempus", args);
  };
  pid_t workers[2] = {0, 0};
  Run("istituto", [&] {
    ASSERT_EQ(g_process_count, 3);
    for (int i = 1; i <= 2; ++i) {
      ASSERT_TRUE(g_worker_processes[i].running()) << i;
      workers[i - 1] = g_worker_processes[i].pid();
    }
    // The worker page is made without being shown; here it names the main process.
    alfadlg_go_to_page(kPageParpro);
    ASSERT_EQ(g_current_page, &g_worker_page);
    EXPECT_FALSE(g_worker_page.IsWindowVisible());
    EXPECT_EQ(ui.Text(g_worker_page, Cparpro::kStateId), "Processo principale: 3 processi di calcolo");
    alfadlg_go_to_page(kPageProcessingMenu);
    long before[2] = {cpu_ticks(workers[0]), cpu_ticks(workers[1])};
    Start(0);
    // Each worker takes the published timetable and searches beside the main.
    EXPECT_TRUE(Follow([&] { return cpu_ticks(workers[0]) > before[0] + 20 && cpu_ticks(workers[1]) > before[1] + 20; }));
    ui.Click(g_make_page, C::kStopId);
    WaitEnd(g_make_page);
    EXPECT_TRUE(g_worker_processes[1].running()) << "the workers wait for the next run";
  });
  // The name the run used, before its tag is unset: another program on the
  // machine may hold an area of another name meanwhile.
  std::string area = or_parpro_object_name("KestrinTempusParproArea.map");
  ::unsetenv("KESTRINTEMPUS_PROCESSES");
  ::unsetenv("KESTRINTEMPUS_PARPRO_TAG");
  for (pid_t w : workers) EXPECT_NE(::kill(w, 0), 0) << "worker " << w << " ended with the program";
  EXPECT_EQ(g_process_count, 0);
  EXPECT_FALSE(kt::SharedMemory::open(area, kParproAreaSize)) << "the shared area is removed";
}

// Without a tag set the program names its area after its own process, as
// orario does, so two programs on one machine keep apart and the workers
// (which inherit the tag) find their own program's area.
TEST_F(Computation, WithoutATagTheAreaIsNamedAfterTheProgram) {
  ::unsetenv("KESTRINTEMPUS_PARPRO_TAG");
  g_worker_spawner = [](const std::vector<std::string>& args) {
    return kt::ChildProcess::spawn(std::string(KT_BINARY_DIR) + "/apps/kestrintempus/kestrintempus", args);
  };
  ASSERT_EQ(og_parpro_start_workers(2), 2);
  const char* tag = std::getenv("KESTRINTEMPUS_PARPRO_TAG");
  ASSERT_NE(tag, nullptr);
  EXPECT_EQ(std::string(tag), std::to_string(::getpid()));
  std::string area = or_parpro_object_name("KestrinTempusParproArea.map");
  EXPECT_EQ(area, "KestrinTempusParproArea.map." + std::to_string(::getpid()));
  EXPECT_TRUE(kt::SharedMemory::open(area, kParproAreaSize));
  og_stop_worker_processes();
  EXPECT_FALSE(kt::SharedMemory::open(area, kParproAreaSize));
  ::unsetenv("KESTRINTEMPUS_PARPRO_TAG");
}

// A program that is killed leaves no worker behind: each notices that its
// program is gone and ends by itself.
TEST_F(Computation, WorkersOfAKilledProgramEndByThemselves) {
  // The block runs in a new start of the test program with a drive root of
  // its own: the tag of the names its program makes and the file it leaves
  // are named here, for both, so that the names it leaves are removed below.
  std::string tag = "boardkill" + std::to_string(::getpid());
  if (const char* named = std::getenv("KT_BOARD_KILL_TAG")) tag = named;
  ::setenv("KT_BOARD_KILL_TAG", tag.c_str(), 1);
  ::setenv("KESTRINTEMPUS_PARPRO_TAG", tag.c_str(), 1);
  fs::path pids = root_ / "workers.txt";
  if (const char* named = std::getenv("KT_BOARD_WORKER_PIDS")) pids = named;
  ::setenv("KT_BOARD_WORKER_PIDS", pids.c_str(), 1);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        g_worker_spawner = [](const std::vector<std::string>& args) {
          return kt::ChildProcess::spawn(std::string(KT_BINARY_DIR) + "/apps/kestrintempus/kestrintempus", args);
        };
        if (og_parpro_start_workers(3) == 3) {
          std::ofstream out(pids);
          out << g_worker_processes[1].pid() << ' ' << g_worker_processes[2].pid() << '\n';
        }
        ::raise(SIGKILL);
      },
      ::testing::KilledBySignal(SIGKILL), "");
  GTEST_FLAG_SET(death_test_style, "fast");
  std::ifstream in(pids);
  pid_t workers[2] = {0, 0};
  ASSERT_TRUE(in >> workers[0] >> workers[1]);
  auto gone = [](pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::size_t close = text.rfind(')');
    return close == std::string::npos || text.compare(close + 2, 1, "Z") == 0;
  };
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline && !(gone(workers[0]) && gone(workers[1])))
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_TRUE(gone(workers[0]));
  EXPECT_TRUE(gone(workers[1]));
  std::string area = or_parpro_object_name("KestrinTempusParproArea.map");
  EXPECT_TRUE(kt::SharedMemory::open(area, kParproAreaSize)) << "the killed program's area is named here";
  parpro_remove_names();  // the killed program's own names
  EXPECT_FALSE(kt::SharedMemory::open(area, kParproAreaSize));
  ::unsetenv("KESTRINTEMPUS_PARPRO_TAG");
  ::unsetenv("KT_BOARD_KILL_TAG");
  ::unsetenv("KT_BOARD_WORKER_PIDS");
}

}  // namespace
