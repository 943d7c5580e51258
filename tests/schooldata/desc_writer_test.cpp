// The description writer: the sample schools read, written, read again and
// written again give the same bytes; the written file loads in the engine;
// a write that cannot replace the file leaves the old one.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "../engine/loader_harness.h"
#include "desc_test_support.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"

namespace {

class DescWriter : public PlainSchoolFolder<::testing::TestWithParam<const char*>> {};

TEST_P(DescWriter, WriteReadWriteSameBytes) {
  ASSERT_EQ(og_read_structure_file_from(desc_example(GetParam(), "scuola1.txt"), 0), 0);
  ASSERT_EQ(og_read_assignments_file_from(desc_example(GetParam(), "scuola2.txt"), 0), 0)
      << og_description_error();
  std::uint32_t teachers = g_ui_settings.teacher_count;
  ASSERT_EQ(og_write_assignments_file_to(dir_ + "/a.txt", 0), 0) << og_description_write_error();
  ASSERT_EQ(og_read_assignments_file_from(dir_ + "/a.txt", 0), 0) << og_description_error();
  EXPECT_EQ(+g_ui_settings.teacher_count, teachers);
  ASSERT_EQ(og_write_assignments_file_to(dir_ + "/b.txt", 0), 0);
  std::string first = slurp(dir_ + "/a.txt");
  EXPECT_FALSE(first.empty());
  EXPECT_EQ(first, slurp(dir_ + "/b.txt"));
}

TEST_P(DescWriter, EngineLoadsWrittenFile) {
  ASSERT_EQ(og_read_structure_file_from(desc_example(GetParam(), "scuola1.txt"), 0), 0);
  ASSERT_EQ(og_read_assignments_file_from(desc_example(GetParam(), "scuola2.txt"), 0), 0);
  ASSERT_EQ(og_write_assignments_file_to(dir_ + "/a.txt", 0), 0);
  loader_test::Outcome out = loader_test::run_synt(slurp(dir_ + "/a.txt"));
  EXPECT_EQ(out.code, 0) << out.message;
}

INSTANTIATE_TEST_SUITE_P(Samples, DescWriter, ::testing::Values("piccola", "liceo"));

}  // namespace
