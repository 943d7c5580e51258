// Paths a planted fault once passed unseen: band items carry their own
// number of values; a failed structure read leaves the school unchanged; the
// cloud-share question is asked in the user's language.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/test_driver.h"
#include "platform/ui_types.h"
#include "schooldata/description_writer_parts.h"
#include "schooldata/school_folder_choice.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/message_box.h"
#include "test_temp_folder.h"

namespace {

TEST(SchoolDataFaults, BandItemsCarryTheirOwnNumberOfValues) {
  og_clear_structure();
  og_clear_school_blocks();
  og_set_new_school_defaults(52);
  UiTeacher teacher = g_ui_teachers[0];
  UiTeacherConstraints& c = teacher.personal;
  const std::int8_t two[2] = {2, 3}, three[3] = {2, 4, 1};
  for (std::int8_t* v : {c.pmin, c.pmax, c.cavallomax}) std::copy(two, two + 2, v);
  for (std::int8_t* v : {c.fmin, c.fmax, c.emin, c.emax}) std::copy(three, three + 3, v);
  std::string tokens = dw_constraint_tokens(teacher) + "\t";
  for (const char* item : {"\tPMIN:2-3\t", "\tPMAX:2-3\t", "\tCAVALLOMAX:2-3\t", "\tFMIN:2-4-1\t",
                           "\tFMAX:2-4-1\t", "\tEMIN:2-4-1\t", "\tEMAX:2-4-1\t"})
    EXPECT_NE(tokens.find(item), std::string::npos) << item << " in " << tokens;
}

TEST(SchoolDataFaults, AFailedStructureReadLeavesTheSchoolUnchanged) {
  kt_test::TempDir dir("kt_sd_fault_");
  og_clear_school_blocks();
  std::string good = std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola1.txt";
  std::string bad = (dir.path() / "scuola1.txt").string();
  std::ofstream(bad) << "NOT A STRUCTURE FILE\n";
  struct Case {
    const char* id;
    std::string path;
    int expected;
  } cases[] = {{"bad", bad, -2}, {"missing", (dir.path() / "none.txt").string(), -1}};
  for (const Case& c : cases) {
    ASSERT_EQ(og_read_structure_file_from(good, 0), 0) << og_structure_error();
    EXPECT_EQ(og_read_structure_file_from(c.path, 0), c.expected) << c.id;
    EXPECT_FALSE(og_structure_changed()) << c.id;
    EXPECT_EQ(og_save_if_changed(1), 0) << c.id;
  }
}

TEST(SchoolDataFaults, CloudShareQuestionInTheUsersLanguage) {
  ui_register_toolkit_templates();
  const char* const starts[3] = {"La nuova scuola condivide", "Teilt die neue Schule", "Does the new school share"};
  const int answers[3] = {kt::ui::kIdYes, kt::ui::kIdNo, kt::ui::kIdCancel};
  const int results[3] = {1, 0, -1};
  for (int language = 0; language < 3; ++language) {
    g_language = static_cast<std::uint8_t>(language);
    kt::ui::TestDriver ui;
    ui.AnswerNextModal(answers[language]);
    EXPECT_EQ(Cselcloud().DoModal(), results[language]) << language;
    ASSERT_EQ(ui.boxes().size(), 1u) << language;
    std::string shown;
    for (const std::string& text : ui.boxes()[0].texts) shown += text + "\n";
    EXPECT_NE(shown.find(starts[language]), std::string::npos) << language << ": " << shown;
  }
  g_language = 0;
}

}  // namespace
