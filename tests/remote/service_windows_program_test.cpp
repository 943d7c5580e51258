// The windows of the remote services in the running program: after start-up
// the frame owns the assistance console, the call-back dialog and the
// remote-processing monitor, hidden, and shows the remote-processing window
// inside its client area, against its buttons, wherever the frame goes, on a
// small screen too; each opens from its button or command and answers
// every request that needs the servers with the "not available" message;
// the tutorial video says so too; the frame's help button brings the console
// forward with the keyboard on its input line, as does the home page's first
// tick with the console open; a change of language builds the console and
// the call-back dialog again in the new language. The maker's notices cannot
// be fetched: those already in the school folder stay whole and are shown.
#include <gtest/gtest.h>

#include "fresh_process.h"
#include "remote/service_windows.h"
#include "shell/corner_windows.h"
#include "shell/message_viewer.h"
#include "remote_test_support.h"
#include "shell/home_page.h"
#include "structure/school_page.h"

namespace {

using namespace kt_remote_test;

class ServiceWindowsProgram : public RemoteProgram {
 protected:
  // The request button of a window says the service is not available.
  void ExpectNotAvailable(CRemoteWindow& window, const char* id) {
    std::string said;
    AnswerBox(&said);
    ui.Click(window, CRemoteWindow::kRequestId);
    EXPECT_EQ(said, krv_not_available_text().Get()) << id;
  }
  // The remote-processing window lies whole in the frame's client area (off
  // the caption and the borders) and on the screen, over none of the frame's
  // buttons or arrows.
  void ExpectStripInFrame(const std::string& where) {
    ASSERT_TRUE(g_tulm_open.IsWindowVisible()) << where;
    Rect strip = g_tulm_open.GetWindowRect();
    Rect client = g_frame.ClientToScreen(g_frame.GetClientRect());
    Rect work = ui.headless().WorkArea();
    EXPECT_EQ(strip.Intersect(client), strip) << where << ": outside the frame's client area";
    EXPECT_EQ(strip.Intersect(work), strip) << where << ": off the screen";
    std::vector<int> row(std::begin(CAlfaDlg::kSectionIds), std::end(CAlfaDlg::kSectionIds));
    row.insert(row.end(), std::begin(Carrow::kIds), std::end(Carrow::kIds));
    for (int id : row) {
      Rect b = g_frame.GetDlgItem(id)->GetWindowRect();
      EXPECT_TRUE(strip.right <= b.left || strip.left >= b.right || strip.bottom <= b.top || strip.top >= b.bottom)
          << where << ": over control " << id;
    }
    // Nor over the home page's lines naming the open folder and school.
    if (g_current_page == &g_home_page) {
      for (int id : {CPlenixDlg::kFolderId, CPlenixDlg::kDescriptionId}) {
        Rect f = g_home_page.GetDlgItem(id)->GetWindowRect();
        EXPECT_TRUE(strip.right <= f.left || strip.left >= f.right || strip.bottom <= f.top || strip.top >= f.bottom)
            << where << ": over the home page's line " << id << " (" << g_home_page.GetDlgItemText(id) << ")";
      }
    }
  }
  // No shown control of the page shown lies under the remote-processing
  // window, which is a window of its own over the page: the officer could
  // not click it.
  void ExpectStripOverNoPageControl(const std::string& where) {
    ASSERT_TRUE(g_current_page && g_current_page->IsWindow()) << where;
    ASSERT_TRUE(g_tulm_open.IsWindowVisible()) << where;
    Rect strip = g_tulm_open.GetWindowRect();
    int seen = 0;
    std::function<void(Window&)> walk = [&](Window& parent) {
      for (Window* c : parent.Children()) {
        if (!c->IsWindowVisible()) continue;
        ++seen;
        Rect r = c->GetWindowRect();
        EXPECT_TRUE(strip.right <= r.left || strip.left >= r.right || strip.bottom <= r.top || strip.top >= r.bottom)
            << where << ": the strip covers control " << c->GetDlgCtrlID() << " (" << c->GetWindowText() << ")";
        walk(*c);
      }
    };
    walk(*g_current_page);
    EXPECT_GT(seen, 0) << where << ": no control shown";
  }
  // The pages an officer goes through first: home, the configuration menu,
  // the school page (its "?" buttons at the top right), the buildings and
  // subjects pages and the processing menu.
  void VisitPages(const std::string& where) {
    for (int id : {kPageHome, kPageConfigMenu, kPageProscuola, kPagePlessi, kPageMaterie, kPageProcessingMenu}) {
      alfadlg_go_to_page(id);
      ui.Pump();
      ExpectStripOverNoPageControl(where + ", page " + std::to_string(id - kPageHome));
    }
    alfadlg_go_to_page(kPageHome);
    ui.Pump();
  }
};

// Docked under the last section button, the window keeps clear of every
// page's controls: the page starts below it, at the frame's own size, on a
// small screen and back from a maximised frame.
TEST_F(ServiceWindowsProgram, TheStripCoversNoControlOfThePageShown) {
  Run([&] {
    VisitPages("at start-up");
    // The school page's first "?" sits at the top right, under the strip's
    // place: it is clear of it.
    alfadlg_go_to_page(kPageProscuola);
    ui.Pump();
    ASSERT_EQ(g_current_page, static_cast<Window*>(&g_school_page));
    Rect help = g_school_page.GetDlgItem(Cproscuola::kNameHelpId)->GetWindowRect();
    EXPECT_GE(help.top, g_tulm_open.GetWindowRect().bottom);
    g_frame.ShowWindow(kSwShowMaximized);
    VisitPages("maximised");
    g_frame.ShowWindow(kSwRestore);
    VisitPages("restored");
  });
}

TEST_F(ServiceWindowsProgram, OnASmallScreenTheStripCoversNoControlOfThePageShown) {
  ui.headless().SetWorkArea(Rect{0, 0, 1024, 600});
  Run([&] { VisitPages("1024x600"); });
}

TEST_F(ServiceWindowsProgram, FrameMakesThemAndEachSaysNotAvailable) {
  Run([&] {
    for (CRemoteWindow* w : {static_cast<CRemoteWindow*>(&g_krv_console), static_cast<CRemoteWindow*>(&g_krv_phone),
                             static_cast<CRemoteWindow*>(&g_tulm_monitor)}) {
      ASSERT_TRUE(w->IsCreated()) << w->template_id();
      EXPECT_FALSE(w->IsWindowVisible()) << w->template_id();
      EXPECT_EQ(w->GetOwner(), &g_frame) << w->template_id();
    }
    // The first page command builds the launcher panel and, with it, the
    // remote-processing window, inside the frame just under the last section
    // button (the row has no room for it at the frame's own width).
    alfadlg_go_to_page(kPageHome);
    ASSERT_TRUE(g_tulm_open.IsCreated());
    EXPECT_TRUE(g_tulm_open.IsWindowVisible());
    EXPECT_EQ(g_tulm_open.GetOwner(), &g_frame);
    Rect last = g_frame.GetDlgItem(1775)->GetWindowRect();
    Rect strip = g_tulm_open.GetWindowRect();
    ExpectStripInFrame("at start-up");
    EXPECT_EQ(strip.left, last.left);
    EXPECT_EQ(strip.top, last.bottom + 1);
    ExpectNotAvailable(g_tulm_open, "remote-processing window");

    // Maximised, the frame's row is wide enough: the window takes the row's
    // gap, centred on the row; restored, it goes back under the button.
    g_frame.ShowWindow(kSwShowMaximized);
    ASSERT_TRUE(g_frame.IsZoomed());
    ExpectStripInFrame("maximised");
    last = g_frame.GetDlgItem(1775)->GetWindowRect();
    strip = g_tulm_open.GetWindowRect();
    EXPECT_EQ(strip.left, last.right + 4);
    EXPECT_TRUE(strip.top > last.top && strip.bottom < last.bottom) << "off the row";
    g_frame.ShowWindow(kSwRestore);
    ASSERT_FALSE(g_frame.IsZoomed());
    ExpectStripInFrame("restored");
    EXPECT_EQ(g_tulm_open.GetWindowRect().top, g_frame.GetDlgItem(1775)->GetWindowRect().bottom + 1);
    // The home page in German: the window, made again in that language,
    // leaves the folder's path readable.
    g_language = 1;
    alfadlg_go_to_page(kPageHome);
    ui.Pump();
    ExpectStripInFrame("German home page");
    g_language = 0;
    alfadlg_go_to_page(kPageHome);
    ui.Pump();

    struct Case {
      const char* id;
      std::function<void()> open;
      CRemoteWindow* window;
    };
    const Case cases[] = {
        {"assistance button", [&] { ui.Click(g_frame, 1780); }, &g_krv_console},
        {"assistance command", [&] { alfadlg_go_to_page(kPageAssistance); }, &g_krv_console},
        {"TULM report", [&] { ui.Click(g_home_page, CPlenixDlg::kRemoteReport); }, &g_tulm_monitor},
        {"call-back", [&] { krv_show_callback_dialog(5); }, &g_krv_phone},
    };
    for (const Case& c : cases) {
      c.window->ShowWindow(kSwHide);
      c.open();
      EXPECT_TRUE(c.window->IsWindowVisible()) << c.id;
      EXPECT_NE(ui.Text(*c.window, CRemoteWindow::kNoticeId).find("non \xE8 disponibile"), std::string::npos) << c.id;
      ExpectNotAvailable(*c.window, c.id);
      ui.Click(*c.window, CRemoteWindow::kCloseId);
      EXPECT_FALSE(c.window->IsWindowVisible()) << c.id;
      EXPECT_TRUE(c.window->IsCreated()) << c.id;
    }
    EXPECT_EQ(g_tulm_monitor.m_list.GetItemCount(), 0);

    // The help button: the console comes forward (the support window opens
    // beside it the first time), ready to type in.
    ASSERT_TRUE(ui.Click(g_frame, 1779));
    EXPECT_TRUE(g_krv_console.IsWindowVisible());
    Window* support = Window::GetActiveWindow();
    ASSERT_TRUE(ui.Click(g_frame, 1779));
    EXPECT_EQ(Window::GetActiveWindow(), static_cast<Window*>(&g_krv_console));
    EXPECT_TRUE(ui.HasFocus(g_krv_console, CRemoteWindow::kInputId));
    ui.Click(g_krv_console, CRemoteWindow::kCloseId);
    if (support && support != &g_frame && support != &g_krv_console) support->DestroyWindow();

    std::string video;
    ui.OnNextModal([&](Dialog& d) {
      EXPECT_EQ(d.template_id(), Cvideoplay::kTemplate);
      video = ui.Text(d, Cvideoplay::kNoticeId);
      ui.Key(kVkEscape);
    });
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kVideo));
    EXPECT_NE(video.find("non \xE8 disponibile"), std::string::npos) << video;

    // A minimised monitor follows a dragged frame to the band above FILE.
    g_tulm_monitor.ShowWindow(kSwMinimize);
    ASSERT_TRUE(g_tulm_monitor.IsIconic());
    g_frame.SendMessage(kMsgSysCommand, 0xF012, 0);
    Rect band;
    alfadlg_anchor_rect(1, band, g_tulm_monitor.GetWindowRect());
    EXPECT_EQ(g_tulm_monitor.GetWindowRect(), band);
    g_tulm_monitor.ShowWindow(kSwRestore);
    g_tulm_monitor.ShowWindow(kSwHide);

    // In German the console and the call-back dialog are made again in German.
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kGerman));
    for (CRemoteWindow* w : {static_cast<CRemoteWindow*>(&g_krv_console), static_cast<CRemoteWindow*>(&g_krv_phone)}) {
      ASSERT_TRUE(w->IsCreated()) << w->template_id();
      EXPECT_FALSE(w->IsWindowVisible()) << w->template_id();
      EXPECT_NE(ui.Text(*w, CRemoteWindow::kNoticeId).find("nicht verf\xFCgbar"), std::string::npos)
          << ui.Text(*w, CRemoteWindow::kNoticeId);
    }
    // The monitor, made in Italian, speaks German when it opens.
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kRemoteReport));
    EXPECT_EQ(g_tulm_monitor.GetWindowText(), "Entfernte Verarbeitungen");
    EXPECT_EQ(ui.Text(g_tulm_monitor, CRemoteWindow::kRequestId), "Liste erneuern");
    EXPECT_EQ(g_tulm_monitor.GetOwner(), &g_frame);
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kItalian));
  });
}

// On a small laptop screen the frame fills the screen's height: the window
// stays inside the frame's client area, off its caption, and follows the
// frame wherever it goes: sent to the other side with the arrow, moved, or
// hanging over the screen's edge, where it keeps to the part still seen.
TEST_F(ServiceWindowsProgram, OnASmallScreenTheStripStaysInsideTheFrame) {
  ui.headless().SetWorkArea(Rect{0, 0, 1024, 600});
  Run([&] {
    alfadlg_go_to_page(kPageHome);
    ASSERT_TRUE(g_tulm_open.IsCreated());
    ExpectStripInFrame("1024x600");
    auto offset = [] {
      Rect s = g_tulm_open.GetWindowRect(), c = g_frame.ClientToScreen(g_frame.GetClientRect());
      return Point{s.left - c.left, s.top - c.top};
    };
    const Point at_start = offset();

    Rect before = g_frame.GetWindowRect();
    ASSERT_TRUE(ui.Click(g_frame, Carrow::kIds[0]));
    ASSERT_NE(g_frame.GetWindowRect().left, before.left) << "the arrow did not move the frame";
    ExpectStripInFrame("frame on the other side");
    EXPECT_EQ(offset(), at_start);
    ASSERT_TRUE(ui.Click(g_frame, Carrow::kIds[0]));
    EXPECT_EQ(g_frame.GetWindowRect(), before);
    ExpectStripInFrame("frame back");

    Rect r = g_frame.GetWindowRect();
    g_frame.MoveWindow(Rect{r.left + 30, r.top + 12, r.right + 30, r.bottom + 12});
    EXPECT_EQ(offset(), at_start) << "moved with the frame";
    Rect strip = g_tulm_open.GetWindowRect();
    Rect client = g_frame.ClientToScreen(g_frame.GetClientRect());
    EXPECT_EQ(strip.Intersect(client), strip) << "moved frame";
    EXPECT_GE(strip.top, client.top) << "moved frame: over the caption";

    // Dragged far right, the frame hangs over the screen's edge with its
    // button row's right part: the window keeps to the part on the screen.
    g_frame.MoveWindow(Rect{1024 - 300, r.top, 1024 - 300 + r.Width(), r.bottom});
    ExpectStripInFrame("frame over the right edge");
    g_frame.MoveWindow(r);
    EXPECT_EQ(offset(), at_start);
    ExpectStripInFrame("frame put back");
  });
}

// The notices are looked at once per process: watched in a fresh one.
TEST_F(ServiceWindowsProgram, TheNoticesInTheSchoolFolderOutliveTheFetchAndShow) {
  const std::string notice = "Attenzione: nuova versione disponibile\n";
  write(data_root() / "piccola" / "Warning.txt", notice);
  KT_IN_FRESH_PROCESS({
    Run([&] {
      ui.Advance(333);  // the home page's first tick
      EXPECT_EQ(folder_files(data_root() / "piccola")["Warning.txt"], notice);
      Cmessshow* shown = nullptr;
      for (Window* w : top_level_windows())
        if (w->IsWindowVisible() && dynamic_cast<Cmessshow*>(w)) shown = dynamic_cast<Cmessshow*>(w);
      ASSERT_NE(shown, nullptr);
      EXPECT_STREQ(shown->m_file_name, "Warning.txt");
      g_corner.Remove(shown);
      shown->DestroyWindow();
    });
  });
}

// The assistance console opened before the home page's first tick gets the
// keyboard on its input line at that tick, once: later ticks leave the
// focus where the user put it.
TEST_F(ServiceWindowsProgram, TheConsoleOpenAtTheFirstTickGetsTheKeyboardOnce) {
  Run([&] {
    ui.Click(g_frame, 1780);
    ASSERT_TRUE(g_krv_console.IsWindowVisible());
    g_frame.SetFocus();
    ASSERT_FALSE(ui.HasFocus(g_krv_console, CRemoteWindow::kInputId));
    ui.Advance(3000);
    EXPECT_TRUE(ui.HasFocus(g_krv_console, CRemoteWindow::kInputId));
    g_frame.SetFocus();
    ui.Advance(3000);
    EXPECT_FALSE(ui.HasFocus(g_krv_console, CRemoteWindow::kInputId));
    ui.Click(g_krv_console, CRemoteWindow::kCloseId);
  });
}

}  // namespace
