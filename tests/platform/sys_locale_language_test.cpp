// The program's language as the process's own locale variables give it:
// LC_ALL first, then LC_MESSAGES, then LANG, an unset or empty one skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/system_info.h"

namespace {

class LocaleVariables : public ::testing::Test {
protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) {
      const char *v = std::getenv(kNames[i]);
      if (v)
        saved_[i] = v;
    }
  }
  void TearDown() override {
    for (int i = 0; i < 3; ++i) {
      if (saved_[i])
        ::setenv(kNames[i], saved_[i]->c_str(), 1);
      else
        ::unsetenv(kNames[i]);
    }
  }
  static void Put(const char *name, const char *value) {
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  static constexpr const char *kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::optional<std::string> saved_[3];
};

TEST_F(LocaleVariables, TheFirstSetVariableGivesTheLanguage) {
  struct Case {
    const char *id;
    const char *all;
    const char *messages;
    const char *lang;
    int language;
  } cases[] = {
      {"none", nullptr, nullptr, nullptr, 0},
      {"lang german", nullptr, nullptr, "de_CH.UTF-8", 1},
      {"lang english", nullptr, nullptr, "en_US.UTF-8", 2},
      {"messages over lang", nullptr, "de_DE", "en_US", 1},
      {"all over both", "en_GB", "de_DE", "it_IT", 2},
      {"empty all skipped", "", "de_DE", "en_US", 1},
      {"empty messages skipped", nullptr, "", "en_US", 2},
      {"italian", "it_IT.UTF-8", nullptr, "de_DE", 0},
      {"unknown", nullptr, "fr_FR", "de_DE", 0},
  };
  for (const Case &c : cases) {
    Put("LC_ALL", c.all);
    Put("LC_MESSAGES", c.messages);
    Put("LANG", c.lang);
    EXPECT_EQ(kt::language_from_locale(), c.language) << c.id;
  }
}

} // namespace
