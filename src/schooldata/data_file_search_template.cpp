// Dialog template 252 of the data-file search: the list of copies over the
// whole width, the start and action buttons and Esc below it, the walked
// folder and the working folder, and the help pane. Italian captions; the
// action button and the title get their texts by mode when the dialog opens.
#include "schooldata/data_file_search_dialog.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kPush = kBsPushButton | kWsTabStop;

const ControlTemplate kControls[] = {
    {"Static", Crical::kTitleId, "File di Dati di KestrinTempus esistenti in tutto il Computer:", 0, 8, 6, 400, 10},
    {"ListView", Crical::kListId, "", kLvsReport | kLvsSingleSel | kLvsShowSelAlways | kWsTabStop | kWsBorder, 8, 20,
     480, 150},
    {"Button", Crical::kStartId, "Inizia Ricerca Allegati", kPush, 8, 176, 150, 16},
    {"Button", Crical::kActionId, "Recupera file dati selezionato", kPush, 168, 176, 150, 16},
    {"Button", kIdCancel, "[Esc] Ritorna a menu principale ", kPush, 338, 176, 150, 16},
    {"Static", Crical::kSearchLabelId, "Ricerca in cartella", 0, 8, 198, 90, 10},
    {"Static", Crical::kFolderId, "", 0, 100, 198, 388, 10},
    {"Static", Crical::kWorkLabelId, "Cartella di Lavoro Corrente:", 0, 8, 210, 90, 10},
    {"Static", Crical::kWorkId, "", 0, 100, 210, 388, 10},
    {"Edit", Crical::kHelpId, "", kEsMultiLine | kEsReadOnly | kWsBorder, 8, 224, 480, 30},
};

const DialogTemplate kTemplate = {Crical::kTemplate, "Ricerca file di dati",
                                  kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 496, 262, kControls};

}  // namespace

void ui_register_data_file_search_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}
