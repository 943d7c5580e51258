// The subjects page run headless on a school built in the test: names typed
// and chosen from the ministry list, the option guess, the refusals (digit,
// lab name, type change of a subject in use, rename to a taken name), the
// deletion of unused subjects only, the check of the names before a save
// that writes both files, and the dialog form with its type restriction.
#include "structure/subjects_page.h"

#include <gtest/gtest.h>

#include "dictionary_support.h"
#include "platform/cp1252.h"
#include "schooldata/structure_file.h"
#include "structure/input_box.h"

namespace {

using namespace kt::ui;
using namespace dictionary_test;
using M = Cmaterie;

int row_of(Cmaterie& page, const char* name) {
  return static_cast<ListView*>(page.GetDlgItem(M::kListId))->FindItemByText(-1, name);
}

TEST(SubjectsPage, AddsGuessesRefusesAndDeletesUnused) {
  empty_school();
  add_subject("DISPOSIZIONE");
  int maths = add_subject("MATEMATICA");
  add_lab("FISICA LAB");
  add_teacher("ROSSI", maths);
  add_teacher("BIANCHI", maths);
  TestDriver ui;
  Cmaterie page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);

  struct Typed {
    const char* id;
    const char* text;
    const char* stored;  // null: nothing added
    int n, m;
  };
  const Typed typed[] = {
      {"digit", "3A INGLESE", nullptr, 0, 0},
      {"blanks", "  inglese  ", "INGLESE", 0, 0},
      {"guess-n", "educazione fisica", "EDUCAZIONE FISICA", 1, 0},
      {"guess-nm", "sorveglianza mensa", "SORVEGLIANZA MENSA", 1, 1},
      {"lab", "fisica lab", nullptr, 0, 0},
  };
  for (const Typed& t : typed) {
    std::uint32_t before = g_ui_structure.subject_count;
    if (!t.stored) ui.PressInNextModal(kOkButton);
    type_and_enter(ui, page, M::kNameId, t.text);
    if (!t.stored) {
      EXPECT_EQ(+g_ui_structure.subject_count, before) << t.id;
      continue;
    }
    ASSERT_EQ(+g_ui_structure.subject_count, before + 1) << t.id;
    const UiSubject& s = g_ui_structure.subjects[before];
    EXPECT_EQ(std::string(s.name), t.stored) << t.id;
    EXPECT_EQ(+s.option_n, t.n) << t.id;
    EXPECT_EQ(+s.option_m, t.m) << t.id;
    EXPECT_EQ(ui.Text(page, M::kNameId), "") << t.id;
  }
  EXPECT_TRUE(box_said(ui, "I nomi delle materie e dei professori devono iniziare con una lettere alfabetica (A..Z)"));
  EXPECT_TRUE(box_said(ui, "Il nome di una Materia non può essere uguale a quello di un Laboratorio esistente"_cp));

  // From the ministry list: a conversation subject, whose type then follows the list.
  ASSERT_TRUE(ui.Select(page, M::kMinistryId, "C032 CONV. INGLESE"));
  ui.Click(page, M::kAddMinistryId);
  int conv = int(g_ui_structure.subject_count) - 1;
  EXPECT_EQ(subject_name(conv), "C032 CONV. INGLESE");
  EXPECT_EQ(g_ui_structure.subjects[conv].type, 'C');
  ui.Select(page, M::kListId, row_of(page, "C032 CONV. INGLESE"));
  EXPECT_FALSE(ui.IsEnabled(page, M::kConversationId));

  // A subject used by two teachers keeps its type; the first teacher is named.
  ui.Select(page, M::kListId, row_of(page, "MATEMATICA"));
  EXPECT_EQ(ui.Text(page, M::kNameId), "MATEMATICA");
  ui.PressInNextModal(kOkButton);
  ui.Click(page, M::kConversationId);
  EXPECT_TRUE(box_said(ui, "La materia MATEMATICA non può cambiare tipologia perché è già usata da ROSSI"_cp));
  EXPECT_EQ(g_ui_structure.subjects[maths].type, 'N');
  EXPECT_FALSE(ui.IsChecked(page, M::kConversationId));

  // Rename to a taken name is refused, to a new one replaces in place.
  ui.Select(page, M::kListId, row_of(page, "INGLESE"));
  ui.OnNextModal([&](Dialog& box) {
    box.GetDlgItem(Ccasella::kEdit1Id)->SetWindowText("matematica");
    ui.Click(box, kIdOk);
  });
  ui.PressInNextModal(kOkButton);
  ui.Click(page, M::kRenameId);
  EXPECT_TRUE(box_said(ui, "Nome già in uso"_cp));
  EXPECT_EQ(subject_name(2), "INGLESE");

  // Delete everything: only the unused subjects go, never the stand-by subject.
  ListView* list = static_cast<ListView*>(page.GetDlgItem(M::kListId));
  for (int r = 0; r < list->GetItemCount(); ++r) list->SetItemState(r, kLvisSelected, kLvisSelected);
  page.GotoDlgCtrl(list);
  ui.Key(kVkDelete);
  EXPECT_EQ(list->GetItemCount(), 2);
  EXPECT_EQ(+g_ui_structure.subjects[0].hidden, 0);
  EXPECT_EQ(+g_ui_structure.subjects[maths].hidden, 0);
  EXPECT_EQ(+g_ui_structure.subjects[conv].hidden, 1);
  og_snapshot_all();
  EXPECT_TRUE(ui.Problems().empty());
}

TEST(SubjectsPage, SaveMakesSlashNamesUniqueAndWritesTheFiles) {
  SchoolFolder folder;
  empty_school();
  add_subject("ARTE/IMMAGINE");
  add_subject("ARTE_IMMAGINE");
  add_subject("4ITALIANO");
  TestDriver ui;
  Cmaterie page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ui.PressInNextModal(kOkButton);
  ui.Click(page, M::kSaveId);
  EXPECT_TRUE(box_said(ui, "I nomi delle materie e dei professori devono iniziare con una lettere alfabetica (A..Z)"));
  EXPECT_FALSE(std::filesystem::exists(folder.dir.path() / "scuola1.txt"));
  ui.PressInNextModal(kOkButton);
  EXPECT_EQ(page.DestroyWindow(), 0);  // the failing check keeps the user on the page
  EXPECT_TRUE(page.IsWindow());
  std::strcpy(g_ui_structure.subjects[2].name, "ITALIANO");
  ui.Click(page, M::kSaveId);
  EXPECT_EQ(subject_name(0), "ARTE`IMMAGINE");
  ASSERT_EQ(og_read_structure_file(0), 0);
  EXPECT_EQ(subject_name(0), "ARTE`IMMAGINE");
  EXPECT_EQ(subject_name(1), "ARTE_IMMAGINE");
  EXPECT_TRUE(std::filesystem::exists(folder.dir.path() / "scuola2.txt"));
  EXPECT_EQ(page.DestroyWindow(), 1);  // nothing left unsaved: the page may go
}

TEST(SubjectsPage, DialogFormAddsOnlyItsTypeAndRefusesDeletion) {
  empty_school();
  add_subject("TEDESCO");
  for (int language : {0, 2}) {
    g_language = std::uint8_t(language);
    TestDriver ui;
    Cmaterie dialog;
    dialog.m_type_restriction = 2;
    ui.OnNextModal([&](Dialog& d) {
      EXPECT_FALSE(ui.IsEnabled(d, M::kConversationId));
      EXPECT_EQ(ui.IsEnabled(d, M::kMinistryId), language == 0);
      EXPECT_FALSE(ui.IsEnabled(d, M::kRenameId));
      EXPECT_FALSE(ui.IsEnabled(d, M::kDeleteId));
      ui.Select(d, M::kListId, 0);
      ui.Key(kVkDelete);
      type_and_enter(ui, dialog, M::kNameId, language == 0 ? "conv mensa" : "conversation canteen");
      ui.Key(kVkEscape);
    });
    ui.PressInNextModal(kOkButton);
    EXPECT_EQ(dialog.DoModalCaptioned(true), 999);
    EXPECT_TRUE(box_said(
        ui, language == 0 ? "Cancellazione non ammessa (elemento in uso)" : "Deletion not allowed (item in use)"));
    EXPECT_EQ(+g_ui_structure.subjects[0].hidden, 0);
    const UiSubject& added = g_ui_structure.subjects[dialog.m_added_index];
    EXPECT_EQ(added.type, 'C');
    EXPECT_EQ(+added.option_m, language == 0 ? 1 : 0);  // the word guess is Italian only
    EXPECT_EQ(std::string(dialog.m_added_name), std::string(added.name));
  }
  g_language = 0;
}

// The two option boxes of a chosen subject: each click stores that option
// alone at once, and choosing a subject shows its own options.
TEST(SubjectsPage, OptionBoxesStoreTheChosenSubjectsOptions) {
  empty_school();
  int maths = add_subject("MATEMATICA");
  int art = add_subject("ARTE");
  g_ui_structure.subjects[art].option_m = 1;
  TestDriver ui;
  Cmaterie page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ui.Select(page, M::kListId, row_of(page, "MATEMATICA"));
  EXPECT_FALSE(ui.IsChecked(page, M::kLateHoursId));
  EXPECT_FALSE(ui.IsChecked(page, M::kNonTeachingId));
  struct Step {
    int box;
    int n, m;  // the subject's options after the click
  } steps[] = {{M::kLateHoursId, 1, 0}, {M::kNonTeachingId, 1, 1}, {M::kLateHoursId, 0, 1}, {M::kNonTeachingId, 0, 0},
               {M::kNonTeachingId, 0, 1}};
  for (const Step& step : steps) {
    ui.Click(page, step.box);
    EXPECT_EQ(+g_ui_structure.subjects[maths].option_n, step.n);
    EXPECT_EQ(+g_ui_structure.subjects[maths].option_m, step.m);
  }
  EXPECT_EQ(+g_ui_structure.subjects[art].option_m, 1);
  EXPECT_EQ(+g_ui_structure.subjects[art].option_n, 0);
  ui.Select(page, M::kListId, row_of(page, "ARTE"));
  EXPECT_FALSE(ui.IsChecked(page, M::kLateHoursId));
  EXPECT_TRUE(ui.IsChecked(page, M::kNonTeachingId));
  g_ui_structure.subjects[maths].option_n = 1;
  ui.Select(page, M::kListId, row_of(page, "MATEMATICA"));
  EXPECT_TRUE(ui.IsChecked(page, M::kLateHoursId));
  EXPECT_TRUE(ui.IsChecked(page, M::kNonTeachingId));
  og_snapshot_all();
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
