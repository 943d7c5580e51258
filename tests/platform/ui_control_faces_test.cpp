// What each control draws, operation by operation, in each of its states:
// a label's alignment and wrapping as its style says, grey when disabled,
// framed when sunken; a combo box's field, frame, raised or pressed arrow
// button with its two-line arrow, its text and the focused drop-down list's
// lit field, and a simple combo's list under its field. The screen backend
// replays these operations, so the faces here are the faces on screen.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/controls/button.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/list_box.h"
#include "platform/controls/progress_bar.h"
#include "platform/controls/static_control.h"
#include "platform/display_list.h"
#include "platform/test_driver.h"
#include "platform/window.h"

namespace kt::ui {
namespace {

constexpr int kId = 77;

std::string face_of(const DisplayList &drawn, int id);
// One line per operation of the control, with what describe_op leaves out.
std::string face_of(const DisplayList &drawn) { return face_of(drawn, kId); }
std::string face_of(const DisplayList &drawn, int id) {
  std::string out;
  for (const DrawItemOp *op : drawn.ForControl(id)) {
    out += describe_op(*op);
    char buf[96];
    if (op->op == DrawOp::kText) {
      std::snprintf(buf, sizeof buf, " fmt=%#x", unsigned(op->format));
      out += buf;
    }
    if (op->op == DrawOp::kButtonFrame && op->pressed)
      out += " pressed";
    if (op->op == DrawOp::kCheckMark) {
      std::snprintf(buf, sizeof buf, " state=%d%s", op->width,
                    op->vertical ? " radio" : "");
      out += buf;
    }
    out += "\n";
  }
  return out;
}

class ControlFaces : public ::testing::Test {
protected:
  void SetUp() override {
    CreateParams p;
    p.style = kWsPopup | kWsVisible;
    p.rect = {0, 0, 400, 300};
    ASSERT_TRUE(page.CreateEx(p));
  }
  CreateParams Params(const char *class_name, std::uint32_t style, Rect r) {
    CreateParams p;
    p.class_name = class_name;
    p.style = style | kWsChild | kWsVisible;
    p.rect = r;
    p.parent = &page;
    p.id = kId;
    return p;
  }
  TestDriver ui;
  Window page;
};

// Black text, or grey when disabled: the same face otherwise.
std::string greyed(std::string face) {
  for (std::size_t at; (at = face.find("text [")) != std::string::npos &&
                       face.find("RGB(0,0,0)", at) != std::string::npos;) {
    std::size_t c = face.find("RGB(0,0,0)", at);
    face.replace(c, 10, "RGB(109,109,109)");
    face.replace(at, 4, "TEXT");
  }
  for (std::size_t at; (at = face.find("TEXT [")) != std::string::npos;)
    face.replace(at, 4, "text");
  return face;
}

// "Ora di ricevimento" is 102 pixels wide: one pixel too many for a line of
// the 100-pixel label, so the word-breaking styles break it in two.
TEST_F(ControlFaces, LabelsAlignBreakAndFrameAsTheirStyleSays) {
  struct Case {
    const char *what;
    std::uint32_t style;
    const char *face;
  } cases[] = {
      {"left", kSsLeft,
       "#77 text [10,10,43,23] RGB(0,0,0) \"Ora di\" fmt=0x50\n"
       "#77 text [10,23,73,36] RGB(0,0,0) \"ricevimento\" fmt=0x50\n"},
      {"centred", kSsCenter,
       "#77 text [43,10,76,23] RGB(0,0,0) \"Ora di\" fmt=0x51\n"
       "#77 text [28,23,91,36] RGB(0,0,0) \"ricevimento\" fmt=0x51\n"},
      {"right", kSsRight,
       "#77 text [77,10,110,23] RGB(0,0,0) \"Ora di\" fmt=0x52\n"
       "#77 text [47,23,110,36] RGB(0,0,0) \"ricevimento\" fmt=0x52\n"},
      {"simple", kSsSimple,
       "#77 text [10,10,112,23] RGB(0,0,0) \"Ora di ricevimento\" fmt=0x20\n"},
      {"left, no wrap", kSsLeftNoWordWrap,
       "#77 text [10,10,112,23] RGB(0,0,0) \"Ora di ricevimento\" fmt=0x20\n"},
      {"centred image", kSsLeft | kSsCenterImage,
       "#77 text [10,13,112,26] RGB(0,0,0) \"Ora di ricevimento\" fmt=0x64\n"},
      {"right, sunken", kSsRight | kSsSunken,
       "#77 frame [10,10,110,30] RGB(160,160,160)\n"
       "#77 text [77,10,110,23] RGB(0,0,0) \"Ora di\" fmt=0x52\n"
       "#77 text [47,23,110,36] RGB(0,0,0) \"ricevimento\" fmt=0x52\n"},
  };
  for (const Case &c : cases) {
    StaticText label;
    ASSERT_TRUE(label.CreateEx(Params("Static", c.style, {10, 10, 110, 30})));
    label.SetWindowText("Ora di ricevimento");
    EXPECT_EQ(face_of(ui.Render(page)), c.face) << c.what;
    label.EnableWindow(false);
    EXPECT_EQ(face_of(ui.Render(page)), greyed(c.face))
        << c.what << ", disabled";
    label.DestroyWindow();
  }
}

// The field of a drop-down combo box: white (button face when disabled),
// framed in grey, the arrow button at its right end raised (pressed while
// the list is open) with a 7-pixel line over a 3-pixel one under it, the
// chosen row's text ended with an ellipsis short of the button; a focused
// drop-down list lights its field while its list is closed.
TEST_F(ControlFaces, DropDownFieldsInEachState) {
  const std::string field = "#77 fill [20,20,140,41] RGB(255,255,255)\n"
                            "#77 frame [20,20,140,41] RGB(160,160,160)\n";
  const std::string button =
      "#77 button-frame [124,21,139,40] RGB(240,240,240)";
  const std::string arrow = "#77 line [128,29,135,29] RGB(0,0,0)\n"
                            "#77 line [130,31,133,31] RGB(0,0,0)\n";
  const std::string text =
      "#77 text [23,24,65,37] RGB(0,0,0) \"Martedi\" fmt=0x8824\n";
  const std::string plain = field + button + "\n" + arrow + text;
  const std::string dropped = field + button + " pressed\n" + arrow + text;
  const std::string disabled =
      "#77 fill [20,20,140,41] RGB(240,240,240)\n"
      "#77 frame [20,20,140,41] RGB(160,160,160)\n" +
      button + "\n" + arrow +
      "#77 text [23,24,65,37] RGB(109,109,109) \"Martedi\" fmt=0x8824\n";
  const std::string lit =
      field + button + "\n" + arrow +
      "#77 fill [22,22,123,39] RGB(51,153,255)\n"
      "#77 text [23,24,65,37] RGB(255,255,255) \"Martedi\" fmt=0x8824\n";
  struct Case {
    const char *what;
    std::uint32_t kind;
    std::string focused;
  } cases[] = {{"drop-down", kCbsDropDown, plain},
               {"drop-down list", kCbsDropDownList, lit}};
  for (const Case &c : cases) {
    ComboBox combo;
    ASSERT_TRUE(combo.CreateEx(
        Params("ComboBox", c.kind | kWsTabStop, {20, 20, 140, 120})));
    combo.AddString("Lunedi");
    combo.AddString("Martedi");
    combo.SetCurSel(1);
    EXPECT_EQ(face_of(ui.Render(page)), plain) << c.what;
    combo.SetFocus();
    EXPECT_EQ(face_of(ui.Render(page)), c.focused) << c.what << ", focused";
    combo.ShowDropDown(true);
    EXPECT_EQ(face_of(ui.Render(page)), dropped) << c.what << ", open";
    ASSERT_NE(combo.DropDownWindow(), nullptr);
    // The open list: white, framed in black, a row a line and 2 pixels high,
    // the chosen row lit.
    EXPECT_EQ(ui.Render(*combo.DropDownWindow()).Describe(),
              "#0 fill [0,0,120,32] RGB(255,255,255)\n"
              "#0 frame [0,0,120,32] RGB(0,0,0)\n"
              "#0 cell (0,0) text [3,2,36,15] RGB(0,0,0) \"Lunedi\"\n"
              "#0 cell (1,0) fill [1,16,119,31] RGB(51,153,255)\n"
              "#0 cell (1,0) text [3,17,45,30] RGB(255,255,255) \"Martedi\"\n")
        << c.what;
    combo.ShowDropDown(false);
    EXPECT_EQ(face_of(ui.Render(page)), c.focused)
        << c.what << ", closed again";
    combo.EnableWindow(false);
    EXPECT_EQ(face_of(ui.Render(page)), disabled) << c.what << ", disabled";
    combo.DestroyWindow();
  }
}

// A simple combo box shows its list under the field, framed in black, the
// chosen row lit.
TEST_F(ControlFaces, ASimpleCombosListShowsUnderItsField) {
  ComboBox combo;
  ASSERT_TRUE(combo.CreateEx(
      Params("ComboBox", kCbsSimple | kWsTabStop, {20, 20, 140, 120})));
  combo.AddString("Lunedi");
  combo.AddString("Martedi");
  combo.SetCurSel(1);
  std::string face = face_of(ui.Render(page));
  std::size_t list = face.find("#77 fill [20,41,");
  ASSERT_NE(list, std::string::npos) << face;
  EXPECT_EQ(face.substr(0, face.find('\n') + 1),
            "#77 fill [20,20,140,41] RGB(255,255,255)\n");
  EXPECT_NE(
      face.find("#77 text [23,24,65,37] RGB(0,0,0) \"Martedi\" fmt=0x8824\n"),
      std::string::npos)
      << face;
  EXPECT_EQ(
      face.substr(list),
      "#77 fill [20,41,140,73] RGB(255,255,255)\n"
      "#77 frame [20,41,140,73] RGB(0,0,0)\n"
      "#77 cell (0,0) text [23,43,56,56] RGB(0,0,0) \"Lunedi\" fmt=0x824\n"
      "#77 cell (1,0) fill [21,57,139,72] RGB(51,153,255)\n"
      "#77 cell (1,0) text [23,58,65,71] RGB(255,255,255) \"Martedi\" "
      "fmt=0x824\n");
  combo.SetCurSel(0);
  face = face_of(ui.Render(page));
  EXPECT_NE(face.find("#77 cell (0,0) fill [21,42,139,57] RGB(51,153,255)\n"),
            std::string::npos)
      << face;
  EXPECT_NE(face.find("#77 cell (1,0) text [23,58,65,71] RGB(0,0,0) "
                      "\"Martedi\" fmt=0x824\n"),
            std::string::npos)
      << face;
}

// The open list shows the chosen row; opened again with no row chosen it
// starts from its first row, wherever it was left scrolled.
TEST_F(ControlFaces, AListOpenedAgainStartsFromItsFirstRowOrTheChosenOne) {
  ComboBox combo;
  ASSERT_TRUE(combo.CreateEx(
      Params("ComboBox", kCbsDropDownList | kWsTabStop, {20, 20, 140, 120})));
  for (int i = 0; i < 20; ++i)
    combo.AddString("Riga " + std::to_string(i));
  auto first_shown = [&] {
    DisplayList drawn = ui.Render(*combo.DropDownWindow());
    for (const DrawItemOp &op : drawn.ops())
      if (op.op == DrawOp::kText)
        return op.text;
    return std::string();
  };
  combo.ShowDropDown(true);
  ASSERT_NE(combo.DropDownWindow(), nullptr);
  EXPECT_EQ(first_shown(), "Riga 0");
  combo.SetCurSel(19);
  EXPECT_EQ(ui.Render(*combo.DropDownWindow()).CellText(0, 19, 0)->text,
            "Riga 19");
  EXPECT_NE(first_shown(), "Riga 0");
  combo.ShowDropDown(false);
  combo.SetCurSel(-1);
  combo.ShowDropDown(true);
  ASSERT_NE(combo.DropDownWindow(), nullptr);
  EXPECT_EQ(first_shown(), "Riga 0");
  combo.ShowDropDown(false);
  combo.SetCurSel(15);
  combo.ShowDropDown(true);
  ASSERT_NE(combo.DropDownWindow(), nullptr);
  ASSERT_NE(ui.Render(*combo.DropDownWindow()).CellText(0, 15, 0), nullptr);
  combo.DestroyWindow();
}

// A button's face in four states: as made; checked and focused; held
// down; in the third state and disabled. Push buttons are raised frames
// (pressed while held, or while a push-like box is checked) with the text
// centred, a dotted focus rectangle inside when focused and a black frame
// when the style says default (outside a dialog nothing else decides what
// Return presses); check boxes and radio buttons draw their box (its state shown) beside the text, a grey
// frame round the text when focused; a group box frames its area with its
// title over the frame's top line.
TEST_F(ControlFaces, ButtonsInEachState) {
  struct Case {
    const char *what;
    std::uint32_t style;
    const char *faces[4];
  } cases[] = {
      {"push button",
       kBsPushButton,
       {"#77 button-frame [10,10,110,34] RGB(240,240,240)\n"
        "#77 fill [12,12,108,32] RGB(240,240,240)\n"
        "#77 text [46,15,73,28] RGB(0,0,0) \"Salva\" fmt=0x25\n",
        "#77 button-frame [10,10,110,34] RGB(240,240,240)\n"
        "#77 fill [12,12,108,32] RGB(240,240,240)\n"
        "#77 checker [13,13,107,14] RGB(0,0,0)\n"
        "#77 checker [13,30,107,31] RGB(0,0,0)\n"
        "#77 checker [13,14,14,30] RGB(0,0,0)\n"
        "#77 checker [106,14,107,30] RGB(0,0,0)\n"
        "#77 text [46,15,73,28] RGB(0,0,0) \"Salva\" fmt=0x25\n",
        "#77 button-frame [10,10,110,34] RGB(240,240,240) pressed\n"
        "#77 fill [12,12,108,32] RGB(240,240,240)\n"
        "#77 checker [13,13,107,14] RGB(0,0,0)\n"
        "#77 checker [13,30,107,31] RGB(0,0,0)\n"
        "#77 checker [13,14,14,30] RGB(0,0,0)\n"
        "#77 checker [106,14,107,30] RGB(0,0,0)\n"
        "#77 text [47,16,74,29] RGB(0,0,0) \"Salva\" fmt=0x25\n",
        "#77 button-frame [10,10,110,34] RGB(240,240,240)\n"
        "#77 fill [12,12,108,32] RGB(240,240,240)\n"
        "#77 text [46,15,73,28] RGB(109,109,109) \"Salva\" fmt=0x25\n"}},
      {"default push button",
       kBsDefPushButton,
       {"#77 button-frame [10,10,110,34] RGB(240,240,240)\n"
        "#77 fill [12,12,108,32] RGB(240,240,240)\n"
        "#77 frame [10,10,110,34] RGB(0,0,0)\n"
        "#77 text [46,15,73,28] RGB(0,0,0) \"Salva\" fmt=0x25\n",
        "#77 button-frame [10,10,110,34] RGB(240,240,240)\n"
        "#77 fill [12,12,108,32] RGB(240,240,240)\n"
        "#77 frame [10,10,110,34] RGB(0,0,0)\n"
        "#77 checker [13,13,107,14] RGB(0,0,0)\n"
        "#77 checker [13,30,107,31] RGB(0,0,0)\n"
        "#77 checker [13,14,14,30] RGB(0,0,0)\n"
        "#77 checker [106,14,107,30] RGB(0,0,0)\n"
        "#77 text [46,15,73,28] RGB(0,0,0) \"Salva\" fmt=0x25\n",
        "#77 button-frame [10,10,110,34] RGB(240,240,240) pressed\n"
        "#77 fill [12,12,108,32] RGB(240,240,240)\n"
        "#77 frame [10,10,110,34] RGB(0,0,0)\n"
        "#77 checker [13,13,107,14] RGB(0,0,0)\n"
        "#77 checker [13,30,107,31] RGB(0,0,0)\n"
        "#77 checker [13,14,14,30] RGB(0,0,0)\n"
        "#77 checker [106,14,107,30] RGB(0,0,0)\n"
        "#77 text [47,16,74,29] RGB(0,0,0) \"Salva\" fmt=0x25\n",
        "#77 button-frame [10,10,110,34] RGB(240,240,240)\n"
        "#77 fill [12,12,108,32] RGB(240,240,240)\n"
        "#77 frame [10,10,110,34] RGB(0,0,0)\n"
        "#77 text [46,15,73,28] RGB(109,109,109) \"Salva\" fmt=0x25\n"}},
      {"check box",
       kBsAutoCheckBox,
       {"#77 check [10,15,23,28] RGB(0,0,0) state=0\n"
        "#77 text [27,15,54,28] RGB(0,0,0) \"Salva\" fmt=0x24\n",
        "#77 check [10,15,23,28] RGB(0,0,0) state=1\n"
        "#77 text [27,15,54,28] RGB(0,0,0) \"Salva\" fmt=0x24\n"
        "#77 frame [27,10,110,34] RGB(109,109,109)\n",
        "#77 check [10,15,23,28] RGB(0,0,0) state=1\n"
        "#77 text [27,15,54,28] RGB(0,0,0) \"Salva\" fmt=0x24\n"
        "#77 frame [27,10,110,34] RGB(109,109,109)\n",
        "#77 check [10,15,23,28] RGB(0,0,0) state=2\n"
        "#77 text [27,15,54,28] RGB(109,109,109) \"Salva\" fmt=0x24\n"}},
      {"radio button",
       kBsAutoRadioButton,
       {"#77 check [10,15,23,28] RGB(0,0,0) state=0 radio\n"
        "#77 text [27,15,54,28] RGB(0,0,0) \"Salva\" fmt=0x24\n",
        "#77 check [10,15,23,28] RGB(0,0,0) state=1 radio\n"
        "#77 text [27,15,54,28] RGB(0,0,0) \"Salva\" fmt=0x24\n"
        "#77 frame [27,10,110,34] RGB(109,109,109)\n",
        "#77 check [10,15,23,28] RGB(0,0,0) state=1 radio\n"
        "#77 text [27,15,54,28] RGB(0,0,0) \"Salva\" fmt=0x24\n"
        "#77 frame [27,10,110,34] RGB(109,109,109)\n",
        "#77 check [10,15,23,28] RGB(0,0,0) state=2 radio\n"
        "#77 text [27,15,54,28] RGB(109,109,109) \"Salva\" fmt=0x24\n"}},
      {"group box",
       kBsGroupBox,
       {"#77 frame [10,16,110,34] RGB(160,160,160)\n"
        "#77 fill [18,10,49,23] RGB(255,255,255)\n"
        "#77 text [20,10,47,23] RGB(0,0,0) \"Salva\" fmt=0x20\n",
        "#77 frame [10,16,110,34] RGB(160,160,160)\n"
        "#77 fill [18,10,49,23] RGB(255,255,255)\n"
        "#77 text [20,10,47,23] RGB(0,0,0) \"Salva\" fmt=0x20\n",
        "#77 frame [10,16,110,34] RGB(160,160,160)\n"
        "#77 fill [18,10,49,23] RGB(255,255,255)\n"
        "#77 text [20,10,47,23] RGB(0,0,0) \"Salva\" fmt=0x20\n",
        "#77 frame [10,16,110,34] RGB(160,160,160)\n"
        "#77 fill [18,10,49,23] RGB(255,255,255)\n"
        "#77 text [20,10,47,23] RGB(109,109,109) \"Salva\" fmt=0x20\n"}},
      {"check box, text on the left",
       kBsAutoCheckBox | kBsLeftText,
       {"#77 check [97,15,110,28] RGB(0,0,0) state=0\n"
        "#77 text [10,15,37,28] RGB(0,0,0) \"Salva\" fmt=0x24\n",
        "#77 check [97,15,110,28] RGB(0,0,0) state=1\n"
        "#77 text [10,15,37,28] RGB(0,0,0) \"Salva\" fmt=0x24\n"
        "#77 frame [10,10,93,34] RGB(109,109,109)\n",
        "#77 check [97,15,110,28] RGB(0,0,0) state=1\n"
        "#77 text [10,15,37,28] RGB(0,0,0) \"Salva\" fmt=0x24\n"
        "#77 frame [10,10,93,34] RGB(109,109,109)\n",
        "#77 check [97,15,110,28] RGB(0,0,0) state=2\n"
        "#77 text [10,15,37,28] RGB(109,109,109) \"Salva\" fmt=0x24\n"}},
      {"push-like check box",
       kBsAutoCheckBox | kBsPushLike,
       {"#77 button-frame [10,10,110,34] RGB(240,240,240)\n"
        "#77 fill [12,12,108,32] RGB(240,240,240)\n"
        "#77 text [46,15,73,28] RGB(0,0,0) \"Salva\" fmt=0x25\n",
        "#77 button-frame [10,10,110,34] RGB(240,240,240) pressed\n"
        "#77 fill [12,12,108,32] RGB(240,240,240)\n"
        "#77 checker [13,13,107,14] RGB(0,0,0)\n"
        "#77 checker [13,30,107,31] RGB(0,0,0)\n"
        "#77 checker [13,14,14,30] RGB(0,0,0)\n"
        "#77 checker [106,14,107,30] RGB(0,0,0)\n"
        "#77 text [47,16,74,29] RGB(0,0,0) \"Salva\" fmt=0x25\n",
        "#77 button-frame [10,10,110,34] RGB(240,240,240) pressed\n"
        "#77 fill [12,12,108,32] RGB(240,240,240)\n"
        "#77 checker [13,13,107,14] RGB(0,0,0)\n"
        "#77 checker [13,30,107,31] RGB(0,0,0)\n"
        "#77 checker [13,14,14,30] RGB(0,0,0)\n"
        "#77 checker [106,14,107,30] RGB(0,0,0)\n"
        "#77 text [47,16,74,29] RGB(0,0,0) \"Salva\" fmt=0x25\n",
        "#77 button-frame [10,10,110,34] RGB(240,240,240)\n"
        "#77 fill [12,12,108,32] RGB(240,240,240)\n"
        "#77 text [46,15,73,28] RGB(109,109,109) \"Salva\" fmt=0x25\n"}},
  };
  for (const Case &c : cases) {
    Button b;
    ASSERT_TRUE(
        b.CreateEx(Params("Button", c.style | kWsTabStop, {10, 10, 110, 34})));
    b.SetWindowText("Salva");
    EXPECT_EQ(face_of(ui.Render(page)), c.faces[0]) << c.what;
    b.SetCheck(kBstChecked);
    b.SetFocus();
    EXPECT_EQ(face_of(ui.Render(page)), c.faces[1])
        << c.what << ", checked and focused";
    b.SetState(true);
    EXPECT_EQ(face_of(ui.Render(page)), c.faces[2]) << c.what << ", held down";
    b.SetState(false);
    b.SetCheck(kBstIndeterminate);
    b.EnableWindow(false);
    EXPECT_EQ(face_of(ui.Render(page)), c.faces[3])
        << c.what << ", third state, disabled";
    b.DestroyWindow();
  }
}

// A list box: white, framed in grey, each row a line and 2 pixels high, the
// chosen one lit; grey rows when disabled; four rows in a box for three
// bring the rows bar with its two arrow buttons and its thumb.
TEST_F(ControlFaces, AListBoxsRowsAndItsBar) {
  ListBox rooms;
  ASSERT_TRUE(rooms.CreateEx(
      Params("ListBox", kLbsNotify | kWsTabStop, {10, 10, 110, 60})));
  for (const char *t : {"Aula 1", "Aula 2", "Aula 3", "Palestra"})
    rooms.AddString(t);
  rooms.SetCurSel(1);
  const std::string shown =
      "#77 fill [10,10,110,60] RGB(255,255,255)\n"
      "#77 frame [10,10,110,60] RGB(160,160,160)\n"
      "#77 cell (0,0) text [13,12,46,25] RGB(0,0,0) \"Aula 1\" fmt=0x864\n"
      "#77 cell (1,0) fill [11,26,93,41] RGB(51,153,255)\n"
      "#77 cell (1,0) text [13,27,46,40] RGB(255,255,255) \"Aula 2\" "
      "fmt=0x864\n"
      "#77 cell (2,0) text [13,42,46,55] RGB(0,0,0) \"Aula 3\" fmt=0x864\n"
      "#77 cell (3,0) text [13,57,58,70] RGB(0,0,0) \"Palestra\" fmt=0x864\n"
      "#77 fill [93,11,109,59] RGB(232,232,232)\n"
      "#77 button-frame [93,11,109,27] RGB(240,240,240)\n"
      "#77 button-frame [93,43,109,59] RGB(240,240,240)\n"
      "#77 button-frame [93,27,109,39] RGB(240,240,240)\n"
      "#77 line [101,17,102,17] RGB(0,0,0)\n"
      "#77 line [101,52,102,52] RGB(0,0,0)\n"
      "#77 line [100,18,103,18] RGB(0,0,0)\n"
      "#77 line [100,51,103,51] RGB(0,0,0)\n"
      "#77 line [99,19,104,19] RGB(0,0,0)\n"
      "#77 line [99,50,104,50] RGB(0,0,0)\n"
      "#77 line [98,20,105,20] RGB(0,0,0)\n"
      "#77 line [98,49,105,49] RGB(0,0,0)\n";
  EXPECT_EQ(face_of(ui.Render(page)), shown);
  rooms.SetFocus();
  EXPECT_EQ(face_of(ui.Render(page)), shown) << "focused";
  rooms.EnableWindow(false);
  EXPECT_EQ(face_of(ui.Render(page)),
            "#77 fill [10,10,110,60] RGB(255,255,255)\n"
            "#77 frame [10,10,110,60] RGB(160,160,160)\n"
            "#77 cell (0,0) text [13,12,46,25] RGB(109,109,109) \"Aula 1\" "
            "fmt=0x864\n"
            "#77 cell (1,0) fill [11,26,93,41] RGB(51,153,255)\n"
            "#77 cell (1,0) text [13,27,46,40] RGB(255,255,255) \"Aula 2\" "
            "fmt=0x864\n"
            "#77 cell (2,0) text [13,42,46,55] RGB(109,109,109) \"Aula 3\" "
            "fmt=0x864\n"
            "#77 cell (3,0) text [13,57,58,70] RGB(109,109,109) \"Palestra\" "
            "fmt=0x864\n"
            "#77 fill [93,11,109,59] RGB(232,232,232)\n"
            "#77 button-frame [93,11,109,27] RGB(240,240,240)\n"
            "#77 button-frame [93,43,109,59] RGB(240,240,240)\n"
            "#77 button-frame [93,27,109,39] RGB(240,240,240)\n"
            "#77 line [101,17,102,17] RGB(0,0,0)\n"
            "#77 line [101,52,102,52] RGB(0,0,0)\n"
            "#77 line [100,18,103,18] RGB(0,0,0)\n"
            "#77 line [100,51,103,51] RGB(0,0,0)\n"
            "#77 line [99,19,104,19] RGB(0,0,0)\n"
            "#77 line [99,50,104,50] RGB(0,0,0)\n"
            "#77 line [98,20,105,20] RGB(0,0,0)\n"
            "#77 line [98,49,105,49] RGB(0,0,0)\n")
      << "disabled";
  rooms.DestroyWindow();
}

// A progress bar: the button face framed in grey, lit from the left in
// proportion to its place in the range, never past its end.
TEST_F(ControlFaces, AProgressBarLitInProportion) {
  ProgressBar bar;
  ASSERT_TRUE(bar.CreateEx(Params("ProgressBar", 0, {10, 10, 110, 24})));
  bar.SetRange(0, 40);
  bar.SetPos(10);
  EXPECT_EQ(face_of(ui.Render(page)),
            "#77 fill [10,10,110,24] RGB(240,240,240)\n"
            "#77 frame [10,10,110,24] RGB(160,160,160)\n"
            "#77 fill [11,11,35,23] RGB(51,153,255)\n");
  bar.SetPos(50);
  EXPECT_EQ(face_of(ui.Render(page)),
            "#77 fill [10,10,110,24] RGB(240,240,240)\n"
            "#77 frame [10,10,110,24] RGB(160,160,160)\n"
            "#77 fill [11,11,109,23] RGB(51,153,255)\n");
  bar.DestroyWindow();
}

} // namespace
} // namespace kt::ui
