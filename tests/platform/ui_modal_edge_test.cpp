// Modal runs at their edges: ended before they start, a missing template,
// a second run of a dialog already open, a box that destroys itself, a box
// whose owner goes away under it, a box opened from a page inside the frame,
// and EndDialog on a modeless window.
// Each case ends with the owner usable again and no modal run left behind.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "platform/test_driver.h"
#include "platform/ui.h"

namespace kt::ui {
namespace {

constexpr int kFrameTemplate = 9501, kPageTemplate = 9502, kBoxTemplate = 9503;
constexpr int kField = 7001, kGo = 7002;
const ControlTemplate kFrameControls[] = {{"Button", kGo, "FILE", kBsPushButton | kWsTabStop, 5, 5, 50, 14}};
const ControlTemplate kPageControls[] = {
    {"Edit", kField, "", kWsTabStop, 5, 5, 60, 12},
    {"Button", kGo, "Vai", kBsPushButton | kWsTabStop, 5, 20, 50, 14},
};
const ControlTemplate kBoxControls[] = {{"Button", kIdOk, "OK", kBsDefPushButton | kWsTabStop, 5, 5, 50, 14}};
const DialogTemplate kTemplates[] = {
    {kFrameTemplate, "KestrinTempus", kWsPopup | kWsCaption | kWsSysMenu, 0, 0, 300, 200, kFrameControls},
    {kPageTemplate, "", kWsChild | kWsVisible, 0, 0, 200, 100, kPageControls},
    {kBoxTemplate, "Avviso", kWsPopup | kDsModalFrame, 0, 0, 100, 40, kBoxControls},
};

class QuickBox : public Dialog {
 public:
  QuickBox() : Dialog(kBoxTemplate) {}
  bool end_at_once = false;
  bool destroy_on_ok = false;

 protected:
  bool OnInitDialog() override {
    if (end_at_once) EndDialog(kIdIgnore);
    return true;
  }
  void OnOK() override {
    if (destroy_on_ok) DestroyWindow();
    else EndDialog(kIdOk);
  }
};

class Page : public Dialog {
 public:
  Page() : Dialog(kPageTemplate) {}
  QuickBox box;
  LResult result = 0;
  bool frame_disabled_in_box = false;

 protected:
  void OnGo() { result = box.DoModal(); }
  KT_DECLARE_MESSAGE_MAP()
};
KT_BEGIN_MESSAGE_MAP(Page, Dialog)
  KT_ON_COMMAND(kGo, OnGo)
KT_END_MESSAGE_MAP()

class ModalEdgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(frame.Create(nullptr));
    frame.ShowWindow(kSwShow);
  }
  TestDriver ui;
  Dialog frame{kFrameTemplate};
};

TEST_F(ModalEdgeTest, RunsThatNeverStartOrCannotStart) {
  QuickBox box;
  box.end_at_once = true;
  EXPECT_EQ(box.DoModal(), kIdIgnore);
  EXPECT_FALSE(box.IsWindow());
  EXPECT_TRUE(ui.boxes().empty());
  EXPECT_TRUE(frame.IsWindowEnabled());

  Dialog missing(4242);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_EQ(ui.Problems().size(), 1u);

  QuickBox open;
  ASSERT_TRUE(open.Create(nullptr));
  EXPECT_EQ(open.DoModal(), -1);  // already a window
  open.EndDialog(kIdOk);          // modeless: only hidden
  EXPECT_TRUE(open.IsWindow());
  EXPECT_FALSE(open.IsWindowVisible());
}

TEST_F(ModalEdgeTest, BoxThatDestroysItselfStillFreesItsOwner) {
  QuickBox box;
  box.destroy_on_ok = true;
  ui.OnNextModal([&](Dialog& d) { ui.Key(kVkReturn); });
  EXPECT_EQ(box.DoModal(), -1);
  EXPECT_TRUE(frame.IsWindowEnabled());
  EXPECT_EQ(Window::GetActiveWindow(), &frame);
}

TEST_F(ModalEdgeTest, OwnerDestroyedUnderTheBox) {
  QuickBox box;
  ui.OnNextModal([&](Dialog&) { frame.DestroyWindow(); });
  EXPECT_EQ(box.DoModal(), -1);
  EXPECT_FALSE(box.IsWindow());
  EXPECT_TRUE(frame.Create(nullptr));  // the frame object lives on
}

TEST_F(ModalEdgeTest, BoxFromAPageDisablesTheFrameAndGivesTheFocusBack) {
  Page page;
  ASSERT_TRUE(page.Create(&frame));
  ui.Click(page, kField);
  ui.OnNextModal([&](Dialog& d) {
    EXPECT_FALSE(frame.IsWindowEnabled());
    EXPECT_FALSE(page.GetDlgItem(kField)->IsEnabledWithAncestors());
    EXPECT_EQ(d.GetOwner(), &frame);
    EXPECT_FALSE(ui.Type(page, kField, "x"));
    ui.Click(d, kIdOk);
  });
  ui.Key(kVkTab);  // to "Vai"
  ui.Key(kVkSpace);
  EXPECT_EQ(page.result, kIdOk);
  EXPECT_TRUE(frame.IsWindowEnabled());
  EXPECT_TRUE(ui.HasFocus(page, kGo));
  EXPECT_EQ(ui.Text(page, kField), "");
  EXPECT_EQ(ui.beeps(), 1);
}

// Without a display and with real time, an idle modal loop waits until
// another thread posts work (here: the end of the box).
TEST(RealTimeHeadless, IdleModalLoopWaitsForAnotherThread) {
  reset_ui();
  HeadlessBackend real(true);
  set_backend(&real);
  claim_ui_thread();
  register_dialog_templates(kTemplates);
  QuickBox box;
  std::promise<void> shown;
  std::future<void> is_shown = shown.get_future();
  set_modal_observer([&](Dialog&) { shown.set_value(); });
  std::thread worker([&] {
    is_shown.wait();
    post_to_ui([&] { box.EndDialog(kIdRetry); });
  });
  EXPECT_EQ(box.DoModal(), kIdRetry);
  worker.join();
  set_modal_observer(nullptr);
  set_backend(nullptr);
  reset_ui();
}

}  // namespace
}  // namespace kt::ui
