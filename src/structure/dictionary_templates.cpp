// Dialog templates of the dictionary pages: subjects (142), labs (144),
// gyms and shared rooms (145) and lessons by class (233). Captions are the Italian keys of the caption
// tables; texts the pages set at run time (summaries, help) start empty.
// The pages are laid out on the frame's page area (552 x 318 dialog units)
// and keep that size when they run as a captioned modal dialog.
#include "platform/cp1252.h"
#include "structure/dictionary_page.h"
#include "structure/gyms_page.h"
#include "structure/labs_page.h"
#include "structure/lessons_by_class_page.h"
#include "structure/subjects_page.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kOwner = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kField = kEsAutoHScroll | kWsBorder | kWsTabStop;
constexpr std::uint32_t kDropList = kCbsDropDownList | kWsVScroll | kWsTabStop;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;
constexpr std::uint32_t kList = kLvsReport | kLvsShowSelAlways | kWsBorder | kWsTabStop;
constexpr std::uint32_t kPane = kEsMultiLine | kEsReadOnly | kWsBorder;
constexpr std::uint32_t kPageStyle = kWsPopup | kWsCaption | kWsSysMenu | kWsThickFrame;

using M = Cmaterie;

constexpr ControlTemplate kSubjectControls[] = {
    {"Static", M::kFirstStaticId + 0, "Aggiunta di una materia dalle", 0, 8, 6, 150, 8},
    {"Static", M::kFirstStaticId + 1, "Classi di concorso ministeriali", 0, 8, 15, 150, 9},
    {"ComboBox", M::kMinistryId, "", kDropList, 8, 26, 150, 120},
    {"Button", M::kAddMinistryId, "[Invio] Aggiungi al Dizionario Materie", kOwner, 162, 26, 110, 18},
    {"Button", M::kFirstHelpButtonId + 0, "?", kOwner, 276, 26, 14, 14},
    {"Static", M::kFirstStaticId + 2, "OPPURE", 0, 8, 44, 60, 9},
    {"Static", M::kFirstStaticId + 3, "Aggiunta di una materia ", 0, 8, 56, 150, 9},
    {"Static", M::kFirstStaticId + 4, "con denominazione libera ", 0, 8, 65, 150, 9},
    {"Edit", M::kNameId, "", kField, 8, 76, 150, 13},
    {"Button", M::kAddNameId, "[Invio] Aggiungi al Dizionario Materie", kOwner, 162, 76, 110, 18},
    {"Button", M::kFirstHelpButtonId + 1, "?", kOwner, 276, 76, 14, 14},
    {"Button", M::kConversationId, "Materia di Conversazione / Compresenza", kCheck, 8, 96, 264, 10},
    {"Button", M::kFirstHelpButtonId + 2, "?", kOwner, 276, 94, 14, 14},
    {"Button", M::kFirstHelpButtonId + 3, "?", kOwner, 292, 94, 14, 14},
    {"Button", M::kLateHoursId, "Se necessario può essere svolta sempre verso le ultime ore del giorno"_cp, kCheck, 8,
     110, 264, 10},
    {"Button", M::kFirstHelpButtonId + 4, "?", kOwner, 276, 108, 14, 13},
    {"Button", M::kNonTeachingId, "Materia non didattica (ad esempio, Sorveglianza Mensa)", kCheck, 8, 124, 264, 10},
    {"Button", M::kFirstHelpButtonId + 5, "?", kOwner, 276, 122, 14, 14},
    {"Static", M::kFirstStaticId + 5,
     "Per Correggere o Cancellare, selezionare una o più Materie nella lista delle Materie inserite."_cp, 0, 8, 140,
     290, 18},
    {"ListView", M::kListId, "", kList, 8, 160, 340, 150},
    {"Button", M::kRenameId, "Modifica il Nome della Materia", kOwner, 356, 160, 160, 16},
    {"Button", M::kDeleteId, "[Canc] Elimina Materia dal dizionario", kOwner, 356, 180, 160, 16},
    {"Button", M::kFirstHelpButtonId + 6, "?", kOwner, 522, 170, 14, 14},
    {"Static", M::kHintId,
     "Suggerimento: se volete eliminare le Materie non utilizzate, selezionatele TUTTE e cancellatele: le materie "
     "utilizzate per almeno un'ora non saranno cancellate.",
     0, 356, 200, 188, 44},
    {"Static", M::kFirstStaticId + 6, "NON DIMENTICATE DI SALVARE!", 0, 356, 250, 188, 9},
    {"Button", M::kSaveId, "!SALVA le modifiche", kOwner, 356, 262, 92, 18},
    {"Button", M::kAbandonId, "!ABBANDONA le modifiche", kOwner, 452, 262, 92, 18},
    {"Edit", M::kHelpPaneId, "", kPane, 312, 6, 232, 148},
};

using L = Clapal;

constexpr ControlTemplate kLabControls[] = {
    {"Edit", L::kLabNameId, "", kField, 8, 8, 110, 13},
    {"Static", L::kFirstStaticId + 0, "che si trova nel Plesso:", 0, 122, 10, 80, 9},
    {"ComboBox", L::kBuildingId, "", kDropList, 204, 8, 90, 80},
    {"Button", L::kFirstHelpButtonId + 0, "?", kOwner, 298, 8, 14, 14},
    {"Button", L::kAddLabId, "[Invio] Aggiungi Laboratorio", kOwner, 8, 26, 110, 14},
    {"Button", L::kDeleteLabId, "[Canc] Elimina Laboratorio ", kOwner, 122, 26, 86, 14},
    {"Button", L::kRenameLabId, "Modifica il Nome del Laboratorio", kOwner, 212, 26, 82, 17},
    {"Static", L::kFirstStaticId + 1, "Per Correggere o Cancellare, selezionare un Laboratorio nella lista.", 0, 8, 44,
     286, 9},
    {"ListView", L::kLabListId, "", kList, 8, 56, 286, 110},
    {"Button", L::kHoursId, "Ore disponibili", kOwner, 320, 80, 206, 86},
    {"Button", L::kFirstHelpButtonId + 2, "?", kOwner, 530, 80, 14, 14},
    {"Static", L::kHintId,
     "Suggerimento: se volete eliminare i Laboratori non utilizzati, selezionateli TUTTI e cancellateli: i "
     "laboratori utilizzati per almeno un'ora non saranno cancellati.",
     0, 320, 170, 224, 28},
    {"Static", L::kNoticeId,
     " Gestione dei Gruppi di Laboratori: leggete attentamente la documentazione e configurateli (se utili nel "
     "vostro caso) solo dopo avere ottenuto un primo orario.",
     0, 8, 172, 286, 20},
    {"Edit", L::kGroupNameId, "", kField, 8, 196, 110, 13},
    {"Button", L::kAddGroupId, "[Invio] Aggiungi Gruppo", kOwner, 122, 196, 86, 14},
    {"Button", L::kDeleteGroupId, "[Canc] Elimina Gruppo", kOwner, 212, 196, 82, 14},
    {"Button", L::kRenameGroupId, "Modifica il Nome del Gruppo", kOwner, 122, 212, 86, 17},
    {"Button", L::kFirstHelpButtonId + 1, "?", kOwner, 298, 196, 14, 14},
    {"ListView", L::kGroupListId, "", kList | kLvsSingleSel, 8, 230, 286, 80},
    {"Static", L::kFirstStaticId + 2, "Aggiunta di un Laboratorio al Gruppo selezionato: ", 0, 320, 204, 224, 9},
    {"ComboBox", L::kCandidateId, "", kDropList, 320, 214, 160, 80},
    {"ListBox", L::kGroupLabsId, "", kWsBorder | kWsVScroll | kLbsNotify | kWsTabStop, 320, 232, 160, 56},
    {"Button", L::kRemoveId, "<-- Togli", kOwner, 484, 232, 60, 14},
    {"Static", L::kFirstStaticId + 3, "NON DIMENTICATE DI SALVARE!", 0, 320, 290, 160, 9},
    {"Button", L::kSaveId, "!SALVA le modifiche", kOwner, 320, 300, 110, 14},
    {"Button", L::kAbandonId, "!ABBANDONA le modifiche", kOwner, 434, 300, 110, 14},
    {"Edit", L::kHelpPaneId, "", kPane, 320, 6, 224, 70},
};

using P = Cpale;

constexpr ControlTemplate kGymControls[] = {
    {"ListView", P::kListId, "", kList, 8, 6, 536, 100},
    {"Static", P::kFirstStaticId + 0, "Nome Locale", 0, 8, 112, 60, 9},
    {"Edit", P::kNameId, "", kField, 70, 110, 110, 13},
    {"Button", P::kFirstHelpButtonId + 0, "?", kOwner, 184, 110, 14, 14},
    {"Static", P::kFirstStaticId + 1, "Plesso (Fabbricato)", 0, 8, 128, 60, 9},
    {"ComboBox", P::kBuildingId, "", kDropList, 70, 126, 110, 80},
    {"Static", P::kFirstStaticId + 2, "Materia", 0, 8, 144, 60, 9},
    {"ComboBox", P::kFirstSubjectId + 0, "", kDropList, 70, 142, 110, 120},
    {"Button", P::kFirstHelpButtonId + 1, "?", kOwner, 184, 142, 14, 14},
    {"Static", P::kFirstStaticId + 3, "Altre materie che impegnano il locale (eventuali)", 0, 8, 158, 190, 9},
    {"ComboBox", P::kFirstSubjectId + 1, "", kDropList, 8, 168, 140, 120},
    {"Button", P::kFirstClearId + 0, "Cancella", kOwner, 150, 168, 40, 13},
    {"ComboBox", P::kFirstSubjectId + 2, "", kDropList, 8, 184, 140, 120},
    {"Button", P::kFirstClearId + 1, "Cancella", kOwner, 150, 184, 40, 13},
    {"ComboBox", P::kFirstSubjectId + 3, "", kDropList, 8, 200, 140, 100},
    {"Button", P::kFirstClearId + 2, "Cancella", kOwner, 150, 200, 40, 13},
    {"Static", P::kFirstStaticId + 4, "Massimo di Classi compresenti", 0, 8, 218, 110, 9},
    {"ComboBox", P::kCapacityId, "", kDropList, 120, 216, 40, 100},
    {"Button", P::kFirstHelpButtonId + 2, "?", kOwner, 164, 216, 14, 14},
    {"Button", P::kAddId, "[Invio] Aggiungi Locale", kOwner, 8, 236, 90, 16},
    {"Button", P::kRenameId, "Modifica il nome", kOwner, 102, 236, 90, 16},
    {"Button", P::kDeleteId, "[Canc] Elimina Locale", kOwner, 8, 256, 90, 16},
    {"Button", P::kSaveId, "!SALVA le modifiche", kOwner, 8, 290, 90, 18},
    {"Button", P::kAbandonId, "!ABBANDONA le modifiche", kOwner, 102, 290, 90, 18},
    {"Static", P::kFirstStaticId + 5, "Limitazioni all'accoppiamento delle Classi nel Locale: ", 0, 204, 107, 150, 16},
    {"Button", P::kFirstHelpButtonId + 3, "?", kOwner, 356, 110, 14, 14},
    {"ComboBox", P::kFirstPairId + 0, "", kDropList, 204, 124, 66, 80},
    {"Static", P::kFirstStaticId + 10, "con", 0, 272, 126, 16, 9},
    {"ComboBox", P::kFirstPartnerId + 0, "", kDropList, 290, 124, 66, 80},
    {"ComboBox", P::kFirstPairId + 1, "", kDropList, 204, 138, 66, 80},
    {"Static", P::kFirstStaticId + 11, "con", 0, 272, 140, 16, 9},
    {"ComboBox", P::kFirstPartnerId + 1, "", kDropList, 290, 138, 66, 80},
    {"ComboBox", P::kFirstPairId + 2, "", kDropList, 204, 152, 66, 80},
    {"Static", P::kFirstStaticId + 12, "con", 0, 272, 154, 16, 9},
    {"ComboBox", P::kFirstPartnerId + 2, "", kDropList, 290, 152, 66, 80},
    {"ComboBox", P::kFirstPairId + 3, "", kDropList, 204, 166, 66, 80},
    {"Static", P::kFirstStaticId + 13, "con", 0, 272, 168, 16, 9},
    {"ComboBox", P::kFirstPartnerId + 3, "", kDropList, 290, 166, 66, 80},
    {"ComboBox", P::kFirstPairId + 4, "", kDropList, 204, 180, 66, 80},
    {"Static", P::kFirstStaticId + 14, "con", 0, 272, 182, 16, 9},
    {"ComboBox", P::kFirstPartnerId + 4, "", kDropList, 290, 180, 66, 80},
    {"ComboBox", P::kFirstPairId + 5, "", kDropList, 204, 194, 66, 80},
    {"Static", P::kFirstStaticId + 15, "con", 0, 272, 196, 16, 9},
    {"ComboBox", P::kFirstPartnerId + 5, "", kDropList, 290, 194, 66, 80},
    {"ComboBox", P::kFirstPairId + 6, "", kDropList, 204, 208, 66, 80},
    {"Static", P::kFirstStaticId + 16, "con", 0, 272, 210, 16, 9},
    {"ComboBox", P::kFirstPartnerId + 6, "", kDropList, 290, 208, 66, 80},
    {"ComboBox", P::kFirstPairId + 7, "", kDropList, 204, 222, 66, 80},
    {"Static", P::kFirstStaticId + 17, "con", 0, 272, 224, 16, 9},
    {"ComboBox", P::kFirstPartnerId + 7, "", kDropList, 290, 222, 66, 80},
    {"ComboBox", P::kFirstPairId + 8, "", kDropList, 204, 236, 66, 80},
    {"Static", P::kFirstStaticId + 18, "con", 0, 272, 238, 16, 9},
    {"ComboBox", P::kFirstPartnerId + 8, "", kDropList, 290, 236, 66, 80},
    {"Button", P::kHoursId, "Ore disponibili", kOwner, 204, 254, 166, 58},
    {"Static", P::kNoticeId,
     " Vincoli di USO MOLTO RARO! Leggete attentamente la descrizione di ciascuno e usateli soltanto dopo avere "
     "ottenuto un orario chiuso! ",
     0, 376, 110, 168, 28},
    {"Static", P::kFirstStaticId + 6, "Minimo di Classi compresenti", 0, 376, 144, 110, 9},
    {"ComboBox", P::kMinimumId, "", kDropList, 488, 142, 40, 100},
    {"Button", P::kFirstHelpButtonId + 5, "?", kOwner, 530, 142, 14, 14},
    {"Button", P::kEmptyOrMinimumId, "Vuoto oppure rispettare il minimo", kCheck, 376, 158, 168, 10},
    {"Static", P::kFirstStaticId + 7, "Non controllare il minimo dall'ora", 0, 376, 172, 117, 9},
    {"ComboBox", P::kMinimumFromHourId, "", kDropList, 494, 170, 36, 100},
    {"Static", P::kFirstStaticId + 8, "Massimo prodotto Classi x Ore", 0, 376, 186, 117, 9},
    {"ComboBox", P::kProductId, "", kDropList, 494, 184, 36, 100},
    {"Button", P::kSharingId, "", kOwner, 376, 200, 150, 40},
    {"Button", P::kFirstHelpButtonId + 4, "?", kOwner, 530, 200, 14, 14},
    {"Static", P::kFirstStaticId + 9, "Errori tollerati", 0, 376, 244, 110, 9},
    {"ComboBox", P::kToleratedId, "", kDropList, 488, 242, 40, 70},
    {"Edit", P::kHelpPaneId, "", kPane, 376, 258, 168, 54},
};

using C = Clacoco;

constexpr ControlTemplate kLessonControls[] = {
    {"ComboBox", C::kClassId, "", kDropList, 8, 6, 70, 120},
    {"Button", C::kPrevId, "<--", kOwner, 80, 6, 46, 13},
    {"Button", C::kNextId, "-->", kOwner, 128, 6, 20, 13},
    {"Static", C::kCountId, "", 0, 152, 8, 40, 9},
    {"Static", C::kBuildingTextId, "", 0, 196, 8, 80, 9},
    {"Button", C::kFirstHelpButtonId + 0, "?", kOwner, 280, 6, 14, 14},
    {"Button", C::kHowToId, "#Come fare?", kOwner, 298, 6, 60, 14},
    {"Button", C::kAutoSaveId, "Salva senza conferma", kCheck, 370, 8, 120, 10},
    {"ListView", C::kGridId, "", kList | kLvsSingleSel, 8, 24, 536, 150},
    {"Static", C::kFirstStaticId + 0, "LEZIONE FRONTALE:", 0, 8, 180, 120, 9},
    {"Static", C::kFirstStaticId + 1, "Materia", 0, 8, 192, 40, 9},
    {"ComboBox", C::kSubjectId, "", kDropList, 50, 190, 110, 100},
    {"Button", C::kNewSubjectId, "nuova", kOwner, 162, 190, 30, 13},
    {"Static", C::kFirstStaticId + 2, "Professore", 0, 8, 208, 40, 9},
    {"ComboBox", C::kTeacherId, "", kDropList, 50, 206, 110, 100},
    {"Button", C::kNewTeacherId, "nuovo", kOwner, 162, 206, 30, 13},
    {"Static", C::kFirstStaticId + 4, "fa Sottogruppo con", 0, 8, 224, 70, 9},
    {"ComboBox", C::kSubgroupId, "", kDropList, 80, 222, 112, 90},
    {"Button", C::kAddHourId, "Aggiunta di un'Ora di Lezione", kOwner, 8, 240, 90, 18},
    {"Button", C::kAddHour2Id, "Aggiunta di un'Ora di Lezione", kOwner, 100, 240, 90, 18},
    {"Button", C::kDeleteId, "Cancella questa Ora di lezione", kOwner, 8, 260, 90, 18},
    {"Button", C::kAnotherId, "Aggiungi un'altra Ora come questa", kOwner, 100, 260, 90, 18},
    {"Button", C::kSeparateId, "Separa le due Ore in due Lezioni Frontali", kOwner, 8, 280, 90, 18},
    {"Button", C::kRenameId, "Correggi il nome del Professore", kOwner, 100, 280, 90, 18},
    {"Static", C::kFirstStaticId + 3, "LABORATORIO / COMPRESENZA:", 0, 200, 180, 150, 9},
    {"ComboBox", C::kLabId, "", kDropList, 200, 190, 110, 80},
    {"Button", C::kNewLabId, "nuovo", kOwner, 312, 190, 30, 13},
    {"ComboBox", C::kConversationId, "", kDropList, 200, 206, 110, 80},
    {"Button", C::kNewConversationId, "nuova", kOwner, 312, 206, 30, 13},
    {"ComboBox", C::kSecondId, "", kDropList, 200, 222, 110, 80},
    {"Button", C::kNewSecondId, "nuovo", kOwner, 312, 222, 30, 13},
    {"Static", C::kFirstStaticId + 5,
     "Ricordate che per porre due Professori in compresenza occorre specificare o un laboratorio o una materia di "
     "compresenza, NON ENTRAMBI !",
     0, 200, 238, 150, 34},
    {"Static", C::kFirstStaticId + 6,
     "In Laboratorio non c'è necessariamente il secondo Professore: in questo caso il Professore è accompagnato da "
     "se stesso"_cp,
     0, 200, 274, 150, 30},
    {"Edit", C::kHelpPaneId, "", kPane, 356, 180, 188, 90},
    {"Button", C::kFirstHelpButtonId + 1, "?", kOwner, 530, 296, 14, 14},
    {"Button", C::kSaveId, "!SALVA", kOwner, 356, 276, 80, 16},
    {"Button", C::kAbandonId, "!Abbandona", kOwner, 440, 276, 80, 16},
    {"Button", C::kSave2Id, "salva", kOwner, 356, 296, 80, 14},
    {"Button", C::kAbandon2Id, "annulla modifiche", kOwner, 440, 296, 80, 14},
};

constexpr DialogTemplate kDictionaryTemplates[] = {
    {Cmaterie::kTemplate, "Dizionario Materie di Insegnamento", kPageStyle, 0, 0, 552, 318, kSubjectControls},
    {Clapal::kTemplate, "Laboratori", kPageStyle, 0, 0, 552, 318, kLabControls},
    {Cpale::kTemplate, "Palestre (e altri Locali Comuni)", kPageStyle, 0, 0, 552, 318, kGymControls},
    {Clacoco::kTemplate, "Modifica delle Cattedre per Classe", kPageStyle, 0, 0, 552, 318, kLessonControls},
};

}  // namespace

void ui_register_dictionary_templates() {
  for (const DialogTemplate& t : kDictionaryTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}
