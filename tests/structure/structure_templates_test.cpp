// Every template the structure editors register is sound by the template
// lint (ids unique, controls inside the dialog, known classes), and every
// control a page binds is in its template.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/test_driver.h"
#include "remote/guide_windows.h"
#include "shell/frame.h"
#include "structure/buildings_page.h"
#include "structure/class_buildings.h"
#include "structure/config_menu.h"
#include "structure/gyms_page.h"
#include "structure/labs_page.h"
#include "structure/lessons_by_class_page.h"
#include "structure/input_box.h"
#include "structure/school_page.h"
#include "structure/structure_pages.h"
#include "structure/subjects_page.h"

namespace {

using namespace kt::ui;

TEST(StructureTemplates, SoundAndBound) {
  TestDriver ui;
  structure_install_pages();
  ui_register_structure_templates();
  subjects_install_pages();
  EXPECT_EQ(lint_all_dialog_templates(), std::vector<std::string>{});
  Cplecla dialog;
  Clegsimco notice;
  Cmaterie subjects;
  Clapal labs;
  Cpale gyms;
  Clacoco lessons;
  const std::pair<int, std::vector<int>> bound[] = {
      {Cmenu_confora::kTemplate, g_config_menu.BoundControlIds()},
      {Cproscuola::kTemplate, g_school_page.BoundControlIds()},
      {Cplessi::kTemplate, g_buildings_page.BoundControlIds()},
      {Cplecla::kTemplate, dialog.BoundControlIds()},
      {Clegsimco::kTemplate, notice.BoundControlIds()},
      {Cmaterie::kTemplate, subjects.BoundControlIds()},
      {Clapal::kTemplate, labs.BoundControlIds()},
      {Cpale::kTemplate, gyms.BoundControlIds()},
      {Clacoco::kTemplate, lessons.BoundControlIds()},
  };
  for (const auto& [id, ids] : bound)
    EXPECT_EQ(lint_bound_ids(*find_dialog_template(id), ids), std::vector<std::string>{}) << id;
  for (PageSlot s : {PageSlot::MenuConfora, PageSlot::Proscuola, PageSlot::Plessi, PageSlot::Materie, PageSlot::Lapal,
                     PageSlot::Pale, PageSlot::Lacoco})
    g_pages.Install(s, nullptr);
}

}  // namespace
