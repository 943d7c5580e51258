// No control of the archive dialog, the publishing dialog or the windows of
// the remote services slips by one unit from the one it lines up with (the
// check of template_alignment.h; the guides have their own).
#include <gtest/gtest.h>

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

}  // namespace
