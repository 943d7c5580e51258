// The special teacher constraints page between teachers, on the fixture's
// ANNA, BRUNO and CARLO: leaving a changed teacher asks to save (No keeps
// him), or with the save-without-asking box saves with a notice; "Successivo"
// on the last teacher stays; an opener may have previous and next stop only
// at lab assistants; a partner already claimed by a third teacher is
// refused on saving; a teacher's own lunch break equal to the school's is
// not kept; choosing a post only says it is not needed; abandon has the
// frame open the page again.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "constraint_page_fixtures.h"
#include "constraints/constraint_pages.h"
#include "structure/teacher_page_texts.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::SpecialTeacherPage;
using V = Cvidia;
namespace fs = std::filesystem;

TEST_F(SpecialTeacherPage, LeavingAChangedTeacherAsksOrSavesWithANotice) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  fs::path file = data_root() / "scuola" / "scuola2.txt";
  ui.Click(page, V::kFridayId);
  ui.AnswerNextModal(kIdNo);
  ui.Click(page, V::kNextId);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes().back().texts.at(0), "I dati di ANNA sono stati modificati. Salvo le modifiche?");
  EXPECT_EQ(g_procat_teacher, 0);
  EXPECT_EQ(ui.Text(page, V::kTeacherId), "ANNA");
  EXPECT_EQ(+g_ui_teachers[0].personal.tramox, 1);
  EXPECT_TRUE(ui.IsChecked(page, V::kFridayId));
  EXPECT_FALSE(fs::exists(file));

  ui.AnswerNextModal(kIdYes);
  ui.AnswerNextModal(kIdYes);  // and from now on without asking
  ui.Click(page, V::kNextId);
  EXPECT_EQ(g_procat_teacher, 1);
  EXPECT_TRUE(ui.IsChecked(page, V::kAutoSaveId));
  EXPECT_EQ(g_auto_save, 1);
  ASSERT_TRUE(fs::exists(file));
  std::string before = read(file);

  ui.Click(page, V::kFridayId);
  std::size_t boxes = ui.boxes().size();
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(page, V::kNextId);
  ASSERT_EQ(ui.boxes().size(), boxes + 1);
  EXPECT_NE(ui.boxes().back().texts.at(0).find("La modifica \xE8 stata salvata automaticamente."), std::string::npos);
  EXPECT_EQ(g_procat_teacher, 2);
  EXPECT_NE(read(file), before);

  boxes = ui.boxes().size();
  ui.Click(page, V::kNextId);  // the last teacher: he stays
  EXPECT_EQ(g_procat_teacher, 2);
  EXPECT_EQ(ui.Text(page, V::kTeacherId), "CARLO");
  EXPECT_EQ(ui.boxes().size(), boxes);
  ui.Click(page, V::kPreviousId);
  EXPECT_EQ(g_procat_teacher, 1);
  g_auto_save = 0;
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The page opens on the teacher the teacher pages showed last.
TEST_F(SpecialTeacherPage, ThePageOpensOnTheLastTeacherShown) {
  procat_remember_teacher(2);
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  EXPECT_EQ(ui.Text(page, V::kTeacherId), "CARLO");
  EXPECT_EQ(g_procat_teacher, 2);
}

// An opener may ask previous and next to stop at lab assistants only.
TEST_F(SpecialTeacherPage, PreviousAndNextMayStopAtLabAssistantsOnly) {
  new_ui_school({"1A "});
  g_ui_settings.teacher_count = 3;
  og_init_teacher(0, "ANNA");
  og_init_teacher(1, "BRUNO");
  og_init_teacher(2, "CARLO");
  g_ui_structure.lab_count = 1;
  name_into(g_ui_structure.labs[0].name, "LAB");
  int math = add_subject("MATEMATICA");
  add_post(0, math, 0, 4).lab = 0;
  add_post(1, math, 0, 2);
  add_post(2, math, 0, 3).lab = 0;
  og_snapshot_all();
  Cvidia::s_only_kind = 1;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ui.Click(page, V::kNextId);
  EXPECT_EQ(g_procat_teacher, 2);  // BRUNO has no lab
  ui.Click(page, V::kPreviousId);
  EXPECT_EQ(g_procat_teacher, 0);
  Cvidia::s_only_kind = 0;
  ui.Click(page, V::kNextId);
  EXPECT_EQ(g_procat_teacher, 1);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// A partner claimed by a third teacher is refused with the three names;
// a teacher's own lunch break equal to the school's is not kept on saving.
TEST_F(SpecialTeacherPage, SavingRefusesAPartnerClaimedByAThirdTeacher) {
  g_ui_teachers[2].personal.carshare_partner = 1;  // CARLO shares BRUNO's car
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ui.Select(page, V::kCarShareId, 2);  // ANNA with BRUNO
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(page, V::kSaveId);
  EXPECT_EQ(ui.boxes().back().texts.at(0),
            "Il Professore BRUNO \xE8 stato dichiarato IN CONDIVISIONE AUTOMEZZO sia con ANNA sia con CARLO.\nSi pu\xF2 "
            "dichiarare solo un Professore con orario IN CONDIVISIONE AUTOMEZZO con un altro.");
  EXPECT_FALSE(fs::exists(data_root() / "scuola" / "scuola2.txt"));
  g_ui_teachers[2].personal.carshare_partner = -1;
  ui.Click(page, V::kSaveId);  // now made mutual and saved
  EXPECT_EQ(+g_ui_teachers[1].personal.carshare_partner, 0);
  EXPECT_TRUE(fs::exists(data_root() / "scuola" / "scuola2.txt"));
  g_ui_teachers[0].personal.carshare_partner = g_ui_teachers[1].personal.carshare_partner = -1;
  og_snapshot_all();
}

// Choosing another teacher while the partner check fails keeps the teacher.
TEST_F(SpecialTeacherPage, AFailedPartnerCheckKeepsTheTeacherChosen) {
  g_ui_teachers[1].personal.ni = 2;  // BRUNO never with CARLO
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ui.Select(page, V::kOverlapId, 2);  // ANNA never with BRUNO: BRUNO is taken
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ASSERT_TRUE(ui.Select(page, V::kTeacherId, 2));
  EXPECT_EQ(g_procat_teacher, 0);
  EXPECT_EQ(ui.Text(page, V::kTeacherId), "ANNA");
  EXPECT_NE(ui.boxes().back().texts.at(0).find("NON SOVRAPPONIBILE"), std::string::npos);
  g_ui_teachers[0].personal.ni = -1;
  g_ui_teachers[1].personal.ni = -1;
  og_snapshot_all();
}

// A personal break stored equal to the school's is not a personal one: it
// goes when the teacher is left.
TEST_F(SpecialTeacherPage, ALunchBreakEqualToTheSchoolsIsNotKept) {
  std::memcpy(g_ui_teachers[0].personal.pausameper, g_ui_settings.lunch_break, 4);
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ui.AnswerNextModal(kIdYes);
  ui.AnswerNextModal(kIdNo);
  ui.Click(page, V::kNextId);
  EXPECT_EQ(g_procat_teacher, 1);
  const std::int8_t* own = g_ui_teachers[0].personal.pausameper;
  EXPECT_EQ(std::vector<int>(own, own + 4), (std::vector<int>{0, 0, 0, 0}));
}

// The posts are there to read: choosing one only says so.
TEST_F(SpecialTeacherPage, ChoosingAPostOnlySaysItIsNotNeeded) {
  new_ui_school({"1A "});
  g_ui_settings.teacher_count = 3;
  og_init_teacher(0, "ANNA");
  add_post(0, add_subject("LATINO"), 0, 4);
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  kt_constraints_test::expect_posts_only_read(ui, page, V::kPostsId);
  ui.Click(page, V::kTechHelpId);
  EXPECT_EQ(ui.Text(page, V::kHelpPaneId), "Parametri tecnici da modificare solo su indicazione dell'assistenza.");
  ui.Click(page, V::kHowToId);
  EXPECT_EQ(ui.Text(page, V::kHelpPaneId).rfind("Vincoli personali di uso estremamente raro", 0), 0u);
}

// In the frame, abandon has the page opened again from the model.
TEST_F(SpecialTeacherPage, AbandonOpensThePageAgain) {
  OpenInFrame();
  if (HasFatalFailure()) return;
  Dialog* first = g_current_page;
  ASSERT_NE(first, nullptr);
  ui.Click(*first, V::kAbandonId);
  ui.Pump();
  ASSERT_NE(g_current_page, nullptr);
  EXPECT_EQ(g_current_page->template_id(), V::kTemplate);
  EXPECT_TRUE(g_current_page->IsWindow());
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
