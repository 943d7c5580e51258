// The desktop's file chooser speaks the program's language: while it is
// shown, the texts GTK looks up (its Cancel and Open buttons) come in the
// language the user chose in the program, whatever the desktop's; after it
// the program's locale and environment are as they were. Under the bare C
// locale gettext cannot follow, and the chooser says so (FLTK's own chooser,
// with the program's texts, is then shown).
#include <gtest/gtest.h>
#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/fltk/chooser_language.h"

namespace {

using kt::ui::DesktopChooserLanguage;

// The locale variables of the user's session for one test.
class SessionLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"}) {
      const char* value = std::getenv(name);
      saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
      ::unsetenv(name);
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) ::setenv(name.c_str(), value->c_str(), 1);
      else ::unsetenv(name.c_str());
    }
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

bool gtk_catalogue(const char* language) {
  return std::filesystem::exists(std::string("/usr/share/locale/") + language + "/LC_MESSAGES/gtk30.mo");
}

TEST_F(SessionLocale, TheDesktopChooserSpeaksTheProgramsLanguageWhileShown) {
  if (!gtk_catalogue("it") || !gtk_catalogue("de")) GTEST_SKIP() << "GTK's Italian and German texts are not installed";
  ::setenv("LANG", "C.UTF-8", 1);  // a desktop in English
  bind_textdomain_codeset("gtk30", "UTF-8");  // as GTK reads its texts
  ASSERT_STREQ(std::setlocale(LC_MESSAGES, nullptr), "C");
  struct Case {
    int language;
    const char* cancel;
    const char* open;
  } cases[] = {{0, "A_nnulla", "_Apri"}, {1, "_Abbrechen", "\xC3\x96_ffnen"}, {2, "_Cancel", "_Open"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    {
      DesktopChooserLanguage shown(c.language);
      EXPECT_TRUE(shown.Speaks());
      EXPECT_STREQ(dgettext("gtk30", "_Cancel"), c.cancel);
      EXPECT_STREQ(dgettext("gtk30", "_Open"), c.open);
    }
    EXPECT_STREQ(std::setlocale(LC_MESSAGES, nullptr), "C");
    EXPECT_EQ(std::getenv("LANGUAGE"), nullptr);
    EXPECT_STREQ(dgettext("gtk30", "_Cancel"), "_Cancel");
  }
}

TEST_F(SessionLocale, AUsersOwnLanguageListComesBackAfterTheChooser) {
  ::setenv("LANG", "C.UTF-8", 1);
  ::setenv("LANGUAGE", "fr:en", 1);
  { DesktopChooserLanguage shown(1); }
  ASSERT_NE(std::getenv("LANGUAGE"), nullptr);
  EXPECT_STREQ(std::getenv("LANGUAGE"), "fr:en");
}

TEST_F(SessionLocale, UnderTheBareCLocaleTheDesktopChooserCannotFollow) {
  for (const char* bare : {"C", "POSIX"}) {
    SCOPED_TRACE(bare);
    ::setenv("LANG", bare, 1);
    DesktopChooserLanguage shown(1);
    EXPECT_FALSE(shown.Speaks());
    EXPECT_EQ(std::getenv("LANGUAGE"), nullptr);
  }
}

}  // namespace
