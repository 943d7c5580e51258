// The SISSI import: the export reader on split and odd records, bad and
// noisy files; the import page saving posts and support hours; the code
// check counting, hiding and filling identifiers from a re-read export.

#include "schooldata/description_writer.h"
#include "schooldata/sissi_code_check.h"
#include "schooldata/sissi_export_reader.h"
#include "schooldata/sissi_import_page.h"
#include "import_test_support.h"
#include "shell/ml_text.h"

namespace {

using namespace kt_search_test;
using namespace kt::ui;

// Four records: a plain one; a hyphenated name with a leading digit and 0
// hours; one split over three lines with the same teacher, class and
// subject as the first; one with a doubled separator and the support
// subject.
const char* kExport =
    "12345|D1|ROSSI MARIO|C1|1a LICEO SCIENTIFICO|M1|MATEMATICA|4|\n"
    "12345|D2| 3-BIS NERI|C2|2B LICEO SCIENTIFICO|M2|FISICA|0|\n"
    "12345|D1|ROSSI MARIO|C1|1A LICEO\n"
    "SCIENTIFICO|M1|MATEMATICA|\n"
    " 3|\n"
    "12345|D3|VERDI|C3|1A LICEO LINGUISTICO|M4||SOSTEGNO|2|\n";

class Sissi : public ImportFolder {
 protected:
  void SetUp() override {
    ImportFolder::SetUp();
    og_snapshot_all();
    file(drive_ + "/export.txt", kExport);
    chosen_ = "export.txt";
  }
};

TEST_F(Sissi, ReaderJoinsRecordsAndAddsWhatTheSchoolLacks) {
  SissiImport import;
  std::vector<std::string> told;
  auto tell = [&](const std::string& text) { told.push_back(text); };
  ASSERT_EQ(og_read_sissi_export(drive_ + "/export.txt", false, import, tell), 0);
  EXPECT_TRUE(told.empty());
  const UiSchoolStructure& st = g_ui_structure;
  ASSERT_EQ(+st.track_count, 2);
  EXPECT_STREQ(st.track_names[0], "ALICEO SCIENTIFICO");
  EXPECT_STREQ(st.track_names[1], "BLICEO LINGUISTICO");
  ASSERT_EQ(+st.class_count, 3u);
  EXPECT_STREQ(st.classes[0].code, "1AA");
  EXPECT_STREQ(st.classes[2].code, "1AB");
  EXPECT_STREQ(st.classes[1].sissi_id, "C2");
  EXPECT_EQ(st.sections[0][1], 1);
  ASSERT_EQ(+g_ui_settings.teacher_count, 3u);
  EXPECT_STREQ(g_ui_teachers[1].name, "ZZ 3_BIS NERI");
  EXPECT_STREQ(g_ui_teachers[1].sissi_id, "D2");
  EXPECT_STREQ(g_ui_settings.sissi_school_id, "1234");
  EXPECT_STREQ(g_ui_header.school_name, "Attenzione: Scuola Creata da dati sistema SISSI - Definire il nome");
  ASSERT_EQ(import.rows.size(), 4u);
  const int hours[4] = {4, 1, 3, 2};
  for (int r = 0; r < 4; ++r) EXPECT_EQ(+import.rows[r].hours, hours[r]) << r;
  EXPECT_EQ(import.rows[2].teacher, import.rows[0].teacher);
  EXPECT_EQ(+import.rows[2].subject, import.rows[0].subject);
  EXPECT_EQ(import.rows[3].track, 1);
  EXPECT_STREQ(st.subjects[import.rows[3].subject].name, "SOSTEGNO");
  EXPECT_STREQ(st.subjects[import.rows[3].subject].sissi_id, "M4");
  // A subject renamed in the school is found by its identifier.
  std::strcpy(g_ui_structure.subjects[0].name, "ANALISI");
  ASSERT_EQ(og_read_sissi_export(drive_ + "/export.txt", false, import, tell), 0);
  EXPECT_EQ(+g_ui_structure.subject_count, 3u);
}

// Each field is taken at its width: the school code at 4 characters, the
// teacher and class ids at 16, names at 20 (before cleaning), the subject id
// at 20 for the lookup and 8 as a new subject's id. A record that stops
// before a field a step needs keeps what the earlier steps added.
TEST_F(Sissi, FieldsAreTakenAtTheirWidths) {
  file(drive_ + "/wide.txt",
       "9876543|DOCENTE-ID-0123456789|BIANCHI GIOVANNI BATTISTA|CLASSE-ID-0123456789|3C LICEO CLASSICO|"
       "MATERIA-ID-0123456789|LINGUA E LETTERATURA ITALIANA|5|\n"
       "9876543|D9|FERRARI|\n");
  SissiImport import;
  ASSERT_EQ(og_read_sissi_export(drive_ + "/wide.txt", false, import, [](const std::string&) {}), 0);
  struct Case {
    const char* id;
    std::string got, want;
  } cases[] = {
      {"school", g_ui_settings.sissi_school_id, "9876"},
      {"teacher", g_ui_teachers[0].name, "BIANCHI GIOVANNI BAT"},
      {"teacher id", g_ui_teachers[0].sissi_id, "DOCENTE-ID-01234"},
      {"class id", g_ui_structure.classes[0].sissi_id, "CLASSE-ID-012345"},
      {"subject", g_ui_structure.subjects[0].name, "LINGUA E LETTERATURA"},
      {"subject id", g_ui_structure.subjects[0].sissi_id, "MATERIA-"},
      {"short record", g_ui_teachers[1].name, "FERRARI"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.id;
  ASSERT_EQ(import.rows.size(), 1u) << "the short record adds its teacher, no row";
  EXPECT_EQ(+import.rows[0].hours, 5);
}

TEST_F(Sissi, ReaderRefusesBadClassesAndSurvivesNoise) {
  struct Case {
    const char* id;
    const char* text;
    const char* message;
  } cases[] = {
      {"year-0", "1|D|A|C|0A X|M|S|1|\n", "Nome della classe [0A] non ammissibile"},
      {"no-letter", "1|D|A|C|11 X|M|S|1|\n", "Nome della classe [11] non ammissibile"},
  };
  for (const Case& c : cases) {
    file(drive_ + "/bad.txt", c.text);
    SissiImport import;
    std::vector<std::string> told;
    EXPECT_EQ(og_read_sissi_export(drive_ + "/bad.txt", false, import,
                                   [&](const std::string& t) { told.push_back(t); }),
              -1)
        << c.id;
    EXPECT_EQ(told, std::vector<std::string>{c.message}) << c.id;
  }
  SissiImport import;
  // Hostile bytes: a long record without line ends and control characters.
  std::string noise(200000, 'x');
  for (std::size_t i = 0; i < noise.size(); i += 7) noise[i] = static_cast<char>(i % 256);
  file(drive_ + "/noise.txt", "1|" + noise);
  int read = og_read_sissi_export(drive_ + "/noise.txt", false, import, [](const std::string&) {});
  EXPECT_TRUE(read == 0 || read == -1);
}

TEST_F(Sissi, ImportPageSortsAndSavesPostsAndSupportHours) {
  TestDriver ui;
  std::vector<std::string> teachers_once, teachers_twice, imported;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Csissi::kOpenId);
    imported = column(d, Csissi::kListId, 8);
    ui.ClickHeader(d, Csissi::kListId, 1);
    teachers_once = column(d, Csissi::kListId, 1);
    ui.ClickHeader(d, Csissi::kListId, 1);
    teachers_twice = column(d, Csissi::kListId, 0);
    ui.Click(d, Csissi::kSaveId);
  });
  Csissi page;
  EXPECT_EQ(page.DoModal(), Csissi::kSaved);
  EXPECT_EQ(imported, (std::vector<std::string>{"si", "si", "si", "si"}));
  EXPECT_EQ(teachers_once, (std::vector<std::string>{"ROSSI MARIO", "ROSSI MARIO", "VERDI", "ZZ 3_BIS NERI"}));
  EXPECT_EQ(teachers_twice, (std::vector<std::string>{"2", "4", "1", "3"}));
  EXPECT_EQ(+g_ui_teachers[0].post_count, 2u);
  EXPECT_EQ(+g_ui_teachers[0].posts[1].own.hours, 3);
  EXPECT_EQ(+g_ui_teachers[2].post_count, 0u);
  EXPECT_EQ(+g_ui_teachers[2].support_hours, 2);
  EXPECT_EQ(g_ui_structure.status[0], '1');
  // The files were written: read back, the second import finds every post.
  ASSERT_EQ(og_read_structure_file_from("scuola1.txt", 0), 0);
  ASSERT_EQ(og_read_assignments_file_from("scuola2.txt", 0), 0) << og_description_error();
  std::vector<std::string> configured;
  ui.AnswerNextModal(kIdYes);  // already imported: go on
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Csissi::kOpenId);
    configured = column(d, Csissi::kListId, 7);
    ui.Click(d, Csissi::kAbandonId);
  });
  Csissi again;
  EXPECT_EQ(again.DoModal(), kIdCancel);
  EXPECT_EQ(configured, (std::vector<std::string>{"si", "si", "si", "NO"}));
  ui.AnswerNextModal(kIdNo);
  Csissi declined;
  EXPECT_EQ(declined.DoModal(), -1);
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(Sissi, CodeCheckCountsHidesAndFillsFromTheExport) {
  SissiImport import;
  ASSERT_EQ(og_read_sissi_export(drive_ + "/export.txt", false, import, [](const std::string&) {}), 0);
  UiTeacher& rossi = g_ui_teachers[0];
  og_reset_teaching_post(rossi.posts[0]);
  rossi.posts[0].own.hours = 4;
  rossi.posts[0].subject = 0;
  rossi.posts[0].class_index = 0;
  rossi.post_count = 1;
  std::strcpy(rossi.name, "ROSSI M");  // the export spells it "ROSSI MARIO"
  std::strcpy(rossi.sissi_id, "UNDEF:3");
  g_ui_teachers[2].support_hours = 2;  // VERDI stays though he has no post
  g_ui_structure.classes[1].sissi_id[0] = 0;
  g_ui_settings.sissi_school_id[0] = 0;
  og_write_structure_file();
  og_write_assignments_file(0, 0);
  TestDriver ui;
  std::vector<std::string> counts, subjects, teachers, after_fill;
  bool reread_enabled = false;
  ui.OnNextModal([&](Dialog& d) {
    for (int id : {Csissiedit::kClassCountId, Csissiedit::kSubjectCountId, Csissiedit::kTeacherCountId})
      counts.push_back(ui.Text(d, id));
    reread_enabled = ui.IsEnabled(d, Csissiedit::kRereadId);
    ui.Click(d, Csissiedit::kHideSubjectsId);  // FISICA: no post names it
    subjects = column(d, Csissiedit::kSubjectListId, 0);
    ui.Click(d, Csissiedit::kHideTeachersId);  // NERI and VERDI but for VERDI's support hours
    teachers = column(d, Csissiedit::kTeacherListId, 0);
    ui.Click(d, Csissiedit::kSaveId);  // no school id: refused
    ui.Click(d, Csissiedit::kRereadId);
    after_fill = column(d, Csissiedit::kTeacherListId, 1);
    ui.Select(d, Csissiedit::kClassListId, "2BA");
    kt::ui::Window* id_edit = d.GetDlgItem(Csissiedit::kIdEditId);
    ASSERT_NE(id_edit, nullptr);
    id_edit->SetWindowText("C2-X");
    ui.Click(d, Csissiedit::kAcceptId);
    ui.Select(d, Csissiedit::kSchoolListId, 0);
    id_edit->SetWindowText("99887");
    ui.Click(d, Csissiedit::kSaveId);
  });
  ui.AnswerNextModal(kIdOk);  // "Occorre assegnare un codice numerico alla scuola!"
  ui.OnNextModal([&](Dialog& d) {  // the import page in code-correction mode
    ui.Click(d, Csissi::kOpenId);
    ui.Click(d, Csissi::kSaveId);
  });
  ui.OnNextModal([&](Dialog& d) {  // "ROSSI M" has no entry of its name
    ui.Select(d, CsissiASK::kListId, 0);
    ui.Click(d, CsissiASK::kChooseId);
  });
  Csissiedit check;
  EXPECT_EQ(check.DoModal(), Csissiedit::kSaved);
  EXPECT_EQ(counts, (std::vector<std::string>{"1", "0", "1"}));
  EXPECT_TRUE(reread_enabled);
  EXPECT_EQ(subjects, (std::vector<std::string>{"MATEMATICA", "SOSTEGNO"}));
  EXPECT_EQ(teachers, (std::vector<std::string>{"ROSSI M", "VERDI"}));
  // The save keeps NERI though he has no post; read again he is listed, and
  // the export has no entry of his name to fill his code from.
  EXPECT_EQ(after_fill, (std::vector<std::string>{"D1", "D3", ""}));
  bool refused = false;
  for (const TestDriver::BoxShown& box : ui.boxes()) {
    for (const std::string& text : box.texts) refused = refused || text == "Occorre assegnare un codice numerico alla scuola!";
  }
  EXPECT_TRUE(refused);
  ASSERT_EQ(og_read_structure_file_from("scuola1.txt", 0), 0);
  ASSERT_EQ(og_read_assignments_file_from("scuola2.txt", 0), 0) << og_description_error();
  EXPECT_STREQ(g_ui_settings.sissi_school_id, "9988");
  EXPECT_STREQ(g_ui_structure.classes[1].sissi_id, "C2_X");
  EXPECT_STREQ(g_ui_teachers[0].sissi_id, "D1");
  EXPECT_TRUE(ui.Problems().empty());
}

// A school that has its study tracks already keeps them: the export's
// tracks are found among them by name, a new one comes after them with the
// next letter, and the classes take their track's letter.
TEST_F(Sissi, ReaderKeepsTheSchoolsTracks) {
  UiSchoolStructure& st = g_ui_structure;
  st.track_count = 2;
  std::strcpy(st.track_names[0], "ALICEO SCIENTIFICO");
  std::strcpy(st.track_names[1], "BLICEO CLASSICO");
  SissiImport import;
  ASSERT_EQ(og_read_sissi_export(drive_ + "/export.txt", false, import, [](const std::string&) {}), 0);
  ASSERT_EQ(+st.track_count, 3);
  EXPECT_STREQ(st.track_names[0], "ALICEO SCIENTIFICO");
  EXPECT_STREQ(st.track_names[1], "BLICEO CLASSICO");
  EXPECT_STREQ(st.track_names[2], "CLICEO LINGUISTICO");
  ASSERT_EQ(+st.class_count, 3u);
  EXPECT_STREQ(st.classes[0].code, "1AA");
  EXPECT_STREQ(st.classes[2].code, "1AC");
  EXPECT_EQ(import.rows[3].track, 2);
}

// Each column's heading orders the export's rows by it, and again the other
// way round; clearing the school's posts (asked first) leaves every teacher
// without posts, stand-by or support hours.
TEST_F(Sissi, ImportPageHeadingsSortAndClearEmptiesTheTeachers) {
  file(drive_ + "/export.txt",
       "12345|D1|ROSSI MARIO|C1|2B LICEO SCIENTIFICO|M1|MATEMATICA|4|\n"
       "12345|D2|BIANCHI|C2|1A LICEO SCIENTIFICO|M2|FISICA|2|\n"
       "12345|D3|VERDI|C3|3C LICEO LINGUISTICO|M3|ARTE|3|\n");
  std::strcpy(g_ui_teachers[0].name, "ESISTENTE");
  g_ui_teachers[0].post_count = 1;
  g_ui_teachers[0].posts[0].own.hours = 2;
  g_ui_teachers[0].standby_hours = 3;
  g_ui_settings.teacher_count = 1;
  TestDriver ui;
  std::vector<std::string> problems;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Csissi::kOpenId);
    struct Column {
      int col;
      bool number;
    } columns[] = {{0, true}, {1, false}, {2, false}, {3, false}, {4, false}, {5, false}, {6, true}};
    for (const Column& c : columns) {
      std::string why = SortsBothWays(ui, d, Csissi::kListId, c.col, c.number);
      if (!why.empty()) problems.push_back(std::to_string(c.col) + ": " + why);
    }
    ui.AnswerNextModal(kIdYes);
    ui.Click(d, Csissi::kClearId);
    EXPECT_FALSE(ui.IsEnabled(d, Csissi::kClearId));
    ui.Click(d, Csissi::kAbandonId);
  });
  Csissi page;
  page.DoModal();
  EXPECT_TRUE(problems.empty()) << problems[0];
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
