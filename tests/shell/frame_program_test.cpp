// The desktop program started as main() starts it, driven through the
// frame: the launcher panel, the section menus, the arrows moving the frame,
// the support window reaching the data-file search; the first structure save.
#include "constraints/post_constraints_page.h"
#include "constraints/special_teacher_page.h"
#include "constraints/teacher_constraints_page.h"
#include "frame_test_support.h"
#include "remote/service_windows.h"
#include "schooldata/data_file_search_dialog.h"
#include "shell/title_menu.h"
#include "schooldata/description_reader.h"
#include "schooldata/structure_file.h"
#include "structure/subjects_page.h"
#include "structure/support_contact.h"
#include "structure/teacher_page.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

using DesktopProgram = ProgramOnSample;

TEST_F(DesktopProgram, LauncherPanelOpensPagesAndFollowsTheFrame) {
  Run([&] {
    EXPECT_EQ(g_app.m_ten_point_font.face, g_frame.GetFont().face);  // the shared fonts follow the frame's
    EXPECT_EQ(g_app.m_ten_point_font.points, 10);
    EXPECT_TRUE(g_app.m_bold_font.bold);
    EXPECT_FALSE(g_launcher_panel.IsCreated());  // built on the first page command
    alfadlg_go_to_page(kPageHome + 0);
    EXPECT_TRUE(g_launcher_panel.IsCreated());
    ui.OnNextMenu([&](PopupMenu& menu) {
      auto* titled = dynamic_cast<CTitleMenu*>(&menu);
      ASSERT_NE(titled, nullptr);
      EXPECT_EQ(titled->Title(), "Configurazione dell'Orario");
      EXPECT_GE(titled->ImageOf(kPageMaterie), 0);
      menu.Choose(kPageConfigMenu);
    });
    ASSERT_TRUE(ui.Click(g_frame, 1773));
    EXPECT_EQ(g_current_page_template, 137u);
    ASSERT_TRUE(g_launcher_panel.IsCreated());
    EXPECT_TRUE(g_launcher_panel.IsWindowVisible());
    ASSERT_EQ(g_launcher_panel.RowCount(), 26);
    const int expected[][2] = {{0, kPageAssistance}, {1, kPageHome}, {2, kPageConfigMenu}, {3, kPageProscuola},
                               {19, kPageOraspec}, {20, kPageProcessingMenu}, {25, kPageQuadroStandby}};
    for (const auto& e : expected) EXPECT_EQ(g_launcher_panel.PageOf(e[0]), e[1]) << e[0];
    EXPECT_EQ(ui.Text(g_launcher_panel, Calfaopi::TextId(4)), "Sedi (Plessi), e Associa le Classi con i Plessi");
    Rect frame = g_frame.GetWindowRect(), panel = g_launcher_panel.GetWindowRect();
    EXPECT_EQ(panel.left, frame.right);
    EXPECT_EQ(panel.top, frame.top);
    EXPECT_EQ(panel.bottom, frame.bottom);

    ASSERT_TRUE(ui.Click(g_launcher_panel, Calfaopi::TextId(20)));
    EXPECT_EQ(g_current_page_template, 159u);

    alfadlg_lock_navigation(3);
    EXPECT_FALSE(g_launcher_panel.IsWindowVisible());
    alfadlg_unlock_navigation(1);
    EXPECT_TRUE(g_launcher_panel.IsWindowVisible());
    bool hidden_during_box = false;
    ui.OnNextModal([&](Dialog& box) {
      hidden_during_box = !g_launcher_panel.IsWindowVisible();
      box.EndDialog(kIdOk);
    });
    ui_message_box("?");
    EXPECT_TRUE(hidden_during_box);
    EXPECT_TRUE(g_launcher_panel.IsWindowVisible());

    g_language = 2;
    alfadlg_reset_after_language_change();
    EXPECT_FALSE(g_launcher_panel.IsCreated());
    alfadlg_go_to_page(kPageConfigMenu);
    ASSERT_TRUE(g_launcher_panel.IsCreated());
    EXPECT_EQ(ui.Text(g_launcher_panel, Calfaopi::TextId(4)), "Buildings and Associate Classes with Buildings");
    ui.Render(g_launcher_panel);
    EXPECT_EQ(g_launcher_panel.GetWindowText(), "Pages");
    g_language = 0;
  });
}

// A page left from the "Pagine" panel with unsaved changes asks about them
// while the panel is the active window (the user's click made it so): the
// question holds the frame too, so its page takes no click until it is
// answered (left enabled, the page could be edited under the question).
TEST_F(DesktopProgram, TheUnsavedQuestionFromThePanelHoldsTheFrame) {
  Run([&] {
    alfadlg_go_to_page(kPageMaterie);
    ASSERT_EQ(g_current_page_template, 142u);
    auto& page = *static_cast<Cmaterie*>(g_current_page);
    ASSERT_TRUE(ui.Type(page, Cmaterie::kNameId, "prova"));
    page.GotoDlgCtrl(page.GetDlgItem(Cmaterie::kNameId));
    ui.Key(kVkReturn);
    ASSERT_TRUE(g_launcher_panel.IsWindowVisible());
    ASSERT_EQ(g_launcher_panel.PageOf(6), kPageLapal);
    g_launcher_panel.SetActiveWindow();  // what the window manager does on the click
    bool asked = false, frame_held = false, page_refused = false;
    ui.OnNextModal([&](Dialog& question) {
      asked = question.GetTemplate() && question.GetTemplate()->id == CDaticambia::kTemplate;
      frame_held = !g_frame.IsWindowEnabled();
      page_refused = !ui.Click(page, Cmaterie::kNameId);
      ui.Click(question, CDaticambia::kStayId);
    });
    ASSERT_TRUE(ui.Click(g_launcher_panel, Calfaopi::TextId(6)));
    EXPECT_TRUE(asked);
    EXPECT_TRUE(frame_held) << "the frame stays enabled under the question";
    EXPECT_TRUE(page_refused) << "the page under the question takes a click";
    EXPECT_EQ(g_current_page_template, 142u) << "the user chose to stay";
    EXPECT_TRUE(g_frame.IsWindowEnabled());
    EXPECT_TRUE(g_launcher_panel.IsWindowEnabled());
    ui.PressInNextModal(CDaticambia::kDiscardId);
    alfadlg_go_to_page(kPageHome);
  });
}

// The same while the page's own question is up (the new name of a subject):
// the panel beside the frame takes no click, so it cannot close the page
// under the question it asks.
TEST_F(DesktopProgram, ThePanelWaitsForTheQuestionOfThePage) {
  Run([&] {
    alfadlg_go_to_page(kPageMaterie);
    ASSERT_EQ(g_current_page_template, 142u);
    auto& page = *static_cast<Cmaterie*>(g_current_page);
    ASSERT_TRUE(g_launcher_panel.IsWindowVisible());
    ASSERT_TRUE(ui.Select(page, Cmaterie::kListId, 1));
    bool asked = false, panel_refused = false;
    ui.OnNextModal([&](Dialog& question) {
      asked = true;
      panel_refused = !ui.Click(g_launcher_panel, Calfaopi::TextId(6));
      ui.ClickCaption(question, "Annulla");
    });
    ASSERT_TRUE(ui.Click(page, Cmaterie::kRenameId));
    EXPECT_TRUE(asked);
    EXPECT_TRUE(panel_refused) << "the panel took a click under the page's question";
    EXPECT_EQ(g_current_page_template, 142u);
    EXPECT_TRUE(page.IsWindow());
    EXPECT_TRUE(g_launcher_panel.IsWindowEnabled());
    alfadlg_go_to_page(kPageHome);
  });
}

// Explore leaves navigation as it was: the section buttons answer and the
// panel stays. A lock (a long operation's) takes both away until the user's
// next page command brings them back.
TEST_F(DesktopProgram, PageCommandAfterALockShowsThePanelAgain) {
  std::vector<std::string> opened;
  g_desktop_launcher = [&](const std::vector<std::string>& argv, int*) {
    opened.push_back(argv.back());
    return true;
  };
  Run([&] {
    alfadlg_go_to_page(kPageConfigMenu);
    alfadlg_go_to_page(kPageHome);
    ASSERT_TRUE(g_launcher_panel.IsWindowVisible());
    ASSERT_TRUE(ui.Click(*g_current_page, CPlenixDlg::kExplore));
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_TRUE(g_launcher_panel.IsWindowVisible());
    EXPECT_TRUE(ui.IsEnabled(g_frame, 1773));
    alfadlg_lock_navigation(0);
    EXPECT_FALSE(g_launcher_panel.IsWindowVisible());
    EXPECT_FALSE(ui.IsEnabled(g_frame, 1773));
    ASSERT_TRUE(ui.Click(*g_current_page, CPlenixDlg::kConfiguration));
    EXPECT_EQ(g_current_page_template, 137u);
    EXPECT_TRUE(g_launcher_panel.IsWindowVisible());
    EXPECT_TRUE(ui.IsEnabled(g_frame, 1773));
  });
  g_desktop_launcher = nullptr;
}

// The teacher page and the three constraint pages show a teacher's posts in
// the same list: 21 columns, one row a post, the totals row last; the
// constraint pages show the teacher their page starts on.
TEST_F(DesktopProgram, TeachingPostListsAreOneListOnEveryPage) {
  Run([&] {
    alfadlg_go_to_page(kPageConfigMenu);  // reads the school
    struct Case {
      int page, list;
    };
    const Case cases[] = {{kPageVicat, Cvicat::kPostListId},
                          {kPageVipro, Cvipro::kPostsId},
                          {kPageVidia, Cvidia::kPostsId},
                          {kPageProcat, Cprocat::kPostListId}};
    for (const Case& c : cases) {
      SCOPED_TRACE(c.page);
      alfadlg_go_to_page(c.page);
      ASSERT_NE(g_current_page, nullptr);
      auto* list = dynamic_cast<ListView*>(g_current_page->GetDlgItem(c.list));
      ASSERT_NE(list, nullptr);
      EXPECT_EQ(list->GetColumnCount(), 21);
      ASSERT_GE(list->GetItemCount(), 2);
      EXPECT_EQ(list->GetItemData(list->GetItemCount() - 1), kProcatTotalsRow);
      // The first post of whichever teacher the page starts on (a page keeps
      // the teacher it last showed while the program runs).
      EXPECT_EQ(list->GetItemData(0), 0u);
      EXPECT_FALSE(list->GetItemText(0, 1).empty());
      EXPECT_FALSE(list->GetItemText(0, 3).empty());
    }
  });
}

// The arrows move the frame across and back; the frame fits the page it
// holds: larger for the configuration menu, back to its size for the home
// page, and never below a size the user gave.
TEST_F(DesktopProgram, ArrowsMoveTheFrameAndItFitsEachPageKeepingTheUsersSize) {
  Run([&] {
    Rect home = g_frame.GetWindowRect();
    Rect work = backend().WorkArea();
    ASSERT_TRUE(ui.Click(g_frame, Carrow::kIds[0]));
    EXPECT_EQ(g_frame.GetWindowRect().right, work.right);
    EXPECT_EQ(ui.Text(g_frame, Carrow::kIds[0]), "<");
    ASSERT_TRUE(ui.Click(g_frame, Carrow::kIds[1]));
    EXPECT_EQ(g_frame.GetWindowRect().bottom, work.bottom);
    ASSERT_TRUE(ui.Click(g_frame, Carrow::kIds[0]));
    ASSERT_TRUE(ui.Click(g_frame, Carrow::kIds[1]));
    EXPECT_EQ(g_frame.GetWindowRect(), home);
    EXPECT_EQ(ui.Text(g_frame, Carrow::kIds[0]), ">");
    alfadlg_go_to_page(kPageConfigMenu);
    EXPECT_GT(g_frame.GetWindowRect().Height(), home.Height());
    alfadlg_go_to_page(kPageHome + 0);
    EXPECT_EQ(g_frame.GetWindowRect(), home);
    Rect users{home.left, home.top, home.right + 40, home.bottom + 200};
    g_frame.MoveWindow(users);
    alfadlg_go_to_page(kPageConfigMenu);
    alfadlg_go_to_page(kPageHome + 0);
    EXPECT_EQ(g_frame.GetWindowRect(), users);
  });
}

// A maximized frame keeps the whole work area whatever page it shows, and
// back at its normal size it still fits the page it holds.
TEST_F(DesktopProgram, AMaximizedFrameKeepsItsSizeForEveryPage) {
  Run([&] {
    Rect home = g_frame.GetWindowRect();
    g_frame.ShowWindow(kSwShowMaximized);
    ASSERT_TRUE(g_frame.IsZoomed());
    Rect zoomed = g_frame.GetWindowRect();
    alfadlg_go_to_page(kPageConfigMenu);
    EXPECT_EQ(g_frame.GetWindowRect(), zoomed);
    alfadlg_go_to_page(kPageHome + 0);
    EXPECT_EQ(g_frame.GetWindowRect(), zoomed);
    g_frame.ShowWindow(kSwRestore);
    EXPECT_EQ(g_frame.GetWindowRect(), home);
    alfadlg_go_to_page(kPageConfigMenu);
    EXPECT_GT(g_frame.GetWindowRect().Height(), home.Height());
  });
}

TEST_F(DesktopProgram, SupportWindowReachesTheSearchAndItsRestoreChoice) {
  Run([&] {
    ASSERT_TRUE(ui.Click(g_frame, 1779));
    auto* support = dynamic_cast<Cemergex*>(Window::GetActiveWindow());
    ASSERT_NE(support, nullptr);
    EXPECT_TRUE(support->IsWindowVisible());
    EXPECT_EQ(support->GetOwner() ? support->GetOwner() : support->GetParent(), &g_frame);
    ASSERT_TRUE(ui.Click(g_frame, 1779));  // a second request leaves the open window where it is
    EXPECT_EQ(Window::GetActiveWindow(), static_cast<Window*>(&g_krv_console));  // the console comes forward
    EXPECT_TRUE(support->IsWindowVisible());

    bool searched = false;
    ui.OnNextModal([&](Dialog& d) {
      searched = &d == &g_rical;
      EXPECT_EQ(g_rical.m_drive, Crical::kEveryDrive);
      ui.Key(kVkEscape);
    });
    ASSERT_TRUE(ui.Click(*support, Cemergex::kSearchId));
    EXPECT_TRUE(searched);

    int chooser_template = 0;
    ui.OnNextModal([&](Dialog& d) {
      chooser_template = d.template_id();
      d.EndDialog(11);
    });
    ASSERT_TRUE(g_rical.m_dialogue.choose_data_folder);
    EXPECT_EQ(g_rical.m_dialogue.choose_data_folder("/media/pen/scuola", "/home/kt/scuola"), 11);
    EXPECT_EQ(chooser_template, 292);
    ASSERT_TRUE(ui.Click(*support, Cemergex::kCloseId));
  });
}

// The first structure save gives the subjects their default options and
// records it (seventh status byte): a later save keeps the user's choices.
TEST_F(DesktopProgram, StructureSaveAppliesDefaultSubjectOptionsOnce) {
  ASSERT_EQ(og_read_structure_file_from((data_root() / "piccola" / "scuola1.txt").string(), 0), 0);
  UiSchoolStructure& st = g_ui_structure;
  ASSERT_LT(st.subject_count, std::uint32_t(kUiMaxSubjects));
  UiSubject& added = st.subjects[st.subject_count++];
  added = UiSubject{};
  std::snprintf(added.name, sizeof added.name, "%s", "RELIGIONE");
  st.status[6] = '0';
  std::string path = (data_root() / "piccola" / "scuola1.txt").string();
  ASSERT_EQ(og_write_structure_file_to(path), 0);
  EXPECT_EQ(st.status[6], '1');
  std::uint32_t last = st.subject_count - 1;
  ASSERT_EQ(og_read_structure_file_from(path, 0), 0);
  EXPECT_EQ(st.status[6], '1');
  st.subjects[last].option_m = st.subjects[last].option_n = 0;  // the user's own choice afterwards
  ASSERT_EQ(og_write_structure_file_to(path), 0);
  EXPECT_EQ(st.subjects[last].option_m + st.subjects[last].option_n, 0);
}


// The stand-by board, reached from the processing menu with a computed
// week, opens each time it is asked: the engine first builds the stand-by
// week again, and a success must lead on to the page, on the first visit as
// after coming back from the home page.
TEST_F(DesktopProgram, StandbyBoardOpensEachTimeWithAComputedWeek) {
  fs::copy_file(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt",
                data_root() / "piccola" / "savego.txt");
  Run([&] {
    for (int visit = 0; visit < 2; ++visit) {
      ui.AnswerNextModal(kIdYes);  // use the computed week as it stands
      alfadlg_go_to_page(kPageQuadroStandby);
      EXPECT_EQ(g_current_page_template, 166u) << "visit " << visit;
      alfadlg_go_to_page(kPageHome);
      EXPECT_NE(g_current_page_template, 166u) << "visit " << visit;
    }
  });
}

}  // namespace
