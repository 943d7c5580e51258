// Lookup-or-append over the school model: names cleaned, duplicates found,
// capacities refused with a message and no write past the tables. Packed
// fields are compared by value (unary +).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "schooldata/model_lookups.h"
#include "schooldata/ui_school_model.h"

namespace {

class ModelLookups : public ::testing::Test {
 protected:
  void SetUp() override {
    og_clear_structure();
    og_clear_school_blocks();
    g_ui_structure.track_count = 1;
  }
};

TEST_F(ModelLookups, NamesAreCleaned) {
  const char* cases[][2] = {{"  ROSSI   MARIO  ", "ROSSI MARIO"}, {"A-B|C:D", "A_B_C;D"},
                            {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKLMNOPQRST"}, {"", ""}};
  for (const auto& c : cases) {
    char out[kUiNameSize];
    og_clean_name(out, c[0]);
    EXPECT_STREQ(out, c[1]) << c[0];
  }
}

TEST_F(ModelLookups, TeacherFoundOrAdded) {
  EXPECT_EQ(og_find_or_add_teacher("ROSSI"), 0);
  EXPECT_EQ(og_find_or_add_teacher("BIANCHI"), 1);
  EXPECT_EQ(og_find_or_add_teacher(" ROSSI "), 0);
  EXPECT_EQ(+g_ui_settings.teacher_count, 2u);
  EXPECT_EQ(+g_ui_teachers[1].posts[39].subject, -1);
  EXPECT_EQ(+g_ui_teachers[1].main_subject, -1);
}

TEST_F(ModelLookups, TeacherTableFull) {
  for (int i = 0; i < kUiMaxTeachers; ++i) {
    ASSERT_EQ(og_find_or_add_teacher(("T" + std::to_string(i)).c_str()), i);
  }
  EXPECT_EQ(og_find_or_add_teacher("ONE MORE"), -1);
  EXPECT_NE(std::string(og_lookup_error()).find("ONE MORE"), std::string::npos);
  EXPECT_EQ(+g_ui_settings.teacher_count, 500u);
}

TEST_F(ModelLookups, ClassCodesByTrackCountUpToAFullTable) {
  EXPECT_EQ(og_find_or_add_class("1A", 0), -1);
  EXPECT_EQ(og_find_or_add_class("1A", 1), 0);
  EXPECT_EQ(og_find_or_add_class("1AX", 1), 0);  // one track: two characters count
  EXPECT_EQ(+g_ui_structure.classes[0].calendars[1].calendar_hours[0], 255);
  g_ui_structure.track_count = 2;
  EXPECT_EQ(og_find_or_add_class("2B", 1), 1);
  EXPECT_STREQ(g_ui_structure.classes[1].code, "2B ");
  EXPECT_EQ(og_find_or_add_class("2BS", 1), 2);
  g_ui_structure.class_count = kUiMaxClasses;  // a full table takes no more
  EXPECT_EQ(og_find_or_add_class("9Z", 1), -1);
  EXPECT_EQ(+g_ui_structure.class_count, 300u);
}

// The model keeps 20 characters: a long name finds the subject it became,
// another long name alike in its first 20 becomes another subject, named
// apart, with a notice; a short one-character class code finds its class.
TEST_F(ModelLookups, LongSubjectNamesStayApartAndShortClassCodesAreFound) {
  og_forget_long_subject_names();
  EXPECT_EQ(og_find_or_add_subject("LABORATORIO DI INFOR", 'N'), 0);  // as a structure names it
  EXPECT_EQ(og_find_or_add_subject("LABORATORIO DI INFORMATICA 1", 'N'), 0);
  EXPECT_EQ(og_find_or_add_subject("LABORATORIO DI INFORMATICA 2", 'N'), 1);
  EXPECT_EQ(og_find_or_add_subject("LABORATORIO DI INFORMATICA 1", 'N'), 0);
  EXPECT_EQ(og_find_or_add_subject("LABORATORIO DI INFORMATICA 2", 'N'), 1);
  EXPECT_STREQ(g_ui_structure.subjects[1].name, "LABORATORIO DI INFO2");
  ASSERT_EQ(og_subject_notices().size(), 1u);
  EXPECT_EQ(og_subject_notices()[0], "La materia LABORATORIO DI INFORMATICA 2 si chiama ora LABORATORIO DI INFO2: i "
                                     "suoi primi 20 caratteri erano quelli di LABORATORIO DI INFOR");
  og_forget_long_subject_names();
  EXPECT_TRUE(og_subject_notices().empty());
  EXPECT_EQ(og_find_or_add_class("1", 1), 0);
  EXPECT_STREQ(g_ui_structure.classes[0].code, "1 ");
  EXPECT_EQ(og_find_or_add_class("1", 1), 0);
  EXPECT_EQ(og_find_or_add_class("1 ", 1), 0);
}

TEST_F(ModelLookups, SubjectTypes) {
  EXPECT_EQ(og_find_or_add_subject("ITALIANO", 'N'), 0);
  EXPECT_EQ(og_find_or_add_subject("CONV", 'C'), 1);
  EXPECT_EQ(og_find_or_add_subject("CONV", 'C'), 1);
  EXPECT_EQ(og_find_or_add_subject("ITALIANO", 'C'), -1);
  EXPECT_EQ(og_find_or_add_subject("ITALIANO", 'N'), 0);
}

TEST_F(ModelLookups, LabsAndGroups) {
  EXPECT_EQ(og_find_or_add_lab("CHIMICA"), 0);
  EXPECT_EQ(+g_ui_structure.labs[0].hours[0], 255);
  EXPECT_EQ(og_find_or_add_lab("CHIMICA"), 0);
  EXPECT_EQ(og_find_or_add_lab_group("SCIENZE|CHIMICA|"), 0);
  EXPECT_STREQ(g_ui_structure.lab_groups[0].name, "SCIENZE");
  EXPECT_EQ(+g_ui_structure.lab_groups[0].labs[19], -1);
  EXPECT_EQ(og_find_or_add_lab_group("SCIENZE"), 0);
  g_ui_structure.lab_group_count = kUiMaxLabGroups;
  EXPECT_EQ(og_find_or_add_lab_group("NUOVO"), -1);
}

}  // namespace
