// Dialog template 274 of the derogation list: the list over most of the
// window, the help pane below it and the row of buttons at the bottom; the
// service button is hidden outside service mode. Captions are the Italian
// keys of the caption tables.
#include "pickers/exemption_list.h"

using namespace kt::ui;

namespace {

using E = Cvedide;
constexpr std::uint32_t kButton = kBsOwnerDraw | kWsTabStop;

const ControlTemplate kControls[] = {
    {"ListView", E::kListId, "", kLvsReport | kLvsShowSelAlways | kWsBorder | kWsTabStop, 4, 4, 392, 150},
    {"Edit", E::kHelpId, "", kEsMultiLine | kEsReadOnly | kEsAutoVScroll | kWsVScroll, 4, 158, 392, 30},
    {"Button", E::kDeleteSelectedId, "[Canc] Cancella le deroghe selezionate", kButton, 4, 192, 90, 18},
    {"Button", E::kDeleteAllId, "Cancella tutte le deroghe", kButton, 98, 192, 80, 18},
    {"Button", E::kDeleteUnusedId, "Cancella tutte le deroghe inutilizzate", kButton, 182, 192, 90, 18},
    {"Button", E::kFakeAutomaticId, "@Service: Deroghe Automatiche Fake", kButton, 276, 192, 60, 18},
    {"Button", E::kHelpButtonId, "?", kButton, 340, 192, 14, 18},
    {"Button", E::kEndId, "!FINE", kButton, 358, 192, 38, 18},
};

const DialogTemplate kTemplate = {E::kTemplate, "Deroghe Temporanee ai Vincoli",
                                  kWsPopup | kWsCaption | kWsSysMenu | kWsThickFrame, 0, 0, 400, 214, kControls};

}  // namespace

void ui_register_exemption_list_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}
