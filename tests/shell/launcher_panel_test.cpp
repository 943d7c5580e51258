// The busy pop-up: requests beep without it, show and hide it with its text,
// and reach it from the engine's thread only through the interface thread.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "engine/shell_services.h"

#include "platform/test_driver.h"
#include "platform/ui_thread.h"
#include "shell/busy_popup.h"
#include "shell/launcher_panel.h"

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
};

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

  shell_busy_popup("Salvataggio in corso", kBusyShowAlso);
  EXPECT_TRUE(g_busy_popup.IsWindowVisible());
  EXPECT_EQ(ui.Text(g_busy_popup, CelaincoWnd::kTextId), "Salvataggio in corso");
  shell_busy_popup("Calcolo", kBusyShow);
  EXPECT_EQ(ui.Text(g_busy_popup, CelaincoWnd::kTextId), "Calcolo");
  ui_busy_callback(nullptr, "Archiviazione", kBusyShow);  // the callback form, same requests
  EXPECT_EQ(ui.Text(g_busy_popup, CelaincoWnd::kTextId), "Archiviazione");
  shell_busy_popup(nullptr, 7);  // any other code: nothing
  EXPECT_TRUE(g_busy_popup.IsWindowVisible());
  shell_busy_popup(nullptr, kBusyHide);
  EXPECT_FALSE(g_busy_popup.IsWindowVisible());
  EXPECT_EQ(ui.beeps(), 2);

  Window* icon = g_busy_popup.GetDlgItem(CelaincoWnd::kIconId);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->GetClientRect().Width(), 2 * CBigIcon::kIconSize + 8);
  // Its size in pixels, as the screen shows it.
  Rect popup = g_busy_popup.GetClientRect();
  EXPECT_EQ((std::vector<int>{popup.Width(), popup.Height()}), (std::vector<int>{285, 88}));

  // The pop-up goes with its frame; then a request only beeps again.
  frame.DestroyWindow();
  EXPECT_FALSE(g_busy_popup.IsCreated());
  EXPECT_EQ(g_busy_popup.DestroyWindow(), 1);  // not created: nothing to do
  shell_busy_popup("x", kBusyShow);
  EXPECT_EQ(ui.beeps(), 3);
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

}  // namespace
