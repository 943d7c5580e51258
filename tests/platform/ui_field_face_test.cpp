// What a one-line field shows in each state: its background (white, or the
// button face when read-only or disabled), its frame, its text in black or
// grey, stars for a password, left, centred or right as its style says, the
// selected part lit only while it has the focus; and a multi-line field's
// selection lit line by line, its lines as the pages read them back one by one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/edit.h"
#include "platform/test_driver.h"
#include "platform/ui_backend.h"
#include "platform/window.h"

namespace kt::ui {
namespace {

class FieldFace : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateParams p;
    p.style = kWsPopup | kWsVisible;
    p.rect = {0, 0, 400, 300};
    ASSERT_TRUE(page.CreateEx(p));
  }
  // The field at (10, 10), 120 x 20, with the text; what it draws.
  struct Face {
    Color back = kNoColor, frame = kNoColor, text_color = kNoColor;
    std::string text;
    std::uint32_t format = 0;
    Rect text_rect;
    std::vector<Rect> lit;
  };
  Face Show(std::uint32_t style, const std::string& text, bool enabled = true, bool focused = false, int from = 0,
            int to = 0) {
    Edit field;
    CreateParams p;
    p.class_name = "Edit";
    p.style = style | kEsAutoHScroll | kWsChild | kWsVisible | kWsTabStop;
    p.rect = {10, 10, 130, 30};
    p.parent = &page;
    p.id = 66;
    EXPECT_TRUE(field.CreateEx(p));
    field.SetWindowText(text);
    field.EnableWindow(enabled);
    if (focused) field.SetFocus();
    field.SetSel(from, to);
    Face f;
    DisplayList drawn = ui.Render(page);
    for (const DrawItemOp* op : drawn.ForControl(66)) {
      if (op->op == DrawOp::kFill && op->rect == Rect{10, 10, 130, 30}) f.back = op->color;
      else if (op->op == DrawOp::kFill && op->color == kHighlightColor) f.lit.push_back(op->rect);
      if (op->op == DrawOp::kFrame) f.frame = op->color;
      if (op->op == DrawOp::kText) {
        f.text = op->text;
        f.text_color = op->color;
        f.format = op->format;
        f.text_rect = op->rect;
      }
    }
    field.DestroyWindow();
    return f;
  }
  TestDriver ui;
  Window page;
};

TEST_F(FieldFace, EachStateHasItsColours) {
  struct Case {
    const char* what;
    std::uint32_t style;
    bool enabled;
    Color back, text;
  } cases[] = {
      {"plain", 0, true, kWindowColor, kWindowTextColor},
      {"read-only", kEsReadOnly, true, kButtonFaceColor, kWindowTextColor},
      {"disabled", 0, false, kButtonFaceColor, kGrayTextColor},
  };
  for (const Case& c : cases) {
    Face f = Show(c.style, "Aula 3", c.enabled);
    EXPECT_EQ(f.back, c.back) << c.what;
    EXPECT_EQ(f.frame, kButtonShadowColor) << c.what;
    EXPECT_EQ(f.text, "Aula 3") << c.what;
    EXPECT_EQ(f.text_color, c.text) << c.what;
    // 3 pixels in from the left, its 13-pixel line centred in the 16 inside.
    EXPECT_EQ(f.text_rect, (Rect{13, 13, 13 + 33, 26})) << c.what;
  }
  EXPECT_EQ(Show(kEsPassword, "segreto").text, "*******");
}

TEST_F(FieldFace, TheStyleAlignsTheText) {
  struct Case {
    std::uint32_t style, align;
  } cases[] = {{0, kDtLeft}, {kEsCenter, kDtCenter}, {kEsRight, kDtRight}};
  for (const Case& c : cases) {
    Face f = Show(c.style, "12");
    EXPECT_EQ(f.format & (kDtCenter | kDtRight), c.align) << c.style;
    EXPECT_EQ(f.format & (kDtVCenter | kDtSingleLine | kDtNoPrefix), kDtVCenter | kDtSingleLine | kDtNoPrefix);
  }
}

TEST_F(FieldFace, TheSelectionIsLitOnlyWithTheFocus) {
  // "Lab " is 24 pixels, "chimica" 39 more (two narrow i, a wide m).
  Face focused = Show(0, "Lab chimica", true, true, 4, 11);
  ASSERT_EQ(focused.lit.size(), 1u);
  EXPECT_EQ(focused.lit[0], (Rect{13 + 24, 12, 13 + 24 + 39, 28}));
  Face backwards = Show(0, "Lab chimica", true, true, 11, 4);
  ASSERT_EQ(backwards.lit.size(), 1u);
  EXPECT_EQ(backwards.lit[0], focused.lit[0]);
  EXPECT_TRUE(Show(0, "Lab chimica", true, false, 4, 11).lit.empty()) << "no focus";
  EXPECT_TRUE(Show(0, "Lab chimica", true, true, 4, 4).lit.empty()) << "nothing selected";
}

// A multi-line field lights its selection line by line while it has the
// focus, as tabbing in selects all of it: what a typed key replaces shows.
TEST_F(FieldFace, AMultiLineFieldLightsItsSelectionWithTheFocus) {
  Edit notes;
  CreateParams p;
  p.class_name = "Edit";
  p.style = kEsMultiLine | kEsWantReturn | kWsChild | kWsVisible | kWsTabStop;
  p.rect = {10, 50, 200, 120};
  p.parent = &page;
  p.id = 67;
  ASSERT_TRUE(notes.CreateEx(p));
  notes.SetWindowText("prima\r\nseconda");
  const TextMetrics& m = backend().metrics();
  int lh = m.LineHeight(notes.GetFont());
  auto lit = [&] {
    std::vector<Rect> out;
    DisplayList shown = ui.Render(page);
    for (const DrawItemOp* op : shown.ForControl(67))
      if (op->op == DrawOp::kFill && op->color == kHighlightColor) out.push_back(op->rect);
    return out;
  };
  notes.SetSel(2, 10);  // "ima", the line end, "sec"
  EXPECT_TRUE(lit().empty()) << "no focus";
  notes.SetFocus();
  std::vector<Rect> both = lit();
  ASSERT_EQ(both.size(), 2u);
  EXPECT_EQ(both[0], (Rect{13 + m.TextWidth(notes.GetFont(), "pr"), 52, 13 + m.TextWidth(notes.GetFont(), "prima"), 52 + lh}));
  EXPECT_EQ(both[1], (Rect{13, 52 + lh, 13 + m.TextWidth(notes.GetFont(), "sec"), 52 + 2 * lh}));
  notes.SetSel(10, 2);
  EXPECT_EQ(lit(), both) << "selected backwards";
  notes.SetSel(0, -1);
  EXPECT_EQ(lit().size(), 2u) << "all of it";
  notes.SetSel(4, 4);
  EXPECT_TRUE(lit().empty()) << "nothing selected";
}

TEST_F(FieldFace, AMultiLineFieldsLinesReadBackOneByOne) {
  Edit notes;
  CreateParams p;
  p.class_name = "Edit";
  p.style = kEsMultiLine | kEsWantReturn | kWsChild | kWsVisible;
  p.rect = {10, 50, 200, 120};
  p.parent = &page;
  p.id = 67;
  ASSERT_TRUE(notes.CreateEx(p));
  notes.SetWindowText("prima\r\n\r\nterza riga\r\n");
  EXPECT_EQ(notes.GetLineCount(), 4);
  const char* lines[] = {"prima", "", "terza riga", ""};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(notes.GetLine(i), lines[i]) << i;
  EXPECT_EQ(notes.GetLine(4), "");
  EXPECT_EQ(notes.GetLine(40), "");
  notes.SetWindowText("sola");
  EXPECT_EQ(notes.GetLineCount(), 1);
  EXPECT_EQ(notes.GetLine(0), "sola");
  notes.SetWindowText("a\nb");
  EXPECT_EQ(notes.GetLine(0), "a");
  EXPECT_EQ(notes.GetLine(1), "b");
}

}  // namespace
}  // namespace kt::ui
