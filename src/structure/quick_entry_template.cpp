// Dialog template 156 of the quick entry page: the four choosers and the
// add button on top (Tab order teacher, subject, class, hours, add), the
// entry list, the row buttons and stand-by hours, the new-teacher field,
// the totals, the navigation and save buttons and the help pane.
#include "platform/cp1252.h"
#include "structure/quick_entry_page.h"

using namespace kt::ui;

namespace {

using Q = Cproqui;
constexpr std::uint32_t kButton = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kDrop = kCbsDropDownList | kWsVScroll | kWsTabStop;

const ControlTemplate kControls[] = {
    {"Static", kStaticId, "Professore", 0, 4, 4, 110, 10},
    {"ComboBox", Q::kTeacherId, "", kDrop, 4, 14, 110, 160},
    {"Static", kStaticId, "Materia", 0, 118, 4, 110, 10},
    {"ComboBox", Q::kSubjectId, "", kDrop, 118, 14, 110, 160},
    {"Static", kStaticId, "Classe", 0, 232, 4, 50, 10},
    {"ComboBox", Q::kClassId, "", kDrop, 232, 14, 50, 160},
    {"Static", kStaticId, "Ore", 0, 286, 4, 62, 10},
    {"ComboBox", Q::kHoursId, "", kDrop, 286, 14, 30, 160},
    {"Button", Q::kHoursMinusId, "-1", kButton, 318, 14, 14, 12},
    {"Button", Q::kHoursPlusId, "+1", kButton, 334, 14, 14, 12},
    {"Button", Q::kAddId, "AGGIUNGI\nLE ORE", kButton | kBsDefPushButton, 352, 4, 60, 24},
    {"Static", kStaticId,
     "Per inserire rapidamente: usate le lettere inziali (A..Z) per trovare i dati, il tasto TAB per passare da un "
     "campo all'altro, e INVIO per aggiungere le ore.",
     0, 416, 4, 132, 34},
    {"ListView", Q::kListId, "", kLvsReport | kLvsShowSelAlways | kWsBorder | kWsTabStop, 4, 36, 408, 214},
    {"Static", kStaticId, "Fate Click sulle colonne per ordinare e controllare la lista", 0, 4, 252, 300, 10},
    {"Button", Q::kDeleteId, "Cancella l'elemento selezionato", kButton, 4, 264, 110, 14},
    {"Button", Q::kRowMinusId, "-1", kButton, 118, 264, 14, 14},
    {"Button", Q::kRowPlusId, "+1", kButton, 134, 264, 14, 14},
    {"Static", kStaticId, "Ore a Disposizione", 0, 152, 266, 66, 10},
    {"ComboBox", Q::kStandbyId, "", kDrop, 220, 264, 30, 54},
    {"Static", kStaticId, "Nuovo Professore. Nome:", 0, 4, 284, 90, 10},
    {"Edit", Q::kNewTeacherEditId, "", kEsAutoHScroll | kWsBorder | kWsTabStop, 96, 282, 90, 13},
    {"Button", Q::kNewTeacherId, "Inserisci il nuovo Professore", kButton, 190, 282, 100, 14},
    {"Button", Q::kNewSubjectId, "Inserisci Nuova Materia", kButton, 294, 282, 100, 14},
    {"Button", Q::kGoToPostsId, "operate QUI", kButton, 4, 300, 90, 16},
    {"Button", Q::kSaveId, "!SALVA le modifiche", kButton, 98, 300, 110, 16},
    {"Button", Q::kAbandonId, "!ABBANDONA le modifiche", kButton, 212, 300, 110, 16},
    {"Static", Q::kClassTotalId, "", 0, 416, 40, 132, 20},
    {"Static", Q::kLessonHoursId, "", 0, 416, 62, 132, 20},
    {"Static", Q::kTeacherTotalId, "", 0, 416, 84, 132, 20},
    {"Button", Q::kHowToId, "#Come fare?", kButton, 416, 108, 64, 14},
    {"Button", Q::kSortHelpId, "?", kButton, 484, 108, 14, 14},
    {"Edit", Q::kHelpId, "", kEsMultiLine | kEsReadOnly | kEsAutoVScroll | kWsVScroll, 416, 126, 132, 188},
};

const DialogTemplate kTemplate = {Q::kTemplate, "6A Inserimento Iniziale", kWsChild, 0, 0, 552, 318, kControls};

}  // namespace

void ui_register_quick_entry_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}
