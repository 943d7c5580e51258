// The toolkit's own drawn controls as the user works them: the page area's
// scroll bar (its arrows step by 20 pixels, a click beside the thumb by a
// page, never beyond either end; on a short bar the arrows share its
// length), and the buttons that translate their captions (on their first
// paint, again only when asked) and draw their face, frame and caption by
// state, the launcher panel's rows in the colour of their state, and a
// coloured button's face, text and frame colours.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <tuple>

#include "platform/test_driver.h"
#include "shell/color_button.h"
#include "shell/dialog_ml.h"
#include "shell/launcher_panel.h"
#include "shell/page_scroller.h"
#include "shell/plain_buttons.h"
#include "shell_test_support.h"

namespace {

using namespace kt::ui;
using kt_shell_test::LanguageScope;

constexpr int kTemplate = 9402, kButtonId = 1301;
const ControlTemplate kControls[] = {
    {"Button", kButtonId, "Configurazione", kBsOwnerDraw, 5, 5, 120, 16},
};
const DialogTemplate kTemplates[] = {{kTemplate, "Prova", kWsPopup | kWsCaption, 0, 0, 300, 200, kControls}};

class Host : public CDialogML {
 public:
  Host() : CDialogML(kTemplate) {}
  MLButton button;

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Control(kButtonId, button); }
};

class OwnerDrawn : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(host.Create(nullptr));
    host.ShowWindow(kSwShow);
  }
  void TearDown() override {
    if (host.IsWindow()) host.DestroyWindow();
  }
  // A bar of `length` pixels over a page of `total` showing `shown` from `offset`.
  void MakeBar(int axis, int length, int total, int shown, int offset) {
    bar.Setup(axis, [this](int to) { reported = to; });
    Rect r = axis == 0 ? Rect{0, 100, length, 100 + PageScrollBar::kThickness}
                       : Rect{200, 0, 200 + PageScrollBar::kThickness, length};
    ASSERT_TRUE(bar.CreateChild("PageScrollBar", "", 0, r, &host, 0));
    bar.SetRange(total, shown, offset);
  }
  void ClickAt(int along) {
    Point p = bar_axis == 0 ? Point{along, 8} : Point{8, along};
    bar.SendMessage(kMsgLButtonDown, 0, make_point_param(p));
    bar.SendMessage(kMsgLButtonUp, 0, make_point_param(p));
  }
  // The launcher panel opened over the host with its rows: text, icon name, colour state.
  void OpenPanel(Calfaopi& panel, std::initializer_list<std::tuple<const char*, const char*, int>> rows) {
    ASSERT_EQ(panel.Create(&host), 1);
    panel.ShowWindow(kSwShow);
    int page = 0;
    for (const auto& [text, icon, state] : rows) ASSERT_EQ(panel.AddRow(0, ++page, text, icon, state), 1);
  }
  TestDriver ui;
  Host host;
  PageScrollBar bar;
  int bar_axis = 0;
  int reported = -1;
};

TEST_F(OwnerDrawn, TheScrollBarsArrowsStepAndTheTrackPages) {
  for (int axis : {0, 1}) {
    SCOPED_TRACE(axis);
    bar_axis = axis;
    MakeBar(axis, 200, 1000, 200, 400);
    struct Step {
      int at, offset;
    } steps[] = {
        {5, 380},    // the first arrow: 20 back
        {15, 360},   // still the arrow: it is as long as the bar is thick
        {195, 380},  // the last arrow: 20 on
        {20, 200},   // the track before the thumb: a page (the shown length less 20) back
        {20, 20},
        {5, 0},      // never before the start
        {5, 0},
        {185, 20},
    };
    for (const Step& s : steps) {
      ClickAt(s.at);
      EXPECT_EQ(bar.Offset(), s.offset) << "at " << s.at;
    }
    EXPECT_EQ(reported, 20) << "the page hears where it is";
    bar.SetRange(1000, 200, 5000);
    EXPECT_EQ(bar.Offset(), 800) << "never past the end";
    bar.DestroyWindow();
  }
}

TEST_F(OwnerDrawn, AShortBarsArrowsShareItsLength) {
  MakeBar(0, 20, 1000, 200, 400);  // shorter than two arrows
  ClickAt(9);
  EXPECT_EQ(bar.Offset(), 380) << "the first half is the first arrow";
  ClickAt(10);
  EXPECT_EQ(bar.Offset(), 400) << "the second half the last";
}

TEST_F(OwnerDrawn, AButtonTranslatesItsCaptionOnItsFirstPaint) {
  {
    LanguageScope english(2);
    ui.Render(host);
    EXPECT_EQ(host.button.Caption(), "Configuration");
  }
  // Once translated, a repaint in another language keeps it (the window is
  // made again after a change of language) ...
  {
    LanguageScope german(1);
    ui.Render(host);
    EXPECT_EQ(host.button.Caption(), "Configuration");
    // ... unless the button is told to take its window's text again.
    host.button.SetWindowText("Elaborazione");
    host.button.m_translation = 2;
    ui.Render(host);
    EXPECT_EQ(host.button.Caption(), "Verarbeitung");
  }
}

TEST_F(OwnerDrawn, TheLauncherRowsTakeTheColourOfTheirState) {
  Calfaopi panel;
  OpenPanel(panel, {{"Pagina iniziale", "", 8}, {"Scuola", "", 0}, {"Assistenza", "", 13}});
  EXPECT_EQ(panel.RowCount(), 3);
  DisplayList list = ui.Render(panel);
  auto face = [&](int row) {
    for (const DrawItemOp& op : list.ops())
      if (op.control_id == Calfaopi::TextId(row) && op.op == DrawOp::kFill) return op.color;
    return kNoColor;
  };
  EXPECT_NE(face(0), face(1)) << "a state of its own shows";
  EXPECT_NE(face(2), face(1));
  panel.DestroyWindow();
}

// A row's icon is drawn on white in the middle of its button; a row
// without one leaves the place empty.
TEST_F(OwnerDrawn, TheLauncherRowsShowTheirIconsOnWhite) {
  Calfaopi panel;
  OpenPanel(panel, {{"Classi", "IKOP_1", 0}, {"Docenti", "", 0}});
  DisplayList list = ui.Render(panel);
  for (int row : {0, 1}) {
    std::string seen;
    for (const DrawItemOp* op : list.ForControl(Calfaopi::IconId(row))) {
      if (op->op == DrawOp::kFill) seen += "fill " + color_name(op->color) + ";";
      if (op->op == DrawOp::kIcon) {
        Rect button = panel.GetDlgItem(Calfaopi::IconId(row))->GetWindowRect();
        Rect inside = panel.ScreenToClient(button);
        seen += "icon " + op->text + " at " + std::to_string(op->rect.left - inside.left) + "," +
                std::to_string(op->rect.top - inside.top) + ";";
        EXPECT_EQ(op->rect.left - inside.left, (inside.Width() - 16) / 2);
        EXPECT_EQ(op->rect.top - inside.top, (inside.Height() - 16) / 2);
      }
    }
    if (row == 0) {
      EXPECT_EQ(seen.substr(0, 22), "fill " + color_name(rgb(255, 255, 255)) + ";");
      EXPECT_NE(seen.find("icon IKOP_1"), std::string::npos) << seen;
    } else {
      EXPECT_EQ(seen, "");
    }
  }
  panel.DestroyWindow();
}

// A coloured button paints its state's face and writes its caption in the
// state's text colour; a state that keeps the colours (11: a white face)
// keeps the text colour the button had.
TEST_F(OwnerDrawn, AColouredButtonWritesInItsStatesTextColour) {
  CColorButton button;
  ASSERT_TRUE(button.CreateChild("Button", "Salva", kBsOwnerDraw, Rect{5, 40, 125, 60}, &host, 1302));
  button.ShowWindow(kSwShow);
  auto drawn = [&] {
    DisplayList list = ui.Render(host);
    std::string face = "none", text = "none";
    for (const DrawItemOp* op : list.ForControl(1302)) {
      if (op->op == DrawOp::kFill) face = color_name(op->color);
      if (op->op == DrawOp::kText && op->text == "Salva") text = color_name(op->color);
    }
    return face + " " + text;
  };
  button.m_state = 1;
  EXPECT_EQ(drawn(), color_name(rgb(225, 0, 0)) + " " + color_name(rgb(255, 255, 255)));
  button.m_state = 13;
  EXPECT_EQ(drawn(), color_name(rgb(255, 255, 255)) + " " + color_name(rgb(0, 51, 153)));
  button.m_state = 11;
  EXPECT_EQ(drawn(), color_name(rgb(255, 255, 255)) + " " + color_name(rgb(0, 51, 153)));
  button.DestroyWindow();
}

// A coloured button's frame: light blue, greyed when disabled, dark blue
// with the focus (unless the button shows no focus frame), or the button's
// own frame colour whatever its state.
TEST_F(OwnerDrawn, AColouredButtonsFrameFollowsItsStateAndFocus) {
  CColorButton button;
  ASSERT_TRUE(button.CreateChild("Button", "Salva", kBsOwnerDraw | kWsTabStop, Rect{5, 40, 125, 60}, &host, 1302));
  button.ShowWindow(kSwShow);
  button.m_state = 1;
  struct Case {
    const char* id;
    bool enabled, focused, no_focus_frame;
    Color own, frame;
  } cases[] = {
      {"plain", true, false, false, 0, rgb(51, 153, 255)},
      {"disabled", false, false, false, 0, rgb(140, 170, 200)},
      {"focused", true, true, false, 0, rgb(0, 51, 153)},
      {"focused without its frame", true, true, true, 0, rgb(51, 153, 255)},
      {"own colour", true, false, false, rgb(9, 90, 9), rgb(9, 90, 9)},
      {"own colour disabled", false, false, false, rgb(9, 90, 9), rgb(9, 90, 9)},
  };
  for (const Case& c : cases) {
    button.EnableWindow(c.enabled);
    if (c.focused) button.SetFocus();
    else host.SetFocus();
    button.m_no_focus_frame = c.no_focus_frame;
    button.m_frame_color = c.own;
    DisplayList list = ui.Render(host);
    Color frame = kNoColor;
    for (const DrawItemOp* op : list.ForControl(1302))
      if (op->op == DrawOp::kFrame) frame = op->color;
    EXPECT_EQ(color_name(frame), color_name(c.frame)) << c.id;
  }
  button.DestroyWindow();
}

// A plain toolkit button: a raised frame on a light face (white when asked),
// its caption in dark grey; pressed, the frame sinks and the caption moves
// down and right by two; disabled, the caption is written in the highlight
// colour one pixel off.
TEST_F(OwnerDrawn, APlainButtonsFaceFrameAndCaptionByState) {
  MLButton& button = host.button;
  struct Seen {
    bool frame = false, pressed = false;
    Color face = kNoColor, text = kNoColor;
    Point at;
  };
  auto seen = [&] {
    Seen s;
    DisplayList list = ui.Render(host);
    for (const DrawItemOp* op : list.ForControl(kButtonId)) {
      if (op->op == DrawOp::kButtonFrame) {
        s.frame = true;
        s.pressed = op->pressed;
      }
      if (op->op == DrawOp::kFill && s.face == kNoColor) s.face = op->color;
      if (op->op == DrawOp::kText) {
        s.text = op->color;
        s.at = op->rect.TopLeft();
      }
    }
    return s;
  };
  Seen plain = seen();
  EXPECT_TRUE(plain.frame);
  EXPECT_FALSE(plain.pressed);
  EXPECT_EQ(color_name(plain.face), color_name(rgb(244, 244, 244)));
  EXPECT_EQ(color_name(plain.text), color_name(rgb(64, 64, 64)));
  button.m_white = true;
  EXPECT_EQ(color_name(seen().face), color_name(rgb(255, 255, 255)));
  button.SetState(true);
  Seen pressed = seen();
  EXPECT_TRUE(pressed.pressed);
  EXPECT_EQ(pressed.at, (Point{plain.at.x + 2, plain.at.y + 2}));
  button.SetState(false);
  button.EnableWindow(false);
  Seen disabled = seen();
  EXPECT_EQ(color_name(disabled.text), color_name(kHighlightColor));
  EXPECT_EQ(disabled.at, (Point{plain.at.x + 1, plain.at.y + 1}));
}

}  // namespace
