// The saved timetable through the orario program: a new timetable from an
// empty week keeps the old one aside and takes it back; a damaged save is
// said to be damaged, kept, and taken over with status 4 whichever command
// reads it; a run's files are replaced as one step, so a failure (a read
// error, a full disk) leaves every old file and a killed run's leftovers
// are completed or removed by the next command.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "failing_reads.h"
#include "orario_run_support.h"

namespace fs = std::filesystem;
using engine_test::InFolder;
using engine_test::read_file;
using engine_test::TempDir;
using engine_test::write_file;
using orario_test::contains;
using orario_test::entries;
using orario_test::Outcome;
using orario_test::run_orario;

namespace {

std::string piccola() { return read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt"); }

// The small school computed once by orario (a scrambled save, reception
// hours, reports); copied into every case's folder.
class Computed {
 public:
  Computed() {
    write_file(school_.file("scuola2.txt"), piccola());
    Outcome o = run_orario(school_, "", "--seed 1 CALC:scuola2.txt");
    EXPECT_EQ(o.status, 0) << o.err;
  }
  void copy_to(const TempDir& to) const {
    for (const auto& e : fs::directory_iterator(school_.path()))
      fs::copy(e.path(), to.path() / e.path().filename(), fs::copy_options::recursive);
  }
  std::string save() const { return read_file(school_.file("savego.txt")); }

 private:
  TempDir school_;
};

const Computed& computed() {
  static Computed once;
  return once;
}

// A process id that no process holds any more.
long dead_pid() {
  pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

bool has_temporary(const TempDir& folder) {
  for (const auto& e : fs::recursive_directory_iterator(folder.path())) {
    std::string name = e.path().filename().string();
    if (contains(name, ".kt-tmp-") || contains(name, ".~")) return true;
  }
  return false;
}

}  // namespace

TEST(OrarioSavedTimetable, ComputingAnewSetsTheSavedTimetableAsideAndTakesItBack) {
  TempDir school;
  computed().copy_to(school);
  std::string first = read_file(school.file("savego.txt"));
  // Without --new the computation continues from the saved week, already whole.
  Outcome again = run_orario(school, "", "--seed 2 CALC:scuola2.txt");
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_TRUE(contains(again.out, "s.cicli=0 ")) << again.out;
  first = read_file(school.file("savego.txt"));

  Outcome anew = run_orario(school, "LANG=it_IT.UTF-8", "--new --seed 2 CALC:scuola2.txt");
  EXPECT_EQ(anew.status, 0) << anew.err;
  EXPECT_TRUE(contains(anew.out, "L'orario salvato è messo da parte in savego_precedente.txt")) << anew.out;
  EXPECT_FALSE(contains(anew.out, "s.cicli=0 ")) << "computed from an empty week: " << anew.out;
  std::string second = read_file(school.file("savego.txt"));
  EXPECT_NE(second, first);
  EXPECT_EQ(read_file(school.file("savego_precedente.txt")), first);
  EXPECT_TRUE(fs::exists(school.path() / "ricevi_precedente.txt"));

  // Taking back swaps the two, so either can come back.
  Outcome back = run_orario(school, "LANG=en_GB.UTF-8", "--take-back scuola2.txt");
  EXPECT_EQ(back.status, 0) << back.err;
  EXPECT_TRUE(contains(back.out, "The timetable set aside is taken back")) << back.out;
  EXPECT_EQ(read_file(school.file("savego.txt")), first);
  EXPECT_EQ(read_file(school.file("savego_precedente.txt")), second);
  EXPECT_EQ(run_orario(school, "", "--take-back scuola2.txt").status, 0);
  EXPECT_EQ(read_file(school.file("savego.txt")), second);
  EXPECT_EQ(run_orario(school, "", "REPO:scuola2.txt").status, 0);
}

// The error lines of a residual-errors file ("E:..."), without the timed
// trace lines around them.
std::string error_lines(const std::string& file) {
  std::string all = read_file(file), lines;
  for (std::size_t at = 0; at < all.size();) {
    std::size_t end = std::min(all.find('\n', at), all.size());
    if (all.compare(at, 2, "E:") == 0) lines += all.substr(at, end - at) + "\n";
    at = end + 1;
  }
  return lines;
}

// What the officer reads in "Orario" after a take back is the timetable
// taken back: its reports, residual errors included, replace those of the
// week set aside each time the two swap. The hand-made week keeps errors,
// the computed one none.
TEST(OrarioSavedTimetable, TheReportsFollowTheTimetableTakenBack) {
  TempDir school;
  orario_test::piccola_with_saved_week(school);
  const std::string classes = school.file("Orario/Orario Classi.txt");
  const std::string residual = school.file("Orario/Errori Residui.txt");
  ASSERT_EQ(run_orario(school, "", "REPO:scuola2.txt").status, 0);
  const std::string hand_made[2] = {read_file(classes), error_lines(residual)};
  Outcome anew = run_orario(school, "", "--new --seed 1 CALC:scuola2.txt");
  ASSERT_EQ(anew.status, 0) << anew.err;
  const std::string computed[2] = {read_file(classes), error_lines(residual)};
  ASSERT_NE(computed[0], hand_made[0]);
  ASSERT_EQ(computed[1], "");
  ASSERT_NE(hand_made[1], "");
  for (const std::string* shown : {hand_made, computed}) {
    const char* which = shown == hand_made ? "hand-made" : "computed";
    Outcome back = run_orario(school, "", "--take-back scuola2.txt");
    EXPECT_EQ(back.status, 0) << which << back.err;
    EXPECT_TRUE(contains(back.out, "Ripreso l'orario messo da parte")) << which << back.out;
    EXPECT_EQ(back.err, "") << which;
    EXPECT_TRUE(read_file(classes) == shown[0]) << which;
    EXPECT_EQ(error_lines(residual), shown[1]) << which;
  }
}

// A report run that fails after the swap (the description no longer checks,
// a report cannot be written) is no success: its message and status, and the
// officer told that "Orario" does not show the timetable taken back, which
// stays taken back, while the reports stay as they were.
TEST(OrarioSavedTimetable, AFailedReportRunAfterATakeBackKeepsTheTimetableTakenBack) {
  struct Case {
    const char* id;
    int status;
    const char* message;
  } cases[] = {
      {"description", 2, "Errore di configurazione"},
      {"report", 1, "Orario Classi.txt"},
  };
  for (const Case& c : cases) {
    TempDir school;
    orario_test::piccola_with_saved_week(school);
    ASSERT_EQ(run_orario(school, "", "REPO:scuola2.txt").status, 0);
    std::string hand_made = read_file(school.file("savego.txt"));
    ASSERT_EQ(run_orario(school, "", "--new --seed 1 CALC:scuola2.txt").status, 0) << c.id;
    std::string computed = read_file(school.file("savego.txt"));
    std::string classes = read_file(school.file("Orario/Orario Classi.txt"));
    if (std::string(c.id) == "description") {
      write_file(school.file("scuola2.txt"), piccola() + "DAYS:\tXX\n");
    } else {
      fs::remove(school.file("Orario/Orario Classi.txt"));
      fs::create_directory(school.file("Orario/Orario Classi.txt"));
    }
    Outcome back = run_orario(school, "LANG=it_IT.UTF-8", "--take-back scuola2.txt");
    EXPECT_EQ(back.status, c.status) << c.id << back.err;
    EXPECT_TRUE(contains(back.out, "Ripreso l'orario messo da parte")) << c.id << back.out;
    EXPECT_TRUE(contains(back.err, c.message)) << c.id << back.err;
    EXPECT_TRUE(contains(back.err, "I report non sono stati scritti: quelli nella cartella Orario non sono "
                                   "dell'orario ripreso"))
        << c.id << back.err;
    EXPECT_EQ(read_file(school.file("savego.txt")), hand_made) << c.id;
    EXPECT_EQ(read_file(school.file("savego_precedente.txt")), computed) << c.id;
    if (std::string(c.id) == "description") {
      EXPECT_EQ(read_file(school.file("Orario/Orario Classi.txt")), classes) << c.id;
    }
    EXPECT_FALSE(has_temporary(school)) << c.id;
  }
}

// What --new and --take-back refuse, and a run from an empty week that
// fails: the saved timetable stays the current one and its copy stays aside.
TEST(OrarioSavedTimetable, AFailedNewComputationKeepsTheOldTimetable) {
  TempDir school;
  computed().copy_to(school);
  std::string saved = read_file(school.file("savego.txt"));
  Outcome repo = run_orario(school, "LANG=it_IT.UTF-8", "--new REPO:scuola2.txt");
  EXPECT_EQ(repo.status, 1);
  EXPECT_TRUE(contains(repo.err, "L'opzione --new vale solo con CALC:")) << repo.err;
  Outcome nothing = run_orario(school, "LANG=it_IT.UTF-8", "--take-back scuola2.txt");
  EXPECT_EQ(nothing.status, 3);
  EXPECT_TRUE(contains(nothing.err, "Nessun orario messo da parte")) << nothing.err;

  write_file(school.file("scuola2.txt"), piccola() + "DAYS:\tXX\n");
  Outcome failed = run_orario(school, "", "--new --seed 2 CALC:scuola2.txt");
  EXPECT_EQ(failed.status, 2) << failed.err;
  EXPECT_EQ(read_file(school.file("savego.txt")), saved);
  EXPECT_EQ(read_file(school.file("savego_precedente.txt")), saved);
  EXPECT_FALSE(has_temporary(school));
}

// A damaged save (cut in half, one hex digit changed, its last line dropped,
// cut to 100 bytes): every command that reads it says the save was damaged
// and exits 4, the damaged file is kept byte for byte beside the taken-over
// timetable, and the next command finds a whole save.
TEST(OrarioSavedTimetable, ADamagedSaveIsSaidToBeDamagedWhicheverCommandReadsIt) {
  std::string whole = computed().save();
  std::string half;
  for (std::size_t at = 0, lines = 0; lines < 90; ++lines) at = whole.find('\n', at) + 1, half = whole.substr(0, at);
  std::string hex = whole;
  std::size_t digit = hex.find('\n', 500) + 5;
  hex[digit] = hex[digit] == '0' ? '1' : '0';
  std::string last = whole.substr(0, whole.rfind('\n', whole.size() - 2) + 1);
  struct Case { const char* id; std::string save; } cases[] = {
      {"half", half}, {"hex digit", hex}, {"last line", last}, {"100 bytes", whole.substr(0, 100)}};
  for (const Case& c : cases) {
    for (const char* command : {"REPO:scuola2.txt", "SNOD:scuola2.txt", "BILA:scuola2.txt x 2",
                                "CALC:scuola2.txt CONT", "RIGO:scuola2.txt"}) {
      TempDir school;
      computed().copy_to(school);
      write_file(school.file("savego.txt"), c.save);
      Outcome o = run_orario(school, "LANG=it_IT.UTF-8", std::string("--seed 5 --time-limit 30 ") + command);
      EXPECT_EQ(o.status, 4) << c.id << " " << command << o.err;
      EXPECT_TRUE(contains(o.err, "il file dell'orario salvato era danneggiato (conservato come "
                                  "savego_danneggiato.txt)"))
          << c.id << " " << command << o.err;
      EXPECT_FALSE(contains(o.err, "cattedre cambiate")) << c.id << " " << command;
      EXPECT_EQ(read_file(school.file("savego_danneggiato.txt")), c.save) << c.id << " " << command;
      Outcome next = run_orario(school, "", "SNOD:scuola2.txt");
      EXPECT_EQ(next.status, 0) << c.id << " " << command << next.err;
    }
  }
}

// A save written for other teaching posts (lines dropped in the middle: the
// lines after them name other lessons) is taken over as "cattedre cambiate".
TEST(OrarioSavedTimetable, ASaveOfOtherTeachingPostsIsSaidToBeOfChangedPosts) {
  std::string plain = read_file(std::string(KT_TEST_DATA) + "/savefiles/piccola-savego.txt");
  std::size_t from = 0;
  for (int i = 0; i < 60; ++i) from = plain.find('\n', from) + 1;
  std::size_t to = from;
  for (int i = 0; i < 12; ++i) to = plain.find('\n', to) + 1;
  for (const char* command : {"REPO:scuola2.txt", "SNOD:scuola2.txt"}) {
    TempDir school;
    write_file(school.file("scuola2.txt"), piccola());
    write_file(school.file("savego.txt"), plain.substr(0, from) + plain.substr(to));
    Outcome o = run_orario(school, "LANG=it_IT.UTF-8", command);
    EXPECT_EQ(o.status, 4) << command << o.err;
    EXPECT_TRUE(contains(o.err, "Attenzione: cattedre cambiate.")) << command << o.err;
    EXPECT_EQ(entries(school).count("savego_danneggiato.txt"), 0u) << command;
  }
}

// A read error on the reception hours, met by the computation's report run
// after it saved its week: the run fails and every file is as it was.
TEST(OrarioSavedTimetable, AReadErrorLeavesEveryOldFile) {
  TempDir school;
  computed().copy_to(school);
  fs::remove_all(school.path() / "Orario");
  std::string save = read_file(school.file("savego.txt")), reception = read_file(school.file("ricevi.txt"));
  std::set<std::string> before = entries(school);
  LineByteSource saved_source = g_line_byte_source;
  {
    InFolder in(school.path());
    FailingFile::name = "/ricevi.txt", FailingFile::after = 20, FailingFile::served = 0;
    g_line_byte_source = FailingFile::next_byte;
    g_status.clear();
    g_provisional_mode = g_test_run = 0;
    const char* argv[] = {"Questo non serve", "CALC:scuola2.txt", "MINI", nullptr};
    int result = or_main(1, 3, argv);
    g_line_byte_source = saved_source;
    EXPECT_EQ(result, kResultError);
    EXPECT_TRUE(contains(g_status.message, "ricevi.txt") && contains(g_status.message, "Errore critico"))
        << g_status.message;
  }
  EXPECT_EQ(read_file(school.file("savego.txt")), save);
  EXPECT_EQ(read_file(school.file("ricevi.txt")), reception);
  EXPECT_EQ(entries(school), before) << "no report, no output folder, no temporary";
  EXPECT_FALSE(has_temporary(school));
}

// The same on a disk that fills while the reports are written (a private
// mount; root only): status 1, the old save and reception hours, no report
// and no temporary.
TEST(OrarioSavedTimetable, AFullDiskDuringTheReportsLeavesEveryOldFile) {
  if (std::system("unshare -m true 2>/dev/null") != 0) GTEST_SKIP() << "no private mounts here";
  TempDir source, school, capture;
  computed().copy_to(source);
  fs::remove_all(source.path() / "Orario");
  std::string in = school.path().string();
  std::string script = "mount -t tmpfs -o size=512k tmpfs '" + in + "' && cp '" + source.path().string() +
                       "'/* '" + in + "' && cd '" + in + "' && head -c " + std::to_string(1024 * 400) +
                       " /dev/zero >filler 2>/dev/null; env -i PATH=/usr/bin:/bin KESTRINTEMPUS_ROOT=. '" +
                       KT_BINARY_DIR + "/apps/orario/orario' --seed 2 --new CALC:scuola2.txt >/dev/null 2>'" +
                       capture.file("err") + "'; echo \\$? >'" + capture.file("status") + "'; ls -aR >'" +
                       capture.file("list") + "'; cp savego.txt ricevi.txt '" + capture.path().string() + "'";
  ASSERT_EQ(std::system(("unshare -m sh -c \"" + script + "\"").c_str()), 0);
  EXPECT_EQ(read_file(capture.file("status")), "1\n") << read_file(capture.file("err"));
  EXPECT_EQ(read_file(capture.file("savego.txt")), read_file(source.file("savego.txt")));
  EXPECT_EQ(read_file(capture.file("ricevi.txt")), read_file(source.file("ricevi.txt")));
  std::string list = read_file(capture.file("list"));
  EXPECT_FALSE(contains(list, ".kt-tmp-") || contains(list, ".~") || contains(list, "Orario Classi")) << list;
}

// What a killed run leaves: a replacement it had decided (its marker) is
// completed by the next command, and the temporaries of processes that are
// gone are removed, while those of a running process stay. A command that
// fails before it writes makes no folder.
TEST(OrarioSavedTimetable, TheNextCommandSettlesWhatAKilledRunLeft) {
  TempDir school;
  computed().copy_to(school);
  std::string gone = std::to_string(dead_pid()), alive = std::to_string(::getpid());
  std::string new_save = read_file(school.file("savego.txt"));
  write_file(school.file("savego.txt"), "the old week\n");
  write_file(school.file("savego.txt.kt-tmp-" + gone + "-7"), new_save);
  write_file(school.file("saveprec.txt"), "a record the run deleted\n");
  write_file(school.file("orario.kt-commit"),
             "KT-RUN " + gone + "\nW\tsavego.txt.kt-tmp-" + gone + "-7\tsavego.txt\nD\tsaveprec.txt\nEND\n");
  write_file(school.file("saveprec.txt.kt-tmp-" + gone + "-3"), "stale record");
  write_file(school.file("Orario/Orario Classi.txt.kt-tmp-" + gone + "-4"), "stale report");
  write_file(school.file("Orario/HTML/Orario Classi.html.kt-tmp-" + gone + "-5"), "stale page");
  write_file(school.file("Orario/Orario Classi.rtf.kt-tmp-" + gone + "-6"), "stale conversion");
  write_file(school.file("Orario/Orario Classi.txt.kt-tmp-" + alive + "-4"), "a running run's report");

  Outcome o = run_orario(school, "", "SNOD:scuola2.txt");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(read_file(school.file("savego.txt")), new_save);
  std::set<std::string> names = entries(school);
  for (const char* left : {"orario.kt-commit", "saveprec.txt", "orario.lock"}) EXPECT_EQ(names.count(left), 0u) << left;
  for (const auto& e : fs::recursive_directory_iterator(school.path())) {
    std::string name = e.path().filename().string();
    EXPECT_TRUE(!contains(name, ".kt-tmp-") || contains(name, ".kt-tmp-" + alive)) << name;
  }
  EXPECT_TRUE(fs::exists(school.path() / "Orario" / ("Orario Classi.txt.kt-tmp-" + alive + "-4")));

  TempDir empty;
  write_file(empty.file("scuola2.txt"), piccola() + "DAYS:\tXX\n");
  EXPECT_EQ(run_orario(empty, "", "SYNT:scuola2.txt").status, 2);
  EXPECT_EQ(entries(empty), (std::set<std::string>{"scuola2.txt"}));
}
