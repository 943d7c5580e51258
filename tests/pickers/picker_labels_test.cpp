// Every text label of the pickers' windows is plain text set from the left
// of its place, as the captions beside it are: no label is centred, right
// aligned or drawn as a frame or a filled rectangle.
#include <gtest/gtest.h>

#include <string>

#include "pickers/band_table_double.h"
#include "pickers/band_table_picker.h"
#include "pickers/band_table_triple.h"
#include "pickers/constraint_copy_panels.h"
#include "pickers/exemption_list.h"
#include "pickers/week_grid_picker.h"
#include "pickers/week_grid_times.h"
#include "pickers/week_grid_values.h"
#include "platform/dialog_template.h"

namespace {

using namespace kt::ui;

TEST(PickerLabels, EveryLabelIsPlainTextFromTheLeft) {
  ui_register_week_grid_templates();
  ui_register_band_table_templates();
  ui_register_copy_panel_templates();
  ui_register_exemption_list_template();
  ui_register_week_times_templates();
  ui_register_week_values_templates();
  int labels = 0;
  for (int id : {Cdwh::kTemplate, CdwhExt::kTemplate, CdwhCombo::kTemplate, Chq2::kTemplate, Chq3::kTemplate,
                 Chq2alt::kTemplate, Ccopypas::kTemplate, Ccopysma::kTemplate, Cvedide::kTemplate}) {
    const DialogTemplate* t = find_dialog_template(id);
    ASSERT_NE(t, nullptr) << id;
    for (const ControlTemplate& c : t->controls)
      if (std::string(c.class_name) == "Static") {
        ++labels;
        EXPECT_EQ(c.style & 0x1Fu, kSsLeft) << "window " << id << ", label " << c.id << " \"" << c.caption << "\"";
      }
  }
  EXPECT_GT(labels, 20);
}

}  // namespace
