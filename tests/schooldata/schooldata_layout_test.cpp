// No control of the school data windows (the school chooser, the imports,
// the search for copies, the code check) slips by one unit from the one it
// lines up with (the check of template_alignment.h).
#include <gtest/gtest.h>

#include "schooldata/data_file_search_dialog.h"
#include "schooldata/orario_facile_page.h"
#include "schooldata/school_folder_chooser.h"
#include "schooldata/sissi_code_check.h"
#include "schooldata/sissi_import_page.h"
#include "schooldata/spreadsheet_page.h"
#include "template_alignment.h"

namespace {

TEST(SchoolDataLayout, NoControlSlipsByOneUnit) {
  ui_register_data_file_search_template();
  ui_register_import_templates();
  ui_register_school_folder_template();
  ui_register_sissi_templates();
  EXPECT_EQ(template_alignment::problems_of({Cselscuole::kTemplate, Csissi::kTemplate, Corafac::kTemplate,
                                             Crical::kTemplate, CsissiASK::kTemplate, Coraxls::kTemplate}),
            "");
}

}  // namespace
