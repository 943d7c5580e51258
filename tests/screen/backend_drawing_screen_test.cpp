// What the FLTK backend paints for each drawing operation, read back from a
// real window: fills, frames and lines where they end, both gradients step
// by step, the checker, the raised and pressed button frames, the check and
// radio boxes in each state, text on its opaque background and underlined,
// and the images drawn by name (each step group's badge colour at its
// bounds, the help, menu and service signs, the timetable icon) or loaded
// from a picture file, at its own size or scaled. Then the mouse and keys
// the window turns into the core's input: right and double clicks, the
// wheel's notches, the middle button ignored, typed characters,
// Backspace and Enter; the title, place and state the core gives the window,
// the program's icon, a borderless dialog, a window shown minimised from the
// start and windows made before the screen starts; a part moved shown in its
// new place. Without a display every test skips.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/fltk/fltk_backend.h"
#include "platform/fltk/replay_plan.h"
#include "screen/png_file.h"
#include "screen/screen_support.h"
#include "screen/x_input.h"

namespace kt::ui::screen {
namespace {

constexpr Color kGround = rgb(250, 250, 210);
constexpr Color kInk = rgb(200, 0, 0);
constexpr Color kPicture = rgb(10, 200, 30);

// One image drawn by name in a 32-pixel square, and the colour its badge
// (or, for the icon, its head) shows near the top-left corner.
struct Named {
  const char* name;
  Color fill;
};
const Named kNamed[] = {
    {"ac_1", rgb(30, 100, 180)},      {"ac_6", rgb(30, 100, 180)},    {"ac_7", rgb(210, 110, 20)},
    {"ac_10", rgb(210, 110, 20)},     {"ac_11", rgb(40, 140, 70)},    {"ac_20", rgb(40, 140, 70)},
    {"ac_21", rgb(120, 70, 160)},     {"ac_riepilogo", rgb(30, 100, 180)}, {"ac_ leggete", rgb(0, 130, 140)},
    {"ac_ come fare", rgb(90, 90, 160)}, {"IKOP_12", rgb(40, 140, 70)}, {"IKOP_RIEPILOGO", rgb(30, 100, 180)},
    {"IKOP_confora", rgb(30, 100, 180)}, {"IKOP_elaora", rgb(190, 50, 50)}, {"IKOP_servizi", rgb(0, 130, 140)},
    {"zeta", rgb(90, 110, 130)},      {"IKOP_file", rgb(30, 100, 180)}, {"icon", rgb(30, 100, 180)},
};
constexpr int kNamedPerRow = 9;

Rect named_cell(int i) {
  int x = 4 + (i % kNamedPerRow) * 40, y = 4 + (i / kNamedPerRow) * 40;
  return {x, y, x + 32, y + 32};
}

// The other operations, each in a place of its own below the images.
const Rect kFill{4, 90, 24, 110}, kFrame{30, 90, 50, 110}, kThinLine{60, 95, 90, 95}, kThickLine{60, 104, 90, 104};
const Rect kAcross{100, 90, 140, 110}, kDown{150, 90, 170, 130}, kChecker{180, 90, 200, 110};
const Rect kRaised{210, 90, 250, 110}, kPressed{260, 90, 300, 110};
const Rect kBoxes[] = {{310, 90, 323, 103}, {330, 90, 343, 103}, {350, 90, 363, 103}, {310, 110, 323, 123},
                       {330, 110, 343, 123}};
const Rect kOpaqueText{4, 140, 150, 160}, kClearText{160, 140, 300, 160};
const Rect kOwnPicture{4, 170, 8, 174}, kScaledPicture{20, 170, 40, 190}, kNotAPicture{50, 170, 82, 202};

class Canvas : public Window {
 public:
  std::string picture, not_a_picture;
  std::vector<std::pair<std::uint32_t, WParam>> mouse;  // the message and its first parameter
  std::vector<int> chars;

  void OnPaint(DeviceContext& dc) override {
    dc.FillRect(GetClientRect(), kGround);
    for (int i = 0; i < int(std::size(kNamed)); ++i) dc.DrawBitmap(named_cell(i), 0, kNamed[i].name);
    dc.DrawBitmap({380, 170, 385, 175}, 0, "ac_3");  // too small for a badge
    dc.FillRect(kFill, kInk);
    dc.FrameRect(kFrame, kInk);
    dc.Line({kThinLine.left, kThinLine.top}, {kThinLine.right, kThinLine.bottom}, kInk);
    dc.Line({kThickLine.left, kThickLine.top}, {kThickLine.right, kThickLine.bottom}, kInk, 3);
    dc.GradientFill(kAcross, rgb(0, 0, 0), rgb(0, 0, 200), false);
    dc.GradientFill(kDown, rgb(200, 0, 0), rgb(0, 200, 0), true);
    dc.Checker(kChecker, kInk);
    dc.DrawButtonFrame(kRaised, false);
    dc.DrawButtonFrame(kPressed, true);
    dc.SetTextColor(kInk);
    dc.DrawCheckMark(kBoxes[0], 0, false);
    dc.DrawCheckMark(kBoxes[1], 1, false);
    dc.DrawCheckMark(kBoxes[2], 2, false);
    dc.DrawCheckMark(kBoxes[3], 0, true);
    dc.DrawCheckMark(kBoxes[4], 1, true);
    dc.SetBkMode(kBkOpaque);
    dc.SetBkColor(rgb(0, 0, 120));
    Font underlined;
    underlined.underline = true;
    dc.SelectFont(underlined);
    dc.DrawText("Lun\tMar", kOpaqueText, kDtSingleLine);
    dc.SelectFont(Font{});
    dc.SetBkMode(kBkTransparent);
    dc.DrawText("Mer", kClearText, kDtSingleLine);
    dc.DrawBitmap(kOwnPicture, 0, picture);
    dc.DrawBitmap(kScaledPicture, 0, picture);
    dc.DrawBitmap(kScaledPicture, 0, picture);  // the second time from the loaded ones
    dc.DrawBitmap(kNotAPicture, 0, not_a_picture);
  }

 protected:
  LResult WindowProc(std::uint32_t message, WParam w, LParam l) override {
    switch (message) {
      case kMsgLButtonDown: case kMsgLButtonUp: case kMsgLButtonDblClk: case kMsgRButtonDown:
      case kMsgRButtonUp: case kMsgMouseWheel:
        mouse.emplace_back(message, w);
        break;
      case kMsgChar:
        chars.push_back(int(w));
        break;
      default:
        break;
    }
    return Window::WindowProc(message, w, l);
  }
};

// The state (WM_STATE) the window manager gives its client of that title,
// -1 when it has none.
int client_state(Display* x, const std::string& title) {
  XSync(x, False);
  std::vector<unsigned long> clients = property_words(x, DefaultRootWindow(x), "_NET_CLIENT_LIST");
  for (unsigned long c : clients) {
    char* name = nullptr;
    bool match = XFetchName(x, ::Window(c), &name) && name && title == name;
    if (name) XFree(name);
    if (!match) continue;
    std::vector<unsigned long> state = property_words(x, ::Window(c), "WM_STATE");
    return state.empty() ? -1 : int(state[0]);
  }
  return -1;
}

class BackendOnScreen : public OnScreenTest {
 protected:
  void SetUp() override {
    OnScreenTest::SetUp();
    if (!started_) return;
    folder_ = std::filesystem::temp_directory_path() / ("kt-drawing-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    canvas.picture = (folder_ / "quadro.png").string();
    std::vector<unsigned char> rgb4;
    for (int i = 0; i < 16; ++i) rgb4.insert(rgb4.end(), {10, 200, 30});
    ASSERT_TRUE(write_png(canvas.picture, 4, 4, rgb4));
    canvas.not_a_picture = (folder_ / "nota.png").string();
    std::ofstream(canvas.not_a_picture) << "not an image\n";
    CreateParams p;
    p.style = kWsPopup | kWsCaption | kWsVisible;
    p.rect = {50, 50, 450, 300};
    ASSERT_TRUE(canvas.CreateEx(p));
    canvas.ShowWindow(kSwShow);
    pump_pending();
    ASSERT_TRUE(read_window_pixels(canvas, pixels));
    x_ = XOpenDisplay(nullptr);
    ASSERT_NE(x_, nullptr);
  }
  void TearDown() override {
    if (x_) XCloseDisplay(x_);
    if (started_) canvas.DestroyWindow();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    OnScreenTest::TearDown();
  }
  int Count(const Rect& r, Color c) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += channel_distance(pixels.At(x, y), c) <= 8;
    return n;
  }
  bool Is(int x, int y, Color c) const { return channel_distance(pixels.At(x, y), c) <= 8; }

  Canvas canvas;
  WindowPixels pixels;
  Display* x_ = nullptr;
  std::filesystem::path folder_;
};

TEST_F(BackendOnScreen, ImagesDrawnByNameShowTheirGroupsColours) {
  for (int i = 0; i < int(std::size(kNamed)); ++i) {
    Rect r = named_cell(i);
    SCOPED_TRACE(kNamed[i].name);
    EXPECT_TRUE(Is(r.left + 2, r.top + 2, kNamed[i].fill)) << std::hex << pixels.At(r.left + 2, r.top + 2);
    bool icon = std::string(kNamed[i].name) == "icon" || std::string(kNamed[i].name) == "IKOP_file";
    if (icon) {
      // A white grid under a blue head, its first cell of the first day yellow.
      EXPECT_TRUE(Is(r.left + 29, r.top + 29, rgb(255, 255, 255)));
      EXPECT_TRUE(Is(r.left + 32 / 5 + 3, r.top + 32 / 5 + 3, rgb(240, 190, 40)));
      EXPECT_TRUE(Is(r.left, r.top + 20, rgb(120, 120, 120)));
    } else {
      // A rounded badge: its corner is the ground, its label white.
      EXPECT_TRUE(Is(r.left, r.top, kGround));
      EXPECT_TRUE(Is(r.right - 1, r.bottom - 1, kGround));
      EXPECT_TRUE(Is(r.left + 1, r.top, kNamed[i].fill));
      EXPECT_GT(Count(r, rgb(255, 255, 255)), 6);
    }
  }
  EXPECT_EQ(Count({380, 170, 385, 175}, kGround), 25);
}

// On a true-colour screen every flat colour reaches the screen exactly as
// asked: each badge's and the icon's, the fills, frames and lines, the
// checker, the button frames' four greys and the gradients' steps.
TEST_F(BackendOnScreen, FlatColoursReachTheScreenExactly) {
  auto exact = [&](int x, int y, Color c) {
    Color got = pixels.At(x, y);
    return ::testing::AssertionResult(channel_distance(got, c) == 0)
           << "at " << x << "," << y << ": " << red_of(got) << "," << green_of(got) << "," << blue_of(got);
  };
  for (int i = 0; i < int(std::size(kNamed)); ++i) {
    Rect r = named_cell(i);
    SCOPED_TRACE(kNamed[i].name);
    EXPECT_TRUE(exact(r.left + 2, r.top + 2, kNamed[i].fill));
    std::string name = kNamed[i].name;
    if (name != "icon" && name != "IKOP_file") {
      // The badge's top row and bottom row.
      EXPECT_TRUE(exact(r.left + 1, r.top, kNamed[i].fill));
      EXPECT_TRUE(exact(r.right - 2, r.bottom - 1, kNamed[i].fill));
    } else {
      EXPECT_TRUE(exact(r.left + 29, r.top + 29, rgb(255, 255, 255)));
      EXPECT_TRUE(exact(r.left + 32 / 5 + 3, r.top + 32 / 5 + 3, rgb(240, 190, 40)));
      EXPECT_TRUE(exact(r.left, r.top + 20, rgb(120, 120, 120)));
    }
  }
  EXPECT_TRUE(exact(kFill.left + 3, kFill.top + 3, kInk));
  EXPECT_TRUE(exact(kFrame.left, kFrame.top + 5, kInk));
  EXPECT_TRUE(exact(kThinLine.left + 5, kThinLine.top, kInk));
  EXPECT_TRUE(exact(kThickLine.left + 5, kThickLine.top, kInk));
  for (int x = kChecker.left; x < kChecker.left + 4; ++x) EXPECT_TRUE(exact(x, kChecker.top, checker_pixel(x, kChecker.top) ? kInk : kGround));
  EXPECT_TRUE(exact(kRaised.left, kRaised.top, rgb(255, 255, 255)));
  EXPECT_TRUE(exact(kRaised.right - 1, kRaised.bottom - 1, rgb(105, 105, 105)));
  EXPECT_TRUE(exact(kRaised.left + 1, kRaised.top + 1, rgb(227, 227, 227)));
  EXPECT_TRUE(exact(kRaised.right - 2, kRaised.bottom - 2, rgb(160, 160, 160)));
  EXPECT_TRUE(exact(kPressed.left, kPressed.top, rgb(105, 105, 105)));
  EXPECT_TRUE(exact(kPressed.left + 1, kPressed.top + 1, rgb(160, 160, 160)));
  for (int i = 0; i < kAcross.Width(); ++i)
    EXPECT_TRUE(exact(kAcross.left + i, kAcross.top + 3, gradient_step(rgb(0, 0, 0), rgb(0, 0, 200), i, kAcross.Width())));
  for (int i = 0; i < kDown.Height(); ++i)
    EXPECT_TRUE(exact(kDown.left + 3, kDown.top + i, gradient_step(rgb(200, 0, 0), rgb(0, 200, 0), i, kDown.Height())));
}

TEST_F(BackendOnScreen, PictureFilesAreDrawnAtTheirSizeOrScaled) {
  EXPECT_EQ(Count(kOwnPicture, kPicture), 16);
  EXPECT_TRUE(Is(kOwnPicture.right, kOwnPicture.top, kGround));
  EXPECT_GE(Count(kScaledPicture, kPicture), 19 * 19);
  // A file that is no picture gets the badge of its name's first letter.
  EXPECT_TRUE(Is(kNotAPicture.left + 2, kNotAPicture.top + 2, rgb(90, 110, 130)));
}

TEST_F(BackendOnScreen, FillsFramesLinesGradientsAndTheChecker) {
  EXPECT_EQ(Count(kFill, kInk), 400);
  EXPECT_EQ(Count(kFrame, kInk), 4 * 19);
  EXPECT_TRUE(Is(kFrame.left + 5, kFrame.top + 5, kGround));
  // A line stops short of its end; a wide one is as wide as asked.
  EXPECT_EQ(Count({kThinLine.left, kThinLine.top - 2, kThinLine.right + 2, kThinLine.top + 3}, kInk), 30);
  int thick = Count({kThickLine.left + 5, kThickLine.top - 4, kThickLine.left + 6, kThickLine.top + 5}, kInk);
  EXPECT_EQ(thick, 3);
  for (int i = 0; i < kAcross.Width(); ++i)
    EXPECT_TRUE(Is(kAcross.left + i, kAcross.top + 3, gradient_step(rgb(0, 0, 0), rgb(0, 0, 200), i, kAcross.Width())))
        << i;
  for (int i = 0; i < kDown.Height(); ++i)
    EXPECT_TRUE(Is(kDown.left + 3, kDown.top + i, gradient_step(rgb(200, 0, 0), rgb(0, 200, 0), i, kDown.Height())))
        << i;
  for (int y = kChecker.top; y < kChecker.bottom; ++y)
    for (int x = kChecker.left; x < kChecker.right; ++x)
      EXPECT_TRUE(Is(x, y, checker_pixel(x, y) ? kInk : kGround)) << x << "," << y;
}

TEST_F(BackendOnScreen, ButtonFramesAndCheckBoxesInEachState) {
  // Raised: white and light grey above and left, dark and mid grey below
  // and right; pressed: two grey rings. The face inside is left alone.
  const struct {
    const char* id;
    Rect r;
    Color outer_top, outer_bottom, inner_top, inner_bottom;
  } frames[] = {
      {"raised", kRaised, rgb(255, 255, 255), rgb(105, 105, 105), rgb(227, 227, 227), rgb(160, 160, 160)},
      {"pressed", kPressed, rgb(105, 105, 105), rgb(105, 105, 105), rgb(160, 160, 160), rgb(160, 160, 160)},
  };
  for (const auto& f : frames) {
    EXPECT_TRUE(Is(f.r.left, f.r.top, f.outer_top)) << f.id;
    EXPECT_TRUE(Is(f.r.right - 1, f.r.bottom - 1, f.outer_bottom)) << f.id;
    EXPECT_TRUE(Is(f.r.left + 1, f.r.top + 1, f.inner_top)) << f.id;
    EXPECT_TRUE(Is(f.r.right - 2, f.r.bottom - 2, f.inner_bottom)) << f.id;
    EXPECT_TRUE(Is(f.r.left + 10, f.r.top + 10, kGround)) << f.id;
  }

  auto inside = [](const Rect& b) { return Rect{b.left + 1, b.top + 1, b.right - 1, b.bottom - 1}; };
  EXPECT_EQ(Count(inside(kBoxes[0]), kWindowColor), 11 * 11);  // unchecked: white
  EXPECT_TRUE(Is(kBoxes[0].left, kBoxes[0].top, kButtonShadowColor));
  EXPECT_GT(Count(inside(kBoxes[1]), kInk), 8);  // checked: the mark in the text colour
  EXPECT_EQ(Count(inside(kBoxes[2]), kInk), 0);  // the third state: a grey square
  EXPECT_EQ(Count({kBoxes[2].left + 3, kBoxes[2].top + 3, kBoxes[2].right - 3, kBoxes[2].bottom - 3},
                  kButtonShadowColor), 7 * 7);
  Point off{kBoxes[3].left + 6, kBoxes[3].top + 6}, on{kBoxes[4].left + 6, kBoxes[4].top + 6};
  EXPECT_TRUE(Is(off.x, off.y, kWindowColor));
  EXPECT_TRUE(Is(on.x, on.y, kInk));
  EXPECT_EQ(Count(kBoxes[3], kInk), 0);
}

TEST_F(BackendOnScreen, TextOnItsBackgroundAndUnderlined) {
  int lh = backend().metrics().LineHeight(Font{});
  Rect opaque{kOpaqueText.left, kOpaqueText.top, kOpaqueText.left + backend().metrics().TextWidth(Font{}, "Lun Mar"),
              kOpaqueText.top + lh};
  EXPECT_GT(Count(opaque, rgb(0, 0, 120)), opaque.Width() * opaque.Height() / 2);
  EXPECT_GT(Count(opaque, kInk), 10);
  // The underline runs under the whole text, to its last pixel.
  bool underline = false;
  for (int y = opaque.top; y < opaque.bottom + 2; ++y)
    underline = underline || Count({opaque.left, y, opaque.right, y + 1}, kInk) >= opaque.Width() - 1;
  EXPECT_TRUE(underline);
  Rect clear{kClearText.left, kClearText.top, kClearText.right, kClearText.top + lh};
  EXPECT_EQ(Count(clear, rgb(0, 0, 120)), 0);
  int ink = 0;  // the glyphs' pixels, smoothed at their edges
  for (int y = clear.top; y < clear.bottom; ++y)
    for (int x = clear.left; x < clear.right; ++x) {
      Color c = pixels.At(x, y);
      ink += red_of(c) > 2 * green_of(c) + 20;
    }
  EXPECT_GT(ink, 8);
  EXPECT_EQ(Count({kClearText.left + 60, kClearText.top, kClearText.right, kClearText.top + lh}, kGround),
            (kClearText.Width() - 60) * lh);
}

// The X window follows what the core does to its window: a new title, a
// move and resize, minimised and restored, hidden and shown again, gone
// with it.
TEST_F(BackendOnScreen, TheWindowFollowsTheCoresTitlePlaceAndState) {
  ::Window xid = native_window(canvas);
  canvas.SetWindowText("Orario definitivo \xE8 pronto");
  // The title reaches this test's own connection to the server once the
  // server has handled the program's request, which on a loaded machine can
  // be after the program's connection has sent it.
  auto title = [&] {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(x_, xid, XInternAtom(x_, "_NET_WM_NAME", False), 0, 256, False,
                           XInternAtom(x_, "UTF8_STRING", False), &type, &format, &count, &left, &data) == Success &&
        data)
      text.assign(reinterpret_cast<char*>(data), count);
    if (data) XFree(data);
    return text;
  };
  EXPECT_TRUE(pump_until([&] { return title() == "Orario definitivo \xC3\xA8 pronto"; })) << title();

  auto where = [&] {
    int x = 0, y = 0;
    ::Window child = 0;
    XTranslateCoordinates(x_, xid, DefaultRootWindow(x_), 0, 0, &x, &y, &child);
    XWindowAttributes a{};
    XGetWindowAttributes(x_, xid, &a);
    return Rect{x, y, x + a.width, y + a.height};
  };
  Rect outer = canvas.GetWindowRect();
  canvas.MoveWindow(Rect{outer.left + 30, outer.top + 20, outer.right + 60, outer.bottom + 10});
  Rect client = canvas.ClientToScreen(canvas.GetClientRect());
  EXPECT_TRUE(pump_until([&] { return where() == client; })) << where().left << "," << where().top;

  // Hidden, the window is gone from the screen; shown again, it is back.
  canvas.ShowWindow(kSwHide);
  EXPECT_TRUE(pump_until([&] { return native_window(canvas) == 0; }));
  canvas.ShowWindow(kSwShow);
  ASSERT_TRUE(pump_until([&] { return native_window(canvas) != 0; }));
  xid = native_window(canvas);
  auto viewable = [&] {
    XWindowAttributes a{};
    XGetWindowAttributes(x_, xid, &a);
    return a.map_state == IsViewable;
  };
  EXPECT_TRUE(pump_until(viewable));

  // Minimised, the window manager takes it off the screen; restored by the
  // core, it is there again.
  WindowManager wm;
  if (window_manager_running()) {
    canvas.ShowWindow(kSwMinimize);
    EXPECT_TRUE(pump_until([&] { return !viewable(); }));
    canvas.ShowWindow(kSwRestore);
    EXPECT_TRUE(pump_until(viewable));
    EXPECT_FALSE(canvas.IsIconic());
    // A window shown minimised from the start is iconic for the window
    // manager (found among its clients by its title).
    Window small;
    CreateParams p;
    p.style = kWsPopup | kWsCaption;
    p.rect = {500, 60, 600, 120};
    ASSERT_TRUE(small.CreateEx(p));
    small.SetWindowText("Ridotta a icona");
    small.ShowWindow(kSwShowMinimized);
    // It asks for that state in the hints it is mapped with, so no window
    // manager sees it on the screen first.
    ASSERT_TRUE(pump_until([&] { return native_window(small) != 0; }));
    std::vector<unsigned long> hints = property_words(x_, native_window(small), "WM_HINTS");
    ASSERT_GE(hints.size(), 3u);
    EXPECT_TRUE(hints[0] & StateHint);
    EXPECT_EQ(hints[2], static_cast<unsigned long>(IconicState));
    // (Its restore is not checked: on a loaded machine the window manager
    // now and then leaves it iconic past the wait.)
    EXPECT_TRUE(pump_until([&] { return client_state(x_, "Ridotta a icona") == IconicState; }));
    // Made the active window by the program, it stays minimised.
    small.SetActiveWindow();
    for (int i = 0; i < 20; ++i) {
      pump_pending();
      fltk_flush(0.02);
    }
    EXPECT_EQ(client_state(x_, "Ridotta a icona"), IconicState);
    EXPECT_TRUE(small.IsIconic());
    small.DestroyWindow();
  } else {
    std::printf("no window manager on the display: minimise not tried\n");
  }
  canvas.DestroyWindow();
  EXPECT_EQ(native_window(canvas), 0u);
}

// A part of the window painted in one colour of its own.
class Patch : public Window {
 public:
  void OnPaint(DeviceContext& dc) override { dc.FillRect(GetClientRect(), rgb(20, 40, 220)); }
};

// A part moved by the program is shown in its new place at once, and its
// old place shows what is under it again.
TEST_F(BackendOnScreen, APartMovedIsShownInItsNewPlace) {
  Patch patch;
  ASSERT_TRUE(patch.CreateChild("Patch", "", kWsVisible, Rect{300, 170, 320, 190}, &canvas, 77));
  canvas.Invalidate();
  ASSERT_TRUE(read_window_pixels(canvas, pixels));
  ASSERT_TRUE(Is(310, 180, rgb(20, 40, 220)));
  patch.MoveWindow(Rect{340, 170, 360, 190}, true);
  ASSERT_TRUE(read_window_pixels(canvas, pixels));
  EXPECT_TRUE(Is(350, 180, rgb(20, 40, 220)));
  EXPECT_TRUE(Is(310, 180, kGround));
  patch.DestroyWindow();
}

// The window manager is told what kind of window each is: a dialog without
// a caption gets no decorations; and windows made before the screen was
// started are shown once it is.
TEST_F(BackendOnScreen, BorderlessMinimisedAndEarlierWindowsOnTheScreen) {
  std::vector<unsigned long> hints = property_words(x_, native_window(canvas), "_MOTIF_WM_HINTS");
  EXPECT_TRUE(hints.size() < 3 || !(hints[0] & 2) || hints[2] != 0) << "the captioned window keeps its frame";

  Window plain;
  CreateParams p;
  p.style = kWsPopup;
  p.rect = {500, 60, 600, 120};
  ASSERT_TRUE(plain.CreateEx(p));
  plain.ShowWindow(kSwShow);
  ASSERT_TRUE(pump_until([&] { return native_window(plain) != 0; }));
  hints = property_words(x_, native_window(plain), "_MOTIF_WM_HINTS");
  ASSERT_GE(hints.size(), 3u);
  EXPECT_TRUE(hints[0] & 2);  // decorations given ...
  EXPECT_EQ(hints[2], 0u);    // ... as none
  plain.DestroyWindow();

  // Made and shown while no screen runs, then the screen starts.
  stop_fltk_backend();
  Window early;
  p.style = kWsPopup | kWsCaption | kWsVisible;
  ASSERT_TRUE(early.CreateEx(p));
  early.ShowWindow(kSwShow);
  ASSERT_TRUE(start_fltk_backend());
  EXPECT_TRUE(pump_until([&] { return native_window(early) != 0; }));
  early.DestroyWindow();
}

// The program's icon the window manager shows: a blue square holding a
// white week grid of four days by four hours.
TEST_F(BackendOnScreen, TheWindowCarriesTheProgramsIcon) {
  std::vector<unsigned long> words = property_words(x_, native_window(canvas), "_NET_WM_ICON");
  ASSERT_EQ(words.size(), 2u + 32 * 32);
  EXPECT_EQ(words[0], 32u);
  EXPECT_EQ(words[1], 32u);
  auto at = [&](int x, int y) { return words[2 + y * 32 + x] & 0xFFFFFF; };
  const unsigned long white = 0xFFFFFF, blue = 0x003399;
  struct Case { int x, y; unsigned long rgb; } cases[] = {
      {0, 0, blue},   {31, 31, blue},  {3, 6, blue},   {4, 5, blue},   {4, 6, white},   {27, 27, white},
      {28, 27, blue}, {27, 28, blue},  {10, 8, white}, {16, 9, white}, {5, 11, white},  {6, 16, white},
      {5, 7, blue},   {11, 12, blue},  {26, 25, blue}, {12, 20, blue}, {20, 13, blue},  {4, 27, white},
  };
  for (const Case& c : cases) EXPECT_EQ(at(c.x, c.y), c.rgb) << c.x << "," << c.y;
}

TEST_F(BackendOnScreen, MouseAndKeysBecomeTheCoresInput) {
  ::Window xid = native_window(canvas);
  Point at{100, 60};
  Point root = canvas.ClientToScreen(at);
  auto reached = [&](std::size_t n) { return pump_until([&] { return canvas.mouse.size() >= n; }); };
  x_button(x_, xid, at, root, Button2);  // the middle button is not the core's
  x_button(x_, xid, at, root, Button3);
  ASSERT_TRUE(reached(2));
  EXPECT_EQ(canvas.mouse[0].first, kMsgRButtonDown);
  EXPECT_EQ(canvas.mouse[1].first, kMsgRButtonUp);
  x_button(x_, xid, at, root, Button4);
  x_button(x_, xid, at, root, Button5);
  ASSERT_TRUE(reached(4));
  EXPECT_EQ(canvas.mouse[2].first, kMsgMouseWheel);
  EXPECT_EQ(std::int16_t(canvas.mouse[2].second >> 16), 120);
  EXPECT_EQ(std::int16_t(canvas.mouse[3].second >> 16), -120);
  x_click(x_, xid, at, root);
  x_click(x_, xid, at, root);
  ASSERT_TRUE(reached(8));
  EXPECT_EQ(canvas.mouse[4].first, kMsgLButtonDown);
  EXPECT_EQ(canvas.mouse[5].first, kMsgLButtonUp);
  EXPECT_EQ(canvas.mouse[6].first, kMsgLButtonDblClk);
  EXPECT_EQ(canvas.mouse.size(), 8u);

  canvas.SetFocus();
  for (KeySym k : {KeySym(XK_a), KeySym(XK_BackSpace), KeySym(XK_Return), KeySym(XK_space), KeySym(XK_z)})
    x_key(x_, xid, k);
  EXPECT_TRUE(pump_until([&] { return canvas.chars.size() >= 5; }));
  EXPECT_EQ(canvas.chars, (std::vector<int>{'a', '\b', '\r', ' ', 'z'}));
}

}  // namespace
}  // namespace kt::ui::screen
