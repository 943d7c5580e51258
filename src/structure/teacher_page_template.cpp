// Dialog template 140 of the teachers page: the teacher row and the
// per-teacher settings at the top, the post list in the middle with its
// buttons, the post editor and the help pane below. 552 x 338 dialog units,
// so the two-line captions of the post buttons and of the editor's fields
// have room. Captions are the Italian keys of the caption tables; the
// editor's lists are filled at run time. Tab order is template order, which
// is the quick-entry order: class, subject, hours, extended hours, lab,
// conversation.
#include "platform/cp1252.h"
#include "structure/teacher_page.h"

using namespace kt::ui;

namespace {

using P = Cprocat;
constexpr std::uint32_t kButton = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;
constexpr std::uint32_t kDrop = kCbsDropDownList | kWsVScroll | kWsTabStop;

const ControlTemplate kControls[] = {
    {"ComboBox", P::kTeacherListId, "", kDrop, 6, 4, 120, 160},
    {"Button", P::kPreviousId, "<- Precedente", kButton, 130, 4, 52, 12},
    {"Button", P::kNextId, "Successivo ->", kButton, 186, 4, 52, 12},
    {"Button", P::kAddTeacherId, "Inserisci Nuovo Professore", kButton, 242, 4, 96, 12},
    {"Button", P::kRenameId, "Modifica il nome del Professore", kButton, 342, 4, 100, 12},
    {"Button", P::kAutoSaveId, "Salva senza conferma se cambiato", kCheck, 372, 40, 176, 10},
    {"Button", P::kReceptionId, "Ora di Ricevimento", kCheck, 446, 4, 102, 12},
    {"Static", kStaticId, "Ore a Disposizione", 0, 6, 22, 68, 10},
    {"ComboBox", P::kStandbyId, "", kDrop, 76, 20, 28, 120},
    {"Static", kStaticId, "Ore di\nSostegno", 0, 108, 18, 34, 18},
    {"ComboBox", P::kSupportId, "", kDrop, 144, 20, 28, 120},
    {"Static", kStaticId, "Materia principale del docente (classe di concorso)", 0, 176, 18, 100, 18},
    {"ComboBox", P::kMainSubjectId, "", kDrop, 278, 20, 90, 160},
    {"Button", P::kDummyFreeId, "Docente fittizio privo di vincoli", kCheck, 372, 18, 176, 10},
    {"Button", P::kDummyCheckedId, "Docente fittizio con vincoli controllati", kCheck, 372, 29, 176, 10},
    {"Static", P::kListCaptionId, "", 0, 6, 40, 300, 9},
    {"ListView", P::kPostListId, "", kLvsReport | kLvsSingleSel | kLvsShowSelAlways | kWsBorder | kWsTabStop, 6,
     52, 542, 108},
    {"Button", P::kAddPostId, "Aggiungi Nuova Classe", kButton, 6, 163, 76, 18},
    {"Button", P::kDeletePostId, "[Canc] Elimina Classe", kButton, 86, 163, 72, 18},
    {"Button", P::kReAddId, "Aggiungi le ultime\nClassi eliminate", kButton, 162, 163, 84, 18},
    {"Button", P::kNewYearId, "ANNO NUOVO: avanza le classi all'anno successivo", kButton, 250, 163, 146, 18},
    {"Button", P::kTryTeacherId, "PROVA l'orario del Professore", kButton, 400, 163, 72, 18},
    {"Button", P::kTryClassesId, "PROVA l'orario delle sue Classi", kButton, 476, 163, 72, 18},
    {"Static", kStaticId, "Classe", 0, 6, 192, 46, 10},
    {"ComboBox", P::kClassId, "", kDrop, 6, 203, 46, 130},
    {"Static", kStaticId, "Materia", 0, 56, 192, 90, 10},
    {"ComboBox", P::kSubjectId, "", kDrop, 56, 203, 90, 130},
    {"Static", kStaticId, "Ore", 0, 150, 192, 62, 10},
    {"ComboBox", P::kHoursId, "", kDrop, 150, 203, 28, 120},
    {"Button", P::kPlusId, "+1", kButton, 180, 203, 14, 12},
    {"Button", P::kMinusId, "-1", kButton, 196, 203, 14, 12},
    {"Static", kStaticId, "di cui ore prolungate", 0, 214, 184, 60, 18},
    {"Button", P::kFieldHelpIds[0], "?", kButton, 274, 190, 8, 10},
    {"ComboBox", P::kExtendedId, "", kDrop, 214, 203, 28, 120},
    {"Static", kStaticId, "Laboratorio o Gruppo Laboratori", 0, 286, 184, 86, 18},
    {"Button", P::kFieldHelpIds[1], "?", kButton, 374, 190, 8, 10},
    {"ComboBox", P::kLabId, "", kDrop, 286, 203, 96, 130},
    {"Static", kStaticId, "Conversazione / Compresenza", 0, 386, 184, 76, 18},
    {"ComboBox", P::kConversationId, "", kDrop, 386, 203, 90, 130},
    {"Button", P::kAnyClassId, "in qualsiasi classe", kCheck, 480, 203, 68, 12},
    {"Static", kStaticId, "I.t.p. di Laboratorio o Conversatore Lingua o Professore in compresenza", 0, 6, 218,
     120, 18},
    {"ComboBox", P::kPartnerId, "", kDrop, 6, 238, 120, 100},
    {"Static", kStaticId, "Ore di Laboratorio o di Conversazione", 0, 130, 218, 60, 26},
    {"ComboBox", P::kPartnerHoursId, "", kDrop, 130, 246, 30, 92},
    {"Static", kStaticId, "I.t.p. di Laboratorio presente per ore", 0, 194, 218, 64, 26},
    {"Button", P::kFieldHelpIds[2], "?", kButton, 260, 218, 8, 10},
    {"ComboBox", P::kAssistantId, "", kDrop, 194, 246, 30, 92},
    {"Button", P::kNoItpId, "Non c'è ITP"_cp, kButton, 228, 246, 50, 12},
    {"Static", kStaticId, "Attrezzatura di Laboratorio della giornata", 0, 282, 218, 90, 18},
    {"Button", P::kFieldHelpIds[3], "?", kButton, 374, 218, 8, 10},
    {"ComboBox", P::kLabEquipmentId, "", kDrop, 282, 238, 100, 100},
    {"Static", kStaticId, "Attrezzatura di palestra da compattare", 0, 386, 218, 80, 18},
    {"Button", P::kFieldHelpIds[4], "?", kButton, 468, 218, 8, 10},
    {"ComboBox", P::kGymEquipmentId, "", kDrop, 386, 238, 90, 100},
    {"Button", P::kNewSubjectId, "Inserisci Nuova Materia", kButton, 480, 218, 68, 18},
    {"Button", P::kNewLabId, "Inserisci Nuovo Laboratorio", kButton, 480, 238, 68, 18},
    {"Static", kStaticId, "Classi articolate con la", 0, 6, 262, 80, 10},
    {"ComboBox", P::kJointComboId, "", kDrop, 6, 274, 56, 64},
    {"ListBox", P::kJointListId, "Aggiungi", kLbsNotify | kWsBorder | kWsVScroll | kWsTabStop, 66, 274, 56, 44},
    {"Button", P::kJointRemoveId, "<-- Togli", kButton, 126, 274, 44, 12},
    {"Button", P::kFieldHelpIds[5], "?", kButton, 88, 262, 8, 10},
    {"Button", P::kSaveId, "!SALVA", kButton, 6, 320, 90, 18},
    {"Button", P::kAbandonId, "!ABBANDONA", kButton, 100, 320, 90, 18},
    {"Edit", P::kHelpId, "", kEsMultiLine | kEsReadOnly | kEsAutoVScroll | kWsVScroll, 194, 262, 354, 76},
};

const DialogTemplate kTemplate = {P::kTemplate, "6C Cattedre per Docente", kWsChild, 0, 0, 552, 338, kControls};

}  // namespace

void ui_register_teacher_page_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}
