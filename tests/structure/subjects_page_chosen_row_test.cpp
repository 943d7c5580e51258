// The subjects page after a subject is typed in: a new subject is the one
// chosen in the list, and only it; an existing one typed again (its options
// updated) leaves the chosen row as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary_support.h"
#include "structure/subjects_page.h"

namespace {

using namespace kt::ui;
using namespace dictionary_test;
using M = Cmaterie;

TEST(SubjectsPageChosenRow, TheSubjectTypedInIsTheOneChosen) {
  empty_school();
  add_subject("ARTE");
  int maths = add_subject("MATEMATICA");
  add_subject("STORIA");
  add_teacher("ROSSI", maths);
  TestDriver ui;
  Cmaterie page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  auto* list = static_cast<ListView*>(page.GetDlgItem(M::kListId));
  auto chosen = [&] {
    std::vector<std::string> rows;
    for (int r = list->GetNextItem(-1, kLvniSelected); r >= 0; r = list->GetNextItem(r, kLvniSelected))
      rows.push_back(list->GetItemText(r, 0));
    return rows;
  };
  struct Typed {
    const char* text;
    const char* chosen;  // the row chosen after it
  } typed[] = {{"inglese", "INGLESE"}, {"storia", "INGLESE"}, {"geografia", "GEOGRAFIA"}, {"arte", "GEOGRAFIA"}};
  for (const Typed& t : typed) {
    SCOPED_TRACE(t.text);
    type_and_enter(ui, page, M::kNameId, t.text);
    ASSERT_EQ(chosen().size(), 1u);
    EXPECT_EQ(chosen()[0], t.chosen);
    EXPECT_EQ(list->GetNextItem(-1, kLvniFocused), list->FindItemByText(-1, t.chosen));
  }
  EXPECT_EQ(+g_ui_structure.subject_count, 5u);
  og_snapshot_all();
  page.DestroyWindow();
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
