// Resizable dialogs: controls that grow with the window or move with a
// corner, the minimum and maximum sizes held, the maximised place, a layout
// entry placed by the dialog's hook, and the frame hooks around a modal run.
#include <gtest/gtest.h>

#include <vector>

#include "platform/test_driver.h"
#include "shell/resizable_dialog.h"

namespace {

using namespace kt::ui;

constexpr int kDialogTemplate = 9501, kFrameTemplate = 9502, kPageTemplate = 9503, kBareTemplate = 9504;
constexpr int kList = 1301, kOk = 1302, kNote = 1303, kCentre = 1304;

const ControlTemplate kControls[] = {
    {"ListBox", kList, "", kWsTabStop, 4, 4, 192, 72},
    {"Static", kNote, "Nota", 0, 4, 84, 100, 8},
    {"Static", kCentre, "", 0, 96, 40, 8, 8},
    {"Button", kOk, "OK", kBsDefPushButton | kWsTabStop, 148, 80, 48, 16},
};
const ControlTemplate kFrameControls[] = {
    {"Button", kIdCancel, "Esci", kWsTabStop, 4, 4, 40, 14},
};
const DialogTemplate kTemplates[] = {
    // 200 x 100 dialog units are 300 x 163 pixels (6 x 13 base units).
    {kDialogTemplate, "Elenco", kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 200, 100, kControls},
    {kFrameTemplate, "Cornice", kWsPopup | kWsCaption, 0, 0, 400, 300, kFrameControls},
    {kPageTemplate, "Pagina", kWsChild | kWsBorder | kWsThickFrame, 0, 0, 200, 100, kControls},
    {kBareTemplate, "Pagina", kWsPopup, 0, 0, 200, 100, kControls},
};

class ListDialog : public CResizableDialog {
 public:
  explicit ListDialog(int template_id = kDialogTemplate) : CResizableDialog(template_id) {}
  int layout_changes = 0;

 protected:
  bool OnInitDialog() override {
    CResizableDialog::OnInitDialog();
    FitIntoPageArea();
    if (IsPage()) ShowGrip(false);
    AnchorControl(kList, kAnchorTopLeft, kAnchorBottomRight);
    AnchorControl(kOk, kAnchorBottomRight);
    AnchorControl(kNote, kAnchorBottomLeft);
    AnchorControl(kCentre, kAnchorMiddleCenter);
    return true;
  }
  void OnLayoutChanged() override { ++layout_changes; }
};

class ResizableTest : public ::testing::Test {
 protected:
  void SetUp() override { register_dialog_templates(kTemplates); }
  void TearDown() override { g_frame_hooks = FrameHooks{}; }
  Rect Item(Window& d, int id) { return d.GetDlgItem(id)->GetRectInParent(); }
  void Resize(Window& d, int dx, int dy) {
    Rect r = d.GetWindowRect();
    d.MoveWindow(Rect{r.left, r.top, r.right + dx, r.bottom + dy});
  }
  TestDriver ui;
};

// Anchored controls follow the window; resized down, it stops at its minimum.
TEST_F(ResizableTest, AnchoredControlsFollowTheWindowDownToItsMinimum) {
  ListDialog d;
  ASSERT_TRUE(d.Create(nullptr));
  ASSERT_EQ(d.GetClientRect(), (Rect{0, 0, 300, 163}));
  ASSERT_EQ(Item(d, kList), (Rect{6, 7, 294, 124}));
  Rect start = d.GetWindowRect();
  Rect list = Item(d, kList), ok = Item(d, kOk), note = Item(d, kNote), centre = Item(d, kCentre);
  Resize(d, 40, 30);
  EXPECT_EQ(Item(d, kList), (Rect{6, 7, 334, 154}));     // grows
  EXPECT_EQ(Item(d, kOk), (Rect{262, 160, 334, 186}));   // moves with the corner, same size
  EXPECT_EQ(Item(d, kNote), (Rect{6, 167, 156, 180}));   // moves down only
  EXPECT_EQ(Item(d, kCentre), (Rect{164, 80, 176, 93}));
  EXPECT_EQ(Item(d, CResizableGrip::kGripId), (Rect{324, 177, 340, 193}));
  EXPECT_GT(d.layout_changes, 0);
  Resize(d, -40, -30);  // back to the minimum: every control where the template put it
  EXPECT_EQ(d.GetWindowRect(), start);
  for (auto [id, rect] : {std::pair{kList, list}, {kOk, ok}, {kNote, note}, {kCentre, centre}}) EXPECT_EQ(Item(d, id), rect);
  Resize(d, -60, -40);  // below the minimum: held at it
  EXPECT_EQ(d.GetWindowRect(), start);
  EXPECT_EQ(Item(d, kList), list);
  Resize(d, 30, -40);  // wider but too low: only the height is held
  EXPECT_EQ(d.GetWindowRect().Width(), start.Width() + 30);
  EXPECT_EQ(d.GetWindowRect().Height(), start.Height());
  EXPECT_EQ(Item(d, kList), (Rect{list.left, list.top, list.right + 30, list.bottom}));
}

TEST_F(ResizableTest, ModalRunLocksNavigationAndCancelCallsTheFrame) {
  static std::vector<int> calls;
  calls.clear();
  g_frame_hooks.lock_navigation = [](int code) { calls.push_back(100 + code); };
  g_frame_hooks.unlock_navigation = [](int show) { calls.push_back(200 + show); };
  ListDialog d(kBareTemplate);
  d.SetCancelCallback([](int code) { calls.push_back(300 + code); });
  ui.OnNextModal([&](Dialog&) { ui.Key(kVkEscape); });
  EXPECT_EQ(d.DoModal(), kIdCancel);
  EXPECT_EQ(calls, (std::vector<int>{100, 301, 201}));

  calls.clear();
  ui.OnNextModal([](Dialog& box) {
    EXPECT_EQ(box.GetStyle() & kWsCaption, kWsCaption);
    EXPECT_EQ(box.GetClientRect(), (Rect{0, 0, 300, 163}));  // the caption took no room from it
    box.EndDialog(kIdOk);
  });
  EXPECT_EQ(d.DoModalCaptioned(false), kIdOk);
  EXPECT_EQ(calls, (std::vector<int>{}));
  EXPECT_TRUE(ui.Problems().empty());
}

// A maximum size holds the window from above as the minimum does from
// below; the maximised place is what the window manager is told; ResetAll
// lifts every limit.
TEST_F(ResizableTest, MaximumSizeMaximisedPlaceAndReset) {
  ListDialog d;
  ASSERT_TRUE(d.Create(nullptr));
  Rect start = d.GetWindowRect();
  d.SetMaximumSize({start.Width() + 20, start.Height() + 10});
  Resize(d, 50, 50);
  EXPECT_EQ(d.GetWindowRect().Width(), start.Width() + 20);
  EXPECT_EQ(d.GetWindowRect().Height(), start.Height() + 10);
  d.SetMaximizedRect(Rect{10, 20, 410, 320});
  MinMaxInfo info{};
  d.SendMessage(kMsgGetMinMaxInfo, 0, LParam(&info));
  EXPECT_EQ(info.max_position.x, 10);
  EXPECT_EQ(info.max_position.y, 20);
  EXPECT_EQ(info.max_size.x, 400);
  EXPECT_EQ(info.max_size.y, 300);
  EXPECT_EQ(info.max_track_size.x, start.Width() + 20);
  EXPECT_EQ(info.min_track_size.x, start.Width());

  d.ResetAll();
  MinMaxInfo none{};
  d.SendMessage(kMsgGetMinMaxInfo, 0, LParam(&none));
  EXPECT_EQ(none.max_size.x, 0);
  EXPECT_EQ(none.min_track_size.x, 0);
  Resize(d, -80, -60);  // no minimum any more
  EXPECT_EQ(d.GetWindowRect().Width(), start.Width() + 20 - 80);
}

// A callback entry of the layout is placed by the dialog's own hook, in its
// turn among the anchored controls; a hook that declines leaves it alone.
class HookedDialog : public ListDialog {
 public:
  bool place = true;
  int asked = 0;

 protected:
  bool OnInitDialog() override {
    CResizableDialog::OnInitDialog();
    note_ = GetDlgItem(kNote)->GetRectInParent();
    client_ = GetClientRect();
    AddAnchorCallback(7);
    return true;
  }
  // The note moves with the bottom-right corner from where the template
  // put it.
  bool ArrangeControlHook(LayoutInfo& info) override {
    ++asked;
    if (!place || info.callback_id != 7) return false;
    info.window = GetDlgItem(kNote)->handle();
    info.top_left = info.bottom_right = kAnchorBottomRight;
    info.top_left_margin = {note_.left - client_.Width(), note_.top - client_.Height()};
    info.bottom_right_margin = {note_.right - client_.Width(), note_.bottom - client_.Height()};
    return true;
  }

 private:
  Rect note_, client_;
};

TEST_F(ResizableTest, CallbackEntryIsPlacedByTheHook) {
  HookedDialog d;
  ASSERT_TRUE(d.Create(nullptr));
  Rect note = Item(d, kNote);
  d.place = false;
  Resize(d, 40, 30);
  EXPECT_GT(d.asked, 0);
  EXPECT_EQ(Item(d, kNote), note);
  d.place = true;
  Resize(d, 10, 10);
  EXPECT_EQ(Item(d, kNote), (Rect{note.left + 50, note.top + 40, note.right + 50, note.bottom + 40}));
}

}  // namespace
