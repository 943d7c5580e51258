// The lessons-by-class page on a school built in the test: one row per
// weekly hour with the co-teaching part on the first rows, a lab hour's
// partner hours deleted down to a plain post, identical posts merged, the
// hidden "_COMPR" subject of a second teacher without lab and the
// co-teaching hour it then makes, a new subject added through the subjects
// dialog, two frontal hours joined into one co-teaching hour, and a class
// change that asks (Cancel keeps the class, Yes saves, No does not) or saves
// without a question when asked to.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "dictionary_support.h"
#include "platform/cp1252.h"
#include "shell/home_page.h"
#include "structure/input_box.h"
#include "structure/lessons_by_class_page.h"
#include "structure/subjects_page.h"

namespace {

using namespace kt::ui;
using namespace dictionary_test;
using C = Clacoco;

void lesson_school() {
  empty_school();
  g_selected_class = -1;  // a new school: as the home page leaves it before the configuration menu
  for (const char* code : {"1A ", "2A "})
    std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, code, 3);
  g_ui_structure.sections[0][0] = 1;
  int maths = add_subject("MATEMATICA");
  int physics = add_subject("FISICA");
  int lab = add_lab("LAB FISICA");
  int rossi = add_teacher("ROSSI", physics, lab);
  UiTeachingPost& post = g_ui_teachers[rossi].posts[0];
  post.class_index = 0;
  post.partner = 1;
  post.own.hours = 5;
  post.own.extended_hours = 1;
  post.partner_part.hours = 2;
  int bianchi = add_teacher("BIANCHI", maths);
  g_ui_teachers[bianchi].posts[0].class_index = 0;
  g_ui_teachers[bianchi].posts[0].own.hours = 2;
  g_ui_teachers[bianchi].posts[1] = g_ui_teachers[bianchi].posts[0];
  g_ui_teachers[bianchi].posts[1].own.hours = 1;
  g_ui_teachers[bianchi].post_count = 2;
  add_teacher("VERDI", maths);
  g_ui_teachers[2].posts[0].class_index = 1;
  g_ui_teachers[2].posts[0].own.hours = 1;
}

int row_of_teacher(const Clacoco& page, int teacher) {
  for (std::size_t i = 0; i < page.Rows().size(); ++i)
    if (page.Rows()[i].teacher == teacher) return int(i);
  return -1;
}

TEST(LessonsByClass, RowsAndHourMoves) {
  lesson_school();
  TestDriver ui;
  Clacoco page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ASSERT_EQ(page.Rows().size(), 8u);
  auto* grid = static_cast<ListView*>(page.GetDlgItem(C::kGridId));
  struct Cell {
    int row, column;
    const char* text;
  };
  const Cell cells[] = {{0, 1, "Fisica"}, {0, 2, "ROSSI"},   {0, 7, "BIANCHI"}, {0, 10, "Lab Fisica"},
                        {0, 13, "si"},    {1, 7, "BIANCHI"}, {1, 13, ""},       {2, 7, ""},
                        {2, 10, ""},      {0, 4, "5"},       {0, 8, "5"}};
  for (const Cell& c : cells) EXPECT_EQ(grid->GetItemText(c.row, c.column), c.text) << c.row << "," << c.column;
  EXPECT_EQ(ui.Text(page, C::kCountId), "8");

  // Two partner hours deleted: the lab post becomes a plain post of 5 hours.
  for (int i = 0; i < 2; ++i) {
    page.ShowHour(0, 10);
    ui.Click(page, C::kDeleteId);
  }
  const UiTeachingPost& physics = g_ui_teachers[0].posts[0];
  EXPECT_EQ(+physics.own.hours, 5);
  EXPECT_EQ(+physics.partner_part.hours, 0);
  EXPECT_EQ(+physics.lab, -1);
  EXPECT_EQ(+physics.partner, -1);

  // One more hour like this one: BIANCHI's two identical posts become one of 4 hours.
  page.ShowHour(row_of_teacher(page, 1), 1);
  ui.Click(page, C::kAnotherId);
  ASSERT_EQ(+g_ui_teachers[1].post_count, 1u);
  EXPECT_EQ(+g_ui_teachers[1].posts[0].own.hours, 4);
  EXPECT_EQ(page.Rows().size(), 9u);
  EXPECT_EQ(grid->GetItemText(row_of_teacher(page, 1), 4), "4");
  // The highlight went to the first row of the hour's post, as a whole row.
  auto* hour_grid = static_cast<CXQLix*>(page.GetDlgItem(C::kGridId));
  EXPECT_EQ(hour_grid->WholeRow(), row_of_teacher(page, 1));
  EXPECT_TRUE(page.Rows()[std::size_t(row_of_teacher(page, 1))].changed);
  {
    const DisplayList drawn = ui.Render(page);
    const DrawItemOp* marker = drawn.CellFill(C::kGridId, row_of_teacher(page, 1), 0);
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->color, rgb(247, 248, 205));  // the hour column of the highlighted row
  }

  // A second teacher on a frontal hour first offers the hidden "_COMPR" subject...
  page.ShowHour(0, 7);
  ui.Select(page, C::kSecondId, "VERDI");
  int compr = int(g_ui_structure.subject_count) - 1;
  EXPECT_EQ(subject_name(compr), "FISICA_COMPR");
  EXPECT_EQ(g_ui_structure.subjects[compr].type, 'C');
  EXPECT_EQ(+g_ui_structure.subjects[compr].hidden, 1);
  EXPECT_EQ(+g_ui_teachers[0].posts[0].partner, -1);
  // ...which, chosen, makes one co-teaching hour with VERDI.
  ui.Select(page, C::kConversationId, "FISICA_COMPR");
  ASSERT_EQ(+g_ui_teachers[0].post_count, 1u);
  EXPECT_EQ(+g_ui_teachers[0].posts[0].own.hours, 5);
  EXPECT_EQ(+g_ui_teachers[0].posts[0].partner_part.hours, 1);
  EXPECT_EQ(+g_ui_teachers[0].posts[0].partner, 2);
  EXPECT_EQ(+g_ui_teachers[0].posts[0].conversation_subject, compr);
  EXPECT_EQ(grid->GetItemText(0, 7), "VERDI");
  // "nuova" adds an ordinary subject through the subjects dialog and moves the hour to it.
  page.ShowHour(row_of_teacher(page, 1), 1);
  ui.OnNextModal([&](Dialog& d) {
    EXPECT_FALSE(ui.IsEnabled(d, Cmaterie::kConversationId));
    d.GetDlgItem(Cmaterie::kNameId)->SetWindowText("geometria");
    d.GotoDlgCtrl(d.GetDlgItem(Cmaterie::kNameId));
    ui.Key(kVkReturn);
    ui.Key(kVkEscape);
  });
  ui.Click(page, C::kNewSubjectId);
  int geometry = int(g_ui_structure.subject_count) - 1;
  EXPECT_EQ(subject_name(geometry), "GEOMETRIA");
  EXPECT_EQ(g_ui_structure.subjects[geometry].type, 'N');
  ASSERT_EQ(+g_ui_teachers[1].post_count, 2u);
  EXPECT_EQ(+g_ui_teachers[1].posts[0].own.hours, 3);
  EXPECT_EQ(+g_ui_teachers[1].posts[1].subject, geometry);
  EXPECT_EQ(+g_ui_teachers[1].posts[1].own.hours, 1);
  og_snapshot_all();
  EXPECT_TRUE(ui.Problems().empty());
}

TEST(LessonsByClass, JoiningTwoFrontalHoursMakesOneCoTeachingHour) {
  empty_school();
  std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, "1A ", 3);
  int maths = add_subject("MATEMATICA");
  int physics = add_subject("FISICA");
  for (auto [name, subject] : {std::pair{"ROSSI", physics}, std::pair{"BIANCHI", maths}}) {
    int t = add_teacher(name, subject);
    g_ui_teachers[t].posts[0].class_index = 0;
    g_ui_teachers[t].posts[0].own.hours = 2;
  }
  TestDriver ui;
  Clacoco page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ui.ClearBeeps();
  page.ShowHour(row_of_teacher(page, 0), 1);
  ASSERT_TRUE(page.Joining());
  page.ShowHour(row_of_teacher(page, 1), 2);  // not the second-teacher column: the join ends
  EXPECT_FALSE(page.Joining());
  EXPECT_EQ(ui.beeps(), 1);

  page.ShowHour(row_of_teacher(page, 0), 2);
  page.ShowHour(row_of_teacher(page, 1), 7);
  EXPECT_FALSE(page.Joining());
  const UiTeachingPost& shared = g_ui_teachers[1].posts[0];
  EXPECT_EQ(+g_ui_teachers[1].post_count, 1u);
  EXPECT_EQ(+shared.own.hours, 2);
  EXPECT_EQ(+shared.partner_part.hours, 1);
  EXPECT_EQ(+shared.partner, 0);
  EXPECT_EQ(subject_name(shared.conversation_subject), "MATEMATICA+FISICA");
  EXPECT_EQ(g_ui_structure.subjects[shared.conversation_subject].type, 'C');
  EXPECT_EQ(+g_ui_teachers[0].posts[0].own.hours, 1);
  og_snapshot_all();
  EXPECT_TRUE(ui.Problems().empty());
}

// A class change with unsaved edits asks: Cancel keeps the class, Yes saves
// before the change, No changes class without saving; with auto-save ticked
// it saves without a question.
TEST(LessonsByClass, ClassChangeAsksAndSavesOnYesOrAutoSaveOnly) {
  constexpr int kYes = 1031, kNo = 1049, kCancel = 0;  // the message box's buttons; 0: "Annulla"
  struct Case {
    const char* id;
    int answer;
    bool auto_save;
    int class_after;
    bool saved;
  } cases[] = {{"cancel", kCancel, false, 0, false}, {"yes", kYes, false, 1, true}, {"no", kNo, false, 1, false},
               {"auto-save", kCancel, true, 1, true}};
  for (const Case& c : cases) {
    SchoolFolder folder;
    lesson_school();
    og_snapshot_all();
    g_lacoco_save_without_asking = false;
    TestDriver ui;
    Clacoco page;
    ASSERT_TRUE(page.Create(nullptr)) << c.id;
    page.ShowWindow(kSwShow);
    page.ShowHour(row_of_teacher(page, 1), 1);
    ui.Click(page, C::kAnotherId);  // an edit not saved yet
    if (c.auto_save) ui.Click(page, C::kAutoSaveId);
    std::size_t boxes = ui.boxes().size();
    if (!c.auto_save) c.answer == kCancel ? ui.PressInNextModal("Annulla") : ui.PressInNextModal(c.answer);
    if (c.answer == kYes) ui.PressInNextModal(kNo);  // and go on asking before each change
    ui.Click(page, C::kNextId);
    EXPECT_EQ(box_said(ui, "I dati di 1A sono stati modificati. Salvo le modifiche?"), !c.auto_save) << c.id;
    if (c.auto_save) {
      EXPECT_EQ(ui.boxes().size(), boxes) << c.id;
    }
    EXPECT_EQ(page.SelectedClass(), c.class_after) << c.id;
    EXPECT_EQ(g_selected_class, c.class_after) << c.id;  // the class the page starts on next time
    EXPECT_EQ(std::filesystem::exists(folder.dir.path() / "scuola2.txt"), c.saved) << c.id;
    EXPECT_EQ(g_lacoco_save_without_asking, c.auto_save) << c.id;
    g_lacoco_save_without_asking = false;
    page.DestroyWindow();
    og_snapshot_all();
    for (const std::string& p : ui.Problems()) ADD_FAILURE() << c.id << ": " << p;
  }
}

// Subject and lab names in title case: every letter after a non-letter
// starts a word (an apostrophe, a digit, a point); the accented Italian
// vowels keep their case.
TEST(LessonsByClass, NamesInTitleCase) {
  lesson_school();
  std::snprintf(g_ui_structure.subjects[1].name, kUiNameSize, "%s", "STORIA DELL'ARTE 2B");
  std::snprintf(g_ui_structure.labs[0].name, kUiNameSize, "%s", "LAB.FISICA \xE8");
  TestDriver ui;
  Clacoco page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  auto* grid = static_cast<ListView*>(page.GetDlgItem(C::kGridId));
  EXPECT_EQ(grid->GetItemText(0, 1), "Storia Dell'Arte 2B");
  EXPECT_EQ(grid->GetItemText(0, 10), "Lab.Fisica \xE8");
}

// A click on a column's heading orders the rows by it, names as text and
// counts as numbers; a second click reverses the order.
TEST(LessonsByClass, HeadingsSortTheRows) {
  lesson_school();
  TestDriver ui;
  Clacoco page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  auto* grid = static_cast<ListView*>(page.GetDlgItem(C::kGridId));
  for (int column : {1, 2, 7, 10, 5, 8, 11}) {
    bool number = column == 4 || column == 5 || column == 6 || column == 8 || column == 11;
    for (int direction : {1, -1}) {
      ASSERT_TRUE(ui.ClickHeader(page, C::kGridId, column)) << column;
      std::vector<std::string> shown;
      for (int r = 0; r < grid->GetItemCount(); ++r) shown.push_back(grid->GetItemText(r, column));
      for (std::size_t r = 1; r < shown.size(); ++r) {
        int order = number ? std::atoi(shown[r - 1].c_str()) - std::atoi(shown[r].c_str())
                           : kt::cp1252_casecmp(shown[r - 1].c_str(), shown[r].c_str());
        EXPECT_LE(order * direction, 0) << column << " row " << r << ": " << shown[r - 1] << " / " << shown[r];
      }
      std::set<std::string> distinct(shown.begin(), shown.end());
      EXPECT_GT(distinct.size(), 1u) << column;  // the order is seen
    }
  }
  EXPECT_TRUE(ui.Problems().empty());
}

// Another frontal teacher takes the chosen hour; a subgroup subject is
// stored on the hour's post; a co-teaching hour
// separated gives the second teacher an hour of his own in the class.
TEST(LessonsByClass, TeacherSubgroupAndSeparation) {
  lesson_school();
  TestDriver ui;
  Clacoco page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  page.ShowHour(row_of_teacher(page, 1), 2);
  ui.Select(page, C::kTeacherId, "VERDI");
  int verdi_in_1a = 0;
  for (std::uint32_t p = 0; p < g_ui_teachers[2].post_count; ++p)
    if (g_ui_teachers[2].posts[p].class_index == 0) verdi_in_1a += g_ui_teachers[2].posts[p].own.hours;
  EXPECT_EQ(verdi_in_1a, 1);
  int bianchi_hours = 0;
  for (std::uint32_t p = 0; p < g_ui_teachers[1].post_count; ++p) bianchi_hours += g_ui_teachers[1].posts[p].own.hours;
  EXPECT_EQ(bianchi_hours, 2);

  page.ShowHour(row_of_teacher(page, 0), 12);
  ui.Select(page, C::kSubgroupId, "MATEMATICA");
  EXPECT_EQ(subject_name(g_ui_teachers[0].posts[0].own.subgroup_subject), "MATEMATICA");

  page.ShowHour(0, 7);  // ROSSI's lab hour with BIANCHI
  ui.Click(page, C::kSeparateId);
  EXPECT_EQ(+g_ui_teachers[0].posts[0].partner_part.hours, 1);
  int bianchi_after = 0;
  for (std::uint32_t p = 0; p < g_ui_teachers[1].post_count; ++p)
    if (!g_ui_teachers[1].posts[p].copy && g_ui_teachers[1].posts[p].class_index == 0)
      bianchi_after += g_ui_teachers[1].posts[p].own.hours;
  EXPECT_EQ(bianchi_after, 3);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace

// The page's own additions: a new frontal hour (a teacher, then a subject),
// a new teacher typed in (its refusals one by one, a "_LAB" ending dropped)
// who takes the chosen hour, the frontal teacher renamed (refusals too), and
// "Abandon" reading the saved school back over every edit.
TEST(LessonsByClass, NewHourNewTeacherRenameAndAbandon) {
  SchoolFolder folder;
  lesson_school();
  for (int t = 0; t < og_teacher_count(); ++t) og_set_teacher_defaults(t);  // as a teacher made on a page has them
  TestDriver ui;
  Clacoco page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ui.Click(page, C::kSaveId);
  ASSERT_TRUE(std::filesystem::exists(folder.dir.path() / "scuola2.txt"));
  auto answer = [&](const char* typed) {
    ui.OnNextModal([&ui, typed](Dialog& d) {
      ui.Type(d, Ccasella::kEdit1Id, typed);
      ui.Click(d, kIdOk);
    });
  };
  auto* grid = static_cast<ListView*>(page.GetDlgItem(C::kGridId));

  ui.Click(page, C::kAddHourId);
  EXPECT_EQ(ui.Text(page, C::kHelpPaneId),
            "Potete aggiungere una Materia e un Professore per creare un'Ora di Lezione Frontale.");
  EXPECT_TRUE(ui.IsEnabled(page, C::kTeacherId));
  ui.Select(page, C::kTeacherId, "VERDI");
  EXPECT_TRUE(ui.IsEnabled(page, C::kSubjectId));
  ui.Select(page, C::kSubjectId, "FISICA");
  ASSERT_EQ(page.Rows().size(), 9u);
  int verdi = row_of_teacher(page, 2);
  ASSERT_GE(verdi, 0);
  EXPECT_EQ(grid->GetItemText(verdi, 1), "Fisica");
  int verdi_in_1a = 0;
  for (std::uint32_t p = 0; p < g_ui_teachers[2].post_count; ++p)
    if (g_ui_teachers[2].posts[p].class_index == 0 && subject_name(g_ui_teachers[2].posts[p].subject) == "FISICA")
      verdi_in_1a += g_ui_teachers[2].posts[p].own.hours;
  EXPECT_EQ(verdi_in_1a, 1);

  struct Refusal {
    const char* typed;
    std::string said;
  } refusals[] = {{"abc_lab", "Inserire un nome lungo almeno 4 caratteri"},
                  {"1abc", "I nomi delle materie e dei professori devono iniziare con una lettere alfabetica (A..Z)"},
                  {"rossi", "Già esistente. Non inserito."_cp}};
  page.ShowHour(row_of_teacher(page, 1), 2);
  for (const Refusal& r : refusals) {
    answer(r.typed);
    ui.PressInNextModal(kOkButton);
    ui.Click(page, C::kNewTeacherId);
    EXPECT_TRUE(box_said(ui, r.said)) << r.typed;
    EXPECT_EQ(og_teacher_count(), 3) << r.typed;
  }
  answer("neri_lab");
  ui.Click(page, C::kNewTeacherId);
  ASSERT_EQ(og_teacher_count(), 4);
  EXPECT_EQ(std::string(g_ui_teachers[3].name), "NERI");
  EXPECT_EQ(ui.Text(page, C::kTeacherId), "NERI");
  int neri = row_of_teacher(page, 3);
  ASSERT_GE(neri, 0);  // BIANCHI's hour went to him
  EXPECT_EQ(grid->GetItemText(neri, 2), "NERI");
  EXPECT_EQ(grid->GetItemText(neri, 1), "Matematica");

  page.ShowHour(neri, 2);
  for (const Refusal& r : {Refusal{"1xyz", refusals[1].said}, Refusal{"rossi", "Nome già in uso. Impossibile ridenominare."_cp}}) {
    answer(r.typed);
    ui.PressInNextModal(kOkButton);
    ui.Click(page, C::kRenameId);
    EXPECT_TRUE(box_said(ui, r.said)) << r.typed;
    EXPECT_EQ(std::string(g_ui_teachers[3].name), "NERI") << r.typed;
  }
  answer("gialli");
  ui.Click(page, C::kRenameId);
  EXPECT_EQ(std::string(g_ui_teachers[3].name), "GIALLI");
  EXPECT_EQ(grid->GetItemText(row_of_teacher(page, 3), 2), "GIALLI");

  ui.Click(page, C::kAbandonId);
  EXPECT_EQ(og_teacher_count(), 3);
  EXPECT_EQ(page.Rows().size(), 8u);
  EXPECT_EQ(row_of_teacher(page, 2), -1);  // VERDI's new hour is gone too
  og_snapshot_all();
  for (const std::string& p : ui.Problems()) ADD_FAILURE() << p;
}
