// Drawing into display lists: where a nested child's operations land, the
// dialog background and the colours a dialog answers for its controls, the
// look of each standard control in its states (checked, disabled, password,
// images, group frame, size grip), and the readable form of a list.
// Expected positions follow from the headless metrics (6 by 13 pixel base units).
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "platform/ui.h"

namespace kt::ui {
namespace {

constexpr int kTemplate = 9401;
constexpr int kCheck = 6001, kRadio = 6002, kPushLike = 6003, kSecret = 6004, kPicture = 6005, kFrame = 6006,
              kLabel = 6007, kOff = 6008;
const ControlTemplate kControls[] = {
    {"Button", kFrame, "Giorni", kBsGroupBox, 2, 2, 150, 60},
    {"Button", kCheck, "Sempre", kBsAutoCheckBox | kWsTabStop, 10, 12, 60, 10},
    {"Button", kRadio, "Lun", kBsAutoRadioButton | kWsTabStop, 10, 24, 60, 10},
    {"Button", kPushLike, "Mar", kBsAutoCheckBox | kBsPushLike | kWsTabStop, 10, 36, 60, 14},
    {"Edit", kSecret, "", kEsPassword | kWsTabStop, 80, 12, 60, 12},
    {"Static", kPicture, "", kSsBitmap, 80, 30, 20, 20},
    {"Static", kLabel, "Ore", kSsCenter, 2, 66, 60, 10},
    {"Button", kOff, "Spento", kBsPushButton, 80, 66, 60, 14},
};
const DialogTemplate kTemplates[] = {{kTemplate, "Disegno", kWsPopup | kWsCaption, 0, 0, 160, 90, kControls}};

// A dialog with the white background of the program's dialog base.
class WhiteDialog : public Dialog {
 public:
  WhiteDialog() : Dialog(kTemplate) {}
  int requests = 0;

 protected:
  Color OnCtlColor(DeviceContext& dc, Window* control, CtlType type) override {
    ++requests;
    dc.SetBkColor(kWindowColor);
    return kWindowColor;
  }
};

class DrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(dlg.Create(nullptr));
    dlg.ShowWindow(kSwShow);
  }
  const DrawItemOp* First(const DisplayList& list, int id, DrawOp op) {
    for (const DrawItemOp* o : list.ForControl(id))
      if (o->op == op) return o;
    return nullptr;
  }
  TestDriver ui;
  WhiteDialog dlg;
};

TEST_F(DrawingTest, ChildOperationsLandInTopLevelCoordinates) {
  DisplayList list = ui.Render(dlg);
  ASSERT_FALSE(list.ops().empty());
  EXPECT_EQ(list.ops()[0].control_id, 0);  // the dialog's background comes first
  EXPECT_EQ(list.ops()[0].color, kWindowColor);
  Rect where = dlg.GetDlgItem(kCheck)->GetRectInParent();
  const DrawItemOp* mark = First(list, kCheck, DrawOp::kCheckMark);
  ASSERT_NE(mark, nullptr);
  EXPECT_EQ(mark->rect.left, where.left);
  EXPECT_GE(mark->rect.top, where.top);
  EXPECT_GT(dlg.requests, 3);
  EXPECT_NE(list.Describe().find("#6007 text"), std::string::npos);
}

TEST_F(DrawingTest, ControlsShowTheirStates) {
  ui.Click(dlg, kCheck);
  ui.Click(dlg, kPushLike);
  ui.Type(dlg, kSecret, "abc");
  static_cast<StaticText*>(dlg.GetDlgItem(kPicture))->SetBitmap(246);
  dlg.GetDlgItem(kOff)->EnableWindow(false);
  DisplayList list = ui.Render(dlg);
  struct Case { const char* id; int control; DrawOp op; std::string expect; } cases[] = {
      {"checked box", kCheck, DrawOp::kCheckMark, "1"},
      {"radio left clear", kRadio, DrawOp::kCheckMark, "0"},
      {"push-like pressed", kPushLike, DrawOp::kButtonFrame, "pressed"},
      {"password masked", kSecret, DrawOp::kText, "***"},
      {"bitmap", kPicture, DrawOp::kBitmap, "246"},
      {"group caption", kFrame, DrawOp::kText, "Giorni"},
      {"disabled text", kOff, DrawOp::kText, color_name(kGrayTextColor)},
  };
  for (const Case& c : cases) {
    const DrawItemOp* op = First(list, c.control, c.op);
    ASSERT_NE(op, nullptr) << c.id;
    std::string got;
    switch (c.op) {
      case DrawOp::kCheckMark: got = std::to_string(op->width); break;
      case DrawOp::kButtonFrame: got = op->pressed ? "pressed" : "raised"; break;
      case DrawOp::kBitmap: got = std::to_string(op->resource); break;
      default: got = c.control == kOff ? color_name(op->color) : op->text;
    }
    EXPECT_EQ(got, c.expect) << c.id;
  }
  EXPECT_EQ(First(list, kLabel, DrawOp::kText)->format & kDtCenter, kDtCenter);
}

TEST(DeviceContextTest, RecordsEveryKindOfOperation) {
  DisplayList out;
  HeadlessMetrics m;
  DeviceContext dc(out, m, {10, 20}, {0, 0, 500, 500}, {}, 42);
  dc.SetTag(2, 3);
  dc.FillRect({0, 0, 5, 5}, rgb(255, 0, 0));
  dc.SetTag(-1, -1);
  dc.FrameRect({0, 0, 5, 5}, rgb(0, 51, 153));
  dc.GradientFill({0, 0, 100, 18}, rgb(0, 84, 227), rgb(61, 149, 255), false);
  dc.Checker({0, 0, 8, 8}, kWindowColor);
  dc.DrawIcon({1, 1}, 0, "IKOP_1");
  dc.FillRect({3, 3, 3, 9}, rgb(9, 9, 9));  // empty: nothing recorded
  ASSERT_EQ(out.size(), 5u);
  EXPECT_EQ(out.ops()[0].rect, (Rect{10, 20, 15, 25}));
  EXPECT_EQ(out.CellFill(42, 2, 3)->color, rgb(255, 0, 0));
  EXPECT_EQ(out.ops()[1].color, Color(0x993300));  // a colour reference and rgb() agree
  EXPECT_EQ(out.ops()[2].color2, rgb(61, 149, 255));
  EXPECT_EQ(out.ops()[4].text, "IKOP_1");
  EXPECT_EQ(describe_op(out.ops()[0]), "#42 cell (2,3) fill [10,20,15,25] RGB(255,0,0)");
}

}  // namespace
}  // namespace kt::ui
