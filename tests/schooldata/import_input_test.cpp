// What the import pages make of awkward files, driven through the pages as
// the configuration menu opens them: files with nothing to import, quoted
// spreadsheet cells, UTF-16 text, a SISSI track the school already holds
// under the name it was given by hand, and the readers' messages in the
// user's language.

#include <fstream>
#include <iterator>

#include "engine/shell_services.h"
#include "schooldata/description_writer.h"
#include "schooldata/import_names.h"
#include "schooldata/orario_facile_page.h"
#include "schooldata/sissi_export_reader.h"
#include "schooldata/sissi_import_page.h"
#include "schooldata/spreadsheet_page.h"
#include "import_test_support.h"

namespace {

using namespace kt_search_test;
using namespace kt::ui;

class ImportInput : public ImportFolder {
 protected:
  void SetUp() override {
    ImportFolder::SetUp();
    WriteSchool("Liceo Prova");
  }
  void TearDown() override {
    g_language = 0;
    ImportFolder::TearDown();
  }
  static std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string files() const { return read(drive_ + "/scuola1.txt") + "\n--\n" + read(drive_ + "/scuola2.txt"); }
  // Reads the file `name` on the spreadsheet page and saves: the page's
  // end; no step of it may go unanswered.
  static LResult ImportSheet(const char* name) {
    chosen_ = name;
    TestDriver ui;
    ui.OnNextModal([&](Dialog& d) {
      ui.Click(d, Coraxls::kOpenId);
      ui.Click(d, Coraxls::kSaveId);
    });
    Coraxls page;
    LResult end = page.DoModal();
    EXPECT_TRUE(ui.Problems().empty()) << name;
    return end;
  }
  // The texts of the last box shown, joined.
  static std::string last_box(const TestDriver& ui) {
    std::string all;
    if (!ui.boxes().empty()) {
      for (const std::string& t : ui.boxes().back().texts) all += t + "\n";
    }
    return all;
  }
};

// A file read without error that gives no row imports nothing: the page
// says so and ends as after a failed read; the files keep their bytes (no
// import recorded in the status bytes). Orario Facile's save before any
// read writes nothing either.
TEST_F(ImportInput, AFileWithNothingToImportChangesNothing) {
  struct Case {
    const char* id;
    const char* name;
    const char* text;
    int page;  // 0 spreadsheet, 1 Orario Facile, 2 Argo, 3 SISSI
  } cases[] = {
      {"sheet-headings", "h.txt", "Materia\tProfessore\tClasse\tOre\n\n", 0},
      {"sheet-no-class", "c.txt", "Matematica\tRossi\tXX\t3\n", 0},
      {"ofd-no-lesson", "e.ofd", "<?xml?>\n<teacher>\n<name value=\"Rossi\"/>\n</teacher>\n", 1},
      {"argo-no-lesson", "e.drw", "intestazione\n", 2},
      {"sissi-heading", "s.txt", "CODICE SCUOLA DOCENTE CLASSE MATERIA ORE\n", 3},
  };
  const std::string before = files();
  for (const Case& c : cases) {
    file(drive_ + "/" + c.name, c.text);
    chosen_ = c.name;
    TestDriver ui;
    ui.OnNextModal([&](Dialog& d) {
      int open = c.page == 0 ? Coraxls::kOpenId : c.page == 1 ? Corafac::kOpenId : c.page == 2 ? Corafac::kArgoId
                                                                                                 : Csissi::kOpenId;
      ui.Click(d, open);
    });
    ui.AnswerNextModal(kIdOk);
    LResult result = 0;
    if (c.page == 0) {
      Coraxls page;
      result = page.DoModal();
    } else if (c.page == 3) {
      Csissi page;
      result = page.DoModal();
    } else {
      Corafac page;
      result = page.DoModal();
    }
    EXPECT_EQ(result, -1) << c.id;
    EXPECT_NE(last_box(ui).find("Nessun dato importato: il file"), std::string::npos) << c.id << last_box(ui);
    EXPECT_NE(last_box(ui).find(c.name), std::string::npos) << c.id;
    EXPECT_EQ(files(), before) << c.id;
    EXPECT_TRUE(ui.Problems().empty()) << c.id;
  }
  TestDriver ui;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Corafac::kSaveId);
    ui.Click(d, Corafac::kAbandonId);
  });
  ui.AnswerNextModal(kIdOk);
  Corafac page;
  EXPECT_EQ(page.DoModal(), kIdCancel);
  EXPECT_NE(last_box(ui).find("Nessun dato importato: aprite prima un file"), std::string::npos) << last_box(ui);
  EXPECT_LT(g_ui_structure.status[2], '1');
  EXPECT_EQ(files(), before);
  EXPECT_TRUE(ui.Problems().empty());
}

// Cells in double quotes, as spreadsheets save a cell that holds a
// separator or a quote: the quotes go, "" is one '"', a TAB or '|' inside
// does not split the cell. A '"' inside an unquoted cell stays.
TEST_F(ImportInput, SpreadsheetReadsQuotedCells) {
  file(drive_ + "/q.txt",
       "\"Matematica\"\t\"Rossi\"\t\"1A\"\t\"3\"\n"
       "\"Storia \"\"antica\"\"\"|\"Verdi\tLuca\"|1A|2\n"
       "\"Arte|Disegno\"\tBianchi\t\"\"\t1A\t2\n"
       "Ed. 5\"\tNeri\t1A\t1\n");
  ASSERT_EQ(ImportSheet("q.txt"), Coraxls::kSaved);
  struct Row {
    const char* teacher;
    const char* subject;
    int hours;
  } rows[] = {{"ROSSI", "MATEMATICA", 3}, {"VERDI LUCA", "STORIA \"ANTICA\"", 2}, {"BIANCHI", "ARTE_DISEGNO", 2},
              {"NERI", "ED. 5\"", 1}};
  for (const Row& r : rows) {
    const UiTeacher* t = teacher(r.teacher);
    ASSERT_NE(t, nullptr) << r.teacher;
    ASSERT_EQ(+t->post_count, 1u) << r.teacher;
    EXPECT_STREQ(g_ui_structure.subjects[t->posts[0].subject].name, r.subject) << r.teacher;
    EXPECT_EQ(+t->posts[0].own.hours, r.hours) << r.teacher;
    EXPECT_STREQ(g_ui_structure.classes[t->posts[0].class_index].code, "1A ") << r.teacher;
  }
  EXPECT_EQ(+g_ui_settings.teacher_count, 4u);
}

std::string utf16(const std::u16string& text, bool little) {
  std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
  for (char16_t u : text) {
    char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
    out += little ? std::string{lo, hi} : std::string{hi, lo};
  }
  return out;
}

// A UTF-16 file with its byte-order mark (both byte orders) is read as its
// text, accents kept in 1252; a character 1252 cannot hold refuses the file
// with its line named, and nothing is imported.
TEST_F(ImportInput, SpreadsheetReadsUtf16Text) {
  for (bool little : {true, false}) {
    og_clear_structure();
    og_clear_school_blocks();
    g_ui_structure.track_count = 1;
    std::strcpy(g_ui_structure.track_names[0], "INDIRIZZO UNICO");
    file(drive_ + "/u.txt", utf16(u"Attivit\u00E0\tNicol\u00F2\t2B\t2\r\nStoria\tN\u00E9ri\t2B\t1\r\n", little));
    ASSERT_EQ(ImportSheet("u.txt"), Coraxls::kSaved) << little;
    // Accents as a UTF-8 file gives them (a teacher's name keeps its
    // accented letters' case, a subject's is saved in capitals).
    const UiTeacher* t = teacher("NICOL\xF2");
    ASSERT_NE(t, nullptr) << little;
    EXPECT_STREQ(g_ui_structure.subjects[t->posts[0].subject].name, "ATTIVIT\xC0") << little;
    EXPECT_STREQ(g_ui_structure.classes[t->posts[0].class_index].code, "2B ") << little;
    EXPECT_NE(teacher("N\xE9RI"), nullptr) << little;
  }
  const std::string before = files();
  struct Case {
    const char* id;
    std::string bytes;
  } cases[] = {
      {"polish-letter", utf16(u"Storia\tRossi\t1A\t2\nFisica\tW\u0142odek\t1A\t2\n", true)},
      {"lone-surrogate", utf16(u"Storia\tRossi\t1A\t2\nFisica\tBi\xD800nchi\t1A\t2\n", false)},
      {"utf8-chinese", "\xEF\xBB\xBFStoria\tRossi\t1A\t2\nFisica\tLi \xE6\x9D\x8E\t1A\t2\n"},
  };
  for (const Case& c : cases) {
    file(drive_ + "/bad.txt", c.bytes);
    chosen_ = "bad.txt";
    TestDriver ui;
    ui.OnNextModal([&](Dialog& d) { ui.Click(d, Coraxls::kOpenId); });
    ui.AnswerNextModal(kIdOk);
    Coraxls page;
    EXPECT_EQ(page.DoModal(), -1) << c.id;
    EXPECT_NE(last_box(ui).find("alla riga 2 un carattere che il programma non pu"), std::string::npos)
        << c.id << last_box(ui);
    EXPECT_EQ(teacher("ROSSI"), nullptr) << c.id;
    EXPECT_EQ(files(), before) << c.id;
  }
}

// A school whose tracks were named by hand holds them as their names (the
// first letter the initial), or with another initial and a blank before
// the name, cut to 20 characters. A SISSI file naming such a track puts its
// classes there; a name that only shares a part is another track.
TEST_F(ImportInput, SissiFindsTracksNamedByHand) {
  struct Case {
    const char* id;
    const char* field5;
    int tracks;      // after the read
    const char* code;  // of the class read
  } cases[] = {
      {"whole-name", "1A LICEO SCIENTIFICO", 3, "1AL"},
      {"any-case", "1A Liceo Scientifico", 3, "1AL"},
      {"initial-taken", "2C LICEO CLASSICO", 3, "2CB"},
      {"cut-to-field", "3D MUSICALE E COREUTICO SEZ. MUSICALE", 3, "3DM"},
      {"part-only", "1A SCIENTIFICO", 4, "1AD"},
      {"other-name", "3D MUSICALE E COREUTICA", 4, "3DD"},
  };
  for (const Case& c : cases) {
    og_clear_structure();
    og_clear_school_blocks();
    UiSchoolStructure& st = g_ui_structure;
    st.track_count = 3;
    std::strcpy(st.track_names[0], "LICEO SCIENTIFICO");
    std::strcpy(st.track_names[1], "B LICEO CLASSICO");
    std::strcpy(st.track_names[2], "MUSICALE E COREUTICO");  // the field's 20 characters
    file(drive_ + "/t.txt", std::string("1|D1|ROSSI|C1|") + c.field5 + "|M1|FISICA|2|\n");
    SissiImport import;
    std::vector<std::string> told;
    ASSERT_EQ(og_read_sissi_export(drive_ + "/t.txt", false, import, [&](const std::string& t) { told.push_back(t); }),
              0)
        << c.id;
    EXPECT_TRUE(told.empty()) << c.id;
    EXPECT_EQ(+st.track_count, c.tracks) << c.id;
    ASSERT_EQ(import.rows.size(), 1u) << c.id;
    EXPECT_STREQ(st.classes[import.rows[0].class_index].code, c.code) << c.id;
  }
}

// The readers' messages that had only their Italian text are shown in the
// user's language.
TEST_F(ImportInput, ReaderMessagesInTheUsersLanguage) {
  struct Case {
    int language;
    const char* missing;
    const char* posts;
    const char* bad_class;
  } cases[] = {
      {0, "Manca file di importazione [x.txt]", "Troppe classi per il Professore ROSSI",
       "Nome della classe [0A] non ammissibile"},
      {1, "Importdatei fehlt [x.txt]", "Zu viele Klassen f\xFCr den Lehrer ROSSI", "Klassenname [0A] nicht zul\xE4ssig"},
      {2, "Import file missing [x.txt]", "Too many classes for the teacher ROSSI", "Class name [0A] not admissible"},
  };
  file(drive_ + "/bad.txt", "1|D|A|C|0A X|M|S|1|\n");
  for (const Case& c : cases) {
    g_language = static_cast<std::uint8_t>(c.language);
    EXPECT_EQ(og_import_missing_file_text("x.txt"), c.missing);
    EXPECT_EQ(og_import_too_many_posts_text("ROSSI"), c.posts);
    SissiImport import;
    std::vector<std::string> told;
    EXPECT_EQ(og_read_sissi_export(drive_ + "/bad.txt", false, import, [&](const std::string& t) { told.push_back(t); }),
              -1);
    EXPECT_EQ(told, std::vector<std::string>{c.bad_class}) << c.language;
    told.clear();
    SpreadsheetImport sheet;
    EXPECT_EQ(og_read_spreadsheet_text("x.txt", sheet, [&](const std::string& t) { told.push_back(t); }), -1);
    EXPECT_EQ(told, std::vector<std::string>{c.missing}) << c.language;
  }
}

}  // namespace
