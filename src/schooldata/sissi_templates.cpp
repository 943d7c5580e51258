// Dialog templates of the SISSI pages: 191 the import page, 203 the code
// check, 302 the chooser of one missing identifier. Italian captions; the
// button marks ("!", "@", "?") choose the colours of the coloured buttons.
#include "platform/cp1252.h"
#include "schooldata/sissi_code_check.h"
#include "schooldata/sissi_import_page.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kOwner = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kList = kLvsReport | kLvsShowSelAlways | kWsTabStop | kWsBorder;
constexpr std::uint32_t kPane = kEsMultiLine | kEsReadOnly | kWsBorder;

const ControlTemplate kImportControls[] = {
    {"ListView", Csissi::kListId, "", kList, 8, 8, 400, 200},
    {"Button", Csissi::kOpenId, "Apri File SISSI e\n Importa i Dati", kOwner | kBsMultiLine, 416, 8, 150, 24},
    {"Button", Csissi::kClearId,
     "@CANCELLA tutte le cattedre precedentemente inserite per rifare completamente le cattedre",
     kOwner | kBsMultiLine, 416, 38, 130, 34},
    {"Button", Csissi::kClearTipId, "@?", kOwner, 550, 38, 16, 34},
    {"Button", Csissi::kSaveId, "!SALVA le modifiche", kOwner, 416, 78, 150, 18},
    {"Button", Csissi::kAbandonId, "!ABBANDONA le modifiche", kOwner, 416, 100, 150, 18},
    {"Button", Csissi::kSortTipId, "?", kOwner, 416, 124, 16, 16},
    {"Static", 1173, "Fate Click sulle colonne per ordinare e controllare la lista", 0, 436, 124, 130, 20},
    {"Static", Csissi::kSupportLabelId, "Nome della materia SOSTEGNO in SISSI:", 0, 416, 148, 150, 10},
    {"Edit", Csissi::kSupportId, "", kWsBorder | kWsTabStop | kEsAutoHScroll, 416, 160, 150, 12},
    {"Static", Csissi::kReadNoticeId, "Letto file SISSI. Salvare i dati per attuare le modifiche.", 0, 8, 90, 400, 20},
    {"Static", 1174, "Non dimenticate di SALVARE!", 0, 416, 178, 150, 10},
    {"Static", 1175,
     "In SISSI: Stampe - Stampe di controllo - Docenti e cattedre, esportando il file di testo delle cattedre "
     "(nelle versioni precedenti: Archivio - Esportazione dati - Cattedre)",
     0, 8, 212, 400, 20},
    {"Edit", Csissi::kHelpId, "", kPane, 8, 236, 558, 36},
};

const ControlTemplate kCheckControls[] = {
    {"ListView", Csissiedit::kSchoolListId, "", kList | kLvsSingleSel, 8, 8, 560, 24},
    {"Static", 1180, "Classi", 0, 8, 36, 100, 10},
    {"ListView", Csissiedit::kClassListId, "", kList | kLvsSingleSel, 8, 48, 180, 150},
    {"Static", 1181, "Materie", 0, 196, 36, 100, 10},
    {"ListView", Csissiedit::kSubjectListId, "", kList | kLvsSingleSel, 196, 48, 180, 150},
    {"Static", 1182, "Professori", 0, 384, 36, 100, 10},
    {"ListView", Csissiedit::kTeacherListId, "", kList | kLvsSingleSel, 384, 48, 184, 150},
    {"Static", 1183, "Codici non definiti", 0, 8, 204, 80, 10},
    {"Static", Csissiedit::kClassCountId, "0", 0, 90, 204, 30, 10},
    {"Static", Csissiedit::kSubjectCountId, "0", 0, 278, 204, 30, 10},
    {"Static", Csissiedit::kTeacherCountId, "0", 0, 466, 204, 30, 10},
    {"Static", Csissiedit::kElementId, "", 0, 8, 218, 180, 10},
    {"Static", 1184, "Nuovo codice per esportazione verso SISSI:", 0, 196, 218, 170, 10},
    {"Edit", Csissiedit::kIdEditId, "", kWsBorder | kWsTabStop | kEsAutoHScroll, 370, 216, 110, 12},
    {"Button", Csissiedit::kAcceptId, "Accetta Modifica", kOwner, 486, 214, 82, 16},
    {"Button", Csissiedit::kHideSubjectsId, "Cancella Materie inutilizzate ", kOwner, 8, 236, 136, 16},
    {"Button", Csissiedit::kHideTeachersId, "Cancella Professori inutilizzati", kOwner, 148, 236, 136, 16},
    {"Button", Csissiedit::kRereadId, "Rileggi file SISSI AXIOS per rettifica codici mancanti", kOwner, 288, 236,
     200, 17},
    {"Button", Csissiedit::kHelpButtonId, "?", kOwner, 492, 236, 16, 16},
    {"Button", Csissiedit::kSaveId, "!SALVA le modifiche", kOwner, 8, 256, 136, 16},
    {"Button", Csissiedit::kAbandonId, "!ABBANDONA le modifiche", kOwner, 148, 256, 136, 16},
    {"Edit", Csissiedit::kHelpId, "", kPane, 288, 256, 280, 30},
};

const ControlTemplate kAskControls[] = {
    {"Static", 1190, "Manca il codice AXIOS per ", 0, 8, 8, 110, 10},
    {"Static", CsissiASK::kKindId, "", 0, 120, 8, 80, 10},
    {"Static", CsissiASK::kNameId, "", 0, 204, 8, 160, 10},
    {"Static", 1191, "Scegliere codice corrispondente da attribuire ", 0, 8, 22, 360, 10},
    {"ListView", CsissiASK::kListId, "", kList | kLvsSingleSel, 8, 36, 360, 140},
    {"Button", CsissiASK::kChooseId, "Attribuisci codice selezionato", kOwner, 8, 182, 116, 16},
    {"Button", CsissiASK::kSkipId, "Salta (non so quale codice scegliere)", kOwner, 128, 182, 140, 16},
    {"Button", CsissiASK::kAbandonId, "Abbandona", kOwner, 272, 182, 96, 16},
    {"Static", CsissiASK::kExplainId,
     "Se non siete sicuri del codice da attribuire, saltate e passate al successivo. La procedura potrà poi essere "
     "ripetuta tutte le volte necessarie per completare la configurazione dei codici."_cp,
     0, 8, 202, 360, 30},
};

const DialogTemplate kImport = {Csissi::kTemplate, "Importazione da Sissi by Axios",
                                kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 574, 280, kImportControls};
const DialogTemplate kCheck = {Csissiedit::kTemplate, "Controllo codici di corrispondenza con Sissi by Axios",
                               kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 576, 292, kCheckControls};
const DialogTemplate kAsk = {CsissiASK::kTemplate, "Codice SISSI", kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame,
                             0, 0, 376, 240, kAskControls};

}  // namespace

void ui_register_sissi_templates() {
  for (const DialogTemplate* t : {&kImport, &kCheck, &kAsk}) {
    if (find_dialog_template(t->id) != t) register_dialog_template(*t);
  }
}
