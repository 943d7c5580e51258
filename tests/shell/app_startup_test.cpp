// Start-up and the ways out of the process in a temporary drive root: the
// worker number, the first start, a second copy refused, workers, the fatal
// reporters and whole runs of the application object.
#include "app_test_support.h"
#include "failing_reads.h"
#include "board/worker_page.h"
#include "platform/process.h"
#include "platform/shared_memory.h"
#include "platform/cp1252.h"
#include "platform/keyboard_layout.h"
#include "platform/test_driver.h"
#include "shell/frame.h"
#include "shell/home_page.h"

namespace {

using namespace kt_app_test;
using kt::ui::TestDriver;
using AppStartup = TempRoot;

TEST(AppCommandLine, ProcessNumber) {
  struct Case {
    const char* id;
    std::vector<const char*> args;
    int expected;
  };
  const Case cases[] = {
      {"none", {"kt"}, 0},          {"later-arg", {"kt", "x", "PARPRO:7-8"}, 7}, {"inside", {"kt", "--PARPRO:2"}, 2},
      {"lower-case", {"kt", "parpro:2-8"}, 0}, {"too-big", {"kt", "PARPRO:8-8"}, 0}, {"zero", {"kt", "PARPRO:0-8"}, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(og_parse_process_number(int(c.args.size()), c.args.data()), c.expected) << c.id;
}

TEST_F(AppStartup, FirstStartLanguageFromTheKeyboardLayout) {
  struct Case {
    const char* layout;
    int language;
  };
  const Case cases[] = {{"de", 1}, {"at,us", 1}, {"ch", 1}, {"it", 0}, {"us", 0}};
  for (const Case& c : cases) {
    ::setenv("XKB_DEFAULT_LAYOUT", c.layout, 1);
    ::setenv("LC_ALL", "en_GB.UTF-8", 1);
    EXPECT_EQ(og_language_from_keyboard(), c.language) << c.layout;
  }
  ::unsetenv("XKB_DEFAULT_LAYOUT");
  ::unsetenv("LC_ALL");
  write(root_ / "keyboard", "XKBMODEL=\"pc105\"\nXKBLAYOUT=\"de,it\"\n");
  EXPECT_EQ(kt::keyboard_layout_in((root_ / "keyboard").string()), "de");
  EXPECT_EQ(kt::keyboard_layout_in("/nonexistent/keyboard"), "");
}

TEST_F(AppStartup, FirstStartMakesDataFolderAndTakesLock) {
  TestDriver ui;
  ::setenv("XKB_DEFAULT_LAYOUT", "de", 1);
  og_start_instance();
  ::unsetenv("XKB_DEFAULT_LAYOUT");
  EXPECT_TRUE(fs::is_directory(data_root()));
  EXPECT_TRUE(fs::exists(data_root() / "semaphore.dat"));
  EXPECT_TRUE(bool(g_instance_lock));
  EXPECT_EQ(fs::current_path(), data_root());
  EXPECT_TRUE(og_current_folder_is_data_root());
  EXPECT_STREQ(g_current_folder, "\\KestrinTempusDati\\");
  EXPECT_EQ(g_language, 1);  // no status file: the keyboard's language
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(AppStartup, StatusFileLanguageAndFolderWin) {
  TestDriver ui;
  fs::create_directories(data_root() / "scuola");
  write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\gone\n");
  og_start_instance();
  EXPECT_EQ(fs::current_path(), data_root());  // a missing school folder leaves the data root
  g_instance_lock.release();
  write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\scuola\nLINGUA:2\n");
  ::setenv("XKB_DEFAULT_LAYOUT", "de", 1);
  og_start_instance();
  ::unsetenv("XKB_DEFAULT_LAYOUT");
  EXPECT_EQ(g_language, 2);
  EXPECT_EQ(fs::current_path(), data_root() / "scuola");
  EXPECT_EQ(og_current_folder_path(), "\\KestrinTempusDati\\scuola");
}

TEST_F(AppStartup, SecondCopyIsRefusedNamingTheHolder) {
  TestDriver ui;
  fs::create_directories(data_root());
  kt::InstanceLock first = kt::InstanceLock::acquire(data_root().string());
  ASSERT_TRUE(bool(first));
  ui.AnswerNextModal(1);
  EXPECT_EQ(ended_with(og_start_instance), 0);
  ASSERT_EQ(ui.boxes().size(), 1u);
  const std::string& text = ui.boxes()[0].texts.at(0);
  EXPECT_NE(text.find("KestrinTempus è già in Esecuzione!"_cp), std::string::npos) << text;
  EXPECT_NE(text.find("(32)"), std::string::npos) << text;
  EXPECT_NE(text.find(std::to_string(::getpid())), std::string::npos) << text;  // the holder's process
  EXPECT_FALSE(fs::exists(data_root() / "plenixstatus.txt"));
}

// A folder where the lock file goes is no running copy: the refusal names
// the file and what to do, never "already running".
TEST_F(AppStartup, ALockFileThatIsAFolderIsNotAnotherCopy) {
  TestDriver ui;
  fs::create_directories(data_root() / "semaphore.dat");
  ui.AnswerNextModal(1);
  EXPECT_EQ(ended_with(og_start_instance), 0);
  ASSERT_EQ(ui.boxes().size(), 1u);
  const std::string& text = ui.boxes()[0].texts.at(0);
  EXPECT_EQ(text.find("già in Esecuzione"_cp), std::string::npos) << text;
  EXPECT_NE(text.find("semaphore.dat]: è una cartella, non un file"_cp), std::string::npos) << text;
}

TEST_F(AppStartup, WorkerReadsStatusFileButNeitherMakesFolderNorLocks) {
  TestDriver ui;
  g_process_number = 3;
  og_start_instance();
  EXPECT_FALSE(fs::exists(data_root()));
  fs::create_directories(data_root());
  write(data_root() / "plenixstatus.txt", "LINGUA:1\n");
  og_start_instance();
  EXPECT_EQ(g_language, 1);
  EXPECT_FALSE(fs::exists(data_root() / "semaphore.dat"));
  EXPECT_FALSE(bool(g_instance_lock));
}

TEST_F(AppStartup, ConfigurationErrorEndsWithMinusOne) {
  TestDriver ui;
  g_language = 2;
  ui.AnswerNextModal(1);
  EXPECT_EQ(ended_with([] { og_fatal_config_error("MAXBUDAY:", "riga 12", ".\\OG_catd", 77); }), -1);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0),
            "Configuration Error [MAXBUDAY:] [riga 12] (.\\OG_catd - line: 77) - End Program - Request Assistance");
}

// The main program's end stops the solver workers it started and removes
// their shared area (here the workers are stand-ins that would wait on).
TEST_F(AppStartup, TheProgramsEndStopsItsWorkers) {
  fs::create_directories(data_root());
  og_set_current_folder(g_data_root);
  std::string tag = "shellend" + std::to_string(::getpid());
  ::setenv("KESTRINTEMPUS_PARPRO_TAG", tag.c_str(), 1);
  g_worker_spawner = [](const std::vector<std::string>&) { return kt::ChildProcess::spawn("/bin/sleep", {"60"}); };
  ASSERT_EQ(og_parpro_start_workers(3), 3);
  g_worker_spawner = nullptr;
  std::string area = or_parpro_object_name("KestrinTempusParproArea.map");
  ASSERT_TRUE(kt::SharedMemory::open(area, kParproAreaSize));
  pid_t workers[2] = {g_worker_processes[1].pid(), g_worker_processes[2].pid()};
  EXPECT_EQ(ended_with([] { og_exit_program(0); }), 0);
  ::unsetenv("KESTRINTEMPUS_PARPRO_TAG");
  for (pid_t w : workers) EXPECT_NE(::kill(w, 0), 0) << "worker " << w << " still runs";
  EXPECT_FALSE(g_worker_processes[1]);
  EXPECT_FALSE(kt::SharedMemory::open(area, kParproAreaSize)) << "the shared area is removed";
}

TEST_F(AppStartup, WholeRunEndsOnEscAndWritesStatusFile) {
  TestDriver ui;
  ui_register_toolkit_templates();
  ui_register_frame_templates();
  int runs = 0;
  ui.OnNextModal([&](kt::ui::Dialog& frame) {
    ++runs;
    EXPECT_EQ(&frame, &g_frame);
    EXPECT_EQ(g_current_page, &g_home_page);
    g_language = 2;
    ui.AnswerNextModal(kt::ui::kIdNo);  // Esc asks first: No stays
    ui.Key(kt::ui::kVkEscape);
    EXPECT_TRUE(g_frame.IsWindow() && g_current_page == &g_home_page);
    ui.AnswerNextModal(kt::ui::kIdYes);
    ui.Key(kt::ui::kVkEscape);
  });
  const char* argv[] = {"kestrintempus"};
  EXPECT_EQ(g_app.InitInstance(1, argv), 0);
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(g_frame.IsWindow());
  EXPECT_TRUE(ui.Problems().empty());
  ASSERT_EQ(ui.boxes().size(), 3u);  // the frame and the question twice
  EXPECT_EQ(ui.boxes()[1].texts[0], "Quit KestrinTempus?");
  g_language = 0;
  ASSERT_TRUE(og_read_status_file());
  EXPECT_EQ(g_language, 2);
  EXPECT_STREQ(g_current_folder, "\\KestrinTempusDati");
}

// A status file that a read error stops part-way: the officer is told which
// file, in Italian, the program starts with the first start's settings, and
// the file stays as it was, never written over with the settings read before
// the error.
TEST_F(AppStartup, AStatusFileReadInPartIsToldAndNotWrittenOver) {
  TestDriver ui;
  ui_register_toolkit_templates();
  ui_register_frame_templates();
  fs::create_directories(data_root() / "scuola");
  const std::string status = "NIETSK:1\nCURDIR:\\KestrinTempusDati\\scuola\nLINGUA:2\n";
  write(data_root() / "plenixstatus.txt", status);
  ::setenv("XKB_DEFAULT_LAYOUT", "it", 1);
  LineByteSource saved_source = g_line_byte_source;
  FailingFile::name = "plenixstatus.txt";
  FailingFile::after = 12;  // inside the second line
  FailingFile::served = 0;
  g_line_byte_source = FailingFile::next_byte;
  ui.OnNextModal([&](kt::ui::Dialog&) {
    EXPECT_EQ(fs::current_path(), data_root());
    ui.AnswerNextModal(kt::ui::kIdYes);
    ui.Key(kt::ui::kVkEscape);
  });
  const char* argv[] = {"kestrintempus"};
  EXPECT_EQ(g_app.InitInstance(1, argv), 0);
  g_line_byte_source = saved_source;
  ::unsetenv("XKB_DEFAULT_LAYOUT");
  bool told = false;
  for (const auto& box : ui.boxes())
    for (const std::string& text : box.texts)
      told = told || (text.find("Errore di lettura del file") != std::string::npos &&
                      text.find("plenixstatus.txt") != std::string::npos);
  EXPECT_TRUE(told);
  EXPECT_EQ(g_language, 0);
  EXPECT_EQ(read(data_root() / "plenixstatus.txt"), status);
  // Read whole again, the file is the program's own once more.
  ASSERT_TRUE(og_read_status_file());
  EXPECT_EQ(g_language, 2);
}

TEST_F(AppStartup, FrameRunAgainOn999WithoutWritingStatus) {
  TestDriver ui;
  ui_register_frame_templates();
  int runs = 0;
  ui.OnNextModal([&](kt::ui::Dialog& frame) {
    ++runs;
    EXPECT_FALSE(fs::exists(data_root() / "plenixstatus.txt"));
    frame.EndDialog(999);
  });
  ui.OnNextModal([&](kt::ui::Dialog&) {
    ++runs;
    EXPECT_FALSE(fs::exists(data_root() / "plenixstatus.txt"));  // not between runs
    EXPECT_EQ(g_current_page, &g_home_page);
    ui.AnswerNextModal(kt::ui::kIdYes);
    ui.Key(kt::ui::kVkEscape);
  });
  const char* argv[] = {"kestrintempus"};
  g_app.InitInstance(1, argv);
  EXPECT_EQ(runs, 2);
  EXPECT_TRUE(fs::exists(data_root() / "plenixstatus.txt"));
}

}  // namespace

namespace {

using namespace kt_app_test;

TEST_F(AppStartup, PowerActions) {
  kt::ui::TestDriver ui;
  std::vector<std::vector<std::string>> asked;
  bool works = true;
  g_power_launcher = [&](const std::vector<std::string>& argv, int*) {
    asked.push_back(argv);
    return works;
  };
  EXPECT_EQ(og_shutdown_computer(2), 1);
  int ended = 99;
  try {
    og_shutdown_computer(1);
  } catch (const ProcessEnded& e) {
    ended = e.code;
  }
  EXPECT_EQ(ended, 0);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], (std::vector<std::string>{"systemctl", "suspend"}));
  EXPECT_EQ(asked[1], (std::vector<std::string>{"systemctl", "poweroff"}));
  works = false;
  ui.AnswerNextModal(1);
  EXPECT_EQ(og_shutdown_computer(1), 0);  // not switched off, and the program goes on
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0), "AdjustTokenPrivileges enable failed.");
  g_power_launcher = nullptr;
}

}  // namespace
