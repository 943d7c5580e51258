// Caption normalisation and the two lookup passes: exact match ignoring the
// case of A-Z only, nearest length over the shorter length (never for a short
// caption or a cut word), captions left
// alone in Italian or when one character long; every row of the program's
// tables carries its three texts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/cp1252.h"
#include "shell/caption_translation.h"
#include "shell/dialog_title.h"
#include "shell_test_support.h"

namespace {

using kt_shell_test::LanguageScope;

const MlText kRows[] = {
    {"Salva", "Speichern", "Save"},
    {"Salva tutto", "Alles speichern", "Save all"},
    {"Stampa orario", "Stundenplan drucken", "Print timetable"},
    {"Stampa orari", "Stundenpläne drucken"_cp, "Print timetables"},
    {"Elenco docenti", "Lehrerliste", "Teacher list"},
    {"Elenco materie", "Fächerliste"_cp, "Subject list"},
    {"Città"_cp, "Stadt", "Town"},
    {"Orario", "translate", "translate"},
    {"<-- Togli", "<-- Entfernen", "<-- Remove"},
    {nullptr, nullptr, nullptr},
};

TEST(CaptionNormalise, Cases) {
  const char* cases[][2] = {{"a   b", "a b"}, {"  a", " a"}, {"a  |  b", "a |b"}, {"| x", "|x"},
                            {"x|  y", "x|y"}, {"ab  ", "ab "}, {"", ""}};
  for (const auto& c : cases) {
    char buffer[32];
    std::strcpy(buffer, c[0]);
    ui_normalize_caption(buffer);
    EXPECT_STREQ(buffer, c[1]) << c[0];
  }
}

TEST(CaptionTranslate, ExactNearestAndTies) {
  struct TranslateCase {
    const char* id;
    int language;
    const char* caption;
    const char* shown;
  };
  const TranslateCase cases[] = {
      {"t1", 2, "SALVA", "Save"},
      {"t2", 1, "salva TUTTO", "Alles speichern"},
      {"t3", 2, "Salva  tutto", "Save all"},          // normalised, then exact
      {"t4", 2, "Salva:", "Save"},                    // a key followed by a colon
      {"t5", 2, "Stampa", "Print timetables"},        // nearer of two longer keys
      {"t6", 2, "Stampa orar", "Stampa orar"},        // cut inside a word: no match
      {"t7", 2, "Elenco  ", "Teacher list"},          // equal distance: first row
      {"t8", 2, "CITTÀ"_cp, "CITTÀ"_cp},              // accented letters are not folded
      {"t9", 2, "CITTà"_cp, "Town"},
      {"t10", 2, "Chiudi", "Chiudi"},                 // no row: Italian stays
      {"t11", 2, "Non  trovato", "Non trovato"},      // ... normalised
      {"t12", 2, "S", "S"},                           // one character: never
      {"t13", 2, "", ""},
      {"t14", 1, "Orario", "translate"},
      {"t15", 0, "Salva  tutto", "Salva  tutto"},     // Italian: not even normalised
      {"t16", 7, "Salva  tutto", "Salva  tutto"},     // out of range reads as Italian
      {"t17", 255, "Salva", "Salva"},
      {"t18", 2, "Sa", "Sa"},                         // short: exact match only
      {"t19", 2, "Sal", "Sal"},
      {"t20", 2, "Elenco", "Elenco"},                 // the key adds more than it shares
      {"t21", 2, "Salva Alfabetico", "Salva Alfabetico"},
      {"t22", 2, "Salvatore", "Salvatore"},           // a longer word, not the key
      {"t23", 1, "<--", "<--"},
      {"t24", 1, "<-- Togli", "<-- Entfernen"},
  };
  for (const auto& c : cases) {
    LanguageScope language(c.language);
    char buffer[64];
    std::strcpy(buffer, c.caption);
    EXPECT_STREQ(ui_translate_caption(buffer, kRows), c.shown) << c.caption;
  }
}

}  // namespace
