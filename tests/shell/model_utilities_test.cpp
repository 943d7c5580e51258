// The school-model utilities on small hand-built schools: name cleaning and
// the name-field compare, partner copies of teaching posts, the grouping-row
// clamp and the timetable-state question with a damaged state byte.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/test_driver.h"
#include "schooldata/model_utilities.h"
#include "shell/message_box.h"

namespace {

using namespace kt::ui;

struct NameCase {
  const char* id;
  const char* in;
  int max_length;
  int flags;
  const char* out;
};

class CleanNameInPlace : public ::testing::TestWithParam<NameCase> {};

TEST_P(CleanNameInPlace, Cleans) {
  char name[64] = {};
  std::strcpy(name, GetParam().in);
  int length = og_clean_name(name, GetParam().max_length, GetParam().flags);
  EXPECT_STREQ(name, GetParam().out);
  EXPECT_EQ(length, int(std::strlen(GetParam().out)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CleanNameInPlace,
    ::testing::Values(NameCase{"separators", "  ROSSI -  BIANCHI:  ", 20, 0, "ROSSI _ BIANCHI;"},
                      NameCase{"lab_any_case", "CHIMICA_lab", 20, 1, "CHIMICA"},
                      NameCase{"lab_kept_without_flag", "CHIMICA_LAB", 20, 0, "CHIMICA_LAB"},
                      NameCase{"comma_flag", "A,B", 20, 2, "A_B"},
                      NameCase{"comma_kept", "A,B", 20, 0, "A,B"},
                      NameCase{"blanks_only", "   ", 20, 0, ""}),
    [](const auto& info) { return std::string(info.param.id); });

TEST(ModelNames, Compare) {
  EXPECT_EQ(og_compare_name_field("ABC", "ABCD", 3), -9);
  EXPECT_EQ(og_compare_name_field("ABC", "ABC", 3), 0);
  EXPECT_EQ(og_compare_name_field("AB\xE8", "ABC", 3), 1);  // unsigned bytes
  EXPECT_STREQ(og_limit_text(7), "7");
  g_language = 2;
  EXPECT_STREQ(og_limit_text(-1), " Not managed");
  g_language = 0;
}

// Two tracks: Liceo (L, "Lic") and Tecnico (T, no short name).
TEST(TeachingPosts, PartnerCopiesComeAndGo) {
  og_clear_school_blocks();
  g_ui_settings.teacher_count = 3;
  for (int t = 0; t < 3; ++t) og_init_teacher(t, ("T" + std::to_string(t)).c_str());
  // Teacher 0 owns a lab post with partner 1 and a conversation post with
  // partner 2; teacher 2 owns a lab post with partner 1.
  auto add_post = [](int t, int partner, int lab, int conversation) {
    UiTeachingPost& p = g_ui_teachers[t].posts[g_ui_teachers[t].post_count++];
    p.subject = 0;
    p.partner = partner;
    p.lab = lab;
    p.conversation_subject = conversation;
  };
  add_post(0, 1, 4, -1);
  add_post(0, 2, -1, 7);
  add_post(2, 1, 5, -1);
  add_post(1, -1, -1, -1);
  EXPECT_EQ(og_count_lab_posts(0), 1);
  EXPECT_EQ(og_count_conversation_posts(0), 1);
  EXPECT_EQ(og_count_lab_posts_with_partner(1), 2);
  EXPECT_EQ(og_count_conversation_posts_with_partner(2), 1);

  og_add_partner_post_copies(1);
  ASSERT_EQ(+g_ui_teachers[1].post_count, 3u);
  EXPECT_EQ(+g_ui_teachers[1].posts[1].copy, 1);
  EXPECT_EQ(+g_ui_teachers[1].posts[1].partner, 0);
  EXPECT_EQ(+g_ui_teachers[1].posts[2].partner, 2);
  og_add_partner_post_copies(2);  // the copies in teacher 1 name 0 and 2, and are not copied again
  EXPECT_EQ(+g_ui_teachers[2].post_count, 2u);

  og_remove_partner_post_copies(1);
  EXPECT_EQ(+g_ui_teachers[1].post_count, 1u);
  EXPECT_EQ(+g_ui_teachers[1].posts[1].subject, -1);
  EXPECT_EQ(+g_ui_teachers[1].posts[1].copy, 0);


  UiTeachingPost& post = g_ui_teachers[0].posts[0];
  post.own.hours = 3;
  post.own.placement = 4;
  og_reset_teaching_post(post, 1);
  EXPECT_EQ(+post.own.hours, 3);
  EXPECT_EQ(+post.lab, 4);
  EXPECT_EQ(+post.own.placement, 0);
  og_clear_school_blocks();
}

struct ClampCase {
  const char* id;
  int hours;
  const char* row;
  const char* clamped;
};

class ClampDigits : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ClampDigits, Clamps) {
  UiPostPart part{};
  part.hours = static_cast<std::int8_t>(GetParam().hours);
  std::strcpy(part.grouping1, GetParam().row);
  std::strcpy(part.grouping2, GetParam().row);
  og_clamp_hour_digits(part);
  EXPECT_STREQ(part.grouping1, GetParam().clamped);
  EXPECT_STREQ(part.grouping2, GetParam().clamped);
}

// "2221" over 4 hours: pass 1 lowers the third digit (sum 6 -> 5 -> ...),
// each pass lowering every digit that still pushes the sum over.
INSTANTIATE_TEST_SUITE_P(Cases, ClampDigits,
                         ::testing::Values(ClampCase{"fits", 6, "222", "222"},
                                           ClampCase{"over", 4, "2221", "22"},
                                           ClampCase{"zero_hours", 0, "31", ""}),
                         [](const auto& info) { return std::string(info.param.id); });

TEST(TimetableState, DamagedStateAsksAndStoresNotComputed) {
  ui_register_toolkit_templates();
  og_clear_structure();
  g_timetable_state = 'x';
  TestDriver ui;
  ui.PressInNextModal(CMessageBox::kButtonIds[1]);  // No
  EXPECT_EQ(og_confirm_timetable_use(), 0);
  EXPECT_EQ(g_timetable_state, '1');
  ASSERT_EQ(ui.boxes().size(), 1u);

  g_timetable_state = '5';
  EXPECT_EQ(og_confirm_timetable_use(), 1);
  g_timetable_state = '2';
  g_timetable_pass_once = 1;
  EXPECT_EQ(og_confirm_timetable_use(), 1);
  EXPECT_EQ(g_timetable_pass_once, 0);
  EXPECT_EQ(ui.boxes().size(), 1u);
  og_clear_structure();
}

}  // namespace
