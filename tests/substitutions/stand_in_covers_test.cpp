// Covers on the small school with an articulated group, through the
// substitutions dialog of the desktop program from its start-up: RE teaches
// 2B on Monday at the first and the fourth hour and, under his stand-in
// "RE A ", the group 4X at the first and the third, so on his own name the
// third hour looks free. He is busy then all the same, his absence leaves
// the group's lessons to cover, and the stand-in is no one to mark away or
// to call for a cover. The stand-by hours are placed first ("DISP:").
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app_test_support.h"
#include "computed_school.h"
#include "desktop_wiring.h"
#include "frame_test_support.h"
#include "engine/substitution_services.h"
#include "platform/test_driver.h"
#include "shell/home_page.h"
#include "substitutions/substitutions_dialog.h"

namespace {

using namespace kt::ui;
using S = Cmenu_sost;
using substitution_test::row_starting;
using substitution_test::rows_of;

class StandInCovers : public kt_app_test::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
    school_ = copy_articulated_school("small");
    substitution_test::run_orario(school_, "DISP:scuola2.txt");
    write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\small\n");
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
  }
  void TearDown() override {
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
    TempRoot::TearDown();
  }
  // Marks the teacher away all Monday on the substitutions dialog, computes
  // and returns the result rows; `teachers` gets the dialog's teacher rows.
  std::vector<std::string> MondayWithout(const std::string& name, std::vector<std::string>* teachers = nullptr) {
    std::vector<std::string> results;
    kt_app_test::run_program(ui, [&] {
      ui.OnNextModal([&](Dialog& d) {
        ASSERT_TRUE(ui.Select(d, S::kDayId, 0));
        if (teachers) *teachers = rows_of(d, S::kTeachersId);
        ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, name + "  ")));
        ui.Click(d, S::kMarkId);
        ui.Click(d, S::kComputeId);
        results = rows_of(d, S::kResultsId);
        ui.Click(d, kIdCancel);
      });
      ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
    });
    return results;
  }
  static bool Listed(const std::vector<std::string>& rows, const std::string& what) {
    for (const std::string& row : rows)
      if (row.find(what) != std::string::npos) return true;
    return false;
  }
  TestDriver ui;
  kt_app_test::fs::path school_;
};

TEST_F(StandInCovers, NoCoverWhileTheTeacherGivesHisGroupALesson) {
  std::vector<std::string> teachers;
  std::vector<std::string> results = MondayWithout("BIANCHI", &teachers);
  // BIANCHI's third hour in 2B needs cover; RE teaches 2B but is with the group then.
  ASSERT_TRUE(Listed(results, " 3 - 2B - BIANCHI -> ")) << ::testing::PrintToString(results);
  for (const std::string& row : results)
    EXPECT_EQ(row.find(" 3 - 2B - BIANCHI -> RE "), std::string::npos) << row;
  // His row shows the hour taken, the stand-in has no row of its own.
  int re = -1;
  for (std::size_t i = 0; i < teachers.size(); ++i)
    if (teachers[i].rfind("RE  ", 0) == 0) re = static_cast<int>(i);
  ASSERT_GE(re, 0) << ::testing::PrintToString(teachers);
  EXPECT_EQ(teachers[re].find(" 3:-"), std::string::npos) << teachers[re];
  EXPECT_FALSE(Listed(teachers, "RE A")) << ::testing::PrintToString(teachers);
}

TEST_F(StandInCovers, TheTeachersAbsenceLeavesHisGroupsLessonsToCover) {
  std::vector<std::string> results = MondayWithout("RE");
  for (const char* row : {" 1 - 2B - RE -> ", " 4 - 2B - RE -> ", " 1 - 4X - RE -> ", " 3 - 4X - RE -> "})
    EXPECT_TRUE(Listed(results, row)) << row << " in " << ::testing::PrintToString(results);
  EXPECT_FALSE(Listed(results, "RE A")) << "no one covers as the stand-in, nor is it named absent";
}

}  // namespace
