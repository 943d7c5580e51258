// The teaching-post constraints page driven headless inside the frame on a
// small school built in the test: ROSSI teaches MATEMATICA in 1A (4h) and
// 2A (4h) and SCIENZE in 1A (2h, lab with BIANCHI for 2h); BIANCHI teaches
// INGLESE in 1A (3h). Covers the panels' editors (joined class refusal,
// daily maximum shared by the class, grouping editor with its sum check and
// row order, forbidden-hours grid without cells), the validation on save
// with its questions and corrections, and the copy and paste panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "constraint_page_fixtures.h"
#include "fresh_process.h"
#include "pickers/constraint_copy_panels.h"
#include "constraints/post_constraints_page.h"
#include "shell/service_mode.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/structure_file.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "structure/teacher_page_state.h"
#include "constraints/post_constraints_texts.h"
#include "picker_support.h"
#include "remote/guide_windows.h"
#include "trial_run_support.h"
#include "ui_school_builders.h"

namespace {

using namespace kt::ui;
using namespace kt_app_test;
using V = Cvicat;

using kt_constraints_test::PostConstraintsPage;

TEST_F(PostConstraintsPage, PanelsEditThePostAndRefuseWhatCannotHold) {
  Open();
  EXPECT_EQ(ui.Text(g_vicat_page, V::kTeacherListId), "ROSSI");
  ASSERT_EQ(+g_ui_teachers[0].support_hours, 0);
  EXPECT_FALSE(ui.IsChecked(g_vicat_page, V::kSupportId));  // no support hours: not ticked
  EXPECT_FALSE(ui.IsEnabled(g_vicat_page, V::kPanels[0].joined));  // no post chosen yet
  SelectPost(0);
  EXPECT_TRUE(ui.IsEnabled(g_vicat_page, V::kPanels[0].joined));
  EXPECT_FALSE(ui.IsEnabled(g_vicat_page, V::kPanels[1].classwork));  // part B without hours
  EXPECT_FALSE(ui.IsEnabled(g_vicat_page, V::kPanels[0].building));   // one building only

  // ROSSI teaches MATEMATICA in 2A himself: refused at once.
  ui.PressInNextModal(kYesButton);
  ui.Select(g_vicat_page, V::kPanels[0].joined, std::string_view("2A"));
  EXPECT_EQ(LastBox(), "La classe abbinata deve avere la stessa materia ed essere di un ALTRO Professore.");
  EXPECT_EQ(+Post(0, 0).own.joined_class, -1);
  ui.Select(g_vicat_page, V::kPanels[0].joined, std::string_view("3A"));
  EXPECT_EQ(+Post(0, 0).own.joined_class, 2);

  // The daily maximum reaches the teacher's other post in 1A, not the one in 2A.
  ui.Select(g_vicat_page, V::kPanels[0].daily, 3);
  EXPECT_EQ(Post(0, 0).own.daily_max, 3);
  EXPECT_EQ(Post(0, 2).own.daily_max, 3);
  EXPECT_EQ(Post(0, 1).own.daily_max, -1);

  // Grouping: 2 blocks of 4 hours exceed the 4 weekly hours and reopen the
  // editor; then 2+2 in row 1 and nothing in row 2.
  AnswerGrouping({{4, 2}}, 4);
  ui.PressInNextModal(kYesButton);
  AnswerGrouping({{4, 0}, {2, 1}, {1, 2}}, 4);
  ui.Click(g_vicat_page, V::kPanels[0].grouping);
  EXPECT_STREQ(Post(0, 0).own.grouping1, "211");
  EXPECT_EQ(Post(0, 0).own.grouping2[0], 0);
  EXPECT_TRUE(kt_constraints_test::box_says(
      ui, "La somma dei gruppi di ore specificati è 8, che è maggiore delle ore settimanali in classe (4). Correggere."_cp));
  // Only the alternative row filled: it becomes row 1.
  AnswerGrouping({{2, 0}, {1, 0}}, 4, {{2, 1}, {1, 1}});
  ui.Click(g_vicat_page, V::kPanels[0].grouping);
  EXPECT_STREQ(Post(0, 0).own.grouping1, "21");
  EXPECT_EQ(Post(0, 0).own.grouping2[0], 0);

  // A grid confirmed without forbidden hours leaves no map.
  ui.OnNextModal([this](Dialog& d) {
    d.GetDlgItem(kIdOk)->SetFocus();
    ui.Click(d, kIdOk);
  });
  ui.Click(g_vicat_page, V::kPanels[0].forbidden);
  EXPECT_EQ(Post(0, 0).own.forbidden_hours[0], 255);

  // Classwork without break needs breaks in the calendar: none here.
  ui.Select(g_vicat_page, V::kPanels[0].classwork, 2);
  EXPECT_EQ(Post(0, 0).own.triple[0], 2);
  ui.PressInNextModal(kYesButton);
  ui.Click(g_vicat_page, V::kPanels[0].no_break);
  EXPECT_EQ(LastBox().rfind("Non sono definiti gli INTERVALLI", 0), 0u);
  EXPECT_FALSE(ui.IsChecked(g_vicat_page, V::kPanels[0].no_break));
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(PostConstraintsPage, SaveValidatesCorrectsAndAsks) {
  struct Case {
    const char* id;
    int classwork, first, last, daily;
    const char* grouping;
    int service_days;
    std::vector<int> answers;  // button per box, in order
    bool saved;
    const char* box;           // the text the last box begins with
    int service_after, daily_after;
  };
  const Case cases[] = {
      {"window-short", 3, 0, 1, 0, "", 0, {kYesButton}, false,
       "Inserire ora iniziale e finale corrette", -1, -1},
      {"window-ok", 3, 0, 2, 0, "", 0, {}, true, "", -1, -1},
      {"daily-cleared", 2, 0, 5, 1, "", 0, {}, true, "", -1, -1},
      {"days-raised", 0, 0, 0, 0, "1111", 3, {kYesButton}, true, "Il raggruppamento [1111] presuppone 4", 4, -1},
      {"days-kept", 0, 0, 0, 0, "1111", 3, {kNoButton}, false, "Il raggruppamento [1111] presuppone 4", 3, -1},
      {"too-many-blocks", 0, 0, 0, 0, "11111111", 3, {kYesButton}, false, "Il raggruppamento [11111111]", 3, -1},
  };
  for (const Case& c : cases) {
    BuildSchool();
    UiTeachingPost& post = Post(0, 1);
    post.own.hours = 8;
    if (c.classwork) {
      post.own.triple[0] = std::int8_t(c.classwork);
      post.own.triple[1] = std::int8_t(c.first);
      post.own.triple[2] = std::int8_t(c.last);
    }
    if (c.daily) post.own.daily_max = std::int8_t(c.daily);
    std::strcpy(post.own.grouping1, c.grouping);
    if (c.service_days) g_ui_teachers[0].personal.gmax = std::int8_t(c.service_days);
    og_snapshot_all();
    Open();
    std::string before = Description();
    for (int answer : c.answers) ui.PressInNextModal(answer);
    std::size_t shown = ui.boxes().size();
    ui.Click(g_vicat_page, V::kSaveId);
    EXPECT_EQ(Description() != before, c.saved) << c.id;
    if (c.box[0]) {
      ASSERT_GT(ui.boxes().size(), shown) << c.id;
      EXPECT_EQ(LastBox().rfind(c.box, 0), 0u) << c.id << ": " << LastBox();
      if (!c.saved) {
        EXPECT_EQ(g_vicat_page.CurrentPost(), &g_ui_teachers[0].posts[1]) << c.id;
      }
    }
    if (c.service_after > 0) {
      EXPECT_EQ(+g_ui_teachers[0].personal.gmax, c.service_after) << c.id;
    }
    if (c.daily) {
      EXPECT_EQ(Post(0, 1).own.daily_max, c.daily_after) << c.id;
    }
    EXPECT_EQ(ui.PendingSteps(), 0u) << c.id;
    // Leave the page with a valid teacher, so it may close.
    og_reset_teaching_post(Post(0, 1), 1);
    g_ui_teachers[0].personal.gmax = -1;
    og_snapshot_all();
    g_frame.DestroyWindow();
    EXPECT_TRUE(ui.Problems().empty()) << c.id;
  }
}

TEST_F(PostConstraintsPage, OneMapOnEveryPostMovesToThePersonalConstraints) {
  for (int p = 0; p < 3; ++p) {
    std::memset(Post(0, p).own.forbidden_hours, 0, kUiWeekCells);
    Post(0, p).own.forbidden_hours[0] = 1;  // Monday, first hour
  }
  og_snapshot_all();
  Open();
  std::string before = Description();
  ui.PressInNextModal(kYesButton);
  ui.Click(g_vicat_page, V::kSaveId);
  EXPECT_EQ(LastBox().rfind("Attenzione: è stata specificata una mappa delle ore proibite UGUALE"_cp, 0), 0u);
  EXPECT_EQ(Description(), before);  // not saved until the user saves again
  EXPECT_EQ(g_ui_teachers[0].personal.op[0], 1);
  for (int p = 0; p < 3; ++p) EXPECT_EQ(Post(0, p).own.forbidden_hours[0], 255) << p;
  ui.Click(g_vicat_page, V::kSaveId);
  EXPECT_NE(Description(), before);
}

// A trial writes the test description and runs the classes' test; the
// abandon button puts the teacher back as he was when chosen.
TEST_F(PostConstraintsPage, TrialRunsAndAbandonRestoresTheTeacher) {
  Open();
  SelectPost(1);
  ui.Select(g_vicat_page, V::kPanels[0].placement, 1);
  EXPECT_EQ(Post(0, 1).own.placement, 1);
  std::vector<TrialShown> shown;
  watch_trial(ui, shown, true);
  ui.Click(g_vicat_page, V::kTryClassesId);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "PROVA l'orario delle Classi del Professore ROSSI");
  EXPECT_NE(shown[0].result, "");
  EXPECT_TRUE(fs::exists(data_root() / "scuola" / "cattTEST.txt"));

  ui.PressInNextModal(kYesButton);  // "Sicuro di abbandonare le modifiche ?"
  ui.Click(g_vicat_page, V::kAbandonId);
  EXPECT_EQ(LastBox(), "Sicuro di abbandonare le modifiche ?");
  EXPECT_EQ(Post(0, 1).own.placement, 0);
  EXPECT_EQ(g_current_page, &g_vicat_page);  // opened again
  EXPECT_TRUE(ui.Problems().empty());
}

// The "?" beside either subgroup list shows the subgroup help and opens the
// subgroup guide.
TEST_F(PostConstraintsPage, SubgroupHelpOpensTheGuide) {
  Open();
  for (int id : V::kSubgroupHelpIds) {
    EXPECT_TRUE(ui.Click(g_vicat_page, id)) << id;
    EXPECT_TRUE(g_guide_grul.IsCreated());
    EXPECT_EQ(ui.Text(g_vicat_page, V::kHelpId).rfind(vicat_text::kHelpSubgroup.Get(), 0), 0u);
    ui.Click(g_guide_grul, CGuideWindow::kCloseId);
    EXPECT_FALSE(g_guide_grul.IsCreated());
  }
  EXPECT_TRUE(ui.Problems().empty());
}

// Service mode: a class joined to another class of the same teacher and
// subject goes to a fictitious teacher; a second such class to the next name.
TEST_F(PostConstraintsPage, ServiceModeSplitsAClassTaughtInGroups) {
  g_service_mode = 1;
  std::strcpy(g_ui_teachers[2].name, "ROSSI ART");  // a real teacher holds the name
  g_ui_settings.teacher_count = 3;
  Post(0, 0).own.joined_class = 1;
  og_snapshot_all();
  Open();
  ui.Click(g_vicat_page, V::kSaveId);
  ASSERT_EQ(+g_ui_settings.teacher_count, 4u);
  const UiTeacher& split = g_ui_teachers[3];
  EXPECT_STREQ(split.name, "ROSSI ARU");
  EXPECT_EQ(split.fc_mode & 1, 1);
  ASSERT_EQ(+split.post_count, 1u);
  EXPECT_EQ(+split.posts[0].class_index, 0);
  EXPECT_EQ(+split.posts[0].own.joined_class, 1);
  ASSERT_EQ(+g_ui_teachers[0].post_count, 2u);
  EXPECT_EQ(+Post(0, 0).class_index, 1);  // the post in 2A moved up
  EXPECT_EQ(+Post(0, 0).own.joined_class, 0);
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(PostConstraintsPage, CopyPanelPastesIntoMatchingPostsOfEveryTeacher) {
  // The panel's clipboard lasts for the program's run: the panel is
  // watched from a fresh process, where nothing was copied yet.
  KT_IN_FRESH_PROCESS({
    add_post(1, math_, 2, 4);  // BIANCHI: the same subject and hours in 3A
    add_post(1, math_, 1, 3);  // other hours: not reached
    std::strcpy(Post(0, 0).own.grouping1, "2211");  // 6 hours into 4-hour posts
    Post(0, 0).own.hours = 6;
    Post(0, 0).own.placement = 2;
    og_snapshot_all();
    Open();
    SelectPost(2);  // SCIENZE without constraints: the panel stays hidden
    EXPECT_FALSE(g_copypas.IsWindowVisible());
    SelectPost(0);
    ASSERT_TRUE(g_copypas.IsWindowVisible());
    EXPECT_FALSE(ui.IsEnabled(g_copypas, Ccopypas::kPasteId));
    ui.Click(g_copypas, Ccopypas::kCopyId);
    EXPECT_FALSE(g_copypas.IsWindowVisible());
    Post(0, 0).own.hours = 4;  // the copy keeps what it copied
    SelectPost(1);
    ASSERT_TRUE(g_copypas.IsWindowVisible());
    EXPECT_EQ(ui.Text(g_copypas, Ccopypas::kPasteEveryoneId), "Incolla a tutti i docenti MATEMATICA Ore 6");
    // Pasted into this post alone, fitted to its 4 hours.
    ui.Click(g_copypas, Ccopypas::kPasteId);
    EXPECT_STREQ(Post(0, 1).own.grouping1, "22");  // limited to 4 hours
    EXPECT_EQ(Post(0, 1).own.placement, 2);
    EXPECT_FALSE(ui.IsEnabled(g_copypas, Ccopypas::kPasteId));
    EXPECT_EQ(ui.Text(g_vicat_page, V::kPanels[0].placement), "MAI prime o ultime ore");

    // Pasting a post without constraints changes nothing.
    UiTeachingPost before = Post(1, 0);
    UiTeachingPost empty;
    og_reset_teaching_post(empty);
    copypas_paste_into(Post(1, 0), empty, 1);
    EXPECT_EQ(std::memcmp(&before, &Post(1, 0), sizeof before), 0);

    // Every teacher's posts of the copied subject and weekly hours.
    Post(0, 0).own.hours = 6;
    SelectPost(0);
    ui.Click(g_copypas, Ccopypas::kCopyId);
    Post(1, 1).own.hours = 6;
    SelectPost(1);
    ui.Click(g_copypas, Ccopypas::kPasteEveryoneId);
    EXPECT_STREQ(Post(1, 1).own.grouping1, "2211");
    EXPECT_EQ(Post(1, 2).own.grouping1[0], 0);
  });
}

// The calendar panel copies one calendar set of a class over the same set
// of another class and stays hidden with no class and nothing copied.
TEST_F(PostConstraintsPage, CalendarPanelCopiesOneCalendarSet) {
  // The panel's clipboard lasts for the program's run (see above).
  KT_IN_FRESH_PROCESS({
    ASSERT_EQ(g_copysma.Create(nullptr), 1);
    g_copysma.m_class = -1;
    g_copysma.ShowPanel(true);
    EXPECT_FALSE(g_copysma.IsWindowVisible());
    g_ui_structure.classes[0].calendars[1].max_day_difference = 3;
    g_ui_structure.classes[0].calendars[1].hour_start_times[5] = 480;
    g_copysma.m_class = 0;
    g_copysma.m_set = 1;
    g_copysma.ShowPanel(true);
    ASSERT_TRUE(g_copysma.IsWindowVisible());
    EXPECT_FALSE(ui.IsEnabled(g_copysma, Ccopysma::kPasteId));
    ui.Click(g_copysma, Ccopysma::kCopyId);
    g_copysma.m_class = 2;
    g_copysma.ShowPanel(true);
    ui.Click(g_copysma, Ccopysma::kPasteId);
    EXPECT_TRUE(g_copysma.m_pasted);
    EXPECT_EQ(std::memcmp(&g_ui_structure.classes[2].calendars[1], &g_ui_structure.classes[0].calendars[1],
                          sizeof(UiClassCalendar)),
              0);
    EXPECT_EQ(+g_ui_structure.classes[2].calendars[0].max_day_difference, 0);  // the other set untouched
    g_copysma.DestroyWindow();
  });
}

}  // namespace

namespace {

// The excluded-day and subgroup lists offer only subjects some post teaches
// (the engine knows no other); a subject that stops being taught is dropped
// from the posts that name it when they are saved, so the file still loads.
TEST_F(PostConstraintsPage, SubjectListsOfferOnlyTaughtSubjects) {
  int french = add_subject("FRANCESE", 'N');
  og_snapshot_all();
  Open();
  SelectPost(0);
  for (int id : {V::kPanels[0].excluded, V::kPanels[0].subgroup}) {
    auto* box = static_cast<ComboBox*>(g_vicat_page.GetDlgItem(id));
    ASSERT_NE(box, nullptr);
    std::vector<std::string> offered;
    for (int i = 0; i < box->GetCount(); ++i) offered.push_back(box->GetLBText(i));
    EXPECT_NE(std::find(offered.begin(), offered.end(), "INGLESE"), offered.end()) << id;
    EXPECT_EQ(std::find(offered.begin(), offered.end(), "FRANCESE"), offered.end()) << id;
    // Nor what ROSSI teaches in 1A himself.
    EXPECT_EQ(std::find(offered.begin(), offered.end(), "MATEMATICA"), offered.end()) << id;
    EXPECT_EQ(std::find(offered.begin(), offered.end(), "SCIENZE"), offered.end()) << id;
  }
  g_frame.DestroyWindow();

  g_ui_teachers[0].posts[0].own.excluded_day_subject = french;
  g_ui_teachers[0].posts[1].own.subgroup_subject = english_;
  g_ui_teachers[1].post_count = 0;  // nobody teaches INGLESE any more
  ASSERT_EQ(og_write_assignments_file(0, 0), 0);
  std::string written;
  og_read_school_lines((data_root() / "scuola" / "scuola2.txt").string(), [&](const std::string& line) {
    written += line + "\n";
    return true;
  }, nullptr);
  EXPECT_NE(written.find("GM:"), std::string::npos);
  EXPECT_EQ(written.find("MNIG:"), std::string::npos);
  EXPECT_EQ(written.find("GRUL:"), std::string::npos);
  EXPECT_EQ(+g_ui_teachers[0].posts[0].own.excluded_day_subject, -1);
  EXPECT_EQ(+g_ui_teachers[0].posts[1].own.subgroup_subject, -1);
}

// The forbidden-hours button shows in its "in use" colour on a post with a
// map of forbidden hours, and plain on one without.
TEST_F(PostConstraintsPage, TheForbiddenHoursButtonShowsWhetherAMapIsSet) {
  std::memset(Post(0, 1).own.forbidden_hours, 0, kUiWeekCells);
  Post(0, 1).own.forbidden_hours[0] = 1;  // Monday, first hour
  og_snapshot_all();
  Open();
  auto* button = dynamic_cast<CColorButton*>(g_vicat_page.GetDlgItem(V::kPanels[0].forbidden));
  ASSERT_NE(button, nullptr);
  SelectPost(0);
  EXPECT_EQ(button->m_state, 0);
  SelectPost(1);
  EXPECT_NE(button->m_state, 0);
  g_frame.DestroyWindow();
}

// On a post shared with a partner the forbidden-hours grid comes with the
// warning that the map counts for both parts, in the warnings' crimson.
TEST_F(PostConstraintsPage, APartnersForbiddenHoursComeWithAWarningInCrimson) {
  Open();
  SelectPost(2);  // SCIENZE with BIANCHI in the lab
  ui.OnNextModal([&](Dialog&) { ui.Key(kVkEscape); });
  ui.Click(g_vicat_page, V::kPanels[0].forbidden);
  auto* help = dynamic_cast<CSpiegaML*>(g_vicat_page.GetDlgItem(V::kHelpId));
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->LastText(), vicat_text::kPartnerMapWarning.Get());
  const DisplayList drawn = ui.Render(g_vicat_page);
  const DrawItemOp* shown = nullptr;
  for (const DrawItemOp* op : drawn.ForControl(V::kHelpId))
    if (op->op == DrawOp::kText && !op->text.empty()) shown = op;
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->color, rgb(165, 0, 33));
  SelectPost(0);  // a post of his own: no warning
  ui.OnNextModal([&](Dialog&) { ui.Key(kVkEscape); });
  ui.Click(g_vicat_page, V::kPanels[0].forbidden);
  EXPECT_NE(help->LastText(), vicat_text::kPartnerMapWarning.Get());
  EXPECT_TRUE(ui.Problems().empty());
}

// A joined class, an excluded-day subject and a subgroup stored in the
// description show on their own rows when the page opens again.
TEST_F(PostConstraintsPage, StoredChoicesShowOnTheirRowsOnReopening) {
  Post(0, 0).own.joined_class = 2;
  Post(0, 0).own.excluded_day_subject = english_;
  Post(0, 0).own.subgroup_subject = english_;
  ASSERT_EQ(og_write_assignments_file(0, 0), 0);
  Post(0, 0).own.joined_class = Post(0, 0).own.excluded_day_subject = Post(0, 0).own.subgroup_subject = -1;
  ASSERT_EQ(og_read_assignments_file(0), 0);
  og_snapshot_all();
  Open();
  SelectPost(0);
  struct Case {
    int id;
    const char* shown;
  } cases[] = {{V::kPanels[0].joined, "3A"}, {V::kPanels[0].excluded, "INGLESE"}, {V::kPanels[0].subgroup, "INGLESE"}};
  for (const Case& c : cases) {
    auto* box = static_cast<ComboBox*>(g_vicat_page.GetDlgItem(c.id));
    ASSERT_NE(box, nullptr);
    int at = box->GetCurSel();
    EXPECT_EQ(at >= 0 ? box->GetLBText(at) : std::string(), c.shown) << c.id;
  }
  EXPECT_TRUE(ui.Problems().empty());
}

// The post list's "Ore Compito" column shows the classwork a description
// holds ("K:2:1-6": two hours between the first and the sixth), and the
// current post's row follows the classwork the panel edits.
TEST_F(PostConstraintsPage, TheClassworkColumnShowsTheStoredAndTheEditedClasswork) {
  // Written as "K:2:1-6" and "J:2:1-4" and read back.
  for (auto [post, window_end, no_break] : {std::tuple{0, 5, 0}, std::tuple{1, 3, 1}}) {
    UiPostPart& part = Post(0, post).own;
    part.triple[0] = 2;
    part.triple[1] = 0;
    part.triple[2] = std::int8_t(window_end);
    part.letter_j = std::uint8_t(no_break);
  }
  ASSERT_EQ(og_write_assignments_file(0, 0), 0);
  for (int post : {0, 1}) Post(0, post).own.triple[0] = -1;
  ASSERT_EQ(og_read_assignments_file(0), 0);
  og_snapshot_all();
  Open();
  auto* list = static_cast<ListView*>(g_vicat_page.GetDlgItem(V::kPostListId));
  auto cell = [&](int post) { return list->GetItemText(list->FindItemByData(-1, std::uintptr_t(post)), 11); };
  EXPECT_EQ(cell(0), "2 (tra 1 e 6)");
  EXPECT_EQ(cell(1), "2 (tra 1 e 4 senza ricreazione)");
  EXPECT_EQ(cell(2), "") << "no classwork, no text";
  SelectPost(0);
  struct Case {
    const char* id;
    int control;
    int row;
    const char* shown;
  } cases[] = {
      {"length", V::kPanels[0].classwork, 3, "3 (tra 1 e 6)"},
      {"first hour", V::kPanels[0].first, 1, "3 (tra 2 e 6)"},
      {"last hour", V::kPanels[0].last, 4, "3 (tra 2 e 5)"},
      {"none", V::kPanels[0].classwork, 0, ""},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(ui.Select(g_vicat_page, c.control, c.row)) << c.id;
    EXPECT_EQ(cell(0), c.shown) << c.id;
  }
  EXPECT_TRUE(ui.Problems().empty());
}

// Each panel heads with the class and hours of its part of the chosen post:
// the post's own part always, the partner's part (lab or conversation) only
// when it has hours.
TEST_F(PostConstraintsPage, PanelsHeadWithTheirPartsClassAndHours) {
  struct Case { int post; const char* own_hours; const char* partner_hours; };
  const Case cases[] = {{0, "4", ""}, {1, "4", ""}, {2, "2", "2"}};
  Open();
  for (const Case& c : cases) {
    SelectPost(c.post);
    const UiTeachingPost& post = Post(0, c.post);
    std::string label = og_class_label(post.class_index);
    EXPECT_EQ(ui.Text(g_vicat_page, V::kPanels[0].class_text), label) << c.post;
    EXPECT_EQ(ui.Text(g_vicat_page, V::kPanels[0].hours_text), c.own_hours) << c.post;
    EXPECT_EQ(ui.Text(g_vicat_page, V::kPanels[1].class_text), *c.partner_hours ? label : "") << c.post;
    EXPECT_EQ(ui.Text(g_vicat_page, V::kPanels[1].hours_text), c.partner_hours) << c.post;
  }
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
