// The school-model utilities: names, class labels, partner copies and
// resets of posts, the grouping clamp, the timetable-state question.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/test_driver.h"
#include "schooldata/model_utilities.h"
#include "schooldata/ui_school_model.h"
#include "shell/message_box.h"

namespace {

using namespace kt::ui;

TEST(ModelNames, CleanInPlace) {
  const struct {
    const char* in;
    int flags;
    const char* out;
  } cases[] = {{"  ROSSI -  BIANCHI:  ", 0, "ROSSI _ BIANCHI;"}, {"CHIMICA_lab", 1, "CHIMICA"}, {"CHIMICA_LAB", 0, "CHIMICA_LAB"},
               {"A,B", 2, "A_B"}, {"A,B", 0, "A,B"}, {"   ", 0, ""},
               {"ARTE\r\n MUSICA\t", 0, "ARTE MUSICA"}};
  for (const auto& c : cases) {
    char name[64] = {};
    std::strcpy(name, c.in);
    EXPECT_EQ(og_clean_name(name, 20, c.flags), int(std::strlen(c.out))) << c.in;
    EXPECT_STREQ(name, c.out) << c.in;
  }
}

// A two-character label is found among the three-character codes of two tracks.
TEST(ModelNames, TwoCharacterLabelAmongThreeCharacterCodes) {
  og_clear_structure();
  g_ui_structure.track_count = 2;
  for (const char* code : {"1AL", "1A ", "2B "}) std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, code, 3);
  EXPECT_EQ(og_find_class_by_label("1A"), 1);
  EXPECT_EQ(og_find_class_by_label("2B"), 2);
  EXPECT_EQ(og_find_class_by_label("3C"), og_class_count());
  EXPECT_STREQ(og_class_label_by_code("2B "), og_class_label(2));
  EXPECT_STREQ(og_class_label_by_code("5Z "), "???");
  og_clear_structure();
}

// A name that does not begin with a letter gets "ZZ " in front, cut to the
// field; a name that begins with a letter stays.
TEST(ModelNames, PrefixNonLetterName) {
  char digit[21] = "3ROSSI";
  EXPECT_EQ(og_prefix_non_letter_name(digit, 20), 6);
  EXPECT_STREQ(digit, "ZZ 3ROSSI");
  char full[21] = "12345678901234567890";
  og_prefix_non_letter_name(full, 20);
  EXPECT_STREQ(full, "ZZ 12345678901234567");
  char letter[21] = "Rossi";
  og_prefix_non_letter_name(letter, 20);
  EXPECT_STREQ(letter, "Rossi");
}

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
TEST(ModelPosts, PartnerCopiesComeAndGo) {
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


  // A reset keeps the assignment when asked, and leaves no subgroup and no
  // building move (-1) in both parts.
  UiTeachingPost& post = g_ui_teachers[0].posts[0];
  post.own.hours = 3;
  post.own.placement = 4;
  og_reset_teaching_post(post, 1);
  EXPECT_EQ(+post.own.hours, 3);
  EXPECT_EQ(+post.lab, 4);
  EXPECT_EQ(+post.own.placement, 0);
  std::memset(&post, 0, sizeof post);
  og_reset_teaching_post(post);
  EXPECT_EQ(+post.subject, -1);
  EXPECT_EQ(+post.partner, -1);
  EXPECT_EQ(+post.own.forbidden_hours[0], 255);
  for (const UiPostPart* part : {&post.own, &post.partner_part}) {
    EXPECT_EQ(+part->hours, 0);
    EXPECT_EQ(+part->subgroup_subject, -1);
    EXPECT_EQ(+part->building_move, -1);
    EXPECT_EQ(+part->joined_class, -1);
    EXPECT_EQ(+part->excluded_day_subject, -1);
    EXPECT_EQ(+part->triple[2], -1);
  }
  og_clear_school_blocks();
}

// "2221" over 4 hours: each pass lowers every digit that still pushes the sum over.
TEST(ModelPosts, ClampDigits) {
  const struct {
    int hours;
    const char* row;
    const char* clamped;
  } cases[] = {{6, "222", "222"}, {4, "2221", "22"}, {0, "31", ""}};
  for (const auto& c : cases) {
    UiPostPart part{};
    part.hours = static_cast<std::int8_t>(c.hours);
    std::strcpy(part.grouping1, c.row);
    std::strcpy(part.grouping2, c.row);
    og_clamp_hour_digits(part);
    EXPECT_STREQ(part.grouping1, c.clamped) << c.row;
    EXPECT_STREQ(part.grouping2, c.clamped) << c.row;
  }
}

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

// og_check_timetable_state: 1 stops the caller. Columns: state, level,
// text given, refuse, the user's answer (0 none asked), result, boxes shown.
TEST(TimetableState, CheckAsksOnlyWhenTheStateIsNotAboveTheLevel) {
  ui_register_toolkit_templates();
  struct Case {
    const char* id;
    char state, level;
    bool text;
    int refuse, answer, result, boxes;
  } cases[] = {
      {"above", '5', '3', true, 0, 0, 0, 0},
      {"level-outside", '2', '9', true, 0, 0, 0, 0},
      {"damaged-as-1", 'x', '1', true, 1, kIdOk, 1, 1},
      {"no-text", '2', '3', false, 0, 0, 0, 0},
      {"answer-no", '2', '3', true, 0, kIdNo, 1, 1},
      {"answer-yes", '3', '3', true, 0, kIdYes, 0, 1},
      {"refuse-needs-level-1", '1', '2', true, 1, kIdYes, 0, 1},
  };
  for (const Case& c : cases) {
    og_clear_structure();
    g_timetable_state = c.state;
    TestDriver ui;
    if (c.answer) ui.AnswerNextModal(c.answer);
    EXPECT_EQ(og_check_timetable_state(c.level, c.text ? "Procedere?" : nullptr, c.refuse), c.result) << c.id;
    EXPECT_EQ(int(ui.boxes().size()), c.boxes) << c.id;
  }
  og_clear_structure();
}

// The question before a page uses the timetable, by state: not computed
// (asked, "No" stops), computed with two-gap days (asked), gaps goal not
// met (told only), done (nothing).
TEST(TimetableState, ConfirmUseByState) {
  ui_register_toolkit_templates();
  struct Case {
    char state;
    LResult answer;  // 0: no question
    int result, boxes;
  } cases[] = {{'1', kIdNo, 0, 1}, {'2', kIdYes, 1, 1}, {'3', kIdNo, 0, 1}, {'3', kIdYes, 1, 1},
               {'4', kIdOk, 1, 1}, {'5', 0, 1, 0}};
  for (const Case& c : cases) {
    og_clear_structure();
    g_timetable_state = c.state;
    TestDriver ui;
    if (c.answer) ui.AnswerNextModal(c.answer);
    EXPECT_EQ(og_confirm_timetable_use(), c.result) << c.state;
    EXPECT_EQ(int(ui.boxes().size()), c.boxes) << c.state;
    EXPECT_EQ(ui.PendingSteps(), 0u) << c.state;
  }
  og_clear_structure();
}

// The week as the pages show it: each run of set hours as "day:first-last",
// a run reaching the day's twelfth hour closed there, runs of later days
// apart when asked; an unset mask shows nothing.
TEST(WeekText, RunsOfSetHours) {
  og_clear_structure();
  const char* const codes[7] = {"LU", "MA", "ME", "GI", "VE", "SA", "DO"};
  for (int d = 0; d < 7; ++d) std::memcpy(g_ui_header.day_codes[d], codes[d], 2);
  struct Case {
    std::vector<int> cells;  // day * 12 + hour, from 0
    int blank;
    const char* text;
  } cases[] = {
      {{0, 1}, 0, "LU:1-2"},
      {{0, 2, 3}, 1, "LU:1-1LU:3-4"},
      {{10, 11, 13}, 0, "LU:11-12MA:2-2"},
      {{10, 11, 13, 14, 30}, 1, "LU:11-12 MA:2-3 ME:7-7"},
      {{83}, 1, " DO:12-12"},
      {{}, 0, ""},
  };
  for (const Case& c : cases) {
    std::uint8_t mask[kUiWeekCells] = {};
    for (int cell : c.cells) mask[cell] = 1;
    char text[kWeekMaskTextSize];
    og_format_week_mask(mask, text, c.blank);
    EXPECT_STREQ(text, c.text);
  }
  std::uint8_t unset[kUiWeekCells] = {255, 1};
  char text[kWeekMaskTextSize] = "x";
  og_format_week_mask(unset, text, 0);
  EXPECT_STREQ(text, "");
  std::uint8_t every_other[kUiWeekCells] = {};
  for (int c = 0; c < kUiWeekCells; c += 2) every_other[c] = 1;
  og_format_week_mask(every_other, text, 1);  // the most runs a week has
  std::string all = text;
  EXPECT_EQ(all.rfind("LU:1-1LU:3-3LU:5-5", 0), 0u) << all;
  EXPECT_EQ(all.substr(all.size() - 16), " DO:9-9 DO:11-11") << all;
  og_clear_structure();
}

TEST(WeekText, LongestDayCountsOneMore) {
  og_clear_structure();
  const std::uint8_t hours[7] = {5, 6, 8, 6, 5, 4, 0};
  std::memcpy(g_ui_header.hours_per_day, hours, 7);
  EXPECT_EQ(og_max_day_hours(), 9);
  std::memset(g_ui_header.hours_per_day, 0, 7);
  EXPECT_EQ(og_max_day_hours(), 1);
  og_clear_structure();
}

// Every class's label, as the pages show it, leads back to the class:
// plain years, Roman years of the classical numbering (IV and V before I,
// II, III), tracks by their short names, and a label after a "name:".
TEST(ModelNames, EachLabelFindsItsClass) {
  og_clear_structure();
  g_ui_structure.track_count = 3;
  std::strcpy(g_ui_structure.track_names[0], "ALICEO");
  std::strcpy(g_ui_structure.track_names[1], "BTECNICO");
  std::strcpy(g_ui_structure.track_names[2], "CSERALE");
  std::strcpy(g_ui_structure.track_short_names[0], "LIC");
  std::strcpy(g_ui_structure.track_short_names[1], "TEC");
  std::strcpy(g_ui_structure.track_short_names[2], "S");  // a label of three characters only
  const char* codes[] = {"1AA", "2AA", "3AA", "4AA", "5AA", "1BB", "3BB", "5CA", "2DC"};
  for (const char* code : codes) {
    UiClass& c = g_ui_structure.classes[g_ui_structure.class_count++];
    std::memcpy(c.code, code, 3);
    c.classical_numbering = c.code[2] == 'A' ? 1 : 0;
  }
  const char* roman[] = {"IVA", "VA", "IA", "IIA", "IIIA"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(std::string(og_class_label(i)).substr(0, std::strlen(roman[i])), roman[i]);
  for (int i = 0; i < og_class_count(); ++i) {
    std::string label = og_class_label(i);
    EXPECT_EQ(og_find_class_by_label(label.c_str()), i) << label;
    EXPECT_EQ(og_find_class_by_label(("ROSSI:" + label).c_str()), i) << label;
  }
  EXPECT_EQ(std::string(og_class_label(og_class_count() - 1)), "2DS");
  EXPECT_EQ(og_find_class_by_label("VIA"), og_class_count());
  og_clear_structure();
}

}  // namespace
