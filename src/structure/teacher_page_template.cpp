// Dialog template 140 of the teachers page: the teacher row and the
// per-teacher settings at the top, the post list in the middle with its
// buttons, the post editor and the help pane below. 552 x 318 dialog units,
// the frame's page area. Captions are the Italian keys of the caption
// tables; the editor's lists are filled at run time. Tab order is template
// order, which is the quick-entry order: class, subject, hours, extended
// hours, lab, conversation.
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
    {"Button", P::kAutoSaveId, "Salva senza conferma se cambiato", kCheck, 446, 4, 102, 12},
    {"Button", P::kReceptionId, "Ora di Ricevimento", kCheck, 6, 20, 70, 12},
    {"Static", kStaticId, "Ore a Disposizione", 0, 80, 22, 62, 10},
    {"ComboBox", P::kStandbyId, "", kDrop, 142, 20, 28, 120},
    {"Static", kStaticId, "Ore di\nSostegno", 0, 174, 18, 30, 18},
    {"ComboBox", P::kSupportId, "", kDrop, 204, 20, 28, 120},
    {"Static", kStaticId, "Materia principale del docente (classe di concorso)", 0, 236, 18, 80, 18},
    {"ComboBox", P::kMainSubjectId, "", kDrop, 318, 20, 90, 160},
    {"Button", P::kDummyFreeId, "Docente fittizio privo di vincoli", kCheck, 412, 18, 136, 10},
    {"Button", P::kDummyCheckedId, "Docente fittizio con vincoli controllati", kCheck, 412, 29, 136, 10},
    {"Static", P::kListCaptionId, "", 0, 6, 32, 300, 9},
    {"ListView", P::kPostListId, "", kLvsReport | kLvsSingleSel | kLvsShowSelAlways | kWsBorder | kWsTabStop, 6,
     42, 542, 118},
    {"Button", P::kAddPostId, "Aggiungi Nuova Classe", kButton, 6, 163, 88, 14},
    {"Button", P::kDeletePostId, "[Canc] Elimina Classe", kButton, 98, 163, 80, 14},
    {"Button", P::kReAddId, "Aggiungi le ultime\nClassi eliminate", kButton, 182, 163, 80, 14},
    {"Button", P::kNewYearId, "ANNO NUOVO: avanza le classi all'anno successivo", kButton, 266, 163, 146, 14},
    {"Button", P::kTryTeacherId, "PROVA l'orario del Professore", kButton, 416, 163, 64, 14},
    {"Button", P::kTryClassesId, "PROVA l'orario delle sue Classi", kButton, 484, 163, 64, 14},
    {"Static", kStaticId, "Classe", 0, 6, 182, 46, 10},
    {"ComboBox", P::kClassId, "", kDrop, 6, 192, 46, 140},
    {"Static", kStaticId, "Materia", 0, 56, 182, 90, 10},
    {"ComboBox", P::kSubjectId, "", kDrop, 56, 192, 90, 140},
    {"Static", kStaticId, "Ore", 0, 150, 182, 28, 10},
    {"ComboBox", P::kHoursId, "", kDrop, 150, 192, 28, 120},
    {"Button", P::kPlusId, "+1", kButton, 180, 192, 14, 12},
    {"Button", P::kMinusId, "-1", kButton, 196, 192, 14, 12},
    {"Static", kStaticId, "di cui ore prolungate", 0, 214, 182, 28, 10},
    {"Button", P::kFieldHelpIds[0], "?", kButton, 242, 181, 8, 10},
    {"ComboBox", P::kExtendedId, "", kDrop, 214, 192, 28, 120},
    {"Static", kStaticId, "Laboratorio o Gruppo Laboratori", 0, 252, 182, 80, 10},
    {"Button", P::kFieldHelpIds[1], "?", kButton, 334, 181, 8, 10},
    {"ComboBox", P::kLabId, "", kDrop, 246, 192, 96, 140},
    {"Static", kStaticId, "Conversazione / Compresenza", 0, 346, 182, 90, 10},
    {"ComboBox", P::kConversationId, "", kDrop, 346, 192, 90, 140},
    {"Button", P::kAnyClassId, "in qualsiasi classe", kCheck, 440, 192, 70, 12},
    {"Static", kStaticId, "I.t.p. di Laboratorio o Conversatore Lingua o Professore in compresenza", 0, 6, 208,
     120, 18},
    {"ComboBox", P::kPartnerId, "", kDrop, 6, 226, 120, 160},
    {"Static", kStaticId, "Ore di Laboratorio o di Conversazione", 0, 130, 208, 50, 18},
    {"ComboBox", P::kPartnerHoursId, "", kDrop, 130, 226, 30, 120},
    {"Static", kStaticId, "I.t.p. di Laboratorio presente per ore", 0, 164, 208, 34, 18},
    {"Button", P::kFieldHelpIds[2], "?", kButton, 200, 208, 8, 10},
    {"ComboBox", P::kAssistantId, "", kDrop, 164, 226, 30, 120},
    {"Button", P::kNoItpId, "Non c'è ITP"_cp, kButton, 198, 226, 46, 12},
    {"Static", kStaticId, "Attrezzatura di Laboratorio della giornata", 0, 248, 208, 80, 18},
    {"Button", P::kFieldHelpIds[3], "?", kButton, 330, 208, 8, 10},
    {"ComboBox", P::kLabEquipmentId, "", kDrop, 248, 226, 90, 120},
    {"Static", kStaticId, "Attrezzatura di palestra da compattare", 0, 342, 208, 80, 18},
    {"Button", P::kFieldHelpIds[4], "?", kButton, 424, 208, 8, 10},
    {"ComboBox", P::kGymEquipmentId, "", kDrop, 342, 226, 90, 120},
    {"Button", P::kNewSubjectId, "Inserisci Nuova Materia", kButton, 440, 208, 108, 12},
    {"Button", P::kNewLabId, "Inserisci Nuovo Laboratorio", kButton, 440, 224, 108, 12},
    {"Static", kStaticId, "Classi articolate con la", 0, 6, 244, 80, 10},
    {"ComboBox", P::kJointComboId, "", kDrop, 6, 254, 56, 140},
    {"ListBox", P::kJointListId, "Aggiungi", kLbsNotify | kWsBorder | kWsVScroll | kWsTabStop, 66, 244, 56, 44},
    {"Button", P::kJointRemoveId, "<-- Togli", kButton, 126, 254, 40, 12},
    {"Button", P::kFieldHelpIds[5], "?", kButton, 126, 242, 8, 10},
    {"Button", P::kSaveId, "!SALVA", kButton, 6, 296, 90, 18},
    {"Button", P::kAbandonId, "!ABBANDONA", kButton, 100, 296, 90, 18},
    {"Edit", P::kHelpId, "", kEsMultiLine | kEsReadOnly | kEsAutoVScroll | kWsVScroll, 194, 244, 354, 70},
};

const DialogTemplate kTemplate = {P::kTemplate, "6C Cattedre per Docente", kWsChild, 0, 0, 552, 318, kControls};

}  // namespace

void ui_register_teacher_page_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}
