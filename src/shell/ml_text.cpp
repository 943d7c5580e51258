// The language index and the MlText lookup (see ml_text.h). The byte itself
// is defined once with the shell's other process globals; here it is only
// read, and read safely: start-up and the language chooser are the only
// writers, and a value they did not mean (a corrupt status line) shows
// Italian rather than reading past a row.
#include "shell/ml_text.h"

int ui_language() {
  int language = int(g_language);
  return language >= 0 && language <= 2 ? language : 0;
}

const char* MlText::Get() const { return text[ui_language()]; }
