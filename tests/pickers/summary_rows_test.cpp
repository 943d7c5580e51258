// The summary buttons' rows: a text of any number of lines is spread over
// the button at 18 pixels a row while it fits, closer where the button is
// too short, so the last line still shows; a closing line feed adds no
// row. The band summaries keep their 20-pixel rows under the title.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pickers/summary_buttons.h"
#include "platform/dialog_template.h"
#include "platform/test_driver.h"

namespace {

using namespace kt::ui;

constexpr int kPageTemplate = 9821;
constexpr int kSummaryId = 1301;
const ControlTemplate kPageControls[] = {
    {"Button", kSummaryId, "", kBsPushButton | kWsTabStop, 4, 4, 180, 100},
};
const DialogTemplate kPageTemplates[] = {
    {kPageTemplate, "Pagina", kWsPopup | kWsCaption, 0, 0, 200, 120, kPageControls},
};

class SummaryPage : public Dialog {
 public:
  SummaryPage() : Dialog(kPageTemplate) {}
  CBW_dwh summary;

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Control(kSummaryId, summary); }
};

// The tops of the drawn texts, in drawing order.
std::vector<int> text_tops(const std::string& text) {
  register_dialog_templates(kPageTemplates);
  TestDriver ui;
  SummaryPage page;
  EXPECT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  page.summary.SetWindowText(text);
  DisplayList list = ui.Render(page);
  std::vector<int> tops;
  for (const DrawItemOp* op : list.ForControl(kSummaryId))
    if (op->op == DrawOp::kText) tops.push_back(op->rect.top);
  return tops;
}

std::string lines(int n, bool closing_feed) {
  std::string text;
  for (int i = 0; i < n; ++i) text += "L" + std::to_string(i) + (i + 1 < n || closing_feed ? "\n" : "");
  return text;
}

TEST(SummaryRows, RowsSpreadAtEighteenPixelsOrCloserToFit) {
  register_dialog_templates(kPageTemplates);
  TestDriver ui;
  SummaryPage probe;
  ASSERT_TRUE(probe.Create(nullptr));
  int height = probe.summary.GetRectInParent().Height();
  for (int n : {2, 4, 8, 12, 16}) {
    for (bool feed : {false, true}) {
      std::vector<int> tops = text_tops(lines(n, feed));
      ASSERT_EQ(tops.size(), std::size_t(n)) << n << " " << feed;
      int pitch = tops[1] - tops[0];
      for (std::size_t i = 1; i < tops.size(); ++i) EXPECT_EQ(tops[i] - tops[i - 1], pitch) << n << " " << feed;
      // 18 pixels while every line fits, else the most that lets them fit.
      int inner = height - 2;  // the inner area's bottom, from the top
      int expected = 4 + n * 18 > inner ? std::max(10, (inner - 4) / n) : 18;
      EXPECT_EQ(pitch, expected) << n << " lines, closing feed " << feed;
    }
    EXPECT_EQ(text_tops(lines(n, false)), text_tops(lines(n, true))) << n << ": a closing feed adds no row";
  }
}

}  // namespace
