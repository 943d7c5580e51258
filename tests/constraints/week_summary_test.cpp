// The text summary of a week-hour mask and its drawing as a ruled table:
// hours that do not exist never show a mark, the always state marks every
// existing hour and answers yes on the subtitle line in the user's
// language, provisional mode takes the provisional hours, a damaged hour
// count stays inside the week; the summary button draws 14 + 11 rules and
// one text per non-empty piece, white behind the text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "constraints/summary_buttons.h"
#include "constraints/week_grid_picker.h"
#include "engine/status_block.h"
#include "platform/test_driver.h"
#include "week_grid_support.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::set_week;

// One summary row: "Ora n:" then seven cells, "X" at the days listed.
std::string row(const char* word, int hour, const char* marks) {
  std::string out = std::string(word) + " " + std::to_string(hour) + ":\t\t";
  for (int d = 0; d < 7; ++d) out += std::string(marks[d] == 'X' ? "X" : " ") + "\t";
  return out + "\n";
}

std::string blank_rows(const char* word, int from) {
  std::string out;
  for (int h = from; h <= 12; ++h) out += row(word, h, ".......");
  return out;
}

const char* kDaysLine = "\t\tLu\tMa\tMe\tGi\tVe\tSa\tDo\n";

TEST(WeekSummary, MarksOnlyExistingHours) {
  set_week({2, 1, 0, 0, 0, 0, 0});
  std::uint8_t mask[84] = {};
  mask[1] = 1;        // day 0, hour 2
  mask[12 + 1] = 1;   // day 1, hour 2: does not exist
  mask[2 * 12] = 1;   // day 2 has no hours
  std::string expected = std::string("Titolo\n") + kDaysLine + row("Ora", 1, ".......") + row("Ora", 2, "X......") +
                         blank_rows("Ora", 3) + " \n";
  EXPECT_EQ(week_summary_text(mask, "Titolo", "", week_existing_hours()), expected);
}

struct AlwaysCase {
  const char* id;
  int language;
  const char* word;
  const char* answer;
  std::uint8_t first;
};

TEST(WeekSummary, SubtitleLineAnswersInTheUsersLanguage) {
  set_week({1, 2, 0, 0, 0, 0, 0});
  const AlwaysCase cases[] = {
      {"it-always", 0, "Ora", "SI", 255}, {"de-always", 1, "St.", "JA", 255}, {"en-always", 2, "Hr.", "YES", 255},
      {"it-not", 0, "Ora", "NO", 0},      {"de-not", 1, "St.", "Nein", 0},    {"en-not", 2, "Hr.", "NO", 0},
  };
  for (const AlwaysCase& c : cases) {
    g_language = std::uint8_t(c.language);
    std::uint8_t mask[84] = {};
    mask[0] = c.first;
    bool always = c.first == 255;
    std::string expected = std::string("T\n") + kDaysLine + row(c.word, 1, always ? "XX....." : ".......") +
                           row(c.word, 2, always ? ".X....." : ".......") + blank_rows(c.word, 3) + "Sub: " +
                           c.answer + "\n";
    EXPECT_EQ(week_summary_text(mask, "T", "Sub", week_existing_hours()), expected) << c.id;
  }
  g_language = 0;
}

TEST(WeekSummary, ProvisionalModeTakesTheProvisionalHoursAndCountsStayInTheWeek) {
  set_week({1, 0, 0, 0, 0, 0, 0});
  g_ui_header.provisional_hours_per_day[0] = 0;
  g_ui_header.provisional_hours_per_day[1] = 2;
  g_provisional_mode = 1;
  auto hours = week_existing_hours();
  EXPECT_EQ(hours[0], 0);
  EXPECT_EQ(hours[1], 2);
  std::uint8_t mask[84] = {};
  mask[0] = 1;
  mask[12] = 1;
  std::string expected = std::string("P\n") + kDaysLine + row("Ora", 1, ".X.....") + blank_rows("Ora", 2) + " \n";
  EXPECT_EQ(week_summary_text(mask, "P", nullptr, hours), expected);
  g_provisional_mode = 0;

  set_week({200, 13, 12, 0, 0, 0, 0});  // damaged counts
  hours = week_existing_hours();
  EXPECT_EQ(week_existing_total(hours), 36);
  std::uint8_t always[84] = {255};
  EXPECT_EQ(week_marked_count(always, hours), 36);
}

// A page with one summary button.
constexpr int kPageTemplate = 9811;
constexpr int kSummaryId = 1301;
const ControlTemplate kPageControls[] = {
    {"Button", kSummaryId, "", kBsPushButton | kWsTabStop, 4, 4, 180, 160},
};
const DialogTemplate kPageTemplates[] = {
    {kPageTemplate, "Pagina", kWsPopup | kWsCaption, 0, 0, 200, 180, kPageControls},
};

class SummaryPage : public Dialog {
 public:
  SummaryPage() : Dialog(kPageTemplate) {}
  CBW_dwh summary;

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Control(kSummaryId, summary); }
};

TEST(WeekSummaryButton, DrawsTheSummaryAsARuledTable) {
  register_dialog_templates(kPageTemplates);
  EXPECT_TRUE(lint_dialog_template(kPageTemplates[0]).empty());
  set_week({2, 2, 0, 0, 0, 0, 0});
  TestDriver ui;
  SummaryPage page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  std::uint8_t mask[84] = {};
  mask[12 + 1] = 1;
  Cdwh picker;
  picker.SetGridData(&page.summary, "Ore Vietate:", "", mask, nullptr, 2);
  DisplayList list = ui.Render(page);
  int lines = 0;
  for (const DrawItemOp* op : list.ForControl(kSummaryId)) lines += op->op == DrawOp::kLine ? 1 : 0;
  EXPECT_EQ(lines, 14 + 11);
  std::string texts = list.TextsOf(kSummaryId);
  EXPECT_EQ(texts.rfind("Ore Vietate:|Lu|Ma|Me|Gi|Ve|Sa|Do|Ora 1:| | | | | | | |Ora 2:| |X|", 0), 0u) << texts;
  // The mark of day 1, hour 2: three rows below the title, three tabs right.
  const DrawItemOp *mark = nullptr, *title = nullptr;
  for (const DrawItemOp* op : list.ForControl(kSummaryId)) {
    if (op->op == DrawOp::kText && op->text == "X") mark = op;
    if (op->op == DrawOp::kText && !title) title = op;
  }
  ASSERT_NE(mark, nullptr);
  EXPECT_EQ(mark->rect.left - title->rect.left, 3 * 20);
  EXPECT_EQ(mark->rect.top - title->rect.top, 3 * 18);
  EXPECT_EQ(mark->color2, 0xFFFFFFu);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
