// A class joined to a post is checked by the post's owner only: the lab
// partner who sees a copy of ROSSI's SCIENZE in 1A, joined to 2A, may
// teach SCIENZE in 2A himself, and saving him says nothing; his own post
// joined to a class he teaches the same subject in is still refused.
#include <gtest/gtest.h>

#include <string>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::PostConstraintsPage;
using V = Cvicat;

TEST_F(PostConstraintsPage, AJoinedClassIsCheckedByTheOwnerNotByThePartnersCopy) {
  add_post(1, science_, 1, 2);     // BIANCHI: SCIENZE in 2A
  Post(0, 2).own.joined_class = 1;                                 // ROSSI's SCIENZE 1A joined to 2A
  og_snapshot_all();
  Open();
  // ROSSI: the joined class is another teacher's.
  std::size_t boxes = ui.boxes().size();
  std::string before = Description();
  ui.Click(g_vicat_page, V::kSaveId);
  EXPECT_EQ(ui.boxes().size(), boxes) << LastBox();
  EXPECT_TRUE(Description() != before) << "ROSSI not saved";

  // BIANCHI, with the copy of ROSSI's joined post.
  ASSERT_TRUE(ui.Select(g_vicat_page, V::kTeacherListId, 1));
  ASSERT_EQ(g_procat_teacher, 1);
  bool has_copy = false;
  for (int p = 0; p < int(g_ui_teachers[1].post_count); ++p)
    has_copy = has_copy || (Post(1, p).copy && Post(1, p).own.joined_class == 1);
  ASSERT_TRUE(has_copy);
  Post(1, 0).own.placement = 1;  // an edit, so that saving writes
  boxes = ui.boxes().size();
  before = Description();
  ui.Click(g_vicat_page, V::kSaveId);
  EXPECT_EQ(ui.boxes().size(), boxes) << LastBox();
  EXPECT_TRUE(Description() != before) << "BIANCHI not saved";

  // His own SCIENZE joined to 1A, where ROSSI teaches it: accepted; joined
  // to 2A, his own class: refused.
  int own = -1;
  for (int p = 0; p < int(g_ui_teachers[1].post_count); ++p)
    if (!Post(1, p).copy && Post(1, p).subject == science_) own = p;
  ASSERT_GE(own, 0);
  Post(1, own).own.joined_class = 0;
  boxes = ui.boxes().size();
  ui.Click(g_vicat_page, V::kSaveId);
  EXPECT_EQ(ui.boxes().size(), boxes) << LastBox();
  Post(1, own).own.joined_class = 1;
  ui.PressInNextModal(kYesButton);
  ui.Click(g_vicat_page, V::kSaveId);
  ASSERT_EQ(ui.boxes().size(), boxes + 1);
  EXPECT_EQ(LastBox(), "La classe abbinata deve avere la stessa materia ed essere di un ALTRO Professore.");
  EXPECT_EQ(g_vicat_page.CurrentPost(), &Post(1, own));
  Post(1, own).own.joined_class = -1;
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
