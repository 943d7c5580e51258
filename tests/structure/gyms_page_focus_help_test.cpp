// The gyms page's help pane follows the focus: each field shows its own
// text, the three further subjects share one, and every pairing row
// shares another.
#include "structure/gyms_page.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "dictionary_support.h"

namespace {

using namespace kt::ui;
using namespace dictionary_test;
using P = Cpale;

TEST(GymsPageFocusHelp, EachFieldShowsItsOwnText) {
  empty_school();
  add_building("SUCCURSALE");
  add_subject("EDUCAZIONE FISICA");
  std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, "1A ", 3);
  TestDriver ui;
  Cpale page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  auto help_on = [&](int id) {
    page.GotoDlgCtrl(page.GetDlgItem(id));
    return ui.Text(page, P::kHelpPaneId);
  };
  std::map<std::string, std::string> shown;
  const std::pair<const char*, int> fields[] = {
      {"building", P::kBuildingId},    {"subject", P::kFirstSubjectId},   {"capacity", P::kCapacityId},
      {"minimum", P::kMinimumId},      {"product", P::kProductId},
      {"tolerated", P::kToleratedId},  {"pairing", P::kFirstPairId}};
  for (const auto& [name, id] : fields) {
    help_on(P::kNameId);
    shown[name] = help_on(id);
    EXPECT_FALSE(shown[name].empty()) << name;
  }
  for (const auto& [a, text_a] : shown)
    for (const auto& [b, text_b] : shown)
      if (a < b) EXPECT_NE(text_a, text_b) << a << " and " << b;
  for (int k = 1; k < 4; ++k) {
    help_on(P::kBuildingId);
    EXPECT_EQ(help_on(P::kFirstSubjectId + k), help_on(P::kFirstSubjectId + 1)) << k;
    EXPECT_NE(help_on(P::kFirstSubjectId + k), shown["subject"]) << k;
  }
  for (int row = 0; row < P::kPairRows; ++row) {
    help_on(P::kBuildingId);
    EXPECT_EQ(help_on(P::kFirstPairId + row), shown["pairing"]) << row;
  }
  // The name field has no text of its own: the pane keeps the last one.
  help_on(P::kCapacityId);
  EXPECT_EQ(help_on(P::kNameId), shown["capacity"]);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
