// The structure pages', input boxes' and guide windows' templates are sound by the
// template lint (ids unique, controls inside the dialog, known classes),
// and every control a page binds is in its template.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/test_driver.h"
#include "remote/guide_windows.h"
#include "shell/frame.h"
#include "structure/buildings_page.h"
#include "structure/class_buildings.h"
#include "structure/config_menu.h"
#include "structure/input_box.h"
#include "structure/school_page.h"
#include "structure/structure_pages.h"

namespace {

using namespace kt::ui;

TEST(StructureTemplates, SoundAndBound) {
  TestDriver ui;
  structure_install_pages();
  ui_register_structure_templates();
  for (int id : {Ccasella::kTemplate, 199, 239, 270, 292, Cmenu_confora::kTemplate, Cproscuola::kTemplate, Cplessi::kTemplate, Cplecla::kTemplate,
                 Clegsmenu::kTemplate, Clegssaba::kTemplate, Clegsipay::kTemplate, Clegsarti::kTemplate,
                 Clegsgrul::kTemplate, Clegslaco::kTemplate, Clegsimco::kTemplate}) {
    const DialogTemplate* t = find_dialog_template(id);
    ASSERT_NE(t, nullptr) << id;
    EXPECT_EQ(lint_dialog_template(*t), std::vector<std::string>{}) << id;
  }
  Cplecla dialog;
  Clegsimco notice;
  const std::pair<int, std::vector<int>> bound[] = {
      {Cmenu_confora::kTemplate, g_config_menu.BoundControlIds()},
      {Cproscuola::kTemplate, g_school_page.BoundControlIds()},
      {Cplessi::kTemplate, g_buildings_page.BoundControlIds()},
      {Cplecla::kTemplate, dialog.BoundControlIds()},
      {Clegsimco::kTemplate, notice.BoundControlIds()},
  };
  for (const auto& [id, ids] : bound)
    EXPECT_EQ(lint_bound_ids(*find_dialog_template(id), ids), std::vector<std::string>{}) << id;
  for (PageSlot s : {PageSlot::MenuConfora, PageSlot::Proscuola, PageSlot::Plessi}) g_pages.Install(s, nullptr);
}

}  // namespace
