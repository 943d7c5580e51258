// Where a dialog's window goes and how big it is, by the way it is made: a
// child page inside its frame, a top-level window of its own (centred on
// the work area, or over its owner's client area), a modal run of a page's
// template, a style or rectangle given for the next creation; the client
// area keeps the template's size whatever frame is put round it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/test_driver.h"

namespace kt::ui {
namespace {

// One template per frame style, all 100 x 60 dialog units at (10, 20): with
// the headless metrics a dialog unit is 6/4 pixels across and 13/8 down, so
// the client area is 150 x 98 pixels and the place (15, 33).
constexpr int kPlain = 9371, kBordered = 9372, kCaptioned = 9373, kThick = 9374, kModalFrame = 9375,
              kChildPage = 9376, kShownAtOnce = 9377;
constexpr int kClientWidth = 150, kClientHeight = 98, kLeft = 15, kTop = 33;
const ControlTemplate kField[] = {{"Edit", 4301, "", kWsTabStop, 4, 4, 40, 12}};
const DialogTemplate kTemplates[] = {
    {kPlain, "Semplice", kWsPopup, 10, 20, 100, 60, kField},
    {kBordered, "Bordo", kWsPopup | kWsBorder, 10, 20, 100, 60, kField},
    {kCaptioned, "Titolo", kWsPopup | kWsCaption, 10, 20, 100, 60, kField},
    {kThick, "Spesso", kWsPopup | kWsThickFrame, 10, 20, 100, 60, kField},
    {kModalFrame, "Modale", kWsPopup | kDsModalFrame, 10, 20, 100, 60, kField},
    {kChildPage, "Pagina", kWsChild, 10, 20, 100, 60, kField},
    {kShownAtOnce, "Subito", kWsPopup | kWsCaption | kWsVisible, 10, 20, 100, 60, kField},
};

// The program's frame: a captioned top-level window at (10, 20), whose
// client area starts 3 pixels in and 3 + 19 down.
bool make_frame(Window& frame) {
  CreateParams p;
  p.style = kWsPopup | kWsCaption | kWsVisible;
  p.rect = {10, 20, 610, 470};
  return frame.CreateEx(p);
}
constexpr int kFrameClientX = 13, kFrameClientY = 42;

class DialogFrames : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(make_frame(frame));
  }
  TestDriver ui;
  Window frame;
};

TEST_F(DialogFrames, TheClientAreaKeepsTheTemplatesSizeWhateverTheFrame) {
  struct Case {
    int id;
    int extra_width, extra_height;  // the frame round the client area
  } cases[] = {
      {kPlain, 0, 0},  {kBordered, 6, 6},    {kCaptioned, 6, 6 + 19},
      {kThick, 6, 6},  {kModalFrame, 6, 6},
  };
  Rect work = ui.headless().WorkArea();
  for (const Case& c : cases) {
    Dialog box(c.id);
    ASSERT_TRUE(box.Create(nullptr)) << c.id;
    Rect client = box.GetClientRect(), outer = box.GetWindowRect();
    EXPECT_EQ(client, (Rect{0, 0, kClientWidth, kClientHeight})) << c.id;
    EXPECT_EQ(outer.Width(), kClientWidth + c.extra_width) << c.id;
    EXPECT_EQ(outer.Height(), kClientHeight + c.extra_height) << c.id;
    // Without an owner it stands in the middle of the work area.
    EXPECT_EQ(outer.left, work.left + (work.Width() - outer.Width()) / 2) << c.id;
    EXPECT_EQ(outer.top, work.top + (work.Height() - outer.Height()) / 2) << c.id;
    EXPECT_EQ(box.GetParent(), nullptr) << c.id;
    EXPECT_EQ(box.GetDlgCtrlID(), 0) << c.id;
    EXPECT_FALSE(box.IsWindowVisible()) << "made hidden unless its template shows it: " << c.id;
    // Its field is laid out in the same units: (4, 4) is 6 x 7 pixels in.
    EXPECT_EQ(box.GetDlgItem(4301)->GetRectInParent(), (Rect{6, 7, 66, 27})) << c.id;
    box.DestroyWindow();
  }
  // The work area moved: the centre moves with it.
  ui.headless().SetWorkArea({100, 50, 700, 650});
  Dialog box(kCaptioned);
  ASSERT_TRUE(box.Create(nullptr));
  EXPECT_EQ(box.GetWindowRect(), (Rect{100 + (600 - 156) / 2, 50 + (600 - 123) / 2, 100 + (600 - 156) / 2 + 156,
                                       50 + (600 - 123) / 2 + 123}));
  box.DestroyWindow();
}

TEST_F(DialogFrames, AnOwnedWindowStandsOverItsOwnersClientArea) {
  Dialog box(kCaptioned);
  ASSERT_TRUE(box.Create(&frame));
  EXPECT_EQ(box.GetParent(), nullptr) << "a top-level window, not a child of the frame";
  EXPECT_EQ(box.GetOwner(), &frame);
  EXPECT_EQ(box.GetDlgCtrlID(), 0);
  Rect outer = box.GetWindowRect();
  EXPECT_EQ(outer.left, kFrameClientX + kLeft);
  EXPECT_EQ(outer.top, kFrameClientY + kTop);
  EXPECT_EQ(outer.Width(), kClientWidth + 6);
  EXPECT_EQ(outer.Height(), kClientHeight + 6 + 19);
  EXPECT_EQ(box.GetClientRect(), (Rect{0, 0, kClientWidth, kClientHeight}));
  EXPECT_FALSE(frame.IsChild(&box));
  box.DestroyWindow();
}

TEST_F(DialogFrames, AChildPageLiesInItsFrameAtTheTemplatesPlace) {
  Dialog page(kChildPage);
  ASSERT_TRUE(page.Create(&frame));
  EXPECT_EQ(page.GetParent(), &frame);
  EXPECT_TRUE(frame.IsChild(&page));
  EXPECT_EQ(page.GetDlgCtrlID(), kChildPage) << "a child page keeps its template's id";
  EXPECT_EQ(page.GetRectInParent(), (Rect{kLeft, kTop, kLeft + kClientWidth, kTop + kClientHeight}));
  EXPECT_EQ(page.GetWindowRect(), (Rect{kFrameClientX + kLeft, kFrameClientY + kTop,
                                        kFrameClientX + kLeft + kClientWidth, kFrameClientY + kTop + kClientHeight}));
  EXPECT_EQ(page.GetStyle() & (kWsChild | kWsPopup), kWsChild);
  page.DestroyWindow();

  // A rectangle given for the next creation wins over the template's place.
  Rect at{40, 30, 240, 130};
  page.SetCreationRect(&at);
  ASSERT_TRUE(page.Create(&frame));
  EXPECT_EQ(page.GetRectInParent(), at);
  page.DestroyWindow();
  page.SetCreationRect(nullptr);
  ASSERT_TRUE(page.Create(&frame));
  EXPECT_EQ(page.GetRectInParent(), (Rect{kLeft, kTop, kLeft + kClientWidth, kTop + kClientHeight}));
  page.DestroyWindow();

  // A child template made without a parent is a window of its own.
  ASSERT_TRUE(page.Create(nullptr));
  EXPECT_EQ(page.GetParent(), nullptr);
  EXPECT_EQ(page.GetStyle() & (kWsChild | kWsPopup), kWsPopup);
  EXPECT_EQ(page.GetDlgCtrlID(), 0);
  page.DestroyWindow();
}

TEST_F(DialogFrames, APageRunAsABoxIsATopLevelWindowOverItsOwner) {
  // Run modally, a page's child template becomes an owned window with a
  // caption given for the run.
  Dialog page(kChildPage, &frame);
  page.SetCreationStyle(0, kWsCaption);
  std::uint32_t style = 0;
  Window* parent = &frame;
  Window* owner = nullptr;
  Rect outer, client;
  ui.OnNextModal([&](Dialog& d) {
    style = d.GetStyle();
    parent = d.GetParent();
    owner = d.GetOwner();
    outer = d.GetWindowRect();
    client = d.GetClientRect();
    EXPECT_TRUE(d.IsWindowVisible()) << "a modal run shows its window";
    d.EndDialog(kIdOk);
  });
  EXPECT_EQ(page.DoModal(), kIdOk);
  EXPECT_EQ(style & (kWsChild | kWsPopup), kWsPopup);
  EXPECT_EQ(style & kWsCaption, kWsCaption);
  EXPECT_EQ(parent, nullptr);
  EXPECT_EQ(owner, &frame);
  EXPECT_EQ(client, (Rect{0, 0, kClientWidth, kClientHeight}));
  EXPECT_EQ(outer, (Rect{kFrameClientX + kLeft, kFrameClientY + kTop, kFrameClientX + kLeft + kClientWidth + 6,
                         kFrameClientY + kTop + kClientHeight + 6 + 19}));

  // A style taken away for the creation: the captioned box borderless.
  Dialog plain(kCaptioned);
  plain.SetCreationStyle(kWsCaption, 0);
  ASSERT_TRUE(plain.Create(nullptr));
  EXPECT_EQ(plain.GetStyle() & kWsCaption, 0u);
  EXPECT_EQ(plain.GetWindowRect().Width(), kClientWidth);
  EXPECT_EQ(plain.GetWindowRect().Height(), kClientHeight);
  plain.DestroyWindow();

  // A top-level box at a given place: the rectangle's corner, the template's size.
  Dialog placed(kBordered);
  Rect at{200, 100, 210, 110};
  placed.SetCreationRect(&at);
  ASSERT_TRUE(placed.Create(&frame));
  EXPECT_EQ(placed.GetWindowRect(), (Rect{200, 100, 200 + kClientWidth + 6, 100 + kClientHeight + 6}));
  placed.DestroyWindow();
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(DialogFrames, AVisibleTemplateIsShownWithItsFirstFieldFocused) {
  Dialog shown(kShownAtOnce), hidden(kCaptioned);
  ASSERT_TRUE(shown.Create(&frame));
  EXPECT_TRUE(shown.IsWindowVisible());
  EXPECT_EQ(Window::GetFocus(), shown.GetDlgItem(4301));
  ASSERT_TRUE(hidden.Create(&frame));
  EXPECT_FALSE(hidden.IsWindowVisible());
  EXPECT_EQ(Window::GetFocus(), shown.GetDlgItem(4301)) << "a hidden box takes no focus";
  // Shown later, it focuses the field it kept for that moment.
  hidden.ShowWindow(kSwShow);
  hidden.SetActiveWindow();
  ui.Pump();
  EXPECT_EQ(hidden.LastFocus(), hidden.GetDlgItem(4301));
  shown.DestroyWindow();
  hidden.DestroyWindow();
}

// A window told of each change of its place and of its size, and only of
// what changed: a move alone tells no new size, a new size alone no move.
class Sized : public Window {
 public:
  std::vector<std::string> log;

 protected:
  void OnSize(int type, int cx, int cy) override {
    log.push_back("size " + std::to_string(type) + " " + std::to_string(cx) + "x" + std::to_string(cy));
  }
  void OnMove(int x, int y) override { log.push_back("move " + std::to_string(x) + "," + std::to_string(y)); }
};

TEST_F(DialogFrames, AWindowIsToldWhatChangedOfItsPlaceAndSize) {
  Sized child;
  CreateParams p;
  p.parent = &frame;
  p.style = kWsChild | kWsVisible;
  p.rect = {10, 10, 110, 60};
  ASSERT_TRUE(child.CreateEx(p));
  struct Step {
    Rect to;
    std::vector<std::string> told;
  } steps[] = {
      {{20, 15, 120, 65}, {"move 20,15"}},
      {{20, 15, 220, 65}, {"size 0 200x50"}},
      {{0, 0, 50, 40}, {"move 0,0", "size 0 50x40"}},
      {{0, 0, 50, 40}, {}},
  };
  for (const Step& s : steps) {
    child.log.clear();
    child.MoveWindow(s.to);
    EXPECT_EQ(child.log, s.told) << s.to.left << "," << s.to.top << " " << s.to.Width() << "x" << s.to.Height();
    EXPECT_EQ(child.GetRectInParent(), s.to);
  }
  child.log.clear();
  EXPECT_TRUE(child.SetWindowPos(nullptr, 5, 6, 0, 0, kSwpNoSize | kSwpNoZOrder));
  EXPECT_EQ(child.log, (std::vector<std::string>{"move 5,6"}));
  child.DestroyWindow();
}

}  // namespace
}  // namespace kt::ui
