// The configuration menu in the frame on a copy of the small sample school:
// entry re-reads both school files (an unsaved edit in memory is gone), a
// step's large and icon buttons open the same page with its argument, the
// imports answer in German or English with the Italian-only message, the
// SISSI codes ask first, and in Italian each import button opens its real
// window and the files are read again after it; and the summary lines on
// hand-built schools: no posts, an "X" teacher, the service building lines.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "platform/test_driver.h"
#include "schooldata/sissi_code_check.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/service_mode.h"
#include "structure/config_menu.h"
#include "structure/structure_pages.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class ConfigMenu : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    structure_install_pages();
    g_pages.Install(PageSlot::Proscuola, nullptr);  // the steps open stand-ins
    copy_example("piccola", "piccola");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
    g_hint_flags = 1;  // no archive-import notice
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    ui.Pump();
  }
  void TearDown() override {
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_pages.Install(PageSlot::MenuConfora, nullptr);
    config_menu_imports() = ConfigMenuImports{};
    g_service_mode = 0;
    TempRoot::TearDown();
  }
  TestDriver ui;
};

TEST_F(ConfigMenu, EntryReadsFilesAndStepsOpenTheirPages) {
  alfadlg_go_to_page(kPageConfigMenu);
  ASSERT_EQ(g_current_page, &g_config_menu);
  std::uint32_t teachers = g_ui_settings.teacher_count;
  ASSERT_GT(teachers, 0u);
  auto* summary = static_cast<ListBox*>(g_config_menu.GetDlgItem(Cmenu_confora::kSummaryId));
  ASSERT_EQ(summary->GetCount(), 3);
  EXPECT_EQ(summary->GetText(0), "Professori " + std::to_string(teachers));

  g_ui_settings.teacher_count = 0;  // an edit not saved: the next entry reads the files again
  alfadlg_go_to_page(kPageHome);
  alfadlg_go_to_page(kPageConfigMenu);
  EXPECT_EQ(+g_ui_settings.teacher_count, teachers);

  struct Case {
    const char* id;
    int button;
    std::uint32_t template_id;
    int argument;  // of the teaching-post page; -1 not checked
  };
  const Case cases[] = {
      {"school", Cmenu_confora::kFirstStepId + 0, 139, -1},
      {"school icon", Cmenu_confora::kFirstIconId + 0, 139, -1},
      {"itp", Cmenu_confora::kFirstStepId + 19, 0, 17},
      {"itp icon", Cmenu_confora::kFirstIconId + 19, 0, 17},
      {"processing", Cmenu_confora::kFirstStepId + 21, 159, -1},
      {"processing text", Cmenu_confora::kProcessingTextId, 159, -1},
  };
  for (const Case& c : cases) {
    alfadlg_go_to_page(kPageConfigMenu);
    g_pages.Argument(PageSlot::Procat) = 0;
    ASSERT_TRUE(ui.Click(g_config_menu, c.button)) << c.id;
    if (c.template_id) {
      EXPECT_EQ(g_current_page_template, c.template_id) << c.id;
    }
    if (c.argument >= 0) {
      EXPECT_EQ(g_pages.Argument(PageSlot::Procat), c.argument) << c.id;
    }
  }
  alfadlg_go_to_page(kPageConfigMenu);
  ui.Key(kVkEscape);
  EXPECT_EQ(g_current_page, &g_home_page);
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(ConfigMenu, ImportsItalianOnlyAndSissiCodesAskFirst) {
  static int runs = 0;
  runs = 0;
  config_menu_imports().orario_facile = [] { ++runs; };
  alfadlg_go_to_page(kPageConfigMenu);
  g_language = 2;
  ui.AnswerNextModal(1);
  ui.Click(g_config_menu, Cmenu_confora::kOrarioFacile);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0), "Only for the italian Version.");
  EXPECT_EQ(runs, 0);

  g_language = 0;  // in Italian each import runs its window: see the import windows test

  // Not imported from SISSI: the code editor asks first; No ends the command.
  ui.PressInNextModal(1049);
  ui.Click(g_config_menu, Cmenu_confora::kSissiCodes);
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_EQ(ui.boxes()[1].texts.at(0).rfind("I dati di questa scuola non sono stati creati", 0), 0u);
  EXPECT_TRUE(ui.Problems().empty());
}

// The first status byte says a school's data came from SISSI: a school
// never saved by a SISSI page asks first; once the code check saves, both files carry the marker (in service
// mode with the service-save byte too), the engine loads the description,
// and the check opens without asking.
TEST_F(ConfigMenu, SissiOriginMarkerDecidesTheQuestion) {
  alfadlg_go_to_page(kPageConfigMenu);
  ASSERT_EQ(g_current_page, &g_config_menu);
  g_service_mode = 1;
  int opened = 0;
  ui.AnswerNextModal(kIdYes);
  ui.OnNextModal([&](Dialog& d) {
    ++opened;
    ui.Select(d, Csissiedit::kClassListId, 0);
    d.GetDlgItem(Csissiedit::kIdEditId)->SetWindowText("C1");
    ui.Click(d, Csissiedit::kAcceptId);
    ui.Select(d, Csissiedit::kSchoolListId, 0);
    d.GetDlgItem(Csissiedit::kIdEditId)->SetWindowText("4321");
    ui.Click(d, Csissiedit::kSaveId);
  });
  ui.Click(g_config_menu, Cmenu_confora::kSissiCodes);
  auto questions = [&] {
    int n = 0;
    for (const TestDriver::BoxShown& b : ui.boxes())
      n += !b.texts.empty() && b.texts[0].rfind("I dati di questa scuola non", 0) == 0;
    return n;
  };
  EXPECT_EQ(questions(), 1);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(std::string(g_ui_structure.status, 10), "1000001100");
  ASSERT_EQ(og_read_structure_file_from("scuola1.txt", 0), 0);
  EXPECT_EQ(std::string(g_ui_structure.status, 10), "1000001100");
  const char* argv[] = {"orario", "SYNT:scuola2.txt", nullptr};
  ASSERT_EQ(or_main(0, 2, argv), 0) << g_status.message;

  g_service_mode = 0;
  ui.OnNextModal([&](Dialog& d) {
    ++opened;
    d.EndDialog(kIdCancel);
  });
  ui.Click(g_config_menu, Cmenu_confora::kSissiCodes);
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(questions(), 1);  // no question this time
  EXPECT_EQ(g_ui_structure.classes[0].sissi_id[0], 'C');
  EXPECT_EQ(g_ui_structure.status[0], '1');  // read again from the description too
  EXPECT_TRUE(ui.Problems().empty());
}

// The menu reaches the real import windows and the split tool: each import
// button (Italian interface) and the service button open their own dialog,
// and the menu is back with the school files re-read.
TEST_F(ConfigMenu, MenuOpensEachImportAndTheSplitTool) {
  g_service_mode = 1;
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
}

// A school of three classes: teacher A (two posts, 3 h in class 0 and 2 h
// in class 1), teacher XNEW (4 h in class 2), teacher B with a post of no
// hours. Class 2 is in the second building.
void small_school() {
  og_clear_structure();
  og_clear_school_blocks();
  g_ui_structure.class_count = 3;
  g_ui_structure.classes[2].building = 1;
  g_ui_settings.teacher_count = 3;
  const char* names[] = {"A", "XNEW", "B"};
  for (int t = 0; t < 3; ++t) og_init_teacher(t, names[t]);
  auto post = [](int t, int class_index, int hours) {
    UiTeachingPost& p = g_ui_teachers[t].posts[g_ui_teachers[t].post_count++];
    p.class_index = class_index;
    p.own.hours = static_cast<std::int8_t>(hours);
  };
  post(0, 0, 3);
  post(0, 1, 2);
  post(1, 2, 4);
  post(2, 0, 0);
  g_ui_settings.building_count = 2;
  std::strcpy(g_ui_settings.buildings[0].name, "Centrale");
  std::strcpy(g_ui_settings.buildings[1].name, "Nord");
}

TEST(ConfigMenuSummary, CountsTeachersHoursAndClasses) {
  og_clear_structure();
  og_clear_school_blocks();
  EXPECT_EQ(Cmenu_confora::SummaryLines(false),
            (std::vector<std::string>{"Professori 0", "Ore totali 0", "Classi 0"}));
  small_school();
  EXPECT_EQ(Cmenu_confora::SummaryLines(false),
            (std::vector<std::string>{"Professori 2", "Ore totali 9", "Classi 2"}));
  std::strcpy(g_description_comment, "REM: copia (anno 2025)");
  EXPECT_EQ(Cmenu_confora::SummaryLines(true),
            (std::vector<std::string>{"Professori 2", "Ore totali 9", "Classi 2", "Centrale Ore totali 5",
                                      "Nord Ore totali 0", "(anno 2025)"}));
  g_description_comment[0] = 0;
  og_clear_structure();
  og_clear_school_blocks();
}

}  // namespace
