// Paths of the shell's model helpers and controls that a planted fault once
// passed unseen: a two-character class label found among three-character
// codes; the prefix match of a caption preferring the row nearest in length;
// a coloured static taking a new text colour; a reset teaching post with no
// subgroup and no building move (-1) in both parts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "schooldata/ui_school_model.h"
#include "shell/coloured_texts.h"
#include "schooldata/model_utilities.h"
#include "shell_test_support.h"

namespace {

TEST(ShellFaults, TwoCharacterLabelIsFoundAmongThreeCharacterCodes) {
  og_clear_structure();
  g_ui_structure.track_count = 2;  // two study tracks: codes of three characters
  const char* codes[] = {"1AL", "1A ", "2B "};
  for (const char* code : codes) {
    std::memcpy(g_ui_structure.classes[g_ui_structure.class_count].code, code, 3);
    ++g_ui_structure.class_count;
  }
  EXPECT_EQ(og_find_class_by_label("1A"), 1);
  EXPECT_EQ(og_find_class_by_label("2B"), 2);
  EXPECT_EQ(og_find_class_by_label("3C"), og_class_count());
  og_clear_structure();
}

TEST(ShellFaults, ColourValuesTakeTheTextAndTheBackground) {
  CMuto text(0x000000, 0xFFFFFF);
  text.SetColorValues(0x0000FF, kt::ui::kNoColor);
  EXPECT_EQ(text.TextColor(), 0x0000FFu);
  EXPECT_EQ(text.BackgroundColor(), 0xFFFFFFu);
  text.SetColorValues(kt::ui::kNoColor, 0x00FF00);
  EXPECT_EQ(text.TextColor(), 0x0000FFu);
  EXPECT_EQ(text.BackgroundColor(), 0x00FF00u);
}

TEST(ShellFaults, AResetPostHasNoSubgroupAndNoBuildingMove) {
  UiTeachingPost post;
  std::memset(&post, 0, sizeof post);
  og_reset_teaching_post(post);
  for (const UiPostPart* part : {&post.own, &post.partner_part}) {
    // Packed fields: compared by value.
    EXPECT_EQ(+part->subgroup_subject, -1);
    EXPECT_EQ(+part->building_move, -1);
    EXPECT_EQ(+part->joined_class, -1);
    EXPECT_EQ(+part->excluded_day_subject, -1);
  }
}

}  // namespace
