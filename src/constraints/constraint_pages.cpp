// The constraint and parameter pages the frame shows: one object of each
// lives here for the whole run, and constraints_install_pages() registers
// their templates and puts them into the frame's page holder in place of
// the stand-ins. Called once at start-up, before the frame opens.
#include "constraints/constraint_pages.h"

#include "pickers/band_table_dialog.h"
#include "constraints/param_pages.h"
#include "constraints/post_constraints_page.h"
#include "constraints/special_options.h"
#include "constraints/special_teacher_page.h"
#include "constraints/teacher_constraints_page.h"
#include "constraints/teaching_weights.h"
#include "shell/frame.h"

namespace {

Corapage g_corapage;
Coraspec g_coraspec;
Cvipro g_cvipro;
Cvidia g_cvidia;

}  // namespace

void constraints_install_pages() {
  ui_register_band_table_templates();
  ui_register_param_page_templates();
  ui_register_special_options_templates();
  ui_register_teaching_weight_templates();
  ui_register_teacher_constraints_templates();
  ui_register_week_grid_templates();
  g_pages.Install(PageSlot::Orapage, &g_corapage);
  g_pages.Install(PageSlot::Oraspec, &g_coraspec);
  g_pages.Install(PageSlot::Vipro, &g_cvipro);
  post_constraints_install_pages();
  ui_register_special_teacher_template();
  g_pages.Install(PageSlot::Vidia, &g_cvidia);
}
