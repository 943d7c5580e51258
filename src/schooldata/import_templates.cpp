// Dialog templates of the import pages: 235 Orario Facile and Argo Darwin,
// 443 spreadsheet text. Italian captions; the button marks ("!", "@", "?")
// choose the colours of the coloured buttons.
#include "platform/cp1252.h"
#include "schooldata/orario_facile_page.h"
#include "schooldata/spreadsheet_page.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kOwner = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kList = kLvsReport | kLvsShowSelAlways | kWsTabStop | kWsBorder;
constexpr std::uint32_t kPane = kEsMultiLine | kEsReadOnly | kWsBorder;

const ControlTemplate kOrarioControls[] = {
    {"ListView", Corafac::kListId, "", kList, 8, 8, 420, 200},
    {"Button", Corafac::kOpenId, "Apri un File Dati di\nORARIO FACILE\ne Importa i Dati", kOwner | kBsMultiLine, 436,
     8, 150, 34},
    {"Button", Corafac::kArgoId, "Argo Darwin", kOwner, 436, 46, 150, 16},
    {"Button", Corafac::kSaveId, "!SALVA le modifiche", kOwner, 436, 70, 150, 18},
    {"Button", Corafac::kAbandonId, "!ABBANDONA le modifiche", kOwner, 436, 92, 150, 18},
    {"Button", Corafac::kSortTipId, "?", kOwner, 436, 116, 16, 16},
    {"Static", 1180, "Fate Click sulle colonne per ordinare e controllare la lista", 0, 456, 116, 130, 20},
    {"Static", 1181, "<=", 0, 428, 140, 8, 10},
    {"Static", 1182, "Non dimenticate di SALVARE!", 0, 436, 140, 150, 10},
    {"Static", 1183,
     "Il file dati di Orario Facile si trova nella cartella del programma (per esempio \"Orario Facile 2006\") "
     "con estensione .OFD; da un altro computer lo si raggiunge attraverso la rete o copiandolo su una penna USB. "
     "Dopo l'importazione rivedete la configurazione."_cp,
     0, 436, 156, 150, 50},
    {"Edit", Corafac::kHelpId, "", kPane, 8, 214, 578, 44},
};

const ControlTemplate kSheetControls[] = {
    {"ListView", Coraxls::kListId, "", kList, 8, 8, 440, 190},
    {"Button", Coraxls::kOpenId, "Apri un file di testo TXT ricavato da foglio excel (R) \ne Importa i Dati",
     kOwner | kBsMultiLine, 456, 8, 150, 28},
    {"Button", Coraxls::kSaveId, "!IMPORTA questi dati letti da file XLS, e SALVA", kOwner | kBsMultiLine, 456, 40,
     150, 22},
    {"Button", Coraxls::kClearId,
     "@CANCELLA tutte le cattedre precedentemente inserite per rifare completamente le cattedre",
     kOwner | kBsMultiLine, 456, 66, 130, 30},
    {"Button", Coraxls::kClearTipId, "@?", kOwner, 590, 66, 16, 30},
    {"Button", Coraxls::kExampleId, "!Esempio di file excel (R) per l'importazione", kOwner | kBsMultiLine, 456, 100,
     150, 22},
    {"Button", Coraxls::kAbandonId, "!ABBANDONA le modifiche", kOwner, 456, 126, 150, 16},
    {"Button", Coraxls::kNotExpertId, "!Non sono esperto, non so fare l'importazione da file Excel",
     kOwner | kBsMultiLine, 456, 146, 150, 22},
    {"Button", Coraxls::kSortTipId, "?", kOwner, 456, 172, 16, 16},
    {"Static", 1180, "Fate Click sulle colonne per ordinare e controllare la lista", 0, 476, 172, 130, 20},
    {"Static", 1181, "<=", 0, 448, 172, 8, 10},
    {"Static", 1182, "Non dimenticate di SALVARE!", 0, 456, 194, 150, 10},
    {"Static", 1183, "Dopo l'importazione rivedete tutta la configurazione.", 0, 8, 202, 440, 10},
    {"Button", Coraxls::kColumnsTipId, "?", kOwner, 8, 216, 16, 16},
    {"Edit", Coraxls::kColumnsHelpId, "", kPane, 28, 216, 300, 50},
    {"Edit", Coraxls::kPurposeId, "", kPane, 334, 216, 272, 50},
};

const DialogTemplate kOrario = {Corafac::kTemplate, "Importazione da Orario Facile (C) Mathema Software",
                                kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 594, 266, kOrarioControls};
const DialogTemplate kSheet = {Coraxls::kTemplate, "Importazione da foglio Excel (R) xls",
                               kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 614, 274, kSheetControls};

}  // namespace

void ui_register_import_templates() {
  for (const DialogTemplate* t : {&kOrario, &kSheet}) {
    if (find_dialog_template(t->id) != t) register_dialog_template(*t);
  }
}
