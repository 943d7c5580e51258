// Dialog templates of the frame (102), the home page (107) and the stand-in
// page of pages not built yet (9901). The frame is 560 x 364 dialog units:
// the section buttons in one row at the top, the page area below them and
// below the remote-processing window docked under the row, so that the home
// page fits from start-up on, before and after that window appears. Both
// pages fill that area; their captions are Italian and translated through
// the caption tables when they are shown.
#include "platform/cp1252.h"
#include "shell/frame.h"
#include "shell/home_page.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kButton = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kPageStyle = kWsChild;
using H = CPlenixDlg;

const ControlTemplate kFrameControls[] = {
    {"Button", 1772, "FILE Operazioni Iniziali", kButton, 4, 4, 96, 22},
    {"Button", 1773, "Configurazione", kButton, 104, 4, 84, 22},
    {"Button", 1774, "Elaborazione", kButton, 192, 4, 84, 22},
    {"Button", 1775, "##Orario Provvisorio", kButton, 280, 4, 90, 22},
    {"Button", 1779, "@Ho bisogno di assistenza", kButton, 384, 4, 84, 22},
    {"Button", 1780, "@Assistenza On Line", kButton, 472, 4, 84, 22},
    {"Static", CAlfaDlg::kStaticId, "", 0, 4, 344, 100, 10},
};

// The folder and school lines start below the top band of the page, where
// the frame docks its remote-processing strip under the last section button:
// there it would hide part of the folder's path.
const ControlTemplate kHomeControls[] = {
    {"Static", kStaticId, "Cartella di Lavoro Corrente:", 0, 6, 15, 110, 10},
    {"Static", H::kFolderId, "", 0, 118, 15, 420, 10},
    {"Static", kStaticId, "Descrizione Scuola:", 0, 6, 26, 110, 10},
    {"Static", H::kDescriptionId, "", 0, 118, 26, 420, 10},
    {"Button", H::kSelectSchool, "Selezione Scuola", kButton, 6, 38, 150, 24},
    {"Button", H::kHelpStart, "??", kButton, 160, 38, 16, 24},
    {"Button", H::kCreateSchool, "Crea nuova Cartella e nuova Scuola", kButton, 6, 66, 150, 24},
    {"Button", H::kHelpCreate, "?", kButton, 160, 66, 16, 24},
    {"Button", H::kConfiguration, "!Configurazione dell'Orario ", kButton, 6, 100, 150, 28},
    {"Button", H::kHelpConfiguration, "?", kButton, 160, 100, 16, 28},
    {"Button", H::kProcessing, "!Elaborazione e Stampa dell'Orario", kButton, 6, 132, 150, 28},
    {"Button", H::kHelpProcessing, "?", kButton, 160, 132, 16, 28},
    {"Button", H::kSubstitutions, "Gestione Sostituzioni", kButton, 6, 166, 150, 24},
    {"Button", H::kHelpSubstitutions, "?", kButton, 160, 166, 16, 24},
    {"Button", H::kArchive, "Archiviazioni e cloud", kButton, 6, 196, 150, 20},
    {"Button", H::kVideo, "Video presentazione", kButton, 6, 220, 72, 20},
    {"Button", H::kUserGuide, "Guida utente", kButton, 84, 220, 72, 20},
    {"Button", H::kGettingStarted, "@COME INIZIARE?\nLeggete qui!", kButton, 6, 246, 150, 26},
    {"Button", H::kChooseLanguage, "Scegli lingua", kButton, 190, 38, 60, 14},
    {"Button", H::kItalian, "it", kButton, 254, 38, 22, 14},
    {"Button", H::kGerman, "de", kButton, 280, 38, 22, 14},
    {"Button", H::kEnglish, "en", kButton, 306, 38, 22, 14},
    {"Button", H::kFrench, "fr", kButton, 332, 38, 22, 14},
    {"Button", H::kExplore, "explore", kButton, 360, 38, 50, 14},
    {"Button", H::kCleanOutput, "@ranza", kButton, 414, 38, 40, 14},
    {"Button", H::kServiceTools, "@(Service Tools)", kButton, 458, 38, 86, 14},
    {"Button", H::kAdvice, "Consigli per casi particolari", kButton, 190, 246, 150, 26},
    {"Button", H::kTopLeft, "@In Cima 0, 0", kButton, 458, 258, 86, 14},
    {"Button", H::kRemoteReport, "@report attività corrente TULMs"_cp, kButton, 458, 276, 86, 22},
    {"Button", H::kForum, "forum disabled", kButton, 346, 246, 52, 12},
    {"Button", H::kSocial, "Social", kButton, 346, 260, 52, 12},
    {"Edit", H::kHelpId, "", kEsMultiLine | kEsReadOnly | kEsAutoVScroll | kWsVScroll, 190, 58, 354, 180},
    {"Static", H::kVersionId, "", 0, 6, 304, 540, 10},
};

const ControlTemplate kPendingControls[] = {
    {"Static", CPendingPage::kTitleId, "", 0, 10, 10, 530, 12},
    {"Static", CPendingPage::kNoticeId, "", 0, 10, 30, 530, 12},
};

const DialogTemplate kTemplates[] = {
    {CAlfaDlg::kTemplate, "KestrinTempus", kWsPopup | kWsCaption | kWsSysMenu, 20,
     20, 560, 364, kFrameControls},
    {CPlenixDlg::kTemplate, "Inizio", kPageStyle, 0, 0, 552, 318, kHomeControls},
    {CPendingPage::kTemplate, "", kPageStyle, 0, 0, 552, 318, kPendingControls},
};

}  // namespace

void ui_register_frame_templates() { register_dialog_templates(kTemplates); }
