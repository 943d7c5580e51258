// The backend-neutral half of the file-open dialog: filters in the program's
// own form split into labels and patterns and turned into the chooser's
// form, and chosen files turned back into program paths that the one path
// translation finds again.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "platform/fltk/file_open_dialog.h"
#include "platform/paths.h"

namespace kt::ui {
namespace {

TEST(FileFilter, SplitsLabelsAndPatterns) {
  struct Case {
    const char* id;
    const char* filter;
    std::string labels;    // joined by '|'
    std::string patterns;  // per entry joined by ',', entries by '|'
  } cases[] = {
      {"one", "TXT(*.txt)|*.txt||", "TXT(*.txt)", "*.txt"},
      {"two", "Testo|*.txt;*.csv|Tutti i file|*.*||", "Testo|Tutti i file", "*.txt,*.csv|*.*"},
      {"blanks", "Dati| *.ofd ; *.drw ||", "Dati", "*.ofd,*.drw"},
      {"pattern only", "*.ora", "*.ora", "*.ora"},
      {"empty", "", "", ""},
      {"ends early", "A|*.a||B|*.b||", "A", "*.a"},
  };
  for (const Case& c : cases) {
    std::string labels, patterns;
    for (const FileFilterEntry& e : parse_file_filter(c.filter)) {
      if (!labels.empty()) labels += '|', patterns += '|';
      labels += e.label;
      for (std::size_t i = 0; i < e.patterns.size(); ++i) patterns += (i ? "," : "") + e.patterns[i];
    }
    EXPECT_EQ(labels, c.labels) << c.id;
    EXPECT_EQ(patterns, c.patterns) << c.id;
  }
}

TEST(FileFilter, ChooserFormIsUtf8WithAlternatives) {
  EXPECT_EQ(chooser_filter(parse_file_filter("TXT(*.txt)|*.txt||")), "TXT(*.txt)\t*.txt");
  EXPECT_EQ(chooser_filter(parse_file_filter("Attivit\xE0|*.txt;*.csv|Tutti|*.*||")),
            "Attivit\xC3\xA0\t{*.txt,*.csv}\nTutti\t*.*");
  EXPECT_EQ(chooser_filter({}), "");
}

TEST(FileFilter, ChosenFilesBecomeProgramPaths) {
  struct Case {
    const char* id;
    const char* chosen;
    const char* root;
    const char* cwd;
    const char* want;
  } cases[] = {
      {"below root", "/r/KT/scuola/a.txt", "/r/KT", "/x", "\\scuola\\a.txt"},
      {"root with slash", "/r/KT/a.txt", "/r/KT/", "/x", "\\a.txt"},
      {"root is slash", "/etc/x.txt", "/", "/x", "\\etc\\x.txt"},
      {"beside cwd", "/tmp/in/a.txt", "/home/u", "/tmp/work", "..\\in\\a.txt"},
      {"in cwd", "/tmp/work/a.txt", "/home/u", "/tmp/work", "a.txt"},
      {"accented", "/home/u/Attivit\xC3\xA0.txt", "/home/u", "/", "\\Attivit\xE0.txt"},
      {"not in 1252", "/home/u/\xE6\x97\xA5.txt", "/home/u", "/", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(program_path_for(c.chosen, c.root, c.cwd), c.want) << c.id;
}

TEST(FileFilter, PathTranslationFindsTheChosenFileAgain) {
  char folder[] = "/tmp/kt_chooser_XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  std::string root = folder;
  std::string file = root + "/Scuola/Dati.txt";
  ASSERT_EQ(mkdir((root + "/Scuola").c_str(), 0700), 0);
  const char* old = std::getenv(kDriveRootVariable);
  std::string saved = old ? old : "";
  setenv(kDriveRootVariable, folder, 1);
  std::string program = program_path_for(file, drive_root(), "/");
  EXPECT_EQ(program, "\\Scuola\\Dati.txt");
  EXPECT_EQ(translate_path(program), file);
  if (old) setenv(kDriveRootVariable, saved.c_str(), 1);
  else unsetenv(kDriveRootVariable);
  rmdir((root + "/Scuola").c_str());
  rmdir(folder);
}

}  // namespace
}  // namespace kt::ui
