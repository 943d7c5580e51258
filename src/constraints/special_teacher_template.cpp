// Dialog template 155 of the special teacher constraints page. Top: the
// teacher chooser, the warning line and the posts list. Left column: days
// of break, building moves, the two partners, the three personal band
// tables. Right column: the personal lunch break and the single rules,
// then the technical row. Bottom: help pane, tests and page buttons.
// Captions are the Italian keys of the caption tables.
#include "constraints/special_teacher_page.h"
#include "platform/cp1252.h"

using namespace kt::ui;

namespace {

using V = Cvidia;
constexpr std::uint32_t kPush = kBsPushButton | kWsTabStop;
constexpr std::uint32_t kOwner = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;
constexpr std::uint32_t kList = kCbsDropDownList | kWsVScroll | kWsTabStop;
constexpr std::uint32_t kTyped = kCbsDropDown | kWsVScroll | kWsTabStop;

const ControlTemplate kControls[] = {
    {"Static", kStaticId, "Professore", 0, 8, 6, 40, 10},
    {"ComboBox", V::kTeacherId, "", kList, 50, 4, 150, 200},
    {"Button", V::kPreviousId, "<- Precedente", kPush, 204, 4, 56, 14},
    {"Button", V::kNextId, "Successivo ->", kPush, 262, 4, 56, 14},
    {"Static", V::kWarningId,
     "Vincoli di USO MOLTO RARO! Leggete attentamente la descrizione di ciascuno e usateli soltanto dopo avere "
     "ottenuto un orario chiuso!",
     0, 324, 4, 400, 20},
    {"ListView", V::kPostsId, "", kLvsReport | kLvsShowSelAlways | kWsTabStop | kWsBorder, 8, 26, 310, 60},
    // Left column.
    {"Static", kStaticId, "Giorni di interruzione delle lezioni ", 0, 8, 94, 120, 10},
    {"ComboBox", V::kBreakDaysId, "", kList, 130, 92, 230, 80},
    {"Button", V::kLabBreakId, "Giorno Pausa anche per le ore di laboratorio ", kCheck, 130, 108, 230, 10},
    {"Static", kStaticId, "Modalità di passaggio da un Plesso a un altro"_cp, 0, 8, 122, 120, 16},
    {"ComboBox", V::kMoveModeId, "", kList, 130, 122, 230, 150},
    {"Static", kStaticId, "Massimo settimanale cambi di Plesso", 0, 8, 140, 120, 16},
    {"ComboBox", V::kWeekMovesId, "", kList, 130, 138, 30, 100},
    {"Static", kStaticId, "L'orario non deve mai sovrapporsi con l'orario di", 0, 8, 158, 120, 18},
    {"ComboBox", V::kOverlapId, "", kTyped, 130, 156, 120, 200},
    {"Static", kStaticId, "Condivisione automezzo con collega", 0, 8, 180, 120, 10},
    {"ComboBox", V::kCarShareId, "", kTyped, 130, 178, 90, 200},
    {"Static", kStaticId, "Attesa reciproca massima Ore", 0, 224, 176, 102, 18},
    {"ComboBox", V::kWaitId, "", kList, 328, 178, 30, 60},
    {"Button", V::kGroupingId, "Raggruppamento ore", kOwner, 8, 198, 420, 40},
    {"Button", V::kEnterExitId, "Entra e esci secondo le ore che ha nelle diverse Classi", kOwner, 8, 242, 420, 40},
    {"Button", V::kLastHoursId, "Raggruppamento ore", kOwner, 8, 286, 420, 40},
    // Right column.
    {"Static", kStaticId, "15.5 - Gestione Personale dei Rientri", 0, 372, 30, 200, 10},
    {"Static", kStaticId, "La Pausa Mensa è all'Ora"_cp, 0, 372, 44, 96, 10},
    {"ComboBox", V::kLunchHourId, "", kList, 470, 42, 28, 120},
    {"Static", kStaticId, "e può durare da Ore "_cp, 0, 500, 44, 80, 10},
    {"ComboBox", V::kLunchMinId, "", kList, 582, 42, 28, 120},
    {"Static", kStaticId, "a Ore ", 0, 612, 44, 40, 10},
    {"ComboBox", V::kLunchMaxId, "", kList, 654, 42, 28, 120},
    {"Static", kStaticId, "dopo il rientro ci devono essere almeno ore di lezione", 0, 372, 60, 200, 10},
    {"ComboBox", V::kAfterReturnId, "", kList, 576, 58, 30, 60},
    {"Button", V::kServiceFirstId, "Le ore nelle Classi di Servizio NON contano come presenza", kCheck, 372, 76, 230, 10},
    {"Button", V::kServiceSecondId, "e NON contano come insegnamento", kCheck, 606, 76, 130, 10},
    {"Button", V::kNoGapTwoId, "No buche nei giorni con 2 ore di lezione", kCheck, 372, 90, 180, 10},
    {"Button", V::kNoGapThreeId, "con 2 oppure 3 ore di lezione", kCheck, 556, 90, 150, 10},
    {"Static", kStaticId, "Se un giorno vede una classe per almeno Ore", 0, 372, 106, 174, 10},
    {"ComboBox", V::kGroupFirstId, "", kList, 548, 104, 30, 120},
    {"Static", kStaticId, "Il giorno successivo può vederla al massimo per Ore"_cp, 0, 372, 122, 170, 10},
    {"ComboBox", V::kGroupSecondId, "", kList, 548, 120, 30, 120},
    {"Static", kStaticId, "Ogni giorno di servizio deve avere impegnata una Ora", 0, 372, 138, 170, 10},
    {"ComboBox", V::kEarlyId, "", kList, 548, 136, 30, 120},
    {"Static", kStaticId, "oppure", 0, 582, 138, 30, 10},
    {"ComboBox", V::kLateId, "", kList, 614, 136, 30, 120},
    {"Static", kStaticId, "Se in servizio a cavallo dell'ora", 0, 372, 154, 120, 10},
    {"ComboBox", V::kRestHourId, "", kList, 494, 152, 30, 120},
    {"Static", kStaticId, "deve avere riposo tra l'ora", 0, 528, 154, 106, 10},
    {"ComboBox", V::kRestFromId, "", kList, 636, 152, 28, 120},
    {"Static", kStaticId, "e l'ora", 0, 666, 154, 38, 10},
    {"ComboBox", V::kRestToId, "", kList, 706, 152, 28, 120},
    {"Static", kStaticId, "Nelle classi dove ha 2 ore, ora doppia se:", 0, 372, 170, 162, 10},
    {"Button", V::kDoubleStartId, "a inizio giornata", kCheck, 536, 170, 80, 10},
    {"Button", V::kDoubleEndId, "a fine giornata", kCheck, 618, 170, 80, 10},
    {"Button", V::kFridayId, "Se in servizo %s ora %d non in servizio Lunedì prima ora"_cp, kCheck, 372, 186, 300, 10},
    {"Button", V::kShortDayId, "Può violare il giorno corto"_cp, kCheck, 432, 202, 120, 10},
    {"Static", kStaticId, "Nei giorni in cui è impegnato la sua classe deve avere ore complessive"_cp, 0, 432, 218,
     250, 10},
    {"ComboBox", V::kShortDayHoursId, "", kList, 686, 216, 30, 120},
    // Technical row.
    {"Button", V::kTechHelpId, "?", kPush, 432, 236, 12, 12},
    {"Static", kStaticId, "Priorità"_cp, 0, 448, 238, 36, 10},
    {"ComboBox", V::kPriorityId, "", kList, 486, 236, 30, 60},
    {"Button", V::kLabId, "L", kCheck, 522, 238, 20, 10},
    {"Button", V::kSchoolId, "S", kCheck, 546, 238, 20, 10},
    {"Button", V::kPtkkId, "ptkk", kCheck, 570, 238, 40, 10},
    {"Button", V::kFictitiousFreeId, "Docente fittizio privo di vincoli", kCheck, 432, 254, 150, 10},
    {"Button", V::kFictitiousCheckedId, "Docente fittizio con vincoli controllati", kCheck, 586, 254, 150, 10},
    {"Static", kStaticId, "Sostegno", 0, 432, 270, 52, 10},
    {"Button", V::kSupportId, "", kCheck, 486, 270, 12, 10},
    // Bottom.
    {"Edit", V::kHelpPaneId, "", kEsMultiLine | kEsReadOnly | kWsBorder | kWsVScroll, 8, 332, 500, 56},
    {"Button", V::kTestTeacherId, "PROVA l'orario del Professore", kPush, 508, 288, 116, 16},
    {"Button", V::kTestClassesId, "PROVA l'orario delle sue Classi", kPush, 626, 288, 120, 16},
    {"Button", V::kSaveId, "!SALVA", kOwner, 516, 310, 110, 16},
    {"Button", V::kAbandonId, "!ABBANDONA", kOwner, 630, 310, 110, 16},
    {"Button", V::kHowToId, "#Come fare?", kOwner, 516, 332, 110, 16},
    {"Button", V::kAutoSaveId, "Salva senza conferma se cambiato", kCheck, 516, 354, 224, 10},
};

const DialogTemplate kTemplate = {V::kTemplate, "9 Vincoli speciali",
                                  kWsPopup | kWsCaption | kWsSysMenu | kWsThickFrame, 0, 0, 748, 396, kControls};

}  // namespace

void ui_register_special_teacher_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}
