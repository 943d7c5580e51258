// The language of the desktop's file chooser. GTK's chooser takes every text
// (its buttons, places, column names) from gettext, which follows the
// messages locale; the program has a language of its own, chosen by the
// user, and runs in the C library's "C" locale. While a
// DesktopChooserLanguage lives, the messages locale is the desktop's (from
// the environment) and gettext is asked for the program's language first
// (LANGUAGE) and looks its texts up again; at its end both come back.
//
// gettext ignores LANGUAGE under the bare "C" or "POSIX" locale (a machine
// without any locale set): there the desktop's chooser cannot speak the
// program's language (Speaks() is false), and FLTK's own chooser, whose
// texts are the program's, is to be shown instead.
#pragma once

#include <optional>
#include <string>

namespace kt::ui {

class DesktopChooserLanguage {
 public:
  explicit DesktopChooserLanguage(int language);  // 0 Italian, 1 German, 2 English
  ~DesktopChooserLanguage();
  DesktopChooserLanguage(const DesktopChooserLanguage&) = delete;
  DesktopChooserLanguage& operator=(const DesktopChooserLanguage&) = delete;

  bool Speaks() const { return speaks_; }

 private:
  std::optional<std::string> saved_language_;
  std::string saved_messages_;
  bool speaks_ = false;
};

}  // namespace kt::ui
