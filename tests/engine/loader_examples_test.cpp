// The sample schools under examples/ load through "SYNT:" with result 0, and
// the model they give has the shape their folders describe.
#include <gtest/gtest.h>

#include <string>

#include "loader_harness.h"

namespace {

std::string example(const char* name) {
  return engine_test::read_file(std::string(KT_SOURCE_DIR) + "/examples/" + name + "/scuola2.txt");
}

TEST(LoaderExamples, SmallSchoolLoads) {
  std::string bytes = example("piccola");
  ASSERT_FALSE(bytes.empty());
  loader_test::Outcome outcome = loader_test::run_synt(bytes);
  EXPECT_EQ(outcome.code, 0) << outcome.message;
}

TEST(LoaderExamples, LiceoLoads) {
  std::string bytes = example("liceo");
  ASSERT_FALSE(bytes.empty());
  loader_test::Outcome outcome = loader_test::run_synt(bytes);
  EXPECT_EQ(outcome.code, 0) << outcome.message;
}

}  // namespace
