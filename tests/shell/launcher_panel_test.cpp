// The launcher panel and the busy pop-up: 30 rows each reaching the one
// page handler with its page, the 31st refused without a change, rows
// stacked one pixel apart and only used rows visible, closing destroying
// the panel so the frame builds it again (with the new language's texts);
// the busy requests beeping before the pop-up exists, then showing and
// hiding it with its text.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "engine/shell_services.h"

#include "platform/test_driver.h"
#include "platform/ui_thread.h"
#include "shell/busy_popup.h"
#include "shell/launcher_panel.h"
#include "shell/message_box.h"
#include "shell/small_choosers.h"
#include "shell_test_support.h"

namespace {

using namespace kt::ui;

constexpr int kFrameTemplate = 9616;
const DialogTemplate kTemplates[] = {
    {kFrameTemplate, "KestrinTempus", kWsPopup | kWsCaption | kWsSysMenu, 0, 0, 500, 420, {}},
};

struct LauncherPanel : ::testing::Test {
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(frame.Create(nullptr));
    frame.ShowWindow(kSwShow);
  }
  TestDriver ui;
  CDialogML frame{kFrameTemplate};
  Calfaopi panel;
};

TEST_F(LauncherPanel, ThirtyRowsEachReachTheHandler) {
  ASSERT_EQ(panel.Create(&frame), 1);
  std::vector<int> opened;
  panel.m_go_to_page = [&](int page) { opened.push_back(page); };
  for (int row = 0; row < Calfaopi::kRows; ++row) {
    std::string text = "Pagina " + std::to_string(row);
    ASSERT_EQ(panel.AddRow(0, 500 + row, text.c_str(), row % 2 ? "IKOP_1" : nullptr, row == 0 ? 8 : 0), 1) << row;
  }
  EXPECT_EQ(panel.AddRow(0, 999, "Troppo", "IKOP_1", 0), 0);
  EXPECT_EQ(panel.RowCount(), 30);
  for (int row = 0; row < Calfaopi::kRows; ++row) ASSERT_TRUE(ui.Click(panel, Calfaopi::TextId(row))) << row;
  ASSERT_EQ(opened.size(), 30u);
  for (int row = 0; row < Calfaopi::kRows; ++row) EXPECT_EQ(opened[std::size_t(row)], 500 + row);
  EXPECT_EQ(ui.Text(panel, Calfaopi::TextId(29)), "Pagina 29");
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(LauncherPanel, RowsStackAndOnlyUsedRowsShow) {
  ASSERT_EQ(panel.Create(&frame), 1);
  for (int row = 0; row < Calfaopi::kRows; ++row) EXPECT_FALSE(ui.IsVisible(panel, Calfaopi::TextId(row)));
  panel.AddRow(0, 1, "Classi", "IKOP_1", 0);
  panel.AddRow(0, 2, "Docenti", nullptr, 13);
  Window* first = panel.GetDlgItem(Calfaopi::TextId(0));
  Window* second = panel.GetDlgItem(Calfaopi::TextId(1));
  Window* first_icon = panel.GetDlgItem(Calfaopi::IconId(0));
  EXPECT_EQ(first_icon->GetRectInParent().TopLeft(), (Point{0, 0}));
  EXPECT_EQ(first->GetRectInParent().left, first_icon->GetRectInParent().right);
  EXPECT_EQ(second->GetRectInParent().top, first->GetRectInParent().bottom + 1);
  EXPECT_TRUE(ui.IsVisible(panel, Calfaopi::IconId(0)));
  EXPECT_FALSE(ui.IsVisible(panel, Calfaopi::IconId(1)));  // no icon named
  EXPECT_TRUE(ui.IsVisible(panel, Calfaopi::TextId(1)));
  EXPECT_FALSE(ui.IsVisible(panel, Calfaopi::TextId(2)));
  panel.Show(0);
  EXPECT_FALSE(panel.IsWindowVisible());
  panel.Show(1);
  EXPECT_TRUE(panel.IsWindowVisible());
}

TEST_F(LauncherPanel, ClosingDestroysAndTheFrameRebuildsInTheNewLanguage) {
  ASSERT_EQ(panel.Create(&frame), 1);
  panel.AddRow(0, 1, "Classi", "IKOP_1", 0);
  panel.SendMessage(kMsgCommand, make_command_param(kIdCancel, kBnClicked), 0);
  EXPECT_FALSE(panel.IsCreated());
  EXPECT_FALSE(panel.IsWindow());
  panel.Show(1);  // nothing to show
  kt_shell_test::LanguageScope english(2);
  ASSERT_EQ(panel.Create(&frame), 1);
  EXPECT_EQ(panel.RowCount(), 0);
  panel.AddRow(0, 1, "Classes", "IKOP_1", 0);
  EXPECT_EQ(ui.Text(panel, Calfaopi::TextId(0)), "Classes");
  frame.DestroyWindow();
  EXPECT_FALSE(panel.IsCreated());
}

TEST_F(LauncherPanel, BusyPopupRequests) {
  ui.ClearBeeps();
  shell_busy_popup(nullptr, kBusyHide);
  EXPECT_EQ(ui.beeps(), 1);
  shell_busy_popup("Salvataggio in corso", kBusyShow);
  EXPECT_EQ(ui.beeps(), 2);
  EXPECT_FALSE(g_busy_popup.IsWindow());

  g_busy_popup_owner = &frame;
  shell_busy_popup(nullptr, kBusyCreate);
  ASSERT_TRUE(g_busy_popup.IsCreated());
  EXPECT_FALSE(g_busy_popup.IsWindowVisible());
  EXPECT_EQ(g_busy_popup.GetOwner(), &frame);

  ui_busy_callback(nullptr, "Salvataggio in corso", kBusyShowAlso);
  EXPECT_TRUE(g_busy_popup.IsWindowVisible());
  EXPECT_EQ(ui.Text(g_busy_popup, CelaincoWnd::kTextId), "Salvataggio in corso");
  shell_busy_popup("Calcolo", kBusyShow);
  EXPECT_EQ(ui.Text(g_busy_popup, CelaincoWnd::kTextId), "Calcolo");
  shell_busy_popup(nullptr, 7);  // any other code: nothing
  EXPECT_TRUE(g_busy_popup.IsWindowVisible());
  shell_busy_popup(nullptr, kBusyHide);
  EXPECT_FALSE(g_busy_popup.IsWindowVisible());
  EXPECT_EQ(ui.beeps(), 2);

  Window* icon = g_busy_popup.GetDlgItem(CelaincoWnd::kIconId);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->GetClientRect().Width(), 2 * CBigIcon::kIconSize + 8);

  EXPECT_EQ(g_busy_popup.DestroyWindow(), 1);
  EXPECT_FALSE(g_busy_popup.IsCreated());
  EXPECT_EQ(g_busy_popup.DestroyWindow(), 1);  // not created: nothing to do
  g_busy_popup_owner = nullptr;
}

TEST_F(LauncherPanel, EngineRequestsFromItsThreadReachThePopupOnTheUiThread) {
  g_busy_popup_owner = &frame;
  shell_busy_popup(nullptr, kBusyCreate);
  ASSERT_TRUE(g_busy_popup.IsCreated());
  g_ui_busy_popup_hook = shell_busy_popup_from_any_thread;
  std::thread engine([] {
    char text[32] = "Elaborazione in corso";
    ui_busy_popup(text, kBusyShow);
    std::strcpy(text, "changed");  // the engine's buffer moves on; the pop-up keeps its copy
  });
  engine.join();
  EXPECT_FALSE(g_busy_popup.IsWindowVisible()) << "nothing touched the window off the UI thread";
  pump_pending();
  EXPECT_TRUE(g_busy_popup.IsWindowVisible());
  EXPECT_EQ(ui.Text(g_busy_popup, CelaincoWnd::kTextId), "Elaborazione in corso");
  ui_busy_popup(nullptr, kBusyHide);  // on the UI thread: at once
  EXPECT_FALSE(g_busy_popup.IsWindowVisible());
  g_ui_busy_popup_hook = nullptr;
  EXPECT_EQ(g_busy_popup.DestroyWindow(), 1);
  g_busy_popup_owner = nullptr;
}

TEST_F(LauncherPanel, BusyPopupTakesATextGivenBeforeItIsMade) {
  CelaincoWnd popup;
  popup.SetText("Stampa in corso");
  ASSERT_TRUE(popup.Create(&frame));
  EXPECT_EQ(ui.Text(popup, CelaincoWnd::kTextId), "Stampa in corso");
  kt_shell_test::LanguageScope english(2);
  popup.ShowWindow(kSwShow);
  DisplayList shown = ui.Render(popup);
  EXPECT_EQ(shown.TextsOf(CelaincoWnd::kTextId), "Stampa in corso");  // the caller's text is not translated again
  EXPECT_EQ(popup.DestroyWindow(), 1);
}

TEST_F(LauncherPanel, BusyPopupGoesWithItsFrame) {
  g_busy_popup_owner = &frame;
  shell_busy_popup(nullptr, kBusyCreate);
  ASSERT_TRUE(g_busy_popup.IsCreated());
  frame.DestroyWindow();
  EXPECT_FALSE(g_busy_popup.IsCreated());
  ui.ClearBeeps();
  shell_busy_popup("x", kBusyShow);
  EXPECT_EQ(ui.beeps(), 1);
  g_busy_popup_owner = nullptr;
}

}  // namespace

namespace {

using namespace kt::ui;

void expect_clean(Dialog& dialog) {
  const DialogTemplate* t = dialog.GetTemplate();
  ASSERT_NE(t, nullptr) << dialog.template_id();
  EXPECT_TRUE(lint_dialog_template(*t).empty()) << t->id;
  std::vector<int> ids = dialog.BoundControlIds();
  EXPECT_TRUE(lint_bound_ids(*t, ids).empty()) << t->id;
}

TEST(LauncherTemplates, LintClean) {
  ui_register_launcher_templates();
  ui_register_chooser_templates();
  Calfaopi panel;
  CelaincoWnd popup;
  CSTools tools;
  Ctipode type;
  expect_clean(panel);
  expect_clean(popup);
  expect_clean(tools);
  expect_clean(type);
  EXPECT_EQ(panel.GetTemplate()->controls.size(), 60u);
}

}  // namespace
