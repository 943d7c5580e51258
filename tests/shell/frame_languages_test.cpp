// Every dialog template of the toolkit, frame and launcher is sound, and
// every control the code binds is in its template.
#include "app_test_support.h"
#include "platform/test_driver.h"
#include "shell/busy_popup.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/launcher_panel.h"
#include "shell/message_viewer.h"
#include "shell/small_choosers.h"
#include "shell/small_dialogs.h"

namespace {

using namespace kt::ui;

TEST(DialogTemplates, SoundAndBindingOnlyTheirControls) {
  TestDriver ui;
  ui_register_toolkit_templates();
  ui_register_frame_templates();
  ui_register_launcher_templates();
  ui_register_chooser_templates();
  EXPECT_EQ(lint_all_dialog_templates(), std::vector<std::string>{});
  CMessageBox box;
  Cmessshow viewer;
  Czzempty empty;
  Cmemoverde memo;
  Calfaopi panel;
  CelaincoWnd popup;
  CSTools tools;
  Ctipode type;
  for (Dialog* d : std::initializer_list<Dialog*>{&g_frame, &g_home_page, &box, &viewer, &empty, &memo, &panel,
                                                  &popup, &tools, &type}) {
    const DialogTemplate* t = find_dialog_template(d->template_id());
    ASSERT_NE(t, nullptr) << d->template_id();
    EXPECT_EQ(lint_bound_ids(*t, d->BoundControlIds()), std::vector<std::string>{}) << t->id;
  }
  EXPECT_EQ(find_dialog_template(Calfaopi::kTemplate)->controls.size(), 60u);
}

}  // namespace
