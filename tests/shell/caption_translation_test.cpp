// Caption normalisation and the two lookup passes (exact ignoring the case
// of A-Z only, then the nearest length); captions left alone in Italian or
// when one character long; every row of the tables has its three texts.
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
  const struct {
    int language;
    const char* caption;
    const char* shown;
  } cases[] = {
      {2, "SALVA", "Save"},
      {1, "salva TUTTO", "Alles speichern"},
      {2, "Salva  tutto", "Save all"},          // normalised, then exact
      {2, "Salva:", "Save"},                    // a key followed by a colon
      {2, "Stampa", "Print timetables"},        // nearer of two longer keys
      {2, "Elenco", "Teacher list"},            // equal distance: first row
      {2, "CITTÀ"_cp, "CITTÀ"_cp},              // accented letters are not folded
      {2, "CITTà"_cp, "Town"},
      {2, "Non  trovato", "Non trovato"},      // no row: normalised Italian
      {2, "S", "S"},                           // one character: never
      {1, "Orario", "translate"},
      {0, "Salva  tutto", "Salva  tutto"},     // Italian: not even normalised
      {7, "Salva  tutto", "Salva  tutto"},     // out of range reads as Italian
  };
  for (const auto& c : cases) {
    LanguageScope language(c.language);
    char buffer[64];
    std::strcpy(buffer, c.caption);
    EXPECT_STREQ(ui_translate_caption(buffer, kRows), c.shown) << c.caption;
  }
}

TEST(CaptionTables, EveryRowHasThreeTexts) {
  for (const MlText* table : {g_ml_dialog_titles, g_ml_static_captions, g_ml_check_captions, g_ml_button_captions})
    for (const MlText* row = table; row->Italian(); ++row) {
      EXPECT_NE(row->text[1], nullptr) << row->Italian();
      EXPECT_NE(row->text[2], nullptr) << row->Italian();
    }
}

}  // namespace
