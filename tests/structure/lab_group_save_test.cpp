// Lab groups through the pages and the saved school, on a copy of a sample
// school run by the frame: a group made on the labs page and given to a
// post on the teachers page keeps the post's lab hours when the school is
// written and read back, and the engine books every hour of the post in
// the group; a group deleted while posts name it is said so, and the posts
// are written and reopened as plain ones, never with an empty group name.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "edit_sequence.h"
#include "engine/model.h"
#include "engine/shell_services.h"
#include "engine/text_lines.h"
#include "structure/labs_page.h"

namespace {

using namespace kt::ui;
using edit_sequence::EditSequence;
using L = Clapal;
using P = Cprocat;

class LabGroupSave : public EditSequence {
 protected:
  // A new group of one lab of the main building, saved on the labs page.
  int AddGroup(const char* name, const char* lab) {
    alfadlg_go_to_page(kPageLapal);
    auto* page = dynamic_cast<Clapal*>(g_current_page);
    if (page == nullptr) {
      ADD_FAILURE() << "labs page not reached";
      return -1;
    }
    page->GetDlgItem(L::kGroupNameId)->SetWindowText(name);
    ui.Click(*page, L::kAddGroupId);
    EXPECT_TRUE(ui.Select(*page, L::kCandidateId, lab)) << lab;
    ui.Click(*page, L::kSaveId);
    for (std::uint32_t g = 0; g < g_ui_structure.lab_group_count; ++g)
      if (std::strcmp(g_ui_structure.lab_groups[g].name, name) == 0) return int(g);
    ADD_FAILURE() << "group not added: " << name;
    return -1;
  }

  // The teacher's first post tied to the group, the teacher himself in the
  // lab, and `hours` lab hours; saved on the teachers page.
  int GiveGroup(const char* teacher, const char* group, int hours) {
    alfadlg_go_to_page(kPageProcat);
    if (g_current_page != &g_procat_page) {
      ADD_FAILURE() << "teachers page not reached";
      return -1;
    }
    EXPECT_TRUE(ui.Select(g_procat_page, P::kTeacherListId, teacher)) << teacher;
    EXPECT_TRUE(ui.Select(g_procat_page, P::kPostListId, 0));
    EXPECT_TRUE(ui.Select(g_procat_page, P::kLabId, (std::string(" gruppo:") + group).c_str()));
    EXPECT_TRUE(ui.Select(g_procat_page, P::kPartnerId, teacher));
    EXPECT_TRUE(ui.Select(g_procat_page, P::kPartnerHoursId, hours));
    ui.Click(g_procat_page, P::kSaveId);
    return g_procat_teacher;
  }

  // The written description, its lines in clear.
  static std::string Description() {
    std::string text;
    std::FILE* in = or_fopen(".\\scuola2.txt", "rt");
    if (!in) return text;
    char line[4000];
    while (or_read_line(line, sizeof line, in)) text += line;
    or_fclose(in);
    return text;
  }

  // The teacher's post that names the group.
  static const UiTeachingPost* PostOf(int teacher, int group) {
    for (std::uint32_t p = 0; p < g_ui_teachers[teacher].post_count; ++p)
      if (g_ui_teachers[teacher].posts[p].lab_group == group) return &g_ui_teachers[teacher].posts[p];
    return nullptr;
  }

  // Lessons the engine made for the teacher, and how many of them wait for
  // a lab of a group.
  static std::pair<int, int> EngineLessons(const char* teacher) {
    int lessons = 0, grouped = 0;
    for (int i = 0; i < g_eng_school.lesson_count; ++i) {
      const EngineLesson& l = g_eng_lessons[i];
      if (l.teacher < 0 || std::strcmp(g_eng_teachers[l.teacher].name, teacher) != 0) continue;
      ++lessons;
      if (l.lab_group >= 0) ++grouped;
    }
    return {lessons, grouped};
  }

  // istituto with the group "GRUPPO INFO" (LAB INFORMATICA) given to
  // FONTANA's first post with `hours` lab hours: FONTANA's index, the group
  // in *group; -1 after a failure.
  int StartWithFontanaInGroup(int hours, int* group) {
    Start("istituto");
    if (::testing::Test::HasFatalFailure()) return -1;
    *group = AddGroup("GRUPPO INFO", "LAB INFORMATICA");
    if (*group < 0) return -1;
    int fontana = GiveGroup("FONTANA", "GRUPPO INFO", hours);
    if (fontana < 0 || PostOf(fontana, *group) == nullptr) {
      ADD_FAILURE() << "FONTANA's post not in the group";
      return -1;
    }
    return fontana;
  }

  // Both school files read back, as on opening the school.
  static void Reopen() {
    ASSERT_EQ(og_read_structure_file(0), 0) << og_structure_error();
    ASSERT_EQ(og_read_assignments_file(0), 0) << og_description_error();
  }
};

// A group's name may hold blanks, as the labs page takes them: the school
// that names it on a post still opens again, the post in its group.
TEST_F(LabGroupSave, AGroupNamedWithBlanksReopens) {
  int group = -1;
  int fontana = StartWithFontanaInGroup(2, &group);
  ASSERT_GE(fontana, 0);
  ASSERT_NE(Description().find(" GLB:GRUPPO INFO-"), std::string::npos);
  ASSERT_NO_FATAL_FAILURE(Reopen());
  EXPECT_NE(PostOf(fontana, group), nullptr);
}

// FONTANA teaches only in 1AS: every lesson of his first post is in the
// group, and so are his lab hours on reopening.
TEST_F(LabGroupSave, APostsLabHoursInAGroupOutliveAReopen) {
  int group = -1;
  int fontana = StartWithFontanaInGroup(2, &group);
  ASSERT_GE(fontana, 0);
  const UiTeachingPost& post = *PostOf(fontana, group);
  const int weekly = post.own.hours;
  ASSERT_GT(weekly, 2);
  EXPECT_EQ(post.partner, fontana);
  // The engine books every hour of the post in the group: so many are its
  // lab hours once saved.
  EXPECT_EQ(+post.partner_part.hours, weekly);
  EXPECT_NE(Description().find(" GLB:GRUPPO INFO-"), std::string::npos);
  Check();  // the engine loads it, and reading it back gives what was saved

  loader_test::Outcome synt = loader_test::run_synt(save_reopen::slurp((school_ / "scuola2.txt").string()));
  ASSERT_EQ(synt.code, 0) << synt.message;
  std::pair<int, int> lessons = EngineLessons("FONTANA");
  EXPECT_EQ(lessons.second, weekly);

  ASSERT_NO_FATAL_FAILURE(Reopen());
  const UiTeachingPost* reopened = PostOf(fontana, group);
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(reopened->partner, fontana);
  EXPECT_EQ(+reopened->partner_part.hours, weekly);
}

// Deleting a group that a post names: the officer is told how many posts
// lose it; the school is written without an empty group token, the post
// keeps its hours as a plain post, and it reopens so.
TEST_F(LabGroupSave, ADeletedGroupIsSaidAndItsPostsComeBackPlain) {
  int group = -1;
  int fontana = StartWithFontanaInGroup(3, &group);
  ASSERT_GE(fontana, 0);
  UiTeachingPost* post = const_cast<UiTeachingPost*>(PostOf(fontana, group));
  const int weekly = post->own.hours;

  alfadlg_go_to_page(kPageLapal);
  auto* page = dynamic_cast<Clapal*>(g_current_page);
  ASSERT_NE(page, nullptr);
  ASSERT_TRUE(ui.Select(*page, L::kGroupListId, "GRUPPO INFO"));
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(*page, L::kDeleteGroupId);
  bool told = false;
  for (const auto& box : ui.boxes())
    for (const std::string& t : box.texts)
      told = told || t == "Il Gruppo era assegnato a 1 cattedre: salvando, queste non avranno pi\xF9 un Gruppo di "
                          "Laboratori.";
  EXPECT_TRUE(told);
  ui.Click(*page, L::kSaveId);

  std::string description = Description();
  EXPECT_EQ(description.find(" GLB:"), std::string::npos);
  EXPECT_EQ(description.find("GRULLAB:GRUPPO INFO"), std::string::npos);
  EXPECT_EQ(post->lab_group, -1);
  EXPECT_EQ(post->partner, -1);
  EXPECT_EQ(+post->partner_part.hours, 0);
  EXPECT_EQ(+post->own.hours, weekly);

  // Read back (the deleted group keeps its place only until then): the
  // post as it was written.
  ASSERT_NO_FATAL_FAILURE(Reopen());
  EXPECT_EQ(+g_ui_structure.lab_group_count, 0u);
  EXPECT_EQ(post->lab_group, -1);
  EXPECT_EQ(post->partner, -1);
  EXPECT_EQ(+post->partner_part.hours, 0);
  EXPECT_EQ(+post->own.hours, weekly);

  loader_test::Outcome synt = loader_test::run_synt(save_reopen::slurp((school_ / "scuola2.txt").string()));
  ASSERT_EQ(synt.code, 0) << synt.message;
  EXPECT_EQ(EngineLessons("FONTANA").second, 0);
}

}  // namespace
