// Dialog templates of the structure library's small boxes: the input box
// (150), the support contact window (199), the class move (239), the unsaved-changes question (270) and the
// destination folder choice (292). Captions are the Italian keys of the caption tables; texts
// the code sets at run time (prompts, folders) start empty. Registered on
// first use by each box, so a caller needs no start-up step.
#include "platform/cp1252.h"
#include "structure/class_move.h"
#include "structure/destination_folder_choice.h"
#include "structure/input_box.h"
#include "structure/support_contact.h"
#include "structure/unsaved_changes_prompt.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kOwner = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kField = kEsAutoHScroll | kWsBorder | kWsTabStop;
constexpr std::uint32_t kFrame = kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame;

const ControlTemplate kInputBoxControls[] = {
    {"Static", Ccasella::kPrompt1Id, "Static", 0, 8, 8, 200, 10},
    {"Edit", Ccasella::kEdit1Id, "", kField, 8, 20, 200, 13},
    {"Button", Ccasella::kPaste1Id, "Incolla", kOwner, 212, 20, 44, 13},
    {"Static", Ccasella::kPrompt2Id, "Static", 0, 8, 38, 200, 10},
    {"Edit", Ccasella::kEdit2Id, "", kField, 8, 50, 200, 13},
    {"Button", Ccasella::kPaste2Id, "Incolla", kOwner, 212, 50, 44, 13},
    {"Button", Ccasella::kCheckId, "Check1", kBsAutoCheckBox | kWsTabStop, 8, 50, 200, 12},
    {"Static", Ccasella::kExplanationId, "", 0, 8, 68, 248, 30},
    {"Button", kIdOk, "OK", kOwner | kBsDefPushButton, 120, 104, 64, 16},
    {"Button", kIdCancel, "Annulla", kOwner, 192, 104, 64, 16},
};

const ControlTemplate kUnsavedControls[] = {
    {"Static", CDaticambia::kTextId, "I dati sono stati modificati dopo l'ultimo salvataggio:", 0, 10, 8, 260, 12},
    {"Button", CDaticambia::kSaveId, "Salva ora i dati modificati", kOwner, 10, 26, 260, 18},
    {"Button", CDaticambia::kSaveAlwaysId, "Salva, e in questa sessione salva sempre automaticamente", kOwner, 10, 48,
     260, 18},
    {"Button", CDaticambia::kDiscardId, "Abbandona le ultime modifiche", kOwner, 10, 70, 260, 18},
    {"Button", CDaticambia::kStayId, "Ritorna al programma per rivedere le modifiche", kOwner, 10, 92, 260, 18},
};

const ControlTemplate kDestinationControls[] = {
    {"Static", Ccanuco::kCurrentLabelId, "Volete mettere i dati nella cartella CORRENTE:", 0, 10, 8, 300, 10},
    {"Button", Ccanuco::kCurrentId, "", kOwner, 10, 20, 300, 28},
    {"Static", Ccanuco::kSavedLabelId, "Oppure in una cartella corrispondente alla configurazione salvata:", 0, 10,
     56, 300, 10},
    {"Button", Ccanuco::kSavedId, "", kOwner, 10, 68, 300, 28},
    {"Button", Ccanuco::kBackId, "[Esc] Ritorna a menu principale", kOwner, 160, 106, 150, 16},
};

constexpr std::uint32_t kDropList = kCbsDropDownList | kWsVScroll | kWsTabStop;

const ControlTemplate kClassMoveControls[] = {
    {"Static", kStaticId, "La Classe", 0, 10, 10, 90, 10},
    {"ComboBox", Ccanocla::kClassListId, "", kDropList, 10, 22, 90, 90},
    {"Static", kStaticId, "si sposta nella Sezione", 0, 110, 10, 90, 10},
    {"ComboBox", Ccanocla::kSectionListId, "", kDropList, 110, 22, 90, 90},
    {"Static", kStaticId, "dell'Indirizzo", 0, 210, 10, 120, 10},
    {"ComboBox", Ccanocla::kTrackListId, "", kDropList, 210, 22, 120, 90},
    {"Edit", Ccanocla::kHelpId, "", kEsMultiLine | kEsReadOnly | kWsBorder, 10, 44, 320, 30},
    {"Static", kStaticId, "NON DIMENTICATE DI SALVARE!", 0, 10, 82, 320, 10},
    {"Button", Ccanocla::kSaveId, "!SALVA le modifiche", kOwner, 10, 98, 150, 18},
    {"Button", Ccanocla::kAbandonId, "!ABBANDONA le modifiche", kOwner, 180, 98, 150, 18},
};

const ControlTemplate kSupportControls[] = {
    {"Static", kStaticId,
     "Se siete in difficoltà, inviateci i dati della scuola. I vostri dati risiedono nella cartella :"_cp, 0, 8, 6,
     340, 10},
    {"Edit", Cemergex::kFolderId, "", kEsMultiLine | kEsReadOnly | kWsBorder, 8, 18, 340, 20},
    {"Static", kStaticId, "dove trovate due file denominati:", 0, 8, 42, 160, 10},
    {"Static", kStaticId, "scuola1.txt", 0, 180, 42, 70, 10},
    {"Static", kStaticId, "scuola2.txt", 0, 260, 42, 70, 10},
    {"Static", kStaticId, "ed EVENTUALMENTE altri due denominati:", 0, 8, 54, 160, 10},
    {"Static", kStaticId, "scuola3.txt", 0, 180, 54, 70, 10},
    {"Static", kStaticId, "savego.txt", 0, 260, 54, 70, 10},
    {"Static", kStaticId, "(questi possono non esserci)", 0, 180, 66, 150, 10},
    {"Static", kStaticId,
     "Descrivete brevemente il problema e lasciate gli estremi per rispondervi. Allegate i file indicati alla email.",
     0, 8, 80, 340, 18},
    {"Static", kStaticId,
     "Noi esamineremo la configurazione della vostra scuola e vi indicheremo esattamente per quale ragione l'orario "
     "non chiude ",
     0, 8, 100, 340, 18},
    {"Static", kStaticId, "(o quali altri problemi ci sono).", 0, 8, 120, 340, 10},
    {"Static", kStaticId,
     "Non dimenticate di indicare un telefono cellulare, che ci servirà se avremo domande urgenti da porvi."_cp, 0,
     8, 132, 340, 18},
    {"Static", kStaticId,
     "Da qui si può accedere alla cartella dei dati.\n\nI file: scuola1, scuola2, scuola3, savego devono essere "
     "selezionati con il mouse."_cp,
     0, 8, 154, 200, 36},
    {"Static", Cemergex::kPictureId, "", kSsBitmap, 320, 154, 28, 28},
    {"Button", Cemergex::kOpenFolderIds[0], "Accedi ai tuoi dati", kOwner, 8, 196, 150, 18},
    {"Button", Cemergex::kOpenFolderIds[1], "", kOwner, 162, 196, 18, 18},
    {"Button", Cemergex::kOpenFolderIds[2], "email", kOwner, 184, 196, 40, 18},
    {"Button", Cemergex::kSearchId, "Ricerca Allegati", kOwner, 230, 196, 118, 18},
    {"Button", Cemergex::kChatIds[0], "Chatta con l'assistenza On Line", kOwner, 8, 218, 150, 18},
    {"Button", Cemergex::kChatIds[1], "chat", kOwner, 162, 218, 40, 18},
    {"Button", Cemergex::kBookCallIds[0], "Prenota una chiamata telefonica", kOwner, 8, 240, 150, 18},
    {"Button", Cemergex::kBookCallIds[1], "", kOwner, 162, 240, 18, 18},
    {"Button", Cemergex::kTollFreeIds[0], "Chiama il numero verde", kOwner, 8, 262, 150, 18},
    {"Button", Cemergex::kTollFreeIds[1], "", kOwner, 162, 262, 18, 18},
    {"Button", Cemergex::kCloseId, "Chiudi questa finestra", kOwner, 230, 262, 118, 18},
};

const DialogTemplate kStructureTemplates[] = {
    {Cemergex::kTemplate, "Istruzioni per contattare l'assistenza", kFrame, 0, 0, 356, 286, kSupportControls},
    {Ccanocla::kTemplate, "Cambia Sezione / Indirizzo", kFrame, 0, 0, 340, 124, kClassMoveControls},
    {Ccasella::kTemplate, "", kFrame, 0, 0, 264, 126, kInputBoxControls},
    {CDaticambia::kTemplate, "Dati modificati", kFrame, 0, 0, 280, 118, kUnsavedControls},
    {Ccanuco::kTemplate, "Dove mettere i dati?", kFrame | kWsThickFrame, 0, 0, 320, 130, kDestinationControls},
};

}  // namespace

void ui_register_structure_templates() {
  for (const DialogTemplate& t : kStructureTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}
