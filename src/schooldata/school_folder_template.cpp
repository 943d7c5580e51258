// Dialog template 136 of the school-folder chooser: the folder list, the
// path and its labels, OK, Cancel, the creation and help buttons and the
// help pane; the service button is hidden unless the service mode is set.
// Italian captions, translated by the caption tables where they are keys.
#include "platform/cp1252.h"
#include "schooldata/school_folder_chooser.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kPush = kBsPushButton | kWsTabStop;

const ControlTemplate kControls[] = {
    {"ListView", Cselscuole::kListId, "", kLvsReport | kLvsSingleSel | kLvsShowSelAlways | kWsTabStop | kWsBorder, 8,
     40, 330, 170},
    {"Button", kIdOk, "[Invio] Conferma Cartella Scelta e Ritorna", kPush | kBsDefPushButton, 348, 40, 154, 20},
    {"Button", kIdCancel, "[Esc] Ritorna a menu principale", kPush, 348, 64, 154, 20},
    {"Button", Cselscuole::kCreateId, "Crea nuova cartella e nuova scuola", kPush, 348, 96, 154, 20},
    {"Button", Cselscuole::kHowId, "#Come  Procedere?", kPush, 348, 120, 154, 16},
    {"Button", Cselscuole::kTransferId, "Come trasferire i dati\nda un computer a un altro?", kPush | kBsMultiLine,
     348, 140, 154, 24},
    {"Static", 1548, "Cartella di Lavoro Corrente:", 0, 8, 6, 100, 10},
    {"Static", Cselscuole::kPathId, "", 0, 110, 6, 392, 10},
    {"Static", 1552, "Scegliere un'altra Cartella di Lavoro", 0, 8, 18, 200, 10},
    {"Static", 1553, "Doppio Click per scegliere la cartella (scuola) su cui lavorare", 0, 8, 28, 300, 10},
    {"Static", 2252, "<=", 0, 338, 46, 8, 10},
    {"Edit", Cselscuole::kHelpId, "", kEsMultiLine | kEsReadOnly | kWsBorder, 8, 216, 494, 36},
    {"Button", Cselscuole::kServiceId, "Service", kPush, 348, 190, 154, 16},
};

const DialogTemplate kTemplate = {Cselscuole::kTemplate, "Selezione Scuola",
                                  kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 510, 260, kControls};

}  // namespace

void ui_register_school_folder_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}
