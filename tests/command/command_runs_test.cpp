// The command interpreter over scripted steps, seen as the user sees a run:
// the trace lines each command prints and those it keeps in the residual
// log, the report mode every evaluation and report runs in, the folder its
// files go to in each mode, the branches its options and the school's
// settings choose, the take-over of the previous timetable with its busy
// notice and message, and a computation from an empty week.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "engine/command_steps.h"
#include "engine/engine_main.h"
#include "engine/save_files.h"
#include "engine/status_block.h"
#include "engine/timetable_aside.h"
#include "engine_test_support.h"
#include "reports/report_run.h"
#include "solver/parallel_workers.h"
#include "engine/solver_entry.h"

using engine_test::InFolder;
using engine_test::read_file;
using engine_test::TempDir;
using engine_test::write_file;

namespace {

namespace fs = std::filesystem;

// What the scripted steps do and saw; reset before every test.
struct Script {
  int load_error = 0;   // 0 none, -1 critical, -2 configuration, -3 impossible
  int build_error = 0;  // the same, raised by build_initial_timetable
  int save_error = 0;   // the same, raised by save_timetable
  int build_result = 1, recover_result = 0, check_standby_result = 0;
  std::vector<int> load_timetable_results;  // one per call, the last repeated; empty: 0
  int classes = 4, real_classes = 4, lessons = 12, teachers = 0;
  int standby_grouping = 0;
  int focus[3] = {0, 0, 0};
  int errors_left = 0;        // the evaluation's error count
  bool save_writes = false;   // the save step writes "savego.txt"
  std::string calls;          // each step with the report mode it ran in
  std::vector<std::string> popups;
  int load_timetable_calls = 0;
};
Script s;

void call(const std::string& text) { s.calls += (s.calls.empty() ? "" : " ") + text; }
std::string mode() { return "@" + std::to_string(g_eng_run.report_mode); }
std::string arg(const char* name, int value) { return std::string(name) + "(" + std::to_string(value) + ")"; }

void raise(int code, const char* text) {
  switch (code) {
    case -1: or_raise_critical_error(text, 0, kSourceLoad, 65);
    case -2: or_raise_config_error(text, "V:\tROSSI\r");
    case -3: or_raise_impossible(text);
    default: return;
  }
}

void fake_load(const char* file, int how) {
  call(std::string("load(") + file + "," + std::to_string(how) + ")" + mode());
  raise(s.load_error, "Manca file descrizione scuola");
  g_eng_school.class_count = s.classes, g_eng_school.real_class_count = s.real_classes;
  g_eng_school.lesson_count = s.lessons;
  g_eng_school.teacher_count = s.teachers;
  g_eng_school.standby_grouping = static_cast<std::int8_t>(s.standby_grouping);
}

int fake_load_timetable(int kind) {
  call(arg("loadtt", kind));
  if (s.load_timetable_results.empty()) return 0;
  std::size_t at = static_cast<std::size_t>(s.load_timetable_calls++);
  if (at >= s.load_timetable_results.size()) at = s.load_timetable_results.size() - 1;
  return s.load_timetable_results[at];
}

class CommandRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    s = Script{};
    CommandSteps f{};
    f.reset_model = or_reset_model;
    f.load_description = fake_load;
    f.reset_weights = [](int k) { call(arg("weights", k)); };
    f.build_initial_timetable = [](int k) {
      call(arg("build", k) + mode());
      raise(s.build_error, "SW");
      return s.build_result;
    };
    f.load_timetable = fake_load_timetable;
    f.save_timetable = [](int k) {
      call(arg("save", k));
      raise(s.save_error, "save");
      if (!s.save_writes) return;
      std::FILE* out = or_fopen("savego.txt", "wt");
      std::fputs("the recovered week", out);
      or_fclose(out);
    };
    f.recover_previous_timetable = [] { call("recover"); return s.recover_result; };
    f.prepare_model_for_solving = [] { call("prepare"); };
    f.prepare_search_tables = [] { call("tables"); };
    f.evaluate_all_constraints = [](int k) {
      call(arg("eval", k) + mode());
      g_status.error_count = s.errors_left;
      g_eng_run.report_flag = 7;  // the evaluation leaves its own marks
      return 0u;
    };
    f.focus_common_room_minimum = [] { return s.focus[0]; };
    f.focus_twin_distribution = [] { return s.focus[1]; };
    f.focus_single_hour_lessons = [] { return s.focus[2]; };
    f.prepare_standby_run = [] { call("standbyrun"); };
    f.check_standby_hours = [](int k) { call(arg("checkstandby", k)); return s.check_standby_result; };
    f.pack_standby_lessons = [](int k) { call(arg("pack", k)); };
    f.allocate_reception_hours = [] { call("reception"); };
    f.build_timetable_view = [] { call("view"); };
    f.balance_phase = [](int k) { call(arg("balance", k)); };
    f.reduce_overlaps_phase = [](int k) { call(arg("overlaps", k)); };
    f.room_allocation_phase = [](int k, int first) { call(arg("rooms", k) + arg("", first)); return 0; };
    f.assign_rooms_per_building = [](int batch, int report) {
      call(arg("perbuilding", batch) + arg("", report));
      return 0;
    };
    f.write_all_reports = [](int k, int p) { call("reports(" + std::to_string(k) + "," + std::to_string(p) + ")" + mode()); };
    f.write_absences_file = [] { call("absences" + mode()); };
    f.run_substitutions = [](int k) { call(arg("subst", k) + mode()); };
    f.write_substitution_reports = [] { call("substreports"); };
    f.busy_popup = [](const char* text, int how) { s.popups.push_back(std::string(text ? text : "-") + "|" + std::to_string(how)); };
    g_command_steps = f;
    g_status.clear();
    g_error_exit_count = 0;
    g_recovery_allowed = 0;
    g_test_run = g_provisional_mode = g_quiet_no_timetable = 0;
  }
  void TearDown() override {
    g_command_steps = or_default_command_steps();
    g_test_run = g_provisional_mode = g_quiet_no_timetable = 0;
    g_room_grouping_unattended = 0;
    g_status.room_params = nullptr;
    g_status.language = 0;
    g_publish_school_code[0] = '\0';
  }
  int run(std::vector<const char*> args) {
    std::vector<const char*> argv = {"Questo non serve"};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.push_back(nullptr);
    return or_main(1, static_cast<int>(argv.size() - 1), argv.data());
  }
  // Runs the command and returns what it printed.
  std::string console(std::vector<const char*> args, int* result = nullptr) {
    testing::internal::CaptureStdout();
    int r = run(args);
    if (result) *result = r;
    return testing::internal::GetCapturedStdout();
  }
  std::string message() const { return g_status.message; }
  TempDir dir_;
  InFolder in_{dir_.path()};
};

// The trace's lines as titles ("%-98s Ms:.. TS:.."), one a line, the date of
// an end line as [DATE]; other lines as printed.
std::string titles(const std::string& text) {
  static const std::regex date(R"(\[\d\d-\d\d-\d{4} \d\d:\d\d:\d\d\])");
  std::string out;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end == std::string::npos ? text.size() : end + 1;
    std::size_t ms = line.find(" Ms:");
    if (ms != std::string::npos) {
      line = line.substr(0, ms);
      while (!line.empty() && line.back() == ' ') line.pop_back();
    }
    out += std::regex_replace(line, date, "[DATE]") + "\n";
  }
  return out;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

// Each command's trace: its title, the load's "CARICATO", and the end line
// with the date; the commands that keep a residual log start it with their
// title (stand-by assignment, substitutions) or end it with the end line
// (report run, stand-by assignment); "CARICATO" never goes into the log.
TEST_F(CommandRuns, EachCommandTracesItsTitleLoadAndEndAndLogsWhatItShould) {
  const char* kLog = "Errori Residui.txt";
  struct Case {
    std::vector<const char*> args;
    std::string console;
    const char* log_folder;  // where the residual log is; null: none anywhere
    std::string log;
  } cases[] = {
      {{"CALC:x.txt"}, "INIZIO\nCARICATO\nFine Orario [DATE]\n", nullptr, ""},
      {{"SYNT:x.txt"}, "INIZIO CONTROLLO SINTASSI\nCARICATO\n", nullptr, ""},
      {{"SNOD:x.txt"}, "INIZIO CONTROLLO SINTASSI\nCARICATO\n", nullptr, ""},
      {{"SBIL:x.txt"}, "INIZIO CONTROLLO SINTASSI\nCARICATO\n", nullptr, ""},
      {{"REPO:x.txt"}, "INIZIO REPORT da file ore (senza correzione errori)\nCARICATO\nFine Orario [DATE]\n", "Orario",
       "Fine Orario [DATE]\n"},
      {{"REPO:x.txt", "Tkas"}, "INIZIO REPORT da file ore (senza correzione errori)\nCARICATO\n", nullptr, ""},
      {{"DISP:x.txt"}, "INIZIO ASSEGNAZIONE DISPOSIZIONI\nCARICATO\nFine Assegnazione disposizioni [DATE]\n", "Orario",
       "INIZIO ASSEGNAZIONE DISPOSIZIONI\nFine Assegnazione disposizioni [DATE]\n"},
      {{"RIGO:x.txt"}, "INIZIO CONTROLLO SINTASSI\nCARICATO\n", nullptr, ""},
      {{"SOST:x.txt"}, "INIZIO ASSEGNAZIONE Sostituzioni Assenti\nCARICATO\nFine Calcolo Sostituzioni [DATE]\n",
       "RisultatoTest", "INIZIO ASSEGNAZIONE Sostituzioni Assenti\n"},
      {{"SOLO:x.txt"}, "INIZIO Caricamento Interfaccia Sostituzioni Assenti\nCARICATO\n", "RisultatoTest",
       "INIZIO Caricamento Interfaccia Sostituzioni Assenti\n"},
      {{"BILA:x.txt"}, "INIZIO Bilanciamento\nCARICATO\nFine Output [DATE]\n", nullptr, ""},
      {{"MISV:x.txt"}, "INIZIO Riduzione Sovrapposizioni\nCARICATO\nFine Output [DATE]\n", nullptr, ""},
      {{"ASAU:x.txt"}, "INIZIO REPORT\nCARICATO\nFine Output [DATE]\n", nullptr, ""},
      {{"SOSX:x.txt"}, "", nullptr, ""},
      {{"SOSA:x.txt"}, "", nullptr, ""},
  };
  for (const Case& c : cases) {
    std::string id = std::string(c.args[0]) + (c.args.size() > 1 ? c.args[1] : "");
    s = Script{};
    fs::remove_all("Orario");
    fs::remove_all("RisultatoTest");
    int result = -5;
    std::string out = console(c.args, &result);
    EXPECT_EQ(result, kResultOk) << id << ": " << message();
    EXPECT_EQ(titles(out), c.console) << id;
    for (const char* folder : {"Orario", "RisultatoTest"}) {
      bool here = c.log_folder && std::string(c.log_folder) == folder;
      std::string path = std::string(folder) + "/" + kLog;
      EXPECT_EQ(fs::exists(path), here) << id << " " << folder;
      if (here) { EXPECT_EQ(titles(read_file(path)), c.log) << id; }
    }
  }
}

// The log takes the user's language in its name; a missing saved timetable
// on the syntax check is said on the console.
TEST_F(CommandRuns, TheResidualLogIsNamedInTheUsersLanguageAndTheSyntaxCheckSaysNonConfig) {
  g_status.language = 2;
  EXPECT_EQ(run({"DISP:x.txt"}), kResultOk);
  EXPECT_EQ(titles(read_file("Orario/Remaining Errors.txt")),
            "INIZIO ASSEGNAZIONE DISPOSIZIONI\nFine Assegnazione disposizioni [DATE]\n");
  EXPECT_FALSE(fs::exists("Orario/Errori Residui.txt"));
  g_status.language = 0;
  s = Script{};
  s.load_timetable_results = {-3};
  EXPECT_EQ(titles(console({"SYNT:x.txt"})), "INIZIO CONTROLLO SINTASSI\nCARICATO\nnon config\n");
  EXPECT_EQ(s.calls, "load(x.txt,0)@0 weights(1) loadtt(0) checkstandby(0) loadtt(0) view");
}

// A command after one that ended with the report mode negative (a report run,
// the absences file) starts quiet: its lines reach the console, not a log,
// and the evaluation's marks of the last run are cleared.
TEST_F(CommandRuns, EveryCommandStartsQuietWhateverTheLastOneLeft) {
  EXPECT_EQ(run({"REPO:x.txt"}), kResultOk);
  EXPECT_EQ(g_eng_run.report_mode, -1);
  fs::remove_all("Orario");
  std::string out = console({"CALC:x.txt"});
  EXPECT_EQ(titles(out), "INIZIO\nCARICATO\nFine Orario [DATE]\n");
  EXPECT_FALSE(fs::exists("Orario/Errori Residui.txt"));
  EXPECT_EQ(run({"SOSA:x.txt"}), kResultOk);
  EXPECT_EQ(s.calls.substr(s.calls.rfind(' ') + 1), "absences@-1");
  s = Script{};
  g_command_steps.load_description = [](const char* file, int how) {
    fake_load(file, how);
    call("flag" + std::to_string(g_eng_run.report_flag));
  };
  EXPECT_EQ(titles(console({"BILA:x.txt"})), "INIZIO Bilanciamento\nCARICATO\nFine Output [DATE]\n");
  EXPECT_EQ(s.calls, "load(x.txt,0)@0 flag0 weights(1) build(0)@0 prepare eval(0)@0 loadtt(0) balance(100000)");
}

// The report mode of each evaluation and report: the report run and the
// stand-by assignment evaluate and write with the residual log open, the
// check of the saved timetable lists its violations (mode 1) and ends quiet.
TEST_F(CommandRuns, EachEvaluationAndReportRunsInItsReportMode) {
  struct Case { std::vector<const char*> args; std::string calls; int mode_after; } cases[] = {
      {{"CALC:x.txt"}, "load(x.txt,1)@0 weights(1) build(1)@0 reports(110,0)@0", 0},
      {{"REPO:x.txt"},
       "load(x.txt,0)@0 weights(1) build(0)@0 loadtt(0) prepare eval(0)@0 checkstandby(0) eval(1)@-1 reports(110,0)@-1", -1},
      {{"SNOD:x.txt"}, "load(x.txt,0)@0 weights(1) loadtt(0) prepare eval(1)@1", 0},
      {{"SBIL:x.txt", "NEDE"}, "load(x.txt,0)@0 weights(1) loadtt(0) checkstandby(0) loadtt(0) prepare tables eval(1)@1", 0},
      {{"DISP:x.txt"},
       "load(x.txt,0)@0 weights(1) build(0)@0 loadtt(0) standbyrun save(-1) pack(0) eval(0)@-1 reports(110,0)@-1 reception view",
       -1},
      {{"SOST:x.txt"}, "load(x.txt,0)@0 weights(1) build(0)@0 loadtt(0) checkstandby(1) subst(0)@0", 0},
      {{"SOLO:x.txt"}, "load(x.txt,0)@0 weights(1) build(0)@0 loadtt(0) checkstandby(1) subst(1)@0", 0},
      {{"MISV:x.txt", "-", "9"}, "load(x.txt,0)@0 weights(1) build(0)@0 prepare eval(0)@0 loadtt(0) tables overlaps(9)", 0},
  };
  for (const Case& c : cases) {
    s = Script{};
    std::string id = std::string(c.args[0]) + (c.args.size() > 1 ? c.args[1] : "");
    EXPECT_EQ(run(c.args), kResultOk) << id << ": " << message();
    EXPECT_EQ(s.calls, c.calls) << id;
    EXPECT_EQ(g_eng_run.report_mode, c.mode_after) << id;
  }
}

// The folder each command writes to: the timetable's, or the provisional
// one in provisional mode, for the commands that write the timetable's
// files; the test folder for the trials, the report's test form and the
// commands that write no report.
TEST_F(CommandRuns, EachCommandWritesInTheFolderOfItsMode) {
  const char* kTimetable = ".\\Orario\\";
  const char* kProvisional = ".\\Provvisorio\\";
  const char* kTest = ".\\RisultatoTest\\";
  struct Case { std::vector<const char*> args; const char* plain; const char* provisional; } cases[] = {
      {{"CALC:x.txt"}, kTimetable, kProvisional},       {{"CALC:x.txt", "CONT"}, kTimetable, kProvisional},
      {{"CALC:x.txt", "TPRO"}, kTest, kTest},           {{"CALC:x.txt", "tcla"}, kTest, kTest},
      {{"REPO:x.txt"}, kTimetable, kProvisional},       {{"REPO:x.txt", "tkas"}, kTest, kTest},
      {{"DISP:x.txt"}, kTimetable, kProvisional},       {{"BILA:x.txt"}, kTimetable, kProvisional},
      {{"MISV:x.txt"}, kTimetable, kProvisional},       {{"ASAU:x.txt"}, kTimetable, kProvisional},
      {{"SYNT:x.txt"}, kTest, kTest},                   {{"SNOD:x.txt"}, kTest, kTest},
      {{"SOST:x.txt"}, kTest, kTest},                   {{"SOSX:x.txt"}, kTest, kTest},
  };
  for (const Case& c : cases)
    for (int provisional = 0; provisional < 2; ++provisional) {
      s = Script{};
      std::string id = std::string(c.args[0]) + (c.args.size() > 1 ? c.args[1] : "") + std::to_string(provisional);
      g_provisional_mode = static_cast<std::uint8_t>(provisional);
      EXPECT_EQ(run(c.args), kResultOk) << id << ": " << message();
      EXPECT_STREQ(g_output_folder, provisional ? c.provisional : c.plain) << id;
    }
}

// The phases' cycle limit is the third word when there is one (a number as
// atoi reads it), else the default.
TEST_F(CommandRuns, PhasesTakeTheirCycleLimitFromTheThirdWord) {
  struct Case { std::vector<const char*> args; const char* last; } cases[] = {
      {{"BILA:x.txt"}, "balance(100000)"},       {{"BILA:x.txt", "-"}, "balance(100000)"},
      {{"BILA:x.txt", "-", "0"}, "balance(0)"},  {{"BILA:x.txt", "savego.txt", "12"}, "balance(12)"},
      {{"MISV:x.txt"}, "overlaps(100000)"},      {{"MISV:x.txt", "-"}, "overlaps(100000)"},
      {{"MISV:x.txt", "-", "3"}, "overlaps(3)"}, {{"BILA:x.txt", "-", "abc"}, "balance(0)"},
  };
  for (const Case& c : cases) {
    s = Script{};
    std::string id = std::string(c.args[0]) + (c.args.size() > 2 ? c.args[2] : "");
    EXPECT_EQ(run(c.args), kResultOk) << id;
    EXPECT_EQ(s.calls.substr(s.calls.rfind(' ') + 1), c.last) << id;
  }
  // The phases start the search from the loaded week.
  EXPECT_EQ(+g_eng_run.search_start, 2);
}

// The room window's block picks the allocation: lessons to rooms when it
// groups no teachers, else the per-building search, which ends and reports
// on its own only where nobody is beside the run to stop it.
TEST_F(CommandRuns, TheRoomBlockAndAnUnattendedRunPickTheRoomAllocation) {
  RoomAllocationParams lessons{};
  RoomAllocationParams grouping{};
  grouping.teachers_per_room = 3;
  struct Case { const char* word; RoomAllocationParams* params; int unattended; const char* tail; } cases[] = {
      {"MISV:x.txt", nullptr, 0, "tables overlaps(100000)"},  {"MISV:x.txt", &lessons, 0, "tables rooms(1)(0)"},
      {"MISV:x.txt", &grouping, 0, "tables overlaps(100000)"}, {"ASAU:x.txt", nullptr, 0, "loadtt(0) perbuilding(1)(1)"},
      {"ASAU:x.txt", &lessons, 0, "loadtt(0) rooms(0)(0)"},     {"ASAU:x.txt", &grouping, 0, "loadtt(0) perbuilding(0)(0)"},
      {"ASAU:x.txt", &grouping, 1, "loadtt(0) perbuilding(1)(1)"}, {"ASAU:x.txt", &lessons, 1, "loadtt(0) rooms(0)(0)"},
  };
  for (const Case& c : cases) {
    s = Script{};
    g_status.room_params = c.params;
    g_room_grouping_unattended = static_cast<unsigned char>(c.unattended);
    std::string id = std::string(c.word) + (c.params == &lessons ? " lessons" : c.params ? " grouping" : " none") +
                     std::to_string(c.unattended);
    EXPECT_EQ(run({c.word}), kResultOk) << id;
    EXPECT_EQ(s.calls.substr(s.calls.size() - std::string(c.tail).size()), c.tail) << id << ": " << s.calls;
  }
}

// The syntax check looks at the stand-by hours only outside a trial and for
// a school that groups none yet, and shows the week again only when they
// check out.
TEST_F(CommandRuns, TheSyntaxCheckLooksAtTheStandbyHoursOnlyWhenItShould) {
  struct Case { const char* id; int test_run, grouping, check; std::string calls; } cases[] = {
      {"plain", 0, 0, 0, "loadtt(0) checkstandby(0) loadtt(0) view"},
      {"trial", 1, 0, 0, "loadtt(0)"},
      {"grouped", 0, 2, 0, "loadtt(0)"},
      {"one per teacher", 0, -1, 0, "loadtt(0)"},
      {"check fails", 0, 0, 1, "loadtt(0) checkstandby(0)"},
  };
  for (const Case& c : cases) {
    s = Script{};
    s.standby_grouping = c.grouping;
    s.check_standby_result = c.check;
    g_test_run = static_cast<std::uint8_t>(c.test_run);
    EXPECT_EQ(run({"SYNT:x.txt"}), kResultOk) << c.id;
    EXPECT_EQ(s.calls, "load(x.txt,0)@0 weights(1) " + c.calls) << c.id;
  }
}

// The report run: a week without errors is evaluated again with the focus
// of the constraints the school asks beyond it; the stand-by hours are
// packed when their check fails, shown again in the test form when it
// passes, and left alone when the school groups them.
TEST_F(CommandRuns, TheReportRunRefocusesACleanWeekAndSettlesTheStandbyHours) {
  const std::string head = "load(x.txt,0)@0 weights(1) build(0)@0 loadtt(0) prepare eval(0)@0 ";
  struct Case {
    const char* id;
    std::vector<const char*> args;
    int focus[3];
    int errors, grouping, check;
    std::string calls;
    int flags[3];
  } cases[] = {
      {"no focus", {"REPO:x.txt"}, {0, 0, 0}, 0, 0, 0, "checkstandby(0) eval(1)@-1 reports(110,0)@-1", {0, 0, 0}},
      {"rooms and hours", {"REPO:x.txt"}, {1, 0, 4}, 0, 0, 0, "eval(0)@0 checkstandby(0) eval(1)@-1 reports(110,0)@-1", {1, 0, 1}},
      {"twins", {"REPO:x.txt"}, {0, 2, 0}, 0, 0, 0, "eval(0)@0 checkstandby(0) eval(1)@-1 reports(110,0)@-1", {0, 1, 0}},
      {"errors left", {"REPO:x.txt"}, {1, 1, 1}, 2, 0, 0, "checkstandby(0) eval(1)@-1 reports(110,0)@-1", {0, 0, 0}},
      {"check fails", {"REPO:x.txt"}, {0, 0, 0}, 0, 0, 1, "checkstandby(0) pack(0) eval(1)@-1 reports(110,0)@-1", {0, 0, 0}},
      {"grouped", {"REPO:x.txt"}, {0, 0, 0}, 0, 1, 0, "eval(1)@-1 reports(110,0)@-1", {0, 0, 0}},
      {"test form", {"REPO:x.txt", "Tkas"}, {0, 0, 0}, 0, 0, 0, "checkstandby(0) loadtt(0) view eval(1)@-1", {0, 0, 0}},
      {"test form fails", {"REPO:x.txt", "Tkas"}, {0, 0, 0}, 0, 0, 1, "checkstandby(0) pack(0) eval(1)@-1", {0, 0, 0}},
  };
  for (const Case& c : cases) {
    s = Script{};
    for (int i = 0; i < 3; ++i) s.focus[i] = c.focus[i];
    s.errors_left = c.errors, s.standby_grouping = c.grouping, s.check_standby_result = c.check;
    EXPECT_EQ(run(c.args), kResultOk) << c.id << ": " << message();
    EXPECT_EQ(s.calls, head + c.calls) << c.id;
    // The focus of each constraint that holds is switched on.
    for (int i = 0; i < 3; ++i)
      if (c.flags[i]) { EXPECT_EQ(+g_eng_run.focus_flags[i], 1) << c.id << i; }
  }
}

// The stand-by steps of the reception-hours command: a school that groups
// its stand-by hours already gets its reception hours at once; one whose
// hours check out reloads the week first; otherwise the stand-by assignment
// runs.
TEST_F(CommandRuns, TheReceptionHoursCommandFollowsTheStandbyHours) {
  const std::string head = "load(x.txt,0)@0 weights(1) loadtt(0) ";
  struct Case { const char* id; int grouping, check; std::string calls; } cases[] = {
      {"grouped", 3, 0, "reception view"},
      {"checked", 0, 0, "checkstandby(0) loadtt(0) reception view"},
      {"assigned", 0, 2,
       "checkstandby(0) load(x.txt,0)@0 weights(1) build(0)@0 loadtt(0) standbyrun save(-1) pack(0) eval(0)@-1 "
       "reports(110,0)@-1 reception view"},
  };
  for (const Case& c : cases) {
    s = Script{};
    s.standby_grouping = c.grouping, s.check_standby_result = c.check;
    EXPECT_EQ(run({"RIGO:x.txt"}), kResultOk) << c.id << ": " << message();
    EXPECT_EQ(s.calls, head + c.calls) << c.id;
  }
  // The stand-by assignment is open to a school whose classes are all real.
  s = Script{};
  s.classes = s.real_classes = 5;
  EXPECT_EQ(run({"DISP:x.txt"}), kResultOk) << message();
  s = Script{};
  s.real_classes = 5, s.classes = 6;
  EXPECT_EQ(run({"DISP:x.txt"}), kResultImpossible);
  EXPECT_EQ(s.calls, "load(x.txt,0)@0");
}

// After the check of the saved timetable every teacher's allowed hours are
// those the check worked with.
TEST_F(CommandRuns, TheCheckLeavesEachTeachersWorkingHoursAsHisAllowedOnes) {
  g_command_steps.evaluate_all_constraints = [](int k) {
    call(arg("eval", k) + mode());
    for (int t = 0; t < g_eng_school.teacher_count; ++t)
      for (int h = 0; h < kWeekSlots; ++h) g_eng_teachers[t].allowed_hours_work[h] = static_cast<std::uint8_t>((t + h) % 3);
    return 0u;
  };
  s.teachers = 3;
  for (const char* word : {"SNOD:x.txt", "SBIL:x.txt"}) {
    for (int t = 0; t < 3; ++t) std::memset(g_eng_teachers[t].allowed_hours, 9, kWeekSlots);
    EXPECT_EQ(run({word}), kResultOk) << word;
    for (int t = 0; t < 3; ++t)
      for (int h = 0; h < kWeekSlots; h += 7) EXPECT_EQ(+g_eng_teachers[t].allowed_hours[h], (t + h) % 3) << word << t << h;
  }
}

// The option words each command word takes, as the command line asks
// before it runs one: any case, four letters.
TEST_F(CommandRuns, KnownOptionWords) {
  struct Case { const char* word; const char* option; bool known; } cases[] = {
      {"CALC:", "TPRO", true},  {"calc:", "tcla", true},  {"CALC:", "Redo", true}, {"CALC:", "CONT", true},
      {"CALC:", "MINI", true},  {"CALC:", "MIBU", true},  {"CALC:", "DERR", true}, {"CALC:", "TPROX", true},
      {"CALC:", "TPR", false},  {"CALC:", "Tkas", false}, {"CALC:", "X", false},   {"CALC:", "", true},
      {"CALC:", nullptr, true}, {"REPO:", "TKAS", true},  {"repo:", "pubk", true}, {"REPO:", "TPRO", false},
      {"REPO:", "Pub", false},  {"BILA:", "savego.txt", true}, {"SNOD:", "NEDE", true}, {"MISV:", "FAST", true},
      {nullptr, "FAST", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(or_command_option_known(c.word, c.option), c.known)
        << (c.word ? c.word : "null") << " " << (c.option ? c.option : "null");
}

// A critical error after a whole load takes the previous timetable over:
// the busy notice shows while it runs, the recovered week is saved and read
// back, and the user is told in his language; an error of the recovery's
// own save keeps the first failure.
TEST_F(CommandRuns, TheTakeOverSavesTheRecoveredWeekUnderABusyNotice) {
  const char* kRecovered[3] = {
      "Attenzione: cattedre cambiate. L'orario predecedente \xE8 stato recuperato, ma pu\xF2 contenere errori "
      "(in questo caso, rielaborare).",
      "Warnung: Unterricht ver\xE4ndert. Der Plan wurde erholt, kann aber Fehler enthalten (in diesem Fall, wieder "
      "bearbeiten).",
      "Warning: Lessons were changed. The timetable was restored, but can contain errors (in such case, process it "
      "again)."};
  const char* kBusy[3] = {"Elaborazione in corso - Attendere", "Fortschritte in der Entwicklung - Bitte warten",
                          "Processing in progress - Please wait"};
  for (int language = 0; language < 3; ++language) {
    s = Script{};
    s.build_error = -1;
    s.save_writes = true;
    g_status.clear();
    g_status.language = language;
    write_file("savego.txt", "the failed week");
    int result = 0;
    std::string out = console({"CALC:x.txt"}, &result);
    EXPECT_EQ(result, kResultRecovered) << language;
    EXPECT_STREQ(g_status.message, kRecovered[language]);
    EXPECT_EQ(s.calls, "load(x.txt,1)@0 weights(1) build(1)@0 recover save(-1) loadtt(0)") << language;
    EXPECT_EQ(s.popups, (std::vector<std::string>{std::string(kBusy[language]) + "|0", "-|-1"})) << language;
    EXPECT_EQ(read_file("savego.txt"), "the recovered week") << language;
    EXPECT_EQ(g_status.run_state, kRunStateFinished) << language;
    EXPECT_EQ(+g_status.history_count, 0) << language;
    EXPECT_FALSE(contains(out, "Exit on longjump")) << out;
  }
  // A school of one lesson is recovered too.
  s = Script{};
  s.build_error = -1, s.lessons = 1;
  g_status.clear();
  EXPECT_EQ(run({"CALC:x.txt"}), kResultRecovered) << message();
  // The recovery's save fails: the command's own failure is what the user reads.
  s = Script{};
  s.build_error = -1, s.save_error = -1, s.save_writes = true;
  g_status.clear();
  write_file("savego.txt", "the failed week");
  int result = 0;
  std::string out = console({"CALC:x.txt"}, &result);
  EXPECT_EQ(result, kResultError);
  EXPECT_TRUE(contains(message(), "Errore critico [SW]") && !contains(message(), "[save]")) << message();
  ASSERT_FALSE(s.popups.empty());
  EXPECT_EQ(s.popups.front(), "Elaborazione in corso - Attendere|0");
  EXPECT_EQ(s.popups.back(), "-|-1") << "the busy notice is closed";
  EXPECT_EQ(read_file("savego.txt"), "the failed week");
  EXPECT_EQ(g_status.history_codes[g_status.history_count - 1], kHistoryErrorExit);
  EXPECT_TRUE(contains(titles(out), "Exit on longjump - Sintassi errata\n")) << out;
}

// A saved week that places only part of the lessons (the teaching posts
// changed since) is the placement check's error for the commands that take
// the previous timetable over (the check and the reception hours), and a
// missing timetable for the others.
TEST_F(CommandRuns, APartlyPlacedSaveIsTakenOverOnlyWhereTheCommandRecovers) {
  struct Case { const char* word; int result; std::string calls; } cases[] = {
      {"SNOD:x.txt", kResultRecovered, "load(x.txt,0)@0 weights(1) loadtt(0) recover save(-1) loadtt(0)"},
      {"RIGO:x.txt", kResultRecovered, "load(x.txt,0)@0 weights(1) loadtt(0) recover save(-1) loadtt(0)"},
      {"SBIL:x.txt", kResultImpossible, "load(x.txt,0)@0 weights(1) loadtt(0)"},
      {"DISP:x.txt", kResultImpossible, "load(x.txt,0)@0 weights(1) build(0)@0 loadtt(0)"},
      {"SOST:x.txt", kResultImpossible, "load(x.txt,0)@0 weights(1) build(0)@0 loadtt(0)"},
      {"BILA:x.txt", kResultImpossible, "load(x.txt,0)@0 weights(1) build(0)@0 prepare eval(0)@0 loadtt(0)"},
  };
  for (const Case& c : cases) {
    s = Script{};
    s.load_timetable_results = {7, 0};
    g_status.clear();
    EXPECT_EQ(run({c.word}), c.result) << c.word << ": " << message();
    EXPECT_EQ(s.calls, c.calls) << c.word;
    if (c.result == kResultImpossible) {
      EXPECT_TRUE(contains(message(), "Orario non ancora elaborato - mancano i valori delle Ore di lezione.\n\n"
                                      "Accedete a ELABORAZIONE dell'ORARIO e eseguite il CALCOLO dell'ORARIO"))
          << c.word << ": " << message();
    }
  }
  // With the take-over switched off, the check's error is the placement
  // check's own.
  s = Script{};
  s.load_timetable_results = {7};
  g_status.clear();
  g_recovery_allowed = 157;
  EXPECT_EQ(run({"SNOD:x.txt"}), kResultError);
  EXPECT_TRUE(contains(message(), "Errore critico [SW][0]") && contains(message(), "OR_VINU, line:34")) << message();
  EXPECT_EQ(s.calls, "load(x.txt,0)@0 weights(1) loadtt(0)");
  // In English, the missing timetable of the balancing.
  s = Script{};
  s.load_timetable_results = {-3};
  g_recovery_allowed = 0;
  g_status.clear();
  g_status.language = 2;
  EXPECT_EQ(run({"BILA:x.txt"}), kResultImpossible);
  EXPECT_TRUE(contains(message(), "Timetable not computed yet - the lesson hours are missing.\n\nOpen TIMETABLE "
                                  "PROCESSING and run the TIMETABLE CALCULATION"))
      << message();
}

// A computation from an empty week (the saved one set aside by the caller)
// has no previous timetable to take over; the request ends with the
// command, so the next computation recovers again.
TEST_F(CommandRuns, AComputationFromAnEmptyWeekTakesNothingOver) {
  g_calc_from_empty_week = 1;
  s.build_error = -1;
  g_command_steps.build_initial_timetable = [](int k) {
    call(arg("build", k) + (or_computing_anew() ? " anew" : " saved"));
    raise(s.build_error, "SW");
    return s.build_result;
  };
  EXPECT_EQ(run({"CALC:x.txt"}), kResultError);
  EXPECT_EQ(s.calls, "load(x.txt,1)@0 weights(1) build(1) anew");
  EXPECT_EQ(+g_calc_from_empty_week, 0);
  EXPECT_FALSE(or_computing_anew());
  s = Script{};
  s.build_error = -1;
  g_status.clear();
  EXPECT_EQ(run({"CALC:x.txt"}), kResultRecovered) << message();
  EXPECT_EQ(s.calls, "load(x.txt,1)@0 weights(1) build(1) saved recover save(-1) loadtt(0)");
  // Asked of another command, it is dropped at that command's end.
  g_calc_from_empty_week = 1;
  s = Script{};
  EXPECT_EQ(run({"SNOD:x.txt"}), kResultOk);
  EXPECT_EQ(+g_calc_from_empty_week, 0);
  s = Script{};
  EXPECT_EQ(run({"CALC:x.txt"}), kResultOk);
  EXPECT_EQ(s.calls, "load(x.txt,1)@0 weights(1) build(1) saved reports(110,0)@0");
}

// An error exit outside a trial says so in the trace; a trial's first error
// does not, and ends the run as finished.
TEST_F(CommandRuns, ErrorExitsAreTracedOutsideTrials) {
  s.load_error = -2;
  int result = 0;
  std::string out = console({"CALC:x.txt"}, &result);
  EXPECT_EQ(result, kResultConfig);
  // The trace's title, the error as the reporter echoes it, the exit line.
  std::string lines = titles(out);
  EXPECT_EQ(lines.rfind("INIZIO\n(0) Errore di configurazione [Manca file descrizione scuola]", 0), 0u) << lines;
  const std::string exit_line = "Exit on longjump - Sintassi errata\n";
  EXPECT_EQ(lines.substr(lines.size() - std::min(lines.size(), exit_line.size())), exit_line) << lines;
  // A good run starts the count of error exits again; a trial's first error
  // is then the test's own result.
  s = Script{};
  EXPECT_EQ(run({"SOSX:x.txt"}), kResultOk);
  s.load_error = -2;
  g_test_run = 1;
  g_status.clear();
  out = console({"CALC:x.txt", "TPRO"}, &result);
  EXPECT_EQ(result, kResultTestFirstError);
  EXPECT_FALSE(contains(out, "Exit on longjump")) << out;
  EXPECT_EQ(g_status.run_state, kRunStateFinished);
  EXPECT_EQ(+g_status.history_count, 0);
}

// A file of the run that cannot be put in place (a folder was made where it
// goes while the run went on) fails the command, saying the files will be
// completed at the next start and why; the next command stops on the same
// obstacle, naming the run's marker; once the folder is gone, the next
// command completes the file.
TEST_F(CommandRuns, AFileThatCannotBePutInPlaceIsCompletedByALaterCommand) {
  g_command_steps.write_all_reports = [](int, int) {
    std::FILE* f = or_fopen(".\\Orario\\Orario Classi.txt", "wt");
    ASSERT_NE(f, nullptr);
    std::fputs("report", f);
    or_fclose(f);
    fs::create_directories("Orario/Orario Classi.txt/dentro");
  };
  EXPECT_EQ(run({"CALC:x.txt"}), kResultError);
  EXPECT_TRUE(contains(message(), "[I file dell'elaborazione saranno completati al prossimo avvio - Al posto del file "
                                  "c'\xE8 una cartella]"))
      << message();
  EXPECT_TRUE(contains(message(), "[Orario/Orario Classi.txt]")) << message();
  EXPECT_TRUE(contains(message(), "\n\nErrore critico - correggere e riprovare")) << message();
  EXPECT_EQ(g_status.run_state, kRunStateFinished);
  EXPECT_TRUE(fs::is_directory("Orario/Orario Classi.txt/dentro"));
  g_status.clear();
  g_status.language = 2;
  s = Script{};
  EXPECT_EQ(run({"SOSX:x.txt"}), kResultError);
  EXPECT_TRUE(contains(message(), "orario.kt-commit") && contains(message(), "Critical error. Correct and try again"))
      << message();
  EXPECT_EQ(s.calls, "");
  fs::remove_all("Orario/Orario Classi.txt");
  g_status.clear();
  EXPECT_EQ(run({"SOSX:x.txt"}), kResultOk) << message();
  EXPECT_EQ(read_file("Orario/Orario Classi.txt"), "report");
  EXPECT_FALSE(fs::exists("orario.kt-commit"));
}

// A worker asked for a number outside the workers' range ends at once.
TEST_F(CommandRuns, AWorkerOutsideTheRangeEndsAtOnce) {
  EXPECT_EQ(parpro_run_worker_process(0, 0), 1);
  EXPECT_EQ(parpro_run_worker_process(kMaxWorkerProcesses + 1, 2), 1);
  EXPECT_EQ(parpro_run_worker_process(-3, 1), 1);
}

// Every command that checks or assigns the stand-by hours of a school that
// groups none yet first marks it as one stand-by class per teacher, so the
// check builds those classes.
TEST_F(CommandRuns, TheStandbyStepsSeeOneClassPerTeacher) {
  g_command_steps.check_standby_hours = [](int k) {
    call(arg("checkstandby", k) + "g" + std::to_string(g_eng_school.standby_grouping));
    return s.check_standby_result;
  };
  g_command_steps.prepare_standby_run = [] { call("standbyrun g" + std::to_string(g_eng_school.standby_grouping)); };
  struct Case { const char* word; const char* step; } cases[] = {
      {"SYNT:x.txt", "checkstandby(0)g-1"}, {"SBIL:x.txt", "checkstandby(0)g-1"}, {"REPO:x.txt", "checkstandby(0)g-1"},
      {"RIGO:x.txt", "checkstandby(0)g-1"}, {"SOST:x.txt", "checkstandby(1)g-1"}, {"SOLO:x.txt", "checkstandby(1)g-1"},
      {"DISP:x.txt", "standbyrun g-1"},
  };
  for (const Case& c : cases) {
    s = Script{};
    EXPECT_EQ(run({c.word}), kResultOk) << c.word << ": " << message();
    EXPECT_TRUE(contains(s.calls, c.step)) << c.word << ": " << s.calls;
  }
  // The substitutions and the stand-by assignment mark a grouping school too.
  for (const char* word : {"SOST:x.txt", "DISP:x.txt"}) {
    s = Script{};
    s.standby_grouping = 40;
    EXPECT_EQ(run({word}), kResultOk) << word;
    EXPECT_TRUE(contains(s.calls, "g-1")) << word << ": " << s.calls;
  }
}

// Every error exit, and a take-over that fails, leave both parallel mutexes
// free for the next run.
TEST_F(CommandRuns, EveryErrorExitReleasesTheParallelMutexes) {
  pthread_mutex_t io = PTHREAD_MUTEX_INITIALIZER;
  pthread_mutex_t com = PTHREAD_MUTEX_INITIALIZER;
  g_parpro_io_mutex = &io;
  g_parpro_com_mutex = &com;
  struct Case { const char* id; int load_error, saved, recover_result; int result; } cases[] = {
      {"critical", -1, 0, 0, kResultError},       {"configuration", -2, 0, 0, kResultConfig},
      {"impossible", -3, 0, 0, kResultImpossible}, {"failed take-over", 0, 7, -1, kResultError},
  };
  for (const Case& c : cases) {
    s = Script{};
    s.load_error = c.load_error, s.recover_result = c.recover_result;
    s.load_timetable_results = {c.saved};
    g_status.clear();
    ASSERT_TRUE(or_wait_mutex_for(&io, 60000)) << c.id;
    ASSERT_TRUE(or_wait_mutex_for(&com, 60000)) << c.id;
    EXPECT_EQ(run({"SNOD:x.txt"}), c.result) << c.id << ": " << message();
    EXPECT_EQ(pthread_mutex_trylock(&io), 0) << c.id;
    EXPECT_EQ(pthread_mutex_trylock(&com), 0) << c.id;
    pthread_mutex_unlock(&io);
    pthread_mutex_unlock(&com);
  }
  // A file error: the folder's marker of an unfinished run cannot be settled.
  pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  ::waitpid(child, nullptr, 0);
  const std::string gone = std::to_string(child);
  fs::create_directories("blocco/dentro");
  write_file("blocco.kt-tmp-" + gone + "-1", "x");
  write_file("orario.kt-commit", "KT-RUN " + gone + "\nW\tblocco.kt-tmp-" + gone + "-1\tblocco\nEND\n");
  ASSERT_TRUE(or_wait_mutex_for(&io, 60000));
  ASSERT_TRUE(or_wait_mutex_for(&com, 60000));
  g_status.clear();
  EXPECT_EQ(run({"SOSX:x.txt"}), kResultError);
  EXPECT_TRUE(contains(message(), "orario.kt-commit")) << message();
  EXPECT_EQ(pthread_mutex_trylock(&io), 0);
  EXPECT_EQ(pthread_mutex_trylock(&com), 0);
  pthread_mutex_unlock(&io);
  pthread_mutex_unlock(&com);
  g_parpro_io_mutex = g_parpro_com_mutex = nullptr;
}

// The calling thread is the engine's only while a command runs: a file it
// opens between two commands is its own, and a later failed command leaves
// it open.
TEST_F(CommandRuns, AFileOpenedBetweenCommandsIsNotTheEngines) {
  EXPECT_EQ(run({"SOSX:x.txt"}), kResultOk);
  std::FILE* own = or_fopen("own.txt", "wt");
  ASSERT_NE(own, nullptr);
  s.load_error = -2;
  EXPECT_EQ(run({"CALC:x.txt"}), kResultConfig);
  EXPECT_GE(std::fputs("still open", own), 0);
  EXPECT_EQ(or_fclose(own), 0);
  EXPECT_EQ(read_file("own.txt"), "still open");
}

// An empty option word is no option: the command runs as without one.
TEST_F(CommandRuns, AnEmptyOptionWordIsNoOption) {
  EXPECT_EQ(run({"CALC:x.txt", ""}), kResultOk) << message();
  EXPECT_EQ(+g_eng_run.run_mode, 15);
  EXPECT_STREQ(g_output_folder, ".\\Orario\\");
  s = Script{};
  EXPECT_EQ(run({"REPO:x.txt", ""}), kResultOk) << message();
  EXPECT_TRUE(contains(s.calls, "reports(110,0)")) << s.calls;
}

// A first build that says there is nothing more to do ends the command there,
// without its end line: nothing was computed, reported or assigned.
TEST_F(CommandRuns, ABuildWithNothingMoreToDoEndsTheCommandQuietly) {
  struct Case { const char* word; std::string calls; const char* title; } cases[] = {
      {"REPO:x.txt", "load(x.txt,0)@0 weights(1) build(0)@0", "INIZIO REPORT da file ore (senza correzione errori)\n"},
      {"DISP:x.txt", "load(x.txt,0)@0 weights(1) build(0)@0", "INIZIO ASSEGNAZIONE DISPOSIZIONI\n"},
      {"SOST:x.txt", "load(x.txt,0)@0 weights(1) build(0)@0", "INIZIO ASSEGNAZIONE Sostituzioni Assenti\n"},
      {"BILA:x.txt", "load(x.txt,0)@0 weights(1) build(0)@0", "INIZIO Bilanciamento\n"},
      {"MISV:x.txt", "load(x.txt,0)@0 weights(1) build(0)@0", "INIZIO Riduzione Sovrapposizioni\n"},
      {"ASAU:x.txt", "load(x.txt,0)@0 weights(1) build(0)@0", "INIZIO REPORT\n"},
  };
  for (const Case& c : cases) {
    s = Script{};
    s.build_result = 0;
    g_status.clear();  // as every caller does before a run
    int result = -5;
    std::string out = console({c.word}, &result);
    EXPECT_EQ(result, kResultOk) << c.word << ": " << message();
    EXPECT_EQ(s.calls, c.calls) << c.word;
    EXPECT_EQ(titles(out), std::string(c.title) + "CARICATO\n") << c.word;
    EXPECT_EQ(g_status.history_codes[g_status.history_count - 1], kHistoryEndWithoutStop) << c.word;
  }
}

// A stand-by assignment that fails after it opened its residual log leaves
// no log behind, and its exit line reaches the console.
TEST_F(CommandRuns, AFailedStandbyAssignmentLeavesNoLog) {
  g_command_steps.write_all_reports = [](int, int) { raise(-2, "Manca file descrizione scuola"); };
  int result = 0;
  std::string out = console({"DISP:x.txt"}, &result);
  EXPECT_EQ(result, kResultConfig);
  EXPECT_TRUE(contains(titles(out), "Exit on longjump - Sintassi errata\n")) << out;
  EXPECT_FALSE(fs::exists("Orario/Errori Residui.txt"));
  EXPECT_FALSE(fs::exists("Orario") && !fs::is_empty("Orario"));
}

// Only the words argc counts are read, and a missing argument list is a usage
// error too, never a crash: the caller's count says whether there is a
// command word.
TEST_F(CommandRuns, OnlyTheCountedWordsAreReadAndNoListIsAUsageError) {
  const char* argv[] = {"Questo non serve", "SOSX:x.txt", nullptr};
  EXPECT_EQ(or_main(1, 1, argv), kResultError);
  EXPECT_TRUE(contains(message(), "Syntax: orario calc:file_cattedre") && contains(message(), "line:535")) << message();
  EXPECT_EQ(s.calls, "");
  g_status.clear();
  EXPECT_EQ(or_main(1, 0, argv), kResultError);
  EXPECT_TRUE(contains(message(), "line:535")) << message();
  g_status.clear();
  EXPECT_EQ(or_main(1, 2, nullptr), kResultError);
  EXPECT_TRUE(contains(message(), "line:535")) << message();
  g_status.clear();
  EXPECT_EQ(or_main(1, 2, argv), kResultOk) << message();
  EXPECT_EQ(s.calls, "substreports");
}
