// No control of the archive dialog, the publishing dialog or the windows of
// the remote services slips by one unit from the one it lines up with (the
// check of template_alignment.h; the guides have their own), and the
// service windows' close buttons are one size, at one distance from the
// window's right edge.
#include <gtest/gtest.h>

#include <vector>

#include "remote/archive_dialog.h"
#include "remote/publish_dialog.h"
#include "remote/service_windows.h"
#include "template_alignment.h"

namespace {

TEST(RemoteLayout, NoControlSlipsByOneUnit) {
  ui_register_archive_template();
  ui_register_publish_template();
  ui_register_remote_templates();
  EXPECT_EQ(template_alignment::problems_of({Carchivio::kTemplate, Cpubblica::kTemplate, Ckrv_cli::kTemplate,
                                             Ckrv_phone::kTemplate, Ctulmmonitor::kTemplate, Ctulmopen::kTemplate,
                                             Cvideoplay::kTemplate}),
            "");
}

TEST(RemoteLayout, TheServiceWindowsCloseButtonsAreAlike) {
  ui_register_remote_templates();
  struct Placed {
    int cx, cy, right_margin;
    bool operator==(const Placed&) const = default;
  };
  std::vector<Placed> buttons;
  for (int id : {Ckrv_cli::kTemplate, Ckrv_phone::kTemplate, Ctulmmonitor::kTemplate}) {
    const kt::ui::DialogTemplate* t = kt::ui::find_dialog_template(id);
    ASSERT_NE(t, nullptr) << id;
    for (const kt::ui::ControlTemplate& c : t->controls)
      if (c.id == CRemoteWindow::kCloseId) buttons.push_back({c.cx, c.cy, t->cx - c.x - c.cx});
  }
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_TRUE(buttons[1] == buttons[0]);
  EXPECT_TRUE(buttons[2] == buttons[0]);
}

}  // namespace
