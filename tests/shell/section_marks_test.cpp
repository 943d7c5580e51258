// The frame's section buttons in the running program: the section of the
// page shown is the one marked (white with red text). Opening a section's
// menu marks it; leaving the menu without a choice, or declining the page
// chosen, gives the mark back to the section of the page still shown.
#include "frame_test_support.h"
#include "shell/color_button.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

using SectionMarks = ProgramOnSample;

constexpr int kFile = 1772, kConfiguration = 1773, kProcessing = 1774;

// The section buttons marked, FILE, configuration, processing.
std::vector<int> marked() {
  std::vector<int> out;
  for (int id : {kFile, kConfiguration, kProcessing}) {
    auto* button = dynamic_cast<CColorButton*>(g_frame.GetDlgItem(id));
    if (button && button->m_state == 8) out.push_back(id);
  }
  return out;
}

TEST_F(SectionMarks, TheShownPagesSectionStaysMarked) {
  Run([&] {
    alfadlg_go_to_page(kPageHome);
    EXPECT_EQ(marked(), std::vector<int>{kFile});

    ui.CancelNextMenu();
    ASSERT_TRUE(ui.Click(g_frame, kProcessing));
    EXPECT_EQ(marked(), std::vector<int>{kFile}) << "processing menu left without a choice";

    // The balance page asks first about a timetable the program never
    // computed; the officer declines and stays home.
    ui.ChooseNextMenuItem(kPageBila);
    ui.AnswerNextModal(kIdNo);
    ASSERT_TRUE(ui.Click(g_frame, kProcessing));
    EXPECT_EQ(g_current_page_template, std::uint32_t(CPlenixDlg::kTemplate));
    EXPECT_EQ(marked(), std::vector<int>{kFile}) << "page declined";

    ui.ChooseNextMenuItem(kPageProcessingMenu);
    ASSERT_TRUE(ui.Click(g_frame, kProcessing));
    EXPECT_EQ(marked(), std::vector<int>{kProcessing});

    ui.CancelNextMenu();
    ASSERT_TRUE(ui.Click(g_frame, kConfiguration));
    EXPECT_EQ(marked(), std::vector<int>{kProcessing}) << "configuration menu left without a choice";

    ui.ChooseNextMenuItem(kPageConfigMenu);
    ASSERT_TRUE(ui.Click(g_frame, kConfiguration));
    EXPECT_EQ(marked(), std::vector<int>{kConfiguration});
  });
}

}  // namespace
