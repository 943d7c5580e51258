// Dialog template 151 of the teaching-post constraints page: the teacher row
// and the teacher's read-only settings at the top, the post list below it,
// the two panels side by side (A, main subject, on the left; B, lab or
// co-teacher hours, on the right), the buttons and the help pane at the
// bottom. 552 x 318 dialog units, the frame's page area. Captions are the
// Italian keys of the caption tables; drop-downs are filled at run time.
#include "constraints/post_constraints_page.h"
#include "platform/cp1252.h"

using namespace kt::ui;

namespace {

using V = Cvicat;
constexpr std::uint32_t kButton = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;
constexpr std::uint32_t kDrop = kCbsDropDownList | kWsVScroll | kWsTabStop;
constexpr std::uint32_t kReadOnlyCheck = kBsAutoCheckBox | kWsDisabled;

// One panel, 270 units wide, starting at x.
#define VICAT_PANEL(P, X, TITLE)                                                                           \
  {"Static", kStaticId, TITLE, 0, X, 154, 268, 9},                                                         \
      {"Static", V::kPanels[P].class_text, "", 0, X, 164, 40, 9},                                          \
      {"Static", V::kPanels[P].hours_text, "", 0, X + 42, 164, 30, 9},                                     \
      {"Static", V::kPanels[P].subject_text, "", 0, X + 74, 164, 120, 9},                                  \
      {"Static", kStaticId, "Abbinamento con Classe", 0, X, 176, 80, 9},                                   \
      {"ComboBox", V::kPanels[P].joined, "", kDrop, X + 82, 175, 60, 140},                                 \
      {"Static", kStaticId, "Compito di Ore", 0, X, 190, 86, 9},                                           \
      {"ComboBox", V::kPanels[P].classwork, "", kDrop, X + 88, 189, 26, 127},                              \
      {"Static", kStaticId, "tra l'ora", 0, X + 118, 190, 54, 9},                                          \
      {"ComboBox", V::kPanels[P].first, "", kDrop, X + 174, 189, 26, 127},                                 \
      {"Static", kStaticId, "e l'ora", 0, X + 204, 190, 38, 9},                                            \
      {"ComboBox", V::kPanels[P].last, "", kDrop, X + 244, 189, 24, 127},                                  \
      {"Button", V::kPanels[P].no_break, "Compito senza ricreazione", kCheck, X, 204, 96, 12},             \
      {"Static", kStaticId, "Può stare in questa classe\nsino a ore al giorno"_cp, 0, X + 100, 202, 90, 18}, \
      {"ComboBox", V::kPanels[P].daily, "", kDrop, X + 192, 204, 26, 112},                                 \
      {"Button", V::kPanels[P].grouping, "considera GRUPPOMASSIMO per la sua larghezza", kButton, X, 222,  \
       146, 18},                                                                                           \
      {"Button", V::kPanels[P].forbidden, "ORE Vietate in questa classe", kButton, X + 150, 222, 118, 18}, \
      {"Static", kStaticId, "Non nei giorni\nin cui la classe ha", 0, X, 242, 80, 18},                     \
      {"ComboBox", V::kPanels[P].excluded, "", kDrop, X + 82, 244, 80, 74},                                \
      {"Static", kStaticId, "fa Sottogruppo con", 0, X + 166, 242, 88, 9},                                 \
      {"Button", V::kSubgroupHelpIds[P], "?", kButton, X + 256, 241, 10, 10},                              \
      {"ComboBox", V::kPanels[P].subgroup, "", kDrop, X + 166, 252, 100, 66},                              \
      {"Static", kStaticId, "si sposta nel plesso", 0, X, 268, 80, 9},                                     \
      {"ComboBox", V::kPanels[P].building, "", kDrop, X + 82, 266, 186, 52},                               \
      {"Static", kStaticId, "Posizionamento", 0, X, 284, 80, 9},                                           \
      {"ComboBox", V::kPanels[P].placement, "", kDrop, X + 82, 282, 120, 36}

const ControlTemplate kControls[] = {
    {"ComboBox", V::kTeacherListId, "", kDrop, 6, 4, 120, 160},
    {"Button", V::kPreviousId, "<- Precedente", kButton, 130, 4, 52, 12},
    {"Button", V::kNextId, "Successivo ->", kButton, 186, 4, 52, 12},
    {"Button", V::kAutoSaveId, "Salva senza conferma se cambiato", kCheck, 242, 4, 146, 12},
    {"Button", V::kHowToId, "#Come fare?", kButton, 392, 4, 50, 12},
    {"Static", kStaticId, "Ore a Disposizione", 0, 6, 20, 68, 9},
    {"Static", V::kStandbyId, "", 0, 76, 20, 16, 9},
    {"Static", kStaticId, "Ora di Ricevimento", 0, 96, 20, 60, 9},
    {"Static", V::kReceptionId, "", 0, 158, 20, 16, 9},
    {"Button", V::kSupportId, "Sostegno", kReadOnlyCheck, 178, 19, 62, 10},
    {"Button", V::kDummyFreeId, "Docente fittizio privo di vincoli", kReadOnlyCheck, 244, 19, 120, 10},
    {"Button", V::kDummyCheckedId, "Docente fittizio con vincoli controllati", kReadOnlyCheck, 368, 19, 144, 10},
    {"Static", V::kListCaptionId, "", 0, 6, 32, 300, 9},
    {"ListView", V::kPostListId, "", kLvsReport | kLvsSingleSel | kLvsShowSelAlways | kWsBorder | kWsTabStop, 6,
     42, 400, 108},
    VICAT_PANEL(0, 6, " Vincoli per le Ore della materia principale "),
    VICAT_PANEL(1, 280, " Vincoli per le Ore di Laboratorio o Conversazione / Compresenza "),
    {"Button", V::kSaveId, "!SALVA", kButton, 6, 296, 80, 18},
    {"Button", V::kAbandonId, "!ABBANDONA", kButton, 90, 296, 80, 18},
    {"Button", V::kTryTeacherId, "PROVA l'orario del Professore", kButton, 174, 296, 80, 18},
    {"Button", V::kTryClassesId, "PROVA l'orario delle sue Classi", kButton, 258, 296, 80, 18},
    {"Button", V::kTestHelpId, "?", kButton, 342, 296, 14, 18},
    {"Edit", V::kHelpId, "", kEsMultiLine | kEsReadOnly | kEsAutoVScroll | kWsVScroll, 412, 32, 136, 118},
};

#undef VICAT_PANEL

const DialogTemplate kTemplate = {V::kTemplate, "7 Vincoli cattedre", kWsChild, 0, 0, 552, 318, kControls};

}  // namespace

void ui_register_post_constraints_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}
