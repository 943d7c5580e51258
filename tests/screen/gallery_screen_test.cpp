// The gallery on a real display (Xvfb in CI): the FLTK backend shows it, the
// window's pixels are read back and written to gallery.png in the build
// folder, and a few colours are checked where the display list puts them:
// the page background, the owner-drawn button, the marked and the selected
// list cells, the top of the gradient panel. Then the backend's input is
// checked end to end with events sent through the X server as the window
// manager and the user would send them: a click toggles a check box, Esc
// and the close box reach the dialog's Cancel (FLTK's own Esc handling
// never hides the window), typed keys land in the native entry and reach
// the edit field. Without a display every test skips.
//
// X answers in its own time: the tests wait for an effect with the capped
// wait of screen_support.h, so a broken backend fails instead of hanging.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <functional>
#include <string>
#include <thread>

#include "platform/fltk/fltk_backend.h"
#include "screen/gallery.h"
#include "screen/png_file.h"
#include "screen/screen_support.h"
#include "screen/x_input.h"

namespace kt::ui::gallery {
namespace {

using screen::channel_distance;
using screen::property_words;
using screen::pump_until;
using screen::x_click;
using screen::x_close;

// A gallery that records Cancel instead of ending.
class RecordingGallery : public GalleryDialog {
 public:
  int cancels = 0;

 protected:
  void OnCancel() override { ++cancels; }
};

class GalleryOnScreen : public screen::OnScreenTest {
 protected:
  void SetUp() override {
    OnScreenTest::SetUp();
    if (!started_) return;
    register_templates();
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.ShowWindow(kSwShow);
    pump_pending();
    ASSERT_TRUE(read_window_pixels(dialog, pixels));
    x_ = XOpenDisplay(nullptr);
    ASSERT_NE(x_, nullptr);
  }
  void TearDown() override {
    if (x_) XCloseDisplay(x_);
    if (started_) dialog.DestroyWindow();
    OnScreenTest::TearDown();
  }

  // A point of a control in the dialog's client coordinates.
  Point At(int id, int dx, int dy) {
    Rect r = dialog.GetDlgItem(id)->GetRectInParent();
    return {r.left + dx, r.top + dy};
  }
  void Click(Point p) { x_click(x_, native_window(dialog), p, dialog.ClientToScreen(p)); }
  void Key(KeySym sym, unsigned state = 0) { screen::x_key(x_, native_window(dialog), sym, state); }
  // Waits until a field's selection is the one given (the screen answers
  // in its own time).
  bool SelectionIs(Edit& field, int start, int end) {
    return pump_until([&] {
      int a = -1, b = -1;
      field.GetSel(a, b);
      return a == start && b == end;
    });
  }

  RecordingGallery dialog;
  WindowPixels pixels;
  Display* x_ = nullptr;
};

TEST_F(GalleryOnScreen, ShowsTheGalleryWithItsColours) {
  std::string shot = std::string(KT_BINARY_DIR) + "/gallery.png";
  EXPECT_TRUE(write_png(shot, pixels.width, pixels.height, pixels.rgb)) << shot;
  Rect client = dialog.GetClientRect();
  EXPECT_EQ(pixels.width, client.Width());
  EXPECT_EQ(pixels.height, client.Height());

  Rect marked, selected;
  ASSERT_TRUE(dialog.classes.GetSubItemRect(0, 1, marked));
  ASSERT_TRUE(dialog.classes.GetSubItemRect(2, 0, selected));
  marked = dialog.ScreenToClient(dialog.classes.ClientToScreen(marked));
  selected = dialog.ScreenToClient(dialog.classes.ClientToScreen(selected));
  struct { const char* id; Point at; Color want; } cases[] = {
      {"page top-left", {2, 2}, kPageBackground},
      {"page right margin", {client.right - 3, client.Height() / 2}, kPageBackground},
      {"colour button", At(kColourButton, 4, 4), kColourButtonFace},
      {"marked cell", {marked.left + 2, marked.top + 2}, kMarkedCell},
      {"selected cell", {selected.left + 2, selected.top + 2}, kHighlightColor},
      {"edit field", At(kNameEdit, 2, 2), kWindowColor},
  };
  for (const auto& c : cases) EXPECT_EQ(color_name(pixels.At(c.at.x, c.at.y)), color_name(c.want)) << c.id;
  // The gradient's first rows are within a few steps of its top colour.
  Color top = pixels.At(At(kPanel, 10, 1).x, At(kPanel, 10, 1).y);
  EXPECT_LE(channel_distance(top, kPanelTop), 8) << color_name(top);
}

// The open list of the drop-down is drawn above the list box below it (the
// screen there shows the list's black frame and its highlighted row, not
// the list box), and a click on one of its rows chooses it.
TEST_F(GalleryOnScreen, AnOpenDropDownIsDrawnAboveItsNeighbourAndClicksChoose) {
  auto* combo = static_cast<ComboBox*>(dialog.GetDlgItem(kDayCombo));
  Click(At(kDayCombo, 20, 6));
  ASSERT_TRUE(pump_until([&] { return combo->DropDownWindow() && native_window(*combo->DropDownWindow()); }));
  Window& open = *combo->DropDownWindow();
  WindowPixels own;
  ASSERT_TRUE(read_window_pixels(open, own));
  Rect list = open.GetWindowRect();
  Rect rooms = dialog.GetDlgItem(kRoomList)->GetWindowRect();
  Rect both = list.Intersect(rooms);
  ASSERT_GT(both.Height(), 0) << "the open list covers the list box below";
  WindowPixels shown;
  ASSERT_TRUE(read_screen_pixels(list, shown));
  EXPECT_TRUE(write_png(std::string(KT_BINARY_DIR) + "/gallery_dropdown.png", shown.width, shown.height, shown.rgb));
  int y = both.top + 2 - list.top;
  EXPECT_EQ(color_name(shown.At(0, y)), color_name(kWindowTextColor)) << "the list's frame";
  Rect row1 = open.ScreenToClient(list);
  int row_h = (row1.Height() - 2) / combo->GetCount();
  int selected_y = 1 + row_h + row_h / 2;  // Martedì, the chosen row
  EXPECT_EQ(color_name(shown.At(shown.width - 6, selected_y)), color_name(kHighlightColor));
  // A click on the third row chooses it and closes the list.
  int row3_y = 1 + 2 * row_h + row_h / 2;
  x_click(x_, native_window(open), {10, row3_y}, {list.left + 10, list.top + row3_y});
  EXPECT_TRUE(pump_until([&] { return !combo->GetDroppedState(); }));
  EXPECT_EQ(combo->GetCurSel(), 2);
  // Opened again, a click outside it closes it without a choice.
  Click(At(kDayCombo, 20, 6));
  ASSERT_TRUE(pump_until([&] { return combo->DropDownWindow() && native_window(*combo->DropDownWindow()); }));
  Click(At(kMondayCheck, 5, 5));
  EXPECT_TRUE(pump_until([&] { return !combo->GetDroppedState(); }));
  EXPECT_EQ(combo->GetCurSel(), 2);
  EXPECT_EQ(dialog.IsDlgButtonChecked(kMondayCheck), kBstChecked);
  // With the list closed, a click toggles the check box and chooses a radio button.
  Click(At(kMondayCheck, 5, 5));
  EXPECT_TRUE(pump_until([&] { return dialog.IsDlgButtonChecked(kMondayCheck) == kBstUnchecked; }));
  Click(At(kAfternoonRadio, 5, 5));
  EXPECT_TRUE(pump_until([&] { return dialog.IsDlgButtonChecked(kAfternoonRadio) == kBstChecked; }));
  EXPECT_EQ(dialog.IsDlgButtonChecked(kMorningRadio), kBstUnchecked);
}



// Esc and the close box reach the dialog's Cancel and the window stays.
// Typed keys reach the focused field through the native entry, which keeps
// the field's rules: upper case and the length limit.
TEST_F(GalleryOnScreen, EscCloseBoxAndTypedKeysReachTheDialog) {
  Key(XK_Escape);
  EXPECT_TRUE(pump_until([&] { return dialog.cancels == 1; }));
  EXPECT_TRUE(dialog.IsWindowVisible());
  x_close(x_, native_window(dialog));
  EXPECT_TRUE(pump_until([&] { return dialog.cancels == 2; }));
  auto* name = static_cast<Edit*>(dialog.GetDlgItem(kNameEdit));
  ASSERT_EQ(Window::GetFocus(), name);
  Key(XK_End);
  Key(XK_x);
  EXPECT_TRUE(pump_until([&] { return name->GetWindowText() == "Rossi Niccol\xF2x"; })) << name->GetWindowText();
  name->ModifyStyle(0, kEsUpperCase);
  Key(XK_y);
  EXPECT_TRUE(pump_until([&] { return name->GetWindowText() == "Rossi Niccol\xF2xY"; })) << name->GetWindowText();
  name->SetLimitText(name->GetWindowTextLength());
  Key(XK_z);
  Key(XK_Tab);  // handled after the z: once the focus moves, the z has been refused
  EXPECT_TRUE(pump_until([&] { return Window::GetFocus() == dialog.GetDlgItem(kDayCombo); }));
  EXPECT_EQ(name->GetWindowText(), "Rossi Niccol\xF2xY");
  // Multi-line fields are typed through the core.
  Click(At(kNotesEdit, 4, 4));
  ASSERT_TRUE(pump_until([&] { return Window::GetFocus() == dialog.GetDlgItem(kNotesEdit); }));
  Key(XK_z);
  EXPECT_TRUE(pump_until([&] { return dialog.GetDlgItemText(kNotesEdit).find('z') != std::string::npos; }));
}

// The native entry over the focused field keeps the field's rules and
// follows the core: a number field takes digits only, a key typed after Home
// lands in front, the caret shows and goes where the core puts the selection, a
// read-only field takes nothing and shows the button face.
TEST_F(GalleryOnScreen, TheNativeEntryKeepsTheFieldsRulesAndFollowsTheCore) {
  auto* name = static_cast<Edit*>(dialog.GetDlgItem(kNameEdit));
  ASSERT_EQ(Window::GetFocus(), name);
  auto shows = [&](const std::string& text) {
    return pump_until([&] { return name->GetWindowText() == text; });
  };
  // Empty, the field shows the entry's caret (the core draws none).
  name->SetWindowText("");
  pump_pending();
  ASSERT_TRUE(read_window_pixels(dialog, pixels));
  Rect inner = dialog.GetDlgItem(kNameEdit)->GetRectInParent().Deflate(3);
  int dark = 0;
  for (int y = inner.top; y < inner.bottom; ++y)
    for (int x = inner.left; x < inner.right; ++x) dark += channel_distance(pixels.At(x, y), rgb(0, 0, 0)) <= 80;
  EXPECT_GE(dark, inner.Height() / 2);
  name->SetWindowText("12");
  name->ModifyStyle(0, kEsNumber);
  name->SetSel(2, 2);
  fltk_flush(0);
  Key(XK_a);
  Key(XK_Tab);  // handled after the a: once the focus moves, the a has been refused
  EXPECT_TRUE(pump_until([&] { return Window::GetFocus() == dialog.GetDlgItem(kDayCombo); }));
  EXPECT_EQ(name->GetWindowText(), "12");
  name->SetFocus();
  name->SetSel(2, 2);
  fltk_flush(0);
  Key(XK_3);
  EXPECT_TRUE(shows("123")) << name->GetWindowText();
  Key(XK_Home);
  Key(XK_9);
  EXPECT_TRUE(shows("9123")) << name->GetWindowText();
  name->ModifyStyle(kEsNumber, 0);
  name->SetWindowText("abcd");
  name->SetSel(2, 2);
  fltk_flush(0);
  Key(XK_x);
  EXPECT_TRUE(shows("abxcd")) << name->GetWindowText();
  name->SetReadOnly(true);
  pump_pending();
  ASSERT_TRUE(read_window_pixels(dialog, pixels));
  Rect field = dialog.GetDlgItem(kNameEdit)->GetRectInParent();
  EXPECT_LE(channel_distance(pixels.At(field.right - 4, field.top + field.Height() / 2), kButtonFaceColor), 8);
  Key(XK_y);
  Key(XK_Tab);  // handled after the y: once the focus moves, the y has been refused
  EXPECT_TRUE(pump_until([&] { return Window::GetFocus() == dialog.GetDlgItem(kDayCombo); }));
  EXPECT_EQ(name->GetWindowText(), "abxcd");
}

// A key typed in the middle of the text or over a selection is the only
// change the field's rules see: upper case turns the typed letter only, the
// length limit counts what is kept on both sides, a number field refuses a
// letter put between digits.
TEST_F(GalleryOnScreen, TheNativeEntrysRulesApplyToWhatIsTypedInTheMiddle) {
  auto* name = static_cast<Edit*>(dialog.GetDlgItem(kNameEdit));
  ASSERT_EQ(Window::GetFocus(), name);
  auto shows = [&](const std::string& text) {
    return pump_until([&] { return name->GetWindowText() == text; });
  };
  auto at = [&](const char* text, int from, int to) {
    name->SetWindowText(text);
    name->SetSel(from, to);
    pump_pending();
    fltk_flush(0);
  };
  // Refused keys are checked after a Tab has moved the focus, then it comes back.
  auto refused_then_back = [&] {
    Key(XK_Tab);
    EXPECT_TRUE(pump_until([&] { return Window::GetFocus() == dialog.GetDlgItem(kDayCombo); }));
    name->SetFocus();
    pump_pending();
  };
  name->ModifyStyle(0, kEsUpperCase);
  at("abcd", 2, 2);
  Key(XK_x);
  EXPECT_TRUE(shows("abXcd")) << name->GetWindowText();
  at("abcd", 1, 3);
  Key(XK_y);
  EXPECT_TRUE(shows("aYd")) << name->GetWindowText();
  name->ModifyStyle(kEsUpperCase, 0);
  name->SetLimitText(5);
  at("abXcd", 1, 1);
  Key(XK_z);
  refused_then_back();
  EXPECT_EQ(name->GetWindowText(), "abXcd") << "no room left between";
  at("abXcd", 1, 2);
  Key(XK_z);
  EXPECT_TRUE(shows("azXcd")) << "a letter over one selected fits: " << name->GetWindowText();
  name->SetLimitText(0);
  name->ModifyStyle(0, kEsNumber);
  at("1234", 2, 2);
  Key(XK_5);
  EXPECT_TRUE(shows("12534")) << name->GetWindowText();
  at("1234", 2, 2);
  Key(XK_a);
  refused_then_back();
  EXPECT_EQ(name->GetWindowText(), "1234");
  name->ModifyStyle(kEsNumber, 0);
}

// The native entry follows its field when the program moves it along one
// axis only, keeping its size: the strip the field left shows the page
// again, the field's new place the entry's white.
// The editing keys with Ctrl work in the native entry as in any field:
// select all, cut, undo the cut, copy and paste at the end; a paste of
// several lines keeps the first.
TEST_F(GalleryOnScreen, TheNativeEntryTakesTheEditingKeysWithCtrl) {
  auto* name = static_cast<Edit*>(dialog.GetDlgItem(kNameEdit));
  ASSERT_EQ(Window::GetFocus(), name);
  auto shows = [&](const std::string& text) {
    return pump_until([&] { return name->GetWindowText() == text; });
  };
  auto ctrl = [&](KeySym sym) { screen::x_key(x_, native_window(dialog), sym, ControlMask); };
  name->SetWindowText("abcd");
  name->SetSel(4, 4);
  fltk_flush(0);
  ctrl(XK_a);
  ctrl(XK_x);
  EXPECT_TRUE(shows("")) << name->GetWindowText();
  ctrl(XK_z);
  EXPECT_TRUE(shows("abcd")) << name->GetWindowText();
  ctrl(XK_a);
  ctrl(XK_c);
  Key(XK_End);
  ctrl(XK_v);
  EXPECT_TRUE(shows("abcdabcd")) << name->GetWindowText();
  // Lines pasted into a one-line field: the first one only, as typed.
  backend().SetClipboardText("EF\nGH\r\nIJ");
  Key(XK_End);
  ctrl(XK_v);
  EXPECT_TRUE(shows("abcdabcdEF")) << name->GetWindowText();
}

// The entry and its field agree on the selection both ways: tabbing in
// selects all and shows it, a caret move without Shift (End, Home, a click)
// takes the selection off in both, so a key the entry leaves to the field
// (Ctrl+X with nothing selected, Backspace at the start, Delete at the end)
// changes nothing; a selection the program makes is the one typing replaces.
TEST_F(GalleryOnScreen, TheNativeEntryAndItsFieldAgreeOnTheSelection) {
  auto* name = static_cast<Edit*>(dialog.GetDlgItem(kNameEdit));
  ASSERT_EQ(Window::GetFocus(), name);
  auto key_with = [&](KeySym sym, unsigned state) { Key(sym, state); };
  auto selection_is = [&](int start, int end) { return SelectionIs(*name, start, end); };
  // Pixels of the field's text area in the selection's blue.
  auto selected_pixels = [&] {
    pump_pending();
    fltk_flush(0);
    EXPECT_TRUE(read_window_pixels(dialog, pixels));
    Rect inner = name->GetRectInParent().Deflate(3);
    int blue = 0;
    for (int y = inner.top; y < inner.bottom; ++y)
      for (int x = inner.left; x < inner.right; ++x) {
        Color c = pixels.At(x, y);
        blue += blue_of(c) > red_of(c) + 60 && blue_of(c) > green_of(c) + 60;
      }
    return blue;
  };
  name->SetWindowText("abcdef");
  pump_pending();
  fltk_flush(0);
  Key(XK_Tab);
  ASSERT_TRUE(pump_until([&] { return Window::GetFocus() == dialog.GetDlgItem(kDayCombo); }));
  key_with(XK_Tab, ShiftMask);
  ASSERT_TRUE(pump_until([&] { return Window::GetFocus() == name; }));
  EXPECT_TRUE(selection_is(0, 6));
  EXPECT_GT(selected_pixels(), 20) << "the whole text is shown selected";
  Rect field = name->GetRectInParent();
  Point beyond{field.right - 6, field.top + field.Height() / 2};
  EXPECT_LE(channel_distance(pixels.At(beyond.x, beyond.y), kWindowColor), 8)
      << "past the text the field stays white: " << color_name(pixels.At(beyond.x, beyond.y));
  Key(XK_End);
  EXPECT_TRUE(selection_is(6, 6));
  EXPECT_EQ(selected_pixels(), 0);
  key_with(XK_x, ControlMask);
  Key(XK_Delete);
  Key(XK_Home);
  EXPECT_TRUE(selection_is(0, 0));
  Key(XK_BackSpace);
  Key(XK_Tab);  // handled after the keys before it
  ASSERT_TRUE(pump_until([&] { return Window::GetFocus() == dialog.GetDlgItem(kDayCombo); }));
  EXPECT_EQ(name->GetWindowText(), "abcdef");
  // A click in the selected text puts the caret there; a letter is put in there.
  key_with(XK_Tab, ShiftMask);
  ASSERT_TRUE(selection_is(0, 6));
  Click({field.right - 4, field.top + field.Height() / 2});
  EXPECT_TRUE(selection_is(6, 6));
  Key(XK_g);
  EXPECT_TRUE(pump_until([&] { return name->GetWindowText() == "abcdefg"; })) << name->GetWindowText();
  // Shift with a move selects in both; the program's own selection is the
  // one a letter replaces.
  key_with(XK_Left, ShiftMask);
  key_with(XK_Left, ShiftMask);
  EXPECT_TRUE(selection_is(7, 5));
  name->SetSel(1, 3);
  pump_pending();
  fltk_flush(0);
  Key(XK_z);
  EXPECT_TRUE(pump_until([&] { return name->GetWindowText() == "azdefg"; })) << name->GetWindowText();
}

// Left and Right with a selection end it at its start or its end, as in
// GTK and Qt fields (FLTK's own entry moved one character from the caret);
// Shift+click runs the selection from the anchor to the place clicked.
TEST_F(GalleryOnScreen, TheNativeEntryEndsASelectionAtItsSideAndShiftClickExtendsIt) {
  auto* name = static_cast<Edit*>(dialog.GetDlgItem(kNameEdit));
  ASSERT_EQ(Window::GetFocus(), name);
  auto key_with = [&](KeySym sym, unsigned state) { Key(sym, state); };
  auto selection_is = [&](int start, int end) { return SelectionIs(*name, start, end); };
  name->SetWindowText("abcdef");
  name->SetSel(6, 6);
  pump_pending();
  fltk_flush(0);
  key_with(XK_Left, ShiftMask);
  key_with(XK_Left, ShiftMask);
  EXPECT_TRUE(selection_is(6, 4));
  Key(XK_Left);
  EXPECT_TRUE(selection_is(4, 4));
  Key(XK_x);
  EXPECT_TRUE(pump_until([&] { return name->GetWindowText() == "abcdxef"; })) << name->GetWindowText();
  Key(XK_Home);
  key_with(XK_Right, ShiftMask);
  key_with(XK_Right, ShiftMask);
  EXPECT_TRUE(selection_is(0, 2));
  Key(XK_Right);
  EXPECT_TRUE(selection_is(2, 2));
  Rect field = name->GetRectInParent();
  Point end{field.right - 4, field.top + field.Height() / 2};
  x_click(x_, native_window(dialog), end, dialog.ClientToScreen(end), ShiftMask);
  EXPECT_TRUE(selection_is(2, 7));
  Key(XK_y);
  EXPECT_TRUE(pump_until([&] { return name->GetWindowText() == "aby"; })) << name->GetWindowText();
}

// A double click in the native entry takes a word by the field's own rule
// (FLTK's took the comma after it), a triple click the whole text (FLTK's
// turned it into a caret), and a drag after a double click goes on by
// whole words; the field hears each.
TEST_F(GalleryOnScreen, TheNativeEntrySelectsWordsAndTheTextByQuickClicks) {
  auto* name = static_cast<Edit*>(dialog.GetDlgItem(kNameEdit));
  ASSERT_EQ(Window::GetFocus(), name);
  name->SetWindowText("Lab chimica, aula 2");  // words at 0-3, 4-11, 13-17, 18-19
  name->SetSel(0, 0);
  pump_pending();
  fltk_flush(0);
  Rect field = name->GetRectInParent();
  auto at = [&](const char* prefix) {
    return Point{field.left + 4 + backend().metrics().TextWidth(name->GetFont(), prefix), field.top + field.Height() / 2};
  };
  auto clicks = [&](Point p, int n) {
    Click(at(""));  // elsewhere first: the count starts at one
    for (int i = 0; i < n; ++i) Click(p);
  };
  clicks(at("Lab chi"), 2);
  EXPECT_TRUE(SelectionIs(*name, 4, 11));
  clicks(at("Lab chi"), 3);
  EXPECT_TRUE(SelectionIs(*name, 0, 19));
  Key(XK_x);
  EXPECT_TRUE(pump_until([&] { return name->GetWindowText() == "x"; })) << name->GetWindowText();
}

TEST_F(GalleryOnScreen, TheNativeEntryFollowsAFieldMovedAlongOneAxis) {
  auto* name = static_cast<Edit*>(dialog.GetDlgItem(kNameEdit));
  ASSERT_EQ(Window::GetFocus(), name);
  name->SetWindowText("");
  const Rect before = name->GetRectInParent();
  struct Move {
    int dx, dy;
    Point left_behind;  // in the field's old place, outside its new one
  } moves[] = {
      {12, 0, {before.left + 6, before.top + before.Height() / 2}},
      {0, 5, {before.left + before.Width() / 2, before.top + 2}},
  };
  for (const Move& m : moves) {
    Rect moved{before.left + m.dx, before.top + m.dy, before.right + m.dx, before.bottom + m.dy};
    name->MoveWindow(moved);
    pump_pending();
    fltk_flush(0);
    pump_pending();
    ASSERT_TRUE(read_window_pixels(dialog, pixels));
    EXPECT_LE(channel_distance(pixels.At(m.left_behind.x, m.left_behind.y), kPageBackground), 8)
        << m.dx << "," << m.dy << ": " << color_name(pixels.At(m.left_behind.x, m.left_behind.y));
    EXPECT_LE(channel_distance(pixels.At(moved.right - 6, moved.bottom - 4), kWindowColor), 8) << m.dx << "," << m.dy;
    name->MoveWindow(before);
    pump_pending();
  }
}

// What others do to the window reaches the core (a move or resize by the
// window manager), and what the core asks of the backend answers: the title
// in UTF-8, the clipboard, the pointer, text metrics, the work area.
TEST_F(GalleryOnScreen, TheWindowAndTheBackendsServicesAnswer) {
  Rect before = dialog.ClientToScreen(dialog.GetClientRect());
  XMoveResizeWindow(x_, native_window(dialog), 40, 30, unsigned(before.Width() + 40), unsigned(before.Height() + 20));
  XFlush(x_);
  EXPECT_TRUE(pump_until([&] { return dialog.GetClientRect().Width() == before.Width() + 40; }));
  EXPECT_EQ(dialog.GetClientRect().Height(), before.Height() + 20);
  EXPECT_EQ(dialog.ClientToScreen(Point{0, 0}), (Point{40, 30}));

  Atom type = 0;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  ASSERT_EQ(XGetWindowProperty(x_, native_window(dialog), XInternAtom(x_, "_NET_WM_NAME", False), 0, 256, False,
                               XInternAtom(x_, "UTF8_STRING", False), &type, &format, &count, &left, &data),
            Success);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), count), "Galleria dei controlli - Qualit\xC3\xA0");
  XFree(data);

  backend().SetClipboardText("Attivit\xE0 \x80 5");
  EXPECT_EQ(backend().GetClipboardText(), "Attivit\xE0 \x80 5");
  backend().SetCursorPos({100, 120});
  XSync(x_, False);
  EXPECT_EQ(backend().GetCursorPos(), (Point{100, 120}));
  const TextMetrics& m = backend().metrics();
  Font f;
  EXPECT_GT(m.TextWidth(f, "MMMM"), m.TextWidth(f, "iiii"));
  EXPECT_EQ(m.TextWidth(f, "ab"), m.TextWidth(f, "a") + m.TextWidth(f, "b"));
  EXPECT_GE(m.LineHeight(f), 10);
  EXPECT_GT(backend().WorkArea().Width(), 0);
}


// A modal gallery that ends itself after a while if nothing else ends it,
// so a broken wait fails the test instead of hanging it.
class TimedGallery : public GalleryDialog {
 public:
  explicit TimedGallery(Window* parent = nullptr) : GalleryDialog(parent) {}
  std::function<void()> on_shown;
  std::function<void()> on_timer;  // instead of ending the run
  std::uint32_t end_after_ms = 4000;
  int timer_fired = 0;

 protected:
  bool OnInitDialog() override {
    GalleryDialog::OnInitDialog();
    SetTimer(7, end_after_ms);
    if (on_shown) post_to_ui(on_shown);
    return true;
  }
  void OnTimer(WParam) override {
    ++timer_fired;
    if (on_timer) on_timer();
    else EndDialog(-7);
  }
};

class ModalOnScreen : public screen::OnScreenTest {
 protected:
  void SetUp() override {
    OnScreenTest::SetUp();
    if (started_) register_templates();
  }
};


TEST_F(ModalOnScreen, APopupMenuIsAnOwnedBorderlessWindowThatTakesAClick) {
  TimedGallery owner;
  ASSERT_TRUE(owner.Create(nullptr));
  owner.ShowWindow(kSwShow);
  PopupMenu menu;
  menu.AppendMenu(kMfString, 501, "Uno");
  menu.AppendMenu(kMfString, 502, "Due");
  menu.AppendMenu(kMfString, 503, "Tre");
  owner.on_timer = [&] {
    if (PopupMenu* m = PopupMenu::Tracking()) m->Cancel();
  };
  owner.SetTimer(7, 4000);
  bool override_redirect = false;
  ::Window transient_for = 0;
  auto click_menu = [](Point p) {
    Display* x = XOpenDisplay(nullptr);
    x_click(x, native_window(*PopupMenu::Tracking()->MenuWindow()), p, p);
    XCloseDisplay(x);
  };
  // A click outside the menu closes it with no choice.
  post_to_ui([&] { click_menu({-40, 10}); });
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 300, 300, &owner), 0);
  EXPECT_EQ(owner.timer_fired, 0);
  post_to_ui([&] {
    Display* x = XOpenDisplay(nullptr);
    ::Window xid = native_window(*PopupMenu::Tracking()->MenuWindow());
    XWindowAttributes attributes;
    if (XGetWindowAttributes(x, xid, &attributes)) override_redirect = attributes.override_redirect;
    XGetTransientForHint(x, xid, &transient_for);
    XCloseDisplay(x);
    click_menu({20, 2 + 19 + 9});  // the second row
  });
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 300, 300, &owner), 502);
  EXPECT_EQ(owner.timer_fired, 0);
  EXPECT_TRUE(override_redirect);
  EXPECT_EQ(transient_for, native_window(owner));
  owner.DestroyWindow();
}

// A modal run ends on the close box, a timer or a message from another thread.
// A click on the menu's own frame, at its first or its last column, is a
// click inside the menu: it chooses nothing and leaves the menu open for the
// next click, which chooses.
TEST_F(ModalOnScreen, AClickOnAPopupMenusFrameKeepsItOpen) {
  TimedGallery owner;
  ASSERT_TRUE(owner.Create(nullptr));
  owner.ShowWindow(kSwShow);
  PopupMenu menu;
  menu.AppendMenu(kMfString, 501, "Uno");
  menu.AppendMenu(kMfString, 502, "Due");
  owner.on_timer = [&] {
    if (PopupMenu* m = PopupMenu::Tracking()) m->Cancel();
  };
  owner.SetTimer(7, 4000);
  for (bool left : {true, false}) {
    post_to_ui([&] {
      Window* shown = PopupMenu::Tracking()->MenuWindow();
      int edge = left ? 0 : shown->GetClientRect().Width() - 1;
      Display* x = XOpenDisplay(nullptr);
      ::Window xid = native_window(*shown);
      x_click(x, xid, {edge, 2 + 19 + 9}, {edge, 2 + 19 + 9});
      x_click(x, xid, {20, 2 + 19 + 9}, {20, 2 + 19 + 9});  // the second row
      XCloseDisplay(x);
    });
    EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 300, 300, &owner), 502) << (left ? "left" : "right");
  }
  EXPECT_EQ(owner.timer_fired, 0);
  owner.DestroyWindow();
}

// A modal dialog is typed as a dialog for the window manager, transient for
// its owner, and tells it that it cannot be minimised (it
// would leave its owner disabled with nothing to end the run): its Motif
// hints list moving and closing, and for a sizeable one resizing and
// maximising, but no minimise. The owner, a window of its own, keeps every
// function its window manager gives it.
TEST_F(ModalOnScreen, AModalDialogCannotBeMinimised) {
  TimedGallery owner;
  ASSERT_TRUE(owner.Create(nullptr));
  owner.ShowWindow(kSwShow);
  constexpr unsigned long kFunctions = 1, kDecorations = 2, kFuncAll = 1, kFuncMinimise = 8, kFuncMove = 4,
                          kFuncClose = 32, kDecorAll = 1, kDecorMinimise = 32, kDecorTitle = 8;
  std::vector<unsigned long> dialog_hints, owner_hints, dialog_type, owner_type, transient_for;
  unsigned long dialog_kind = 0;
  TimedGallery dialog(&owner);
  dialog.on_shown = [&] {
    Display* x = XOpenDisplay(nullptr);
    dialog_hints = property_words(x, native_window(dialog), "_MOTIF_WM_HINTS");
    owner_hints = property_words(x, native_window(owner), "_MOTIF_WM_HINTS");
    dialog_type = property_words(x, native_window(dialog), "_NET_WM_WINDOW_TYPE");
    owner_type = property_words(x, native_window(owner), "_NET_WM_WINDOW_TYPE");
    transient_for = property_words(x, native_window(dialog), "WM_TRANSIENT_FOR");
    dialog_kind = XInternAtom(x, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XCloseDisplay(x);
    dialog.EndDialog(kIdOk);
  };
  EXPECT_EQ(dialog.DoModal(), kIdOk);
  // Typed as a dialog, transient for its owner, as a toolkit's own dialog is.
  EXPECT_EQ(dialog_type, std::vector<unsigned long>{dialog_kind}) << "the modal dialog is typed as a dialog";
  EXPECT_EQ(transient_for, std::vector<unsigned long>{native_window(owner)});
  EXPECT_TRUE(owner_type.empty() || owner_type[0] != dialog_kind) << "the owner is no dialog";
  ASSERT_EQ(dialog_hints.size(), 5u);
  EXPECT_EQ(dialog_hints[0] & (kFunctions | kDecorations), kFunctions | kDecorations);
  EXPECT_EQ(dialog_hints[1] & (kFuncAll | kFuncMinimise), 0u) << "functions listed, minimise not among them";
  EXPECT_EQ(dialog_hints[1] & (kFuncMove | kFuncClose), kFuncMove | kFuncClose);
  EXPECT_EQ(dialog_hints[2] & (kDecorAll | kDecorMinimise), 0u) << "no minimise button";
  EXPECT_NE(dialog_hints[2] & kDecorTitle, 0u) << "the caption stays";
  bool owner_lists_functions = owner_hints.size() >= 2 && (owner_hints[0] & kFunctions) && !(owner_hints[1] & kFuncAll);
  EXPECT_FALSE(owner_lists_functions && !(owner_hints[1] & kFuncMinimise)) << "the owner may be minimised";
  owner.DestroyWindow();
}

TEST_F(ModalOnScreen, TheCloseBoxTimersAndOtherThreadsEndTheWait) {
  TimedGallery dialog;
  dialog.on_shown = [&] {
    Display* x = XOpenDisplay(nullptr);
    x_close(x, native_window(dialog));
    XCloseDisplay(x);
  };
  EXPECT_EQ(dialog.DoModal(), kIdCancel);
  EXPECT_EQ(dialog.timer_fired, 0);

  TimedGallery by_timer;
  by_timer.end_after_ms = 30;
  EXPECT_EQ(by_timer.DoModal(), -7);
  EXPECT_EQ(by_timer.timer_fired, 1);

  TimedGallery by_thread;
  std::thread worker;
  by_thread.on_shown = [&] {
    WindowHandle h = by_thread.handle();
    worker = std::thread([h] { post_message(h, kMsgCommand, make_command_param(kIdOk, 0), 0); });
  };
  EXPECT_EQ(by_thread.DoModal(), kIdOk);
  worker.join();
  EXPECT_EQ(by_thread.timer_fired, 0);
}

}  // namespace
}  // namespace kt::ui::gallery
