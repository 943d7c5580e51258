// The configuration menu reaches the real import windows and the split
// tool: each import button (Italian interface) and the service button open
// their own dialog, and the menu is back with the school files re-read.
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "shell/service_mode.h"
#include "structure/config_menu.h"
#include "structure/structure_pages.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class ImportWindows : public TempRoot {};

TEST_F(ImportWindows, MenuOpensEachImportAndTheSplitTool) {
  ui_register_frame_templates();
  structure_install_pages();
  copy_example("piccola", "piccola");
  ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
  g_hint_flags = 1;
  g_language = 0;
  g_service_mode = 1;
  {
    TestDriver ui;
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    alfadlg_go_to_page(kPageConfigMenu);
    ASSERT_EQ(g_current_page, &g_config_menu);
    std::uint32_t teachers = g_ui_settings.teacher_count;
    struct Case {
      const char* id;
      int button;
      int template_id;
      bool asks_first;  // the SISSI codes of a school not imported from SISSI
      bool rereads;     // the split tool puts the model back itself
    };
    const Case cases[] = {
        {"sissi", Cmenu_confora::kSissi, 191, false, true},
        {"orario facile", Cmenu_confora::kOrarioFacile, 235, false, true},
        {"spreadsheet", Cmenu_confora::kSpreadsheet, 443, false, true},
        {"sissi codes", Cmenu_confora::kSissiCodes, 203, true, true},
        {"week split", Cmenu_confora::kServiceId, 310, false, false},
    };
    for (const Case& c : cases) {
      int opened = 0;
      if (c.asks_first) ui.AnswerNextModal(kIdYes);
      ui.OnNextModal([&](Dialog& d) {
        opened = d.template_id();
        if (c.rereads) g_ui_settings.teacher_count = 0;  // whatever the window did, the files are read again
        d.EndDialog(kIdCancel);
      });
      ASSERT_TRUE(ui.Click(g_config_menu, c.button)) << c.id;
      EXPECT_EQ(opened, c.template_id) << c.id;
      EXPECT_EQ(+g_ui_settings.teacher_count, teachers) << c.id;
      EXPECT_EQ(g_current_page, &g_config_menu) << c.id;
    }
    EXPECT_TRUE(ui.Problems().empty());
    g_frame.DestroyWindow();
  }
  g_service_mode = 0;
  g_pages.Install(PageSlot::MenuConfora, nullptr);
  config_menu_imports() = ConfigMenuImports{};
}

}  // namespace
