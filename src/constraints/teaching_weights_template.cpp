// Dialog template 226 of the teaching-weight dialog: the subject list with
// its LOW and HIGH buttons, the hard-constraint box and its band-table
// button, the help pane with its "?" buttons, and the save and abandon
// buttons. Captions are the Italian ones; the toolkit translates them.
#include "constraints/teaching_weights.h"

using namespace kt::ui;

namespace {

using P = Cpesodi;
constexpr std::uint32_t kPush = kBsPushButton | kWsTabStop;

const ControlTemplate kControls[] = {
    {"ListView", P::kListId, "", kLvsReport | kLvsShowSelAlways | kWsTabStop | kWsBorder, 8, 8, 190, 250},
    {"Button", P::kListHelpId, "?", kPush, 202, 8, 14, 12},
    {"Button", P::kLowId, "Peso Didattico BASSO", kPush, 8, 262, 92, 16},
    {"Button", P::kHighId, "Peso Didattico ALTO", kPush, 106, 262, 92, 16},
    {"Button", P::kHardId, "Controllo del Peso Didattico come vincolo obbligatorio ", kBsAutoCheckBox | kWsTabStop,
     226, 8, 320, 10},
    {"Button", P::kTableId, "pexdiz tabella", kPush, 226, 22, 420, 54},
    {"Button", P::kTableHelpId, "?", kPush, 650, 22, 14, 12},
    {"Edit", P::kHelpPaneId, "", kEsMultiLine | kEsReadOnly | kWsBorder | kWsVScroll, 226, 82, 438, 150},
    {"Button", P::kHowToId, "#Come  Procedere?", kPush, 226, 238, 140, 16},
    {"Button", P::kSaveId, "!SALVA le modifiche", kPush, 372, 262, 140, 16},
    {"Button", kIdCancel, "!ABBANDONA le modifiche", kPush, 524, 262, 140, 16},
};

const DialogTemplate kTemplates[] = {
    {P::kTemplate, "Peso Didattico", kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 672, 286, kControls},
};

}  // namespace

void ui_register_teaching_weight_templates() {
  for (const DialogTemplate& t : kTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}
