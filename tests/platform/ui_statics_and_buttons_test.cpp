// The rarer statics and buttons of the pages: the rectangle and frame
// statics in their fixed colours, owner-drawn statics drawn by the page,
// statics that tell their clicks, a double click on a button, a multi-line
// button's text centred as a block, and the size grip in a corner.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/controls/button.h"
#include "platform/controls/progress_bar.h"
#include "platform/controls/static_control.h"
#include "platform/device_context.h"
#include "platform/dialog.h"
#include "platform/test_driver.h"

namespace kt::ui {
namespace {

constexpr int kTemplate = 9241;
constexpr int kBlack = 4201, kGray = 4202, kWhite = 4203, kBlackFrame = 4204, kEtched = 4205, kDrawn = 4206,
              kLink = 4207, kTwice = 4208, kTall = 4209, kPlain = 4210;
const ControlTemplate kControls[] = {
    {"Static", kBlack, "", kSsBlackRect, 5, 5, 20, 10},
    {"Static", kGray, "", kSsGrayRect, 30, 5, 20, 10},
    {"Static", kWhite, "", kSsWhiteRect, 55, 5, 20, 10},
    {"Static", kBlackFrame, "", kSsBlackFrame, 80, 5, 20, 10},
    {"Static", kEtched, "", kSsEtchedFrame, 105, 5, 20, 10},
    {"Static", kDrawn, "", kSsOwnerDraw, 5, 20, 40, 10},
    {"Static", kLink, "Apri la guida", kSsNotify, 50, 20, 60, 10},
    {"Button", kTwice, "Scegli", kBsOwnerDraw | kWsTabStop, 5, 35, 40, 14},
    {"Button", kTall, "Due righe di testo", kBsPushButton | kBsMultiLine | kWsTabStop, 50, 35, 40, 40},
    {"Button", kPlain, "Una", kBsPushButton | kWsTabStop, 95, 35, 40, 14},
};
const DialogTemplate kTemplates[] = {{kTemplate, "Statici", kWsPopup | kWsCaption, 0, 0, 140, 80, kControls}};

class Sheet : public Dialog {
 public:
  Sheet() : Dialog(kTemplate) {}
  std::vector<std::string> log;

 protected:
  void OnDrawItem(int id, DrawItemInfo& info) override {
    if (id == kDrawn) info.dc->FillRect(info.rect, rgb(12, 34, 56));
  }
  void OnLinkClicked() { log.push_back("link"); }
  void OnLinkTwice() { log.push_back("link twice"); }
  void OnChosen() { log.push_back("chosen"); }
  void OnChosenTwice() { log.push_back("chosen twice"); }
  KT_DECLARE_MESSAGE_MAP()
};

KT_BEGIN_MESSAGE_MAP(Sheet, Dialog)
  KT_ON_CONTROL(kStnClicked, kLink, OnLinkClicked)
  KT_ON_CONTROL(kStnDblClk, kLink, OnLinkTwice)
  KT_ON_CONTROL(kBnClicked, kTwice, OnChosen)
  KT_ON_CONTROL(kBnDoubleClicked, kTwice, OnChosenTwice)
KT_END_MESSAGE_MAP()

class StaticsAndButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(sheet.Create(nullptr));
    sheet.ShowWindow(kSwShow);
  }
  TestDriver ui;
  Sheet sheet;
};

TEST_F(StaticsAndButtons, ShapesKeepTheirColoursAndOwnerDrawnOnesThePages) {
  DisplayList look = ui.Render(sheet);
  const struct {
    int id;
    DrawOp op;
    Color color;
  } cases[] = {{kBlack, DrawOp::kFill, kWindowTextColor},       {kGray, DrawOp::kFill, kButtonShadowColor},
               {kWhite, DrawOp::kFill, kWindowColor},           {kBlackFrame, DrawOp::kFrame, kWindowTextColor},
               {kEtched, DrawOp::kFrame, kButtonShadowColor},   {kDrawn, DrawOp::kFill, rgb(12, 34, 56)}};
  for (const auto& c : cases) {
    std::vector<const DrawItemOp*> ops = look.ForControl(c.id);
    ASSERT_FALSE(ops.empty()) << c.id;
    EXPECT_EQ(ops.back()->op, c.op) << c.id;
    EXPECT_EQ(color_name(ops.back()->color), color_name(c.color)) << c.id;
  }
}

// A static with the notify style tells its clicks; a double click on a
// button clicks it and then tells the double click.
TEST_F(StaticsAndButtons, ClicksOnStaticsAndDoubleClicksOnButtons) {
  ui.Click(sheet, kLink);
  ui.DoubleClick(sheet, kLink);
  ui.Pump();
  EXPECT_EQ(sheet.log.front(), "link");
  EXPECT_EQ(sheet.log.back(), "link twice");
  sheet.log.clear();
  ui.DoubleClick(sheet, kTwice);
  ui.Pump();
  EXPECT_EQ(sheet.log.back(), "chosen twice");
  EXPECT_EQ(std::count(sheet.log.begin(), sheet.log.end(), "chosen"), 2);
}

// A multi-line button breaks its caption and centres the block of lines;
// a plain one keeps one centred line.
TEST_F(StaticsAndButtons, MultiLineButtonsCentreTheirBlockOfLines) {
  DisplayList look = ui.Render(sheet);
  std::vector<const DrawItemOp*> lines;
  for (const DrawItemOp* op : look.ForControl(kTall))
    if (op->op == DrawOp::kText) lines.push_back(op);
  ASSERT_GE(lines.size(), 2u);
  const DrawItemOp* tall = lines.front();
  EXPECT_TRUE(tall->format & kDtWordBreak);
  EXPECT_FALSE(tall->format & kDtSingleLine);
  Rect button = sheet.GetDlgItem(kTall)->GetWindowRect();
  Rect inside = sheet.ScreenToClient(button).Deflate(4);
  int above = tall->rect.top - inside.top, below = inside.bottom - lines.back()->rect.bottom;
  EXPECT_GT(above, 0);  // pushed down from the top to centre the lines
  EXPECT_LE(std::abs(above - below), 1) << above << " " << below;
  const DrawItemOp* plain = nullptr;
  for (const DrawItemOp* op : look.ForControl(kPlain))
    if (op->op == DrawOp::kText) plain = op;
  ASSERT_NE(plain, nullptr);
  EXPECT_TRUE(plain->format & kDtSingleLine);
  EXPECT_TRUE(plain->format & kDtVCenter);
}

// The grip sits in the bottom right corner of its window and draws its
// three ridges there.
TEST_F(StaticsAndButtons, TheSizeGripSitsInTheCorner) {
  SizeGrip grip;
  ASSERT_TRUE(grip.Create(&sheet, 12));
  Rect client = sheet.GetClientRect();
  EXPECT_EQ(grip.GetRectInParent(), (Rect{client.right - 12, client.bottom - 12, client.right, client.bottom}));
  int ridges = 0;
  DisplayList look = ui.Render(sheet);
  for (const DrawItemOp& op : look.ops())
    if (op.window == grip.handle() && op.op == DrawOp::kLine) ++ridges;
  EXPECT_EQ(ridges, 6);
  SizeGrip orphan;
  EXPECT_FALSE(orphan.Create(nullptr, 12));
}

}  // namespace
}  // namespace kt::ui
