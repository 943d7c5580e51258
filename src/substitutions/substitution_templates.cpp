// Dialog templates of the substitutions dialog (130) and the provisional
// page (242), and the joints that put them in the program: the page in the
// frame's page holder, the dialog behind the home page's substitutions
// entry. Captions are Italian keys; the texts that change with the language
// are set by the dialogs when they open.
#include "engine/status_block.h"
#include "platform/cp1252.h"
#include "shell/frame.h"
#include "substitutions/provisional_page.h"
#include "substitutions/substitutions_dialog.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kOwner = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kDropList = kCbsDropDownList | kWsVScroll | kWsTabStop;
constexpr std::uint32_t kList = kLbsNotify | kWsVScroll | kWsBorder | kWsTabStop;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;
constexpr std::uint32_t kFrame = kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame;

using S = Cmenu_sost;
const ControlTemplate kSubstitutionControls[] = {
    {"Static", S::kTitleId, "", 0, 8, 6, 456, 10},
    {"Static", kStaticId, "Giorno:", 0, 8, 22, 40, 10},
    {"ComboBox", S::kDayId, "", kDropList, 50, 20, 110, 90},
    {"Static", kStaticId, "Insegnanti e ore del giorno:", 0, 8, 40, 150, 10},
    {"ListBox", S::kTeachersId, "", kList, 8, 50, 150, 130},
    {"Static", kStaticId, "Motivo:", 0, 166, 40, 110, 10},
    {"ComboBox", S::kReasonId, "", kDropList, 166, 50, 110, 90},
    {"Static", kStaticId, "Ore di assenza:", 0, 166, 68, 110, 10},
    {"Button", S::kFirstHourId + 0, "1", kCheck, 166, 80, 20, 12},
    {"Button", S::kFirstHourId + 1, "2", kCheck, 188, 80, 20, 12},
    {"Button", S::kFirstHourId + 2, "3", kCheck, 210, 80, 20, 12},
    {"Button", S::kFirstHourId + 3, "4", kCheck, 232, 80, 20, 12},
    {"Button", S::kFirstHourId + 4, "5", kCheck, 254, 80, 20, 12},
    {"Button", S::kFirstHourId + 5, "6", kCheck, 276, 80, 20, 12},
    {"Button", S::kFirstHourId + 6, "7", kCheck, 166, 94, 20, 12},
    {"Button", S::kFirstHourId + 7, "8", kCheck, 188, 94, 20, 12},
    {"Button", S::kFirstHourId + 8, "9", kCheck, 210, 94, 20, 12},
    {"Button", S::kFirstHourId + 9, "10", kCheck, 232, 94, 20, 12},
    {"Button", S::kFirstHourId + 10, "11", kCheck, 254, 94, 20, 12},
    {"Button", S::kFirstHourId + 11, "12", kCheck, 276, 94, 20, 12},
    {"Button", S::kMarkId, "Segna assente", kOwner, 166, 112, 130, 16},
    {"Button", S::kRemoveId, "Togli assenza", kOwner, 166, 132, 130, 16},
    {"Static", kStaticId, "Assenti:", 0, 304, 40, 160, 10},
    {"ListBox", S::kAbsentId, "", kList, 304, 50, 160, 130},
    {"Button", S::kComputeId, "!CALCOLA le sostituzioni", kOwner, 8, 186, 150, 18},
    {"Button", S::kPrintId, "!STAMPA", kOwner, 166, 186, 130, 18},
    {"Button", kIdCancel, "Chiudi", kOwner, 304, 186, 160, 18},
    {"Static", kStaticId, "Sostituzioni:", 0, 8, 210, 150, 10},
    {"ListBox", S::kResultsId, "", kList, 8, 220, 456, 100},
};

using P = Cprovvi;
const ControlTemplate kProvisionalControls[] = {
    {"Static", P::kTitleId, "", 0, 8, 8, 360, 12},
    {"Static", P::kNoticeId, "", 0, 8, 24, 360, 24},
    {"Button", P::kCalendarId, "", kOwner, 8, 52, 250, 170},
    {"Button", P::kComputeId, "!CALCOLA l'Orario Provvisorio", kOwner, 266, 52, 110, 22},
    {"Button", P::kLeaveId, "Torna all'orario definitivo", kOwner, 266, 80, 110, 22},
};

const DialogTemplate kTemplates[] = {
    {S::kTemplate, "Gestione Sostituzioni", kFrame, 0, 0, 472, 328, kSubstitutionControls},
    {P::kTemplate, "Orario Provvisorio", kWsChild, 0, 0, 384, 230, kProvisionalControls},
};

}  // namespace

void ui_register_substitution_templates() {
  for (const DialogTemplate& t : kTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}

void substitutions_install_pages() {
  ui_register_substitution_templates();
  g_pages.Install(PageSlot::Provvi, &g_provisional_page);
  g_frame_service_hooks.run_substitutions_dialog = [] {
    Cmenu_sost dialog;
    dialog.DoModal();
  };
}
