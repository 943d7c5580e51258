// A lab group's line names its labs in order: each takes its place in the
// group, and the places after the last stay empty.
#include <gtest/gtest.h>

#include <string>

#include "desc_test_support.h"
#include "schooldata/description_reader.h"
#include "schooldata/ui_school_model.h"
#include "test_temp_folder.h"

namespace {

TEST(LabGroupReading, EachLabTakesItsPlaceInTheGroup) {
  // The program reads the structure before the assignments: a school
  // without a structure file starts from an empty one.
  kt_test::TempDir empty("lab_group_");
  start_without_school(empty.path().string());
  std::string folder = std::string(KT_SOURCE_DIR) + "/tests/data/loader/small/";
  ASSERT_EQ(og_read_assignments_file_from(folder + "scuola2.txt", 0), 0) << og_description_error();
  const UiSchoolStructure& st = g_ui_structure;
  ASSERT_EQ(+st.lab_group_count, 1u);
  EXPECT_STREQ(st.lab_groups[0].name, "LABORATORI");
  ASSERT_GE(+st.lab_groups[0].labs[0], 0);  // + copies the packed field
  EXPECT_STREQ(st.labs[st.lab_groups[0].labs[0]].name, "LAB CHIMICA");
  EXPECT_EQ(+st.lab_groups[0].labs[1], -1);
}

}  // namespace
