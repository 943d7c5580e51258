// The special teacher constraints page on a hand-built school of three
// teachers (ANNA, BRUNO, CARLO) and a school lunch break at the hour shown
// "4": a never-overlap partner made mutual on leaving, the weekly maximum
// of building changes "0" switching the mode to "never moves" and a later
// maximum switching it off, a personal lunch break equal to the school's
// stored as none, the save question, and a second teacher claiming the
// same partner refused with the conflict message; in the frame, the trial
// button running the engine on the test description.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../shell/app_test_support.h"
#include "constraint_page_fixtures.h"
#include "constraints/constraint_pages.h"
#include "constraints/special_teacher_page.h"
#include "engine/engine_main.h"
#include "schooldata/school_file_lines.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "structure/teacher_page_state.h"
#include "trial_run_support.h"
#include "ui_school_builders.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using V = Cvidia;

using kt_constraints_test::SpecialTeacherPage;

TEST_F(SpecialTeacherPage, PartnersBuildingMovesLunchAndLeaving) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& anna = g_ui_teachers[0].personal;
  auto selection = [&](int id) { return static_cast<ComboBox*>(page.GetDlgItem(id))->GetCurSel(); };
  EXPECT_EQ(selection(V::kLunchHourId), 3);   // the school's break shown
  EXPECT_EQ(selection(V::kGroupFirstId), 0);  // no grouping: "-"
  EXPECT_EQ(selection(V::kMoveModeId), 0);    // no move mode of his own

  ui.Select(page, V::kOverlapId, 2);  // BRUNO
  EXPECT_EQ(int(anna.ni), 1);
  ui.Select(page, V::kWeekMovesId, 1);  // "0": never moves
  EXPECT_EQ(+anna.nomotor, 2);
  EXPECT_EQ(+anna.nomweek, -1);
  ui.Select(page, V::kWeekMovesId, 3);  // "2"
  EXPECT_EQ(+anna.nomweek, 2);
  EXPECT_EQ(+anna.nomotor, -1);
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
  ASSERT_FALSE(ui.boxes().empty());
  EXPECT_EQ(ui.boxes().back().texts.at(0),
            "Il Professore CARLO è stato dichiarato NON SOVRAPPONIBILE sia a ANNA sia a BRUNO.\nSi può dichiarare solo "
            "un Professore con orario NON SOVRAPPONIBILE a un altro."_cp);
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(page, V::kPreviousId);  // refused: CARLO stays
  EXPECT_EQ(g_procat_teacher, 2);
  g_ui_teachers[2].personal.ni = -1;
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The teacher's posts are listed with their subject, class and hours.
TEST_F(SpecialTeacherPage, ThePostsListNamesSubjectClassAndHours) {
  std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, "1A ", 4);
  add_post(0, add_subject("LATINO"), 0, 4);
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  auto* posts = static_cast<ListView*>(page.GetDlgItem(V::kPostsId));
  ASSERT_EQ(posts->GetItemCount(), 2);  // the post and the totals
  EXPECT_EQ(posts->GetItemText(0, 3).rfind("LATINO", 0), 0u) << posts->GetItemText(0, 3);
  EXPECT_NE(posts->GetItemText(0, 1).find("1A"), std::string::npos) << posts->GetItemText(0, 1);
  EXPECT_EQ(posts->GetItemText(0, 6), "4");
  g_ui_teachers[0].post_count = 0;
}

// The teacher's trial button in the frame on a school not yet saved writes
// the test description with the partner just chosen and runs the engine on
// it in the computation window, which names the teacher and shows the end
// of the run; the school's own description is still not written and the
// engine loads the test description.
TEST_F(SpecialTeacherPage, TrialButtonsRunTheEngineOnTheTestDescription) {
  g_ui_structure.track_count = 1;
  g_ui_structure.sections[0][0] = 1;
  for (const char* code : {"1A ", "2A "}) std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, code, 4);
  int math = add_subject("MATEMATICA");
  add_post(0, math, 0, 4);
  add_post(1, math, 1, 4);
  add_post(2, math, 0, 2);
  og_snapshot_all();
  OpenInFrame();
  if (HasFatalFailure()) return;
  Dialog& vidia = *g_current_page;
  ui.Select(vidia, V::kOverlapId, 2);  // BRUNO, not saved
  std::vector<TrialShown> shown;
  watch_trial(ui, shown, true);
  ui.Click(vidia, V::kTestTeacherId);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "PROVA l'orario del Professore ANNA");
  EXPECT_EQ(shown[0].result.rfind("Prova terminata. Errori rimasti: ", 0), 0u) << shown[0].result;
  EXPECT_FALSE(shown[0].stop_enabled);
  EXPECT_EQ(g_status.test_name[0], 0);
  fs::path folder = data_root() / "scuola";
  EXPECT_FALSE(fs::exists(folder / "scuola2.txt"));
  bool partner_written = false;
  og_read_school_lines((folder / "cattTEST.txt").string(), [&](const std::string& line) {
    partner_written = partner_written || line.find("\tNI:BRUNO") != std::string::npos;
    return true;
  }, nullptr);
  EXPECT_TRUE(partner_written);
  const char* argv[] = {"orario", "SYNT:cattTEST.txt", nullptr};
  EXPECT_EQ(or_main(0, 2, argv), 0) << g_status.message;
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// A teacher's stored choices are shown as they stand when the page opens:
// each service bit in its own box, the weekly rest hour with the range it
// applies to (the range's boxes usable only with a rest hour), the double
// lessons' ends, the Friday and short-day marks.
TEST_F(SpecialTeacherPage, StoredChoicesAreShownOnOpening) {
  struct Case {
    std::int8_t clasenoc, dkif, tramox, short_day, short_hours, rest[3];
    bool service_first, service_second, double_start, double_end;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 0, {0, 0, 0}, false, false, false, false},
      {1, 2, 1, 1, 4, {3, 2, 5}, true, false, false, true},
      {2, 1, 0, 0, 0, {5, 1, 12}, false, true, true, false},
      {3, 3, 1, 1, 2, {11, 4, 6}, true, true, true, true},
  };
  UiTeacherConstraints& anna = g_ui_teachers[0].personal;
  auto selection = [&](int id) { return static_cast<ComboBox*>(page.GetDlgItem(id))->GetCurSel(); };
  for (const Case& c : cases) {
    anna.clasenoc = c.clasenoc;
    anna.dkif = c.dkif;
    anna.tramox = c.tramox;
    anna.pligi[0] = c.short_day;
    anna.pligi[1] = c.short_hours;
    std::memcpy(anna.fercav, c.rest, 3);
    og_snapshot_all();
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    int k = int(&c - cases);
    EXPECT_EQ(ui.IsChecked(page, V::kServiceFirstId), c.service_first) << k;
    EXPECT_EQ(ui.IsChecked(page, V::kServiceSecondId), c.service_second) << k;
    EXPECT_EQ(ui.IsChecked(page, V::kDoubleStartId), c.double_start) << k;
    EXPECT_EQ(ui.IsChecked(page, V::kDoubleEndId), c.double_end) << k;
    EXPECT_EQ(ui.IsChecked(page, V::kFridayId), c.tramox == 1) << k;
    EXPECT_EQ(ui.IsChecked(page, V::kShortDayId), c.short_day == 1) << k;
    EXPECT_EQ(selection(V::kShortDayHoursId), c.short_hours) << k;
    bool rest = c.rest[0] >= 2;
    EXPECT_EQ(selection(V::kRestHourId), rest ? c.rest[0] - 1 : 0) << k;
    EXPECT_EQ(selection(V::kRestFromId), c.rest[1] >= 1 ? c.rest[1] - 1 : -1) << k;
    EXPECT_EQ(selection(V::kRestToId), c.rest[2] >= 1 ? c.rest[2] - 1 : -1) << k;
    EXPECT_EQ(ui.IsEnabled(page, V::kRestFromId), rest) << k;
    EXPECT_EQ(ui.IsEnabled(page, V::kRestToId), rest) << k;
    page.DestroyWindow();
  }
  anna = UiTeacherConstraints{};
  og_init_teacher(0, "ANNA");
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
