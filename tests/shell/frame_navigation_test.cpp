// The frame's page commands: Esc one level up, the page already shown, a
// page that refuses to close, locked navigation, numbers outside the tables.
#include "frame_test_support.h"
#include "remote/service_windows.h"
#include "platform/cp1252.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class FrameNavigation : public FrameInDataRoot {
 protected:
  void SetUp() override {
    FrameInDataRoot::SetUp();
    g_hint_flags = 1;  // the configuration menu's notice dismissed for good, as the status file keeps it
  }
};

TEST_F(FrameNavigation, EscTargetsByPage) {
  EnterSchool();
  OpenFrame();
  struct Case {
    const char* id;
    int page;
    std::uint32_t after_esc;
  };
  alfadlg_go_to_page(kPageHome);  // through the menu, as the user chooses
  ui.ChooseNextMenuItem(kPageParameters1);
  ASSERT_TRUE(ui.Click(g_frame, 1773));
  EXPECT_EQ(g_current_page, g_pages.Page(PageSlot::Orapage));
  const Case cases[] = {
      {"bila", kPageBila, 159},       {"make", kPageMake, 159},   {"provvi", kPageProvvi, 107},
      {"proscuola", kPageProscuola, 137}, {"makedibi", kPageProcessingMenu, 107},
      {"editek", kPageEditek, 159},        {"params", kPageParameters3, 137},
  };
  for (const Case& c : cases) {
    alfadlg_go_to_page(c.page);
    g_frame.SetFocus();
    ui.Key(kVkEscape);
    ui.Pump();
    EXPECT_EQ(g_current_page_template, c.after_esc) << c.id;
  }
}

// Every page of the configuration menu goes back to that menu on Esc, every
// page of the processing menu to its own, the menus and the pages of neither
// to the home page.
TEST_F(FrameNavigation, EscFromEveryPageGoesToItsMenu) {
  EnterSchool();
  OpenFrame();
  const int configuration[] = {kPageProscuola, kPagePlessi, kPageMaterie, kPageLapal,       kPagePale,
                               kPageProqui,    kPageLacoco, kPageProcat,  kPageSyncat,      kPageVicat,
                               kPageVipro,     kPageVidia,  kPageParameters1, kPageParameters4, kPageOraspec};
  const int processing[] = {kPageMake, kPageQuadro, kPageBila, kPageQcorsi, kPageEditek};
  const int neither[] = {kPageConfigMenu, kPageProcessingMenu, kPageProvvi};
  auto esc_from = [&](int page) {
    alfadlg_go_to_page(page);
    EXPECT_EQ(g_current_page_template, std::uint32_t(page_row(page)->template_id)) << page;
    g_frame.SetFocus();
    ui.Key(kVkEscape);
    ui.Pump();
    return g_current_page_template;
  };
  for (int page : configuration) EXPECT_EQ(esc_from(page), 137u) << page;
  for (int page : processing) EXPECT_EQ(esc_from(page), 159u) << page;
  for (int page : neither) EXPECT_EQ(esc_from(page), 107u) << page;
}

TEST_F(FrameNavigation, SamePageBeepsParameterPagesReopen) {
  EnterSchool();
  OpenFrame();
  ui.ClearBeeps();
  alfadlg_go_to_page(kPageHome);
  EXPECT_EQ(ui.beeps(), 1);
  alfadlg_go_to_page(kPageParameters1);
  CResizableDialog* first = g_current_page;
  alfadlg_go_to_page(kPageParameters2);
  EXPECT_EQ(g_current_page, first);
  EXPECT_EQ(g_pages.m_parameter_page, 2);
  EXPECT_EQ(g_current_page, g_pages.Page(PageSlot::Orapage));
  EXPECT_EQ(ui.beeps(), 1);
}

// "@Ho bisogno di assistenza" opens the support window once; a second
// request leaves the open window where it is, behind the frame the user
// went back to; the assistance console the frame made hidden comes forward
// with each request.
TEST_F(FrameNavigation, ASecondSupportRequestLeavesTheOpenWindowBehind) {
  OpenFrame();
  ASSERT_TRUE(g_krv_console.IsCreated());
  EXPECT_FALSE(g_krv_console.IsWindowVisible());
  ASSERT_TRUE(ui.Click(g_frame, 1779));
  Window* support = Window::GetActiveWindow();
  ASSERT_NE(support, nullptr);
  ASSERT_NE(support, static_cast<Window*>(&g_frame));
  EXPECT_TRUE(support->IsWindowVisible());
  EXPECT_TRUE(g_krv_console.IsWindowVisible());
  g_frame.SetActiveWindow();
  ASSERT_TRUE(ui.Click(g_frame, 1779));
  EXPECT_EQ(Window::GetActiveWindow(), static_cast<Window*>(&g_krv_console));
  EXPECT_TRUE(support->IsWindowVisible());
  support->SendMessage(kMsgCommand, make_command_param(kIdCancel, 0), 0);  // closed, so the next request makes it again
  ASSERT_TRUE(ui.Click(g_frame, 1779));
  EXPECT_NE(Window::GetActiveWindow(), static_cast<Window*>(&g_frame));
  Window::GetActiveWindow()->SendMessage(kMsgCommand, make_command_param(kIdCancel, 0), 0);
}

TEST_F(FrameNavigation, LockedNavigationRefusesEsc) {
  EnterSchool();
  OpenFrame();
  alfadlg_go_to_page(kPageLapal);
  alfadlg_lock_navigation(3);
  EXPECT_FALSE(ui.IsEnabled(g_frame, 1772));
  ui.AnswerNextModal(1);
  ui.Key(kVkEscape);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0), "Impossibile Uscire - Terminare l'operazione in corso");
  EXPECT_EQ(g_current_page_template, 144u);
  alfadlg_unlock_navigation(1);
  EXPECT_EQ(g_busy_code, 0);
  EXPECT_TRUE(ui.IsEnabled(g_frame, 1772));
  // The remote windows' places: a band above the FILE button, or below its corner.
  Rect file = g_frame.GetDlgItem(1772)->GetWindowRect(), band, below;
  alfadlg_anchor_rect(1, band, Rect{0, 0, 120, 30});
  EXPECT_EQ(band, (Rect{file.left, file.top - 30, file.left + 120, file.top}));
  alfadlg_anchor_rect(0, below, Rect{0, 0, 120, 30});
  EXPECT_EQ(below, (Rect{file.left + 4, file.top + 20, file.left + 124, file.top + 50}));
}

// A page of its own that can refuse to close (unsaved changes, "stay").
class StubbornPage : public CResizableDialog {
 public:
  StubbornPage() : CResizableDialog(139) {}
  bool refuse = true;
  int DestroyWindow() override { return refuse ? 3 : CResizableDialog::DestroyWindow(); }
};

TEST_F(FrameNavigation, InstalledPageThatRefusesToClose) {
  StubbornPage page;
  g_pages.Install(PageSlot::Proscuola, &page);
  EnterSchool();
  OpenFrame();
  alfadlg_go_to_page(kPageProscuola);
  EXPECT_EQ(g_current_page, &page);
  alfadlg_go_to_page(kPageHome);
  EXPECT_EQ(g_current_page, &page);
  page.refuse = false;
  alfadlg_go_to_page(kPageHome);
  EXPECT_EQ(g_current_page, &g_home_page);
  g_frame.DestroyWindow();
  kestrintempus_install();  // the program's own page back in its place
}

// The home page asks before the program ends and may be kept: the program
// goes on, its page shown again (the question had hidden it).
class HomePageThatAsks : public CResizableDialog {
 public:
  HomePageThatAsks() : CResizableDialog(CPlenixDlg::kTemplate) {}
  bool keep = true;
  int DestroyWindow() override {
    if (!keep) return CResizableDialog::DestroyWindow();
    ShowWindow(kSwHide);
    return 3;
  }
};

TEST_F(FrameNavigation, AHomePageKeptOnExitIsShownAgainAndTheProgramGoesOn) {
  HomePageThatAsks page;
  g_pages.Install(PageSlot::Home, &page);
  OpenFrame();
  alfadlg_go_to_page(kPageHome);
  ASSERT_EQ(g_current_page, &page);
  g_frame.SetFocus();
  ui.AnswerNextModal(kIdYes);  // "Uscire da KestrinTempus?"
  ui.Key(kVkEscape);
  EXPECT_EQ(g_current_page, &page);
  EXPECT_TRUE(page.IsWindowVisible());
  EXPECT_TRUE(g_frame.IsWindow());
  // Let go, the page closes and the program ends.
  page.keep = false;
  g_frame.SetFocus();
  ui.AnswerNextModal(kIdYes);
  ui.Key(kVkEscape);
  EXPECT_EQ(g_current_page, nullptr);
  EXPECT_FALSE(page.IsWindow());
  if (g_frame.IsWindow()) g_frame.DestroyWindow();
  g_pages.Install(PageSlot::Home, &g_home_page);  // the program's own page back in its place
}

// The provisional timetable's button opens its page with no page argument
// left from before.
TEST_F(FrameNavigation, TheProvisionalButtonOpensItsPage) {
  EnterSchool();
  OpenFrame();
  alfadlg_go_to_page(kPageHome);  // the sections open with the first page
  g_page_argument = 3;
  ASSERT_TRUE(ui.Click(g_frame, 1775));
  EXPECT_EQ(g_current_page, g_pages.Page(PageSlot::Provvi));
  EXPECT_EQ(g_page_argument, 0);
}

// Moving and sizing the frame (maximise, restore, size, move, the sizing
// edges, the caption drag) moves the computation page's side windows with
// it; other system commands leave them.
int g_moves = 0;
TEST_F(FrameNavigation, OnlyMovingAndSizingCommandsMoveTheSideWindows) {
  OpenFrame();
  FrameServiceHooks saved = g_frame_service_hooks;
  g_frame_service_hooks.computation_page_moved = [](int) { ++g_moves; };
  const struct {
    unsigned command;
    int moves;
  } cases[] = {{0xF000u, 1}, {0xF010u, 1}, {0xF003u, 1}, {0xF012u, 1}, {0xF100u, 0}, {0xF180u, 0}, {0xF140u, 0},
               {0xF030u, 1}, {0xF120u, 1}, {0xF001u, 1}, {0xF008u, 1}};
  for (const auto& c : cases) {
    g_moves = 0;
    g_frame.SendMessage(kMsgSysCommand, c.command, 0);
    EXPECT_EQ(g_moves, c.moves) << std::hex << c.command;
  }
  g_frame_service_hooks = saved;
}

int g_school_reads = 0;

// Every page but the home page makes sure the model is the current folder's
// school before it shows it; the home page, where another folder is chosen,
// reads nothing.
TEST_F(FrameNavigation, PagesButTheHomePageReadTheFoldersSchool) {
  EnterSchool();
  OpenFrame();
  FrameServiceHooks saved = g_frame_service_hooks;
  g_frame_service_hooks.read_school_if_other_folder = [] { ++g_school_reads; };
  const struct {
    int page;
    int reads;
  } steps[] = {{kPageMaterie, 1}, {kPageHome, 0}, {kPagePlessi, 1}, {kPageHome, 0}};
  for (const auto& step : steps) {
    g_school_reads = 0;
    alfadlg_go_to_page(step.page);
    EXPECT_EQ(g_school_reads, step.reads) << std::hex << step.page;
  }
  g_frame_service_hooks = saved;
}

int g_refreshes = 0;

// A paste from the copy panels refreshes the post constraints page only
// while that page is the one shown.
TEST_F(FrameNavigation, OnlyTheShownPostConstraintsPageIsRefreshed) {
  EnterSchool();
  OpenFrame();
  FrameServiceHooks saved = g_frame_service_hooks;
  g_frame_service_hooks.refresh_lesson_constraints_page = [] { ++g_refreshes; };
  const struct {
    int page;
    int refreshes;
  } steps[] = {{kPageHome, 0}, {kPageVicat, 1}, {kPageMaterie, 0}};
  for (const auto& step : steps) {
    alfadlg_go_to_page(step.page);
    g_refreshes = 0;
    alfadlg_refresh_lesson_constraints_page();
    EXPECT_EQ(g_refreshes, step.refreshes) << std::hex << step.page;
  }
  g_frame_service_hooks = saved;
}

// A number outside the tables: three boxes, then the end with status 0.
TEST_F(FrameNavigation, NumbersOutsideTheTablesEndTheProgram) {
  OpenFrame();
  struct Case {
    std::function<void()> run;
    const char* where;
  };
  const Case cases[] = {
      {[] { og_run_engine(11); }, "(param)[file: .\\OG_util, line: 178"},
      {[] { og_run_engine(42); }, "(param)[file: .\\OG_util, line: 178"},
      {[] { og_run_substitution_step(4); }, "line: 301"},
      {[] { alfadlg_go_to_page(0x763E53F); }, "(SW Cmd)[file: .\\AlfaDlg, line: 742"},
  };
  for (const Case& c : cases) {
    std::size_t before = ui.boxes().size();
    for (int i = 0; i < 3; ++i) ui.AnswerNextModal(1);
    EXPECT_EQ(ended_with(c.run), 0) << c.where;
    ASSERT_EQ(ui.boxes().size(), before + 3) << c.where;
    EXPECT_NE(ui.boxes()[before].texts.at(0).find(c.where), std::string::npos) << ui.boxes()[before].texts.at(0);
  }
}

}  // namespace

// The section menus: clicked, beside the pointer; opened from the keyboard
// (Space on the focused button, the pointer elsewhere), under the button.
// The buttons answer from the start, before any page command.
TEST_F(FrameNavigation, SectionMenusOpenBesideThePointerOrUnderTheirButton) {
  EnterSchool();
  OpenFrame();
  Window* button = g_frame.GetDlgItem(1774);
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->IsWindowEnabled());
  Rect b = button->GetWindowRect();
  Point at;
  ui.OnNextMenu([&](PopupMenu& menu) {
    at = menu.MenuWindow()->GetWindowRect().TopLeft();
    menu.Cancel();
  });
  ui.headless().SetCursorPos(b.Center());
  ASSERT_TRUE(ui.Click(*button));
  EXPECT_EQ(at, (Point{b.Center().x + 20, b.Center().y + 20}));
  ui.OnNextMenu([&](PopupMenu& menu) {
    at = menu.MenuWindow()->GetWindowRect().TopLeft();
    menu.Cancel();
  });
  ui.headless().SetCursorPos(Point{0, 0});
  button->SetFocus();
  ASSERT_TRUE(ui.Key(kVkSpace));
  EXPECT_EQ(at, (Point{b.left, b.bottom}));
  EXPECT_EQ(ui.PendingSteps(), 0u);
}

// The courses board maximises the frame and the next page gives it back its
// size; a frame the user maximised (the window manager's button) stays so
// on every page, and is given its size back when the user restores it.
TEST_F(FrameNavigation, TheCoursesBoardsMaximiseEndsWithItTheUsersStays) {
  EnterSchool();
  OpenFrame();
  Rect normal = g_frame.GetWindowRect();
  Rect work = backend().WorkArea();
  alfadlg_go_to_page(kPageProcessingMenu);
  Rect menu_frame = g_frame.GetWindowRect(), menu_page = g_current_page->GetWindowRect();
  alfadlg_go_to_page(kPageHome);
  // The home page object stands in for the board: what counts is the page's template.
  ASSERT_EQ(g_frame.OpenPage(g_pages.Page(PageSlot::Home), CPlenixDlg::kTemplate, 167, 1), 1);
  EXPECT_TRUE(g_frame.IsZoomed());
  EXPECT_EQ(g_frame.GetWindowRect(), work);
  // The page after the board is laid out in the frame given back, just as
  // it is when it opens from any other page.
  alfadlg_go_to_page(kPageProcessingMenu);
  EXPECT_FALSE(g_frame.IsZoomed());
  EXPECT_EQ(g_frame.GetWindowRect(), menu_frame);
  EXPECT_EQ(g_current_page->GetWindowRect(), menu_page);
  alfadlg_go_to_page(kPageHome);
  EXPECT_EQ(g_frame.GetWindowRect(), normal);

  g_frame.NoteZoomed(true);  // as the screen reports the user's maximise, with the size
  g_frame.MoveWindow(work);
  alfadlg_go_to_page(kPageConfigMenu);
  EXPECT_TRUE(g_frame.IsZoomed());
  EXPECT_EQ(g_frame.GetWindowRect(), work);
  ASSERT_EQ(g_frame.OpenPage(g_pages.Page(PageSlot::Home), CPlenixDlg::kTemplate, 167, 1), 1);
  alfadlg_go_to_page(kPageConfigMenu);
  EXPECT_TRUE(g_frame.IsZoomed()) << "maximised before the board, the frame stays so after it";
  g_frame.ShowWindow(kSwRestore);
  EXPECT_EQ(g_frame.GetWindowRect(), normal);
}
