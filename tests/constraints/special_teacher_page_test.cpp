// The special teacher constraints page on a hand-built school of three
// teachers (ANNA, BRUNO, CARLO) and a school lunch break at the hour shown
// "4": a never-overlap partner made mutual on leaving, the weekly maximum
// of building changes "0" switching the mode to "never moves" and a later
// maximum switching it off, a personal lunch break equal to the school's
// stored as none, the save question, and a second teacher claiming the
// same partner refused with the conflict message.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../shell/app_test_support.h"
#include "constraints/special_teacher_page.h"
#include "platform/test_driver.h"
#include "schooldata/model_utilities.h"
#include "shell/message_box.h"
#include "structure/teacher_page_state.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using V = Cvidia;

class SpecialTeacherPage : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_special_teacher_template();
    fs::create_directories(data_root() / "scuola");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\scuola"));
    og_clear_structure();
    og_clear_school_blocks();
    for (int d = 0; d < 5; ++d) g_ui_header.hours_per_day[d] = 6;
    g_ui_settings.teacher_count = 3;
    og_init_teacher(0, "ANNA");
    og_init_teacher(1, "BRUNO");
    og_init_teacher(2, "CARLO");
    const std::uint8_t lunch[4] = {3, 1, 4, 0};
    std::memcpy(g_ui_settings.lunch_break, lunch, 4);
    og_snapshot_all();
    procat_remember_teacher(0);
    g_auto_save = 0;
  }
  void TearDown() override {
    og_snapshot_all();
    if (page.IsWindow()) page.DestroyWindow();
    TempRoot::TearDown();
  }
  std::vector<std::string> messages() {
    std::vector<std::string> out;
    for (const auto& box : ui.boxes())
      if (box.template_id == CMessageBox::kTemplate) out.push_back(box.texts.at(0));
    return out;
  }
  int selection(int id) { return static_cast<ComboBox*>(page.GetDlgItem(id))->GetCurSel(); }
  TestDriver ui;
  Cvidia page;
};

TEST_F(SpecialTeacherPage, PartnersBuildingMovesLunchAndLeaving) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& anna = g_ui_teachers[0].personal;
  EXPECT_EQ(selection(V::kLunchHourId), 3);  // the school's break shown
  EXPECT_EQ(selection(V::kGroupFirstId), 0);  // no grouping: "-"
  EXPECT_EQ(selection(V::kMoveModeId), 0);    // no move mode of his own

  ui.Select(page, V::kOverlapId, 2);  // BRUNO
  EXPECT_EQ(int(anna.ni), 1);
  ui.Select(page, V::kWeekMovesId, 1);  // "0": never moves
  EXPECT_EQ(anna.nomotor, 2);
  EXPECT_EQ(anna.nomweek, -1);
  ui.Select(page, V::kWeekMovesId, 3);  // "2"
  EXPECT_EQ(anna.nomweek, 2);
  EXPECT_EQ(anna.nomotor, -1);
  ui.Select(page, V::kLunchMinId, 1);  // 2 hours: a personal break
  EXPECT_EQ(anna.pausameper[1], 2);
  ui.Select(page, V::kLunchMinId, 0);  // back to the school's

  ui.AnswerNextModal(6);  // save: Yes
  ui.AnswerNextModal(7);  // save without asking: No
  ui.Click(page, V::kNextId);
  EXPECT_EQ(g_procat_teacher, 1);
  EXPECT_EQ(int(g_ui_teachers[1].personal.ni), 0);  // made mutual
  EXPECT_EQ(anna.pausameper[0], -1);  // equal to the school's: none stored
  EXPECT_EQ(anna.pausameper[1], -1);
  EXPECT_TRUE(fs::exists(data_root() / "scuola" / "scuola2.txt"));

  ui.Click(page, V::kNextId);  // BRUNO unchanged since shown: no question
  EXPECT_EQ(g_procat_teacher, 2);
  ui.Select(page, V::kOverlapId, 1);  // CARLO claims ANNA too
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(page, V::kSaveId);
  ASSERT_FALSE(messages().empty());
  EXPECT_EQ(messages().back(),
            "Il Professore CARLO è stato dichiarato NON SOVRAPPONIBILE sia a ANNA sia a BRUNO.\nSi può dichiarare solo "
            "un Professore con orario NON SOVRAPPONIBILE a un altro."_cp);
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(page, V::kPreviousId);  // refused: CARLO stays
  EXPECT_EQ(g_procat_teacher, 2);
  g_ui_teachers[2].personal.ni = -1;
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

TEST_F(SpecialTeacherPage, TemplateIsClean) {
  const DialogTemplate* t = find_dialog_template(V::kTemplate);
  ASSERT_NE(t, nullptr);
  for (const auto& p : lint_dialog_template(*t)) ADD_FAILURE() << p;
}

}  // namespace
