// What the running program's push buttons show of the keyboard: the dark
// default frame sits on the one button Return presses (the focused push
// button, else the dialog's default one) and the focused button alone has a
// dotted focus rectangle inside. Checked on the school selection while Tab and
// Shift-Tab walk it; what Return presses is in tests/platform/ui_keyboard_test.
#include "frame_test_support.h"
#include "schooldata/school_folder_chooser.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class DefaultButtonMarks : public ProgramOnSample {
 protected:
  // "D" for the default frame, "F" for the focus rectangle, as drawn now.
  std::string Marks(Dialog& d, int id) {
    DisplayList list = ui.Render(d);
    std::string marks;
    for (const DrawItemOp* op : list.ForControl(id)) {
      if (op->op == DrawOp::kFrame && op->color == kWindowTextColor && marks.find('D') == std::string::npos) marks += 'D';
      if (op->op == DrawOp::kChecker && marks.find('F') == std::string::npos) marks += 'F';
    }
    return marks;
  }
};

TEST_F(DefaultButtonMarks, TabAndShiftTabMoveTheDefaultFrameAndTheFocusMark) {
  Run([&] {
    bool walked = false;
    ui.OnNextModal([&](Dialog& d) {
      struct Step {
        const char* id;
        int key;
        unsigned mods;
        int focused;
        const char* ok_marks;
        const char* cancel_marks;
      };
      const Step steps[] = {
          {"start", 0, 0, Cselscuole::kListId, "D", ""},
          {"tab", kVkTab, 0, kIdOk, "DF", ""},
          {"tab2", kVkTab, 0, kIdCancel, "", "DF"},
          {"back", kVkTab, kModShift, kIdOk, "DF", ""},
          {"back2", kVkTab, kModShift, Cselscuole::kListId, "D", ""},
      };
      for (const Step& s : steps) {
        if (s.key) ui.Key(s.key, s.mods);
        EXPECT_TRUE(ui.HasFocus(d, s.focused)) << s.id;
        EXPECT_EQ(Marks(d, kIdOk), s.ok_marks) << s.id;
        EXPECT_EQ(Marks(d, kIdCancel), s.cancel_marks) << s.id;
      }
      walked = true;
      ui.Key(kVkEscape);
    });
    ASSERT_TRUE(ui.ClickCaption(g_home_page, "Selezione Scuola"));
    EXPECT_TRUE(walked);
  });
}

}  // namespace
