// The command interpreter over scripted steps: the steps each command and
// option word runs, result codes and messages, recovery, run history, and the
// clean-up of the error paths.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "engine/command_steps.h"
#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "engine_test_support.h"
#include "reports/report_run.h"

using engine_test::InFolder;
using engine_test::read_file;
using engine_test::TempDir;
using engine_test::write_file;

namespace {

// What the scripted steps do; reset before every test.
struct Script {
  int load_error = 0;   // 0 none, -1 critical, -2 configuration, -3 impossible, -100 file
  int build_error = 0;  // the same, raised by build_initial_timetable
  int build_result = 1, load_timetable_result = 0, recover_result = 0, check_standby_result = 0;
  int classes = 4, real_classes = 4, lessons = 12;
  bool load_opens_file = false;
  bool reports_write = false;  // the reports step writes one file into the output folder
  std::string calls;
  std::vector<int> per_building;  // the arguments of the last search of rooms per building
};
Script s;

void call(const std::string& text) { s.calls += (s.calls.empty() ? "" : " ") + text; }

void raise(int code, const char* text) {
  switch (code) {
    case -1: or_raise_critical_error(text, 0, kSourceLoad, 65);
    case -2: or_raise_config_error(text, "V:\tROSSI\r");
    case -3: or_raise_impossible(text);
    case -100: or_raise_file_error(text, "", kSourceUtil, 1);
    default: return;
  }
}

std::string arg(const char* name, int value) { return std::string(name) + "(" + std::to_string(value) + ")"; }

void fake_load(const char* file, int mode) {
  call(std::string("load(") + file + "," + std::to_string(mode) + ")");
  if (s.load_opens_file) {
    std::FILE* f = or_fopen("engine_file.txt", "wt");
    std::fputs("written by the engine", f);  // flushed only by the close
  }
  raise(s.load_error, "Manca file descrizione scuola");
  g_eng_school.class_count = s.classes, g_eng_school.real_class_count = s.real_classes;
  g_eng_school.lesson_count = s.lessons;
}
int fake_focus() { return 0; }

class CommandInterpreter : public ::testing::Test {
 protected:
  void SetUp() override {
    s = Script{};
    CommandSteps f{};
    f.reset_model = or_reset_model;
    f.load_description = fake_load;
    f.reset_weights = [](int) {};
    f.build_initial_timetable = [](int k) { call(arg("build", k)); raise(s.build_error, "SW"); return s.build_result; };
    f.load_timetable = [](int k) { call(arg("loadtt", k)); return s.load_timetable_result; };
    f.save_timetable = [](int k) { call(arg("save", k)); };
    f.recover_previous_timetable = [] { call("recover"); return s.recover_result; };
    f.prepare_model_for_solving = [] { call("prepare"); };
    f.prepare_search_tables = [] { call("tables"); };
    f.evaluate_all_constraints = [](int k) { call(arg("eval", k)); return 0u; };
    f.focus_common_room_minimum = f.focus_twin_distribution = f.focus_single_hour_lessons = fake_focus;
    f.prepare_standby_run = [] { call("standbyrun"); };
    f.check_standby_hours = [](int k) { call(arg("checkstandby", k)); return s.check_standby_result; };
    f.pack_standby_lessons = [](int) { call("pack"); };
    f.allocate_reception_hours = [] { call("reception"); };
    f.build_timetable_view = [] { call("view"); };
    f.balance_phase = [](int k) { call(arg("balance", k)); };
    f.reduce_overlaps_phase = [](int k) { call(arg("overlaps", k)); };
    f.room_allocation_phase = [](int k, int) { call(arg("rooms", k)); return 0; };
    f.assign_rooms_per_building = [](int batch, int report) {
      call("perbuilding");
      s.per_building = {batch, report};
      return 0;
    };
    f.write_all_reports = [](int k, int p) {
      call("reports(" + std::to_string(k) + "," + std::to_string(p) + ")");
      if (!s.reports_write) return;
      std::FILE* f = or_fopen((std::string(g_output_folder) + "report.txt").c_str(), "wt");
      std::fputs("report", f);
      or_fclose(f);
    };
    f.write_absences_file = [] { call("absences"); };
    f.run_substitutions = [](int k) { call(arg("subst", k)); };
    f.write_substitution_reports = [] { call("substreports"); };
    f.busy_popup = [](const char*, int) {};
    g_command_steps = f;
    g_status.clear();
    g_error_exit_count = 0;
    g_recovery_allowed = 0;
    g_test_run = g_provisional_mode = g_quiet_no_timetable = 0;
  }
  void TearDown() override {
    g_command_steps = or_default_command_steps();
    g_test_run = g_provisional_mode = g_quiet_no_timetable = 0;
    g_status.language = 0;
  }
  int run(std::vector<const char*> args) {
    std::vector<const char*> argv = {"Questo non serve"};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.push_back(nullptr);
    return or_main(1, static_cast<int>(argv.size() - 1), argv.data());
  }
  std::string message() const { return g_status.message; }
  int last_history() const { return g_status.history_count > 0 ? g_status.history_codes[g_status.history_count - 1] : 0; }
  TempDir dir_;
  InFolder in_{dir_.path()};
};

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST_F(CommandInterpreter, EveryCommandWordReachesItsSteps) {
  const std::string calc = "load(x.txt,1) build(1) reports(110,0)";
  const std::string repo = "load(x.txt,0) build(0) loadtt(0) prepare eval(0) checkstandby(0) ";
  const std::string built = "load(x.txt,0) build(0) prepare eval(0) loadtt(0) ";
  const char* orario = ".\\Orario\\";
  const char* test = ".\\RisultatoTest\\";
  struct Case {
    std::vector<const char*> args;
    std::string calls;
    int run_mode;  // -1: not checked
    const char* folder;
  } cases[] = {
      {{"CALC:x.txt"}, calc, 15, orario}, {{"calc:x.txt"}, calc, 15, orario},
      {{"CALC:x.txt", "tpro"}, calc, 13, test}, {{"CALC:x.txt", "TCLA"}, calc, 14, test},
      {{"CALC:x.txt", "REDO"}, calc, 15, orario}, {{"CALC:x.txt", "CONT"}, calc, 16, nullptr},
      {{"CALC:x.txt", "MINI"}, calc, 19, nullptr}, {{"CALC:x.txt", "MIBU"}, calc, 20, nullptr},
      {{"CALC:x.txt", "DERR"}, calc, 29, nullptr},
      {{"SYNT:x.txt"}, "load(x.txt,0) loadtt(0) checkstandby(0) loadtt(0) view", -1, test},
      {{"SNOD:x.txt"}, "load(x.txt,0) loadtt(0) prepare eval(1)", -1, nullptr},
      {{"snod:x.txt", "NEDE"}, "load(x.txt,0) loadtt(0) prepare tables eval(1)", -1, nullptr},
      {{"SBIL:x.txt"}, "load(x.txt,0) loadtt(0) checkstandby(0) loadtt(0) prepare eval(1)", 26, nullptr},
      {{"REPO:x.txt"}, repo + "eval(1) reports(110,0)", -1, orario},
      {{"REPO:x.txt", "Pubk"}, repo + "eval(1) reports(110,1)", -1, orario},
      {{"REPO:x.txt", "TKAS"}, repo + "loadtt(0) view eval(1)", 41, test},
      {{"DISP:x.txt"}, "load(x.txt,0) build(0) loadtt(0) standbyrun save(-1) pack eval(0) reports(110,0) reception view",
       -1, orario},
      {{"RIGO:x.txt"}, "load(x.txt,0) loadtt(0) checkstandby(0) loadtt(0) reception view", -1, nullptr},
      {{"SOST:x.txt"}, "load(x.txt,0) build(0) loadtt(0) checkstandby(1) subst(0)", -1, nullptr},
      {{"SOLO:x.txt"}, "load(x.txt,0) build(0) loadtt(0) checkstandby(1) subst(1)", -1, nullptr},
      {{"SOSX:x.txt"}, "substreports", -1, nullptr}, {{"SOSA:x.txt"}, "absences", -1, nullptr},
      {{"BILA:x.txt"}, built + "balance(100000)", -1, orario},
      {{"BILA:x.txt", "-", "250"}, built + "balance(250)", -1, nullptr},
      {{"MISV:x.txt", "-", "70"}, built + "tables overlaps(70)", -1, nullptr},
      {{"ASAU:x.txt"}, built + "perbuilding", -1, nullptr},
  };
  for (const Case& c : cases) {
    s = Script{};
    g_status.clear();
    std::string id = std::string(c.args[0]) + (c.args.size() > 1 ? c.args[1] : "");
    // The publishing step names the school before it asks for "Pubk".
    bool publish = c.args.size() > 1 && std::string(c.args[1]) == "Pubk";
    if (publish) std::snprintf(g_publish_school_code, sizeof g_publish_school_code, "%s", "CPROVA");
    EXPECT_EQ(run(c.args), kResultOk) << id << ": " << message();
    g_publish_school_code[0] = '\0';
    EXPECT_EQ(s.calls, c.calls) << id;
    if (c.run_mode >= 0) { EXPECT_EQ(g_eng_run.run_mode, c.run_mode) << id; }
    if (c.folder) { EXPECT_STREQ(g_output_folder, c.folder) << id; }
    EXPECT_EQ(g_status.run_state, kRunStateFinished) << id;
    EXPECT_EQ(last_history(), kHistoryEndWithoutStop) << id;
  }
}

TEST_F(CommandInterpreter, RoomWindowChoosesTheLessonToRoomAllocation) {
  RoomAllocationParams params{};
  g_status.room_params = &params;
  EXPECT_EQ((std::vector<int>{run({"MISV:x.txt"}), run({"ASAU:x.txt"})}), (std::vector<int>{kResultOk, kResultOk}));
  EXPECT_TRUE(contains(s.calls, "rooms(1) ") && contains(s.calls, "rooms(0)")) << s.calls;
  g_status.room_params = nullptr;
}

// The search of rooms per building: run from the room window it goes on
// until the window stops it and leaves its result to the window; from the
// command line, with nobody to stop it or read it, it ends at its own stop
// point and writes its report.
TEST_F(CommandInterpreter, RoomsPerBuildingEndAndReportOnTheirOwnOnlyFromTheCommandLine) {
  EXPECT_EQ(run({"ASAU:x.txt"}), kResultOk);
  EXPECT_EQ(s.per_building, (std::vector<int>{1, 1}));
  RoomAllocationParams params{};
  params.teachers_per_room = 2;
  g_status.room_params = &params;
  s.per_building.clear();
  EXPECT_EQ(run({"ASAU:x.txt"}), kResultOk);
  g_status.room_params = nullptr;
  EXPECT_EQ(s.per_building, (std::vector<int>{0, 0}));
}

TEST_F(CommandInterpreter, BuildThatSaysNothingMoreEndsNormally) {
  s.build_result = 0;
  EXPECT_EQ(run({"CALC:x.txt"}), kResultOk);
  EXPECT_EQ(s.calls + " " + std::to_string(last_history()), "load(x.txt,1) build(1) " + std::to_string(kHistoryEndWithoutStop));
}

TEST_F(CommandInterpreter, UsageErrors) {
  for (std::vector<const char*> args : {std::vector<const char*>{}, {"CAL"}, {""}, {"XXXX:scuola2.txt"}}) {
    g_status.clear();
    std::string id = args.empty() ? "none" : args[0];
    EXPECT_EQ(run(args), kResultError) << id;
    EXPECT_TRUE(contains(message(), "Syntax: orario calc:file_cattedre [cicli_bilanciamento]\n"
                                    "orario bila:file_cattedre file_ore ciclimax")) << id << ": " << message();
    EXPECT_TRUE(contains(message(), "line:535") && s.calls.empty()) << id;
    EXPECT_EQ(last_history(), kHistoryErrorExit) << id;
  }
  // A null argv[1] is a usage error too.
  const char* argv[] = {"Questo non serve", nullptr, nullptr};
  EXPECT_EQ(or_main(1, 2, argv), kResultError);
}

// "Pubk" without a school code would publish nothing: the command says so
// before it loads anything.
TEST_F(CommandInterpreter, PublishingWithoutASchoolCodeIsImpossible) {
  g_publish_school_code[0] = '\0';
  EXPECT_EQ(run({"REPO:x.txt", "Pubk"}), kResultImpossible);
  EXPECT_EQ(s.calls, "");
  EXPECT_NE(message().find("La scuola non ha un codice"), std::string::npos) << message();
}

TEST_F(CommandInterpreter, UnknownOptionWords) {
  EXPECT_EQ(run({"CALC:x.txt", "FAST"}), kResultError);
  EXPECT_TRUE(contains(message(), "[SW][0]") && contains(message(), "line:218")) << message();
  EXPECT_EQ(run({"REPO:x.txt", "Xyzw"}), kResultError);
  EXPECT_TRUE(contains(message(), "line:244")) << message();
  // A word of one letter is no option either.
  EXPECT_EQ(run({"CALC:x.txt", "X"}), kResultError);
  EXPECT_TRUE(contains(message(), "line:218")) << message();
  EXPECT_TRUE(s.calls.empty());
}

TEST_F(CommandInterpreter, ResultCodesAndMessages) {
  struct Case { const char* id; int load_error, result, language; const char* message_part; } cases[] = {
      {"critical", -1, kResultError, 0, "Errore critico [Manca file descrizione scuola]"},
      {"config", -2, kResultConfig, 0, "Errore di configurazione [Manca file descrizione scuola] - [V: ROSSI ]"},
      {"impossible", -3, kResultImpossible, 0, "Elaborazione richiesta impossibile"},
      // File errors: the critical row is appended; no history, no count.
      {"file", -100, kResultError, 0, "Errore File \n[Manca file descrizione scuola]\n[]\n[..\\Orario\\OR_UTIL, line:1"},
      {"file", -100, kResultError, 0, "]\n\n\nErrore critico - correggere e riprovare"},
      {"file-en", -100, kResultError, 2, "]\n\n\nCritical error. Correct and try again"},
  };
  for (const Case& c : cases) {
    s = Script{};
    s.load_error = c.load_error;
    g_status.clear();
    g_status.language = c.language;
    g_error_exit_count = 0;
    EXPECT_EQ(run({"CALC:x.txt"}), c.result) << c.id;
    EXPECT_TRUE(contains(message(), c.message_part)) << c.id << ": " << message();
    EXPECT_EQ(g_status.run_state, kRunStateFinished) << c.id;
    if (c.load_error == -100) {
      EXPECT_EQ(g_status.history_count + g_error_exit_count, 0) << c.id;
    } else {
      EXPECT_EQ((std::vector<int>{last_history(), g_error_exit_count}), (std::vector<int>{kHistoryErrorExit, 1})) << c.id;
      // Control characters other than the newline became blanks.
      for (const char* p = g_status.message; *p; ++p)
        EXPECT_TRUE(static_cast<unsigned char>(*p) >= 32 || *p == '\n') << c.id;
    }
  }
}

// A successful take-over runs through the real steps in the SNOD: tests.
TEST_F(CommandInterpreter, AFailedRecoveryKeepsTheFailure) {
  s.build_error = s.recover_result = -1;  // or_main arms the recovery itself
  EXPECT_EQ(run({"CALC:x.txt"}), kResultError);
  EXPECT_EQ(s.calls, "load(x.txt,1) build(1) recover");
  EXPECT_TRUE(contains(message(), "Errore critico [SW]")) << message();
  EXPECT_EQ(last_history(), kHistoryErrorExit);
}

TEST_F(CommandInterpreter, NoRecoveryWithoutACompleteLoad) {
  write_file("savego.txt", "the previous timetable");
  struct Case { const char* id; int load_error, build_error, lessons; std::uint8_t recovery; } cases[] = {
      {"missing-description", -1, 0, 12, 0}, {"configuration", -2, 0, 12, 0}, {"no-lessons", 0, -1, 0, 0},
      {"switched-off", 0, -1, 12, 157},      {"impossible", 0, -3, 12, 0},
  };
  for (const Case& c : cases) {
    s = Script{};
    s.load_error = c.load_error, s.build_error = c.build_error, s.lessons = c.lessons;
    g_recovery_allowed = c.recovery;
    EXPECT_NE(run({"CALC:x.txt"}), kResultRecovered) << c.id;
    EXPECT_FALSE(contains(s.calls, "recover") || contains(s.calls, "save(")) << c.id << ": " << s.calls;
    EXPECT_EQ(read_file("savego.txt"), "the previous timetable") << c.id;
  }
  g_recovery_allowed = 0;
}

TEST_F(CommandInterpreter, TestRunsReturnTheirFirstErrorOnce) {
  g_test_run = 1;
  s.load_error = -2;
  EXPECT_EQ(run({"CALC:cattTEST.txt", "TPRO"}), kResultTestFirstError);
  EXPECT_TRUE(contains(message(), "Errore critico - correggere e riprovare")) << message();
  EXPECT_EQ((std::vector<int>{run({"CALC:cattTEST.txt", "TPRO"}), g_error_exit_count}), (std::vector<int>{kResultConfig, 2}));
  s.load_error = 0;  // a good run starts the count again
  EXPECT_EQ((std::vector<int>{run({"CALC:cattTEST.txt", "TPRO"}), g_error_exit_count}), (std::vector<int>{kResultOk, 0}));
  s.load_error = -3;
  EXPECT_EQ(run({"CALC:cattTEST.txt", "TPRO"}), kResultTestFirstError);
}

TEST_F(CommandInterpreter, MissingTimetable) {
  s.load_timetable_result = -3;
  EXPECT_EQ(run({"REPO:x.txt"}), kResultImpossible);
  EXPECT_TRUE(contains(message(), "Orario non ancora elaborato")) << message();
  // A save that places only part of the lessons is not yet a timetable for
  // the report, not the placement check's error (that is for the runs that
  // take the previous timetable over).
  s.load_timetable_result = 5;
  g_status.clear();
  EXPECT_EQ(run({"REPO:x.txt"}), kResultImpossible);
  EXPECT_TRUE(contains(message(), "Orario non ancora elaborato")) << message();
  s.load_timetable_result = -3;
  g_status.clear();
  g_quiet_no_timetable = 1;
  EXPECT_EQ(run({"REPO:x.txt"}), kResultOk);
  EXPECT_EQ((std::vector<int>{g_status.history_count, g_status.run_state}), (std::vector<int>{0, 0}));
  EXPECT_EQ(run({"SNOD:x.txt"}), kResultOk);
  EXPECT_EQ((std::vector<int>{g_status.history_count, g_status.run_state}), (std::vector<int>{0, kRunStateFinished}));
  // An error exit while the quiet flag is set also answers 0.
  s.load_error = -2;
  EXPECT_EQ(run({"SNOD:x.txt"}), kResultOk);
  g_quiet_no_timetable = 0;
  s.load_error = 0;
  g_status.language = 1;
  EXPECT_EQ(run({"BILA:x.txt"}), kResultImpossible);
  EXPECT_TRUE(contains(message(), "Stundenplan noch nicht berechnet")) << message();
}

TEST_F(CommandInterpreter, DispRefusesStandbyClassesAndRigoFallsBackToIt) {
  s.real_classes = 3;
  EXPECT_EQ(run({"DISP:x.txt"}), kResultImpossible);
  EXPECT_TRUE(contains(message(), "Disposizioni gi\xE0 gestite con controllo analitico errori - "
                                  "metodo DISP: non utilizzabile")) << message();
  s = Script{};
  s.check_standby_result = -1;
  EXPECT_EQ(run({"RIGO:x.txt"}), kResultOk);
  EXPECT_EQ(s.calls,
            "load(x.txt,0) loadtt(0) checkstandby(0) load(x.txt,0) build(0) loadtt(0) standbyrun "
            "save(-1) pack eval(0) reports(110,0) reception view");
}

// The report run starts each teacher's stand-by work from its stand-by hours
// ("TED:"), less the school's allowance for the second byte; the support
// value ("SOS:") plays no part.
TEST_F(CommandInterpreter, RepoStartsTheStandbyWorkFromTheStandbyHours) {
  g_command_steps.load_description = [](const char* file, int mode) {
    fake_load(file, mode);
    g_eng_school.teacher_count = 2;
    g_eng_school.standby_allowance = 1;
    g_eng_teachers[0].standby_hours = 4, g_eng_teachers[0].standby_value = 2;
    g_eng_teachers[1].standby_hours = 1, g_eng_teachers[1].standby_value = 6;
  };
  EXPECT_EQ(run({"REPO:x.txt"}), kResultOk);
  const EngineTeacher* t = g_eng_teachers;
  EXPECT_EQ((std::vector<int>{t[0].standby_work[0], t[0].standby_work[1], t[1].standby_work[0], t[1].standby_work[1]}),
            (std::vector<int>{4, 3, 1, 0}));
}

TEST_F(CommandInterpreter, RunHistory) {
  g_status.run_state = kRunStateStopRequested;
  EXPECT_EQ(run({"SOSX:x.txt"}), kResultOk);
  EXPECT_EQ(last_history(), kHistoryEndAfterStop);
  // The launching page clears the run-state byte before every run.
  for (int i = 0; i < 130; ++i) {
    g_status.run_state = kRunStateRunning;
    run(i % 2 ? std::vector<const char*>{"SOSA:x"} : std::vector<const char*>{"CAL"});
  }
  EXPECT_EQ(g_status.history_count, kRunHistorySize);
  EXPECT_EQ((std::vector<int>{g_status.history_codes[1], g_status.history_codes[2]}),
            (std::vector<int>{kHistoryErrorExit, kHistoryEndWithoutStop}));
}

// An output folder is made by the first file a command writes into it: a
// command that writes nothing there, or fails first, leaves no folder.
TEST_F(CommandInterpreter, OutputFolders) {
  EXPECT_EQ(run({"SOSX:x.txt"}), kResultOk);
  EXPECT_FALSE(std::filesystem::exists("Orario") || std::filesystem::exists("RisultatoTest"));
  s.load_error = -2;
  s.reports_write = true;
  EXPECT_EQ(run({"CALC:x.txt"}), kResultConfig);
  EXPECT_FALSE(std::filesystem::exists("Orario") || std::filesystem::exists("RisultatoTest"));
  s.load_error = 0;
  g_provisional_mode = 1;
  EXPECT_EQ(run({"CALC:cattPROV.txt"}), kResultOk);
  EXPECT_STREQ(g_output_folder, ".\\Provvisorio\\");
  EXPECT_EQ(read_file("Provvisorio/report.txt"), "report");
  EXPECT_FALSE(std::filesystem::exists("Orario") || std::filesystem::exists("RisultatoTest"));
}

TEST_F(CommandInterpreter, ErrorPathsCloseOnlyTheEnginesFiles) {
  // A file the user interface opened on its own thread, and one opened on
  // this thread before the command: neither belongs to the engine.
  std::FILE* ui_file = nullptr;
  std::thread ui([&] { ui_file = or_fopen("ui_file.txt", "wt"); });
  ui.join();
  std::FILE* before = or_fopen("before.txt", "wt");
  ASSERT_NE(ui_file, nullptr);
  ASSERT_NE(before, nullptr);
  s.load_opens_file = true;
  s.load_error = -2;
  EXPECT_EQ(run({"CALC:x.txt"}), kResultConfig);
  // The engine's file was closed by the error path, and dropped with the
  // failed command's other files: nothing of it stays in the folder.
  EXPECT_FALSE(std::filesystem::exists("engine_file.txt"));
  for (const auto& e : std::filesystem::directory_iterator("."))
    EXPECT_EQ(e.path().filename().string().find("engine_file.txt"), std::string::npos) << e.path();
  // The others are still open and usable.
  EXPECT_TRUE(std::fputs("still open", ui_file) >= 0 && std::fputs("still open", before) >= 0);
  EXPECT_TRUE(or_fclose(ui_file) == 0 && or_fclose(before) == 0);
  EXPECT_EQ(read_file("ui_file.txt"), "still open");
}

TEST_F(CommandInterpreter, ErrorExitReleasesTheParallelMutexes) {
  pthread_mutex_t io = PTHREAD_MUTEX_INITIALIZER;
  pthread_mutex_t com = PTHREAD_MUTEX_INITIALIZER;
  g_parpro_io_mutex = &io;
  g_parpro_com_mutex = &com;
  ASSERT_TRUE(or_wait_mutex_for(&io, 60000));
  s.load_error = -1;
  run({"CALC:x.txt"});
  EXPECT_EQ(pthread_mutex_trylock(&io), 0);
  EXPECT_EQ(pthread_mutex_trylock(&com), 0);
  pthread_mutex_unlock(&io);
  pthread_mutex_unlock(&com);
  g_parpro_io_mutex = g_parpro_com_mutex = nullptr;
}

TEST_F(CommandInterpreter, DayNamesFollowTheLanguage) {
  const EngineSchool& school = g_eng_school;
  g_status.language = 1;
  EXPECT_EQ(run({"SOSX:x.txt"}), kResultOk);
  EXPECT_EQ(std::string(school.day_names[0]) + school.day_abbrevs[0] + school.day_names[6], "MontagMonSontag");
  g_status.language = 0;
  EXPECT_EQ(run({"CALC:x.txt"}), kResultOk);
  EXPECT_EQ(std::string(school.day_names[0]) + school.day_abbrevs[4], "Luned\xECVen");
}
