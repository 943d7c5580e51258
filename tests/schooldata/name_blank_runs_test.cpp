// A typed or imported name however wide its blanks: every blank run, up to
// a text of 255 characters, shrinks to one blank and the name is the same
// teacher as the one typed plainly; what lies past the 255th character is
// not read.
#include <gtest/gtest.h>

#include <string>

#include "schooldata/model_lookups.h"
#include "schooldata/model_utilities.h"
#include "schooldata/ui_school_model.h"

namespace {

class NameBlankRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    og_clear_structure();
    og_clear_school_blocks();
    g_ui_structure.track_count = 1;
  }
};

std::string blanks(int n) { return std::string(std::size_t(n), ' '); }

TEST_F(NameBlankRuns, WideBlankRunsShrinkUpToTheTextLimit) {
  const struct {
    std::string in;
    const char* out;
  } cases[] = {
      {blanks(244) + "ROSSI MARIO", "ROSSI MARIO"},              // 255 characters, the last one read
      {"ROSSI" + blanks(245) + "MARIO", "ROSSI MARIO"},          // the run in the middle, 255 characters
      {"ROSSI" + blanks(244) + "MARIO ", "ROSSI MARIO"},         // a blank as the 255th
      {blanks(120) + "ROSSI" + blanks(125) + "MARIO", "ROSSI MARIO"},
      {blanks(250) + "ROSSI MARIO", "ROSSI"},                     // past the 255th: not read
      {"ROSSI" + blanks(246) + "MARIO", "ROSSI MARI"},
      {blanks(255) + "ROSSI", ""},
  };
  for (const auto& c : cases) {
    char out[kUiNameSize];
    og_clean_name(out, c.in.c_str());
    EXPECT_STREQ(out, c.out) << c.in.size() << " characters";
  }
}

TEST_F(NameBlankRuns, APaddedNameIsTheSameTeacher) {
  ASSERT_EQ(og_find_or_add_teacher("ROSSI MARIO"), 0);
  EXPECT_EQ(og_find_or_add_teacher(("ROSSI" + blanks(245) + "MARIO").c_str()), 0);
  EXPECT_EQ(og_find_or_add_teacher((blanks(244) + "ROSSI MARIO").c_str()), 0);
  EXPECT_EQ(+g_ui_settings.teacher_count, 1u);
}

}  // namespace
