// The teacher page's list of posts, opened from the frame, names its
// columns in the user's language: Italian keeps its own headings, German and
// English read theirs, and no column of theirs is left in Italian.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "structure/teacher_page.h"
#include "structure_page_fixture.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class PostListHeadings : public TempRoot {
 protected:
  void TearDown() override {
    og_snapshot_all();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    for (PageSlot s : {PageSlot::MenuConfora, PageSlot::Proscuola, PageSlot::Procat}) g_pages.Install(s, nullptr);
    g_language = 0;
    TempRoot::TearDown();
  }
  std::vector<std::string> Headings(int language) {
    g_language = std::uint8_t(language);
    open_test_school(data_root(), {"1A ", "2A "});
    og_snapshot_all();
    TestDriver ui;
    show_frame_page(ui, kPageProcat);
    std::vector<std::string> out;
    auto* list = g_current_page ? static_cast<ListView*>(g_current_page->GetDlgItem(Cprocat::kPostListId)) : nullptr;
    if (list)
      for (int c = 0; c < list->GetColumnCount(); ++c) out.push_back(list->GetColumnHeading(c));
    g_frame.DestroyWindow();
    return out;
  }
};

TEST_F(PostListHeadings, ColumnsAreNamedInTheUsersLanguage) {
  std::vector<std::string> italian = Headings(0);
  ASSERT_GE(italian.size(), 21u);
  EXPECT_EQ(italian[0], "Num");
  EXPECT_EQ(italian[1], "Classe");
  EXPECT_EQ(italian[3], "Materia");
  EXPECT_EQ(italian[20], "Vincoli Professore");
  const std::set<std::string> shared = {"Num", "Posizione"};
  struct Case {
    int language;
    const char* class_heading;
    const char* subject_heading;
  };
  for (const Case& c : {Case{1, "Klasse", "Fach"}, Case{2, "Class", "Subject"}}) {
    SCOPED_TRACE(c.language);
    std::vector<std::string> shown = Headings(c.language);
    ASSERT_EQ(shown.size(), italian.size());
    EXPECT_EQ(shown[1], c.class_heading);
    EXPECT_EQ(shown[3], c.subject_heading);
    for (std::size_t i = 0; i < shown.size(); ++i)
      if (!shared.count(italian[i])) EXPECT_NE(shown[i], italian[i]) << "column " << i << " left in Italian";
  }
}

}  // namespace
