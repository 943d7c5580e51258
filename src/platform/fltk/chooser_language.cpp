// See chooser_language.h. gettext keeps the translations it has found and
// reads LANGUAGE again only when its catalogue counter moves: the counter is
// moved on every change of LANGUAGE (setlocale moves it itself).
#include "platform/fltk/chooser_language.h"

#include <clocale>
#include <cstdlib>
#include <cstring>

extern "C" int _nl_msg_cat_cntr;  // glibc's catalogue counter

namespace kt::ui {

namespace {

constexpr const char* kGettextLanguage[3] = {"it", "de", "en"};

bool bare(const char* locale) { return !locale || !std::strcmp(locale, "C") || !std::strcmp(locale, "POSIX"); }

}  // namespace

DesktopChooserLanguage::DesktopChooserLanguage(int language) {
  const char* messages = std::setlocale(LC_MESSAGES, nullptr);
  saved_messages_ = messages ? messages : "C";
  if (bare(messages)) messages = std::setlocale(LC_MESSAGES, "");
  speaks_ = !bare(messages);
  if (!speaks_) return;
  if (const char* old = std::getenv("LANGUAGE")) saved_language_ = old;
  ::setenv("LANGUAGE", kGettextLanguage[language >= 0 && language <= 2 ? language : 0], 1);
  ++_nl_msg_cat_cntr;
}

DesktopChooserLanguage::~DesktopChooserLanguage() {
  if (speaks_) {
    if (saved_language_) ::setenv("LANGUAGE", saved_language_->c_str(), 1);
    else ::unsetenv("LANGUAGE");
    ++_nl_msg_cat_cntr;
  }
  std::setlocale(LC_MESSAGES, saved_messages_.c_str());
}

}  // namespace kt::ui
