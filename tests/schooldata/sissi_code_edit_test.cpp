// The SISSI code check's own edits on a school read from an export: a code
// typed for a subject or a teacher chosen in its list is cleaned, stored
// and saved with the school; the help button explains the re-reading; the
// re-reading is refused outside the Italian version, which changes nothing.
#include "schooldata/description_writer.h"
#include "schooldata/sissi_code_check.h"
#include "schooldata/sissi_export_reader.h"
#include "import_test_support.h"

namespace {

using namespace kt_search_test;
using namespace kt::ui;

const char* kExport =
    "12345|D1|ROSSI MARIO|C1|1a LICEO SCIENTIFICO|M1|MATEMATICA|4|\n"
    "12345|D2|NERI|C2|2B LICEO SCIENTIFICO|M2|FISICA|3|\n";

class SissiCodeEdit : public ImportFolder {
 protected:
  void SetUp() override {
    ImportFolder::SetUp();
    og_snapshot_all();
    file(drive_ + "/export.txt", kExport);
    SissiImport import;
    ASSERT_EQ(og_read_sissi_export(drive_ + "/export.txt", false, import, [](const std::string&) {}), 0);
    og_write_structure_file();
    og_write_assignments_file(0, 0);
  }
  void TearDown() override {
    g_language = 0;
    ImportFolder::TearDown();
  }
  static int Row(Dialog& d, int list, const char* name) {
    std::vector<std::string> names = column(d, list, 0);
    for (std::size_t i = 0; i < names.size(); ++i)
      if (names[i] == name) return int(i);
    ADD_FAILURE() << name;
    return 0;
  }
};

TEST_F(SissiCodeEdit, CodesTypedForASubjectAndATeacherAreSavedWithTheSchool) {
  TestDriver ui;
  std::string element_subject, element_teacher, help;
  std::vector<std::string> subject_codes, teacher_codes;
  ui.OnNextModal([&](Dialog& d) {
    ui.Select(d, Csissiedit::kSubjectListId, Row(d, Csissiedit::kSubjectListId, "FISICA"));
    element_subject = ui.Text(d, Csissiedit::kElementId);
    d.GetDlgItem(Csissiedit::kIdEditId)->SetWindowText("m-22");
    ui.Click(d, Csissiedit::kAcceptId);
    subject_codes = column(d, Csissiedit::kSubjectListId, 1);
    ui.Select(d, Csissiedit::kTeacherListId, Row(d, Csissiedit::kTeacherListId, "NERI"));
    element_teacher = ui.Text(d, Csissiedit::kElementId);
    d.GetDlgItem(Csissiedit::kIdEditId)->SetWindowText("D 9");
    ui.Click(d, Csissiedit::kAcceptId);
    teacher_codes = column(d, Csissiedit::kTeacherListId, 1);
    ui.Click(d, Csissiedit::kHelpButtonId);
    help = ui.Text(d, Csissiedit::kHelpId);
    ui.Click(d, Csissiedit::kSaveId);
  });
  Csissiedit check;
  EXPECT_EQ(check.DoModal(), Csissiedit::kSaved);
  EXPECT_EQ(element_subject, "FISICA");
  EXPECT_EQ(element_teacher, "NERI");
  EXPECT_NE(std::find(subject_codes.begin(), subject_codes.end(), "m_22"), subject_codes.end())
      << ::testing::PrintToString(subject_codes);
  EXPECT_NE(std::find(teacher_codes.begin(), teacher_codes.end(), "D 9"), teacher_codes.end())
      << ::testing::PrintToString(teacher_codes);
  EXPECT_EQ(help.rfind("Il file esportato da SISSI pu\xF2 essere riletto per completare i codici sconosciuti", 0), 0u)
      << help;
  ASSERT_EQ(og_read_structure_file(0), 0);
  ASSERT_EQ(og_read_assignments_file(0), 0) << og_description_error();
  std::string fisica, neri, mate, rossi;
  for (std::uint32_t s = 0; s < g_ui_structure.subject_count; ++s) {
    if (std::string(g_ui_structure.subjects[s].name) == "FISICA") fisica = g_ui_structure.subjects[s].sissi_id;
    if (std::string(g_ui_structure.subjects[s].name) == "MATEMATICA") mate = g_ui_structure.subjects[s].sissi_id;
  }
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t) {
    if (std::string(g_ui_teachers[t].name) == "NERI") neri = g_ui_teachers[t].sissi_id;
    if (std::string(g_ui_teachers[t].name).rfind("ROSSI", 0) == 0) rossi = g_ui_teachers[t].sissi_id;
  }
  EXPECT_EQ(fisica, "M_22");
  EXPECT_EQ(neri, "D 9");
  EXPECT_EQ(mate, "M1") << "the others keep theirs";
  EXPECT_EQ(rossi, "D1");
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(SissiCodeEdit, TheRereadingIsForTheItalianVersionOnly) {
  const char* said[3] = {nullptr, "Nur f\xFCr die Italienische Version.", "Only for the italian Version."};
  // A class without its code: the re-reading is offered.
  g_ui_structure.classes[1].sissi_id[0] = 0;
  og_write_structure_file();
  og_write_assignments_file(0, 0);
  for (int language : {1, 2}) {
    g_language = std::uint8_t(language);
    TestDriver ui;
    bool offered = false;
    ui.OnNextModal([&](Dialog& d) {
      offered = ui.IsEnabled(d, Csissiedit::kRereadId);
      ui.AnswerNextModal(kIdOk);
      ui.Click(d, Csissiedit::kRereadId);
      ui.Click(d, Csissiedit::kAbandonId);
    });
    Csissiedit check;
    EXPECT_EQ(check.DoModal(), kIdCancel);
    EXPECT_TRUE(offered);
    bool told = false;
    std::string shown;
    for (const auto& box : ui.boxes())
      for (const std::string& t : box.texts) {
        told = told || t == said[language];
        shown += t + "|";
      }
    EXPECT_TRUE(told) << shown;
    EXPECT_TRUE(ui.Problems().empty()) << "no import page opened";
  }
}

}  // namespace
