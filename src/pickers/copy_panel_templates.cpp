// Dialog templates of the two copy and paste panels: 268 (teaching-post
// constraints: copy, paste, reset and the two pastes to many posts) and
// 313 (a class's weekly calendar: copy and paste). Both are small tool
// windows with a close button "x" in the corner; captions are the Italian
// keys of the caption tables.
#include "pickers/constraint_copy_panels.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kButton = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kPanel = kWsPopup | kWsBorder;

const ControlTemplate kPostControls[] = {
    {"Button", Ccopypas::kCopyId, "Copia vincoli", kButton, 4, 4, 80, 14},
    {"Button", Ccopypas::kPasteId, "Incolla vincoli", kButton, 4, 20, 80, 14},
    {"Button", Ccopypas::kResetId, "Azzera vincoli", kButton, 4, 36, 80, 14},
    {"Button", Ccopypas::kPasteTeacherId, "Incolla a tutti", kButton, 4, 52, 80, 14},
    {"Button", Ccopypas::kPasteEveryoneId, "Incolla a tutti", kButton, 4, 68, 120, 22},
    {"Button", Ccopypas::kCloseId, "x", kBsPushButton, 112, 2, 12, 10},
};

const ControlTemplate kCalendarControls[] = {
    {"Button", Ccopysma::kCopyId, "Copia vincoli", kButton, 4, 4, 80, 14},
    {"Button", Ccopysma::kPasteId, "Incolla vincoli", kButton, 4, 20, 80, 14},
    {"Button", Ccopysma::kCloseId, "x", kBsPushButton, 88, 2, 12, 10},
};

const DialogTemplate kTemplates[] = {
    {Ccopypas::kTemplate, "Vincoli", kPanel, 0, 0, 128, 94, kPostControls},
    {Ccopysma::kTemplate, "Calendario", kPanel, 0, 0, 104, 38, kCalendarControls},
};

}  // namespace

void ui_register_copy_panel_templates() {
  for (const DialogTemplate& t : kTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}
