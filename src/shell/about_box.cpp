// The about box (see about_box.h). Its template is registered on first use,
// so the program needs no start-up step for it.
#include "shell/about_box.h"

#include "platform/dialog_template.h"

using namespace kt::ui;

namespace {

const ControlTemplate kAboutControls[] = {
    {"Static", CAboutDlg::kReleaseId, "KestrinTempus - Release 6.1.M", kSsCenter, 10, 14, 200, 10},
    {"Button", kIdOk, "OK", kBsPushButton | kBsDefPushButton | kWsTabStop, 85, 36, 50, 14},
};

const DialogTemplate kAboutTemplate = {CAboutDlg::kTemplate, "Informazioni su KestrinTempus",
                                       kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 220, 58,
                                       kAboutControls};

}  // namespace

CAboutDlg::CAboutDlg(Window* parent) : CResizableDialog(kTemplate, parent) {
  if (find_dialog_template(kTemplate) != &kAboutTemplate) register_dialog_template(kAboutTemplate);
}
