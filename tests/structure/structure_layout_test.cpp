// No control of the structure editors' smaller windows (boxes, choosers,
// summaries, the computation window, the technical editor) slips by one unit
// from the one it lines up with (the check of template_alignment.h); the
// large configuration pages, laid out by hand, are pictured by the screen
// tests. (The windows that register their templates when they open are
// left out, and so is the input box, whose check box takes the second
// field's place when asked and is as high as a check box is.)
#include <gtest/gtest.h>

#include "structure/afternoon_returns.h"
#include "structure/class_buildings.h"
#include "structure/class_move.h"
#include "structure/destination_folder_choice.h"
#include "structure/input_box.h"
#include "structure/special_calendars.h"
#include "structure/structure_pages.h"
#include "structure/support_contact.h"
#include "structure/teaching_post_summary.h"
#include "structure/technical_editor.h"
#include "structure/trial_computation.h"
#include "structure/unsaved_changes_prompt.h"
#include "template_alignment.h"

namespace {

TEST(StructureLayout, NoControlSlipsByOneUnit) {
  structure_install_pages();
  ui_register_structure_templates();
  ui_register_afternoon_returns_template();
  ui_register_class_buildings_template();
  ui_register_special_calendars_template();
  ui_register_summary_page_template();
  ui_register_technical_editor_template();
  ui_register_trial_computation_template();
  EXPECT_EQ(template_alignment::problems_of(
                {Cplecla::kTemplate, Csyncat::kTemplate, Cmake::kTemplate, Cemergex::kTemplate,
                 Ccalespe::kTemplate, Cgerien::kTemplate, Ccanocla::kTemplate, CDaticambia::kTemplate,
                 Ccanuco::kTemplate, Ceditek::kTemplate}),
            "");
}

}  // namespace
