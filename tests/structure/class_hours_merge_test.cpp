// The lessons-by-class page joining a teacher's posts of one class and
// subject once an hour is added: a frontal post takes over what the other
// post has beyond it (second teacher, conversation subject, lab with its
// lab group) and the hours of both, so the class keeps every lesson with
// its co-teaching part; two posts that differ in their co-teaching part
// stay apart.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dictionary_support.h"
#include "structure/lessons_by_class_page.h"

namespace {

using namespace kt::ui;
using namespace dictionary_test;
using C = Clacoco;

struct Extra {
  const char* id;
  int partner, conversation, lab, lab_group;
};

// ROSSI teaches FISICA in 1A: a frontal post of 2 hours and a second post
// of 3 hours with `extra` (2 of them co-taught); BIANCHI is the partner.
void two_posts_school(const Extra& extra) {
  empty_school();
  std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, "1A ", 3);
  g_ui_structure.sections[0][0] = 1;
  int physics = add_subject("FISICA");
  add_subject("INGLESE");
  int conv = add_subject("CONV INGLESE");
  g_ui_structure.subjects[conv].type = 'C';
  add_lab("LAB FISICA");
  add_lab("LAB CHIMICA");
  std::strcpy(g_ui_structure.lab_groups[0].name, "SCIENZE");
  std::strcpy(g_ui_structure.lab_groups[1].name, "TECNICHE");
  g_ui_structure.lab_group_count = 2;
  int rossi = add_teacher("ROSSI", physics);
  UiTeacher& t = g_ui_teachers[rossi];
  t.posts[0].class_index = 0;
  t.posts[0].own.hours = 2;
  t.posts[1] = t.posts[0];
  t.posts[1].own.hours = 3;
  t.posts[1].partner_part.hours = 2;
  t.posts[1].partner = extra.partner;
  t.posts[1].conversation_subject = extra.conversation < 0 ? -1 : conv;
  t.posts[1].lab = extra.lab;
  t.posts[1].lab_group = extra.lab_group;
  t.post_count = 2;
  int bianchi = add_teacher("BIANCHI", physics);
  g_ui_teachers[bianchi].posts[0].class_index = 0;
  g_ui_teachers[bianchi].posts[0].own.hours = 1;
}

int frontal_row(const Clacoco& page) {
  for (std::size_t i = 0; i < page.Rows().size(); ++i) {
    const ClassHourRow& r = page.Rows()[i];
    if (r.teacher == 0 && r.lab < 0 && r.conversation < 0 && r.second_teacher < 0) return int(i);
  }
  return -1;
}

TEST(ClassHoursMerge, AFrontalPostTakesOverTheOtherPostsCoTeachingPart) {
  const Extra extras[] = {{"lab with its group", -1, -1, 1, 1},
                          {"lab with partner and group", 1, -1, 0, 0},
                          {"conversation with partner", 1, 0, -1, -1},
                          {"partner only", 1, -1, -1, -1}};
  for (const Extra& e : extras) {
    SCOPED_TRACE(e.id);
    two_posts_school(e);
    TestDriver ui;
    Clacoco page;
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    int row = frontal_row(page);
    ASSERT_GE(row, 0);
    page.ShowHour(row, 1);
    ui.Click(page, C::kAnotherId);
    const UiTeacher& rossi = g_ui_teachers[0];
    ASSERT_EQ(+rossi.post_count, 1u);
    const UiTeachingPost& post = rossi.posts[0];
    EXPECT_EQ(+post.own.hours, 6);
    EXPECT_EQ(+post.partner_part.hours, 2);
    EXPECT_EQ(+post.partner, e.partner);
    EXPECT_EQ(+post.conversation_subject, e.conversation < 0 ? -1 : 2);
    EXPECT_EQ(+post.lab, e.lab);
    EXPECT_EQ(+post.lab_group, e.lab_group);
    EXPECT_EQ(+post.class_index, 0);
    EXPECT_EQ(+post.subject, 0);
    // The class shows ROSSI's six hours, the co-taught ones first.
    int rossi_rows = 0;
    for (const ClassHourRow& r : page.Rows()) rossi_rows += r.teacher == 0;
    EXPECT_EQ(rossi_rows, 6);
    EXPECT_EQ(page.Rows().front().teacher, 0);
    EXPECT_EQ(page.Rows().front().lab, e.lab);
    EXPECT_EQ(page.Rows().front().lab_group, e.lab_group);
    EXPECT_EQ(page.Rows().front().second_teacher, e.partner);
    EXPECT_EQ(page.Rows().front().hours_in_class, 6);
    og_snapshot_all();
    page.DestroyWindow();
    EXPECT_TRUE(ui.Problems().empty());
  }
}

TEST(ClassHoursMerge, PostsOfDifferentLabsStayApart) {
  two_posts_school({"lab", -1, -1, 1, 1});
  UiTeacher& rossi = g_ui_teachers[0];
  rossi.posts[0].lab = 0;  // the first now has a lab of its own
  rossi.posts[0].lab_group = 0;
  rossi.posts[0].partner_part.hours = 1;
  TestDriver ui;
  Clacoco page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  int row = -1;
  for (std::size_t i = 0; i < page.Rows().size() && row < 0; ++i)
    if (page.Rows()[i].teacher == 0 && page.Rows()[i].lab == 0) row = int(i);
  ASSERT_GE(row, 0);
  page.ShowHour(row, 1);
  ui.Click(page, C::kAnotherId);
  ASSERT_EQ(+rossi.post_count, 2u);
  EXPECT_EQ(+rossi.posts[0].own.hours, 3);
  EXPECT_EQ(+rossi.posts[0].lab, 0);
  EXPECT_EQ(+rossi.posts[0].lab_group, 0);
  EXPECT_EQ(+rossi.posts[1].own.hours, 3);
  EXPECT_EQ(+rossi.posts[1].lab, 1);
  EXPECT_EQ(+rossi.posts[1].lab_group, 1);
  og_snapshot_all();
  page.DestroyWindow();
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
