// The dictionary pages inside the frame: installed in the page holder they
// open from their page command, and leaving one with unsaved changes asks
// the unsaved-changes question, whose "stay" keeps the page and whose
// "discard" lets the frame go up to the configuration menu.
#include <gtest/gtest.h>

#include "dictionary_support.h"
#include "shell/frame.h"
#include "structure/dictionary_page.h"
#include "structure/subjects_page.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

using namespace kt::ui;
using namespace dictionary_test;

TEST(DictionaryFrame, PagesOpenInTheFrameAndLeavingAsksAboutChanges) {
  SchoolFolder folder;
  empty_school();
  add_subject("ITALIANO");
  og_snapshot_all();
  ui_register_frame_templates();
  ui_install_unsaved_changes_prompt();
  subjects_install_pages();
  // The configuration menu of an earlier test would read this folder as a
  // new school and ask its type: here the menu is the frame's plain page.
  g_pages.Install(PageSlot::MenuConfora, nullptr);
  TestDriver ui;
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  ui.Pump();

  struct Opened {
    int command;
    std::uint32_t template_id;
  };
  for (const Opened& o :
       {Opened{kPageLapal, 144}, Opened{kPagePale, 145}, Opened{kPageLacoco, 233}, Opened{kPageMaterie, 142}}) {
    alfadlg_go_to_page(o.command);
    EXPECT_EQ(g_current_page_template, o.template_id);
    EXPECT_NE(dynamic_cast<CDictionaryPage*>(g_current_page), nullptr) << o.template_id;
  }
  Cmaterie& page = *static_cast<Cmaterie*>(g_current_page);
  page.GetDlgItem(Cmaterie::kNameId)->SetWindowText("storia");
  page.GotoDlgCtrl(page.GetDlgItem(Cmaterie::kNameId));
  ui.Key(kVkReturn);
  ASSERT_EQ(+g_ui_structure.subject_count, 2u);

  ui.PressInNextModal(CDaticambia::kStayId);
  ui.Key(kVkEscape);
  EXPECT_EQ(g_current_page_template, 142u);
  EXPECT_TRUE(page.IsWindow());
  EXPECT_TRUE(page.IsWindowVisible()) << "the page the user went back to shows";

  ui.PressInNextModal(CDaticambia::kDiscardId);
  ui.Key(kVkEscape);
  EXPECT_EQ(g_current_page_template, 137u);
  EXPECT_FALSE(page.IsWindow());
  EXPECT_EQ(ui.boxes().size(), 2u);
  g_frame.DestroyWindow();
  og_set_unsaved_changes_prompt(nullptr);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
