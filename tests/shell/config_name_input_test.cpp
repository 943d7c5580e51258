// Names typed into the input box of the configuration pages, in the program
// started as main() starts it on the small sample school: a text pasted into
// the one-line field with a line break or a tab in it (the desktop's own
// entry takes the clipboard whole) is saved as one name on one line, so
// both school files read back with the same teachers and subjects and the
// engine loads the same school.
#include <string>

#include "engine/engine_main.h"
#include "engine/model.h"
#include "frame_test_support.h"
#include "schooldata/ui_school_model.h"
#include "structure/config_menu.h"
#include "structure/input_box.h"
#include "structure/subjects_page.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class ConfigNameInput : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
    copy_example("piccola", "piccola");
    // The school chosen and the archive-import notice already read.
    write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\piccola\nLINGUA:0\nIMCOOK:1\n");
  }
  // The engine's teacher count after a syntax check of the saved school.
  static int engine_teachers() {
    const char* argv[] = {"orario", "SYNT:scuola2.txt", nullptr};
    EXPECT_EQ(or_main(0, 2, argv), 0);
    return g_eng_school.teacher_count;
  }
  static int subject_named(const std::string& name) {
    for (int s = 0; s < int(g_ui_structure.subject_count); ++s)
      if (name == g_ui_structure.subjects[s].name) return s;
    return -1;
  }
  TestDriver ui;
};

TEST_F(ConfigNameInput, PastedLineBreakOrTabStaysInsideTheName) {
  struct Case {
    const char* id;
    const char* old_name;
    const char* pasted;
    const char* saved;
  };
  const Case cases[] = {
      {"line-feed", "SCIENZE", "SCIENZE\nNATURALI", "SCIENZE NATURALI"},
      {"cr-lf", "MUSICA", "MUSICA\r\nCORALE\r\n", "MUSICA CORALE"},
      {"tab", "GEOGRAFIA", "GEO\tASTRONOMICA", "GEO ASTRONOMICA"},
  };
  run_program(ui, [&] {
    alfadlg_go_to_page(kPageConfigMenu);
    ASSERT_EQ(g_current_page, &g_config_menu);
    const std::uint32_t teachers = g_ui_settings.teacher_count;
    const std::uint32_t subjects = g_ui_structure.subject_count;
    const int engine_before = engine_teachers();
    for (const Case& c : cases) {
      ASSERT_TRUE(ui.Click(g_config_menu, Cmenu_confora::kFirstStepId + 2)) << c.id;  // the subjects
      auto* page = dynamic_cast<Cmaterie*>(g_current_page);
      ASSERT_NE(page, nullptr) << c.id;
      auto* list = static_cast<ListView*>(page->GetDlgItem(Cmaterie::kListId));
      int row = list->FindItemByText(-1, c.old_name);
      ASSERT_GE(row, 0) << c.id;
      ui.Select(*page, Cmaterie::kListId, row);
      ui.OnNextModal([&](Dialog& box) {
        box.GetDlgItem(Ccasella::kEdit1Id)->SetWindowText(c.pasted);
        ui.Click(box, kIdOk);
      });
      ui.Click(*page, Cmaterie::kRenameId);
      ui.Click(*page, Cmaterie::kSaveId);
      alfadlg_go_to_page(kPageConfigMenu);  // its entry reads both files again
      EXPECT_EQ(+g_ui_settings.teacher_count, teachers) << c.id;
      EXPECT_EQ(+g_ui_structure.subject_count, subjects) << c.id;
      EXPECT_GE(subject_named(c.saved), 0) << c.id;
      EXPECT_LT(subject_named(c.old_name), 0) << c.id;
      EXPECT_EQ(engine_teachers(), engine_before) << c.id;
    }
  });
}

}  // namespace
