// A field's selection under the keys and the mouse, as in GTK and Qt fields:
// Left and Right with a selection end it at its start or its end (Shift
// still moves the caret and keeps the anchor); Home, End, Up and Down go
// from the caret and drop it; Shift+click runs it from the anchor to the
// place clicked, in one-line and multi-line fields; a double click selects
// the word under it (a password all of it), a triple click the line (a
// one-line field's whole text) and a drag after either goes on by whole
// words or lines, as in GTK; a drag with the left button held
// selects from the press to the pointer, across the lines of a multi-line
// field; Ctrl+Left and Ctrl+Right go a word (Ctrl+Backspace and Ctrl+Delete
// take one), with the double click's rule of what a word is. Positions are
// given as (anchor, caret).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/controls/edit.h"
#include "platform/test_driver.h"
#include "platform/ui_input.h"

namespace kt::ui {
namespace {

using Sel = std::pair<int, int>;

class FieldSelection : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateParams p;
    p.style = kWsPopup | kWsVisible;
    p.rect = {0, 0, 400, 300};
    ASSERT_TRUE(page.CreateEx(p));
    p.class_name = "Edit";
    p.parent = &page;
    p.style = kEsAutoHScroll | kWsChild | kWsVisible | kWsTabStop;
    p.rect = {10, 10, 300, 30};
    p.id = 71;
    ASSERT_TRUE(line.CreateEx(p));
    p.style = kEsMultiLine | kEsWantReturn | kWsChild | kWsVisible | kWsTabStop;
    p.rect = {10, 40, 300, 140};
    p.id = 72;
    ASSERT_TRUE(note.CreateEx(p));
  }
  static Sel Of(const Edit& e) {
    int a = 0, b = 0;
    e.GetSel(a, b);
    return {a, b};
  }
  // The point of a one-line field at the boundary after `prefix`.
  Point LineAt(const std::string& prefix) {
    return {ui.headless().metrics().TextWidth(line.GetFont(), prefix) + 2, 8};
  }
  // The point of a multi-line field at the boundary after `prefix` of its shown line `row`.
  Point NoteAt(int row, const std::string& prefix) {
    const TextMetrics& m = ui.headless().metrics();
    int lh = m.LineHeight(note.GetFont());
    return {3 + m.TextWidth(note.GetFont(), prefix), 2 + row * lh + lh / 2};
  }
  TestDriver ui;
  Window page;
  Edit line, note;
};

// Each row: a selection set in "Lab chimica" (11 characters), one key, the selection after.
TEST_F(FieldSelection, ArrowsWithASelectionEndItOrExtendIt) {
  struct Case {
    const char* id;
    Sel before;
    int key;
    unsigned mods;
    Sel after;
  } cases[] = {
      {"L1 left from a backward selection", {11, 9}, kVkLeft, 0, {9, 9}},
      {"L2 left from a forward selection", {0, 3}, kVkLeft, 0, {0, 0}},
      {"L3 left after select all", {0, 11}, kVkLeft, 0, {0, 0}},
      {"R1 right from a backward selection", {11, 9}, kVkRight, 0, {11, 11}},
      {"R2 right from a forward selection", {4, 7}, kVkRight, 0, {7, 7}},
      {"S1 shift+left extends", {11, 9}, kVkLeft, kModShift, {11, 8}},
      {"S2 shift+right shrinks back", {11, 9}, kVkRight, kModShift, {11, 10}},
      {"S3 shift+left from a forward selection", {0, 3}, kVkLeft, kModShift, {0, 2}},
      {"H1 home drops it", {4, 7}, kVkHome, 0, {0, 0}},
      {"E1 end drops it", {4, 7}, kVkEnd, 0, {11, 11}},
      {"H2 shift+home keeps the anchor", {4, 7}, kVkHome, kModShift, {4, 0}},
      {"N1 left with none moves one", {5, 5}, kVkLeft, 0, {4, 4}},
  };
  line.SetWindowText("Lab chimica");
  line.SetFocus();
  for (const Case& c : cases) {
    line.SetSel(c.before.first, c.before.second);
    ui.Key(c.key, c.mods);
    EXPECT_EQ(Of(line), c.after) << c.id;
  }
}

// In a multi-line field Up and Down go to the line above or below from the
// caret, and the selection goes; Left and Right end it as in a one-line field;
// Home and End go to the ends of the caret's line, with Ctrl to the text's.
TEST_F(FieldSelection, MultiLineKeysWithASelection) {
  note.SetWindowText("prima riga\r\nseconda riga");  // the second line starts at 12
  note.SetFocus();
  struct Case {
    const char* id;
    Sel before;
    int key;
    Sel after;
    unsigned mods = 0;
  } cases[] = {
      {"U1 up from the caret", {2, 16}, kVkUp, {4, 4}},
      {"D1 down from the caret", {16, 3}, kVkDown, {15, 15}},
      {"L1 left to the start", {16, 3}, kVkLeft, {3, 3}},
      {"R1 right to the end", {3, 16}, kVkRight, {16, 16}},
      // Home and End keep to the caret's line; Ctrl takes them to the text's ends.
      {"H1 home on the second line", {16, 16}, kVkHome, {12, 12}},
      {"E1 end on the first line, before its line end", {3, 3}, kVkEnd, {10, 10}},
      {"E2 end on the last line", {12, 14}, kVkEnd, {24, 24}},
      {"H2 shift+home keeps the anchor", {20, 20}, kVkHome, {20, 12}, kModShift},
      {"C1 ctrl+home from the second line", {16, 16}, kVkHome, {0, 0}, kModControl},
      {"C2 ctrl+end from the first line", {3, 3}, kVkEnd, {24, 24}, kModControl},
      {"C3 ctrl+shift+end selects to the end", {3, 3}, kVkEnd, {3, 24}, kModControl | kModShift},
  };
  for (const Case& c : cases) {
    note.SetSel(c.before.first, c.before.second);
    ui.Key(c.key, c.mods);
    EXPECT_EQ(Of(note), c.after) << c.id;
  }
}

// The user's own sequence: a word typed, two letters taken with Shift+Left,
// Left, and a letter goes where the selection started.
TEST_F(FieldSelection, ALetterAfterLeftGoesWhereTheSelectionStarted) {
  ui.Type(line, "Liceo");
  ui.Key(kVkLeft, kModShift);
  ui.Key(kVkLeft, kModShift);
  ui.Key(kVkLeft);
  ui.Type(line, "x");
  EXPECT_EQ(line.GetWindowText(), "Licxeo");
  ui.Key(kVkRight, kModShift);
  ui.Key(kVkRight, kModShift);
  ui.Key(kVkRight);
  ui.Type(line, "!");
  EXPECT_EQ(line.GetWindowText(), "Licxeo!");
}

TEST_F(FieldSelection, ShiftClickRunsTheSelectionFromTheAnchor) {
  line.SetWindowText("Lab chimica");
  ASSERT_TRUE(ui.ClickAt(line, LineAt("Lab")));
  EXPECT_EQ(Of(line), Sel(3, 3));
  ASSERT_TRUE(ui.ClickAt(line, LineAt("Lab chim"), kModShift));
  EXPECT_EQ(Of(line), Sel(3, 8));
  ASSERT_TRUE(ui.ClickAt(line, LineAt("L"), kModShift));  // the anchor stays put
  EXPECT_EQ(Of(line), Sel(3, 1));
  ui.Type(line, "-");
  EXPECT_EQ(line.GetWindowText(), "L- chimica");
  // A selection made by the keys is extended from its anchor too.
  line.SetSel(0, 0);
  ui.Key(kVkRight, kModShift);
  ASSERT_TRUE(ui.ClickAt(line, LineAt("L- "), kModShift));
  EXPECT_EQ(Of(line), Sel(0, 3));
  // A plain click drops it; one on a letter goes to its nearer side.
  ASSERT_TRUE(ui.ClickAt(line, LineAt("L- ch")));
  EXPECT_EQ(Of(line), Sel(5, 5));
  Point in_c = LineAt("L- ");  // "c" is 6 pixels wide
  ASSERT_TRUE(ui.ClickAt(line, {in_c.x + 2, in_c.y}));
  EXPECT_EQ(Of(line), Sel(3, 3));
  ASSERT_TRUE(ui.ClickAt(line, {in_c.x + 4, in_c.y}));
  EXPECT_EQ(Of(line), Sel(4, 4));
}

// A click in a multi-line field goes to the line under it (before, every
// click went to a column of the first line's reckoning).
TEST_F(FieldSelection, MultiLineClicksGoToTheLineClicked) {
  note.SetWindowText("prima riga\r\nseconda riga\r\nterza");  // lines start at 0, 12 and 26
  ASSERT_TRUE(ui.ClickAt(note, NoteAt(1, "sec")));
  EXPECT_EQ(Of(note), Sel(15, 15));
  ASSERT_TRUE(ui.ClickAt(note, NoteAt(2, "ter"), kModShift));
  EXPECT_EQ(Of(note), Sel(15, 29));
  ASSERT_TRUE(ui.ClickAt(note, NoteAt(0, "pri"), kModShift));
  EXPECT_EQ(Of(note), Sel(15, 3));
  // Past a line's end: before its line end; below the last line: on the last line.
  ASSERT_TRUE(ui.ClickAt(note, {280, NoteAt(0, "").y}));
  EXPECT_EQ(Of(note), Sel(10, 10));
  ASSERT_TRUE(ui.ClickAt(note, {NoteAt(2, "te").x, 95}));
  EXPECT_EQ(Of(note), Sel(28, 28));
}

TEST_F(FieldSelection, DoubleClickSelectsTheWord) {
  line.SetWindowText("Lab chimica 2B");
  ui.DoubleClick(line);  // at the field's middle: past the text, on "2B"
  EXPECT_EQ(Of(line), Sel(12, 14));
  struct Case {
    const char* id;
    const char* text;
    const char* at;
    Sel after;
  } cases[] = {
      {"W1 inside a word", "Lab chimica", "Lab ch", {4, 11}},
      {"W2 at a word's end", "Lab chimica", "Lab", {0, 3}},
      {"W3 accented letters", "Attivit\xE0 sportive", "Att", {0, 8}},
      {"W4 on two blanks", "Lab  chimica", "Lab ", {4, 4}},
  };
  for (const Case& c : cases) {
    line.SetWindowText(c.text);
    Point at = LineAt(c.at);
    LParam where = make_point_param(at);
    line.PostMessage(kMsgLButtonDown, 0, where);
    line.PostMessage(kMsgLButtonUp, 0, where);
    line.PostMessage(kMsgLButtonDblClk, 0, where);
    line.PostMessage(kMsgLButtonUp, 0, where);
    ui.Pump();
    EXPECT_EQ(Of(line), c.after) << c.id;
  }
  // A password shows no words: a double click takes it all.
  line.ModifyStyle(0, kEsPassword);
  line.SetWindowText("ab cd");
  ui.DoubleClick(line);
  EXPECT_EQ(Of(line), Sel(0, 5));
}

TEST_F(FieldSelection, DragSelectsFromThePressToThePointer) {
  line.SetWindowText("Lab chimica");
  ASSERT_TRUE(ui.Drag(line, {LineAt("Lab "), LineAt("Lab ch"), LineAt("Lab chim")}));
  EXPECT_EQ(Of(line), Sel(4, 8));
  EXPECT_TRUE(ui.HasFocus(page, 71));
  // Backwards, and out of the field to its right: the field keeps the mouse.
  ASSERT_TRUE(ui.Drag(line, {LineAt("Lab chim"), LineAt("L")}));
  EXPECT_EQ(Of(line), Sel(8, 1));
  ASSERT_TRUE(ui.Drag(line, {LineAt("Lab "), {line.GetClientRect().right + 60, 8}}));
  EXPECT_EQ(Of(line), Sel(4, 11));
  // Once the button is up, moving the mouse leaves the selection as it is.
  ASSERT_TRUE(input_mouse(page, kMsgMouseMove, {12, 18}));
  ui.Pump();
  EXPECT_EQ(Of(line), Sel(4, 11));
  ui.Type(line, "x");
  EXPECT_EQ(line.GetWindowText(), "Lab x");
  // Shift held: the drag runs from the anchor already there.
  line.SetSel(1, 1);
  ASSERT_TRUE(ui.Drag(line, {LineAt("Lab"), LineAt("Lab ")}, kModShift));
  EXPECT_EQ(Of(line), Sel(1, 4));
}

TEST_F(FieldSelection, DragAcrossTheLinesOfAMultiLineField) {
  note.SetWindowText("prima riga\r\nseconda riga\r\nterza");  // lines start at 0, 12 and 26
  ASSERT_TRUE(ui.Drag(note, {NoteAt(0, "pri"), NoteAt(1, "sec"), NoteAt(2, "ter")}));
  EXPECT_EQ(Of(note), Sel(3, 29));
  ASSERT_TRUE(ui.Drag(note, {NoteAt(2, "ter"), NoteAt(1, "seconda "), NoteAt(0, "prima ")}));
  EXPECT_EQ(Of(note), Sel(29, 6));
  ui.Type(note, "X");
  EXPECT_EQ(note.GetWindowText(), "prima Xza");
}

// Past the bottom (or the top) of a field with more lines than fit, the
// selection goes on into the lines out of sight and they scroll in.
TEST_F(FieldSelection, DragPastTheEdgeScrollsTheLinesIn) {
  std::string text;
  for (int i = 10; i < 40; ++i) text += "riga " + std::to_string(i) + (i < 39 ? "\r\n" : "");  // 9 characters a line
  note.SetWindowText(text);
  int shown = note.VisibleLineCount();
  ASSERT_LT(shown, 30);
  Point below{NoteAt(0, "ri").x, note.GetClientRect().bottom + 5};
  std::vector<Point> path{NoteAt(0, "ri")};
  for (int i = 0; i < 40; ++i) path.push_back(below);
  ASSERT_TRUE(ui.Drag(note, path));
  EXPECT_EQ(Of(note), Sel(2, 29 * 9 + 2));
  EXPECT_EQ(note.GetFirstVisibleLine(), 30 - shown);
  Point above{NoteAt(0, "ri").x, -5};
  path.assign(1, NoteAt(0, "riga"));
  for (int i = 0; i < 3; ++i) path.push_back(above);
  ASSERT_TRUE(ui.Drag(note, path));
  EXPECT_EQ(note.GetFirstVisibleLine(), 27 - shown);
  EXPECT_EQ(Of(note), Sel((30 - shown) * 9 + 4, (27 - shown) * 9 + 2));
}

// Held above or below the field, the mouse still, the lines go on
// scrolling in until the button goes up.
TEST_F(FieldSelection, HeldPastTheEdgeTheLinesGoOnScrolling) {
  std::string text;
  for (int i = 10; i < 40; ++i) text += "riga " + std::to_string(i) + (i < 39 ? "\r\n" : "");  // 9 characters a line
  note.SetWindowText(text);
  int last_first = 30 - note.VisibleLineCount();
  Window* top = note.GetTopLevel();
  auto mouse = [&](std::uint32_t message, Point p) {
    ASSERT_TRUE(input_mouse(*top, message, top->ScreenToClient(note.ClientToScreen(p))));
    ui.Pump();
  };
  mouse(kMsgLButtonDown, NoteAt(0, "ri"));
  mouse(kMsgMouseMove, {NoteAt(0, "ri").x, note.GetClientRect().bottom + 2});
  int after_move = note.GetFirstVisibleLine();
  ASSERT_LT(after_move, last_first);
  ui.Advance(5000);
  EXPECT_EQ(note.GetFirstVisibleLine(), last_first) << "scrolled on to the last line";
  EXPECT_EQ(Of(note), Sel(2, 29 * 9 + 2));
  // Above the field: back up, a line at a time, while held.
  mouse(kMsgMouseMove, {NoteAt(0, "ri").x, -2});
  int after_up = note.GetFirstVisibleLine();
  ui.Advance(200);
  int held = note.GetFirstVisibleLine();
  EXPECT_LT(held, after_up);
  EXPECT_GT(held, 0);
  mouse(kMsgLButtonUp, {NoteAt(0, "ri").x, -2});
  ui.Advance(5000);
  EXPECT_EQ(note.GetFirstVisibleLine(), held) << "the button up ends the scrolling";
  // Back inside the field the scrolling stops too.
  mouse(kMsgLButtonDown, NoteAt(1, "ri"));
  mouse(kMsgMouseMove, {NoteAt(0, "ri").x, -2});
  mouse(kMsgMouseMove, NoteAt(2, "ri"));
  int inside = note.GetFirstVisibleLine();
  ui.Advance(5000);
  EXPECT_EQ(note.GetFirstVisibleLine(), inside);
  mouse(kMsgLButtonUp, NoteAt(2, "ri"));
}

// The word a double click takes stays taken while the hand shakes before the button goes up.
TEST_F(FieldSelection, DoubleClickIsNoDrag) {
  line.SetWindowText("Lab chimica");
  Point at = LineAt("Lab ch");
  Window* top = line.GetTopLevel();
  Point in_top = top->ScreenToClient(line.ClientToScreen(at));
  for (std::uint32_t m : {kMsgLButtonDown, kMsgLButtonUp, kMsgLButtonDblClk, kMsgMouseMove, kMsgLButtonUp}) {
    ASSERT_TRUE(input_mouse(*top, m, m == kMsgMouseMove ? Point{in_top.x + 30, in_top.y} : in_top));
    ui.Pump();
  }
  EXPECT_EQ(Of(line), Sel(4, 11));
}

TEST_F(FieldSelection, TripleClickSelectsTheLine) {
  line.SetWindowText("Lab chimica, aula 2");
  ASSERT_TRUE(ui.ClickAt(line, LineAt("Lab ch"), 0, 3));
  EXPECT_EQ(Of(line), Sel(0, 19));
  // A fourth quick click is a double click again (so that two double
  // clicks in a row each count, on a list too): the word.
  ASSERT_TRUE(ui.ClickAt(line, LineAt("Lab ch"), 0, 4));
  EXPECT_EQ(Of(line), Sel(4, 11));
  // A multi-line field: the line clicked with its line end, so what is
  // typed replaces the line; the last line has none.
  note.SetWindowText("prima riga\r\nseconda riga\r\nterza");  // lines start at 0, 12 and 26
  ASSERT_TRUE(ui.ClickAt(note, NoteAt(1, "sec"), 0, 3));
  EXPECT_EQ(Of(note), Sel(12, 26));
  ASSERT_TRUE(ui.ClickAt(note, NoteAt(2, "t"), 0, 3));
  EXPECT_EQ(Of(note), Sel(26, 31));
  ASSERT_TRUE(ui.ClickAt(note, NoteAt(1, "seconda"), 0, 3));
  ui.Type(note, "X");
  EXPECT_EQ(note.GetWindowText(), "prima riga\r\nXterza");
  // A password: all of it.
  line.ModifyStyle(0, kEsPassword);
  line.SetWindowText("ab cd");
  ASSERT_TRUE(ui.ClickAt(line, LineAt("a"), 0, 3));
  EXPECT_EQ(Of(line), Sel(0, 5));
}

TEST_F(FieldSelection, DragAfterADoubleOrTripleClickGoesByWordsOrLines) {
  line.SetWindowText("Lab chimica, aula 2");  // words at 0-3, 4-11, 13-17, 18-19
  struct Case {
    const char* id;
    std::vector<const char*> path;
    Sel after;
  } cases[] = {
      {"W1 forward into a word: to its end", {"Lab ch", "Lab chimica, a"}, {4, 17}},
      {"W2 backward into a word: from the first word's end to its start", {"Lab ch", "La"}, {11, 0}},
      {"W3 shaking inside the word keeps it", {"Lab ch", "Lab chi", "Lab chim"}, {4, 11}},
      {"W4 back over the start and forward again", {"Lab ch", "L", "Lab chimica, aula 2"}, {4, 19}},
      {"W5 onto the blanks after a word", {"Lab ch", "Lab chimica,"}, {4, 12}},
  };
  for (const Case& c : cases) {
    std::vector<Point> path;
    for (const char* at : c.path) path.push_back(LineAt(at));
    ASSERT_TRUE(ui.Drag(line, path, 0, 2)) << c.id;
    EXPECT_EQ(Of(line), c.after) << c.id;
  }
  // After a triple click, by lines: a one-line field keeps its whole text.
  ASSERT_TRUE(ui.Drag(line, {LineAt("Lab"), LineAt("L")}, 0, 3));
  EXPECT_EQ(Of(line), Sel(0, 19));
  note.SetWindowText("prima riga\r\nseconda riga\r\nterza");  // lines start at 0, 12 and 26
  ASSERT_TRUE(ui.Drag(note, {NoteAt(0, "pri"), NoteAt(1, "sec")}, 0, 3));
  EXPECT_EQ(Of(note), Sel(0, 26));
  ASSERT_TRUE(ui.Drag(note, {NoteAt(2, "te"), NoteAt(1, "s"), NoteAt(0, "p")}, 0, 3));
  EXPECT_EQ(Of(note), Sel(31, 0));
  // By words across lines of a multi-line field.
  ASSERT_TRUE(ui.Drag(note, {NoteAt(0, "prima ri"), NoteAt(1, "sec")}, 0, 2));
  EXPECT_EQ(Of(note), Sel(6, 19));
}

// Each row: a text, a selection set in it, one key with Ctrl, the selection after.
TEST_F(FieldSelection, CtrlArrowsGoAWord) {
  const char* school = "Lab chimica, aula 2";  // 19 characters
  struct Case {
    const char* id;
    const char* text;
    Sel before;
    int key;
    unsigned mods;
    Sel after;
  } cases[] = {
      {"R1 to the end of the word", school, {0, 0}, kVkRight, 0, {3, 3}},
      {"R2 over the blank to the next word's end", school, {3, 3}, kVkRight, 0, {11, 11}},
      {"R3 over a comma and a blank", school, {11, 11}, kVkRight, 0, {17, 17}},
      {"R4 at the end stays", school, {19, 19}, kVkRight, 0, {19, 19}},
      {"L1 to the start of the word", school, {19, 19}, kVkLeft, 0, {18, 18}},
      {"L2 over signs to the word before", school, {18, 18}, kVkLeft, 0, {13, 13}},
      {"L3 from inside a word", school, {6, 6}, kVkLeft, 0, {4, 4}},
      {"S1 shift extends from the anchor", school, {0, 3}, kVkRight, kModShift, {0, 11}},
      {"S2 shift from the anchor back a word", school, {4, 4}, kVkLeft, kModShift, {4, 0}},
      {"E1 a selection ends at its start", school, {11, 4}, kVkLeft, 0, {4, 4}},
      {"E2 a selection ends at its end", school, {11, 4}, kVkRight, 0, {11, 11}},
      {"A1 accented letters are letters", "Attivit\xE0 sportive", {0, 0}, kVkRight, 0, {8, 8}},
      {"A2 German sharp s", "Gro\xDF Stadt", {10, 10}, kVkLeft, kModShift, {10, 5}},
  };
  line.SetFocus();
  for (const Case& c : cases) {
    line.SetWindowText(c.text);
    line.SetSel(c.before.first, c.before.second);
    ui.Key(c.key, kModControl | c.mods);
    EXPECT_EQ(Of(line), c.after) << c.id;
  }
  // A password shows no words: to its ends.
  line.ModifyStyle(0, kEsPassword);
  line.SetWindowText("ab cd");
  line.SetSel(3, 3);
  ui.Key(kVkLeft, kModControl);
  EXPECT_EQ(Of(line), Sel(0, 0));
  ui.Key(kVkRight, kModControl);
  EXPECT_EQ(Of(line), Sel(5, 5));
  // A multi-line field: over the line end, and scrolled to the caret.
  note.SetWindowText("prima riga\r\nseconda riga");
  note.SetFocus();
  note.SetSel(10, 10);
  ui.Key(kVkRight, kModControl);
  EXPECT_EQ(Of(note), Sel(19, 19));
  ui.Key(kVkLeft, kModControl | kModShift);
  ui.Key(kVkLeft, kModControl | kModShift);
  EXPECT_EQ(Of(note), Sel(19, 6));
}

TEST_F(FieldSelection, CtrlBackspaceAndCtrlDeleteTakeAWord) {
  line.SetWindowText("Lab chimica, aula 2");
  line.SetFocus();
  line.SetSel(11, 11);
  ui.Key(kVkBack, kModControl);
  EXPECT_EQ(line.GetWindowText(), "Lab , aula 2");
  EXPECT_EQ(Of(line), Sel(4, 4));
  ui.Key(kVkDelete, kModControl);
  EXPECT_EQ(line.GetWindowText(), "Lab  2");
  // A selection goes alone.
  line.SetSel(0, 2);
  ui.Key(kVkBack, kModControl);
  EXPECT_EQ(line.GetWindowText(), "b  2");
  // A read-only field keeps its text and beeps.
  line.SetReadOnly(true);
  ui.ClearBeeps();
  ui.Key(kVkBack, kModControl);
  EXPECT_EQ(line.GetWindowText(), "b  2");
  EXPECT_EQ(ui.beeps(), 1);
}

}  // namespace
}  // namespace kt::ui
