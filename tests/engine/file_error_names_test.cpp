// The files the engine's messages name, as the user is shown them: the way
// this system writes them (relative to the school folder for a file inside
// it, else the absolute path) while the engine keeps its own Windows-style
// names and the source tags stay as they are; a sentence in place of a
// name is left alone. Checked on the reporter's table and on real failures
// of the orario program in the three languages.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "engine_test_support.h"
#include "orario_run_support.h"

namespace fs = std::filesystem;
using engine_test::read_file;
using engine_test::TempDir;
using engine_test::write_file;
using orario_test::contains;
using orario_test::Outcome;
using orario_test::run_orario;

namespace {

// The name line of a file error: what stands in the first brackets.
std::string named_file(const std::string& message) {
  std::size_t at = message.find("\n["), end = message.find("]\n", at);
  return at == std::string::npos || end == std::string::npos ? "<none>" : message.substr(at + 2, end - at - 2);
}

}  // namespace

TEST(FileErrorNames, ShownTheWayThisSystemWritesThem) {
  TempDir root;
  std::string data = (root.path() / "KestrinTempusDati").string(), school = data + "/piccola";
  fs::create_directories(school + "/Orario");
  kt_test::InDriveRoot in(root.path(), school);
  std::string long_shown = "Orario/" + std::string(200, 'a') + ".txt";
  long_shown = long_shown.substr(0, 56) + "..." + long_shown.substr(long_shown.size() - 56);
  struct Case { const char* id; std::string name, shown; } cases[] = {
      {"output-file", ".\\Orario\\Orario Classi.txt", "Orario/Orario Classi.txt"},
      {"plain", "savego.txt", "savego.txt"},
      {"parent", "..\\Orario\\x", data + "/Orario/x"},
      {"up-linux", "../liceo/scuola2.txt", data + "/liceo/scuola2.txt"},
      {"absolute-inside", school + "/Orario/Errori Residui.txt", "Orario/Errori Residui.txt"},
      {"absolute-outside", "/var/tmp/x.txt", "/var/tmp/x.txt"},
      {"sentence", "Un altro calcolo \xE8 gi\xE0 in corso in questa cartella (processo 12)",
       "Un altro calcolo \xE8 gi\xE0 in corso in questa cartella (processo 12)"},
      {"report-sentence", "File [Orario/x.txt] errore output", "File [Orario/x.txt] errore output"},
      {"empty", "", ""},
      {"too-long", ".\\Orario\\" + std::string(200, 'a') + ".txt", long_shown},
  };
  for (const Case& c : cases) EXPECT_EQ(or_shown_file_name(c.name.c_str()), c.shown) << c.id;
  EXPECT_EQ(or_shown_file_name(nullptr), "");

  // The reporter names the file so; the errno is the failure's, the source tag stays.
  g_status.clear();
  g_status.language = 2;
  g_process_number = 0;
  g_eng_run.run_seed = 5;
  errno = ENOSPC;
  try {
    or_raise_file_error(".\\Orario\\Classi.txt", "hint", kSourceUtil, 9);
  } catch (const EngineFileError&) {
  }
  EXPECT_STREQ(g_status.message,
               "(0) File error \n[Orario/Classi.txt]\n[hint]\n[..\\Orario\\OR_UTIL, line:9, errno=28, GLE=28, s=5]\n");
  g_status.clear();
}

// Real failures through the orario program, in each language: a read-only
// output folder (the run as a user without the right to write there; root
// writes anywhere) and a folder in place of the saved timetable. The file is
// named as this system writes it, never in the program's Windows form.
TEST(FileErrorNames, OrarioNamesTheFileThatFailed) {
  std::string as = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "";
  const std::string piccola = read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
  const std::string saved = read_file(std::string(KT_TEST_DATA) + "/savefiles/piccola-savego.txt");
  struct Case {
    const char* id;
    bool read_only_output;  // else a folder in place of savego.txt
    const char* env;
    const char* args;
    const char* name;
    const char* source;
  } cases[] = {
      {"readonly-it", true, "LANG=it_IT.UTF-8", "REPO:scuola2.txt", "Orario/Errori Residui.txt", "[..\\Orario\\OR_UTIL,"},
      {"readonly-de", true, "LANG=de_DE.UTF-8", "REPO:scuola2.txt", "Orario/Fehler R\xC3\xBC" "ckst\xC3\xA4nde.txt",
       "[..\\Orario\\OR_UTIL,"},
      {"readonly-en", true, "LANG=en_GB.UTF-8", "REPO:scuola2.txt", "Orario/Remaining Errors.txt", "[..\\Orario\\OR_UTIL,"},
      {"save-folder-it", false, "LANG=it_IT.UTF-8", "SNOD:scuola2.txt", "savego.txt", "[..\\Orario\\OR_SAVE,"},
      {"save-folder-de", false, "LANG=de_DE.UTF-8", "SNOD:scuola2.txt", "savego.txt", "[..\\Orario\\OR_SAVE,"},
      {"save-folder-en", false, "LANG=en_GB.UTF-8", "REPO:scuola2.txt", "savego.txt", "[..\\Orario\\OR_SAVE,"},
  };
  for (const Case& c : cases) {
    TempDir school;
    fs::permissions(school.path(), fs::perms::all);
    write_file(school.file("scuola2.txt"), piccola);
    if (c.read_only_output) {
      write_file(school.file("savego.txt"), saved);
      fs::create_directory(school.path() / "Orario");
      fs::permissions(school.path() / "Orario", fs::perms::owner_read | fs::perms::owner_exec |
                                                    fs::perms::group_read | fs::perms::group_exec |
                                                    fs::perms::others_read | fs::perms::others_exec);
    } else {
      fs::create_directory(school.path() / "savego.txt");
    }
    Outcome o = run_orario(school, c.env, c.args, c.read_only_output ? as : "");
    EXPECT_EQ(o.status, 1) << c.id << o.err;
    EXPECT_EQ(named_file(o.err), c.name) << c.id << ": " << o.err;
    EXPECT_TRUE(contains(o.err, c.source)) << c.id << ": " << o.err;
    EXPECT_EQ(read_file(school.file("scuola2.txt")), piccola) << c.id;
    if (c.read_only_output) {
      EXPECT_TRUE(fs::is_empty(school.path() / "Orario")) << c.id;
    }
  }
}

// A folder standing where a report or the residual-errors file goes is no
// document left open in another program: the message says what is there,
// in the user's language, for the text reports and their HTML pages alike,
// and for the room allocation's own report.
TEST(FileErrorNames, AFolderInAReportsPlaceIsNamedAsSuch) {
  const std::string piccola = read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
  const std::string saved = read_file(std::string(KT_TEST_DATA) + "/savefiles/piccola-savego.txt");
  struct Case {
    const char* env;
    const char* command;
    const char* folder;
    const char* hint;
  } cases[] = {
      {"LANG=it_IT.UTF-8", "REPO:scuola2.txt", "Errori Residui.txt", "Al posto del file c"},
      {"LANG=en_GB.UTF-8", "REPO:scuola2.txt", "Remaining Errors.txt", "A folder stands in the file's place"},
      {"LANG=it_IT.UTF-8", "REPO:scuola2.txt", "Orario Classi.txt", "Al posto del file c"},
      {"LANG=it_IT.UTF-8", "REPO:scuola2.txt", "HTML/Orario Classi.html", "Al posto del file c"},
      {"LANG=it_IT.UTF-8", "ASAU:scuola2.txt", "Allocazione Aule.txt", "Al posto del file c"},
  };
  for (const Case& c : cases) {
    TempDir school;
    write_file(school.file("scuola2.txt"), piccola);
    write_file(school.file("savego.txt"), saved);
    fs::create_directories(school.path() / "Orario" / c.folder);
    Outcome o = run_orario(school, c.env, c.command, "");
    EXPECT_EQ(o.status, 1) << c.env << o.err;
    EXPECT_FALSE(contains(o.err, "Chiudere il documento")) << c.folder << ": " << o.err;
    EXPECT_FALSE(contains(o.err, "Close document")) << c.folder << ": " << o.err;
    EXPECT_TRUE(contains(o.err, c.hint)) << c.folder << ": " << o.err;
  }
}

// A file-size limit (ulimit -f) reached while the reports are written: the
// run ends with a message and a failure status, as on a full disk, instead
// of being killed by the limit's signal, and the school's files stay whole.
TEST(FileErrorNames, AFileSizeLimitEndsTheRunWithAMessage) {
  const std::string piccola = read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
  const std::string saved = read_file(std::string(KT_TEST_DATA) + "/savefiles/piccola-savego.txt");
  TempDir school;
  write_file(school.file("scuola2.txt"), piccola);
  write_file(school.file("savego.txt"), saved);
  Outcome o = run_orario(school, "LANG=it_IT.UTF-8", "REPO:scuola2.txt", "prlimit --fsize=20000");
  EXPECT_EQ(o.status, 1) << o.err;
  EXPECT_TRUE(contains(o.err, "Errore File")) << o.err;
  EXPECT_EQ(read_file(school.file("scuola2.txt")), piccola);
  EXPECT_EQ(read_file(school.file("savego.txt")), saved);
}
