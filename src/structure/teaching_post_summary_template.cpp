// Dialog template 157 of the teaching-post summary: the list on the left
// over the whole height, the totals panel, the buttons and the help pane
// on the right. 552 x 318 dialog units, the frame's page area.
#include "platform/cp1252.h"
#include "structure/teaching_post_summary.h"

using namespace kt::ui;

namespace {

using S = Csyncat;
constexpr std::uint32_t kButton = kBsOwnerDraw | kWsTabStop;

const ControlTemplate kControls[] = {
    {"ListView", S::kListId, "", kLvsReport | kLvsShowSelAlways | kWsBorder | kWsTabStop, 4, 4, 410, 310},
    {"Static", S::kPanelId, "", 0, 418, 4, 130, 92},
    {"Button", S::kGoToPostsId, "operate QUI", kButton, 418, 100, 130, 14},
    {"Button", S::kTryTeacherId, "PROVA l'orario del Professore", kButton, 418, 118, 130, 14},
    {"Button", S::kTryClassesId, "PROVA l'orario delle sue Classi", kButton, 418, 136, 130, 14},
    {"Button", S::kExportId, "ESPORTA su file i dati di questo riepilogo", kButton, 418, 154, 130, 20},
    {"Edit", S::kHelpId, "", kEsMultiLine | kEsReadOnly | kEsAutoVScroll | kWsVScroll, 418, 178, 130, 112},
    {"Button", S::kEndId, "!FINE", kButton, 418, 296, 130, 18},
};

const DialogTemplate kTemplate = {S::kTemplate, "Riepilogo Cattedre", kWsChild, 0, 0, 552, 318, kControls};

}  // namespace

void ui_register_summary_page_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}
