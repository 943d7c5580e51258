// Dialog template of the special weekly calendars (237). Captions are the
// Italian keys of the caption tables; the two summary buttons get their
// text from their pickers at run time.
#include "platform/cp1252.h"
#include "structure/special_calendars.h"

using namespace kt::ui;

namespace {

using C = Ccalespe;
constexpr std::uint32_t kOwner = kBsOwnerDraw | kWsTabStop;

const ControlTemplate kControls[] = {
    {"ListView", C::kListId, "", kLvsReport | kLvsShowSelAlways | kWsBorder | kWsTabStop, 6, 6, 560, 170},
    {"Button", C::kCalendarId, "Calendario", kOwner, 6, 182, 300, 70},
    {"Button", C::kClearId, "Cancella il calendario speciale\n(la classe segue il calendario generale della scuola)",
     kOwner | kBsMultiLine, 314, 182, 124, 26},
    {"Button", C::kStandardId, "Ripristina la durata standard delle ore", kOwner, 442, 182, 124, 26},
    {"Button", C::kLengthsId, "REM classi durata differenziata", kOwner, 314, 212, 252, 40},
    {"Button", C::kReturnsId, "Configurazione dei RIENTRI pomeridiani", kOwner, 6, 258, 160, 16},
    {"Static", kStaticId, "Ci sono ", 0, 174, 261, 34, 10},
    {"Static", C::kCountId, "", 0, 208, 261, 20, 10},
    {"Static", kStaticId, "classi il cui monte ore non coincide con quello del loro Calendario", 0, 230, 261, 336, 10},
    {"Edit", C::kHelpPaneId, "", kEsMultiLine | kEsReadOnly | kWsBorder | kWsVScroll, 6, 278, 560, 40},
    {"Button", C::kSaveId, "!SALVA le modifiche", kOwner, 6, 324, 130, 16},
    {"Button", C::kAbandonId, "!ABBANDONA le modifiche", kOwner, 436, 324, 130, 16},
};

const DialogTemplate kTemplate = {
    C::kTemplate, "Classi con calendario settimanale speciale (Rientri pomeridiani, Sabato libero)",
    kWsPopup | kWsCaption | kWsSysMenu | kWsThickFrame, 0, 0, 572, 346, kControls};

}  // namespace

void ui_register_special_calendars_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}
