// The readers of Orario Facile, Argo Darwin and spreadsheet files: class
// codes from free-form names, lessons, test patterns, co-presence and labs.

#include <cstring>

#include "schooldata/import_names.h"
#include "schooldata/spreadsheet_reader.h"
#include "schooldata/ui_school_model.h"
#include "search_test_support.h"

namespace {

using namespace kt_search_test;

class ImportReaders : public SearchFolders {
 protected:
  void SetUp() override {
    SearchFolders::SetUp();
    og_clear_structure();
    og_clear_school_blocks();
    g_ui_structure.track_count = 1;
    std::strcpy(g_ui_structure.track_names[0], "INDIRIZZO UNICO");
  }
  // The imported school goes with the test.
  void TearDown() override {
    og_clear_structure();
    SearchFolders::TearDown();
  }
  std::string put(const std::string& name, const std::string& text) {
    file(drive_ + "/" + name, text);
    return drive_ + "/" + name;
  }
  ImportTell tell = [this](const std::string& text) { told.push_back(text); };
  std::vector<std::string> told;
};

std::string code(int c) { return g_ui_structure.classes[c].code; }
std::string teacher(int t) { return t < 0 ? std::string("-") : g_ui_teachers[t].name; }
std::string subject(int s) { return g_ui_structure.subjects[s].name; }

TEST(ImportClassCode, FreeFormNames) {
  const struct {
    const char* name;
    const char* code;
  } cases[] = {
      {"IV B", "4B "}, {"4B", "4B "}, {"4 B", "4B "}, {"4_B", "4B "},  {"4BT", "4BT"}, {"4B_T", "4BT"},
      {"VIIIA", "8A "}, {"iva", "4A "}, {"IX c", "9C "}, {"0A", ""},   {"XA", ""},     {"", ""},
      {"4", ""},       {"4\xE0", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(og_import_class_code(c.name), c.code) << c.name;
}

TEST_F(ImportReaders, OrarioFacileTaggedLessons) {
  std::string lesson =
      "<lesson>\n<subject value=\"Matematica\"/>\n<duration value=\"3\"/>\n"
      "<teacher>\n<name value=\"Rossi\"/>\n</teacher>\n<teacher>\n<name value=\"Bianchi\"/>\n</teacher>\n"
      "<teacher>\n<name value=\"Terzo\"/>\n</teacher>\n<group>\n<name value=\"IV B\"/>\n</group>\n</lesson>\n";
  std::string path = put("a.ofd", "<?xml version=\"1.0\"?>\n" + lesson + lesson +
                                      "<lesson>\n<subject value=\"Storia\"/>\n<teacher>\n<name value=\"1 Neri\"/>\n"
                                      "</teacher>\n<group>\n<name value=\"5 a s\"/>\n</group>\n</lesson>\n");
  ImportedLessons out;
  ASSERT_EQ(og_read_orario_facile(path, out, tell), 0);
  ASSERT_EQ(out.lessons.size(), 3u);
  EXPECT_EQ(teacher(out.lessons[1].teacher), "ROSSI");
  EXPECT_EQ(teacher(out.lessons[1].second_teacher), "BIANCHI");
  EXPECT_EQ(+out.lessons[1].hours, 3);
  EXPECT_EQ(teacher(out.lessons[2].teacher), "ZZ 1 NERI");
  EXPECT_EQ(+out.lessons[2].hours, 1);
  EXPECT_EQ(+g_ui_settings.teacher_count, 3u);  // the third name of a lesson is ignored
  // Classes 4B (no track) and 5AS: two tracks, the blank one lettered 'A'.
  EXPECT_EQ(code(out.lessons[0].class_index), "4BA");
  EXPECT_EQ(code(out.lessons[2].class_index), "5AS");
  EXPECT_EQ(+g_ui_structure.track_count, 3);
  EXPECT_EQ(g_ui_structure.sections[2][1], 1);
  EXPECT_STREQ(g_ui_header.school_name, "Attenzione: Scuola Creata da dati sistema ORARIO FACILE - Definire il nome");
  EXPECT_TRUE(told.empty());
}

TEST_F(ImportReaders, OrarioFacileCompactLessons) {
  std::string item(1, '\2');
  std::string path = put("b.ofd", std::string("\3header\n") + "x_LESSON " + item + "Fisica" + item +
                                      " _TIMESIZE=2 _TEACHERS={" + item + "Verdi" + item + item + item +
                                      "} _GROUPS={" + item + "3C" + item + "}\n" + "x_LESSON " + item + "Fisica" +
                                      item + " _TEACHERS={" + item + item + "} _GROUPS={" + item + "3C" + item +
                                      "}\n");
  ImportedLessons out;
  ASSERT_EQ(og_read_orario_facile(path, out, tell), 0);
  ASSERT_EQ(out.lessons.size(), 1u);  // the second has no teacher
  EXPECT_EQ(subject(out.lessons[0].subject), "FISICA");
  EXPECT_EQ(teacher(out.lessons[0].teacher), "VERDI");
  EXPECT_EQ(out.lessons[0].second_teacher, -1);
  EXPECT_EQ(+out.lessons[0].hours, 2);
  EXPECT_EQ(code(out.lessons[0].class_index), "3C ");
}

TEST_F(ImportReaders, ArgoDarwinSectionsAndRepeatedActivities) {
  std::string path = put("c.drw",
                         "_materie {\n nome=\"Italiano\"\n nome=\"Latino\"\n nome=\"Senza fine\n}\n"
                         "_classi {\n nome=\"1 A\"\n nome=\"ii b\"\n}\n"
                         "_docenti {\n cognome=\"Rossi\" conome=\"Anna\"\n cognome=\"Bruni\"\n}\n"
                         "_MATERIE {\n nome=\"Ignorata\"\n}\n"
                         "_attivita {\n materia=1 classi=(0) docenti=(0,1)\n materia=1 classi=(0) docenti=(0,1)\n"
                         " materia=0 classi=(0) docenti=(1)\n materia=7 classi=(0) docenti=(1)\n}\n");
  ImportedLessons out;
  ASSERT_EQ(og_read_argo_darwin(path, out, tell), 0);
  EXPECT_EQ(+g_ui_structure.subject_count, 2u) << "a value without its closing quote names nothing";
  EXPECT_EQ(code(1), "2B ") << "a Roman year and its section in any case";
  EXPECT_EQ(teacher(0), "ROSSI ANNA") << "names in upper case, as the other imports give them";
  ASSERT_EQ(out.lessons.size(), 2u);
  EXPECT_EQ(+out.lessons[0].hours, 2);
  EXPECT_EQ(out.lessons[0].second_teacher, 1);
  EXPECT_EQ(subject(out.lessons[0].subject), "LATINO");
  EXPECT_EQ(out.lessons[1].second_teacher, -1);
}

TEST_F(ImportReaders, SpreadsheetRowsPatternsAndCoPresence) {
  std::string path = put("d.txt",
                         "Matematica\tRossi\t1A\t4\t2\n"
                         "Fisica|Rossi|1A|3|Bianchi|2|Fisica\n"
                         "Inglese\tVerdi\t2B\t3\tS\tNeri\t1\n"
                         "Inglese\tNeri\t2B\t3\tNeri\t1\n"
                         "Storia\tVerdi\t3A\t2\tBianchi\n"
                         "Storia\tVerdi\t3A\t0\n"
                         "Arte\t\t3A\t2\n"
                         "Chimica\tVerdi\t4A\t3\t22\n");
  SpreadsheetImport out;
  ASSERT_EQ(og_read_spreadsheet_text(path, out, tell), 0) << (told.empty() ? "" : told[0]);
  ASSERT_EQ(out.rows.size(), 6u);
  EXPECT_STREQ(out.rows[5].test_pattern, "");  // a test column holds one character: "22" is none
  EXPECT_STREQ(out.rows[0].test_pattern, "2");
  EXPECT_EQ(teacher(out.rows[1].co_teacher), "BIANCHI");
  EXPECT_EQ(out.rows[1].co_hours, 2);
  ASSERT_GE(+out.rows[1].lab, 0);
  EXPECT_STREQ(g_ui_structure.labs[out.rows[1].lab].name, "FISICA_LAB");
  EXPECT_STREQ(out.rows[2].test_pattern, "2");
  EXPECT_EQ(teacher(out.rows[2].co_teacher), "NERI");
  EXPECT_EQ(+out.rows[2].lab, -1);
  ASSERT_GE(out.co_presence_subject, 0);
  EXPECT_EQ(subject(out.co_presence_subject), "Compresenza");
  EXPECT_EQ(g_ui_structure.subjects[out.co_presence_subject].type, 'C');
  EXPECT_EQ(out.rows[3].co_teacher, out.rows[3].teacher);
  EXPECT_EQ(out.rows[4].co_teacher, -1);  // five columns: no co-presence hours
  EXPECT_STREQ(g_ui_header.school_name, "Attenzione: Scuola Creata da file Excel - Definire il nome");
  // A second read finds the co-presence subject the first one made.
  std::uint32_t subjects = g_ui_structure.subject_count;
  ASSERT_EQ(og_read_spreadsheet_text(path, out, tell), 0);
  EXPECT_EQ(+g_ui_structure.subject_count, subjects);
}

TEST(ImportTestPattern, FitsTheHours) {
  const struct {
    const char* test;
    int hours;
    const char* pattern;
  } cases[] = {{"S", 2, "2"}, {"3", 2, "2"}, {"2", 10, ""}, {"N", 4, ""},  {"33", 4, "31"},
               {"3", 9, "3"}, {"J", 1, "1"}, {"23X4", 8, "23"}, {"9", 0, ""}};
  for (const auto& c : cases) EXPECT_EQ(og_spreadsheet_test_pattern(c.test, c.hours), c.pattern) << c.test << c.hours;
}

TEST_F(ImportReaders, SubjectTableFull) {
  SpreadsheetImport rows;
  g_ui_structure.subject_count = kUiMaxSubjects;
  EXPECT_EQ(og_read_spreadsheet_text(put("e.txt", "Nuova\tRossi\t1A\t2\n"), rows, tell), -1);
  EXPECT_EQ(told, std::vector<std::string>{"Numero Materie eccede il limite di 400"});
}

}  // namespace
