// The teachers page driven headless inside the frame on a small school
// built in the test: ROSSI (MATEMATICA 1A 4h; SCIENZE 1A 2h in LAB SCIENZE
// with BIANCHI as lab assistant for 1h) and BIANCHI (INGLESE 2A 3h), classes
// 1A..5A and 1B. Covers adding and renaming teachers with their refusals,
// the dummy-teacher settings, leaving a changed teacher (question, auto-save,
// nothing written when unchanged), appending posts with quick entry,
// deleting and re-adding on another teacher, abandoning a new post, the
// validation messages, the lab choice, the read-only partner copy and the
// new school year.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "engine/errors.h"
#include "engine/shell_services.h"
#include "platform/system_atomic_write.h"
#include "saved_timetable_files.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "structure/input_box.h"
#include "structure/teacher_page.h"
#include "structure/teacher_page_state.h"
#include "structure/quick_entry_page.h"
#include "structure/unsaved_changes_prompt.h"
#include "structure/subjects_page.h"
#include "structure/labs_page.h"
#include "structure/teaching_post_summary.h"
#include "engine/status_block.h"
#include "remote/guide_windows.h"
#include "shell/service_mode.h"
#include "trial_run_support.h"
#include "shell/home_page.h"
#include "ui_school_builders.h"
#include "failing_reads.h"

namespace {

using namespace kt::ui;
using namespace kt_app_test;
using P = Cprocat;

constexpr int kFirstButton = CMessageBox::kButtonIds[0];
constexpr int kSecondButton = CMessageBox::kButtonIds[1];

int find_first(const char* listed) { return std::string(listed).rfind("ROSSI", 0) == 0 ? 0 : 1; }

class TeachersPage : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    ui_register_teacher_page_template();
    school_ = data_root() / "scuola";
    fs::create_directories(school_);
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\scuola"));
    BuildSchool();
    g_pages.Install(PageSlot::Procat, &page_);
    ui_register_summary_page_template();
    g_pages.Install(PageSlot::Syncat, &summary_);
    ui_register_quick_entry_template();
    g_pages.Install(PageSlot::Proqui, &quick_);
    procat_remember_teacher(-1);
    g_auto_save = 0;
    g_page_argument = 0;
  }
  void TearDown() override {
    og_snapshot_all();
    og_snapshot_structure();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_pages.Install(PageSlot::Procat, nullptr);
    g_pages.Install(PageSlot::Syncat, nullptr);
    g_pages.Install(PageSlot::Proqui, nullptr);
    g_desktop_launcher = nullptr;
    g_procat_post = nullptr;
    g_procat_teacher = -1;
    TempRoot::TearDown();
  }

  void BuildSchool() {
    new_ui_school({"1A ", "2A ", "3A ", "4A ", "5A ", "1B "});
    g_ui_structure.sections[0][1] = 1;
    math_ = add_subject("MATEMATICA", 'N');
    science_ = add_subject("SCIENZE", 'N');
    english_ = add_subject("INGLESE", 'N');
    conversation_ = add_subject("CONV INGLESE", 'C');
    add_rossi_bianchi_and_lab();
    add_post(0, math_, 0, 4);
    add_lab_post(0, science_, 0, 2, 1, 1);
    add_post(1, english_, 1, 3);
    ASSERT_EQ(og_write_structure_file(), 0);
    ASSERT_EQ(og_write_assignments_file(0, 0), 0);
    og_snapshot_all();
  }

  void Open() { ShowPage(kPageProcat, &page_); }
  void ShowPage(int number, Dialog* page) {
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    ui.Pump();
    ASSERT_TRUE(alfadlg_go_to_page(number));
    ASSERT_EQ(g_current_page, page);
  }

  // Answers the input box with a typed name.
  void TypeName(const std::string& name) {
    ui.OnNextModal([this, name](Dialog& d) {
      ui.Type(d, Ccasella::kEdit1Id, name);
      ui.Click(d, kIdOk);
    });
  }
  std::string LastBox() { return ui.boxes().empty() ? "" : ui.boxes().back().texts.at(0); }
  void SelectPost(int post) {
    auto* list = static_cast<ListView*>(page_.GetDlgItem(P::kPostListId));
    ASSERT_TRUE(ui.Select(page_, P::kPostListId, list->FindItemByData(-1, std::uintptr_t(post))));
  }
  void ChooseTeacher(const char* name) { ui.Select(page_, P::kTeacherListId, std::string_view(name)); }
  fs::path Description() const { return school_ / "scuola2.txt"; }

  TestDriver ui;
  Cprocat page_;
  Csyncat summary_;
  Cproqui quick_;
  fs::path school_;
  int math_ = 0, science_ = 0, english_ = 0, conversation_ = 0;
};

TEST_F(TeachersPage, TeachersAreAddedRenamedAndRefused) {
  Open();
  EXPECT_EQ(g_procat_teacher, 0);
  struct Case {
    const char* id;
    const char* typed;
    const char* message;
    int current;
    std::uint32_t count;
  };
  const Case cases[] = {
      {"digit", "1ABC", "I nomi delle materie e dei professori devono iniziare con una lettere alfabetica (A..Z)", 0,
       2},
      {"existing", "Bianchi", "Già esistente. Non inserito."_cp, 1, 2},
      {"new", "VERDI", "", 2, 3},
  };
  for (const Case& c : cases) {
    TypeName(c.typed);
    if (c.message[0]) ui.PressInNextModal(kFirstButton);
    ui.Click(page_, P::kAddTeacherId);
    if (c.message[0]) {
      EXPECT_EQ(LastBox(), c.message) << c.id;
    }
    EXPECT_EQ(g_procat_teacher, c.current) << c.id;
    EXPECT_EQ(+g_ui_settings.teacher_count, c.count) << c.id;
  }
  EXPECT_EQ(ui.Text(page_, P::kTeacherListId), "VERDI");

  TypeName("Bianchi");
  ui.PressInNextModal(kFirstButton);
  ui.Click(page_, P::kRenameId);
  EXPECT_EQ(LastBox(), "Nome già in uso. Impossibile ridenominare."_cp);
  TypeName("9VERDI");  // a name the school's files could not carry
  ui.PressInNextModal(kFirstButton);
  ui.Click(page_, P::kRenameId);
  EXPECT_EQ(LastBox(), cases[0].message);
  EXPECT_STREQ(g_ui_teachers[2].name, "VERDI");
  // The saved timetable is scrambled line by line; the rename reaches it.
  {
    std::FILE* save = or_fopen(".\\savego.txt", "wt");
    ASSERT_NE(save, nullptr);
    char work[200];
    or_write_scrambled_line(save, "L:1 VERDI 1A\n", work);
    or_fclose(save);
  }
  TypeName("NERI-BLU");
  ui.PressInNextModal(kFirstButton);
  ui.Click(page_, P::kRenameId);
  EXPECT_STREQ(g_ui_teachers[2].name, "NERI_BLU");
  EXPECT_EQ(LastBox().rfind("Attenzione: nei nomi i caratteri - | :", 0), 0u);  // the change is said
  {
    std::FILE* save = or_fopen(".\\savego.txt", "rt");
    ASSERT_NE(save, nullptr);
    char line[100];
    ASSERT_NE(or_read_line(line, sizeof line, save), nullptr);
    or_fclose(save);
    EXPECT_STREQ(line, "L:1 NERI_BLU 1A\n");
  }
  EXPECT_EQ(ui.Text(page_, P::kTeacherListId), "NERI_BLU");

  // A full table refuses before the input box comes up.
  ui.Click(page_, P::kSaveId);
  for (int t = 3; t < kUiMaxTeachers; ++t) og_init_teacher(t, ("T" + std::to_string(t)).c_str());
  g_ui_settings.teacher_count = kUiMaxTeachers;
  std::size_t shown = ui.boxes().size();
  ui.PressInNextModal(kFirstButton);
  ui.Click(page_, P::kAddTeacherId);
  ASSERT_EQ(ui.boxes().size(), shown + 1);
  EXPECT_EQ(LastBox(), "Raggiunto Numero Massimo Professori - Impossibile Inserire");
  EXPECT_EQ(ui.PendingSteps(), 0u);
  g_ui_settings.teacher_count = 3;
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(TeachersPage, DummySettingsAndLeavingAChangedTeacher) {
  Open();
  // Stepping past either end of the list stays there.
  const std::pair<int, int> steps[] = {{P::kPreviousId, 0}, {P::kNextId, 1}, {P::kNextId, 1}, {P::kPreviousId, 0}};
  for (const auto& [button, expected] : steps) {
    ui.Click(page_, button);
    EXPECT_EQ(g_procat_teacher, expected);
  }
  ui.Select(page_, P::kStandbyId, 2);
  EXPECT_EQ(+g_ui_teachers[0].standby_hours, 2);
  ui.PressInNextModal(kFirstButton);
  ui.Click(page_, P::kDummyFreeId);
  EXPECT_EQ(LastBox(),
            "Attenzione: un insegnante fittizio non può avere Ricevimento, Disposizioni o ore di Sostegno"_cp);
  EXPECT_EQ(+g_ui_teachers[0].standby_hours, 0);
  EXPECT_EQ(+g_ui_teachers[0].nor_flag, 1);
  EXPECT_EQ(+g_ui_teachers[0].fc_mode, 1);
  EXPECT_FALSE(ui.IsEnabled(page_, P::kStandbyId));
  EXPECT_FALSE(ui.IsChecked(page_, P::kReceptionId));
  ui.Click(page_, P::kDummyFreeId);
  EXPECT_EQ(+g_ui_teachers[0].fc_mode, 0);
  EXPECT_TRUE(ui.IsEnabled(page_, P::kStandbyId));
  EXPECT_TRUE(ui.IsEnabled(page_, P::kReceptionId));

  // A changed teacher asks; "No" keeps him current with his edits.
  ui.PressInNextModal(kSecondButton);
  ChooseTeacher("BIANCHI");
  EXPECT_EQ(LastBox(), "I dati di ROSSI sono stati modificati. Salvo le modifiche?");
  EXPECT_EQ(g_procat_teacher, 0);
  EXPECT_EQ(ui.Text(page_, P::kTeacherListId), "ROSSI");
  // "Yes", and yes to saving later changes without a question.
  fs::remove(Description());
  ui.PressInNextModal(kFirstButton);
  ui.PressInNextModal(kFirstButton);
  ChooseTeacher("BIANCHI");
  EXPECT_EQ(LastBox(), "Salvo le prossime modifiche senza chiedere conferma?");
  EXPECT_EQ(g_procat_teacher, 1);
  EXPECT_TRUE(fs::exists(Description()));
  EXPECT_TRUE(ui.IsChecked(page_, P::kAutoSaveId));
  EXPECT_EQ(g_auto_save, 1);

  // Unchanged: nothing written. Changed with auto-save: written, no question.
  fs::remove(Description());
  std::size_t shown = ui.boxes().size();
  ChooseTeacher("ROSSI");
  EXPECT_FALSE(fs::exists(Description()));
  ui.Select(page_, P::kSupportId, 3);
  ChooseTeacher("BIANCHI");
  EXPECT_EQ(ui.boxes().size(), shown);
  EXPECT_TRUE(fs::exists(Description()));
  EXPECT_EQ(+g_ui_teachers_saved[0].support_hours, 3);
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(TeachersPage, PostsAreAppendedDeletedReAddedAndValidated) {
  Open();
  UiTeacher& rossi = g_ui_teachers[0];
  ui.Click(page_, P::kAddPostId);
  ASSERT_EQ(+rossi.post_count, 3u);
  EXPECT_EQ(+rossi.posts[2].class_index, 1);  // after 1A: 2A
  EXPECT_EQ(+rossi.posts[2].subject, science_);
  EXPECT_EQ(ui.Text(page_, P::kClassId), "2A");
  EXPECT_TRUE(ui.HasFocus(page_, P::kClassId));
  ui.Click(page_, P::kAbandonId);  // the new post, still without hours, goes
  EXPECT_EQ(+rossi.post_count, 2u);
  EXPECT_EQ(g_procat_new_post, 0);

  // After 5A the next section's first year is proposed.
  rossi.posts[1].class_index = 4;
  ui.Click(page_, P::kAddPostId);
  EXPECT_EQ(+rossi.posts[2].class_index, 5);
  ui.Select(page_, P::kHoursId, 2);
  EXPECT_EQ(+rossi.posts[2].own.hours, 2);

  // Delete the new post (it is pending: no question) and re-add it to BIANCHI.
  UiTeachingPost deleted = rossi.posts[2];
  ui.Click(page_, P::kDeletePostId);
  EXPECT_EQ(+rossi.post_count, 2u);
  ui.PressInNextModal(kFirstButton);   // save ROSSI
  ui.PressInNextModal(kSecondButton);  // not without asking
  ChooseTeacher("BIANCHI");
  ASSERT_EQ(g_procat_teacher, 1);
  UiTeacher& bianchi = g_ui_teachers[1];
  ASSERT_EQ(+bianchi.post_count, 2u);  // own post and the copy of ROSSI's lab post
  ui.PressInNextModal(kFirstButton);  // yes, the lab assistant teaches a main subject too
  ui.Click(page_, P::kReAddId);
  ASSERT_EQ(+bianchi.post_count, 3u);
  EXPECT_EQ(std::memcmp(&bianchi.posts[1], &deleted, sizeof deleted), 0);
  EXPECT_EQ(+bianchi.posts[2].copy, 1);

  // The copy cannot be edited or deleted here.
  ui.PressInNextModal(kFirstButton);
  SelectPost(2);
  EXPECT_EQ(LastBox(), "Per modificare questo elemento passare all'insegnante di Materia Principale. (ROSSI)");
  EXPECT_FALSE(ui.IsEnabled(page_, P::kHoursId));
  ui.PressInNextModal(kFirstButton);
  ui.Click(page_, P::kDeletePostId);
  EXPECT_EQ(LastBox(), "Per cancellare questo elemento, modificare ROSSI (Professore di Materia Principale)");
  EXPECT_EQ(+bianchi.post_count, 3u);

  // Validation: zero hours, then a conversation taught by the teacher himself.
  SelectPost(0);
  ui.Select(page_, P::kHoursId, 0);
  ui.PressInNextModal(kFirstButton);
  ui.Click(page_, P::kSaveId);
  EXPECT_EQ(LastBox(), "Numero di ORE pari a zero per la Classe 2A.");
  EXPECT_EQ(g_procat_post, &bianchi.posts[0]);
  ui.Select(page_, P::kHoursId, 3);
  ui.Select(page_, P::kConversationId, std::string_view("CONV INGLESE"));
  EXPECT_EQ(+bianchi.posts[0].conversation_subject, conversation_);
  EXPECT_FALSE(ui.IsEnabled(page_, P::kLabId));
  ui.Select(page_, P::kPartnerId, std::string_view("BIANCHI"));
  ui.Select(page_, P::kPartnerHoursId, 1);
  ui.PressInNextModal(kFirstButton);
  ui.Click(page_, P::kSaveId);
  EXPECT_EQ(LastBox(), "Il Professore per Conversazione/Compresenza [CONV INGLESE] deve essere diverso da quello "
                       "dalla Lezione Frontale [INGLESE].");
  // A lab on a post without partner: the teacher is his own partner.
  ui.Select(page_, P::kConversationId, 0);
  bianchi.posts[0].partner = -1;
  ui.Select(page_, P::kLabId, std::string_view("LAB SCIENZE"));
  EXPECT_EQ(+bianchi.posts[0].lab, 0);
  EXPECT_EQ(+bianchi.posts[0].partner, 1);
  EXPECT_EQ(+bianchi.posts[0].partner_part.hours, 3);
  std::size_t shown = ui.boxes().size();
  ui.Click(page_, P::kSaveId);
  EXPECT_EQ(ui.boxes().size(), shown);
  EXPECT_EQ(+g_ui_teachers_saved[1].post_count, 2u);  // the file holds no copy
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(TeachersPage, NewSchoolYearAndTheFortyPostLimit) {
  UiTeacher& bianchi = g_ui_teachers[1];
  bianchi.post_count = 0;
  for (int c = 0; c < 3; ++c) add_post(1, english_, c, 2);
  og_snapshot_all();
  Open();
  ui.PressInNextModal(kFirstButton);
  ui.Click(page_, P::kReAddId);
  EXPECT_EQ(LastBox(),
            "Nessuna classe da aggiungere.\nSi può aggiungere solo la classe precedentemente cancellata da questo "
            "insegnante o da un altro"_cp);
  EXPECT_FALSE(ui.IsEnabled(page_, P::kReAddId));
  ChooseTeacher("BIANCHI");
  SelectPost(0);
  ui.Click(page_, P::kNewYearId);
  EXPECT_EQ(+bianchi.posts[0].class_index, 1);
  EXPECT_EQ(+bianchi.posts[1].class_index, 2);
  EXPECT_EQ(+bianchi.posts[2].class_index, 3);
  // With classes 1A-3A only the teacher already teaches everywhere.
  for (int c = 0; c < 3; ++c) bianchi.posts[c].class_index = c;
  g_ui_structure.classes[3].code[0] = g_ui_structure.classes[4].code[0] = '\0';
  SelectPost(0);
  ui.PressInNextModal(kFirstButton);
  ui.Click(page_, P::kNewYearId);
  EXPECT_EQ(LastBox(), "Il professore ha già lezione in tutte le classi esistenti per questa sezione / indirizzo. "
                       "Nulla da avanzare."_cp);
  EXPECT_EQ(+bianchi.posts[2].class_index, 2);

  while (bianchi.post_count < std::uint32_t(kUiMaxPosts)) add_post(1, english_, 5, 1);
  ui.PressInNextModal(kFirstButton);  // yes, the lab assistant teaches a main subject too
  ui.PressInNextModal(kFirstButton);
  ui.Click(page_, P::kAddPostId);
  EXPECT_EQ(LastBox(), "Raggiunto Numero Massimo Classi per Professore - Non inseribile");
  EXPECT_EQ(+bianchi.post_count, std::uint32_t(kUiMaxPosts));
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(TeachersPage, QuickEntryAndTrialRun) {
  Open();
  UiTeacher& rossi = g_ui_teachers[0];
  // Tab out of the last field of a complete post appends the next one.
  ui.Click(page_, P::kAddPostId);
  ui.Select(page_, P::kHoursId, 3);
  page_.GetDlgItem(P::kConversationId)->SetFocus();
  ui.Key(kVkTab);
  ASSERT_EQ(+rossi.post_count, 4u);
  EXPECT_EQ(+rossi.posts[3].class_index, 2);  // after 2A: 3A
  EXPECT_EQ(g_procat_new_post, 1);
  EXPECT_EQ(g_procat_post, &rossi.posts[3]);
  // The list taking the focus ends quick entry: the post without hours goes.
  page_.GetDlgItem(P::kPostListId)->SetFocus();
  ui.Pump();
  EXPECT_EQ(+rossi.post_count, 3u);
  EXPECT_EQ(g_procat_new_post, 0);
  EXPECT_EQ(+rossi.posts[2].own.hours, 3);

  // A trial with changed hours drops the test save, writes the test
  // description and runs the engine on it; the window shows its end.
  std::vector<TrialShown> shown;
  write(school_ / "savetest.txt", "x\n");
  watch_trial(ui, shown, true);
  ui.Click(page_, P::kTryTeacherId);
  EXPECT_FALSE(fs::exists(school_ / "savetest.txt"));
  EXPECT_TRUE(fs::exists(school_ / "cattTEST.txt"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "PROVA l'orario del Professore ROSSI");
  EXPECT_NE(shown[0].result, "");
  EXPECT_EQ(g_status.test_name[0], 0);
  EXPECT_TRUE(ui.Problems().empty());
}

// The "?" buttons show their field's help; the assistant hours and the joint
// classes open their guides, once each however often asked.
TEST_F(TeachersPage, HelpButtonsShowTheirTextAndGuides) {
  Open();
  for (int id : P::kFieldHelpIds) EXPECT_TRUE(ui.Click(page_, id)) << id;
  EXPECT_TRUE(g_guide_ipay.IsCreated());
  EXPECT_TRUE(g_guide_arti.IsCreated());
  EXPECT_EQ(g_guide_ipay.Create(nullptr), 0);
  EXPECT_NE(ui.Text(page_, P::kHelpId), "");
  ui.Click(g_guide_ipay, CGuideWindow::kCloseId);
  ui.Click(g_guide_arti, CGuideWindow::kCloseId);
  EXPECT_TRUE(ui.Problems().empty());
}

// The page argument's list modes: lab posts (1) list their owners, with the
// partner bit (17) their assistants; the add button is hidden in both.
TEST_F(TeachersPage, ListModesFilterTheTeachers) {
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  ui.Pump();
  struct Case {
    std::uint32_t argument;
    const char* listed;
    bool add_visible;
  };
  const Case cases[] = {{0, "ROSSI;BIANCHI;", true}, {1, "ROSSI;", false}, {17, "BIANCHI;", false}, {2, "", false}};
  for (const Case& c : cases) {
    alfadlg_go_to_page(kPageHome);
    ASSERT_TRUE(alfadlg_go_to_page_with_argument(kPageProcat, c.argument));
    auto* teachers = static_cast<ComboBox*>(page_.GetDlgItem(P::kTeacherListId));
    std::string listed;
    for (int i = 0; i < teachers->GetCount(); ++i) listed += teachers->GetLBText(i) + ";";
    EXPECT_EQ(listed, c.listed) << c.argument;
    EXPECT_EQ(ui.IsVisible(page_, P::kAddTeacherId), c.add_visible) << c.argument;
    EXPECT_EQ(g_procat_teacher, c.listed[0] ? find_first(c.listed) : -1) << c.argument;
  }
  EXPECT_TRUE(ui.Problems().empty());
}

// Coming back to the page shows the teacher chosen last, not the first of
// the list; a list that leaves him out starts on its own first teacher.
TEST_F(TeachersPage, ComingBackShowsTheTeacherChosenLast) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ChooseTeacher("BIANCHI");
  ASSERT_EQ(g_procat_teacher, 1);
  struct Case {
    std::uint32_t argument;
    int shown;
    const char* name;
  } cases[] = {{0, 1, "BIANCHI"}, {1, 0, "ROSSI"}};
  for (const Case& c : cases) {
    alfadlg_go_to_page(kPageHome);
    ASSERT_TRUE(alfadlg_go_to_page_with_argument(kPageProcat, c.argument));
    EXPECT_EQ(g_procat_teacher, c.shown) << c.argument;
    EXPECT_EQ(ui.Text(page_, P::kTeacherListId), c.name) << c.argument;
  }
  EXPECT_TRUE(ui.Problems().empty());
}

// Records of the sample: ROSSI's two posts, the lab part BIANCHI teaches for
// him, BIANCHI's own post. Sorting by teacher then exporting writes that order.
TEST_F(TeachersPage, SummaryListsSortsAndExports) {
  std::vector<std::string> opened;
  g_desktop_launcher = [&](const std::vector<std::string>& argv, int*) {
    opened.push_back(argv.back());
    return true;
  };
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  ui.Pump();
  ASSERT_TRUE(alfadlg_go_to_page(kPageSyncat));
  ASSERT_EQ(g_current_page, &summary_);
  ASSERT_EQ(summary_.Records().size(), 4u);

  ui.ClickHeader(summary_, Csyncat::kListId, 6);
  std::vector<int> order;
  for (const SummaryRecord& rec : summary_.Records()) order.push_back(rec.number);
  EXPECT_EQ(order, (std::vector<int>{4, 3, 1, 2}));
  ui.Select(summary_, Csyncat::kListId, 0);
  EXPECT_NE(ui.Text(summary_, Csyncat::kPanelId).find("Ore di lezione di BIANCHI: 4"), std::string::npos);

  // Outside service mode the trial save stays; in service mode the export
  // deletes it before it opens the folder.
  write(school_ / "savetest.txt", "x\n");
  ui.PressInNextModal(kFirstButton);
  ui.Click(summary_, Csyncat::kExportId);
  EXPECT_TRUE(fs::exists(school_ / "savetest.txt"));
  g_service_mode = 1;
  ui.PressInNextModal(kFirstButton);
  ui.Click(summary_, Csyncat::kExportId);
  g_service_mode = 0;
  EXPECT_FALSE(fs::exists(school_ / "savetest.txt"));
  // The folder is named as this machine names it.
  EXPECT_EQ(LastBox(), "Dati del riepilogo esportati nel file\n" + (school_ / "Riepilogo").string() +
                           "/\n    Riepilogo_Cattedre.txt e\n    Riepilogo_Cattedre.csv");
  std::string text = read(school_ / "Riepilogo" / "Riepilogo_Cattedre.txt");
  std::string csv = read(school_ / "Riepilogo" / "Riepilogo_Cattedre.csv");
  // "Professore" is as wide as its longest cell, "Bianchi con Rossi", + 3.
  std::string professor = std::string("Bianchi con Rossi") + "   ";
  EXPECT_EQ(text.rfind("Progr.   \t", 0), 0u);
  EXPECT_EQ(csv.rfind("Progr.   ;", 0), 0u);
  std::size_t first = text.find("Bianchi   ");
  std::size_t second = text.find(professor + "\t");
  std::size_t third = text.find("Rossi   ");
  EXPECT_TRUE(first < second && second < third) << text;
  EXPECT_NE(csv.find(professor + ";"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
  EXPECT_EQ(opened.size(), 2u);
  EXPECT_EQ(g_busy_code, 0);
  EXPECT_TRUE(ui.Problems().empty());
}

// The disk fills while the summary is exported: the officer is told which
// file could not be written and why, not to close a document he does not
// have open, and both old exports stay as they were (neither is replaced
// without the other).
TEST_F(TeachersPage, ASummaryExportOnAFullDiskSaysTheDiskIsFull) {
  g_desktop_launcher = [](const std::vector<std::string>&, int*) { return true; };
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  ui.Pump();
  ASSERT_TRUE(alfadlg_go_to_page(kPageSyncat));
  ASSERT_EQ(g_current_page, &summary_);
  fs::create_directories(school_ / "Riepilogo");
  write(school_ / "Riepilogo" / "Riepilogo_Cattedre.txt", "export di prima\n");
  write(school_ / "Riepilogo" / "Riepilogo_Cattedre.csv", "export di prima;\n");
  kt::set_atomic_write_fault([](kt::AtomicStep step, const std::string& target) {
    return step == kt::AtomicStep::kSync && target.find("Riepilogo_Cattedre.csv") != std::string::npos ? ENOSPC : 0;
  });
  std::size_t boxes = ui.boxes().size();
  ui.PressInNextModal(kFirstButton);
  ui.Click(summary_, Csyncat::kExportId);
  kt::set_atomic_write_fault(nullptr);
  ASSERT_EQ(ui.boxes().size(), boxes + 1);
  EXPECT_EQ(LastBox(), "Impossibile scrivere il file " + (school_ / "Riepilogo").string() +
                           "/Riepilogo_Cattedre.csv: disco pieno");
  EXPECT_EQ(read(school_ / "Riepilogo" / "Riepilogo_Cattedre.txt"), "export di prima\n");
  EXPECT_EQ(read(school_ / "Riepilogo" / "Riepilogo_Cattedre.csv"), "export di prima;\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(school_ / "Riepilogo"), fs::directory_iterator{}), 2);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// A lab row of the summary adds the lab's hours to the panel; "Go to the
// posts" opens the teachers page on the chosen row's teacher, and a trial
// run with no row chosen only beeps.
TEST_F(TeachersPage, SummaryLabTotalAndGoingToTheChosenTeachersPosts) {
  ASSERT_NO_FATAL_FAILURE(ShowPage(kPageSyncat, &summary_));
  ui.ClearBeeps();
  ui.Click(summary_, Csyncat::kTryTeacherId);
  EXPECT_EQ(ui.beeps(), 1);
  EXPECT_EQ(g_current_page, &summary_);

  auto* list = static_cast<ListView*>(summary_.GetDlgItem(Csyncat::kListId));
  int lab_row = -1, bianchi_row = -1;
  for (int r = 0; r < list->GetItemCount(); ++r) {
    const SummaryRecord& rec = summary_.Records()[list->GetItemData(r)];
    if (rec.lab >= 0 && lab_row < 0) lab_row = r;
    if (rec.teacher == 1 && rec.lab < 0) bianchi_row = r;
  }
  ASSERT_GE(lab_row, 0);
  ASSERT_GE(bianchi_row, 0);
  ui.Select(summary_, Csyncat::kListId, lab_row);
  EXPECT_NE(ui.Text(summary_, Csyncat::kPanelId).find("Totale ore LAB SCIENZE: "), std::string::npos)
      << ui.Text(summary_, Csyncat::kPanelId);
  ui.Select(summary_, Csyncat::kListId, bianchi_row);
  EXPECT_EQ(ui.Text(summary_, Csyncat::kPanelId).find("Totale ore LAB"), std::string::npos);
  ui.Click(summary_, Csyncat::kGoToPostsId);
  ASSERT_EQ(g_current_page, &page_);
  EXPECT_EQ(g_procat_teacher, 1);
  EXPECT_EQ(ui.Text(page_, P::kTeacherListId), "BIANCHI");
  EXPECT_TRUE(ui.Problems().empty());
}

// The summary's rows: teacher, subject, hours, the teacher's lesson hours,
// and in the last column the laboratory part and a conversation part, on
// its assistant's row only.
TEST_F(TeachersPage, SummaryShowsTheConversationOnTheAssistantsRowOnly) {
  UiTeachingPost& english = g_ui_teachers[1].posts[0];
  english.conversation_subject = conversation_;
  english.partner = 0;
  english.partner_part.hours = 1;
  og_snapshot_all();
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  ui.Pump();
  ASSERT_TRUE(alfadlg_go_to_page(kPageSyncat));
  const char* const expected[][5] = {
      {"Rossi", "Matematica", "4", "7", ""},
      {"Rossi", "Scienze", "2", "7", ""},
      {"Bianchi con Rossi", "Scienze", "1", "4", "Lab. LAB SCIENZE (Ore:1)"},
      {"Bianchi", "Inglese (Conv Inglese)", "3", "4", ""},
      {"Rossi con Bianchi", "Inglese (Conv Inglese)", "1", "7", "Con. CONV INGLESE "},
  };
  ASSERT_EQ(summary_.Records().size(), 5u);
  const std::size_t columns[] = {6, 5, 7, 9, 13};
  for (std::size_t r = 0; r < 5; ++r)
    for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(summary_.Records()[r].cells[columns[k]], expected[r][k]) << r << "," << k;
  EXPECT_EQ(summary_.Records()[0].cells[2], "6");  // 1A: 4 + 2 hours
  EXPECT_TRUE(ui.Problems().empty());
}

// Quick entry on the sample: three rows loaded, entries added (by the add
// button and by Enter in a list) with the class choice moving on, a duplicate refused, a new row's hours and deletion,
// the new-teacher name rules, and the commit (also for a teacher whose 40
// posts leave his row waiting, not lost).
// Quick entry's "Abandon" asks about rows not yet saved (No keeps them, Yes
// drops them and reads the school again); going to the posts asks to save
// them first and shows the teacher chosen there.
TEST_F(TeachersPage, QuickEntryAbandonsOrSavesBeforeGoingToThePosts) {
  ASSERT_NO_FATAL_FAILURE(ShowPage(kPageProqui, &quick_));
  using Q = Cproqui;
  auto add_row = [&](const char* teacher) {
    ui.Select(quick_, Q::kTeacherId, std::string_view(teacher));
    ui.Select(quick_, Q::kSubjectId, std::string_view("INGLESE"));
    ui.Select(quick_, Q::kClassId, std::string_view("3A"));
    ui.Select(quick_, Q::kHoursId, 1);
    ui.Click(quick_, Q::kAddId);
  };
  add_row("ROSSI");
  ASSERT_EQ(quick_.Rows().size(), 4u);
  ui.PressInNextModal(kSecondButton);
  ui.Click(quick_, Q::kAbandonId);
  EXPECT_EQ(LastBox(), "Sicuro di abbandonare le modifiche ?");
  EXPECT_EQ(quick_.Rows().size(), 4u);
  ui.PressInNextModal(kFirstButton);
  ui.Click(quick_, Q::kAbandonId);
  EXPECT_EQ(g_current_page, &quick_);
  EXPECT_EQ(quick_.Rows().size(), 3u);
  EXPECT_EQ(+g_ui_teachers[1].post_count, 1u);

  add_row("BIANCHI");
  ui.PressInNextModal(kFirstButton);
  ui.Click(quick_, Q::kGoToPostsId);
  EXPECT_EQ(LastBox(), "Passo alla visione completa delle cattedre. Prima salvo gli inserimenti effettuati ora?");
  ASSERT_EQ(g_current_page, &page_);
  EXPECT_EQ(g_procat_teacher, 1);
  EXPECT_EQ(ui.Text(page_, P::kTeacherListId), "BIANCHI");
  int hours_in_3a = 0;
  for (std::uint32_t p = 0; p < g_ui_teachers[1].post_count; ++p)
    if (g_ui_teachers[1].posts[p].class_index == og_find_class_by_label("3A"))
      hours_in_3a += g_ui_teachers[1].posts[p].own.hours;
  EXPECT_EQ(hours_in_3a, 2);
  EXPECT_TRUE(ui.Problems().empty());
}

// Right after quick entry opens, choosing a teacher highlights his first
// row, and his stand-by hours chosen show on his rows.
TEST_F(TeachersPage, QuickEntryTeacherChosenFirstShowsHisRowAndStandby) {
  ASSERT_NO_FATAL_FAILURE(ShowPage(kPageProqui, &quick_));
  using Q = Cproqui;
  auto* list = static_cast<ListView*>(quick_.GetDlgItem(Q::kListId));
  ui.Select(quick_, Q::kTeacherId, std::string_view("BIANCHI"));
  int row = list->GetNextItem(-1, kLvniSelected);
  ASSERT_GE(row, 0);
  EXPECT_EQ(quick_.Rows()[list->GetItemData(row)].teacher, 1);
  ui.Select(quick_, Q::kStandbyId, 3);
  for (int r = 0; r < list->GetItemCount(); ++r)
    EXPECT_EQ(list->GetItemText(r, 8), quick_.Rows()[list->GetItemData(r)].teacher == 1 ? "3" : "") << r;
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(TeachersPage, QuickEntryAddsAndCommitsRows) {
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  ui.Pump();
  ASSERT_TRUE(alfadlg_go_to_page(kPageProqui));
  ASSERT_EQ(g_current_page, &quick_);
  using Q = Cproqui;
  ASSERT_EQ(quick_.Rows().size(), 3u);
  EXPECT_EQ(quick_.CommittedCount(), 3);
  ui.Select(quick_, Q::kTeacherId, std::string_view("ROSSI"));
  EXPECT_FALSE(ui.IsEnabled(quick_, Q::kDeleteId));  // ROSSI's first row is a post already
  ui.Select(quick_, Q::kSubjectId, std::string_view("INGLESE"));
  struct Step {
    const char* id;
    const char* class_label;
    const char* next;
  };
  const Step steps[] = {{"1A->2A", "1A", "2A"}, {"5A->1B", "5A", "1B"}, {"1B->none", "1B", ""}};
  bool by_enter = false;  // the first by the add button, the others by Enter in the hours list, as the help says
  for (const Step& step : steps) {
    ui.Select(quick_, Q::kClassId, std::string_view(step.class_label));
    ui.Select(quick_, Q::kHoursId, 1);
    if (by_enter) {
      EXPECT_TRUE(ui.HasFocus(quick_, Q::kHoursId));
      ui.Key(kVkReturn);
    } else {
      ui.Click(quick_, Q::kAddId);
    }
    by_enter = true;
    EXPECT_EQ(ui.Text(quick_, Q::kClassId), step.next) << step.id;
  }
  ASSERT_EQ(quick_.Rows().size(), 6u);
  EXPECT_TRUE(ui.headless().GetCursorPos() == Point{});  // the pointer is never moved
  EXPECT_EQ(quick_.Rows()[3].number, 4);
  EXPECT_EQ(+quick_.Rows()[3].hours, 2);
  // The same teacher, subject and class again: No adds nothing.
  ui.Select(quick_, Q::kClassId, std::string_view("1A"));
  ui.PressInNextModal(kSecondButton);
  ui.Click(quick_, Q::kAddId);
  EXPECT_EQ(LastBox(), "Inserimento di un elemento eguale a uno precedente(Progr. 4). Sicuro?");
  EXPECT_EQ(quick_.Rows().size(), 6u);
  // More hours than the class's week holds are refused, with the week's size.
  ui.Select(quick_, Q::kClassId, std::string_view("2A"));
  auto* hours_list = static_cast<ComboBox*>(quick_.GetDlgItem(Q::kHoursId));
  ui.Select(quick_, Q::kHoursId, hours_list->GetCount() - 1);  // the most hours offered
  ui.PressInNextModal(kFirstButton);
  ui.Click(quick_, Q::kAddId);
  EXPECT_EQ(LastBox().rfind("La classe 2A ha ", 0), 0u) << LastBox();
  EXPECT_EQ(quick_.Rows().size(), 6u);
  // The class code's letters fill their cells, and no cell holds a NUL byte.
  auto* rows_list = static_cast<ListView*>(quick_.GetDlgItem(Q::kListId));
  for (int item = 0; item < rows_list->GetItemCount(); ++item)
    for (int column = 0; column < rows_list->GetColumnCount(); ++column)
      EXPECT_EQ(rows_list->GetItemText(item, column).find('\0'), std::string::npos) << item << "," << column;
  // A new row's hours stop at 1; deleting it takes it out of the list.
  auto* list = static_cast<ListView*>(quick_.GetDlgItem(Q::kListId));
  ui.Select(quick_, Q::kListId, list->FindItemByData(-1, 4));
  EXPECT_TRUE(ui.IsEnabled(quick_, Q::kDeleteId));
  for (int i = 0; i < 3; ++i) ui.Click(quick_, Q::kRowMinusId);
  EXPECT_EQ(+quick_.Rows()[4].hours, 1);
  ui.Click(quick_, Q::kDeleteId);
  EXPECT_EQ(quick_.Rows()[4].number, -5);
  EXPECT_EQ(list->GetItemCount(), 5);

  // A new teacher's name goes through the page's add (its other refusals
  // are tested there); typed here it may be shorter than the input box allows.
  ui.Type(quick_, Q::kNewTeacherEditId, "ABC");
  ui.PressInNextModal(kFirstButton);
  ui.Click(quick_, Q::kNewTeacherId);
  EXPECT_EQ(LastBox(), "Inserire un nome lungo almeno 4 caratteri");
  EXPECT_EQ(+g_ui_settings.teacher_count, 2u);

  // BIANCHI is full: his row waits, ROSSI's two rows become posts.
  while (g_ui_teachers[1].post_count < std::uint32_t(kUiMaxPosts)) add_post(1, english_, 5, 1);
  ui.Select(quick_, Q::kTeacherId, std::string_view("BIANCHI"));
  ui.Select(quick_, Q::kSubjectId, std::string_view("MATEMATICA"));
  ui.Select(quick_, Q::kClassId, std::string_view("3A"));
  ui.Select(quick_, Q::kHoursId, 0);
  ui.Click(quick_, Q::kAddId);
  ui.PressInNextModal(kFirstButton);
  ui.Click(quick_, Q::kSaveId);
  EXPECT_EQ(LastBox(), "Inserimento impossibile per BIANCHI. Ha raggiunto 40 classi.");
  EXPECT_EQ(+g_ui_teachers[0].post_count, 4u);
  EXPECT_EQ(+g_ui_teachers[0].posts[2].class_index, 0);
  EXPECT_EQ(+g_ui_teachers[0].posts[3].class_index, 5);
  EXPECT_EQ(+g_ui_teachers_saved[0].post_count, 4u);
  EXPECT_EQ(quick_.CommittedCount(), 5);
  ASSERT_EQ(quick_.Rows().size(), 6u);
  EXPECT_EQ(quick_.Rows()[5].teacher, 1);
  g_ui_teachers[1].post_count = 1;
  quick_.CommitEntries();
  EXPECT_EQ(+g_ui_teachers[1].post_count, 2u);
  ui.ClearBeeps();
  quick_.CommitEntries();  // nothing new: a beep only
  EXPECT_EQ(ui.beeps(), 1);
  // A new subject through the subjects dialog is chosen at once.
  ui.OnNextModal([&](Dialog& d) {
    d.GetDlgItem(Cmaterie::kNameId)->SetWindowText("geometria");
    d.GotoDlgCtrl(d.GetDlgItem(Cmaterie::kNameId));
    ui.Key(kVkReturn);
    ui.Key(kVkEscape);
  });
  ui.Click(quick_, Q::kNewSubjectId);
  EXPECT_EQ(ui.Text(quick_, Q::kSubjectId), "GEOMETRIA");
  EXPECT_TRUE(ui.Problems().empty());
}

// In English the page's check boxes, which the page reaches only by id, show
// their English captions.
TEST_F(TeachersPage, CheckBoxesShowTheChosenLanguage) {
  g_language = 2;
  Open();
  g_language = 0;
  EXPECT_EQ(ui.Text(page_, P::kReceptionId), "Reception hour");
  EXPECT_EQ(ui.Text(page_, P::kDummyFreeId), "Dummy teacher without constraints");
  EXPECT_TRUE(ui.Problems().empty());
}

// The post list shows a post's classwork in "Ore Compito" as the teaching
// line holds it ("K:2:1-6").
TEST_F(TeachersPage, ThePostListShowsTheClasswork) {
  UiPostPart& part = g_ui_teachers[0].posts[0].own;
  part.triple[0] = 2;
  part.triple[1] = 0;
  part.triple[2] = 5;
  ASSERT_EQ(og_write_assignments_file(0, 0), 0);
  part.triple[0] = -1;
  ASSERT_EQ(og_read_assignments_file(0), 0);
  og_snapshot_all();
  Open();
  auto* list = static_cast<ListView*>(page_.GetDlgItem(P::kPostListId));
  EXPECT_EQ(list->GetItemText(list->FindItemByData(-1, 0), 11), "2 (tra 1 e 6)");
  EXPECT_TRUE(ui.Problems().empty());
}

// The page's two "new" buttons open the subjects and the labs dictionary
// as dialogs, each its own.
TEST_F(TeachersPage, NewSubjectAndNewLabOpenTheirDictionaries) {
  Open();
  struct Case {
    int button, template_id;
  } cases[] = {{P::kNewSubjectId, Cmaterie::kTemplate}, {P::kNewLabId, Clapal::kTemplate}};
  for (const Case& c : cases) {
    int shown = 0;
    ui.OnNextModal([&](Dialog& d) {
      shown = d.template_id();
      ui.Key(kVkEscape);
    });
    ui.Click(page_, c.button);
    EXPECT_EQ(shown, c.template_id) << c.button;
  }
  EXPECT_TRUE(ui.Problems().empty());
}

// Each field of the post editor is stored on the chosen post, and the
// saved description reads back with it: class, subject, extended hours,
// gym equipment refused for a subject of no common room, classes joined
// and one removed; on a lab post, a new equipment kind typed in; the
// reception hour on the teacher.
TEST_F(TeachersPage, TheEditorStoresEachFieldAndTheSaveKeepsThem) {
  Open();
  SelectPost(0);  // ROSSI, MATEMATICA 1A, 4 hours
  ui.Select(page_, P::kClassId, std::string_view("3A"));
  ui.Select(page_, P::kSubjectId, std::string_view("INGLESE"));
  ui.Select(page_, P::kExtendedId, 2);
  ui.PressInNextModal(kFirstButton);
  ui.Select(page_, P::kGymEquipmentId, 1);
  EXPECT_FALSE(LastBox().empty());
  for (const char* joined : {"2A", "4A", "2A", "5A"}) ui.Select(page_, P::kJointComboId, std::string_view(joined));
  ui.Select(page_, P::kJointListId, 1);
  ui.Click(page_, P::kJointRemoveId);  // 4A goes
  ui.Click(page_, P::kAnyClassId);
  EXPECT_EQ(+g_ui_teachers[0].reception, 1);
  SelectPost(1);  // the lab post
  TypeName("lavagna luminosa");
  ui.Select(page_, P::kLabEquipmentId, 1);  // a new kind
  const UiTeachingPost& post = g_ui_teachers[0].posts[0];
  const UiTeachingPost& lab = g_ui_teachers[0].posts[1];
  auto check = [&](const char* when) {
    EXPECT_EQ(+post.class_index, 2) << when;
    EXPECT_EQ(+post.subject, english_) << when;
    EXPECT_EQ(+post.own.extended_hours, 2) << when;
    EXPECT_EQ(+post.own.gym_equipment, 0) << when;
    ASSERT_EQ(+post.joint_count, 2) << when;
    EXPECT_EQ(+post.joint_classes[0], 1) << when;
    EXPECT_EQ(+post.joint_classes[1], 4) << when;
    EXPECT_EQ(+lab.own.lab_equipment, 1) << when;
    // blanks made "_"; the file's reader upper-cases it
    EXPECT_EQ(kt::cp1252_casecmp(g_ui_settings.lab_equipment[0], "LAVAGNA_LUMINOSA"), 0) << when;
  };
  check("edited");
  ui.Click(page_, P::kSaveId);
  EXPECT_EQ(procat_current_post_number(), 1);  // the post being edited stays chosen after the save
  ASSERT_EQ(og_read_assignments_file(0), 0);
  check("saved");
  SelectPost(1);
  ui.Select(page_, P::kLabEquipmentId, 0);  // none again
  EXPECT_EQ(+lab.own.lab_equipment, 0);
  ui.Select(page_, P::kLabEquipmentId, 2);  // the kind made above
  EXPECT_EQ(+lab.own.lab_equipment, 1);
  EXPECT_TRUE(ui.Problems().empty());
}
// The quick entry's smaller controls: a new teacher typed (a name without
// a leading letter or one taken refused), the hours stepped by its two
// buttons, a row refused while a choice is missing, a teacher's stand-by
// hours (none chosen without a teacher) saved with the rows; a heading
// sorts the rows one way, then the other.
TEST_F(TeachersPage, QuickEntryNewTeacherStepsStandbyAndSorting) {
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  ui.Pump();
  ASSERT_TRUE(alfadlg_go_to_page(kPageProqui));
  using Q = Cproqui;
  for (const char* refused : {"3VERDI", "rossi"}) {
    ui.Type(quick_, Q::kNewTeacherEditId, refused);
    ui.PressInNextModal(kFirstButton);
    ui.Click(quick_, Q::kNewTeacherId);
    quick_.GetDlgItem(Q::kNewTeacherEditId)->SetWindowText("");
  }
  EXPECT_EQ(+g_ui_settings.teacher_count, 2u);
  ui.Type(quick_, Q::kNewTeacherEditId, "verdi");
  ui.Click(quick_, Q::kNewTeacherId);
  ASSERT_EQ(+g_ui_settings.teacher_count, 3u);
  EXPECT_STREQ(g_ui_teachers[2].name, "VERDI");
  EXPECT_EQ(ui.Text(quick_, Q::kTeacherId), "VERDI");

  // The hours' buttons, then a row without a subject refused.
  ui.Select(quick_, Q::kHoursId, 2);
  ui.Click(quick_, Q::kHoursPlusId);
  ui.Click(quick_, Q::kHoursPlusId);
  ui.Click(quick_, Q::kHoursMinusId);
  auto* hours = static_cast<ComboBox*>(quick_.GetDlgItem(Q::kHoursId));
  EXPECT_EQ(hours->GetCurSel(), 3);
  std::size_t rows = quick_.Rows().size();
  ui.Select(quick_, Q::kClassId, std::string_view("2A"));
  ui.PressInNextModal(kFirstButton);
  ui.Click(quick_, Q::kAddId);
  EXPECT_EQ(quick_.Rows().size(), rows);
  ui.Select(quick_, Q::kSubjectId, std::string_view("MATEMATICA"));
  ui.Select(quick_, Q::kClassId, std::string_view("2A"));
  ui.Select(quick_, Q::kHoursId, 3);
  ui.Click(quick_, Q::kAddId);
  ASSERT_EQ(quick_.Rows().size(), rows + 1);

  ui.Select(quick_, Q::kStandbyId, 2);
  auto* list = static_cast<ListView*>(quick_.GetDlgItem(Q::kListId));
  std::string orders[2];  // the teachers' initials, row by row, after each click
  for (std::string& order : orders) {
    ui.ClickHeader(quick_, Q::kListId, 6);
    for (int r = 0; r < list->GetItemCount(); ++r) order += list->GetItemText(r, 6).substr(0, 1);
  }
  EXPECT_TRUE(std::is_sorted(orders[0].begin(), orders[0].end()) || std::is_sorted(orders[0].rbegin(), orders[0].rend()))
      << orders[0];
  EXPECT_NE(orders[0], orders[1]);
  EXPECT_EQ(std::string(orders[1].rbegin(), orders[1].rend()), orders[0]);
  ui.Click(quick_, Q::kSaveId);
  ASSERT_EQ(og_read_assignments_file(0), 0);
  EXPECT_EQ(+g_ui_teachers[2].standby_hours, 2);
  EXPECT_EQ(+g_ui_teachers[2].post_count, 1u);
  EXPECT_EQ(+g_ui_teachers[2].posts[0].own.hours, std::atoi(hours->GetLBText(3).c_str()));
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace

namespace {

// Each defect of a teacher's post refuses the save, and choosing another
// teacher, with its own message; the faulty post becomes the one edited,
// its field takes the focus, and no file is written.
TEST_F(TeachersPage, EachPostDefectRefusesTheSaveWithItsMessage) {
  struct Case {
    const char* id;
    void (*spoil)(UiTeachingPost& lesson, UiTeachingPost& lab);
    int post;
    const char* message;
    int focus;
  };
  const Case cases[] = {
      {"no class", [](UiTeachingPost& lesson, UiTeachingPost&) { lesson.class_index = -1; }, 0,
       "Specificare la CLASSE", P::kClassId},
      {"no subject", [](UiTeachingPost&, UiTeachingPost& lab) { lab.subject = -1; }, 1, "Specificare la MATERIA",
       P::kSubjectId},
      {"no hours", [](UiTeachingPost& lesson, UiTeachingPost&) { lesson.own.hours = 0; }, 0,
       "Numero di ORE pari a zero per la Classe 1A.", P::kHoursId},
      {"lab without partner", [](UiTeachingPost&, UiTeachingPost& lab) { lab.partner = -1; }, 1,
       "Definito Laboratorio o Conversazione: Specificare l'insegnante di Laboratorio o il Conversatore",
       P::kPartnerId},
      {"lab partner without hours", [](UiTeachingPost&, UiTeachingPost& lab) { lab.partner_part.hours = 0; }, 1,
       "Numero di ORE pari a zero per Laboratorio / Conversazione della Classe 1A.", P::kPartnerHoursId},
  };
  std::error_code ignored;
  fs::remove(Description(), ignored);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    BuildSchool();
    fs::remove(Description(), ignored);
    c.spoil(g_ui_teachers[0].posts[0], g_ui_teachers[0].posts[1]);
    og_snapshot_all();
    Open();
    ASSERT_EQ(g_procat_teacher, 0);
    std::size_t boxes = ui.boxes().size();
    ui.PressInNextModal(kFirstButton);
    ui.Click(page_, P::kSaveId);
    ASSERT_EQ(ui.boxes().size(), boxes + 1);
    EXPECT_EQ(LastBox(), c.message);
    EXPECT_EQ(procat_current_post_number(), c.post);
    EXPECT_TRUE(ui.HasFocus(page_, c.focus));
    EXPECT_FALSE(fs::exists(Description()));

    ui.PressInNextModal(kFirstButton);
    ChooseTeacher("BIANCHI");
    EXPECT_EQ(ui.boxes().size(), boxes + 2);
    EXPECT_EQ(LastBox(), c.message);
    EXPECT_EQ(g_procat_teacher, 0);
    EXPECT_EQ(ui.Text(page_, P::kTeacherListId), "ROSSI");
    og_snapshot_all();
    g_frame.DestroyWindow();
  }
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace

namespace {

std::vector<std::string> quick_rows(Cproqui& quick) {
  auto* list = static_cast<ListView*>(quick.GetDlgItem(Cproqui::kListId));
  std::vector<std::string> rows;
  for (int item = 0; item < list->GetItemCount(); ++item) {
    std::string row;
    for (int column = 0; column < list->GetColumnCount(); ++column) row += (column ? "|" : "") + list->GetItemText(item, column);
    rows.push_back(row);
  }
  return rows;
}

// Quick entry's list cell by cell: number, class, the class's hours over
// every row, the class code's letters, subject, teacher, hours, stand-by
// hours and the teacher's total; a row added or deleted moves the class's
// and the teacher's totals on every row, and the three totals under the
// list follow the chosen row.
TEST_F(TeachersPage, QuickEntryListShowsEveryColumnAndItsTotals) {
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  ui.Pump();
  ASSERT_TRUE(alfadlg_go_to_page(kPageProqui));
  ASSERT_EQ(g_current_page, &quick_);
  using Q = Cproqui;
  auto totals = [&] {
    return ui.Text(quick_, Q::kClassTotalId) + " / " + ui.Text(quick_, Q::kLessonHoursId) + " / " +
           ui.Text(quick_, Q::kTeacherTotalId);
  };
  auto* list = static_cast<ListView*>(quick_.GetDlgItem(Q::kListId));
  EXPECT_EQ(list->GetColumnCount(), 10);
  EXPECT_EQ(quick_rows(quick_), (std::vector<std::string>{"1|1A|6|A| |MATEMATICA|ROSSI|4||6",
                                                         "2|1A|6|A| |SCIENZE|ROSSI|2||6",
                                                         "3|2A|3|A| |INGLESE|BIANCHI|3||3"}));
  ui.Select(quick_, Q::kTeacherId, std::string_view("BIANCHI"));
  ui.Select(quick_, Q::kSubjectId, std::string_view("INGLESE"));
  ui.Select(quick_, Q::kClassId, std::string_view("1A"));
  ui.Select(quick_, Q::kHoursId, 2);  // three hours
  ui.Click(quick_, Q::kAddId);
  const std::vector<std::string> added = {"1|1A|9|A| |MATEMATICA|ROSSI|4||6", "2|1A|9|A| |SCIENZE|ROSSI|2||6",
                                          "3|2A|3|A| |INGLESE|BIANCHI|3||6", "4|1A|9|A| |INGLESE|BIANCHI|3||6"};
  EXPECT_EQ(quick_rows(quick_), added);
  EXPECT_EQ(totals(), "Totale ore classe 1A: 9 / Ore di lezione di BIANCHI: 6 / Totale ore di BIANCHI: 6");

  ui.Select(quick_, Q::kListId, list->FindItemByData(-1, 1));
  EXPECT_EQ(totals(), "Totale ore classe 1A: 9 / Ore di lezione di ROSSI: 6 / Totale ore di ROSSI: 6");
  ui.Select(quick_, Q::kListId, list->FindItemByData(-1, 2));
  EXPECT_EQ(totals(), "Totale ore classe 2A: 3 / Ore di lezione di BIANCHI: 6 / Totale ore di BIANCHI: 6");

  // The new row deleted: its hours leave the class's and the teacher's totals.
  ui.Select(quick_, Q::kListId, list->FindItemByData(-1, 3));
  ASSERT_TRUE(ui.IsEnabled(quick_, Q::kDeleteId));
  ui.Click(quick_, Q::kDeleteId);
  EXPECT_EQ(quick_rows(quick_), (std::vector<std::string>{"1|1A|6|A| |MATEMATICA|ROSSI|4||6",
                                                         "2|1A|6|A| |SCIENZE|ROSSI|2||6",
                                                         "3|2A|3|A| |INGLESE|BIANCHI|3||3"}));
  ui.Select(quick_, Q::kListId, list->FindItemByData(-1, 0));
  EXPECT_EQ(totals(), "Totale ore classe 1A: 6 / Ore di lezione di ROSSI: 6 / Totale ore di ROSSI: 6");
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace

namespace {

// The main subject box: the chosen subject is the teacher's, each teacher
// shows his own, and the save keeps it in the files; abandoning a change
// asks first, "no" keeps it, "yes" reads the saved teacher back.
TEST_F(TeachersPage, MainSubjectIsStoredShownPerTeacherSavedAndAbandoned) {
  g_ui_teachers[1].main_subject = std::int16_t(english_);
  og_snapshot_all();
  Open();
  ASSERT_EQ(g_procat_teacher, 0);
  EXPECT_EQ(ui.Text(page_, P::kMainSubjectId), "");
  ui.Select(page_, P::kMainSubjectId, std::string_view("SCIENZE"));
  EXPECT_EQ(+g_ui_teachers[0].main_subject, science_);
  ui.Click(page_, P::kSaveId);
  ChooseTeacher("BIANCHI");
  EXPECT_EQ(ui.Text(page_, P::kMainSubjectId), "INGLESE");
  ChooseTeacher("ROSSI");
  EXPECT_EQ(ui.Text(page_, P::kMainSubjectId), "SCIENZE");
  ASSERT_EQ(og_read_assignments_file(0), 0);
  EXPECT_EQ(+g_ui_teachers[0].main_subject, science_);
  EXPECT_EQ(+g_ui_teachers[1].main_subject, english_);

  ui.Select(page_, P::kMainSubjectId, std::string_view("MATEMATICA"));
  ASSERT_EQ(+g_ui_teachers[0].main_subject, math_);
  std::size_t boxes = ui.boxes().size();
  ui.PressInNextModal(kSecondButton);
  ui.Click(page_, P::kAbandonId);
  ASSERT_EQ(ui.boxes().size(), boxes + 1);
  EXPECT_EQ(LastBox(), "Sicuro di abbandonare le modifiche ?");
  EXPECT_EQ(+g_ui_teachers[0].main_subject, math_);
  EXPECT_EQ(ui.Text(page_, P::kMainSubjectId), "MATEMATICA");
  ui.PressInNextModal(kFirstButton);
  ui.Click(page_, P::kAbandonId);
  ui.Pump();
  EXPECT_EQ(+g_ui_teachers[0].main_subject, science_);
  EXPECT_EQ(ui.Text(page_, P::kMainSubjectId), "SCIENZE");
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace

namespace {

// The new school year moves only the posts of the chosen post's section:
// a post in another section keeps its class.
TEST_F(TeachersPage, NewSchoolYearLeavesTheOtherSectionsPosts) {
  UiTeacher& bianchi = g_ui_teachers[1];
  bianchi.post_count = 0;
  for (int c : {0, 1, 5}) add_post(1, english_, c, 2);  // 1A, 2A and 1B
  og_snapshot_all();
  Open();
  ChooseTeacher("BIANCHI");
  SelectPost(0);
  ui.Click(page_, P::kNewYearId);
  EXPECT_EQ(+bianchi.posts[0].class_index, 1);
  EXPECT_EQ(+bianchi.posts[1].class_index, 2);
  EXPECT_EQ(+bianchi.posts[2].class_index, 5);
  og_snapshot_all();
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace

namespace {

// A lab post's assistant box (hours the lab assistant is present): more
// than the partner's hours raises them, fewer keeps them and leaves the
// rest as extended hours, and none makes the teacher his own partner.
TEST_F(TeachersPage, AssistantHoursRaiseThePartnersAndNoneDropsHim) {
  Open();
  SelectPost(1);  // ROSSI's lab post in 1A: 2 hours, BIANCHI partner for 1
  UiTeachingPost& lab = g_ui_teachers[0].posts[1];
  ASSERT_TRUE(ui.IsEnabled(page_, P::kAssistantId));
  ui.Select(page_, P::kAssistantId, 2);
  EXPECT_EQ(+lab.partner_part.hours, 2);
  EXPECT_EQ(+lab.partner_part.extended_hours, 0);
  EXPECT_EQ(ui.Text(page_, P::kPartnerHoursId), "2");
  ui.Select(page_, P::kAssistantId, 1);
  EXPECT_EQ(+lab.partner_part.hours, 2);
  EXPECT_EQ(+lab.partner_part.extended_hours, 1);
  EXPECT_EQ(ui.Text(page_, P::kAssistantId), "1");
  EXPECT_EQ(+lab.partner, 1);
  ui.Select(page_, P::kAssistantId, 0);
  EXPECT_EQ(+lab.partner, 0);
  EXPECT_EQ(+lab.partner_part.extended_hours, 0);
  EXPECT_FALSE(ui.IsEnabled(page_, P::kAssistantId));  // his own partner: no assistant
  og_snapshot_all();
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace

namespace {

// Quick entry offers the subjects a post can be typed for: every named,
// shown subject in the school's order, never a conversation subject nor a
// hidden one.
TEST_F(TeachersPage, QuickEntryOffersOnlyShownNonConversationSubjects) {
  int hidden = add_subject("_NASCOSTA", 'N');
  g_ui_structure.subjects[hidden].hidden = 1;
  int hidden_conversation = add_subject("CONV NASCOSTA", 'C');
  g_ui_structure.subjects[hidden_conversation].hidden = 1;
  og_snapshot_all();
  og_snapshot_structure();
  ASSERT_NO_FATAL_FAILURE(ShowPage(kPageProqui, &quick_));
  auto* subjects = static_cast<ComboBox*>(quick_.GetDlgItem(Cproqui::kSubjectId));
  std::vector<std::string> shown, expected;
  for (int i = 0; i < subjects->GetCount(); ++i) shown.push_back(subjects->GetLBText(i));
  for (int s = 0; s < int(g_ui_structure.subject_count); ++s) {
    const UiSubject& subject = g_ui_structure.subjects[s];
    if (s == conversation_ || s == hidden || s == hidden_conversation || !subject.name[0]) continue;
    expected.push_back(std::string(subject.name, strnlen(subject.name, sizeof subject.name)));
  }
  EXPECT_EQ(shown.size(), expected.size());
  for (const char* name : {"MATEMATICA", "SCIENZE", "INGLESE"})
    EXPECT_NE(std::find(shown.begin(), shown.end(), name), shown.end()) << name;
  for (const char* name : {"CONV INGLESE", "_NASCOSTA", "CONV NASCOSTA"})
    EXPECT_EQ(std::find(shown.begin(), shown.end(), name), shown.end()) << name;
}

}  // namespace

namespace {

// Quick entry left for another page with a row not yet saved asks first:
// "stay" keeps the page and the row, "discard" leaves without it (the
// teacher's posts as they were), "save" leaves with the row made a post.
TEST_F(TeachersPage, QuickEntryLeftForAnotherPageAsksAboutNewRows) {
  ASSERT_NO_FATAL_FAILURE(ShowPage(kPageProqui, &quick_));
  using Q = Cproqui;
  auto add_row = [&] {
    ui.Select(quick_, Q::kTeacherId, std::string_view("BIANCHI"));
    ui.Select(quick_, Q::kSubjectId, std::string_view("INGLESE"));
    ui.Select(quick_, Q::kClassId, std::string_view("4A"));
    ui.Select(quick_, Q::kHoursId, 1);
    ui.Click(quick_, Q::kAddId);
  };
  const std::uint32_t posts = g_ui_teachers[1].post_count;
  add_row();
  ASSERT_EQ(quick_.Rows().size(), 4u);

  ui.PressInNextModal(CDaticambia::kStayId);
  alfadlg_go_to_page(kPageProcat);
  EXPECT_EQ(g_current_page, &quick_);
  EXPECT_EQ(quick_.Rows().size(), 4u);
  EXPECT_EQ(+g_ui_teachers[1].post_count, +posts);
  EXPECT_EQ(ui.PendingSteps(), 0u);

  ui.PressInNextModal(CDaticambia::kDiscardId);
  alfadlg_go_to_page(kPageProcat);
  EXPECT_EQ(g_current_page, &page_);
  EXPECT_EQ(+g_ui_teachers[1].post_count, +posts);
  EXPECT_EQ(ui.PendingSteps(), 0u);

  ASSERT_TRUE(alfadlg_go_to_page(kPageProqui));
  ASSERT_EQ(g_current_page, &quick_);
  EXPECT_EQ(quick_.Rows().size(), 3u);
  add_row();
  ui.PressInNextModal(CDaticambia::kSaveId);
  alfadlg_go_to_page(kPageProcat);
  EXPECT_EQ(g_current_page, &page_);
  ASSERT_EQ(+g_ui_teachers[1].post_count, +posts + 1);
  const UiTeachingPost& added = g_ui_teachers[1].posts[posts];
  EXPECT_EQ(+added.class_index, og_find_class_by_label("4A"));
  EXPECT_EQ(+added.subject, english_);
  EXPECT_EQ(+added.own.hours, 2);
  EXPECT_FALSE(og_school_changed());
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace

namespace {

// The posts summary shown a second time lists each post once, the list and
// the records alike, and a post added in between is listed too.
TEST_F(TeachersPage, SummaryShownAgainListsEachPostOnce) {
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  ui.Pump();
  ASSERT_TRUE(alfadlg_go_to_page(kPageSyncat));
  ASSERT_EQ(g_current_page, &summary_);
  ASSERT_EQ(summary_.Records().size(), 4u);
  auto* list = static_cast<ListView*>(summary_.GetDlgItem(Csyncat::kListId));
  EXPECT_EQ(list->GetItemCount(), 4);
  ASSERT_TRUE(alfadlg_go_to_page(kPageProcat));
  ASSERT_TRUE(alfadlg_go_to_page(kPageSyncat));
  ASSERT_EQ(g_current_page, &summary_);
  EXPECT_EQ(summary_.Records().size(), 4u);
  list = static_cast<ListView*>(summary_.GetDlgItem(Csyncat::kListId));
  EXPECT_EQ(list->GetItemCount(), 4);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace

namespace {

// The free dummy box ticked for a teacher with stand-by or support hours
// warns and clears both; a teacher without them is made dummy without the
// warning.
TEST_F(TeachersPage, DummyBoxClearsStandbyAndSupportHours) {
  Open();
  struct Case {
    int box, standby, support;
    bool warned;
  } cases[] = {{P::kDummyFreeId, 0, 2, true}, {P::kDummyFreeId, 1, 0, true}, {P::kDummyFreeId, 2, 3, true},
               {P::kDummyFreeId, 0, 0, false}};
  for (const Case& c : cases) {
    ui.Select(page_, P::kStandbyId, c.standby);
    ui.Select(page_, P::kSupportId, c.support);
    ASSERT_EQ(+g_ui_teachers[0].standby_hours, c.standby);
    ASSERT_EQ(+g_ui_teachers[0].support_hours, c.support);
    std::size_t boxes = ui.boxes().size();
    if (c.warned) ui.PressInNextModal(kFirstButton);
    ui.Click(page_, c.box);
    EXPECT_EQ(ui.boxes().size(), boxes + (c.warned ? 1 : 0)) << c.box;
    EXPECT_EQ(+g_ui_teachers[0].standby_hours, 0) << c.box;
    EXPECT_EQ(+g_ui_teachers[0].support_hours, 0) << c.box;
    EXPECT_EQ(+g_ui_teachers[0].nor_flag, 1) << c.box;
    EXPECT_TRUE(ui.IsChecked(page_, c.box));
    ui.Click(page_, c.box);  // back to a real teacher
    EXPECT_FALSE(ui.IsChecked(page_, c.box));
    EXPECT_EQ(+g_ui_teachers[0].fc_mode, 0);
    EXPECT_EQ(ui.PendingSteps(), 0u);
  }
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace

namespace {

using saved_timetable_test::saved_timetable_lines;
using saved_timetable_test::write_saved_timetable;

// A rename rewrites the saved timetable line by line: the first place of
// the old name in each line takes the new one, other lines stay, a line
// grown past 200 characters is cut there, and no temporary file is left;
// without a saved timetable none is made.
TEST_F(TeachersPage, ARenameReachesEveryLineOfTheSavedTimetable) {
  Open();
  TypeName("VERDI");
  ui.Click(page_, P::kAddTeacherId);
  ASSERT_EQ(ui.Text(page_, P::kTeacherListId), "VERDI");
  std::string long_line = "N:" + std::string(192, 'x') + " VERDI\n";  // 200 characters and the line feed
  ASSERT_NO_FATAL_FAILURE(write_saved_timetable(
      {"L:1 VERDI 1A\n", "L:2 VERDI VERDI 2A\n", "X:ROSSI 3A\n", "L:3 BIANCHI\n", long_line, "E:VERDI\n"}));
  TypeName("NERONE");
  ui.Click(page_, P::kRenameId);
  EXPECT_STREQ(g_ui_teachers[2].name, "NERONE");
  std::string long_renamed = "N:" + std::string(192, 'x') + " NERON\n";
  EXPECT_EQ(saved_timetable_lines(),
            (std::vector<std::string>{"L:1 NERONE 1A\n", "L:2 NERONE VERDI 2A\n", "X:ROSSI 3A\n", "L:3 BIANCHI\n",
                                      long_renamed, "E:NERONE\n"}));
  EXPECT_FALSE(fs::exists(school_ / "tempfile.txt"));

  // Without a saved timetable the rename makes none.
  fs::remove(school_ / "savego.txt");
  TypeName("NERI");
  ui.Click(page_, P::kRenameId);
  EXPECT_STREQ(g_ui_teachers[2].name, "NERI");
  EXPECT_FALSE(fs::exists(school_ / "savego.txt"));
  EXPECT_FALSE(fs::exists(school_ / "tempfile.txt"));
  EXPECT_TRUE(ui.Problems().empty());
}


// What a rename may not do to the saved timetable: the new file reaches the
// disk whole or not at all. A full disk, a failed sync, a save file that
// cannot be replaced, one that cannot be read to its end and a folder in its
// place each leave savego.txt exactly as it was, no temporary behind, and
// the teacher with his old name (the school and its saved week must still
// name him alike); the message says why. With the fault gone the same
// rename goes through.
namespace rename_faults {
kt::AtomicStep g_step = kt::AtomicStep::kWrite;
int g_error = 0;
int inject(kt::AtomicStep step, const std::string& target) {
  return step == g_step && target.ends_with("savego.txt") ? g_error : 0;
}
}  // namespace rename_faults

TEST_F(TeachersPage, ARenameTheSavedTimetableCannotFollowChangesNothing) {
  Open();
  TypeName("VERDI");
  ui.Click(page_, P::kAddTeacherId);
  ASSERT_EQ(ui.Text(page_, P::kTeacherListId), "VERDI");
  std::vector<std::string> lines;
  for (int i = 0; i < 300; ++i) lines.push_back("L:" + std::to_string(i) + " VERDI 1A\n");
  ASSERT_NO_FATAL_FAILURE(write_saved_timetable(lines));
  const std::string before = read(school_ / "savego.txt");
  auto folder_names = [this] {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(school_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  };
  const std::vector<std::string> names_before = folder_names();
  const std::string refused = "Nome non cambiato: impossibile aggiornare l'orario salvato (savego.txt): ";
  struct Case {
    kt::AtomicStep step;
    int error;
    const char* reason;
  } cases[] = {
      {kt::AtomicStep::kWrite, ENOSPC, "disco pieno"},
      {kt::AtomicStep::kSync, EIO, "errore di scrittura sul disco"},
      {kt::AtomicStep::kRename, EPERM, "accesso negato"},
  };
  kt::set_atomic_write_fault(rename_faults::inject);
  for (const Case& c : cases) {
    rename_faults::g_step = c.step;
    rename_faults::g_error = c.error;
    TypeName("NERONE");
    ui.PressInNextModal(kFirstButton);
    ui.Click(page_, P::kRenameId);
    EXPECT_STREQ(g_ui_teachers[2].name, "VERDI") << c.reason;
    EXPECT_EQ(ui.Text(page_, P::kTeacherListId), "VERDI") << c.reason;
    EXPECT_EQ(LastBox(), refused + c.reason);
    EXPECT_TRUE(read(school_ / "savego.txt") == before) << c.reason;
    EXPECT_EQ(folder_names(), names_before) << c.reason;
  }
  kt::set_atomic_write_fault(nullptr);

  // A disk that gives up part-way through the save file: what was read is
  // not the whole week and must not replace it.
  LineByteSource saved_source = g_line_byte_source;
  FailingFile::name = "savego.txt", FailingFile::after = long(before.size() / 2), FailingFile::served = 0;
  g_line_byte_source = FailingFile::next_byte;
  TypeName("NERONE");
  ui.PressInNextModal(kFirstButton);
  ui.Click(page_, P::kRenameId);
  g_line_byte_source = saved_source;
  EXPECT_STREQ(g_ui_teachers[2].name, "VERDI");
  EXPECT_EQ(LastBox(), refused + or_read_failure_reason(0));
  EXPECT_TRUE(read(school_ / "savego.txt") == before);
  EXPECT_EQ(folder_names(), names_before);

  // A folder where the save file should be: nothing is put in its place.
  fs::rename(school_ / "savego.txt", school_ / "savego.kept");
  fs::create_directory(school_ / "savego.txt");
  TypeName("NERONE");
  ui.PressInNextModal(kFirstButton);
  ui.Click(page_, P::kRenameId);
  EXPECT_STREQ(g_ui_teachers[2].name, "VERDI");
  EXPECT_EQ(LastBox().rfind(refused, 0), 0u) << LastBox();
  EXPECT_TRUE(fs::is_directory(school_ / "savego.txt"));
  fs::remove(school_ / "savego.txt");
  fs::rename(school_ / "savego.kept", school_ / "savego.txt");
  EXPECT_EQ(folder_names(), names_before);

  // The disk healthy again, the rename goes through and the week follows.
  std::size_t boxes = ui.boxes().size();
  TypeName("NERONE");
  ui.Click(page_, P::kRenameId);
  EXPECT_STREQ(g_ui_teachers[2].name, "NERONE");
  for (std::size_t b = boxes; b < ui.boxes().size(); ++b)
    EXPECT_NE(ui.boxes()[b].texts.at(0).rfind(refused, 0), 0u) << ui.boxes()[b].texts.at(0);
  std::vector<std::string> renamed = saved_timetable_lines();
  ASSERT_EQ(renamed.size(), lines.size());
  EXPECT_EQ(renamed.front(), "L:0 NERONE 1A\n");
  EXPECT_EQ(renamed.back(), "L:299 NERONE 1A\n");
  EXPECT_EQ(folder_names(), names_before);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
