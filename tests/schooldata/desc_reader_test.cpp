// The description reader on the sample schools and on small hand-made
// descriptions: what each keyword fills, the partner parts of lab posts,
// and the messages for bad or hostile input.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "schooldata/description_reader.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "desc_test_support.h"

namespace {

TEST(DescReader, PiccolaReads) {
  ASSERT_EQ(og_read_structure_file_from(desc_example("piccola", "scuola1.txt"), 0), 0);
  ASSERT_EQ(og_read_assignments_file_from(desc_example("piccola", "scuola2.txt"), 0), 0)
      << og_description_error();
  EXPECT_STREQ(g_ui_header.school_name, "Scuola Media Giuseppe Verdi");
  EXPECT_EQ(g_ui_header.hours_per_day[0], 5);
  EXPECT_EQ(+g_ui_settings.teacher_count, 13u);
  EXPECT_STREQ(g_ui_teachers[0].name, "ROSSI");
  EXPECT_EQ(+g_ui_teachers[0].post_count, 5u);
  EXPECT_FALSE(og_school_changed());
}

}  // namespace
