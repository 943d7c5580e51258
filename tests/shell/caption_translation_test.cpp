// Caption normalisation and the two lookup passes: exact match ignoring the
// case of A-Z only, nearest length over the shorter length, the first row
// winning a tie, captions left alone in Italian or when one character long,
// and language indexes outside 0..2 that read the Italian text. Also the
// rows of the program's own tables and the published dialog title.
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

// The two equally near rows of kRows in the other order.
const MlText kSwapped[] = {
    {"Elenco materie", "Fächerliste"_cp, "Subject list"},
    {"Elenco docenti", "Lehrerliste", "Teacher list"},
    {nullptr, nullptr, nullptr},
};

struct NormaliseCase {
  const char* id;
  const char* in;
  const char* out;
};

TEST(CaptionNormalise, Cases) {
  const NormaliseCase cases[] = {
      {"n1", "a   b", "a b"},
      {"n2", "  a", " a"},
      {"n3", " ", " "},
      {"n4", "a | b", "a |b"},
      {"n5", "| x", "|x"},
      {"n6", "a  |  b", "a |b"},
      {"n7", "x|  y", "x|y"},
      {"n8", "ab  ", "ab "},
      {"n9", "", ""},
  };
  for (const NormaliseCase& c : cases) {
    char buffer[32];
    std::strcpy(buffer, c.in);
    ui_normalize_caption(buffer);
    EXPECT_STREQ(buffer, c.out) << c.id;
  }
}

struct TranslateCase {
  const char* id;
  int language;
  const char* caption;
  const char* shown;
};

TEST(CaptionTranslate, ExactNearestAndTies) {
  const TranslateCase cases[] = {
      {"t1", 2, "SALVA", "Save"},
      {"t2", 1, "salva TUTTO", "Alles speichern"},
      {"t3", 2, "Salva  tutto", "Save all"},          // normalised, then exact
      {"t4", 2, "Salva:", "Save"},                    // a key followed by a colon
      {"t5", 2, "Stampa", "Print timetables"},        // nearer of two longer keys
      {"t6", 2, "Stampa orar", "Print timetables"},
      {"t7", 2, "Elenco", "Teacher list"},            // equal distance: first row
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
  };
  for (const TranslateCase& c : cases) {
    LanguageScope language(c.language);
    char buffer[64];
    std::strcpy(buffer, c.caption);
    EXPECT_STREQ(ui_translate_caption(buffer, kRows), c.shown) << c.id;
  }
}

TEST(CaptionTranslate, TieGoesToTheFirstRowOfTheTable) {
  LanguageScope language(2);
  char buffer[] = "Elenco";
  EXPECT_STREQ(ui_translate_caption(buffer, kSwapped), "Subject list");
}

TEST(CaptionTranslate, CopyLeavesTheArgumentAlone) {
  LanguageScope language(1);
  const std::string caption = "Salva  tutto";
  EXPECT_EQ(ui_translate_caption_copy(caption, kRows), "Alles speichern");
  EXPECT_EQ(caption, "Salva  tutto");
}

TEST(CaptionTables, ProgramRowsTranslate) {
  const TranslateCase cases[] = {
      {"p1", 1, "Selezione  Scuola", "Schule wählen"_cp},
      {"p2", 2, "messaggio di sistema", "System message"},
      {"p3", 2, "APRI", "explore"},
      {"p4", 1, "Bilanciamento per peso didattico", "Balance durch Pädagogischen Gewicht"_cp},
  };
  const MlText* tables[] = {g_ml_dialog_titles, g_ml_dialog_titles, g_ml_static_captions, g_ml_check_captions};
  for (int i = 0; i < 4; ++i) {
    LanguageScope language(cases[i].language);
    EXPECT_EQ(ui_translate_caption_copy(cases[i].caption, tables[i]), cases[i].shown) << cases[i].id;
  }
}

TEST(CaptionTables, EveryRowHasThreeTexts) {
  for (const MlText* table : {g_ml_dialog_titles, g_ml_static_captions, g_ml_check_captions, g_ml_button_captions})
    for (const MlText* row = table; row->Italian(); ++row) {
      EXPECT_NE(row->text[1], nullptr) << row->Italian();
      EXPECT_NE(row->text[2], nullptr) << row->Italian();
    }
}

TEST(MlTextLookup, IndexOutsideTheThreeReadsItalian) {
  const MlText row = {"Sì"_cp, "Ja", "Yes"};
  EXPECT_STREQ(row[1], "Ja");
  EXPECT_STREQ(row[-1], "Sì"_cp);
  EXPECT_STREQ(row[3], "Sì"_cp);
  EXPECT_STREQ(row[255], "Sì"_cp);
  LanguageScope language(200);
  EXPECT_EQ(ui_language(), 0);
  EXPECT_STREQ(row.Get(), "Sì"_cp);
}

TEST(CurrentDialogTitle, AlternatesBuffersAndCutsAtForty) {
  ui_set_current_dialog_title("Orario");
  const char* first = g_current_dialog_title.load();
  EXPECT_STREQ(first, "Orario");
  ui_set_current_dialog_title("Configurazione delle classi e delle sezioni della scuola");
  EXPECT_STREQ(g_current_dialog_title.load(), "Configurazione delle classi e delle sezi");
  EXPECT_STREQ(first, "Orario");  // the text a reader still holds is not written
  ui_set_current_dialog_title(nullptr);
  EXPECT_STREQ(g_current_dialog_title.load(), "");
}

}  // namespace
