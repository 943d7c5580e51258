// The teaching-post page between teachers, on the fixture's ROSSI and
// BIANCHI: moving to another teacher through the list, "Successivo" and
// "Precedente" asks to save only a changed teacher (No keeps him and his
// edits, Yes writes the description and asks once whether to save without
// asking from then on); with that choice a change is saved with a notice
// in the help pane; a write that fails keeps the teacher with his edits
// and says which file; the partner's copy of a shared post is read-only
// and says whose it is (once in a while, not at every click); the totals
// row stands for the post above it; Esc drops the edits on Yes; the trial
// of the teacher's own timetable names him.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "constraint_page_fixtures.h"
#include "constraints/post_constraints_texts.h"
#include "fresh_process.h"
#include "platform/system_atomic_write.h"
#include "structure/teacher_page.h"
#include "trial_run_support.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::PostConstraintsPage;
using V = Cvicat;
constexpr int kYesButton = CMessageBox::kButtonIds[0];

int fail_description_write(kt::AtomicStep step, const std::string& target) {
  return step == kt::AtomicStep::kWrite && target.ends_with("scuola2.txt") ? ENOSPC : 0;
}

TEST_F(PostConstraintsPage, MovingToAnotherTeacherAsksToSaveOnlyAChangedOne) {
  // The question about saving without asking comes once in a run.
  KT_IN_FRESH_PROCESS({
    Open();
    std::size_t boxes = ui.boxes().size();
    ASSERT_TRUE(ui.Select(g_vicat_page, V::kTeacherListId, 1));  // BIANCHI, nothing changed
    EXPECT_EQ(ui.boxes().size(), boxes);
    EXPECT_EQ(ui.Text(g_vicat_page, V::kTeacherListId), "BIANCHI");
    EXPECT_EQ(g_procat_teacher, 1);
    EXPECT_EQ(g_vicat_page.CurrentPost(), nullptr);
    ui.Click(g_vicat_page, V::kPreviousId);
    EXPECT_EQ(ui.Text(g_vicat_page, V::kTeacherListId), "ROSSI");
    EXPECT_EQ(ui.boxes().size(), boxes);

    SelectPost(0);
    ui.Select(g_vicat_page, V::kPanels[0].placement, 1);
    std::string before = Description();
    ui.AnswerNextModal(kIdNo);
    ui.Click(g_vicat_page, V::kNextId);  // No: ROSSI stays with his edit
    ASSERT_EQ(ui.boxes().size(), boxes + 1);
    EXPECT_EQ(LastBox(), "I dati di ROSSI sono stati modificati. Salvo le modifiche?");
    EXPECT_EQ(ui.Text(g_vicat_page, V::kTeacherListId), "ROSSI");
    EXPECT_EQ(Post(0, 0).own.placement, 1);
    EXPECT_EQ(Description(), before);

    ui.AnswerNextModal(kIdYes);
    ui.AnswerNextModal(kIdNo);  // not without asking
    ui.Click(g_vicat_page, V::kNextId);
    ASSERT_EQ(ui.boxes().size(), boxes + 3);
    EXPECT_EQ(LastBox(), "Salvo le prossime modifiche senza chiedere conferma?");
    EXPECT_EQ(ui.Text(g_vicat_page, V::kTeacherListId), "BIANCHI");
    EXPECT_NE(Description(), before);
    EXPECT_FALSE(ui.IsChecked(g_vicat_page, V::kAutoSaveId));

    SelectPost(0);
    ui.Select(g_vicat_page, V::kPanels[0].placement, 2);
    ui.AnswerNextModal(kIdYes);  // the second question is not asked again
    ui.Click(g_vicat_page, V::kPreviousId);
    EXPECT_EQ(ui.boxes().size(), boxes + 4);
    EXPECT_EQ(ui.Text(g_vicat_page, V::kTeacherListId), "ROSSI");

    // Saving without asking: a notice in the help pane, no question.
    ui.Click(g_vicat_page, V::kAutoSaveId);
    EXPECT_EQ(g_auto_save, 1);
    SelectPost(1);
    ui.Select(g_vicat_page, V::kPanels[0].placement, 2);
    before = Description();
    ASSERT_TRUE(ui.Select(g_vicat_page, V::kTeacherListId, 1));
    EXPECT_EQ(ui.boxes().size(), boxes + 4);
    EXPECT_EQ(ui.Text(g_vicat_page, V::kTeacherListId), "BIANCHI");
    EXPECT_NE(Description(), before);
    EXPECT_NE(ui.Text(g_vicat_page, V::kHelpId).find("I dati di ROSSI sono stati modificati."), std::string::npos);
    ui.Click(g_vicat_page, V::kAutoSaveId);
    EXPECT_EQ(g_auto_save, 0);
    for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
  });
}

// Answering Yes to the first question also ticks the box when the user
// chooses to save without asking.
TEST_F(PostConstraintsPage, SavingWithoutAskingFromTheQuestionTicksTheBox) {
  // The question about saving without asking comes once in a run.
  KT_IN_FRESH_PROCESS({
    Open();
    SelectPost(1);
    ui.Select(g_vicat_page, V::kPanels[0].placement, 1);
    ui.AnswerNextModal(kIdYes);
    ui.AnswerNextModal(kIdYes);
    ui.Click(g_vicat_page, V::kNextId);
    EXPECT_TRUE(ui.IsChecked(g_vicat_page, V::kAutoSaveId));
    EXPECT_EQ(g_auto_save, 1);
    g_auto_save = 0;
  });
}

// A refused check on leaving keeps the teacher, his edit and the post.
TEST_F(PostConstraintsPage, ARefusedCheckKeepsTheTeacher) {
  Open();
  SelectPost(1);
  Post(0, 1).own.triple[0] = 6;  // six hours of classwork in a four-hour post
  Post(0, 1).own.triple[1] = 0;
  Post(0, 1).own.triple[2] = 5;
  ui.PressInNextModal(kYesButton);
  ui.Click(g_vicat_page, V::kNextId);
  EXPECT_EQ(LastBox(), "Il compito non pu\xF2 essere pi\xF9 lungo delle ore disponibili.");
  EXPECT_EQ(ui.Text(g_vicat_page, V::kTeacherListId), "ROSSI");
  EXPECT_EQ(g_vicat_page.CurrentPost(), &Post(0, 1));
  EXPECT_TRUE(ui.HasFocus(g_vicat_page, V::kPanels[0].classwork));
  Post(0, 1).own.triple[0] = Post(0, 1).own.triple[1] = Post(0, 1).own.triple[2] = -1;
  og_snapshot_all();
}

// A description that cannot be written keeps the teacher and his edits,
// and the page names the file; so does the save button.
TEST_F(PostConstraintsPage, AFailedWriteKeepsTheTeacherAndNamesTheFile) {
  // The question about saving without asking comes once in a run.
  KT_IN_FRESH_PROCESS({
    Open();
    SelectPost(0);
    ui.Select(g_vicat_page, V::kPanels[0].placement, 1);
    std::string before = Description();
    kt::set_atomic_write_fault(fail_description_write);
    ui.AnswerNextModal(kIdYes);
    ui.AnswerNextModal(kIdNo);
    ui.PressInNextModal(kYesButton);
    ui.Click(g_vicat_page, V::kNextId);
    // Said once, with the file and the cause.
    EXPECT_EQ(LastBox().rfind("Salvataggio non riuscito: Impossibile scrivere ", 0), 0u) << LastBox();
    EXPECT_NE(LastBox().find("scuola2.txt"), std::string::npos) << LastBox();
    EXPECT_EQ(LastBox().find("Impossibile", LastBox().find("Impossibile") + 1), std::string::npos) << LastBox();
    EXPECT_EQ(ui.Text(g_vicat_page, V::kTeacherListId), "ROSSI");
    EXPECT_EQ(Post(0, 0).own.placement, 1);
    std::size_t boxes = ui.boxes().size();
    ui.PressInNextModal(kYesButton);
    ui.Click(g_vicat_page, V::kSaveId);
    EXPECT_GT(ui.boxes().size(), boxes);
    EXPECT_EQ(LastBox().rfind("Salvataggio non riuscito: Impossibile scrivere ", 0), 0u) << LastBox();
    kt::set_atomic_write_fault(nullptr);
    EXPECT_EQ(Description(), before);
    // Still changed: leaving asks again, and now writes.
    ui.AnswerNextModal(kIdYes);
    ui.Click(g_vicat_page, V::kNextId);
    EXPECT_EQ(ui.Text(g_vicat_page, V::kTeacherListId), "BIANCHI");
    EXPECT_NE(Description(), before);
  });
}

// In BIANCHI's list the lab post he shares with ROSSI is ROSSI's: it says
// so (not again within a few seconds), and its panels cannot be edited.
TEST_F(PostConstraintsPage, APartnersCopyIsReadOnlyAndSaysWhose) {
  // The time of the last notice is kept for the run.
  KT_IN_FRESH_PROCESS({
    Open();
    ASSERT_TRUE(ui.Select(g_vicat_page, V::kTeacherListId, 1));
    ASSERT_EQ(+g_ui_teachers[1].post_count, 2u);
    ASSERT_TRUE(Post(1, 1).copy);
    const std::string notice = "Per modificare questo elemento passare all'insegnante di Materia Principale. ROSSI";
    std::size_t boxes = ui.boxes().size();
    ui.PressInNextModal(kYesButton);
    SelectPost(1);
    ASSERT_EQ(ui.boxes().size(), boxes + 1);
    EXPECT_EQ(LastBox(), notice);
    EXPECT_EQ(ui.Text(g_vicat_page, V::kHelpId), notice);
    for (int side = 0; side < 2; ++side)
      for (int id : {V::kPanels[side].classwork, V::kPanels[side].grouping, V::kPanels[side].forbidden})
        EXPECT_FALSE(ui.IsEnabled(g_vicat_page, id)) << id;
    EXPECT_FALSE(g_copypas.IsWindowVisible());
    SelectPost(0);
    EXPECT_TRUE(ui.IsEnabled(g_vicat_page, V::kPanels[0].classwork));
    EXPECT_EQ(ui.Text(g_vicat_page, V::kHelpId), "Potete correggere i vincoli specifici di questa cattedra.");
    SelectPost(1);  // again at once: the help pane only
    EXPECT_EQ(ui.boxes().size(), boxes + 1);
    SelectPost(0);
    ui.Advance(5000);
    ui.PressInNextModal(kYesButton);
    SelectPost(1);
    EXPECT_EQ(ui.boxes().size(), boxes + 2);
    for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
  });
}

// The teacher's own fields beside the list: stand-by hours, reception,
// support hours and the two kinds of fictitious teacher.
TEST_F(PostConstraintsPage, TheTeachersFieldsShowBesideTheList) {
  UiTeacher& bianchi = g_ui_teachers[1];
  bianchi.standby_hours = 3;
  bianchi.nor_flag = 1;
  bianchi.support_hours = 2;
  bianchi.fc_mode = 2;
  og_snapshot_all();
  Open();
  struct Seen { bool support, free_dummy, checked_dummy; };
  auto seen = [&] {
    return Seen{ui.IsChecked(g_vicat_page, V::kSupportId), ui.IsChecked(g_vicat_page, V::kDummyFreeId),
                ui.IsChecked(g_vicat_page, V::kDummyCheckedId)};
  };
  EXPECT_EQ(ui.Text(g_vicat_page, V::kStandbyId), "0");
  EXPECT_EQ(ui.Text(g_vicat_page, V::kReceptionId), "1");
  Seen rossi = seen();
  EXPECT_FALSE(rossi.support || rossi.free_dummy || rossi.checked_dummy);
  ASSERT_TRUE(ui.Select(g_vicat_page, V::kTeacherListId, 1));
  EXPECT_EQ(ui.Text(g_vicat_page, V::kStandbyId), "3");
  EXPECT_EQ(ui.Text(g_vicat_page, V::kReceptionId), "0");
  Seen b = seen();
  EXPECT_TRUE(b.support);
  EXPECT_FALSE(b.free_dummy);
  EXPECT_TRUE(b.checked_dummy);
  ui.Click(g_vicat_page, V::kHowToId);
  EXPECT_EQ(ui.Text(g_vicat_page, V::kHelpId).rfind(vicat_text::kPageHelp.Get(), 0), 0u);
  ui.Click(g_vicat_page, V::kTestHelpId);
  EXPECT_EQ(ui.Text(g_vicat_page, V::kHelpId).rfind(vicat_text::kTestHelp.Get(), 0), 0u);
}

// The totals row under the posts stands for the post above it.
TEST_F(PostConstraintsPage, TheTotalsRowStandsForThePostAboveIt) {
  Open();
  auto* list = static_cast<ListView*>(g_vicat_page.GetDlgItem(V::kPostListId));
  int totals = list->FindItemByData(-1, kProcatTotalsRow);
  ASSERT_GT(totals, 0);
  ASSERT_TRUE(ui.Select(g_vicat_page, V::kPostListId, totals));
  ASSERT_NE(g_vicat_page.CurrentPost(), nullptr);
  EXPECT_EQ(std::uintptr_t(g_vicat_page.CurrentPost() - g_ui_teachers[0].posts), list->GetItemData(totals - 1));
}

// Esc with edits asks whether to drop them: Yes puts the teacher back.
TEST_F(PostConstraintsPage, EscDropsTheEditsOnYes) {
  Open();
  SelectPost(0);
  ui.Select(g_vicat_page, V::kPanels[0].placement, 2);
  ui.AnswerNextModal(kIdYes);
  g_vicat_page.SetFocus();
  ui.Key(kVkEscape);
  ui.Pump();
  EXPECT_EQ(ui.boxes().back().texts.at(0), "Sicuro di abbandonare le modifiche ?");
  EXPECT_EQ(Post(0, 0).own.placement, 0);
}

// The trial of the teacher's own timetable names him in its window.
TEST_F(PostConstraintsPage, TheTeachersTrialNamesHim) {
  Open();
  std::vector<TrialShown> shown;
  watch_trial(ui, shown, true);
  ui.Click(g_vicat_page, V::kTryTeacherId);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "PROVA l'orario del Professore ROSSI");
  EXPECT_NE(shown[0].result, "");
}

// The classes' trial leaves the list with the teacher's own posts: a
// partner's copy chosen before it is no longer the post being edited.
TEST_F(PostConstraintsPage, TheClassesTrialDropsAChosenPartnersCopy) {
  KT_IN_FRESH_PROCESS({
    Open();
    ASSERT_TRUE(ui.Select(g_vicat_page, V::kTeacherListId, 1));
    ui.PressInNextModal(kYesButton);
    SelectPost(1);  // ROSSI's lab post, as BIANCHI's copy
    ASSERT_EQ(g_vicat_page.CurrentPost(), &Post(1, 1));
    std::vector<TrialShown> shown;
    watch_trial(ui, shown, true);
    ui.Click(g_vicat_page, V::kTryClassesId);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "PROVA l'orario delle Classi del Professore BIANCHI");
    EXPECT_EQ(+g_ui_teachers[1].post_count, 1u);
    EXPECT_EQ(g_vicat_page.CurrentPost(), nullptr);
    EXPECT_EQ(ui.Text(g_vicat_page, V::kPanels[0].class_text), "");
    EXPECT_EQ(ui.Text(g_vicat_page, V::kPanels[0].hours_text), "");
  });
}

}  // namespace
