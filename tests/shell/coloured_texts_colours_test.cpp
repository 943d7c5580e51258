// The colours a page gives its statics and check boxes, as they are drawn:
// until given a background a label sits on the page's own background in
// black; a given background fills it and a given text colour writes it; a
// colour left out ("all bits set") keeps the one before for the statics,
// while the translating check box takes black text and keeps its fill; and
// the static that takes new values keeps the fill it had.
#include <gtest/gtest.h>

#include <string>

#include "platform/test_driver.h"
#include "shell/coloured_texts.h"
#include "shell/dialog_ml.h"

namespace {

using namespace kt::ui;

constexpr int kTemplate = 9433;
constexpr int kStatic = 1321, kCheck = 1322, kValues = 1323, kBlue = 1324;

const ControlTemplate kControls[] = {
    {"Static", kStatic, "Ore", 0, 5, 5, 60, 10},
    {"Button", kCheck, "Prova", kBsAutoCheckBox | kWsTabStop, 5, 20, 60, 10},
    {"Static", kValues, "Valori", 0, 5, 35, 60, 10},
    {"Static", kBlue, "Azzurro", 0, 5, 50, 60, 10},
};
const DialogTemplate kTemplates[] = {
    {kTemplate, "Pagina", kWsPopup | kWsCaption, 0, 0, 120, 70, kControls},
};

class Page : public CDialogML {
 public:
  Page() : CDialogML(kTemplate) {}
  CStaticML label;
  CCheckML check;
  CMuto values;
  CMutoAzzurro blue;

 protected:
  void DoDataExchange(DataExchange& dx) override {
    dx.Control(kStatic, label);
    dx.Control(kCheck, check);
    dx.Control(kValues, values);
    dx.Control(kBlue, blue);
  }
};

std::string hex(Color c) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", unsigned(c & 0xFFFFFF));
  return text;
}

class ColouredTexts : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    page.SetBackgroundColor(rgb(236, 233, 216));  // a page of its own colour, not white
    page_background = hex(page.GetBackgroundColor());
  }
  void TearDown() override {
    if (page.IsWindow()) page.DestroyWindow();
  }
  // The control's first fill and the colour of its text, as "fill/text";
  // the page's own background reads "page".
  std::string Drawn(int id, const std::string& text) {
    DisplayList list = ui.Render(page);
    std::string fill = "none", ink = "none";
    for (const DrawItemOp* op : list.ForControl(id)) {
      if (op->op == DrawOp::kFill && fill == "none") fill = hex(op->color);
      if (op->op == DrawOp::kText && op->text == text) ink = hex(op->color);
    }
    if (fill == page_background) fill = "page";
    return fill + "/" + ink;
  }
  TestDriver ui;
  Page page;
  std::string page_background;
};

TEST_F(ColouredTexts, ALabelSitsOnThePageUntilGivenABackground) {
  EXPECT_EQ(Drawn(kStatic, "Ore"), "page/000000");
  page.label.SetColors(rgb(200, 0, 0), kNoColor);
  EXPECT_EQ(Drawn(kStatic, "Ore"), "page/" + hex(rgb(200, 0, 0)));
  page.label.SetColors(kNoColor, rgb(0, 120, 0));
  EXPECT_EQ(Drawn(kStatic, "Ore"), hex(rgb(0, 120, 0)) + "/" + hex(rgb(200, 0, 0)));  // the text kept
  page.label.SetColors(rgb(0, 0, 90), kNoColor);
  EXPECT_EQ(Drawn(kStatic, "Ore"), hex(rgb(0, 120, 0)) + "/" + hex(rgb(0, 0, 90)));   // the fill kept
  EXPECT_EQ(Drawn(kBlue, "Azzurro"), hex(rgb(229, 240, 245)) + "/000000");
}

TEST_F(ColouredTexts, TheTranslatingCheckBoxTakesBlackForALeftOutText) {
  EXPECT_EQ(Drawn(kCheck, "Prova"), "page/000000");
  page.check.SetColors(rgb(200, 0, 0), kNoColor);
  EXPECT_EQ(Drawn(kCheck, "Prova"), "page/" + hex(rgb(200, 0, 0)));
  page.check.SetColors(rgb(200, 0, 0), rgb(0, 120, 0));
  EXPECT_EQ(Drawn(kCheck, "Prova"), hex(rgb(0, 120, 0)) + "/" + hex(rgb(200, 0, 0)));
  page.check.SetColors(kNoColor, kNoColor);  // black text, the fill kept
  EXPECT_EQ(Drawn(kCheck, "Prova"), hex(rgb(0, 120, 0)) + "/000000");
  page.check.SetColors(rgb(0, 0, 90), rgb(250, 250, 0));
  EXPECT_EQ(Drawn(kCheck, "Prova"), hex(rgb(250, 250, 0)) + "/" + hex(rgb(0, 0, 90)));
}

TEST_F(ColouredTexts, NewValuesKeepTheFillTheStaticHad) {
  page.values.SetColorValues(rgb(0, 0, 90), rgb(250, 250, 0));
  EXPECT_EQ(Drawn(kValues, "Valori"), "FFFFFF/" + hex(rgb(0, 0, 90)));  // its own now, the brush still white
  page.values.SetColors(kNoColor, rgb(0, 120, 0));
  page.values.SetColorValues(kNoColor, rgb(250, 250, 0));
  EXPECT_EQ(Drawn(kValues, "Valori"), hex(rgb(0, 120, 0)) + "/" + hex(rgb(0, 0, 90)));
  page.values.SetColorValues(rgb(1, 2, 3), kNoColor);
  EXPECT_EQ(Drawn(kValues, "Valori"), hex(rgb(0, 120, 0)) + "/" + hex(rgb(1, 2, 3)));
}

}  // namespace
