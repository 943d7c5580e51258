// The progress box of a running engine command, watched as the user watches
// it: the desktop program started as main() starts it on a copy of the
// small sample school with a saved week, the balancing run from its page
// until its progress has grown past what the page keeps:
// - while the user leaves it alone, the box shows its newest line and, once
//   the lines no longer fit, its scroll bar;
// - a click on the bar's up arrow scrolls one line up, and the lines the
//   user reads stay in place while new ones arrive below;
// - the text the page keeps starts with a whole line after the oldest lines
//   went;
// - scrolled back to the end, the box follows the newest line again.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "board/balancing_page.h"
#include "platform/controls/edit.h"
#include "shell/frame_test_support.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using B = Cbila;

std::vector<std::string> split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find(separator, at);
    if (end == std::string::npos) end = text.size();
    parts.push_back(text.substr(at, end - at));
    at = end + separator.size();
  }
  return parts;
}

class ProgressBox : public ProgramOnSample {
 protected:
  void SetUp() override {
    ProgramOnSample::SetUp();
    write(data_root() / "piccola" / "savego.txt", read(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt"));
  }
  Edit& Box() { return *dynamic_cast<Edit*>(g_balancing_page.GetDlgItem(B::kProgressId)); }
  std::vector<std::string> Lines() { return split(ui.Text(g_balancing_page, B::kProgressId), "\r\n"); }
  // The lines drawn in the box, top to bottom (a long line in its pieces).
  std::vector<std::string> Drawn() {
    std::vector<std::string> drawn = split(ui.Render(g_balancing_page).TextsOf(B::kProgressId), "|");
    while (!drawn.empty() && drawn.back().empty()) drawn.pop_back();
    return drawn;
  }
  bool NewestDrawn() {
    std::vector<std::string> lines = Lines(), drawn = Drawn();
    if (lines.empty()) return true;
    const std::string& newest = lines.back();
    return !drawn.empty() && newest.size() >= drawn.back().size() &&
           newest.compare(newest.size() - drawn.back().size(), std::string::npos, drawn.back()) == 0;
  }
  // Lets the page follow the run until `done`; every look also checks that
  // the text starts with a line the box held whole at an earlier look.
  bool Follow(const std::function<bool()>& done) {
    for (int round = 0; round < 4; ++round)
      if (follow_engine(ui, [&] { return Look() && done(); }, B::kTimerMs)) return true;
    return false;
  }
  bool Look() {
    std::vector<std::string> lines = Lines();
    if (lines.empty()) return true;
    if (first_line_.empty()) first_line_ = lines.front();
    EXPECT_TRUE(lines.front() == first_line_ || seen_.count(lines.front())) << "a cut line: " << lines.front();
    if (lines.front() != first_line_) trimmed_ = true;
    seen_.insert(lines.begin(), lines.end());
    return true;
  }
  std::string first_line_;
  std::set<std::string> seen_;
  bool trimmed_ = false;
};

TEST_F(ProgressBox, FollowsTheNewestLineUnlessTheUserScrolledUpAndKeepsWholeLines) {
  Run([&] {
    ui.AnswerNextModal(kIdYes);  // the hand-made week still breaks constraints: balanced all the same
    alfadlg_go_to_page(kPageBila);
    ASSERT_EQ(g_current_page, &g_balancing_page);
    ui.Click(g_balancing_page, B::kTeachersId);
    ASSERT_TRUE(g_balancing_page.Running());

    // Left alone: the newest line in sight, the bar once the lines overflow.
    int looks = 0, newest_hidden = 0;
    ASSERT_TRUE(Follow([&] {
      ++looks;
      newest_hidden += NewestDrawn() ? 0 : 1;
      return Box().ScrollBarRect().Width() > 0;
    }));
    EXPECT_EQ(newest_hidden, 0) << "of " << looks << " looks";
    EXPECT_GT(Box().GetFirstVisibleLine(), 0);

    // One line up with the bar's arrow: what the user reads stays put.
    Rect bar = Box().ScrollBarRect();
    int first = Box().GetFirstVisibleLine();
    ASSERT_TRUE(ui.ClickAt(Box(), Point{bar.left + bar.Width() / 2, bar.top + 3}));
    EXPECT_EQ(Box().GetFirstVisibleLine(), first - 1);
    std::vector<std::string> reading = Drawn();
    std::size_t count = Lines().size();
    ASSERT_TRUE(Follow([&] { return trimmed_ || Lines().size() >= count + 3; }));
    if (!trimmed_) {
      EXPECT_EQ(Drawn(), reading) << "the lines the user reads moved";
      EXPECT_FALSE(NewestDrawn());
    }

    // The oldest lines go, whole.
    ASSERT_TRUE(Follow([&] { return trimmed_; })) << "the run ended before its progress outgrew the page";

    // Back at the end with the bar's down arrow: the box follows again.
    bar = Box().ScrollBarRect();
    for (int last = -1; last != Box().GetFirstVisibleLine();) {
      last = Box().GetFirstVisibleLine();
      ASSERT_TRUE(ui.ClickAt(Box(), Point{bar.left + bar.Width() / 2, bar.bottom - 3}));
    }
    std::string newest = Lines().back();
    newest_hidden = 0;
    ASSERT_TRUE(Follow([&] {
      newest_hidden += NewestDrawn() ? 0 : 1;
      return Lines().back() != newest;
    }));
    EXPECT_EQ(newest_hidden, 0);

    ui.Click(g_balancing_page, B::kStopId);
    g_engine_thread.Join();
    ui.Advance(B::kTimerMs);
    EXPECT_TRUE(NewestDrawn());
    ui.Click(g_balancing_page, B::kDropId);
  });
}

}  // namespace
