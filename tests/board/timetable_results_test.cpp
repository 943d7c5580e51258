// What the desktop program does with a computed timetable, started as main()
// starts it on a copy of the small sample school and driven from its pages:
// - the first technique computes a new timetable from an empty week after a
//   question, keeping the saved one aside; the computation page takes it
//   back (the two swap) and writes its reports;
// - the state of the timetable is recorded after every run: with no error
//   left ('5') the board opens without the question, with errors left the
//   board and the reports ask first, and the state reaches the school files;
// - the balancing's result is taken (the saved timetable set aside) or
//   dropped, and leaving the page with one pending asks; the reports follow
//   the balanced timetable taken;
// - the balancing page opens with every caption in place and only the
//   buttons that start something live;
// - "Word 2000" kept in the status file holds for the first run of the
//   program, before the processing menu was ever opened.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "board/balancing_page.h"
#include "board/board_page.h"
#include "board/computation_page.h"
#include "board/processing_menu.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "shell/frame_test_support.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using M = Cmakedibi;
using C = Cmake;
using B = Cbila;

const char* const kTakenBackAndPrinted =
    "Ripreso l'orario precedente; quello sostituito e' stato messo da parte.\r\n"
    "Report scritti nella cartella Orario.";

class Results : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
  }
  // The program on a copy of a sample school (the small one unless named;
  // with its hand-made saved week when asked); `steps` run in the frame on the home page, then Esc
  // on the home page ends the program.
  void Run(bool saved_week, const std::string& status, const std::function<void()>& steps,
           const std::string& example = "piccola") {
    school_ = copy_example(example, "scuola");
    if (saved_week) write(school_ / "savego.txt", read(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt"));
    write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\scuola\n" + status);
    run_program(ui, [&] {
      steps();
    });
  }
  // The computation page with a technique started, reached by its page command.
  void Start(int technique) {
    alfadlg_go_to_page(kPageMake);
    ASSERT_EQ(g_current_page, &g_make_page);
    ui.Select(g_make_page, C::kTechniqueId, technique);
    ui.Click(g_make_page, C::kStartId);
  }
  void WaitEnd() {
    g_engine_thread.Join();
    ui.Advance(C::kTimerMs);
    EXPECT_TRUE(g_make_page.Finished());
  }
  // Lets a page's timer follow the engine until `done` holds (bounded).
  bool Follow(const std::function<bool()>& done, std::uint32_t step) {
    return follow_engine(ui, done, step);
  }
  // The error lines of a residual-errors file ("E:..."), without the timed
  // trace lines that close it.
  std::string ErrorLines(const fs::path& file) {
    std::string all = read(file), lines;
    for (std::size_t at = 0; at < all.size();) {
      std::size_t end = std::min(all.find('\n', at), all.size());
      if (all.compare(at, 2, "E:") == 0) lines += all.substr(at, end - at) + "\n";
      at = end + 1;
    }
    return lines;
  }
  // The balancing page run on the saved timetable and stopped once it
  // started: a balanced week waits to be taken or dropped.
  void Balance() {
    alfadlg_go_to_page(kPageBila);
    ASSERT_EQ(g_current_page, &g_balancing_page);
    ui.Click(g_balancing_page, B::kTeachersId);
    ASSERT_TRUE(g_balancing_page.Running());
    ASSERT_TRUE(Follow([&] { return Has(ui.Text(g_balancing_page, B::kProgressId), "FATTORE"); }, B::kTimerMs));
    ui.Click(g_balancing_page, B::kStopId);
    g_engine_thread.Join();
    ui.Advance(B::kTimerMs);
    ASSERT_TRUE(g_balancing_page.ResultPending());
  }
  std::string LastBox() { return ui.boxes().empty() ? "" : ui.boxes().back().texts.at(0); }
  bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
  TestDriver ui;
  fs::path school_;
};

TEST_F(Results, ANewTimetableKeepsTheSavedOneAsideAndTheStateOpensTheBoard) {
  std::string saved;
  std::string computed;
  Run(true, "", [&] {
    saved = read(school_ / "savego.txt");
    alfadlg_go_to_page(kPageMake);
    EXPECT_EQ(ui.Text(g_make_page, C::kTechniqueId), "Calcolo completo di un nuovo orario");
    EXPECT_FALSE(ui.IsEnabled(g_make_page, C::kTakeBackId)) << "nothing set aside yet";
    // Asked first; No computes nothing and changes nothing.
    ui.AnswerNextModal(kIdNo);
    Start(0);
    EXPECT_TRUE(Has(LastBox(), "Calcolare un nuovo orario?")) << LastBox();
    EXPECT_FALSE(g_make_page.Running());
    EXPECT_EQ(read(school_ / "savego.txt"), saved);
    EXPECT_FALSE(fs::exists(school_ / "savego_precedente.txt"));
    // Yes: the saved week goes aside, and a new one is computed to the end.
    ui.AnswerNextModal(kIdYes);
    Start(0);
    WaitEnd();
    EXPECT_EQ(ui.Text(g_make_page, C::kResultId), "Elaborazione terminata. Errori rimasti: 0");
    computed = read(school_ / "savego.txt");
    EXPECT_NE(computed, saved);
    EXPECT_EQ(read(school_ / "savego_precedente.txt"), saved);
    EXPECT_EQ(g_timetable_state, '5');
    EXPECT_TRUE(ui.IsEnabled(g_make_page, C::kTakeBackId));
    // Done: the board opens without the question, and so do the reports.
    alfadlg_go_to_page(kPageQuadro);
    EXPECT_EQ(g_current_page, &g_board);
    alfadlg_go_to_page(kPageProcessingMenu);
    ui.OnNextModal([&](Dialog& d) {
      g_engine_thread.Join();
      ui.Advance(C::kTimerMs);
      EXPECT_EQ(ui.Text(d, C::kResultId), "Report scritti nella cartella Orario.");
      ui.Click(d, C::kCloseId);
    });
    ui.Click(g_processing_menu, M::kReportsId);

    // The previous week comes back; the new one goes aside in its place.
    alfadlg_go_to_page(kPageMake);
    ui.AnswerNextModal(kIdYes);
    ui.Click(g_make_page, C::kTakeBackId);
    WaitEnd();
    EXPECT_EQ(ui.Text(g_make_page, C::kResultId), kTakenBackAndPrinted);
    EXPECT_EQ(read(school_ / "savego.txt"), saved);
    EXPECT_EQ(read(school_ / "savego_precedente.txt"), computed);
    // The hand-made week keeps errors: its check says so, and the board and
    // the reports ask before they use it.
    EXPECT_EQ(g_timetable_state, '2');
    ui.AnswerNextModal(kIdNo);
    alfadlg_go_to_page(kPageQuadro);
    EXPECT_NE(g_current_page, &g_board);
    alfadlg_go_to_page(kPageProcessingMenu);
    ui.AnswerNextModal(kIdNo);
    ui.Click(g_processing_menu, M::kReportsId);
    EXPECT_TRUE(Has(LastBox(), "non e' stato elaborato o contiene ancora errori")) << LastBox();
  });
  // The state reached the school files.
  g_timetable_state = '0';
  ASSERT_TRUE(og_read_school_files(0));
  EXPECT_EQ(g_timetable_state, '2');
}

// What the officer reads in the reports after a take back is the timetable
// taken back, without pressing PRINT: its report set, residual errors
// included, replaces that of the week set aside, each time the two swap.
// The hand-made week keeps errors: the notice names them, and the list it
// points to is now theirs.
TEST_F(Results, TheReportsFollowTheTimetableTakenBack) {
  const fs::path classes = fs::path("Orario") / "Orario Classi.txt";
  const fs::path residual = fs::path("Orario") / "Errori Residui.txt";
  Run(true, "", [&] {
    alfadlg_go_to_page(kPageProcessingMenu);
    ui.AnswerNextModal(kIdYes);  // never computed here: printed all the same
    ui.OnNextModal([&](Dialog& d) {
      g_engine_thread.Join();
      ui.Advance(C::kTimerMs);
      ui.Click(d, C::kCloseId);
    });
    ui.Click(g_processing_menu, M::kReportsId);
    const std::string hand_made[2] = {read(school_ / classes), ErrorLines(school_ / residual)};
    ui.AnswerNextModal(kIdYes);
    Start(0);
    WaitEnd();
    const std::string computed[2] = {read(school_ / classes), ErrorLines(school_ / residual)};
    ASSERT_NE(computed[0], hand_made[0]);
    ASSERT_EQ(computed[1], "");
    ASSERT_NE(hand_made[1], "");
    for (const std::string* shown : {hand_made, computed}) {
      const char* which = shown == hand_made ? "hand-made" : "computed";
      ui.AnswerNextModal(kIdYes);
      ui.Click(g_make_page, C::kTakeBackId);
      WaitEnd();
      EXPECT_EQ(ui.Text(g_make_page, C::kResultId), kTakenBackAndPrinted) << which;
      EXPECT_EQ(g_make_page.Result(), 0) << which;
      EXPECT_TRUE(read(school_ / classes) == shown[0]) << which;
      EXPECT_EQ(ErrorLines(school_ / residual), shown[1]) << which;
      EXPECT_EQ(g_makewarn.IsWindow(), shown == hand_made) << which;
      if (g_makewarn.IsWindow()) ui.Click(g_makewarn, Cmakewarn::kCloseId);
      EXPECT_TRUE(ui.IsEnabled(g_make_page, C::kTakeBackId)) << which;
    }
  });
}

// Left while the take back's reports are written: the run ends with the
// page, and the next computation's result is its own alone.
TEST_F(Results, APageLeftDuringATakeBackLeavesTheNextResultItsOwn) {
  Run(true, "", [&] {
    ui.AnswerNextModal(kIdYes);
    Start(0);
    WaitEnd();
    ui.AnswerNextModal(kIdYes);
    ui.Click(g_make_page, C::kTakeBackId);
    ASSERT_TRUE(g_make_page.Running());
    alfadlg_go_to_page(kPageProcessingMenu);
    const std::size_t boxes = ui.boxes().size();
    Start(1);
    WaitEnd();
    EXPECT_EQ(ui.Text(g_make_page, C::kResultId).rfind("Elaborazione terminata", 0), 0u)
        << ui.Text(g_make_page, C::kResultId);
    EXPECT_EQ(ui.boxes().size(), boxes);
    if (g_makewarn.IsWindow()) ui.Click(g_makewarn, Cmakewarn::kCloseId);
  });
}

// A run stopped with errors left records them; the board asks.
TEST_F(Results, AComputationStoppedWithErrorsLeftRecordsThemAndTheBoardAsks) {
  Run(
      false, "",
      [&] {
        Start(0);
        ASSERT_TRUE(Follow([&] { return Has(ui.Text(g_make_page, C::kProgressId), "Even:"); }, C::kTimerMs));
        ui.Click(g_make_page, C::kStopId);
        WaitEnd();
        ASSERT_GT(g_status.error_count.load(), 0);
        if (g_makewarn.IsWindow()) ui.Click(g_makewarn, Cmakewarn::kCloseId);
        EXPECT_TRUE(g_timetable_state >= '2' && g_timetable_state <= '4') << g_timetable_state;
        ui.AnswerNextModal(kIdYes);
        alfadlg_go_to_page(kPageQuadro);
        EXPECT_EQ(g_current_page, &g_board);
        EXPECT_TRUE(Has(LastBox(), "Questo Orario")) << LastBox();
      },
      "istituto");
}

TEST_F(Results, TheBalancedTimetableIsTakenOrDropped) {
  Run(false, "", [&] {
    Start(0);  // no saved timetable: no question
    WaitEnd();
    ASSERT_EQ(g_timetable_state, '5');
    std::string computed = read(school_ / "savego.txt");
    auto balance = [&] {
      ASSERT_NO_FATAL_FAILURE(Balance());
      EXPECT_EQ(ui.Text(g_balancing_page, B::kResultId),
                "Bilanciamento terminato: prendere l'orario bilanciato o scartarlo.");
      EXPECT_TRUE(ui.IsEnabled(g_balancing_page, B::kTakeId) && ui.IsEnabled(g_balancing_page, B::kDropId));
    };
    // Dropped: the saved timetable stays.
    balance();
    ui.Click(g_balancing_page, B::kDropId);
    EXPECT_FALSE(fs::exists(school_ / "savebi.txt"));
    EXPECT_EQ(read(school_ / "savego.txt"), computed);
    EXPECT_FALSE(ui.IsEnabled(g_balancing_page, B::kTakeId));
    // Taken on the way out of the page: the balanced week is the saved one,
    // the computed one set aside, and the computation page takes it back.
    balance();
    std::string balanced = read(school_ / "savebi.txt");
    ui.AnswerNextModal(kIdYes);
    alfadlg_go_to_page(kPageProcessingMenu);
    EXPECT_TRUE(Has(LastBox(), "Prendere l'orario bilanciato come orario salvato?")) << LastBox();
    EXPECT_EQ(read(school_ / "savego.txt"), balanced);
    EXPECT_EQ(read(school_ / "savego_precedente.txt"), computed);
    EXPECT_FALSE(fs::exists(school_ / "savebi.txt"));
    EXPECT_EQ(g_timetable_state, '5');
    // Left while it runs: the run ends, and the balanced week not taken is
    // dropped, the saved one staying.
    alfadlg_go_to_page(kPageBila);
    ASSERT_EQ(g_current_page, &g_balancing_page);
    ui.Click(g_balancing_page, B::kTeachersId);
    ASSERT_TRUE(Follow([&] { return Has(ui.Text(g_balancing_page, B::kProgressId), "FATTORE"); }, B::kTimerMs));
    ui.AnswerNextModal(kIdNo);
    alfadlg_go_to_page(kPageProcessingMenu);
    EXPECT_EQ(g_current_page, &g_processing_menu);
    EXPECT_TRUE(Has(LastBox(), "Prendere l'orario bilanciato come orario salvato?")) << LastBox();
    EXPECT_FALSE(g_balancing_page.Running());
    EXPECT_EQ(read(school_ / "savego.txt"), balanced);
    EXPECT_FALSE(fs::exists(school_ / "savebi.txt"));
    alfadlg_go_to_page(kPageMake);
    ui.AnswerNextModal(kIdYes);
    ui.Click(g_make_page, C::kTakeBackId);
    EXPECT_EQ(read(school_ / "savego.txt"), computed);
  });
}

// Taking the balanced week writes its reports, as a take back does: what
// "Orario" held (here a stale report of the week set aside) gives way to the
// very reports PRINT writes for the saved timetable. A report run that fails
// (a folder in a report's place) shows the engine's message, and the page
// says the reports were not written; the balanced week stays taken.
TEST_F(Results, TheReportsFollowTheBalancedTimetableTaken) {
  const char* const kTaken = "L'orario bilanciato e' ora l'orario salvato; il precedente e' messo da parte.";
  Run(false, "", [&] {
    Start(0);
    WaitEnd();
    const fs::path classes = school_ / "Orario" / "Orario Classi.txt";
    write(classes, "stale\n");
    ASSERT_NO_FATAL_FAILURE(Balance());
    ui.Click(g_balancing_page, B::kTakeId);
    EXPECT_EQ(ui.Text(g_balancing_page, B::kResultId), kTaken);
    EXPECT_TRUE(Has(ui.Text(g_balancing_page, B::kProgressId), "Report scritti nella cartella Orario."));
    const std::string taken = read(classes);
    EXPECT_NE(taken, "stale\n");
    alfadlg_go_to_page(kPageProcessingMenu);
    if (g_timetable_state <= '2') ui.AnswerNextModal(kIdYes);
    ui.OnNextModal([&](Dialog& d) {
      g_engine_thread.Join();
      ui.Advance(C::kTimerMs);
      EXPECT_EQ(ui.Text(d, C::kResultId), "Report scritti nella cartella Orario.");
      ui.Click(d, C::kCloseId);
    });
    ui.Click(g_processing_menu, M::kReportsId);
    EXPECT_TRUE(read(classes) == taken) << "the take wrote other reports than PRINT";

    ASSERT_NO_FATAL_FAILURE(Balance());
    const std::string balanced = read(school_ / "savebi.txt");
    fs::remove(classes);
    fs::create_directory(classes);
    const std::size_t boxes = ui.boxes().size();
    ui.AnswerNextModal(kIdOk);  // the engine's message
    ui.Click(g_balancing_page, B::kTakeId);
    EXPECT_EQ(read(school_ / "savego.txt"), balanced);
    EXPECT_FALSE(fs::exists(school_ / "savebi.txt"));
    EXPECT_EQ(ui.Text(g_balancing_page, B::kResultId),
              "L'orario bilanciato e' ora l'orario salvato, ma i suoi report NON sono stati scritti.");
    EXPECT_TRUE(Has(ui.Text(g_balancing_page, B::kProgressId),
                    "Report NON scritti: quelli nella cartella Orario non sono dell'orario salvato."))
        << ui.Text(g_balancing_page, B::kProgressId);
    ASSERT_EQ(ui.boxes().size(), boxes + 1);
    EXPECT_TRUE(Has(LastBox(), "Orario Classi.txt")) << LastBox();
    EXPECT_TRUE(Has(ui.Text(g_balancing_page, B::kProgressId), "Orario Classi.txt"));
    EXPECT_FALSE(ui.IsEnabled(g_balancing_page, B::kTakeId));
    fs::remove(classes);
  });
}

// Opened, the balancing page names each of its buttons, and only those that
// start something can be pressed: nothing runs, nothing waits to be taken.
TEST_F(Results, TheBalancingPageOpensWithItsCaptionsAndOnlyTheRunButtonsLive) {
  Run(true, "", [&] {
    ui.AnswerNextModal(kIdYes);  // the hand-made week was never computed here
    alfadlg_go_to_page(kPageBila);
    ASSERT_EQ(g_current_page, &g_balancing_page);
    const struct {
      int id;
      const char* caption;
      bool enabled;
    } controls[] = {
        {B::kTitleId, "Bilanciamento dell'orario", true},
        {B::kTeachersId, "Bilancia l'orario dei Professori", true},
        {B::kWeightsId, "Bilancia il Peso Didattico", true},
        {B::kWeightDialogId, "Peso Didattico", true},
        {B::kStopId, "STOP", false},
        {B::kTakeId, "Prendi l'orario bilanciato", false},
        {B::kDropId, "Scarta", false},
    };
    for (const auto& c : controls) {
      EXPECT_EQ(ui.Text(g_balancing_page, c.id), c.caption) << c.id;
      EXPECT_EQ(ui.IsEnabled(g_balancing_page, c.id), c.enabled) << c.caption;
    }
    EXPECT_FALSE(g_balancing_page.Running());
    EXPECT_FALSE(g_balancing_page.ResultPending());
  });
}

// "Word 2000" as the status file keeps it, and no visit to the processing
// menu: the first computation's RTF reports take the text form.
TEST_F(Results, TheSavedReportOptionsHoldFromTheFirstRun) {
  Run(false, "OLDWRD:1-255\n", [&] {
    Start(0);
    WaitEnd();
    std::string rtf = read(school_ / "Orario" / "Orario Classi Completo.rtf");
    EXPECT_NE(rtf.find("Courier New"), std::string::npos);
    EXPECT_EQ(rtf.find("\\trowd"), std::string::npos);
  });
}

}  // namespace
