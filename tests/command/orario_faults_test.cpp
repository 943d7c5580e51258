// The orario program under faults a careful user meets: a disk that fills
// during the report run, a second run started in a folder where one runs,
// shared memory left by a main process that was killed, an earlier run's
// replacement that can no longer be completed. Each ends with a
// clear message and a failure status, never a success with missing files.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "orario_run_support.h"
#include "platform/folder_lock.h"
#include "platform/process.h"
#include "platform/shared_memory.h"

namespace fs = std::filesystem;
using engine_test::read_file;
using engine_test::TempDir;
using engine_test::write_file;
using orario_test::contains;
using orario_test::entries;
using orario_test::Outcome;
using orario_test::run_orario;

namespace {


}  // namespace

// What an earlier, killed run left to complete cannot be completed (the
// file it would replace is now a folder): the command stops with a failure
// naming the run's marker, which stays for the next try, and the folder
// keeps what it holds.
TEST(OrarioFaults, AnEarlierRunsReplacementThatCannotBeCompletedStopsTheCommand) {
  pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  ::waitpid(child, nullptr, 0);
  std::string gone = std::to_string(child);
  TempDir school;
  fs::copy_file(fs::path(KT_SOURCE_DIR) / "examples/piccola/scuola2.txt", school.file("scuola2.txt"));
  fs::create_directories(fs::path(school.file("blocco")) / "dentro");
  write_file(school.file("blocco.kt-tmp-" + gone + "-1"), "new contents\n");
  const std::string marker = "KT-RUN " + gone + "\nW\tblocco.kt-tmp-" + gone + "-1\tblocco\nEND\n";
  write_file(school.file("orario.kt-commit"), marker);
  Outcome o = run_orario(school, "", "SYNT:scuola2.txt");
  EXPECT_NE(o.status, 0);
  EXPECT_TRUE(contains(o.err + o.out, "orario.kt-commit")) << o.err << o.out;
  EXPECT_EQ(read_file(school.file("orario.kt-commit")), marker);
  EXPECT_TRUE(fs::is_directory(fs::path(school.file("blocco")) / "dentro"));
}

// The reports of the run find a disk that is full: the run fails naming a
// report and the full disk, in the user's language, and leaves the folder
// as it was (no report of the run, no temporary file). Needs a private
// mount (root).
TEST(OrarioFaults, AReportRunOnAFullDiskFailsNamingTheFileAndWhy) {
  if (std::system("unshare -m true 2>/dev/null") != 0) GTEST_SKIP() << "no private mounts here";
  struct Case { const char* env; const char* reason; } cases[] = {
      {"LANG=it_IT.UTF-8", "[Disco pieno: non c'è più spazio per scrivere il file]"},
      {"LANG=en_GB.UTF-8", "[Disk full: no space left to write the file]"},
  };
  for (const Case& c : cases) {
    TempDir school, capture;
    std::string in = school.path().string(), err = capture.file("err");
    // Room for the school and a few kilobytes: the reception hours fit, the reports do not.
    std::string script = "mount -t tmpfs -o size=256k tmpfs '" + in + "' && cd '" + in + "' && cp '" + KT_SOURCE_DIR +
                         "/examples/piccola/scuola2.txt' . && cp '" + KT_TEST_DATA +
                         "/savefiles/piccola-savego.txt' savego.txt && head -c " + std::to_string(1024 * 228) +
                         " /dev/zero >filler 2>/dev/null; env -i PATH=/usr/bin:/bin KESTRINTEMPUS_ROOT=. " + c.env +
                         " '" + KT_BINARY_DIR + "/apps/orario/orario' REPO:scuola2.txt >/dev/null 2>'" + err +
                         "'; echo \\$? >'" + capture.file("status") + "'; ls -aR >'" + capture.file("list") + "'";
    ASSERT_EQ(std::system(("unshare -m sh -c \"" + script + "\"").c_str()), 0);
    std::string message = read_file(err), list = read_file(capture.file("list"));
    EXPECT_EQ(read_file(capture.file("status")), "1\n") << c.env << message;
    EXPECT_TRUE(contains(message, c.reason) && contains(message, "[Orario/")) << c.env << ": " << message;
    EXPECT_FALSE(contains(list, ".kt-tmp-") || contains(list, ".~") || contains(list, "Orario Classi.txt"))
        << c.env << list;
  }
}

// A REPO: run whose residual-errors log meets the preloaded disk fault
// (KT_FAIL_WRITES_TO or KT_FAIL_CLOSE_OF, see failing_flush_shim.c) fails
// naming the log, and the log and saved week of the run before stay as they
// were, never replaced by a log without its lines; no temporary is left.
namespace {
void expect_residual_log_fault_fails_the_run(const std::string& fault, const std::string& reason) {
  TempDir school;
  orario_test::piccola_with_saved_week(school);
  fs::create_directory(school.path() / "Orario");
  const std::string old_log = "Fine Orario [01-09-2026 08:00:00]\n";
  write_file(school.file("Orario/Errori Residui.txt"), old_log);
  const std::string saved = read_file(school.file("savego.txt"));
  Outcome o = run_orario(school,
                         std::string("LANG=it_IT.UTF-8 ASAN_OPTIONS=verify_asan_link_order=0 LD_PRELOAD=") +
                             KT_FAILING_FLUSH + " " + fault + "=Errori",
                         "REPO:scuola2.txt");
  EXPECT_EQ(o.status, 1) << o.out << o.err;
  EXPECT_TRUE(contains(o.err, "Errori Residui.txt") && contains(o.err, reason)) << o.err;
  EXPECT_EQ(read_file(school.file("Orario/Errori Residui.txt")), old_log);
  EXPECT_EQ(read_file(school.file("savego.txt")), saved);
  for (const auto& e : fs::recursive_directory_iterator(school.path()))
    EXPECT_FALSE(contains(e.path().filename().string(), ".kt-tmp-")) << e.path();
}
}  // namespace

// The disk refuses the lines of the log while the run's other files are
// written: the run fails naming the full disk.
TEST(OrarioFaults, AResidualLogThatCannotBeWrittenFailsTheRun) {
  expect_residual_log_fault_fails_the_run("KT_FAIL_WRITES_TO", "[Disco pieno");
}

// Every line reaches the file but its close fails (a write error the
// system tells only then).
TEST(OrarioFaults, AResidualLogWhoseCloseFailsFailsTheRun) {
  expect_residual_log_fault_fails_the_run("KT_FAIL_CLOSE_OF", "");
}

// A school folder the user may not write in, with no report folder yet or a
// report folder he may not write in: the report run fails saying that the
// rights are missing, in his language, not that a document may be open in
// another program; the school's files stay as they were.
TEST(OrarioFaults, AReportRunWithoutTheRightToWriteSaysSo) {
  // Root writes anywhere: the run is made as nobody then.
  std::string as = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "";
  struct Case { const char* id; bool report_folder; const char* env; const char* reason; } cases[] = {
      {"no-report-folder-it", false, "LANG=it_IT.UTF-8", "[Accesso negato: mancano i diritti di scrittura]"},
      {"read-only-report-folder-en", true, "LANG=en_GB.UTF-8", "[Access denied: no right to write]"},
  };
  for (const Case& c : cases) {
    TempDir school;
    orario_test::piccola_with_saved_week(school);
    if (c.report_folder) fs::create_directory(school.path() / "Orario");
    std::set<std::string> before = entries(school);
    const auto read_only = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                           fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(school.path(), read_only);
    if (c.report_folder) fs::permissions(school.path() / "Orario", read_only);
    Outcome o = run_orario(school, c.env, "REPO:scuola2.txt", as);
    fs::permissions(school.path(), fs::perms::owner_all);
    if (c.report_folder) fs::permissions(school.path() / "Orario", fs::perms::owner_all);
    EXPECT_EQ(o.status, 1) << c.id << ": " << o.err;
    EXPECT_TRUE(contains(o.err, c.reason) && contains(o.err, "[Orario/")) << c.id << ": " << o.err;
    EXPECT_FALSE(contains(o.err, "Word") || contains(o.err, "Close document")) << c.id << ": " << o.err;
    EXPECT_EQ(entries(school), before) << c.id;
    if (c.report_folder) {
      EXPECT_TRUE(fs::is_empty(school.path() / "Orario")) << c.id;
    }
  }
}

// The school folder on a small file system that is nearly full: whichever
// file the computation fails to write, the run fails naming it and the full
// disk, and leaves no temporary file. Needs a private mount (root). The time
// limit is long enough for a loaded machine to place the week and write
// everything before it stops (piccola ends well within it on its own).
TEST(OrarioFaults, AComputationOnANearlyFullDiskSaysTheDiskIsFull) {
  if (std::system("unshare -m true 2>/dev/null") != 0) GTEST_SKIP() << "no private mounts here";
  TempDir school, capture;
  std::set<std::string> named;
  for (int free_kb = 0; free_kb <= 96; free_kb += 8) {
    std::string in = school.path().string(), out = capture.file("out"), err = capture.file("err");
    std::string script = "mount -t tmpfs -o size=1m tmpfs '" + in + "' && cd '" + in + "' && cp '" + KT_SOURCE_DIR +
                         "/examples/piccola/scuola2.txt' . && head -c " + std::to_string(1024 * (1024 - free_kb)) +
                         " /dev/zero >filler 2>/dev/null; env -i PATH=/usr/bin:/bin KESTRINTEMPUS_ROOT=. LANG=it_IT '" +
                         KT_BINARY_DIR + "/apps/orario/orario' --seed 3 --time-limit 2 CALC:scuola2.txt >'" + out +
                         "' 2>'" + err + "'; echo \\$? >'" + capture.file("status") + "'; ls -a >'" +
                         capture.file("list") + "'";
    ASSERT_EQ(std::system(("unshare -m sh -c \"" + script + "\"").c_str()), 0);
    std::string message = read_file(err);
    EXPECT_EQ(read_file(capture.file("status")), "1\n") << free_kb;
    EXPECT_TRUE(contains(message, "Disco pieno: non c'è più spazio per scrivere il file]")) << free_kb << message;
    // The file is named as this system writes it, in the school folder.
    std::size_t at = message.find("\n["), end = message.find(']', at);
    if (at != std::string::npos && end != std::string::npos) named.insert(message.substr(at + 2, end - at - 2));
    std::string list = read_file(capture.file("list"));
    EXPECT_FALSE(contains(list, ".kt-tmp-") || contains(list, ".~")) << free_kb << list;
  }
  EXPECT_TRUE(named.count("scuola3.txt") && named.count("savego.txt")) << ::testing::PrintToString(named);
}

// Output folders on a file system with no room left (a private mount; needs
// root): the day's substitutions and the teacher grouping's room report
// fail saying that the disk is full, in the user's language, naming the
// file, and never send the user to close a Word or Xls document.
TEST(OrarioFaults, SubstitutionsAndRoomReportsOnAFullDiskSayTheDiskIsFull) {
  if (std::system("unshare -m true 2>/dev/null") != 0) GTEST_SKIP() << "no private mounts here";
  struct Case { const char* folder; const char* args; const char* env; const char* file; const char* reason; } cases[] = {
      {"Sostituzioni", "SOST:scuola2.txt", "LANG=it_IT.UTF-8", "[Sostituzioni/dati_sostituzioni.txt]",
       "[Disco pieno: non c'è più spazio per scrivere il file]"},
      {"Sostituzioni", "SOST:scuola2.txt", "LANG=de_DE.UTF-8", "[Sostituzioni/dati_sostituzioni.txt]",
       "[Datenträger voll: kein Platz mehr, um die Datei zu schreiben]"},
      {"Orario", "--seed 3 --rooms 2 --teachers-per-room 3 ASAU:scuola2.txt", "LANG=en_GB.UTF-8",
       "Allocazione Aule.txt]", "[Disk full: no space left to write the file]"},
  };
  for (const Case& c : cases) {
    TempDir school, capture;
    orario_test::piccola_with_saved_week(school);
    write_file(school.file("assenze.txt"), "GIORNO:1\nMOTIVO:Malattia\nASSENTE:ROSSI|Malattia|111110000000\n");
    std::string folder = school.path().string() + "/" + c.folder;
    fs::create_directory(folder);
    std::string script = "mount -t tmpfs -o size=64k tmpfs '" + folder + "' && head -c 1048576 /dev/zero >'" + folder +
                         "/filler' 2>/dev/null; cd '" + school.path().string() + "' && env -i PATH=/usr/bin:/bin " +
                         "KESTRINTEMPUS_ROOT=. " + c.env + " '" + KT_BINARY_DIR + "/apps/orario/orario' " + c.args +
                         " >/dev/null 2>'" + capture.file("err") + "'; echo \\$? >'" + capture.file("status") + "'";
    ASSERT_EQ(std::system(("unshare -m sh -c \"" + script + "\"").c_str()), 0) << c.args;
    std::string message = read_file(capture.file("err"));
    EXPECT_EQ(read_file(capture.file("status")), "1\n") << c.args << message;
    EXPECT_TRUE(contains(message, c.file) && contains(message, c.reason)) << c.args << ": " << message;
    EXPECT_FALSE(contains(message, "Word") || contains(message, "Xls")) << c.args << ": " << message;
  }
}

// The worker of the main process `main` started as "PARPRO:<word>", 0 while
// there is none (read from /proc, as ps would).
pid_t worker_of(pid_t main, const std::string& word) {
  for (const auto& e : fs::directory_iterator("/proc")) {
    std::string name = e.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string stat = read_file(e.path().string() + "/stat");
    std::size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    long parent = std::strtol(stat.c_str() + close + 4, nullptr, 10);
    if (parent != main) continue;
    std::string command = read_file(e.path().string() + "/cmdline");
    if (command.find("PARPRO:" + word) != std::string::npos) return static_cast<pid_t>(std::stol(name));
  }
  return 0;
}

// A worker killed while the main process computes: the computation goes on
// without it and ends as it would, and the main process says which worker
// ended and how instead of passing it over.
TEST(OrarioFaults, AWorkerKilledDuringAComputationIsMentioned) {
  TempDir school, capture;
  write_file(school.file("scuola2.txt"), read_file(std::string(KT_SOURCE_DIR) + "/examples/istituto/scuola2.txt"));
  std::string command = "cd '" + school.path().string() + "' && exec env -i PATH=/usr/bin:/bin KESTRINTEMPUS_ROOT=. "
                        "LANG=it_IT.UTF-8 '" + std::string(KT_BINARY_DIR) + "/apps/orario/orario' --seed 3 " +
                        "--time-limit 6 --processes 4 CALC:scuola2.txt >/dev/null 2>'" + capture.file("err") + "'";
  kt::ChildProcess main = kt::ChildProcess::spawn("/bin/sh", {"-c", command});
  ASSERT_TRUE(main);
  pid_t worker = 0;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (worker == 0 && main.running() && std::chrono::steady_clock::now() < deadline) {
    worker = worker_of(main.pid(), "2-4");
    if (worker == 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_GT(worker, 0) << read_file(capture.file("err"));
  ASSERT_EQ(::kill(worker, SIGKILL), 0);
  std::optional<kt::ExitStatus> end = main.wait_for(std::chrono::seconds(60));
  ASSERT_TRUE(end);
  std::string message = read_file(capture.file("err"));
  EXPECT_TRUE(end->success()) << message;
  EXPECT_TRUE(contains(message, "Il processo di calcolo parallelo 2 è terminato durante il calcolo (segnale 9): "
                                "il calcolo è proseguito senza di lui.")) << message;
  EXPECT_FALSE(contains(message, "processo di calcolo parallelo 1 ")) << message;
  EXPECT_FALSE(read_file(school.file("savego.txt")).empty());
}

// A run already holds the folder: the second is refused before it writes
// anything, and names the holder; once the first ends, runs go ahead and
// leave no lock file behind.
TEST(OrarioFaults, ASecondRunInOneFolderIsRefused) {
  TempDir school;
  orario_test::piccola_with_saved_week(school);
  std::string save = read_file(school.file("savego.txt"));
  {
    kt::FolderLock first = kt::FolderLock::acquire(school.file("orario.lock"));
    ASSERT_TRUE(first);
    for (const char* command : {"CALC:scuola2.txt", "REPO:scuola2.txt"}) {
      Outcome o = run_orario(school, "LANG=it_IT.UTF-8", std::string("--time-limit 5 ") + command);
      EXPECT_EQ(o.status, 1) << command;
      EXPECT_TRUE(contains(o.err, "Un altro calcolo è già in corso in questa cartella (processo " +
                                      std::to_string(::getpid()) + ")"))
          << command << ": " << o.err;
      EXPECT_EQ(read_file(school.file("savego.txt")), save) << command;
      EXPECT_FALSE(fs::exists(school.path() / "Orario" / "Orario Classi.txt")) << command;
    }
  }
  Outcome o = run_orario(school, "", "REPO:scuola2.txt");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(fs::exists(school.path() / "Orario" / "Orario Classi.txt"));
  EXPECT_EQ(entries(school).count("orario.lock"), 0u);
}

// The shared area of a main process killed mid-run stays in /dev/shm until
// the next start removes it; an area whose process still runs stays.
TEST(OrarioFaults, TheNextStartRemovesTheSharedAreaOfAKilledRun) {
  pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ASSERT_GT(gone, 0);
  ::waitpid(gone, nullptr, 0);
  auto object = [](long pid, const char* base) {
    return kt::shm_object_name(std::string(base) + "." + std::to_string(pid));
  };
  const char* bases[] = {"KestrinTempusParproArea.map", "KestrinTempusParproMutexIO.dat",
                         "KestrinTempusParproMutexCOM.dat"};
  for (long pid : {static_cast<long>(gone), static_cast<long>(::getpid())})
    for (const char* base : bases) {
      int fd = ::shm_open(object(pid, base).c_str(), O_RDWR | O_CREAT, 0600);
      ASSERT_GE(fd, 0);
      ::close(fd);
    }
  TempDir school;
  orario_test::piccola_with_saved_week(school);
  Outcome o = run_orario(school, "", "SYNT:scuola2.txt");
  EXPECT_EQ(o.status, 0) << o.err;
  for (const char* base : bases) {
    EXPECT_FALSE(fs::exists("/dev/shm" + object(gone, base))) << base;
    EXPECT_TRUE(fs::exists("/dev/shm" + object(::getpid(), base))) << base;
    ::shm_unlink(object(::getpid(), base).c_str());
  }
}

// Descriptions an editor or a hand made wrong, and a wrong option word: each
// gets a message that says what is wrong, in the user's language, instead of
// one about a later symptom ("GIORNI", "Messaggio non riconosciuto", "SW").
TEST(OrarioFaults, WrongShapesLimitsAndOptionsSayWhatIsWrong) {
  const std::string piccola = read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
  std::string utf16 = "\xFF\xFE", cr_only = piccola;
  for (char c : piccola) utf16 += std::string(1, c) + '\0';
  for (char& c : cr_only)
    if (c == '\n') c = '\r';
  std::string many = "REM:Scuola\nDAYS:\tLU6-LUNEDI\tMA6-MARTEDI\tME6\tGI6\tVE6\tSA0\tDO0\t\nGM:MAT\t\n";
  for (int t = 0; t < 600; ++t) many += "T" + std::to_string(t) + "\t1A 1\t\n";
  struct Case { const char* id; std::string bytes; const char* args; const char* env; int status; const char* text; } cases[] = {
      {"empty", "", "SYNT:scuola2.txt", "", 1, "[Il file scuola2.txt è vuoto]"},
      {"bom", "\xEF\xBB\xBF" + piccola, "SYNT:scuola2.txt", "LANG=en_US", 1,
       "[The file scuola2.txt is UTF-8 with a BOM: save it as ANSI text (Windows-1252)]"},
      {"utf16", utf16, "SYNT:scuola2.txt", "", 1, "è in UTF-16 (Unicode): salvarlo come testo ANSI"},
      {"cr-only", cr_only, "SYNT:scuola2.txt", "LANG=de_DE", 1, "beendet ihre Zeilen nur mit CR"},
      // "GMAX:2" with its tab and line end cut off: read as it stands, a
      // cut "GMAX:12" would count as 1 without a word.
      {"cut-last-line", piccola.substr(0, piccola.size() - 2), "CALC:scuola2.txt", "LANG=en_GB", 1,
       "[The file is cut off: line 304, the last, is not complete (its line end is missing)"},
      {"long-line", piccola + "ROSSI\t1A 1\t" + std::string(12200, ' ') + "\n", "SYNT:scuola2.txt", "", 2,
       "[Riga 305 troppo lunga: più di 12164 caratteri]"},
      {"teachers", many, "SYNT:scuola2.txt", "", 2, "[Numero Professori eccessivo] - [501 docenti o più: al massimo 500"},
      {"calc-option", piccola, "CALC:scuola2.txt FAST", "", 1, "Opzione non valida: FAST\nUso: orario COMANDO:"},
      {"repo-option", piccola, "REPO:scuola2.txt Tutto", "LANG=en_GB", 1, "Invalid option: Tutto\nUsage: orario"},
  };
  for (const Case& c : cases) {
    TempDir school;
    write_file(school.file("scuola2.txt"), c.bytes);
    Outcome o = run_orario(school, c.env, c.args);
    EXPECT_EQ(o.status, c.status) << c.id << ": " << o.err;
    EXPECT_TRUE(contains(o.err, c.text)) << c.id << ": " << o.err;
    EXPECT_FALSE(contains(o.err, "Errore critico [SW]")) << c.id;
    EXPECT_EQ(read_file(school.file("scuola2.txt")), c.bytes) << c.id;
    EXPECT_EQ(entries(school).count("savego.txt"), 0u) << c.id;
  }
}
