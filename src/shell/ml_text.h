// One user-visible text in the three languages of the program, and the
// language the user interface shows. Every text the code writes for the user
// is an MlText row in a static table: three 1252 texts, Italian, German,
// English, picked by g_language. A row whose German or English text is not
// written yet holds "translate" there, and that word is what the user sees.
//
// Invariant: an index outside 0..2 (a language byte read from a damaged
// status file, a negative signed byte) reads the Italian text, never a
// pointer past the three. Lookups are a bounds check and an index: they run
// on every paint of every control.
#pragma once

#include <cstdint>

// g_language (0 Italian, 1 German, 2 English) and g_process_number are the
// shell's process globals; the engine reads the same two.
#include "engine/shell_services.h"

struct MlText {
  const char* text[3];

  // The text of a language; anything outside 0..2 reads the Italian.
  const char* operator[](int language) const { return text[language >= 0 && language <= 2 ? language : 0]; }
  // The text of the current language.
  const char* Get() const;
  // The Italian text: the key of caption tables.
  const char* Italian() const { return text[0]; }
};

// g_language as an index that is always 0, 1 or 2.
int ui_language();
