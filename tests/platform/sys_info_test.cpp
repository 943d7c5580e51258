// Language from the locale variables (first set one wins, by its first two
// letters), the desktop opener's argument vector, user name and processors.
// The language is tested through the variant that takes the three values,
// so no test changes the process environment; the opener is tested through
// an injected launcher that records the vector instead of starting it.
#include <gtest/gtest.h>

#include <errno.h>

#include <cstdlib>
#include <fstream>

#include "temp_folder.h"

#include "platform/keyboard_layout.h"
#include "platform/system_info.h"
#include "platform/system_open.h"

TEST(LanguageFromLocale, FirstSetVariableDecides) {
  struct Case { const char* id; const char* all; const char* messages; const char* lang; int language; } cases[] = {
      {"none", nullptr, nullptr, nullptr, 0},
      {"lang-de", nullptr, nullptr, "de_DE.UTF-8", 1},
      {"lang-en", nullptr, nullptr, "en_GB.UTF-8", 2},
      {"lang-it", nullptr, nullptr, "it_IT.UTF-8", 0},
      {"messages-wins", nullptr, "en_US", "de_DE", 2},
      {"all-wins", "de_AT", "en_US", "it_IT", 1},
      {"empty-skipped", "", "", "en", 2},
      {"c-locale", "C", nullptr, "de_DE", 0},
      {"posix", nullptr, "POSIX", "en_US", 0},
      {"french", nullptr, nullptr, "fr_FR", 0},
      {"one-letter", nullptr, nullptr, "e", 0},
      {"upper", nullptr, nullptr, "DE", 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(kt::language_from_locale_values(c.all, c.messages, c.lang), c.language) << c.id;
}

TEST(DesktopOpen, PathIsOneArgumentNeverAShellString) {
  struct Case { const char* id; std::string path; std::string argument; } cases[] = {
      {"plain", "/home/a/Orario/Classi.txt", "/home/a/Orario/Classi.txt"},
      {"blanks", "/home/a/Liceo Volta/", "/home/a/Liceo Volta/"},
      {"shell", "/tmp/x; rm -rf ~ $(id) `id` 'q\"", "/tmp/x; rm -rf ~ $(id) `id` 'q\""},
      {"dash", "-rf", "./-rf"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> seen;
    auto launcher = [&](const std::vector<std::string>& argv, int*) {
      seen = argv;
      return true;
    };
    EXPECT_TRUE(kt::open_with_desktop(c.path, launcher)) << c.id;
    EXPECT_EQ(seen, (std::vector<std::string>{"xdg-open", c.argument})) << c.id;
  }
}

TEST(DesktopOpen, FailuresAreReported) {
  int error = 0;
  auto refuse = [](const std::vector<std::string>&, int* e) {
    *e = ENOENT;
    return false;
  };
  EXPECT_FALSE(kt::open_with_desktop("/tmp/x", refuse, &error));
  EXPECT_EQ(error, ENOENT);
  error = 0;
  EXPECT_FALSE(kt::open_with_desktop("", refuse, &error));
  EXPECT_EQ(error, ENOENT);
}

// The keyboard file's first layout, without the quotes, blanks and carriage
// return around it; a file without the line, or none, names no layout.
class KeyboardFile : public TempFolderTest {
 protected:
  KeyboardFile() : TempFolderTest("kt-keyboard-") {}
};

TEST_F(KeyboardFile, FirstLayoutWithoutQuotesOrBlanks) {
  if (const char* env = std::getenv("XKB_DEFAULT_LAYOUT"); env && *env) GTEST_SKIP() << "the environment names the layout";
  struct Case { const char* id; const char* text; const char* layout; } cases[] = {
      {"plain", "XKBMODEL=pc105\nXKBLAYOUT=de\n", "de"},
      {"quoted-list", "XKBLAYOUT=\"it,us\"\n", "it"},
      {"single-quotes-blanks", "XKBLAYOUT=' ch\t'\r\n", "ch"},
      {"missing", "XKBMODEL=pc105\n", ""},
      {"not-at-start", "# XKBLAYOUT=fr\n", ""},
  };
  for (const Case& c : cases) {
    std::ofstream(at("keyboard"), std::ios::binary) << c.text;
    EXPECT_EQ(kt::keyboard_layout_in(at("keyboard")), c.layout) << c.id;
  }
  EXPECT_EQ(kt::keyboard_layout_in(at("none")), "");
}
