// No control of the constraint pages slips by one unit from the one it lines
// up with (the check of template_alignment.h); the two posts' and teachers'
// constraint pages, laid out by hand, are pictured by the screen tests.
#include <gtest/gtest.h>

#include "constraints/constraint_pages.h"
#include "constraints/param_pages.h"
#include "constraints/special_options.h"
#include "constraints/special_teacher_page.h"
#include "constraints/teaching_weights.h"
#include "template_alignment.h"

namespace {

TEST(ConstraintLayout, NoControlSlipsByOneUnit) {
  constraints_install_pages();
  ui_register_param_page_templates();
  ui_register_special_options_templates();
  ui_register_special_teacher_template();
  ui_register_teaching_weight_templates();
  EXPECT_EQ(template_alignment::problems_of({Coraspec::kTemplate, Corapage::kTemplate, Cvidia::kTemplate,
                                             Cpesodi::kTemplate}),
            "");
}

}  // namespace
